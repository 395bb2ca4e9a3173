#include "document/ExperimentCatalogue.h"
#include "document/ExperimentDocument.h"
#include "document/ExperimentDocumentJson.h"
#include "document/ExperimentFile.h"
#include "document/PresetGuides.h"

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <cstring>
#include <iterator>
#include <limits>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>

namespace vxo {
namespace {

bool isPureAscii(const char* text)
{
    for (const char* c = text; *c != '\0'; ++c)
        if (static_cast<unsigned char>(*c) > 0x7f)
            return false;
    return true;
}

bool startsWith(const char* text, const char* prefix) { return std::strncmp(text, prefix, std::strlen(prefix)) == 0; }

// The scene, preparation and settings records of a preset as a document,
// with every control value keyed by the form control it sets, so that two
// documents compare every field of their presets.
ExperimentDocument presetDocument(const ExperimentPreset& preset)
{
    ExperimentDocument document;
    document.name = QString::fromLatin1(preset.title);
    document.sourcePreset = document.name;
    const std::pair<const char*, QVariant> controls[] = {
        {"universeWidthSpinBox", preset.universeWidth},
        {"universeHeightSpinBox", preset.universeHeight},
        {"gridResolutionComboBox", preset.gridResolutionIndex},
        {"boundaryModeComboBox", preset.boundaryModeIndex},
        {"absorbingWidthSpinBox", preset.absorbingWidthFraction},
        {"absorbingStrengthSpinBox", preset.absorbingStrength},
        {"centerXSpinBox", preset.packetCenterX},
        {"centerYSpinBox", preset.packetCenterY},
        {"sigmaSpinBox", preset.packetSigma},
        {"momentumSpinBox", preset.packetMomentumX},
        {"momentumYSpinBox", preset.packetMomentumY},
        {"massSpinBox", preset.mass},
        {"geometryComboBox", preset.geometryIndex},
        {"geometryV0", preset.geometryV0},
        {"geometryCenterX", preset.geometryCenterX},
        {"geometryCenterY", preset.geometryCenterY},
        {"geometrySizeA", preset.geometrySizeA},
        {"geometrySizeB", preset.geometrySizeB},
        {"geometrySizeC", preset.geometrySizeC},
        {"geometrySizeD", preset.geometrySizeD},
        {"graphicsPresetComboBox", preset.graphicsPresetIndex},
        {"viewComboBox", preset.viewIndex},
        {"paletteComboBox", preset.paletteIndex},
        {"currentOverlayCheckBox", preset.currentOverlay},
        {"currentModeComboBox", preset.currentModeIndex},
    };
    for (const auto& control : controls)
        document.controls.insert(QString::fromLatin1(control.first), control.second);
    document.potentialSceneActive = preset.sceneActive;
    document.potentialScene = preset.scene;
    document.initialPreparation = preset.initialPreparation;
    document.measurementCollapseResolution = preset.measurementCollapseResolution;
    static_cast<ExperimentSettingsRecords&>(document) = preset;
    return document;
}

QByteArray presetJson(const ExperimentPreset& preset)
{
    return QJsonDocument(experimentDocumentToJson(presetDocument(preset))).toJson(QJsonDocument::Compact);
}

void expectSameTexts(const ExperimentPreset& a, const ExperimentPreset& b)
{
    EXPECT_STREQ(a.title, b.title);
    EXPECT_STREQ(a.summary, b.summary);
    EXPECT_STREQ(a.guideHtmlItalian, b.guideHtmlItalian);
    EXPECT_STREQ(a.guideHtmlEnglish, b.guideHtmlEnglish);
    EXPECT_EQ(a.realWorldScale.valid, b.realWorldScale.valid);
    EXPECT_STREQ(a.realWorldScale.system, b.realWorldScale.system);
    EXPECT_STREQ(a.realWorldScale.mapping, b.realWorldScale.mapping);
    EXPECT_STREQ(a.realWorldScale.note, b.realWorldScale.note);
    EXPECT_EQ(a.realWorldScale.lengthUnit, b.realWorldScale.lengthUnit);
    EXPECT_EQ(a.realWorldScale.timeUnit, b.realWorldScale.timeUnit);
}

const PotentialObject& objectWithId(const ExperimentPreset& preset, std::uint64_t id)
{
    const PotentialObject* object = preset.scene.find(id);
    if (object == nullptr)
        throw std::logic_error("no scene object with id " + std::to_string(id));
    return *object;
}

void expectRectangle(const PotentialObject& o, float cx, float cy, float w, float h, float value)
{
    EXPECT_EQ(o.kind, PotentialObjectKind::Rectangle);
    EXPECT_FLOAT_EQ(o.centerX, cx);
    EXPECT_FLOAT_EQ(o.centerY, cy);
    EXPECT_FLOAT_EQ(o.width, w);
    EXPECT_FLOAT_EQ(o.height, h);
    EXPECT_FLOAT_EQ(o.value, value);
}

// ---------------------------------------------------------------------------

TEST(ExperimentCatalogue, IndexRangeSlugsAndPages)
{
    EXPECT_EQ(presetCount(), 54u);
    EXPECT_TRUE(isValidPresetIndex(0));
    EXPECT_TRUE(isValidPresetIndex(53));
    EXPECT_FALSE(isValidPresetIndex(54));
    EXPECT_FALSE(isValidPresetIndex(0xffffffffu));

    EXPECT_STREQ(presetSlug(0), "free_wave_packet");
    EXPECT_STREQ(presetSlug(26), "hahn_echo_ensemble");
    EXPECT_STREQ(presetSlug(53), "massless_dirac_graphene");
    EXPECT_STREQ(presetSlug(54), "unknown_experiment");
    EXPECT_STREQ(presetSlug(0xffffffffu), "unknown_experiment");
    std::set<std::string> slugs;
    for (std::uint32_t i = 0; i < presetCount(); ++i)
        EXPECT_TRUE(slugs.insert(presetSlug(i)).second) << "duplicate slug at " << i;

    const std::pair<std::int32_t, std::int32_t> pages[] = {
        {0, 0},   {6, 0},   {7, 1},   {10, 2},  {12, 3},  {13, 4},  {15, 5},  {16, 6},  {19, 7},  {21, 8},  {26, 9},
        {27, 10}, {30, 12}, {39, 21}, {46, 28}, {49, 29}, {50, 30}, {52, 32}, {53, 33}, {54, 34}, {-1, 34}, {1000, 34}};
    for (const auto& page : pages)
        EXPECT_EQ(experimentPageForPreset(page.first), page.second) << "preset " << page.first;
}

TEST(ExperimentCatalogue, TitlesInIndexOrder)
{
    const std::pair<std::uint32_t, const char*> titles[] = {
        {0, "Free Wave Packet"},
        {2, "Quantum Tunneling (E < V0)"},
        {7, "Resonant Tunneling (Double Barrier)"},
        {14, "Driven Harmonic Trap (Off Resonance)"},
        {15, "Driven Harmonic Trap (Resonance)"},
        {16, "Driven Double Well (Off Resonance)"},
        {17, "Driven Double Well (Rabi Resonance)"},
        {18, "Landau-Zener Sweep (Fast / Diabatic)"},
        {19, "Landau-Zener Sweep (Adiabatic)"},
        {20, "Landau-Zener-Stueckelberg (Constructive)"},
        {22, "Ramsey Interferometry (Transfer Fringe)"},
        {23, "Ramsey Interferometry (Return Fringe)"},
        {24, "Hahn Echo (Phase Refocusing)"},
        {25, "Ramsey Ensemble (Inhomogeneous Broadening)"},
        {29, "Rectangular Billiard (Integrable Control)"},
        {30, "Sinai Billiard (Quantum Signatures of Chaos)"},
        {39, "Loschmidt Echo / Quantum Time Reversal"},
        {50, "Klein Transmission vs Incidence Angle / T(theta)"},
        {53, "Massless Dirac / Graphene-like Klein Analogue"},
    };
    for (const auto& entry : titles)
        EXPECT_STREQ(makeExperimentPreset(entry.first).title, entry.second) << "preset " << entry.first;
    EXPECT_STREQ(makeExperimentPreset(50).summary,
                 "A quantitative angular map: the stationary Dirac square-barrier reference T(theta) is "
                 "scanned at fixed |p| and compared with the evolving finite 2D wave packet at the selected "
                 "angle.");
}

TEST(ExperimentCatalogue, IndexPastTheEndThrowsAndLeavesDefaults)
{
    ExperimentPreset out;
    makeExperimentPreset(out, 34);
    ASSERT_FALSE(out.scene.empty());
    try {
        makeExperimentPreset(out, 54);
        FAIL() << "index 54 was accepted";
    } catch (const std::out_of_range& error) {
        EXPECT_STREQ(error.what(), "Experiment preset index out of range");
    }
    EXPECT_STREQ(out.title, "");
    EXPECT_TRUE(out.scene.empty());
    EXPECT_EQ(out.scene.nextId(), 1u);
    EXPECT_FALSE(out.realWorldScale.valid);
    EXPECT_FALSE(out.sceneActive);
    EXPECT_EQ(out.universeHeight, 40.96);
    EXPECT_EQ(out.initialPreparation.type, InitialPreparationType::Gaussian);
    EXPECT_THROW(makeExperimentPreset(0xffffffffu), std::out_of_range);
}

// ---------------------------------------------------------------------------
// Properties every preset keeps

TEST(ExperimentCatalogueEveryPreset, TextsScaleAndSceneIds)
{
    for (std::uint32_t i = 0; i < presetCount(); ++i) {
        SCOPED_TRACE("preset " + std::to_string(i));
        const ExperimentPreset preset = makeExperimentPreset(i);
        for (const char* text : {preset.title, preset.summary, preset.realWorldScale.system,
                                 preset.realWorldScale.mapping, preset.realWorldScale.note}) {
            EXPECT_GT(std::strlen(text), 0u);
            EXPECT_TRUE(isPureAscii(text)) << text;
        }
        EXPECT_STREQ(preset.guideHtmlEnglish, presetGuideEnglish(i));
        EXPECT_STREQ(preset.guideHtmlItalian, presetGuideItalian(i));
        EXPECT_TRUE(startsWith(preset.guideHtmlEnglish, "<h3>Guided experiment: "));
        EXPECT_TRUE(startsWith(preset.guideHtmlItalian, "<h3>Esperimento guidato: "));

        EXPECT_TRUE(preset.realWorldScale.valid);
        EXPECT_TRUE(std::isfinite(preset.realWorldScale.lengthUnit) && preset.realWorldScale.lengthUnit > 0.0);
        EXPECT_TRUE(std::isfinite(preset.realWorldScale.timeUnit) && preset.realWorldScale.timeUnit > 0.0);

        // Ids 1, 2, 3 ... in order of addition, so drive targets are stable.
        const auto& objects = preset.scene.objects();
        for (std::size_t k = 0; k < objects.size(); ++k)
            EXPECT_EQ(objects[k].id, k + 1);
        EXPECT_EQ(preset.scene.nextId(), objects.size() + 1);
        // The scene drives the potential exactly when the preset has one.
        EXPECT_EQ(preset.sceneActive, !objects.empty());
    }
}

TEST(ExperimentCatalogueEveryPreset, DriveRecordsTargetTheirObjects)
{
    for (std::uint32_t i = 0; i < presetCount(); ++i) {
        SCOPED_TRACE("preset " + std::to_string(i));
        const ExperimentPreset p = makeExperimentPreset(i);
        const int enabledDrives = int(p.quantumQuench.enabled) + int(p.periodicDrive.enabled) +
                                  int(p.linearSweep.enabled) + int(p.ramseySequence.enabled);
        EXPECT_EQ(enabledDrives, (i >= 13 && i <= 26) ? 1 : 0);
        EXPECT_EQ(p.quantumMoshinsky.enabled, i == 40);
        if (i >= 16 && i <= 26) {
            const std::uint64_t target = p.periodicDrive.enabled ? p.periodicDrive.targetObjectId
                                         : p.linearSweep.enabled ? p.linearSweep.targetObjectId
                                                                 : p.ramseySequence.targetObjectId;
            EXPECT_EQ(target, 4u);
            EXPECT_EQ(objectWithId(p, 4).kind, PotentialObjectKind::Linear);
            ASSERT_EQ(p.scene.size(), 4u);
            expectRectangle(objectWithId(p, 1), -5.25f, 0.0f, 5.5f, 16.0f, 5.0f);
            expectRectangle(objectWithId(p, 2), 0.0f, 0.0f, 0.75f, 16.0f, 0.8f);
            expectRectangle(objectWithId(p, 3), 5.25f, 0.0f, 5.5f, 16.0f, 5.0f);
        } else if (i >= 13 && i <= 15) {
            const std::uint64_t target =
                p.quantumQuench.enabled ? p.quantumQuench.targetObjectId : p.periodicDrive.targetObjectId;
            EXPECT_EQ(target, 1u);
            EXPECT_EQ(objectWithId(p, 1).kind, PotentialObjectKind::Harmonic);
        } else if (i == 40) {
            EXPECT_EQ(p.quantumMoshinsky.shutterObjectId, 1u);
            EXPECT_EQ(objectWithId(p, 1).kind, PotentialObjectKind::Barrier);
            EXPECT_FLOAT_EQ(objectWithId(p, 1).value, 120.0f);
        }
    }
}

TEST(ExperimentCatalogueEveryPreset, BuildingTwiceGivesEqualPresets)
{
    for (std::uint32_t i = 0; i < presetCount(); ++i) {
        SCOPED_TRACE("preset " + std::to_string(i));
        const ExperimentPreset first = makeExperimentPreset(i);
        makeExperimentPreset((i + 1) % presetCount()); // nothing may carry over between builds
        ExperimentPreset second;
        makeExperimentPreset(second, i);
        expectSameTexts(first, second);
        EXPECT_EQ(presetJson(first).toStdString(), presetJson(second).toStdString());
    }
}

// Each preset's scene, preparation and records, written and read back:
// the reader runs every check of the records against the scene.
TEST(ExperimentCatalogueEveryPreset, DocumentRoundTripWithoutMessage)
{
    for (std::uint32_t i = 0; i < presetCount(); ++i) {
        SCOPED_TRACE("preset " + std::to_string(i));
        const QByteArray text = experimentDocumentBytes(presetDocument(makeExperimentPreset(i)));
        ExperimentDocument read;
        QString error;
        EXPECT_TRUE(parseExperimentBytes(text, read, error)) << error.toStdString();
        EXPECT_TRUE(error.isEmpty()) << error.toStdString();
        EXPECT_EQ(experimentDocumentBytes(read).toStdString(), text.toStdString());
    }
}

// ---------------------------------------------------------------------------
// Values of individual presets

// The domain, grid and packet of every preset: a value written into the wrong
// field or changed in one case shows up as one row.
TEST(ExperimentCatalogueValues, DomainGridAndPacketOfEveryPreset)
{
    struct Row {
        std::uint32_t index;
        double width, height;
        std::uint32_t grid;
        double centerX, centerY, sigma, momentumX, momentumY, mass;
    };
    const Row rows[] = {
        {0, 40.96, 40.96, 1, -8.0, 0.0, 1.0, 2.5, 0.0, 1.0},
        {1, 40.96, 40.96, 1, -8.0, 0.0, 1.0, 2.5, 0.0, 1.0},
        {2, 40.96, 40.96, 1, -8.0, 0.0, 1.0, 2.5, 0.0, 1.0},
        {3, 40.96, 40.96, 1, -8.0, 0.0, 2.2, 2.5, 0.0, 1.0},
        {4, 40.96, 40.96, 1, -8.0, 0.0, 3.0, 2.5, 0.0, 1.0},
        {5, 40.96, 40.96, 1, -8.0, 0.0, 1.6, 2.5, 0.0, 1.0},
        {6, 40.96, 40.96, 1, -8.0, 0.0, 1.8, 2.5, 0.0, 1.0},
        {7, 81.92, 40.96, 1, -12.0, 0.0, 2.4, 2.5, 0.0, 1.0},
        {8, 40.96, 40.96, 1, -4.0, 0.0, 1.0, 0.0, 0.0, 1.0},
        {9, 40.96, 40.96, 1, 0.0, 0.0, 1.15, 0.0, 0.0, 1.0},
        {10, 40.96, 40.96, 1, 0.0, 0.0, 1.4, 0.0, 0.0, 1.0},
        {11, 40.96, 40.96, 1, -5.0, 0.0, 2.4, 1.0, 0.0, 1.0},
        {12, 16.0, 16.0, 0, -1.2, 0.0, 0.8, 0.0, 0.0, 1.0},
        {13, 20.0, 20.0, 0, 0.0, 0.0, 1.0, 0.0, 0.0, 1.0},
        {14, 24.0, 20.0, 0, 0.0, 0.0, 1.0, 0.0, 0.0, 1.0},
        {15, 24.0, 20.0, 0, 0.0, 0.0, 1.0, 0.0, 0.0, 1.0},
        {16, 16.0, 16.0, 0, 0.0, 0.0, 0.8, 0.0, 0.0, 1.0},
        {17, 16.0, 16.0, 0, 0.0, 0.0, 0.8, 0.0, 0.0, 1.0},
        {18, 16.0, 16.0, 0, 0.0, 0.0, 0.8, 0.0, 0.0, 1.0},
        {19, 16.0, 16.0, 0, 0.0, 0.0, 0.8, 0.0, 0.0, 1.0},
        {20, 16.0, 16.0, 0, 0.0, 0.0, 0.8, 0.0, 0.0, 1.0},
        {21, 16.0, 16.0, 0, 0.0, 0.0, 0.8, 0.0, 0.0, 1.0},
        {22, 16.0, 16.0, 0, 0.0, 0.0, 0.8, 0.0, 0.0, 1.0},
        {23, 16.0, 16.0, 0, 0.0, 0.0, 0.8, 0.0, 0.0, 1.0},
        {24, 16.0, 16.0, 0, 0.0, 0.0, 0.8, 0.0, 0.0, 1.0},
        {25, 16.0, 16.0, 0, 0.0, 0.0, 0.8, 0.0, 0.0, 1.0},
        {26, 16.0, 16.0, 0, 0.0, 0.0, 0.8, 0.0, 0.0, 1.0},
        {27, 40.96, 40.96, 0, 0.0, 0.0, 5.0, 0.0, 0.0, 1.0},
        {28, 40.96, 40.96, 0, -1.3, -0.8, 0.55, 2.6, 1.8, 1.0},
        {29, 40.96, 40.96, 0, -6.0, -3.5, 0.7, 3.6, 2.4, 1.0},
        {30, 40.96, 40.96, 0, -6.0, -3.5, 0.7, 3.6, 2.4, 1.0},
        {31, 40.96, 40.96, 0, 0.0, -8.0, 1.5, 0.0, 1.2, 1.0},
        {32, 40.96, 40.96, 0, -4.0, 2.0, 0.75, 0.3, -0.3, 1.0},
        {33, 40.96, 40.96, 0, 0.0, 0.0, 1.0, 0.0, 0.0, 1.0},
        {34, 40.96, 20.48, 0, 0.0, 0.0, 0.35, 0.0, 0.0, 1.0},
        {35, 20.48, 20.48, 0, 0.0, 0.0, 1.5, 0.0, 0.0, 0.1},
        {36, 40.96, 20.48, 0, -5.5, 0.0, 0.8, 1.5, 0.0, 1.0},
        {37, 24.0, 16.0, 0, -3.0, 0.0, 0.7, 4.0, 0.0, 1.0},
        {38, 16.0, 16.0, 0, 0.0, 0.0, 1.0, 0.0, 0.0, 1.0},
        {39, 40.96, 40.96, 0, -6.0, -3.5, 0.7, 3.6, 2.4, 1.0},
        {40, 40.96, 20.48, 0, -8.0, 0.0, 3.2, 3.0, 0.0, 1.0},
        {41, 40.96, 40.96, 0, 0.0, -6.5, 1.25, 0.0, 1.1, 1.0},
        {42, 40.96, 40.96, 0, -8.0, 0.0, 2.2, 4.0, 0.0, 1.0},
        {43, 40.96, 40.96, 0, -5.0, 0.0, 1.5, 0.0, 1.125, 1.0},
        {44, 40.96, 40.96, 0, 0.0, -5.3, 1.1, 3.0825, 0.0, 1.0},
        {45, 40.96, 40.96, 0, -1.8, 0.0, 2.5, 0.8, 0.0, 1.0},
        {46, 81.92, 40.96, 0, -6.0, 0.0, 3.5, 0.5, 0.0, 0.5},
        {47, 40.96, 40.96, 0, -10.0, 0.0, 2.2, 1.5, 0.0, 0.05},
        {48, 40.96, 40.96, 0, -10.0, 0.0, 2.2, 1.5, 0.0, 0.05},
        {49, 40.96, 40.96, 0, -10.0, -5.6, 2.2, 1.228728066433, 0.860364654527, 0.05},
        {50, 40.96, 40.96, 0, -10.0, 0.0, 2.2, 1.5, 0.0, 0.05},
        {51, 40.96, 40.96, 0, -12.0, 0.0, 1.8, 1.5, 0.0, 0.05},
        {52, 40.96, 40.96, 0, -12.0, 0.0, 1.8, 1.446547614149, 0.0, 0.4},
        {53, 40.96, 40.96, 0, -10.0, 0.0, 3.0, 1.5, 0.0, 0.05},
    };
    ASSERT_EQ(std::size(rows), presetCount());
    for (const Row& row : rows) {
        SCOPED_TRACE("preset " + std::to_string(row.index));
        const ExperimentPreset p = makeExperimentPreset(row.index);
        const std::pair<double, double> values[] = {
            {p.universeWidth, row.width},       {p.universeHeight, row.height},
            {p.packetCenterX, row.centerX},     {p.packetCenterY, row.centerY},
            {p.packetSigma, row.sigma},         {p.packetMomentumX, row.momentumX},
            {p.packetMomentumY, row.momentumY}, {p.mass, row.mass}};
        const char* names[] = {"width", "height", "centerX", "centerY", "sigma", "momentumX", "momentumY", "mass"};
        for (std::size_t k = 0; k < std::size(values); ++k)
            EXPECT_NEAR(values[k].first, values[k].second, 1e-11) << names[k];
        EXPECT_EQ(p.gridResolutionIndex, row.grid);
    }
}

// Every other value a preset sets, by name: a control field, the initial
// preparation, or "record.key" of a settings record as its document stores it.
// A value written into the wrong field or changed in one case shows up by name.
TEST(ExperimentCatalogueValues, NamedValuesOfEveryPreset)
{
    const std::pair<std::uint32_t, const char*> rows[] = {
        {0, "geometryIndex 0, graphicsPresetIndex 0, currentOverlay 1, currentModeIndex 0"},
        {1, "geometryIndex 3, geometryV0 2.0, geometrySizeA 0.64, geometrySizeB 30.0, graphicsPresetIndex 0"
            ", currentOverlay 1, currentModeIndex 0"},
        {2, "geometryIndex 3, geometryV0 4.5, geometrySizeA 0.64, geometrySizeB 30.0, graphicsPresetIndex 1"
            ", currentOverlay 1, currentModeIndex 0"},
        {3, "geometryIndex 4, geometryV0 8.0, geometrySizeA 0.32, geometrySizeC 1.55, graphicsPresetIndex 1"
            ", currentOverlay 1, currentModeIndex 1"},
        {4, "geometryIndex 5, geometryV0 50.0, geometrySizeA 0.32, geometrySizeC 2.2, geometrySizeD 0.72"
            ", graphicsPresetIndex 2, currentOverlay 1, currentModeIndex 1"},
        {5, "geometryIndex 2, geometryV0 8.0, geometrySizeA 1.8, graphicsPresetIndex 1, currentOverlay 1"
            ", currentModeIndex 1"},
        {6, "geometryIndex 6, geometryV0 8.0, geometryCenterX -0.45, geometrySizeA 2.3, geometrySizeB 4.4"
            ", graphicsPresetIndex 2, currentOverlay 1, currentModeIndex 2"},
        {7, "absorbingWidthFraction 0.05, geometryIndex 3, geometryV0 4.5, geometryCenterX -1.2"
            ", geometryCenterY 0.0, geometrySizeA 0.64, geometrySizeB 30.0, graphicsPresetIndex 1"
            ", currentOverlay 1, currentModeIndex 0, sceneActive 1"},
        {8, "geometryIndex 8, graphicsPresetIndex 0, currentOverlay 1, currentModeIndex 0, sceneActive 1"},
        {9, "geometryIndex 7, graphicsPresetIndex 1, currentOverlay 1, currentModeIndex 1, sceneActive 1"},
        {10, "boundaryModeIndex 0, geometryIndex 1, graphicsPresetIndex 0, currentOverlay 0, sceneActive 1"
             ", initialPreparation.type 1, initialPreparation.stateA 1, initialPreparation.stateB 3"
             ", initialPreparation.relativePhaseDegrees 90.0"},
        {11, "boundaryModeIndex 0, geometryIndex 0, currentOverlay 1, currentModeIndex 0"
             ", measurementCollapse.resolution 0.65"},
        {12, "boundaryModeIndex 0, geometryIndex 1, graphicsPresetIndex 0, currentOverlay 1"
             ", currentModeIndex 1, sceneActive 1, initialPreparation.type 2, initialPreparation.stateA 0"
             ", initialPreparation.stateB 1, initialPreparation.relativePhaseDegrees 0"},
        {13, "boundaryModeIndex 0, geometryIndex 8, graphicsPresetIndex 0, currentOverlay 1"
             ", currentModeIndex 1, sceneActive 1, quantumQuench.enabled 1, quantumQuench.parameter 5"
             ", quantumQuench.time 2.0, quantumQuench.before 0.25, quantumQuench.after 1.0"},
        {14, "boundaryModeIndex 0, geometryIndex 8, graphicsPresetIndex 0, currentOverlay 1"
             ", currentModeIndex 0, sceneActive 1, periodicDrive.enabled 1, periodicDrive.parameter 1"
             ", periodicDrive.mean 0, periodicDrive.amplitude 0.7, periodicDrive.angularFrequency 0.8"
             ", periodicDrive.phaseDegrees 0"},
        {15, "boundaryModeIndex 0, geometryIndex 8, graphicsPresetIndex 0, currentOverlay 1"
             ", currentModeIndex 0, sceneActive 1, periodicDrive.enabled 1, periodicDrive.parameter 1"
             ", periodicDrive.mean 0, periodicDrive.amplitude 0.7, periodicDrive.angularFrequency 0.5"
             ", periodicDrive.phaseDegrees 0"},
        {16, "boundaryModeIndex 0, geometryIndex 1, graphicsPresetIndex 0, currentOverlay 1"
             ", currentModeIndex 1, sceneActive 1, initialPreparation.type 1, initialPreparation.stateA 0"
             ", initialPreparation.stateB 1, initialPreparation.relativePhaseDegrees 90"
             ", periodicDrive.enabled 1, periodicDrive.parameter 6, periodicDrive.mean 0"
             ", periodicDrive.amplitude 0.1, periodicDrive.angularFrequency 0.5, periodicDrive.phaseDegrees 0"},
        {17, "boundaryModeIndex 0, geometryIndex 1, graphicsPresetIndex 0, currentOverlay 1"
             ", currentModeIndex 1, sceneActive 1, initialPreparation.type 1, initialPreparation.stateA 0"
             ", initialPreparation.stateB 1, initialPreparation.relativePhaseDegrees 90"
             ", periodicDrive.enabled 1, periodicDrive.parameter 6, periodicDrive.mean 0"
             ", periodicDrive.amplitude 0.1, periodicDrive.angularFrequency 0.305536"
             ", periodicDrive.phaseDegrees 0"},
        {18, "boundaryModeIndex 0, geometryIndex 1, graphicsPresetIndex 0, currentOverlay 1"
             ", currentModeIndex 1, sceneActive 1, initialPreparation.type 1, initialPreparation.stateA 0"
             ", initialPreparation.stateB 1, initialPreparation.relativePhaseDegrees 90, linearSweep.enabled 1"
             ", linearSweep.parameter 6, linearSweep.startValue 0.35, linearSweep.endValue -0.35"
             ", linearSweep.startTime 0, linearSweep.duration 4.0"},
        {19, "boundaryModeIndex 0, geometryIndex 1, graphicsPresetIndex 0, currentOverlay 1"
             ", currentModeIndex 1, sceneActive 1, initialPreparation.type 1, initialPreparation.stateA 0"
             ", initialPreparation.stateB 1, initialPreparation.relativePhaseDegrees 90, linearSweep.enabled 1"
             ", linearSweep.parameter 6, linearSweep.startValue 0.35, linearSweep.endValue -0.35"
             ", linearSweep.startTime 0, linearSweep.duration 40.0"},
        {20, "boundaryModeIndex 0, geometryIndex 1, graphicsPresetIndex 0, currentOverlay 1"
             ", currentModeIndex 1, sceneActive 1, initialPreparation.type 1, initialPreparation.stateA 0"
             ", initialPreparation.stateB 1, initialPreparation.relativePhaseDegrees 90, linearSweep.enabled 1"
             ", linearSweep.parameter 6, linearSweep.startValue 0.35, linearSweep.endValue -0.35"
             ", linearSweep.startTime 0, linearSweep.duration 4.0, linearSweep.returnEnabled 1"
             ", linearSweep.holdDuration 4.0, linearSweep.returnDuration 4.0"},
        {21, "boundaryModeIndex 0, geometryIndex 1, graphicsPresetIndex 0, currentOverlay 1"
             ", currentModeIndex 1, sceneActive 1, initialPreparation.type 1, initialPreparation.stateA 0"
             ", initialPreparation.stateB 1, initialPreparation.relativePhaseDegrees 90, linearSweep.enabled 1"
             ", linearSweep.parameter 6, linearSweep.startValue 0.35, linearSweep.endValue -0.35"
             ", linearSweep.startTime 0, linearSweep.duration 4.0, linearSweep.returnEnabled 1"
             ", linearSweep.holdDuration 7.0, linearSweep.returnDuration 4.0"},
        {22, "boundaryModeIndex 0, geometryIndex 1, graphicsPresetIndex 0, currentOverlay 1"
             ", currentModeIndex 1, sceneActive 1, initialPreparation.type 1, initialPreparation.stateA 0"
             ", initialPreparation.stateB 1, initialPreparation.relativePhaseDegrees 90"
             ", ramseySequence.enabled 1, ramseySequence.parameter 6, ramseySequence.mean 0"
             ", ramseySequence.amplitude 0.1, ramseySequence.angularFrequency 0.305536"
             ", ramseySequence.pulseDuration 14.35, ramseySequence.freeEvolutionDuration 5.5"},
        {23, "boundaryModeIndex 0, geometryIndex 1, graphicsPresetIndex 0, currentOverlay 1"
             ", currentModeIndex 1, sceneActive 1, initialPreparation.type 1, initialPreparation.stateA 0"
             ", initialPreparation.stateB 1, initialPreparation.relativePhaseDegrees 90"
             ", ramseySequence.enabled 1, ramseySequence.parameter 6, ramseySequence.mean 0"
             ", ramseySequence.amplitude 0.1, ramseySequence.angularFrequency 0.305536"
             ", ramseySequence.pulseDuration 14.35, ramseySequence.freeEvolutionDuration 15.75"},
        {24, "boundaryModeIndex 0, geometryIndex 1, graphicsPresetIndex 0, currentOverlay 1"
             ", currentModeIndex 1, sceneActive 1, initialPreparation.type 1, initialPreparation.stateA 0"
             ", initialPreparation.stateB 1, initialPreparation.relativePhaseDegrees 90"
             ", ramseySequence.enabled 1, ramseySequence.parameter 6, ramseySequence.mean 0"
             ", ramseySequence.amplitude 0.1, ramseySequence.angularFrequency 0.305536"
             ", ramseySequence.pulseDuration 14.35, ramseySequence.freeEvolutionDuration 5.5"
             ", ramseySequence.echoEnabled 1, ramseySequence.echoPulseDuration 25.75"
             ", ramseySequence.echoPulsePhaseDegrees 90.0"},
        {25, "boundaryModeIndex 0, geometryIndex 1, graphicsPresetIndex 0, currentOverlay 1"
             ", currentModeIndex 1, sceneActive 1, initialPreparation.type 1, initialPreparation.stateA 0"
             ", initialPreparation.stateB 1, initialPreparation.relativePhaseDegrees 90"
             ", ramseySequence.enabled 1, ramseySequence.parameter 6, ramseySequence.mean 0"
             ", ramseySequence.amplitude 0.1, ramseySequence.angularFrequency 0.305536"
             ", ramseySequence.pulseDuration 14.35, ramseySequence.freeEvolutionDuration 15.75"
             ", ramseyEnsemble.enabled 1, ramseyEnsemble.detuningStdDev 0.06, ramseyEnsemble.memberCount 41"},
        {26, "boundaryModeIndex 0, geometryIndex 1, graphicsPresetIndex 0, currentOverlay 1"
             ", currentModeIndex 1, sceneActive 1, initialPreparation.type 1, initialPreparation.stateA 0"
             ", initialPreparation.stateB 1, initialPreparation.relativePhaseDegrees 90"
             ", ramseySequence.enabled 1, ramseySequence.parameter 6, ramseySequence.mean 0"
             ", ramseySequence.amplitude 0.1, ramseySequence.angularFrequency 0.305536"
             ", ramseySequence.pulseDuration 14.35"
             ", ramseySequence.echoEnabled 1, ramseySequence.echoPulseDuration 25.75"
             ", ramseySequence.echoPulsePhaseDegrees 90.0, ramseySequence.freeEvolutionDuration 15.75"
             ", ramseyEnsemble.enabled 1, ramseyEnsemble.detuningStdDev 0.06, ramseyEnsemble.memberCount 41"},
        {27, "boundaryModeIndex 0, geometryIndex 0, graphicsPresetIndex 1, paletteIndex 0, currentOverlay 0"
             ", sceneActive 1"},
        {28, "boundaryModeIndex 0, geometryIndex 0, graphicsPresetIndex 1, paletteIndex 0, currentOverlay 0"
             ", sceneActive 1"},
        {29, "boundaryModeIndex 0, geometryIndex 0, graphicsPresetIndex 1, currentOverlay 0"
             ", currentModeIndex 1, sceneActive 1"},
        {30, "boundaryModeIndex 0, geometryIndex 0, graphicsPresetIndex 1, currentOverlay 0"
             ", currentModeIndex 1, sceneActive 1"},
        {31, "boundaryModeIndex 0, geometryIndex 0, graphicsPresetIndex 1, paletteIndex 0, currentOverlay 0"
             ", sceneActive 0, initialPreparation.type 3, talbotInitialState.period 5.12"
             ", talbotInitialState.toothSigma 0.45, talbotInitialState.offsetX 0.0"
             ", talbotInitialState.centerY -8.0, talbotInitialState.sigmaY 1.5"
             ", talbotInitialState.momentumY 1.2"},
        {32, "boundaryModeIndex 0, geometryIndex 0, graphicsPresetIndex 1, paletteIndex 0, currentOverlay 1"
             ", currentModeIndex 1, sceneActive 1"},
        {33, "boundaryModeIndex 0, geometryIndex 8, graphicsPresetIndex 1, paletteIndex 0, currentOverlay 1"
             ", currentModeIndex 2, sceneActive 1, initialPreparation.type 4"
             ", vortexInitialState.envelopeSigma 1.0, vortexInitialState.coreX 1.0, vortexInitialState.coreY 0"
             ", vortexInitialState.charge 1"},
        {34, "boundaryModeIndex 0, geometryIndex 0, graphicsPresetIndex 1, paletteIndex 0, currentOverlay 0"
             ", currentModeIndex 1, sceneActive 1, initialPreparation.type 5, andersonInitialState.centerX 0.0"
             ", andersonInitialState.cleanLaneY 4.0, andersonInitialState.disorderLaneY -4.0"
             ", andersonInitialState.sigma 0.35, andersonInitialState.relativePhaseDegrees 0"},
        {35, "boundaryModeIndex 0, geometryIndex 8, graphicsPresetIndex 1, paletteIndex 0, currentOverlay 0"
             ", currentModeIndex 1, sceneActive 1, initialPreparation.type 6, kickedRotor.enabled 1"
             ", kickedRotor.firstKickTime 0.2, kickedRotor.kickPeriod 1.0, kickedRotor.phaseStrength 6.0"
             ", kickedRotorInitialState.yCenter 0.0, kickedRotorInitialState.ySigma 1.5"
             ", kickedRotorInitialState.initialMomentumMode 0"},
        {36, "boundaryModeIndex 1, absorbingWidthFraction 0.12, absorbingStrength 5.0, geometryIndex 0"
             ", graphicsPresetIndex 1, paletteIndex 0, currentOverlay 0, currentModeIndex 1, sceneActive 1"
             ", initialPreparation.type 7, quantumZeno.enabled 1, quantumZeno.firstMeasurementTime 0.4"
             ", quantumZeno.measurementPeriod 0.1, quantumZeno.laneSplitY 0.0"
             ", quantumZeno.survivalBoundaryX 0.4, quantumZeno.edgeWidth 0.32"
             ", quantumZenoInitialState.centerX -5.5, quantumZenoInitialState.controlLaneY 4.8"
             ", quantumZenoInitialState.watchedLaneY -4.8, quantumZenoInitialState.relativePhaseDegrees 0"},
        {37, "boundaryModeIndex 0, geometryIndex 11, graphicsPresetIndex 1, currentOverlay 1"
             ", currentModeIndex 0, sceneActive 1, quantumScar.enabled 1, quantumScar.orbitBandHalfWidth 0.8"
             ", quantumScar.referenceEnergy 9.5"},
        {38, "boundaryModeIndex 0, geometryIndex 8, paletteIndex 0, currentOverlay 0, currentModeIndex 1"
             ", sceneActive 1, initialPreparation.type 8, quantumBerry.enabled 1, quantumBerry.anisotropy 0.35"
             ", quantumBerry.startTime 0.0, quantumBerry.duration 240.0, quantumBerry.winding 1"},
        {39, "boundaryModeIndex 0, geometryIndex 0, graphicsPresetIndex 1, currentOverlay 1"
             ", currentModeIndex 1, sceneActive 1"
             ", quantumLoschmidt.enabled 1, quantumLoschmidt.reversalTime 4.0"
             ", quantumLoschmidt.momentumErrorX 0, quantumLoschmidt.momentumErrorY 0"},
        {40, "boundaryModeIndex 1, absorbingWidthFraction 0.12, absorbingStrength 7.0, geometryIndex 3"
             ", geometryV0 120.0, geometryCenterX 0.0, geometryCenterY 0.0, geometrySizeA 0.32"
             ", geometrySizeB 19.0, graphicsPresetIndex 1, paletteIndex 0, currentOverlay 1"
             ", currentModeIndex 1, sceneActive 1, initialPreparation.type 9, moshinskyInitialState.enabled 1"
             ", moshinskyInitialState.shutterX 0.0, moshinskyInitialState.envelopeCenterX -8.0"
             ", moshinskyInitialState.envelopeSigmaX 8.0, moshinskyInitialState.centerY 0.0"
             ", moshinskyInitialState.edgeWidth 0.18, quantumMoshinsky.enabled 1"
             ", quantumMoshinsky.openTime 0.0, quantumMoshinsky.detectorX 3.0"
             ", quantumMoshinsky.analysisEndTime 6.0"},
        {41, "boundaryModeIndex 1, absorbingWidthFraction 0.12, absorbingStrength 7.0, geometryIndex 0"
             ", graphicsPresetIndex 1, paletteIndex 0, currentOverlay 1, currentModeIndex 1, sceneActive 0"
             ", initialPreparation.type 10, kapitzaDiracInitialState.sigmaX 5.0"
             ", kapitzaDiracInitialState.sigmaY 1.25, kapitzaDiracInitialState.momentumX 0.0"
             ", kapitzaDiracInitialState.momentumY 1.1, quantumKapitzaDirac.enabled 1"
             ", quantumKapitzaDirac.latticePeriod 4.096, quantumKapitzaDirac.latticeDepth 16.0"
             ", quantumKapitzaDirac.pulseDuration 0.3, quantumKapitzaDirac.analysisEndTime 4.0"
             ", quantumKapitzaDirac.maximumOrder 4"},
        {42, "boundaryModeIndex 1, absorbingWidthFraction 0.12, absorbingStrength 7.0, geometryIndex 0"
             ", graphicsPresetIndex 1, paletteIndex 0, currentOverlay 0, currentModeIndex 1, sceneActive 0"
             ", initialPreparation.type 11, quantumAharonovBohm.enabled 1, quantumAharonovBohm.solenoidX 0"
             ", quantumAharonovBohm.solenoidY 0, quantumAharonovBohm.solenoidRadius 1.25"
             ", quantumAharonovBohm.fluxQuanta 0.5, quantumAharonovBohm.barrierHeight 140.0"
             ", quantumAharonovBohm.detectorX 7.0, quantumAharonovBohm.analysisEndTime 5.0"},
        {43, "boundaryModeIndex 1, geometryIndex 0, graphicsPresetIndex 1, paletteIndex 0, currentOverlay 0"
             ", sceneActive 0, initialPreparation.type 12, quantumLandau.enabled 1"
             ", quantumLandau.fieldStrength 0.45, quantumLandau.preparationMode 0"
             ", quantumLandau.orbitRadius 5.0, quantumLandau.analysisEndTime 15.0"},
        {44, "boundaryModeIndex 1, geometryIndex 0, graphicsPresetIndex 1, paletteIndex 0, currentOverlay 1"
             ", currentModeIndex 1, sceneActive 0, initialPreparation.type 13, quantumHallEdge.enabled 1"
             ", quantumHallEdge.fieldStrength 0.45, quantumHallEdge.edgeY -8.0"
             ", quantumHallEdge.wallHeight 120.0, quantumHallEdge.launchY -5.3"
             ", quantumHallEdge.orbitRadius 4.2, quantumHallEdge.packetSigma 1.1, quantumHallEdge.edgeBand 4.0"
             ", quantumHallEdge.analysisEndTime 8.0"},
        {45, "boundaryModeIndex 0, geometryIndex 0, graphicsPresetIndex 1, paletteIndex 0, currentOverlay 1"
             ", currentModeIndex 0, sceneActive 0, initialPreparation.type 14, quantumBackflow.enabled 1"
             ", quantumBackflow.detectorX 0.0, quantumBackflow.slowWaveNumber 0.35"
             ", quantumBackflow.fastWaveNumber 1.3, quantumBackflow.momentumSigma 0.3"
             ", quantumBackflow.fastAmplitudeRatio 0.52, quantumBackflow.relativePhaseDegrees 180.0"
             ", quantumBackflow.initialCenterX -1.8, quantumBackflow.transverseSigma 2.5"
             ", quantumBackflow.analysisEndTime 4.0"},
        {46, "boundaryModeIndex 0, geometryIndex 0, graphicsPresetIndex 1, paletteIndex 0, currentOverlay 0"
             ", sceneActive 0, initialPreparation.type 15, quantumZitterbewegung.enabled 1"
             ", quantumZitterbewegung.lightSpeed 1.0, quantumZitterbewegung.restMass 0.5"
             ", quantumZitterbewegung.centerX -6.0, quantumZitterbewegung.centerY 0.0"
             ", quantumZitterbewegung.sigma 3.5, quantumZitterbewegung.momentumX 0.5"
             ", quantumZitterbewegung.momentumY 0, quantumZitterbewegung.preparationMode 0"
             ", quantumZitterbewegung.analysisEndTime 12.0"},
        {47, "boundaryModeIndex 1, absorbingWidthFraction 0.12, absorbingStrength 5.0, geometryIndex 0"
             ", graphicsPresetIndex 1, paletteIndex 0, currentOverlay 0, sceneActive 0"
             ", initialPreparation.type 16, quantumKleinTunneling.enabled 1"
             ", quantumKleinTunneling.lightSpeed 1.0, quantumKleinTunneling.restMass 0.05"
             ", quantumKleinTunneling.centerX -10.0, quantumKleinTunneling.centerY 0.0"
             ", quantumKleinTunneling.sigma 2.2, quantumKleinTunneling.momentumX 1.5"
             ", quantumKleinTunneling.momentumY 0, quantumKleinTunneling.barrierCenterX 0"
             ", quantumKleinTunneling.barrierWidth 3.0, quantumKleinTunneling.barrierHeight 3.2"
             ", quantumKleinTunneling.detectorX 6.0, quantumKleinTunneling.analysisEndTime 16.0"},
        {48, "boundaryModeIndex 1, absorbingWidthFraction 0.12, absorbingStrength 5.0, geometryIndex 0"
             ", graphicsPresetIndex 1, paletteIndex 0, currentOverlay 0, sceneActive 0"
             ", initialPreparation.type 16, quantumKleinTunneling.enabled 1"
             ", quantumKleinTunneling.lightSpeed 1.0, quantumKleinTunneling.restMass 0.05"
             ", quantumKleinTunneling.centerX -10.0, quantumKleinTunneling.centerY 0.0"
             ", quantumKleinTunneling.sigma 2.2, quantumKleinTunneling.momentumX 1.5"
             ", quantumKleinTunneling.momentumY 0, quantumKleinTunneling.barrierCenterX 0"
             ", quantumKleinTunneling.barrierWidth 3.0, quantumKleinTunneling.barrierHeight 1.5"
             ", quantumKleinTunneling.detectorX 6.0, quantumKleinTunneling.analysisEndTime 16.0"},
        {49, "boundaryModeIndex 1, absorbingWidthFraction 0.12, absorbingStrength 5.0, geometryIndex 0"
             ", graphicsPresetIndex 1, paletteIndex 0, currentOverlay 0, sceneActive 0"
             ", initialPreparation.type 16, quantumKleinTunneling.enabled 1"
             ", quantumKleinTunneling.lightSpeed 1.0, quantumKleinTunneling.restMass 0.05"
             ", quantumKleinTunneling.centerX -10.0, quantumKleinTunneling.centerY -5.6"
             ", quantumKleinTunneling.sigma 2.2, quantumKleinTunneling.momentumX 1.228728066433"
             ", quantumKleinTunneling.momentumY 0.860364654527, quantumKleinTunneling.barrierCenterX 0.0"
             ", quantumKleinTunneling.barrierWidth 3.0, quantumKleinTunneling.barrierHeight 3.2"
             ", quantumKleinTunneling.detectorX 6.0, quantumKleinTunneling.analysisEndTime 22.0"},
        {50, "boundaryModeIndex 1, absorbingWidthFraction 0.12, absorbingStrength 5.0, geometryIndex 0"
             ", graphicsPresetIndex 1, paletteIndex 0, currentOverlay 0, sceneActive 0"
             ", initialPreparation.type 16, quantumKleinTunneling.enabled 1"
             ", quantumKleinTunneling.lightSpeed 1.0, quantumKleinTunneling.restMass 0.05"
             ", quantumKleinTunneling.centerX -10.0, quantumKleinTunneling.centerY 0.0"
             ", quantumKleinTunneling.sigma 2.2, quantumKleinTunneling.momentumX 1.5"
             ", quantumKleinTunneling.momentumY 0, quantumKleinTunneling.barrierCenterX 0"
             ", quantumKleinTunneling.barrierWidth 3.0, quantumKleinTunneling.barrierHeight 3.2"
             ", quantumKleinTunneling.detectorX 6.0, quantumKleinTunneling.analysisEndTime 18.0"},
        {51, "boundaryModeIndex 1, absorbingWidthFraction 0.12, absorbingStrength 5.0, geometryIndex 0"
             ", graphicsPresetIndex 1, paletteIndex 0, currentOverlay 0, sceneActive 0"
             ", initialPreparation.type 16, quantumKleinTunneling.enabled 1"
             ", quantumKleinTunneling.lightSpeed 1.0, quantumKleinTunneling.restMass 0.05"
             ", quantumKleinTunneling.centerX -12.0, quantumKleinTunneling.centerY 0.0"
             ", quantumKleinTunneling.sigma 1.8, quantumKleinTunneling.momentumX 1.5"
             ", quantumKleinTunneling.momentumY 0, quantumKleinTunneling.barrierCenterX 0"
             ", quantumKleinTunneling.barrierWidth 9.0, quantumKleinTunneling.barrierHeight 3.2"
             ", quantumKleinTunneling.detectorX 7.0, quantumKleinTunneling.analysisEndTime 26.0"},
        {52, "boundaryModeIndex 1, absorbingWidthFraction 0.12, absorbingStrength 5.0, geometryIndex 0"
             ", graphicsPresetIndex 1, paletteIndex 0, currentOverlay 0, sceneActive 0"
             ", initialPreparation.type 16, quantumKleinTunneling.enabled 1"
             ", quantumKleinTunneling.lightSpeed 1.0, quantumKleinTunneling.restMass 0.4"
             ", quantumKleinTunneling.centerX -12.0, quantumKleinTunneling.centerY 0.0"
             ", quantumKleinTunneling.sigma 1.8, quantumKleinTunneling.momentumX 1.446547614149"
             ", quantumKleinTunneling.momentumY 0, quantumKleinTunneling.barrierCenterX 0"
             ", quantumKleinTunneling.barrierWidth 9.0, quantumKleinTunneling.barrierHeight 2.0"
             ", quantumKleinTunneling.detectorX 7.0, quantumKleinTunneling.analysisEndTime 26.0"},
        {53, "boundaryModeIndex 1, absorbingWidthFraction 0.12, absorbingStrength 5.0, geometryIndex 0"
             ", graphicsPresetIndex 1, paletteIndex 0, currentOverlay 0, sceneActive 0"
             ", initialPreparation.type 16, quantumKleinTunneling.enabled 1"
             ", quantumKleinTunneling.lightSpeed 1.0, quantumKleinTunneling.restMass 0.0"
             ", quantumKleinTunneling.centerX -10.0, quantumKleinTunneling.centerY 0.0"
             ", quantumKleinTunneling.sigma 3.0, quantumKleinTunneling.momentumX 1.5"
             ", quantumKleinTunneling.momentumY 0, quantumKleinTunneling.barrierCenterX 0"
             ", quantumKleinTunneling.barrierWidth 3.0, quantumKleinTunneling.barrierHeight 3.2"
             ", quantumKleinTunneling.detectorX 6.0, quantumKleinTunneling.analysisEndTime 20.0"},
    };
    ASSERT_EQ(std::size(rows), presetCount());
    for (const auto& row : rows) {
        SCOPED_TRACE("preset " + std::to_string(row.first));
        const ExperimentPreset p = makeExperimentPreset(row.first);
        const QJsonObject json = experimentDocumentToJson(presetDocument(p));
        const std::map<std::string, double> fields = {
            {"boundaryModeIndex", p.boundaryModeIndex},
            {"absorbingWidthFraction", p.absorbingWidthFraction},
            {"absorbingStrength", p.absorbingStrength},
            {"geometryIndex", p.geometryIndex},
            {"geometryV0", p.geometryV0},
            {"geometryCenterX", p.geometryCenterX},
            {"geometryCenterY", p.geometryCenterY},
            {"geometrySizeA", p.geometrySizeA},
            {"geometrySizeB", p.geometrySizeB},
            {"geometrySizeC", p.geometrySizeC},
            {"geometrySizeD", p.geometrySizeD},
            {"graphicsPresetIndex", p.graphicsPresetIndex},
            {"paletteIndex", p.paletteIndex},
            {"currentOverlay", p.currentOverlay},
            {"currentModeIndex", p.currentModeIndex},
            {"sceneActive", p.sceneActive},
            {"initialPreparation.type", static_cast<double>(p.initialPreparation.type)},
            {"initialPreparation.stateA", p.initialPreparation.stateA},
            {"initialPreparation.stateB", p.initialPreparation.stateB},
            {"initialPreparation.relativePhaseDegrees", p.initialPreparation.relativePhaseDegrees},
            {"measurementCollapse.resolution", p.measurementCollapseResolution},
        };
        std::istringstream items(row.second);
        std::string item;
        while (std::getline(items, item, ',')) {
            std::istringstream pair(item);
            std::string name;
            double expected = 0.0;
            pair >> name >> expected;
            double actual = std::numeric_limits<double>::quiet_NaN();
            if (const auto field = fields.find(name); field != fields.end()) {
                actual = field->second;
            } else if (const auto dot = name.find('.'); dot != std::string::npos) {
                const QJsonValue value = json.value(QString::fromStdString(name.substr(0, dot)))
                                             .toObject()
                                             .value(QString::fromStdString(name.substr(dot + 1)));
                if (value.isBool())
                    actual = value.toBool() ? 1.0 : 0.0;
                else if (value.isDouble())
                    actual = value.toDouble();
            }
            EXPECT_NEAR(actual, expected, 1e-11) << name;
        }
    }
}

TEST(ExperimentCatalogueValues, AndersonDisorderFromItsGenerator)
{
    const ExperimentPreset p = makeExperimentPreset(34);
    ASSERT_EQ(p.scene.size(), 46u);
    for (const PotentialObject& o : p.scene.objects()) {
        SCOPED_TRACE("id " + std::to_string(o.id));
        EXPECT_EQ(o.kind, PotentialObjectKind::Gaussian);
        EXPECT_FLOAT_EQ(o.sigmaX, 0.45f);
        EXPECT_FLOAT_EQ(o.sigmaY, 0.45f);
        const int site = static_cast<int>((o.id - 1) / 2) - 11;
        EXPECT_FLOAT_EQ(o.centerX, static_cast<float>(site * 1.6));
        if (o.id % 2 == 1) {
            EXPECT_FLOAT_EQ(o.centerY, 4.0f);
            EXPECT_EQ(o.value, -5.0f);
        } else {
            EXPECT_FLOAT_EQ(o.centerY, -4.0f);
            EXPECT_GE(o.value, -7.25f);
            EXPECT_LE(o.value, -2.75f);
        }
    }
    EXPECT_NEAR(objectWithId(p, 2).value, -4.9118, 5e-5);
    EXPECT_FLOAT_EQ(objectWithId(p, 2).centerX, -17.6f);
    EXPECT_NEAR(objectWithId(p, 46).value, -3.0366, 5e-5);
    EXPECT_FLOAT_EQ(objectWithId(p, 46).centerX, 17.6f);
    EXPECT_NE(objectWithId(p, 4).value, objectWithId(p, 2).value);
}

TEST(ExperimentCatalogueValues, ObliqueKleinPacketAndDiracMirrors)
{
    const ExperimentPreset p = makeExperimentPreset(49);
    EXPECT_NEAR(std::hypot(p.packetMomentumX, p.packetMomentumY), 1.5, 1e-11);
    EXPECT_NEAR(std::atan2(p.packetMomentumY, p.packetMomentumX) * 180.0 / 3.141592653589793, 35.0, 1e-9);
    EXPECT_EQ(p.quantumKleinTunneling.momentumX, p.packetMomentumX);
    EXPECT_EQ(p.quantumKleinTunneling.momentumY, p.packetMomentumY);
    EXPECT_EQ(p.quantumKleinTunneling.centerY, -5.6);
    EXPECT_EQ(p.quantumKleinTunneling.analysisEndTime, 22.0);

    const ExperimentPreset massless = makeExperimentPreset(53);
    EXPECT_EQ(massless.quantumKleinTunneling.restMass, 0.0);
    EXPECT_EQ(massless.mass, 0.05);
    const ExperimentPreset massScan = makeExperimentPreset(52);
    EXPECT_EQ(massScan.mass, 0.4);
    EXPECT_EQ(massScan.quantumKleinTunneling.restMass, 0.4);
    EXPECT_EQ(massScan.quantumKleinTunneling.barrierHeight, 2.0);
}

TEST(ExperimentCatalogueValues, FamilyVariants)
{
    EXPECT_EQ(makeExperimentPreset(14).periodicDrive.angularFrequency, 0.8);
    EXPECT_EQ(makeExperimentPreset(15).periodicDrive.angularFrequency, 0.5);
    EXPECT_EQ(makeExperimentPreset(16).periodicDrive.angularFrequency, 0.5);
    EXPECT_EQ(makeExperimentPreset(17).periodicDrive.angularFrequency, 0.305536);
    EXPECT_EQ(makeExperimentPreset(18).linearSweep.duration, 4.0);
    EXPECT_EQ(makeExperimentPreset(19).linearSweep.duration, 40.0);
    // The sweep starts from the bias the scene already holds.
    EXPECT_FLOAT_EQ(objectWithId(makeExperimentPreset(19), 4).slopeX, 0.35f);
    EXPECT_FLOAT_EQ(objectWithId(makeExperimentPreset(17), 4).slopeX, 0.0f);

    for (const auto& stueckelberg : {std::make_pair(20u, 4.0), std::make_pair(21u, 7.0)}) {
        const LinearSweep sweep = makeExperimentPreset(stueckelberg.first).linearSweep;
        EXPECT_EQ(sweep.duration, 4.0);
        EXPECT_TRUE(sweep.returnEnabled);
        EXPECT_EQ(sweep.holdDuration, stueckelberg.second);
        EXPECT_EQ(sweep.returnDuration, 4.0);
    }
    EXPECT_EQ(makeExperimentPreset(22).ramseySequence.freeEvolutionDuration, 5.5);
    EXPECT_EQ(makeExperimentPreset(23).ramseySequence.freeEvolutionDuration, 15.75);
    const RamseySequence echo = makeExperimentPreset(24).ramseySequence;
    EXPECT_TRUE(echo.echoEnabled);
    EXPECT_EQ(echo.echoPulseDuration, 25.75);
    EXPECT_EQ(echo.echoPulsePhaseDegrees, 90.0);
    EXPECT_EQ(echo.freeEvolutionDuration, 5.5);
    EXPECT_FALSE(makeExperimentPreset(24).ramseyEnsemble.enabled);
}

TEST(ExperimentCatalogueValues, EnsemblePresetsKeepTheirOwnTexts)
{
    const ExperimentPreset ensemble = makeExperimentPreset(25);
    const ExperimentPreset echoEnsemble = makeExperimentPreset(26);
    EXPECT_STREQ(echoEnsemble.title, "Hahn Echo Ensemble (Static Detuning Refocusing)");
    EXPECT_TRUE(startsWith(echoEnsemble.summary, "The same Gaussian distribution of static"));
    EXPECT_STREQ(echoEnsemble.guideHtmlEnglish, presetGuideEnglish(26));
    EXPECT_STREQ(echoEnsemble.guideHtmlItalian, presetGuideItalian(26));
    EXPECT_STRNE(echoEnsemble.summary, ensemble.summary);
    EXPECT_STREQ(ensemble.title, "Ramsey Ensemble (Inhomogeneous Broadening)");
    EXPECT_STREQ(ensemble.guideHtmlEnglish, presetGuideEnglish(25));

    EXPECT_TRUE(echoEnsemble.ramseySequence.echoEnabled);
    EXPECT_EQ(echoEnsemble.ramseySequence.freeEvolutionDuration, 15.75);
    EXPECT_FALSE(ensemble.ramseySequence.echoEnabled);
    EXPECT_EQ(ensemble.ramseySequence.freeEvolutionDuration, 15.75);
    for (const ExperimentPreset* p : {&ensemble, &echoEnsemble}) {
        EXPECT_TRUE(p->ramseyEnsemble.enabled);
        EXPECT_EQ(p->ramseyEnsemble.detuningStdDev, 0.06);
        EXPECT_EQ(p->ramseyEnsemble.memberCount, 41);
    }
}

TEST(ExperimentCatalogueValues, BoxWallsAndWells)
{
    const ExperimentPreset rectangular = makeExperimentPreset(29);
    ASSERT_EQ(rectangular.scene.size(), 4u);
    expectRectangle(objectWithId(rectangular, 1), -9.64f, 0.0f, 1.28f, 16.56f, 120.0f);
    expectRectangle(objectWithId(rectangular, 2), 0.0f, -7.64f, 20.56f, 1.28f, 120.0f);
    expectRectangle(objectWithId(rectangular, 3), 9.64f, 0.0f, 1.28f, 16.56f, 120.0f);
    expectRectangle(objectWithId(rectangular, 4), 0.0f, 7.64f, 20.56f, 1.28f, 120.0f);

    const ExperimentPreset sinai = makeExperimentPreset(30);
    ASSERT_EQ(sinai.scene.size(), 5u);
    EXPECT_EQ(objectWithId(sinai, 5).kind, PotentialObjectKind::Circle);
    EXPECT_FLOAT_EQ(objectWithId(sinai, 5).radius, 2.2f);
    const ExperimentPreset loschmidt = makeExperimentPreset(39);
    EXPECT_EQ(loschmidt.scene.size(), 5u);
    EXPECT_TRUE(loschmidt.currentOverlay);
    EXPECT_FALSE(sinai.currentOverlay);
    EXPECT_TRUE(loschmidt.quantumLoschmidt.enabled);
    EXPECT_EQ(loschmidt.quantumLoschmidt.reversalTime, 4.0);

    // The double barrier: two equal barriers at x = -1.2 and 1.2 on the axis.
    const ExperimentPreset resonant = makeExperimentPreset(7);
    ASSERT_EQ(resonant.scene.size(), 2u);
    for (std::uint64_t id : {1u, 2u}) {
        const PotentialObject& b = objectWithId(resonant, id);
        EXPECT_EQ(b.kind, PotentialObjectKind::Barrier);
        EXPECT_FLOAT_EQ(b.centerX, id == 1 ? -1.2f : 1.2f);
        EXPECT_FLOAT_EQ(b.centerY, 0.0f);
        EXPECT_FLOAT_EQ(b.length, 30.0f);
        EXPECT_FLOAT_EQ(b.thickness, 0.64f);
        EXPECT_FLOAT_EQ(b.value, 4.5f);
    }
    // The Moshinsky shutter: one thin barrier of 120 across the axis.
    const ExperimentPreset shutter = makeExperimentPreset(40);
    ASSERT_EQ(shutter.scene.size(), 1u);
    const PotentialObject& s = objectWithId(shutter, 1);
    EXPECT_EQ(s.kind, PotentialObjectKind::Barrier);
    EXPECT_FLOAT_EQ(s.centerX, 0.0f);
    EXPECT_FLOAT_EQ(s.centerY, 0.0f);
    EXPECT_FLOAT_EQ(s.length, 19.0f);
    EXPECT_FLOAT_EQ(s.thickness, 0.32f);
    EXPECT_FLOAT_EQ(s.value, 120.0f);

    const ExperimentPreset revival = makeExperimentPreset(28);
    ASSERT_EQ(revival.scene.size(), 4u);
    expectRectangle(objectWithId(revival, 1), -3.84f, 0.0f, 1.28f, 8.96f, 120.0f);
    expectRectangle(objectWithId(revival, 2), 0.0f, -3.84f, 8.96f, 1.28f, 120.0f);
    expectRectangle(objectWithId(revival, 3), 3.84f, 0.0f, 1.28f, 8.96f, 120.0f);
    expectRectangle(objectWithId(revival, 4), 0.0f, 3.84f, 8.96f, 1.28f, 120.0f);

    const ExperimentPreset well = makeExperimentPreset(10);
    ASSERT_EQ(well.scene.size(), 2u);
    expectRectangle(objectWithId(well, 1), -12.24f, 0.0f, 16.48f, 40.96f, 5.0f);
    expectRectangle(objectWithId(well, 2), 12.24f, 0.0f, 16.48f, 40.96f, 5.0f);
    EXPECT_EQ(well.initialPreparation.type, InitialPreparationType::BoundEigenstate);
    EXPECT_EQ(well.initialPreparation.stateA, 1);

    const ExperimentPreset lattice = makeExperimentPreset(27);
    ASSERT_EQ(lattice.scene.size(), 17u);
    for (std::uint64_t i = 0; i < 16; ++i)
        expectRectangle(objectWithId(lattice, i + 1), static_cast<float>((i - 7.5) * 2.56), 0.0f, 1.28f, 42.0f, -1.0f);
    EXPECT_EQ(objectWithId(lattice, 17).kind, PotentialObjectKind::Linear);
    EXPECT_FLOAT_EQ(objectWithId(lattice, 17).slopeX, 0.08f);

    // The presets of one smooth object at the origin: its kind and every size.
    struct Single {
        std::uint32_t preset;
        PotentialObjectKind kind;
        float value, sigma, curvatureX, curvatureY, width, radius;
    };
    const Single singles[] = {
        {8, PotentialObjectKind::Harmonic, 0.0f, 0.0f, 0.25f, 0.25f, 0.0f, 0.0f},
        {9, PotentialObjectKind::Gaussian, -6.0f, 3.0f, 0.0f, 0.0f, 0.0f, 0.0f},
        {13, PotentialObjectKind::Harmonic, 0.0f, 0.0f, 0.25f, 0.25f, 0.0f, 0.0f},
        {14, PotentialObjectKind::Harmonic, 0.0f, 0.0f, 0.25f, 0.25f, 0.0f, 0.0f},
        {15, PotentialObjectKind::Harmonic, 0.0f, 0.0f, 0.25f, 0.25f, 0.0f, 0.0f},
        {33, PotentialObjectKind::Harmonic, 0.0f, 0.0f, 0.25f, 0.25f, 0.0f, 0.0f},
        {35, PotentialObjectKind::Harmonic, 0.0f, 0.0f, 0.0f, 0.494f, 0.0f, 0.0f},
        {37, PotentialObjectKind::StadiumExterior, 120.0f, 0.0f, 0.0f, 0.0f, 8.0f, 4.5f},
        {38, PotentialObjectKind::Harmonic, 0.0f, 0.0f, 1.0f, 1.0f, 0.0f, 0.0f},
    };
    for (const Single& row : singles) {
        SCOPED_TRACE("preset " + std::to_string(row.preset));
        const ExperimentPreset p = makeExperimentPreset(row.preset);
        ASSERT_EQ(p.scene.size(), 1u);
        const PotentialObject& o = objectWithId(p, 1);
        EXPECT_EQ(o.kind, row.kind);
        EXPECT_FLOAT_EQ(o.centerX, 0.0f);
        EXPECT_FLOAT_EQ(o.centerY, 0.0f);
        EXPECT_FLOAT_EQ(o.value, row.value);
        if (row.kind == PotentialObjectKind::Gaussian) {
            EXPECT_FLOAT_EQ(o.sigmaX, row.sigma);
            EXPECT_FLOAT_EQ(o.sigmaY, row.sigma);
        } else if (row.kind == PotentialObjectKind::Harmonic) {
            EXPECT_FLOAT_EQ(o.curvatureX, row.curvatureX);
            EXPECT_FLOAT_EQ(o.curvatureY, row.curvatureY);
        } else {
            EXPECT_FLOAT_EQ(o.width, row.width);
            EXPECT_FLOAT_EQ(o.radius, row.radius);
        }
    }

    // The bouncer's floor and its uniform downward force along y only.
    const ExperimentPreset bouncer = makeExperimentPreset(32);
    ASSERT_EQ(bouncer.scene.size(), 2u);
    expectRectangle(objectWithId(bouncer, 1), 0.0f, -8.64f, 40.96f, 1.28f, 150.0f);
    const PotentialObject& force = objectWithId(bouncer, 2);
    EXPECT_EQ(force.kind, PotentialObjectKind::Linear);
    EXPECT_FLOAT_EQ(force.centerY, -8.0f);
    EXPECT_FLOAT_EQ(force.slopeX, 0.0f);
    EXPECT_FLOAT_EQ(force.slopeY, 0.8f);

    // The Zeno lanes: divider, outer walls, back walls and escape barriers in order.
    const ExperimentPreset zeno = makeExperimentPreset(36);
    ASSERT_EQ(zeno.scene.size(), 7u);
    const float lanes[7][5] = {{0.0f, 0.0f, 40.96f, 0.64f, 120.0f},   {0.0f, 9.76f, 40.96f, 0.48f, 120.0f},
                               {0.0f, -9.76f, 40.96f, 0.48f, 120.0f}, {-9.0f, 4.8f, 0.64f, 8.6f, 120.0f},
                               {-9.0f, -4.8f, 0.64f, 8.6f, 120.0f},   {0.0f, 4.8f, 0.8f, 8.6f, 4.0f},
                               {0.0f, -4.8f, 0.8f, 8.6f, 4.0f}};
    for (std::uint64_t id = 1; id <= 7; ++id) {
        SCOPED_TRACE("Zeno object " + std::to_string(id));
        const float* r = lanes[id - 1];
        expectRectangle(objectWithId(zeno, id), r[0], r[1], r[2], r[3], r[4]);
    }
}

// ---------------------------------------------------------------------------
// Real-world unit mapping

// Every preset's mapping: the system, the length unit and the time unit
// T0 = m L0^2 / (m_sim hbar) of its physical mass, or a fixed one for the
// effective Dirac presets.
TEST(RealWorldScale, EveryPresetsSystemLengthAndTimeUnits)
{
    const double hbar = 1.054571817e-34;
    const double gaas = 6.103287088313001e-32, rb87 = 1.4431608951941213e-25, na23 = 3.8175410024881635e-26;
    const double neutron = 1.67492749804e-27, electron = 9.1093837139e-31;
    struct Row {
        std::uint32_t first, last;
        const char* system;
        double lengthUnit;
        double mass; // 0: the fixed Dirac time unit of 1e-14 s
    };
    const Row rows[] = {
        {0, 7, "GaAs-like 2DEG / semiconductor nanostructure", 1e-8, gaas},
        {8, 9, "ultracold Rb-87 atom / trapped matter wave", 1e-6, rb87},
        {10, 10, "GaAs-like 2DEG / semiconductor nanostructure", 1e-8, gaas},
        {11, 26, "ultracold Rb-87 atom / trapped matter wave", 1e-6, rb87},
        {27, 27, "ultracold Rb-87 atoms in an optical lattice", 2e-7, rb87},
        {28, 28, "ultracold Rb-87 matter wave in a finite optical box", 1e-6, rb87},
        {29, 30, "GaAs-like ballistic 2DEG in a mesoscopic cavity", 5e-8, gaas},
        {31, 31, "Rb-87 matter wave behind a near-780 nm periodic grating", 7.6171875e-8, rb87},
        {32, 32, "ultracold neutron above a reflecting mirror in Earth's gravity", 5.87e-6, neutron},
        {33, 33, "trapped Rb-87 matter-wave phase vortex (single-particle analogue)", 1e-6, rb87},
        {34, 34, "ultracold Rb-87 matter wave in a disordered optical potential", 1e-6, rb87},
        {35, 35, "ultracold Na atoms in a pulsed 589 nm standing wave", 1.43798828125e-8, na23},
        {36, 36, "cold Na atoms in an optical tunnelling / watched-escape trap", 5e-7, na23},
        {37, 37, "GaAs-like ballistic 2DEG in a mesoscopic cavity", 5e-8, gaas},
        {38, 38, "ultracold Rb-87 atom in a slowly rotated anisotropic optical trap", 1e-6, rb87},
        {39, 39, "GaAs-like ballistic 2DEG in a mesoscopic cavity", 5e-8, gaas},
        {40, 40, "cold Rb-87 matter wave manipulated by a temporal shutter", 1e-6, rb87},
        {41, 41, "ultracold Rb-87 atoms diffracted by a near-780 nm standing wave", 9.521484375e-8, rb87},
        {42, 42, "GaAs-like coherent electron wave around a mesoscopic flux region", 5e-8, gaas},
        {43, 43, "GaAs-like 2DEG in a uniform mesoscopic magnetic field", 5e-8, gaas},
        {44, 44, "GaAs-like 2DEG edge channel in a mesoscopic Hall bar", 5e-8, gaas},
        {45, 45, "free electron matter wave (formal nanoscale mapping)", 1e-8, electron},
        {47, 52, "gapped effective Dirac quasiparticle / graphene-like simulator", 1e-8, 0.0},
        {53, 53, "graphene-like massless Dirac quasiparticle (effective single-cone mapping)", 1e-8, 0.0},
    };
    for (const Row& row : rows)
        for (std::uint32_t i = row.first; i <= row.last; ++i) {
            SCOPED_TRACE("preset " + std::to_string(i));
            const ExperimentPreset p = makeExperimentPreset(i);
            EXPECT_STREQ(p.realWorldScale.system, row.system);
            EXPECT_EQ(p.realWorldScale.lengthUnit, row.lengthUnit);
            const double expected =
                row.mass > 0.0 ? row.mass * row.lengthUnit * row.lengthUnit / (p.mass * hbar) : 1e-14;
            EXPECT_NEAR(p.realWorldScale.timeUnit / expected, 1.0, 1e-12);
        }
}

TEST(RealWorldScale, KineticTimeUnitFollowsTheMass)
{
    const ExperimentPreset freePacket = makeExperimentPreset(0);
    EXPECT_EQ(freePacket.realWorldScale.lengthUnit, 1e-8);
    EXPECT_NEAR(freePacket.realWorldScale.timeUnit, 5.787455e-14, 1e-19);

    const ExperimentPreset rotor = makeExperimentPreset(35);
    EXPECT_EQ(rotor.mass, 0.1);
    EXPECT_NEAR(rotor.realWorldScale.timeUnit, 0.749e-6, 0.001e-6);

    // A mass that is not positive counts as the unit mass.
    ExperimentPreset unitMass;
    applyRealWorldScale(8, unitMass);
    for (double mass : {0.0, -2.0}) {
        ExperimentPreset preset;
        preset.mass = mass;
        applyRealWorldScale(8, preset);
        EXPECT_EQ(preset.realWorldScale.timeUnit, unitMass.realWorldScale.timeUnit);
    }
    EXPECT_STREQ(unitMass.realWorldScale.system, "ultracold Rb-87 atom / trapped matter wave");
    // Outside the catalogue the generic cold-atom mapping applies.
    ExperimentPreset outside;
    applyRealWorldScale(200, outside);
    EXPECT_STREQ(outside.realWorldScale.system, unitMass.realWorldScale.system);
}

TEST(RealWorldScale, DiracMappings)
{
    const ExperimentPreset zitter = makeExperimentPreset(46);
    EXPECT_EQ(zitter.quantumZitterbewegung.restMass, 0.5);
    EXPECT_NEAR(zitter.realWorldScale.lengthUnit, 1.931e-13, 0.001e-13);
    EXPECT_NEAR(zitter.realWorldScale.timeUnit, 6.44e-22, 0.01e-22);
    EXPECT_DOUBLE_EQ(zitter.realWorldScale.timeUnit, zitter.realWorldScale.lengthUnit / 299792458.0);

    // The effective Dirac velocity fixes T0 whatever the mass.
    for (std::uint32_t index : {47u, 52u, 53u}) {
        const ExperimentPreset klein = makeExperimentPreset(index);
        EXPECT_EQ(klein.realWorldScale.lengthUnit, 1e-8);
        EXPECT_EQ(klein.realWorldScale.timeUnit, 1e-14);
    }
    EXPECT_STRNE(makeExperimentPreset(52).realWorldScale.system, makeExperimentPreset(53).realWorldScale.system);
}

TEST(ExperimentPresetRecord, MoveTakesTheSceneAndKeepsTexts)
{
    ExperimentPreset source = makeExperimentPreset(34);
    const std::string title = source.title;
    ExperimentPreset moved(std::move(source));
    EXPECT_EQ(moved.scene.size(), 46u);
    EXPECT_TRUE(source.scene.objects().empty()); // NOLINT(bugprone-use-after-move)
    EXPECT_EQ(title, source.title);
    EXPECT_EQ(title, moved.title);

    ExperimentPreset assigned;
    assigned = std::move(moved);
    EXPECT_EQ(assigned.scene.size(), 46u);
    EXPECT_TRUE(moved.scene.objects().empty()); // NOLINT(bugprone-use-after-move)
    EXPECT_STREQ(moved.realWorldScale.note, assigned.realWorldScale.note);
}

} // namespace
} // namespace vxo
