#include "app/text/PanelText.h"

namespace vxo {

const QString PanelText::kNotAvailable = QStringLiteral("n/a");
const QString PanelText::kNoValue = QStringLiteral("--");

QString PanelText::yesNo(bool flag) { return flag ? QStringLiteral("yes") : QStringLiteral("no"); }

QString PanelText::countedText(std::uint64_t count, QLatin1String one, QLatin1String many)
{
    return QStringLiteral("%1 %2").arg(QString::number(count), count == 1 ? one : many);
}

QString PanelText::fixedText(double value, int decimals) { return QString::number(value, 'f', decimals); }

QString PanelText::generalText(double value, int significantDigits)
{
    return QString::number(value, 'g', significantDigits);
}

PanelText::PanelText(const QString& format) : text_(format) {}

PanelText& PanelText::fixed(double value, int decimals)
{
    text_ = text_.arg(value, 0, 'f', decimals);
    return *this;
}

PanelText& PanelText::fixed(std::initializer_list<double> values, int decimals)
{
    for (const double value : values)
        fixed(value, decimals);
    return *this;
}

PanelText& PanelText::general(double value, int significantDigits)
{
    text_ = text_.arg(value, 0, 'g', significantDigits);
    return *this;
}

PanelText& PanelText::count(std::uint64_t value)
{
    text_ = text_.arg(static_cast<qulonglong>(value));
    return *this;
}

PanelText& PanelText::integer(std::int64_t value)
{
    text_ = text_.arg(static_cast<qlonglong>(value));
    return *this;
}

PanelText& PanelText::flag(bool value) { return word(yesNo(value)); }

PanelText& PanelText::word(const QString& systemText)
{
    text_ = text_.arg(systemText);
    return *this;
}

PanelText& PanelText::fixedOr(bool meaningful, double value, int decimals, const QString& otherwise)
{
    return meaningful ? fixed(value, decimals) : word(otherwise);
}

} // namespace vxo
