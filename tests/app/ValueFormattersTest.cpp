#include "app/text/ValueFormatters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

namespace vxo {
namespace {

// The text a value should get, worked out from decades rather than ladders:
// the SI prefix is the multiple of three at or below the decade of the
// quantity, within the range the formatter offers.
QString withPrefix(double quantity, int power, const char* prefix, const char* unit)
{
    return QStringLiteral("%1 %2%3").arg(QString::number(quantity / std::pow(10.0, power), 'g', 3),
                                         QLatin1String(prefix), QLatin1String(unit));
}

int powerAtOrBelow(double quantity, int lowest, int highest)
{
    return std::clamp(static_cast<int>(std::floor(std::log10(quantity) / 3.0)) * 3, lowest, highest);
}

// SI prefix of 10^power, power a multiple of 3 from -21 to 21.
const char* prefixOf(int power)
{
    static const char* const prefixes[] = {"z", "a", "f", "p", "n", "u", "m", "", "k", "M", "G", "T", "P", "E", "Z"};
    return prefixes[power / 3 + 7];
}

QString expectedTime(double seconds)
{
    if (seconds >= 60.0)
        return QStringLiteral("%1 min").arg(QString::number(seconds / 60.0, 'g', 3));
    const int power = powerAtOrBelow(seconds, -21, 0);
    return withPrefix(seconds, power, prefixOf(power), "s");
}

QString expectedLength(double metres)
{
    const int power = powerAtOrBelow(metres, -12, 0);
    return withPrefix(metres, power, prefixOf(power), "m");
}

QString expectedFrequency(double timeUnit)
{
    const double hertz = 1.0 / (2.0 * M_PI * timeUnit);
    const int power = powerAtOrBelow(hertz, 0, 21);
    return withPrefix(hertz, power, prefixOf(power), "Hz");
}

// Below one electronvolt the energy takes the prefix at or above its decade
// (mantissas below 1), from 1 eV upwards the one at or below it.
QString expectedEnergy(double timeUnit)
{
    const double electronvolts = 1.054571817e-34 / timeUnit / 1.602176634e-19;
    const double decades = std::log10(electronvolts) / 3.0;
    const int power = electronvolts < 1.0 ? std::max(static_cast<int>(std::ceil(decades)) * 3, -12)
                                          : std::min(static_cast<int>(std::floor(decades)) * 3, 6);
    return withPrefix(electronvolts, power, prefixOf(power), "eV");
}

TEST(ValueFormatters, EveryDecadeGetsTheRightPrefixAndThreeSignificantDigits)
{
    struct Formatter {
        const char* name;
        std::function<QString(double)> format;
        std::function<QString(double)> expected;
        int lowestDecade;
        int highestDecade;
    };
    const Formatter formatters[] = {
        {"formatTime", formatTime, expectedTime, -25, 4},
        {"formatLength", formatLength, expectedLength, -15, 4},
        {"formatEnergyOfTimeUnit", formatEnergyOfTimeUnit, expectedEnergy, -30, 6},
        {"formatFrequencyOfTimeUnit", formatFrequencyOfTimeUnit, expectedFrequency, -30, 6},
    };
    // Mantissas away from 1 keep every value off the rungs' bounds; between
    // them they give each formatted decade values below 2 and above 5
    // (1 / (2 pi t) turns 1.1 into 1.45 and 7.3 into 2.18).
    for (const Formatter& f : formatters)
        for (int decade = f.lowestDecade; decade <= f.highestDecade; ++decade)
            for (double mantissa : {1.1, 1.7, 2.5, 4.56, 7.3}) {
                const double value = mantissa * std::pow(10.0, decade);
                EXPECT_EQ(f.format(value), f.expected(value)) << f.name << " of " << value;
            }
}

// Just below a power of a thousand a quantity keeps the smaller prefix, just
// above it takes the next one.
TEST(ValueFormatters, QuantitiesEitherSideOfAPrefixBoundTakeThePrefixesEitherSide)
{
    const auto same = [](double quantity) { return quantity; };
    const auto timeUnitOfHertz = [](double hertz) { return 1.0 / (2.0 * M_PI * hertz); };
    const auto timeUnitOfElectronvolts = [](double eV) { return 1.054571817e-34 / (eV * 1.602176634e-19); };
    struct Formatter {
        const char* name;
        std::function<QString(double)> format, expected;
        std::function<double(double)> argumentOf;
        int lowestPower, highestPower;
    };
    const Formatter formatters[] = {
        {"formatTime", formatTime, expectedTime, same, -18, 0},
        {"formatLength", formatLength, expectedLength, same, -9, 0},
        {"formatEnergyOfTimeUnit", formatEnergyOfTimeUnit, expectedEnergy, timeUnitOfElectronvolts, -12, 6},
        {"formatFrequencyOfTimeUnit", formatFrequencyOfTimeUnit, expectedFrequency, timeUnitOfHertz, 3, 21},
    };
    for (const Formatter& f : formatters)
        for (int power = f.lowestPower; power <= f.highestPower; power += 3)
            for (double mantissa : {0.996, 1.004}) {
                const double argument = f.argumentOf(mantissa * std::pow(10.0, power));
                EXPECT_EQ(f.format(argument), f.expected(argument))
                    << f.name << " of 10^" << power << " x " << mantissa;
            }
}

TEST(ValueFormatters, BoundsRoundingAndValuesThatCannotBeShown)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Row {
        const char* name;
        QString (*format)(double);
        double value;
        const char* text;
    };
    const Row rows[] = {
        {"formatTime", formatTime, 0.0, "0 s"},
        {"formatTime", formatTime, -1.0, "n/a"},
        {"formatTime", formatTime, nan, "n/a"},
        {"formatTime", formatTime, inf, "n/a"},
        {"formatTime", formatTime, 0.001, "1 ms"},
        {"formatTime", formatTime, 1.0, "1 s"},
        {"formatTime", formatTime, 60.0, "1 min"},
        {"formatTime", formatTime, 0.9996, "1e+03 ms"},
        {"formatTime", formatTime, 0.0123, "12.3 ms"},
        {"formatTime", formatTime, 2.4188843265857e-17, "24.2 as"},
        {"formatTime", formatTime, 7200.0, "120 min"},
        {"formatTime", formatTime, 1e-24, "0.001 zs"},
        {"formatLength", formatLength, 0.0, "n/a"},
        {"formatLength", formatLength, -2.0, "n/a"},
        {"formatLength", formatLength, nan, "n/a"},
        {"formatLength", formatLength, inf, "n/a"},
        {"formatLength", formatLength, 1.0, "1 m"},
        {"formatLength", formatLength, 5000.0, "5e+03 m"},
        {"formatLength", formatLength, 5.29177210903e-11, "52.9 pm"},
        {"formatEnergyOfTimeUnit", formatEnergyOfTimeUnit, 0.0, "n/a"},
        {"formatEnergyOfTimeUnit", formatEnergyOfTimeUnit, -1e-15, "n/a"},
        {"formatEnergyOfTimeUnit", formatEnergyOfTimeUnit, nan, "n/a"},
        {"formatEnergyOfTimeUnit", formatEnergyOfTimeUnit, inf, "n/a"},
        {"formatEnergyOfTimeUnit", formatEnergyOfTimeUnit, 1e-15, "0.658 eV"},
        {"formatEnergyOfTimeUnit", formatEnergyOfTimeUnit, 1e-12, "0.658 meV"},
        {"formatFrequencyOfTimeUnit", formatFrequencyOfTimeUnit, 0.0, "n/a"},
        {"formatFrequencyOfTimeUnit", formatFrequencyOfTimeUnit, -1e-15, "n/a"},
        {"formatFrequencyOfTimeUnit", formatFrequencyOfTimeUnit, nan, "n/a"},
        {"formatFrequencyOfTimeUnit", formatFrequencyOfTimeUnit, inf, "n/a"},
        {"formatFrequencyOfTimeUnit", formatFrequencyOfTimeUnit, 1e-15, "159 THz"},
        {"formatFrequencyOfTimeUnit", formatFrequencyOfTimeUnit, 1e-12, "159 GHz"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.format(row.value), QLatin1String(row.text)) << row.name << " of " << row.value;
}

} // namespace
} // namespace vxo
