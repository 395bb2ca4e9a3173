#pragma once

#include "plots/PlotFrame.h"
#include "plots/PlotLayouts.h"

#include <QFont>
#include <QRect>
#include <QRectF>
#include <QString>

#include <vector>

class QPainter;

// The texts around and inside a panel: boxes, patches, titles, value and
// axis labels, captions, summaries, headings and legend rows.
namespace vxo::plot {

// text in colour inside box with the alignment flags.
void drawTextBox(QPainter& painter, const QRectF& box, int flags, const QString& text, const QColor& colour);
// text in colour in the box with the flags (drawTextBox), on a patch of the
// patch colour just large enough to hold it: a text drawn over curves stays
// legible. With Qt::TextWordWrap a text wider than the box goes on below or
// on both sides of it, as its alignment says. Returns the rectangle the text
// takes.
QRectF drawTextOnPatch(QPainter& painter, const QRectF& box, int flags, const QString& text, const QColor& colour,
                       const QColor& patch);
// The height text takes in font, word-wrapped to width.
double wrappedTextHeight(const QFont& font, double width, const QString& text);
// text on a patch in box (drawTextOnPatch), inside panel: a side of the box
// that leaves the panel is cut to 10 px inside it, and a text wider than the
// box that is left wraps onto the lines it needs, the box growing down from
// its top or, with Qt::AlignBottom (which says only that), up from its
// bottom. The box stays as wide as the text's longest word, which may then
// leave the panel. A box the panel holds with a text it holds is drawn as
// given. Returns the rectangle the text takes.
QRectF drawTextInPanel(QPainter& painter, const QRectF& box, const QRectF& panel, int flags, const QString& text,
                       const QColor& colour, const QColor& patch);
// text centred (Qt::AlignCenter) in rect: placeholders and centred titles.
void drawCentredText(QPainter& painter, const QRectF& rect, const QString& text, const QColor& colour);
// A title band over a panel: centred in QRectF(panel.left(), top, panel.width(), height)
// (drawTitleLine).
void drawPanelTitle(QPainter& painter, const QRectF& panel, const QString& text,
                    const QColor& colour = kSinglePanel.title, double top = 2.0, double height = 20.0);
// A title in box with the alignment flags: one wider than the box goes on two
// lines where the box holds them, else it is set smaller, down to 70% of the
// font, and on two lines at that size beyond that; never elided.
void drawTitleLine(QPainter& painter, const QRectF& box, int flags, const QString& text, const QColor& colour);
// The value labels left of a panel, right-aligned and vertically centred:
// upper in QRectF(left, panel.top() - 8, width, 18), lower in
// QRectF(left, panel.bottom() - 10, width, 18). A number wider than its box
// runs out of it instead of being cut (here and in drawAxisEndLabels): to the
// left while it fits right of x = 0, else from the box's left edge into the
// panel. A panel under 18 pixels high shows the upper label alone.
void drawValueLabels(QPainter& painter, const QRectF& panel, const QString& upper, const QString& lower,
                     const QColor& colour = kSinglePanel.axisText, double left = 2.0, double width = 52.0);
// The ends of a horizontal axis under a panel: first left-aligned in
// QRectF(panel.left(), panel.bottom() + gap, boxWidth, 20), last
// right-aligned in QRectF(panel.right() - boxWidth, panel.bottom() + gap, boxWidth, 20).
void drawAxisEndLabels(QPainter& painter, const QRectF& panel, const QString& first, const QString& last,
                       const QColor& colour = kSinglePanel.axisText, double boxWidth = 80.0, double gap = 6.0);
// An axis caption centred in QRectF(panel.left(), panel.bottom() + gap, panel.width(), height).
void drawAxisCaption(QPainter& painter, const QRectF& panel, const QString& text,
                     const QColor& colour = kSinglePanel.axisText, double gap = 4.0, double height = 24.0);
// A copy of the widget's font with weight 75 (bold), for the bold titles.
QFont boldTitleFont(const QFont& widgetFont);

// A caption centred in QRect(panel.left(), panel.bottom() + gap, panel.width(), height);
// one wider than the panel is word-wrapped onto lines from that band's top down.
void drawPanelCaption(QPainter& painter, const QRect& panel, int gap, int height, const QString& text,
                      const QColor& colour);
// A summary line left-aligned and vertically centred in
// QRect(panel.left() + 8, panel.top() + 5, panel.width() - 16, height), inside
// the panel's top, on a patch of the panel's fill (drawTextOnPatch): wrapped
// onto further lines where the panel is narrower than the line. Returns the
// rectangle the text takes.
QRectF drawPanelSummary(QPainter& painter, const QRect& panel, int height, const QString& text, const QColor& colour,
                        const QColor& patch);
// The summary of two stacked panels: inside the top of `panel`, one of them
// (drawPanelSummary), or, the panels side by side, across both in the band of
// texts.sideBySideSummaryHeight over them, wrapped onto a further line there;
// nothing side by side where a short page gave that band up.
void drawStackedSummary(QPainter& painter, const StackedPanels& panels, const QRect& panel, const StackedTexts& texts,
                        const QString& summary, const QColor& colour, const QColor& patch);
// The row under which the curves of `panel` stay clear of the summary that
// drawStackedSummary draws inside its top (stacked panels): 3 pixels under
// the summary's lines; the panel's top where the summary stands in the band
// over panels side by side (or was given up).
double stackedSummaryBottom(const StackedPanels& panels, const QRect& panel, const StackedTexts& texts,
                            const QFont& font, const QString& summary);
// text, whose fields are set three blanks apart, with a line break for each
// separator where the line up to the next field would be wider than width,
// so that a wrapped summary keeps each figure with its name.
QString breakBetweenFields(const QFont& font, double width, const QString& text);
// The texts of two stacked panels where `texts` puts them: each caption under
// its panel (drawPanelCaption) in captionColour, and the summary inside the
// upper panel's top (drawStackedSummary) in summaryColour on patch.
void drawStackedTexts(QPainter& painter, const StackedPanels& panels, const StackedTexts& texts,
                      const QString& upperCaption, const QString& lowerCaption, const QString& summary,
                      const QColor& captionColour, const QColor& summaryColour, const QColor& patch);

// One item of a legend row: its text in its colour, left-aligned in a box
// width wide, starting offset right of the row's left end; an item without
// them is packed after the one before it (drawLegendRow).
struct LegendItem {
    QString text;
    QRgb colour;
    double offset = 0.0;
    double width = 0.0;
};
// A legend row: each entry in QRectF(left + offset, top, width, 20), moved
// right where the entry before it would run into it. An entry that would
// reach past right moves up to 12 pixels after the entry before it, and if
// it still does, starts a further row 18 pixels lower, at the first entry's
// offset; an entry wider than that whole row wraps onto lines of its own. With
// a valid patch colour each entry stands on a patch of it (drawTextOnPatch),
// legible over curves. Returns the last row's bottom.
double drawLegendRow(QPainter& painter, double left, double top, double right, const std::vector<LegendItem>& entries,
                     const QColor& patch = QColor());

// A panel's heading on the line above it: text left-aligned in
// QRectF(panel.left(), panel.top() - 20, panel.width(), 18).
void drawPanelHeading(QPainter& painter, const QRect& panel, const QString& text, const QColor& colour);

} // namespace vxo::plot
