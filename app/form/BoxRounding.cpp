#include "app/form/BoxRounding.h"

#include "app/form/ControlCaption.h"
#include "app/form/ExperimentSettingsForm.h"
#include "document/ExperimentDocument.h"
#include "document/ExperimentTitles.h"
#include "document/JsonReading.h"
#include "document/SettingsRanges.h"
#include "ui/MainWindowForm.h"

#include <QDoubleSpinBox>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStringList>

#include <algorithm>

namespace vxo {

double roundedForBox(double value, int decimals, const QString& caption, std::vector<BoxRounding>& roundings)
{
    const double shown = shownWithDecimals(value, decimals);
    if (shown != value && !isRoundingNoise(value, shown))
        roundings.push_back({caption, value, shown, decimals});
    return shown;
}

QString boxRoundingLine(const BoxRounding& rounding)
{
    return QStringLiteral("%1 is %2 in the file; %3 is used.")
        .arg(rounding.caption, jsonNumberText(rounding.fileValue),
             QString::number(rounding.used, 'f', std::max(rounding.decimals, 0)));
}

QString boxRoundingsNote(const std::vector<BoxRounding>& roundings, int listed, QString& details)
{
    const QString heading = QStringLiteral("Rounded to the decimals their boxes show:");
    QStringList all;
    for (const BoxRounding& rounding : roundings)
        all << boxRoundingLine(rounding);
    QStringList shown = all.mid(0, listed);
    details.clear();
    if (all.size() > listed) {
        shown << QStringLiteral("... and %1 more, listed under Show Details.").arg(all.size() - listed);
        details = heading + QLatin1Char('\n') + all.join(QLatin1Char('\n'));
    }
    return heading + QLatin1Char('\n') + shown.join(QLatin1Char('\n'));
}

std::vector<BoxRounding> roundDocumentForBoxes(const Ui_MainWindow& form, const std::vector<QWidget*>& controls,
                                               ExperimentDocument& document)
{
    std::vector<BoxRounding> roundings;
    const bool inspecting = document.potentialSceneActive && !document.potentialScene.empty();
    for (const QWidget* control : controls) {
        const auto entry = document.controls.find(control->objectName());
        if (entry == document.controls.end() ||
            (inspecting && form.geometryParametersStackedWidget->isAncestorOf(control)))
            continue;
        int decimals = -1;
        if (const auto* box = qobject_cast<const QDoubleSpinBox*>(control))
            decimals = box->decimals();
        else if (qobject_cast<const QSpinBox*>(control) != nullptr)
            decimals = 0;
        if (decimals < 0)
            continue;
        const double value = entry.value().toDouble();
        // Named only when there is something to say of it.
        if (shownWithDecimals(value, decimals) != value)
            entry.value() = roundedForBox(value, decimals, controlCaption(form, *control), roundings);
    }
    std::vector<BoxRounding> records = roundSettingsForBoxes(form, document);
    roundings.insert(roundings.end(), records.begin(), records.end());
    // The counts the reader rounded as it read them into their records.
    for (const ExperimentDocument::RoundedCount& count : document.roundedCounts) {
        const QByteArray object = count.object.toLatin1(), field = count.field.toLatin1();
        const SettingsRange* row = findSettingsRange(object.constData(), field.constData());
        if (row != nullptr)
            roundings.push_back({settingsBoxCaption(form, *row), count.fileValue, static_cast<double>(count.used), 0});
    }
    const QDoubleSpinBox* resolution = form.collapseResolutionSpinBox;
    document.measurementCollapseResolution = roundedForBox(
        document.measurementCollapseResolution, resolution->decimals(), controlCaption(form, *resolution), roundings);
    return roundings;
}

} // namespace vxo
