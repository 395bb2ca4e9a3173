#include "app/text/PotentialObjectText.h"

namespace vxo {
namespace {

struct KindText {
    const char* name;
    const char* valueLabel;
};

// Indexed by PotentialObjectKind. The names are shorter than the geometry
// selector's where space is scarce ("Soft Radial").
constexpr KindText kKindTexts[] = {
    {"", "V0"},         {"Rectangle", "V0"},   {"Circle", "V0"},
    {"Barrier", "V0"},  {"Single Slit", "V0"}, {"Double Slit", "V0"},
    {"Polygon", "V0"},  {"Gaussian", "A"},     {"Harmonic", "Voff"},
    {"Linear", "Voff"}, {"Soft Radial", "g"},  {"Stadium Exterior", "V0"},
};

KindText kindText(PotentialObjectKind kind)
{
    const auto index = static_cast<std::uint32_t>(kind);
    if (index == 0 || index >= sizeof(kKindTexts) / sizeof(kKindTexts[0]))
        return kKindTexts[0];
    return kKindTexts[index];
}

} // namespace

QString potentialObjectKindName(PotentialObjectKind kind) { return QString::fromLatin1(kindText(kind).name); }

QString describePotentialObject(const PotentialObject& object)
{
    const KindText text = kindText(object.kind);
    return QStringLiteral("#%1  %2   %3=%4   (%5, %6)%7")
        .arg(QString::number(object.id), QString::fromLatin1(text.name), QString::fromLatin1(text.valueLabel),
             QString::number(static_cast<double>(object.value), 'f', 2),
             QString::number(static_cast<double>(object.centerX), 'f', 2),
             QString::number(static_cast<double>(object.centerY), 'f', 2),
             object.enabled ? QString() : QStringLiteral("   [OFF]"));
}

} // namespace vxo
