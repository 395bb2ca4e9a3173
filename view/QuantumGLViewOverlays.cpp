#include "view/QuantumGLView.h"

#include "core/DetectorTemporalFlux2D.h"
#include "core/Numeric.h"
#include "core/ProbabilityStreamlines2D.h"
#include "view/OverlayGeometry.h"
#include "view/ViewSettingRules.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>

#include <algorithm>
#include <climits>
#include <cmath>

// The vector overlays painted with QPainter over the finished picture, each in
// widget pixels mapped from physical coordinates through the image rectangle.

namespace vxo {

namespace {

// A painter on the view, clipped to the image and antialiased.
void preparePainter(QPainter& painter, const QRectF& image)
{
    painter.setClipRect(image);
    painter.setRenderHint(QPainter::Antialiasing, true);
}

QColor withOpacity(QColor color, float opacity)
{
    color.setAlphaF(clampUpperFirst(opacity, 0.0f, 1.0f));
    return color;
}

QPen dashedPen(const QColor& color, double width)
{
    QPen pen(color, width);
    pen.setStyle(Qt::DashLine);
    return pen;
}

} // namespace

void QuantumGLView::drawPainterOverlays()
{
    // Every overlay maps physical points through the domain's extents: none is
    // drawn without a domain on both axes (a NaN extent counts as none).
    if (!(geometry_.worldExtentX > 0.0f) || !(geometry_.worldExtentY > 0.0f))
        return;
    drawPotentialContours();
    drawProbabilityContours();
    drawFluxTube();
    const bool currentShown = overlays_.currentVisible && !current_.isEmpty() && current_.maxMagnitude > 0.0f;
    if (currentShown) {
        const std::uint32_t mode = overlays_.currentMode;
        const bool both = mode == QuantumOverlaySettings::kCurrentVectorsAndStreamlines;
        if (both || mode == QuantumOverlaySettings::kCurrentStreamlines)
            drawCurrentStreamlines();
        if (both || mode == QuantumOverlaySettings::kCurrentVectors)
            drawCurrentVectors();
    }
    drawDetectorOverlay();
    // The markers over the section line, which a lesson often lays on the
    // detector's line.
    drawSectionLine();
    drawMeasurementMarkers();
    drawEditorShapePreview();
}

QColor QuantumGLView::probabilityContourColor(float t)
{
    struct Stop {
        double position;
        int r, g, b;
    };
    static constexpr Stop kStops[] = {{0.0, 30, 65, 255},   {0.2, 0, 175, 255},  {0.42, 80, 235, 210},
                                      {0.62, 230, 70, 230}, {0.8, 255, 170, 40}, {1.0, 255, 255, 235}};
    const double x = clampUpperFirst(t, 0.0f, 1.0f);
    int k = 5;
    for (int s = 1; s <= 5; ++s) {
        if (x <= kStops[s].position) {
            k = s;
            break;
        }
    }
    const Stop& a = kStops[k - 1];
    const Stop& b = kStops[k];
    const double f = std::clamp((x - a.position) / std::max(b.position - a.position, 1e-12), 0.0, 1.0);
    auto channel = [f](int from, int to) { return static_cast<int>(std::lround(from + (to - from) * f)); };
    return QColor(channel(a.r, b.r), channel(a.g, b.g), channel(a.b, b.b), 255);
}

void QuantumGLView::drawPotentialContours()
{
    if (!overlays_.potentialContoursVisible || potentialContours_.segments.empty() ||
        !(overlays_.potentialContourOpacity > 0.0f))
        return;
    const QRectF image = imageRect();
    const ViewNavigation& nav = geometry_.navigation;
    QPainter painter(this);
    preparePainter(painter, image);
    painter.setPen(
        QPen(withOpacity(QColor(255, 205, 80), overlays_.potentialContourOpacity), overlays_.potentialContourWidth));
    painter.setBrush(Qt::NoBrush);
    QVector<QLineF> lines;
    lines.reserve(static_cast<int>(std::min<std::size_t>(potentialContours_.segments.size(), INT_MAX)));
    for (const PotentialContourSegment& s : potentialContours_.segments)
        lines.append(QLineF(vxo::worldToWidget(image, nav, s.x0, s.y0), vxo::worldToWidget(image, nav, s.x1, s.y1)));
    painter.drawLines(lines);
}

void QuantumGLView::drawProbabilityContours()
{
    if (!overlays_.probabilityContoursVisible || probabilityContours_.segments.empty() ||
        !(overlays_.probabilityContourOpacity > 0.0f))
        return;
    const QRectF image = imageRect();
    const ViewNavigation& nav = geometry_.navigation;
    QPainter painter(this);
    preparePainter(painter, image);
    painter.setBrush(Qt::NoBrush);
    const auto& segments = probabilityContours_.segments;
    // One pen per level: segments arrive grouped level by level.
    QVector<QLineF> lines;
    std::size_t k = 0;
    while (k < segments.size()) {
        const float level = segments[k].level;
        painter.setPen(
            QPen(withOpacity(probabilityContourColor(segments[k].colorFraction), overlays_.probabilityContourOpacity),
                 overlays_.probabilityContourWidth));
        lines.clear();
        // The first segment of a group is always taken: a NaN level equals nothing,
        // not even itself, and must not stall the loop.
        do {
            lines.append(QLineF(vxo::worldToWidget(image, nav, segments[k].x0, segments[k].y0),
                                vxo::worldToWidget(image, nav, segments[k].x1, segments[k].y1)));
            ++k;
        } while (k < segments.size() && segments[k].level == level);
        painter.drawLines(lines);
    }
}

void QuantumGLView::drawCurrentStreamlines()
{
    const QRectF image = imageRect();
    if (image.isEmpty())
        return;
    const ViewNavigation& nav = geometry_.navigation;
    const double zoom = nav.zoom > 0.0f ? nav.zoom : 1.0f;
    const double px = nav.viewExtentX / zoom / std::max(image.width(), 1.0);
    const double py = nav.viewExtentY / zoom / std::max(image.height(), 1.0);
    const StreamlineParameters parameters =
        streamlineParametersFor(current_, std::min(px, py), overlays_.streamlineLength);
    if (!isFinitePositive(parameters.stepLength))
        return;

    QPainter painter(this);
    preparePainter(painter, image);
    painter.setPen(QPen(QColor(90, 225, 255, 160), 1.15));
    painter.setBrush(Qt::NoBrush);
    const double s = std::max(overlays_.currentSpacing, 18);
    for (double y = image.top() + s / 2.0; y < image.bottom(); y += s) {
        for (double x = image.left() + s / 2.0; x < image.right(); x += s) {
            float wx = 0.0f;
            float wy = 0.0f;
            if (!widgetToWorld(QPointF(x, y), wx, wy))
                continue;
            const std::vector<StreamlinePoint> line = ProbabilityStreamlines2D::trace(current_, wx, wy, parameters);
            if (line.size() < 3)
                continue;
            QPainterPath path(vxo::worldToWidget(image, nav, line.front().x, line.front().y));
            for (std::size_t p = 1; p < line.size(); ++p)
                path.lineTo(vxo::worldToWidget(image, nav, line[p].x, line[p].y));
            painter.drawPath(path);
        }
    }
}

void QuantumGLView::drawCurrentVectors()
{
    const QRectF image = imageRect();
    if (image.isEmpty())
        return;
    const ViewNavigation& nav = geometry_.navigation;
    const std::int32_t spacing = overlays_.currentSpacing;
    const double arrowLength = spacing * 0.8 * overlays_.currentScale;
    const double head = std::max(0.22 * arrowLength, 3.0);
    const std::uint64_t nx = current_.nx;
    const std::uint64_t ny = current_.ny;
    const std::int64_t strideX = arrowLatticeStride(spacing, nx, nav.zoom, image.width());
    const std::int64_t strideY = arrowLatticeStride(spacing, ny, nav.zoom, image.height());
    const IndexRange columns = visibleLatticeRange(nav.panX, nav.viewExtentX, nav.zoom, current_.dx, nx, strideX);
    const IndexRange rows = visibleLatticeRange(nav.panY, nav.viewExtentY, nav.zoom, current_.dy, ny, strideY);
    if (columns.empty() || rows.empty())
        return;

    QPainter painter(this);
    preparePainter(painter, image);
    const QColor colour(145, 245, 255, 225);
    painter.setPen(QPen(colour, 1.35));
    painter.setBrush(colour);
    const double cx = centreOffset(nx);
    const double cy = centreOffset(ny);
    QVector<QLineF> lines;
    for (std::int64_t j = rows.first; j <= rows.last; j += strideY) {
        for (std::int64_t i = columns.first; i <= columns.last; i += strideX) {
            const std::size_t k = static_cast<std::size_t>(j) * nx + static_cast<std::size_t>(i);
            const QPointF base =
                vxo::worldToWidget(image, nav, static_cast<float>((static_cast<double>(i) - cx) * current_.dx),
                                   static_cast<float>((static_cast<double>(j) - cy) * current_.dy));
            CurrentArrow arrow;
            if (!currentArrow(base, current_.jx[k], current_.jy[k], current_.maxMagnitude, arrowLength, head, arrow))
                continue;
            lines.append(QLineF(arrow.base, arrow.tip));
            lines.append(QLineF(arrow.tip, arrow.headLeft));
            lines.append(QLineF(arrow.tip, arrow.headRight));
        }
    }
    painter.drawLines(lines);
}

void QuantumGLView::drawDetectorOverlay()
{
    const float ey = geometry_.worldExtentY;
    if (!overlays_.detectorVisible)
        return;
    const QRectF image = imageRect();
    QPainter painter(this);
    preparePainter(painter, image);

    const float x = overlays_.detectorX;
    const float half = overlays_.detectorThickness / 2.0f;
    const QPointF top = worldToWidget(x, ey / 2.0f);
    const QPointF bottom = worldToWidget(x, -ey / 2.0f);
    const double e0 = worldToWidget(x - half, 0.0f).x();
    const double e1 = worldToWidget(x + half, 0.0f).x();
    const double x0 = std::min(e0, e1);
    const double x1 = std::max(e0, e1);

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(80, 205, 255, 28));
    painter.drawRect(QRectF(x0, top.y(), std::max(x1 - x0, 1.0), bottom.y() - top.y()).normalized());

    painter.setPen(dashedPen(QColor(120, 225, 255, 220), 1.6));
    painter.setBrush(Qt::NoBrush);
    painter.drawLine(top, bottom);

    const std::int32_t bins = overlays_.detectorBins;
    if (bins < 1)
        return;
    const double histogramWidth = std::min(0.2 * image.width(), 150.0);
    const double binHeight = image.height() / bins;
    const double baseX = top.x() + 4.0;

    if (!markers_.empty()) {
        const std::vector<std::uint64_t> counts =
            histogramShots(markers_, -ey / 2.0f, ey / 2.0f, static_cast<std::uint64_t>(bins));
        const std::uint64_t most = counts.empty() ? 0 : *std::max_element(counts.begin(), counts.end());
        if (most > 0) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor(100, 220, 255, 88));
            for (std::size_t k = 0; k < counts.size(); ++k) {
                if (counts[k] == 0)
                    continue;
                const double w = static_cast<double>(counts[k]) / static_cast<double>(most) * histogramWidth;
                painter.drawRect(QRectF(baseX, image.bottom() - (static_cast<double>(k) + 1.0) * binHeight, w,
                                        std::max(binHeight - 0.6, 1.0)));
            }
        }
    }

    if (overlays_.detectorReferenceVisible && !detectorFlux_.empty()) {
        const std::vector<double> reference =
            DetectorTemporalFlux2D::normalizedDistribution(detectorFlux_, static_cast<std::uint64_t>(bins));
        const double largest = reference.empty() ? 0.0 : *std::max_element(reference.begin(), reference.end());
        if (largest > 0.0) {
            QPolygonF curve;
            for (std::size_t k = 0; k < reference.size(); ++k)
                curve << QPointF(baseX + reference[k] / largest * histogramWidth,
                                 image.bottom() - (static_cast<double>(k) + 0.5) * binHeight);
            painter.setPen(QPen(QColor(255, 220, 80, 245), 2.2));
            painter.setBrush(Qt::NoBrush);
            painter.drawPolyline(curve);
        }
    }
}

bool QuantumGLView::onDetectorLine(const MeasurementShot& shot) const
{
    const float line = overlays_.detectorX;
    return overlays_.detectorVisible && std::fabs(shot.x - line) <= 1e-6f * std::max(1.0f, std::fabs(line));
}

void QuantumGLView::drawMeasurementMarkers()
{
    if (!overlays_.markersVisible || markers_.empty())
        return;
    QPainter painter(this);
    preparePainter(painter, imageRect());
    const double radius = overlays_.markerSize / 2.0;

    // Detections on the detector's line are shown on a dark strip of screen
    // beside it, spread across the strip, so that each reads as a point of its
    // own and none hides under the line.
    const ScreenStrip strip = screenStripFor(overlays_.markerSize);
    const double lineX = worldToWidget(overlays_.detectorX, 0.0f).x();
    const double stripInner = lineX - strip.gap - radius;
    const double stripOuter = stripInner - strip.width;
    const bool onScreen =
        std::any_of(markers_.begin(), markers_.end(), [this](const MeasurementShot& s) { return onDetectorLine(s); });
    if (onScreen) {
        const float ey = geometry_.worldExtentY;
        const double top = worldToWidget(overlays_.detectorX, ey / 2.0f).y();
        const double bottom = worldToWidget(overlays_.detectorX, -ey / 2.0f).y();
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 0, 0, 170));
        painter.drawRect(QRectF(QPointF(stripOuter - radius - 2.0, top), QPointF(stripInner + radius + 2.0, bottom)));
    }

    painter.setPen(QPen(QColor(255, 245, 170, 230), 0.8));
    painter.setBrush(QColor(255, 210, 80, 215));
    for (std::size_t k = 0; k < markers_.size(); ++k) {
        const MeasurementShot& shot = markers_[k];
        QPointF at = worldToWidget(shot.x, shot.y);
        if (onDetectorLine(shot))
            at.setX(stripInner - strip.width * screenSpread(k));
        painter.drawEllipse(at, radius, radius);
    }
}

void QuantumGLView::drawSectionLine()
{
    if (!overlays_.sectionVisible)
        return;
    const float ex = geometry_.worldExtentX;
    const float ey = geometry_.worldExtentY;
    const QRectF image = imageRect();
    QPainter painter(this);
    preparePainter(painter, image);
    painter.setPen(dashedPen(QColor(255, 170, 70, 225), 1.6));
    painter.setBrush(Qt::NoBrush);

    const float c = overlays_.sectionCoordinate;
    const bool horizontal = overlays_.sectionOrientation == 0;
    QPointF from;
    QPointF to;
    QString label;
    if (horizontal) {
        from = worldToWidget(-ex / 2.0f, c);
        to = worldToWidget(ex / 2.0f, c);
        label = QStringLiteral("Y=%1").arg(static_cast<double>(c), 0, 'f', 2);
    } else {
        from = worldToWidget(c, ey / 2.0f);
        to = worldToWidget(c, -ey / 2.0f);
        label = QStringLiteral("X=%1").arg(static_cast<double>(c), 0, 'f', 2);
    }
    painter.drawLine(from, to);

    const bool inside = horizontal ? (image.top() <= from.y() && from.y() <= image.bottom())
                                   : (image.left() <= from.x() && from.x() <= image.right());
    if (!inside)
        return;
    const QPointF anchor =
        horizontal ? QPointF(image.left() + 8.0, from.y() - 6.0) : QPointF(from.x() + 6.0, image.top() + 18.0);
    QFont font = painter.font();
    font.setPixelSize(std::max(font.pixelSize(), 13));
    font.setWeight(63);
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    const QRectF box(anchor.x() - 4.0, anchor.y() - metrics.ascent() - 3.0, metrics.horizontalAdvance(label) + 8.0,
                     metrics.height() + 6.0);
    painter.setPen(QPen(QColor(255, 210, 135, 150), 1.0));
    painter.setBrush(QColor(0, 0, 0, 190));
    painter.drawRoundedRect(box, 4.0, 4.0, Qt::AbsoluteSize);
    painter.setPen(QColor(255, 218, 145));
    painter.drawText(anchor, label);
}

void QuantumGLView::drawFluxTube()
{
    const float radius = overlays_.fluxTubeRadius;
    if (!overlays_.fluxTubeVisible || !(radius > 0.0f))
        return;
    QPainter painter(this);
    preparePainter(painter, imageRect());
    const float x = overlays_.fluxTubeX;
    const float y = overlays_.fluxTubeY;
    const QPointF centre = worldToWidget(x, y);
    // One scale along both axes: the tube is round on screen.
    const double r = std::fabs(worldToWidget(x + radius, y).x() - centre.x());
    if (!std::isfinite(r) || !std::isfinite(centre.x()) || !std::isfinite(centre.y()))
        return;

    // The tube stands out of the dark field as a bright ring, hatched inside
    // so that what the field shows in it still shows between the lines.
    const QColor ring(230, 160, 255, 240);
    painter.setPen(QPen(ring, 2.0));
    painter.setBrush(QBrush(QColor(215, 150, 255, 200), Qt::BDiagPattern));
    painter.drawEllipse(centre, r, r);

    // The field through the tube: a dot points out of the screen, a cross into it.
    const float flux = overlays_.fluxQuanta;
    const double mark = std::clamp(0.3 * r, 1.5, 5.0);
    if (flux > 0.0f) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(ring);
        painter.drawEllipse(centre, mark, mark);
    } else if (flux < 0.0f) {
        painter.setPen(QPen(ring, 1.6));
        painter.drawLine(centre + QPointF(-mark, -mark), centre + QPointF(mark, mark));
        painter.drawLine(centre + QPointF(-mark, mark), centre + QPointF(mark, -mark));
    }
}

void QuantumGLView::drawEditorShapePreview()
{
    if (!editor_.enabled || !editor_.dragging)
        return;
    QPainter painter(this);
    preparePainter(painter, imageRect());
    painter.setPen(dashedPen(QColor(255, 220, 80, 230), 2.0));
    painter.setBrush(QColor(255, 220, 80, 35));
    const QPointF p0 = worldToWidget(editor_.dragStartX, editor_.dragStartY);
    const QPointF p1 = worldToWidget(editor_.dragCurrentX, editor_.dragCurrentY);
    if (editor_.tool == PotentialEditorShape::kCircle) {
        const double r = std::hypot(p1.x() - p0.x(), p1.y() - p0.y());
        painter.drawEllipse(p0, r, r);
    } else {
        painter.drawRect(QRectF(p0, p1).normalized());
    }
}

} // namespace vxo
