// The guides of the guided experiments 0 to 26 (free motion, barriers, slits,
// obstacles, traps and the double well's two-level protocols) against what
// the program shows at each preset's settings. Each claim is a number a
// guide quotes in both languages; how it is measured follows the guide's own
// "look at".

#include "GuideClaims.h"

#include <QComboBox>

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace vxo::test {
namespace {

// What the run shows at `time` of the observables history's newest sample.
template <typename Read>
std::function<double(GuideRun&)> observed(int preset, double time, Read read)
{
    return [preset, time, read](GuideRun& r) {
        r.at(preset, time);
        return read(r.window().observableHistory().newest());
    };
}

// A control of the form as Load leaves it.
std::function<double(GuideRun&)> setting(int preset, const char* spinBox)
{
    return [preset, spinBox](GuideRun& r) {
        r.loaded(preset);
        return r.spinBox(spinBox);
    };
}

// A number that follows from the preset's settings: `formula` of the loaded
// form (the wavelength from the momentum, a kinetic energy).
std::function<double(GuideRun&)> fromSettings(int preset, std::function<double(GuideRun&)> formula)
{
    return [preset, formula](GuideRun& r) {
        r.loaded(preset);
        return formula(r);
    };
}

// A Diagnostics figure after `key`, on the row `parameter`, at `time`.
std::function<double(GuideRun&)> diagnosed(int preset, double time, const char* parameter, const char* key)
{
    return [=](GuideRun& r) {
        r.at(preset, time);
        return figureAfter(r.diagnostics(parameter), key);
    };
}

double px(GuideRun& r) { return r.spinBox("momentumSpinBox"); }
double mass(GuideRun& r) { return r.spinBox("massSpinBox"); }
double sigma(GuideRun& r) { return r.spinBox("sigmaSpinBox"); }
constexpr double kPi = 3.14159265358979323846;

const std::vector<GuideClaim>& earlyClaims()
{
    static const std::vector<GuideClaim> claims = {
        // 0 Free Wave Packet
        {0, "Sigma = 1 starts", "sigma = 1 parte", 0.0, setting(0, "sigmaSpinBox")},
        {0, "x = -8 with", "x = -8 con", 0.0, setting(0, "centerXSpinBox")},
        {0, "momentum px = 2.5", "impulso px = 2.5", 0.0, setting(0, "momentumSpinBox")},
        {0, "(mass m = 1, hbar = 1)", "(massa m = 1, hbar = 1)", 0.0, setting(0, "massSpinBox")},
        {0, "40.96 x 40.96", "40.96 x 40.96", 0.0, setting(0, "universeWidthSpinBox")},
        {0, "Ekin = px^2/(2m) = {3.125}", "Ekin = px^2/(2m) = {3.125}", 5e-4,
         fromSettings(0, [](GuideRun& r) { return px(r) * px(r) / (2.0 * mass(r)); })},
        {0, "2.24 at t = 4", "2.24 a t = 4", 0.006,
         observed(0, 4.0, [](const ObservableSample& s) { return s.sigmaX; })},
        {0, "4.12 at t = 8", "4.12 a t = 8", 0.006,
         observed(0, 8.0, [](const ObservableSample& s) { return s.sigmaX; })},
    };
    return claims;
}

// The guides whose every number is a claim above.
const std::vector<int> kCompleteGuides = {};

TEST(GuideClaimsEarly, EveryQuotedNumberIsWhatTheProgramShows)
{
    GuideRun run;
    for (const GuideClaim& claim : earlyClaims()) {
        SCOPED_TRACE(claim.english);
        checkClaim(run, claim);
    }
}

TEST(GuideClaimsEarly, EveryNumberOfTheCheckedGuidesIsClaimed) { checkCoverage(kCompleteGuides, earlyClaims()); }

} // namespace
} // namespace vxo::test
