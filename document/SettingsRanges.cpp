#include "document/SettingsRanges.h"

#include "document/ExperimentDocument.h"
#include "document/ExperimentTitles.h"
#include "document/JsonReading.h"

#include <algorithm>
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

// Half an ulp of single precision, relative to the value (or to 1 near 0).
constexpr double kRoundingNoise = 0.5 * static_cast<double>(std::numeric_limits<float>::epsilon());

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

double shownWithDecimals(double value, int decimals)
{
    if (decimals < 0 || !std::isfinite(value))
        return value;
    return QString::number(value, 'f', decimals).toDouble();
}

bool isRoundingNoise(double value, double shown)
{
    return std::abs(value - shown) <= kRoundingNoise * std::max(std::abs(shown), 1.0);
}

bool isWholeIndex(double value, double whole)
{
    return std::abs(value - whole) <=
           static_cast<double>(std::numeric_limits<float>::epsilon()) * std::max(std::abs(whole), 1.0);
}

QString boxCaption(const QString& page, const QString& label) { return QStringLiteral("%1: \"%2\"").arg(page, label); }

QString boxRangeFault(const QString& caption, double value, double lowest, double highest, int decimals,
                      const QString& extent)
{
    const double shown = shownWithDecimals(value, decimals);
    const double judged = isRoundingNoise(value, shown) ? shown : value;
    const QString prefix = QStringLiteral("%1 is %2; ").arg(caption, jsonNumberText(value));
    if (!std::isfinite(judged) || judged < lowest || judged > highest) {
        QString allowed;
        if (std::isfinite(lowest) && std::isfinite(highest))
            allowed = QStringLiteral("%1 to %2").arg(jsonNumberText(lowest), jsonNumberText(highest));
        else if (std::isfinite(lowest))
            allowed = QStringLiteral("%1 or more").arg(jsonNumberText(lowest));
        else if (std::isfinite(highest))
            allowed = QStringLiteral("%1 or less").arg(jsonNumberText(highest));
        else
            allowed = QStringLiteral("any finite value");
        if (!extent.isEmpty())
            allowed += QStringLiteral(", ") + extent;
        return prefix + QStringLiteral("the allowed range is %1.").arg(allowed);
    }
    return {};
}

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

double SettingsRange::shown(double value) const { return shownWithDecimals(value, decimals); }

bool SettingsRange::isIndex() const
{
    return decimals == 0 && control != nullptr && std::strstr(control, "ComboBox") != nullptr;
}

double SettingsRange::fitted(double value, const std::optional<UniverseExtent>& universe) const
{
    if (span == Span::Sign)
        return value < 0.0 ? -1.0 : 1.0;
    return shown(std::clamp(value, lowest(universe), highest(universe)));
}

QString SettingsRange::outsideFault(double value, const std::optional<UniverseExtent>& universe) const
{
    const QString caption = boxCaption(settingsObjectTitle(object), QLatin1String(label));
    if (span == Span::Sign) {
        if (isWholeIndex(value, -1.0) || isWholeIndex(value, 1.0))
            return {};
        return QStringLiteral("%1 is %2; the allowed values are -1 and 1.").arg(caption, jsonNumberText(value));
    }
    QString extent;
    if (followsUniverse(span) && universe)
        extent =
            span == Span::UniverseX ? QStringLiteral("the universe's width") : QStringLiteral("the universe's height");
    // An index is the whole number it stands for, and is judged as that.
    const double whole = std::round(value);
    const bool index = isIndex() && std::isfinite(value);
    if (index && isWholeIndex(value, whole) &&
        boxRangeFault(caption, whole, lowest(universe), highest(universe), decimals, extent).isEmpty())
        return {};
    const QString outside = boxRangeFault(caption, value, lowest(universe), highest(universe), decimals, extent);
    if (outside.isEmpty() && index)
        return QStringLiteral("%1 is %2; the allowed values are whole numbers.").arg(caption, jsonNumberText(value));
    return outside;
}

QJsonObject fittedToSettingsRanges(const char* object, const QJsonObject& values,
                                   const std::optional<UniverseExtent>& universe)
{
    QJsonObject fitted = values;
    for (auto member = fitted.begin(); member != fitted.end(); ++member) {
        const SettingsRange* row = findSettingsRange(object, member.key().toLatin1().constData());
        if (row != nullptr && member.value().isDouble())
            member.value() = row->fitted(member.value().toDouble(), universe);
    }
    return fitted;
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
