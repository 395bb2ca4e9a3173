#include "app/form/CurrentPageScroller.h"

#include "common/AppTestSupport.h"

#include "plots/PlotWidget.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLayout>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <memory>

#include <string>
#include <vector>

namespace vxo {
namespace {

// An analysis page: rows of text of the given heights over a plot of at
// least plotHeight that takes any extra height.
QWidget* addPage(QStackedWidget& stack, const std::vector<int>& rows, int plotHeight)
{
    auto* page = new QWidget(&stack);
    auto* layout = new QVBoxLayout(page);
    for (const int height : rows) {
        auto* row = new QWidget(page);
        row->setFixedHeight(height);
        layout->addWidget(row);
    }
    auto* plot = new QWidget(page);
    plot->setMinimumHeight(plotHeight);
    plot->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    layout->addWidget(plot);
    stack.addWidget(page);
    return page;
}

// The page's summary and plot, in the row the scroller holds them in.
QLayout& figureRow(QWidget& page) { return *page.layout()->itemAt(page.layout()->count() - 1)->layout(); }
QWidget& summaryOf(QWidget& page) { return *figureRow(page).itemAt(0)->widget(); }
QWidget& plotOf(QWidget& page) { return *figureRow(page).itemAt(1)->widget(); }

// Where the view starts, in the page: the scroll bar's value.
int viewTop(const QScrollArea& area) { return area.verticalScrollBar()->value(); }

// The tops of the page's rows (the plot's included) and of the page itself:
// the only places a view may start without cutting a line.
std::vector<int> rowTops(QWidget& page)
{
    std::vector<int> tops{0};
    for (int i = 0; i < page.layout()->count(); ++i)
        tops.push_back(page.layout()->itemAt(i)->geometry().top());
    tops.push_back(plotOf(page).geometry().top());
    return tops;
}

void userScrolls(QScrollArea& area) { area.verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd); }

struct Area {
    QScrollArea area;
    QStackedWidget* stack = new QStackedWidget(&area);
    QWidget* chart = nullptr;
    QWidget* other = nullptr;

    explicit Area(int viewportHeight)
    {
        area.setFrameShape(QFrame::NoFrame);
        area.resize(360, viewportHeight);
        chart = addPage(*stack, {26, 60, 60}, 200);
        other = addPage(*stack, {300, 40}, 500);
        area.setWidget(stack);
    }
};

} // namespace

// Whatever page was shown before and however the user left it, a page opens
// with the same view: its plot whole wherever the view holds it, with the
// summary (the row above the plot) and the whole rows above that fit, the
// view starting on a row's top; where the view cannot hold the summary with
// the whole plot, the plot whole under the summary's last lines; a plot
// taller than the view from its top.
TEST(CurrentPageScroller, EveryPageOpensTheSameWayWhateverWasShownBefore)
{
    test::appTestApplication();
    // View heights: the whole page fits; the plot and part of the rows fit
    // (the rest of a row less than a row); the plot alone fits; it does not.
    for (const int height : {420, 300, 214, 150}) {
        const std::string at = "view " + std::to_string(height) + " px";
        Area fresh(height);
        CurrentPageScroller scroller(&fresh.area, fresh.stack);
        fresh.area.show();
        QCoreApplication::processEvents();
        QWidget& plot = plotOf(*fresh.chart);
        const int opening = viewTop(fresh.area);
        const int visible = fresh.area.viewport()->height();
        const int shownTop = plot.mapTo(fresh.area.viewport(), QPoint(0, 0)).y();
        EXPECT_GE(shownTop, 0) << at << ": the plot's top is scrolled away";
        const int summaryTop = summaryOf(*fresh.chart).geometry().top();
        const int margin = fresh.chart->layout()->contentsMargins().bottom();
        if (plot.geometry().bottom() + 1 - summaryTop <= visible) {
            EXPECT_LE(shownTop + plot.height(), visible) << at << ": the plot is not seen whole";
            EXPECT_LE(opening, summaryTop) << at << ": the summary's top is scrolled away";
            const std::vector<int> tops = rowTops(*fresh.chart);
            EXPECT_NE(std::find(tops.begin(), tops.end(), opening), tops.end())
                << at << ": the view starts inside a row, at " << opening;
        } else if (plot.minimumHeight() + margin <= visible) {
            EXPECT_LE(shownTop + plot.height(), visible) << at << ": the plot is not seen whole";
            EXPECT_GE(opening, summaryTop) << at << ": the view starts above the summary";
        } else {
            EXPECT_EQ(shownTop, 0) << at << ": a plot taller than the view is not shown from its top";
        }
        if (height >= 420) {
            EXPECT_EQ(opening, 0) << at << ": a page that fits is shown from its top";
        }

        // After another page, after the user's scrolling, and opened again while current.
        userScrolls(fresh.area);
        fresh.stack->setCurrentWidget(fresh.other);
        QCoreApplication::processEvents();
        userScrolls(fresh.area);
        fresh.stack->setCurrentWidget(fresh.chart);
        QCoreApplication::processEvents();
        EXPECT_EQ(viewTop(fresh.area), opening) << at << ": chosen after another page";
        userScrolls(fresh.area);
        scroller.revealPlot();
        QCoreApplication::processEvents();
        EXPECT_EQ(viewTop(fresh.area), opening) << at << ": opened again while current";
    }
}

// A text above the plot that grows after the page opened (its summary
// rewritten) keeps the plot where it was put, until the user scrolls: then
// the view stays where he left it.
TEST(CurrentPageScroller, AGrowingTextKeepsThePlotInViewUntilTheUserScrolls)
{
    test::appTestApplication();
    Area fresh(300);
    CurrentPageScroller scroller(&fresh.area, fresh.stack);
    fresh.area.show();
    QCoreApplication::processEvents();
    QWidget& plot = plotOf(*fresh.chart);
    QWidget& summary = *fresh.chart->layout()->itemAt(1)->widget();
    const int shown = plot.mapTo(fresh.area.viewport(), QPoint(0, 0)).y();
    summary.setFixedHeight(120);
    QCoreApplication::processEvents();
    EXPECT_EQ(plot.mapTo(fresh.area.viewport(), QPoint(0, 0)).y(), shown) << "the plot moved with the text above it";

    userScrolls(fresh.area);
    const int left = viewTop(fresh.area);
    summary.setFixedHeight(40);
    QCoreApplication::processEvents();
    EXPECT_EQ(viewTop(fresh.area), left) << "the view left the place the user scrolled to";
}

// Two panels that lie side by side where the plot is shorter than they need
// stacked, 100 + 200 px high.
class SplitPlot : public PlotWidget {
public:
    using PlotWidget::PlotWidget;

protected:
    std::optional<plot::SplitLayout> splitLayout() const override
    {
        return plot::SplitLayout{}.withTop(40.0).withBottom(30.0).withGap(30.0).withMinimumHeight(240.0);
    }
};

// A view as tall as those stacked panels but for the page's margin under
// the plot cannot show them stacked: it does not give up the text above the
// plot for them.
TEST(CurrentPageScroller, APlotTheViewCannotHoldStackedUnderTheMarginKeepsTheTextAboveInView)
{
    test::appTestApplication();
    QScrollArea area;
    area.setFrameShape(QFrame::NoFrame);
    auto* stack = new QStackedWidget(&area);
    auto* page = new QWidget(stack);
    auto* layout = new QVBoxLayout(page);
    auto* text = new QWidget(page);
    text->setFixedHeight(40);
    layout->addWidget(text);
    auto* plot = new SplitPlot(page);
    plot->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    layout->addWidget(plot);
    stack->addWidget(page);
    area.setWidget(stack);
    area.resize(600, plot->stackedHeight() + layout->contentsMargins().bottom() - 1);
    CurrentPageScroller scroller(&area, stack);
    area.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(viewTop(area), 0) << "the text above the plot is scrolled away";
    EXPECT_LE(plot->mapTo(area.viewport(), QPoint(0, plot->height())).y(), area.viewport()->height())
        << "the plot is not seen whole";
}

// A page of a summary of `repeats` figures over a plot of at least
// plotHeight, alone in a scroll area of the given size with its scroller.
struct SummaryPage {
    QScrollArea area;
    QLabel* summary = nullptr;
    QWidget* plot = nullptr;
    std::unique_ptr<CurrentPageScroller> scroller;

    SummaryPage(const QSize& size, int repeats, int plotHeight)
    {
        area.setFrameShape(QFrame::NoFrame);
        auto* stack = new QStackedWidget(&area);
        auto* page = new QWidget(stack);
        auto* layout = new QVBoxLayout(page);
        summary = new QLabel(QString(12, QLatin1Char('x')).append(QStringLiteral(" 0.125")).repeated(repeats), page);
        summary->setWordWrap(true);
        layout->addWidget(summary);
        plot = new QWidget(page);
        plot->setMinimumHeight(plotHeight);
        plot->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
        layout->addWidget(plot);
        stack->addWidget(page);
        area.setWidget(stack);
        area.resize(size);
        scroller = std::make_unique<CurrentPageScroller>(&area, stack);
        area.show();
        QCoreApplication::processEvents();
    }
    ~SummaryPage() { scroller.reset(); }
};

// A view too short for the summary over the plot, on a page wide enough for
// both side by side, shows the summary's text whole beside the whole plot;
// widened so that both fit one over the other, it shows them so again.
TEST(CurrentPageScroller, ASummaryTheViewCannotHoldOverThePlotStandsBesideIt)
{
    test::appTestApplication();
    SummaryPage fixture(QSize(900, 230), 8, 200);
    QScrollArea& area = fixture.area;
    QLabel* summary = fixture.summary;
    const QWidget* plot = fixture.plot;
    const QWidget* viewport = area.viewport();
    const auto whole = [viewport](const QWidget* widget) {
        return QRect(QPoint(0, 0), viewport->size())
            .contains(QRect(widget->mapTo(viewport, QPoint(0, 0)), widget->size()));
    };
    ASSERT_GT(summary->heightForWidth(viewport->width()) + plot->minimumHeight(), viewport->height())
        << "the view holds both over each other: the case is void";
    EXPECT_LT(summary->geometry().right(), plot->geometry().left()) << "the summary is not beside the plot";
    EXPECT_TRUE(whole(summary) && whole(plot)) << "the summary or the plot is cut";
    EXPECT_GE(summary->height(), summary->heightForWidth(summary->width())) << "the summary loses lines";

    area.resize(900, 600);
    QCoreApplication::processEvents();
    EXPECT_LT(summary->geometry().bottom(), plot->geometry().top()) << "the summary is not over the plot";
    EXPECT_TRUE(whole(summary) && whole(plot)) << "the summary or the plot is cut";
}

// The plot beside its summary keeps 400 px, the width of a plot on the
// narrowest analysis page: where the page leaves it less beside a summary
// column of 200 px, the summary stays over the plot.
TEST(CurrentPageScroller, APlotBesideItsSummaryKeepsFourHundredPixels)
{
    test::appTestApplication();
    for (const int width : {560, 640}) {
        SummaryPage fixture(QSize(width, 230), 8, 200);
        const bool beside = fixture.summary->geometry().right() < fixture.plot->geometry().left();
        EXPECT_EQ(beside, width == 640) << width << " px";
        EXPECT_GE(fixture.plot->width(), 400) << width << " px";
    }
}

// A summary that the view holds neither over nor beside the plot stays over
// it, and the page goes quiet: deciding the arrangement asks no further
// layout of the page.
TEST(CurrentPageScroller, ASummaryThatFitsNeitherWayStaysOverThePlotAndThePageSettles)
{
    test::appTestApplication();
    SummaryPage fixture(QSize(700, 150), 20, 200);
    EXPECT_LT(fixture.summary->geometry().bottom(), fixture.plot->geometry().top()) << "the summary left the plot";
    struct LayoutRequests : QObject {
        int count = 0;
        bool eventFilter(QObject*, QEvent* event) override
        {
            count += event->type() == QEvent::LayoutRequest ? 1 : 0;
            return false;
        }
    } requests;
    QWidget* page = fixture.summary->parentWidget();
    page->installEventFilter(&requests);
    for (int pass = 0; pass < 10; ++pass)
        QCoreApplication::processEvents();
    page->removeEventFilter(&requests);
    EXPECT_EQ(requests.count, 0) << "the page keeps asking for a new layout";
}

} // namespace vxo
