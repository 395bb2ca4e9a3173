#pragma once

// The ranges of the form's spin boxes that follow the simulated domain:
// every position spans the universe, every size reaches its width, height
// or half diagonal, and the measurement collapse is at least one and a half
// grid cells wide. The window sets them whenever the domain changes; a
// document's values are held to them, for the document's own domain, before
// anything of it is applied, so that a box never clamps a loaded value.

#include <cstdint>
#include <vector>

class QDoubleSpinBox;
class QString;
class QWidget;
class Ui_MainWindow;

namespace vxo {

class SimulationDomain2D;
struct ExperimentDocument;

// The points per side of a grid resolution combo's index; 0 for none.
std::uint64_t gridPointsOfIndex(int index);

struct DomainSpinRange {
    QDoubleSpinBox* box;
    double minimum; // as the box holds it: rounded to its decimals
    double maximum;
};

// Every box of `form` whose range follows the domain, with its range on
// `domain`; `window` holds the settings boxes the range table names. None
// for a domain that is no valid grid.
std::vector<DomainSpinRange> domainSpinRanges(const Ui_MainWindow& form, const QWidget& window,
                                              const SimulationDomain2D& domain);

// Sets each range with the box's signals blocked; a value outside is clamped.
void applyDomainSpinRanges(const std::vector<DomainSpinRange>& ranges);

// Why the first of the document's numbers lies outside its box's range, so
// that loading it would clamp it; empty when none does (more decimals than
// a box shows are rounded by the window, not refused). `controls` are the
// boxes the document holds by name, in order; the universe's boxes are held
// to their own ranges first, and the ranges that follow the domain are then
// those of the document's own domain; then the settings records' boxes
// (settingsFormFault) and the collapse resolution's. A geometry page's
// strength box widens to the document's values when it is loaded, and the
// cross-section position follows the rebuilt grid: those two are held to
// nothing but being finite. With the document's scene on, its geometry pages
// are not applied (they inspect the scene) and are not held to anything.
QString documentNumbersFault(const Ui_MainWindow& form, const QWidget& window, const std::vector<QWidget*>& controls,
                             const ExperimentDocument& document);

} // namespace vxo
