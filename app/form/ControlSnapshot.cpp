#include "app/form/ControlSnapshot.h"

#include "app/form/ControlValue.h"

#include <QTabWidget>

namespace vxo {

void ControlSnapshot::capture(const std::vector<QWidget*>& widgets)
{
    entries_.clear();
    for (QWidget* widget : widgets) {
        Entry entry{widget, controlValue(widget), controlRange(widget)};
        // A tab widget is no document control, but its page is part of the form.
        if (const auto* tabs = qobject_cast<const QTabWidget*>(widget))
            entry.value = tabs->currentIndex();
        if (entry.value.isValid())
            entries_.push_back(entry);
    }
}

void ControlSnapshot::restore() const
{
    for (const Entry& entry : entries_) {
        QWidget* const widget = entry.widget.data();
        if (widget == nullptr)
            continue;
        // The range first, so that the value is not clamped by the present one.
        if (entry.range)
            setControlRange(widget, *entry.range);
        if (auto* tabs = qobject_cast<QTabWidget*>(widget))
            writeQuietly(tabs, [&entry](QTabWidget& pages) { pages.setCurrentIndex(entry.value.toInt()); });
        else
            applyControlValue(widget, entry.value);
    }
}

} // namespace vxo
