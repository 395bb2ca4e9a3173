#include "app/form/CurrentPageScroller.h"

#include "common/AppTestSupport.h"

#include <QCoreApplication>
#include <QScrollArea>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace vxo {

// A plot taller than the area is shown from its top, the text above it a
// scroll away; a page without a layout or with an empty one stays at its top.
TEST(CurrentPageScroller, ChosenPageShowsItsPlotFromItsTopOrStaysAtTheTop)
{
    test::appTestApplication();
    QScrollArea area;
    area.resize(320, 240);
    auto* stack = new QStackedWidget(&area);
    QWidget* pages[] = {new QWidget(stack), new QWidget(stack), new QWidget(stack)};
    new QVBoxLayout(pages[1]);
    auto* layout = new QVBoxLayout(pages[2]);
    QWidget* parts[] = {new QWidget(pages[2]), new QWidget(pages[2])}; // text, plot
    for (int i = 0; i < 2; ++i) {
        parts[i]->setFixedHeight(300 + 100 * i);
        layout->addWidget(parts[i]);
    }
    for (QWidget* page : pages)
        stack->addWidget(page);
    area.setWidget(stack);
    CurrentPageScroller scroller(&area, stack);
    area.show();
    const std::pair<QWidget*, QWidget*> rows[] = {{pages[2], parts[1]}, {pages[0], pages[0]}, {pages[1], pages[1]}};
    for (const auto& [page, shownAtTop] : rows) {
        stack->setCurrentWidget(page);
        QCoreApplication::processEvents();
        EXPECT_EQ(shownAtTop->mapTo(area.viewport(), QPoint(0, 0)).y(), 0) << "page " << stack->currentIndex();
    }
}

} // namespace vxo
