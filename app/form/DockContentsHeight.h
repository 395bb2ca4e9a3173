#pragma once

#include <QObject>

class QDockWidget;
class QEvent;
class QWidget;

namespace vxo {

// Keeps a dock's contents at least as tall as their layout needs at their
// current width, and the dock's minimum height at what its contents need.
// Contents with word-wrapped text grow taller as they narrow or as their
// text lengthens, which a fixed minimum on the dock does not follow: the
// dock area would squeeze the contents under their own minimum and the
// labels would overlap. Contents in a scroll area of the dock scroll
// instead where the dock is shorter. The object is a child of the contents.
class DockContentsHeight : public QObject {
public:
    explicit DockContentsHeight(QDockWidget* dock);

    // The contents' minimum height again at their present width; queued
    // after every resize and relayout of the contents.
    void fit();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* contents_;
    bool fitPending_ = false;
};

} // namespace vxo
