#include "core/AbsorbingBoundary2D.h"

#include "core/Numeric.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace vxo {

float AbsorbingBoundary2D::edgeProfile(std::uint64_t index, std::uint64_t count, float widthFraction, float exponent)
{
    if (count == 0 || !(widthFraction > 0.0f))
        return 0.0f;
    const float u = (static_cast<float>(index) + 0.5f) / static_cast<float>(count);
    const float d = std::min(u, 1.0f - u);
    if (d >= widthFraction)
        return 0.0f;
    const float t = std::clamp((widthFraction - d) / widthFraction, 0.0f, 1.0f);
    return std::pow(t, exponent);
}

void AbsorbingBoundary2D::prepare(const ComplexField2D& field, float dt, const AbsorbingBoundaryConfig& config)
{
    if (!isFinitePositive(dt))
        throw std::invalid_argument("AbsorbingBoundary2D: dt must be finite and positive");
    if (!isFinite(config.widthFraction) || !(config.widthFraction > 0.0f) || !(config.widthFraction < 0.5f))
        throw std::invalid_argument("AbsorbingBoundary2D: widthFraction must be in (0, 0.5)");
    if (!isFinitePositive(config.strength))
        throw std::invalid_argument("AbsorbingBoundary2D: strength must be finite and positive");
    if (!isFinitePositive(config.exponent))
        throw std::invalid_argument("AbsorbingBoundary2D: exponent must be finite and positive");
    if (field.empty())
        throw std::invalid_argument("AbsorbingBoundary2D: field must not be empty");

    config_ = config;
    grid_ = GridKey2D::of(field);
    dt_ = dt;
    mask_.assign(field.size(), 1.0f);
    minimumMask_ = 1.0f;
    maximumMask_ = 1.0f;
    const std::uint64_t nx = grid_.nx;
    const std::uint64_t ny = grid_.ny;
    profileX_.assign(nx, 0.0f);
    profileY_.assign(ny, 0.0f);
    leftBandColumns_ = 0;
    rightBandColumns_ = 0;
    if (!config_.enabled)
        return;

    const float s = config_.strength * dt;
    // The x profile is the same in every row: one power per column, not per cell.
    for (std::uint64_t i = 0; i < nx; ++i)
        profileX_[i] = edgeProfile(i, nx, config_.widthFraction, config_.exponent);
    // The profile falls towards the middle of the axis, so its nonzero
    // columns are the two ends; a band never reaches past the middle, where
    // a layer of nearly half the box would meet the other one.
    while (leftBandColumns_ < nx / 2 && profileX_[leftBandColumns_] != 0.0f)
        ++leftBandColumns_;
    while (rightBandColumns_ < nx - nx / 2 && profileX_[nx - 1 - rightBandColumns_] != 0.0f)
        ++rightBandColumns_;
    for (std::uint64_t j = 0; j < ny; ++j) {
        const float py = edgeProfile(j, ny, config_.widthFraction, config_.exponent);
        profileY_[j] = py;
        float* row = mask_.data() + j * nx;
        for (std::uint64_t i = 0; i < nx; ++i) {
            const float m = std::exp(-(profileX_[i] + py) * s);
            row[i] = m;
            minimumMask_ = std::min(minimumMask_, m);
            maximumMask_ = std::max(maximumMask_, m);
        }
    }
}

template <typename Damped>
void AbsorbingBoundary2D::dampLayer(ComplexField2D& psi, Damped&& damped) const
{
    if (mask_.empty() || !grid_.matches(psi))
        throw std::invalid_argument("AbsorbingBoundary2D: mask is not prepared for this field");
    const std::uint64_t nx = grid_.nx;
    for (std::uint64_t j = 0; j < grid_.ny; ++j) {
        Complex* row = psi.data() + j * nx;
        const float* mask = mask_.data() + j * nx;
        const auto dampColumns = [&](std::uint64_t from, std::uint64_t to) {
            for (std::uint64_t i = from; i < to; ++i) {
                const Complex before = row[i];
                row[i] = Complex(before.real() * mask[i], before.imag() * mask[i]);
                damped(i, j, before, row[i]);
            }
        };
        if (profileY_[j] != 0.0f) {
            dampColumns(0, nx);
        } else {
            dampColumns(0, leftBandColumns_);
            dampColumns(nx - rightBandColumns_, nx);
        }
    }
}

void AbsorbingBoundary2D::apply(ComplexField2D& psi) const
{
    if (!config_.enabled)
        return;
    dampLayer(psi, [](std::uint64_t, std::uint64_t, const Complex&, const Complex&) {});
}

AbsorbedByBand AbsorbingBoundary2D::applyCountingBands(ComplexField2D& psi) const
{
    AbsorbedByBand removed;
    if (!config_.enabled)
        return removed;
    const auto density = [](const Complex& value) {
        const double re = value.real();
        const double im = value.imag();
        return re * re + im * im;
    };
    // The field as the step left it, before the layer damps it: which way
    // the probability in each cell moves along x.
    const ComplexField2D undamped = psi;
    const std::uint64_t nx = psi.nx();
    dampLayer(psi, [&](std::uint64_t i, std::uint64_t j, const Complex& before, const Complex& after) {
        const double taken = density(before) - density(after);
        const double px = profileX_[i];
        const double py = profileY_[j];
        const double sideways = py == 0.0 ? 0.0 : px == 0.0 ? taken : taken * py / (px + py);
        if (taken != sideways) {
            // j_x ~ Im(psi* dpsi/dx), central differences on the periodic row.
            const Complex* row = undamped.data() + j * nx;
            const Complex slope = row[(i + 1) % nx] - row[(i + nx - 1) % nx];
            const double flux = double(before.real()) * slope.imag() - double(before.imag()) * slope.real();
            const bool movingLeft = flux < 0.0 || (flux == 0.0 && i < leftBandColumns_);
            (movingLeft ? removed.left : removed.right) += taken - sideways;
        }
        removed.topAndBottom += sideways;
    });
    const double dx = psi.dx();
    const double dy = psi.dy();
    removed.left = dx * removed.left * dy;
    removed.right = dx * removed.right * dy;
    removed.topAndBottom = dx * removed.topAndBottom * dy;
    return removed;
}

} // namespace vxo
