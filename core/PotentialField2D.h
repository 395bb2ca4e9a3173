#pragma once

#include <cstdint>
#include <utility>
#include <vector>

namespace vxo {

class ComplexField2D;

// The real potential V(x, y) on the wave field's grid: nx x ny single-precision
// values stored row by row (index j * nx + i), cell centres at
// x_i = (i - (nx - 1) / 2) dx and y_j = (j - (ny - 1) / 2) dy.
//
// Painters write shapes and analytic fields into the grid. Region painters
// assign (or add) their value to every cell whose centre lies inside the
// shape; a face that passes through a cell centre is decided by one rule on
// every side (the low face in x and in y takes the cell, the high face leaves
// it), so widths, gaps and separations come out as set, never a whole cell
// off, whatever the grid. Smooth painters add f(x, y), evaluated in double at the cell centres,
// rounded once to single precision and held within the float range.
//
// Each painter visits only the cells it can change: a region painter the box
// around its shape, a Gaussian the box beyond which its terms round to zero
// in single precision; the fields agree bit for bit with visiting every cell
// (but that a cell holding -0 keeps its sign where a Gaussian's +0 would have
// made it +0).
//
// Caches derived from a potential (phase tables, textures) are keyed to the
// pair (identity(), revision()):
//  - revision() rises by 1 after every change of the grid and wraps to 1,
//    never to 0; a call refused by its argument checks changes nothing.
//  - identity() is a serial number drawn from a process-wide 64-bit counter
//    when an object is constructed, copied, moved or assigned to, so two
//    distinct fields never share it, not even one created later at the
//    address of a destroyed one.
class PotentialField2D {
public:
    // One polygon vertex (x, y).
    using Vertex = std::pair<float, float>;
    // How region painters write their value into the cells they select.
    enum class RegionPainting {
        Assign, // the cell becomes the value
        Add,    // the value is added, the sum held within the float range
    };

    PotentialField2D();
    PotentialField2D(std::uint64_t nx, std::uint64_t ny, float dx, float dy);
    PotentialField2D(const PotentialField2D& other);
    PotentialField2D(PotentialField2D&& other) noexcept;
    PotentialField2D& operator=(const PotentialField2D& other);
    PotentialField2D& operator=(PotentialField2D&& other) noexcept;
    ~PotentialField2D() = default;

    // New grid of zeros; the old content is discarded.
    void reset(std::uint64_t nx, std::uint64_t ny, float dx, float dy);

    std::uint64_t nx() const { return nx_; }
    std::uint64_t ny() const { return ny_; }
    float dx() const { return dx_; }
    float dy() const { return dy_; }
    std::uint64_t size() const { return values_.size(); }
    bool empty() const { return values_.empty(); }
    const float* data() const { return values_.data(); }
    const std::vector<float>& values() const { return values_; }

    // No bounds check.
    float valueAt(std::uint64_t i, std::uint64_t j) const { return values_[j * nx_ + i]; }
    double xAt(std::uint64_t i) const;
    double yAt(std::uint64_t j) const;

    std::uint64_t revision() const { return revision_; }
    std::uint64_t identity() const { return identity_; }
    // The revision that follows r: r + 1, or 1 where that wraps to 0.
    static std::uint64_t nextRevision(std::uint64_t r) { return r + 1 == 0 ? 1 : r + 1; }

    // Same nx, ny and bit-identical dx, dy as the wave field.
    bool matches(const ComplexField2D& field) const;

    // Smallest / largest value (0 for an empty field). Both are taken in one
    // scan and kept with the (identity, revision) they belong to, so a
    // potential that did not change is not scanned again.
    float minValue() const;
    float maxValue() const;

    void clear();
    void fill(float value);
    // Row j (below ny) alone, as a grid of one row with the same spacings;
    // an empty grid for a row outside.
    PotentialField2D row(std::uint64_t j) const;
    // values += scale * other.values, cell by cell in single precision; a sum
    // beyond the float range is held at the largest finite float of its sign.
    void accumulate(const PotentialField2D& other, float scale);

    // Assign by default. Adding gives what painting on a zeroed grid and
    // accumulating it would give, cell for cell, without the second grid: the
    // scene paints its objects straight into their sum this way.
    void setRegionPainting(RegionPainting mode) { regionPainting_ = mode; }
    RegionPainting regionPainting() const { return regionPainting_; }
    // Every painter visits every cell when set: the reference the bounded
    // painting is checked and measured against. Off by default; copies keep it.
    void setPaintingEveryCell(bool everyCell) { paintingEveryCell_ = everyCell; }
    bool paintingEveryCell() const { return paintingEveryCell_; }

    // Region painters: the selected cells are set to value (or have it added,
    // see RegionPainting).
    void addRectangle(float centerX, float centerY, float width, float height, float value);
    void addCircle(float centerX, float centerY, float radius, float value);
    void addBarrier(float x1, float y1, float x2, float y2, float thickness, float value);
    void addSingleSlit(float centerX, float wallWidth, float slitCenterY, float slitHeight, float value);
    void addDoubleSlit(float centerX, float wallWidth, float slitCenterY, float slitSeparation, float slitHeight,
                       float value);
    void addPolygon(const std::vector<Vertex>& vertices, float value);
    void addPolygon(const Vertex* vertices, std::uint64_t count, float value);
    void addStadiumExterior(float centerX, float centerY, float width, float radius, float value);

    // Smooth painters: f(x, y) is added to every cell.
    void addGaussian(float centerX, float centerY, float sigmaX, float sigmaY, float amplitude);
    void addHarmonic(float centerX, float centerY, float offset, float curvatureX, float curvatureY);
    void addLinear(float centerX, float centerY, float offset, float slopeX, float slopeY);
    void addQuadrupole(float centerX, float centerY, float q1, float q2);
    void addSoftenedRadial(float centerX, float centerY, float coupling, float softening);
    // depth cos^2(pi x / period + phase pi / 360), phase in degrees.
    void addStandingWaveX(float period, float depth, float phase);

private:
    // Columns i0 <= i < i1 of the rows j0 <= j < j1.
    struct CellRange {
        std::uint64_t i0 = 0;
        std::uint64_t i1 = 0;
        std::uint64_t j0 = 0;
        std::uint64_t j1 = 0;
    };
    // The cells whose decision point (CellDecisionPoint.h) may lie in the box
    // [xLow, xHigh] x [yLow, yHigh], with a cell of margin; every cell when
    // painting every cell.
    CellRange cellsAround(double xLow, double xHigh, double yLow, double yHigh) const;
    CellRange everyCell() const { return CellRange{0, nx_, 0, ny_}; }
    // Paints value (see RegionPainting) into the cells of the range whose row
    // passes rowSelected(y) and whose decision point passes cellSelected(x, y).
    template <typename RowTest, typename CellTest>
    void assignWhere(float value, const CellRange& cells, RowTest rowSelected, CellTest cellSelected);
    // Paints value into the cells [first, last) of row j, all selected.
    void paintSpan(float value, std::uint64_t j, std::uint64_t first, std::uint64_t last);
    // Adds f(x', y') with x' = x - centerX, y' = y - centerY to the cells of
    // the range, held within the float range. sumRow(row, xp, yp, count, sum)
    // writes row + f into sum for one row (xp the offsets x') and says whether
    // a sum left the float range; the plain one loops over f.
    template <typename Function, typename RowSum>
    void addFunction(double centerX, double centerY, const CellRange& cells, Function f, RowSum sumRow);
    template <typename Function>
    void addFunction(double centerX, double centerY, const CellRange& cells, Function f);
    void raiseRevision() { revision_ = nextRevision(revision_); }
    // The smallest and largest value and the field state they were taken at.
    struct Extent {
        bool valid = false;
        std::uint64_t identity = 0;
        std::uint64_t revision = 0;
        float minimum = 0.0f;
        float maximum = 0.0f;
    };
    const Extent& extent() const;
    // A moved-from field is an empty default grid; its content changed.
    void becomeEmptyAfterMove();

    std::uint64_t nx_ = 0;
    std::uint64_t ny_ = 0;
    float dx_ = 1.0f;
    float dy_ = 1.0f;
    std::vector<float> values_;
    std::uint64_t revision_ = 0;
    std::uint64_t identity_ = 0;
    RegionPainting regionPainting_ = RegionPainting::Assign;
    bool paintingEveryCell_ = false;
    // A copy or an assignment draws a new identity, which drops the entry.
    mutable Extent extent_;
};

// Even-odd crossing rule in double precision; points exactly on an edge are
// decided by the rule's strict comparisons.
bool pointInPolygon(double x, double y, const PotentialField2D::Vertex* vertices, std::uint64_t count);
bool pointInPolygon(double x, double y, const std::vector<PotentialField2D::Vertex>& vertices);

} // namespace vxo
