// One saved control value into its widget: what each control class accepts,
// what it refuses without changing, and that no change handler runs.

#include "common/AppTestSupport.h"

#include "app/form/ControlValue.h"
#include "app/form/QuietControlWrites.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFontComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QVariant>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <utility>

namespace vxo {
namespace {

TEST(ControlValue, WritesTheFourControlClassesAndRefusesEverythingElseUnchanged)
{
    test::appTestApplication();
    QWidget parent;
    auto* real = new QDoubleSpinBox(&parent);
    real->setRange(-5.0, 5.0);
    real->setDecimals(2);
    real->setValue(1.0);
    auto* integer = new QSpinBox(&parent);
    integer->setRange(3, 201);
    integer->setValue(41);
    auto* combo = new QComboBox(&parent);
    combo->addItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")});
    combo->setCurrentIndex(1);
    auto* box = new QCheckBox(&parent);
    auto* line = new QLineEdit(QStringLiteral("kept"), &parent);
    auto* fonts = new QFontComboBox(&parent); // a combo box, but not exactly one
    const int fontIndex = fonts->currentIndex();

    int handlerRuns = 0;
    const auto count = [&handlerRuns] { ++handlerRuns; };
    QObject::connect(real, QOverload<double>::of(&QDoubleSpinBox::valueChanged), &parent, count);
    QObject::connect(integer, QOverload<int>::of(&QSpinBox::valueChanged), &parent, count);
    QObject::connect(combo, QOverload<int>::of(&QComboBox::currentIndexChanged), &parent, count);
    QObject::connect(box, &QCheckBox::toggled, &parent, count);
    QObject::connect(fonts, QOverload<int>::of(&QComboBox::currentIndexChanged), &parent, count);

    struct Case {
        const char* what;
        QWidget* widget;
        QVariant value;
        bool written;
        std::function<bool()> holds; // the widget's state after the call
    };
    const Case cases[] = {
        {"double", real, 2.345, true, [&] { return real->value() == 2.35; }},
        {"double clamped", real, 9.0, true, [&] { return real->value() == 5.0; }},
        {"double from text", real, QStringLiteral("-1.5"), true, [&] { return real->value() == -1.5; }},
        {"double from words", real, QStringLiteral("many"), false, [&] { return real->value() == -1.5; }},
        {"integer", integer, 61, true, [&] { return integer->value() == 61; }},
        {"integer clamped", integer, 1000, true, [&] { return integer->value() == 201; }},
        {"integer from a whole double", integer, 77.0, true, [&] { return integer->value() == 77; }},
        // Numbers beyond the 32-bit range clamp like any other, never wrap.
        {"integer beyond 2^32", integer, 4294967296.0 + 61, true, [&] { return integer->value() == 201; }},
        {"integer far below", integer, -1e308, true, [&] { return integer->value() == 3; }},
        {"integer not a number", integer, std::numeric_limits<double>::quiet_NaN(), false,
         [&] { return integer->value() == 3; }},
        {"combo index", combo, 3, true, [&] { return combo->currentIndex() == 3; }},
        {"combo index = count", combo, 4, false, [&] { return combo->currentIndex() == 3; }},
        {"combo index -1", combo, -1, false, [&] { return combo->currentIndex() == 3; }},
        {"combo index 0", combo, 0.0, true, [&] { return combo->currentIndex() == 0; }},
        {"combo index 2 as a double", combo, 2.0, true, [&] { return combo->currentIndex() == 2; }},
        // An index is a whole number the combo has: wrapped or rounded
        // conversions would pick another entry.
        {"combo index 2^32", combo, 4294967296.0, false, [&] { return combo->currentIndex() == 2; }},
        {"combo index 2^32 + 1", combo, 4294967297.0, false, [&] { return combo->currentIndex() == 2; }},
        {"combo index 1 - 2^32", combo, -4294967295.0, false, [&] { return combo->currentIndex() == 2; }},
        {"combo index 1e308", combo, 1e308, false, [&] { return combo->currentIndex() == 2; }},
        {"combo index 1.5", combo, 1.5, false, [&] { return combo->currentIndex() == 2; }},
        {"combo index as whole text", combo, QStringLiteral("1"), true, [&] { return combo->currentIndex() == 1; }},
        {"combo index as fraction text", combo, QStringLiteral("1.5"), false,
         [&] { return combo->currentIndex() == 1; }},
        {"check", box, true, true, [&] { return box->isChecked(); }},
        {"check off", box, false, true, [&] { return !box->isChecked(); }},
        {"invalid value", real, QVariant(), false, [&] { return real->value() == -1.5; }},
        {"line edit", line, QStringLiteral("new"), false, [&] { return line->text() == QStringLiteral("kept"); }},
        {"combo subclass", fonts, 0, false, [&] { return fonts->currentIndex() == fontIndex; }},
        {"null widget", nullptr, 1, false, [] { return true; }},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(applyControlValue(c.widget, c.value), c.written) << c.what;
        EXPECT_TRUE(c.holds()) << c.what;
        if (c.widget != nullptr) {
            EXPECT_FALSE(c.widget->signalsBlocked()) << c.what << ": blocking not restored";
        }
    }
    EXPECT_EQ(handlerRuns, 0) << "a change handler ran during a write";

    // A widget blocked before the call stays blocked.
    real->blockSignals(true);
    EXPECT_TRUE(applyControlValue(real, 0.5));
    EXPECT_TRUE(real->signalsBlocked());
}

// The quiet index write keeps to the list: one past either end leaves the
// selection as it was (Qt would clear it), and no handler runs.
TEST(ControlValue, QuietIndexWritesStayInsideTheList)
{
    test::appTestApplication();
    QWidget parent;
    auto* combo = new QComboBox(&parent);
    combo->addItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    QObject::connect(combo, QOverload<int>::of(&QComboBox::currentIndexChanged), &parent,
                     [] { ADD_FAILURE() << "a change handler ran"; });
    const int last = combo->count() - 1;
    const std::pair<int, int> cases[] = {{last, last}, {last + 1, last}, {0, 0}, {-1, 0}}; // asked, then held
    for (const auto& [asked, held] : cases) {
        setIndexQuietly(combo, asked);
        EXPECT_EQ(combo->currentIndex(), held) << "index " << asked;
    }
}

TEST(ControlValue, QuietRangeAdmissionWidensOnlyForAFinitePair)
{
    test::appTestApplication();
    QWidget parent;
    const double inf = std::numeric_limits<double>::infinity(), nan = std::numeric_limits<double>::quiet_NaN();
    // The range asked for, then the range held.
    const double cases[][4] = {{-7.5, 12.25, -7.5, 12.25}, {-inf, 12.25, -2.5, 3.75}, {-7.5, nan, -2.5, 3.75}};
    for (const auto& c : cases) {
        auto* spin = new QDoubleSpinBox(&parent);
        spin->setRange(-2.5, 3.75);
        admitRangeQuietly(spin, c[0], c[1]);
        EXPECT_EQ(spin->minimum(), c[2]) << c[0] << ".." << c[1];
        EXPECT_EQ(spin->maximum(), c[3]) << c[0] << ".." << c[1];
    }
}

} // namespace
} // namespace vxo
