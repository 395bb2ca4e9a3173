#include "core/PotentialObject.h"

#include "core/Numeric.h"
#include "core/PotentialField2D.h"

#include <array>

namespace vxo {

namespace {

using Vertex = PotentialField2D::Vertex;

// Derived coordinates are formed in single precision, exactly as they are
// handed to the painters, so that validity can vouch for them.
struct BarrierEnds {
    float lowerY;
    float upperY;
};

BarrierEnds barrierEnds(const PotentialObject& o)
{
    const float half = o.length / 2.0f;
    return {o.centerY - half, o.centerY + half};
}

std::array<Vertex, 3> wedgeVertices(const PotentialObject& o)
{
    const float halfW = o.width / 2.0f;
    const float halfH = o.height / 2.0f;
    return {Vertex{o.centerX - halfW, o.centerY}, Vertex{o.centerX + halfW, o.centerY - halfH},
            Vertex{o.centerX + halfW, o.centerY + halfH}};
}

bool positive(float v) { return isFinitePositive(v); }

} // namespace

bool PotentialObject::isValid(const PotentialObject& o)
{
    if (!isFinite(o.value) || !isFinite(o.centerX) || !isFinite(o.centerY))
        return false;
    switch (o.kind) {
    case PotentialObjectKind::Rectangle:
        return positive(o.width) && positive(o.height);
    case PotentialObjectKind::Circle:
        return positive(o.radius);
    case PotentialObjectKind::Barrier: {
        if (!positive(o.length) || !positive(o.thickness))
            return false;
        const BarrierEnds ends = barrierEnds(o);
        return isFinite(ends.lowerY) && isFinite(ends.upperY);
    }
    case PotentialObjectKind::SingleSlit:
        return positive(o.wallWidth) && positive(o.slitHeight);
    case PotentialObjectKind::DoubleSlit:
        return positive(o.wallWidth) && positive(o.slitHeight) && positive(o.slitSeparation);
    case PotentialObjectKind::PolygonWedge: {
        if (!positive(o.width) || !positive(o.height))
            return false;
        for (const Vertex& v : wedgeVertices(o)) {
            if (!isFinite(v.first) || !isFinite(v.second))
                return false;
        }
        return true;
    }
    case PotentialObjectKind::Gaussian:
        return positive(o.sigmaX) && positive(o.sigmaY);
    case PotentialObjectKind::Harmonic:
        return isFinite(o.curvatureX) && isFinite(o.curvatureY);
    case PotentialObjectKind::Linear:
        return isFinite(o.slopeX) && isFinite(o.slopeY);
    case PotentialObjectKind::SoftenedRadial:
        return positive(o.softening);
    case PotentialObjectKind::StadiumExterior:
        return positive(o.width) && positive(o.radius);
    case PotentialObjectKind::None:
        return false;
    }
    return false; // a stored kind above 11
}

void PotentialObject::applyTo(const PotentialObject& o, PotentialField2D& field)
{
    switch (o.kind) {
    case PotentialObjectKind::Rectangle:
        field.addRectangle(o.centerX, o.centerY, o.width, o.height, o.value);
        return;
    case PotentialObjectKind::Circle:
        field.addCircle(o.centerX, o.centerY, o.radius, o.value);
        return;
    case PotentialObjectKind::Barrier: {
        const BarrierEnds ends = barrierEnds(o);
        field.addBarrier(o.centerX, ends.lowerY, o.centerX, ends.upperY, o.thickness, o.value);
        return;
    }
    case PotentialObjectKind::SingleSlit:
        field.addSingleSlit(o.centerX, o.wallWidth, o.centerY, o.slitHeight, o.value);
        return;
    case PotentialObjectKind::DoubleSlit:
        field.addDoubleSlit(o.centerX, o.wallWidth, o.centerY, o.slitSeparation, o.slitHeight, o.value);
        return;
    case PotentialObjectKind::PolygonWedge: {
        const std::array<Vertex, 3> vertices = wedgeVertices(o);
        field.addPolygon(vertices.data(), vertices.size(), o.value);
        return;
    }
    case PotentialObjectKind::Gaussian:
        field.addGaussian(o.centerX, o.centerY, o.sigmaX, o.sigmaY, o.value);
        return;
    case PotentialObjectKind::Harmonic:
        field.addHarmonic(o.centerX, o.centerY, o.value, o.curvatureX, o.curvatureY);
        return;
    case PotentialObjectKind::Linear:
        field.addLinear(o.centerX, o.centerY, o.value, o.slopeX, o.slopeY);
        return;
    case PotentialObjectKind::SoftenedRadial:
        field.addSoftenedRadial(o.centerX, o.centerY, o.value, o.softening);
        return;
    case PotentialObjectKind::StadiumExterior:
        field.addStadiumExterior(o.centerX, o.centerY, o.width, o.radius, o.value);
        return;
    case PotentialObjectKind::None:
        return;
    }
}

} // namespace vxo
