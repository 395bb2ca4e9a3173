#pragma once

#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QSizeF>

#include <cstdint>

namespace vxo {

// Zoom and pan of the viewport over the physical domain. The visible window
// is (viewExtent / zoom) wide and high, centred on (panX, panY); physical
// coordinates have their origin at the grid centre and y pointing up.
struct ViewNavigation {
    float viewExtentX = 0.0f;
    float viewExtentY = 0.0f;
    float zoom = 1.0f;
    float panX = 0.0f;
    float panY = 0.0f;
};

constexpr float kMinimumZoom = 1.0f;
constexpr float kMaximumZoom = 32.0f;
// One wheel notch (120 eighths of a degree) multiplies the zoom by this.
constexpr double kZoomPerNotch = 1.15;

// Texture-coordinate transform of the zoomed passes: the unit square maps to
// [offset, offset + scale], s = 1 / zoom, offset = pan / extent + (1 - s) / 2.
struct TextureTransform {
    float scaleX = 1.0f;
    float scaleY = 1.0f;
    float offsetX = 0.0f;
    float offsetY = 0.0f;
};

TextureTransform zoomedTextureTransform(const ViewNavigation& navigation);

// The shape the picture is fitted by: the domain's physical extents, so that a
// length unit spans as many pixels along x as along y whatever the cells are
// like; the texel counts when the domain has no extent on an axis (a NaN
// extent counts as none), and an empty size when there is no texture.
QSizeF pictureShape(const ViewNavigation& navigation, std::uint64_t textureWidth, std::uint64_t textureHeight);

// The fit of a picture of shape width x height (any unit) into the device
// pixels of a widget, its aspect ratio kept: in whole device pixels, at
// least 1 x 1, for the render targets; the whole device without a shape.
QSize letterboxSize(int deviceWidth, int deviceHeight, double shapeWidth, double shapeHeight);

// The letterbox viewport of an image of `image` size centred in the device area.
QRect letterboxViewport(int deviceWidth, int deviceHeight, QSize image);

// Where the picture is drawn in a widget of widgetWidth x widgetHeight
// logical pixels at the device pixel ratio `ratio`: the letterbox of the
// device pixels (letterboxSize, letterboxViewport, whose y counts from the
// bottom as OpenGL's does) in logical pixels, so that what is mapped onto the
// picture lands on the pixels it was drawn in. Empty when the shape or the
// widget has no area.
QRectF drawnImageRect(double shapeWidth, double shapeHeight, double widgetWidth, double widgetHeight, double ratio);

// Normalised image coordinates (u right, v up, both 0..1 over the image) to
// physical coordinates; the division by zoom happens only when zoom > 0.
void imageToWorld(const ViewNavigation& navigation, double u, double v, double& x, double& y);

// Physical point under a widget point; false when the image is empty, the
// point lies outside it (edges count as inside) or an extent is not positive.
bool widgetToWorld(const QRectF& image, const ViewNavigation& navigation, const QPointF& point, double& x, double& y);

// Widget point of a physical point; (0, 0) when there is no image or extent.
QPointF worldToWidget(const QRectF& image, const ViewNavigation& navigation, double x, double y);

// Keeps |pan| <= (extent - extent / zoom) / 2 on each axis; without an extent
// the view goes back to zoom 1 and pan (0, 0).
void clampPan(ViewNavigation& navigation);

// Multiplies the zoom by `factor` (limited to [1, 32]) keeping the physical
// point at normalised image position (u, v), v counted from the top, fixed
// under the cursor unless the pan clamp moves the view. True when the zoom
// changed by more than 1e-6.
bool zoomAboutImagePoint(ViewNavigation& navigation, double u, double v, double factor);

// Drag of the picture by (deltaX, deltaY) widget pixels over an image of the
// given size: the picture follows the cursor. The pan is clamped afterwards.
void panByPixels(ViewNavigation& navigation, const QRectF& image, double deltaX, double deltaY);

// Grid indices first..last (inclusive, first a multiple of stride) of the
// cells of an axis of n cells of size d whose centres
// (k - (n - 1) / 2) d lie in the visible window [pan - w / 2, pan + w / 2],
// w = extent / zoom. Empty when first > last. Signed arithmetic throughout, so
// a window reaching past either end of the grid is cut, not wrapped.
struct IndexRange {
    std::int64_t first = 0;
    std::int64_t last = -1;
    bool empty() const { return first > last; }
};

IndexRange visibleLatticeRange(double pan, double viewExtent, double zoom, double cellSize, std::uint64_t n,
                               std::int64_t stride);

} // namespace vxo
