#pragma once

#include "plots/RecorderPlotWidget.h"

namespace vxo {

// A recorder plot that needs one record of the experiment beside the recorder
// (the box of the revivals, the billiard, the lane profiles of the Zeno page):
// the window hands both over together and takes both back together.
template <typename Recorder, typename Record>
class RecordPlotWidget : public RecorderPlotWidget<Recorder> {
public:
    using RecorderPlotWidget<Recorder>::RecorderPlotWidget;

    // Stores the pointer (null means no data), copies the record and repaints.
    void setRecorder(const Recorder* recorder, const Record& record)
    {
        record_ = record;
        RecorderPlotWidget<Recorder>::setRecorder(recorder);
    }
    // Drops the pointer and sets the record back to its default, releasing
    // whatever storage the record held.
    void reset()
    {
        record_ = Record{};
        this->clearRecorder();
    }

protected:
    Record record_{};
};

} // namespace vxo
