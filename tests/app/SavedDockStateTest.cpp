// The check of a saved dock layout before the toolkit parses it: every
// arrangement the window's docks can be saved in passes; the changes that
// crash the toolkit's parser, or name docks the window does not have, are
// refused; and a state changed at any byte is either refused or restored by
// the toolkit without harm.

#include "app/mainwindow/SavedDockState.h"

#include "common/AppTestSupport.h"

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

TEST(SavedDockState, EveryArrangementPassesForItsOwnWindowAndVersionOnly)
{
    test::appTestApplication();
    const QStringList names = dockNames();
    for (std::size_t a = 0; a < std::size(kArrangements); ++a) {
        SCOPED_TRACE("arrangement " + std::to_string(a));
        const QByteArray state = savedState(kArrangements[a]);
        EXPECT_TRUE(savedDockStateIsWhole(state, kVersion, names));
        EXPECT_FALSE(savedDockStateIsWhole(state, kVersion + 1, names)) << "saved with another version";
        EXPECT_FALSE(savedDockStateIsWhole(state, kVersion, names.mid(1))) << "a dock the window does not have";
        EXPECT_FALSE(savedDockStateIsWhole(state, kVersion, names + QStringList{QStringLiteral("plotDockWidget")}))
            << "a dock of the window left out";
    }
}

// Each change stands where saveState writes that field in the default
// arrangement: after the version marker and version (8 bytes), the dock
// section's marker and its area count (offset 9), the first area's number
// (13), its size (17), its column's marker (25), orientation (26) and item
// count (27); at the end, the four corners before the empty toolbar section.
TEST(SavedDockState, ChangesWhereTheStateIsParsedAreRefused)
{
    test::appTestApplication();
    const QStringList names = dockNames();
    const QByteArray state = savedState(kArrangements[0]);
    ASSERT_TRUE(savedDockStateIsWhole(state, kVersion, names));
    const int corners = state.size() - 5 - 16;
    // The controls dock's name as the stream holds it, UTF-16 big-endian.
    QByteArray controls;
    for (const char c : std::string("controlsDockWidget"))
        controls.append('\0').append(c);
    const int name = state.indexOf(controls);
    ASSERT_GT(name, 0) << "the controls dock's name is not in the state";
    QByteArray renamed = state;
    renamed[name + 1] = 'k';
    QByteArray oddName = withInt(state, name - 4, 35);
    struct Change {
        const char* what;
        QByteArray state;
    };
    const Change changes[] = {
        {"an area number past the four", withInt(state, 13, 4)},
        {"a negative area number", withInt(state, 13, -1)},
        {"an area number far out", withInt(state, 13, 0x7fffffff)},
        {"more areas than there are", withInt(state, 9, 5)},
        {"an area size below zero", withInt(state, 17, -2)},
        {"a column of no known kind", QByteArray(state).replace(25, 1, "\xf0", 1)},
        {"an orientation of neither kind", QByteArray(state).replace(26, 1, "\x03", 1)},
        {"a column with one item more", withInt(state, 27, 2)},
        {"a column with items past the end", withInt(state, 27, 0x10000)},
        {"a dock the window does not have", renamed},
        {"a name of an odd byte count", oddName},
        {"a corner of an area that does not meet it", withInt(state, corners, 0x2)},
        {"cut short", state.left(state.size() - 1)},
        {"a byte more", state + QByteArray(1, '\0')},
        {"a floating tab group", state + QByteArray("\xf9", 1) + QByteArray(16, '\0') + state.mid(25, 6)},
        {"a second dock section", state + state.mid(8, state.size() - 8 - 5)},
    };
    for (const Change& change : changes)
        EXPECT_FALSE(savedDockStateIsWhole(change.state, kVersion, names)) << change.what;
}

// Every byte of every arrangement changed several ways: what passes the
// check, the toolkit restores and lays out without a fault (a crash ends
// this test), and accepts as a layout.
TEST(SavedDockState, AStateChangedAnywhereIsRefusedOrRestoresWhole)
{
    test::appTestApplication();
    const QStringList names = dockNames();
    int passed = 0;
    int refused = 0;
    for (std::size_t a = 0; a < std::size(kArrangements); ++a) {
        const QByteArray state = savedState(kArrangements[a]);
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
                    << "arrangement " << a << ", byte " << at << " set to " << int(value);
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

} // namespace
} // namespace vxo
