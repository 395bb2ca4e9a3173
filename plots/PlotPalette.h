#pragma once

#include <QColor>

// The colours of the plots by role: backgrounds, frames, grids, texts, the
// curve families, references and markers. A plot takes its colours from here
// and a test reads them from here, so that a colour is stated once.
namespace vxo::plot {

// Colours of the single-panel plots (cross section, time series, resonance,
// history and population plots).
constexpr QRgb kBackground = qRgb(15, 18, 23);
constexpr QRgb kGrid = qRgb(78, 86, 96);
constexpr QRgb kFrame = qRgb(170, 180, 190);
constexpr QRgb kPlaceholder = qRgb(190, 195, 205);
constexpr QRgb kTitle = qRgb(210, 215, 222);
constexpr QRgb kAxisText = qRgb(160, 168, 178);
constexpr QRgb kZeroLine = qRgb(125, 130, 138);

// Colours of the recorder plots. The background of the two-panel plots
// (revival, billiard, Talbot, bouncer, vortex, scar, Berry phase, Loschmidt
// echo) and of the lattice plots (Anderson, kicked rotor, Zeno):
constexpr QRgb kRecorderBackground = qRgb(14, 17, 22);
constexpr QRgb kLatticeBackground = qRgb(13, 17, 23);
// the carpet and map plots (revival, billiard, Talbot, bouncer, vortex; the
// scar plot shares their frame and label colours):
constexpr QRgb kCarpetFrame = qRgb(72, 80, 90);
constexpr QRgb kCarpetTitle = qRgb(214, 220, 228);
constexpr QRgb kCarpetPlaceholder = qRgb(220, 228, 238);
constexpr QRgb kCarpetLabel = qRgb(215, 224, 234);
// the loop and echo plots (Berry phase, Loschmidt echo):
constexpr QRgb kTraceFrame = qRgb(70, 79, 91);
constexpr QRgb kTraceTitle = qRgb(226, 232, 240);
constexpr QRgb kTracePlaceholder = qRgb(205, 214, 224);
constexpr QRgb kTraceStatus = qRgb(215, 223, 232);
constexpr QRgb kTraceAxis = qRgb(202, 211, 221);

// Colours of the transmission scans: the panel, its frame and grid, the
// numbers, the scanned curve (cyan) and the massive control beside a
// massless curve (violet), the current value and its thresholds (yellow),
// the packet's marker (red), the legend and the summary.
constexpr QRgb kScanPanel = qRgb(5, 9, 15);
constexpr QRgb kScanPanelFrame = qRgb(54, 72, 88);
constexpr QRgb kScanGrid = qRgb(77, 94, 109);
constexpr QRgb kScanNumbers = qRgb(170, 184, 197);
constexpr QRgb kScanCurve = qRgb(100, 220, 255);
constexpr QRgb kScanMassiveCurve = qRgb(220, 130, 255);
constexpr QRgb kScanCurrent = qRgb(255, 205, 95);
constexpr QRgb kScanPacket = qRgb(255, 126, 126);
constexpr QRgb kScanLegend = qRgb(188, 202, 214);
constexpr QRgb kScanSummary = qRgb(235, 240, 245);

// Curves of the single-panel plots: the leading curve (cyan) and its
// partner (orange) in the time series, the drive, quench, resonance and Bloch
// plots; the second population of the Rabi and double-well plots.
constexpr QRgb kCurve = qRgb(100, 220, 255);
constexpr QRgb kEnergyCurve = qRgb(255, 170, 105);
constexpr QRgb kSecondPopulation = qRgb(255, 185, 95);
constexpr QRgb kCrossSectionCurve = qRgb(255, 200, 70);
constexpr QRgb kQuenchMarker = qRgb(255, 220, 100);

// The two-level sweeps, interference and fringe plots: the lower and upper
// level, the left and right well of the sweep, the captured sum (dotted), the
// history grid, the protocol strip, the scanned fringe and its current
// point, the guides at the crossing and at the pulses, and the fringe
// scan's placeholder.
constexpr QRgb kTwoLevelFirst = qRgb(105, 220, 255);
constexpr QRgb kTwoLevelSecond = qRgb(255, 165, 100);
constexpr QRgb kSweepLeft = qRgb(120, 235, 150);
constexpr QRgb kSweepRight = qRgb(225, 135, 245);
constexpr QRgb kCapturedCurve = qRgb(185, 190, 200);
constexpr QRgb kHistoryGrid = qRgb(75, 84, 94);
constexpr QRgb kStripFrame = qRgb(80, 88, 98);
constexpr QRgb kStripMidline = qRgb(105, 115, 125);
constexpr QRgb kFringeCurve = qRgb(240, 215, 105);
constexpr QRgb kFringeCurrent = qRgb(245, 235, 150);
constexpr QRgb kCrossingGuide = qRgba(220, 220, 230, 140);
constexpr QRgb kPulseGuide = qRgba(220, 220, 230, 130);
constexpr QRgb kZenerCrossing = qRgba(210, 210, 220, 120);
constexpr QRgb kEchoPulse = qRgba(210, 160, 255, 150);
constexpr QRgb kFringePlaceholder = qRgb(170, 178, 188);
constexpr QRgb kRabiFirst = qRgb(95, 220, 255);
constexpr QRgb kRabiFirstPrediction = qRgba(105, 205, 240, 120);
constexpr QRgb kRabiSecondPrediction = qRgba(255, 175, 105, 120);
constexpr QRgb kRabiPiPulse = qRgb(175, 180, 190);
constexpr QRgb kWellLeftExchange = qRgba(100, 190, 225, 125);
constexpr QRgb kWellRightExchange = qRgba(255, 180, 105, 125);
constexpr QRgb kWellHalf = qRgb(170, 175, 185);

// The drive, Bloch and resonance references: the trap at rest and the moving
// trap centre, the Bloch band marks, zero line and momentum, the packet's
// transmission line and its label, the resonance marker.
constexpr QRgb kDriveRest = qRgb(125, 132, 142);
constexpr QRgb kDriveTrap = qRgb(175, 125, 255);
constexpr QRgb kBlochMarks = qRgb(120, 125, 135);
constexpr QRgb kBlochZero = qRgb(145, 150, 160);
constexpr QRgb kBlochMomentum = qRgb(255, 190, 90);
constexpr QRgb kPacketTransmission = qRgb(255, 100, 130);
constexpr QRgb kPacketTransmissionLabel = qRgb(255, 150, 165);
constexpr QRgb kResonanceMarker = qRgb(255, 180, 70);

// The bound-state plot: the potential, the continuum threshold and its
// label, the levels and their labels (the selected one in amber), the
// selected eigenfunction and its nodes.
constexpr QRgb kPotential = qRgb(185, 190, 198);
constexpr QRgb kContinuum = qRgb(130, 140, 150);
constexpr QRgb kContinuumLabel = qRgb(145, 152, 162);
constexpr QRgb kLevel = qRgb(82, 190, 235);
constexpr QRgb kSelectedLevel = qRgb(255, 184, 70);
constexpr QRgb kLevelLabel = qRgb(130, 205, 235);
constexpr QRgb kSelectedLevelLabel = qRgb(255, 205, 115);
constexpr QRgb kEigenfunction = qRgb(255, 220, 120);
constexpr QRgb kNode = qRgb(255, 115, 125);

// The titled pages: the background, title and placeholder of the Dirac
// pages (Klein tunnelling and scans, Zitterbewegung), of the gauge recorder
// pages and of the diffraction pages (Kapitza-Dirac, Moshinsky), whose
// placeholders share the gauge pages' grey.
constexpr QRgb kDiracPageBackground = qRgb(9, 13, 19);
constexpr QRgb kKleinPageTitle = qRgb(230, 238, 246);
constexpr QRgb kZitterPageTitle = qRgb(228, 238, 246);
constexpr QRgb kDiracPagePlaceholder = qRgb(145, 162, 178);
constexpr QRgb kGaugePageBackground = qRgb(10, 14, 20);
constexpr QRgb kGaugePageTitle = qRgb(225, 235, 244);
constexpr QRgb kRecorderPagePlaceholder = qRgb(150, 166, 180);
constexpr QRgb kDiffractionPageBackground = qRgb(11, 16, 22);
constexpr QRgb kKapitzaDiracPageTitle = qRgb(224, 234, 242);
constexpr QRgb kMoshinskyPageTitle = qRgb(220, 232, 241);

// The stacked gauge and flux panels (Aharonov-Bohm, backflow, Hall edge,
// Landau): the panel and its frame, the trajectory (cyan), the highlighted
// trace and the current position (gold), the second trace (green), the
// panel captions and the summary.
constexpr QRgb kStackedPanel = qRgb(5, 9, 15);
constexpr QRgb kStackedFrame = qRgb(55, 72, 88);
constexpr QRgb kGaugeTrajectory = qRgb(90, 225, 255);
constexpr QRgb kGaugeHighlight = qRgb(255, 209, 102);
constexpr QRgb kGaugeSecondTrace = qRgb(120, 235, 160);
constexpr QRgb kGaugeCaption = qRgb(180, 198, 212);
constexpr QRgb kStackedSummary = qRgb(232, 238, 244);
constexpr QRgb kBackflowZero = qRgb(90, 105, 120);
constexpr QRgb kBackflowShade = qRgba(220, 70, 95, 40);
constexpr QRgb kHallEdgeWall = qRgb(255, 120, 120);
constexpr QRgb kHallEdgeShade = qRgba(80, 35, 35, 100);
constexpr QRgb kHallEdgeDriftZero = qRgb(70, 90, 108);
constexpr QRgb kLandauAxes = qRgb(66, 86, 103);
constexpr QRgb kLandauCircle = qRgb(110, 125, 142);
constexpr QRgb kLandauLevel = qRgb(255, 130, 130);
constexpr QRgb kZitterMean = qRgb(92, 214, 255);
constexpr QRgb kZitterTrembling = qRgb(255, 203, 92);
constexpr QRgb kZitterZero = qRgb(95, 110, 125);
constexpr QRgb kZitterVelocity = qRgb(130, 235, 165);
constexpr QRgb kZitterDrift = qRgb(190, 145, 255);
constexpr QRgb kZitterCaption = qRgb(185, 201, 214);

// The carpet plots (revival, billiard, Talbot, bouncer, vortex, scar): the
// measured curve (cyan), the fidelity (gold), the walls and floors, the time
// markers on the carpet and on the curve; the Talbot fractions, the
// billiard's scatterer and shell, the bouncer's levels and classical
// bounce, the vortex crosshair, classical core and momentum, the scar's
// stadium, orbit and unit line.
constexpr QRgb kCarpetCurve = qRgb(80, 220, 255);
constexpr QRgb kCarpetFidelity = qRgb(255, 205, 92);
constexpr QRgb kCarpetWall = qRgb(235, 238, 242);
constexpr QRgb kCarpetTimeMarker = qRgb(120, 130, 145);
constexpr QRgb kCurveTimeMarker = qRgb(160, 166, 176);
constexpr QRgb kTalbotWhole = qRgb(245, 225, 120);
constexpr QRgb kTalbotHalf = qRgb(220, 120, 245);
constexpr QRgb kTalbotQuarter = qRgb(120, 145, 165);
constexpr QRgb kTalbotShifted = qRgb(235, 115, 255);
constexpr QRgb kBilliardScatterer = qRgba(15, 18, 22, 230);
constexpr QRgb kBilliardShell = qRgb(255, 112, 160);
constexpr QRgb kBouncerLevel = qRgba(255, 220, 105, 150);
constexpr QRgb kBouncerClassical = qRgb(255, 170, 80);
constexpr QRgb kVortexCrosshair = qRgb(90, 98, 110);
constexpr QRgb kVortexClassical = qRgb(255, 168, 76);
constexpr QRgb kVortexMomentum = qRgb(144, 238, 144);
constexpr QRgb kScarTitle = qRgb(224, 230, 238);
constexpr QRgb kScarOutside = qRgb(12, 14, 18);
constexpr QRgb kScarInstantaneous = qRgb(255, 112, 180);
constexpr QRgb kStadium = qRgb(238, 242, 246);
constexpr QRgb kScarOrbit = qRgb(255, 220, 92);
constexpr QRgb kScarOrbitLabel = qRgb(255, 226, 120);
constexpr QRgb kScarUnity = qRgb(70, 76, 84);
constexpr QRgb kScarUnityLabel = qRgb(166, 174, 184);

// The loop and echo plots (Berry phase, Loschmidt echo): the fidelity and
// the outbound leg (cyan), the phase and the return leg (gold), the current
// point, the axes, the loop guide, the degeneracy and its label, the zero
// line; the echo's start, turning point, current centroid and quarter
// lines.
constexpr QRgb kTraceFidelity = qRgb(79, 220, 255);
constexpr QRgb kTracePhase = qRgb(255, 190, 79);
constexpr QRgb kBerryCurrent = qRgb(255, 214, 91);
constexpr QRgb kBerryAxes = qRgb(66, 73, 82);
constexpr QRgb kBerryGuide = qRgb(115, 126, 140);
constexpr QRgb kBerryLoop = qRgb(83, 214, 255);
constexpr QRgb kBerryDegeneracy = qRgb(255, 92, 105);
constexpr QRgb kBerryDegeneracyLabel = qRgb(255, 134, 143);
constexpr QRgb kBerryZero = qRgb(60, 67, 76);
constexpr QRgb kLoschmidtTurn = qRgb(236, 112, 255);
constexpr QRgb kLoschmidtStart = qRgb(103, 232, 153);
constexpr QRgb kLoschmidtCurrent = qRgb(244, 247, 251);
constexpr QRgb kLoschmidtQuarters = qRgb(65, 72, 82);

// The lattice plots (Anderson, kicked rotor, Zeno): the panel frame, the
// texts, the clean or quantum or watched curve (cyan), the disordered and
// classical and control curves, the Zeno edge, the rotor's frame.
constexpr QRgb kLatticeFrame = qRgb(70, 82, 94);
constexpr QRgb kLatticeText = qRgb(210, 220, 230);
constexpr QRgb kAndersonText = qRgb(205, 215, 225);
constexpr QRgb kLatticeLabel = qRgb(215, 224, 234);
constexpr QRgb kLatticeCurve = qRgb(80, 220, 235);
constexpr QRgb kAndersonDisordered = qRgb(240, 95, 190);
constexpr QRgb kRotorClassical = qRgb(245, 166, 70);
constexpr QRgb kZenoControl = qRgb(245, 170, 70);
constexpr QRgb kZenoEdge = qRgb(235, 90, 105);
constexpr QRgb kRotorFrame = qRgb(72, 84, 96);

// The diffraction pages (Kapitza-Dirac, Moshinsky): the panels, their
// frames and texts, the order bars and labels, the guides, the shutter and
// detector marks, the front and time guides, the density curve, the
// summary.
constexpr QRgb kDiffractionPanel = qRgb(6, 11, 16);
constexpr QRgb kDiffractionTexts = qRgb(180, 197, 210);
constexpr QRgb kDiffractionSummary = qRgb(225, 235, 242);
constexpr QRgb kKapitzaFrame = qRgb(62, 77, 90);
constexpr QRgb kKapitzaGuide = qRgba(255, 205, 78, 180);
constexpr QRgb kKapitzaBars = qRgb(83, 211, 238);
constexpr QRgb kKapitzaOrders = qRgb(205, 220, 231);
constexpr QRgb kMoshinskyFrame = qRgb(60, 76, 90);
constexpr QRgb kMoshinskyShutter = qRgb(255, 198, 73);
constexpr QRgb kMoshinskyDetector = qRgb(255, 110, 110);
constexpr QRgb kMoshinskyFront = qRgba(240, 240, 240, 140);
constexpr QRgb kMoshinskyTimeGuide = qRgba(240, 240, 240, 110);
constexpr QRgb kMoshinskyCurve = qRgb(98, 220, 255);

// The bands of the transmission scans: the positive branch, the
// evanescent gap, the supercritical Klein window and the near-normal
// chirality window; the left-side probability of the tunnelling plot.
constexpr QRgb kScanPositiveBand = qRgba(40, 85, 60, 45);
constexpr QRgb kScanEvanescentBand = qRgba(120, 85, 35, 55);
constexpr QRgb kScanKleinBand = qRgba(45, 70, 120, 45);
constexpr QRgb kScanChiralityBand = qRgba(45, 80, 110, 42);
constexpr QRgb kKleinLeft = qRgb(255, 120, 120);

// A palette colour drawn with the given opacity (0 to 255).
inline QColor translucent(QRgb colour, int alpha)
{
    QColor c(colour);
    c.setAlpha(alpha);
    return c;
}

} // namespace vxo::plot
