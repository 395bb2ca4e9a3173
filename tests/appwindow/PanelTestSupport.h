#pragma once

// What the experiment-panel tests share: one unshown window per suite, a
// guided experiment moved to the quick 256-point grid with cells of unequal
// sides, quiet form writes, and the texts of the panels with the figures
// written in them.

#include "WindowControls.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QTableWidget>

#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <type_traits>

namespace vxo::test {

// A control written as the loaders write it: its change handler does not run.
template <typename Box, typename Value>
void setQuietly(MainWindow& window, const char* name, Value value)
{
    Box& box = *control<Box>(window, name);
    const QSignalBlocker blocker(box);
    if constexpr (std::is_same_v<Box, QComboBox>)
        box.setCurrentIndex(value);
    else
        box.setValue(value);
}

// The figure written right after `key` ("Ex=" in "Ex=3.1250 |" gives 3.125);
// NaN when the key or a number after it is missing.
inline double numberAfter(const QString& source, const QString& key)
{
    const QRegularExpression pattern(QRegularExpression::escape(key) +
                                     QStringLiteral("(-?[0-9]+(?:\\.[0-9]+)?(?:e[-+]?[0-9]+)?)"));
    const QRegularExpressionMatch match = pattern.match(source);
    return match.hasMatch() ? match.captured(1).toDouble() : std::numeric_limits<double>::quiet_NaN();
}

inline std::string text(const QString& value) { return value.toStdString(); }

// Cell centres of the window's grids lie at (i - (n - 1) / 2) d.
inline double cellX(const ComplexField2D& psi, std::uint64_t i) { return (i - (psi.nx() - 1) / 2.0) * psi.dx(); }
inline double cellY(const ComplexField2D& psi, std::uint64_t j) { return (j - (psi.ny() - 1) / 2.0) * psi.dy(); }

class PanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        appTestApplication();
        holder() = std::make_unique<MainWindow>(nullptr, false);
    }
    void TearDown() override { holder().reset(); }

    static MainWindow& window() { return *holder(); }

    // Guided experiment `preset` on 256 x 256 cells over its own width and
    // `height`, then `edit` on the quiet form, then one rebuild.
    static void loadOnSmallGrid(int preset, double height, const std::function<void(MainWindow&)>& edit = nullptr)
    {
        MainWindow& w = window();
        w.loadGuidedExperiment(preset);
        setQuietly<QComboBox>(w, "gridResolutionComboBox", 0);
        setQuietly<QDoubleSpinBox>(w, "universeHeightSpinBox", height);
        if (edit)
            edit(w);
        w.rebuildSimulation();
    }

    // The value column of a diagnostics row, and a summary label's text.
    static QString row(int index)
    {
        const QTableWidgetItem* item = control<QTableWidget>(window(), "diagnosticsTable")->item(index, 2);
        return item ? item->text() : QString();
    }
    static QString label(const char* name) { return control<QLabel>(window(), name)->text(); }

private:
    static std::unique_ptr<MainWindow>& holder()
    {
        static std::unique_ptr<MainWindow> window;
        return window;
    }
};

} // namespace vxo::test
