#pragma once

#include "plots/PlotWidget.h"

namespace vxo {

// A plot of a stationary transmission scan: a copy of the scan record, the
// current value of the scanned quantity (marked on the curve) and the largest
// probability the time-domain packet has transmitted (a negative value means
// there is none). The widget's paintEvent turns them into a ScanPicture for
// plot::paintScan.
template <typename Scan>
class ScanPlotWidget : public PlotWidget {
public:
    using PlotWidget::PlotWidget;

    // Copies the record and the two values and repaints.
    void setScan(const Scan& scan, double current, double packetMaxPRight)
    {
        scan_ = scan;
        current_ = current;
        packetMaxPRight_ = packetMaxPRight;
        update();
    }
    // Back to the empty record and no packet value; the current value stays.
    void reset()
    {
        scan_ = Scan{};
        packetMaxPRight_ = -1.0;
        update();
    }

protected:
    // Whether the record holds a solved scan to draw; otherwise the page shows its placeholder.
    bool hasScan() const { return scan_.valid && !scan_.points.empty(); }

    Scan scan_;
    double current_ = 0.0;
    double packetMaxPRight_ = -1.0;
};

} // namespace vxo
