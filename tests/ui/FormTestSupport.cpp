#include "FormTestSupport.h"

#include "view/ViewTestSupport.h"

namespace vxo::test {

FormEnvironment::FormEnvironment()
{
    testApplication();
    initFormResources();
    registerFontSubstitutions();
}

BareForm::BareForm() { ui.setupUi(&window); }

} // namespace vxo::test
