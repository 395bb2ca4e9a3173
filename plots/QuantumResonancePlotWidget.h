#pragma once

#include "experiments/QuantumResonance2D.h"

#include <QString>
#include "plots/PlotAxes.h"
#include "plots/PlotPages.h"
#include "plots/PlotWidget.h"

#include <vector>

namespace vxo {

// Stationary plane-wave transmission T of a two-barrier scene against the
// scanned quantity (longitudinal energy or central cavity width) on a fixed
// [0, 1] axis, with the current configuration marked on the curve and the
// probability the running packet actually transmitted drawn as a horizontal
// line. The widget computes no physics: curve, marker and packet value are
// handed in by the main window. A point of the curve that is not finite is
// skipped and the line runs on across it.
class QuantumResonancePlotWidget : public PlotWidget {
public:
    explicit QuantumResonancePlotWidget(QWidget* parent);

    // Where the panel lies.
    static plot::PanelLayout layout();

    // Copies the scan (in scan order); fewer than two points show the placeholder.
    void setCurve(const std::vector<TransmissionPoint>& curve);
    // The caption under the horizontal axis; it outlives clear().
    void setXAxisLabel(const QString& label);
    // The marker is drawn only when both values are finite.
    void setMarkerPoint(double x, double transmission);
    // The packet line is drawn only when valid is set and the value is finite.
    void setPacketTransmission(bool valid, double value);
    // Empties the curve and hides marker and packet line.
    void clear();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<TransmissionPoint> curve_;
    QString xAxisLabel_;
    double markerX_ = 0.0;
    double markerT_ = 0.0;
    bool markerValid_ = false;
    double packetTransmission_ = 0.0;
    bool packetValid_ = false;
};

} // namespace vxo
