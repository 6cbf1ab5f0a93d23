#include "linkage/depreciation/GenkaSyokyakuKeisanRec.h"

namespace vq::linkage {

const char* GenkaSyokyakuHouhouName(std::int32_t code) {
    static const char* const names[] = {"定額法", "定率法", "均等償却", "一括償却",
                                        "少額減価償却資産", "リース期間定額法"};
    return (code >= 1 && code <= 6) ? names[code - 1] : "";
}

const char* GenkaSyokyakuJyoutaiName(std::int32_t code) {
    static const char* const names[] = {"新規取得", "償却中", "償却済", "除却",
                                        "売却", "改定償却", "再償却"};
    return (code >= 0 && code <= 6) ? names[code] : "";
}

} // namespace vq::linkage
