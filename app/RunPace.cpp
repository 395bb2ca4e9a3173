#include "app/RunPace.h"

#include <cmath>

namespace vxo {

void RunPace::recordTickStart(double wallMs, double simulatedTime, double speed)
{
    if (!std::isfinite(wallMs) || !std::isfinite(simulatedTime))
        return;
    if (speed != speed_ ||
        (!ticks_.empty() && (simulatedTime < ticks_.back().simulatedTime || wallMs < ticks_.back().wallMs)))
        ticks_.clear();
    speed_ = speed;
    ticks_.push_back({wallMs, simulatedTime});
    // Keep the oldest tick that still covers the whole window.
    while (ticks_.size() > 2 && wallMs - ticks_[1].wallMs >= kWindowMs)
        ticks_.pop_front();
}

std::optional<double> RunPace::achievedSpeed(double dt, double baseMs) const
{
    if (ticks_.size() < 2 || !(dt > 0.0) || !(baseMs > 0.0))
        return std::nullopt;
    const double span = ticks_.back().wallMs - ticks_.front().wallMs;
    if (!(span >= kLeastSpanMs))
        return std::nullopt;
    const double steps = (ticks_.back().simulatedTime - ticks_.front().simulatedTime) / dt;
    return steps * baseMs / span;
}

std::optional<double> RunPace::speedWhenBehind(double dt, double baseMs) const
{
    const std::optional<double> achieved = achievedSpeed(dt, baseMs);
    if (achieved && *achieved < kBehindShare * speed_)
        return achieved;
    return std::nullopt;
}

} // namespace vxo
