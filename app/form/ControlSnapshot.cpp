#include "app/form/ControlSnapshot.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>

namespace vxo {

void ControlSnapshot::capture(const std::vector<QWidget*>& widgets)
{
    entries_.clear();
    for (QWidget* widget : widgets) {
        Entry entry{widget, {}, 0.0, 0.0};
        if (const auto* box = qobject_cast<const QDoubleSpinBox*>(widget)) {
            entry = {widget, box->value(), box->minimum(), box->maximum()};
        } else if (const auto* box = qobject_cast<const QSpinBox*>(widget)) {
            entry = {widget, box->value(), double(box->minimum()), double(box->maximum())};
        } else if (const auto* combo = qobject_cast<const QComboBox*>(widget)) {
            entry.value = combo->currentIndex();
        } else if (const auto* box = qobject_cast<const QCheckBox*>(widget)) {
            entry.value = box->isChecked();
        } else if (const auto* tabs = qobject_cast<const QTabWidget*>(widget)) {
            entry.value = tabs->currentIndex();
        } else {
            continue;
        }
        entries_.push_back(entry);
    }
}

void ControlSnapshot::restore() const
{
    for (const Entry& entry : entries_) {
        QWidget* const widget = entry.widget.data();
        if (widget == nullptr)
            continue;
        const QSignalBlocker blocker(widget);
        // The range first, so that the value is not clamped by the present one.
        if (auto* box = qobject_cast<QDoubleSpinBox*>(widget)) {
            box->setRange(entry.minimum, entry.maximum);
            box->setValue(entry.value.toDouble());
        } else if (auto* box = qobject_cast<QSpinBox*>(widget)) {
            box->setRange(int(entry.minimum), int(entry.maximum));
            box->setValue(entry.value.toInt());
        } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            const int index = entry.value.toInt();
            if (index < combo->count())
                combo->setCurrentIndex(index);
        } else if (auto* box = qobject_cast<QCheckBox*>(widget)) {
            box->setChecked(entry.value.toBool());
        } else if (auto* tabs = qobject_cast<QTabWidget*>(widget)) {
            tabs->setCurrentIndex(entry.value.toInt());
        }
    }
}

} // namespace vxo
