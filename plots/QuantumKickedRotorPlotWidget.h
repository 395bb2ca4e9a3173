#pragma once

#include <QWidget>

class QPainter;

namespace vxo {

class KickedRotorRecorder;

// The kicked-rotor page: a packet on a periodic x domain kicked at regular
// times. On top the stroboscopic carpet, one row per recorded kick (oldest at
// the top) and one column per momentum mode, coloured by sqrt(P(n) / Pmax);
// below the mean square mode <n^2> against the number of kicks, the quantum
// value (which stops growing: dynamical localisation) beside the classical
// standard map (which keeps diffusing).
//
// The widget reads the main window's recorder through a non-owning pointer at
// paint time and keeps nothing else.
class QuantumKickedRotorPlotWidget : public QWidget {
public:
    explicit QuantumKickedRotorPlotWidget(QWidget* parent);
    ~QuantumKickedRotorPlotWidget() override;
    QSize minimumSizeHint() const override;

    // Stores the pointer (null means no data).
    void setRecorder(const KickedRotorRecorder* recorder);
    // Drops the pointer.
    void clearRecorder();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // One <n^2> series of the lower panel against the kick count.
    void drawSeries(QPainter& painter, const QRect& panel, double kicks, double scale, bool classical) const;

    const KickedRotorRecorder* recorder_ = nullptr;
};

} // namespace vxo
