#pragma once

#include <QPalette>
#include <QString>
#include <QSurfaceFormat>

class QApplication;

namespace vxo {

// Start-up of the program, one piece per concern, in the order main() calls
// them: the OpenGL surface format before the application object exists, the
// identity (which also names the settings store of the saved window layout)
// and locale, then the look of every widget before any window is built.

constexpr const char* kOrganizationName = "Brastell";
constexpr const char* kApplicationName = "Ondrivel";
constexpr const char* kApplicationVersion = "7.9.8";

// OpenGL 3.3 core profile without depth or stencil buffer: the viewport
// draws full-screen passes only.
QSurfaceFormat defaultSurfaceFormat();

// Organization, application name and version, and English (any country) as
// the default locale, so that numbers print as 0.5 whatever the system
// locale. The default QSettings store is then "Brastell/Ondrivel".
void applyApplicationIdentity();

// The light palette: one colour per role for all groups, then the disabled
// group's own colours, placeholder text last.
QPalette buildLightPalette();

// The application style sheet, one rule per line ("selector { declarations }"),
// every line ending in a line feed.
QString applicationStyleSheet();

// The "Fusion" style when the platform has it (else its default style stays),
// the light palette and the style sheet.
void applyApplicationStyle(QApplication& application);

// Everything the program sets up between the application object and the
// main window: identity, style, and the form's images and font substitutes,
// which must be in place before the form is built.
void prepareApplication(QApplication& application);

} // namespace vxo
