#pragma once

// The fixed texts of the catalogue: slug, title, one-line summary and
// analysis page of each guided experiment, in index order.

#include <cstdint>

namespace vxo {

struct CatalogueEntry {
    const char* slug;
    const char* title;
    const char* summary;
    std::int32_t analysisPage;
};

constexpr std::uint32_t kCatalogueSize = 54;

// The entry of a catalogue index; null outside the catalogue.
const CatalogueEntry* catalogueEntry(std::uint32_t index);

} // namespace vxo
