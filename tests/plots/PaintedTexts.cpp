#include "PaintedTexts.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QStringList>
#include <QWidget>

#include <gtest/gtest.h>

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
    void drawPath(const QPainterPath&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawLines(const QLineF*, int) override {}
    void drawRects(const QRectF* rects, int count) override
    {
        if (state->pen().style() == Qt::NoPen)
            return;
        for (int k = 0; k < count; ++k) {
            const QRectF r = state->transform().mapRect(rects[k]);
            if (r.width() >= 40 && r.height() >= 40)
                page.frames.push_back(r);
        }
    }
    void drawEllipse(const QRectF&) override {}
    void drawPoints(const QPointF*, int) override {}
    void drawTextItem(const QPointF& at, const QTextItem& item) override
    {
        const QFontMetricsF metrics(item.font());
        const QRectF box = state->transform().mapRect(
            QRectF(at.x(), at.y() - metrics.ascent(), metrics.horizontalAdvance(item.text()), metrics.height()));
        QRectF shown = box;
        if (painter()->hasClipping())
            shown &= painter()->transform().mapRect(painter()->clipBoundingRect());
        page.texts.push_back({item.text(), box, state->pen().color(), shown});
    }
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
