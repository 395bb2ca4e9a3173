#pragma once

#include <QColor>

// The colours of the plots, grouped by family: frames and texts, axes and
// grids, then the curves and marks of one meaning shared by several plots.
// A family is a struct of named members and one constant of it; a plot
// takes its colours from here and a test reads them from here, so that a
// colour is stated once.
namespace vxo::plot {

// Frames and texts: the ground, frame, titles, placeholders and labels around each kind of plot's data.
// The single-panel plots (cross section, time series, resonance, bound states, histories, populations).
struct SinglePanelColours {
    QRgb background = qRgb(15, 18, 23);
    QRgb frame = qRgb(170, 180, 190);
    QRgb grid = qRgb(78, 86, 96);
    QRgb title = qRgb(210, 215, 222);
    QRgb axisText = qRgb(160, 168, 178);
    QRgb placeholder = qRgb(190, 195, 205);
};
inline constexpr SinglePanelColours kSinglePanel{};

// The two-panel recorder plots: carpets and maps, loop and echo traces (Berry phase, Loschmidt echo), lattices.
struct RecorderColours {
    QRgb background = qRgb(14, 17, 22);
    QRgb latticeBackground = qRgb(13, 17, 23);
    QRgb label = qRgb(215, 224, 234);
    QRgb carpetFrame = qRgb(72, 80, 90);
    QRgb carpetTitle = qRgb(214, 220, 228);
    QRgb carpetPlaceholder = qRgb(220, 228, 238);
    QRgb scarTitle = qRgb(224, 230, 238);
    QRgb traceFrame = qRgb(70, 79, 91);
    QRgb traceTitle = qRgb(226, 232, 240);
    QRgb tracePlaceholder = qRgb(205, 214, 224);
    QRgb traceStatus = qRgb(215, 223, 232);
    QRgb traceAxis = qRgb(202, 211, 221);
    QRgb latticeFrame = qRgb(70, 82, 94);
    QRgb rotorFrame = qRgb(72, 84, 96);
    QRgb latticeText = qRgb(210, 220, 230);
    QRgb andersonText = qRgb(205, 215, 225);
};
inline constexpr RecorderColours kRecorder{};

// The titled pages: Dirac (Klein tunnelling and scans, Zitterbewegung), gauge, diffraction (Kapitza-Dirac, Moshinsky).
struct TitledPageColours {
    QRgb diracBackground = qRgb(9, 13, 19);
    QRgb kleinTitle = qRgb(230, 238, 246);
    QRgb zitterbewegungTitle = qRgb(228, 238, 246);
    QRgb diracPlaceholder = qRgb(145, 162, 178);
    QRgb gaugeBackground = qRgb(10, 14, 20);
    QRgb gaugeTitle = qRgb(225, 235, 244);
    QRgb recorderPlaceholder = qRgb(150, 166, 180);
    QRgb diffractionBackground = qRgb(11, 16, 22);
    QRgb kapitzaDiracTitle = qRgb(224, 234, 242);
    QRgb moshinskyTitle = qRgb(220, 232, 241);
};
inline constexpr TitledPageColours kTitledPage{};

// The panels inside the titled pages: their fill, frames, numbers, captions and summaries.
struct InnerPanelColours {
    QRgb fill = qRgb(5, 9, 15);
    QRgb scanFrame = qRgb(54, 72, 88);
    QRgb stackedFrame = qRgb(55, 72, 88);
    QRgb scanNumbers = qRgb(170, 184, 197);
    QRgb scanLegend = qRgb(188, 202, 214);
    QRgb scanSummary = qRgb(235, 240, 245);
    QRgb stackedSummary = qRgb(232, 238, 244);
    QRgb gaugeCaption = qRgb(180, 198, 212);
    QRgb zitterbewegungCaption = qRgb(185, 201, 214);
    QRgb diffractionFill = qRgb(6, 11, 16);
    QRgb kapitzaDiracFrame = qRgb(62, 77, 90);
    QRgb moshinskyFrame = qRgb(60, 76, 90);
    QRgb diffractionTexts = qRgb(180, 197, 210);
    QRgb diffractionSummary = qRgb(225, 235, 242);
    QRgb kapitzaDiracOrders = qRgb(205, 220, 231);
};
inline constexpr InnerPanelColours kInnerPanel{};

// Axes and grids: zero lines, grids, strips and time markers drawn beneath the curves.
struct AxisColours {
    QRgb zeroLine = qRgb(125, 130, 138);
    QRgb historyGrid = qRgb(75, 84, 94);
    QRgb stripFrame = qRgb(80, 88, 98);
    QRgb stripMidline = qRgb(105, 115, 125);
    QRgb scanGrid = qRgb(77, 94, 109);
    QRgb blochMarks = qRgb(120, 125, 135);
    QRgb blochZero = qRgb(145, 150, 160);
    QRgb backflowZero = qRgb(90, 105, 120);
    QRgb hallEdgeDriftZero = qRgb(70, 90, 108);
    QRgb landauAxes = qRgb(66, 86, 103);
    QRgb zitterbewegungZero = qRgb(95, 110, 125);
    QRgb berryAxes = qRgb(66, 73, 82);
    QRgb berryZero = qRgb(60, 67, 76);
    QRgb berryGuide = qRgb(115, 126, 140);
    QRgb loschmidtQuarters = qRgb(65, 72, 82);
    QRgb vortexCrosshair = qRgb(90, 98, 110);
    QRgb scarUnity = qRgb(70, 76, 84);
    QRgb carpetTimeMarker = qRgb(120, 130, 145);
    QRgb curveTimeMarker = qRgb(160, 166, 176);
};
inline constexpr AxisColours kAxes{};

// Measured curves: the leading curve of each kind of plot and the quantity drawn beside it.
struct CurveColours {
    QRgb leading = qRgb(100, 220, 255);
    QRgb energy = qRgb(255, 170, 105);
    QRgb crossSection = qRgb(255, 200, 70);
    QRgb carpet = qRgb(80, 220, 255);
    QRgb carpetFidelity = qRgb(255, 205, 92);
    QRgb traceFidelity = qRgb(79, 220, 255);
    QRgb tracePhase = qRgb(255, 190, 79);
};
inline constexpr CurveColours kCurves{};

// References and markers: the current value, fixed references and walls a plot marks over its curves.
struct MarkerColours {
    QRgb quench = qRgb(255, 220, 100);
    QRgb resonance = qRgb(255, 180, 70);
    QRgb scanCurrent = qRgb(255, 205, 95);
    QRgb scanPacket = qRgb(255, 126, 126);
    QRgb driveRest = qRgb(125, 132, 142);
    QRgb driveTrap = qRgb(175, 125, 255);
    QRgb berryCurrent = qRgb(255, 214, 91);
    QRgb loschmidtStart = qRgb(103, 232, 153);
    QRgb loschmidtTurn = qRgb(236, 112, 255);
    QRgb loschmidtCurrent = qRgb(244, 247, 251);
    QRgb wall = qRgb(235, 238, 242);
};
inline constexpr MarkerColours kMarkers{};

// Two-level and Bloch: the populations, their predictions and the interference fringes.
// The populations of the two-level sweeps, Rabi, double-well and Bloch plots, and the fringe scans.
struct TwoLevelColours {
    QRgb first = qRgb(105, 220, 255);
    QRgb second = qRgb(255, 165, 100);
    QRgb rabiFirst = qRgb(95, 220, 255);
    QRgb secondPopulation = qRgb(255, 185, 95);
    QRgb sweepLeft = qRgb(120, 235, 150);
    QRgb sweepRight = qRgb(225, 135, 245);
    QRgb captured = qRgb(185, 190, 200);
    QRgb blochMomentum = qRgb(255, 190, 90);
    QRgb fringe = qRgb(240, 215, 105);
    QRgb fringeCurrent = qRgb(245, 235, 150);
    QRgb fringePlaceholder = qRgb(170, 178, 188);
};
inline constexpr TwoLevelColours kTwoLevel{};

// The predicted populations drawn faint beneath the measured ones, and the time each marks.
struct TwoLevelPredictionColours {
    QRgb rabiFirst = qRgba(105, 205, 240, 120);
    QRgb rabiSecond = qRgba(255, 175, 105, 120);
    QRgb rabiPiPulse = qRgb(175, 180, 190);
    QRgb wellLeft = qRgba(100, 190, 225, 125);
    QRgb wellRight = qRgba(255, 180, 105, 125);
    QRgb wellHalf = qRgb(170, 175, 185);
};
inline constexpr TwoLevelPredictionColours kPredictions{};

// Overlays: the translucent guides and shaded regions laid over the data.
// Guides at crossings, pulses, fronts and levels; the windows of the transmission scans; shaded regions.
struct OverlayColours {
    QRgb crossingGuide = qRgba(220, 220, 230, 140);
    QRgb pulseGuide = qRgba(220, 220, 230, 130);
    QRgb zenerCrossing = qRgba(210, 210, 220, 120);
    QRgb echoPulse = qRgba(210, 160, 255, 150);
    QRgb kapitzaDiracGuide = qRgba(255, 205, 78, 180);
    QRgb moshinskyFront = qRgba(240, 240, 240, 140);
    QRgb moshinskyTimeGuide = qRgba(240, 240, 240, 110);
    QRgb bouncerLevel = qRgba(255, 220, 105, 150);
    QRgb scanPositiveBand = qRgba(40, 85, 60, 45);
    QRgb scanEvanescentBand = qRgba(120, 85, 35, 55);
    QRgb scanKleinBand = qRgba(45, 70, 120, 45);
    QRgb scanChiralityBand = qRgba(45, 80, 110, 42);
    QRgb backflowShade = qRgba(220, 70, 95, 40);
    QRgb hallEdgeShade = qRgba(80, 35, 35, 100);
    QRgb billiardScatterer = qRgba(15, 18, 22, 230);
};
inline constexpr OverlayColours kOverlays{};

// Scattering and bound states: a packet's transmission, the potential, its levels and eigenfunction.
struct StationaryColours {
    QRgb packetTransmission = qRgb(255, 100, 130);
    QRgb packetTransmissionLabel = qRgb(255, 150, 165);
    QRgb potential = qRgb(185, 190, 198);
    QRgb continuum = qRgb(130, 140, 150);
    QRgb continuumLabel = qRgb(145, 152, 162);
    QRgb level = qRgb(82, 190, 235);
    QRgb selectedLevel = qRgb(255, 184, 70);
    QRgb levelLabel = qRgb(130, 205, 235);
    QRgb selectedLevelLabel = qRgb(255, 205, 115);
    QRgb eigenfunction = qRgb(255, 220, 120);
    QRgb node = qRgb(255, 115, 125);
};
inline constexpr StationaryColours kStationary{};

// Lattices: the clean, quantum or watched curve (cyan) and the disordered, classical or control one beside it.
struct LatticeColours {
    QRgb curve = qRgb(80, 220, 235);
    QRgb disordered = qRgb(240, 95, 190);
    QRgb classical = qRgb(245, 166, 70);
    QRgb control = qRgb(245, 170, 70);
    QRgb edge = qRgb(235, 90, 105);
};
inline constexpr LatticeColours kLattice{};

// Gauge and orbits: the trajectories, walls, circles and loops of the magnetic and geometric-phase plots.
struct GaugeColours {
    QRgb trajectory = qRgb(90, 225, 255);
    QRgb highlight = qRgb(255, 209, 102);
    QRgb secondTrace = qRgb(120, 235, 160);
    QRgb hallEdgeWall = qRgb(255, 120, 120);
    QRgb landauCircle = qRgb(110, 125, 142);
    QRgb landauLevel = qRgb(255, 130, 130);
    QRgb berryLoop = qRgb(83, 214, 255);
    QRgb berryDegeneracy = qRgb(255, 92, 105);
    QRgb berryDegeneracyLabel = qRgb(255, 134, 143);
};
inline constexpr GaugeColours kGauge{};

// Dirac: the massive control beside a massless curve, the Klein side and the trembling motion.
struct DiracColours {
    QRgb massiveCurve = qRgb(220, 130, 255);
    QRgb kleinLeft = qRgb(255, 120, 120);
    QRgb zitterbewegungMean = qRgb(92, 214, 255);
    QRgb trembling = qRgb(255, 203, 92);
    QRgb velocity = qRgb(130, 235, 165);
    QRgb drift = qRgb(190, 145, 255);
};
inline constexpr DiracColours kDirac{};

// Maps and carpets: the fractions, shells, orbits and classical paths drawn over a carpet or a map.
struct MapColours {
    QRgb talbotWhole = qRgb(245, 225, 120);
    QRgb talbotHalf = qRgb(220, 120, 245);
    QRgb talbotQuarter = qRgb(120, 145, 165);
    QRgb talbotShifted = qRgb(235, 115, 255);
    QRgb billiardShell = qRgb(255, 112, 160);
    QRgb bouncerClassical = qRgb(255, 170, 80);
    QRgb vortexClassical = qRgb(255, 168, 76);
    QRgb vortexMomentum = qRgb(144, 238, 144);
    QRgb scarOutside = qRgb(12, 14, 18);
    QRgb scarInstantaneous = qRgb(255, 112, 180);
    QRgb stadium = qRgb(238, 242, 246);
    QRgb scarOrbit = qRgb(255, 220, 92);
    QRgb scarOrbitLabel = qRgb(255, 226, 120);
};
inline constexpr MapColours kMaps{};

// Diffraction: the Kapitza-Dirac orders and the Moshinsky shutter, detector and density.
struct DiffractionColours {
    QRgb kapitzaDiracBars = qRgb(83, 211, 238);
    QRgb moshinskyShutter = qRgb(255, 198, 73);
    QRgb moshinskyDetector = qRgb(255, 110, 110);
    QRgb moshinskyCurve = qRgb(98, 220, 255);
};
inline constexpr DiffractionColours kDiffraction{};

// A palette colour drawn with the given opacity (0 to 255).
inline QColor translucent(QRgb colour, int alpha)
{
    QColor c(colour);
    c.setAlpha(alpha);
    return c;
}

} // namespace vxo::plot
