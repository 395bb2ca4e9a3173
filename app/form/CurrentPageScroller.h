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

    // Resizes the stack to the current page; nothing without a page.
    void fit();
    // Scrolls a newly chosen page so that its plot, the last item of its
    // layout, is seen whole, or from its top where it is taller than the
    // area; nothing on a page that fits.
    void revealPlot();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QScrollArea* area_;
    QStackedWidget* stack_;
};

} // namespace vxo
