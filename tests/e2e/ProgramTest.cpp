// The program itself, started as a user starts it: it comes up on the display
// without a word on its error output, titled after the library's selected
// experiment, closes cleanly when the window is closed, leaves its layout in
// its own settings file and comes back with the window as it was left. The
// display is driven through the X protocol, as a window manager would: the
// window is found by its process, resized and asked to close. Under a real
// window manager (openbox, on a screen of its own) the window's frame, title
// bar included, comes up on the screen, also when one profile moves between
// screens of different sizes, after a dock was floated, when the screen's
// available area changes under the running program, and after Reset Window
// Layout.

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
#include <QStringList>
#include <QThread>

#include <xcb/xcb.h>

#include <gtest/gtest.h>

#include <array>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vxo::e2e {
namespace {

// Asks the display or the program until `condition` holds, every 50 ms,
// for as long as a test waits: the program and its window manager run in
// processes of their own, with no event loop here to wait on.
bool waitFor(const std::function<bool()>& condition)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > test::kWaitBoundMs)
            return false;
        QThread::msleep(50);
    }
    return true;
}

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

    // The window of process `pid` among those the window manager manages
    // whose title starts with `title` (the program's own name: the main
    // window, not a floating dock).
    std::optional<xcb_window_t> managedWindowOf(qint64 pid, const QString& title = QStringLiteral("Ondrivel"))
    {
        const xcb_atom_t pidAtom = atom("_NET_WM_PID");
        for (const xcb_window_t window : windowList("_NET_CLIENT_LIST"))
            if (cardinal(window, pidAtom) == std::optional<std::uint32_t>(std::uint32_t(pid)) &&
                this->title(window).startsWith(title))
                return window;
        return std::nullopt;
    }

    // The managed windows from the bottom of the stack to its top.
    std::vector<xcb_window_t> stacking() { return windowList("_NET_CLIENT_LIST_STACKING"); }

    bool viewable(xcb_window_t window)
    {
        xcb_get_window_attributes_reply_t* attributes =
            xcb_get_window_attributes_reply(connection_, xcb_get_window_attributes(connection_, window), nullptr);
        const bool result = attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
        std::free(attributes);
        return result;
    }

    // The area the window manager leaves to windows (_NET_WORKAREA of the
    // first desktop).
    QRect workArea()
    {
        xcb_get_property_reply_t* reply = xcb_get_property_reply(
            connection_, xcb_get_property(connection_, 0, root_, atom("_NET_WORKAREA"), XCB_ATOM_CARDINAL, 0, 4),
            nullptr);
        QRect area;
        if (reply != nullptr && xcb_get_property_value_length(reply) == 16) {
            const auto* v = static_cast<const std::uint32_t*>(xcb_get_property_value(reply));
            area = QRect(int(v[0]), int(v[1]), int(v[2]), int(v[3]));
        }
        std::free(reply);
        return area;
    }

    // A panel along the screen's edge, as a desktop's panel or a dock of
    // application icons: a window of type dock at `at` that reserves `strut`
    // (left, right, top, bottom) of the screen for itself, from then on.
    void addPanel(const QRect& at, const std::array<std::uint32_t, 4>& strut)
    {
        const xcb_window_t panel = xcb_generate_id(connection_);
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
        const std::uint32_t background[] = {screen->black_pixel};
        xcb_create_window(connection_, XCB_COPY_FROM_PARENT, panel, root_, std::int16_t(at.x()), std::int16_t(at.y()),
                          std::uint16_t(at.width()), std::uint16_t(at.height()), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                          screen->root_visual, XCB_CW_BACK_PIXEL, background);
        const xcb_atom_t dockType = atom("_NET_WM_WINDOW_TYPE_DOCK");
        xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, panel, atom("_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM, 32,
                            1, &dockType);
        // Each edge over the whole screen's length.
        const QRect whole(0, 0, screen->width_in_pixels, screen->height_in_pixels);
        const std::uint32_t partial[] = {strut[0], strut[1],
                                         strut[2], strut[3],
                                         0,        std::uint32_t(whole.bottom()),
                                         0,        std::uint32_t(whole.bottom()),
                                         0,        std::uint32_t(whole.right()),
                                         0,        std::uint32_t(whole.right())};
        xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, panel, atom("_NET_WM_STRUT_PARTIAL"), XCB_ATOM_CARDINAL,
                            32, 12, partial);
        xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, panel, atom("_NET_WM_STRUT"), XCB_ATOM_CARDINAL, 32, 4,
                            strut.data());
        xcb_map_window(connection_, panel);
        xcb_flush(connection_);
        panels_.push_back(panel);
    }

    // The panels taken away again, the screen's whole area given back.
    void removePanels()
    {
        for (const xcb_window_t panel : panels_)
            xcb_destroy_window(connection_, panel);
        panels_.clear();
        xcb_flush(connection_);
    }

    // Returns once the window manager has handled every request and event
    // that reached the display before this call: it answers a request for a
    // new window's frame extents only after those.
    bool syncWithWindowManager()
    {
        const xcb_window_t probe = xcb_generate_id(connection_);
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
        xcb_create_window(connection_, XCB_COPY_FROM_PARENT, probe, root_, 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                          screen->root_visual, 0, nullptr);
        const xcb_client_message_event_t event = clientMessage(probe, "_NET_REQUEST_FRAME_EXTENTS");
        xcb_send_event(connection_, 0, root_, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&event));
        xcb_flush(connection_);
        const xcb_atom_t extents = atom("_NET_FRAME_EXTENTS");
        const bool answered = waitFor([&] {
            xcb_get_property_reply_t* reply = xcb_get_property_reply(
                connection_, xcb_get_property(connection_, 0, probe, extents, XCB_ATOM_CARDINAL, 0, 4), nullptr);
            const bool whole = reply != nullptr && xcb_get_property_value_length(reply) == 16;
            std::free(reply);
            return whole;
        });
        xcb_destroy_window(connection_, probe);
        xcb_flush(connection_);
        return answered;
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
        xcb_client_message_event_t event = clientMessage(window, "WM_PROTOCOLS");
        event.data.data32[0] = atom("WM_DELETE_WINDOW");
        event.data.data32[1] = XCB_CURRENT_TIME;
        xcb_send_event(connection_, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&event));
        xcb_flush(connection_);
    }

private:
    // A client message of `type` about `window`, with no data yet.
    xcb_client_message_event_t clientMessage(xcb_window_t window, const char* type)
    {
        xcb_client_message_event_t event;
        std::memset(&event, 0, sizeof event);
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 32;
        event.window = window;
        event.type = atom(type);
        return event;
    }

    // A list of windows the window manager keeps on the root window.
    std::vector<xcb_window_t> windowList(const char* property)
    {
        std::vector<xcb_window_t> windows;
        xcb_get_property_reply_t* list = xcb_get_property_reply(
            connection_, xcb_get_property(connection_, 0, root_, atom(property), XCB_ATOM_WINDOW, 0, 1024), nullptr);
        if (list == nullptr)
            return windows;
        const auto* values = static_cast<const xcb_window_t*>(xcb_get_property_value(list));
        windows.assign(values, values + xcb_get_property_value_length(list) / int(sizeof(xcb_window_t)));
        std::free(list);
        return windows;
    }

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
    std::vector<xcb_window_t> panels_;
    xcb_window_t root_ = 0;
};

// One run of the program with its own settings and runtime folders.
class ProgramRun {
public:
    ProgramRun(const QString& configHome, const QString& runtimeDirectory, const QString& display = QString(),
               const QString& program = QStringLiteral(VXO_PROGRAM), const QStringList& arguments = {},
               const QString& textScale = QString())
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        if (!textScale.isEmpty())
            environment.insert(QStringLiteral("QT_SCALE_FACTOR"), textScale);
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
        process_.start(program, arguments);
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
    // with a window manager) while the program runs.
    std::optional<xcb_window_t> window(Display& display)
    {
        const bool managed = display.managed();
        std::optional<xcb_window_t> found;
        waitFor([&] {
            found = managed ? display.managedWindowOf(process_.processId()) : display.windowOf(process_.processId());
            return found || process_.state() != QProcess::Running;
        });
        return found;
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

// The keys a user presses for View > Reset Window Layout: Alt+H opens the
// Help menu, Left the View menu beside it, Up its last entry, Return
// chooses it. Each key waits for the menu it opens.
bool chooseResetWindowLayout(Display& display, xcb_window_t window, qint64 pid)
{
    constexpr xcb_keysym_t kH = 0x68, kLeft = 0xff51, kUp = 0xff52, kReturn = 0xff0d;
    const auto menuLeftOf = [&display, pid](int x) {
        int left = -1;
        waitFor([&] {
            for (const QRect& popup : display.popupsOf(pid))
                if (popup.x() < x) {
                    left = popup.x();
                    break;
                }
            return left >= 0;
        });
        return left;
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

// The classroom screens, each with a window manager (a laptop and a
// smaller screen also with their text at 150%): the frame the window
// manager puts around the window, title bar and all, lies on the screen, so
// that the window can be moved and closed by it, at the first start and at
// the next, which restores the window as it was left. On the monitor the
// guide was floated in between, as a double click on its title floats it:
// it comes back on the screen and above the window, not under it. Then a
// panel takes the screen's right and bottom edges away while the program
// runs, leaving the area of a projector: the window, and the floating guide,
// are fitted into what is left, and Reset Window Layout docks the guide and
// keeps the whole frame there; the panels gone again, the window takes the
// monitor's share again.
TEST(TheProgram, UnderAWindowManagerComesUpWithItsWholeFrameOnTheScreen)
{
    ASSERT_FALSE(QStandardPaths::findExecutable(QStringLiteral("openbox")).isEmpty())
        << "openbox is missing (`make deps` installs it)";
    ASSERT_FALSE(QStandardPaths::findExecutable(QStringLiteral("xvfb-run")).isEmpty())
        << "xvfb-run is missing (`make deps` installs it)";
    struct Case {
        QSize screen;
        const char* floated;   // the dock floated between the two starts, if any
        const char* textScale; // the text enlarged, if at all
    };
    // Text at 150% leaves a 768-line screen 512 lines of the window's units.
    for (const Case& screenCase :
         {Case{QSize(1024, 768), nullptr, nullptr}, Case{QSize(1366, 768), nullptr, nullptr},
          Case{QSize(1366, 768), nullptr, "1.5"}, Case{QSize(1280, 800), nullptr, "1.5"},
          Case{QSize(1920, 1080), "helpDockWidget", nullptr}}) {
        const QSize screen = screenCase.screen;
        const std::string at = std::to_string(screen.width()) + "x" + std::to_string(screen.height()) +
                               (screenCase.textScale ? std::string(" at ") + screenCase.textScale : std::string());
        ManagedScreen managed(screen);
        ASSERT_FALSE(managed.display().isEmpty()) << at << ": no X server came up: " << managed.errors().toStdString();
        Display display(managed.display().toLocal8Bit().constData());
        ASSERT_TRUE(display.usable()) << at << ": cannot connect to " << managed.display().toStdString();
        ASSERT_TRUE(waitFor([&display] { return display.managed(); }))
            << at << ": openbox did not start: " << managed.errors().toStdString();

        QTemporaryDir configHome;
        QTemporaryDir runtime;
        ASSERT_TRUE(configHome.isValid() && runtime.isValid());
        const QString settingsFile = QDir(configHome.path()).filePath(QStringLiteral("Brastell/Ondrivel.conf"));
        // The first start, then a start that restores the window as the first
        // left it, which was the whole screen.
        for (const char* start : {"first start", "start with the saved layout"}) {
            const bool restart = std::strcmp(start, "first start") != 0;
            if (restart && screenCase.floated != nullptr) {
                ProgramRun floating(
                    configHome.path(), runtime.path(), managed.display(), QStringLiteral(VXO_LAYOUT_START),
                    {QStringLiteral("--float"), QLatin1String(screenCase.floated), QStringLiteral("--close")});
                ASSERT_TRUE(floating.process().waitForFinished(2 * test::kWaitBoundMs) &&
                            floating.process().exitCode() == 0)
                    << at << ": the " << screenCase.floated << " was not floated and saved:\n"
                    << floating.process().readAllStandardError().toStdString();
            }
            ProgramRun run(configHome.path(), runtime.path(), managed.display(), QStringLiteral(VXO_PROGRAM), {},
                           QLatin1String(screenCase.textScale));
            ASSERT_TRUE(run.process().waitForStarted(test::kWaitBoundMs)) << VXO_PROGRAM;
            const std::optional<xcb_window_t> window = run.window(display);
            ASSERT_TRUE(window) << at << ", " << start << ": no window came up; error output:\n"
                                << run.process().readAllStandardError().toStdString();
            // Framed, and fitted to the frame once the program has learnt it.
            const auto frameInside = [&display, &window](const QRect& area) {
                Display::Frame frame;
                waitFor([&] {
                    frame = display.frameOf(*window);
                    return frame.framed && area.contains(frame.geometry);
                });
                return frame;
            };
            const QRect screenRect(QPoint(0, 0), screen);
            Display::Frame frame = frameInside(screenRect);
            EXPECT_TRUE(frame.framed) << at << ", " << start << ": the window manager did not frame the window";
            EXPECT_TRUE(screenRect.contains(frame.geometry))
                << at << ", " << start << ": the frame lies at " << frameText(frame.geometry);

            if (restart && screenCase.floated != nullptr) {
                const qint64 pid = run.process().processId();
                // The floating guide's frame where it is on show above the
                // window (a dock floated again gets a new window).
                const auto guideOnTop = [&display, &window, pid]() -> std::optional<QRect> {
                    const std::optional<xcb_window_t> guide =
                        display.managedWindowOf(pid, QStringLiteral("Physics Help"));
                    if (!guide || !display.viewable(*guide))
                        return std::nullopt;
                    const std::vector<xcb_window_t> stack = display.stacking();
                    const auto below = std::find(stack.begin(), stack.end(), *window);
                    if (below == stack.end() || std::find(below, stack.end(), *guide) == stack.end())
                        return std::nullopt;
                    return display.frameOf(*guide).geometry;
                };
                // One look at a time: the guide may leave the top between two looks.
                const auto guideOnTopInside = [&guideOnTop](const QRect& area) {
                    const std::optional<QRect> guide = guideOnTop();
                    return guide && area.contains(*guide);
                };
                EXPECT_TRUE(waitFor([&] { return guideOnTopInside(screenRect); }))
                    << at << ": the floated guide did not come back above the window, on the screen";

                // A panel along the right and the bottom edge leaves the
                // area of a 1024 x 768 projector.
                const QRect projector(0, 0, 1024, 768);
                display.addPanel(QRect(projector.right() + 1, 0, screen.width() - projector.width(), screen.height()),
                                 {0, std::uint32_t(screen.width() - projector.width()), 0, 0});
                display.addPanel(
                    QRect(0, projector.bottom() + 1, projector.width(), screen.height() - projector.height()),
                    {0, 0, 0, std::uint32_t(screen.height() - projector.height())});
                ASSERT_TRUE(waitFor([&display, &projector] { return display.workArea() == projector; }))
                    << at << ": openbox left the area " << frameText(display.workArea());
                frame = frameInside(projector);
                EXPECT_TRUE(projector.contains(frame.geometry))
                    << at << ": with the panels, the frame lies at " << frameText(frame.geometry);
                EXPECT_TRUE(waitFor([&] { return guideOnTopInside(projector); }))
                    << at << ": with the panels, the floated guide is not above the window inside the area";

                ASSERT_TRUE(layoutSaved(settingsFile)) << at << ": nothing was saved to restore";
                ASSERT_TRUE(chooseResetWindowLayout(display, *window, pid)) << at << ": the View menu did not open";
                EXPECT_TRUE(waitFor([&] { return !layoutSaved(settingsFile); }))
                    << at << ": Reset Window Layout did not forget the layout";
                EXPECT_TRUE(waitFor([&] {
                    const std::optional<xcb_window_t> guide =
                        display.managedWindowOf(pid, QStringLiteral("Physics Help"));
                    return !guide || !display.viewable(*guide);
                })) << at
                    << ": Reset Window Layout did not dock the guide";
                ASSERT_TRUE(display.syncWithWindowManager()) << at << ": openbox does not answer";
                frame = display.frameOf(*window);
                EXPECT_TRUE(projector.contains(frame.geometry))
                    << at << ": after Reset Window Layout the frame lies at " << frameText(frame.geometry);

                // The panels gone (the projector unplugged), the window the
                // program fitted takes the monitor's share again.
                display.removePanels();
                ASSERT_TRUE(waitFor([&display, &screenRect] { return display.workArea() == screenRect; }))
                    << at << ": openbox left the area " << frameText(display.workArea());
                EXPECT_TRUE(waitFor([&] {
                    frame = display.frameOf(*window);
                    return screenRect.contains(frame.geometry) && frame.geometry.width() > projector.width() &&
                           frame.geometry.height() > projector.height();
                })) << at
                    << ": with the screen whole again, the frame lies at " << frameText(frame.geometry);
            }
            display.close(*window);
            EXPECT_TRUE(run.process().waitForFinished(test::kWaitBoundMs))
                << at << ", " << start << ": the window did not close";
        }
    }
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
        ASSERT_TRUE(waitFor([&displays] { return displays.back()->managed(); }))
            << "openbox did not start: " << screens.back()->errors().toStdString();
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
            Display::Frame frame;
            waitFor([&] {
                frame = display.frameOf(*window);
                return frame.framed && screen.contains(frame.geometry);
            });
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
            ASSERT_TRUE(waitFor([&settingsFile] { return !layoutSaved(settingsFile); }))
                << at << ": Reset Window Layout did not forget the layout";
            frame = frameInside();
            EXPECT_TRUE(frame.framed && screen.contains(frame.geometry))
                << at << ": after Reset Window Layout the frame lies at " << frameText(frame.geometry);
        }
        if (visit + 1 == std::size(visits)) {
            // Asked again until it holds: a window as wide as this keeps both
            // side columns, and their height, until its docks have become one
            // column, as a user's second drag finds it.
            waitFor([&] {
                if (display.size(*window) == chosen)
                    return true;
                display.resize(*window, chosen);
                return false;
            });
            ASSERT_EQ(display.size(*window), chosen) << at << ": the window manager did not resize the window";
        }
        if (last) {
            ASSERT_TRUE(chooseResetWindowLayout(display, *window, run.process().processId()));
            ASSERT_TRUE(waitFor([&settingsFile] { return !layoutSaved(settingsFile); }))
                << at << ": Reset Window Layout did not forget the layout";
            EXPECT_EQ(display.size(*window), chosen) << at << ": Reset Window Layout resized the window";
        }
        display.close(*window);
        ASSERT_TRUE(run.process().waitForFinished(test::kWaitBoundMs)) << at << ": the window did not close";
        EXPECT_EQ(run.process().exitCode(), 0) << at;
    }
}

} // namespace
} // namespace vxo::e2e
