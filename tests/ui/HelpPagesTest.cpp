// The two initial help pages: the main window keeps them as the base guide
// texts, so their sections, order and plain structure are a contract.

#include "FormTestSupport.h"

#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextFrame>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace vxo::test {
namespace {

struct Heading {
    int level;
    const char* italian;
    const char* english;
};

const std::vector<Heading>& headings()
{
    static const std::vector<Heading> rows = {
        {2, "Ondrivel - Guida fisica", "Ondrivel - Physics guide"},
        {3, "1. Equazione di Schrodinger dipendente dal tempo", "1. Time-dependent Schrodinger equation"},
        {3, "2. Pacchetto gaussiano iniziale", "2. Initial Gaussian wave packet"},
        {3, "3. Probabilita' e fase", "3. Probability and phase"},
        {3, "4. Propagazione Split-Step Fourier", "4. Split-Step Fourier propagation"},
        {3, "5. Barriera e tunneling", "5. Barrier and tunneling"},
        {3, "6. Doppia fenditura", "6. Double slit"},
        {3, "7. Riflessione e trasmissione", "7. Reflection and transmission"},
        {3, "8. Unita' numeriche", "8. Numerical units"},
        {3, "8b. Editor del potenziale", "8b. Potential editor"},
        {3, "Universo numerico e bordi", "Numerical universe and boundaries"},
        {3, "9. Corrente di probabilita'", "9. Probability current"},
        {3, "Contorni del potenziale", "Potential contours"},
        {3, "13.5 Contorni di probabilita / intensita", "13.5 Probability / intensity contours"},
        {3, "10. Rendering", "10. Rendering"},
        {3, "11. Cosa non e' ancora simulato", "11. What is not simulated yet"},
        {3, "11. Misura di posizione", "11. Position measurement"},
        {3, "12. Schermo di rivelazione", "12. Detector screen"},
        {3, "12.3 Curva di riferimento e convergenza", "12.3 Flux reference and convergence"},
        {3, "13. Analisi di sezione 1D", "13. 1D cross-section analysis"},
        {3, "13.2 Serie temporali degli osservabili", "13.2 Observable time series"},
        {3, "13.3 Analisi energetica", "13.3 Energy analysis"},
        {3, "13.6 Momentum-space Ondrivel", "13.6 Momentum-space Ondrivel"},
        {3, "14. Salvataggio degli esperimenti", "14. Experiment persistence"},
        {3, "15. Potential Scene", "15. Potential Scene"},
        {3, "16. Tunneling risonante / doppia barriera", "16. Resonant tunnelling / double barrier"},
        {3, "Potenziali continui", "Continuous potentials"},
        {3, "18. Stati legati e pozzo quantistico", "18. Bound states and quantum well"},
    };
    return rows;
}

struct PageOutline {
    std::vector<std::pair<int, QString>> headings;
    int formulaParagraphs = 0;
    bool hasLinksOrImages = false;
};

PageOutline outline(const QTextDocument& document)
{
    PageOutline page;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (const int level = block.blockFormat().headingLevel(); level > 0)
            page.headings.emplace_back(level, block.text());
        bool formula = !block.text().isEmpty();
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            page.hasLinksOrImages = page.hasLinksOrImages || format.isAnchor() || format.isImageFormat();
            formula = formula && format.fontFamily() == QLatin1String("Courier New");
        }
        page.formulaParagraphs += formula ? 1 : 0;
    }
    return page;
}

TEST(HelpPagesTest, BothPagesCarryTheSameSectionsInOrderAsPlainRichText)
{
    BareForm form;
    const std::pair<QTextBrowser*, bool> pages[] = {{form.ui.helpItalianBrowser, true},
                                                    {form.ui.helpEnglishBrowser, false}};
    for (const auto& [browser, italian] : pages) {
        const std::string language = italian ? "Italian" : "English";
        const PageOutline page = outline(*browser->document());
        ASSERT_EQ(page.headings.size(), headings().size()) << language;
        for (std::size_t i = 0; i < headings().size(); ++i) {
            const Heading& expected = headings()[i];
            EXPECT_EQ(page.headings[i].first, expected.level) << language << " heading " << i;
            EXPECT_EQ(page.headings[i].second.toStdString(), italian ? expected.italian : expected.english)
                << language << " heading " << i;
        }
        EXPECT_GE(page.formulaParagraphs, 15) << language << ": formulas stand in Courier New paragraphs";
        EXPECT_FALSE(page.hasLinksOrImages) << language;
        EXPECT_TRUE(browser->document()->rootFrame()->childFrames().isEmpty()) << language << " holds a table";
        EXPECT_LT(browser->toHtml().toUtf8().size(), 64 * 1024) << language;
        EXPECT_FALSE(browser->openExternalLinks()) << language;
        EXPECT_TRUE(browser->openLinks()) << language;
    }
}

} // namespace
} // namespace vxo::test
