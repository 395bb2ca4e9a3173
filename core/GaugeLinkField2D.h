#pragma once

#include "core/ComplexField2D.h"

#include <cstdint>

namespace vxo {

// Lattice vector potential as link factors (Peierls phases). U_x(i, j) is the
// factor picked up by the hop from column i to column i + 1 in row j, U_y(i, j)
// the factor of the hop from row j to row j + 1 in column i; the reverse hop
// carries the complex conjugate. For a vector potential A and charge q,
// U_x = exp(-i q A_x dx / hbar), so a pure vector potential has links of
// modulus one (not enforced here). Every link 1 means no magnetic field; the
// last column of U_x and the last row of U_y have no neighbour and are never
// read by the line sweeps.
//
// An empty link field (0 x 0) stands for "no gauge field" and matches no wave
// field.
//
// Caches derived from the links (the factorised line systems of the magnetic
// step) are keyed to stamp(): a serial number from a process-wide counter
// that is drawn anew after every change of the links or the grid, so that two
// link fields show the same stamp only when one is an unchanged copy of the
// other. (A moved-from field keeps its stamp but no links, so it matches no
// wave field until it is resized, which draws a new stamp.)
class GaugeLinkField2D {
public:
    // Stores the grid as given (no checks) and sets every link to 1 + 0i.
    void resize(std::uint64_t nx, std::uint64_t ny, float dx, float dy);
    // 0 x 0 grid, both arrays emptied; dx and dy are kept.
    void clear();

    std::uint64_t nx() const { return nx_; }
    std::uint64_t ny() const { return ny_; }
    float dx() const { return dx_; }
    float dy() const { return dy_; }

    // No bounds check: the caller keeps i < nx and j < ny.
    Complex linkX(std::uint64_t i, std::uint64_t j) const { return linksX_[j * nx_ + i]; }
    Complex linkY(std::uint64_t i, std::uint64_t j) const { return linksY_[j * nx_ + i]; }
    void setLinkX(std::uint64_t i, std::uint64_t j, Complex value)
    {
        linksX_[j * nx_ + i] = value;
        stamp_ = 0;
    }
    void setLinkY(std::uint64_t i, std::uint64_t j, Complex value)
    {
        linksY_[j * nx_ + i] = value;
        stamp_ = 0;
    }

    // Never 0. A change only marks the stamp as spent; the next call draws the
    // new one, so that writing every link costs no counter update per link.
    std::uint64_t stamp() const;

    // Row-major arrays, indexed like the wave field (j * nx + i).
    const Complex* linksXData() const { return linksX_.data(); }
    const Complex* linksYData() const { return linksY_.data(); }

    // A non-empty link field on exactly the wave field's grid (dx, dy compared
    // bit for bit).
    bool matches(const ComplexField2D& field) const;

private:
    std::uint64_t nx_ = 0;
    std::uint64_t ny_ = 0;
    float dx_ = 1.0f;
    float dy_ = 1.0f;
    AlignedVector<Complex> linksX_;
    AlignedVector<Complex> linksY_;
    mutable std::uint64_t stamp_ = 0; // 0: changed since the last stamp was drawn
};

} // namespace vxo
