#pragma once

#include "core/GaugeLinkField2D.h"
#include "experiments/QuantumAharonovBohm2D.h"

namespace vxo {

// The Aharonov-Bohm links of the last build with what they depend on, the
// grid and the solenoid: a rebuild that keeps both (a Reset, a change of the
// packet or the barrier) takes them from here instead of writing a million
// phases again on the finest grid.
struct KeptAharonovBohmLinks {
    AharonovBohmConfig config;
    GaugeLinkField2D links;

    bool fit(const ComplexField2D& psi, const AharonovBohmConfig& wanted) const
    {
        return links.matches(psi) && QuantumAharonovBohm2D::sameLinks(config, wanted);
    }
    void keep(const AharonovBohmConfig& built, const GaugeLinkField2D& builtLinks)
    {
        config = built;
        links = builtLinks;
    }
};

// The link fields of the three gauge experiments for the current grid. A
// field counts only once its build succeeded (its ready flag); the rebuild
// empties all three.
struct GaugeFieldLinks {
    GaugeLinkField2D aharonovBohmLinks;
    bool aharonovBohmLinksReady = false;
    GaugeLinkField2D landauLinks;
    bool landauLinksReady = false;
    GaugeLinkField2D hallEdgeLinks;
    bool hallEdgeLinksReady = false;
    // Outlives clear().
    KeptAharonovBohmLinks keptAharonovBohm;

    // All three emptied and not ready.
    void clear()
    {
        aharonovBohmLinks.clear();
        landauLinks.clear();
        hallEdgeLinks.clear();
        aharonovBohmLinksReady = landauLinksReady = hallEdgeLinksReady = false;
    }
};

} // namespace vxo
