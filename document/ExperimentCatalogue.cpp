#include "document/ExperimentCatalogue.h"

#include "document/CatalogueEntries.h"
#include "document/CataloguePresets.h"

#include <stdexcept>

namespace vxo {

std::uint32_t presetCount() { return kCatalogueSize; }

bool isValidPresetIndex(std::uint32_t index) { return index < kCatalogueSize; }

void makeExperimentPreset(ExperimentPreset& out, std::uint32_t index)
{
    out = ExperimentPreset();
    if (!isValidPresetIndex(index))
        throw std::out_of_range("Experiment preset index out of range");
    out = buildCataloguePreset(index);
    // Last, so that the time unit sees the preset's final mass.
    applyRealWorldScale(index, out);
}

ExperimentPreset makeExperimentPreset(std::uint32_t index)
{
    ExperimentPreset preset;
    makeExperimentPreset(preset, index);
    return preset;
}

const char* presetSlug(std::uint32_t index)
{
    const CatalogueEntry* entry = catalogueEntry(index);
    return entry ? entry->slug : "unknown_experiment";
}

std::int32_t experimentPageForPreset(std::int32_t index)
{
    constexpr std::int32_t kNoAnalysisPage = 34;
    if (index < 0)
        return kNoAnalysisPage;
    const CatalogueEntry* entry = catalogueEntry(static_cast<std::uint32_t>(index));
    return entry ? entry->analysisPage : kNoAnalysisPage;
}

} // namespace vxo
