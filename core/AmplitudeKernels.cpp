#include "core/AmplitudeKernels.h"

#include "core/VectorKernels.h"

namespace vxo::amplitude {

float densityAndPhase(fft2d::KernelSet path, const Complex* values, std::size_t count, float* density, float* phase)
{
    return vectorKernels(path).densityAndPhase(values, count, density, phase);
}

float copyWithMaxAbs(fft2d::KernelSet path, const float* v, std::size_t count, float* out)
{
    return vectorKernels(path).copyWithMaxAbs(v, count, out);
}

} // namespace vxo::amplitude
