// The recorder plots under the robustness sweep, and their shared placeholder
// rule: no recorder, an unconfigured one and an empty one all paint exactly
// the picture of a fresh plot.

#include "experiments/AndersonRecorder.h"
#include "experiments/BerryRecorder.h"
#include "experiments/BilliardRecorder.h"
#include "experiments/BouncerRecorder.h"
#include "experiments/KickedRotorRecorder.h"
#include "experiments/LoschmidtRecorder.h"
#include "experiments/RevivalRecorder.h"
#include "experiments/ScarRecorder.h"
#include "experiments/TalbotRecorder.h"
#include "experiments/VortexRecorder.h"
#include "experiments/ZenoRecorder.h"
#include "plots/QuantumAndersonPlotWidget.h"
#include "plots/QuantumBerryPhasePlotWidget.h"
#include "plots/QuantumBilliardPlotWidget.h"
#include "plots/QuantumBouncerPlotWidget.h"
#include "plots/QuantumKickedRotorPlotWidget.h"
#include "plots/QuantumLoschmidtPlotWidget.h"
#include "plots/QuantumRevivalPlotWidget.h"
#include "plots/QuantumScarPlotWidget.h"
#include "plots/QuantumTalbotPlotWidget.h"
#include "plots/QuantumVortexPlotWidget.h"
#include "plots/QuantumZenoPlotWidget.h"

#include "PlotRobustness.h"
#include "RecorderPlotFixtures.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace vxo {
namespace {

using test::kInf;
using test::kNaN;

// A packet at (x0, y0) on nx x ny cells of 0.25 x 0.3.
ComplexField2D packet(double x0, double y0, std::uint64_t nx = 48, std::uint64_t ny = 40)
{
    return test::fieldOf(nx, ny, 0.25f, 0.3f,
                         [=](double x, double y) { return test::packetAmplitude(x, y, x0, y0, 0.8, 1.0); });
}

ComplexField2D notFinite(std::uint64_t nx = 48, std::uint64_t ny = 40)
{
    return test::fieldOf(nx, ny, 0.25f, 0.3f,
                         [](double x, double) { return Complex(float(x > 0 ? kNaN : kInf), 0.0f); });
}

// A recorder made and fed by fill, shared by the feed that shows it.
template <typename Recorder, typename Fill>
std::shared_ptr<Recorder> made(Recorder recorder, Fill&& fill)
{
    auto shared = std::make_shared<Recorder>(std::move(recorder));
    fill(*shared);
    return shared;
}

template <typename Widget, typename Recorder, typename Apply>
test::PlotFeed<Widget> feed(const char* name, std::shared_ptr<Recorder> recorder, Apply apply)
{
    return {name, [recorder, apply](Widget& plot) { apply(plot, recorder.get()); }};
}

VortexTrap trap()
{
    VortexTrap t;
    t.found = true;
    t.curvature = 0.25;
    return t;
}

KickedRotorRecorder rotor()
{
    KickedRotorConfig kick;
    kick.enabled = true;
    KickedRotorRecorder r(8);
    r.configure(kick, KickedRotorInitialStateConfig{}, 0.3);
    return r;
}

ZenoConfig zeno()
{
    ZenoConfig c;
    c.enabled = true;
    return c;
}

ScarRecorder scar(const StadiumGeometry& geometry)
{
    ScarConfig config;
    ScarRecorder r(64);
    r.configure(packet(0, 0), geometry, config, 1.0, 1.0);
    return r;
}

BerryConfig loop(bool enabled)
{
    BerryConfig c;
    c.enabled = enabled;
    c.duration = 10.0;
    return c;
}

BerryTrap berryTrap()
{
    BerryTrap t;
    t.valid = true;
    return t;
}

LoschmidtConfig echo()
{
    LoschmidtConfig c;
    c.enabled = true;
    c.reversalTime = 2.0;
    return c;
}

} // namespace

namespace test {

template <>
struct PlotFeeds<QuantumRevivalPlotWidget> {
    using W = QuantumRevivalPlotWidget;
    static std::vector<PlotFeed<W>> all()
    {
        const auto run = [](int n, auto fieldAt) {
            return made(RevivalRecorder(64), [=](RevivalRecorder& r) {
                r.setInitialState(packet(0, 0));
                for (int k = 0; k < n; ++k)
                    r.record(0.5 * k, fieldAt(k));
            });
        };
        const auto moving = run(30, [](int k) { return packet(-2.0 + 0.15 * k, 0.0); });
        const auto show = [](RevivalBoxConfig b, double mass) {
            return [=](W& p, const RevivalRecorder* r) { p.setRecorder(r, b, mass, 1.0); };
        };
        return {
            feed<W>("no recorder", moving,
                    [](W& p, const RevivalRecorder*) { p.setRecorder(nullptr, test::revivalBox(0, 8), 1, 1); }),
            feed<W>("empty", run(0, [](int) { return packet(0, 0); }), show(test::revivalBox(0, 8), 1.0)),
            feed<W>("one sample", run(1, [](int) { return packet(0, 0); }), show(test::revivalBox(0, 8), 1.0)),
            feed<W>("typical", moving, show(test::revivalBox(0.3, 8), 0.05)),
            feed<W>("box beyond the grid", moving, show(test::revivalBox(500, 8), 1.0)),
            feed<W>("not finite", run(3, [](int) { return notFinite(); }), show(test::revivalBox(kNaN, kInf), kInf)),
            feed<W>("reset", moving, [](W& p, const RevivalRecorder* r) {
                p.setRecorder(r, test::revivalBox(0, 8), 1, 1);
                p.reset();
            })};
    }
};

template <>
struct PlotFeeds<QuantumBilliardPlotWidget> {
    using W = QuantumBilliardPlotWidget;
    static std::vector<PlotFeed<W>> all()
    {
        const auto run = [](int n, auto fieldAt) {
            return made(BilliardRecorder(64), [=](BilliardRecorder& r) {
                r.setInitialState(packet(0, 0), test::billiardConfig(8, true));
                for (int k = 0; k < n; ++k)
                    r.record(0.5 * k, fieldAt(k), test::billiardConfig(8, true));
            });
        };
        const auto moving = run(20, [](int k) { return packet(-2.0 + 0.2 * k, 0.5); });
        const auto show = [](BilliardConfig c) {
            return [=](W& p, const BilliardRecorder* r) { p.setRecorder(r, c); };
        };
        return {feed<W>("unconfigured", made(BilliardRecorder(8), [](BilliardRecorder&) {}),
                        show(test::billiardConfig(8, true))),
                feed<W>("empty", run(0, [](int) { return packet(0, 0); }), show(test::billiardConfig(8, true))),
                feed<W>("one sample", run(1, [](int) { return packet(0, 0); }), show(test::billiardConfig(8, true))),
                feed<W>("Sinai", moving, show(test::billiardConfig(8, true))),
                feed<W>("rectangle", moving, show(test::billiardConfig(8, false))),
                feed<W>("interior beyond the grid", moving, show(test::billiardConfig(400, true))),
                feed<W>("flat interior", moving, show(test::billiardConfig(0, true))),
                feed<W>("not finite", run(3, [](int) { return notFinite(); }), show(test::billiardConfig(kNaN, true)))};
    }
};

template <>
struct PlotFeeds<QuantumTalbotPlotWidget> {
    using W = QuantumTalbotPlotWidget;
    static std::vector<PlotFeed<W>> all()
    {
        TalbotInitialState comb;
        comb.period = 2.0;
        comb.toothSigma = 0.3;
        const auto run = [comb](int n, auto fieldAt) {
            return made(TalbotRecorder(64), [=](TalbotRecorder& r) {
                r.configure(packet(0, 0), comb);
                for (int k = 0; k < n; ++k)
                    r.record(0.3 * k, fieldAt(k));
            });
        };
        const auto moving = run(40, [](int k) { return packet(-2.0 + 0.1 * k, 0.0); });
        const auto show = [](double mass) {
            return [=](W& p, const TalbotRecorder* r) { p.setRecorder(r, mass, 1.0); };
        };
        return {feed<W>("unconfigured", made(TalbotRecorder(8), [](TalbotRecorder&) {}), show(1.0)),
                feed<W>("empty", run(0, [](int) { return packet(0, 0); }), show(1.0)),
                feed<W>("one sample", run(1, [](int) { return packet(0, 0); }), show(1.0)),
                feed<W>("typical", moving, show(1.0)),
                feed<W>("many Talbot times", moving, show(1e-3)),
                feed<W>("zero rows", run(3, [](int) { return ComplexField2D(48, 40, 0.25f, 0.3f); }), show(kNaN)),
                feed<W>("not finite", run(3, [](int) { return notFinite(); }), show(kInf))};
    }
};

template <>
struct PlotFeeds<QuantumBouncerPlotWidget> {
    using W = QuantumBouncerPlotWidget;
    static std::vector<PlotFeed<W>> all()
    {
        const auto run = [](double floor, int n, auto fieldAt) {
            return made(BouncerRecorder(64), [=](BouncerRecorder& r) {
                r.configure(test::bouncerFloor(floor), 0.0, 0.3);
                for (int k = 0; k < n; ++k)
                    r.record(0.4 * k, fieldAt(k), 1.0, 1.0);
            });
        };
        const auto falling = run(-4.0, 30, [](int k) { return packet(0.0, 2.0 - 0.1 * k); });
        const auto show = [](double hbar) {
            return [=](W& p, const BouncerRecorder* r) { p.setRecorder(r, 1.0, hbar); };
        };
        return {feed<W>("unconfigured", made(BouncerRecorder(8), [](BouncerRecorder&) {}), show(1.0)),
                feed<W>("empty", run(-4.0, 0, [](int) { return packet(0, 0); }), show(1.0)),
                feed<W>("one sample", run(-4.0, 1, [](int) { return packet(0, 0); }), show(1.0)),
                feed<W>("typical", falling, show(1.0)),
                feed<W>("floor above the grid", run(40.0, 3, [](int) { return packet(0, 0); }), show(1.0)),
                beyondLegibility(feed<W>("levels on the floor", falling, show(0.0))),
                beyondLegibility(feed<W>("not finite", run(-4.0, 3, [](int) { return notFinite(); }), show(kNaN)))};
    }
};

template <>
struct PlotFeeds<QuantumVortexPlotWidget> {
    using W = QuantumVortexPlotWidget;
    static std::vector<PlotFeed<W>> all()
    {
        const auto run = [](VortexInitialState state, int n, bool lost) {
            return made(VortexRecorder(64), [=](VortexRecorder& r) {
                r.configure(state, trap());
                ComplexField2D field(48, 40, 0.25f, 0.3f);
                QuantumVortex2D::prepareInitialState(field, state, nullptr);
                for (int k = 0; k < n; ++k)
                    r.record(0.5 * k, lost && k % 2 ? packet(0, 0) : field, 1.0);
            });
        };
        VortexInitialState centred;
        centred.coreX = 0.0;
        const auto typical = run(VortexInitialState{}, 12, true);
        const auto show = [](double hbar) {
            return [=](W& p, const VortexRecorder* r) { p.setRecorder(r, 1.0, hbar); };
        };
        return {feed<W>("unconfigured", made(VortexRecorder(32), [](VortexRecorder&) {}), show(1.0)),
                feed<W>("empty", run(VortexInitialState{}, 0, false), show(1.0)),
                feed<W>("one sample", run(VortexInitialState{}, 1, false), show(1.0)),
                feed<W>("cores lost in turn", typical, show(1.0)),
                feed<W>("core on the centre", run(centred, 4, false), show(0.0)),
                feed<W>("not finite",
                        made(VortexRecorder(32),
                             [](VortexRecorder& r) {
                                 r.configure(VortexInitialState{}, trap());
                                 r.record(0.0, notFinite(), 1.0);
                                 r.record(1.0, notFinite(), 1.0);
                             }),
                        show(kNaN))};
    }
};

template <>
struct PlotFeeds<QuantumAndersonPlotWidget> {
    using W = QuantumAndersonPlotWidget;
    static std::vector<PlotFeed<W>> all()
    {
        const auto run = [](AndersonLattice l, int n, auto fieldAt) {
            return made(AndersonRecorder(64), [=](AndersonRecorder& r) {
                r.configure(AndersonInitialStateConfig{}, l);
                for (int k = 0; k < n; ++k)
                    r.record(0.5 * k, fieldAt(k));
            });
        };
        const AndersonLattice sites = test::andersonLattice({-3, -1.5, 0, 1.5, 3}, 1.5);
        const auto show = [](W& p, const AndersonRecorder* r) { p.setRecorder(r, 1.0, 1.0); };
        return {feed<W>("unconfigured", made(AndersonRecorder(8), [](AndersonRecorder&) {}), show),
                feed<W>("empty", run(sites, 0, [](int) { return packet(0, 3); }), show),
                feed<W>("one sample at t = 0", run(sites, 1, [](int) { return packet(0, 3); }), show),
                feed<W>("typical", run(sites, 10, [](int k) { return packet(0.2 * k, 3.0); }), show),
                feed<W>("no sites", run(test::andersonLattice({}, 1.5), 3, [](int k) { return packet(0.2 * k, 3.0); }),
                        show),
                feed<W>("one site, no spacing",
                        run(test::andersonLattice({0.0}, 0.0), 3, [](int k) { return packet(0.2 * k, 3.0); }), show),
                feed<W>("not finite", run(sites, 3, [](int) { return notFinite(); }), show)};
    }
};

template <>
struct PlotFeeds<QuantumKickedRotorPlotWidget> {
    using W = QuantumKickedRotorPlotWidget;
    static std::vector<PlotFeed<W>> all()
    {
        const auto run = [](int n, std::size_t columns, double value) {
            return made(rotor(), [=](KickedRotorRecorder& r) {
                for (int k = 0; k < n; ++k)
                    r.record(test::momentumModes(std::vector<double>(columns + std::size_t(k % 2), value)),
                             std::uint64_t(k), k);
            });
        };
        const auto show = [](W& p, const KickedRotorRecorder* r) { p.setRecorder(r); };
        return {feed<W>("unconfigured", made(KickedRotorRecorder(8), [](KickedRotorRecorder&) {}), show),
                feed<W>("empty", run(0, 16, 1.0), show),
                feed<W>("one sample", run(1, 16, 1.0), show),
                feed<W>("beyond the capacity", run(20, 16, 1.0), show),
                feed<W>("no distributions", run(3, 0, 1.0), show),
                feed<W>("not finite", run(3, 8, kNaN), show),
                feed<W>("cleared", run(3, 8, 1.0), [](W& p, const KickedRotorRecorder* r) {
                    p.setRecorder(r);
                    p.clearRecorder();
                })};
    }
};

template <>
struct PlotFeeds<QuantumZenoPlotWidget> {
    using W = QuantumZenoPlotWidget;
    static std::vector<PlotFeed<W>> all()
    {
        const ComplexField2D lanes = test::fieldOf(48, 40, 0.25f, 0.3f, [](double x, double y) {
            return test::packetAmplitude(x, y, -2, 3, 0.8, 1) + test::packetAmplitude(x, y, -2, -3, 0.8, 1);
        });
        const auto run = [lanes](int n, double survival) {
            return made(ZenoRecorder(16), [=](ZenoRecorder& r) {
                r.configure(zeno(), ZenoInitialStateConfig{}, lanes);
                for (int k = 0; k < n; ++k)
                    r.record(0.3 * k, lanes, std::uint64_t(k), survival);
            });
        };
        const auto typical = run(30, 0.8);
        const auto show = [](ZenoLaneProfiles p) {
            return [=](W& plot, const ZenoRecorder* r) { plot.setRecorder(r, p); };
        };
        return {
            feed<W>("unconfigured", made(ZenoRecorder(16), [](ZenoRecorder&) {}), show(test::laneProfiles(20, 0.5))),
            feed<W>("empty", run(0, 1.0), show(test::laneProfiles(20, 0.5))),
            feed<W>("one sample, one profile point", run(1, 1.0), show(test::laneProfiles(1, 0.5))),
            feed<W>("typical", typical, show(test::laneProfiles(20, 0.5))),
            feed<W>("edge left of the profile", typical, show(test::laneProfiles(20, 0.5, 30.0))),
            feed<W>("no step", typical, show(test::laneProfiles(20, 0.0))),
            feed<W>("not finite", run(3, kNaN), show(test::laneProfiles(20, kInf))),
            feed<W>("reset", typical, [](W& plot, const ZenoRecorder* r) {
                plot.setRecorder(r, test::laneProfiles(20, 0.5));
                plot.reset();
            })};
    }
};

template <>
struct PlotFeeds<QuantumScarPlotWidget> {
    using W = QuantumScarPlotWidget;
    static std::vector<PlotFeed<W>> all()
    {
        const auto run = [](StadiumGeometry s, int n, auto fieldAt) {
            return made(scar(s), [=](ScarRecorder& r) {
                for (int k = 0; k < n; ++k)
                    r.record(0.5 * k, fieldAt(k));
            });
        };
        const auto moving = [](int k) { return packet(-2.0 + 0.2 * k, 0.0); };
        const auto show = [](W& p, const ScarRecorder* r) { p.setRecorder(r); };
        return {feed<W>("unconfigured", made(ScarRecorder(8), [](ScarRecorder&) {}), show),
                feed<W>("empty", run(test::stadiumGeometry(0, 3), 0, moving), show),
                feed<W>("one sample", run(test::stadiumGeometry(0, 3), 1, moving), show),
                feed<W>("typical", run(test::stadiumGeometry(0, 3), 12, moving), show),
                feed<W>("stadium beyond the grid", run(test::stadiumGeometry(300, 3), 3, moving), show),
                feed<W>("no straight part", run(test::stadiumGeometry(0, 0), 3, moving), show),
                feed<W>("not finite", run(test::stadiumGeometry(0, 3), 3, [](int) { return notFinite(); }), show)};
    }
};

template <>
struct PlotFeeds<QuantumBerryPhasePlotWidget> {
    using W = QuantumBerryPhasePlotWidget;
    static std::vector<PlotFeed<W>> all()
    {
        const auto run = [](BerryConfig config, int n) {
            return made(BerryRecorder(64), [=](BerryRecorder& r) {
                r.configure(packet(0, 0), berryTrap(), config);
                for (int k = 0; k < n; ++k) {
                    BerryLoopState state = QuantumBerryPhase2D::trapAt(config, 1.0 * k);
                    state.valid = true;
                    r.record(1.0 * k, state, k % 3 == 2 ? packet(0, 0) : packet(0.05 * k, 0));
                }
            });
        };
        const auto show = [](W& p, const BerryRecorder* r) { p.setRecorder(r); };
        BerryConfig flat = loop(false);
        flat.anisotropy = 0.0;
        return {feed<W>("unconfigured", made(BerryRecorder(8), [](BerryRecorder&) {}), show),
                feed<W>("empty", run(loop(true), 0), show),
                feed<W>("one sample", run(loop(true), 1), show),
                feed<W>("typical", run(loop(true), 11), show),
                feed<W>("no amplitude", run(flat, 4), show),
                feed<W>("far states",
                        made(BerryRecorder(8),
                             [](BerryRecorder& r) {
                                 r.configure(packet(0, 0), berryTrap(), loop(true));
                                 r.record(1.0, QuantumBerryPhase2D::trapAt(loop(true), 1.0), packet(5, 5));
                                 r.record(2.0, QuantumBerryPhase2D::trapAt(loop(true), 2.0), notFinite());
                             }),
                        show)};
    }
};

template <>
struct PlotFeeds<QuantumLoschmidtPlotWidget> {
    using W = QuantumLoschmidtPlotWidget;
    static std::vector<PlotFeed<W>> all()
    {
        const auto run = [](int n, int firstReturn, auto fieldAt) {
            return made(LoschmidtRecorder(64), [=](LoschmidtRecorder& r) {
                r.configure(packet(0, 0), echo());
                for (int k = 0; k < n; ++k)
                    r.record(0.3 * k, fieldAt(k), k >= firstReturn);
            });
        };
        const auto moving = [](int k) { return packet(0.1 * k, 0.05 * k); };
        const auto show = [](W& p, const LoschmidtRecorder* r) { p.setRecorder(r); };
        return {feed<W>("unconfigured", made(LoschmidtRecorder(8), [](LoschmidtRecorder&) {}), show),
                feed<W>("empty", run(0, 0, moving), show), feed<W>("one sample", run(1, 5, moving), show),
                feed<W>("outbound only", run(5, 99, moving), show), feed<W>("past 2T", run(25, 7, moving), show),
                // A run forty times past T squeezes 0, T and 2T into the axis' first pixels.
                feed<W>("long past 2T", run(261, 7, moving), show), feed<W>("return only", run(4, 0, moving), show),
                feed<W>("not finite", run(3, 1, [](int) { return notFinite(); }), show)};
    }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Revival, PlotRobustness, QuantumRevivalPlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(Revival, PlotLegibility, QuantumRevivalPlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(Billiard, PlotRobustness, QuantumBilliardPlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(Billiard, PlotLegibility, QuantumBilliardPlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(Talbot, PlotRobustness, QuantumTalbotPlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(Talbot, PlotLegibility, QuantumTalbotPlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(Bouncer, PlotRobustness, QuantumBouncerPlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(Bouncer, PlotLegibility, QuantumBouncerPlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(Vortex, PlotRobustness, QuantumVortexPlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(Vortex, PlotLegibility, QuantumVortexPlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(Anderson, PlotRobustness, QuantumAndersonPlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(Anderson, PlotLegibility, QuantumAndersonPlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(KickedRotor, PlotRobustness, QuantumKickedRotorPlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(KickedRotor, PlotLegibility, QuantumKickedRotorPlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(Zeno, PlotRobustness, QuantumZenoPlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(Zeno, PlotLegibility, QuantumZenoPlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(Scar, PlotRobustness, QuantumScarPlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(Scar, PlotLegibility, QuantumScarPlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(BerryPhase, PlotRobustness, QuantumBerryPhasePlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(BerryPhase, PlotLegibility, QuantumBerryPhasePlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(Loschmidt, PlotRobustness, QuantumLoschmidtPlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(Loschmidt, PlotLegibility, QuantumLoschmidtPlotWidget);

// The first two feeds of every plot are no recorder or an unconfigured one,
// and an empty one: each must paint the fresh plot's placeholder.
template <typename Widget>
void expectPlaceholderFeeds(QWidget& host, const char* plot)
{
    Widget& fresh = *new Widget(&host);
    const QImage placeholder = grabPlot(fresh, QSize(520, 420));
    const std::vector<PlotFeed<Widget>> feeds = PlotFeeds<Widget>::all();
    for (std::size_t k = 0; k < 2; ++k) {
        Widget& plotted = *new Widget(&host);
        feeds[k].apply(plotted);
        EXPECT_TRUE(grabPlot(plotted, QSize(520, 420)) == placeholder) << plot << ": " << feeds[k].name;
    }
}

using RecorderPlaceholders = PlotTest;

TEST_F(RecorderPlaceholders, NoUnconfiguredOrEmptyRecorderShowsTheFreshPlot)
{
    expectPlaceholderFeeds<QuantumRevivalPlotWidget>(host(), "revival");
    expectPlaceholderFeeds<QuantumBilliardPlotWidget>(host(), "billiard");
    expectPlaceholderFeeds<QuantumTalbotPlotWidget>(host(), "Talbot");
    expectPlaceholderFeeds<QuantumBouncerPlotWidget>(host(), "bouncer");
    expectPlaceholderFeeds<QuantumVortexPlotWidget>(host(), "vortex");
    expectPlaceholderFeeds<QuantumAndersonPlotWidget>(host(), "Anderson");
    expectPlaceholderFeeds<QuantumKickedRotorPlotWidget>(host(), "kicked rotor");
    expectPlaceholderFeeds<QuantumZenoPlotWidget>(host(), "Zeno");
    expectPlaceholderFeeds<QuantumScarPlotWidget>(host(), "scar");
    expectPlaceholderFeeds<QuantumBerryPhasePlotWidget>(host(), "Berry phase");
    expectPlaceholderFeeds<QuantumLoschmidtPlotWidget>(host(), "Loschmidt");
}

// The panel floors of the split pages are for cramped docks only: at a size
// tall enough to stack them, every page stacks its panels from the top margin
// down to the bottom margin, with nothing spilling past the widget.
TEST(SplitPageLayouts, ReachTheirFloorsOnlyBelowTheTestedSize)
{
    const QSize size(520, 500);
    const std::vector<std::pair<const char*, plot::SplitLayout>> layouts{
        {"Billiard", QuantumBilliardPlotWidget::layout()}, {"Talbot", QuantumTalbotPlotWidget::layout()},
        {"bouncer", QuantumBouncerPlotWidget::layout()},   {"Loschmidt", QuantumLoschmidtPlotWidget::layout()},
        {"scar", QuantumScarPlotWidget::layout()},         {"Berry phase", QuantumBerryPhasePlotWidget::layout()},
        {"revival", QuantumRevivalPlotWidget::layout()}};
    for (const auto& [name, layout] : layouts) {
        const plot::SplitPanels panels = plot::splitPanels(size, layout);
        EXPECT_DOUBLE_EQ(panels.upper.top(), layout.top) << name;
        EXPECT_DOUBLE_EQ(panels.lower.top() - panels.upper.bottom(), layout.gap) << name;
        EXPECT_DOUBLE_EQ(panels.lower.bottom() + layout.bottom, size.height()) << name << ": the bottom margin";
        EXPECT_DOUBLE_EQ(panels.upper.right() + layout.right, size.width()) << name << ": the right margin";
    }
}

// A grid one cell across on one axis has no profile along it: the plot whose
// carpet runs along that axis shows its placeholder, and only that one; the
// billiard and scar maps need both axes.
TEST_F(RecorderPlaceholders, AGridOneCellAcrossLeavesOnlyThePlotAlongThatAxisEmpty)
{
    const QSize size(520, 420);
    const QImage bouncerEmpty = grabPlot(*new QuantumBouncerPlotWidget(&host()), size);
    const QImage revivalEmpty = grabPlot(*new QuantumRevivalPlotWidget(&host()), size);
    const QImage scarEmpty = grabPlot(*new QuantumScarPlotWidget(&host()), size);
    const QImage billiardEmpty = grabPlot(*new QuantumBilliardPlotWidget(&host()), size);
    const QImage talbotEmpty = grabPlot(*new QuantumTalbotPlotWidget(&host()), size);
    // The revival and Talbot carpets run along x, the bouncer's along y.
    struct Grid {
        std::uint64_t nx, ny;
        bool bouncerEmpty, xCarpetsEmpty, mapsEmpty;
    };
    for (const Grid& g : {Grid{48, 1, true, false, true}, Grid{1, 40, false, true, true},
                          Grid{2, 40, false, false, false}, Grid{48, 2, false, false, false}}) {
        ScarRecorder scarRun(16);
        scarRun.configure(packet(0, 0, g.nx, g.ny), stadiumGeometry(0, 3), ScarConfig{}, 1.0, 1.0);
        BilliardRecorder billiard(16);
        billiard.setInitialState(packet(0, 0, g.nx, g.ny), billiardConfig(8, true));
        BouncerRecorder bouncer(16);
        bouncer.configure(test::bouncerFloor(-4.0), 0.0, 0.3);
        RevivalRecorder revival(16);
        revival.setInitialState(packet(0, 0, g.nx, g.ny));
        TalbotInitialState comb;
        comb.period = 2.0;
        comb.toothSigma = 0.3;
        TalbotRecorder talbot(16);
        talbot.configure(packet(0, 0, g.nx, g.ny), comb);
        for (int k = 0; k < 3; ++k) {
            talbot.record(0.4 * k, packet(0.2 * k, 0.0, g.nx, g.ny));
            bouncer.record(0.4 * k, packet(0.0, 1.0 - 0.2 * k, g.nx, g.ny), 1.0, 1.0);
            revival.record(0.4 * k, packet(0.2 * k, 0.0, g.nx, g.ny));
            scarRun.record(0.4 * k, packet(0.2 * k, 0.0, g.nx, g.ny));
            billiard.record(0.4 * k, packet(0.2 * k, 0.0, g.nx, g.ny), billiardConfig(8, true));
        }
        auto& scarPlot = *new QuantumScarPlotWidget(&host());
        scarPlot.setRecorder(&scarRun);
        EXPECT_EQ(grabPlot(scarPlot, size) == scarEmpty, g.mapsEmpty) << "scar " << g.nx << " x " << g.ny;
        auto& billiardPlot = *new QuantumBilliardPlotWidget(&host());
        billiardPlot.setRecorder(&billiard, billiardConfig(8, true));
        EXPECT_EQ(grabPlot(billiardPlot, size) == billiardEmpty, g.mapsEmpty) << "billiard " << g.nx << " x " << g.ny;
        auto& bouncerPlot = *new QuantumBouncerPlotWidget(&host());
        bouncerPlot.setRecorder(&bouncer, 1.0, 1.0);
        auto& revivalPlot = *new QuantumRevivalPlotWidget(&host());
        revivalPlot.setRecorder(&revival, test::revivalBox(0, 8), 1.0, 1.0);
        EXPECT_EQ(grabPlot(bouncerPlot, size) == bouncerEmpty, g.bouncerEmpty) << g.nx << " x " << g.ny;
        EXPECT_EQ(grabPlot(revivalPlot, size) == revivalEmpty, g.xCarpetsEmpty) << g.nx << " x " << g.ny;
        auto& talbotPlot = *new QuantumTalbotPlotWidget(&host());
        talbotPlot.setRecorder(&talbot, 1.0, 1.0);
        EXPECT_EQ(grabPlot(talbotPlot, size) == talbotEmpty, g.xCarpetsEmpty) << "Talbot " << g.nx << " x " << g.ny;
    }
}

} // namespace test
} // namespace vxo
