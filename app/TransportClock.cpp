#include "app/TransportClock.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace vxo {

const char* transportStateName(TransportState state)
{
    switch (state) {
    case TransportState::Paused:
        return "PAUSED";
    case TransportState::Running:
        return "RUNNING";
    case TransportState::Stopped:
        break;
    }
    return "STOPPED";
}

void TransportClock::setSpeed(double factor)
{
    if (!std::isfinite(factor))
        factor = 1.0;
    factor = std::min(factor, kMaximumSpeed);
    speed_ = factor > kMinimumSpeed ? factor : kMinimumSpeed;
    stepsOfRecentTick_ = kNoRecentTick;
}

int TransportClock::stepsPerTick() const
{
    if (speed_ <= 1.0)
        return 1;
    return std::max(1, static_cast<int>(std::lround(speed_)));
}

bool TransportClock::anotherStepFits(int stepsDone, double elapsedMs) const
{
    if (stepsDone < 1)
        return stepsPerTick() > 0;
    if (stepsDone >= stepsPerTick())
        return false;
    const double meanStepMs = elapsedMs / static_cast<double>(stepsDone);
    // Written so that a NaN elapsed time fails.
    return elapsedMs + meanStepMs <= kStepBudgetMs;
}

int TransportClock::stepsOfRecentTick() const
{
    return isRunning() && stepsOfRecentTick_ != kNoRecentTick ? stepsOfRecentTick_ : stepsPerTick();
}

int TransportClock::tickInterval(int baseMs) const
{
    const int base = std::max(1, baseMs);
    if (speed_ >= 1.0)
        return base;
    // base / speed is at most INT_MAX / 0.05: keep it inside int.
    const double stretched = std::round(static_cast<double>(base) / speed_);
    const double largest = static_cast<double>(std::numeric_limits<int>::max());
    return std::max(1, static_cast<int>(std::min(stretched, largest)));
}

double TransportClock::speedOfChoice(int index)
{
    static constexpr std::array<double, 7> kChoices = {0.25, 0.5, 1.0, 2.0, 4.0, 8.0, 16.0};
    if (index < 0 || index >= static_cast<int>(kChoices.size()))
        return 1.0;
    return kChoices[static_cast<std::size_t>(index)];
}

} // namespace vxo
