// The gallery: the shown window at the form's size, every guided experiment
// (or those named on the command line) chosen in the library, loaded with the
// Load button and played for the ticks of a few seconds of the run timer,
// then the whole window saved as <output>/<NN>_<identifier>.png for someone
// to look at.
//
// Usage: vxo_gallery [--seconds S] [--screen WxH] [--whole-screen] output-folder [preset index ...]
// Run it under a display large enough for the window (tools/gallery.sh): the
// picture is taken from the display. With --screen the window is fitted to a
// screen of that size at the display's corner, as it starts on such a screen,
// and the analysis dock is also saved alone as <NN>_<identifier>_analysis.png.
// With --whole-screen the window keeps the size it opened with on the display
// and each picture is the whole screen, so that what lies off it shows; the
// window as it opened is saved first as start.png.

#include "common/AppTestSupport.h"

#include "app/mainwindow/MainWindow.h"
#include "document/ExperimentCatalogue.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QPixmap>
#include <QLayout>
#include <QScreen>
#include <QStackedWidget>
#include <QSize>
#include <QStringList>
#include <QWindow>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace vxo {
namespace {

template <typename Widget>
Widget& control(const QObject& window, const char* name)
{
    auto* found = window.findChild<Widget*>(QLatin1String(name));
    if (found == nullptr) {
        std::fprintf(stderr, "the window has no %s\n", name);
        std::exit(2);
    }
    return *found;
}

void runEventsFor(int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
}

} // namespace
} // namespace vxo

int main(int argc, char** argv)
{
    using namespace vxo;
    double seconds = 4.0;
    QSize screen;
    bool wholeScreen = false;
    QString output;
    std::vector<int> presets;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--seconds") == 0 && i + 1 < argc)
            seconds = std::atof(argv[++i]);
        else if (std::strcmp(argv[i], "--screen") == 0 && i + 1 < argc) {
            const QStringList sides = QString::fromLocal8Bit(argv[++i]).split(QLatin1Char('x'));
            if (sides.size() == 2)
                screen = QSize(sides[0].toInt(), sides[1].toInt());
        } else if (std::strcmp(argv[i], "--whole-screen") == 0)
            wholeScreen = true;
        else if (output.isEmpty())
            output = QString::fromLocal8Bit(argv[i]);
        else
            presets.push_back(std::atoi(argv[i]));
    }
    if (output.isEmpty()) {
        std::fprintf(stderr, "usage: vxo_gallery [--seconds S] [--screen WxH] output-folder [preset index ...]\n");
        return 2;
    }
    if (presets.empty())
        for (std::uint32_t i = 0; i < presetCount(); ++i)
            presets.push_back(int(i));
    if (!QDir().mkpath(output)) {
        std::fprintf(stderr, "cannot make %s\n", qPrintable(output));
        return 2;
    }

    test::appTestApplication();
    MainWindow window(nullptr, false);
    if (screen.isValid())
        window.fitToScreen(QRect(QPoint(0, 0), screen));
    window.show();
    QElapsedTimer clock;
    clock.start();
    while (!(window.windowHandle() && window.windowHandle()->isExposed()) && clock.elapsed() < 10000)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    runEventsFor(300);
    // What the display shows: a grab of the widgets would miss what the
    // viewport paints over its OpenGL frame.
    const auto shot = [&window, wholeScreen] {
        QScreen* shown = window.windowHandle()->screen();
        return (wholeScreen ? shown->grabWindow(0) : shown->grabWindow(window.winId())).toImage();
    };
    if (wholeScreen && !shot().save(QDir(output).filePath(QStringLiteral("start.png")))) {
        std::fprintf(stderr, "cannot write the start picture\n");
        return 1;
    }

    auto& library = control<QComboBox>(window, "experimentPresetComboBox");
    auto& load = control<QAbstractButton>(window, "loadExperimentButton");
    auto& play = control<QAbstractButton>(window, "playButton");
    auto& pause = control<QAbstractButton>(window, "pauseButton");
    int failures = 0;
    for (const int preset : presets) {
        if (preset < 0 || preset >= int(presetCount())) {
            std::fprintf(stderr, "no guided experiment %d\n", preset);
            ++failures;
            continue;
        }
        library.setCurrentIndex(preset);
        load.click();
        runEventsFor(200);
        // Play, then the ticks that the run timer gives in `seconds` on a
        // machine that keeps up, run here one after the other so that a slow
        // software rasteriser does not decide how far the physics gets; the
        // viewport is drawn every tenth tick. A panel that pauses the run
        // ends it early, as it would on screen.
        play.click();
        const int ticks = static_cast<int>(seconds * 1000.0 / 30.0);
        for (int tick = 0; tick < ticks && window.transportClock().state() == TransportState::Running; ++tick) {
            window.onSimulationTick();
            if (tick % 10 == 9)
                QApplication::processEvents();
        }
        if (pause.isEnabled())
            pause.click();
        runEventsFor(300);
        const QString file = QDir(output).filePath(QStringLiteral("%1_%2.png")
                                                       .arg(preset, 2, 10, QLatin1Char('0'))
                                                       .arg(QLatin1String(presetSlug(std::uint32_t(preset)))));
        const QImage image = shot();
        if (!image.save(file)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            ++failures;
            continue;
        }
        if (screen.isValid()) {
            const QString dockFile = QDir(output).filePath(QStringLiteral("%1_%2_analysis.png")
                                                               .arg(preset, 2, 10, QLatin1Char('0'))
                                                               .arg(QLatin1String(presetSlug(std::uint32_t(preset)))));
            control<QWidget>(window, "analysisDockWidget").grab().save(dockFile);
            const QWidget& shown = *control<QStackedWidget>(window, "analysisStackedWidget").currentWidget();
            const QLayout* layout = shown.layout();
            const QWidget* plot = layout ? layout->itemAt(layout->count() - 1)->widget() : nullptr;
            if (plot)
                std::printf("%s plot %dx%d\n", qPrintable(shown.objectName()), plot->width(), plot->height());
        }
        std::printf("%s  t=%.2f  steps=%llu\n", qPrintable(file), window.schroedingerSolver().time(),
                    static_cast<unsigned long long>(window.schroedingerSolver().stepCount()));
        std::fflush(stdout);
    }
    return failures == 0 ? 0 : 1;
}
