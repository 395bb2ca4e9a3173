#pragma once

// Histories, probes and robustness states shared by the tests of the
// stationary, history and two-level plots.

#include "experiments/ObservableSample.h"

#include "PlotRobustness.h"

#include <QImage>
#include <QPointF>
#include <QRectF>

#include <cstdlib>
#include <limits>
#include <vector>

namespace vxo::test {

// n samples at times t0, t0 + dt, ..., each filled by fill(sample, time).
template <typename Fill>
std::vector<ObservableSample> historyOf(int n, double t0, double dt, Fill&& fill)
{
    std::vector<ObservableSample> samples(static_cast<std::size_t>(n));
    for (std::size_t k = 0; k < samples.size(); ++k) {
        samples[k].time = t0 + static_cast<double>(k) * dt;
        fill(samples[k], samples[k].time);
    }
    return samples;
}

// The pixel of (t, v) in a panel whose horizontal axis runs from t0 to t1
// and whose vertical axis from lo (bottom edge) to hi (top edge).
inline QPointF panelPoint(const QRectF& panel, double t0, double t1, double lo, double hi, double t, double v)
{
    return QPointF(panel.left() + panel.width() * (t - t0) / (t1 - t0),
                   panel.bottom() - panel.height() * (v - lo) / (hi - lo));
}

inline bool differs(QRgb p, QRgb q, int by)
{
    return std::abs(qRed(p) - qRed(q)) > by || std::abs(qGreen(p) - qGreen(q)) > by ||
           std::abs(qBlue(p) - qBlue(q)) > by;
}

// Whether two grabs differ within radius of at: a translucent or dashed
// feature is drawn there in one of them only.
inline bool differsNear(const QImage& a, const QImage& b, const QPointF& at, int radius = 2)
{
    const QPoint c = at.toPoint();
    for (int y = c.y() - radius; y <= c.y() + radius; ++y)
        for (int x = c.x() - radius; x <= c.x() + radius; ++x)
            if (a.valid(x, y) && differs(a.pixel(x, y), b.pixel(x, y), 12))
                return true;
    return false;
}

// The fraction of the rows from top to bottom in which a pixel within one
// pixel of column x differs from the same pixel of without (or, when without
// is null, from the background (15, 18, 23)): near 1 along a solid vertical
// mark, over 0.4 along a dashed or dash-dotted one, small where curves cross.
inline double markedRows(const QImage& image, double x, double top, double bottom, const QImage* without = nullptr)
{
    int rows = 0;
    for (int y = int(top); y <= int(bottom); ++y)
        for (int px = int(x) - 1; px <= int(x) + 1; ++px)
            if (image.valid(px, y) &&
                differs(image.pixel(px, y), without ? without->pixel(px, y) : qRgb(15, 18, 23), 25)) {
                ++rows;
                break;
            }
    return rows / (int(bottom) - int(top) + 1.0);
}

// Every block flagged valid except at t = 5, populations running from 0 to
// 1.45 with a NaN, an infinity and a negative value, widths, centres and
// energies with the same faults.
inline std::vector<ObservableSample> awkwardHistory()
{
    return historyOf(30, 0.0, 1.0, [](ObservableSample& s, double t) {
        const double p = t == 7.0 ? kNaN : t == 9.0 ? kInf : t == 11.0 ? -0.5 : t / 20.0;
        s.rabiValid = s.doubleWellValid = s.landauZenerValid = s.stueckelbergValid = s.ramseyValid = t != 5.0;
        s.rabiPopulation1 = s.leftWellProbability = s.landauZenerLower = s.stueckelbergLower = p;
        s.rabiPopulation2 = s.rightWellProbability = s.landauZenerUpper = s.stueckelbergUpper = 1.0 - p;
        s.ramseyPopulation1 = s.landauZenerLeft = s.stueckelbergRight = p;
        s.rabiCaptured = s.landauZenerCaptured = s.stueckelbergCaptured = s.ramseyCaptured = 0.9;
        s.sigmaX = s.meanX = s.totalEnergy = t == 3.0 ? -kInf : p;
    });
}

// The robustness states of a plot fed with a history through set: the
// awkward history, the same with extreme and missing times, and one sample.
template <typename Widget>
std::vector<PlotFeed<Widget>> historyFeeds(void (*set)(Widget&, const std::vector<ObservableSample>&))
{
    std::vector<ObservableSample> extreme = awkwardHistory();
    extreme.front().time = -1e300;
    extreme.back().time = 1e300;
    extreme[4].time = kNaN;
    return {{"awkward history", [set](Widget& w) { set(w, awkwardHistory()); }},
            {"extreme times", [set, extreme](Widget& w) { set(w, extreme); }},
            {"one sample", [set](Widget& w) { set(w, std::vector<ObservableSample>(1, awkwardHistory()[2])); }}};
}

} // namespace vxo::test
