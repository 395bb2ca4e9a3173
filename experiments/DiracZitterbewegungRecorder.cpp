#include "experiments/DiracZitterbewegungRecorder.h"

#include "core/Numeric.h"
#include "experiments/DiracWavePacket.h"
#include "experiments/RecorderSupport.h"

#include <algorithm>
#include <cmath>
#include <complex>

namespace vxo {

namespace {

// Probability per unit length on the edges of the periodic box, as a share of
// the whole: the density on the seam between the last and the first column
// (and row) is the mean of the two, integrated along the seam.
double edgeLineDensity(const DiracSpinor2D& spinor)
{
    const ComplexField2D& upper = spinor.upper;
    const ComplexField2D& lower = spinor.lower;
    const std::uint64_t nx = upper.nx();
    const std::uint64_t ny = upper.ny();
    const auto density = [&](std::uint64_t i, std::uint64_t j) {
        return static_cast<double>(std::norm(upper.at(i, j))) + static_cast<double>(std::norm(lower.at(i, j)));
    };
    double total = 0.0;
    for (std::uint64_t j = 0; j < ny; ++j)
        for (std::uint64_t i = 0; i < nx; ++i)
            total += density(i, j);
    const double dx = upper.dx();
    const double dy = upper.dy();
    total *= dx * dy;
    if (!(total > 0.0))
        return 0.0;
    double seams = 0.0;
    for (std::uint64_t j = 0; j < ny; ++j)
        seams += 0.5 * (density(0, j) + density(nx - 1, j)) * dy;
    for (std::uint64_t i = 0; i < nx; ++i)
        seams += 0.5 * (density(i, 0) + density(i, ny - 1)) * dx;
    return seams / total;
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
    wrapMarkTime_ = -1.0;
    readingEndTime_ = -1.0;
    hasEdgeDensity_ = false;
    edgeDensity_ = 0.0;
    edgeTime_ = 0.0;
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

    // Trapezoid between samples: at most c times the edge-line density crosses per unit time.
    const double density = edgeLineDensity(spinor);
    if (hasEdgeDensity_ && t > edgeTime_)
        wrappedShareBound_ += config_.lightSpeed * 0.5 * (density + edgeDensity_) * (t - edgeTime_);
    hasEdgeDensity_ = true;
    edgeDensity_ = density;
    edgeTime_ = t;
    if (wrapMarkTime_ < 0.0 && wrappedShareBound_ >= kMarkedWrappedShare) {
        wrapMarkTime_ = t;
        readingEndTime_ = samples_.empty() ? -1.0 : samples_.back().time;
    }

    appendBounded(samples_,
                  QuantumZitterbewegung2D::makeSample(spinor, config_, t, initialCentroidX_, initialCentroidY_),
                  static_cast<std::size_t>(capacity_));
    if (pastValidity())
        residualsFromKeptLines();
    else
        refitDriftLines();
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
