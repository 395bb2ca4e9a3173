#include "core/CovariantObservables2D.h"

#include "core/CovariantObservables2DRows.h"
#include "core/VectorKernels.h"

namespace vxo {

namespace covariant {

namespace {

// The products of one cell's two hops along an axis: U psi_next = (pr, pi)
// and conj(V) psi_previous = (t1 + t2, t3 - t4), in the operations of
// std::complex<double> multiplication on widened values.
struct HopTerms {
    double pr, pi, t1, t2, t3, t4;

    HopTerms(const Complex& u, const Complex& next, const Complex& v, const Complex& previous)
    {
        const double ur = u.real(), ui = u.imag(), vr = v.real(), vi = v.imag();
        const double ar = next.real(), ai = next.imag(), br = previous.real(), bi = previous.imag();
        pr = ur * ar - ui * ai;
        pi = ur * ai + ui * ar;
        t1 = vr * br;
        t2 = vi * bi;
        t3 = vr * bi;
        t4 = vi * br;
    }
    // The operator's hop: u psi_next + conj(v) psi_previous, summed term by term.
    double sumRe() const { return pr + t1 + t2; }
    double sumIm() const { return pi + t3 - t4; }
    // The central difference: u psi_next - conj(v) psi_previous.
    double differenceRe() const { return pr - (t1 + t2); }
    double differenceIm() const { return pi - (t3 - t4); }
};

} // namespace

void accumulateRowPortable(const RowStencil& row, std::uint64_t first, std::uint64_t last, const RowConstants& k,
                           RunningSums& sums)
{
    for (std::uint64_t i = first; i < last; ++i) {
        const double re = row.centre[i].real();
        const double im = row.centre[i].imag();
        const HopTerms x(row.linksX[i], row.centre[i + 1], row.linksX[i - 1], row.centre[i - 1]);
        const HopTerms y(row.linksUp[i], row.above[i], row.linksDown[i], row.below[i]);
        if (row.energy) {
            const double rho = re * re + im * im;
            sums.norm += rho;
            if (row.potential)
                sums.potential += static_cast<double>(row.potential[i]) * rho;
            const double alongX = re * x.sumRe() + im * x.sumIm();
            const double alongY = re * y.sumRe() + im * y.sumIm();
            sums.rowKinetic += k.cx * (2.0 * rho - alongX) + k.cy * (2.0 * rho - alongY);
        }
        if (row.jx) {
            const double jx = (re * (x.differenceIm() * k.a) - im * (x.differenceRe() * k.a)) * k.k;
            const double jy = (re * (y.differenceIm() * k.b) - im * (y.differenceRe() * k.b)) * k.k;
            row.jx[i] = static_cast<float>(jx);
            row.jy[i] = static_cast<float>(jy);
            const double squared = jx * jx + jy * jy;
            if (squared > sums.maxSquared)
                sums.maxSquared = squared;
            sums.integralJx += jx * k.dA;
            sums.integralJy += jy * k.dA;
        }
    }
}

} // namespace covariant

CovariantObservables2D::Sums CovariantObservables2D::pass(const ComplexField2D& psi, const float* V,
                                                          const GaugeLinkField2D& links, double hbar, double mass,
                                                          bool energy, float* jx, float* jy)
{
    return pass(fft2d::bestKernelSet(), psi, V, links, hbar, mass, energy, jx, jy);
}

CovariantObservables2D::Sums CovariantObservables2D::pass(fft2d::KernelSet path, const ComplexField2D& psi,
                                                          const float* V, const GaugeLinkField2D& links, double hbar,
                                                          double mass, bool energy, float* jx, float* jy)
{
    ++passesMade_;
    const std::uint64_t nx = psi.nx();
    const std::uint64_t ny = psi.ny();
    const double dx = psi.dx();
    const double dy = psi.dy();
    covariant::RowConstants k;
    k.cx = hbar * hbar / (2.0 * mass * dx * dx);
    k.cy = hbar * hbar / (2.0 * mass * dy * dy);
    k.a = 1.0 / (2.0 * dx);
    k.b = 1.0 / (2.0 * dy);
    k.k = hbar / mass;
    k.dA = dy * dx;
    const auto accumulateRow = vectorKernels(path).covariantRow;

    const Complex* cells = psi.data();
    covariant::RunningSums running;
    // A cell the interior pass does not reach adds to the norm and <V> only.
    const auto edgeCell = [&](std::uint64_t c) {
        if (!energy)
            return;
        const double re = cells[c].real();
        const double im = cells[c].imag();
        const double rho = re * re + im * im;
        running.norm += rho;
        if (V)
            running.potential += static_cast<double>(V[c]) * rho;
    };
    double kinetic = 0.0;
    const bool interior = nx >= 3 && ny >= 3;
    for (std::uint64_t j = 0; j < ny; ++j) {
        const std::uint64_t start = j * nx;
        if (!interior || j == 0 || j + 1 == ny) {
            for (std::uint64_t i = 0; i < nx; ++i)
                edgeCell(start + i);
            continue;
        }
        edgeCell(start);
        covariant::RowStencil row;
        row.centre = cells + start;
        row.below = row.centre - nx;
        row.above = row.centre + nx;
        row.linksX = links.linksXData() + start;
        row.linksUp = links.linksYData() + start;
        row.linksDown = row.linksUp - nx;
        row.potential = V ? V + start : nullptr;
        row.energy = energy;
        row.jx = jx ? jx + start : nullptr;
        row.jy = jy ? jy + start : nullptr;
        running.rowKinetic = 0.0;
        accumulateRow(row, 1, nx - 1, k, running);
        kinetic += running.rowKinetic;
        edgeCell(start + nx - 1);
    }
    Sums sums;
    sums.norm = running.norm;
    sums.potential = running.potential;
    sums.kinetic = kinetic;
    sums.maxSquared = running.maxSquared;
    sums.integralJx = running.integralJx;
    sums.integralJy = running.integralJy;
    return sums;
}

} // namespace vxo
