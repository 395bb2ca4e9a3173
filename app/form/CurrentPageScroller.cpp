#include "app/form/CurrentPageScroller.h"

#include "plots/PlotWidget.h"

#include <QEvent>
#include <QLayout>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>

#include <algorithm>

namespace vxo {

CurrentPageScroller::CurrentPageScroller(QScrollArea* area, QStackedWidget* stack) : area_(area), stack_(stack)
{
    area_->viewport()->installEventFilter(this);
    for (int i = 0; i < stack_->count(); ++i)
        stack_->widget(i)->installEventFilter(this);
    connect(stack_, &QStackedWidget::currentChanged, this, [this] { revealPlot(); });
    // Any scroll the user asks for (wheel, keys, the bar) leaves the view where he put it.
    connect(area_->verticalScrollBar(), &QAbstractSlider::actionTriggered, this, [this] { following_ = false; });
    revealPlot();
}

void CurrentPageScroller::revealPlot()
{
    following_ = true;
    fit();
}

void CurrentPageScroller::fit()
{
    if (stack_->currentWidget() == nullptr)
        return;
    if (following_)
        reserved_ = 0;
    resizeStack();
    if (following_)
        place();
}

void CurrentPageScroller::resizeStack()
{
    const QWidget* page = stack_->currentWidget();
    const QSize viewport = area_->viewport()->size();
    const QSize minimum = page->minimumSizeHint().expandedTo(page->minimumSize());
    const int width = std::max(viewport.width(), minimum.width());
    const int needed = page->hasHeightForWidth() ? page->heightForWidth(width) : page->sizeHint().height();
    const int height = std::max({viewport.height(), minimum.height(), needed, reserved_});
    if (stack_->size() != QSize(width, height))
        stack_->resize(width, height);
}

void CurrentPageScroller::place()
{
    QWidget* page = stack_->currentWidget();
    QLayout* layout = page->layout();
    const QWidget* plot = layout && layout->count() > 0 ? layout->itemAt(layout->count() - 1)->widget() : nullptr;
    int value = 0;
    if (plot != nullptr) {
        layout->activate();
        const int visible = area_->viewport()->height();
        const int plotTop = plot->mapTo(stack_, QPoint(0, 0)).y();
        value = plotTop;
        // A plot that lays its panels side by side only for want of height
        // is shown stacked where the view holds them so, with the page's
        // margin under them, and with the rows above them that still fit.
        const auto* panels = dynamic_cast<const PlotWidget*>(plot);
        const int stacked = panels ? panels->stackedHeight() : 0;
        const int margin = layout->contentsMargins().bottom();
        const bool stackedInView = plot->height() < stacked && stacked + margin <= visible;
        const int shown = stackedInView ? stacked + margin : plot->height();
        if (shown <= visible) {
            // The highest view that still shows the plot whole starts at
            // `earliest`; the view starts at the first row's top (or the
            // page's) from there, so the text above is never cut in a line.
            const int earliest = plotTop + shown - visible;
            if (earliest <= 0)
                value = 0;
            for (int i = 0; i + 1 < layout->count(); ++i) {
                const QRect row = layout->itemAt(i)->geometry();
                const int rowTop = page->mapTo(stack_, row.topLeft()).y();
                if (!row.isEmpty() && rowTop >= earliest)
                    value = std::min(value, rowTop);
            }
        }
        // The text right above the plot is the page's summary, which holds
        // the figures a class is told to read: the view never starts below
        // its top, even where the plot is then not seen whole.
        if (layout->count() > 1) {
            const QRect summary = layout->itemAt(layout->count() - 2)->geometry();
            if (!summary.isEmpty())
                value = std::min(value, page->mapTo(stack_, summary.topLeft()).y());
        }
        // A view starting there may reach below the page: the page is made
        // that tall, its plot taking the difference.
        if (value + visible > stack_->height()) {
            reserved_ = value + visible;
            resizeStack();
        }
    }
    area_->verticalScrollBar()->setValue(value);
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
