#pragma once

#include "common/QtTestSupport.h"

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

class QApplication;

namespace vxo::test {

// The non-finite values the robustness cases feed to the plots.
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// The application of the plot tests, always on the offscreen platform: the
// plots are painted into images by grab(), whatever display the run has.
QApplication& plotTestApplication();

namespace detail {
struct PlotApplication {
    PlotApplication() { plotTestApplication(); }
};
} // namespace detail

// Fixture of a plot test: the application, and a host widget that parents
// every plot the test makes (the plots are owned by it, as in the form).
class PlotTest : public ::testing::Test, private detail::PlotApplication {
protected:
    template <typename Widget>
    Widget& makePlot()
    {
        return *new Widget(&host_);
    }
    QWidget& host() { return host_; }

private:
    QWidget host_;
};

// The plot resized to size and grabbed, as RGB32.
QImage grabPlot(QWidget& plot, const QSize& size);

// Whether a pixel within radius of at (rounded to the pixel grid) has the
// colour, each channel within tolerance.
bool colourNear(const QImage& image, const QPointF& at, const QColor& colour, int radius = 1, int tolerance = 40);
// How many pixels of region (clipped to the image) have the colour.
int countColour(const QImage& image, const QRect& region, const QColor& colour, int tolerance = 40);
// The bounding box of the pixels of region that have the colour (or, with
// matching false, that do not); empty when there is none.
QRect colourBoundingBox(const QImage& image, const QRect& region, const QColor& colour, int tolerance,
                        bool matching = true);
// How many pixels of the image outside region have the colour.
int countColourOutside(const QImage& image, const QRect& region, const QColor& colour, int tolerance = 40);

// How often the brightness (channel sum) changes by more than threshold
// between neighbouring pixels along an axis-aligned run of pixels: a dashed or
// dotted line crossing the run makes many steps, a plain line along it none.
// A threshold of 0 counts every change, a faint dash's too.
int brightnessSteps(const QImage& image, const QPoint& from, const QPoint& to, int threshold = 40);
// The most brightness steps along the rows y - 1 .. y + 1 from x = left to
// right: a horizontal dashed line whose centre rounds to y, wherever its
// antialiasing puts it.
int dashStepsNearRow(const QImage& image, int y, int left, int right);
// Every brightness change along the rows y - 1 .. y + 1 from x = left to
// right, summed: a solid line there changes only where other lines cross it,
// and even a faint dashed line laid over it changes it often.
int changesNearRow(const QImage& image, int y, int left, int right);

// Whether the plot receives a paint event after action, with its host shown
// on screen (setters schedule repaints with update(), which does nothing for
// a hidden widget).
bool repaintsAfter(QWidget& plot, const std::function<void()>& action);

// The dot products of pixel - background with line - background (pc), with
// itself (pp), and of line - background with itself (cc).
struct InkProjection {
    double pc, pp, cc;
};

inline InkProjection inkProjection(QRgb pixel, const QColor& background, const QColor& line)
{
    const double p[3] = {double(qRed(pixel) - background.red()), double(qGreen(pixel) - background.green()),
                         double(qBlue(pixel) - background.blue())};
    const double c[3] = {double(line.red() - background.red()), double(line.green() - background.green()),
                         double(line.blue() - background.blue())};
    return {p[0] * c[0] + p[1] * c[1] + p[2] * c[2], p[0] * p[0] + p[1] * p[1] + p[2] * p[2],
            c[0] * c[0] + c[1] * c[1] + c[2] * c[2]};
}

// Whether a pixel is the colour line drawn over background, possibly blended
// with it by antialiasing or alpha: pixel - background points the way of
// colour - background and covers at least a fifth of it.
inline bool blendsToward(QRgb pixel, const QColor& background, const QColor& line)
{
    const InkProjection k = inkProjection(pixel, background, line);
    return k.pp >= 0.04 * k.cc && k.pc >= 0.98 * std::sqrt(k.pp * k.cc);
}

// How much of line a pixel that blends toward it carries (1 for the full
// colour, its projection on line - background otherwise); 0 for any other pixel.
inline double inkShare(QRgb pixel, const QColor& background, const QColor& line)
{
    if (!blendsToward(pixel, background, line))
        return 0.0;
    const InkProjection k = inkProjection(pixel, background, line);
    return k.pc / k.cc;
}

// The width of a vertical rule near column x in full colour: the largest sum
// of inkShare over the columns x - reach .. x + reach, over the rows top ..
// bottom that skipRow (if given) does not leave out.
double widestRuleInk(const QImage& image, int x, int reach, int top, int bottom, const QColor& background,
                     const QColor& line, const std::function<bool(int)>& skipRow = {});

// The sum of inkShare of line over region, each pixel over background(pixel), and the centre of that ink.
struct InkCentre {
    double ink;
    QPointF centre;
};
InkCentre inkCentre(const QImage& image, const QRect& region, const QColor& line,
                    const std::function<QColor(const QPoint&)>& background);

} // namespace vxo::test
