// Building and showing the bare form: no toolkit warnings, the embedded
// images, the font substitutions and the time dock's look.

#include "FormTestSupport.h"

#include "common/QtTestSupport.h"

#include <QFontInfo>
#include <QIcon>
#include <QImage>

#include <gtest/gtest.h>

#include <cstdlib>

namespace vxo::test {
namespace {

TEST(FormBuildTest, SetsUpAndShowsWithoutToolkitWarnings)
{
    FormEnvironment environment;
    MessageCapture capture;
    {
        BareForm form;
        // Showing polishes every style sheet and builds the viewport's context.
        if (displayAvailable()) {
            EXPECT_TRUE(showAndWait(form.window));
        }
    }
    EXPECT_TRUE(capture.messages().isEmpty()) << capture.messages().join("\n").toStdString();
}

TEST(FormBuildTest, EmbeddedImagesDecorateTheWindowAndTheSevenActions)
{
    BareForm form;
    for (const char* name : {"icon", "open", "saveas", "settings", "clock", "investigation", "help", "stat"}) {
        const QImage image(QStringLiteral(":/VXO/images/%1.png").arg(QLatin1String(name)));
        ASSERT_FALSE(image.isNull()) << name << ".png is not embedded";
        EXPECT_GE(image.width(), 32) << name;
        // A flat icon covers a good part of its square with opaque colour.
        int opaque = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                opaque += qAlpha(image.pixel(x, y)) > 128 ? 1 : 0;
        EXPECT_GT(opaque, image.width() * image.height() / 8) << name << ".png looks blank";
    }
    EXPECT_FALSE(form.window.windowIcon().pixmap(32, 32).isNull()) << "the window has no icon";
    const QList<QAction*> actions = form.window.findChildren<QAction*>(QString(), Qt::FindDirectChildrenOnly);
    int decorated = 0;
    for (const QAction* action : actions) {
        if (action->objectName().isEmpty())
            continue; // the menus' own actions
        EXPECT_FALSE(action->icon().pixmap(16, 16).isNull()) << action->objectName().toStdString() << " has no icon";
        ++decorated;
    }
    EXPECT_EQ(decorated, 7);
}

TEST(FormBuildTest, WindowsFontFamiliesResolveToInstalledFacesOfTheirKind)
{
    BareForm form;
    const struct {
        const char* family;
        bool monospace;
    } families[] = {{"Consolas", true}, {"Courier New", true}, {"MS Shell Dlg 2", false}};
    for (const auto& row : families) {
        const QFontInfo info{QFont(QString::fromLatin1(row.family))};
        EXPECT_EQ(info.fixedPitch(), row.monospace) << row.family << " resolves to " << info.family().toStdString();
    }
    // Read-outs take Consolas from a font property or from the time dock's
    // style sheet; both must come out monospaced.
    form.ui.timeRealValueLabel->ensurePolished();
    EXPECT_TRUE(QFontInfo(form.ui.timeRealValueLabel->font()).fixedPitch()) << "time dock read-out";
    EXPECT_TRUE(QFontInfo(form.ui.diagnosticsTable->font()).fixedPitch()) << "diagnostics table";
    EXPECT_EQ(form.ui.diagnosticsTable->font().pointSize(), 8);
}

int colourDistance(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
}

// True when some pixel of the rectangle is within the tolerance of colour.
bool showsColour(const QImage& image, const QRect& rect, QRgb colour, int tolerance)
{
    const QRect area = rect.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (colourDistance(image.pixel(x, y), colour) <= tolerance)
                return true;
    return false;
}

TEST(FormBuildTest, TimeDockIsDarkAndItsStyleSheetFindsEveryLabelByName)
{
    BareForm form;
    ASSERT_TRUE(displayAvailable()) << test::kNeedsDisplay;
    ASSERT_TRUE(showAndWait(form.window));
    QWidget* contents = form.ui.timeDockContents;
    const QImage image = contents->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const auto within = [contents](const QWidget* child) {
        return QRect(child->mapTo(contents, QPoint(0, 0)), child->size());
    };

    EXPECT_LE(colourDistance(image.pixel(2, 2), qRgb(0x0d, 0x13, 0x1a)), 3) << "dock background";
    const QRect primary = within(form.ui.timePrimaryFrame);
    EXPECT_LE(colourDistance(image.pixel(primary.left() + 4, primary.center().y()), qRgb(0x11, 0x1d, 0x27)), 3)
        << "primary frame background";
    const QRect details = within(form.ui.timeDetailsFrame);
    EXPECT_LE(colourDistance(image.pixel(details.left() + 3, details.bottom() - 3), qRgb(0x11, 0x17, 0x1e)), 3)
        << "details frame background";

    // Each label's text is drawn in the colour its selector gives it.
    const struct {
        const QWidget* label;
        QRgb colour;
    } labels[] = {
        {form.ui.timeTitleLabel, qRgb(0x8f, 0xdc, 0xff)},
        {form.ui.timeSimulationCaptionLabel, qRgb(0x9f, 0xb3, 0xc5)},
        {form.ui.timeSimulationValueLabel, qRgb(0x78, 0xdc, 0xff)},
        {form.ui.timeRealValueLabel, qRgb(0xff, 0xd1, 0x66)},
        {form.ui.timeIndicativeLabel, qRgb(0xff, 0x9f, 0x43)},
        {form.ui.timeReferenceTitleLabel, qRgb(0x82, 0x96, 0xa8)},
        {form.ui.timeTimeScaleValueLabel, qRgb(0xed, 0xf5, 0xfb)},
    };
    for (const auto& row : labels)
        EXPECT_TRUE(showsColour(image, within(row.label), row.colour, 12))
            << row.label->objectName().toStdString() << " is not drawn in its colour";
}

} // namespace
} // namespace vxo::test
