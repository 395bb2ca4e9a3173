#pragma once

#include "plots/PlotLayouts.h"
#include "plots/PlotTexts.h"

#include <QFont>
#include <QPen>
#include <QRect>
#include <QString>

#include <optional>

class QPainter;

// The openings of whole pages: the single-panel plot, the titled, gauge,
// split recorder and lattice pages with their looks.
namespace vxo::plot {

// Opens the paint of a single-panel plot: the background (beginPlot), then
// the layout's panel with its quarter grid in gridColour and its frame in
// kSinglePanel.frame (drawGridAndFrame). Returns the panel.
QRectF beginPanelPlot(QPainter& painter, const QRect& widgetRect, const PanelLayout& layout,
                      const QColor& gridColour = kSinglePanel.grid);
// The same for a plot whose grid stands at the round values of its axes
// (drawHistoryGrid, drawCurveGrid): the background only. Returns the panel.
QRectF beginPanelPage(QPainter& painter, const QRect& widgetRect, const PanelLayout& layout);

// The look of a titled page: the background, the title's box
// QRect(12, titleTop, w - 24, titleHeight) and colour, and the placeholder's
// box QRect(20, placeholderTop, w - 40, h - placeholderTop - 20) and colour.
struct TitledPage {
    QRgb background;
    int titleTop;
    int titleHeight;
    QRgb titleColour;
    int placeholderTop;
    QRgb placeholderColour;
};
// The Klein pages: the tunnelling record and the four scans.
constexpr TitledPage kKleinPage{kTitledPage.diracBackground, 6,  25,
                                kTitledPage.kleinTitle,      45, kTitledPage.diracPlaceholder};
// The recorder pages of the Aharonov-Bohm, Landau, Hall-edge and backflow experiments.
constexpr TitledPage kGaugePage{kTitledPage.gaugeBackground, 7,  24,
                                kTitledPage.gaugeTitle,      50, kTitledPage.recorderPlaceholder};
// The diffraction pages of the Kapitza-Dirac and Moshinsky experiments.
constexpr TitledPage kKapitzaDiracPage{kTitledPage.diffractionBackground, 7,  24,
                                       kTitledPage.kapitzaDiracTitle,     50, kTitledPage.recorderPlaceholder};
constexpr TitledPage kMoshinskyPage{kTitledPage.diffractionBackground, 8,  24,
                                    kTitledPage.moshinskyTitle,        52, kTitledPage.recorderPlaceholder};
// The Zitterbewegung page.
constexpr TitledPage kZitterbewegungPage{kTitledPage.diracBackground,     6,  25,
                                         kTitledPage.zitterbewegungTitle, 48, kTitledPage.diracPlaceholder};

// Opens the paint of a titled page: Antialiasing only, the widget filled
// with the background and the title in a bold copy of widgetFont,
// left-aligned and vertically centred. Without data the placeholder follows
// in widgetFont, centred and word-wrapped, and false is returned; with data
// widgetFont is set back and true is returned.
bool beginTitledPage(QPainter& painter, const QRect& widgetRect, const QFont& widgetFont, const TitledPage& page,
                     const QString& title, bool hasData, const QString& placeholder);

// The same panels, each filled with fill and outlined with a 1-pixel frame.
StackedPanels drawStackedPanels(QPainter& painter, const QSize& widgetSize, const StackedLayout& layout,
                                const QColor& frame, const QColor& fill);

// Opens the paint of a gauge page (Aharonov-Bohm, backflow, Hall edge,
// Landau): beginTitledPage with kGaugePage, then with data the two stacked
// panels of the layout filled with kInnerPanel.fill and framed in kInnerPanel.stackedFrame.
// Without data only the placeholder is drawn and nullopt is returned.
std::optional<StackedPanels> beginGaugePage(QPainter& painter, const QRect& widgetRect, const QFont& widgetFont,
                                            const QString& title, bool hasData, const QString& placeholder,
                                            const StackedLayout& layout);

// A panel title: text centred in the band (panel.left, top, panel.width, height).
struct PanelTitle {
    QString text;
    double top = 0.0;
    double height = 20.0;
};
// The opening of a two-panel plot: both outlines in framePen, then each
// panel's title in titleColour.
void drawTitledPanels(QPainter& painter, const SplitPanels& panels, const QPen& framePen, const QColor& titleColour,
                      const PanelTitle& upperTitle, const PanelTitle& lowerTitle);
// The placeholder texts of a two-panel plot, each centred in its panel.
void drawPanelPlaceholders(QPainter& painter, const SplitPanels& panels, const QColor& colour, const QString& upperText,
                           const QString& lowerText);

// The colours of the frames, titles and placeholders of a two-panel recorder
// page, and those of the two families.
struct SplitPageLook {
    QRgb frame;
    QRgb title;
    QRgb placeholder;
};
constexpr SplitPageLook kCarpetPageLook{kRecorder.carpetFrame, kRecorder.carpetTitle, kRecorder.carpetPlaceholder};
constexpr SplitPageLook kTracePageLook{kRecorder.traceFrame, kRecorder.traceTitle, kRecorder.tracePlaceholder};
// A text for each of the two panels.
struct PanelTexts {
    QString upper;
    QString lower;
};
// What a two-panel recorder page shows before its data: its look, the two
// panel titles (the lower title's top counted from the upper panel's bottom,
// as it sits under the upper panel's labels) and the placeholder texts.
struct SplitPage {
    SplitPageLook look;
    PanelTitle upperTitle;
    PanelTitle lowerTitle;
    PanelTexts placeholders;
};
// Opens the paint of a two-panel recorder page: beginPlot with the recorder
// background, then the panels of layout in the widget framed and titled.
// With data it returns the panels to draw in; without, it draws the
// placeholders and returns nothing.
std::optional<SplitPanels> beginSplitPage(QPainter& painter, const QRect& widgetRect, const SplitLayout& layout,
                                          const SplitPage& page, bool hasData);

// Where the curves of a panel of a two-panel page go. Side by side the
// panel is tall and narrow and its legend runs over several lines: the
// legend (drawLegendRow on patch) and the note under it (right-aligned,
// wrapped inside the panel, in noteColour) take a band at the panel's top
// above a rule in ruleColour, and the curves the rest, so that no text hides
// a curve. Stacked, nothing is drawn and the curves take the whole panel, the
// page setting its texts inside it.
QRectF curvesUnderLegend(QPainter& painter, const QRectF& panel, bool sideBySide, const std::vector<LegendItem>& legend,
                         const QColor& ruleColour, const QColor& patch, const QString& note = QString(),
                         const QColor& noteColour = QColor());

// The panels of a lattice page (kicked rotor, Zeno, Anderson) whose
// headings stand on the line just above each panel: side by side, a heading
// that needs two lines gets them (withTitleRoom), `room` pixels more.
struct HeadedPanels {
    SplitPanels panels;
    double room = 0.0;
};
HeadedPanels headedPanels(const QSize& widgetSize, const SplitLayout& layout, const QFont& font,
                          const QString& upperHeading, const QString& lowerHeading);
// Each heading left-aligned just above its panel, on the lines the panels
// were given (drawTitleLine: never elided).
void drawPanelHeadings(QPainter& painter, const HeadedPanels& headed, const QString& upperHeading,
                       const QString& lowerHeading, const QColor& colour);

// Opens the paint of a lattice page (kicked rotor, Zeno): beginPlot with the
// lattice background, then the page's title centred in QRectF(8, titleTop,
// w - 16, 20) in the lattice text colour (drawTitleLine: never elided).
void beginLatticePage(QPainter& painter, const QRect& widgetRect, const QString& title, double titleTop);

} // namespace vxo::plot
