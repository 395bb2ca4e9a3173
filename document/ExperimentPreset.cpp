#include "document/ExperimentPreset.h"

#include "core/Numeric.h"

namespace vxo {

std::uint64_t addRectangleObjectToPreset(ExperimentPreset& preset, double centerX, double centerY, double width,
                                         double height, double value)
{
    PotentialObject rectangle;
    rectangle.kind = PotentialObjectKind::Rectangle;
    rectangle.centerX = static_cast<float>(centerX);
    rectangle.centerY = static_cast<float>(centerY);
    rectangle.width = static_cast<float>(width);
    rectangle.height = static_cast<float>(height);
    rectangle.value = static_cast<float>(value);
    return preset.scene.add(rectangle);
}

namespace {

constexpr double kHbar = 1.054571817e-34;                    // J s
constexpr double kSpeedOfLight = 299792458.0;                // m/s
constexpr double kElectronMassTimesC = 2.73092453445525e-22; // m_e c, kg m/s

// Physical masses in kg.
constexpr double kEffectiveMassGaAs = 6.103287088313001e-32; // 0.067 m_e
constexpr double kMassRb87 = 1.4431608951941213e-25;
constexpr double kMassNa23 = 3.8175410024881635e-26;
constexpr double kMassNeutron = 1.67492749804e-27;
constexpr double kMassElectron = 9.1093837139e-31;

// How T0 follows from L0.
enum class TimeRule {
    Kinetic,       // T0 = m_phys L0^2 / (m_sim hbar): hbar^2 / (m L0^2) is the energy unit
    LightCrossing, // T0 = L0 / c, with L0 = restMass hbar / (m_e c)
    FixedDirac,    // v_D ~ 1e6 m/s over L0 = 10 nm: T0 = 1e-14 s
};

struct MappingRow {
    const char* system;
    const char* mapping;
    double lengthUnit; // L0 in m; unused by LightCrossing
    TimeRule rule;
    double physicalMass; // kg, Kinetic rule only
    const char* note;
};

const char* const kEffectiveMassMapping = "effective-mass mapping (m*=0.067 m_e)";
const char* const kRbKineticMapping = "Rb-87 kinetic-unit mapping";
const char* const kDiracVelocityMapping = "effective-Dirac velocity mapping (v_D~10^6 m/s)";

const MappingRow kSemiconductor = {
    "GaAs-like 2DEG / semiconductor nanostructure",
    kEffectiveMassMapping,
    1e-8,
    TimeRule::Kinetic,
    kEffectiveMassGaAs,
    "Representative semiconductor mapping. One 10 nm simulation length unit with m*=0.067 m_e gives a "
    "time unit near 57.9 fs; material and confinement details can change the effective mass."};

const MappingRow kColdAtom = {
    "ultracold Rb-87 atom / trapped matter wave",
    kRbKineticMapping,
    1e-6,
    TimeRule::Kinetic,
    kMassRb87,
    "Representative cold-atom mapping. Trap frequencies, optical geometries and internal-state protocols "
    "set the actual laboratory scale; this mapping is intentionally order-of-magnitude."};

const MappingRow kOpticalLattice = {
    "ultracold Rb-87 atoms in an optical lattice",
    kRbKineticMapping,
    2e-7,
    TimeRule::Kinetic,
    kMassRb87,
    "Chosen so the guided lattice spacing a=2.56 corresponds to about 0.51 um, typical of a lambda/2 "
    "optical lattice. The actual Bloch period is set by the applied force as well as this kinetic scale."};

const MappingRow kBoxTrap = {
    "ultracold Rb-87 matter wave in a finite optical box",
    kRbKineticMapping,
    1e-6,
    TimeRule::Kinetic,
    kMassRb87,
    "Representative box-trap mapping. With L0=1 um, the guided 6.4-unit inner box is about 6.4 um and the "
    "full-revival time is of order 70 ms."};

const MappingRow kBallisticCavity = {
    "GaAs-like ballistic 2DEG in a mesoscopic cavity",
    kEffectiveMassMapping,
    5e-8,
    TimeRule::Kinetic,
    kEffectiveMassGaAs,
    "Representative ballistic-cavity mapping. The 40.96-unit domain is about 2.05 um across; microwave and "
    "acoustic billiards remain useful wave analogues but have different physical time conversions."};

const MappingRow kTalbotGrating = {
    "Rb-87 matter wave behind a near-780 nm periodic grating",
    "Rb-87 atom-optics grating mapping",
    7.6171875e-8, // 390 nm / 5.12
    TimeRule::Kinetic,
    kMassRb87,
    "The guided comb period a=5.12 maps to about 390 nm (lambda/2 near the Rb D-line), giving a "
    "Talbot-time scale of order tens of microseconds. This is a representative atom-optics mapping, not "
    "a specific apparatus reconstruction."};

const MappingRow kNeutronMirror = {
    "ultracold neutron above a reflecting mirror in Earth's gravity",
    "neutron gravitational characteristic-length mapping",
    5.87e-6,
    TimeRule::Kinetic,
    kMassNeutron,
    "Uses the characteristic gravitational-neutron length scale near 5.87 um. VXO deliberately rescales "
    "the linear force for visibility, so the displayed time remains an order-of-magnitude bridge rather "
    "than a precision qBOUNCE timing prediction."};

const MappingRow kTrappedVortex = {
    "trapped Rb-87 matter-wave phase vortex (single-particle analogue)",
    kRbKineticMapping,
    1e-6,
    TimeRule::Kinetic,
    kMassRb87,
    "Representative trapped-matter-wave mapping. VXO evolves one linear two-dimensional wavefunction; it "
    "does not solve the interacting Gross-Pitaevskii equation of a many-body condensate vortex."};

const MappingRow kDisorderedPotential = {
    "ultracold Rb-87 matter wave in a disordered optical potential",
    kRbKineticMapping,
    1e-6,
    TimeRule::Kinetic,
    kMassRb87,
    "Representative cold-atom Anderson-localization mapping. The two-lane continuous model illustrates "
    "coherent localization and is not tied to one speckle correlation length or lattice apparatus."};

const MappingRow kKickedSodium = {
    "ultracold Na atoms in a pulsed 589 nm standing wave",
    "Na-23 kicked-rotor mapping with m_sim=0.10",
    1.43798828125e-8, // 294.5 nm / 20.48
    TimeRule::Kinetic,
    kMassNa23,
    "One full 20.48-unit periodic X domain maps to one 589 nm/2 standing-wave period. Because the guided "
    "rotor uses m_sim=0.10, T0=m_phys L0^2/(m_sim hbar), giving about 0.749 us rather than the m_sim=1 "
    "kinetic time."};

const MappingRow kZenoSodium = {
    "cold Na atoms in an optical tunnelling / watched-escape trap",
    "Na-23 kinetic-unit mapping",
    5e-7,
    TimeRule::Kinetic,
    kMassNa23,
    "Representative sodium-atom mapping inspired by unstable optical-lattice Zeno experiments; measurement "
    "spacing, acceleration and barrier geometry remain apparatus-dependent."};

const MappingRow kRotatedTrap = {
    "ultracold Rb-87 atom in a slowly rotated anisotropic optical trap",
    kRbKineticMapping,
    1e-6,
    TimeRule::Kinetic,
    kMassRb87,
    "Representative coherent adiabatic-trap loop. Actual Berry-phase measurements use apparatus-specific "
    "trap frequencies, loop durations and interferometric readout."};

const MappingRow kTemporalShutter = {
    "cold Rb-87 matter wave manipulated by a temporal shutter",
    kRbKineticMapping,
    1e-6,
    TimeRule::Kinetic,
    kMassRb87,
    "Representative cold-atom matter-wave mapping; temporal-slit experiments choose their own pulse width, "
    "propagation distance and launch velocity."};

const MappingRow kStandingWave = {
    "ultracold Rb-87 atoms diffracted by a near-780 nm standing wave",
    "Rb-87 Kapitza-Dirac lattice mapping",
    9.521484375e-8, // 390 nm / 4.096
    TimeRule::Kinetic,
    kMassRb87,
    "The guided lattice period 4.096 maps to about 390 nm (lambda/2 near the Rb D-line). Pulse duration, "
    "detuning and lattice depth are apparatus-dependent."};

const MappingRow kFluxRegion = {
    "GaAs-like coherent electron wave around a mesoscopic flux region",
    kEffectiveMassMapping,
    5e-8,
    TimeRule::Kinetic,
    kEffectiveMassGaAs,
    "Representative mesoscopic Aharonov-Bohm mapping. A 40.96-unit span corresponds to about 2.05 um, "
    "comparable to micron-scale coherent rings; real devices have material-specific coherence lengths and "
    "contacts."};

const MappingRow kUniformField = {
    "GaAs-like 2DEG in a uniform mesoscopic magnetic field",
    kEffectiveMassMapping,
    5e-8,
    TimeRule::Kinetic,
    kEffectiveMassGaAs,
    "With guided dimensionless b=0.45 and L0=50 nm, the magnetic-field unit gives B about 0.12 T. The "
    "GaAs-like effective mass sets a time unit near 1.45 ps."};

const MappingRow kHallBar = {
    "GaAs-like 2DEG edge channel in a mesoscopic Hall bar",
    kEffectiveMassMapping,
    5e-8,
    TimeRule::Kinetic,
    kEffectiveMassGaAs,
    "Representative edge-channel mapping. VXO follows one coherent wave packet and does not model a filled "
    "Fermi sea, contacts, disorder broadening or material-specific spin/valley structure."};

const MappingRow kFreeElectron = {
    "free electron matter wave (formal nanoscale mapping)",
    "bare-electron Schrodinger mapping",
    1e-8,
    TimeRule::Kinetic,
    kMassElectron,
    "Indicative mapping only. Quantum backflow is a dimensionless free-wave interference phenomenon and is "
    "not tied to one experimental platform."};

// The simulated Compton length hbar/(m c) = 1/restMass is matched to the
// electron's reduced Compton wavelength (386 fm) and the simulated c to the
// speed of light.
const MappingRow kDiracElectron = {
    "free Dirac electron at reduced-Compton scale (formal mapping)",
    "formal vacuum-electron Dirac mapping",
    0.0,
    TimeRule::LightCrossing,
    0.0,
    "Formal mapping only. One simulated Compton length hbar/(m c) is set to the electron's reduced Compton "
    "wavelength (about 386 fm) and the simulated light speed to c, so T0 = L0/c. For a free electron the "
    "trembling has an amplitude of order 193 fm and a period near 4 zs, far beyond direct observation; "
    "it has been seen only in quantum simulators such as trapped ions."};

const MappingRow kGappedDirac = {
    "gapped effective Dirac quasiparticle / graphene-like simulator",
    kDiracVelocityMapping,
    1e-8,
    TimeRule::FixedDirac,
    0.0,
    "Uses an effective Dirac velocity near 10^6 m/s, so one 10 nm length unit maps to about 10 fs. The "
    "nonzero VXO mass is an effective gap parameter, not the vacuum electron rest mass; this is not a "
    "material-specific graphene simulation."};

const MappingRow kMasslessDirac = {
    "graphene-like massless Dirac quasiparticle (effective single-cone mapping)",
    kDiracVelocityMapping,
    1e-8,
    TimeRule::FixedDirac,
    0.0,
    "Uses a representative graphene-like Dirac velocity near 10^6 m/s: one 10 nm length unit corresponds "
    "to about 10 fs. VXO is a two-component single-cone analogue, not a full graphene lattice/valley/spin "
    "simulation."};

const MappingRow& mappingRowFor(std::uint32_t index)
{
    if (index <= 7 || index == 10)
        return kSemiconductor;
    if (index >= 47 && index <= 52)
        return kGappedDirac;
    switch (index) {
    case 27:
        return kOpticalLattice;
    case 28:
        return kBoxTrap;
    case 29:
    case 30:
    case 37:
    case 39:
        return kBallisticCavity;
    case 31:
        return kTalbotGrating;
    case 32:
        return kNeutronMirror;
    case 33:
        return kTrappedVortex;
    case 34:
        return kDisorderedPotential;
    case 35:
        return kKickedSodium;
    case 36:
        return kZenoSodium;
    case 38:
        return kRotatedTrap;
    case 40:
        return kTemporalShutter;
    case 41:
        return kStandingWave;
    case 42:
        return kFluxRegion;
    case 43:
        return kUniformField;
    case 44:
        return kHallBar;
    case 45:
        return kFreeElectron;
    case 46:
        return kDiracElectron;
    case 53:
        return kMasslessDirac;
    default:
        return kColdAtom;
    }
}

// A mass that cannot scale the kinetic term stands for the unit mass.
double usableMass(double mass) { return isFinitePositive(mass) ? mass : 1.0; }

} // namespace

void applyRealWorldScale(std::uint32_t index, ExperimentPreset& preset)
{
    const MappingRow& row = mappingRowFor(index);
    RealWorldScaleMapping& scale = preset.realWorldScale;
    scale.valid = true;
    scale.system = row.system;
    scale.mapping = row.mapping;
    scale.note = row.note;
    switch (row.rule) {
    case TimeRule::Kinetic:
        scale.lengthUnit = row.lengthUnit;
        scale.timeUnit = row.physicalMass * row.lengthUnit * row.lengthUnit / (usableMass(preset.mass) * kHbar);
        break;
    case TimeRule::LightCrossing:
        scale.lengthUnit = usableMass(preset.quantumZitterbewegung.restMass) * kHbar / kElectronMassTimesC;
        scale.timeUnit = scale.lengthUnit / kSpeedOfLight;
        break;
    case TimeRule::FixedDirac:
        scale.lengthUnit = row.lengthUnit;
        scale.timeUnit = 1e-14;
        break;
    }
}

} // namespace vxo
