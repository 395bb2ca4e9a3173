#pragma once

#include "core/PotentialObject.h"

#include <cstdint>
#include <vector>

namespace vxo {

class PotentialField2D;

// The editable description of the potential: an ordered list of objects, each
// with its own identifier and enabled flag. Composition is additive,
// V = sum_k V_k over the enabled, valid objects: each object is painted on a
// zeroed scratch grid and the scratch is added into the target, so overlapping
// region shapes add their values.
//
// Identifiers handed out by add() are unique within the scene and never 0.
// An object arriving with a free non-zero id keeps it (documents and presets
// store their ids); nextId() then moves past it.
class PotentialScene {
public:
    // The id given to the appended object, or 0 when the object is not valid
    // (scene unchanged).
    std::uint64_t add(PotentialObject object);
    // Replaces the first object with this id, keeping the id; false (scene
    // unchanged) when the id is absent or the new object is not valid.
    bool update(std::uint64_t id, const PotentialObject& object);
    // Removes the first object with this id; the others keep their order.
    bool remove(std::uint64_t id);
    // First object with this id, or null. Callers may edit the returned
    // object; buildPotential skips it if that leaves it invalid.
    PotentialObject* find(std::uint64_t id);
    const PotentialObject* find(std::uint64_t id) const;
    // No objects, nextId 1.
    void clear();
    // Wholesale replacement: clear() followed by add() of each object in
    // order, so free ids are kept, id 0 and clashing ids get fresh ones and
    // invalid objects are left out. True when every object was taken and no
    // non-zero id had to change.
    bool replaceObjects(const std::vector<PotentialObject>& objects);

    std::uint64_t size() const { return objects_.size(); }
    bool empty() const { return objects_.empty(); }
    const std::vector<PotentialObject>& objects() const { return objects_; }
    std::uint64_t nextId() const { return nextId_; }

    // Clears the field, then adds every enabled, valid object in list order.
    // A field painting every cell is built the reference way, each object on
    // a zeroed scratch grid that is then accumulated.
    void buildPotential(PotentialField2D& field) const;

private:
    void buildOnScratch(PotentialField2D& field) const;
    bool contains(std::uint64_t id) const;

    std::vector<PotentialObject> objects_;
    std::uint64_t nextId_ = 1;
};

} // namespace vxo
