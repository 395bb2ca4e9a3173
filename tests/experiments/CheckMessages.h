#pragma once

// Outcomes of the checks of the experiments, as text for one expectation to
// compare word for word. The checks end with the std::string* error parameter,
// validators and scene analyses alike.

#include "core/PotentialScene.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace vxo::test {

// The message a check writes when it refuses its input: check(args..., &error)
// must return false.
template <typename Check, typename... Args>
std::string refusalMessage(Check check, Args&&... args)
{
    std::string error;
    EXPECT_FALSE(check(std::forward<Args>(args)..., &error));
    return error;
}

// "ok" when the analysis analyse(scene, config, &error) accepts the scene and
// empties an error text that held a stale message, else the message it leaves;
// the config's valid flag must agree with the result.
template <typename Config, typename Analyse>
std::string sceneCheckOutcome(Analyse analyse, const PotentialScene& scene)
{
    Config config;
    std::string message = "stale";
    const bool ok = analyse(scene, config, &message);
    EXPECT_EQ(ok, config.valid);
    return ok ? (message.empty() ? "ok" : "message left: " + message) : message;
}

} // namespace vxo::test
