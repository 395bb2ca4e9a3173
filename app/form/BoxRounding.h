#pragma once

// A number a document gives more finely than its box shows. The box would
// round it on the way in while the run and the next Save kept the file's
// value; the window rounds it first, so that the box, the run and the next
// Save hold one value, and says which values it rounded, with the file's
// value and the one used. A value that differs from what its box shows only
// by rounding noise (a script's 0.1 * 3) is that value, and no news.

#include <QString>

#include <vector>

class QWidget;
class Ui_MainWindow;

namespace vxo {

struct ExperimentDocument;

struct BoxRounding {
    QString caption; // the box as messages name it: Zeno: "Measurement dt"
    double fileValue = 0.0;
    double used = 0.0;
    int decimals = 0; // the box's
};

// `value` as a box of `decimals` decimals shows it (a negative `decimals`
// keeps it); a rounding beyond noise is added to `roundings` under `caption`.
double roundedForBox(double value, int decimals, const QString& caption, std::vector<BoxRounding>& roundings);

// One line of Load's note: Zeno: "Measurement dt" is 0.0401 in the file; 0.040 is used.
QString boxRoundingLine(const BoxRounding& rounding);

// Load's note of `roundings`: a heading, then the first `listed` lines and
// how many more there are. `details` receives the heading and every line
// when some are left out, else nothing.
QString boxRoundingsNote(const std::vector<BoxRounding>& roundings, int listed, QString& details);

// Rounds each number of `document` that a box of the window shows to that
// box's decimals: the controls `controls` hold by name (but the geometry
// pages when the document's scene is on: they inspect the scene and are not
// applied), the settings records and the collapse resolution. Returns what
// was rounded beyond noise, in that order. Call once the document's numbers
// are known to lie in their boxes' ranges.
std::vector<BoxRounding> roundDocumentForBoxes(const Ui_MainWindow& form, const std::vector<QWidget*>& controls,
                                               ExperimentDocument& document);

} // namespace vxo
