#include "app/form/DockContentsHeight.h"

#include <QDockWidget>
#include <QEvent>
#include <QLayout>
#include <QScrollArea>
#include <QTimer>

namespace vxo {

namespace {

// The dock's contents: its widget, or the widget of its scroll area.
QWidget* contentsOf(QDockWidget* dock)
{
    auto* area = qobject_cast<QScrollArea*>(dock->widget());
    return area != nullptr ? area->widget() : dock->widget();
}

} // namespace

DockContentsHeight::DockContentsHeight(QDockWidget* dock) : QObject(contentsOf(dock)), contents_(contentsOf(dock))
{
    // The dock's height from its contents: a fixed minimum height on the
    // dock would stand for them in the dock area whatever they need.
    dock->setMinimumHeight(0);
    if (contents_)
        contents_->installEventFilter(this);
    fit();
}

void DockContentsHeight::fit()
{
    if (!contents_ || !contents_->layout())
        return;
    QLayout* layout = contents_->layout();
    const int needed = layout->hasHeightForWidth() ? layout->totalHeightForWidth(contents_->width())
                                                   : layout->totalMinimumSize().height();
    if (needed != contents_->minimumHeight())
        contents_->setMinimumHeight(needed);
}

bool DockContentsHeight::eventFilter(QObject* watched, QEvent* event)
{
    // Deferred: a new minimum relays the dock out, which resizes the contents.
    if ((event->type() == QEvent::Resize || event->type() == QEvent::LayoutRequest) && watched == contents_ &&
        !fitPending_) {
        fitPending_ = true;
        QTimer::singleShot(0, this, [this] {
            fitPending_ = false;
            fit();
        });
    }
    return QObject::eventFilter(watched, event);
}

} // namespace vxo
