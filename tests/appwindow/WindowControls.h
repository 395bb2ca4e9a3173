#pragma once

// Driving the main window as a user does: its controls by object name,
// clicks, the status bar, and the potential at a physical point.

#include "common/AppTestSupport.h"

#include "app/mainwindow/MainWindow.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QStatusBar>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

namespace vxo::test {

template <typename Widget>
Widget* control(const QObject& window, const char* name)
{
    auto* found = window.findChild<Widget*>(QLatin1String(name));
    EXPECT_NE(found, nullptr) << name << " is missing";
    return found;
}

// A click as the user gives it: a disabled button ignores it.
inline void click(const QObject& window, const char* name)
{
    if (auto* button = control<QAbstractButton>(window, name))
        button->click();
}

inline void setValue(const QObject& window, const char* name, double value)
{
    if (auto* box = control<QDoubleSpinBox>(window, name))
        box->setValue(value);
}

inline void setIndex(const QObject& window, const char* name, int index)
{
    if (auto* combo = control<QComboBox>(window, name))
        combo->setCurrentIndex(index);
}

// A window without persistence on the 256 x 256 grid over 40.96 x 30.72:
// quick to rebuild and step, with cells of unequal sides.
inline std::unique_ptr<MainWindow> windowOnSmallGrid()
{
    appTestApplication();
    auto window = std::make_unique<MainWindow>(nullptr, false);
    setIndex(*window, "gridResolutionComboBox", 0);
    setValue(*window, "universeWidthSpinBox", 40.96);
    setValue(*window, "universeHeightSpinBox", 30.72);
    return window;
}

// As std::string, so that a failed comparison prints the text.
inline std::string statusText(const MainWindow& window) { return window.statusBar()->currentMessage().toStdString(); }

// Column and row of the cell whose centre lies nearest to (x, y); cell
// centres sit at (i - (n - 1) / 2) d.
inline std::uint64_t nearestColumn(const PotentialField2D& field, double x)
{
    return static_cast<std::uint64_t>(std::lround(x / field.dx() + (field.nx() - 1) / 2.0));
}
inline std::uint64_t nearestRow(const PotentialField2D& field, double y)
{
    return static_cast<std::uint64_t>(std::lround(y / field.dy() + (field.ny() - 1) / 2.0));
}

inline float potentialAt(const MainWindow& window, double x, double y)
{
    const PotentialField2D& field = window.potentialField();
    if (field.empty())
        return std::nanf("");
    return field.valueAt(nearestColumn(field, x), nearestRow(field, y));
}

} // namespace vxo::test
