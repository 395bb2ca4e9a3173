#include "app/text/ValueFormatters.h"

#include "core/Numeric.h"

#include <cmath>
#include <iterator>

namespace vxo {

namespace {

constexpr double kHbarJouleSeconds = 1.054571817e-34;
constexpr double kElementaryChargeCoulomb = 1.602176634e-19;

// One rung of a prefix ladder: quantities below `bound` are shown as
// quantity * multiplier / divisor in `pattern`. The last rung's bound is
// never read: it takes everything that is left.
struct PrefixRung {
    double bound;
    const char* pattern;
    double multiplier;
    double divisor;
};

template <std::size_t N>
QString onLadder(double quantity, const PrefixRung (&ladder)[N])
{
    const PrefixRung* rung = std::begin(ladder);
    while (rung + 1 != std::end(ladder) && !(rung->bound > quantity))
        ++rung;
    const double scaled = quantity * rung->multiplier / rung->divisor;
    return QString::fromLatin1(rung->pattern).arg(scaled, 0, 'g', 3, QLatin1Char(' '));
}

const QString& notAvailable()
{
    static const QString text = QStringLiteral("n/a");
    return text;
}

bool positiveAndFinite(double value) { return std::isfinite(value) && value > 0.0; }

constexpr PrefixRung kTimeLadder[] = {
    {1e-18, "%1 zs", 1e21, 1.0}, {1e-15, "%1 as", 1e18, 1.0}, {1e-12, "%1 fs", 1e15, 1.0},
    {1e-9, "%1 ps", 1e12, 1.0},  {1e-6, "%1 ns", 1e9, 1.0},   {1e-3, "%1 us", 1e6, 1.0},
    {1.0, "%1 ms", 1e3, 1.0},    {60.0, "%1 s", 1.0, 1.0},    {0.0, "%1 min", 1.0, 60.0},
};

constexpr PrefixRung kLengthLadder[] = {
    {1e-9, "%1 pm", 1e12, 1.0}, {1e-6, "%1 nm", 1e9, 1.0}, {1e-3, "%1 um", 1e6, 1.0},
    {1.0, "%1 mm", 1e3, 1.0},   {0.0, "%1 m", 1.0, 1.0},
};

constexpr PrefixRung kEnergyLadder[] = {
    {1e-12, "%1 peV", 1e12, 1.0}, {1e-9, "%1 neV", 1e9, 1.0}, {1e-6, "%1 ueV", 1e6, 1.0}, {1e-3, "%1 meV", 1e3, 1.0},
    {1e3, "%1 eV", 1.0, 1.0},     {1e6, "%1 keV", 1e-3, 1.0}, {0.0, "%1 MeV", 1e-6, 1.0},
};

constexpr PrefixRung kFrequencyLadder[] = {
    {1e3, "%1 Hz", 1.0, 1.0},     {1e6, "%1 kHz", 1e-3, 1.0},   {1e9, "%1 MHz", 1e-6, 1.0},
    {1e12, "%1 GHz", 1e-9, 1.0},  {1e15, "%1 THz", 1e-12, 1.0}, {1e18, "%1 PHz", 1e-15, 1.0},
    {1e21, "%1 EHz", 1e-18, 1.0}, {0.0, "%1 ZHz", 1e-21, 1.0},
};

} // namespace

QString formatTime(double seconds)
{
    if (!std::isfinite(seconds) || seconds < 0.0)
        return notAvailable();
    if (seconds == 0.0)
        return QStringLiteral("0 s");
    return onLadder(seconds, kTimeLadder);
}

QString formatLength(double metres)
{
    if (!positiveAndFinite(metres))
        return notAvailable();
    return onLadder(metres, kLengthLadder);
}

QString formatEnergyOfTimeUnit(double timeUnitSeconds)
{
    if (!positiveAndFinite(timeUnitSeconds))
        return notAvailable();
    const double electronvolts = kHbarJouleSeconds / timeUnitSeconds / kElementaryChargeCoulomb;
    return onLadder(electronvolts, kEnergyLadder);
}

QString formatFrequencyOfTimeUnit(double timeUnitSeconds)
{
    if (!positiveAndFinite(timeUnitSeconds))
        return notAvailable();
    const double hertz = 1.0 / (timeUnitSeconds * 2.0 * kPi);
    return onLadder(hertz, kFrequencyLadder);
}

} // namespace vxo
