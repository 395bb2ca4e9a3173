#include "core/GaussianPacket2D.h"

#include "core/Numeric.h"

#include <cmath>
#include <stdexcept>

namespace vxo {

void GaussianPacket2D::prepare(ComplexField2D& field, const GaussianPacket2D& packet)
{
    if (field.empty())
        throw std::invalid_argument("GaussianPacket2D: field must not be empty");
    if (!isFinitePositive(packet.sigma))
        throw std::invalid_argument("GaussianPacket2D: sigma must be finite and positive");
    if (!isFinitePositive(packet.hbar))
        throw std::invalid_argument("GaussianPacket2D: hbar must be finite and positive");
    if (!isFinite(packet.x0) || !isFinite(packet.y0) || !isFinite(packet.px) || !isFinite(packet.py))
        throw std::invalid_argument("GaussianPacket2D: all parameters must be finite");

    const double sigma = packet.sigma;
    const double a = 1.0 / (sigma * 4.0 * sigma); // 1 / (4 sigma^2): |psi|^2 then has width sigma
    const double b = 1.0 / static_cast<double>(packet.hbar);
    const double x0 = packet.x0;
    const double y0 = packet.y0;
    const double px = packet.px;
    const double py = packet.py;

    for (std::uint64_t j = 0; j < field.ny(); ++j) {
        const double y = gridCoordinateY(field, j);
        const double dy2 = (y - y0) * (y - y0);
        for (std::uint64_t i = 0; i < field.nx(); ++i) {
            const double x = gridCoordinateX(field, i);
            const double amplitude = std::exp(-((x - x0) * (x - x0) + dy2) * a);
            const double phase = (px * x + py * y) * b;
            field.at(i, j) = Complex(static_cast<float>(amplitude * std::cos(phase)),
                                     static_cast<float>(amplitude * std::sin(phase)));
        }
    }
    if (!field.normalize())
        throw std::runtime_error("GaussianPacket2D: normalization failed");
}

} // namespace vxo
