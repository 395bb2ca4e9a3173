// Where a floating dock goes: inside the screen, off the window's tab bars,
// and, where the screen had to move it, off the viewport and the analysis
// plots as far as the room allows; a dock the user put over a view stays.

#include "app/mainwindow/FloatingDockPlace.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace vxo {
namespace {

std::int64_t covered(const QRect& dock, const QList<QRect>& views)
{
    std::int64_t area = 0;
    for (const QRect& view : views)
        area += std::int64_t(dock.intersected(view).width()) * dock.intersected(view).height();
    return area;
}

TEST(FloatingDockPlace, KeepsACarriedDockOffTheViewsWhereThereIsRoomAndLeavesAPlacedOneBe)
{
    // A screen not at the origin (a second monitor): a free column of 300 px
    // left of the viewport and the analysis plot under it.
    const QRect screen(1920, 40, 1000, 700);
    const QList<QRect> views{QRect(2220, 40, 700, 500), QRect(2220, 540, 700, 200)};
    const QList<QRect> bars{QRect(1920, 40, 300, 30)};
    const struct {
        const char* what;
        QRect at;
        std::int64_t coveredAfter; // of the views
        bool stays;
    } cases[] = {
        {"carried from a larger screen, small enough for the column", QRect(3100, 700, 250, 200), 0, false},
        {"carried, taller than the column's room under the bar", QRect(3100, 100, 290, 660), 0, false},
        {"carried, wider than the column: as little over the plot as can be", QRect(3100, 700, 400, 300),
         100 * 300, false},
        {"put over the viewport on this screen", QRect(2400, 200, 200, 150), 200 * 150, true},
        {"put in the column below the bar", QRect(1950, 300, 200, 150), 0, true},
        {"put over the tab bar: moved off it, even onto a view", QRect(2100, 45, 200, 150), 80 * 150, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QRect place = floatingDockPlace(c.at, screen, bars, views);
        EXPECT_TRUE(screen.contains(place));
        EXPECT_EQ(place.size(), c.at.size().boundedTo(screen.size()));
        EXPECT_EQ(covered(place, views), c.coveredAfter);
        EXPECT_FALSE(place.intersects(bars.front()));
        if (c.stays)
            EXPECT_EQ(place, c.at);
    }
    // Of the places clear of the views, the nearest to where the screen put it: by the plot, at the bottom.
    const QRect carried = floatingDockPlace(QRect(3100, 700, 250, 200), screen, bars, views);
    EXPECT_EQ(carried.bottom(), screen.bottom());
    EXPECT_EQ(carried.right(), views.front().left() - 1);
    // Brought from another screen to a place already clear of the views: it stays there.
    const QRect clear(1950, 300, 200, 150);
    EXPECT_EQ(floatingDockPlace(clear, screen, bars, views, true), clear);
    // Room on both sides of a view: a carried dock over its right edge goes just right of it.
    const QRect view(400, 0, 800, 900);
    EXPECT_EQ(floatingDockPlace(QRect(1100, 300, 300, 200), QRect(0, 0, 1600, 900), {}, {view}, true),
              QRect(1200, 300, 300, 200));
    // Nothing beside a view is clear, the screen's far corner is.
    const QList<QRect> cornered{QRect(0, 0, 1600, 600), QRect(0, 600, 1000, 300)};
    EXPECT_EQ(floatingDockPlace(QRect(200, 100, 300, 200), QRect(0, 0, 1600, 900), {}, cornered, true),
              QRect(1300, 700, 300, 200));
}

} // namespace
} // namespace vxo
