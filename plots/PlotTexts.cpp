#include "plots/PlotTexts.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

namespace vxo::plot {

namespace {

bool finite(double a, double b, double c) { return std::isfinite(a) && std::isfinite(b) && std::isfinite(c); }

} // namespace

void drawTextBox(QPainter& painter, const QRectF& box, int flags, const QString& text, const QColor& colour)
{
    if (!finite(box.left(), box.top(), box.width()) || !std::isfinite(box.height()))
        return;
    painter.setPen(colour);
    painter.drawText(box, flags, text);
}

QRectF drawTextOnPatch(QPainter& painter, const QRectF& box, int flags, const QString& text, const QColor& colour,
                       const QColor& patch)
{
    if (!finite(box.left(), box.top(), box.width()) || !std::isfinite(box.height()))
        return QRectF();
    // The painter measures nothing with no pen (after a disc, say).
    painter.setPen(colour);
    const QRectF taken = painter.boundingRect(box, flags, text);
    if (!taken.isEmpty())
        painter.fillRect(taken.adjusted(-3.0, 0.0, 3.0, 0.0), patch);
    drawTextBox(painter, box, flags, text, colour);
    return taken;
}

double wrappedTextHeight(const QFont& font, double width, const QString& text)
{
    const QRectF column(0.0, 0.0, atLeast(width, 1.0), 1e6);
    return QFontMetricsF(font).boundingRect(column, Qt::TextWordWrap, text).height();
}

QRectF drawTextInPanel(QPainter& painter, const QRectF& box, const QRectF& panel, int flags, const QString& text,
                       const QColor& colour, const QColor& patch)
{
    constexpr double kInset = 10.0;
    const QFontMetricsF metrics(painter.font());
    const bool outside = box.left() < panel.left() || box.right() > panel.right();
    if (!outside && metrics.horizontalAdvance(text) <= box.width())
        return drawTextOnPatch(painter, box, flags & ~Qt::AlignBottom, text, colour, patch);
    double left = box.left() < panel.left() ? panel.left() + kInset : box.left();
    double right = box.right() > panel.right() ? panel.right() - kInset : box.right();
    // Cut no further than its longest word, which cannot wrap.
    double longestWord = 0.0;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        longestWord = std::max(longestWord, metrics.horizontalAdvance(word));
    if (right - left < longestWord) {
        if (right < box.right())
            right = std::min(box.right(), left + longestWord);
        else
            left = std::max(box.left(), right - longestWord);
    }
    // A box reaching out of the panel's left side gives its longest word room
    // inside the panel rather than on the panel's outline.
    if (left < panel.left() && panel.width() > longestWord + kInset) {
        left = panel.left() + 1.0;
        right = std::max(right, left + longestWord);
    }
    const double width = atLeast(right - left, 1.0);
    const double height = std::max(box.height(), wrappedTextHeight(painter.font(), width, text));
    const double top = (flags & Qt::AlignBottom) != 0 ? box.bottom() - height : box.top();
    return drawTextOnPatch(painter, QRectF(left, top, width, height),
                           (flags & Qt::AlignHorizontal_Mask) | Qt::AlignTop | Qt::TextWordWrap, text, colour, patch);
}

void drawCentredText(QPainter& painter, const QRectF& rect, const QString& text, const QColor& colour)
{
    // A text wider than a narrow panel (side by side on a short page) goes on
    // two lines there rather than being cut at the panel's sides.
    drawTextBox(painter, rect, Qt::AlignCenter | Qt::TextWordWrap, text, colour);
}

void drawPanelTitle(QPainter& painter, const QRectF& panel, const QString& text, const QColor& colour, double top,
                    double height)
{
    drawTitleLine(painter, QRectF(panel.left(), top, panel.width(), height), Qt::AlignCenter, text, colour);
}

void drawTitleLine(QPainter& painter, const QRectF& box, int flags, const QString& text, const QColor& colour)
{
    const double needed = QFontMetricsF(painter.font()).horizontalAdvance(text);
    if (needed <= box.width()) {
        drawTextBox(painter, box, flags, text, colour);
        return;
    }
    // A title wider than its box goes on two lines where the box is tall
    // enough for them, else it is set smaller, down to 70% of the font; what
    // then still does not fit goes on two lines at that size, running a
    // little over the box rather than losing its end.
    constexpr double kLeastScale = 0.7;
    painter.save();
    const QFont widgetFont = painter.font();
    const auto scaled = [&](double scale) {
        QFont font = widgetFont;
        if (font.pointSizeF() > 0.0)
            font.setPointSizeF(font.pointSizeF() * scale);
        else
            font.setPixelSize(std::max(1, static_cast<int>(font.pixelSize() * scale)));
        return font;
    };
    const int wrapped = (flags & ~Qt::AlignVertical_Mask) | Qt::AlignVCenter | Qt::TextWordWrap;
    for (double scale = 1.0; scale > kLeastScale - 1e-9; scale -= 0.05) {
        const QFont font = scaled(scale);
        painter.setFont(font);
        if (QFontMetricsF(font).horizontalAdvance(text) <= box.width()) {
            drawTextBox(painter, box, flags, text, colour);
            painter.restore();
            return;
        }
        if (wrappedTextHeight(font, box.width(), text) <= box.height()) {
            drawTextBox(painter, box, wrapped, text, colour);
            painter.restore();
            return;
        }
    }
    painter.setFont(scaled(kLeastScale));
    drawTextBox(painter, box, wrapped | Qt::TextDontClip, text, colour);
    painter.restore();
}

void drawValueLabels(QPainter& painter, const QRectF& panel, const QString& upper, const QString& lower,
                     const QColor& colour, double left, double width)
{
    // Numbers are never cut: a long one runs out of its box to the left, and
    // where the widget's left edge would cut it, it starts at the box's left
    // edge and runs into the panel instead.
    const QFontMetricsF metrics(painter.font());
    const auto drawLabel = [&](const QString& text, double top) {
        const double needed = metrics.horizontalAdvance(text);
        if (needed <= left + width)
            drawTextBox(painter, QRectF(left, top, width, 18.0), Qt::AlignRight | Qt::AlignVCenter | Qt::TextDontClip,
                        text, colour);
        else
            drawTextBox(painter, QRectF(left, top, needed, 18.0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip,
                        text, colour);
    };
    drawLabel(upper, panel.top() - 8.0);
    // A panel too short for two lines of text keeps its upper value alone
    // rather than printing the two over each other.
    if (panel.height() >= 18.0)
        drawLabel(lower, panel.bottom() - 10.0);
}

void drawAxisEndLabels(QPainter& painter, const QRectF& panel, const QString& first, const QString& last,
                       const QColor& colour, double boxWidth, double gap)
{
    const double top = panel.bottom() + gap;
    drawTextBox(painter, QRectF(panel.left(), top, boxWidth, 20.0), Qt::AlignLeft | Qt::TextDontClip, first, colour);
    drawTextBox(painter, QRectF(panel.right() - boxWidth, top, boxWidth, 20.0), Qt::AlignRight | Qt::TextDontClip, last,
                colour);
}

void drawAxisCaption(QPainter& painter, const QRectF& panel, const QString& text, const QColor& colour, double gap,
                     double height)
{
    drawCentredText(painter, QRectF(panel.left(), panel.bottom() + gap, panel.width(), height), text, colour);
}

QFont boldTitleFont(const QFont& widgetFont)
{
    QFont font(widgetFont);
    font.setWeight(75);
    return font;
}

void drawPanelCaption(QPainter& painter, const QRect& panel, int gap, int height, const QString& text,
                      const QColor& colour)
{
    // A caption wider than its panel (panels side by side) goes on to further
    // lines rather than into its neighbour's.
    const double needed = wrappedTextHeight(painter.font(), panel.width(), text);
    if (needed <= height) {
        drawCentredText(painter, QRect(panel.left(), panel.bottom() + gap, panel.width(), height), text, colour);
        return;
    }
    drawTextBox(painter, QRectF(panel.left(), panel.bottom() + gap, panel.width(), needed),
                Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, text, colour);
}

QRectF drawPanelSummary(QPainter& painter, const QRect& panel, int height, const QString& text, const QColor& colour,
                        const QColor& patch)
{
    // One line centred in its band; more from the band's top down.
    const int width = panel.width() - 16;
    const double needed = wrappedTextHeight(painter.font(), width, text);
    const bool oneLine = needed <= height;
    const QRect box(panel.left() + 8, panel.top() + 5, width, oneLine ? height : static_cast<int>(std::ceil(needed)));
    return drawTextOnPatch(painter, box, Qt::AlignLeft | (oneLine ? Qt::AlignVCenter : Qt::AlignTop) | Qt::TextWordWrap,
                           text, colour, patch);
}

void drawStackedTexts(QPainter& painter, const StackedPanels& panels, const StackedTexts& texts,
                      const QString& upperCaption, const QString& lowerCaption, const QString& summary,
                      const QColor& captionColour, const QColor& summaryColour, const QColor& patch)
{
    drawPanelCaption(painter, panels.upper, texts.upperCaption.gap, texts.upperCaption.height, upperCaption,
                     captionColour);
    drawPanelCaption(painter, panels.lower, texts.lowerCaption.gap, texts.lowerCaption.height, lowerCaption,
                     captionColour);
    drawStackedSummary(painter, panels, panels.upper, texts, summary, summaryColour, patch);
}

void drawStackedSummary(QPainter& painter, const StackedPanels& panels, const QRect& panel, const StackedTexts& texts,
                        const QString& summary, const QColor& colour, const QColor& patch)
{
    if (!sideBySide(panels)) {
        drawPanelSummary(painter, panel, texts.summaryHeight, summary, colour, patch);
        return;
    }
    if (!panels.summaryShown)
        return;
    const QRect band(panels.upper.left(), panels.upper.top() - texts.sideBySideSummaryHeight,
                     panels.lower.right() - panels.upper.left() + 1, texts.sideBySideSummaryHeight);
    drawTextOnPatch(painter, band, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap,
                    breakBetweenFields(painter.font(), band.width(), summary), colour, patch);
}

double stackedSummaryBottom(const StackedPanels& panels, const QRect& panel, const StackedTexts& texts,
                            const QFont& font, const QString& summary)
{
    if (sideBySide(panels))
        return panel.top();
    // As drawPanelSummary lays it out.
    const double needed = wrappedTextHeight(font, panel.width() - 16, summary);
    return panel.top() + 5.0 + std::max<double>(texts.summaryHeight, std::ceil(needed)) + 3.0;
}

QString breakBetweenFields(const QFont& font, double width, const QString& text)
{
    const QString separator = QStringLiteral("   ");
    const QFontMetricsF metrics(font);
    QString broken;
    QString line;
    for (const QString& field : text.split(separator)) {
        const QString longer = line.isEmpty() ? field : line + separator + field;
        if (!line.isEmpty() && metrics.horizontalAdvance(longer) > width) {
            broken += line + QLatin1Char('\n');
            line = field;
        } else {
            line = longer;
        }
    }
    return broken + line;
}

double drawLegendRow(QPainter& painter, double left, double top, double right, const std::vector<LegendItem>& entries,
                     const QColor& patch)
{
    constexpr double kRowHeight = 18.0;
    constexpr double kEntryGap = 12.0;
    const QFontMetricsF metrics(painter.font());
    double row = top;
    double end = -std::numeric_limits<double>::infinity();
    for (const LegendItem& entry : entries) {
        const double advance = metrics.horizontalAdvance(entry.text);
        double at = std::max(left + entry.offset, end + kEntryGap);
        // Closer to the entry before it, then on a further row.
        if (std::isfinite(end) && at + advance > right)
            at = end + kEntryGap;
        if (std::isfinite(end) && at + advance > right) {
            row += kRowHeight;
            at = left + entries.front().offset;
        }
        // An entry wider than a whole row wraps onto lines of its own.
        const bool wraps = advance > right - at && right - at > 0.0;
        const QRectF box = wraps ? QRectF(at, row, right - at,
                                          std::max(wrappedTextHeight(painter.font(), right - at, entry.text), 20.0))
                                 : QRectF(at, row, std::max(entry.width, advance), 20.0);
        const int flags = wraps ? Qt::AlignLeft | Qt::TextWordWrap : Qt::AlignLeft;
        if (patch.isValid())
            drawTextOnPatch(painter, box, flags, entry.text, QColor(entry.colour), patch);
        else
            drawTextBox(painter, box, flags, entry.text, QColor(entry.colour));
        row += box.height() - 20.0;
        end = wraps ? right : at + advance;
    }
    return row + 20.0;
}

void drawPanelHeading(QPainter& painter, const QRect& panel, const QString& text, const QColor& colour)
{
    drawTextBox(painter, QRectF(panel.left(), panel.top() - 20, panel.width(), 18), Qt::AlignLeft, text, colour);
}
} // namespace vxo::plot
