#pragma once

#include <QWidget>

namespace vxo {

class MoshinskyRecorder;

// The Moshinsky-shutter page: a carpet of the line density P(x, t) (time
// running downwards, each sample's row placed at its recording time on the
// same 0..tEnd scale as the opening-time line and the labels) with the
// shutter, the detector and the opening time marked, and under it the line
// density at the detector against time. The widget reads the main window's
// recorder through a non-owning pointer at paint time; a null, unconfigured
// or empty recorder shows the placeholder.
class QuantumMoshinskyPlotWidget : public QWidget {
public:
    explicit QuantumMoshinskyPlotWidget(QWidget* parent);
    ~QuantumMoshinskyPlotWidget() override;

    QSize minimumSizeHint() const override;

    // Stores the pointer (never owned, never written) and repaints.
    void setRecorder(const MoshinskyRecorder* recorder);
    void clearRecorder();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const MoshinskyRecorder* recorder_ = nullptr;
};

} // namespace vxo
