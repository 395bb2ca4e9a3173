#pragma once

// One range per value of the settings records that a document holds to a
// value check, shared by the form (whose boxes are generated from the same
// table, document/SettingsRanges.def) and the document reader. A record
// whose every value lies in its range is accepted as it is: whatever a box
// lets a student set, a saved document keeps. Rules between values (a launch
// height above the edge, a fast band above the slow one) belong to the
// experiment, which applies them when it prepares its state. A record that
// leaves a range but passes its experiment's own check still loads, as it
// always did, and the box then holds the value at its bound.

#include <QString>

#include <cstddef>

namespace vxo {

struct SettingsRange {
    const char* object;  // the document's JSON object
    const char* field;   // its member
    const char* control; // the form's control, or null for a value no control shows
    const char* label;   // the control's label on its page, or the value's own name
    double minimum;      // inclusive; -infinity for no limit
    double maximum;      // inclusive; +infinity for no limit

    // Finite and within [minimum, maximum].
    bool admits(double value) const;
    // "-18 to 8", "0 or more", "any finite value".
    QString allowedText() const;
};

// The whole table, in file order.
const SettingsRange* settingsRangesBegin();
const SettingsRange* settingsRangesEnd();

// The row of one member of one object, or null.
const SettingsRange* findSettingsRange(const char* object, const char* field);

// Experiment quantumHallEdge: "Edge Y" is 9; the allowed range is -18 to 8.
QString settingsRangeMessage(const SettingsRange& range, double value);

} // namespace vxo
