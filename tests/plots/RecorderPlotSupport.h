#pragma once

// Support of the recorder plot tests: prepared fields for feeding the
// experiment recorders, amplitudes whose |psi|^2 is a chosen density, so that
// every figure a recorder derives from them (marginals, detector profiles,
// centroids, region probabilities) is known in advance; and the robustness
// feeds of a plot that reads a recorder.

#include "PlotRobustness.h"
#include "RecorderPlotFixtures.h"

#include "core/ComplexField2D.h"
#include "core/DiracSpinor2D.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace vxo::test {

// A spinor whose upper component has the density and whose lower component
// is ratio times the upper one, so that c<sigma_x> / norm = 2 c ratio / (1 + ratio^2).
template <typename Density>
DiracSpinor2D densitySpinor(std::uint64_t nx, std::uint64_t ny, float dx, float dy, Density&& density,
                            float ratio = 0.0f)
{
    DiracSpinor2D spinor;
    spinor.upper = densityField(nx, ny, dx, dy, density);
    spinor.lower = spinor.upper;
    for (std::uint64_t k = 0; k < spinor.lower.size(); ++k)
        spinor.lower.data()[k] *= ratio;
    return spinor;
}

// The sweep's states of a recorder plot: cleared, then pointed at each of the
// recorders (which outlive the sweep).
template <typename Widget, typename Recorder>
std::vector<PlotFeed<Widget>> recorderFeeds(const std::vector<std::pair<std::string, const Recorder*>>& states)
{
    std::vector<PlotFeed<Widget>> feeds{{"cleared", [](Widget& w) { w.clearRecorder(); }}};
    for (const auto& [name, recorder] : states)
        feeds.push_back({name, [recorder = recorder](Widget& w) { w.setRecorder(recorder); }});
    return feeds;
}

} // namespace vxo::test
