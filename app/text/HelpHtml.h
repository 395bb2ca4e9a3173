#pragma once

#include "document/ExperimentPreset.h"

#include <QString>

namespace vxo {

// HTML fragments of the help texts.

// The real-world scale block of a guided experiment: what one simulated
// length and time unit stand for, the energy and frequency of the time unit
// for hbar = 1, and the mapping's note. The mapping's texts are Latin-1 and go
// in as they are (they are the catalogue's own markup); the fragment is
// filled in one pass, so a "%" in them stays a "%". Empty for an invalid
// mapping; a valid mapping with a unit that is not positive still gives the
// block, with "n/a" where the formatters refuse the value.
QString realWorldScaleHtmlEnglish(const RealWorldScaleMapping& mapping);
QString realWorldScaleHtmlItalian(const RealWorldScaleMapping& mapping);

// `html` with `banner` boxed in right after the opening body tag (found
// without regard to case); without a complete body tag the banner, a rule
// and then `html`.
QString insertHtmlBanner(const QString& html, const QString& banner);

} // namespace vxo
