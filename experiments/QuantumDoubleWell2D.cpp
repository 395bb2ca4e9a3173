#include "experiments/QuantumDoubleWell2D.h"

#include "core/CellDecisionPoint.h"
#include "core/ColumnAmplitudes2D.h"
#include "core/ComplexField2D.h"
#include "core/DensitySums2D.h"
#include "core/Numeric.h"
#include "core/PotentialScene.h"
#include "experiments/BoundStateResult.h"
#include "experiments/SceneChecks.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace vxo {

namespace {

const char* const kMessageTwoLinear = "Double-well analysis accepts at most one enabled Linear bias object.";
const char* const kMessageUnexpectedObject =
    "Double-well analysis expects three enabled positive Rectangle barriers plus at most one Linear bias object.";
const char* const kMessageExactlyThree = "Double-well analysis expects exactly three enabled Rectangle barriers.";
const char* const kMessageNotSymmetric = "The three barriers are not sufficiently symmetric about x=0.";
const char* const kMessageNoWells = "No two open wells remain between the outer walls and central barrier.";

// Relative tolerance of the mirror-symmetry test of the three barriers.
constexpr double kSymmetryTolerance = 0.03;

double fractionOf(double part, double total) { return total > 1e-30 ? part / total : 0.0; }

bool pairInRange(const BoundStateResult& result, int i, int j)
{
    const int count = static_cast<int>(result.states.size());
    return result.ok && i >= 0 && j >= 0 && i != j && i < count && j < count;
}

const std::vector<float>& phiOf(const BoundStateResult& result, int index)
{
    return result.states[static_cast<std::size_t>(index)].phi;
}

} // namespace

double DoubleWellRegions::leftWellFraction() const { return fractionOf(leftWell, total); }
double DoubleWellRegions::rightWellFraction() const { return fractionOf(rightWell, total); }
double DoubleWellRegions::barrierFraction() const { return fractionOf(barrier, total); }
double DoubleWellRegions::outsideFraction() const { return fractionOf(outside, total); }

bool QuantumDoubleWell2D::extractFromScene(const PotentialScene& scene, DoubleWellConfig& config, std::string* error)
{
    config = DoubleWellConfig();
    clearAnalysisError(error);

    std::vector<const PotentialObject*> walls;
    int linearCount = 0;
    for (const PotentialObject& object : scene.objects()) {
        if (!object.enabled)
            continue;
        if (object.kind == PotentialObjectKind::Linear) {
            if (++linearCount > 1)
                return failAnalysis(error, kMessageTwoLinear);
            continue;
        }
        if (object.kind != PotentialObjectKind::Rectangle || !(object.value > 0.0f))
            return failAnalysis(error, kMessageUnexpectedObject);
        walls.push_back(&object);
    }
    if (walls.size() != 3)
        return failAnalysis(error, kMessageExactlyThree);
    std::stable_sort(walls.begin(), walls.end(),
                     [](const PotentialObject* a, const PotentialObject* b) { return a->centerX < b->centerX; });
    const PotentialObject& left = *walls[0];
    const PotentialObject& middle = *walls[1];
    const PotentialObject& right = *walls[2];

    const double leftX = left.centerX;
    const double middleX = middle.centerX;
    const double rightX = right.centerX;
    const double tolerance = kSymmetryTolerance * std::max({1.0, std::fabs(leftX), std::fabs(rightX)});
    const double valueTolerance = kSymmetryTolerance * std::max(1.0, static_cast<double>(left.value));
    const bool symmetric =
        leftX < 0.0 && rightX > 0.0 && std::fabs(middleX) <= tolerance && std::fabs(leftX + rightX) <= tolerance &&
        std::fabs(static_cast<double>(left.width) - static_cast<double>(right.width)) <= tolerance &&
        std::fabs(static_cast<double>(left.value) - static_cast<double>(right.value)) <= valueTolerance;
    if (!symmetric)
        return failAnalysis(error, kMessageNotSymmetric);

    const double leftWellStart = leftX + static_cast<double>(left.width) / 2.0;
    const double leftWellEnd = middleX - static_cast<double>(middle.width) / 2.0;
    const double barrierEnd = middleX + static_cast<double>(middle.width) / 2.0;
    const double rightWellEnd = rightX - static_cast<double>(right.width) / 2.0;
    if (!(leftWellEnd > leftWellStart) || !(rightWellEnd > barrierEnd))
        return failAnalysis(error, kMessageNoWells);

    config.leftWellStart = leftWellStart;
    config.leftWellEnd = leftWellEnd;
    config.barrierStart = leftWellEnd;
    config.barrierEnd = barrierEnd;
    config.rightWellStart = barrierEnd;
    config.rightWellEnd = rightWellEnd;
    config.barrierHeight = middle.value;
    config.valid = true;
    return true;
}

DoubleWellRegions QuantumDoubleWell2D::regionProbabilities(const ComplexField2D& psi, const DoubleWellConfig& config)
{
    DensitySums2D sums;
    sums.compute(psi);
    return regionProbabilities(sums, config);
}

DoubleWellRegions QuantumDoubleWell2D::regionProbabilities(const DensitySums2D& sums, const DoubleWellConfig& config)
{
    DoubleWellRegions regions;
    if (sums.empty() || !config.valid)
        return regions;
    const double cell = sums.dx() * sums.dy();
    const std::vector<double>& columns = sums.columns();
    for (std::uint64_t i = 0; i < columns.size(); ++i) {
        // Wells are the open gaps between the painted walls, the barrier
        // the middle wall's cells, decided where the painters decide.
        const double x = cellDecisionX(i, columns.size(), sums.dx());
        const double p = columns[i] * cell;
        regions.total += p;
        if (x > config.leftWellStart && x < config.leftWellEnd)
            regions.leftWell += p;
        else if (x >= config.barrierStart && x <= config.barrierEnd)
            regions.barrier += p;
        else if (x > config.rightWellStart && x < config.rightWellEnd)
            regions.rightWell += p;
        else
            regions.outside += p;
    }
    return regions;
}

bool QuantumDoubleWell2D::isValidPair(const BoundStateResult& result, int i, int j)
{
    return pairInRange(result, i, j) && phiOf(result, i).size() == result.x.size() &&
           phiOf(result, j).size() == result.x.size();
}

double QuantumDoubleWell2D::leftWellProbability(const BoundStateResult& result, int i, int j, double phase)
{
    if (!isValidPair(result, i, j))
        return 0.0;
    const std::vector<float>& phiI = phiOf(result, i);
    const std::vector<float>& phiJ = phiOf(result, j);
    const ComplexD rotation = std::polar(1.0, phase);
    const double scale = 1.0 / std::sqrt(2.0);
    double left = 0.0;
    double total = 0.0;
    for (std::size_t k = 0; k < result.x.size(); ++k) {
        const ComplexD combination = (static_cast<double>(phiI[k]) + rotation * static_cast<double>(phiJ[k])) * scale;
        const double w = std::norm(combination) * result.dx;
        total += w;
        if (result.x[k] < 0.0)
            left += w;
    }
    return total > 1e-30 ? left / total : 0.0;
}

double QuantumDoubleWell2D::localizingPhase(const BoundStateResult& result, int i, int j, double* probability)
{
    const double withZero = leftWellProbability(result, i, j, 0.0);
    const double withPi = leftWellProbability(result, i, j, kPi);
    if (probability)
        *probability = std::max(withZero, withPi);
    return withPi > withZero ? kPi : 0.0;
}

TwoLevelParameters QuantumDoubleWell2D::twoLevelParameters(const BoundStateResult& result, int i, int j, double hbar)
{
    TwoLevelParameters parameters;
    if (!pairInRange(result, i, j) || !isFinitePositive(hbar))
        return parameters;
    parameters.energyI = result.states[static_cast<std::size_t>(i)].energy;
    parameters.energyJ = result.states[static_cast<std::size_t>(j)].energy;
    parameters.meanEnergy = 0.5 * (parameters.energyI + parameters.energyJ);
    parameters.splitting = std::fabs(parameters.energyJ - parameters.energyI);
    if (!isFinite(parameters.splitting) || !(parameters.splitting > 1e-12))
        return parameters;
    parameters.tunnellingPeriod = 2.0 * kPi * hbar / parameters.splitting;
    parameters.halfPeriod = 0.5 * parameters.tunnellingPeriod;
    parameters.localizingPhase = localizingPhase(result, i, j, &parameters.localizedLeftProbability);
    parameters.valid = true;
    return parameters;
}

double QuantumDoubleWell2D::dipoleMatrixElement(const BoundStateResult& result, int i, int j)
{
    if (!isValidPair(result, i, j) || !(result.dx > 0.0))
        return 0.0;
    const std::vector<float>& phiI = phiOf(result, i);
    const std::vector<float>& phiJ = phiOf(result, j);
    double sum = 0.0;
    for (std::size_t k = 0; k < result.x.size(); ++k)
        sum += static_cast<double>(phiI[k]) * result.x[k] * static_cast<double>(phiJ[k]) * result.dx;
    return sum;
}

bool QuantumDoubleWell2D::projectOnPair(const ComplexField2D& psi, const BoundStateResult& result, int i, int j,
                                        ComplexD& ci, ComplexD& cj)
{
    return projectOnPair(ColumnAmplitudes2D::of(psi), result, i, j, ci, cj);
}

bool QuantumDoubleWell2D::projectOnPair(const ColumnAmplitudes2D& columns, const BoundStateResult& result, int i, int j,
                                        ComplexD& ci, ComplexD& cj)
{
    if (!isValidPair(result, i, j) || columns.empty() || columns.nx() != result.x.size())
        return false;
    const double height = static_cast<double>(columns.ny()) * columns.dy();
    if (!(height > 0.0))
        return false;
    // The basis functions are spread evenly over y: phi(x) / sqrt(ny dy).
    const double weight = columns.dx() * columns.dy() / std::sqrt(height);
    const std::vector<float>& phiI = phiOf(result, i);
    const std::vector<float>& phiJ = phiOf(result, j);
    const std::vector<ComplexD>& sums = columns.columns();
    ComplexD sumI(0.0, 0.0);
    ComplexD sumJ(0.0, 0.0);
    for (std::size_t column = 0; column < sums.size(); ++column) {
        sumI += static_cast<double>(phiI[column]) * sums[column];
        sumJ += static_cast<double>(phiJ[column]) * sums[column];
    }
    ci = sumI * weight;
    cj = sumJ * weight;
    return true;
}

TwoLevelPopulations QuantumDoubleWell2D::twoLevelPopulations(const ComplexField2D& psi, const BoundStateResult& result,
                                                             int i, int j)
{
    return twoLevelPopulations(ColumnAmplitudes2D::of(psi), result, i, j);
}

TwoLevelPopulations QuantumDoubleWell2D::twoLevelPopulations(const ColumnAmplitudes2D& columns,
                                                             const BoundStateResult& result, int i, int j)
{
    TwoLevelPopulations populations;
    if (!projectOnPair(columns, result, i, j, populations.c1, populations.c2))
        return populations;
    populations.population1 = std::norm(populations.c1);
    populations.population2 = std::norm(populations.c2);
    populations.captured = populations.population1 + populations.population2;
    if (populations.captured > 1e-15) {
        const ComplexD coherence = std::conj(populations.c1) * populations.c2;
        populations.blochX = 2.0 * coherence.real() / populations.captured;
        populations.blochY = 2.0 * coherence.imag() / populations.captured;
        populations.blochZ = (populations.population1 - populations.population2) / populations.captured;
    }
    populations.valid = true;
    return populations;
}

} // namespace vxo
