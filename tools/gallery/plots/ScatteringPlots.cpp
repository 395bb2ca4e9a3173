// The plot gallery: every plot fed with data from a real run, written as PNG
// files for a person to look at, in the gallery's folder (GalleryFolder.h).

#include "plots/QuantumCrossSectionPlotWidget.h"
#include "plots/QuantumTimeSeriesPlotWidget.h"

#include "GalleryFolder.h"
#include "PlotTestSupport.h"
#include "core/AbsorbingBoundary2D.h"
#include "core/ComplexField2D.h"
#include "core/CrossSectionProfile.h"
#include "core/GaussianPacket2D.h"
#include "core/MomentumSpace2D.h"
#include "core/PotentialField2D.h"
#include "core/SplitStepFourierSolver2D.h"
#include "experiments/ObservableHistory.h"
#include "experiments/ObservableSampler.h"

#include <QDir>
#include <QString>

#include <gtest/gtest.h>

#include <cstdlib>

namespace vxo {
namespace {

void save(QWidget& plot, const QString& name, const QSize& size = QSize(640, 360))
{
    const QString path = QStringLiteral("%1/%2.png").arg(gallery::folder(), name);
    EXPECT_TRUE(test::grabPlot(plot, size).save(path)) << path.toStdString();
}

// A packet running into a thin barrier at x = 2 on a grid of 256 x 128 cells
// of 0.16 x 0.24, with absorbing edges; one observation every 5 steps. The
// barrier counts as reached from t = 2 on, so the scattering rows start there.
struct ScatteringRun {
    ComplexField2D psi{256, 128, 0.16f, 0.24f};
    PotentialField2D potential{256, 128, 0.16f, 0.24f};
    SplitStepFourierSolver2D solver;
    AbsorbingBoundary2D boundary;
    ObservableHistory history{4096};

    ScatteringRun()
    {
        GaussianPacket2D::prepare(psi, GaussianPacket2D{-8.0f, 0.5f, 1.6f, 3.0f, 0.0f, 1.0f});
        potential.addBarrier(2.0f, -20.0f, 2.0f, 20.0f, 0.5f, 4.2f);
        solver.configure(SplitStepParameters{});
        boundary.prepare(psi, solver.parameters().dt, AbsorbingBoundaryConfig{});
        observe();
    }

    void steps(int count)
    {
        for (int k = 0; k < count; ++k) {
            solver.step(psi, potential);
            boundary.apply(psi);
            if (solver.stepCount() % 5 == 0)
                observe();
        }
    }

    void observe()
    {
        ObservationInputs in;
        in.time = solver.time();
        in.absorbingBoundaryEnabled = true;
        in.potential = &potential;
        in.legacyBarrier = true;
        in.legacyBarrierLatched = solver.time() >= 2.0;
        in.legacyBarrierCenterX = 2.0;
        in.legacyBarrierThickness = 0.5;
        history.push(ObservableSampler::observe(psi, history, in));
    }
};

using PlotGallery = test::PlotTest;

TEST_F(PlotGallery, WritesEveryPlotAsPng)
{
    ScatteringRun run;
    run.steps(60);

    auto& section = makePlot<QuantumCrossSectionPlotWidget>();
    section.setSection(extractCrossSection(run.psi, 0, 0.5));
    const char* const modes[] = {"density", "real", "imaginary", "phase"};
    for (int mode = 0; mode < 4; ++mode) {
        section.setDisplayMode(mode);
        save(section, QStringLiteral("cross-section-%1").arg(QString::fromLatin1(modes[mode])));
    }
    section.setDisplayMode(2);
    section.setSection(extractCrossSection(run.psi, 1, -7.0));
    save(section, QStringLiteral("cross-section-vertical-imaginary"));
    section.setMomentumSpace(true);
    section.setDisplayMode(0);
    section.setSection(MomentumSpace2D::crossSection(MomentumSpace2D::compute(run.psi, 1.0), 0, 0.0));
    save(section, QStringLiteral("cross-section-momentum"));
    save(section, QStringLiteral("cross-section-momentum-small"), QSize(220, 130));

    run.steps(840);
    auto& series = makePlot<QuantumTimeSeriesPlotWidget>();
    series.setSamples(run.history.samples());
    const char* const observables[] = {"x",   "y", "sigma-x", "sigma-y", "norm",  "absorbed",  "P_R",
                                       "P_T", "T", "V",       "H",       "drift", "left-well", "right-well"};
    for (int k = 0; k < 14; ++k) {
        series.setObservable(k);
        save(series, QStringLiteral("time-series-%1-%2")
                         .arg(k, 2, 10, QLatin1Char('0'))
                         .arg(QString::fromLatin1(observables[k])));
    }
    series.setObservable(7);
    save(series, QStringLiteral("time-series-P_T-small"), QSize(240, 150));
    series.setSamples({});
    save(series, QStringLiteral("time-series-empty"));
}

} // namespace
} // namespace vxo
