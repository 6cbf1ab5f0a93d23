#pragma once
// The row of a received data set in the system database's data list. The row
// is found by its folder (compared without case) among the logged-on group's
// rows of DATALIST, DATALIST_EX and CHILD_DATALIST, wherever the folder lies:
// exactly one row must match, else nothing is written.
#include "foundation/dataset/DataInfomationRec.h"

#include <cstdint>
#include <string>

namespace vq::comm {

// The number of rows of the group that name folder.
std::int32_t CountDataListRows(const std::string& folder);

// Writes name, fiscal period, versions, update lock and read-only flag of
// info into the folder's row. Throws std::runtime_error ("データフォルダパスが
// 不正です。…") for a blank folder or when not exactly one row names it;
// database errors are reported ("TDataSentakuBox.UpdateDataListRecord") and
// thrown again, the transaction rolled back.
void UpdateDataListRow(const std::string& folder, const TDataInfomationRec& info);

inline constexpr const char* BadDataFolderMessage = "データフォルダパスが不正です。\r処理を中止します。";

} // namespace vq::comm
