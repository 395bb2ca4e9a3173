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

} // namespace vxo::plot
