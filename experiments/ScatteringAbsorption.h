#pragma once

#include "core/AbsorbedByBand.h"
#include "core/RegionProbabilities.h"
#include "experiments/QuantumResonance2D.h"

namespace vxo {

// What the absorbing layer has taken from a packet scattering at barriers
// that run along y, kept so that the reading of the regions about them gives
// shares of the whole packet, however much the layer has taken.
//
// What the side bands take moving left went back and what they take moving
// right went through, whichever band takes it (a thin layer lets a little of
// a fast packet across the periodic edge into the other band): each counts
// on its side. What leaves through the top and bottom bands is a different
// loss: the motion along y does not depend on the motion along x, so those
// bands take the same share of every part of the packet, of the incident
// part as well as of the reflected and transmitted ones. Booked on the side
// it left from, the incident part lost there would count as reflected;
// instead the share S of the packet that the top and bottom have left in
// the box is tracked, and what the box holds is read as S times the packet
// that would be there without them. The side bands' removals are divided by
// S alike.
class ScatteringAbsorption {
public:
    // Starts the count for a packet of this norm in the box: nothing taken.
    void start(double norm);

    // Adds one application of the layer. Removals that are not finite and
    // non-negative are refused and change nothing.
    void add(const AbsorbedByBand& removed);

    // Left and right side bands' removals, of the packet without the top
    // and bottom losses; the share S those losses have left.
    double wentBack() const { return wentBack_; }
    double wentThrough() const { return wentThrough_; }
    double keptAlongY() const { return keptAlongY_; }

    // The regions of the whole packet: the box's regions divided by S, the
    // side bands' removals joining the left and right regions; fractions of
    // the new total. Regions are returned unchanged while S is 0.
    RegionProbabilities ofWholePacket(const RegionProbabilities& inBox) const;
    DoubleBarrierRegions ofWholePacket(const DoubleBarrierRegions& inBox) const;

private:
    // What the box holds of a region, as a part of the packet without the
    // top and bottom losses.
    double whole(double inBox) const;

    double inBox_ = 0.0;
    double keptAlongY_ = 1.0;
    double wentBack_ = 0.0;
    double wentThrough_ = 0.0;
};

} // namespace vxo
