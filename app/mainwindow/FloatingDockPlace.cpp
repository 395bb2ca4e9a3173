#include "app/mainwindow/FloatingDockPlace.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <tuple>
#include <vector>

namespace vxo {

namespace {

std::int64_t overlap(const QRect& a, const QList<QRect>& rects)
{
    std::int64_t area = 0;
    for (const QRect& r : rects) {
        const QRect common = a.intersected(r);
        if (!common.isEmpty())
            area += std::int64_t(common.width()) * common.height();
    }
    return area;
}

} // namespace

QRect clampedInside(const QRect& window, const QRect& available)
{
    const QSize size = window.size().boundedTo(available.size());
    const int x = std::clamp(window.x(), available.left(), available.left() + available.width() - size.width());
    const int y = std::clamp(window.y(), available.top(), available.top() + available.height() - size.height());
    return QRect(QPoint(x, y), size);
}

std::array<QRect, 4> placesBeside(const QRect& at, const QRect& obstacle, const QRect& available)
{
    return {{
        clampedInside(at.translated(obstacle.right() + 1 - at.left(), 0), available),
        clampedInside(at.translated(0, obstacle.top() - 1 - at.bottom()), available),
        clampedInside(at.translated(obstacle.left() - 1 - at.right(), 0), available),
        clampedInside(at.translated(0, obstacle.bottom() + 1 - at.top()), available),
    }};
}

QRect floatingDockPlace(const QRect& at, const QRect& available, const QList<QRect>& bars, const QList<QRect>& views,
                        bool carried)
{
    const QRect inside = clampedInside(at, available);
    carried = carried || inside != at;
    const QList<QRect> kept = carried ? views : QList<QRect>();
    std::vector<QRect> places{inside};
    for (const QList<QRect>* obstacles : {&bars, &kept})
        for (const QRect& obstacle : *obstacles)
            for (const QRect& place : placesBeside(inside, obstacle, available))
                places.push_back(place);
    if (carried) {
        // The screen's corners, where the window's side columns usually are.
        const QSize size = inside.size();
        for (const int x : {available.left(), available.left() + available.width() - size.width()})
            for (const int y : {available.top(), available.top() + available.height() - size.height()})
                places.push_back(clampedInside(QRect(QPoint(x, y), size), available));
    }
    // Off the tab bars first, then over as little of the views as can be,
    // then as near as can be.
    const auto cost = [&](const QRect& place) {
        const std::int64_t distance = std::abs(place.x() - inside.x()) + std::abs(place.y() - inside.y());
        return std::make_tuple(overlap(place, bars) > 0, overlap(place, kept), distance);
    };
    return *std::min_element(places.begin(), places.end(),
                             [&cost](const QRect& a, const QRect& b) { return cost(a) < cost(b); });
}

} // namespace vxo
