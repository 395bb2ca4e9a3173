#include "experiments/QuantumAnderson2D.h"

#include "core/InterleavedSums.h"
#include "core/Numeric.h"
#include "core/PositionMoments.h"
#include "experiments/GaussianEnvelope.h"
#include "experiments/SceneChecks.h"

#include <algorithm>
#include <cmath>

namespace vxo {

namespace {

constexpr const char* kGaussiansOnly = "QuantumAnderson2D: guided comparison expects Gaussian lattice sites only";
constexpr const char* kTwoRows = "QuantumAnderson2D: two equal Gaussian rows are required";
constexpr const char* kDistinctRows = "QuantumAnderson2D: two distinct lattice rows were not found";
constexpr const char* kThirdRow = "QuantumAnderson2D: more than two Gaussian rows were found";
constexpr const char* kRowSizes = "QuantumAnderson2D: lattice rows must contain the same number of sites";
constexpr const char* kSpacing = "QuantumAnderson2D: invalid lattice spacing";
constexpr const char* kIrregular = "QuantumAnderson2D: the two rows do not share one regular lattice";
constexpr const char* kWidths = "QuantumAnderson2D: Gaussian site widths must be positive";
constexpr const char* kDisorder = "QuantumAnderson2D: one uniform row and one disordered row are required";
constexpr const char* kEmptyField = "QuantumAnderson2D: field must not be empty";
constexpr const char* kFinite = "QuantumAnderson2D: initial-state values must be finite";
constexpr const char* kSigma = "QuantumAnderson2D: sigma must be positive";
constexpr const char* kLanes = "QuantumAnderson2D: the two lanes are too close for a clean comparison";
constexpr const char* kNormalisation = "QuantumAnderson2D: normalization failed";

constexpr std::size_t kMinimumSitesPerRow = 7;
constexpr double kRowTolerance = 1e-5;
constexpr double kColumnTolerance = 0.0001;
constexpr double kLatticeTolerance = 0.002;
constexpr double kUniformStd = 0.001;
constexpr double kDisorderedStd = 0.01;

const char* initialStateFault(const AndersonInitialStateConfig& c)
{
    if (!isFinite(c.centerX) || !isFinite(c.cleanLaneY) || !isFinite(c.disorderLaneY) || !isFinite(c.sigma) ||
        !isFinite(c.relativePhaseDegrees))
        return kFinite;
    if (!(c.sigma > 0.0))
        return kSigma;
    if (4.0 * c.sigma > std::fabs(c.cleanLaneY - c.disorderLaneY))
        return kLanes;
    return nullptr;
}

struct RowStatistics {
    double mean = 0.0;
    double deviation = 0.0;
};

// Population statistics: the mean, then the root of the mean squared deviation.
RowStatistics rowStatistics(const std::vector<double>& values)
{
    RowStatistics s;
    if (values.empty())
        return s;
    for (double v : values)
        s.mean += v;
    s.mean /= static_cast<double>(values.size());
    double squares = 0.0;
    for (double v : values)
        squares += (v - s.mean) * (v - s.mean);
    s.deviation = std::sqrt(squares / static_cast<double>(values.size()));
    return s;
}

bool byCenterX(const PotentialObject* a, const PotentialObject* b) { return a->centerX < b->centerX; }

// Least-squares slope of log w_k against the distance to the start site,
// over the sites at least 0.75 a away that still hold weight; xi = -2 / slope
// for a falling profile.
void fitLocalisationLength(const AndersonLattice& lattice, const std::vector<double>& weights,
                           AndersonLaneMetrics& metrics)
{
    const double centre = lattice.siteX[lattice.siteX.size() / 2];
    double n = 0.0, sd = 0.0, sdd = 0.0, sl = 0.0, sdl = 0.0;
    for (std::size_t k = 0; k < weights.size(); ++k) {
        const double d = std::fabs(lattice.siteX[k] - centre);
        if (d < 0.75 * lattice.spacing || weights[k] < 1e-5)
            continue;
        const double l = std::log(weights[k]);
        n += 1.0;
        sd += d;
        sdd += d * d;
        sl += l;
        sdl += d * l;
    }
    const double denominator = n * sdd - sd * sd;
    if (n < 4.0 || !(std::fabs(denominator) > 1e-12))
        return;
    const double slope = (n * sdl - sl * sd) / denominator;
    if (!(slope < -1e-6))
        return;
    const double xi = -2.0 / slope;
    if (isFinite(xi)) {
        metrics.localisationLength = xi;
        metrics.localisationLengthValid = true;
    }
}

} // namespace

bool QuantumAnderson2D::analyzeScene(const PotentialScene& scene, AndersonLattice& lattice, std::string* error)
{
    lattice = AndersonLattice{};
    std::vector<const PotentialObject*> sites;
    for (const PotentialObject& object : scene.objects()) {
        if (!object.enabled)
            continue;
        if (object.kind != PotentialObjectKind::Gaussian)
            return failAnalysis(error, kGaussiansOnly);
        sites.push_back(&object);
    }
    if (sites.size() < 2 * kMinimumSitesPerRow || sites.size() % 2 != 0)
        return failAnalysis(error, kTwoRows);

    std::stable_sort(sites.begin(), sites.end(), [](const PotentialObject* a, const PotentialObject* b) {
        if (a->centerY != b->centerY)
            return a->centerY < b->centerY;
        return a->centerX < b->centerX;
    });
    const double y0 = sites.front()->centerY;
    const double y1 = sites.back()->centerY;
    if (std::fabs(y1 - y0) < 1e-6)
        return failAnalysis(error, kDistinctRows);

    std::vector<const PotentialObject*> rowA;
    std::vector<const PotentialObject*> rowB;
    for (const PotentialObject* site : sites) {
        if (std::fabs(site->centerY - y0) < kRowTolerance)
            rowA.push_back(site);
        else if (std::fabs(site->centerY - y1) < kRowTolerance)
            rowB.push_back(site);
        else
            return failAnalysis(error, kThirdRow);
    }
    if (rowA.size() != rowB.size() || rowA.size() < kMinimumSitesPerRow)
        return failAnalysis(error, kRowSizes);

    std::stable_sort(rowA.begin(), rowA.end(), byCenterX);
    std::stable_sort(rowB.begin(), rowB.end(), byCenterX);
    const double a = static_cast<double>(rowA[1]->centerX) - static_cast<double>(rowA[0]->centerX);
    if (!(a > 0.0))
        return failAnalysis(error, kSpacing);

    std::vector<double> valuesA;
    std::vector<double> valuesB;
    for (std::size_t i = 0; i < rowA.size(); ++i) {
        const double xa = rowA[i]->centerX;
        const double xb = rowB[i]->centerX;
        const double expected = static_cast<double>(i) * a;
        if (std::fabs(xa - xb) > kColumnTolerance || std::fabs(xa - rowA[0]->centerX - expected) > kLatticeTolerance ||
            std::fabs(xb - rowB[0]->centerX - expected) > kLatticeTolerance)
            return failAnalysis(error, kIrregular);
        if (!(rowA[i]->sigmaX > 0.0f) || !(rowA[i]->sigmaY > 0.0f) || !(rowB[i]->sigmaX > 0.0f) ||
            !(rowB[i]->sigmaY > 0.0f))
            return failAnalysis(error, kWidths);
        valuesA.push_back(rowA[i]->value);
        valuesB.push_back(rowB[i]->value);
    }

    const RowStatistics statsA = rowStatistics(valuesA);
    const RowStatistics statsB = rowStatistics(valuesB);
    const bool bDisordered = statsB.deviation >= statsA.deviation;
    const RowStatistics& clean = bDisordered ? statsA : statsB;
    const RowStatistics& disordered = bDisordered ? statsB : statsA;
    if (!(clean.deviation <= kUniformStd) || !(disordered.deviation >= kDisorderedStd))
        return failAnalysis(error, kDisorder);

    const std::vector<const PotentialObject*>& cleanRow = bDisordered ? rowA : rowB;
    lattice.valid = true;
    lattice.cleanRowY = bDisordered ? y0 : y1;
    lattice.disorderedRowY = bDisordered ? y1 : y0;
    lattice.spacing = a;
    lattice.siteSigmaX = cleanRow[0]->sigmaX;
    lattice.siteSigmaY = cleanRow[0]->sigmaY;
    lattice.cleanMeanValue = clean.mean;
    lattice.disorderedMeanValue = disordered.mean;
    lattice.disorderedValueStd = disordered.deviation;
    for (const PotentialObject* site : cleanRow)
        lattice.siteX.push_back(site->centerX);
    lattice.cleanValues = bDisordered ? valuesA : valuesB;
    lattice.disorderedValues = bDisordered ? valuesB : valuesA;
    return true;
}

bool QuantumAnderson2D::validateInitialState(const AndersonInitialStateConfig& config, std::string* error)
{
    if (const char* fault = initialStateFault(config))
        return failAnalysis(error, fault);
    return true;
}

bool QuantumAnderson2D::prepareInitialState(ComplexField2D& field, const AndersonInitialStateConfig& config,
                                            std::string* error)
{
    if (field.empty())
        return failAnalysisIfEmpty(error, kEmptyField);
    if (const char* fault = initialStateFault(config))
        return failAnalysisIfEmpty(error, fault);
    const double phi = config.relativePhaseDegrees * kPi / 180.0;
    const double c = std::cos(phi);
    const double s = std::sin(phi);
    for (std::uint64_t j = 0; j < field.ny(); ++j) {
        const double y = gridCoordinateY(field, j);
        const double dyClean = y - config.cleanLaneY;
        const double dyDisordered = y - config.disorderLaneY;
        for (std::uint64_t i = 0; i < field.nx(); ++i) {
            const double dxc = gridCoordinateX(field, i) - config.centerX;
            const double gClean = gaussianEnvelope(dxc, dyClean, config.sigma);
            const double gDisordered = gaussianEnvelope(dxc, dyDisordered, config.sigma);
            field.at(i, j) = Complex(static_cast<float>(gClean + c * gDisordered), static_cast<float>(s * gDisordered));
        }
    }
    if (!field.normalize())
        return failAnalysisIfEmpty(error, kNormalisation);
    return true;
}

AndersonLaneMetrics QuantumAnderson2D::laneMetrics(const ComplexField2D& field, const AndersonLattice& lattice,
                                                   bool clean)
{
    AndersonLaneMetrics metrics;
    if (field.empty() || !lattice.valid || lattice.siteX.empty())
        return metrics;

    const std::uint64_t nx = field.nx();
    const double dx = field.dx();
    const double cellArea = dx * static_cast<double>(field.dy());
    const double yMid = 0.5 * (lattice.cleanRowY + lattice.disorderedRowY);
    const bool cleanAbove = lattice.cleanRowY > lattice.disorderedRowY;

    // Column sums of the lane in double; the stored profile is rounded once.
    std::vector<double> columns(nx, 0.0);
    double probability = 0.0;
    for (std::uint64_t j = 0; j < field.ny(); ++j) {
        const bool inCleanLane = (gridCoordinateY(field, j) >= yMid) == cleanAbove;
        if (inCleanLane != clean)
            continue;
        // The columns in a loop without a running sum, which the compiler
        // turns into vector code; the row's probability on interleaved
        // partial sums.
        const Complex* row = &field.at(0, j);
        for (std::uint64_t i = 0; i < nx; ++i)
            columns[i] += cellProbability(row[i], cellArea) / dx;
        probability += interleavedSums<1>(nx, [row, cellArea](std::size_t i) {
            return std::array<double, 1>{cellProbability(row[i], cellArea)};
        })[0];
    }
    metrics.probability = probability;
    metrics.profileOriginX = gridCoordinateX(field, 0);
    metrics.profileDx = dx;
    metrics.profile.resize(nx);
    if (!(probability > 0.0)) {
        for (std::uint64_t i = 0; i < nx; ++i)
            metrics.profile[i] = static_cast<float>(columns[i]);
        return metrics;
    }

    double first = 0.0;
    for (std::uint64_t i = 0; i < nx; ++i)
        first += dx * columns[i] * gridCoordinateX(field, i);
    metrics.meanX = first / probability;
    double variance = 0.0;
    for (std::uint64_t i = 0; i < nx; ++i) {
        columns[i] /= probability;
        metrics.profile[i] = static_cast<float>(columns[i]);
        const double d = gridCoordinateX(field, i) - metrics.meanX;
        variance += d * d * columns[i] * dx;
    }
    metrics.sigmaX = std::sqrt(std::max(variance, 0.0));

    // Each column goes to its nearest site (the first on a tie) when it lies
    // within half a spacing of it.
    const std::vector<double>& siteX = lattice.siteX;
    std::vector<double> weights(siteX.size(), 0.0);
    for (std::uint64_t i = 0; i < nx; ++i) {
        const double x = gridCoordinateX(field, i);
        const auto nearest = std::min_element(siteX.begin(), siteX.end(),
                                              [x](double a, double b) { return std::fabs(x - a) < std::fabs(x - b); });
        if (std::fabs(x - *nearest) <= lattice.spacing / 2.0)
            weights[static_cast<std::size_t>(nearest - siteX.begin())] += columns[i] * dx;
    }
    double squares = 0.0;
    for (double w : weights)
        squares += w * w;
    metrics.participationRatio = squares > 0.0 ? 1.0 / squares : 0.0;
    metrics.centreSiteWeight = weights[siteX.size() / 2];
    if (!clean)
        fitLocalisationLength(lattice, weights, metrics);
    return metrics;
}

} // namespace vxo
