#pragma once

#include "plots/PlotWidget.h"
#include "plots/ScanPainting.h"

#include <QEvent>
#include <QPainter>
#include <QSize>
#include <QString>

#include <optional>
#include <utility>
#include <vector>

namespace vxo {

// What a scan page states besides its picture: its title, the placeholder
// shown while it holds no solved scan, and where its parts lie.
struct ScanPage {
    QString title;
    QString placeholder;
    plot::ScanLayout layout;
};

// The curve through a record's points, (point.*value, point.*transmission)
// each, an unsolved point a gap.
template <typename Point>
plot::ScanCurve scanCurveOf(const std::vector<Point>& points, double Point::*value, double Point::*transmission,
                            const QColor& colour = QColor(plot::kCurves.leading), double width = 2.4)
{
    plot::ScanCurve curve{{}, colour, width};
    curve.points.reserve(points.size());
    for (const Point& p : points)
        curve.points.push_back({p.valid, p.*value, p.*transmission});
    return curve;
}

// The picture of a Klein scan over [first, last] with its one curve, the
// transmission of the record's points against point.*value, and its legend:
// the scanned quantity, then what the cyan curve is, the current reference
// and the packet's dot. The page adds its grid, bands and summary.
template <typename Point>
plot::ScanPicture kleinScanPicture(double first, double last, const std::vector<Point>& points, double Point::*value,
                                   const QString& scanned, const QString& curve)
{
    plot::ScanPicture picture(first, last);
    picture.curves.push_back(scanCurveOf(points, value, &Point::transmission));
    picture.legend = QString("%1   |   cyan: %2   yellow: current reference   red: time-domain packet max P_right")
                         .arg(scanned, curve);
    return picture;
}

// A Klein page of a stationary transmission scan: a copy of the scan record,
// the current value of the scanned quantity (marked on the curve) and the
// largest probability the time-domain packet has transmitted (a negative value
// means there is none). A page is stated by its ScanPage and the picture of
// its record in values; plot::layOutScan turns the picture into paths at the
// widget's size and plot::paintScan draws them. The laid-out scan is kept
// until the record, the two values, the size or the font change: a page is
// repainted far more often (each expose, each tab switch) than its record
// changes.
template <typename Scan>
class KleinScanPlotWidget : public PlotWidget {
public:
    // The picture of a solved record in values: its range, bands, grid,
    // thresholds, curves (the last one carries the marker), legend and
    // summary; the widget adds the current and packet values.
    using PictureOf = plot::ScanPicture (*)(const Scan& scan);

    // An empty page with the given title, placeholder and layout.
    KleinScanPlotWidget(QWidget* parent, ScanPage page, PictureOf pictureOf)
        : PlotWidget(parent), page_(std::move(page)), pictureOf_(pictureOf)
    {
    }

    // Copies the record and the two values and repaints.
    void setScan(const Scan& scan, double current, double packetMaxPRight)
    {
        scan_ = scan;
        current_ = current;
        packetMaxPRight_ = packetMaxPRight;
        emptyReason_.clear();
        redraw();
    }
    // Back to the empty record and no packet value; the current value stays.
    void reset()
    {
        scan_ = Scan{};
        packetMaxPRight_ = -1.0;
        emptyReason_.clear();
        redraw();
    }
    // What the empty page says instead of its placeholder, where its
    // experiment is loaded but gives no scan; until the next reset().
    void setEmptyReason(const QString& reason)
    {
        emptyReason_ = reason;
        update();
    }
    const QString& emptyReason() const { return emptyReason_; }

    // Where the panel, its labels and its texts lie at the widget's size.
    plot::ScanLayout scanLayout() const
    {
        return hasScan() ? plot::scanLayoutFor(page_.layout, size(), font(), pictureOf_(scan_)) : page_.layout;
    }

    // How many times the scan has been laid out since construction (a paint
    // that finds the laid-out scan current draws it as it is).
    int scanLayouts() const { return scanLayouts_; }

protected:
    // The title over the scan, or the placeholder without a solved scan; the
    // scan laid out again only when it is out of date.
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        if (!plot::beginTitledPage(painter, rect(), font(), plot::kKleinPage, page_.title, hasScan(),
                                   emptyReason_.isEmpty() ? page_.placeholder : emptyReason_))
            return;
        if (!drawing_ || laidOutAt_ != size()) {
            plot::ScanPicture scanPicture = pictureOf_(scan_);
            scanPicture.current = current_;
            scanPicture.packetMaxPRight = packetMaxPRight_;
            drawing_ = plot::layOutScan(size(), font(), page_.layout, std::move(scanPicture));
            laidOutAt_ = size();
            ++scanLayouts_;
        }
        plot::paintScan(painter, size(), *drawing_);
    }
    void changeEvent(QEvent* event) override
    {
        if (event->type() == QEvent::FontChange)
            drawing_.reset();
        PlotWidget::changeEvent(event);
    }

private:
    // Whether the record holds a solved scan to draw; otherwise the page shows its placeholder.
    bool hasScan() const { return scan_.valid && !scan_.points.empty(); }

    void redraw()
    {
        drawing_.reset();
        update();
    }

    ScanPage page_;
    QString emptyReason_;
    PictureOf pictureOf_;
    Scan scan_;
    double current_ = 0.0;
    double packetMaxPRight_ = -1.0;
    std::optional<plot::ScanDrawing> drawing_;
    QSize laidOutAt_;
    int scanLayouts_ = 0;
};

} // namespace vxo
