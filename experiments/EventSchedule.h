#pragma once

// Instantaneous events on a periodic schedule (kicks, measurements): event n
// falls at first + n period and is applied before the solver step that starts
// at t once first + n period <= t + |dt| / 2 + 1e-9, i.e. before the step whose
// midpoint lies past it. Overdue events are caught up before one step, but
// never more than kMaxEventsPerStep of them, so that a vanishing period cannot
// stall the program; the rest follow before the next steps.

#include <cmath>
#include <cstdint>

namespace vxo {

constexpr std::uint64_t kMaxEventsPerStep = 1000;
// Smallest period the event validators accept.
constexpr double kMinimumEventPeriod = 1e-3;

inline bool isEventDue(double eventTime, double t, double dt) { return eventTime <= t + std::fabs(dt) / 2.0 + 1e-9; }

enum class EventOutcome {
    Applied,     // counted, the loop goes on
    AppliedLast, // counted, nothing more this step
    Refused,     // not counted, the loop ends
};

// Applies the due events n = counter, counter + 1, ... through apply(n),
// raising counter for each event that counts. Returns the number of events
// counted.
template <typename EventTime, typename Apply>
std::uint64_t applyDueEvents(std::uint64_t& counter, double t, double dt, EventTime eventTime, Apply apply)
{
    std::uint64_t applied = 0;
    while (applied < kMaxEventsPerStep && isEventDue(eventTime(counter), t, dt)) {
        const EventOutcome outcome = apply(counter);
        if (outcome == EventOutcome::Refused)
            break;
        ++counter;
        ++applied;
        if (outcome == EventOutcome::AppliedLast)
            break;
    }
    return applied;
}

} // namespace vxo
