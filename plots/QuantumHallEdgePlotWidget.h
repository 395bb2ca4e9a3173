#pragma once

#include <QWidget>

namespace vxo {

class HallEdgeRecorder;

// The Hall-edge page: the trajectory of the mean position in a fixed window
// over the confining edge and its wall, and under it the probability in the
// edge strip and the drift along the edge against time, with the chirality
// and the newest sample summarised. Reads the main window's recorder through
// a non-owning pointer at paint time; a null, unconfigured or empty recorder
// shows the placeholder.
class QuantumHallEdgePlotWidget : public QWidget {
public:
    explicit QuantumHallEdgePlotWidget(QWidget* parent);
    ~QuantumHallEdgePlotWidget() override;

    QSize minimumSizeHint() const override;

    // Stores the pointer (never owned, never written) and repaints.
    void setRecorder(const HallEdgeRecorder* recorder);
    void clearRecorder();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const HallEdgeRecorder* recorder_ = nullptr;
};

} // namespace vxo
