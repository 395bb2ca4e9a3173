#include "PlotTestSupport.h"

#include <QApplication>
#include <QEvent>
#include <QFont>

#include <algorithm>
#include <cstdlib>

namespace vxo::test {

namespace {

bool sameColour(QRgb pixel, const QColor& colour, int tolerance)
{
    return std::abs(qRed(pixel) - colour.red()) <= tolerance && std::abs(qGreen(pixel) - colour.green()) <= tolerance &&
           std::abs(qBlue(pixel) - colour.blue()) <= tolerance;
}

class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

} // namespace

QApplication& plotTestApplication()
{
    static QApplication& application = []() -> QApplication& {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication& made = testApplication();
        // The offscreen platform has no theme and falls back to a 12 pt
        // font; the desktop's generic theme gives the program 9 pt.
        QApplication::setFont(QFont(QStringLiteral("Sans Serif"), 9));
        return made;
    }();
    return application;
}

QImage grabPlot(QWidget& plot, const QSize& size)
{
    plot.resize(size);
    return plot.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

bool colourNear(const QImage& image, const QPointF& at, const QColor& colour, int radius, int tolerance)
{
    const QPoint centre = at.toPoint();
    for (int y = centre.y() - radius; y <= centre.y() + radius; ++y)
        for (int x = centre.x() - radius; x <= centre.x() + radius; ++x)
            if (image.valid(x, y) && sameColour(image.pixel(x, y), colour, tolerance))
                return true;
    return false;
}

int countColour(const QImage& image, const QRect& region, const QColor& colour, int tolerance)
{
    const QRect clipped = region.intersected(image.rect());
    int count = 0;
    for (int y = clipped.top(); y <= clipped.bottom(); ++y)
        for (int x = clipped.left(); x <= clipped.right(); ++x)
            count += sameColour(image.pixel(x, y), colour, tolerance) ? 1 : 0;
    return count;
}

QRect colourBoundingBox(const QImage& image, const QRect& region, const QColor& colour, int tolerance, bool matching)
{
    const QRect clipped = region.intersected(image.rect());
    QRect box;
    for (int y = clipped.top(); y <= clipped.bottom(); ++y)
        for (int x = clipped.left(); x <= clipped.right(); ++x)
            if (sameColour(image.pixel(x, y), colour, tolerance) == matching)
                box |= QRect(x, y, 1, 1);
    return box;
}

int countColourOutside(const QImage& image, const QRect& region, const QColor& colour, int tolerance)
{
    return countColour(image, image.rect(), colour, tolerance) - countColour(image, region, colour, tolerance);
}

int brightnessSteps(const QImage& image, const QPoint& from, const QPoint& to, int threshold)
{
    const QPoint step((to.x() > from.x()) - (to.x() < from.x()), (to.y() > from.y()) - (to.y() < from.y()));
    int steps = 0;
    for (QPoint p = from; p != to && image.valid(p) && image.valid(p + step); p += step)
        steps += std::abs(channelSum(image.pixel(p + step)) - channelSum(image.pixel(p))) > threshold ? 1 : 0;
    return steps;
}

int dashStepsNearRow(const QImage& image, int y, int left, int right)
{
    int most = 0;
    for (int row = y - 1; row <= y + 1; ++row)
        most = std::max(most, brightnessSteps(image, QPoint(left, row), QPoint(right, row)));
    return most;
}

int changesNearRow(const QImage& image, int y, int left, int right)
{
    int changes = 0;
    for (int row = y - 1; row <= y + 1; ++row)
        changes += brightnessSteps(image, QPoint(left, row), QPoint(right, row), 0);
    return changes;
}

double widestRuleInk(const QImage& image, int x, int reach, int top, int bottom, const QColor& background,
                     const QColor& line, const std::function<bool(int)>& skipRow)
{
    double widest = 0.0;
    for (int y = top; y <= bottom; ++y) {
        if (skipRow && skipRow(y))
            continue;
        double width = 0.0;
        for (int column = x - reach; column <= x + reach; ++column)
            width += inkShare(image.pixel(column, y), background, line);
        widest = std::max(widest, width);
    }
    return widest;
}

InkCentre inkCentre(const QImage& image, const QRect& region, const QColor& line,
                    const std::function<QColor(const QPoint&)>& background)
{
    InkCentre c{0.0, QPointF()};
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x) {
            const double share = inkShare(image.pixel(x, y), background(QPoint(x, y)), line);
            c.ink += share;
            c.centre += share * QPointF(x + 0.5, y + 0.5);
        }
    c.centre /= c.ink;
    return c;
}

bool repaintsAfter(QWidget& plot, const std::function<void()>& action)
{
    QWidget* window = plot.window();
    if (plot.size().isEmpty())
        plot.resize(200, 120);
    window->resize(std::max(window->width(), plot.width()), std::max(window->height(), plot.height()));
    showAndWait(*window);
    PaintCounter counter;
    plot.installEventFilter(&counter);
    action();
    settle();
    plot.removeEventFilter(&counter);
    return counter.paints > 0;
}

} // namespace vxo::test
