#pragma once

#include <cstdint>

namespace vxo {

// The guide pages shown with each guided experiment: HTML fragments, pure
// ASCII (accents written as an apostrophe, arrows as "-&gt;"), one per preset
// index and language. An index outside the catalogue gives an empty string.
const char* presetGuideEnglish(std::uint32_t index);
const char* presetGuideItalian(std::uint32_t index);

} // namespace vxo
