#pragma once

#include <deque>
#include <optional>

namespace vxo {

// How fast a run actually goes, as a speed factor comparable with the chosen
// one. At speed 1 the run advances one step of dt per base tick; when the
// steps of a tick take longer than the tick (a fine grid, a high speed, a
// slow renderer) the run falls behind what the speed selector shows. The pace
// is measured from the simulated time advanced over the wall-clock time
// between tick starts, over the last couple of seconds, so that one slow
// frame does not make it flicker.
class RunPace {
public:
    // Wall-clock span the pace is averaged over, and the least span it is
    // reported for (a run just started has too few ticks to say).
    static constexpr double kWindowMs = 2000.0;
    static constexpr double kLeastSpanMs = 500.0;
    // Below this share of the chosen speed the run counts as behind: timer
    // ticks come a few per cent late even on a machine that keeps up.
    static constexpr double kBehindShare = 0.9;

    // A tick starts at `wallMs` with the simulation clock at `simulatedTime`.
    // A clock that went back (a rebuild) or a new speed starts afresh.
    void recordTickStart(double wallMs, double simulatedTime, double speed);
    // Forgets every tick: the run starts, pauses or stops.
    void forget() { ticks_.clear(); }

    // The achieved speed factor for steps of `dt` at `baseMs` per tick at
    // speed 1; none before the ticks span kLeastSpanMs or for a dt or base
    // that is not positive.
    std::optional<double> achievedSpeed(double dt, double baseMs) const;
    // The achieved speed where it is below kBehindShare of the speed the
    // ticks were recorded at; none where the run keeps up or cannot tell.
    std::optional<double> speedWhenBehind(double dt, double baseMs) const;

private:
    struct TickStart {
        double wallMs;
        double simulatedTime;
    };
    std::deque<TickStart> ticks_;
    double speed_ = 0.0;
};

} // namespace vxo
