// The one range of each settings value, shared by the form's boxes and the
// document reader: each box offers its row's range under its row's label,
// and whatever value a box of the Dynamics pages or of the analysis settings
// lets a student set, at either end of its range, a saved document keeps and
// gives back into the box. One bare form serves the whole suite.

#include "BareFormSuite.h"

#include "app/form/ExperimentSettingsForm.h"
#include "document/ExperimentDocumentJson.h"
#include "document/ExperimentTitles.h"
#include "document/SettingsRanges.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QJsonDocument>
#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStackedWidget>

#include <gtest/gtest.h>

#include <vector>

namespace vxo {
namespace {

class SettingsRangesForm : public test::BareFormSuite {
protected:
    // The label that names a control on its page: its form row's label, or
    // on the analysis pages the label named after it.
    static QString rangeLabelOf(QWidget* control)
    {
        if (auto* rows = qobject_cast<QFormLayout*>(control->parentWidget()->layout())) {
            if (auto* label = qobject_cast<QLabel*>(rows->labelForField(control)))
                return label->text();
        }
        QString name = control->objectName();
        name.replace(QLatin1String("SpinBox"), QLatin1String("Label"));
        const auto* label = window->findChild<QLabel*>(name);
        return label != nullptr ? label->text() : QString();
    }

    // Every record the form carries, read as the window's capture reads it.
    static ExperimentDocument rangesDocumentOfForm()
    {
        ExperimentDocument document;
        // A document holds at least one control value.
        document.controls.insert(QStringLiteral("speedComboBox"), 2);
        eachFormRecord(document, [](auto& record) { record = readSettingsFromForm(*form, record); });
        disableRecordsTheSceneRefuses(document);
        return document;
    }

    template <typename Visit>
    static void eachFormRecord(ExperimentSettingsRecords& r, Visit visit)
    {
        visit(r.quantumQuench);
        visit(r.periodicDrive);
        visit(r.linearSweep);
        visit(r.ramseySequence);
        visit(r.ramseyEnsemble);
        visit(r.kickedRotor);
        visit(r.quantumZeno);
        visit(r.quantumScar);
        visit(r.quantumBerry);
        visit(r.quantumLoschmidt);
        visit(r.quantumMoshinsky);
        visit(r.quantumKapitzaDirac);
        visit(r.quantumAharonovBohm);
        visit(r.quantumLandau);
        visit(r.quantumHallEdge);
        visit(r.quantumBackflow);
        visit(r.quantumZitterbewegung);
        visit(r.quantumKleinTunneling);
    }

    // The boxes and enable boxes of the settings pages: the fourteen Dynamics
    // pages and the analysis pages with settings of their own.
    template <typename Widget>
    static std::vector<Widget*> settingsWidgets()
    {
        std::vector<Widget*> found;
        for (QWidget* page : {static_cast<QWidget*>(form->timeDependentSubTabWidget), form->kickedRotorTab,
                              form->zenoTab, form->scarsTab, form->ramseyTab}) {
            for (Widget* widget : page->findChildren<Widget*>())
                found.push_back(widget);
        }
        return found;
    }
};

TEST_F(SettingsRangesForm, EachRowIsTheRangeOfItsControlUnderItsLabel)
{
    // The form starts on a 40.96 by 40.96 universe.
    const UniverseExtent universe{40.96, 40.96};
    int controls = 0;
    for (const SettingsRange* row = settingsRangesBegin(); row != settingsRangesEnd(); ++row) {
        if (row->control == nullptr)
            continue;
        ++controls;
        SCOPED_TRACE(row->control);
        auto* control = window->findChild<QWidget*>(QLatin1String(row->control));
        ASSERT_NE(control, nullptr) << "the form has no such control";
        double minimum = 0.0;
        double maximum = 0.0;
        int decimals = 0;
        if (const auto* box = qobject_cast<QDoubleSpinBox*>(control)) {
            minimum = box->minimum();
            maximum = box->maximum();
            decimals = box->decimals();
        } else if (const auto* count = qobject_cast<QSpinBox*>(control)) {
            minimum = count->minimum();
            maximum = count->maximum();
        } else if (const auto* combo = qobject_cast<QComboBox*>(control)) {
            // A sign's list holds +1 and -1; another list's index is the value.
            minimum = row->span == SettingsRange::Span::Sign ? -1 : 0;
            maximum = row->span == SettingsRange::Span::Sign ? 1 : combo->count() - 1;
            EXPECT_TRUE(row->span != SettingsRange::Span::Sign || combo->count() == 2);
        } else {
            FAIL() << "not a range-limited control";
        }
        EXPECT_EQ(row->lowest(universe), minimum);
        EXPECT_EQ(row->highest(universe), maximum);
        EXPECT_EQ(row->decimals, decimals);
        const QString label = rangeLabelOf(control);
        EXPECT_EQ(QString::fromLatin1(row->label).toStdString(), label.toStdString());
        // A refusal names the experiment and the control as the window
        // does (the experiment's analysis page, or the group that holds the
        // box), the value and the range it offers.
        const QString title = settingsObjectTitle(row->object);
        bool shown = false;
        for (const QWidget* page :
             form->analysisStackedWidget->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            shown = shown || page->windowTitle() == title;
        for (const QWidget* holder = control; holder != nullptr; holder = holder->parentWidget()) {
            if (const auto* group = qobject_cast<const QGroupBox*>(holder))
                shown = shown || group->title().contains(title, Qt::CaseInsensitive);
        }
        EXPECT_TRUE(shown) << "the window shows no " << title.toStdString();
        const QString refusal = row->outsideFault(maximum + 1.0, universe);
        EXPECT_TRUE(refusal.startsWith(QStringLiteral("%1: \"%2\" is %3;").arg(title, label).arg(maximum + 1.0)))
            << refusal.toStdString();
        if (row->span != SettingsRange::Span::Sign) {
            EXPECT_TRUE(refusal.contains(QStringLiteral("%1 to %2").arg(minimum).arg(maximum)))
                << refusal.toStdString();
        }
    }
    EXPECT_GT(controls, 80) << "the table lost its controls";
}

TEST_F(SettingsRangesForm, EveryBoxAtEitherEndOfItsRangeComesBackFromASavedDocument)
{
    const std::vector<QAbstractSpinBox*> boxes = settingsWidgets<QAbstractSpinBox>();
    const std::vector<QCheckBox*> switches = settingsWidgets<QCheckBox>();
    ASSERT_GT(boxes.size(), 80u) << "the settings pages lost their boxes";
    const auto switchAll = [&switches](bool on) {
        for (QCheckBox* box : switches) {
            const QSignalBlocker blocker(box);
            box->setChecked(on);
        }
    };
    // Reads and sets either kind of box through one pair of functions.
    const auto valueOf = [](QAbstractSpinBox* box) {
        if (auto* real = qobject_cast<QDoubleSpinBox*>(box))
            return real->value();
        return static_cast<double>(qobject_cast<QSpinBox*>(box)->value());
    };
    const auto setValue = [](QAbstractSpinBox* box, double value) {
        const QSignalBlocker blocker(box);
        if (auto* real = qobject_cast<QDoubleSpinBox*>(box))
            real->setValue(value);
        else
            qobject_cast<QSpinBox*>(box)->setValue(static_cast<int>(value));
    };
    const auto boundsOf = [](QAbstractSpinBox* box) {
        if (auto* real = qobject_cast<QDoubleSpinBox*>(box))
            return std::pair{real->minimum(), real->maximum()};
        auto* count = qobject_cast<QSpinBox*>(box);
        return std::pair{static_cast<double>(count->minimum()), static_cast<double>(count->maximum())};
    };

    // Switched off, and switched on with whatever the other boxes hold: the
    // experiment's rules between values are its own, at run time.
    for (const bool on : {false, true}) {
        for (QAbstractSpinBox* box : boxes) {
            const auto [minimum, maximum] = boundsOf(box);
            const double kept = valueOf(box);
            for (const double bound : {minimum, maximum}) {
                SCOPED_TRACE(testing::Message() << box->objectName().toStdString() << " at " << bound
                                                << (on ? ", switched on" : ", switched off"));
                switchAll(on);
                setValue(box, bound);
                const ExperimentDocument saved = rangesDocumentOfForm();
                ExperimentDocument loaded;
                QString error;
                ASSERT_TRUE(parseExperimentDocument(experimentDocumentToJson(saved), loaded, error))
                    << error.toStdString();
                EXPECT_EQ(experimentDocumentToJson(loaded), experimentDocumentToJson(saved));
                setValue(box, kept);
                eachFormRecord(loaded, [](const auto& record) { writeSettingsIntoForm(*form, record); });
                EXPECT_EQ(valueOf(box), bound) << "the box does not show the saved value";
                setValue(box, kept);
            }
        }
    }
    switchAll(false);
}

} // namespace
} // namespace vxo
