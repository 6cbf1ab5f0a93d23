#pragma once
// The row checks every operation of the data selection screen starts from:
// the status a data set records for itself, the data-list record behind a
// grid row, the folder the row's data set is used from, and the row's
// shared-data state. They take plain rows and folders, so the screen and the
// operations on data sets call the same code.
#include <cstdint>
#include <string>

#include "datasets/DataListRec.h"
#include "foundation/dataset/DataInfomationRec.h"

namespace vq {

// What a grid row carries to find its record: the consolidation kind, the
// index of the parent in the loaded list and the child's index within it.
struct TGridRowKey {
    std::int32_t Gassan = 0;
    std::int32_t Parent = 0;
    std::int32_t Child = 0;
};

// The parent record for a parent kind, else the child of the parent; nullptr
// when the indices are outside the list.
const TDataListRec* GetRowRecord(const TDataSentakuRecArray& rows, const TGridRowKey& key);
TDataListRec* GetRowRecord(TDataSentakuRecArray& rows, const TGridRowKey& key);

// The folder the row's data set is used from: its PASNAME without a trailing
// delimiter, or for a row bound to a shared area its local working copy
// ("%.4d" of REC under the data root; a child adds the last folder of PASNAME).
std::string GetDataPath(const TDataListRec& row);

enum KyoyuState : std::int32_t { KyoyuNone = 0, KyoyuKept = 1, KyoyuTaken = 2 };
// 0 not bound to a shared area, 1 kept on the share, 2 taken to this computer.
std::int32_t GetKyoyuState(const TDataListRec& row);

// Whether a status lets an operation go on in the connection mode:
// stand-alone {1}, client/server and server-based {1, 2}, other modes none.
bool IsAllowedStatus(std::uint8_t status, std::uint8_t connectMode);

// The status the data set in folder records. A folder without "vqacc.fdb"
// gives 0 after the warning "このフォルダには財務データがありません。" when
// warnNoData is set, else 1 (free) without a word. Otherwise info is filled
// from its description and its STATUS returned; a status outside the allowed
// set (other than 0 and 10, the damaged ones each operation handles itself)
// is reported first when report is set.
std::uint8_t CheckDataStatus(const std::string& folder, bool warnNoData, bool report, TDataInfomationRec& info);

// The status report of a data set that cannot be worked on.
void ShowDataStatusReport(const std::string& folder, const TDataInfomationRec& info);

} // namespace vq
