// Where a saved window geometry left the window: exactly, where the window
// had no frame when it was saved; nothing where a frame stood around it, the
// window was maximised or full screen, or the bytes are no saved geometry.

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
        << g.fullScreen << std::int32_t(1920) << g.window;
    return bytes;
}

TEST(SavedWindowGeometry, AWindowLeftWithoutAFrameComesBackWhereItWas)
{
    test::appTestApplication();
    // At the top of the screen, where restoreGeometry would move it down.
    for (const QRect& left : {QRect(7, 0, 1300, 900), QRect(0, 0, 1738, 1216), QRect(35, 120, 990, 700)}) {
        QWidget window;
        window.setGeometry(left);
        const std::optional<QRect> back = unframedSavedGeometry(window.saveGeometry());
        ASSERT_TRUE(back.has_value()) << "a window without a frame at " << left.x() << ", " << left.y();
        EXPECT_EQ(*back, left);
    }
}

TEST(SavedWindowGeometry, AFramedMaximisedOrForeignGeometryGivesNothing)
{
    const QRect window(10, 34, 1200, 800);
    const QRect frame = window.adjusted(-1, -24, 1, 1);
    struct Case {
        std::string what;
        WrittenGeometry geometry;
    };
    const Case cases[] = {
        {"framed by a window manager", {0x1D9D0CB, 3, frame, window, 0, 0, window}},
        {"maximised", {0x1D9D0CB, 3, window, window, 1, 0, window}},
        {"full screen", {0x1D9D0CB, 3, window, window, 0, 1, window}},
        {"an older version without the window's geometry", {0x1D9D0CB, 2, window, window, 0, 0, window}},
        {"another magic number", {0x1D9D0CC, 3, window, window, 0, 0, window}},
        {"no normal geometry", {0x1D9D0CB, 3, window, QRect(), 0, 0, window}},
    };
    EXPECT_TRUE(unframedSavedGeometry(written({0x1D9D0CB, 3, window, window, 0, 0, window})).has_value())
        << "the unframed reference is refused: the cases below are void";
    for (const Case& c : cases)
        EXPECT_FALSE(unframedSavedGeometry(written(c.geometry)).has_value()) << c.what;
    const QByteArray whole = written({0x1D9D0CB, 3, window, window, 0, 0, window});
    EXPECT_FALSE(unframedSavedGeometry(whole.left(whole.size() - 3)).has_value()) << "cut short";
    EXPECT_FALSE(unframedSavedGeometry(QByteArray()).has_value()) << "empty";
}

} // namespace
} // namespace vxo
