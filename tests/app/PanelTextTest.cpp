#include "app/text/HelpHtml.h"
#include "app/text/PanelText.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace vxo {
namespace {

TEST(PanelText, FillsOnePlaceholderAtATimeInNumericOrder)
{
    // A format whose high placeholders stand first is still filled by calling
    // the fills in numeric order; "%%" and a "%" before a blank stay as they are.
    const QString text = PanelText(QStringLiteral("n=%3 t=%4 | P=%1%% (%2) % done=%5 id=%6 g=%7"))
                             .fixed(0.1234, 3)
                             .flag(false)
                             .count(std::uint64_t{1} << 40)
                             .fixed(-2.0, 1)
                             .flag(true)
                             .integer(-7)
                             .general(0.5, 6)
                             .text();
    EXPECT_EQ(text, QStringLiteral("n=1099511627776 t=-2.0 | P=0.123%% (no) % done=yes id=-7 g=0.5"));

    struct Case {
        double value;
        int decimals;
        const char* fixed;
        int digits;
        const char* general;
    };
    const Case cases[] = {
        {0.0005, 3, "0.001", 6, "0.0005"},     {-0.26, 1, "-0.3", 4, "-0.26"}, {1234.5678, 2, "1234.57", 6, "1234.57"},
        {1.25e-7, 4, "0.0000", 5, "1.25e-07"}, {2.0, 0, "2", 6, "2"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PanelText::fixedText(c.value, c.decimals), QLatin1String(c.fixed)) << "value " << c.value;
        EXPECT_EQ(PanelText(QStringLiteral("%1")).fixed(c.value, c.decimals).text(), QLatin1String(c.fixed))
            << "value " << c.value;
        EXPECT_EQ(PanelText::generalText(c.value, c.digits), QLatin1String(c.general)) << "value " << c.value;
        EXPECT_EQ(PanelText(QStringLiteral("%1")).general(c.value, c.digits).text(), QLatin1String(c.general))
            << "value " << c.value;
    }
    EXPECT_EQ(PanelText(QStringLiteral("a=%1 b=%2"))
                  .fixedOr(false, 1.0, 2, PanelText::kNotAvailable)
                  .fixedOr(true, 1.0, 2, PanelText::kNoValue)
                  .text(),
              QStringLiteral("a=n/a b=1.00"));
    // A list of values fills the placeholders in its own order, then the next fill goes on.
    EXPECT_EQ(PanelText(QStringLiteral("%3 | %1 %2")).fixed({1.0, -0.25}, 2).fixed(3.14159, 1).text(),
              QStringLiteral("3.1 | 1.00 -0.25"));
}

TEST(HelpHtml, BannerGoesRightAfterTheBodyTagOrBeforeATextWithout)
{
    const QString box = QStringLiteral(
        "<div style=\"background:#f4f4f4; border:1px solid #b0b0b0; padding:8px; margin-bottom:10px;\">%1</div><hr/>");
    struct Case {
        const char* html;
        const char* expected;
    };
    // %B marks where the boxed banner belongs.
    const Case cases[] = {
        {"<html><BODY style=\"x\"><p>base</p></BODY></html>", "<html><BODY style=\"x\">%B<p>base</p></BODY></html>"},
        {"<html><body><p>a > b</p>", "<html><body>%B<p>a > b</p>"},
        {"<body class=\"guide\"><p>fragment</p></body>", "<body class=\"guide\">%B<p>fragment</p></body>"},
        {"<p>no body tag</p>", nullptr},
        {"<html><body", nullptr},
    };
    const QString banner = QStringLiteral("<b>Guide %1 %2</b>");
    for (const Case& c : cases) {
        const QString html = QLatin1String(c.html);
        const QString expected = c.expected ? QString(QLatin1String(c.expected)).replace("%B", box.arg(banner))
                                            : banner + QStringLiteral("<hr/>") + html;
        EXPECT_EQ(insertHtmlBanner(html, banner), expected) << c.html;
    }
}

TEST(HelpHtml, RealWorldScaleFragmentIsFilledInOnePassOnlyForAValidMapping)
{
    RealWorldScaleMapping mapping;
    mapping.system = "Hydrogen %2 atom";
    mapping.mapping = "Bohr radius and \xe5tomic time";
    mapping.lengthUnit = 5.29e-11;
    mapping.timeUnit = 1e-15;
    mapping.note = "Note %1.";
    EXPECT_TRUE(realWorldScaleHtmlEnglish(mapping).isEmpty()) << "an invalid mapping has no fragment";
    EXPECT_TRUE(realWorldScaleHtmlItalian(mapping).isEmpty()) << "an invalid mapping has no fragment";

    mapping.valid = true;
    const QString english = realWorldScaleHtmlEnglish(mapping);
    EXPECT_TRUE(english.startsWith(QStringLiteral("<h4>Real-world scale (indicative)</h4><p><b>Reference:</b> "
                                                  "Hydrogen %2 atom.<br/><b>Mapping basis:</b> Bohr radius and "
                                                  "\u00e5tomic time.<br/>1 simulated length unit &asymp; <b>52.9 "
                                                  "pm</b>; 1 simulated time unit &asymp; <b>1 fs</b>.<br/>For presets "
                                                  "with hbar=1: 1 energy unit &asymp; <b>0.658 eV</b> (E/h &asymp; "
                                                  "<b>159 THz</b>).</p><p>Note %1. During evolution")))
        << english.toStdString();
    const QString italian = realWorldScaleHtmlItalian(mapping);
    EXPECT_TRUE(italian.startsWith(QStringLiteral("<h4>Scala reale (indicativa)</h4><p><b>Riferimento:</b> "
                                                  "Hydrogen %2 atom.")))
        << italian.toStdString();
    EXPECT_TRUE(italian.contains(QStringLiteral("<b>52.9 pm</b>; 1 unita' temporale simulata &asymp; <b>1 fs</b>")))
        << italian.toStdString();

    mapping.timeUnit = 0.0;
    EXPECT_TRUE(realWorldScaleHtmlEnglish(mapping).contains(QStringLiteral("<b>0 s</b>.<br/>For presets with "
                                                                           "hbar=1: 1 energy unit &asymp; <b>n/a</b> "
                                                                           "(E/h &asymp; <b>n/a</b>)")))
        << "a valid mapping with a zero unit keeps its fragment with n/a";
}

} // namespace
} // namespace vxo
