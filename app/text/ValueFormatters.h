#pragma once

#include <QString>

namespace vxo {

// Physical quantities in SI base units as short display texts: the value is
// scaled to the first prefix whose bound lies above it and written with three
// significant digits in the shorter of fixed and exponent notation, never
// localised ("12.3 ms", "0.658 eV", "1e+03 ms"). The prefix is chosen before
// rounding. The micro prefix is the plain letter u. A value that cannot be
// shown gives "n/a".

// A duration in seconds, from zeptoseconds to minutes; 0 gives "0 s", a
// negative or non-finite duration "n/a".
QString formatTime(double seconds);
// A length in metres, from picometres to metres; "n/a" unless positive and finite.
QString formatLength(double metres);
// The energy hbar / T of a time unit T in seconds, in electronvolts. Below
// 1 eV each row ends at one unit of its own prefix, so 0.658 eV stays in eV
// and 6.58e-4 eV is written 0.658 meV. "n/a" unless T is positive and finite.
QString formatEnergyOfTimeUnit(double timeUnitSeconds);
// The frequency 1 / (2 pi T) of a time unit T in seconds, from Hz to ZHz;
// "n/a" unless T is positive and finite.
QString formatFrequencyOfTimeUnit(double timeUnitSeconds);

} // namespace vxo
