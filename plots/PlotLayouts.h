#pragma once

#include "plots/PlotFrame.h"

#include <QFont>
#include <QMargins>
#include <QMarginsF>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QSizeF>
#include <QString>

#include <vector>

// Where the panels of a plot lie in its widget: the single panel, the
// stacked and split pairs, the interference stack and the transmission scan.
namespace vxo::plot {

// A copy of layout with one field set to value: what the layouts' withX()
// return.
template <typename Layout, typename Value>
Layout withField(Layout layout, Value Layout::*field, const Value& value)
{
    layout.*field = value;
    return layout;
}

// The panel of a single-panel plot in a widget of size (w, h): the widget's
// rectangle less the margins, QRectF(m.left, m.top, atLeast(w - m.left -
// m.right, minimum.width), atLeast(h - m.top - m.bottom, minimum.height)).
// The margins (QMarginsF: left, top, right, bottom) hold the texts around the
// panel: the value labels on the left, the title above, the axis texts
// below. The defaults are the curve panel the time-series, cross-section and
// resonance plots share.
struct PanelLayout {
    QMarginsF margins{58.0, 24.0, 20.0, 38.0};
    QSizeF minimum{10.0, 10.0};
};
QRectF panelRect(const QSize& widgetSize, const PanelLayout& layout);

// A caption's band under its panel: gap pixels below the panel's last row,
// height high.
struct CaptionBand {
    int gap = 4;
    int height = 20;
};
// The room a row of times takes under a time panel of a stacked page: 3
// pixels and a line of the page's font (drawTickedAxisNumbers).
constexpr int kTimesRow = 18;
// The height from which a panel reads: its curve, ticks and caption.
constexpr double kReadablePanel = 120.0;
// The least height of panels side by side on a short page: their curves,
// ticks and numbers still read at a glance. Two-panel plots lay their panels
// side by side down to it where the analysis dock is short (a 768-line
// screen, a 614-line one with its text enlarged by a quarter) and take the
// height the page gives them.
constexpr int kShortPagePanel = 46;
// The least height the analysis pages give a plot (the form's floor): one
// panel of about 100 px under its title over its axis texts, or two panels
// side by side down to kShortPagePanel, a plot asking for more at its width
// where its panels need it. Every text of a plot reads at it.
constexpr int kLeastPlotHeight = 160;

// Where the texts of two stacked panels lie: a caption under each panel and
// the summary inside the upper panel's top, summaryHeight high for one line.
// The defaults are those of the gauge pages.
// Panels side by side are too narrow for the summary: it goes in a band
// sideBySideSummaryHeight high over both, under the page's title.
struct StackedTexts {
    CaptionBand upperCaption{3, 20};
    CaptionBand lowerCaption{4, 20};
    int summaryHeight = 22;
    int sideBySideSummaryHeight = 34;
};

// The two stacked panels of a recorder plot of size (w, h). The upper panel
// is the widget less the margins `upper` (QMargins: left, top, right,
// bottom; the bottom margin holds the lower panel), each side raised to
// upperMinimum; the lower panel lies gap below it, as wide, and
// h - lowerMargin - upper.bottom() high, raised to lowerMinHeight:
//   upper = QRect(m.left, m.top, max(w - m.left - m.right, upperMinimum.width),
//                 max(h - m.top - m.bottom, upperMinimum.height)),
//   lower = QRect(m.left, upper.bottom() + gap, upper.width(),
//                 max(h - lowerMargin - upper.bottom(), lowerMinHeight)),
// with QRect's bottom (top + height - 1).
// The texts go where `texts` puts them (StackedTexts).
// A widget shorter than the stacked panels need, the upper one kept
// max(kReadablePanel, upperMinimum.height) high, but wide enough for two
// panels sideBySidePanelWidth across lays them side by side instead, as a
// split page does (splitForm), under the summary's band
// (texts.sideBySideSummaryHeight); the band under them, sideBySideBottom
// high, holds their captions wrapped in half the width. The summary label
// above the plot carries the figures of that band: a short widget gives the
// band up and then lowers the panels side by side to leastSideBySidePanel
// (splitPanels), so that the label and the whole plot are seen together on
// a short screen; a layout that keeps kReadablePanel keeps the band.
struct StackedLayout {
    QMargins upper;
    QSize upperMinimum;
    int gap = 0;
    int lowerMargin = 0;
    int lowerMinHeight = 0;
    StackedTexts texts{};
    int sideBySidePanelWidth = 160;
    int sideBySideBottom = 52;
    int leastSideBySidePanel = kShortPagePanel;
};
struct StackedPanels {
    QRect upper;
    QRect lower;
    // False where a short page gave up the summary's band over panels side by side.
    bool summaryShown = true;
};
// The panels of the layout in a widget of the given size.
StackedPanels stackedPanels(const QSize& widgetSize, const StackedLayout& layout);
// Whether the panels lie side by side (the lower one right of the upper one).
bool sideBySide(const StackedPanels& panels);

// The layout of the Landau and Hall-edge pages: the trajectory in the plane
// over a panel of its traces against time, side by side down to
// kShortPagePanel (their summary labels carry what their guides read).
StackedLayout orbitOverTimeLayout();

// A caption under a panel, `above` pixels under it (its gap, and the row of
// times of a time panel).
struct CaptionUnder {
    QString text;
    int above = 0;
};
// The layout with its band under panels side by side as tall as their
// captions need on the lines that each panel's width gives them in `font`
// in a widget `width` wide, with 2 pixels to spare: a wide page keeps them
// on one line and its panels the height the one-line band gives back.
StackedLayout withCaptionsUnder(StackedLayout layout, const QFont& font, int width, const CaptionUnder& upper,
                                const CaptionUnder& lower);

// Two panels one above the other, as the recorder plots lay them out in a
// widget of the given size: the available height A = atLeast(height - top -
// gap - bottom, minimumHeight) is shared as upper = (left, top, atLeast(width -
// left - right, minimumWidth), share * A) and lower = (left, upper.bottom +
// gap, upper.width, A - share * A).
struct SplitPanels {
    QRectF upper;
    QRectF lower;
};
struct SplitLayout {
    double left = 0.0;
    double right = 0.0;
    double top = 0.0;
    double gap = 0.0;
    double bottom = 0.0;
    double share = 0.5;
    double minimumHeight = 0.0;
    double minimumWidth = 0.0;
    // The narrowest each panel may be side by side, where its texts still fit.
    double sideBySidePanelWidth = 120.0;
    // The margins over and under panels side by side where they must be
    // larger than top and than bottom and gap: texts that no longer fit
    // beside the panels, or that wrap in half the width.
    double sideBySideTop = 0.0;
    double sideBySideBottom = 0.0;
    // Below kReadablePanel: a widget too short for panels side by side under
    // sideBySideTop gives up the room that margin keeps over top first (texts
    // the page shows elsewhere too), then panel height down to this.
    double leastSideBySidePanel = kShortPagePanel;
    // Panels side by side narrower than narrowPanelWidth stack the texts set
    // inside them (legends, captions) over each other: the plot is then
    // narrowHeight high at least, else they cover the curves and each other.
    double narrowPanelWidth = 0.0;
    double narrowHeight = 0.0;

    // The same layout with one field changed: a page that adapts its
    // family's layout names only what it changes.
    SplitLayout withLeft(double value) const { return withField(*this, &SplitLayout::left, value); }
    SplitLayout withRight(double value) const { return withField(*this, &SplitLayout::right, value); }
    SplitLayout withTop(double value) const { return withField(*this, &SplitLayout::top, value); }
    SplitLayout withBottom(double value) const { return withField(*this, &SplitLayout::bottom, value); }
    SplitLayout withGap(double value) const { return withField(*this, &SplitLayout::gap, value); }
    SplitLayout withShare(double value) const { return withField(*this, &SplitLayout::share, value); }
    SplitLayout withMinimumHeight(double value) const { return withField(*this, &SplitLayout::minimumHeight, value); }
    SplitLayout withMinimumWidth(double value) const { return withField(*this, &SplitLayout::minimumWidth, value); }
    SplitLayout withSideBySidePanelWidth(double value) const
    {
        return withField(*this, &SplitLayout::sideBySidePanelWidth, value);
    }
    SplitLayout withSideBySideTop(double value) const { return withField(*this, &SplitLayout::sideBySideTop, value); }
    SplitLayout withSideBySideBottom(double value) const
    {
        return withField(*this, &SplitLayout::sideBySideBottom, value);
    }
    SplitLayout withLeastSideBySidePanel(double value) const
    {
        return withField(*this, &SplitLayout::leastSideBySidePanel, value);
    }
    SplitLayout withNarrowPanels(double panelWidth, double height) const
    {
        return withField(withField(*this, &SplitLayout::narrowPanelWidth, panelWidth), &SplitLayout::narrowHeight,
                         height);
    }
};
// A widget shorter than the stacked panels need (stackedHeight) but wide
// enough for two readable panels in a row (sideBySideWidth) lays them side by
// side instead, the upper panel on the left: each in its half of the width
// with the layout's left and right margins, both from the larger of top and
// sideBySideTop down to the largest of bottom, gap and sideBySideBottom, which
// holds the upper panel's axis texts. A layout whose leastSideBySidePanel is
// below kReadablePanel starts them at top instead where the widget is too
// short for that, and keeps them leastSideBySidePanel high at least.
SplitPanels splitPanels(const QSize& widgetSize, const SplitLayout& layout);
// Whether the panels lie side by side (the lower one right of the upper one).
bool sideBySide(const SplitPanels& panels);
// The height at which both stacked panels keep kReadablePanel pixels, the
// height side by side panels need for it (or for leastSideBySidePanel, on a
// page that lets them go smaller), and the width at which each of them keeps
// sideBySidePanelWidth across.
int stackedHeight(const SplitLayout& layout);
int sideBySideHeight(const SplitLayout& layout);
int sideBySideWidth(const SplitLayout& layout);
// The height a two-panel plot needs at the given width: side by side where
// the width allows it (narrowHeight at least where its panels are narrower
// than narrowPanelWidth), stacked otherwise.
int splitPageHeight(int width, const SplitLayout& layout);
// The layout with a line more over panels side by side where a title set
// over one of them (as wide as its panel and beyond pixels more) needs two
// lines in font: the titles then go on two lines at the font's size rather
// than being set smaller. Stacked panels are as wide as the page: unchanged.
SplitLayout withTitleRoom(const SplitLayout& layout, const QSize& widgetSize, const QFont& font,
                          const std::vector<QString>& titles, double beyond = 0.0);
// A panel of splitPanels on whole pixels, its corner and sides rounded
// down, for the pages that draw on pixel rectangles (Anderson, Zeno).
QRect pixelPanel(const QRectF& panel);
// The layouts of the two families of two-panel pages, which each page adapts
// where it needs: the carpet and map pages (revival, Talbot, bouncer,
// billiard), a tall carpet over its curves with a margin for the value labels
// on the left, and the loop and echo pages (Berry phase, Loschmidt echo,
// scar), two panels of about equal height with room for a scale on the right
// and legends that need panels 200 px across beside each other.
SplitLayout carpetPageLayout();
SplitLayout tracePageLayout();
// A stacked layout in the split pages' terms, for the height it asks by its
// width and its choice between stacked and side by side: its margins, a
// stacked height of top + max(kReadablePanel, upperMinimum.height) +
// upper.bottom (the fixed lower panel under the least upper one), and its
// side-by-side panel width, summary band over them and bottom band.
SplitLayout splitForm(const StackedLayout& layout);

// A panel stacked under the one above it: gap pixels below it, height high.
struct StackedBand {
    double gap;
    double height;
};
// The stacked panels of the interference plots, one under the other and all
// as wide: the population history, the protocol strip under it and the
// fringe scan under the strip; the margins hold the texts around them (the
// bottom one the scan's caption). For a widget of size (w, h) the width is
// atLeast(w - m.right, m.left + minimumHistory.width) - m.left, the strip and
// the scan are bands of fixed height, and the history takes the rest of the
// height, at least minimumHistory.height. A widget too short for that gives
// up the room the bottom margin keeps under the scan's caption first, then
// history height down to leastHistory (or minimumHistory.height, if lower):
// the scan, which a guide reads, stays whole on a short page.
// The lines of text under the strip and the scan, each as wide as the
// panels: the strip's numbers (the times it shares with the history) and
// legend under them, the scan's numbers, its caption under them and,
// for a page that has one (scanLegend.height > 0), the scan's legend under its
// caption, for which the history gives up its height.
// A widget shorter than the history needs at minimumHistory.height over the
// strip and the scan, but wide enough for two columns sideBySideColumn
// across inside the margins, lays them side by side instead: the history
// over a strip sideBySideStrip under it, the strip's numbers and legend in
// the left half, the scan with its numbers, caption and legend in the right
// half (each legend on two rows in a column narrower than
// twoRowLegendWidth), both
// under the top margin and sideBySideBottom over the widget's bottom; the
// history keeps leastHistory at least. `figure` spans every panel, for the
// page's title over them.
struct InterferenceLayout {
    QMarginsF margins{58.0, 28.0, 22.0, 30.0};
    QSizeF minimumHistory{10.0, 78.0};
    double leastHistory = 54.0;
    StackedBand strip{14.0, 30.0};
    StackedBand scan{42.0, 58.0};
    StackedBand stripNumbers{2.0, 16.0};
    StackedBand stripLegend{2.0, 18.0};
    StackedBand scanNumbers{2.0, 16.0};
    StackedBand scanCaption{0.0, 18.0};
    StackedBand scanLegend{0.0, 0.0};
    double sideBySideColumn = 130.0;
    StackedBand sideBySideStrip{4.0, 20.0};
    double twoRowLegendWidth = 320.0;
    double sideBySideBottom = 2.0;
};
struct InterferencePanels {
    QRectF figure;
    QRectF history;
    QRectF strip;
    QRectF scan;
    QRectF stripNumbers;
    QRectF stripLegend;
    QRectF scanNumbers;
    QRectF scanCaption;
    QRectF scanLegend;
};
InterferencePanels interferencePanels(const QSize& widgetSize, const InterferenceLayout& layout = {});
// Whether the scan stands beside the history.
bool sideBySide(const InterferencePanels& panels);

// Where the parts of a scan lie in a widget of size (w, h): the panel, the
// widget less the margins (QMargins: left, top, right, bottom; the bottom one
// holds the value labels and the legend) with each side kept at 120 pixels
// at least, QRect(m.left, m.top, max(w - m.left - m.right, 120),
// max(h - m.top - m.bottom, 120)); the transmission numbers right-aligned in
// 50-pixel boxes from transmissionLabelLeft; the value labels centred in
// boxes valueLabelWidth wide under the panel; the legend in a band
// legendHeight high legendGap below the panel; the summary summaryHeight high
// inside its top (a record's trace) or, on a scan, in the rows from
// summaryTop under the title, summaryGap above the panel; and the band
// names bandNameDrop below the panel's top.
struct ScanLayout {
    QMargins margins{64, 48, 24, 58};
    // The panel's least height, and the width of a column right of the panel
    // that holds the legend instead of its band under the panel (0: none).
    int leastPanelHeight = 120;
    int legendColumn = 0;
    int transmissionLabelLeft = 7;
    int valueLabelWidth = 48;
    int legendGap = 29;
    int legendHeight = 22;
    int summaryHeight = 44;
    int summaryTop = 34;
    int summaryGap = 6;
    int bandNameDrop = 28;

    // The same layout with one field changed: a page that adapts the scans'
    // layout names only what it changes.
    ScanLayout withMargins(const QMargins& value) const { return withField(*this, &ScanLayout::margins, value); }
    ScanLayout withTransmissionLabelLeft(int value) const
    {
        return withField(*this, &ScanLayout::transmissionLabelLeft, value);
    }
    ScanLayout withValueLabelWidth(int value) const { return withField(*this, &ScanLayout::valueLabelWidth, value); }
    ScanLayout withLegendGap(int value) const { return withField(*this, &ScanLayout::legendGap, value); }
    ScanLayout withLegendHeight(int value) const { return withField(*this, &ScanLayout::legendHeight, value); }
    ScanLayout withSummaryHeight(int value) const { return withField(*this, &ScanLayout::summaryHeight, value); }
    ScanLayout withBandNameDrop(int value) const { return withField(*this, &ScanLayout::bandNameDrop, value); }
};

// The layout with room for the legend's lines under the panel: a legend
// that the panel's width cannot hold on one line takes the height of its
// further lines from the panel.
ScanLayout withLegendRoom(const ScanLayout& layout, const QSize& widgetSize, const QFont& font, const QString& legend);
// The layout of a scan (or record trace) at the widget's size with room for
// its legend (withLegendRoom) and summary (withSummaryRoom). A widget too
// short for the panel to keep kReadablePanel between them (a short analysis
// page) gives the summary up (the page's summary label shows its figures)
// and starts the panel at summaryTop under the title; where it is wide
// enough for a panel of kShortScanPanelWidth beside a column of
// kLegendColumnWidth, the legend goes in that column right of the panel and
// the panel keeps only its numbers' band (legendGap) under it; the panel
// goes down to kShortPagePanel.
ScanLayout scanLayoutWithTexts(const ScanLayout& layout, const QSize& widgetSize, const QFont& font,
                               const QString& legend, const QString& summary);
constexpr int kShortScanPanelWidth = 360;
constexpr int kLegendColumnWidth = 170;
// The layout with room for the summary between the title and the panel: a
// summary that the rows from summaryTop down to the panel's top cannot hold
// at the panel's width, broken between its fields (breakBetweenFields), moves
// the panel's top down, so that the summary never covers what the panel shows.
ScanLayout withSummaryRoom(const ScanLayout& layout, const QSize& widgetSize, const QFont& font,
                           const QString& summary);
// The rectangle of the summary over the panel of that layout: from
// summaryTop down to summaryGap above the panel, as wide as the panel.
QRect scanSummaryBox(const QSize& widgetSize, const ScanLayout& layout);
// The panel of a scan for a widget of the given size.
QRect scanPanel(const QSize& widgetSize, const ScanLayout& layout);

// Where the vortex page's two panels lie, side by side in a widget of size (w, h): both
// start at top and are side = share * max(h - heightMargin, minimumHeight)
// high; the orbit panel starts at left and is min(max(orbitShare * w,
// minimumOrbitWidth), aspect * side) wide; the momentum panel starts gap
// after its right edge R and is max(w - R - rightMargin,
// minimumMomentumWidth) wide.
struct VortexLayout {
    double left = 54.0;
    double top = 32.0;
    double heightMargin = 110.0;
    double minimumHeight = 120.0;
    double share = 0.63;
    double orbitShare = 0.55;
    double minimumOrbitWidth = 120.0;
    double aspect = 1.45;
    // Room for the momentum's numbers, a signed value of three decimals.
    double gap = 58.0;
    double rightMargin = 66.0;
    double minimumMomentumWidth = 80.0;
};
struct VortexPanels {
    QRectF orbit;
    QRectF momentum;
};
VortexPanels vortexPanels(const QSize& widgetSize, const VortexLayout& layout);

} // namespace vxo::plot
