#include "app/form/CurrentPageScroller.h"

#include <QEvent>
#include <QLayout>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>

#include <algorithm>

namespace vxo {

CurrentPageScroller::CurrentPageScroller(QScrollArea* area, QStackedWidget* stack)
    : area_(area), stack_(stack)
{
    area_->viewport()->installEventFilter(this);
    for (int i = 0; i < stack_->count(); ++i)
        stack_->widget(i)->installEventFilter(this);
    connect(stack_, &QStackedWidget::currentChanged, this, [this] {
        fit();
        revealPlot();
    });
    fit();
}

void CurrentPageScroller::revealPlot()
{
    const QWidget* page = stack_->currentWidget();
    const QLayout* layout = page ? page->layout() : nullptr;
    const QWidget* plot = layout && layout->count() > 0 ? layout->itemAt(layout->count() - 1)->widget() : nullptr;
    if (plot == nullptr)
        return;
    // The plot whole where the dock has room for it, its top panel first
    // where it has not; the page's text above stays a scroll away.
    const int top = plot->mapTo(stack_, QPoint(0, 0)).y();
    const int visible = area_->viewport()->height();
    const int value = plot->height() <= visible ? top + plot->height() - visible : top;
    area_->verticalScrollBar()->setValue(std::max(0, value));
}

void CurrentPageScroller::fit()
{
    const QWidget* page = stack_->currentWidget();
    if (page == nullptr)
        return;
    const QSize viewport = area_->viewport()->size();
    const QSize minimum = page->minimumSizeHint().expandedTo(page->minimumSize());
    const int width = std::max(viewport.width(), minimum.width());
    const int needed = page->hasHeightForWidth() ? page->heightForWidth(width) : page->sizeHint().height();
    const int height = std::max({viewport.height(), minimum.height(), needed});
    if (stack_->size() != QSize(width, height))
        stack_->resize(width, height);
}

bool CurrentPageScroller::eventFilter(QObject* watched, QEvent* event)
{
    // A page asks for a new layout when a summary or tutor text changes its
    // height; only the current page's request matters.
    const bool resized = watched == area_->viewport() && event->type() == QEvent::Resize;
    const bool relaid = watched == stack_->currentWidget() && event->type() == QEvent::LayoutRequest;
    if (resized || relaid)
        fit();
    return QObject::eventFilter(watched, event);
}

} // namespace vxo
