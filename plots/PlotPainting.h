#pragma once

#include "plots/PlotCarpets.h"
#include "plots/PlotCurves.h"
#include "plots/PlotFrame.h"
#include "plots/PlotPalette.h"

// Drawing shared by the analysis plot widgets. Every plot is a passive
// QWidget whose paintEvent rebuilds the whole picture from its stored data;
// the pieces they have in common are free functions, by concern, so that each
// widget only states its own layout, colours, ranges and texts:
//   - PlotPalette.h: the colours by role;
//   - PlotFrame.h: frame, axes, clamps, texts and the panel layouts;
//   - PlotCurves.h: curves and their gaps, recorded histories;
//   - PlotCarpets.h: carpets and colour ramps;
//   - ScanPainting.h: the transmission scans.
// In more detail:
//   - frame: the paint's opening, layout clamps, quarter grids and frames;
//   - axes: linear value-to-pixel maps with a floor on the span, the extremes
//     of the finite values of a series;
//   - clamps: one function per NaN policy (a NaN kept for the path builder to
//     drop, drawn at the upper bound, or drawn at the lower bound);
//   - curves: polyline builders that either break the curve at a gap or
//     bridge it, and a sampler for curves computed from a function of time;
//   - texts: text boxes in one call with their colour, the usual label boxes
//     of a panel and the bold title font;
//   - carpets: colour ramps (power laws and piecewise-linear segments), the
//     carpet image built once per paint and drawn with smoothing off, and the
//     integer cell spans of carpets filled cell by cell.
// Pens keep the toolkit's square cap and bevel join except where a plot asks
// for the round ones (roundPlotPen). No function sets a font family: texts
// use the widget's font. Lines, discs and path points whose coordinates are not
// finite are left out, because QPainterPath refuses them with a log warning
// and the raster engine has no sensible place for them.
