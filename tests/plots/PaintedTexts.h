#pragma once

#include <QColor>
#include <QPainterPath>
#include <QRectF>
#include <QSize>
#include <QString>

#include <vector>

class QWidget;

namespace vxo::test {

// A run of text as the widget painted it: its box in widget pixels (from the
// start of the baseline, as wide as the font advances it), its pen colour, and
// the part of the box the clip leaves (empty when the clip hides it all).
struct PaintedText {
    QString text;
    QRectF box;
    QColor colour;
    QRectF shown;
    // Its place in the painting order, counted over texts, marks and patches.
    int order = 0;
};

// A line, curve or disc as the widget painted it: the area its ink covers in
// widget pixels (a stroke widened by its pen), its colour and pen style.
struct PaintedMark {
    QPainterPath area;
    QColor colour;
    Qt::PenStyle style = Qt::SolidLine;
    double width = 1.0;
    int order = 0;
};

// A rectangle filled with a (nearly) opaque colour: what hides the marks
// painted before it.
struct PaintedPatch {
    QRectF rect;
    int order = 0;
};

// The texts the plot paints at size, in painting order, captured from the
// painter's commands rather than read off pixels.
std::vector<PaintedText> paintedTexts(QWidget& plot, const QSize& size);

// A plot's painting reduced to its texts and its panel outlines: the
// rectangles stroked with a pen (filled or not), at least 40 px each way.
struct PaintedPage {
    std::vector<PaintedText> texts;
    std::vector<QRectF> frames;
    std::vector<PaintedMark> marks;
    std::vector<PaintedPatch> patches;
};

// The marks that run over the text's ink where it is read: painted after it,
// or before it with no patch between that hides them. Thin solid lines are
// the panel's grids, frames and axes, and dots (at most 18 px across) mark
// a value: neither is counted.
std::vector<PaintedMark> marksOverprinting(const PaintedPage& page, const PaintedText& text, const QRectF& ink);
// The patches painted after the text over part of its ink.
std::vector<PaintedPatch> patchesCovering(const PaintedPage& page, const PaintedText& text, const QRectF& ink);

PaintedPage paintedPage(QWidget& plot, const QSize& size);

// The painted text that starts with prefix; fails the test (and returns an
// empty one) unless exactly one does.
PaintedText paintedText(const std::vector<PaintedText>& texts, const QString& prefix);

// A legend row's entries, named by their first words from left to right: on
// one line, each ending before the next begins.
void expectLegendRow(const std::vector<PaintedText>& texts, const std::vector<QString>& entries);

} // namespace vxo::test
