#pragma once

#include <QObject>

class QBoxLayout;
class QEvent;
class QScrollArea;
class QStackedWidget;
class QWidget;

namespace vxo {

// Keeps a stacked widget inside a scroll area exactly as large as its current
// page needs: the viewport's width (or the page's minimum width, if larger)
// and the viewport's height (or the page's height at that width, if larger).
// A stacked widget alone would take the largest of all its pages and let a
// short page scroll through the empty height of a long one. The area must not
// resize its widget itself. Owned by the caller, without a parent, and
// destroyed before the area and the stack.
//
// A page's figure is its plot, the last item of its layout, under its
// summary, the item before it. The scroller holds the two in a row of their
// own that it lays out in one of two ways: the summary over the plot, or,
// where the view cannot hold both so but the page is wide enough for the
// plot to keep 400 px beside a column of at least 200 px that holds the
// summary, the summary in that column, which then takes the view's height.
class CurrentPageScroller : public QObject {
public:
    CurrentPageScroller(QScrollArea* area, QStackedWidget* stack);

    // Resizes the stack to the current page; nothing without a page. Until
    // the user scrolls, the page is also placed again (revealPlot), so a text
    // above the plot that grows or a dock that changes height keeps the
    // opening view.
    void fit();
    // Opens the current page the same way whatever was shown before: its
    // plot seen whole wherever the view can hold it, and with it the summary
    // (over it, else beside it) and the whole rows above that still fit, the
    // view starting at a row's top so no line is cut. Where the view cannot
    // hold the summary with the plot either way, the plot is whole under as
    // many of the summary's last lines as fit; a plot taller than the view
    // is seen from its top. A page without a plot opens at its top.
    void revealPlot();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The row holding the page's summary and plot; null where the page has
    // no summary over a plot.
    QBoxLayout* figureRowOf(const QWidget* page) const;
    // Lays the current page's figure row out over or beside, as the view
    // needs; with `keep`, a row beside stays so while it still fits.
    void arrange(bool keep);
    void resizeStack();
    void place();

    QScrollArea* area_;
    QStackedWidget* stack_;
    // Whether the view is still where the scroller put it (no user scroll since).
    bool following_ = true;
    // The height the placed view needs below its top, when the page alone is
    // shorter: the plot then takes the extra height.
    int reserved_ = 0;
};

} // namespace vxo
