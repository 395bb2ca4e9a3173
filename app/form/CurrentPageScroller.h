#pragma once

#include <QObject>

class QEvent;
class QScrollArea;
class QStackedWidget;

namespace vxo {

// Keeps a stacked widget inside a scroll area exactly as large as its current
// page needs: the viewport's width (or the page's minimum width, if larger)
// and the viewport's height (or the page's height at that width, if larger).
// A stacked widget alone would take the largest of all its pages and let a
// short page scroll through the empty height of a long one. The area must not
// resize its widget itself. Owned by the caller, without a parent, and
// destroyed before the area and the stack.
class CurrentPageScroller : public QObject {
public:
    CurrentPageScroller(QScrollArea* area, QStackedWidget* stack);

    // Resizes the stack to the current page; nothing without a page. Until
    // the user scrolls, the page is also placed again (revealPlot), so a text
    // above the plot that grows or a dock that changes height keeps the
    // opening view.
    void fit();
    // Opens the current page the same way whatever was shown before: its
    // plot, the last item of its layout, seen whole with the whole rows above
    // it that fit, the view starting at a row's top so no line is cut; where
    // the plot is taller than the area, from the plot's top. A two-panel plot
    // that the area holds stacked is shown so, with the whole rows above it
    // that still fit. The row right above the plot, the page's summary, is
    // always in view from its top: where the area cannot hold it with the
    // whole plot, the plot is seen from its top down and the rest is a scroll
    // away. A page without a plot opens at its top.
    void revealPlot();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
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
