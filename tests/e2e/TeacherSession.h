#pragma once

// The program as a teacher drives it: controls found by object name and
// changed with their signals live (so the window's own handlers run), the
// guided library, the transport buttons, the run timer in the event loop,
// and what the window shows afterwards (the diagnostics table, the labels of
// a page). Header-only, like the rest of the test support.

#include "common/AppTestSupport.h"
#include "common/QtTestSupport.h"

#include "app/mainwindow/MainWindow.h"
#include "core/ComplexField2D.h"
#include "experiments/ObservableSample.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QRegularExpression>
#include <QStringList>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <initializer_list>
#include <memory>
#include <stdexcept>
#include <string>

namespace vxo::e2e {

// A control of the window; a missing one is a fault of the form, reported by
// the exception's text.
template <typename Widget>
Widget& control(const QObject& window, const char* name)
{
    auto* found = window.findChild<Widget*>(QLatin1String(name));
    if (found == nullptr)
        throw std::runtime_error(std::string("the window has no ") + name);
    return *found;
}

// An unshown window without a saved layout, as the tests of the whole
// program use it.
inline std::unique_ptr<MainWindow> teacherWindow()
{
    test::appTestApplication();
    return std::make_unique<MainWindow>(nullptr, false);
}

// A click as the user gives it: a disabled button ignores it.
inline void click(const QObject& window, const char* name) { control<QAbstractButton>(window, name).click(); }

// A choice in a combo box, with its handlers running.
inline void choose(const QObject& window, const char* name, int index)
{
    control<QComboBox>(window, name).setCurrentIndex(index);
}

inline void enter(const QObject& window, const char* name, double value)
{
    control<QDoubleSpinBox>(window, name).setValue(value);
}

// The library entry chosen and the Load button pressed.
inline void loadFromLibrary(const QObject& window, int preset)
{
    choose(window, "experimentPresetComboBox", preset);
    click(window, "loadExperimentButton");
}

// Runs the event loop (the run timer among it) until `done` holds; true when
// it did. The bound only stops a run that never gets there: a loaded machine
// gives fewer ticks a second.
inline bool runEventsUntil(const std::function<bool()>& done) { return test::waitUntil(done); }

inline bool allFinite(const ComplexField2D& field)
{
    for (std::uint64_t i = 0; i < field.size(); ++i)
        if (!std::isfinite(field.data()[i].real()) || !std::isfinite(field.data()[i].imag()))
            return false;
    return true;
}

inline double normOf(const ComplexField2D& field)
{
    double sum = 0.0;
    for (std::uint64_t i = 0; i < field.size(); ++i)
        sum += std::norm(field.data()[i]);
    return sum * static_cast<double>(field.dx()) * static_cast<double>(field.dy());
}

// Every number of an observation, flags aside.
inline bool allFinite(const ObservableSample& s)
{
    for (const double v : {s.time,
                           s.meanX,
                           s.meanY,
                           s.sigmaX,
                           s.sigmaY,
                           s.norm,
                           s.absorbedProbability,
                           s.reflectedProbability,
                           s.transmittedProbability,
                           s.kineticEnergy,
                           s.potentialEnergy,
                           s.totalEnergy,
                           s.energyDriftPercent,
                           s.leftWellProbability,
                           s.rightWellProbability,
                           s.barrierProbability,
                           s.rabiPopulation1,
                           s.rabiPopulation2,
                           s.rabiCaptured,
                           s.landauZenerLeft,
                           s.landauZenerRight,
                           s.landauZenerLower,
                           s.landauZenerUpper,
                           s.landauZenerCaptured,
                           s.stueckelbergLeft,
                           s.stueckelbergRight,
                           s.stueckelbergLower,
                           s.stueckelbergUpper,
                           s.stueckelbergCaptured,
                           s.ramseyPopulation1,
                           s.ramseyPopulation2,
                           s.ramseyCaptured})
        if (!std::isfinite(v))
            return false;
    return true;
}

// A shown number that is not one: "nan", "inf", "-nan" as printf and
// QString::number write them.
inline bool showsNonNumber(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("(^|[^A-Za-z])(-?nan|-?inf)([^A-Za-z]|$)"),
                                            QRegularExpression::CaseInsensitiveOption);
    return pattern.match(text).hasMatch();
}

// The diagnostics cells that show a non-number, as "row r: text".
inline QStringList nonNumbersInDiagnostics(const QObject& window)
{
    const auto& table = control<QTableWidget>(window, "diagnosticsTable");
    QStringList found;
    for (int row = 0; row < table.rowCount(); ++row)
        for (int column = 0; column < table.columnCount(); ++column)
            if (const QTableWidgetItem* item = table.item(row, column); item && showsNonNumber(item->text()))
                found << QStringLiteral("row %1: %2").arg(QString::number(row), item->text());
    return found;
}

// The labels under `page` that show a non-number, as "name: text".
inline QStringList nonNumbersInLabels(const QWidget& page)
{
    QStringList found;
    for (const QLabel* label : page.findChildren<QLabel*>())
        if (showsNonNumber(label->text()))
            found << QStringLiteral("%1: %2").arg(label->objectName(), label->text());
    return found;
}

// The text of a diagnostics cell (column 2 holds the value).
inline QString diagnosticsValue(const QObject& window, int row)
{
    const QTableWidgetItem* item = control<QTableWidget>(window, "diagnosticsTable").item(row, 2);
    return item ? item->text() : QString();
}

} // namespace vxo::e2e
