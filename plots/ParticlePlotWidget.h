#pragma once

#include "plots/RecorderPlotWidget.h"

namespace vxo {

// A recorder plot whose references are computed from the particle's mass and
// hbar (the Talbot time, the Airy levels, the trap frequency): it keeps copies
// of both beside the recorder.
template <typename Recorder>
class ParticlePlotWidget : public RecorderPlotWidget<Recorder> {
public:
    using RecorderPlotWidget<Recorder>::RecorderPlotWidget;

    // Stores the pointer (null means no data), the mass and hbar, and repaints.
    void setRecorder(const Recorder* recorder, double mass, double hbar)
    {
        mass_ = mass;
        hbar_ = hbar;
        RecorderPlotWidget<Recorder>::setRecorder(recorder);
    }

protected:
    double mass_ = 1.0;
    double hbar_ = 1.0;
};

} // namespace vxo
