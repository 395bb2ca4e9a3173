#pragma once

#include "experiments/QuantumZeno2D.h"

#include "plots/RecorderPlotWidget.h"

#include <vector>

class QPainter;

namespace vxo {

class ZenoRecorder;

// The quantum Zeno page: two copies of a packet in two lanes, the upper
// control lane left alone, the lower watched lane projected again and again
// onto the region left of the measurement edge. On top the survival of both
// lanes against time (the watched one decays more slowly); below the current
// x-profile of each lane, scaled for shape, with the measurement edge.
//
// The widget reads the main window's recorder through a non-owning pointer at
// paint time and keeps its own copy of the two lane profiles, which the main
// window computes from the current field.
class QuantumZenoPlotWidget : public RecorderPlotWidget<ZenoRecorder> {
public:
    using RecorderPlotWidget::RecorderPlotWidget;

    // Stores the pointer (null means no data) and copies the profiles.
    void setRecorder(const ZenoRecorder* recorder, const ZenoLaneProfiles& profiles);
    // Drops the pointer and the profiles (their storage released).
    void reset();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The control lane's survival or the watched lane's measured survival against time.
    void drawSurvivalCurve(QPainter& painter, const QRect& panel, double tmax, bool watched,
                           const QColor& colour) const;
    // One lane's profile across [xmin, xmax].
    void drawLaneProfile(QPainter& painter, const QRect& panel, const std::vector<float>& profile, double xmin,
                         double xmax, double pmax, const QColor& colour) const;

    double profileOriginX_ = 0.0;
    double profileStepX_ = 0.0;
    std::vector<float> controlProfile_;
    std::vector<float> watchedProfile_;
};

} // namespace vxo
