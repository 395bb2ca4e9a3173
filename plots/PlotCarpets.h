#pragma once

#include "plots/PlotFrame.h"

#include <QImage>

#include <array>
#include <cstdint>
#include <vector>

// Carpets and colour ramps: the level of a cell, power-law and
// piecewise-linear ramps, the carpet image built once per paint and drawn
// with smoothing off, the integer cell spans of carpets laid out cell by cell,
// and the step table that colours the recorder carpets of a million cells
// without three pow calls per cell.
namespace vxo::plot {

// ---------------------------------------------------------------- carpets

// The level of a carpet cell: s = sqrt(max(value / maximum, 0)) limited to
// [0, 1]. A NaN level reads 0 and an infinite one 1.
double carpetLevel(double value, double maximum);

// A colour channel 255 * min(1, offset + gain * s^exponent), truncated.
struct PowerChannel {
    double offset = 0.0;
    double gain = 1.0;
    double exponent = 1.0;
};
// The power-law ramps of the revival, billiard, Talbot, bouncer and scar
// images, e.g. {{0, 1, 1.8}, {0, 1, 0.85}, {0.2, 1.2, 1}}.
struct PowerRamp {
    PowerChannel red;
    PowerChannel green;
    PowerChannel blue;
};
// The opaque colour of level s (expected in [0, 1]; a NaN reads 0, and the
// channels are kept inside [0, 255]).
QRgb powerRampColour(const PowerRamp& ramp, double s);

// One segment of a piecewise-linear ramp: from level begin on,
// u = (s - begin) / width and channel c = base[c] + slope[c] * u, truncated.
struct RampSegment {
    double begin = 0.0;
    double width = 1.0;
    std::array<double, 3> base{};
    std::array<double, 3> slope{};
};
// The opaque colour of level s on the last segment whose begin is at most s
// (the first segment below all of them); segments are listed in ascending
// order of begin. A NaN reads 0; the channels are kept inside [0, 255].
QRgb segmentRampColour(const RampSegment* segments, std::size_t count, double s);
template <std::size_t N>
QRgb segmentRampColour(const std::array<RampSegment, N>& segments, double s)
{
    return segmentRampColour(segments.data(), N, s);
}

// The carpet image of one paint: columns x rows opaque pixels in
// QImage::Format_RGB32, pixel (column, row) = pixelAt(column, row) as QRgb.
// A null image when a side is not positive or the image cannot be allocated.
template <typename PixelAt>
QImage carpetImage(int columns, int rows, PixelAt&& pixelAt)
{
    if (columns <= 0 || rows <= 0)
        return QImage();
    QImage image(columns, rows, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    for (int r = 0; r < rows; ++r) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(r));
        for (int c = 0; c < columns; ++c)
            line[c] = pixelAt(c, r);
    }
    return image;
}

// Draws the whole image stretched onto target with SmoothPixmapTransform off,
// so that each cell is a sharp block whatever the scale, then turns
// Antialiasing on again. A null image draws nothing.
void drawCarpet(QPainter& painter, const QImage& image, const QRectF& target);

// Integer cells that tile extent pixels in count parts: part index starts at
// origin + trunc(extent * index / count) and runs to the next part's start
// inclusive (neighbours overlap by one pixel), length at least 1.
struct CellSpan {
    int start = 0;
    int length = 1;
};
CellSpan cellSpan(int origin, int extent, std::size_t index, std::size_t count);
// The same counted backwards from end (the last pixel): part 0 is the one at
// end, its top at end - trunc(extent * (index + 1) / count).
CellSpan reversedCellSpan(int end, int extent, std::size_t index, std::size_t count);
// A carpet whose cells are laid out as if filled one by one in order (later
// cells over earlier ones, overlapping by one pixel) is drawn as one image at
// pixel resolution. pixelCells gives, for each pixel offset 0..extent along
// one side, the index of the last span (offsets from the side's origin) that
// covers it, -1 where none does; spans with a non-positive length cover
// nothing.
std::vector<int> pixelCells(const std::vector<CellSpan>& spans, int extent);
// The spans of count equal parts of extent: cellSpan(0, extent, k, count).
std::vector<CellSpan> equalCellSpans(int extent, std::size_t count);
// Draws the carpet of columns x rows lookups at (left, top), one image pixel
// per widget pixel: pixel (c, r) takes cellColour(columns[c], rows[r]) when
// both lookups found a cell and background otherwise. cellColour returns the
// QRgb of a cell, or background where the cell holds no value.
template <typename CellColour>
void drawCellCarpet(QPainter& painter, int left, int top, const std::vector<int>& columns, const std::vector<int>& rows,
                    QRgb background, CellColour&& cellColour)
{
    const QImage image =
        carpetImage(static_cast<int>(columns.size()), static_cast<int>(rows.size()), [&](int c, int r) {
            const int column = columns[static_cast<std::size_t>(c)];
            const int row = rows[static_cast<std::size_t>(r)];
            return column < 0 || row < 0 ? background : cellColour(column, row);
        });
    drawCarpet(painter, image, QRectF(left, top, image.width(), image.height()));
}

// The colour of entry index of a carpet row or column on the ramp at
// carpetLevel(value, maximum); missing past the end of the profile.
template <std::size_t N>
QRgb profileCellColour(const std::vector<float>& profile, int index, double maximum,
                       const std::array<RampSegment, N>& ramp, QRgb missing)
{
    if (index < 0 || static_cast<std::size_t>(index) >= profile.size())
        return missing;
    return segmentRampColour(ramp, carpetLevel(profile[static_cast<std::size_t>(index)], maximum));
}

// The grid cells whose centres lie in [lo, hi] on an axis of cells of the
// given spacing centred on the origin (cell k at (k - (cells - 1) / 2) *
// spacing): first = ceil(lo / spacing + (cells - 1) / 2) clamped to
// [0, cells - 1], last = floor(hi / spacing + (cells - 1) / 2) clamped to
// [first, cells - 1]. A range beyond the grid keeps its nearest edge cell.
// Requires cells >= 1.
struct CellRange {
    int first = 0;
    int last = 0;
    int count() const { return last - first + 1; }
};
CellRange cellRange(double lo, double hi, double spacing, std::uint64_t cells);

// The colours of a power-law ramp whose gains are positive, as a function of
// a cell value and the maximum that scales it: colour(value, maximum) equals
// powerRampColour(ramp, carpetLevel(value, maximum)) exactly. Each channel is
// a non-decreasing step function of the ratio value / maximum with at most 255
// steps. The table holds the smallest ratio of every step (found by bisection
// when the table is built, a fraction of a millisecond), the colour between
// consecutive steps, and an index over the binary exponent and leading
// mantissa bits of the ratio, so that a cell costs a division, an index and
// usually one comparison.
class PowerRampTable {
public:
    explicit PowerRampTable(const PowerRamp& ramp);
    QRgb colour(double value, double maximum) const;

private:
    QRgb atZero_ = 0;
    QRgb atOne_ = 0;
    std::vector<double> steps_;        // every channel's step ratios, ascending
    std::vector<QRgb> colours_;        // colours_[m]: the colour of ratios with m steps at or below them
    std::vector<std::uint16_t> index_; // steps at or below the first ratio of each index bucket
};

// The carpet of recorded profiles with time running downwards: image row r
// shows the profile rowAt(r) (a std::vector<float>) from entry first on,
// columns entries wide. Each row is scaled by its own maximum, the largest of
// those entries that the row has (from 0, at least 1e-30); an entry the row
// does not have reads 0.
template <typename RowAt>
QImage rowScaledCarpet(int rows, std::size_t first, int columns, const PowerRampTable& table, RowAt&& rowAt)
{
    if (rows <= 0 || columns <= 0)
        return QImage();
    std::vector<double> maxima(static_cast<std::size_t>(rows), 0.0);
    for (int r = 0; r < rows; ++r) {
        const auto& row = rowAt(r);
        double maximum = 0.0;
        for (std::size_t i = first; i < row.size() && i < first + static_cast<std::size_t>(columns); ++i)
            if (static_cast<double>(row[i]) > maximum) // a NaN entry is passed over
                maximum = static_cast<double>(row[i]);
        maxima[static_cast<std::size_t>(r)] = atLeast(maximum, 1e-30);
    }
    return carpetImage(columns, rows, [&](int c, int r) {
        const auto& row = rowAt(r);
        const std::size_t i = first + static_cast<std::size_t>(c);
        return table.colour(i < row.size() ? static_cast<double>(row[i]) : 0.0, maxima[static_cast<std::size_t>(r)]);
    });
}

// The carpet of one recorded profile per sample (samples[r].*profile in image
// row r, time running downwards), entries first .. first + columns - 1, each
// row scaled to its own maximum on the power-law ramp, drawn onto target.
template <typename Sample>
void drawProfileCarpet(QPainter& painter, const std::vector<Sample>& samples, std::vector<float> Sample::*profile,
                       std::size_t first, int columns, const PowerRamp& ramp, const QRectF& target)
{
    const PowerRampTable table(ramp);
    drawCarpet(painter,
               rowScaledCarpet(
                   static_cast<int>(samples.size()), first, columns, table,
                   [&](int r) -> const std::vector<float>& { return samples[static_cast<std::size_t>(r)].*profile; }),
               target);
}
} // namespace vxo::plot
