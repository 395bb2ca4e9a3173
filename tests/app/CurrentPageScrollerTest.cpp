#include "app/form/CurrentPageScroller.h"

#include "common/AppTestSupport.h"

#include <QCoreApplication>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace vxo {
namespace {

// A page without a layout or with an empty one has no plot to bring into
// view and is shown from its top; a plot taller than the area is shown from
// its own top, the text above it a scroll away.
TEST(CurrentPageScroller, ChosenPageShowsItsPlotFromItsTopOrStaysAtTheTop)
{
    test::appTestApplication();
    QScrollArea area;
    area.resize(320, 240);
    auto* stack = new QStackedWidget(&area);
    auto* bare = new QWidget(stack);
    auto* empty = new QWidget(stack);
    new QVBoxLayout(empty);
    auto* plotted = new QWidget(stack);
    auto* layout = new QVBoxLayout(plotted);
    auto* text = new QWidget(plotted);
    text->setFixedHeight(300);
    auto* plot = new QWidget(plotted);
    plot->setFixedHeight(400);
    layout->addWidget(text);
    layout->addWidget(plot);
    for (QWidget* page : {bare, empty, plotted})
        stack->addWidget(page);
    area.setWidget(stack);
    CurrentPageScroller scroller(&area, stack);
    area.show();
    QCoreApplication::processEvents();

    const struct {
        QWidget* page;
        const QWidget* shownAtTop; // whose top the viewport's top shows
    } rows[] = {{plotted, plot}, {bare, bare}, {empty, empty}, {plotted, plot}};
    for (const auto& row : rows) {
        stack->setCurrentWidget(row.page);
        QCoreApplication::processEvents();
        EXPECT_EQ(row.shownAtTop->mapTo(area.viewport(), QPoint(0, 0)).y(), 0) << "page " << stack->currentIndex();
    }
}

} // namespace
} // namespace vxo
