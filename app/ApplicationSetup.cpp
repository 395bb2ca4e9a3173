#include "app/ApplicationSetup.h"

#include "ui/MainWindowForm.h"

#include <QApplication>
#include <QColor>
#include <QLocale>
#include <QStyle>
#include <QStyleFactory>

namespace vxo {

namespace {

struct PaletteEntry {
    QPalette::ColorRole role;
    const char* color;
};

constexpr PaletteEntry kAllGroups[] = {
    {QPalette::Window, "#eef1f4"},
    {QPalette::WindowText, "#202830"},
    {QPalette::Base, "#ffffff"},
    {QPalette::AlternateBase, "#f6f8fa"},
    {QPalette::ToolTipBase, "#fffbe2"},
    {QPalette::ToolTipText, "#202830"},
    {QPalette::Text, "#202830"},
    {QPalette::Button, "#f4f6f8"},
    {QPalette::ButtonText, "#1f2831"},
    {QPalette::BrightText, "#ae3131"},
    {QPalette::Link, "#1f6997"},
    {QPalette::Highlight, "#2d6f9f"},
    {QPalette::HighlightedText, "#ffffff"},
};

constexpr PaletteEntry kDisabledGroup[] = {
    {QPalette::WindowText, "#79848f"},      {QPalette::Text, "#79848f"},
    {QPalette::ButtonText, "#79848f"},      {QPalette::Base, "#eff2f5"},
    {QPalette::Button, "#ebeef1"},          {QPalette::Highlight, "#bec7cf"},
    {QPalette::HighlightedText, "#68717a"},
};

struct StyleRule {
    const char* selector;
    const char* declarations;
};

constexpr StyleRule kStyleRules[] = {
    {"QMainWindow", "background: #eef1f4;"},
    {"QMenuBar", "background: #f7f8fa; border-bottom: 1px solid #c9d1d8;"},
    {"QMenuBar::item", "padding: 5px 9px; background: transparent;"},
    {"QMenuBar::item:selected", "background: #e1ebf2;"},
    {"QMenu", "background: #ffffff; border: 1px solid #c2cbd3; padding: 4px;"},
    {"QMenu::item", "padding: 5px 26px 5px 22px; border-radius: 2px;"},
    {"QMenu::item:selected", "background: #2d6f9f; color: white;"},
    {"QMenu::separator", "height: 1px; background: #d5dbe1; margin: 4px 8px;"},
    {"QDockWidget", "font-weight: 500;"},
    {"QDockWidget::title",
     "background: #e5eaee; padding: 6px 8px; border-bottom: 1px solid #c8d0d7; text-align: left;"},
    {"QTabWidget::pane", "background: #ffffff; border: 1px solid #c8d0d7; top: -1px;"},
    {"QTabBar::tab", "background: #e8edf1; border: 1px solid #c7cfd6; padding: 6px 10px; margin-right: 1px;"},
    {"QTabBar::tab:selected", "background: #ffffff; border-bottom: 2px solid #2d6f9f;"},
    {"QTabBar::tab:hover:!selected", "background: #dfe9f0;"},
    {"QGroupBox", "background: transparent; border: 1px solid #c7cfd6; border-radius: 4px; margin-top: 9px; "
                  "padding-top: 8px; font-weight: 600;"},
    {"QGroupBox::title", "subcontrol-origin: margin; left: 8px; padding: 0 4px; background: #eef1f4;"},
    {"QPushButton",
     "background: #f7f8fa; border: 1px solid #b9c3cc; border-radius: 4px; padding: 5px 10px; min-height: 20px;"},
    {"QPushButton:hover", "background: #e8f0f6; border-color: #93a9b9;"},
    {"QPushButton:pressed", "background: #dce7ee;"},
    {"QPushButton:default", "border-color: #2d6f9f;"},
    {"QPushButton:disabled", "background: #ebeff2; border-color: #d2d8dd;"},
    {"QLineEdit",
     "background: #ffffff; border: 1px solid #b8c2ca; border-radius: 3px; padding: 3px 5px; min-height: 20px; "
     "selection-background-color: #2d6f9f;"},
    {"QLineEdit:focus", "border-color: #2d6f9f;"},
    {"QAbstractItemView", "background: #ffffff; alternate-background-color: #f6f8fa; border: 1px solid #c2cbd3; "
                          "selection-background-color: #2d6f9f; selection-color: white; outline: 0;"},
    {"QHeaderView::section",
     "background: #e8edf1; border: 0; border-right: 1px solid #cbd2d8; border-bottom: 1px solid #cbd2d8; "
     "padding: 5px 6px; font-weight: 600;"},
    {"QTextEdit, QTextBrowser, QPlainTextEdit",
     "background: #ffffff; border: 1px solid #c2cbd3; selection-background-color: #2d6f9f;"},
    {"QStatusBar", "background: #f7f8fa; border-top: 1px solid #c9d1d8;"},
    {"QToolTip", "color: #202830; background: #fffbe2; border: 1px solid #c6b96a; padding: 4px;"},
};

} // namespace

QSurfaceFormat defaultSurfaceFormat()
{
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setVersion(3, 3);
    format.setProfile(QSurfaceFormat::CoreProfile);
    format.setDepthBufferSize(0);
    format.setStencilBufferSize(0);
    return format;
}

void applyApplicationIdentity()
{
    QCoreApplication::setOrganizationName(QString::fromLatin1(kOrganizationName));
    QCoreApplication::setApplicationName(QString::fromLatin1(kApplicationName));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(kApplicationVersion));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::AnyCountry));
}

QPalette buildLightPalette()
{
    QPalette palette;
    for (const PaletteEntry& entry : kAllGroups)
        palette.setBrush(QPalette::All, entry.role, QBrush(QColor(QLatin1String(entry.color))));
    for (const PaletteEntry& entry : kDisabledGroup)
        palette.setBrush(QPalette::Disabled, entry.role, QBrush(QColor(QLatin1String(entry.color))));
    palette.setBrush(QPalette::All, QPalette::PlaceholderText, QBrush(QColor(QStringLiteral("#7e8994"))));
    palette.setBrush(QPalette::Disabled, QPalette::PlaceholderText, QBrush(QColor(QStringLiteral("#a1a9b1"))));
    return palette;
}

QString applicationStyleSheet()
{
    QString sheet;
    for (const StyleRule& rule : kStyleRules)
        sheet += QStringLiteral("%1 { %2 }\n").arg(QLatin1String(rule.selector), QLatin1String(rule.declarations));
    return sheet;
}

void applyApplicationStyle(QApplication& application)
{
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(fusion);
    QApplication::setPalette(buildLightPalette());
    application.setStyleSheet(applicationStyleSheet());
}

void prepareApplication(QApplication& application)
{
    applyApplicationIdentity();
    applyApplicationStyle(application);
    initFormResources();
    registerFontSubstitutions();
}

} // namespace vxo
