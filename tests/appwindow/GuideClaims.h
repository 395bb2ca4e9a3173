#pragma once

// The numbers a guided experiment's guide quotes, each checked against what
// the program shows when a class follows the guide: the preset loaded as the
// Load button loads it, run with the tick's own steps to the time the guide
// names, and the number read where the guide says to look (a page, a
// Diagnostics row, the run's observables, the field). A figure of the run,
// the prepared packet's included (where it starts, how wide, its momentum,
// wavelength and energy), is read from the program, so that a program that
// runs something other than what its form asks for fails the claim; a
// formula the guide works out is checked on those figures, and only a value
// the guide quotes as a setting is read from the form.
//
// A claim names the words of each language's page that carry the number, the
// claimed number in braces ("{2.24} at t = 4"; without braces the first number
// is claimed); the other numbers in the words are the conditions it is quoted
// under, such as the time. Both pages must carry their words, both
// must quote the same number, and the number must agree with the measurement
// within the tolerance (the digits the guide quotes). Every number of a guide
// whose claims are complete lies inside the words of one of its claims.

#include "common/GuideNumbers.h"
#include "common/MainWindowProbe.h"
#include "common/PageFigures.h"
#include "WindowControls.h"

#include "app/form/FormIndices.h"
#include "app/mainwindow/MainWindow.h"
#include "document/PresetGuides.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QSpinBox>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace vxo::test {

// The packet a window holds before its first step as its Diagnostics show
// it: the field's mean position and widths (Observables rows) and, with
// Space set to Momentum, its mean momentum and momentum spreads (Momentum
// space rows). A guide's packet figures (where it starts, how wide, how fast,
// its wavelength and energy) are read here, so that a program that builds a
// packet other than the one its form asks for fails them. NaN where a row
// shows no figure (a Dirac mode shows no momentum space).
struct PreparedPacket {
    double meanX, meanY, sigmaX, sigmaY;
    double meanPx, meanPy, sigmaPx, sigmaPy;
};

inline PreparedPacket shownPacket(MainWindow& w)
{
    const auto pair = [&w](const char* section, const char* parameter, int which) {
        const QStringList parts = diagnosticsValue(w, section, parameter).split(QLatin1Char('/'));
        return parts.size() == 2 ? figureAfter(parts[which], "") : std::numeric_limits<double>::quiet_NaN();
    };
    PreparedPacket p{};
    p.meanX = pair("Observables", "<x> / <y>", 0);
    p.meanY = pair("Observables", "<x> / <y>", 1);
    p.sigmaX = pair("Observables", "sigmaX / sigmaY", 0);
    p.sigmaY = pair("Observables", "sigmaX / sigmaY", 1);
    auto* space = control<QComboBox>(w, "spaceComboBox");
    const int shown = space->currentIndex();
    // The change of Space refreshes the views.
    space->setCurrentIndex(static_cast<int>(SpaceIndex::Momentum));
    p.meanPx = pair("Momentum space", "<px> / <py>", 0);
    p.meanPy = pair("Momentum space", "<px> / <py>", 1);
    p.sigmaPx = pair("Momentum space", "sigmaPx / sigmaPy", 0);
    p.sigmaPy = pair("Momentum space", "sigmaPx / sigmaPy", 1);
    space->setCurrentIndex(shown);
    return p;
}

// One guided experiment as a class follows it, kept between claims of the
// same preset so that a suite of claims runs each preset once. Two windows:
// one holds the run, the other answers what Load (or a "Try this" edit)
// shows, so that reading a setting or a page's theory between two times of
// a run does not send the run back to its start.
class GuideRun {
public:
    GuideRun()
    {
        appTestApplication();
        loadWindow_ = std::make_unique<MainWindow>(nullptr, false);
        runWindow_ = std::make_unique<MainWindow>(nullptr, false);
        shown_ = loadWindow_.get();
    }

    // The preset as Load leaves it, before any step, for a claim to change.
    MainWindow& loaded(int preset)
    {
        shown_ = loadWindow_.get();
        load(*shown_, preset);
        untouchedPreset_ = -1;
        return *shown_;
    }

    // The same, to be read only: the claims that read a preset as loaded
    // share one load while nothing changes the window (window(), loaded()
    // and edited() hand it out to be changed).
    const MainWindow& asLoaded(int preset)
    {
        shown_ = loadWindow_.get();
        if (untouchedPreset_ != preset) {
            load(*shown_, preset);
            untouchedPreset_ = preset;
        }
        return *shown_;
    }

    // The preset with its form changed as the guide's "Try this" changes it,
    // then rebuilt as the Apply of the form rebuilds it.
    MainWindow& edited(int preset, const std::function<void(MainWindow&)>& edit)
    {
        loaded(preset);
        applyEdit(*shown_, edit);
        return *shown_;
    }

    // The preset run to `time` with the ticks of its own speed, then single
    // steps so that the run stops at the first step at or past `time`; what
    // every view, page and Diagnostics row shows at that moment. A later
    // time of the same preset goes on from the run so far, and so does the
    // time last asked for when the run has not moved since (a claim that
    // changes the run otherwise, a measurement say, loads it again itself).
    // Time 0 is the preset as asLoaded() shows it, to be read.
    MainWindow& at(int preset, double time)
    {
        if (time <= 0.0) {
            asLoaded(preset);
            return *shown_;
        }
        pausedPreset_ = -1;
        shown_ = runWindow_.get();
        MainWindow& w = *shown_;
        const bool stillAtTheAskedTime = now() == reachedTime_ && time >= askedTime_ - 1e-9;
        const bool reload = preset != runPreset_ || (now() > time + 1e-9 && !stillAtTheAskedTime);
        if (reload) {
            load(w, preset);
            runPreset_ = preset;
        }
        double tick = 0.0;
        while (now() < time - 1e-9) {
            const double before = now();
            if (tick > 0.0 && before + tick > time + 1e-9)
                break;
            MainWindowProbe::stepTick(w);
            MainWindowProbe::observeTick(w);
            tick = now() - before;
            if (tick <= 0.0)
                break;
        }
        while (now() < time - 1e-9) {
            const double before = now();
            w.stepOnce();
            if (now() <= before)
                break;
        }
        MainWindowProbe::refreshTick(w);
        askedTime_ = reload ? time : std::max(askedTime_, time);
        reachedTime_ = now();
        return w;
    }

    // The preset run tick by tick, every view refreshed as a running window
    // refreshes it, until `reached` holds (the moment a run pauses itself, a
    // page's verdict) or `limit` has passed; false when it never held.
    // With `rebuilt` false, `edit` is applied without a rebuild after it.
    bool until(int preset, const std::function<bool(GuideRun&)>& reached, double limit,
               const std::function<void(MainWindow&)>& edit = nullptr, bool rebuilt = true)
    {
        shown_ = runWindow_.get();
        MainWindow& w = *shown_;
        pausedPreset_ = -1;
        load(w, preset);
        runPreset_ = preset;
        reachedTime_ = -1.0;
        if (edit && !rebuilt) {
            edit(w);
        } else if (edit) {
            applyEdit(w, edit);
            runPreset_ = -1; // not the preset as loaded: a later run loads it again
        }
        while (!reached(*this)) {
            if (now() > limit)
                return false;
            const double before = now();
            MainWindowProbe::stepTick(w);
            MainWindowProbe::observeTick(w);
            MainWindowProbe::refreshTick(w);
            if (now() <= before)
                return false;
        }
        return true;
    }

    // The preset as loaded, run as until() runs it, with Play pressed, to
    // the moment the scattering panel has seen the packet split; false when
    // that has not come by `limit`. The claims read at one pause share the
    // run while nothing else moves the run window. pausedItself() tells
    // whether the run paused there of itself (the run is paused from then
    // on either way).
    bool paused(int preset, double limit)
    {
        if (pausedPreset_ == preset && pausedLimit_ == limit) {
            shown_ = runWindow_.get();
            return true;
        }
        // Played: the separation pauses a run whose timer is going. Ticks are
        // the loop's own, as no events are processed meanwhile.
        const bool reached = until(
            preset, [](GuideRun& g) { return g.separated(); }, limit,
            [](MainWindow& w) { MainWindowProbe::setRunning(w, true); }, false);
        pausedItself_ = reached && !runWindow_->transportClock().isRunning();
        MainWindowProbe::setRunning(*runWindow_, false);
        pausedPreset_ = reached ? preset : -1;
        pausedLimit_ = limit;
        return reached;
    }
    bool pausedItself() const { return pausedItself_; }

    // The packet the window shown holds before its first step (NaN figures
    // once it has stepped). Read once per preset as loaded.
    const PreparedPacket& prepared()
    {
        const bool asLoadedNow = shown_ == loadWindow_.get() && untouchedPreset_ >= 0;
        if (asLoadedNow && preparedPreset_ == untouchedPreset_)
            return prepared_;
        const double nan = std::numeric_limits<double>::quiet_NaN();
        prepared_ = now() > 0.0 ? PreparedPacket{nan, nan, nan, nan, nan, nan, nan, nan} : shownPacket(*shown_);
        preparedPreset_ = asLoadedNow ? untouchedPreset_ : -1;
        return prepared_;
    }

    double now() const { return shown_->schroedingerSolver().time(); }
    // The window the readers read, to be read only.
    const MainWindow& shown() const { return *shown_; }
    // A claim may change the window it is given: a pause is not shared past it.
    MainWindow& window()
    {
        pausedPreset_ = -1;
        untouchedPreset_ = -1;
        return *shown_;
    }

    // The value column of the Diagnostics row of `section` whose parameter
    // column reads `parameter` (empty when no row does).
    QString diagnostics(const char* section, const char* parameter) const
    {
        return diagnosticsValue(*shown_, section, parameter);
    }
    // The scattering panel has seen the packet split: a running window pauses here.
    bool separated() const { return diagnostics("Scattering", "State").contains(QLatin1String("SEPARATED")); }
    QString label(const char* objectName) const { return control<QLabel>(*shown_, objectName)->text(); }
    double spinBox(const char* objectName) const { return control<QDoubleSpinBox>(*shown_, objectName)->value(); }
    int intSpinBox(const char* objectName) const { return control<QSpinBox>(*shown_, objectName)->value(); }

private:
    void load(MainWindow& w, int preset)
    {
        if (&w == loadWindow_.get())
            preparedPreset_ = -1;
        w.loadGuidedExperiment(preset);
        MainWindowProbe::refreshTick(w);
    }
    static void applyEdit(MainWindow& w, const std::function<void(MainWindow&)>& edit)
    {
        edit(w);
        w.rebuildSimulation();
        MainWindowProbe::refreshTick(w);
    }

    std::unique_ptr<MainWindow> loadWindow_;
    std::unique_ptr<MainWindow> runWindow_;
    MainWindow* shown_ = nullptr; // the window the readers read
    int runPreset_ = -1;
    double askedTime_ = 0.0;    // the time the run was last asked for
    double reachedTime_ = -1.0; // and the time it stopped at, the first step at or past it
    int pausedPreset_ = -1;     // the run window holds this preset paused, untouched since
    bool pausedItself_ = false; // and the run paused itself there
    double pausedLimit_ = 0.0;
    int untouchedPreset_ = -1;  // the load window holds this preset as loaded, untouched since
    PreparedPacket prepared_{};
    int preparedPreset_ = -1; // prepared_ is that of this preset as loaded
};

// A figure of the packet `preset` prepares, as Load leaves it.
inline std::function<double(GuideRun&)> preparedFigure(int preset, double PreparedPacket::*figure)
{
    return [=](GuideRun& r) {
        r.asLoaded(preset);
        return r.prepared().*figure;
    };
}

struct GuideClaim {
    int preset;
    const char* english; // the words of the English page, the claimed number in braces
    const char* italian; // the same in the Italian page
    double tolerance;    // absolute
    // Null for the words of a formula: its figures are its form (the 2 of a
    // square), checked in both pages, and what it gives is claimed apart.
    std::function<double(GuideRun&)> measure;
    // Set when the number is the physics a pending mend of the program will
    // show: the claim is checked and reported like the others.
    const char* note = "";
};

// The words as the page writes them: the braces that mark the claim dropped.
inline std::string pageWords(const char* words)
{
    std::string plain;
    for (const char* c = words; *c; ++c)
        if (*c != '{' && *c != '}')
            plain += *c;
    return plain;
}

// The number in braces, or the first number of the words, as the page reads it.
inline double claimedNumber(const char* words)
{
    const std::string all(words);
    const std::size_t open = all.find('{');
    const std::string marked = open == std::string::npos ? all : all.substr(open + 1, all.find('}', open) - open - 1);
    const std::vector<QuotedNumber> numbers = quotedNumbers(guideText(marked));
    return numbers.empty() ? std::numeric_limits<double>::quiet_NaN() : numbers.front().value;
}

// Both pages carry the words, quote the same number, and the program shows it.
inline void checkClaim(GuideRun& run, const GuideClaim& claim)
{
    const std::string english = presetGuideEnglish(std::uint32_t(claim.preset));
    const std::string italian = presetGuideItalian(std::uint32_t(claim.preset));
    const std::string where = "guide " + std::to_string(claim.preset) + ", \"" + claim.english + "\"";
    EXPECT_NE(english.find(pageWords(claim.english)), std::string::npos) << where << " is not in the English page";
    EXPECT_NE(italian.find(pageWords(claim.italian)), std::string::npos)
        << where << ": \"" << claim.italian << "\" is not in the Italian page";
    if (!claim.measure)
        return;
    const double quoted = claimedNumber(claim.english);
    ASSERT_FALSE(std::isnan(quoted)) << where << " carries no number";
    EXPECT_EQ(quoted, claimedNumber(claim.italian)) << where << ": the Italian page quotes another number";
    const double measured = claim.measure(run);
    EXPECT_NEAR(measured, quoted, claim.tolerance) << where << " against the program " << claim.note;
}

// The claims of the guides `first` to `last`: each guide's claims together,
// in the order they are listed, so that one load and one run of its preset
// serve them all (a later time goes on from the run so far).
inline void checkClaims(const std::vector<GuideClaim>& claims, int first, int last)
{
    std::vector<const GuideClaim*> chosen;
    for (const GuideClaim& claim : claims)
        if (claim.preset >= first && claim.preset <= last)
            chosen.push_back(&claim);
    ASSERT_FALSE(chosen.empty()) << "no claims of guides " << first << " to " << last;
    std::stable_sort(chosen.begin(), chosen.end(),
                     [](const GuideClaim* a, const GuideClaim* b) { return a->preset < b->preset; });
    GuideRun run;
    for (const GuideClaim* claim : chosen) {
        SCOPED_TRACE(claim->english);
        checkClaim(run, *claim);
    }
}

// The claims of one guide before (`later` false) or from (`later` true) the
// claim whose English words begin with `from`: a guide whose claims take
// several long runs, checked in two tests that together check every claim.
inline void checkClaimsSplitAt(const std::vector<GuideClaim>& claims, int preset, const char* from, bool later)
{
    std::vector<GuideClaim> part;
    bool reached = false;
    for (const GuideClaim& claim : claims) {
        if (claim.preset != preset)
            continue;
        reached = reached || std::string(claim.english).rfind(from, 0) == 0;
        if (reached == later)
            part.push_back(claim);
    }
    ASSERT_TRUE(reached) << "no claim of guide " << preset << " begins with \"" << from << "\"";
    checkClaims(part, preset, preset);
}

// The numbers of a guide that no claim's words cover, as "number in '...'".
inline std::vector<std::string> unclaimedNumbers(int preset, const char* (*page)(std::uint32_t),
                                                 const std::vector<GuideClaim>& claims, bool english)
{
    const std::string text = guideText(page(std::uint32_t(preset)));
    std::vector<bool> covered(text.size(), false);
    for (const GuideClaim& claim : claims) {
        if (claim.preset != preset)
            continue;
        const std::string words = guideText(pageWords(english ? claim.english : claim.italian));
        for (std::size_t at = text.find(words); !words.empty() && at != std::string::npos;
             at = text.find(words, at + 1))
            for (std::size_t i = at; i < at + words.size(); ++i)
                covered[i] = true;
    }
    std::vector<std::string> missing;
    for (const QuotedNumber& n : quotedNumbers(text)) {
        if (!covered[n.begin] || !covered[n.end - 1]) {
            const std::size_t from = n.begin > 30 ? n.begin - 30 : 0;
            missing.push_back(n.text + " in '" + text.substr(from, n.end + 10 - from) + "'");
        }
    }
    return missing;
}

// Every number of each listed guide, in both languages, is some claim's.
inline void checkCoverage(const std::vector<int>& presets, const std::vector<GuideClaim>& claims)
{
    for (const int preset : presets) {
        for (const bool english : {true, false}) {
            const auto missing =
                unclaimedNumbers(preset, english ? presetGuideEnglish : presetGuideItalian, claims, english);
            std::ostringstream list;
            for (const std::string& m : missing)
                list << "\n  " << m;
            EXPECT_TRUE(missing.empty()) << "guide " << preset << (english ? " (English)" : " (Italian)")
                                         << " quotes numbers no claim measures:" << list.str();
        }
    }
}

} // namespace vxo::test
