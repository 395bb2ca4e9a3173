#include "common/AppTestSupport.h"

#include "app/ApplicationSetup.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QRegularExpression>
#include <QSettings>
#include <QToolTip>

#include <gtest/gtest.h>

#include <cstdlib>

namespace vxo {
namespace {

using test::appTestApplication;

struct Probe {
    QPoint at;
    QRgb color = 0;
};

Probe extremePixel(const QImage& image, const QRect& area, bool darkest)
{
    Probe best{area.topLeft(), image.pixel(area.topLeft())};
    const auto sum = [](QRgb c) { return qRed(c) + qGreen(c) + qBlue(c); };
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb c = image.pixel(x, y);
            if (darkest ? sum(c) < sum(best.color) : sum(c) > sum(best.color))
                best = {QPoint(x, y), c};
        }
    return best;
}

// Within two steps per channel: full-coverage glyph pixels carry the pen colour.
void expectColor(QRgb actual, const char* expected, const char* what)
{
    const QColor want(QString::fromLatin1(expected));
    EXPECT_NEAR(qRed(actual), want.red(), 2) << what;
    EXPECT_NEAR(qGreen(actual), want.green(), 2) << what;
    EXPECT_NEAR(qBlue(actual), want.blue(), 2) << what;
}

TEST(ApplicationSetup, IdentityNamesTheSettingsStoreAndTheLocaleIsEnglish)
{
    appTestApplication();
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    applyApplicationIdentity();

    EXPECT_EQ(QCoreApplication::organizationName(), QStringLiteral("Brastell"));
    EXPECT_EQ(QCoreApplication::applicationName(), QStringLiteral("Ondrivel"));
    EXPECT_EQ(QCoreApplication::applicationVersion(), QStringLiteral("7.9.8"));
    EXPECT_EQ(QLocale().toString(0.5), QStringLiteral("0.5")) << "numbers print the English way";

    const QString expectedFile =
        QDir(QString::fromLocal8Bit(test::temporaryConfigHome())).filePath("Brastell/Ondrivel.conf");
    {
        QSettings settings;
        EXPECT_EQ(QFileInfo(settings.fileName()).absoluteFilePath(), QFileInfo(expectedFile).absoluteFilePath())
            << "the window layout is stored under the organization and application names";
        settings.beginGroup(QStringLiteral("MainWindow"));
        settings.setValue(QStringLiteral("controlsTab"), 3);
        settings.endGroup();
    }
    EXPECT_TRUE(QFileInfo::exists(expectedFile)) << expectedFile.toStdString();
    EXPECT_EQ(QSettings().value(QStringLiteral("MainWindow/controlsTab")).toInt(), 3) << "a new store reads it back";

    const QSurfaceFormat format = QSurfaceFormat::defaultFormat();
    EXPECT_EQ(format.renderableType(), QSurfaceFormat::OpenGL);
    EXPECT_EQ(std::make_pair(format.majorVersion(), format.minorVersion()), std::make_pair(3, 3));
    EXPECT_EQ(format.profile(), QSurfaceFormat::CoreProfile);
    EXPECT_EQ(format.depthBufferSize(), 0) << "full-screen passes need no depth buffer";
    EXPECT_EQ(format.stencilBufferSize(), 0);
}

TEST(ApplicationSetup, DisabledTextAndSelectedRowsDrawInThePaletteColours)
{
    appTestApplication();
    QLabel label(QStringLiteral("HHHH"));
    QFont font = label.font();
    font.setPixelSize(48);
    font.setBold(true);
    label.setFont(font);
    label.setEnabled(false);
    label.resize(label.sizeHint());
    const QImage labelImage = label.grab().toImage();
    expectColor(extremePixel(labelImage, labelImage.rect(), true).color, "#79848f", "disabled label text");

    QListWidget list;
    list.resize(240, 120);
    list.addItem(QStringLiteral("selected row"));
    list.setCurrentRow(0);
    const QImage listImage = list.grab().toImage();
    QRect row = list.visualItemRect(list.item(0));
    row.moveTopLeft(list.viewport()->mapTo(&list, row.topLeft()));
    const QPoint background(row.right() - 4, row.center().y());
    expectColor(listImage.pixel(background), "#2d6f9f", "selected row background");
    expectColor(extremePixel(listImage, row, false).color, "#ffffff", "selected row text");
}

TEST(ApplicationSetup, TooltipsShowDarkTextOnPaleYellowInsideAnOliveBorder)
{
    appTestApplication();
    QWidget host;
    host.resize(200, 100);
    host.show();
    QToolTip::showText(host.mapToGlobal(QPoint(20, 20)), QStringLiteral("HHHH tooltip"), &host);
    QWidget* tip = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->inherits("QTipLabel") && widget->isVisible())
            tip = widget;
    ASSERT_NE(tip, nullptr) << "no tooltip window";
    const QImage image = tip->grab().toImage();
    const int middle = image.height() / 2;
    expectColor(image.pixel(0, middle), "#c6b96a", "tooltip border");
    expectColor(image.pixel(2, middle), "#fffbe2", "tooltip padding");
    expectColor(extremePixel(image, image.rect().adjusted(1, 1, -1, -1), true).color, "#202830", "tooltip text");
    QToolTip::hideText();
}

TEST(ApplicationSetup, StyleSheetHoldsOneRulePerLine)
{
    const QString sheet = applicationStyleSheet();
    ASSERT_TRUE(sheet.endsWith(QLatin1Char('\n'))) << "the last line ends in a line feed too";
    const QStringList lines = sheet.left(sheet.size() - 1).split(QLatin1Char('\n'));
    EXPECT_EQ(lines.size(), 28);
    const QRegularExpression rule(QStringLiteral(R"(^[A-Za-z:!,\- ]+ \{ ([a-z\-]+: [^;{}]+; )+\}$)"));
    for (const QString& line : lines)
        EXPECT_TRUE(rule.match(line).hasMatch()) << line.toStdString();
}

} // namespace
} // namespace vxo
