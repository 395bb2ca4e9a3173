#include "FormTestSupport.h"

#include "common/QtTestSupport.h"

namespace vxo::test {

FormEnvironment::FormEnvironment()
{
    testApplication();
    initFormResources();
    registerFontSubstitutions();
}

BareForm::BareForm() { ui.setupUi(&window); }

} // namespace vxo::test
