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

} // namespace vxo::plot
