#pragma once
// A version as major.minor.release.build with the text it was parsed from.
// Comparisons (the version helpers) use the packed major.minor.release only.
#include <cstdint>
#include <string>

namespace vq {

struct TVersionRec {
    std::int32_t Major = 0;
    std::int32_t Minor = 0;
    std::int32_t Release = 0;
    std::int32_t Build = 0;
    std::string Text;
};

} // namespace vq
