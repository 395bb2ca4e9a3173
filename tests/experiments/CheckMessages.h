#pragma once

// Outcomes of the checks of the experiments, as text for one expectation to
// compare word for word. The checks end with the std::string* error parameter,
// validators and scene analyses alike.

#include "core/PotentialScene.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

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

// The neighbouring doubles of an end of a range: a bound moved by a rounding
// step, a "<" written for "<=" or a bound scaled by a percent all show there.
inline double justBelow(double v) { return std::nextafter(v, -std::numeric_limits<double>::infinity()); }
inline double justAbove(double v) { return std::nextafter(v, std::numeric_limits<double>::infinity()); }

// One rule on one value of a configuration: values that pass and values that
// are refused with the message, each set alone on a configuration that passes.
template <typename Config>
struct ValueRule {
    std::string name;
    std::function<void(Config&, double)> set;
    std::vector<double> accepted;
    std::vector<double> refused;
    std::string message;
};

// The closed range [lo, hi]: both ends pass, the doubles beside them do not.
template <typename Config>
ValueRule<Config> closedRange(std::string name, std::function<void(Config&, double)> set, double lo, double hi,
                              std::string message)
{
    return {std::move(name), std::move(set), {lo, hi}, {justBelow(lo), justAbove(hi)}, std::move(message)};
}

// NaN and both infinities are refused with the message.
template <typename Config>
ValueRule<Config> finiteOnly(std::string name, std::function<void(Config&, double)> set, std::string message)
{
    const double inf = std::numeric_limits<double>::infinity();
    return {
        std::move(name), std::move(set), {}, {std::numeric_limits<double>::quiet_NaN(), inf, -inf}, std::move(message)};
}

// Setter of one double member, for the rule rows.
template <typename Config>
std::function<void(Config&, double)> setter(double Config::*field)
{
    return [field](Config& c, double v) { c.*field = v; };
}

// finiteOnly rows for each named member.
template <typename Config>
std::vector<ValueRule<Config>> finiteOnly(const std::vector<std::pair<const char*, double Config::*>>& fields,
                                          const std::string& message)
{
    std::vector<ValueRule<Config>> rules;
    for (const auto& [name, field] : fields)
        rules.push_back(finiteOnly<Config>(name, setter(field), message));
    return rules;
}

// validate(config, &error) for a check that reports through a const char**.
template <typename Config, typename Check>
auto withTextError(Check check)
{
    return [check](const Config& config, std::string* error) {
        const char* message = nullptr;
        const bool ok = check(config, &message);
        if (message)
            *error = message;
        return ok;
    };
}

// The field rule of the magnetic experiments on an enabled config: |b| within
// [0.02, 4] of either sign; a disabled one may have a weak field, not one beyond 4.
template <typename Config>
std::vector<ValueRule<Config>> magneticFieldRules(const std::string& message)
{
    const auto disabled = [](Config& c, double v) {
        c.enabled = false;
        c.fieldStrength = v;
    };
    return {{"fieldStrength",
             setter(&Config::fieldStrength),
             {-4.0, -0.02, 0.02, 4.0},
             {justBelow(-4.0), justAbove(-0.02), 0.0, justBelow(0.02), justAbove(4.0)},
             message},
            {"fieldStrength when disabled", disabled, {-4.0, 0.0, 4.0}, {justBelow(-4.0), justAbove(4.0)}, message}};
}

// Every row of a rule table against validate(config, &error), from a valid config.
template <typename Config, typename Validate>
void expectValueRules(Validate validate, const Config& valid, std::vector<ValueRule<Config>> rules,
                      const std::vector<ValueRule<Config>>& moreRules = {})
{
    rules.insert(rules.end(), moreRules.begin(), moreRules.end());
    const auto text = [](double v) {
        std::ostringstream out;
        out.precision(17);
        out << v;
        return out.str();
    };
    std::string error;
    ASSERT_TRUE(validate(valid, &error)) << error;
    for (const ValueRule<Config>& rule : rules) {
        for (double v : rule.accepted) {
            Config config = valid;
            rule.set(config, v);
            error.clear();
            EXPECT_TRUE(validate(config, &error)) << rule.name << " = " << text(v) << " refused: " << error;
        }
        for (double v : rule.refused) {
            Config config = valid;
            rule.set(config, v);
            error.clear();
            EXPECT_FALSE(validate(config, &error)) << rule.name << " = " << text(v) << " passed";
            EXPECT_EQ(error, rule.message) << rule.name << " = " << text(v);
        }
    }
}

} // namespace vxo::test
