#include "app/form/KeyboardTrackingGate.h"

#include <QAbstractSpinBox>
#include <QEvent>

#include <utility>

namespace vxo {

KeyboardTrackingGate::KeyboardTrackingGate(QObject* parent, std::function<bool()> trackingAllowed)
    : QObject(parent), trackingAllowed_(std::move(trackingAllowed))
{
}

void KeyboardTrackingGate::watch(QAbstractSpinBox* box)
{
    if (!box)
        return;
    box->setKeyboardTracking(trackingAllowed_());
    box->installEventFilter(this);
}

bool KeyboardTrackingGate::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn)
        if (auto* box = qobject_cast<QAbstractSpinBox*>(watched))
            box->setKeyboardTracking(trackingAllowed_());
    return QObject::eventFilter(watched, event);
}

} // namespace vxo
