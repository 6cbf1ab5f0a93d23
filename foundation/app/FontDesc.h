#pragma once
// A font as the settings keep it; the screens turn it into a real font.
#include <cstdint>
#include <string>

namespace vq {

struct FontDesc {
    std::string name;
    std::int32_t size = 0;    // points
    std::int32_t style = 0;   // 0 regular, 1 bold, 2 italic, 3 bold italic
    std::int32_t charSet = 0; // Windows character-set number (128 = Shift-JIS)
    std::int32_t height = 0;  // pixels, 0 = derived from size
};

} // namespace vq
