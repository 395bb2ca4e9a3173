#include "view/ViewportMapping.h"

#include "core/Numeric.h"

#include <algorithm>
#include <cmath>

namespace vxo {

namespace {

double visibleSpan(double extent, double zoom) { return zoom > 0.0 ? extent / zoom : extent; }

// A shape with a usable aspect ratio: both sides positive and their ratio finite.
bool hasArea(double width, double height) { return width > 0.0 && height > 0.0 && std::isfinite(width / height); }

} // namespace

TextureTransform zoomedTextureTransform(const ViewNavigation& navigation)
{
    TextureTransform t;
    const double zoom = navigation.zoom;
    const double s = zoom > 0.0 ? 1.0 / zoom : 1.0;
    t.scaleX = static_cast<float>(s);
    t.scaleY = static_cast<float>(s);
    t.offsetX = navigation.viewExtentX > 0.0f
                    ? static_cast<float>(navigation.panX / static_cast<double>(navigation.viewExtentX) + 0.5 - s / 2.0)
                    : 0.0f;
    t.offsetY = navigation.viewExtentY > 0.0f
                    ? static_cast<float>(navigation.panY / static_cast<double>(navigation.viewExtentY) + 0.5 - s / 2.0)
                    : 0.0f;
    return t;
}

QSizeF pictureShape(const ViewNavigation& navigation, std::uint64_t textureWidth, std::uint64_t textureHeight)
{
    if (textureWidth < 1 || textureHeight < 1)
        return QSizeF();
    const double ex = navigation.viewExtentX;
    const double ey = navigation.viewExtentY;
    if (ex > 0.0 && ey > 0.0 && std::isfinite(ex) && std::isfinite(ey))
        return QSizeF(ex, ey);
    return QSizeF(static_cast<double>(textureWidth), static_cast<double>(textureHeight));
}

QSize letterboxSize(int deviceWidth, int deviceHeight, double shapeWidth, double shapeHeight)
{
    const int W = std::max(1, deviceWidth);
    const int H = std::max(1, deviceHeight);
    if (!hasArea(shapeWidth, shapeHeight))
        return QSize(W, H);
    const double aspect = shapeWidth / shapeHeight;
    if (static_cast<double>(W) / static_cast<double>(H) > aspect)
        return QSize(std::max(1, static_cast<int>(std::lround(H * aspect))), H);
    return QSize(W, std::max(1, static_cast<int>(std::lround(W / aspect))));
}

QRect letterboxViewport(int deviceWidth, int deviceHeight, QSize image)
{
    return QRect((deviceWidth - image.width()) / 2, (deviceHeight - image.height()) / 2, image.width(), image.height());
}

QRectF drawnImageRect(double shapeWidth, double shapeHeight, double widgetWidth, double widgetHeight, double ratio)
{
    if (!hasArea(shapeWidth, shapeHeight) || !(widgetWidth > 0.0) || !(widgetHeight > 0.0) || !(ratio > 0.0))
        return QRectF();
    // The device size as the render pass takes it.
    const int W = std::max(1, static_cast<int>(std::lround(widgetWidth * ratio)));
    const int H = std::max(1, static_cast<int>(std::lround(widgetHeight * ratio)));
    const QRect box = letterboxViewport(W, H, letterboxSize(W, H, shapeWidth, shapeHeight));
    const int top = H - box.y() - box.height();
    return QRectF(box.x() / ratio, top / ratio, box.width() / ratio, box.height() / ratio);
}

void imageToWorld(const ViewNavigation& navigation, double u, double v, double& x, double& y)
{
    x = (u - 0.5) * visibleSpan(navigation.viewExtentX, navigation.zoom) + navigation.panX;
    y = (v - 0.5) * visibleSpan(navigation.viewExtentY, navigation.zoom) + navigation.panY;
}

bool widgetToWorld(const QRectF& image, const ViewNavigation& navigation, const QPointF& point, double& x, double& y)
{
    if (image.isEmpty())
        return false;
    if (point.x() < image.left() || point.x() > image.right() || point.y() < image.top() || point.y() > image.bottom())
        return false;
    if (!(navigation.viewExtentX > 0.0f) || !(navigation.viewExtentY > 0.0f))
        return false;
    const double u = (point.x() - image.left()) / image.width();
    const double v = (point.y() - image.top()) / image.height();
    imageToWorld(navigation, u, 1.0 - v, x, y);
    return true;
}

QPointF worldToWidget(const QRectF& image, const ViewNavigation& navigation, double x, double y)
{
    if (image.isEmpty() || !(navigation.viewExtentX > 0.0f) || !(navigation.viewExtentY > 0.0f))
        return QPointF(0.0, 0.0);
    const double vx = visibleSpan(navigation.viewExtentX, navigation.zoom);
    const double vy = visibleSpan(navigation.viewExtentY, navigation.zoom);
    const double u = vx > 0.0 ? (x - navigation.panX) / vx + 0.5 : 0.5;
    const double v = vy > 0.0 ? (y - navigation.panY) / vy + 0.5 : 0.5;
    return QPointF(image.left() + image.width() * u, image.bottom() - image.height() * v);
}

void clampPan(ViewNavigation& navigation)
{
    if (!(navigation.viewExtentX > 0.0f) || !(navigation.viewExtentY > 0.0f)) {
        navigation.zoom = 1.0f;
        navigation.panX = 0.0f;
        navigation.panY = 0.0f;
        return;
    }
    const double ex = navigation.viewExtentX;
    const double ey = navigation.viewExtentY;
    const double mx = std::max((ex - visibleSpan(ex, navigation.zoom)) * 0.5, 0.0);
    const double my = std::max((ey - visibleSpan(ey, navigation.zoom)) * 0.5, 0.0);
    navigation.panX = static_cast<float>(std::clamp(static_cast<double>(navigation.panX), -mx, mx));
    navigation.panY = static_cast<float>(std::clamp(static_cast<double>(navigation.panY), -my, my));
}

bool zoomAboutImagePoint(ViewNavigation& navigation, double u, double v, double factor)
{
    if (!(navigation.viewExtentX > 0.0f) || !(navigation.viewExtentY > 0.0f) || !(factor > 0.0))
        return false;
    const double uc = std::clamp(u, 0.0, 1.0);
    const double vc = std::clamp(1.0 - v, 0.0, 1.0);
    double wx = 0.0;
    double wy = 0.0;
    imageToWorld(navigation, uc, vc, wx, wy);
    double zoom = std::min(navigation.zoom * factor, static_cast<double>(kMaximumZoom));
    zoom = std::max(zoom, static_cast<double>(kMinimumZoom));
    if (!(std::fabs(zoom - navigation.zoom) > 1e-6))
        return false;
    navigation.zoom = static_cast<float>(zoom);
    navigation.panX = static_cast<float>(wx - (uc - 0.5) * navigation.viewExtentX / zoom);
    navigation.panY = static_cast<float>(wy - (vc - 0.5) * navigation.viewExtentY / zoom);
    clampPan(navigation);
    return true;
}

void panByPixels(ViewNavigation& navigation, const QRectF& image, double deltaX, double deltaY)
{
    if (image.isEmpty())
        return;
    if (navigation.viewExtentX > 0.0f && navigation.viewExtentY > 0.0f) {
        navigation.panX = static_cast<float>(
            navigation.panX - deltaX * visibleSpan(navigation.viewExtentX, navigation.zoom) / image.width());
        navigation.panY = static_cast<float>(
            navigation.panY + deltaY * visibleSpan(navigation.viewExtentY, navigation.zoom) / image.height());
    }
    clampPan(navigation);
}

IndexRange visibleLatticeRange(double pan, double viewExtent, double zoom, double cellSize, std::uint64_t n,
                               std::int64_t stride)
{
    IndexRange range;
    if (n == 0 || !(cellSize > 0.0) || stride < 1)
        return range;
    const double window = visibleSpan(viewExtent, zoom);
    const double centre = centreOffset(n);
    const double lo = std::floor((pan - window / 2.0) / cellSize + centre);
    const double hi = std::ceil((pan + window / 2.0) / cellSize + centre);
    if (!std::isfinite(lo) || !std::isfinite(hi))
        return range;
    const double lastIndex = static_cast<double>(n - 1);
    const std::int64_t first = static_cast<std::int64_t>(std::max(0.0, std::min(lo, lastIndex + 1.0)));
    const std::int64_t last = static_cast<std::int64_t>(std::min(lastIndex, std::max(hi, -1.0)));
    // Anchor the lattice to the grid so that arrows do not crawl while panning.
    range.first = ((first + stride - 1) / stride) * stride;
    range.last = last;
    return range;
}

} // namespace vxo
