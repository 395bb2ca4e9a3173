#pragma once

// One range per value of the settings records that a document holds, shared
// by the form (whose boxes are generated from the same table,
// document/SettingsRanges.def) and the document reader: what a box can
// show, the reader accepts and Save writes. A value the box cannot show is
// refused, naming the control, the file's value and what the box allows:
// the reader refuses what lies outside its range (a fraction in a count
// included), the window, before applying a document, what has more decimals
// than its box (a guided preset may hold finer values, which its boxes round).
// Rules between values (a launch height above the edge, a fast band above
// the slow one) belong to the experiment, which applies them when it
// prepares its state: a record whose values all lie in their ranges loads
// even when its experiment's own check refuses the combination.

#include <QString>

#include <optional>

namespace vxo {

struct ExperimentDocument;

// The universe a document's positions lie in; positions whose box spans the
// universe follow it.
struct UniverseExtent {
    double width = 0.0;
    double height = 0.0;
};

// A document's universe, from its universe controls; none when it lacks
// either, and then the positions that follow the universe are held to
// nothing but being finite.
std::optional<UniverseExtent> documentUniverse(const ExperimentDocument& document);

struct SettingsRange {
    enum class Span { Fixed, UniverseX, UniverseY, Sign };

    const char* object;  // the document's JSON object
    const char* field;   // its member
    const char* control; // the form's control, or null for a value no control shows
    const char* label;   // the control's label on its page, or the value's own name
    double minimum;      // inclusive; -infinity for no limit; unused by a universe position
    double maximum;      // inclusive; +infinity for no limit
    int decimals;        // the box's decimals; negative for a value no control shows
    Span span;

    // The inclusive bounds in `universe` (a universe position without one:
    // unbounded), rounded to the box's decimals as the box rounds them.
    double lowest(const std::optional<UniverseExtent>& universe) const;
    double highest(const std::optional<UniverseExtent>& universe) const;

    // Empty when `value` lies in the range (for a count or an index, a whole
    // number in it; for a sign, -1 or 1); otherwise why not, naming the
    // control, the value and what the box allows:
    // Experiment quantumHallEdge: "Edge Y" is 9; the allowed range is -18 to 8.
    // This is what the document reader holds a record to.
    QString outsideFault(double value, const std::optional<UniverseExtent>& universe) const;
    // Also empty only when the box shows `value` to its last digit: no more
    // decimals than the box has. The form holds a loaded record to this.
    QString fault(double value, const std::optional<UniverseExtent>& universe) const;
};

// The whole table, in file order.
const SettingsRange* settingsRangesBegin();
const SettingsRange* settingsRangesEnd();

// The row of one member of one object, or null.
const SettingsRange* findSettingsRange(const char* object, const char* field);

} // namespace vxo
