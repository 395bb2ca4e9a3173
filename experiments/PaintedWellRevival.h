#pragma once

#include <cstdint>
#include <vector>

namespace vxo {

class PotentialField2D;

// The potential along one grid line of a well, as painted: the values of the
// cells whose centres lie in [from, to] (a wall to wall span), their spacing
// and the coordinate of the first centre.
struct PaintedLine {
    std::vector<double> values;
    double spacing = 0.0;
    double firstCentre = 0.0;
};
// The row through `across` when `alongX`, else the column through it.
PaintedLine paintedLine(const PotentialField2D& potential, bool alongX, double across, double from, double to);

// The grid's own Hamiltonian on the line (row-major n x n): the Fourier
// kinetic energy of the split step, periodic across the span, plus the
// painted values on the diagonal. Empty for an empty line or a spacing, mass
// or hbar that is not finite and positive.
std::vector<double> paintedLineHamiltonian(const PaintedLine& line, double mass, double hbar);

// A Gaussian packet along that line: centre, position spread (of |psi|^2),
// mean wave number.
struct LinePacket {
    double centre = 0.0;
    double sigma = 1.0;
    double wavenumber = 0.0;
};

// The levels of the grid's own Hamiltonian on the line (ascending) and the
// packet's weight in each, |<E_n|packet>|^2, normalised to a sum of one.
// Both empty for a line of fewer than 3 cells, a spacing, mass, hbar or
// spread that is not finite and positive, or a packet that vanishes on the
// line.
struct PacketLevels {
    std::vector<double> energies;
    std::vector<double> weights;
};
PacketLevels packetLevels(const PaintedLine& line, const LinePacket& packet, double mass, double hbar);

// The time near `guess` (within a fifth of it either way) at which the packet
// revives in the levels of the painted line: the largest recurrence
// |sum_n w_n exp(-i E_n t / hbar)|^2, with E_n and the packet's weights w_n
// those of the grid's own Hamiltonian on the line (the Fourier kinetic
// energy, periodic across the span, plus the painted values), so finite walls
// and faces moved by the painting are what the levels see. The span must
// reach into both walls, deep enough that the packet's levels vanish at its
// ends. 0 for an empty line or a guess that is not finite and positive.
double paintedWellRevivalTime(const PaintedLine& line, const LinePacket& packet, double mass, double hbar,
                              double guess);

// paintedWellRevivalTime of the lines asked for last, each kept with what it
// was computed from: a rebuild of the same box and packet (a Reset) asks for
// the same times again, and the levels of a line of a thousand cells take a
// dense eigen-solve. Any input that differs in any bit computes anew.
class PaintedWellRevivalMemo {
public:
    double revivalTime(const PaintedLine& line, const LinePacket& packet, double mass, double hbar, double guess);
    // The eigen-solves run so far (answers not found among those kept).
    std::uint64_t computations() const { return computations_; }

private:
    struct Entry {
        PaintedLine line;
        LinePacket packet;
        double mass = 0.0;
        double hbar = 0.0;
        double guess = 0.0;
        double time = 0.0;
    };
    // A box has a line along x and one along y.
    static constexpr std::size_t kKept = 2;
    std::vector<Entry> kept_;
    std::uint64_t computations_ = 0;
};

// Eigenvalues (ascending) and orthonormal eigenvectors (columns of
// `vectors`, row-major n x n) of a real symmetric n x n matrix (row-major):
// Householder reduction to tridiagonal form, then implicit QL with
// Wilkinson's shift. A matrix shorter than n x n gives both empty.
void symmetricEigen(std::vector<double> matrix, std::size_t n, std::vector<double>& values,
                    std::vector<double>& vectors);

} // namespace vxo
