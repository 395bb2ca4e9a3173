#include "AxisReading.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vxo::test {

namespace {

std::pair<std::pair<double, double>, std::pair<double, double>> ends(const AxisReading& axis)
{
    const auto [lo, hi] = std::minmax_element(axis.marks.begin(), axis.marks.end(),
                                              [](const auto& a, const auto& b) { return a.second < b.second; });
    return {*lo, *hi};
}

} // namespace

double AxisReading::valueAt(double pixel) const
{
    if (marks.size() < 2)
        return std::numeric_limits<double>::quiet_NaN();
    const auto [a, b] = ends(*this);
    if (a.first == b.first)
        return std::numeric_limits<double>::quiet_NaN();
    return a.second + (b.second - a.second) * (pixel - a.first) / (b.first - a.first);
}

double AxisReading::pixelOf(double value) const
{
    if (marks.size() < 2)
        return std::numeric_limits<double>::quiet_NaN();
    const auto [a, b] = ends(*this);
    return a.first + (b.first - a.first) * (value - a.second) / (b.second - a.second);
}

AxisReading readAxis(const std::vector<PaintedText>& texts, const QRectF& panel, NumbersAt at, double below)
{
    AxisReading axis;
    for (const PaintedText& t : texts) {
        bool isNumber = false;
        const double value = t.text.toDouble(&isNumber);
        if (!isNumber)
            continue;
        const QPointF c = t.box.center();
        const bool beside = c.y() >= panel.top() - 10.0 && c.y() <= panel.bottom() + 10.0;
        // Beside the panel: ending (or starting) within a few pixels of its edge.
        if (at == NumbersAt::Left && beside && t.box.right() <= panel.left() + 1.0 &&
            t.box.right() >= panel.left() - 12.0)
            axis.marks.emplace_back(c.y(), value);
        else if (at == NumbersAt::Right && beside && t.box.left() >= panel.right() - 1.0 &&
                 t.box.left() <= panel.right() + 12.0)
            axis.marks.emplace_back(c.y(), value);
        else if (at == NumbersAt::Under && t.box.top() >= panel.bottom() && t.box.top() <= panel.bottom() + below &&
                 c.x() >= panel.left() - 30.0 && c.x() <= panel.right() + 30.0)
            axis.marks.emplace_back(c.x(), value);
    }
    return axis;
}

double roundStep(const AxisReading& axis)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    std::vector<double> values;
    for (const auto& mark : axis.marks)
        values.push_back(mark.second);
    std::sort(values.begin(), values.end());
    if (values.size() < 2)
        return nan;
    const double step = values[1] - values[0];
    if (!(step > 0.0))
        return nan;
    const double decade = std::pow(10.0, std::floor(std::log10(step) + 1e-9));
    const double mantissa = step / decade;
    const std::vector<double> mantissas{1.0, 2.0, 2.5, 5.0, 10.0};
    const bool round =
        std::any_of(mantissas.begin(), mantissas.end(), [&](double m) { return std::abs(mantissa - m) < 1e-6; });
    if (!round)
        return nan;
    // Numbers are written to their decimals: a multiple within a thousandth of a step.
    for (std::size_t k = 0; k < values.size(); ++k) {
        if (std::abs(values[k] / step - std::round(values[k] / step)) > 1e-3)
            return nan;
        if (k > 0 && std::abs(values[k] - values[k - 1] - step) > 1e-3 * step)
            return nan;
    }
    return step;
}

} // namespace vxo::test
