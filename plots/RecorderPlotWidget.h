#pragma once

#include "plots/PlotPages.h"
#include "plots/PlotWidget.h"

namespace vxo {

// A plot of one of the main window's recorders, read at paint time through a
// non-owning pointer: the recorder belongs to the window, which hands it over
// when its experiment is loaded and takes it back (clearRecorder) before it
// goes. A plot of this kind is its paintEvent; a plot that needs more than the
// recorder (a mass, a box) keeps it beside and hands the pointer on here.
template <typename Recorder>
class RecorderPlotWidget : public PlotWidget {
public:
    using PlotWidget::PlotWidget;

    // Stores the pointer (never owned, never written; null shows the
    // placeholder) and repaints.
    void setRecorder(const Recorder* recorder) { this->keep(recorder_, recorder); }
    void clearRecorder() { setRecorder(nullptr); }

protected:
    // Opens the paint of the page in this widget's rectangle and font
    // (plot::beginTitledPage): true when there are samples to draw, false once
    // the placeholder is painted.
    bool beginPage(QPainter& painter, const plot::TitledPage& page, const QString& title,
                   const QString& placeholder) const
    {
        return plot::beginTitledPage(painter, rect(), font(), page, title, hasSamples(), placeholder);
    }

    // Whether there is anything to draw: a recorder that is configured and
    // holds a sample. Without it the plot draws its placeholder.
    bool hasSamples() const
    {
        return recorder_ != nullptr && recorder_->isConfigured() && !recorder_->samples().empty();
    }

    const Recorder* recorder_ = nullptr;
};

} // namespace vxo
