#include "document/SettingsRanges.h"

#include "document/JsonReading.h"

#include <cmath>
#include <cstring>
#include <iterator>
#include <limits>

namespace vxo {

namespace {

constexpr double kUnbounded = std::numeric_limits<double>::infinity();

const SettingsRange kRanges[] = {
#define VXO_SETTINGS_RANGE(object, field, control, label, minimum, maximum)                                            \
    {object, field, control, label, minimum, maximum},
#include "document/SettingsRanges.def"
#undef VXO_SETTINGS_RANGE
};

} // namespace

bool SettingsRange::admits(double value) const { return std::isfinite(value) && value >= minimum && value <= maximum; }

QString SettingsRange::allowedText() const
{
    const bool bottom = std::isfinite(minimum);
    const bool top = std::isfinite(maximum);
    if (bottom && top)
        return QStringLiteral("%1 to %2").arg(jsonNumberText(minimum), jsonNumberText(maximum));
    if (bottom)
        return QStringLiteral("%1 or more").arg(jsonNumberText(minimum));
    if (top)
        return QStringLiteral("%1 or less").arg(jsonNumberText(maximum));
    return QStringLiteral("any finite value");
}

const SettingsRange* settingsRangesBegin() { return std::begin(kRanges); }
const SettingsRange* settingsRangesEnd() { return std::end(kRanges); }

const SettingsRange* findSettingsRange(const char* object, const char* field)
{
    for (const SettingsRange& range : kRanges) {
        if (std::strcmp(range.object, object) == 0 && std::strcmp(range.field, field) == 0)
            return &range;
    }
    return nullptr;
}

QString settingsRangeMessage(const SettingsRange& range, double value)
{
    return QStringLiteral("Experiment %1: \"%2\" is %3; the allowed range is %4.")
        .arg(QLatin1String(range.object), QLatin1String(range.label), jsonNumberText(value), range.allowedText());
}

} // namespace vxo
