#include "PaintedTexts.h"

#include <QFontMetricsF>
#include <QPainterPathStroker>
#include <QPolygonF>
#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QStringList>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

namespace vxo::test {

namespace {

// An engine that draws nothing and keeps every text item, with the transform
// in force when it was drawn, and every outline large enough to be a panel.
class TextCapturingEngine : public QPaintEngine {
public:
    TextCapturingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}

    PaintedPage page;

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    Type type() const override { return QPaintEngine::User; }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawImage(const QRectF&, const QImage&, const QRectF&, Qt::ImageConversionFlags) override {}
    void drawTiledPixmap(const QRectF&, const QPixmap&, const QPointF&) override {}
    void drawRects(const QRectF* rects, int count) override
    {
        for (int k = 0; k < count; ++k) {
            const QRectF r = state->transform().mapRect(rects[k]);
            if (state->brush().style() == Qt::SolidPattern && state->brush().color().alpha() >= 200)
                page.patches.push_back({r, next_++});
            if (state->pen().style() != Qt::NoPen && r.width() >= 40 && r.height() >= 40)
                page.frames.push_back(r);
        }
    }
    void drawPath(const QPainterPath& path) override { mark(path, false); }
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override
    {
        QPainterPath path;
        path.addPolygon(QPolygonF(QVector<QPointF>(points, points + count)));
        if (mode != PolylineMode)
            path.closeSubpath();
        mark(path, mode != PolylineMode);
    }
    void drawLines(const QLineF* lines, int count) override
    {
        QPainterPath path;
        for (int k = 0; k < count; ++k) {
            path.moveTo(lines[k].p1());
            path.lineTo(lines[k].p2());
        }
        mark(path, false);
    }
    void drawEllipse(const QRectF& r) override
    {
        QPainterPath path;
        path.addEllipse(r);
        mark(path, true);
    }
    void drawPoints(const QPointF*, int) override {}
    void drawTextItem(const QPointF& at, const QTextItem& item) override
    {
        const QFontMetricsF metrics(item.font());
        const QRectF box = state->transform().mapRect(
            QRectF(at.x(), at.y() - metrics.ascent(), metrics.horizontalAdvance(item.text()), metrics.height()));
        QRectF shown = box;
        if (painter()->hasClipping())
            shown &= painter()->transform().mapRect(painter()->clipBoundingRect());
        page.texts.push_back({item.text(), box, state->pen().color(), shown, next_++});
    }

private:
    // The stroke of the path in the pen (a cosmetic pen as one pixel), and
    // with a brush its inside too, as far as the clip lets it, in widget pixels.
    void mark(const QPainterPath& path, bool closed)
    {
        QPainterPath area;
        const QPen& pen = state->pen();
        if (pen.style() != Qt::NoPen) {
            QPainterPathStroker stroker;
            stroker.setWidth(std::max(pen.widthF(), 1.0));
            stroker.setCapStyle(Qt::FlatCap);
            area = stroker.createStroke(path);
        }
        if (closed && state->brush().style() != Qt::NoBrush)
            area = area.united(path);
        if (painter()->hasClipping())
            area = area.intersected(painter()->clipPath());
        if (!area.isEmpty()) {
            const QColor colour = pen.style() == Qt::NoPen ? state->brush().color() : pen.color();
            const double width = std::max(pen.widthF(), 1.0);
            page.marks.push_back({state->transform().map(area), colour, pen.style(), width, next_++});
        }
    }

    int next_ = 0;
};

// A device of the plot's size and resolution that paints through the capturing engine.
class TextCapturingDevice : public QPaintDevice {
public:
    explicit TextCapturingDevice(const QSize& size) : reference_(size, QImage::Format_RGB32) {}

    TextCapturingEngine engine;

    QPaintEngine* paintEngine() const override { return const_cast<TextCapturingEngine*>(&engine); }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
            return reference_.width();
        case PdmHeight:
            return reference_.height();
        case PdmWidthMM:
            return reference_.widthMM();
        case PdmHeightMM:
            return reference_.heightMM();
        case PdmNumColors:
            return reference_.colorCount();
        case PdmDepth:
            return reference_.depth();
        case PdmDpiX:
        case PdmPhysicalDpiX:
            return reference_.logicalDpiX();
        case PdmDpiY:
        case PdmPhysicalDpiY:
            return reference_.logicalDpiY();
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(QPaintDevice::devicePixelRatioFScale());
        }
        return 0;
    }

private:
    QImage reference_;
};

} // namespace

PaintedPage paintedPage(QWidget& plot, const QSize& size)
{
    plot.resize(size);
    TextCapturingDevice device(size);
    plot.render(&device, QPoint(), QRegion(), QWidget::DrawChildren);
    return device.engine.page;
}

std::vector<PaintedText> paintedTexts(QWidget& plot, const QSize& size) { return paintedPage(plot, size).texts; }

std::vector<PaintedMark> marksOverprinting(const PaintedPage& page, const PaintedText& text, const QRectF& ink)
{
    std::vector<PaintedMark> over;
    for (const PaintedMark& m : page.marks) {
        // Grids, frames and axes: thin solid lines a text may sit on; and
        // the dots that mark a value, which hide no more than a letter.
        const bool panelLine = m.style == Qt::SolidLine && m.width <= 1.0;
        const QRectF bounds = m.area.boundingRect();
        const bool dot = bounds.width() <= 18.0 && bounds.height() <= 18.0;
        if (panelLine || dot || !m.area.intersects(ink))
            continue;
        const bool hidden =
            m.order < text.order && std::any_of(page.patches.begin(), page.patches.end(), [&](const PaintedPatch& p) {
                return m.order < p.order && p.order < text.order && p.rect.contains(ink);
            });
        if (!hidden)
            over.push_back(m);
    }
    return over;
}

std::vector<PaintedPatch> patchesCovering(const PaintedPage& page, const PaintedText& text, const QRectF& ink)
{
    std::vector<PaintedPatch> over;
    for (const PaintedPatch& p : page.patches)
        if (p.order > text.order && p.rect.intersects(ink))
            over.push_back(p);
    return over;
}

PaintedText paintedText(const std::vector<PaintedText>& texts, const QString& prefix)
{
    std::vector<PaintedText> found;
    QStringList all;
    for (const PaintedText& t : texts) {
        all << t.text;
        if (t.text.startsWith(prefix))
            found.push_back(t);
    }
    EXPECT_EQ(found.size(), 1u) << "texts starting with \"" << prefix.toStdString()
                                << "\" among: " << all.join(QStringLiteral(" | ")).toStdString();
    return found.size() == 1 ? found.front() : PaintedText{};
}

void expectLegendRow(const std::vector<PaintedText>& texts, const std::vector<QString>& entries)
{
    for (std::size_t k = 1; k < entries.size(); ++k) {
        const QRectF before = paintedText(texts, entries[k - 1]).box;
        const QRectF after = paintedText(texts, entries[k]).box;
        EXPECT_LT(before.right(), after.left()) << entries[k].toStdString() << " overprints the entry before it";
        EXPECT_NEAR(before.center().y(), after.center().y(), 0.5) << entries[k].toStdString();
    }
}

} // namespace vxo::test
