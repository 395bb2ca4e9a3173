// A control's value as documents and the fresh-window snapshot hold it: what
// each control class gives and accepts, what it refuses without changing,
// spin box ranges, and that no change handler runs on any of these writes.

#include "common/AppTestSupport.h"

#include "app/form/ControlSnapshot.h"
#include "app/form/ControlValue.h"
#include "app/form/QuietControlWrites.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFontComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <QVariant>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <memory>
#include <utility>

namespace vxo {
namespace {

// One control of each class a document holds, under one parent, with a
// count of the change handlers that ran.
struct DocumentControls {
    QWidget parent;
    QDoubleSpinBox* real = new QDoubleSpinBox(&parent);
    QSpinBox* integer = new QSpinBox(&parent);
    QComboBox* combo = new QComboBox(&parent);
    QCheckBox* box = new QCheckBox(&parent);
    int handlerRuns = 0;

    DocumentControls(double realValue, int integerValue, int comboIndex, bool checked)
    {
        real->setRange(-5.0, 5.0);
        real->setDecimals(2);
        real->setValue(realValue);
        integer->setRange(3, 201);
        integer->setValue(integerValue);
        combo->addItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")});
        combo->setCurrentIndex(comboIndex);
        box->setChecked(checked);
    }

    // From here on every change handler that runs is counted.
    void countHandlerRuns()
    {
        const auto count = [this] { ++handlerRuns; };
        QObject::connect(real, QOverload<double>::of(&QDoubleSpinBox::valueChanged), &parent, count);
        QObject::connect(integer, QOverload<int>::of(&QSpinBox::valueChanged), &parent, count);
        QObject::connect(combo, QOverload<int>::of(&QComboBox::currentIndexChanged), &parent, count);
        QObject::connect(box, &QCheckBox::toggled, &parent, count);
    }
};

TEST(ControlValue, WritesTheFourControlClassesAndRefusesEverythingElseUnchanged)
{
    test::appTestApplication();
    DocumentControls controls(1.0, 41, 1, false);
    QWidget& parent = controls.parent;
    QDoubleSpinBox* const real = controls.real;
    QSpinBox* const integer = controls.integer;
    QComboBox* const combo = controls.combo;
    QCheckBox* const box = controls.box;
    auto* line = new QLineEdit(QStringLiteral("kept"), &parent);
    auto* fonts = new QFontComboBox(&parent); // a combo box, but not exactly one
    const int fontIndex = fonts->currentIndex();

    controls.countHandlerRuns();
    QObject::connect(fonts, QOverload<int>::of(&QComboBox::currentIndexChanged), &parent,
                     [&controls] { ++controls.handlerRuns; });

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
    EXPECT_EQ(controls.handlerRuns, 0) << "a change handler ran during a write";

    // A widget blocked before the call stays blocked.
    real->blockSignals(true);
    EXPECT_TRUE(applyControlValue(real, 0.5));
    EXPECT_TRUE(real->signalsBlocked());
}

// What a document stores per class, and that writing it back restores the
// control: the capture and the apply are one pair.
TEST(ControlValue, ReadsEachControlClassAsADocumentStoresIt)
{
    test::appTestApplication();
    DocumentControls controls(-2.5, 41, 2, true);
    QDoubleSpinBox* const real = controls.real;
    QSpinBox* const integer = controls.integer;
    QComboBox* const combo = controls.combo;
    QCheckBox* const box = controls.box;
    QWidget& parent = controls.parent;

    struct Case {
        const char* what;
        QWidget* widget;
        int type;
        QVariant value;
        std::function<void()> change;
    };
    const Case cases[] = {
        {"double", real, QMetaType::Double, -2.5, [&] { real->setValue(4.0); }},
        {"integer", integer, QMetaType::Int, 41, [&] { integer->setValue(7); }},
        {"combo", combo, QMetaType::Int, 2, [&] { combo->setCurrentIndex(0); }},
        {"check", box, QMetaType::Bool, true, [&] { box->setChecked(false); }},
    };
    for (const Case& c : cases) {
        const QVariant read = controlValue(c.widget);
        EXPECT_EQ(read.userType(), c.type) << c.what;
        EXPECT_EQ(read, c.value) << c.what;
        c.change();
        EXPECT_NE(controlValue(c.widget), c.value) << c.what << ": the change did not take";
        EXPECT_TRUE(applyControlValue(c.widget, read)) << c.what;
        EXPECT_EQ(controlValue(c.widget), c.value) << c.what << ": not restored";
    }
    for (const QWidget* other : {static_cast<QWidget*>(new QTabWidget(&parent)),
                                 static_cast<QWidget*>(new QLineEdit(&parent)), static_cast<QWidget*>(nullptr)}) {
        EXPECT_FALSE(controlValue(other).isValid()) << "a value for a widget that holds none";
        EXPECT_FALSE(controlRange(other).has_value());
    }
}

// Capture, check and write agree for every widget: a control is captured
// exactly when its captured value passes the check and writes back. A
// subclass of a document class is none of them, so a document never holds a
// value its apply would then refuse or skip.
TEST(ControlValue, CaptureCheckAndWriteAgreeOnEveryWidget)
{
    test::appTestApplication();
    DocumentControls controls(1.5, 17, 1, true);
    QWidget& parent = controls.parent;
    auto* fonts = new QFontComboBox(&parent);
    fonts->setCurrentIndex(0);
    const struct {
        const char* what;
        QWidget* widget;
        bool captured;
    } cases[] = {
        {"double spin box", controls.real, true}, {"integer spin box", controls.integer, true},
        {"combo box", controls.combo, true},      {"check box", controls.box, true},
        {"font combo box", fonts, false},         {"line edit", new QLineEdit(&parent), false},
    };
    const QString name = QStringLiteral("someControl");
    for (const auto& c : cases) {
        const QVariant value = controlValue(c.widget);
        EXPECT_EQ(value.isValid(), c.captured) << c.what;
        // The check of a widget that cannot be captured is asked about the
        // value its base class would give.
        const QVariant offered = value.isValid() ? value : QVariant(0);
        const QString fault = controlValueFault(c.widget, name, offered);
        EXPECT_EQ(fault.isEmpty(), c.captured) << c.what << ": " << fault.toStdString();
        EXPECT_EQ(applyControlValue(c.widget, offered), c.captured) << c.what;
    }
}

// Where a number belongs, a flag or text is refused naming the control and
// what was found; a check box keeps taking what converts to a flag.
TEST(ControlValue, NumberControlsRefuseFlagsAndText)
{
    test::appTestApplication();
    DocumentControls controls(1.5, 17, 1, true);
    const QString name = QStringLiteral("someControl");
    const struct {
        const char* what;
        QWidget* widget;
        QVariant value;
        const char* fault; // empty: accepted
    } cases[] = {
        {"double true", controls.real, true, "Value true for control 'someControl' is not a number."},
        {"double numeric text", controls.real, QStringLiteral("2.5"),
         "Value \"2.5\" for control 'someControl' is not a number."},
        {"double number", controls.real, 2.5, ""},
        {"double int", controls.real, 2, ""},
        {"double NaN", controls.real, std::numeric_limits<double>::quiet_NaN(),
         "Non-finite value for control 'someControl'."},
        {"integer false", controls.integer, false, "Value false for control 'someControl' is not a number."},
        {"integer text", controls.integer, QStringLiteral("many"),
         "Value \"many\" for control 'someControl' is not a number."},
        {"integer number", controls.integer, 40.0, ""},
        {"integer infinite", controls.integer, std::numeric_limits<double>::infinity(),
         "Non-finite value for control 'someControl'."},
        {"combo true", controls.combo, true, "Value true for control 'someControl' is not a number."},
        {"combo whole text", controls.combo, QStringLiteral("1"),
         "Value \"1\" for control 'someControl' is not a number."},
        {"combo index", controls.combo, 3.0, ""},
        {"combo beyond", controls.combo, 4.0, "Invalid index 4 for control 'someControl'."},
        {"check flag", controls.box, false, ""},
        {"check number", controls.box, 1.0, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(controlValueFault(c.widget, name, c.value).toStdString(), c.fault) << c.what;
}

// Ranges are the spin boxes' own: set quietly, the value clamped into the
// new range, and refused unchanged for any other control.
TEST(ControlValue, RangesBelongToSpinBoxesAndAreSetQuietly)
{
    test::appTestApplication();
    DocumentControls controls(4.5, 150, 0, false);
    QDoubleSpinBox* const real = controls.real;
    QSpinBox* const integer = controls.integer;
    controls.countHandlerRuns();

    ASSERT_TRUE(setControlRange(real, {-1.0, 2.25}));
    ASSERT_TRUE(setControlRange(integer, {10.0, 100.0}));
    const std::optional<ControlRange> realRange = controlRange(real);
    const std::optional<ControlRange> intRange = controlRange(integer);
    ASSERT_TRUE(realRange && intRange);
    EXPECT_EQ(realRange->minimum, -1.0);
    EXPECT_EQ(realRange->maximum, 2.25);
    EXPECT_EQ(intRange->minimum, 10.0);
    EXPECT_EQ(intRange->maximum, 100.0);
    EXPECT_EQ(real->value(), 2.25) << "clamped into the new range";
    EXPECT_EQ(integer->value(), 100);
    EXPECT_FALSE(setControlRange(controls.combo, {0.0, 1.0}));
    EXPECT_FALSE(setControlRange(nullptr, {0.0, 1.0}));
    EXPECT_FALSE(real->signalsBlocked() || integer->signalsBlocked()) << "blocking not restored";
    EXPECT_EQ(controls.handlerRuns, 0) << "a change handler ran";
}

// A new window's controls, put back after a loaded experiment moved values,
// ranges and pages: everything as captured, quietly; a widget destroyed in
// between is skipped, a combo that lost the entry keeps its selection.
TEST(ControlValue, TheSnapshotPutsBackValuesRangesAndPages)
{
    test::appTestApplication();
    DocumentControls controls(-4.75, 199, 1, true);
    QWidget& parent = controls.parent;
    QDoubleSpinBox* const real = controls.real;
    QSpinBox* const integer = controls.integer;
    QComboBox* const combo = controls.combo;
    QCheckBox* const box = controls.box;
    auto* shrinking = new QComboBox(&parent);
    shrinking->addItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    shrinking->setCurrentIndex(2);
    auto* tabs = new QTabWidget(&parent);
    for (const char* page : {"one", "two", "three"})
        tabs->addTab(new QWidget(tabs), QLatin1String(page));
    tabs->setCurrentIndex(2);
    auto doomed = std::make_unique<QSpinBox>(&parent);

    ControlSnapshot snapshot;
    EXPECT_TRUE(snapshot.empty());
    snapshot.capture({real, integer, combo, shrinking, box, tabs, doomed.get(), new QLineEdit(&parent), nullptr});
    EXPECT_FALSE(snapshot.empty());

    // Narrower ranges that would clamp the captured values.
    real->setRange(0.0, 1.0);
    integer->setRange(3, 10);
    combo->setCurrentIndex(2);
    shrinking->removeItem(2);
    shrinking->setCurrentIndex(0);
    box->setChecked(false);
    tabs->setCurrentIndex(0);
    doomed.reset();
    controls.countHandlerRuns();
    QObject::connect(tabs, &QTabWidget::currentChanged, &parent, [&controls] { ++controls.handlerRuns; });

    snapshot.restore();
    EXPECT_EQ(real->minimum(), -5.0);
    EXPECT_EQ(real->maximum(), 5.0);
    EXPECT_EQ(real->value(), -4.75);
    EXPECT_EQ(integer->maximum(), 201);
    EXPECT_EQ(integer->value(), 199);
    EXPECT_EQ(combo->currentIndex(), 1);
    EXPECT_EQ(shrinking->currentIndex(), 0) << "an index the combo no longer has";
    EXPECT_TRUE(box->isChecked());
    EXPECT_EQ(tabs->currentIndex(), 2);
    EXPECT_EQ(controls.handlerRuns, 0) << "a change handler ran during the restore";
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
