#include "core/GaugeSweepPivots.h"

#include "core/GaugeLinkField2D.h"

namespace vxo {

bool GaugeSweepPivots::matches(std::uint64_t stamp, double a, const gaugesweep::Lines& lines) const
{
    return !pivots_.empty() && stamp_ == stamp && a_ == a && lines_.count == lines.count &&
           lines_.length == lines.length && lines_.lineStride == lines.lineStride &&
           lines_.cellStride == lines.cellStride;
}

void GaugeSweepPivots::sweep(ComplexField2D& psi, const GaugeLinkField2D& links, bool alongX, double a)
{
    const gaugesweep::Lines lines = alongX ? gaugesweep::Lines{psi.ny(), psi.nx(), psi.nx(), 1}
                                           : gaugesweep::Lines{psi.nx(), psi.ny(), 1, psi.nx()};
    const Complex* u = alongX ? links.linksXData() : links.linksYData();
    const fft2d::KernelSet path = fft2d::bestKernelSet();
    scratch_.resize(gaugesweep::scratchSize(lines));
    const std::uint64_t stamp = links.stamp();
    if (!matches(stamp, a, lines)) {
        // The key is written only once the table is complete.
        pivots_.clear();
        pivots_.resize(gaugesweep::pivotSize(lines));
        gaugesweep::buildPivots(path, u, lines, a, pivots_.data(), scratch_.data());
        stamp_ = stamp;
        a_ = a;
        lines_ = lines;
    }
    gaugesweep::sweep(path, psi.data(), u, lines, a, pivots_.data(), scratch_.data());
}

void GaugeSweepPivots::clear()
{
    stamp_ = 0;
    a_ = 0.0;
    lines_ = gaugesweep::Lines{0, 0, 0, 0};
    pivots_ = AlignedVector<double>();
    scratch_ = AlignedVector<double>();
}

} // namespace vxo
