#pragma once

namespace vxo {

// What a switching protocol applier keeps between the steps: whether its last
// application took and the state that application left (pulse, shutter or
// loop). The appliers derive from it and name the state after what it holds.
template <typename State>
class ProtocolRunState {
public:
    bool active() const { return active_; }

protected:
    // An application took: `settings` go to `appliedSettings` and the applier
    // is active with `state`. True, for the caller's stale contour cache.
    template <typename Settings>
    bool take(const State& state, const Settings& settings, Settings& appliedSettings)
    {
        appliedSettings = settings;
        active_ = true;
        state_ = state;
        return true;
    }

    bool active_ = false;
    State state_;
};

} // namespace vxo
