// Where a saved window geometry left the window: its frame, its own
// geometry, the frame's margins where it had one, and the width of its
// screen; nothing where the bytes are no saved geometry.

#include "app/mainwindow/SavedWindowGeometry.h"

#include "common/AppTestSupport.h"

#include <QDataStream>
#include <QIODevice>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace vxo {
namespace {

// A geometry as saveGeometry writes it, field by field.
struct WrittenGeometry {
    std::uint32_t magic = 0x1D9D0CB;
    std::uint16_t major = 3;
    QRect frame;
    QRect normal;
    std::uint8_t maximized = 0;
    std::uint8_t fullScreen = 0;
    QRect window;
};

QByteArray written(const WrittenGeometry& g)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_4_0);
    out << g.magic << g.major << std::uint16_t(0) << g.frame << g.normal << std::int32_t(0) << g.maximized
        << g.fullScreen << std::int32_t(1366) << g.window;
    return bytes;
}

TEST(SavedWindowGeometry, AWindowLeftWithoutAFrameComesBackWhereItWas)
{
    test::appTestApplication();
    // At the top of the screen, where restoreGeometry would move it down.
    for (const QRect& left : {QRect(7, 0, 1300, 900), QRect(0, 0, 1738, 1216), QRect(35, 120, 990, 700)}) {
        QWidget window;
        window.setGeometry(left);
        const std::optional<SavedWindowPlacement> back = savedWindowPlacement(window.saveGeometry());
        ASSERT_TRUE(back.has_value()) << "a window without a frame at " << left.x() << ", " << left.y();
        EXPECT_EQ(back->normal, left);
        EXPECT_TRUE(back->frameMargins().isNull());
    }
}

TEST(SavedWindowGeometry, AFramedWindowTellsItsFrameAndAForeignGeometryNothing)
{
    const QRect window(10, 34, 1200, 800);
    const QRect frame = window.adjusted(-1, -24, 1, 5);
    const std::optional<SavedWindowPlacement> framed =
        savedWindowPlacement(written({0x1D9D0CB, 3, frame, window, 0, 0, window}));
    ASSERT_TRUE(framed.has_value());
    EXPECT_EQ(framed->frame, frame);
    EXPECT_EQ(framed->normal, window);
    EXPECT_EQ(framed->screenWidth, 1366);
    EXPECT_EQ(framed->frameMargins(), QMargins(1, 24, 1, 5));
    // A maximised window's frame is the screen's, not the normal window's.
    const std::optional<SavedWindowPlacement> maximised =
        savedWindowPlacement(written({0x1D9D0CB, 3, QRect(0, 0, 1366, 768), window, 1, 0, window}));
    ASSERT_TRUE(maximised.has_value());
    EXPECT_TRUE(maximised->maximized);
    EXPECT_TRUE(maximised->frameMargins().isNull());

    struct Case {
        std::string what;
        WrittenGeometry geometry;
    };
    const Case cases[] = {
        {"an older version without the window's geometry", {0x1D9D0CB, 2, window, window, 0, 0, window}},
        {"another magic number", {0x1D9D0CC, 3, window, window, 0, 0, window}},
        {"no normal geometry", {0x1D9D0CB, 3, window, QRect(), 0, 0, window}},
    };
    for (const Case& c : cases)
        EXPECT_FALSE(savedWindowPlacement(written(c.geometry)).has_value()) << c.what;
    const QByteArray whole = written({0x1D9D0CB, 3, window, window, 0, 0, window});
    EXPECT_FALSE(savedWindowPlacement(whole.left(whole.size() - 3)).has_value()) << "cut short";
    EXPECT_FALSE(savedWindowPlacement(QByteArray()).has_value()) << "empty";
}

} // namespace
} // namespace vxo
