#include "experiments/DiracZitterbewegungRecorder.h"

#include "core/Numeric.h"
#include "experiments/DiracWavePacket.h"
#include "experiments/GridCoordinates.h"
#include "experiments/RecorderSupport.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <vector>

namespace vxo {

namespace {

// Probability per unit length on the seam of the periodic box opposite
// aboutX, the line x = aboutX + Lx/2 (which is aboutX - Lx/2 round the box),
// as a share of the whole. The line falls between two columns; its density
// is interpolated between theirs.
double farSeamDensity(const DiracSpinor2D& spinor, double aboutX)
{
    const ComplexField2D& upper = spinor.upper;
    const ComplexField2D& lower = spinor.lower;
    const std::uint64_t nx = upper.nx();
    const std::uint64_t ny = upper.ny();
    const double dx = upper.dx();
    const double dy = upper.dy();
    std::vector<double> columns(nx, 0.0);
    double total = 0.0;
    for (std::uint64_t i = 0; i < nx; ++i) {
        for (std::uint64_t j = 0; j < ny; ++j)
            columns[i] +=
                static_cast<double>(std::norm(upper.at(i, j))) + static_cast<double>(std::norm(lower.at(i, j)));
        total += columns[i];
    }
    if (!(total > 0.0))
        return 0.0;
    // The seam's fractional column index s / dx + nx/2, round the box.
    const double n = static_cast<double>(nx);
    double index = std::fmod((aboutX + 0.5 * n * dx) / dx + originCellIndex(nx), n);
    if (index < 0.0)
        index += n;
    const double below = std::floor(index);
    const double share = index - below;
    const auto column = [&columns, nx](double k) { return columns[static_cast<std::uint64_t>(k) % nx]; };
    return ((1.0 - share) * column(below) + share * column(below + 1.0)) / (total * dx);
}

} // namespace

DiracZitterbewegungRecorder::DiracZitterbewegungRecorder(std::uint64_t capacity) : capacity_(capacity) {}

void DiracZitterbewegungRecorder::reset()
{
    configured_ = false;
    config_ = ZitterbewegungConfig{};
    hbar_ = 1.0;
    initialCentroidX_ = 0.0;
    initialCentroidY_ = 0.0;
    maxAbsDetrendedX_ = 0.0;
    fittedDriftVelocityX_ = 0.0;
    fittedDriftVelocityY_ = 0.0;
    fittedInterceptX_ = 0.0;
    fittedInterceptY_ = 0.0;
    positiveEnergyWeight_ = 0.0;
    negativeEnergyWeight_ = 0.0;
    samples_.clear();
    wrappedShareBound_ = 0.0;
    centroidShiftBound_ = 0.0;
    wrapMarkTime_ = -1.0;
    readingEndTime_ = -1.0;
    aboutX_ = 0.0;
    aboutY_ = 0.0;
    hasSeam_ = false;
    seamDensity_ = 0.0;
    seamTime_ = 0.0;
}

bool DiracZitterbewegungRecorder::configure(const DiracSpinor2D& spinor, const ZitterbewegungConfig& config,
                                            double hbar)
{
    reset();
    if (!diracSpinorUsable(spinor) || !QuantumZitterbewegung2D::validateConfiguration(config, nullptr) ||
        !isFinitePositive(hbar))
        return false;
    config_ = config;
    hbar_ = hbar;
    QuantumZitterbewegung2D::spinorCentroid(spinor, initialCentroidX_, initialCentroidY_);
    aboutX_ = initialCentroidX_;
    aboutY_ = initialCentroidY_;
    const auto weights = QuantumZitterbewegung2D::energyBranchWeights(spinor, config, hbar);
    positiveEnergyWeight_ = weights.first;
    negativeEnergyWeight_ = weights.second;
    configured_ = true;
    return true;
}

void DiracZitterbewegungRecorder::record(double t, const DiracSpinor2D& spinor)
{
    if (!configured_ || !diracSpinorUsable(spinor))
        return;

    // Trapezoid between samples. No part of the spinor moves faster than c,
    // nor does the seam, which follows the centroid: at most 2c times the
    // seam's line density crosses it per unit time. Only what crosses the
    // seam across x moves <x>.
    const double density = farSeamDensity(spinor, aboutX_);
    if (hasSeam_ && t > seamTime_)
        wrappedShareBound_ += 0.5 * (density + seamDensity_) * 2.0 * config_.lightSpeed * (t - seamTime_);
    hasSeam_ = true;
    seamDensity_ = density;
    seamTime_ = t;
    // What crossed the seam came back a box's width away.
    centroidShiftBound_ = wrappedShareBound_ * static_cast<double>(spinor.upper.nx()) * spinor.upper.dx();
    if (wrapMarkTime_ < 0.0 && centroidShiftBound_ >= markedCentroidShift()) {
        wrapMarkTime_ = t;
        readingEndTime_ = samples_.empty() ? -1.0 : samples_.back().time;
    }

    appendBounded(samples_,
                  QuantumZitterbewegung2D::makeSampleAbout(spinor, config_, t, initialCentroidX_, initialCentroidY_,
                                                           aboutX_, aboutY_),
                  static_cast<std::size_t>(capacity_));
    if (!samples_.empty()) {
        aboutX_ = samples_.back().meanX;
        aboutY_ = samples_.back().meanY;
    }
    if (pastValidity())
        residualsFromKeptLines();
    else
        refitDriftLines();
}

double DiracZitterbewegungRecorder::markedCentroidShift() const
{
    const double energy = centralDiracEnergy(config_);
    return energy > 0.0 ? kMarkedShareOfReach * hbar_ * config_.lightSpeed / (2.0 * energy) : 0.0;
}

double DiracZitterbewegungRecorder::readingEndTime() const
{
    if (pastValidity())
        return readingEndTime_;
    return samples_.empty() ? -1.0 : samples_.back().time;
}

void DiracZitterbewegungRecorder::residualsFromKeptLines()
{
    if (samples_.empty())
        return;
    ZitterbewegungSample& last = samples_.back();
    last.detrendedX = last.meanX - (fittedDriftVelocityX_ * last.time + fittedInterceptX_);
    last.detrendedY = last.meanY - (fittedDriftVelocityY_ * last.time + fittedInterceptY_);
}

void DiracZitterbewegungRecorder::refitDriftLines()
{
    if (samples_.size() < 2) {
        fittedDriftVelocityX_ = 0.0;
        fittedDriftVelocityY_ = 0.0;
        maxAbsDetrendedX_ = 0.0;
        fittedInterceptX_ = 0.0;
        fittedInterceptY_ = 0.0;
        if (samples_.size() == 1) {
            // The one sample is its own line.
            fittedInterceptX_ = samples_.front().meanX;
            fittedInterceptY_ = samples_.front().meanY;
            samples_.front().detrendedX = 0.0;
            samples_.front().detrendedY = 0.0;
        }
        return;
    }
    const double N = static_cast<double>(samples_.size());
    double st = 0.0;
    double stt = 0.0;
    double sx = 0.0;
    double stx = 0.0;
    double sy = 0.0;
    double sty = 0.0;
    for (const ZitterbewegungSample& s : samples_) {
        st += s.time;
        stt += s.time * s.time;
        sx += s.meanX;
        stx += s.time * s.meanX;
        sy += s.meanY;
        sty += s.time * s.meanY;
    }
    const double D = N * stt - st * st;
    if (!(std::fabs(D) > 1e-18))
        return;
    fittedDriftVelocityX_ = (N * stx - sx * st) / D;
    fittedDriftVelocityY_ = (N * sty - sy * st) / D;
    fittedInterceptX_ = (sx - fittedDriftVelocityX_ * st) / N;
    fittedInterceptY_ = (sy - fittedDriftVelocityY_ * st) / N;
    maxAbsDetrendedX_ = 0.0;
    for (ZitterbewegungSample& s : samples_) {
        s.detrendedX = s.meanX - (fittedDriftVelocityX_ * s.time + fittedInterceptX_);
        s.detrendedY = s.meanY - (fittedDriftVelocityY_ * s.time + fittedInterceptY_);
        maxAbsDetrendedX_ = std::max(maxAbsDetrendedX_, std::fabs(s.detrendedX));
    }
}

} // namespace vxo
