#include "app/protocols/DriveApplier.h"

#include "core/PotentialScene.h"

namespace vxo {

namespace {

// One evaluation of a protocol, reduced to what the applier keeps.
struct Evaluation {
    bool applied = false;
    double value = 0.0;
    double progress = 0.0;
    std::int32_t stage = 0;
};

bool validate(const PotentialScene& scene, const PeriodicDrive& drive) { return validatePeriodicDrive(scene, drive); }
bool validate(const PotentialScene& scene, const LinearSweep& sweep) { return validateLinearSweep(scene, sweep); }
bool validate(const PotentialScene& scene, const RamseySequence& sequence)
{
    return validateRamseySequence(scene, sequence);
}

Evaluation evaluate(const ProtocolContext& context, const PeriodicDrive& drive)
{
    const PeriodicDriveApplication result = applyPeriodicDrive(context.scene, drive, context.t, context.potential);
    return {result.applied, result.value, 0.0, 0};
}

Evaluation evaluate(const ProtocolContext& context, const LinearSweep& sweep)
{
    const LinearSweepApplication result = applyLinearSweep(context.scene, sweep, context.t, context.potential);
    return {result.applied, result.value, result.progress, 0};
}

Evaluation evaluate(const ProtocolContext& context, const RamseySequence& sequence)
{
    const RamseyDriveApplication result = applyRamseySequence(context.scene, sequence, context.t, context.potential);
    return {result.applied, result.value, 0.0, static_cast<std::int32_t>(result.stage)};
}

} // namespace

template <typename Record>
bool DriveApplier<Record>::apply(const ProtocolContext& context, const Record& settings)
{
    if (!context.sceneUsable) {
        clear();
        return false;
    }
    if (!settings.enabled || !validate(context.scene, settings)) {
        active_ = false;
        return false;
    }
    const Evaluation evaluation = evaluate(context, settings);
    if (!evaluation.applied)
        return false;
    value_ = evaluation.value;
    progress_ = evaluation.progress;
    stage_ = evaluation.stage;
    active_ = true;
    return true;
}

template <typename Record>
void DriveApplier<Record>::clear()
{
    *this = DriveApplier();
}

template class DriveApplier<PeriodicDrive>;
template class DriveApplier<LinearSweep>;
template class DriveApplier<RamseySequence>;

} // namespace vxo
