#include "plots/PlotCarpets.h"

#include "core/Numeric.h"

#include <QPainter>

#include <algorithm>
#include <cstring>

namespace vxo::plot {

namespace {

// Truncates a colour channel, kept inside [0, 255] (a NaN reads 0) so that no
// out-of-range double ever reaches the integer conversion.
int channel(double value)
{
    if (!(value > 0.0))
        return 0;
    if (value >= 255.0)
        return 255;
    return static_cast<int>(value);
}

double levelOrZero(double s) { return std::isnan(s) ? 0.0 : s; }

// trunc(extent * k / count), computed in double.
int partOffset(int extent, std::size_t k, std::size_t count)
{
    return static_cast<int>(static_cast<double>(extent) * static_cast<double>(k) / static_cast<double>(count));
}

// The value of one channel of a power-law ramp at the level of ratio, the very
// expression of powerRampColour, so that the table reproduces it exactly.
int powerChannelAt(const PowerChannel& c, double ratio)
{
    const double level = carpetLevel(ratio, 1.0);
    return channel(255.0 * std::min(1.0, c.offset + c.gain * std::pow(level, c.exponent)));
}

// Non-negative doubles are ordered like their bit patterns, so a bisection over
// the patterns finds a step of a monotone function to the last bit.
std::uint64_t bitsOf(double v)
{
    std::uint64_t bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    return bits;
}

double fromBits(std::uint64_t bits)
{
    double v = 0.0;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

// The index of the step table: one bucket per 1/1024 of each binary octave of
// the ratio from 2^-40 up to 1 (the exponent and the ten leading mantissa
// bits), fine enough that most buckets hold no step and a lookup settles
// with one comparison.
constexpr int kIndexShift = 42;
const std::uint64_t kIndexBegin = bitsOf(0x1p-40) >> kIndexShift;
const std::uint64_t kIndexEnd = bitsOf(1.0) >> kIndexShift;

// The smallest ratio in (0, 1] whose channel value is at least k, given that
// the value at 0 is below k and the value at 1 reaches it. The search starts
// from the inverse of the ramp's formula, which is within a few bits of the
// step, widens a bracket around it and bisects the bracket.
double stepStart(const PowerChannel& c, int k)
{
    const double target = (static_cast<double>(k) / 255.0 - c.offset) / c.gain;
    double estimate = std::pow(target, 2.0 / c.exponent);
    if (!(estimate > 0.0) || !(estimate < 1.0))
        estimate = 0.5;
    const std::uint64_t zero = bitsOf(0.0);
    const std::uint64_t one = bitsOf(1.0);
    std::uint64_t below = bitsOf(estimate); // channel < k
    std::uint64_t above = below;            // channel >= k
    std::uint64_t stride = 1;
    if (powerChannelAt(c, estimate) >= k) {
        do {
            above = below;
            below = below > zero + stride ? below - stride : zero;
            stride *= 2;
        } while (below > zero && powerChannelAt(c, fromBits(below)) >= k);
    } else {
        do {
            below = above;
            above = above + stride < one ? above + stride : one;
            stride *= 2;
        } while (above < one && powerChannelAt(c, fromBits(above)) < k);
    }
    while (above - below > 1) {
        const std::uint64_t middle = below + (above - below) / 2;
        if (powerChannelAt(c, fromBits(middle)) >= k)
            above = middle;
        else
            below = middle;
    }
    return fromBits(above);
}

} // namespace

double carpetLevel(double value, double maximum)
{
    const double ratio = value / maximum;
    if (std::isnan(ratio))
        return 0.0;
    return std::min(std::sqrt(std::max(ratio, 0.0)), 1.0);
}

QRgb powerRampColour(const PowerRamp& ramp, double s)
{
    const double level = levelOrZero(s);
    const auto value = [level](const PowerChannel& c) {
        return channel(255.0 * std::min(1.0, c.offset + c.gain * std::pow(level, c.exponent)));
    };
    return qRgb(value(ramp.red), value(ramp.green), value(ramp.blue));
}

QRgb segmentRampColour(const RampSegment* segments, std::size_t count, double s)
{
    if (count == 0)
        return qRgb(0, 0, 0);
    const double level = levelOrZero(s);
    std::size_t k = 0;
    while (k + 1 < count && level >= segments[k + 1].begin)
        ++k;
    const RampSegment& segment = segments[k];
    const double u = (level - segment.begin) / segment.width;
    return qRgb(channel(segment.base[0] + segment.slope[0] * u), channel(segment.base[1] + segment.slope[1] * u),
                channel(segment.base[2] + segment.slope[2] * u));
}

void drawCarpet(QPainter& painter, const QImage& image, const QRectF& target)
{
    if (image.isNull())
        return;
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(target, image, QRectF(image.rect()));
    painter.setRenderHint(QPainter::Antialiasing, true);
}

CellSpan cellSpan(int origin, int extent, std::size_t index, std::size_t count)
{
    if (count == 0)
        return CellSpan{origin, 1};
    const int start = origin + partOffset(extent, index, count);
    const int next = origin + partOffset(extent, index + 1, count);
    return CellSpan{start, std::max(next - start + 1, 1)};
}

CellSpan reversedCellSpan(int end, int extent, std::size_t index, std::size_t count)
{
    if (count == 0)
        return CellSpan{end, 1};
    const int top = end - partOffset(extent, index + 1, count);
    const int bottom = end - partOffset(extent, index, count);
    return CellSpan{top, std::max(bottom - top + 1, 1)};
}
std::vector<int> pixelCells(const std::vector<CellSpan>& spans, int extent)
{
    std::vector<int> cells(static_cast<std::size_t>(std::max(extent, 0)) + 1, -1);
    const int last = static_cast<int>(cells.size()) - 1;
    for (std::size_t k = 0; k < spans.size(); ++k) {
        const int from = std::max(spans[k].start, 0);
        const int to = std::min(spans[k].start + spans[k].length - 1, last);
        for (int p = from; p <= to; ++p)
            cells[static_cast<std::size_t>(p)] = static_cast<int>(k);
    }
    return cells;
}

std::vector<CellSpan> equalCellSpans(int extent, std::size_t count)
{
    std::vector<CellSpan> spans(count);
    for (std::size_t k = 0; k < count; ++k)
        spans[k] = cellSpan(0, extent, k, count);
    return spans;
}
CellRange cellRange(double lo, double hi, double spacing, std::uint64_t cells)
{
    const double offset = centreOffset(cells);
    const int lastCell = static_cast<int>(std::min<std::uint64_t>(cells, std::numeric_limits<int>::max()) - 1);
    // Clamped in floating point, so that no far-off or NaN position reaches the
    // integer conversion; a NaN end keeps the lower limit.
    const auto clamped = [](double position, int lo, int hi) {
        if (!(position >= lo))
            return lo;
        return position > hi ? hi : static_cast<int>(position);
    };
    CellRange range;
    range.first = clamped(std::ceil(lo / spacing + offset), 0, lastCell);
    range.last = clamped(std::floor(hi / spacing + offset), range.first, lastCell);
    return range;
}

PowerRampTable::PowerRampTable(const PowerRamp& ramp)
{
    const std::array<const PowerChannel*, 3> parts{&ramp.red, &ramp.green, &ramp.blue};
    std::array<int, 3> atZero{};
    std::array<int, 3> atOne{};
    // (ratio, channel) of every step, merged over the channels.
    std::vector<std::pair<double, std::size_t>> steps;
    for (std::size_t c = 0; c < 3; ++c) {
        atZero[c] = powerChannelAt(*parts[c], 0.0);
        atOne[c] = powerChannelAt(*parts[c], 1.0);
        for (int k = atZero[c] + 1; k <= atOne[c]; ++k)
            steps.emplace_back(stepStart(*parts[c], k), c);
    }
    std::sort(steps.begin(), steps.end());
    atZero_ = qRgb(atZero[0], atZero[1], atZero[2]);
    atOne_ = qRgb(atOne[0], atOne[1], atOne[2]);
    std::array<int, 3> value = atZero;
    colours_.push_back(atZero_);
    for (const auto& [ratio, c] : steps) {
        steps_.push_back(ratio);
        ++value[c];
        colours_.push_back(qRgb(value[0], value[1], value[2]));
    }
    // The buckets' first ratios ascend with their keys: one sweep over the steps.
    index_.resize(kIndexEnd - kIndexBegin);
    std::size_t passed = 0;
    for (std::uint64_t key = kIndexBegin; key < kIndexEnd; ++key) {
        const double first = fromBits(key << kIndexShift);
        while (passed < steps_.size() && steps_[passed] <= first)
            ++passed;
        index_[key - kIndexBegin] = static_cast<std::uint16_t>(passed);
    }
}

QRgb PowerRampTable::colour(double value, double maximum) const
{
    const double ratio = value / maximum;
    if (!(ratio > 0.0))
        return atZero_;
    if (ratio >= 1.0)
        return atOne_;
    // The bucket's first ratio lies at or below this one, so the count of
    // steps only grows from the bucket's.
    const std::uint64_t key = bitsOf(ratio) >> kIndexShift;
    std::size_t m = key < kIndexBegin ? 0 : index_[key - kIndexBegin];
    while (m < steps_.size() && ratio >= steps_[m])
        ++m;
    return colours_[m];
}
} // namespace vxo::plot
