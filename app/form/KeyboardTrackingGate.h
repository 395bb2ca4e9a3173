#pragma once

#include <QObject>

#include <functional>

class QAbstractSpinBox;
class QEvent;

namespace vxo {

// Decides, each time a watched spin box takes the keyboard focus, whether
// every keystroke in it counts as a new value (keyboard tracking) or only the
// value the user enters or leaves behind. The window watches the spin boxes
// whose value rebuilds the simulation: a keystroke rebuild is quick on the
// smaller grids but takes a seventh of a second and more at 1024 x 1024,
// where typing "12.5" would stall the window four times. Arrow keys and the
// wheel step the value at once either way.
class KeyboardTrackingGate : public QObject {
public:
    // `trackingAllowed` is asked at every focus change; the gate belongs to `parent`.
    KeyboardTrackingGate(QObject* parent, std::function<bool()> trackingAllowed);

    // Starts deciding for `box`, first right away.
    void watch(QAbstractSpinBox* box);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<bool()> trackingAllowed_;
};

} // namespace vxo
