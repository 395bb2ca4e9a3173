#pragma once

// Exact order populations of a matter wave after a pulse of the standing
// wave V0 cos^2(pi x / a), independent of any grid: a plane wave of momentum
// q only couples to q + n G (G = 2 pi hbar / a), and with m = hbar = 1
//   i dc_n/dt = ((q + n G)^2 / 2 + V0 / 2) c_n + (V0 / 4)(c_{n-1} + c_{n+1}),
// integrated by fourth-order Runge-Kutta on |n| <= orders from c_n = delta_n0,
// at steps short against the fastest phase. A Gaussian packet of momentum
// spread sp (narrow against G) is the average over q of its plane waves.

#include <algorithm>
#include <cmath>
#include <complex>
#include <vector>

namespace vxo::test {

// |c_n|^2 for n = -orders..orders.
inline std::vector<double> gratingOrderPopulations(double depth, double duration, double g, double q, int orders)
{
    const int size = 2 * orders + 1;
    using State = std::vector<std::complex<double>>;
    State c(size, 0.0);
    c[orders] = 1.0;
    const auto derivative = [&](const State& y) {
        State d(size);
        for (int k = 0; k < size; ++k) {
            const double p = q + (k - orders) * g;
            std::complex<double> h = (0.5 * p * p + depth / 2.0) * y[k];
            if (k > 0)
                h += depth / 4.0 * y[k - 1];
            if (k + 1 < size)
                h += depth / 4.0 * y[k + 1];
            d[k] = std::complex<double>(0.0, -1.0) * h;
        }
        return d;
    };
    const double fastest = 0.5 * std::pow(std::abs(q) + orders * g, 2) + std::abs(depth);
    const int steps = std::max(4000, static_cast<int>(std::ceil(duration * fastest / 0.05)));
    const double h = duration / steps;
    for (int s = 0; s < steps; ++s) {
        const State k1 = derivative(c);
        State y(size);
        for (int k = 0; k < size; ++k)
            y[k] = c[k] + h / 2.0 * k1[k];
        const State k2 = derivative(y);
        for (int k = 0; k < size; ++k)
            y[k] = c[k] + h / 2.0 * k2[k];
        const State k3 = derivative(y);
        for (int k = 0; k < size; ++k)
            y[k] = c[k] + h * k3[k];
        const State k4 = derivative(y);
        for (int k = 0; k < size; ++k)
            c[k] += h / 6.0 * (k1[k] + 2.0 * k2[k] + 2.0 * k3[k] + k4[k]);
    }
    std::vector<double> populations;
    for (const std::complex<double>& amplitude : c)
        populations.push_back(std::norm(amplitude));
    return populations;
}

// The same averaged over a packet at rest of momentum spread sp, by
// Simpson's rule over +-6 spreads.
inline std::vector<double> packetGratingPopulations(double depth, double duration, double g, double sp, int orders)
{
    const int intervals = 40;
    std::vector<double> average(2 * orders + 1, 0.0);
    double weights = 0.0;
    for (int k = 0; k <= intervals; ++k) {
        const double q = sp * (-6.0 + 12.0 * k / intervals);
        const double w = (k == 0 || k == intervals ? 1.0 : (k % 2 ? 4.0 : 2.0)) * std::exp(-0.5 * q * q / (sp * sp));
        const std::vector<double> p = gratingOrderPopulations(depth, duration, g, q, orders);
        for (std::size_t n = 0; n < p.size(); ++n)
            average[n] += w * p[n];
        weights += w;
    }
    for (double& p : average)
        p /= weights;
    return average;
}

} // namespace vxo::test
