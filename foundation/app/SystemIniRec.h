#pragma once
// One row of the system-information table SYSTEMINI.
#include <cstdint>
#include <string>

namespace vq {

struct TSystemIniRec {
    std::int32_t REC = 0;
    std::int32_t RESERVE1 = 0;
    std::int32_t RESERVE2 = 0;
    std::int32_t RESERVE3 = 0;
    std::int32_t RESERVE4 = 0;
    std::int32_t RESERVE5 = 0;
    std::string SSTR;
};

} // namespace vq
