// The check of a saved dock layout before the toolkit parses it: every
// arrangement the window's docks can be saved in passes; the changes that
// crash the toolkit's parser, or name docks the window does not have, are
// refused; and a state changed at any byte is either refused or restored by
// the toolkit without harm.

#include "app/mainwindow/SavedDockState.h"

#include "common/AppTestSupport.h"

#include <QDataStream>
#include <QDockWidget>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace vxo {
namespace {

constexpr int kVersion = 1;
const char* const kDocks[] = {"controlsDockWidget", "timeDockWidget", "diagnosticsDockWidget", "helpDockWidget",
                              "analysisDockWidget"};

QStringList dockNames()
{
    QStringList names;
    for (const char* name : kDocks)
        names.append(QLatin1String(name));
    return names;
}

// A main window with the five docks laid out as the program's default: the
// controls on the left, the time, diagnostics and help docks stacked on the
// right, the analysis dock at the bottom.
struct DockedWindow {
    QMainWindow window;
    std::array<QDockWidget*, 5> docks{};

    DockedWindow()
    {
        window.setCentralWidget(new QLabel(QStringLiteral("view")));
        for (int i = 0; i < 5; ++i) {
            docks[i] = new QDockWidget(QLatin1String(kDocks[i]), &window);
            docks[i]->setObjectName(QLatin1String(kDocks[i]));
            auto* content = new QLabel(QLatin1String(kDocks[i]));
            content->setMinimumSize(90 + 13 * i, 50 + 7 * i);
            docks[i]->setWidget(content);
        }
        window.addDockWidget(Qt::LeftDockWidgetArea, docks[0]);
        for (int i = 1; i <= 3; ++i)
            window.addDockWidget(Qt::RightDockWidgetArea, docks[i]);
        window.splitDockWidget(docks[1], docks[2], Qt::Vertical);
        window.splitDockWidget(docks[2], docks[3], Qt::Vertical);
        window.addDockWidget(Qt::BottomDockWidgetArea, docks[4]);
        window.resize(1100, 800);
    }
};

// The arrangements a user or the narrow layouts leave: the default, the
// right docks as tabs of the controls column, a dock closed and another
// moved, a dock floating beside two tabbed ones, the analysis dock split
// with two others into nested columns.
const std::function<void(DockedWindow&)> kArrangements[] = {
    [](DockedWindow&) {},
    [](DockedWindow& w) {
        for (int i = 1; i <= 3; ++i)
            w.window.tabifyDockWidget(w.docks[0], w.docks[i]);
    },
    [](DockedWindow& w) {
        w.window.addDockWidget(Qt::LeftDockWidgetArea, w.docks[1]);
        w.docks[2]->hide();
    },
    [](DockedWindow& w) {
        w.docks[3]->setFloating(true);
        w.docks[3]->move(120, 80);
        w.window.tabifyDockWidget(w.docks[1], w.docks[2]);
    },
    [](DockedWindow& w) {
        w.window.splitDockWidget(w.docks[4], w.docks[2], Qt::Horizontal);
        w.window.splitDockWidget(w.docks[2], w.docks[1], Qt::Vertical);
        w.window.tabifyDockWidget(w.docks[0], w.docks[3]);
    },
};

QByteArray savedState(const std::function<void(DockedWindow&)>& arrange)
{
    DockedWindow docked;
    docked.window.show();
    arrange(docked);
    docked.window.layout()->activate();
    QCoreApplication::processEvents();
    return docked.window.saveState(kVersion);
}

QByteArray withInt(QByteArray state, int at, std::int32_t value)
{
    for (int k = 0; k < 4; ++k)
        state[at + k] = static_cast<char>(static_cast<std::uint32_t>(value) >> (24 - 8 * k));
    return state;
}

// A state written field by field as saveState writes it: the version
// marker and version, the dock section with its areas, their columns and
// docks, the central size and the corners, the toolbar section.
class StateWriter {
public:
    StateWriter& header(int version = kVersion)
    {
        out_ << qint32(0xff) << qint32(version) << quint8(0xfd);
        return *this;
    }
    StateWriter& areas(int count) { return integer(count); }
    StateWriter& area(int number, int items, bool tabs = false)
    {
        out_ << qint32(number) << qint32(300) << qint32(500);
        return column(items, tabs);
    }
    StateWriter& nested(int items, bool tabs = false)
    {
        out_ << quint8(0xfc) << qint32(0) << qint32(120) << qint32(0) << qint32(0);
        return column(items, tabs);
    }
    StateWriter& dock(const char* name, int flags = 1)
    {
        out_ << quint8(0xfb) << QString::fromLatin1(name) << quint8(flags) << qint32(0) << qint32(-1) << qint32(40)
             << qint32(0xffffff);
        return *this;
    }
    // On a second screen left of the first.
    StateWriter& floating(const char* name)
    {
        out_ << quint8(0xfb) << QString::fromLatin1(name) << quint8(3) << qint32(-900) << qint32(60) << qint32(200)
             << qint32(150);
        return *this;
    }
    StateWriter& end(int topLeft = 4, int toolBarLines = 0, int toolBarArea = 0)
    {
        out_ << qint32(800) << qint32(600) << qint32(topLeft) << qint32(4) << qint32(8) << qint32(8);
        out_ << quint8(0xfc) << qint32(toolBarLines);
        for (int line = 0; line < toolBarLines; ++line)
            out_ << qint32(toolBarArea) << qint32(0);
        return *this;
    }
    StateWriter& integer(int value)
    {
        out_ << qint32(value);
        return *this;
    }
    const QByteArray& bytes() const { return bytes_; }

private:
    StateWriter& column(int items, bool tabs)
    {
        if (tabs)
            out_ << quint8(0xfa) << qint32(-1);
        else
            out_ << quint8(0xfc);
        out_ << quint8(2) << qint32(items);
        return *this;
    }

    QByteArray bytes_;
    QDataStream out_{&bytes_, QIODevice::WriteOnly};
};

// The five docks in the left area: three in its column, the help and
// analysis docks as tabs in a column nested `depth` levels below it.
QByteArray leftColumn(int depth = 0, int topLeft = 4, int toolBarLines = 0, int toolBarArea = 0)
{
    StateWriter writer;
    writer.header().areas(1).area(0, 4).dock(kDocks[0]).dock(kDocks[1]).dock(kDocks[2]);
    for (int level = 0; level < depth; ++level)
        writer.nested(1);
    writer.nested(2, true).dock(kDocks[3]).dock(kDocks[4]).end(topLeft, toolBarLines, toolBarArea);
    return writer.bytes();
}

// Rows that change one field of a written state find it where the header
// (8 bytes), the section marker and the area count put the area's number
// (offset 13), its width (17), its column's orientation (26) and, after the
// item count, marker, name and flags of the first dock, that dock's size
// (77); the last 5 bytes are the empty toolbar section.
TEST(SavedDockState, EachFieldIsCheckedWhereItIsRead)
{
    test::appTestApplication();
    const QStringList names = dockNames();
    const QByteArray tabbed = leftColumn();
    struct Case {
        const char* what;
        QByteArray state;
        bool whole;
    };
    const Case cases[] = {
        {"docks in columns and tabs", tabbed, true},
        {"an empty nested column",
         StateWriter().header().areas(2).area(0, 2).dock(kDocks[0]).nested(0).area(1, 4, true).dock(kDocks[1])
             .dock(kDocks[2]).dock(kDocks[3]).dock(kDocks[4]).end().bytes(),
         true},
        {"a hidden dock and a floating one",
         StateWriter().header().areas(1).area(2, 5).dock(kDocks[0]).dock(kDocks[1], 0).dock(kDocks[2]).dock(kDocks[3])
             .floating(kDocks[4]).end().bytes(),
         true},
        {"nested as deep as there are docks", leftColumn(4), true},
        {"nested deeper", leftColumn(5), false},
        {"the same area twice",
         StateWriter().header().areas(2).area(0, 3).dock(kDocks[0]).dock(kDocks[1]).dock(kDocks[2]).area(0, 2)
             .dock(kDocks[3]).dock(kDocks[4]).end().bytes(),
         false},
        {"an area number past the four",
         StateWriter().header().areas(1).area(4, 5).dock(kDocks[0]).dock(kDocks[1]).dock(kDocks[2]).dock(kDocks[3])
             .dock(kDocks[4]).end().bytes(),
         false},
        {"a dock named twice",
         StateWriter().header().areas(1).area(1, 6).dock(kDocks[0]).dock(kDocks[1]).dock(kDocks[2]).dock(kDocks[3])
             .dock(kDocks[4]).dock(kDocks[2]).end().bytes(),
         false},
        {"a dock flag of no meaning",
         StateWriter().header().areas(1).area(1, 5).dock(kDocks[0]).dock(kDocks[1], 5).dock(kDocks[2]).dock(kDocks[3])
             .dock(kDocks[4]).end().bytes(),
         false},
        {"a column nested in a tab group",
         StateWriter().header().areas(1).area(3, 2, true).dock(kDocks[0]).nested(4).dock(kDocks[1]).dock(kDocks[2])
             .dock(kDocks[3]).dock(kDocks[4]).end().bytes(),
         false},
        {"a corner of an area that does not meet it", leftColumn(0, 2), false},
        {"a toolbar line in a fifth area", leftColumn(0, 4, 1, 4), false},
        {"toolbar lines past the end", withInt(tabbed, tabbed.size() - 4, 0x7fffffff), false},
        {"a negative area number", withInt(tabbed, 13, -2), false},
        {"an area of negative width", withInt(tabbed, 17, -300), false},
        {"an orientation of neither kind", QByteArray(tabbed).replace(26, 1, "\x03", 1), false},
        {"a dock larger than any screen", withInt(tabbed, 77, 1 << 24), false},
        {"a second dock section, of no areas",
         tabbed.left(tabbed.size() - 5) + QByteArray("\xfd\0\0\0\0", 5) + tabbed.right(8 + 16 + 5), false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(savedDockStateIsWhole(c.state, kVersion, names), c.whole) << c.what;
        if (c.whole) {
            DockedWindow restored;
            EXPECT_TRUE(restored.window.restoreState(c.state, kVersion)) << c.what;
        }
    }
}

// Every arrangement passes for its own window and version only. Every byte
// of it changed several ways: what passes the check, the toolkit restores and
// lays out without a fault (a crash ends this test), and accepts as a layout.
TEST(SavedDockState, ArrangementsPassAndAStateChangedAnywhereIsRefusedOrRestoresWhole)
{
    test::appTestApplication();
    const QStringList names = dockNames();
    int passed = 0;
    int refused = 0;
    for (std::size_t a = 0; a < std::size(kArrangements); ++a) {
        SCOPED_TRACE("arrangement " + std::to_string(a));
        const QByteArray state = savedState(kArrangements[a]);
        EXPECT_TRUE(savedDockStateIsWhole(state, kVersion, names));
        EXPECT_FALSE(savedDockStateIsWhole(state, kVersion + 1, names)) << "saved with another version";
        EXPECT_FALSE(savedDockStateIsWhole(state, kVersion, names.mid(1))) << "a dock the window does not have";
        EXPECT_FALSE(savedDockStateIsWhole(state, kVersion, names + QStringList{QStringLiteral("plotDockWidget")}))
            << "a dock of the window left out";
        for (int at = 0; at < state.size(); ++at) {
            const auto byte = static_cast<std::uint8_t>(state[at]);
            for (const std::uint8_t value : {std::uint8_t(byte ^ 0xff), std::uint8_t(byte ^ 0x01),
                                             std::uint8_t(byte ^ 0x80), std::uint8_t(0x00), std::uint8_t(0xfb)}) {
                if (value == byte)
                    continue;
                QByteArray changed = state;
                changed[at] = static_cast<char>(value);
                if (!savedDockStateIsWhole(changed, kVersion, names)) {
                    ++refused;
                    continue;
                }
                ++passed;
                DockedWindow restored;
                EXPECT_TRUE(restored.window.restoreState(changed, kVersion))
                    << "byte " << at << " set to " << int(value);
                restored.window.show();
                restored.window.layout()->activate();
                restored.window.resize(640, 480);
                restored.window.layout()->activate();
            }
        }
    }
    // Sizes and positions may change and still make a layout; markers,
    // counts and names may not.
    EXPECT_GT(passed, 0);
    EXPECT_GT(refused, passed);
}

// Sizes and positions are taken up to a million pixels (2^20), far beyond
// any screen yet far from overflowing the layout's sums: a width or a dock
// size of exactly that passes and is restored, one pixel more is refused;
// a docked item's "none yet" (-1) passes, -2 does not. Offsets as above.
TEST(SavedDockState, ExtentsAreTakenUpToTheirLargestAndNoFurther)
{
    test::appTestApplication();
    const QStringList names = dockNames();
    const QByteArray tabbed = leftColumn();
    constexpr std::int32_t kMillionPixels = 1 << 20;
    struct Case {
        const char* what;
        int at;
        std::int32_t value;
        bool whole;
    };
    const Case cases[] = {
        {"an area as wide as the largest extent", 17, kMillionPixels, true},
        {"an area a pixel wider", 17, kMillionPixels + 1, false},
        {"an area as high as the largest extent", 21, kMillionPixels, true},
        {"a dock as large as the largest extent", 77, kMillionPixels, true},
        {"a dock a pixel larger", 77, kMillionPixels + 1, false},
        {"a dock at the largest position", 73, kMillionPixels, true},
        {"a dock a pixel further", 73, kMillionPixels + 1, false},
        {"a dock without a size yet", 77, -1, true},
        {"a dock of a size below none", 77, -2, false},
    };
    for (const Case& c : cases) {
        const QByteArray state = withInt(tabbed, c.at, c.value);
        EXPECT_EQ(savedDockStateIsWhole(state, kVersion, names), c.whole) << c.what;
        if (c.whole) {
            DockedWindow restored;
            EXPECT_TRUE(restored.window.restoreState(state, kVersion)) << c.what;
        }
    }
}

} // namespace
} // namespace vxo
