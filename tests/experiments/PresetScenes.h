#pragma once

// Potential scenes of the guided experiments whose analyses recognise their
// scene, built object by object as the catalogue adds them, plus the object
// makers the scene tests perturb them with.

#include "core/PotentialScene.h"

#include <vector>

namespace vxo::test {

// An object of the kind with strength value at (centerX, centerY), every other
// parameter at its default; the makers below set the kind's own sizes.
inline PotentialObject placedObject(PotentialObjectKind kind, float value, float centerX, float centerY)
{
    PotentialObject o;
    o.kind = kind;
    o.value = value;
    o.centerX = centerX;
    o.centerY = centerY;
    return o;
}

inline PotentialObject rectangleObject(float value, float centerX, float centerY, float width, float height)
{
    PotentialObject o = placedObject(PotentialObjectKind::Rectangle, value, centerX, centerY);
    o.width = width;
    o.height = height;
    return o;
}

inline PotentialObject circleObject(float value, float centerX, float centerY, float radius)
{
    PotentialObject o = placedObject(PotentialObjectKind::Circle, value, centerX, centerY);
    o.radius = radius;
    return o;
}

inline PotentialObject barrierObject(float value, float centerX, float centerY, float thickness, float length)
{
    PotentialObject o = placedObject(PotentialObjectKind::Barrier, value, centerX, centerY);
    o.thickness = thickness;
    o.length = length;
    return o;
}

// Linear and Harmonic fields keep the default offset value 0.
inline PotentialObject linearObject(float centerX, float centerY, float slopeX, float slopeY)
{
    PotentialObject o = placedObject(PotentialObjectKind::Linear, 0.0f, centerX, centerY);
    o.slopeX = slopeX;
    o.slopeY = slopeY;
    return o;
}

inline PotentialObject harmonicObject(float centerX, float centerY, float curvatureX, float curvatureY)
{
    PotentialObject o = placedObject(PotentialObjectKind::Harmonic, 0.0f, centerX, centerY);
    o.curvatureX = curvatureX;
    o.curvatureY = curvatureY;
    return o;
}

inline PotentialScene sceneOf(const std::vector<PotentialObject>& objects)
{
    PotentialScene scene;
    for (const PotentialObject& o : objects)
        scene.add(o);
    return scene;
}

// Bloch oscillations: 16 wells of depth 1 and width 1.28 spaced by 2.56, then
// the Linear force with slopeX 0.08.
inline std::vector<PotentialObject> blochLatticeObjects()
{
    std::vector<PotentialObject> objects;
    for (int i = 0; i < 16; ++i)
        objects.push_back(rectangleObject(-1.0f, static_cast<float>((i - 7.5) * 2.56), 0.0f, 1.28f, 42.0f));
    objects.push_back(linearObject(0.0f, 0.0f, 0.08f, 0.0f));
    return objects;
}

// A closed box of four Rectangle walls of the value around the interior
// w x h centred at (cx, cy): vertical walls tv thick, horizontal ones th thick
// and reaching over the vertical ones, added left, bottom, right, top.
inline std::vector<PotentialObject> boxObjects(float value, double cx, double cy, double w, double h, double tv,
                                               double th)
{
    const auto f = [](double v) { return static_cast<float>(v); };
    return {rectangleObject(value, f(cx - (w + tv) / 2.0), f(cy), f(tv), f(h + 2.0 * th)),
            rectangleObject(value, f(cx), f(cy - (h + th) / 2.0), f(w + 2.0 * tv), f(th)),
            rectangleObject(value, f(cx + (w + tv) / 2.0), f(cy), f(tv), f(h + 2.0 * th)),
            rectangleObject(value, f(cx), f(cy + (h + th) / 2.0), f(w + 2.0 * tv), f(th))};
}

// Wave-packet revivals: closed box of value 120, inner side 6.4.
inline std::vector<PotentialObject> revivalBoxObjects() { return boxObjects(120.0f, 0.0, 0.0, 6.4, 6.4, 1.28, 1.28); }

// Rectangular billiard, inner region 18 x 14; the Sinai variant adds a disc
// of radius 2.2 at the centre.
inline std::vector<PotentialObject> billiardObjects(bool sinai)
{
    std::vector<PotentialObject> objects = boxObjects(120.0f, 0.0, 0.0, 18.0, 14.0, 1.28, 1.28);
    if (sinai)
        objects.push_back(circleObject(120.0f, 0.0f, 0.0f, 2.2f));
    return objects;
}

// Quantum bouncer: floor of value 150 with its top at y = -8, then the
// uniform force slopeY 0.8.
inline std::vector<PotentialObject> bouncerObjects()
{
    return {rectangleObject(150.0f, 0.0f, -8.64f, 40.96f, 1.28f), linearObject(0.0f, -8.0f, 0.0f, 0.8f)};
}

// Quantum vortex: one isotropic Harmonic trap of curvature 0.25 at the origin.
inline std::vector<PotentialObject> vortexTrapObjects() { return {harmonicObject(0.0f, 0.0f, 0.25f, 0.25f)}; }

} // namespace vxo::test
