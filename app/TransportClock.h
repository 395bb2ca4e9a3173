#pragma once

#include <cstdint>

namespace vxo {

// Play / pause / stop of the run.
enum class TransportState : std::int32_t {
    Stopped = 0,
    Paused = 1,
    Running = 2,
};

// "STOPPED", "PAUSED" or "RUNNING"; any other value reads "STOPPED".
const char* transportStateName(TransportState state);

// The transport of the main window: its state and the speed factor, turned
// into the two numbers the run timer needs. The speed only changes how much
// simulated time passes per wall-clock second: above 1 a timer tick runs more
// solver steps at the base interval, below 1 the interval stretches and each
// tick runs one step. The numerical dt is never touched. Every operation is
// total.
class TransportClock {
public:
    // The tick base of the run timer, in milliseconds.
    static constexpr int kTickBaseMs = 30;
    static constexpr double kMinimumSpeed = 0.05;
    static constexpr double kMaximumSpeed = 16.0;

    void stop()
    {
        state_ = TransportState::Stopped;
        stepsOfRecentTick_ = kNoRecentTick;
    }
    void pause()
    {
        state_ = TransportState::Paused;
        stepsOfRecentTick_ = kNoRecentTick;
    }
    void run() { state_ = TransportState::Running; }
    TransportState state() const { return state_; }
    bool isRunning() const { return state_ == TransportState::Running; }

    // A factor that is infinite or not a number becomes 1; then it is clamped
    // to [0.05, 16].
    void setSpeed(double factor);
    double speed() const { return speed_; }

    // 1 at speed 1 or below, else the speed rounded half away from zero.
    int stepsPerTick() const;

    // The wall-clock time the steps of one tick may take. A tick whose next
    // step would end past it stops short of stepsPerTick, so that the window
    // answers its input between ticks; the run then goes slower than its
    // speed says. The first step of a tick always runs.
    static constexpr double kStepBudgetMs = 100.0;
    // Whether a tick that has run `stepsDone` steps in `elapsedMs` runs one
    // more: below stepsPerTick, and one more step of the tick's mean cost so
    // far still ends within the budget. A NaN time runs no more steps.
    bool anotherStepFits(int stepsDone, double elapsedMs) const;
    // The whole steps the last tick of the run took; forgotten when the
    // transport stops, pauses or changes speed.
    void setStepsOfRecentTick(int steps) { stepsOfRecentTick_ = steps; }
    // While running after a tick: the whole steps that tick took (fewer than
    // stepsPerTick when the budget cut it, 0 when it stopped within a step
    // of many sub-steps); otherwise stepsPerTick.
    int stepsOfRecentTick() const;
    // max(1, baseMs) at speed 1 or above, else that base divided by the speed
    // and rounded half away from zero; at least 1.
    int tickInterval(int baseMs) const;

    // Speed factor of an entry of the speed selector (0.25x, 0.50x, 1.00x,
    // 2.00x, 4.00x, 8.00x, 16.00x); 1 for any other index.
    static double speedOfChoice(int index);

private:
    TransportState state_ = TransportState::Stopped;
    double speed_ = 1.0;
    static constexpr int kNoRecentTick = -1; // since the last stop, pause or speed change
    int stepsOfRecentTick_ = kNoRecentTick;
};

} // namespace vxo
