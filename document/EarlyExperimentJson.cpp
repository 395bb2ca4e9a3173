#include "document/EarlyExperimentJson.h"

#include "document/SettingsObjectCodec.h"

namespace vxo {

namespace {

void ramseyEnsembleFields(SettingsFieldVisitor& v, RamseyEnsemble& r)
{
    v.flag("enabled", r.enabled);
    v.number("detuningStdDev", r.detuningStdDev);
    v.integer("memberCount", r.memberCount, -1);
}

void talbotFields(SettingsFieldVisitor& v, TalbotInitialState& r)
{
    v.number("period", r.period);
    v.number("toothSigma", r.toothSigma);
    v.number("offsetX", r.offsetX);
    v.number("centerY", r.centerY);
    v.number("sigmaY", r.sigmaY);
    v.number("momentumY", r.momentumY);
}

void vortexFields(SettingsFieldVisitor& v, VortexInitialState& r)
{
    v.number("envelopeCenterX", r.envelopeCenterX);
    v.number("envelopeCenterY", r.envelopeCenterY);
    v.number("envelopeSigma", r.envelopeSigma);
    v.number("coreX", r.coreX);
    v.number("coreY", r.coreY);
    v.integer("charge", r.charge, 0);
}

void andersonFields(SettingsFieldVisitor& v, AndersonInitialStateConfig& r)
{
    v.number("centerX", r.centerX);
    v.number("cleanLaneY", r.cleanLaneY);
    v.number("disorderLaneY", r.disorderLaneY);
    v.number("sigma", r.sigma);
    v.number("relativePhaseDegrees", r.relativePhaseDegrees);
}

// The ensemble is judged whether it is enabled or not.
bool ensembleValid(const RamseyEnsemble& ensemble, const ExperimentDocument&)
{
    return isRamseyEnsembleValid(ensemble);
}

} // namespace

// Each object's codec (const, so internal to this file) and its reader and writer.

const SettingsObject<RamseyEnsemble> kRamseyEnsemble = {
    "ramseyEnsemble",
    &ExperimentDocument::ramseyEnsemble,
    ramseyEnsembleFields,
    "Experiment schema 12/13/14/15/16/17/18/19/20/21/22/23 is missing a valid ramseyEnsemble object.",
    "Experiment ramseyEnsemble contains invalid fields.",
    "Experiment ramseyEnsemble contains invalid fields.",
    {ensembleValid, "Experiment ramseyEnsemble values are out of range."},
    nullptr,
};
VXO_SETTINGS_OBJECT_FUNCTIONS(readRamseyEnsemble, writeRamseyEnsemble, kRamseyEnsemble)

const SettingsObject<TalbotInitialState> kTalbotInitialState = {
    "talbotInitialState",
    &ExperimentDocument::talbotInitialState,
    talbotFields,
    "Experiment schema 13/14 is missing a valid talbotInitialState object.",
    "Experiment talbotInitialState contains invalid fields.",
    "Experiment talbotInitialState contains invalid fields.",
    {validatedBy<TalbotInitialState, QuantumTalbot2D::validateInitialState>,
     "Experiment talbotInitialState values are out of range."},
    nullptr,
};
VXO_SETTINGS_OBJECT_FUNCTIONS(readTalbotInitialState, writeTalbotInitialState, kTalbotInitialState)

const SettingsObject<VortexInitialState> kVortexInitialState = {
    "vortexInitialState",
    &ExperimentDocument::vortexInitialState,
    vortexFields,
    "Experiment schema 14/15/16/17/18/19/20/21/22/23 is missing a valid vortexInitialState object.",
    "Experiment vortexInitialState contains invalid fields.",
    "Experiment vortexInitialState contains invalid fields.",
    {validatedBy<VortexInitialState, QuantumVortex2D::validateConfig>,
     "Experiment vortexInitialState values are out of range."},
    nullptr,
};
VXO_SETTINGS_OBJECT_FUNCTIONS(readVortexInitialState, writeVortexInitialState, kVortexInitialState)

const SettingsObject<AndersonInitialStateConfig> kAndersonInitialState = {
    "andersonInitialState",
    &ExperimentDocument::andersonInitialState,
    andersonFields,
    "Experiment schema 15 is missing a valid andersonInitialState object.",
    "Experiment andersonInitialState contains invalid fields.",
    "Experiment andersonInitialState contains invalid fields.",
    {validatedBy<AndersonInitialStateConfig, QuantumAnderson2D::validateInitialState>,
     "Experiment andersonInitialState values are out of range."},
    nullptr,
};
VXO_SETTINGS_OBJECT_FUNCTIONS(readAndersonInitialState, writeAndersonInitialState, kAndersonInitialState)

} // namespace vxo
