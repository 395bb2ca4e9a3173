#include "app/text/HelpHtml.h"

#include "app/text/ValueFormatters.h"

namespace vxo {

namespace {

QString fillRealWorldScale(const QString& pattern, const RealWorldScaleMapping& mapping)
{
    if (!mapping.valid)
        return {};
    return pattern.arg(QString::fromLatin1(mapping.system), QString::fromLatin1(mapping.mapping),
                       formatLength(mapping.lengthUnit), formatTime(mapping.timeUnit),
                       formatEnergyOfTimeUnit(mapping.timeUnit), formatFrequencyOfTimeUnit(mapping.timeUnit),
                       QString::fromLatin1(mapping.note));
}

} // namespace

QString realWorldScaleHtmlEnglish(const RealWorldScaleMapping& mapping)
{
    return fillRealWorldScale(
        QStringLiteral(
            "<h4>Real-world scale (indicative)</h4><p><b>Reference:</b> %1.<br/><b>Mapping basis:</b> %2.<br/>1 "
            "simulated length unit &asymp; <b>%3</b>; 1 simulated time unit &asymp; <b>%4</b>.<br/>For presets with "
            "hbar=1: 1 energy unit &asymp; <b>%5</b> (E/h &asymp; <b>%6</b>).</p><p>%7 During evolution the "
            "<b>Time</b> dock shows both simulated t and its indicative physical-time mapping. This is an "
            "order-of-magnitude teaching map: solver units remain dimensionless and are never altered by the "
            "display.</p>"),
        mapping);
}

QString realWorldScaleHtmlItalian(const RealWorldScaleMapping& mapping)
{
    return fillRealWorldScale(
        QStringLiteral(
            "<h4>Scala reale (indicativa)</h4><p><b>Riferimento:</b> %1.<br/><b>Base della mappa:</b> %2.<br/>1 "
            "unita' spaziale simulata &asymp; <b>%3</b>; 1 unita' temporale simulata &asymp; <b>%4</b>.<br/>Per i "
            "preset con hbar=1: 1 unita' di energia &asymp; <b>%5</b> (E/h &asymp; <b>%6</b>).</p><p>%7 Il dock "
            "<b>Time</b> mostra durante l'evoluzione sia t simulato sia il corrispondente tempo fisico indicativo. "
            "La conversione e' un ordine di grandezza didattico: le unita' del solver restano adimensionali e non "
            "vengono modificate.</p>"),
        mapping);
}

QString insertHtmlBanner(const QString& html, const QString& banner)
{
    const int body = html.indexOf(QStringLiteral("<body"), 0, Qt::CaseInsensitive);
    const int end = body >= 0 ? html.indexOf(QLatin1Char('>'), body) : -1;
    if (end < 0)
        return banner + QStringLiteral("<hr/>") + html;
    QString result = html;
    result.insert(end + 1, QStringLiteral("<div style=\"background:#f4f4f4; border:1px solid #b0b0b0; padding:8px; "
                                          "margin-bottom:10px;\">%1</div><hr/>")
                               .arg(banner));
    return result;
}

} // namespace vxo
