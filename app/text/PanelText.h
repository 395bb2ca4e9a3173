#pragma once

#include <QString>

#include <cstdint>
#include <initializer_list>

namespace vxo {

// The texts of the experiment panels, shared by every panel of the main
// window so that all of them read alike.
//
// Every panel (MainWindow::update...Panel) runs the same three steps:
//  1. Activity test: a recorder panel needs its settings enabled or valid, its
//     recorder configured and holding data (some also their own initial
//     preparation); a protocol panel its record enabled and valid against the
//     Potential Scene; a scattering panel the scene state and the geometry.
//  2. Inactive: the plot is cleared or reset, the hint goes into the summary
//     label and, where the panel owns a diagnostics row, the row is written:
//     with the recorder-state hint itself, e.g.
//         PanelText("Moshinsky recorder inactive: enabled=%1  configured=%2"
//                   "  samples=%3\n...").flag(enabled).flag(configured)
//             .count(samples).text()
//     or with a short value such as "inactive" or "projection unavailable".
//  3. Active: the summary and the row value are composed from their formats,
//     written, and the plot is fed (a non-owning pointer to the recorder, or
//     copies of the history and of small records).
//
// A panel's diagnostics row is written with
// MainWindow::writeDiagnosticsRow(row, value), which repeats the section
// and parameter the row was set up with (DiagnosticsRowLabels.h names the
// panel rows), so both branches keep the row's labels.
//
// Composition: the placeholders %1, %2, ... %20 of one format are filled one
// at a time, lowest number first (QString::arg chained), so a format whose
// %13 stands before %1 is still filled by calling the fills in numeric order.
// Real numbers are fixed-point with the decimals of their placeholder (a few
// in general notation with their significant digits), never localised; counts
// are decimal integers; flags are "yes" or "no"; a value without meaning is
// written as the panel says, as 0 with the same decimals or as "n/a" / "--".
// A literal "%%" in a format is no escape and stays as it is, as does a "%"
// followed by a blank. Because a later fill could substitute into an earlier
// one, word() takes the system's own words only: texts that carry user input
// (file and document names) are formatted in one QString::arg call with all
// arguments instead.
class PanelText {
public:
    static const QString kNotAvailable; // "n/a"
    static const QString kNoValue;      // "--"

    // "yes" or "no".
    static QString yesNo(bool flag);
    // Fixed-point with `decimals` digits after the point, C locale ("-0.500").
    static QString fixedText(double value, int decimals);
    // The shorter of fixed and exponent notation with `significantDigits`
    // digits, trailing zeros dropped (0.5, 1.23457e-07).
    static QString generalText(double value, int significantDigits);
    // A count and its noun, singular for exactly one ("1 sample", "0 samples").
    static QString countedText(std::uint64_t count, QLatin1String one, QLatin1String many);

    explicit PanelText(const QString& format);

    // Each fill replaces the lowest-numbered placeholder left.
    PanelText& fixed(double value, int decimals);
    // Several values with the same decimals, each filling the next placeholder.
    PanelText& fixed(std::initializer_list<double> values, int decimals);
    PanelText& general(double value, int significantDigits);
    PanelText& count(std::uint64_t value);
    PanelText& integer(std::int64_t value);
    PanelText& flag(bool value);
    PanelText& word(const QString& systemText);
    // fixed(value, decimals) when meaningful, else word(otherwise).
    PanelText& fixedOr(bool meaningful, double value, int decimals, const QString& otherwise);

    const QString& text() const { return text_; }

private:
    QString text_;
};

} // namespace vxo
