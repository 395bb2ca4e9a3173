#include "core/ColumnAmplitudes2D.h"

#include "core/VectorKernels.h"

namespace vxo {

namespace columnsum {

void accumulateRowPortable(const Complex* row, std::size_t count, std::complex<double>* columns)
{
    for (std::size_t c = 0; c < count; ++c)
        columns[c] += std::complex<double>(row[c].real(), row[c].imag());
}

} // namespace columnsum

void ColumnAmplitudes2D::compute(const ComplexField2D& psi)
{
    nx_ = psi.nx();
    ny_ = psi.ny();
    dx_ = psi.dx();
    dy_ = psi.dy();
    if (psi.empty()) {
        columns_.clear();
        return;
    }
    columns_.assign(nx_, std::complex<double>(0.0, 0.0));
    const auto accumulateRow = vectorKernels(fft2d::bestKernelSet()).amplitudeColumnRow;
    for (std::uint64_t j = 0; j < ny_; ++j)
        accumulateRow(psi.data() + j * nx_, nx_, columns_.data());
}

} // namespace vxo
