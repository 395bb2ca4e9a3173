#pragma once

// One range per value of the settings records that a document holds, shared
// by the form (whose boxes are generated from the same table,
// document/SettingsRanges.def) and the document reader: what a box can
// show, the reader accepts and Save writes. A value outside its box's range
// (a fraction in a count included) is refused, naming the experiment and the
// control as the window shows them, the file's value and what the box
// allows. A value with more decimals than its box is no reason to refuse a
// file: the window loads it as the box shows it, rounded, and says so
// (unless it differs from that only by rounding noise, as a script's
// 0.1 * 3 does). Rules between values (a launch height above the edge, a
// fast band above the slow one) belong to the experiment, which applies them
// when it prepares its state: a record whose values all lie in their ranges
// loads even when its experiment's own check refuses the combination.

#include <QJsonObject>
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

// A number as a box with `decimals` decimals holds it: the toolkit rounds
// through the number's text. A negative `decimals` keeps the number.
double shownWithDecimals(double value, int decimals);

// Whether `value` differs from `shown` by no more than rounding noise: less
// than single precision, in which the simulation computes, tells apart
// (0.30000000000000004 for 0.3, a float's 0.10000000149011612 for 0.1). Such
// a value is the one its box shows, and loads silently as that value.
bool isRoundingNoise(double value, double shown);

// Whether `value` names the whole number `whole` as an index (a combo's
// entry, a sign): within rounding noise, or within the one step of single
// precision by which a script that computed it in floats may miss it
// (1.0000001 for 1).
bool isWholeIndex(double value, double whole);

// A box as messages name it: the experiment or page, then the box's label
// in quotes: Zeno: "Measurement dt".
QString boxCaption(const QString& page, const QString& label);

// Empty when a box named `caption`, of range `lowest` to `highest` (either
// may be infinite) and `decimals` decimals, can take `value`, rounding noise
// aside (a value finer than the box, a count's 64.5 among them, is rounded
// to what the box shows on loading, and said so); otherwise why not, quoting
// the value as the file gives it and what the box allows (`extent`, when not
// empty, says what the range follows: "the universe's width"):
// Zeno: "Measurement dt" is 0.01; the allowed range is 0.04 to 5.
QString boxRangeFault(const QString& caption, double value, double lowest, double highest, int decimals,
                      const QString& extent = QString());

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

    // `value` as its box shows it: rounded to the box's decimals (a count
    // or an index to a whole number); a value no control shows as it is.
    double shown(double value) const;

    // A choice among entries (a combo's index): a whole number or nothing,
    // never rounded to one.
    bool isIndex() const;
    // A count a spin box shows: a value between whole numbers is rounded to
    // one, as a decimal box rounds to its decimals.
    bool isCount() const { return decimals == 0 && span == Span::Fixed && control != nullptr && !isIndex(); }

    // `value` held into the range in `universe` and shown as its box shows
    // it: what the box makes of a value written into it (a sign: -1 for a
    // negative value, else 1).
    double fitted(double value, const std::optional<UniverseExtent>& universe) const;

    // Empty when `value` lies in the range (for an index, a whole number in
    // it; for a sign, -1 or 1), rounding noise aside; otherwise
    // why not, naming the experiment and the control as the window shows
    // them, the value and what the box allows:
    // Hall Edge: "Edge Y" is 9; the allowed range is -18 to 8.
    // The document reader and the window hold a record to this.
    QString outsideFault(double value, const std::optional<UniverseExtent>& universe) const;
};

// `object` (a member of a document's root) with each number that has a row
// fitted to it in `universe`; members without a row as they are.
QJsonObject fittedToSettingsRanges(const char* object, const QJsonObject& values,
                                   const std::optional<UniverseExtent>& universe);

// The whole table, in file order.
const SettingsRange* settingsRangesBegin();
const SettingsRange* settingsRangesEnd();

// The row of one member of one object, or null.
const SettingsRange* findSettingsRange(const char* object, const char* field);

} // namespace vxo
