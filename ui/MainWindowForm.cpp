#include "ui/MainWindowForm.h"

#include <QFont>
#include <QString>
#include <QStringList>

// Q_INIT_RESOURCE declares the initialiser in the enclosing namespace, so it
// must be used at global scope.
static void initImagesResource() { Q_INIT_RESOURCE(images); }

namespace vxo {

void setupForm(Ui_MainWindow& form, QMainWindow& window) { form.setupUi(&window); }

void initFormResources() { initImagesResource(); }

void registerFontSubstitutions()
{
    // Consolas is a narrow monospace face; Liberation Mono keeps the metrics
    // of Courier New; MS Shell Dlg 2 stands for Tahoma, whose proportions the
    // DejaVu Sans family shares.
    QFont::insertSubstitutions(QStringLiteral("Consolas"),
                               {QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Liberation Mono"),
                                QStringLiteral("Noto Sans Mono"), QStringLiteral("Monospace")});
    QFont::insertSubstitutions(QStringLiteral("Courier New"),
                               {QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono"),
                                QStringLiteral("Nimbus Mono PS"), QStringLiteral("Monospace")});
    QFont::insertSubstitutions(QStringLiteral("MS Shell Dlg 2"),
                               {QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans"),
                                QStringLiteral("Liberation Sans"), QStringLiteral("Sans Serif")});
}

} // namespace vxo
