#include "FormTestSupport.h"

#include "common/QtTestSupport.h"

namespace vxo::test {

FormEnvironment::FormEnvironment()
{
    testApplication();
    initFormResources();
    registerFontSubstitutions();
}

BareForm::BareForm() { setupForm(ui, window); }

} // namespace vxo::test
