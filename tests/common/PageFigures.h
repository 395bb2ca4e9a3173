#pragma once

// The figures an analysis page shows, read as a class reads them: a number
// written after its key in a page's summary, and the value of a Diagnostics
// row found by the text of its group and parameter columns. Shared by the
// guide checks and the convergence table so that both read one page alike.

#include "common/GuideNumbers.h"
#include "common/QtTestSupport.h"

#include "app/mainwindow/MainWindow.h"

#include <QLabel>
#include <QString>
#include <QTableWidget>

#include <limits>
#include <string>
#include <vector>

namespace vxo::test {

// The figure written right after `key` in a page's text ("P_T=" in
// "P_T=0.3712 |" gives 0.3712); NaN when the key or its number is missing.
inline double figureAfter(const QString& source, const char* key)
{
    const int at = source.indexOf(QLatin1String(key));
    if (at < 0)
        return std::numeric_limits<double>::quiet_NaN();
    const std::vector<QuotedNumber> numbers =
        quotedNumbers(source.mid(at + int(std::char_traits<char>::length(key))).toStdString());
    return numbers.empty() ? std::numeric_limits<double>::quiet_NaN() : numbers.front().value;
}

// The text of the window's label `objectName` (empty when there is none).
inline QString labelText(const MainWindow& window, const char* objectName)
{
    const auto* label = window.findChild<QLabel*>(QLatin1String(objectName));
    return label ? label->text() : QString();
}

// The value column of the Diagnostics row of `section` whose parameter
// column reads `parameter` (empty when no row does).
inline QString diagnosticsValue(const MainWindow& window, const char* section, const char* parameter)
{
    const auto* table = window.findChild<QTableWidget*>(QStringLiteral("diagnosticsTable"));
    for (int row = 0; table && row < table->rowCount(); ++row) {
        const QTableWidgetItem* group = table->item(row, 0);
        const QTableWidgetItem* name = table->item(row, 1);
        if (group && name && group->text() == QLatin1String(section) && name->text() == QLatin1String(parameter))
            return table->item(row, 2) ? table->item(row, 2)->text() : QString();
    }
    return {};
}

// Runs the event loop until the barrier pages' check of their cells, which
// runs between the window's events once a reading is taken, has ended.
inline bool waitForCellsCheck(const MainWindow& window)
{
    return waitUntil([&window] {
        return !diagnosticsValue(window, "Scattering", "State").contains(QLatin1String("CHECKING THE CELLS"));
    });
}

} // namespace vxo::test
