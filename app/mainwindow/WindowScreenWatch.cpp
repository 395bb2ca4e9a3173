#include "app/mainwindow/WindowScreenWatch.h"

#include <QEvent>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <utility>

namespace vxo {

WindowScreenWatch::WindowScreenWatch(QWidget* window, std::function<void()> exposed,
                                     std::function<void(const QRect&)> screenChanged)
    : QObject(window), window_(window), exposed_(std::move(exposed)), screenChanged_(std::move(screenChanged))
{
    window_->installEventFilter(this);
}

bool WindowScreenWatch::eventFilter(QObject* watched, QEvent* event)
{
    // The window system's window exists by the time the widget is shown.
    if (watched == window_ && event->type() == QEvent::Show && handle_ == nullptr) {
        if (QWindow* handle = window_->windowHandle()) {
            handle_ = handle;
            handle->installEventFilter(this);
            connect(handle, &QWindow::screenChanged, this, [this](QScreen* screen) {
                follow(screen);
                changed();
            });
            follow(handle->screen());
            screenGeometry_ = screen_ ? screen_->geometry() : QRect();
        }
    } else if (watched == handle_ && event->type() == QEvent::Expose && handle_->isExposed()) {
        exposed_();
    }
    return QObject::eventFilter(watched, event);
}

void WindowScreenWatch::follow(QScreen* screen)
{
    disconnect(geometryChanged_);
    disconnect(availableChanged_);
    screen_ = screen;
    if (screen == nullptr)
        return;
    geometryChanged_ = connect(screen, &QScreen::geometryChanged, this, &WindowScreenWatch::changed);
    availableChanged_ = connect(screen, &QScreen::availableGeometryChanged, this, &WindowScreenWatch::changed);
}

void WindowScreenWatch::changed()
{
    // A screen change comes as several signals (the geometry, then the
    // available area; the window's new screen): one call once all are in.
    if (changePending_)
        return;
    changePending_ = true;
    QTimer::singleShot(0, this, [this] {
        changePending_ = false;
        const QRect previous = screenGeometry_;
        screenGeometry_ = screen_ ? screen_->geometry() : QRect();
        screenChanged_(previous);
    });
}

} // namespace vxo
