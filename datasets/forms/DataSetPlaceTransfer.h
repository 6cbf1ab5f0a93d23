#pragma once
// Save and restore of the focused row's data set with a place the caller
// gives: the take-out and bring-back ([F3] "持ち出し" on a server row, and the
// local list of processing type 5 that it opens). No place dialog is shown and
// an old backup in the place is replaced without a question. The row checks
// the screen owes before the engines run (damage, rights, cloud share) are
// made here; the callers have refused cloud-shared rows already.
//
// Results as the engines': 1 done, -1 failed or refused after the place was
// given, 0 nothing done.
#include <cstdint>
#include <string>

namespace vq {

class DataSetBackupTool;
class TDataSentakuBox;
class TDataSetRowOperations;

// ownLock: the row carries this operator's own lock for the take-out.
std::int32_t SaveRowToPlace(TDataSentakuBox& box, const std::string& place, const DataSetBackupTool& tool,
                            bool ownLock = false);
std::int32_t RestoreRowFromPlace(TDataSentakuBox& box, const std::string& place, const DataSetBackupTool& tool);

// The backup tool of the screen's row operations (the default tool when they
// keep none).
const DataSetBackupTool& BackupToolOf(const TDataSetRowOperations& ops);

} // namespace vq
