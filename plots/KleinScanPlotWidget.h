#pragma once

#include "plots/PlotWidget.h"
#include "plots/ScanPainting.h"

#include <QEvent>
#include <QPainter>
#include <QSize>
#include <QString>

#include <optional>
#include <utility>

namespace vxo {

// What a scan page states besides its picture: its title, the placeholder
// shown while it holds no solved scan, and where its parts lie.
struct ScanPage {
    QString title;
    QString placeholder;
    plot::ScanLayout layout;
};

// A Klein page of a stationary transmission scan: a copy of the scan record,
// the current value of the scanned quantity (marked on the curve) and the
// largest probability the time-domain packet has transmitted (a negative value
// means there is none). A scan widget states its picture in values
// (picture()); plot::layOutScan turns it into paths at the widget's size and
// plot::paintScan draws them. The laid-out scan is kept until the record, the
// two values, the size or the font change: a page is repainted far more often
// (each expose, each tab switch) than its record changes.
template <typename Scan>
class KleinScanPlotWidget : public PlotWidget {
public:
    using PlotWidget::PlotWidget;

    // Copies the record and the two values and repaints.
    void setScan(const Scan& scan, double current, double packetMaxPRight)
    {
        scan_ = scan;
        current_ = current;
        packetMaxPRight_ = packetMaxPRight;
        redraw();
    }
    // Back to the empty record and no packet value; the current value stays.
    void reset()
    {
        scan_ = Scan{};
        packetMaxPRight_ = -1.0;
        redraw();
    }

    // Where the panel, its labels and its texts lie at the widget's size.
    plot::ScanLayout scanLayout() const
    {
        return hasScan() ? plot::withLegendRoom(page().layout, size(), font(), picture().legend) : page().layout;
    }

    // How many times the scan has been laid out since construction (a paint
    // that finds the laid-out scan current draws it as it is).
    int scanLayouts() const { return scanLayouts_; }

protected:
    // The page's title, placeholder and layout.
    virtual ScanPage page() const = 0;
    // The held scan in values: its range, bands, grid, thresholds, curves (the
    // last one carries the marker), legend and summary. Called only while
    // there is a solved scan; the current and packet values are added here.
    virtual plot::ScanPicture picture() const = 0;

    // The curve through the record's points, (point.*value,
    // point.*transmission) each, an unsolved point a gap.
    template <typename Point>
    plot::ScanCurve curveOf(double Point::*value, double Point::*transmission,
                            const QColor& colour = QColor(plot::kScanCurve), double width = 2.4) const
    {
        plot::ScanCurve curve{{}, colour, width};
        curve.points.reserve(scan_.points.size());
        for (const Point& p : scan_.points)
            curve.points.push_back({p.valid, p.*value, p.*transmission});
        return curve;
    }

    // The title over the scan, or the placeholder without a solved scan; the
    // scan laid out again only when it is out of date.
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const ScanPage scanPage = page();
        if (!plot::beginTitledPage(painter, rect(), font(), plot::kKleinPage, scanPage.title, hasScan(),
                                   scanPage.placeholder))
            return;
        if (!drawing_ || laidOutAt_ != size()) {
            plot::ScanPicture scanPicture = picture();
            scanPicture.current = current_;
            scanPicture.packetMaxPRight = packetMaxPRight_;
            drawing_ = plot::layOutScan(size(), font(), scanPage.layout, std::move(scanPicture));
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

    // Whether the record holds a solved scan to draw; otherwise the page shows its placeholder.
    bool hasScan() const { return scan_.valid && !scan_.points.empty(); }

    Scan scan_;
    double current_ = 0.0;
    double packetMaxPRight_ = -1.0;

private:
    void redraw()
    {
        drawing_.reset();
        update();
    }

    std::optional<plot::ScanDrawing> drawing_;
    QSize laidOutAt_;
    int scanLayouts_ = 0;
};

} // namespace vxo
