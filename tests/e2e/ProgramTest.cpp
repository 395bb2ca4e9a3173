// The program itself, started as a user starts it: it comes up on the display
// without a word on its error output, titled after the library's selected
// experiment, closes cleanly when the window is closed, leaves its layout in
// its own settings file and comes back with the window as it was left. The
// display is driven through the X protocol, as a window manager would: the
// window is found by its process, resized and asked to close. Under a real
// window manager (openbox, on a screen of its own) the window's frame, title
// bar included, comes up on the screen, also when one profile moves between
// screens of different sizes, and after Reset Window Layout.

#include "common/QtTestSupport.h"
#include "document/ExperimentCatalogue.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QRect>
#include <QSettings>
#include <QSize>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>
#include <QThread>

#include <xcb/xcb.h>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vxo::e2e {
namespace {

// One connection to the display the tests run on, or to the one named.
class Display {
public:
    explicit Display(const char* name = nullptr) : connection_(xcb_connect(name, nullptr))
    {
        if (xcb_connection_has_error(connection_) == 0)
            root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
    }
    ~Display() { xcb_disconnect(connection_); }
    Display(const Display&) = delete;
    Display& operator=(const Display&) = delete;

    bool usable() const { return root_ != 0; }

    // The mapped top-level window of process `pid`.
    std::optional<xcb_window_t> windowOf(qint64 pid)
    {
        const std::vector<xcb_window_t> windows = viewableTopLevelsOf(pid, false);
        return windows.empty() ? std::nullopt : std::optional<xcb_window_t>(windows.front());
    }

    // Whether a window manager runs on the display.
    bool managed() { return cardinal(root_, atom("_NET_SUPPORTING_WM_CHECK"), XCB_ATOM_WINDOW).has_value(); }

    // The window of process `pid` among those the window manager manages.
    std::optional<xcb_window_t> managedWindowOf(qint64 pid)
    {
        std::optional<xcb_window_t> found;
        xcb_get_property_reply_t* list = xcb_get_property_reply(
            connection_, xcb_get_property(connection_, 0, root_, atom("_NET_CLIENT_LIST"), XCB_ATOM_WINDOW, 0, 1024),
            nullptr);
        if (list == nullptr)
            return found;
        const auto* windows = static_cast<const xcb_window_t*>(xcb_get_property_value(list));
        const int count = xcb_get_property_value_length(list) / int(sizeof(xcb_window_t));
        const xcb_atom_t pidAtom = atom("_NET_WM_PID");
        for (int i = 0; i < count && !found; ++i)
            if (cardinal(windows[i], pidAtom) == std::optional<std::uint32_t>(std::uint32_t(pid)))
                found = windows[i];
        std::free(list);
        return found;
    }

    // The window's frame on the root window: the geometry of its top-level
    // ancestor, the window itself while no window manager has framed it.
    struct Frame {
        QRect geometry;
        bool framed = false;
    };
    Frame frameOf(xcb_window_t window)
    {
        Frame frame;
        xcb_window_t top = window;
        for (;;) {
            xcb_query_tree_reply_t* tree = xcb_query_tree_reply(connection_, xcb_query_tree(connection_, top), nullptr);
            if (tree == nullptr)
                return frame;
            const xcb_window_t parent = tree->parent;
            std::free(tree);
            if (parent == root_ || parent == XCB_WINDOW_NONE)
                break;
            top = parent;
        }
        xcb_get_geometry_reply_t* geometry =
            xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, top), nullptr);
        if (geometry != nullptr)
            frame.geometry = QRect(geometry->x, geometry->y, geometry->width, geometry->height);
        std::free(geometry);
        frame.framed = top != window;
        return frame;
    }

    QString title(xcb_window_t window)
    {
        xcb_get_property_reply_t* reply = xcb_get_property_reply(
            connection_, xcb_get_property(connection_, 0, window, atom("_NET_WM_NAME"), atom("UTF8_STRING"), 0, 1024),
            nullptr);
        QString text;
        if (reply != nullptr)
            text = QString::fromUtf8(static_cast<const char*>(xcb_get_property_value(reply)),
                                     xcb_get_property_value_length(reply));
        std::free(reply);
        return text;
    }

    QSize size(xcb_window_t window)
    {
        xcb_get_geometry_reply_t* geometry =
            xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, window), nullptr);
        const QSize result = geometry ? QSize(geometry->width, geometry->height) : QSize();
        std::free(geometry);
        return result;
    }

    void resize(xcb_window_t window, QSize size)
    {
        const std::uint32_t values[] = {std::uint32_t(size.width()), std::uint32_t(size.height())};
        xcb_configure_window(connection_, window, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, values);
        xcb_flush(connection_);
    }

    // The viewable top-level windows of process `pid` that no window manager
    // framed: its open menus.
    std::vector<QRect> popupsOf(qint64 pid)
    {
        std::vector<QRect> popups;
        for (const xcb_window_t window : viewableTopLevelsOf(pid, true))
            popups.push_back(frameOf(window).geometry);
        return popups;
    }

    // The viewable top-level windows of process `pid`, in stacking order from
    // the bottom; with `unframedOnly`, those that bypass the window manager.
    std::vector<xcb_window_t> viewableTopLevelsOf(qint64 pid, bool unframedOnly)
    {
        std::vector<xcb_window_t> windows;
        const xcb_atom_t pidAtom = atom("_NET_WM_PID");
        xcb_query_tree_reply_t* tree = xcb_query_tree_reply(connection_, xcb_query_tree(connection_, root_), nullptr);
        if (tree == nullptr)
            return windows;
        const xcb_window_t* children = xcb_query_tree_children(tree);
        for (int i = 0; i < xcb_query_tree_children_length(tree); ++i) {
            xcb_get_window_attributes_reply_t* attributes = xcb_get_window_attributes_reply(
                connection_, xcb_get_window_attributes(connection_, children[i]), nullptr);
            const bool wanted = attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE &&
                                (!unframedOnly || attributes->override_redirect);
            std::free(attributes);
            if (wanted && cardinal(children[i], pidAtom) == std::optional<std::uint32_t>(std::uint32_t(pid)))
                windows.push_back(children[i]);
        }
        std::free(tree);
        return windows;
    }

    // A key pressed and released over `window` with the modifiers `state`, as
    // the keyboard would send it to the window in focus.
    void pressKey(xcb_window_t window, xcb_keysym_t keysym, std::uint16_t state = 0)
    {
        const xcb_keycode_t code = keycodeOf(keysym);
        for (const std::uint8_t type : {std::uint8_t(XCB_KEY_PRESS), std::uint8_t(XCB_KEY_RELEASE)}) {
            xcb_key_press_event_t event;
            std::memset(&event, 0, sizeof event);
            event.response_type = type;
            event.detail = code;
            event.time = XCB_CURRENT_TIME;
            event.root = root_;
            event.event = window;
            event.child = XCB_NONE;
            event.state = state;
            event.same_screen = 1;
            xcb_send_event(connection_, 0, window,
                           type == XCB_KEY_PRESS ? XCB_EVENT_MASK_KEY_PRESS : XCB_EVENT_MASK_KEY_RELEASE,
                           reinterpret_cast<const char*>(&event));
        }
        xcb_flush(connection_);
    }

    // The close button of a window manager: WM_DELETE_WINDOW.
    void close(xcb_window_t window)
    {
        xcb_client_message_event_t event;
        std::memset(&event, 0, sizeof event);
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 32;
        event.window = window;
        event.type = atom("WM_PROTOCOLS");
        event.data.data32[0] = atom("WM_DELETE_WINDOW");
        event.data.data32[1] = XCB_CURRENT_TIME;
        xcb_send_event(connection_, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&event));
        xcb_flush(connection_);
    }

private:
    xcb_keycode_t keycodeOf(xcb_keysym_t keysym)
    {
        const xcb_setup_t* setup = xcb_get_setup(connection_);
        const int count = setup->max_keycode - setup->min_keycode + 1;
        xcb_get_keyboard_mapping_reply_t* mapping = xcb_get_keyboard_mapping_reply(
            connection_, xcb_get_keyboard_mapping(connection_, setup->min_keycode, std::uint8_t(count)), nullptr);
        xcb_keycode_t code = 0;
        if (mapping != nullptr) {
            const xcb_keysym_t* symbols = xcb_get_keyboard_mapping_keysyms(mapping);
            const int perCode = mapping->keysyms_per_keycode;
            for (int i = 0; i < count * perCode && code == 0; ++i)
                if (symbols[i] == keysym)
                    code = xcb_keycode_t(setup->min_keycode + i / perCode);
        }
        std::free(mapping);
        return code;
    }

    xcb_atom_t atom(const char* name)
    {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
            connection_, xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
        const xcb_atom_t value = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(reply);
        return value;
    }

    std::optional<std::uint32_t> cardinal(xcb_window_t window, xcb_atom_t property, xcb_atom_t type = XCB_ATOM_CARDINAL)
    {
        xcb_get_property_reply_t* reply = xcb_get_property_reply(
            connection_, xcb_get_property(connection_, 0, window, property, type, 0, 1), nullptr);
        std::optional<std::uint32_t> value;
        if (reply != nullptr && xcb_get_property_value_length(reply) == 4)
            value = *static_cast<const std::uint32_t*>(xcb_get_property_value(reply));
        std::free(reply);
        return value;
    }

    xcb_connection_t* connection_;
    xcb_window_t root_ = 0;
};

// One run of the program with its own settings and runtime folders.
class ProgramRun {
public:
    ProgramRun(const QString& configHome, const QString& runtimeDirectory, const QString& display = QString())
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        if (!display.isEmpty())
            environment.insert(QStringLiteral("DISPLAY"), display);
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDirectory);
        // Under the leak checker a leak of the program still ends up on its
        // error output and in its exit status; the tally of the suppressed
        // library leaks is the checker's, not the program's, and is left out.
        if (environment.contains(QStringLiteral("LSAN_OPTIONS")))
            environment.insert(QStringLiteral("LSAN_OPTIONS"), environment.value(QStringLiteral("LSAN_OPTIONS")) +
                                                                   QStringLiteral(":print_suppressions=0"));
        process_.setProcessEnvironment(environment);
        process_.start(QStringLiteral(VXO_PROGRAM), QStringList());
    }
    ~ProgramRun()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }

    QProcess& process() { return process_; }

    // Waits for the main window to be mapped (and managed, on a display
    // with a window manager), asking the display every 50 ms.
    std::optional<xcb_window_t> window(Display& display)
    {
        QElapsedTimer clock;
        clock.start();
        const bool managed = display.managed();
        while (clock.elapsed() < test::kWaitBoundMs && process_.state() == QProcess::Running) {
            if (const auto found =
                    managed ? display.managedWindowOf(process_.processId()) : display.windowOf(process_.processId()))
                return found;
            QThread::msleep(50);
        }
        return std::nullopt;
    }

private:
    QProcess process_;
};

TEST(TheProgram, StartsClosesAndComesBackWithItsWindowAsLeft)
{
    const char* name = std::getenv("DISPLAY");
    ASSERT_TRUE(name != nullptr && name[0] != '\0') << "needs an X display (`make test` runs the tests under xvfb-run)";
    Display display;
    ASSERT_TRUE(display.usable());
    QTemporaryDir configHome;
    QTemporaryDir runtime; // made private to its owner, as the runtime folder must be
    ASSERT_TRUE(configHome.isValid() && runtime.isValid());
    const QString settingsFile = QDir(configHome.path()).filePath(QStringLiteral("Brastell/Ondrivel.conf"));
    // Lower than the form and than the screen; as wide as the window comes up,
    // which on a screen narrower than the docks need is the docks' minimum.
    QSize left(0, 940);

    {
        ProgramRun first(configHome.path(), runtime.path());
        ASSERT_TRUE(first.process().waitForStarted(test::kWaitBoundMs)) << VXO_PROGRAM;
        const std::optional<xcb_window_t> window = first.window(display);
        ASSERT_TRUE(window) << "no window came up; error output:\n"
                            << first.process().readAllStandardError().toStdString();
        const QString expectedTitle =
            QStringLiteral("Ondrivel - \u2068%1\u2069").arg(QString::fromLatin1(makeExperimentPreset(2).title));
        EXPECT_TRUE(display.title(*window).startsWith(expectedTitle)) << display.title(*window).toStdString();
        left.setWidth(display.size(*window).width());
        EXPECT_NE(display.size(*window), left);
        EXPECT_FALSE(QFileInfo::exists(settingsFile)) << "nothing is saved while the program runs";

        display.resize(*window, left);
        display.close(*window);
        ASSERT_TRUE(first.process().waitForFinished(test::kWaitBoundMs))
            << "the program did not end when its window closed";
        EXPECT_EQ(first.process().exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(first.process().exitCode(), 0);
        EXPECT_EQ(first.process().readAllStandardError().toStdString(), "") << "the program wrote to its error output";
    }

    ASSERT_TRUE(QFileInfo::exists(settingsFile)) << "the layout was not saved under the program's identity";
    {
        QSettings saved(settingsFile, QSettings::IniFormat);
        saved.beginGroup(QStringLiteral("MainWindow"));
        for (const char* key : {"geometry", "windowState", "controlsTab", "analysisPage"})
            EXPECT_TRUE(saved.contains(QLatin1String(key))) << key << " was not saved";
    }

    ProgramRun second(configHome.path(), runtime.path());
    ASSERT_TRUE(second.process().waitForStarted(test::kWaitBoundMs));
    const std::optional<xcb_window_t> window = second.window(display);
    ASSERT_TRUE(window) << second.process().readAllStandardError().toStdString();
    EXPECT_EQ(display.size(*window), left) << "the window did not come back as it was left";
    display.close(*window);
    ASSERT_TRUE(second.process().waitForFinished(test::kWaitBoundMs));
    EXPECT_EQ(second.process().exitCode(), 0);
}

// An X server of its own with openbox managing its one screen, for as long
// as the object lives: the window manager's frames and placement stay away
// from the display the other tests share.
class ManagedScreen {
public:
    explicit ManagedScreen(const QSize& size)
    {
        // xvfb-run finds a free display; the shell names it and then becomes
        // the window manager. No access control: the test is another client.
        process_.start(QStringLiteral("xvfb-run"),
                       {QStringLiteral("-a"), QStringLiteral("-s"),
                        QStringLiteral("-screen 0 %1x%2x24 -ac -noreset").arg(size.width()).arg(size.height()),
                        QStringLiteral("sh"), QStringLiteral("-c"),
                        QStringLiteral("echo \"$DISPLAY $$\"; exec openbox --sm-disable")});
        QElapsedTimer clock;
        clock.start();
        while (!process_.canReadLine() && process_.state() != QProcess::NotRunning &&
               clock.elapsed() < test::kWaitBoundMs)
            process_.waitForReadyRead(100);
        const QStringList words = QString::fromUtf8(process_.readLine()).trimmed().split(QLatin1Char(' '));
        if (words.size() == 2) {
            display_ = words[0];
            windowManager_ = words[1].toLongLong();
        }
    }
    ~ManagedScreen()
    {
        // The window manager ends, and xvfb-run with it takes its server down.
        if (windowManager_ > 0)
            ::kill(pid_t(windowManager_), SIGTERM);
        if (!process_.waitForFinished(30000)) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }
    ManagedScreen(const ManagedScreen&) = delete;
    ManagedScreen& operator=(const ManagedScreen&) = delete;

    const QString& display() const { return display_; }
    QString errors() { return QString::fromLocal8Bit(process_.readAllStandardError()); }

private:
    QProcess process_;
    QString display_;
    qint64 windowManager_ = 0;
};

// The classroom screens, each with a window manager: the frame the window
// manager puts around the window, title bar and all, lies on the screen, so
// that the window can be moved and closed by it, at the first start and at
// the next, which restores the window as it was left.
TEST(TheProgram, UnderAWindowManagerComesUpWithItsWholeFrameOnTheScreen)
{
    ASSERT_FALSE(QStandardPaths::findExecutable(QStringLiteral("openbox")).isEmpty())
        << "openbox is missing (`make deps` installs it)";
    ASSERT_FALSE(QStandardPaths::findExecutable(QStringLiteral("xvfb-run")).isEmpty())
        << "xvfb-run is missing (`make deps` installs it)";
    for (const QSize screen : {QSize(1024, 768), QSize(1366, 768), QSize(1920, 1080)}) {
        const std::string at = std::to_string(screen.width()) + "x" + std::to_string(screen.height());
        ManagedScreen managed(screen);
        ASSERT_FALSE(managed.display().isEmpty()) << at << ": no X server came up: " << managed.errors().toStdString();
        Display display(managed.display().toLocal8Bit().constData());
        ASSERT_TRUE(display.usable()) << at << ": cannot connect to " << managed.display().toStdString();
        QElapsedTimer clock;
        clock.start();
        while (!display.managed() && clock.elapsed() < test::kWaitBoundMs)
            QThread::msleep(50);
        ASSERT_TRUE(display.managed()) << at << ": openbox did not start: " << managed.errors().toStdString();

        QTemporaryDir configHome;
        QTemporaryDir runtime;
        ASSERT_TRUE(configHome.isValid() && runtime.isValid());
        // The first start, then a start that restores the window as the first
        // left it, which was the whole screen.
        for (const char* start : {"first start", "start with the saved layout"}) {
            ProgramRun run(configHome.path(), runtime.path(), managed.display());
            ASSERT_TRUE(run.process().waitForStarted(test::kWaitBoundMs)) << VXO_PROGRAM;
            const std::optional<xcb_window_t> window = run.window(display);
            ASSERT_TRUE(window) << at << ", " << start << ": no window came up; error output:\n"
                                << run.process().readAllStandardError().toStdString();
            // Framed, and fitted to the frame once the program has learnt it.
            const QRect screenRect(QPoint(0, 0), screen);
            Display::Frame frame = display.frameOf(*window);
            clock.restart();
            while (!(frame.framed && screenRect.contains(frame.geometry)) && clock.elapsed() < test::kWaitBoundMs) {
                QThread::msleep(50);
                frame = display.frameOf(*window);
            }
            EXPECT_TRUE(frame.framed) << at << ", " << start << ": the window manager did not frame the window";
            EXPECT_TRUE(screenRect.contains(frame.geometry))
                << at << ", " << start << ": the frame lies at " << frame.geometry.x() << "," << frame.geometry.y()
                << " " << frame.geometry.width() << "x" << frame.geometry.height();
            display.close(*window);
            EXPECT_TRUE(run.process().waitForFinished(test::kWaitBoundMs))
                << at << ", " << start << ": the window did not close";
        }
    }
}

// The keys a user presses for View > Reset Window Layout: Alt+H opens the
// Help menu, Left the View menu beside it, Up its last entry, Return
// chooses it. Each key waits for the menu it opens.
bool chooseResetWindowLayout(Display& display, xcb_window_t window, qint64 pid)
{
    constexpr xcb_keysym_t kH = 0x68, kLeft = 0xff51, kUp = 0xff52, kReturn = 0xff0d;
    const auto menuLeftOf = [&display, pid](int x) {
        QElapsedTimer clock;
        clock.start();
        for (;;) {
            for (const QRect& popup : display.popupsOf(pid))
                if (popup.x() < x)
                    return popup.x();
            if (clock.elapsed() > test::kWaitBoundMs)
                return -1;
            QThread::msleep(50);
        }
    };
    display.pressKey(window, kH, XCB_MOD_MASK_1);
    const int help = menuLeftOf(std::numeric_limits<int>::max());
    if (help < 0)
        return false;
    display.pressKey(window, kLeft);
    if (menuLeftOf(help) < 0)
        return false;
    display.pressKey(window, kUp);
    display.pressKey(window, kReturn);
    return true;
}

std::string frameText(const QRect& r)
{
    return std::to_string(r.x()) + "," + std::to_string(r.y()) + " " + std::to_string(r.width()) + "x" +
           std::to_string(r.height());
}

// Whether the settings file holds a saved window geometry.
bool layoutSaved(const QString& settingsFile)
{
    return QSettings(settingsFile, QSettings::IniFormat).contains(QStringLiteral("MainWindow/geometry"));
}

// One profile, as a school's account, used on a 1920 x 1080 monitor, a
// 1366 x 768 laptop and a 1024 x 768 projector, each with a window manager:
// every start restores the layout the last one left on another screen, in
// all six orders, and comes up with its whole frame, title bar included, on
// the screen; so it stays after View > Reset Window Layout, which forgets the
// saved layout. Back on the monitor, a window made 1200 x 800 comes back
// 1200 x 800, and Reset Window Layout leaves it so.
TEST(TheProgram, OneProfileMovedBetweenScreensKeepsItsWholeFrameOnEachAndAfterAReset)
{
    ASSERT_FALSE(QStandardPaths::findExecutable(QStringLiteral("openbox")).isEmpty())
        << "openbox is missing (`make deps` installs it)";
    const QSize monitor(1920, 1080), laptop(1366, 768), projector(1024, 768);
    std::vector<std::unique_ptr<ManagedScreen>> screens;
    std::vector<std::unique_ptr<Display>> displays;
    for (const QSize& size : {monitor, laptop, projector}) {
        screens.push_back(std::make_unique<ManagedScreen>(size));
        ASSERT_FALSE(screens.back()->display().isEmpty())
            << "no X server came up: " << screens.back()->errors().toStdString();
        displays.push_back(std::make_unique<Display>(screens.back()->display().toLocal8Bit().constData()));
        ASSERT_TRUE(displays.back()->usable());
        QElapsedTimer clock;
        clock.start();
        while (!displays.back()->managed() && clock.elapsed() < test::kWaitBoundMs)
            QThread::msleep(50);
        ASSERT_TRUE(displays.back()->managed()) << "openbox did not start: " << screens.back()->errors().toStdString();
    }
    QTemporaryDir configHome;
    QTemporaryDir runtime;
    ASSERT_TRUE(configHome.isValid() && runtime.isValid());
    const QString settingsFile = QDir(configHome.path()).filePath(QStringLiteral("Brastell/Ondrivel.conf"));
    const QSize sizes[] = {monitor, laptop, projector};

    // Every screen after every other: monitor, laptop, projector, monitor,
    // projector, laptop, monitor; the last start resizes the window.
    const int visits[] = {0, 1, 2, 0, 2, 1, 0};
    const QSize chosen(1200, 800);
    for (std::size_t visit = 0; visit <= std::size(visits); ++visit) {
        const bool last = visit == std::size(visits);
        const int on = last ? 0 : visits[visit];
        const QRect screen(QPoint(0, 0), sizes[on]);
        const std::string at = "start " + std::to_string(visit + 1) + " on " + std::to_string(screen.width()) + "x" +
                               std::to_string(screen.height());
        Display& display = *displays[std::size_t(on)];
        ProgramRun run(configHome.path(), runtime.path(), screens[std::size_t(on)]->display());
        ASSERT_TRUE(run.process().waitForStarted(test::kWaitBoundMs)) << VXO_PROGRAM;
        const std::optional<xcb_window_t> window = run.window(display);
        ASSERT_TRUE(window) << at << ": no window came up: " << run.process().readAllStandardError().toStdString();
        const auto frameInside = [&display, &window, &screen] {
            QElapsedTimer clock;
            clock.start();
            Display::Frame frame = display.frameOf(*window);
            while (!(frame.framed && screen.contains(frame.geometry)) && clock.elapsed() < test::kWaitBoundMs) {
                QThread::msleep(50);
                frame = display.frameOf(*window);
            }
            return frame;
        };
        Display::Frame frame = frameInside();
        ASSERT_TRUE(frame.framed && screen.contains(frame.geometry))
            << at << ": the frame lies at " << frameText(frame.geometry);
        if (last) {
            EXPECT_EQ(display.size(*window), chosen) << at << ": the window did not come back as it was left";
        } else if (visit > 0) {
            ASSERT_TRUE(layoutSaved(settingsFile)) << at << ": nothing was saved to restore";
            ASSERT_TRUE(chooseResetWindowLayout(display, *window, run.process().processId()))
                << at << ": the View menu did not open";
            QElapsedTimer clock;
            clock.start();
            while (layoutSaved(settingsFile) && clock.elapsed() < test::kWaitBoundMs)
                QThread::msleep(50);
            ASSERT_FALSE(layoutSaved(settingsFile)) << at << ": Reset Window Layout did not forget the layout";
            frame = frameInside();
            EXPECT_TRUE(frame.framed && screen.contains(frame.geometry))
                << at << ": after Reset Window Layout the frame lies at " << frameText(frame.geometry);
        }
        if (visit + 1 == std::size(visits)) {
            // Asked again until it holds: a window as wide as this keeps both
            // side columns, and their height, until its docks have become one
            // column, as a user's second drag finds it.
            QElapsedTimer clock;
            clock.start();
            while (display.size(*window) != chosen && clock.elapsed() < test::kWaitBoundMs) {
                display.resize(*window, chosen);
                QThread::msleep(50);
            }
            ASSERT_EQ(display.size(*window), chosen) << at << ": the window manager did not resize the window";
        }
        if (last) {
            ASSERT_TRUE(chooseResetWindowLayout(display, *window, run.process().processId()));
            QElapsedTimer clock;
            clock.start();
            while (layoutSaved(settingsFile) && clock.elapsed() < test::kWaitBoundMs)
                QThread::msleep(50);
            ASSERT_FALSE(layoutSaved(settingsFile)) << at << ": Reset Window Layout did not forget the layout";
            EXPECT_EQ(display.size(*window), chosen) << at << ": Reset Window Layout resized the window";
        }
        display.close(*window);
        ASSERT_TRUE(run.process().waitForFinished(test::kWaitBoundMs)) << at << ": the window did not close";
        EXPECT_EQ(run.process().exitCode(), 0) << at;
    }
}

} // namespace
} // namespace vxo::e2e
