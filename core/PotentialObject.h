#pragma once

#include <cstdint>

namespace vxo {

class PotentialField2D;

// Shape or analytic field of a potential object. Stored values above 11 can
// occur (documents, casts) and are never valid.
enum class PotentialObjectKind : std::uint32_t {
    None = 0,
    Rectangle = 1,
    Circle = 2,
    Barrier = 3,
    SingleSlit = 4,
    DoubleSlit = 5,
    PolygonWedge = 6,
    Gaussian = 7,
    Harmonic = 8,
    Linear = 9,
    SoftenedRadial = 10,
    StadiumExterior = 11,
};

// One object of a potential scene. Every object carries every parameter; its
// kind decides which ones matter. `value` is the strength: the potential of a
// region shape, the amplitude of a Gaussian, the offset of a Harmonic or
// Linear field, the coupling of a SoftenedRadial field.
//
// The Barrier is the vertical capsule from (centerX, centerY - length/2) to
// (centerX, centerY + length/2); the PolygonWedge is the triangle with apex
// (centerX - width/2, centerY) and base at x = centerX + width/2 from
// centerY - height/2 to centerY + height/2. Both derived coordinates are
// formed in single precision.
struct PotentialObject {
    std::uint64_t id = 0; // 0: none assigned yet
    PotentialObjectKind kind = PotentialObjectKind::Rectangle;
    bool enabled = true;
    float value = 0.0f;
    float centerX = 0.0f;
    float centerY = 0.0f;
    float width = 1.0f;
    float height = 1.0f;
    float radius = 1.0f;
    float length = 1.0f;
    float thickness = 1.0f;
    float wallWidth = 1.0f;
    float slitHeight = 1.0f;
    float slitSeparation = 2.0f;
    float sigmaX = 1.0f;
    float sigmaY = 1.0f;
    float curvatureX = 0.25f;
    float curvatureY = 0.25f;
    float slopeX = 0.0f;
    float slopeY = 0.0f;
    float softening = 0.5f;

    // value, centerX and centerY finite, a kind of 1..11, the kind's own
    // parameters finite (sizes also > 0) and the derived barrier ends and
    // wedge vertices finite, so that applyTo cannot be refused by its painter.
    // Never throws.
    static bool isValid(const PotentialObject& object);

    // Paints the object into the field with the painter of its kind; nothing
    // for None or an unknown kind. Painter exceptions propagate.
    static void applyTo(const PotentialObject& object, PotentialField2D& field);
};

} // namespace vxo
