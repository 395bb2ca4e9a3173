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
    if (!config_.enabled)
        return;

    const float s = config_.strength * dt;
    const std::uint64_t nx = grid_.nx;
    const std::uint64_t ny = grid_.ny;
    // The x profile is the same in every row: one power per column, not per cell.
    std::vector<float> profileX(nx);
    for (std::uint64_t i = 0; i < nx; ++i)
        profileX[i] = edgeProfile(i, nx, config_.widthFraction, config_.exponent);
    for (std::uint64_t j = 0; j < ny; ++j) {
        const float py = edgeProfile(j, ny, config_.widthFraction, config_.exponent);
        float* row = mask_.data() + j * nx;
        for (std::uint64_t i = 0; i < nx; ++i) {
            const float m = std::exp(-(profileX[i] + py) * s);
            row[i] = m;
            minimumMask_ = std::min(minimumMask_, m);
            maximumMask_ = std::max(maximumMask_, m);
        }
    }
}

void AbsorbingBoundary2D::apply(ComplexField2D& psi) const
{
    if (!config_.enabled)
        return;
    if (mask_.empty() || !grid_.matches(psi))
        throw std::invalid_argument("AbsorbingBoundary2D: mask is not prepared for this field");
    Complex* values = psi.data();
    const std::uint64_t n = mask_.size();
    for (std::uint64_t c = 0; c < n; ++c)
        values[c] = Complex(values[c].real() * mask_[c], values[c].imag() * mask_[c]);
}

} // namespace vxo
