#include "app/form/DomainSpinRanges.h"

#include "app/form/ControlCaption.h"
#include "app/form/ControlValue.h"
#include "app/form/ExperimentSettingsForm.h"
#include "core/SimulationDomain2D.h"
#include "document/ExperimentDocument.h"
#include "document/SettingsRanges.h"
#include "ui/MainWindowForm.h"

#include <QDoubleSpinBox>
#include <QStackedWidget>
#include <QString>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <iterator>
#include <limits>
#include <optional>

namespace vxo {

namespace {

// A bound as `box` keeps it: the toolkit rounds bounds to the decimals.
double heldBy(const QDoubleSpinBox& box, double bound)
{
    return QString::number(bound, 'f', box.decimals()).toDouble();
}

} // namespace

std::uint64_t gridPointsOfIndex(int index)
{
    constexpr std::uint64_t kPoints[] = {256, 512, 1024};
    return index >= 0 && index < 3 ? kPoints[index] : 0;
}

std::vector<DomainSpinRange> domainSpinRanges(const Ui_MainWindow& form, const QWidget& window,
                                              const SimulationDomain2D& domain)
{
    std::vector<DomainSpinRange> ranges;
    if (!domain.isValid())
        return ranges;
    const double width = domain.width();
    const double height = domain.height();
    const double halfDiagonal = 0.5 * std::sqrt(width * width + height * height);
    const auto add = [&ranges](QDoubleSpinBox* box, double minimum, double maximum) {
        ranges.push_back({box, heldBy(*box, minimum), heldBy(*box, maximum)});
    };
    const auto span = [&add](std::initializer_list<QDoubleSpinBox*> boxes, double extentAlong) {
        for (QDoubleSpinBox* box : boxes)
            add(box, -0.5 * extentAlong, 0.5 * extentAlong);
    };
    const auto reach = [&add](std::initializer_list<QDoubleSpinBox*> boxes, double maximum) {
        for (QDoubleSpinBox* box : boxes)
            add(box, box->minimum(), maximum);
    };
    const Ui_MainWindow& f = form;
    span({f.centerXSpinBox, f.rectangleCenterXSpinBox, f.circleCenterXSpinBox, f.barrierCenterXSpinBox,
          f.singleSlitCenterXSpinBox, f.doubleSlitCenterXSpinBox, f.polygonCenterXSpinBox, f.stadiumCenterXSpinBox,
          f.detectorXSpinBox},
         width);
    span({f.centerYSpinBox, f.rectangleCenterYSpinBox, f.circleCenterYSpinBox, f.barrierCenterYSpinBox,
          f.singleSlitCenterYSpinBox, f.doubleSlitCenterYSpinBox, f.polygonCenterYSpinBox, f.stadiumCenterYSpinBox},
         height);
    // The experiments' positions that span the universe, as the document
    // reader holds them.
    const UniverseExtent universe{width, height};
    for (const SettingsRange* row = settingsRangesBegin(); row != settingsRangesEnd(); ++row) {
        if (row->span != SettingsRange::Span::UniverseX && row->span != SettingsRange::Span::UniverseY)
            continue;
        if (auto* box = window.findChild<QDoubleSpinBox*>(QLatin1String(row->control)))
            ranges.push_back({box, row->lowest(universe), row->highest(universe)});
    }
    reach({f.rectangleWidthSpinBox}, width);
    reach({f.rectangleHeightSpinBox}, height);
    reach({f.circleRadiusSpinBox}, halfDiagonal);
    reach({f.barrierLengthSpinBox}, height);
    reach({f.barrierThicknessSpinBox, f.singleSlitWallWidthSpinBox}, width);
    reach({f.singleSlitHeightSpinBox}, height);
    reach({f.doubleSlitWallWidthSpinBox}, width);
    reach({f.doubleSlitHeightSpinBox, f.doubleSlitSeparationSpinBox}, height);
    reach({f.polygonWidthSpinBox}, width);
    reach({f.polygonHeightSpinBox}, height);
    reach({f.stadiumStraightSpinBox}, width);
    reach({f.stadiumRadiusSpinBox}, halfDiagonal);
    // A collapse narrower than about one and a half cells cannot be
    // represented on the grid.
    QDoubleSpinBox* const resolution = f.collapseResolutionSpinBox;
    add(resolution, std::max(1.5 * std::max<double>(domain.dx(), domain.dy()), 0.2), resolution->maximum());
    return ranges;
}

void applyDomainSpinRanges(const std::vector<DomainSpinRange>& ranges)
{
    for (const DomainSpinRange& range : ranges)
        setControlRange(range.box, {range.minimum, range.maximum});
}

QString documentNumbersFault(const Ui_MainWindow& form, const QWidget& window, const std::vector<QWidget*>& controls,
                             const ExperimentDocument& document)
{
    const auto value = [&document](const QWidget* box) { return document.controls.value(box->objectName()); };
    // Named only when refused: the caption walks the form.
    const auto rangeFault = [&form](const QWidget* box, const QVariant& number,
                                    const std::optional<ControlRange>& range) {
        return controlRangeFault(box, QString(), number, range).isEmpty()
                   ? QString()
                   : controlRangeFault(box, controlCaption(form, *box), number, range);
    };
    for (const QDoubleSpinBox* box : {form.universeWidthSpinBox, form.universeHeightSpinBox}) {
        const QString fault = rangeFault(box, value(box), std::nullopt);
        if (!fault.isEmpty())
            return fault;
    }
    const std::uint64_t points = gridPointsOfIndex(value(form.gridResolutionComboBox).toInt());
    std::vector<DomainSpinRange> domainRanges;
    if (points != 0) {
        domainRanges = domainSpinRanges(form, window,
                                        SimulationDomain2D(points, points, value(form.universeWidthSpinBox).toFloat(),
                                                           value(form.universeHeightSpinBox).toFloat()));
    }
    constexpr double kOpen = std::numeric_limits<double>::infinity();
    const QWidget* const unbounded[] = {
        form.rectangleV0SpinBox,  form.circleV0SpinBox,  form.barrierV0SpinBox,           form.singleSlitV0SpinBox,
        form.doubleSlitV0SpinBox, form.polygonV0SpinBox, form.crossSectionPositionSpinBox};
    const auto rangeOf = [&](const QWidget* box) -> std::optional<ControlRange> {
        if (std::find(std::begin(unbounded), std::end(unbounded), box) != std::end(unbounded))
            return ControlRange{-kOpen, kOpen};
        for (const DomainSpinRange& range : domainRanges) {
            if (range.box == box)
                return ControlRange{range.minimum, range.maximum};
        }
        return std::nullopt;
    };
    // With the scene on, the geometry pages inspect its first object once
    // loaded: the document's values of them are not applied.
    const bool inspecting = document.potentialSceneActive && !document.potentialScene.empty();
    for (const QWidget* box : controls) {
        const auto entry = document.controls.constFind(box->objectName());
        if (entry == document.controls.constEnd() ||
            (inspecting && form.geometryParametersStackedWidget->isAncestorOf(box)))
            continue;
        const QString fault = rangeFault(box, entry.value(), rangeOf(box));
        if (!fault.isEmpty())
            return fault;
    }
    const QString record = settingsFormFault(form, document, documentUniverse(document));
    if (!record.isEmpty())
        return record;
    const QDoubleSpinBox* resolution = form.collapseResolutionSpinBox;
    return rangeFault(resolution, document.measurementCollapseResolution, rangeOf(resolution));
}

} // namespace vxo
