#pragma once

#include "core/ComplexField2D.h"

namespace vxo {

// The probability sum |psi|^2 dx dy split by x into the regions left of
// min(a, b), between (both ends included) and right of max(a, b), with each
// part's fraction of the total. Cells are decided at the point the region
// painters decide them (CellDecisionPoint.h): an end through a cell centre
// gives the cell to the region above it.
struct RegionProbabilities {
    double total = 0.0;
    double left = 0.0;
    double middle = 0.0;
    double right = 0.0;
    double leftFraction = 0.0;
    double middleFraction = 0.0;
    double rightFraction = 0.0;
};

// Never throws: an empty field gives zeros, and the fractions stay zero unless
// the total is positive and finite.
RegionProbabilities computeRegionProbabilities(const ComplexField2D& field, double a, double b);

} // namespace vxo
