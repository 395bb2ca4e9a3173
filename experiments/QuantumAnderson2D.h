#pragma once

// Anderson localisation on two parallel rows of Gaussian sites: one row of
// equal strengths (clean) and one whose strengths scatter (disordered). One
// packet starts on each row; tunnelling spreads the clean one along its row
// while the random on-site energies of the other localise it, with site
// occupations falling off as w(d) ~ exp(-2 d / xi) with distance d from the
// start site. Each lane is measured on its own half of the grid: probability,
// x-centroid and width, site weights, participation ratio 1 / sum w_k^2 and the
// localisation length xi fitted to log w_k against d.

#include "core/ComplexField2D.h"
#include "core/PotentialScene.h"

#include <string>
#include <vector>

namespace vxo {

struct AndersonInitialStateConfig {
    double centerX = 0.0;
    double cleanLaneY = 4.0;
    double disorderLaneY = -4.0;
    double sigma = 0.35;
    double relativePhaseDegrees = 0.0;
};

// The lattice recognised in the scene; valid false, zeros and empty vectors
// when none was recognised.
struct AndersonLattice {
    bool valid = false;
    double cleanRowY = 0.0;
    double disorderedRowY = 0.0;
    double spacing = 0.0;
    double siteSigmaX = 0.0;
    double siteSigmaY = 0.0;
    double cleanMeanValue = 0.0;
    double disorderedMeanValue = 0.0;
    double disorderedValueStd = 0.0;
    std::vector<double> siteX;            // clean-row site centres, ascending
    std::vector<double> cleanValues;      // in site order
    std::vector<double> disorderedValues; // in site order
};

struct AndersonLaneMetrics {
    double probability = 0.0;
    double meanX = 0.0;
    double sigmaX = 0.0;
    double participationRatio = 0.0;
    double centreSiteWeight = 0.0;
    double localisationLength = 0.0; // disordered lane only
    bool localisationLengthValid = false;
    double profileOriginX = 0.0;
    double profileDx = 0.0;
    std::vector<float> profile; // x-profile, sum * dx = 1 when the lane holds probability
};

class QuantumAnderson2D {
public:
    // Recognises the two rows among the enabled objects (Gaussians only, at
    // least 7 per row, one regular spacing shared by both rows). The lattice
    // is reset first; on failure one message is written into the error text.
    static bool analyzeScene(const PotentialScene& scene, AndersonLattice& lattice, std::string* error);

    // psi = g(cleanLaneY) + e^(i phi) g(disorderLaneY),
    // g(y0) = exp(-((x - centerX)^2 + (y - y0)^2) / (4 sigma^2)), normalised.
    // Never throws; reports only into an error text that is still empty.
    static bool prepareInitialState(ComplexField2D& field, const AndersonInitialStateConfig& config,
                                    std::string* error);
    // The value checks of prepareInitialState (finite, sigma, lane distance).
    static bool validateInitialState(const AndersonInitialStateConfig& config, std::string* error);

    // The measurement of one lane: the half of the grid on the lane's side of
    // the line midway between the rows.
    static AndersonLaneMetrics laneMetrics(const ComplexField2D& field, const AndersonLattice& lattice, bool clean);
};

} // namespace vxo
