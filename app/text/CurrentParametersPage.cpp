#include "app/text/CurrentParametersPage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QTextStream>

#include <cstdio>

namespace vxo {

QString parameterRow(const QString& label, const QString& value)
{
    return QStringLiteral("<tr><th>%1</th><td>%2</td></tr>").arg(label.toHtmlEscaped(), value.toHtmlEscaped());
}

QString significantText(double value, int digits) { return QString::number(value, 'g', digits); }

QString significantText(float value, int digits)
{
    for (int shortest = 1; shortest < digits; ++shortest) {
        const QString text = QString::number(static_cast<double>(value), 'g', shortest);
        if (text.toFloat() == value)
            return text;
    }
    return significantText(static_cast<double>(value), digits);
}

QString currentParametersPage(bool english, const QString& setupRows, const QString& experimentRows)
{
    const QString title =
        english ? QStringLiteral("VXO - Current Parameters") : QStringLiteral("VXO - Parametri correnti");
    const QString note = english ? QStringLiteral("Snapshot of the parameters actually active when this page was "
                                                  "generated. It does not replace Model & Constraints, which describes "
                                                  "assumptions and model limits.")
                                 : QStringLiteral("Snapshot dei parametri effettivamente attivi al momento della "
                                                  "consultazione. Non sostituisce la pagina Model & Constraints, che "
                                                  "descrive ipotesi e limiti del modello.");
    const QString setupHeading =
        english ? QStringLiteral("Current numerical setup") : QStringLiteral("Setup numerico corrente");
    const QString experimentHeading = english ? QStringLiteral("Experiment-specific parameters")
                                              : QStringLiteral("Parametri specifici dell esperimento");

    const QString experimentSection =
        experimentRows.isEmpty()
            ? QString()
            : QStringLiteral("<h2>%1</h2><table>%2</table>").arg(experimentHeading.toHtmlEscaped(), experimentRows);
    // One pass over the template: a "%1" inside a row stays as it is.
    return QStringLiteral(
               "<!doctype html><html><head><meta charset=\"utf-8\"><title>%1</title><style>body{font-family:Segoe "
               "UI,Arial,sans-serif;max-width:900px;margin:28px auto;padding:0 24px;line-height:1.5}"
               "table{border-collapse:collapse;width:100%;margin:14px 0 24px}th,td{border:1px solid "
               "#999;padding:7px 9px;text-align:left}th{width:34%;background:#eee;color:#222}"
               ".note{padding:12px;border-left:5px solid #4b76a8;background:#eef4fb;color:#222}</style></head>"
               "<body><h1>%1</h1><div class=\"note\">%2</div><h2>%3</h2><table>%4</table>%5</body></html>")
        .arg(title.toHtmlEscaped(), note.toHtmlEscaped(), setupHeading.toHtmlEscaped(), setupRows, experimentSection);
}

bool replaceFileWithText(const QString& path, const QString& text)
{
    const QFileInfo target(path);
    // Same folder, so the rename stays on one file system; the exclusive,
    // randomly named creation cannot be redirected by an existing entry.
    QTemporaryFile file(target.absoluteDir().filePath(QStringLiteral("%1.XXXXXX").arg(target.fileName())));
    if (!file.open())
        return false;
    QTextStream stream(&file);
    stream.setCodec("UTF-8");
    stream << text;
    stream.flush();
    if (stream.status() != QTextStream::Ok || !file.flush())
        return false;
    file.close();
    // rename(2), not QSaveFile: QSaveFile resolves a symbolic link at the
    // target and replaces the file it points to.
    if (std::rename(QFile::encodeName(file.fileName()).constData(),
                    QFile::encodeName(target.absoluteFilePath()).constData()) != 0)
        return false;
    file.setAutoRemove(false);
    return true;
}

} // namespace vxo
