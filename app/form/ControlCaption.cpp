#include "app/form/ControlCaption.h"

#include "document/ExperimentTitles.h"
#include "document/SettingsRanges.h"
#include "ui/MainWindowForm.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QTabWidget>

namespace vxo {

namespace {

QString labelOf(const QWidget& control)
{
    const QLabel* label = nullptr;
    if (const auto* rows = qobject_cast<const QFormLayout*>(control.parentWidget()->layout()))
        label = qobject_cast<const QLabel*>(rows->labelForField(const_cast<QWidget*>(&control)));
    if (label == nullptr) {
        static const QRegularExpression kind(QStringLiteral("(SpinBox|ComboBox|CheckBox)$"));
        QString name = control.objectName();
        name.replace(kind, QStringLiteral("Label"));
        label = control.window()->findChild<const QLabel*>(name);
    }
    if (label == nullptr || label->text().isEmpty())
        return control.objectName();
    QString text = label->text();
    if (text.endsWith(QLatin1Char(':')))
        text.chop(1);
    return text;
}

// The innermost place that names the control: a geometry page, a titled
// group, a tab page or an analysis page.
QString placeOf(const Ui_MainWindow& form, const QWidget& control)
{
    for (const QWidget* widget = control.parentWidget(); widget != nullptr; widget = widget->parentWidget()) {
        const QWidget* holder = widget->parentWidget();
        if (holder == form.geometryParametersStackedWidget) {
            const int page = form.geometryParametersStackedWidget->indexOf(const_cast<QWidget*>(widget));
            if (page >= 0 && page < form.geometryComboBox->count())
                return form.geometryComboBox->itemText(page);
        }
        if (const auto* group = qobject_cast<const QGroupBox*>(widget); group != nullptr && !group->title().isEmpty())
            return group->title();
        if (holder != nullptr && qobject_cast<const QStackedWidget*>(holder) != nullptr) {
            if (const auto* tabs = qobject_cast<const QTabWidget*>(holder->parentWidget())) {
                const int tab = tabs->indexOf(const_cast<QWidget*>(widget));
                if (tab >= 0)
                    return tabs->tabText(tab);
            }
            if (!widget->windowTitle().isEmpty())
                return widget->windowTitle();
        }
    }
    return {};
}

} // namespace

QString controlCaption(const Ui_MainWindow& form, const QWidget& control)
{
    const QString place = placeOf(form, control);
    const QString label = labelOf(control);
    return place.isEmpty() ? QStringLiteral("\"%1\"").arg(label) : boxCaption(place, label);
}

QString settingsBoxCaption(const Ui_MainWindow& form, const SettingsRange& row)
{
    // The form's root: a floating dock is a window of its own, but still a
    // child of the main window.
    const QWidget* root = form.geometryComboBox;
    while (root->parentWidget() != nullptr)
        root = root->parentWidget();
    const QWidget* control =
        row.control != nullptr ? root->findChild<const QWidget*>(QLatin1String(row.control)) : nullptr;
    return control != nullptr ? controlCaption(form, *control)
                              : boxCaption(settingsObjectTitle(row.object), QLatin1String(row.label));
}

QString withWindowCaptions(const Ui_MainWindow& form, const QString& message)
{
    QString named = message;
    for (const SettingsRange* row = settingsRangesBegin(); row != settingsRangesEnd(); ++row) {
        const QString byExperiment = boxCaption(settingsObjectTitle(row->object), QLatin1String(row->label));
        if (named.contains(byExperiment))
            named.replace(byExperiment, settingsBoxCaption(form, *row));
    }
    return named;
}

} // namespace vxo
