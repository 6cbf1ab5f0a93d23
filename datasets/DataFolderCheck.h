#pragma once
// Whether the folder of a row can be chosen: the check the data selection
// screen runs before it hands a data set back (or takes an empty row as a
// target).
#include <cstdint>
#include <string>

#include "foundation/dataset/DataInfomationRec.h"

namespace vq {

enum DataFolderCheck : std::int32_t {
    FolderHoldsData = 1,
    FolderEmpty = 0,
    FolderRefused = -1,
    FolderBlank = -2,          // processing type 3 only
    FolderRefusedBroken = -3,  // refused, and the data set was found broken
};

// 1 the folder holds the data set's database, 0 it holds none, -1 refused
// (with its message where there is one), -2 a blank folder under processing
// type 3, -3 refused with the data-broken flag set. A blank folder under any
// other type raises "データフォルダパスが不正です。\r処理を中止します。".
// info receives the description the status check read.
std::int32_t CheckDataFolder(const std::string& folder, std::int32_t syoriType, TDataInfomationRec& info);

} // namespace vq
