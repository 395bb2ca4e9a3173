#pragma once

#include "app/form/ControlValue.h"

#include <QPointer>
#include <QVariant>
#include <QWidget>

#include <optional>
#include <vector>

namespace vxo {

// The values of a set of form controls at one moment, put back on request:
// what a window held when it was new, so that a guided experiment starts
// from the same form whatever was loaded before it. A spin box keeps its
// range as well as its value (the domain and the loaders move the ranges,
// and a value must not be clamped by another experiment's range); a combo
// box its current index, a check box its state, a tab widget its current
// page. Other widget classes and null widgets are not recorded. The values
// are those of ControlValue.h, written back by applyControlValue.
class ControlSnapshot {
public:
    // Records each widget's present value; the earlier record is dropped.
    void capture(const std::vector<QWidget*>& widgets);
    // Writes the recorded values back with each widget's signals blocked
    // (its earlier blocking state comes back), so no change handler runs.
    // Widgets destroyed since the capture are skipped; a combo whose entries
    // no longer reach the recorded index keeps its current one.
    void restore() const;
    bool empty() const { return entries_.empty(); }

private:
    struct Entry {
        QPointer<QWidget> widget;
        QVariant value;
        std::optional<ControlRange> range; // spin boxes only
    };
    std::vector<Entry> entries_;
};

} // namespace vxo
