#pragma once

#include <QWidget>

namespace vxo {

class AharonovBohmRecorder;

// The Aharonov-Bohm page: a time-against-y carpet of the density along the
// detector line (one column per sample, row 0 at the bottom) over the
// central-fringe intensity against time, with the enclosed flux, its phase
// and the newest sample summarised. Reads the main window's recorder through
// a non-owning pointer at paint time; a null, unconfigured or empty recorder
// shows the placeholder.
class QuantumAharonovBohmPlotWidget : public QWidget {
public:
    explicit QuantumAharonovBohmPlotWidget(QWidget* parent);
    ~QuantumAharonovBohmPlotWidget() override;

    QSize minimumSizeHint() const override;

    // Stores the pointer (never owned, never written) and repaints.
    void setRecorder(const AharonovBohmRecorder* recorder);
    void clearRecorder();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const AharonovBohmRecorder* recorder_ = nullptr;
};

} // namespace vxo
