#pragma once

#include "core/GaugeLinkField2D.h"

namespace vxo {

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
