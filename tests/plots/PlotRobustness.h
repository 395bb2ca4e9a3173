#pragma once

// The robustness sweep shared by every plot widget. A plot's test file
// specialises PlotFeeds for its widget with the data states worth painting
// (one sample, NaN and infinite values, unconfigured or empty recorders, ...)
// and plugs the widget in with one line:
//
//   INSTANTIATE_TYPED_TEST_SUITE_P(CrossSection, PlotRobustness, QuantumCrossSectionPlotWidget);
//
// Each state is painted at every size from 1 x 1 to 800 x 500: the paint must
// finish, log nothing, fill the whole image and give the same picture twice
// (it is a function of the stored data alone). Run under AddressSanitizer the
// same sweep catches reads outside the stored data.

#include "PaintedTexts.h"
#include "PlotTestSupport.h"

#include "plots/PlotLayouts.h"
#include "plots/QuantumBilliardPlotWidget.h"
#include "plots/QuantumScarPlotWidget.h"
#include "plots/QuantumZenoPlotWidget.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace vxo::test {

// One data state: a name for the failure messages and the setter calls that
// bring a freshly constructed plot into it. Data at the edge of what a double
// holds (or an axis of no width) may pile labels up: such a state is painted
// for robustness only, not for its layout.
template <typename Widget>
struct PlotFeed {
    std::string name;
    std::function<void(Widget&)> apply;
    bool legible = true;
};

template <typename Widget>
PlotFeed<Widget> beyondLegibility(PlotFeed<Widget> feed)
{
    feed.legible = false;
    return feed;
}

// Specialised per widget: static std::vector<PlotFeed<Widget>> all().
template <typename Widget>
struct PlotFeeds;

inline const std::vector<QSize>& sweepSizes()
{
    static const std::vector<QSize> sizes{{1, 1},   {3, 2},    {17, 9},    {60, 40},   {88, 72},
                                          {89, 73}, {150, 95}, {321, 203}, {640, 480}, {800, 500}};
    return sizes;
}

template <typename Widget>
class PlotRobustness : public PlotTest {
protected:
    // Every state the sweep paints: the fresh widget first, then the widget's feeds.
    static std::vector<PlotFeed<Widget>> states()
    {
        std::vector<PlotFeed<Widget>> all{{"fresh", [](Widget&) {}}};
        for (const PlotFeed<Widget>& feed : PlotFeeds<Widget>::all())
            all.push_back(feed);
        return all;
    }
};

TYPED_TEST_SUITE_P(PlotRobustness);

TYPED_TEST_P(PlotRobustness, PaintsEveryStateAtEverySizeSilentlyAndRepeatably)
{
    for (const PlotFeed<TypeParam>& state : TestFixture::states()) {
        for (const QSize& size : sweepSizes()) {
            QWidget page; // owns the plot, as an analysis page does
            TypeParam& plot = *new TypeParam(&page);
            state.apply(plot);
            const MessageCapture capture;
            const QImage first = grabPlot(plot, size);
            const QImage second = grabPlot(plot, size);
            const std::string where =
                state.name + " at " + std::to_string(size.width()) + " x " + std::to_string(size.height());
            EXPECT_EQ(first.size(), size) << where;
            EXPECT_TRUE(capture.messages().isEmpty())
                << where << ": the paint logged " << capture.messages().join(" | ").toStdString();
            EXPECT_TRUE(first == second) << where << ": two paints of the same data differ";
        }
    }
}

// A shown text's ink, roughly: its box without the leading above the capitals
// and the descent below the baseline, and a pixel of side bearing each side.
inline QRectF inkOf(const PaintedText& text)
{
    return text.shown.isEmpty() ? QRectF() : text.shown.adjusted(1, 3, -1, -4);
}

// The sizes a plot is read at: the analysis dock's usual sizes, the plot
// of a 1366 x 768 window (550 px wide, 240 px tall on the curve pages, about
// 420 on the two-panel pages), of a 1024 x 768 window (540 x 240, every page
// alike) and of a 1920 x 1080 window; the pages that lay their panels side by
// side in a short wide plot (asking for no more height at its width), read
// also as a 1366 x 768 or 1280 x 800 window shows them; and at the floor of
// a 1024 x 768 screen with its text enlarged by a quarter, 800 px wide and
// the least height a page gives it there (kLeastPlotHeight, or what its
// panels need at that width); a two-panel plot also at the least height it
// asks for on a 1024 x 768 screen's dock.
struct ReadingSize {
    QSize size;
    bool heightChecked;
};
inline std::vector<ReadingSize> readingSizes(const QWidget& plot)
{
    std::vector<ReadingSize> sizes{
        {{1000, 640}, true}, {{880, 760}, true}, {{1014, 400}, true}, {{540, 420}, true}, {{540, 240}, true}};
    for (const QSize shortWide : {QSize(700, 270), QSize(615, 300)})
        if (plot.hasHeightForWidth() && plot.heightForWidth(shortWide.width()) <= shortWide.height())
            sizes.push_back({shortWide, true});
    constexpr int kFloorWidth = 800;
    const int needed = plot.hasHeightForWidth() ? plot.heightForWidth(kFloorWidth) : 0;
    sizes.push_back({{kFloorWidth, std::max(plot::kLeastPlotHeight, needed)}, true});
    // A two-panel plot asks for its least height at the 546 px of a 1024 x 768
    // screen's dock too, where its panels side by side are narrowest. Left
    // out are the plots whose summaries, which their guides read, stand over
    // them on that screen only while they keep no more: the billiard (beside
    // it on a 614-line screen at 170 px; its legend needs 175, which its page
    // gives it on a 1024 x 768 screen), the Zeno lanes and the scar map,
    // whose legends then run over their curves.
    constexpr int kNarrowDockWidth = 546;
    const bool summaryFirst = dynamic_cast<const QuantumBilliardPlotWidget*>(&plot) != nullptr ||
                              dynamic_cast<const QuantumZenoPlotWidget*>(&plot) != nullptr ||
                              dynamic_cast<const QuantumScarPlotWidget*>(&plot) != nullptr;
    if (plot.hasHeightForWidth() && !summaryFirst)
        sizes.push_back(
            {{kNarrowDockWidth, std::max(plot::kLeastPlotHeight, plot.heightForWidth(kNarrowDockWidth))}, true});
    return sizes;
}

// Where a teacher reads them: on the page, none over another, and each inside
// a panel or clear of its outline, at the sizes the analysis dock gives.
TYPED_TEST_P(PlotRobustness, LaysEveryTextOnThePageApartAndClearOfThePanelOutlines)
{
    for (const PlotFeed<TypeParam>& state : TestFixture::states()) {
        if (!state.legible)
            continue;
        QWidget host;
        for (const auto& [size, heightChecked] : readingSizes(*new TypeParam(&host))) {
            QWidget page;
            TypeParam& plot = *new TypeParam(&page);
            state.apply(plot);
            const PaintedPage painted = paintedPage(plot, size);
            std::vector<QRectF> inks;
            for (const PaintedText& text : painted.texts)
                inks.push_back(inkOf(text));
            const std::string where =
                state.name + " at " + std::to_string(size.width()) + " x " + std::to_string(size.height()) + ": \"";
            for (std::size_t i = 0; i < inks.size(); ++i) {
                if (inks[i].isEmpty())
                    continue;
                const std::string text = where + painted.texts[i].text.toStdString() + "\" ";
                EXPECT_TRUE(inks[i].left() >= 0.0 && inks[i].right() <= size.width())
                    << text << "leaves the page at the side, from " << inks[i].left() << " to " << inks[i].right();
                const QRectF whole = painted.texts[i].box.adjusted(1, 3, -1, -4);
                // Within a pixel and a half, what antialiasing leaves of a clipped edge.
                const QRectF cut = whole.adjusted(1.5, 1.5, -1.5, -1.5);
                EXPECT_TRUE(inks[i].contains(cut))
                    << text << "is cut by its box, shown from " << inks[i].left() << " to " << inks[i].right() << " of "
                    << whole.left() << " to " << whole.right();
                if (!heightChecked)
                    continue;
                EXPECT_TRUE(inks[i].top() >= 0.0 && inks[i].bottom() <= size.height()) << text << "leaves the page";
                for (std::size_t j = i + 1; j < inks.size(); ++j)
                    EXPECT_FALSE(inks[i].intersects(inks[j]))
                        << text << "overprints \"" << painted.texts[j].text.toStdString() << "\"";
                for (const QRectF& frame : painted.frames)
                    EXPECT_TRUE(frame.contains(inks[i]) || !frame.intersects(inks[i]))
                        << text << "crosses the outline of the panel at " << frame.x() << ", " << frame.y();
            }
        }
    }
}

TYPED_TEST_P(PlotRobustness, KeepsTheFrameContract)
{
    TypeParam& plot = this->template makePlot<TypeParam>();
    EXPECT_EQ(plot.minimumSizeHint(), QSize(0, 0)) << "the analysis pages may shrink a plot to nothing";
    EXPECT_FALSE(plot.autoFillBackground()) << "every paint fills the whole widget itself";
}

REGISTER_TYPED_TEST_SUITE_P(PlotRobustness, PaintsEveryStateAtEverySizeSilentlyAndRepeatably,
                            LaysEveryTextOnThePageApartAndClearOfThePanelOutlines, KeepsTheFrameContract);

// The same states at the same sizes: no curve, reference line or marker
// line runs through a text, neither painted over it nor under it without a
// patch of the background between, and no later text's patch covers it. Plugged in, like the sweep, with
//   INSTANTIATE_TYPED_TEST_SUITE_P(Scar, PlotLegibility, QuantumScarPlotWidget);
template <typename Widget>
class PlotLegibility : public PlotRobustness<Widget> {
};

TYPED_TEST_SUITE_P(PlotLegibility);

TYPED_TEST_P(PlotLegibility, KeepsEveryTextClearOfTheCurves)
{
    for (const PlotFeed<TypeParam>& state : TestFixture::states()) {
        if (!state.legible)
            continue;
        QWidget host;
        for (const auto& [size, heightChecked] : readingSizes(*new TypeParam(&host))) {
            if (!heightChecked)
                continue;
            QWidget page;
            TypeParam& plot = *new TypeParam(&page);
            state.apply(plot);
            const PaintedPage painted = paintedPage(plot, size);
            for (const PaintedText& text : painted.texts) {
                const QRectF ink = inkOf(text);
                if (ink.isEmpty())
                    continue;
                for (const PaintedMark& mark : marksOverprinting(painted, text, ink))
                    ADD_FAILURE() << state.name << " at " << size.width() << " x " << size.height() << ": \""
                                  << text.text.toStdString() << "\" is struck through by a "
                                  << mark.colour.name().toStdString() << " mark "
                                  << (mark.order > text.order ? "painted over it" : "under it, without a patch")
                                  << " at " << mark.area.boundingRect().x() << ", " << mark.area.boundingRect().y();
                for (const PaintedPatch& patch : patchesCovering(painted, text, ink))
                    ADD_FAILURE() << state.name << " at " << size.width() << " x " << size.height() << ": \""
                                  << text.text.toStdString() << "\" is partly hidden by a patch painted over it at "
                                  << patch.rect.x() << ", " << patch.rect.y();
            }
        }
    }
}

REGISTER_TYPED_TEST_SUITE_P(PlotLegibility, KeepsEveryTextClearOfTheCurves);

} // namespace vxo::test
