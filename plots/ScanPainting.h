#pragma once

#include "plots/PlotPainting.h"

#include <QColor>
#include <QFont>
#include <QMargins>
#include <QPainterPath>
#include <QRect>
#include <QSize>
#include <QString>

#include <utility>
#include <vector>

class QPainter;

// The painter of the stationary transmission scans (the Klein scans against
// angle, barrier height and mass, and the massless comparison): one panel of
// transmission T in [0, 1] against the scanned value, regime bands behind
// it, the curves of the scan, the current value marked on the last curve with
// the packet's transmitted probability beside it, a legend under the panel
// and a summary inside its top. A scan widget states its picture in values;
// the painter places it.
namespace vxo::plot {

// One point of a stationary transmission scan: whether it was solved, the
// scanned value (angle, height, mass) and its transmission.
struct ScanPoint {
    bool valid = false;
    double value = 0.0;
    double transmission = 0.0;
};

// The same panel filled and outlined in the scan colours (the Klein
// tunnelling record draws its time traces in it).
QRect drawScanPanel(QPainter& painter, const QSize& widgetSize, const ScanLayout& layout);
// The legend centred in its band under the panel (a longer legend goes on
// over further lines), or in its column beside the panel.
void drawScanLegend(QPainter& painter, const QRect& panel, const ScanLayout& layout, const QString& legend);
// The summary in the rows between the page's title and the panel
// (scanSummaryBox), broken between its fields at the panel's width: over the
// panel, where it hides none of the curves; nothing where the short page
// gave those rows up.
void drawScanSummary(QPainter& painter, const QSize& widgetSize, const ScanLayout& layout, const QString& summary);

// A regime band from value `from` to value `to`, shaded in colour when it is
// not empty; its name (when there is one) is centred in it, inset from both
// sides, and clipped away when the band is empty.
struct ScanBand {
    double from = 0.0;
    double to = 0.0;
    QColor colour;
    QString name;
    int nameInset = 0;
};

// A curve through the points in order; an invalid point breaks it.
struct ScanCurve {
    std::vector<ScanPoint> points;
    QColor colour;
    double width = 2.4;
};

// A whole scan in values: the range [first, last], the labelled grid lines,
// the bands, the threshold lines (a dashed line each, thresholdWidth wide),
// the curves in drawing order, the current value (marked on the last curve
// when it lies in the range) and the packet's largest transmitted
// probability (shown for 0 <= packetMaxPRight <= 1.05), the legend and the
// summary.
struct ScanPicture {
    ScanPicture() = default;
    // A picture of the range [from, to], the rest to be filled in.
    ScanPicture(double from, double to) : first(from), last(to) {}

    // Grid lines at round values (plot::horizontalTicks), as many as the
    // panel's width leaves room for between their labels, each labelled with
    // its value: a guide's value is read between two of them.
    void addRoundGrid() { roundGrid = true; }

    // A threshold line at value, when it lies within [first, last].
    void addThreshold(double value);
    // value limited to [first, last]: a regime edge that the scan may not reach.
    double within(double value) const;

    double first = 0.0;
    double last = 1.0;
    std::vector<std::pair<double, QString>> gridLines;
    // Whether the laid-out scan adds the round grid to gridLines.
    bool roundGrid = false;
    std::vector<ScanBand> bands;
    std::vector<double> thresholds;
    double thresholdWidth = 1.5;
    std::vector<ScanCurve> curves;
    double current = 0.0;
    double packetMaxPRight = -1.0;
    QString legend;
    QString summary;
};

// A scan laid out for one widget size and font: the layout with room for the
// legend's lines, the picture with its round grid, and its curves as paths in
// the panel (in the picture's order). What stays the same from paint to paint is computed here
// once.
struct ScanDrawing {
    ScanLayout layout;
    ScanPicture picture;
    std::vector<QPainterPath> curves;
};
// The layout of a scan's page at the widget's size: room under the panel
// for the legend's lines and over it for the summary's, or on a short page
// the legend beside the panel (scanLayoutWithTexts).
ScanLayout scanLayoutFor(const ScanLayout& layout, const QSize& widgetSize, const QFont& font,
                         const ScanPicture& picture);
ScanDrawing layOutScan(const QSize& widgetSize, const QFont& font, const ScanLayout& layout, ScanPicture picture);

// Paints the laid-out scan below the page's title: the panel, the bands, the
// transmission grid and the value grid, the thresholds, the curves, the
// marker, the legend and summary, then the band names over the curves.
// widgetSize is the size it was laid out for.
void paintScan(QPainter& painter, const QSize& widgetSize, const ScanDrawing& drawing);

// The pixel row of transmission t in the panel: panel.bottom() -
// panel.height() * t with t limited to [0, 1] and a NaN counted as 0 (QRect's
// bottom, top + height - 1).
double scanTransmissionY(const QRect& panel, double transmission);

// The transmission at value, interpolated linearly over the first pair of
// consecutive valid points whose second value is at least value; the first
// point's transmission when no pair qualifies (0 without points).
double scanTransmissionAt(const std::vector<ScanPoint>& points, double value);

} // namespace vxo::plot
