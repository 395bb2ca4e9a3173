#pragma once

#include "plots/PlotCarpets.h"
#include "plots/PlotCurves.h"
#include "plots/PlotAxes.h"
#include "plots/PlotFrame.h"
#include "plots/PlotHistories.h"
#include "plots/PlotLayouts.h"
#include "plots/PlotPages.h"
#include "plots/PlotPalette.h"
#include "plots/PlotTexts.h"
#include "plots/PlotTimeMarkers.h"

// Drawing shared by the analysis plot widgets. Every plot is a passive
// QWidget whose paintEvent rebuilds the whole picture from its stored data
// (the Klein scans keep their laid-out curves until their record changes);
// the pieces they have in common are free functions, by concern, so that each
// widget only states its own layout, colours, ranges and texts:
//   - PlotPalette.h: the colours by role;
//   - PlotFrame.h: the paint's opening, grids, frames, pens, lines and discs;
//   - PlotAxes.h: value-to-pixel maps, finite extents and clamps;
//   - PlotTexts.h: texts, labels, captions and legend rows;
//   - PlotLayouts.h: where the panels lie in the widget;
//   - PlotPages.h: the openings of whole pages and their looks;
//   - PlotTimeMarkers.h: time markers over a carpet and its curves;
//   - PlotCurves.h: curves and their gaps;
//   - PlotHistories.h: recorded histories, two-level and interference plots;
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
