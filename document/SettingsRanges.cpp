#include "document/SettingsRanges.h"

#include "document/ExperimentDocument.h"
#include "document/JsonReading.h"

#include <cmath>
#include <cstring>
#include <iterator>
#include <limits>

namespace vxo {

namespace {

constexpr double kUnbounded = std::numeric_limits<double>::infinity();
constexpr int kAnyDecimals = -1;
constexpr SettingsRange::Span kUniverseX = SettingsRange::Span::UniverseX;
constexpr SettingsRange::Span kUniverseY = SettingsRange::Span::UniverseY;

const SettingsRange kRanges[] = {
#define VXO_SETTINGS_RANGE(object, field, control, label, minimum, maximum, decimals)                                  \
    {object, field, control, label, minimum, maximum, decimals, SettingsRange::Span::Fixed},
#define VXO_UNIVERSE_RANGE(object, field, control, label, axis, decimals)                                              \
    {object, field, control, label, -kUnbounded, kUnbounded, decimals, axis},
#define VXO_SIGN_RANGE(object, field, control, label)                                                                  \
    {object, field, control, label, -1, 1, 0, SettingsRange::Span::Sign},
#include "document/SettingsRanges.def"
#undef VXO_SETTINGS_RANGE
#undef VXO_UNIVERSE_RANGE
#undef VXO_SIGN_RANGE
};

// A universe position spans half the universe either side of its centre;
// the universe as the simulation domain holds it, in single precision.
double halfSpan(SettingsRange::Span span, const std::optional<UniverseExtent>& universe)
{
    if (!universe)
        return kUnbounded;
    const double extent = span == SettingsRange::Span::UniverseX ? universe->width : universe->height;
    return 0.5 * static_cast<double>(static_cast<float>(extent));
}

bool followsUniverse(SettingsRange::Span span)
{
    return span == SettingsRange::Span::UniverseX || span == SettingsRange::Span::UniverseY;
}

// The control's value as a spin box with `decimals` decimals holds it: the
// toolkit rounds to the decimals through their text.
double shownWithDecimals(double value, int decimals) { return QString::number(value, 'f', decimals).toDouble(); }

std::optional<double> controlNumber(const ExperimentDocument& document, const char* name)
{
    const QVariant value = document.controls.value(QLatin1String(name));
    bool number = false;
    const double converted = value.toDouble(&number);
    if (!number || value.userType() == QMetaType::Bool || value.userType() == QMetaType::QString)
        return std::nullopt;
    return converted;
}

} // namespace

std::optional<UniverseExtent> documentUniverse(const ExperimentDocument& document)
{
    const std::optional<double> width = controlNumber(document, "universeWidthSpinBox");
    const std::optional<double> height = controlNumber(document, "universeHeightSpinBox");
    if (!width || !height)
        return std::nullopt;
    return UniverseExtent{*width, *height};
}

// A universe position's bounds as its box holds them: rounded to its decimals.
double SettingsRange::lowest(const std::optional<UniverseExtent>& universe) const
{
    if (!followsUniverse(span))
        return minimum;
    const double half = halfSpan(span, universe);
    return std::isfinite(half) ? -shownWithDecimals(half, decimals) : -half;
}

double SettingsRange::highest(const std::optional<UniverseExtent>& universe) const
{
    if (!followsUniverse(span))
        return maximum;
    const double half = halfSpan(span, universe);
    return std::isfinite(half) ? shownWithDecimals(half, decimals) : half;
}

QString SettingsRange::outsideFault(double value, const std::optional<UniverseExtent>& universe) const
{
    const QString prefix = QStringLiteral("Experiment %1: \"%2\" is %3; ")
                               .arg(QLatin1String(object), QLatin1String(label), jsonNumberText(value));
    if (span == Span::Sign) {
        if (value == -1.0 || value == 1.0)
            return {};
        return prefix + QStringLiteral("the allowed values are -1 and 1.");
    }
    const double bottom = lowest(universe);
    const double top = highest(universe);
    if (!std::isfinite(value) || value < bottom || value > top) {
        QString allowed;
        if (std::isfinite(bottom) && std::isfinite(top))
            allowed = QStringLiteral("%1 to %2").arg(jsonNumberText(bottom), jsonNumberText(top));
        else if (std::isfinite(bottom))
            allowed = QStringLiteral("%1 or more").arg(jsonNumberText(bottom));
        else if (std::isfinite(top))
            allowed = QStringLiteral("%1 or less").arg(jsonNumberText(top));
        else
            allowed = QStringLiteral("any finite value");
        if (followsUniverse(span) && universe)
            allowed += span == Span::UniverseX ? QStringLiteral(", the universe's width")
                                               : QStringLiteral(", the universe's height");
        return prefix + QStringLiteral("the allowed range is %1.").arg(allowed);
    }
    if (decimals == 0 && std::trunc(value) != value)
        return prefix + QStringLiteral("the allowed values are whole numbers.");
    return {};
}

QString SettingsRange::fault(double value, const std::optional<UniverseExtent>& universe) const
{
    const QString outside = outsideFault(value, universe);
    if (!outside.isEmpty() || decimals <= 0 || shownWithDecimals(value, decimals) == value)
        return outside;
    return QStringLiteral("Experiment %1: \"%2\" is %3; the allowed values have at most %4 decimals.")
        .arg(QLatin1String(object), QLatin1String(label), jsonNumberText(value))
        .arg(decimals);
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

} // namespace vxo
