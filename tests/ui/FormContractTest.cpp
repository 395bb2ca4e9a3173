// The form's contract with the main window, the experiment documents and the
// saved window state, checked on the bare form against the tables of the
// form builder itself (written as JSON at build time): object names, classes
// and parents, combo items, tab and page orders, default indices, texts,
// tooltips, spin box ranges, steps, decimals and defaults. The compiled form
// is what uic made of the committed .ui, so a .ui that drifts from the
// builder fails here.

#include "FormTestSupport.h"

#include "plots/QuantumAharonovBohmPlotWidget.h"
#include "plots/QuantumAndersonPlotWidget.h"
#include "plots/QuantumBackflowPlotWidget.h"
#include "plots/QuantumBerryPhasePlotWidget.h"
#include "plots/QuantumBilliardPlotWidget.h"
#include "plots/QuantumBlochPlotWidget.h"
#include "plots/QuantumBouncerPlotWidget.h"
#include "plots/QuantumBoundStatePlotWidget.h"
#include "plots/QuantumCrossSectionPlotWidget.h"
#include "plots/QuantumDiracMasslessComparisonPlotWidget.h"
#include "plots/QuantumDoubleWellPlotWidget.h"
#include "plots/QuantumDrivePlotWidget.h"
#include "plots/QuantumHallEdgePlotWidget.h"
#include "plots/QuantumKapitzaDiracPlotWidget.h"
#include "plots/QuantumKickedRotorPlotWidget.h"
#include "plots/QuantumKleinAngleScanPlotWidget.h"
#include "plots/QuantumKleinHeightScanPlotWidget.h"
#include "plots/QuantumKleinMassScanPlotWidget.h"
#include "plots/QuantumKleinTunnelingPlotWidget.h"
#include "plots/QuantumLandauPlotWidget.h"
#include "plots/QuantumLandauZenerPlotWidget.h"
#include "plots/QuantumLoschmidtPlotWidget.h"
#include "plots/QuantumMoshinskyPlotWidget.h"
#include "plots/QuantumQuenchPlotWidget.h"
#include "plots/QuantumRabiPlotWidget.h"
#include "plots/QuantumRamseyPlotWidget.h"
#include "plots/QuantumResonancePlotWidget.h"
#include "plots/QuantumRevivalPlotWidget.h"
#include "plots/QuantumScarPlotWidget.h"
#include "plots/QuantumStueckelbergPlotWidget.h"
#include "plots/QuantumTalbotPlotWidget.h"
#include "plots/QuantumTimeSeriesPlotWidget.h"
#include "plots/QuantumVortexPlotWidget.h"
#include "plots/QuantumZenoPlotWidget.h"
#include "plots/QuantumZitterbewegungPlotWidget.h"
#include "view/QuantumGLView.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDockWidget>
#include <QFile>
#include <QGridLayout>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeySequence>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMetaProperty>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextDocument>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace vxo::test {
namespace {

// Classes without a meta-object of their own are recognised by their type.
template <typename T>
bool isA(const QObject* object)
{
    return dynamic_cast<const T*>(object) != nullptr;
}

bool hasClass(const QObject* object, const std::string& className)
{
    static const std::map<std::string, bool (*)(const QObject*)> byType = {
        {"vxo::QuantumGLView", isA<QuantumGLView>},
        // Plot widgets of the analysis pages
        {"vxo::QuantumAharonovBohmPlotWidget", isA<QuantumAharonovBohmPlotWidget>},
        {"vxo::QuantumAndersonPlotWidget", isA<QuantumAndersonPlotWidget>},
        {"vxo::QuantumBackflowPlotWidget", isA<QuantumBackflowPlotWidget>},
        {"vxo::QuantumBerryPhasePlotWidget", isA<QuantumBerryPhasePlotWidget>},
        {"vxo::QuantumBilliardPlotWidget", isA<QuantumBilliardPlotWidget>},
        {"vxo::QuantumBlochPlotWidget", isA<QuantumBlochPlotWidget>},
        {"vxo::QuantumBouncerPlotWidget", isA<QuantumBouncerPlotWidget>},
        {"vxo::QuantumBoundStatePlotWidget", isA<QuantumBoundStatePlotWidget>},
        {"vxo::QuantumCrossSectionPlotWidget", isA<QuantumCrossSectionPlotWidget>},
        {"vxo::QuantumDiracMasslessComparisonPlotWidget", isA<QuantumDiracMasslessComparisonPlotWidget>},
        {"vxo::QuantumDoubleWellPlotWidget", isA<QuantumDoubleWellPlotWidget>},
        {"vxo::QuantumDrivePlotWidget", isA<QuantumDrivePlotWidget>},
        {"vxo::QuantumHallEdgePlotWidget", isA<QuantumHallEdgePlotWidget>},
        {"vxo::QuantumKapitzaDiracPlotWidget", isA<QuantumKapitzaDiracPlotWidget>},
        {"vxo::QuantumKickedRotorPlotWidget", isA<QuantumKickedRotorPlotWidget>},
        {"vxo::QuantumKleinAngleScanPlotWidget", isA<QuantumKleinAngleScanPlotWidget>},
        {"vxo::QuantumKleinHeightScanPlotWidget", isA<QuantumKleinHeightScanPlotWidget>},
        {"vxo::QuantumKleinMassScanPlotWidget", isA<QuantumKleinMassScanPlotWidget>},
        {"vxo::QuantumKleinTunnelingPlotWidget", isA<QuantumKleinTunnelingPlotWidget>},
        {"vxo::QuantumLandauPlotWidget", isA<QuantumLandauPlotWidget>},
        {"vxo::QuantumLandauZenerPlotWidget", isA<QuantumLandauZenerPlotWidget>},
        {"vxo::QuantumLoschmidtPlotWidget", isA<QuantumLoschmidtPlotWidget>},
        {"vxo::QuantumMoshinskyPlotWidget", isA<QuantumMoshinskyPlotWidget>},
        {"vxo::QuantumQuenchPlotWidget", isA<QuantumQuenchPlotWidget>},
        {"vxo::QuantumRabiPlotWidget", isA<QuantumRabiPlotWidget>},
        {"vxo::QuantumRamseyPlotWidget", isA<QuantumRamseyPlotWidget>},
        {"vxo::QuantumResonancePlotWidget", isA<QuantumResonancePlotWidget>},
        {"vxo::QuantumRevivalPlotWidget", isA<QuantumRevivalPlotWidget>},
        {"vxo::QuantumScarPlotWidget", isA<QuantumScarPlotWidget>},
        {"vxo::QuantumStueckelbergPlotWidget", isA<QuantumStueckelbergPlotWidget>},
        {"vxo::QuantumTalbotPlotWidget", isA<QuantumTalbotPlotWidget>},
        {"vxo::QuantumTimeSeriesPlotWidget", isA<QuantumTimeSeriesPlotWidget>},
        {"vxo::QuantumVortexPlotWidget", isA<QuantumVortexPlotWidget>},
        {"vxo::QuantumZenoPlotWidget", isA<QuantumZenoPlotWidget>},
        {"vxo::QuantumZitterbewegungPlotWidget", isA<QuantumZitterbewegungPlotWidget>},
    };
    const auto check = byType.find(className);
    if (check != byType.end())
        return check->second(object);
    return className == object->metaObject()->className();
}

QStringList actionNames(const QWidget* widget)
{
    QStringList names;
    for (const QAction* action : widget->actions())
        names << (action->menu() ? action->menu()->objectName() : action->objectName());
    return names;
}

// The contract the form builder writes beside the tests: every named object
// with its class, its parent and the properties the builder gives it.
const QJsonObject& contract()
{
    static const QJsonObject document = [] {
        QFile file(QStringLiteral(VXO_FORM_CONTRACT));
        if (!file.open(QIODevice::ReadOnly))
            return QJsonObject();
        return QJsonDocument::fromJson(file.readAll()).object();
    }();
    return document;
}

QJsonArray contractObjects()
{
    const QJsonArray objects = contract().value(QStringLiteral("objects")).toArray();
    EXPECT_FALSE(objects.isEmpty()) << "the form contract " << VXO_FORM_CONTRACT
                                    << " is missing or empty: build the ui_form_contract target";
    return objects;
}

std::string nameOf(const QJsonObject& entry) { return entry.value(QStringLiteral("name")).toString().toStdString(); }

// The nearest ancestor that the contract names: the toolkit puts unnamed or
// "qt_..." objects between a tab page and its tab widget, or a scroll area's
// contents and the area.
const QObject* namedParent(const QObject* object, const std::set<QString>& names)
{
    for (const QObject* parent = object->parent(); parent; parent = parent->parent())
        if (names.count(parent->objectName()) == 1)
            return parent;
    return nullptr;
}

TEST(FormContractTest, EveryListedObjectExistsOnceWithItsClassAndParentAndNoOtherIsNamed)
{
    BareForm form;
    std::set<QString> listed;
    for (const QJsonValue& value : contractObjects())
        EXPECT_TRUE(listed.insert(value.toObject().value(QStringLiteral("name")).toString()).second)
            << nameOf(value.toObject()) << " is listed twice";
    for (const QJsonValue& value : contractObjects()) {
        const QJsonObject entry = value.toObject();
        const QString name = entry.value(QStringLiteral("name")).toString();
        const std::string className = entry.value(QStringLiteral("class")).toString().toStdString();
        const QList<QObject*> found =
            name == form.window.objectName() ? QList<QObject*>{&form.window} : form.window.findChildren<QObject*>(name);
        ASSERT_EQ(found.size(), 1) << name.toStdString() << " should exist exactly once";
        EXPECT_TRUE(hasClass(found.front(), className))
            << name.toStdString() << " is a " << found.front()->metaObject()->className() << ", not a " << className;
        const QObject* parent = namedParent(found.front(), listed);
        EXPECT_EQ(parent ? parent->objectName() : QString(), entry.value(QStringLiteral("parent")).toString())
            << name.toStdString() << " stands under the wrong parent";
    }
    // A misspelt name would leave its object outside the contract. The
    // toolkit names some children of its own: "qt_...", the tab bars' scroll
    // buttons and the main window's layout.
    const std::set<QString> toolkitNames = {"ScrollLeftButton", "ScrollRightButton", "_layout"};
    for (const QObject* object : form.window.findChildren<QObject*>()) {
        const QString name = object->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")) || toolkitNames.count(name) == 1)
            continue;
        EXPECT_TRUE(listed.count(name) == 1) << name.toStdString() << " is named but not in the contract";
    }
}

QStringList strings(const QJsonValue& value)
{
    QStringList texts;
    for (const QJsonValue& text : value.toArray())
        texts << text.toString();
    return texts;
}

TEST(FormContractTest, ComboBoxesHoldTheirItemsInIndexOrderAndTablesTheirColumns)
{
    BareForm form;
    int combos = 0;
    for (const QJsonValue& value : contractObjects()) {
        const QJsonObject entry = value.toObject();
        const QString name = entry.value(QStringLiteral("name")).toString();
        if (entry.contains(QStringLiteral("items"))) {
            const auto* combo = form.find<QComboBox>(name);
            ASSERT_NE(combo, nullptr) << name.toStdString();
            QStringList items;
            for (int i = 0; i < combo->count(); ++i) {
                items << combo->itemText(i);
                EXPECT_FALSE(combo->itemData(i).isValid()) << name.toStdString() << " item " << i << " carries data";
            }
            const QStringList expected = strings(entry.value(QStringLiteral("items")));
            EXPECT_EQ(items.size(), expected.size()) << name.toStdString();
            EXPECT_EQ(items.join(" | ").toStdString(), expected.join(" | ").toStdString()) << name.toStdString();
            ++combos;
        }
        if (entry.contains(QStringLiteral("columns"))) {
            const auto* table = form.find<QTableWidget>(name);
            ASSERT_NE(table, nullptr) << name.toStdString();
            const QStringList columns = strings(entry.value(QStringLiteral("columns")));
            ASSERT_EQ(table->columnCount(), columns.size()) << name.toStdString();
            for (int i = 0; i < columns.size(); ++i) {
                ASSERT_NE(table->horizontalHeaderItem(i), nullptr) << name.toStdString() << " column " << i;
                EXPECT_EQ(table->horizontalHeaderItem(i)->text(), columns[i]) << name.toStdString() << " column " << i;
            }
        }
    }
    EXPECT_EQ(combos, static_cast<int>(form.window.findChildren<QComboBox*>().size()))
        << "every combo box of the form has its items in the contract";
}

TEST(FormContractTest, TabsAndStackedPagesStandInTheirIndexOrder)
{
    BareForm form;
    for (const QJsonValue& value : contractObjects()) {
        const QJsonObject entry = value.toObject();
        if (!entry.contains(QStringLiteral("pages")))
            continue;
        const std::string container = nameOf(entry);
        const QJsonArray pages = entry.value(QStringLiteral("pages")).toArray();
        auto* tabs = form.find<QTabWidget>(QString::fromStdString(container));
        auto* stack = form.find<QStackedWidget>(QString::fromStdString(container));
        ASSERT_TRUE(tabs != nullptr || stack != nullptr) << container;
        const int count = tabs ? tabs->count() : stack->count();
        ASSERT_EQ(count, pages.size()) << container;
        for (int i = 0; i < count; ++i) {
            const QJsonObject page = pages[i].toObject();
            const QWidget* widget = tabs ? tabs->widget(i) : stack->widget(i);
            EXPECT_EQ(widget->objectName(), page.value(QStringLiteral("name")).toString())
                << container << " index " << i;
            if (tabs) {
                EXPECT_EQ(tabs->tabText(i), page.value(QStringLiteral("title")).toString())
                    << container << " index " << i;
            }
        }
    }
}

// Without a current index of its own a container shows its first entry, or
// none while it is empty (the combos the main window fills).
TEST(FormContractTest, ControlsStartAtTheirDefaultIndex)
{
    BareForm form;
    const std::set<QString> indexed = {"QComboBox", "QTabWidget", "QStackedWidget"};
    for (const QJsonValue& value : contractObjects()) {
        const QJsonObject entry = value.toObject();
        if (indexed.count(entry.value(QStringLiteral("class")).toString()) == 0)
            continue;
        const QObject* control = form.find(entry.value(QStringLiteral("name")).toString());
        ASSERT_NE(control, nullptr) << nameOf(entry);
        const QJsonObject current =
            entry.value(QStringLiteral("properties")).toObject().value(QStringLiteral("currentIndex")).toObject();
        const bool combo = entry.contains(QStringLiteral("items"));
        const int entries = entry.value(combo ? QStringLiteral("items") : QStringLiteral("pages")).toArray().size();
        const int expected = current.isEmpty() ? (entries > 0 ? 0 : -1) : current.value(QStringLiteral("int")).toInt();
        EXPECT_EQ(control->property("currentIndex").toInt(), expected) << nameOf(entry);
    }
}

// Why one property of the compiled form differs from the builder's value, or
// an empty string when it holds it.
std::string propertyMismatch(const QObject* object, const QString& key, const QJsonObject& value)
{
    // Layout margins are written as four properties and read as one.
    if (const auto* layout = qobject_cast<const QLayout*>(object); layout && key.endsWith(QLatin1String("Margin"))) {
        const QMargins margins = layout->contentsMargins();
        const int actual = key == QLatin1String("leftMargin")    ? margins.left()
                           : key == QLatin1String("topMargin")   ? margins.top()
                           : key == QLatin1String("rightMargin") ? margins.right()
                                                                 : margins.bottom();
        const int expected = value.value(QStringLiteral("int")).toInt();
        return actual == expected ? std::string() : std::to_string(actual) + " instead of " + std::to_string(expected);
    }
    // A grid layout's spacings have no property of their own.
    if (const auto* grid = qobject_cast<const QGridLayout*>(object); grid && key.endsWith(QLatin1String("Spacing"))) {
        const int actual =
            key == QLatin1String("horizontalSpacing") ? grid->horizontalSpacing() : grid->verticalSpacing();
        const int expected = value.value(QStringLiteral("int")).toInt();
        return actual == expected ? std::string() : std::to_string(actual) + " instead of " + std::to_string(expected);
    }
    const int index = object->metaObject()->indexOfProperty(key.toLatin1().constData());
    if (index < 0)
        return "the object has no such property";
    const QMetaProperty property = object->metaObject()->property(index);
    const QVariant actual = property.read(object);
    const QString type = value.keys().value(0);
    const QJsonValue expected = value.value(type);
    auto differs = [&](const QString& shown) {
        return "reads " + shown.toStdString() + ", the builder gives " +
               QString::fromUtf8(QJsonDocument(QJsonArray{expected}).toJson(QJsonDocument::Compact)).toStdString();
    };
    if (type == QLatin1String("string")) {
        if (property.userType() == QMetaType::QKeySequence) {
            const auto sequence = actual.value<QKeySequence>();
            return sequence == QKeySequence::fromString(expected.toString()) ? std::string()
                                                                             : differs(sequence.toString());
        }
        // Rich text reads back as the toolkit's own markup: the text it shows
        // is what must match.
        if (key == QLatin1String("html")) {
            QTextDocument document;
            document.setHtml(expected.toString());
            const QString shown = qobject_cast<const QTextEdit*>(object)->toPlainText();
            return shown == document.toPlainText() ? std::string() : differs(shown);
        }
        return actual.toString() == expected.toString() ? std::string() : differs(actual.toString());
    }
    if (type == QLatin1String("bool"))
        return actual.toBool() == expected.toBool() ? std::string() : differs(actual.toString());
    if (type == QLatin1String("int"))
        return actual.toInt() == expected.toInt() ? std::string() : differs(actual.toString());
    if (type == QLatin1String("double")) {
        const ::testing::internal::FloatingPoint<double> read(actual.toDouble()), given(expected.toDouble());
        return read.AlmostEquals(given) ? std::string() : differs(QString::number(actual.toDouble(), 'g', 17));
    }
    if (type == QLatin1String("size")) {
        const QSize size = actual.toSize();
        const QJsonArray wh = expected.toArray();
        return size == QSize(wh[0].toInt(), wh[1].toInt())
                   ? std::string()
                   : differs(QStringLiteral("%1 x %2").arg(size.width()).arg(size.height()));
    }
    if (type == QLatin1String("rect")) {
        const QRect rect = actual.toRect();
        const QJsonArray r = expected.toArray();
        return rect == QRect(r[0].toInt(), r[1].toInt(), r[2].toInt(), r[3].toInt())
                   ? std::string()
                   : differs(QStringLiteral("%1,%2 %3 x %4")
                                 .arg(rect.x())
                                 .arg(rect.y())
                                 .arg(rect.width())
                                 .arg(rect.height()));
    }
    if (type == QLatin1String("enum")) {
        if (!property.isEnumType())
            return "the property is not an enumeration";
        bool known = false;
        const int given = property.enumerator().keysToValue(expected.toString().toLatin1().constData(), &known);
        if (!known)
            return "the builder names an unknown enumerator";
        return actual.toInt() == given ? std::string() : differs(QString::number(actual.toInt()));
    }
    return "the builder gives a value of unknown type " + type.toStdString();
}

// Texts, tooltips, ranges, steps, decimals, defaults, sizes and flags: what
// the builder sets is what the compiled form holds. Spin boxes the builder
// gives no prefix, suffix or special-value text carry none.
TEST(FormContractTest, EveryObjectHoldsTheBuildersProperties)
{
    BareForm form;
    int compared = 0;
    for (const QJsonValue& value : contractObjects()) {
        const QJsonObject entry = value.toObject();
        const QObject* object = form.find(entry.value(QStringLiteral("name")).toString());
        ASSERT_NE(object, nullptr) << nameOf(entry);
        QJsonObject properties = entry.value(QStringLiteral("properties")).toObject();
        if (qobject_cast<const QAbstractSpinBox*>(object))
            for (const char* text : {"prefix", "suffix", "specialValueText"})
                if (!properties.contains(QLatin1String(text)))
                    properties.insert(QLatin1String(text), QJsonObject{{"string", QString()}});
        // The contents of a resizable scroll area take the area's size: their
        // geometry is the designer's, not the window's.
        const auto* area = qobject_cast<const QScrollArea*>(object->parent() ? object->parent()->parent() : nullptr);
        if (area && area->widgetResizable() && area->widget() == object)
            properties.remove(QStringLiteral("geometry"));
        for (auto property = properties.begin(); property != properties.end(); ++property) {
            const std::string mismatch = propertyMismatch(object, property.key(), property.value().toObject());
            EXPECT_TRUE(mismatch.empty()) << nameOf(entry) << "." << property.key().toStdString() << ": " << mismatch;
            ++compared;
        }
        if (entry.contains(QStringLiteral("actions"))) {
            const auto* widget = qobject_cast<const QWidget*>(object);
            ASSERT_NE(widget, nullptr) << nameOf(entry);
            EXPECT_EQ(actionNames(widget), strings(entry.value(QStringLiteral("actions")))) << nameOf(entry);
        }
    }
    EXPECT_GT(compared, 0) << "the contract names no property";
}

TEST(FormContractTest, DocksStandInTheirAreasAndTheViewActionsToggleThem)
{
    BareForm form;
    std::map<QString, int> areas;
    for (const QJsonValue& value : contractObjects()) {
        const QJsonObject entry = value.toObject();
        const QJsonObject area =
            entry.value(QStringLiteral("attributes")).toObject().value(QStringLiteral("dockWidgetArea")).toObject();
        if (!area.isEmpty())
            areas[entry.value(QStringLiteral("name")).toString()] = area.value(QStringLiteral("int")).toInt();
    }
    const auto docks = form.window.findChildren<QDockWidget*>();
    ASSERT_FALSE(docks.isEmpty());
    std::set<QString> toggled;
    for (const QJsonValue& value : contract().value(QStringLiteral("connections")).toArray()) {
        const QJsonObject connection = value.toObject();
        auto* dock = form.find<QDockWidget>(connection.value(QStringLiteral("receiver")).toString());
        auto* toggle = form.find<QAction>(connection.value(QStringLiteral("sender")).toString());
        if (dock == nullptr || toggle == nullptr)
            continue;
        const std::string name = dock->objectName().toStdString();
        EXPECT_EQ(connection.value(QStringLiteral("signal")).toString(), "toggled(bool)") << name;
        EXPECT_EQ(connection.value(QStringLiteral("slot")).toString(), "setVisible(bool)") << name;
        toggled.insert(dock->objectName());
        EXPECT_TRUE(toggle->isCheckable() && toggle->isChecked()) << toggle->objectName().toStdString();
        EXPECT_FALSE(dock->isHidden()) << name;
        toggle->setChecked(false);
        EXPECT_TRUE(dock->isHidden()) << name << " stays shown with its toggle unchecked";
        toggle->setChecked(true);
        EXPECT_FALSE(dock->isHidden()) << name << " stays hidden with its toggle checked";
    }
    for (const QDockWidget* dock : docks) {
        const std::string name = dock->objectName().toStdString();
        EXPECT_EQ(toggled.count(dock->objectName()), 1U) << name << " has no toggle";
        ASSERT_EQ(areas.count(dock->objectName()), 1U) << name << " has no area in the contract";
        EXPECT_EQ(static_cast<int>(form.window.dockWidgetArea(const_cast<QDockWidget*>(dock))),
                  areas[dock->objectName()])
            << name;
    }
}

TEST(FormContractTest, WindowFrameStartsStoppedWithItsMenusShortcutsAndViewport)
{
    BareForm form;
    Ui_MainWindow& ui = form.ui;
    EXPECT_TRUE(ui.playButton->isEnabled() && ui.stepButton->isEnabled() && ui.resetButton->isEnabled());
    EXPECT_FALSE(ui.pauseButton->isEnabled()) << "nothing runs yet";
    EXPECT_FALSE(ui.stopButton->isEnabled()) << "nothing runs yet";
    EXPECT_EQ(ui.transportStateLabel->text(), "STOPPED");
    EXPECT_EQ(ui.speedComboBox->currentText(), "1.00x");

    EXPECT_EQ(actionNames(ui.menuBar), QStringList({"menuFile", "menuView"}));
    EXPECT_EQ(actionNames(ui.menuFile), QStringList({"actionLoadExperimentJson", "actionSaveExperimentJson"}));
    EXPECT_EQ(actionNames(ui.menuView), QStringList({"actionControlsDock", "actionTimeDock", "actionDiagnosticsDock",
                                                     "actionHelpDock", "actionAnalysisDock"}));
    EXPECT_EQ(ui.actionLoadExperimentJson->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    EXPECT_EQ(ui.actionSaveExperimentJson->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    EXPECT_FALSE(ui.actionLoadExperimentJson->isCheckable() || ui.actionSaveExperimentJson->isCheckable());

    EXPECT_EQ(form.window.minimumWidth(), 800);
    EXPECT_EQ(form.window.size(), QSize(1738, 1216));
    EXPECT_TRUE(form.window.isDockNestingEnabled());
    EXPECT_EQ(form.window.centralWidget(), ui.centralWidget);
    // Small enough for the window to fit a 1366 x 768 screen beside its docks
    // with a one-panel plot whole under it.
    EXPECT_EQ(ui.quantumView->minimumSize(), QSize(480, 220)) << "the viewport never shrinks below 480 x 220";
    EXPECT_EQ(ui.quantumView->sizePolicy().horizontalStretch(), 1);
    EXPECT_EQ(ui.quantumView->sizePolicy().verticalStretch(), 1);
    EXPECT_EQ(ui.quantumView->toolTip(),
              "Mouse wheel: zoom around cursor | Middle-drag: pan | Home or middle double-click: reset view")
        << "the form keeps the viewport's own tooltip";
}

} // namespace
} // namespace vxo::test
