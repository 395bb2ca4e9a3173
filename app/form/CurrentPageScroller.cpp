#include "app/form/CurrentPageScroller.h"

#include "plots/PlotWidget.h"

#include <QBoxLayout>
#include <QEvent>
#include <QFontMetrics>
#include <QLayout>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>

#include <algorithm>
#include <vector>

namespace vxo {

namespace {

// A summary beside its plot keeps at least this width, and its plot the
// width of a plot on a page of the analysis dock at its narrowest: its axis
// numbers, title, legends and curves read as everywhere.
constexpr int kSummaryColumnWidth = 200;
constexpr int kPlotBesideWidth = 400;
// The steps in which the summary's column widens until its text fits the view.
constexpr int kSummaryColumnStep = 10;

// The height a widget needs at the given width.
int heightAt(const QWidget* widget, int width)
{
    const int forWidth = widget->hasHeightForWidth() ? widget->heightForWidth(width) : -1;
    return std::max(forWidth >= 0 ? forWidth : widget->sizeHint().height(), widget->minimumHeight());
}

// The least height of a plot at the given width: its minimum, or what its
// panels need at that width.
int plotLeastHeight(const QWidget* plot, int width)
{
    return std::max(plot->minimumHeight(), plot->hasHeightForWidth() ? plot->heightForWidth(width) : 0);
}

// The height a figure row needs at the given width, as it is laid out now.
int rowHeight(QBoxLayout* row, int width)
{
    return std::max(row->hasHeightForWidth() ? row->heightForWidth(width) : 0, row->minimumSize().height());
}

// Whether the row holds the summary beside its plot.
bool summaryBeside(const QBoxLayout* row) { return row->direction() == QBoxLayout::LeftToRight; }

} // namespace

CurrentPageScroller::CurrentPageScroller(QScrollArea* area, QStackedWidget* stack) : area_(area), stack_(stack)
{
    area_->viewport()->installEventFilter(this);
    for (int i = 0; i < stack_->count(); ++i) {
        QWidget* page = stack_->widget(i);
        page->installEventFilter(this);
        // The summary and the plot under it go into a row of their own, which
        // holds them over each other as the page did, or side by side.
        auto* layout = qobject_cast<QBoxLayout*>(page->layout());
        const int count = layout ? layout->count() : 0;
        QWidget* summary = count >= 2 ? layout->itemAt(count - 2)->widget() : nullptr;
        QWidget* plot = count >= 2 ? layout->itemAt(count - 1)->widget() : nullptr;
        if (summary == nullptr || plot == nullptr)
            continue;
        layout->removeWidget(plot);
        layout->removeWidget(summary);
        auto* row = new QBoxLayout(QBoxLayout::TopToBottom);
        row->setObjectName(page->objectName() + QStringLiteral("FigureRow"));
        layout->addLayout(row);
        row->addWidget(summary);
        row->addWidget(plot);
    }
    connect(stack_, &QStackedWidget::currentChanged, this, [this] { revealPlot(); });
    // Any scroll the user asks for (wheel, keys, the bar) leaves the view where he put it.
    connect(area_->verticalScrollBar(), &QAbstractSlider::actionTriggered, this, [this] { following_ = false; });
    revealPlot();
}

QBoxLayout* CurrentPageScroller::figureRowOf(const QWidget* page) const
{
    const QLayout* layout = page->layout();
    if (layout == nullptr || layout->count() == 0)
        return nullptr;
    return qobject_cast<QBoxLayout*>(layout->itemAt(layout->count() - 1)->layout());
}

void CurrentPageScroller::revealPlot()
{
    following_ = true;
    arrange(false);
    fit();
}

void CurrentPageScroller::fit()
{
    if (stack_->currentWidget() == nullptr)
        return;
    if (following_)
        reserved_ = 0;
    arrange(true);
    resizeStack();
    if (following_)
        place();
}

void CurrentPageScroller::arrange(bool keep)
{
    QWidget* page = stack_->currentWidget();
    QBoxLayout* row = page ? figureRowOf(page) : nullptr;
    if (row == nullptr)
        return;
    QWidget* summary = row->itemAt(0)->widget();
    const QWidget* plot = row->itemAt(1)->widget();
    const QMargins margins = page->layout()->contentsMargins();
    const int spacing = std::max(0, row->spacing());
    const QSize viewport = area_->viewport()->size();
    const int width = std::max(viewport.width(), page->minimumSizeHint().width()) - margins.left() - margins.right();
    // The figure alone in the view, over the page's bottom margin: the view
    // may start at the figure's top.
    const int room = viewport.height() - margins.bottom();
    // Decided from the texts' and the plot's heights at the widths they
    // would have, the row changed only when the decision changes: a row
    // changed on the way would ask for a new layout, and the next fit would
    // decide anew.
    const auto besideFits = [&](int column) {
        const int plotWidth = width - column - spacing;
        return plotWidth >= kPlotBesideWidth && heightAt(summary, column) <= room &&
               plotLeastHeight(plot, plotWidth) <= room;
    };
    const bool beside = summaryBeside(row);
    int column = 0;
    if (keep && beside && besideFits(summary->width())) {
        column = summary->width();
    } else if (heightAt(summary, width) + spacing + plotLeastHeight(plot, width) > room) {
        // The narrowest column that holds the summary's text in the view
        // leaves the plot the most width.
        for (int tried = kSummaryColumnWidth; width - tried - spacing >= kPlotBesideWidth;
             tried += kSummaryColumnStep) {
            if (besideFits(tried)) {
                column = tried;
                break;
            }
        }
    }
    if (column > 0) {
        if (!beside || summary->width() != column || summary->minimumWidth() != column) {
            summary->setFixedWidth(column);
            row->setAlignment(summary, Qt::AlignTop);
            row->setDirection(QBoxLayout::LeftToRight);
        }
    } else if (beside) {
        row->setDirection(QBoxLayout::TopToBottom);
        row->setAlignment(summary, Qt::Alignment());
        summary->setMinimumWidth(0);
        summary->setMaximumWidth(QWIDGETSIZE_MAX);
    }
}

void CurrentPageScroller::resizeStack()
{
    const QWidget* page = stack_->currentWidget();
    const QSize viewport = area_->viewport()->size();
    const QSize minimum = page->minimumSizeHint().expandedTo(page->minimumSize());
    // A page of wrapped texts needs its height at its width; its minimum
    // height is that of its texts at some other width (a summary in a
    // narrow column beside the plot reads taller there).
    const auto neededAt = [&](int width) {
        return page->hasHeightForWidth() ? page->heightForWidth(width)
                                         : std::max(page->sizeHint().height(), minimum.height());
    };
    int width = std::max(viewport.width(), minimum.width());
    int needed = neededAt(width);
    // A scroll bar shown for a page that fits the view once the bar's width
    // is given back to its texts goes: kept, it would narrow them into the
    // extra line that keeps it.
    const QScrollBar* bar = area_->verticalScrollBar();
    if (bar->isVisible() && reserved_ <= viewport.height()) {
        const int wider = std::max(viewport.width() + bar->width(), minimum.width());
        if (neededAt(wider) <= viewport.height()) {
            width = wider;
            needed = neededAt(wider);
        }
    }
    const int height = std::max({viewport.height(), needed, reserved_});
    if (stack_->size() != QSize(width, height))
        stack_->resize(width, height);
}

void CurrentPageScroller::place()
{
    QWidget* page = stack_->currentWidget();
    QLayout* layout = page->layout();
    QBoxLayout* row = figureRowOf(page);
    const QWidget* plot = nullptr;
    if (row != nullptr)
        plot = row->itemAt(1)->widget();
    else if (layout != nullptr && layout->count() > 0)
        plot = layout->itemAt(layout->count() - 1)->widget();
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
        // The plot at its least height: the page is then made as tall as
        // the view needs, and the plot takes the rest down to the view's bottom.
        int least = plotLeastHeight(plot, plot->width());
        if (row != nullptr && summaryBeside(row))
            least = rowHeight(row, row->geometry().width());
        const int shown = (stackedInView ? stacked : least) + margin;
        if (shown <= visible) {
            // The highest view that still shows the plot whole starts at
            // `earliest`; the view starts at the highest row top (or the
            // page's) from there, so the text above is never cut in a line.
            const int earliest = plotTop + shown - visible;
            const QWidget* summary = row != nullptr ? row->itemAt(0)->widget() : nullptr;
            std::vector<int> tops{page->mapTo(stack_, QPoint(0, 0)).y()};
            for (int i = 0; i + 1 < layout->count(); ++i) {
                const QRect rowShown = layout->itemAt(i)->geometry();
                if (!rowShown.isEmpty())
                    tops.push_back(page->mapTo(stack_, rowShown.topLeft()).y());
            }
            if (summary != nullptr)
                tops.push_back(summary->mapTo(stack_, QPoint(0, 0)).y());
            for (const int top : tops)
                if (top >= earliest)
                    value = std::min(value, top);
            // A summary over the plot that the view cannot hold with it shows
            // its last whole lines over the whole plot.
            if (summary != nullptr && !summaryBeside(row) && value == plotTop) {
                const int summaryTop = summary->mapTo(stack_, QPoint(0, 0)).y();
                const int line = std::max(1, QFontMetrics(summary->font()).lineSpacing());
                if (earliest > summaryTop)
                    value = std::min(plotTop, summaryTop + (earliest - summaryTop + line - 1) / line * line);
            }
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
    // height; only the current page's request matters. A new view size
    // chooses the figure's arrangement afresh.
    if (watched == area_->viewport() && event->type() == QEvent::Resize) {
        arrange(false);
        fit();
    } else if (watched == stack_->currentWidget() && event->type() == QEvent::LayoutRequest) {
        fit();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace vxo
