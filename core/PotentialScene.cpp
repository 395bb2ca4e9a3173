#include "core/PotentialScene.h"

#include "core/PotentialField2D.h"

#include <algorithm>
#include <limits>

namespace vxo {

namespace {

constexpr std::uint64_t kLargestId = std::numeric_limits<std::uint64_t>::max();

// The id after `id` in the cyclic sequence 1, 2, ..., 2^64 - 1, 1, ...
std::uint64_t followingId(std::uint64_t id) { return id == kLargestId ? 1 : id + 1; }

} // namespace

bool PotentialScene::contains(std::uint64_t id) const { return find(id) != nullptr; }

std::uint64_t PotentialScene::add(PotentialObject object)
{
    if (!PotentialObject::isValid(object))
        return 0;
    if (object.id != 0 && !contains(object.id)) {
        // A stored id is kept; later fresh ids start after it.
        if (object.id >= nextId_)
            nextId_ = followingId(object.id);
    } else {
        // Fresh id. After a wrap, or after a kept id near the top of the
        // range, nextId may land on ids already present: walk past them. The
        // scene holds finitely many objects, so the walk ends.
        std::uint64_t candidate = nextId_ == 0 ? 1 : nextId_;
        while (contains(candidate))
            candidate = followingId(candidate);
        object.id = candidate;
        nextId_ = followingId(candidate);
    }
    objects_.push_back(object);
    return object.id;
}

bool PotentialScene::update(std::uint64_t id, const PotentialObject& object)
{
    PotentialObject* stored = find(id);
    if (stored == nullptr)
        return false;
    PotentialObject copy = object;
    copy.id = id;
    if (!PotentialObject::isValid(copy))
        return false;
    *stored = copy;
    return true;
}

bool PotentialScene::remove(std::uint64_t id)
{
    const auto it =
        std::find_if(objects_.begin(), objects_.end(), [id](const PotentialObject& o) { return o.id == id; });
    if (it == objects_.end())
        return false;
    objects_.erase(it);
    return true;
}

PotentialObject* PotentialScene::find(std::uint64_t id)
{
    for (PotentialObject& o : objects_) {
        if (o.id == id)
            return &o;
    }
    return nullptr;
}

const PotentialObject* PotentialScene::find(std::uint64_t id) const
{
    return const_cast<PotentialScene*>(this)->find(id);
}

void PotentialScene::clear()
{
    objects_.clear();
    nextId_ = 1;
}

bool PotentialScene::replaceObjects(const std::vector<PotentialObject>& objects)
{
    // Built aside so that a failed allocation leaves the scene as it was.
    PotentialScene replacement;
    replacement.objects_.reserve(objects.size());
    bool allTaken = true;
    for (const PotentialObject& o : objects) {
        const std::uint64_t id = replacement.add(o);
        if (id == 0 || (o.id != 0 && id != o.id))
            allTaken = false;
    }
    *this = std::move(replacement);
    return allTaken;
}

void PotentialScene::buildPotential(PotentialField2D& field) const
{
    if (field.empty()) {
        field.clear();
        return;
    }
    if (field.paintingEveryCell()) {
        buildOnScratch(field);
        return;
    }
    // Every object is painted straight into the sum, region shapes adding
    // their value: cell for cell what painting each on a zeroed grid and
    // accumulating that grid gives (a sum never holds -0, to which adding
    // +0 would make a difference), while each painter visits only the cells
    // it can change.
    const PotentialField2D::RegionPainting mode = field.regionPainting();
    field.clear();
    field.setRegionPainting(PotentialField2D::RegionPainting::Add);
    try {
        for (const PotentialObject& o : objects_) {
            if (o.enabled && PotentialObject::isValid(o))
                PotentialObject::applyTo(o, field);
        }
    } catch (...) {
        field.setRegionPainting(mode);
        throw;
    }
    field.setRegionPainting(mode);
}

void PotentialScene::buildOnScratch(PotentialField2D& field) const
{
    // One scratch grid for the whole rebuild, allocated before the target is
    // touched. Every object is painted on it from zero and then added, which
    // makes the composition additive for region shapes as well.
    PotentialField2D scratch(field.nx(), field.ny(), field.dx(), field.dy());
    scratch.setPaintingEveryCell(true);
    field.clear();
    for (const PotentialObject& o : objects_) {
        if (!o.enabled || !PotentialObject::isValid(o))
            continue;
        scratch.clear();
        PotentialObject::applyTo(o, scratch);
        field.accumulate(scratch, 1.0f);
    }
}

} // namespace vxo
