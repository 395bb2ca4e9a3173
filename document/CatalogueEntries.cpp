#include "document/CatalogueEntries.h"

namespace vxo {

namespace {

// The page comment names the analysis tab of the form that the page shows.
const CatalogueEntry kEntries[kCatalogueSize] = {
    {"free_wave_packet", "Free Wave Packet", "Observe free propagation and dispersion without an external potential.",
     0}, // timeSeriesTab
    {"barrier_scattering", "Barrier Scattering (E > V0)",
     "A finite barrier below the longitudinal kinetic energy: reflection and transmission coexist.",
     0}, // timeSeriesTab
    {"quantum_tunneling", "Quantum Tunneling (E < V0)",
     "The packet meets a barrier higher than its central longitudinal kinetic energy.", 0}, // timeSeriesTab
    {"single_slit", "Single Slit Diffraction",
     "A broad packet crosses one narrow aperture and develops a diffraction pattern.", 0}, // timeSeriesTab
    {"double_slit", "Double Slit Interference",
     "Two coherent paths recombine and generate a spatial interference pattern.", 0}, // timeSeriesTab
    {"circular_obstacle", "Circular Obstacle Scattering",
     "A compact obstacle splits the probability flow and produces near-field interference.", 0}, // timeSeriesTab
    {"wedge_diffraction", "Wedge Diffraction",
     "An asymmetric triangular obstacle creates edge diffraction and a strongly structured flow.", 0}, // timeSeriesTab
    {"resonant_tunneling", "Resonant Tunneling (Double Barrier)",
     "Two individually tunneling barriers can become almost transparent when the central cavity is resonant.",
     1}, // resonanceTab
    {"harmonic_trap", "Harmonic Trap (Coherent Motion)",
     "A displaced Gaussian oscillates in a smooth parabolic trap: confinement without walls.", 0}, // timeSeriesTab
    {"gaussian_well", "Gaussian Well (Breathing State)",
     "A smooth attractive well traps a non-eigenstate packet, producing bound breathing dynamics.", 0}, // timeSeriesTab
    {"finite_quantum_well", "Finite Quantum Well (Bound States)",
     "A finite 1D well extended along Y exposes stationary eigenstates, nodes and coherent beating.",
     2}, // boundStatesTab
    {"measurement_collapse", "Measurement Collapse (Single System)",
     "A finite-resolution position measurement changes psi, localizes the state and broadens momentum before evolution resumes.",
     0}, // timeSeriesTab
    {"coherent_double_well", "Coherent Tunneling (Double Well)",
     "A state localized in one well tunnels coherently to the other and returns, even though its energy lies below the central barrier.",
     3}, // doubleWellTab
    {"quantum_quench", "Quantum Quench (Trap Stiffness)",
     "A harmonic ground state is left untouched while the trap suddenly becomes four times stiffer; stationarity instantly turns into breathing.",
     4}, // quenchTab
    {"driven_harmonic_off_resonance", "Driven Harmonic Trap (Off Resonance)",
     "The same harmonic trap is driven away from its natural frequency; the response stays bounded instead of accumulating resonantly.",
     5}, // periodicDriveTab
    {"driven_harmonic_resonance", "Driven Harmonic Trap (Resonance)",
     "The trap centre is driven at its natural frequency, so coherent motion and absorbed energy grow cycle after cycle.",
     5}, // periodicDriveTab
    {"driven_double_well_off_resonance", "Driven Double Well (Off Resonance)",
     "The same driven double well is detuned from the lowest transition, so population transfer remains incomplete.",
     6}, // rabiTab
    {"driven_double_well_rabi", "Driven Double Well (Rabi Resonance)",
     "An oscillating left/right bias is tuned to the lowest double-well level splitting, producing near-complete Rabi population transfer.",
     6}, // rabiTab
    {"landau_zener_nonadiabatic", "Landau-Zener Sweep (Fast / Diabatic)",
     "The same double well and bias span are swept much faster, leaving a large diabatic component on the original side.",
     7}, // landauZenerTab
    {"landau_zener_adiabatic", "Landau-Zener Sweep (Adiabatic)",
     "A slow linear left/right bias sweep carries the ground state through an avoided crossing and transfers it adiabatically to the opposite well.",
     7}, // landauZenerTab
    {"stueckelberg_constructive", "Landau-Zener-Stueckelberg (Constructive)",
     "Two fast passages through the same avoided crossing recombine constructively after a controlled turnaround hold.",
     8}, // stueckelbergTab
    {"stueckelberg_destructive", "Landau-Zener-Stueckelberg (Destructive)",
     "Two fast passages through the same avoided crossing recombine with a phase that suppresses return to the initial adiabatic branch.",
     8}, // stueckelbergTab
    {"ramsey_transfer", "Ramsey Interferometry (Transfer Fringe)",
     "Two pi/2-like pulses convert the phase accumulated during free evolution into near-complete population transfer to the second bound state.",
     9}, // ramseyTab
    {"ramsey_fringe", "Ramsey Interferometry (Return Fringe)",
     "The same two pulses and double well, with a different free-evolution time, recombine the phase back into the initial bound state.",
     9}, // ramseyTab
    {"hahn_echo", "Hahn Echo (Phase Refocusing)",
     "A central pi pulse refocuses the relative phase accumulated during two free-evolution halves, converting a Ramsey transfer into near-complete return.",
     9}, // ramseyTab
    {"ramsey_ensemble", "Ramsey Ensemble (Inhomogeneous Broadening)",
     "A Gaussian distribution of static transition-frequency offsets dephases the ensemble average and washes out the single-system Ramsey fringe.",
     9}, // ramseyTab
    {"hahn_echo_ensemble", "Hahn Echo Ensemble (Static Detuning Refocusing)",
     "The same Gaussian distribution of static transition-frequency offsets that washes out Ramsey fringes is largely refocused by the midpoint pi pulse.",
     9}, // ramseyTab
    {"bloch_oscillations", "Bloch Oscillations (Periodic Lattice)",
     "A broad wave packet in a periodic lattice reverses its motion under a constant force instead of accelerating indefinitely.",
     10}, // blochTab
    {"wavepacket_revivals", "Wave-Packet Revivals (Quantum Carpet)",
     "A localized packet ricochets inside a finite 2D quantum box, spreads into interference structure, forms fractional revivals and nearly reconstructs itself.",
     11}, // revivalsTab
    {"rectangular_billiard", "Rectangular Billiard (Integrable Control)",
     "A localized packet ricochets in the same large finite box used by the Sinai experiment but without the central scatterer.",
     12}, // billiardsTab
    {"sinai_billiard", "Sinai Billiard (Quantum Signatures of Chaos)",
     "A localized packet repeatedly scatters from a central hard disk inside a finite box, rapidly fragmenting into complex coherent interference.",
     12}, // billiardsTab
    {"quantum_talbot", "Quantum Talbot Effect (Self-Imaging Comb)",
     "A periodic transverse matter-wave comb splits into fractional images, reappears shifted by half a period, and reconstructs after one Talbot time.",
     13}, // talbotTab
    {"quantum_bouncer", "Quantum Bouncer (Airy Dynamics)",
     "A wave packet falls in a linear potential, reflects from a quantum floor, and develops interference governed by the Airy-state length scale.",
     14}, // bouncerTab
    {"quantum_vortex", "Quantum Vortex (Precessing Phase Singularity)",
     "An off-axis phase singularity precesses in an isotropic harmonic trap while probability current circulates around the moving core.",
     15}, // vortexTab
    {"anderson_localization", "Anderson Localization (Clean vs Disorder)",
     "Two simultaneous lattice lanes start identically: the clean row spreads by tunnelling while random on-site energies suppress transport and localize the lower matter wave.",
     16}, // andersonTab
    {"kicked_rotor", "Quantum Kicked Rotor / Dynamical Localization",
     "Periodic delta-like kicks first drive chaotic momentum diffusion, then quantum interference arrests the growth and localizes the momentum distribution.",
     17}, // kickedRotorTab
    {"quantum_zeno", "Quantum Zeno Effect / Watched Escape",
     "Two identical metastable wave packets escape through the same barrier; repeated survival measurements in the lower lane strongly suppress the watched decay.",
     18}, // zenoTab
    {"quantum_scars", "Quantum Scars / Chaotic Stadium Billiard",
     "A wave packet follows an unstable axial orbit of a Bunimovich stadium; finite-time spectral filtering reveals eigenstate weight concentrated along that classical periodic orbit.",
     19}, // scarsTab
    {"berry_phase", "Berry Phase / Geometric Phase",
     "A slowly rotating quadrupole deformation carries the first excited harmonic-oscillator doublet around its degeneracy: the density returns, while the full wavefunction acquires a geometric phase approaching pi.",
     20}, // berryTab
    {"loschmidt_echo", "Loschmidt Echo / Quantum Time Reversal",
     "A wave packet becomes a complicated interference pattern in a Sinai cavity; complex conjugation reverses all momenta and makes the full 2D dynamics reconstruct the initial state.",
     21}, // loschmidtTab
    {"moshinsky_shutter", "Moshinsky Shutter / Diffraction in Time",
     "A matter wave truncated by a shutter is suddenly released. At a fixed downstream point the probability density develops Fresnel-like oscillations in time.",
     22}, // moshinskyTab
    {"kapitza_dirac", "Kapitza-Dirac Diffraction / Optical Standing Wave",
     "A short standing-wave light pulse acts as a phase grating for matter waves and creates discrete, symmetric momentum orders that later separate into a real-space fan.",
     23}, // kapitzaDiracTab
    {"aharonov_bohm", "Aharonov-Bohm Effect / Magnetic Flux",
     "A coherent electron-like matter wave splits around an inaccessible magnetic flux tube: B is confined inside the obstacle, yet the vector potential shifts the recombined interference fringes by qPhi/hbar.",
     24}, // aharonovBohmTab
    {"landau_cyclotron", "Landau Levels / Cyclotron Dynamics",
     "A charged matter wave moves in a uniform magnetic field: a localized packet executes a cyclotron orbit, while radial Landau states remain stationary with quantized energies (n+1/2) hbar omega_c.",
     25}, // landauTab
    {"quantum_hall_edge", "Quantum Hall Edge State / Chiral Skipping Orbit",
     "A charged quantum wavepacket in uniform B is confined by a hard edge. Bulk cyclotron motion becomes a chiral skipping trajectory that transports probability along the boundary; reversing B reverses the edge direction.",
     26}, // hallEdgeTab
    {"quantum_backflow", "Quantum Backflow / Positive Momentum, Negative Current",
     "A free matter wave is built entirely from positive x-momentum components, yet interference makes the local probability current cross a fixed detector in the negative direction for a finite interval.",
     27}, // backflowTab
    {"zitterbewegung", "Zitterbewegung / Free Dirac Wave Packet",
     "A free two-component Dirac packet trembles even without an external force when positive- and negative-energy branches interfere. Switch to the positive-energy control and the trembling collapses.",
     28}, // zitterTab
    {"klein_tunneling", "Klein Tunneling / Supercritical Dirac Barrier",
     "A positive-energy Dirac packet crosses a scalar barrier higher than its incident energy; normal incidence can remain strikingly transparent in the Klein zone.",
     29}, // kleinTab
    {"klein_regime_map", "Klein Barrier Regime Map / Subcritical to Supercritical",
     "Sweep the barrier from ordinary positive-branch transmission through the evanescent gap and into the supercritical Klein regime while keeping the same Dirac packet.",
     29}, // kleinTab
    {"klein_angular_dependence", "Klein Angular Dependence / Oblique Incidence",
     "Compare the supercritical Klein barrier at the same incident momentum magnitude but at 35 degrees: oblique incidence suppresses the striking near-normal transparency without changing the incident energy scale.",
     29}, // kleinTab
    {"klein_transmission_angle_scan", "Klein Transmission vs Incidence Angle / T(theta)",
     "A quantitative angular map: the stationary Dirac square-barrier reference T(theta) is scanned at fixed |p| and compared with the evolving finite 2D wave packet at the selected angle.",
     30}, // kleinAngleScanTab
    {"klein_transmission_height_scan", "Klein Transmission vs Barrier Height / T(V0)",
     "A quantitative barrier-height map: T(V0) crosses ordinary positive-branch propagation, the evanescent gap, and the supercritical Klein regime at fixed incident energy and angle.",
     31}, // kleinHeightScanTab
    {"klein_mass_dependence", "Klein Transmission vs Mass / Massless Limit",
     "At fixed total incident energy, reduce the Dirac rest mass and watch the gap 2mc^2 close: normal-incidence transmission approaches unity in the massless limit, then collapses when increasing mass drives the barrier interior from supercritical propagation into the evanescent gap.",
     32}, // kleinMassScanTab
    {"massless_dirac_graphene", "Massless Dirac / Graphene-like Klein Analogue",
     "Set the Dirac mass exactly to zero and compare its angular Klein transmission with a massive control at the same total energy. Normal incidence becomes perfectly transparent in the stationary massless reference: the signature of pseudospin/chirality locking behind the graphene analogy.",
     33}, // diracMasslessTab
};

} // namespace

const CatalogueEntry* catalogueEntry(std::uint32_t index)
{
    return index < kCatalogueSize ? &kEntries[index] : nullptr;
}

} // namespace vxo
