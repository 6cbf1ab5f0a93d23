#pragma once
// [F6] save and [F7] restore of the data selection screen: what the screen
// does around the save and restore engines. Before the engine runs it keeps
// a shared data set up to date, brings a cloud-shared one up to date, looks
// for damage, the recorded status and the operator's right, and asks for the
// place ("データの保存" / "データの復元", with the place history of
// history.ini [DataBackFolder]); while the engine runs it shows the progress
// window; afterwards it brings the row, its children and the shared copy up
// to date.
//
// A restore works on its own record of the row and of its source; a copy
// marked with [F2] stays as it was.
//
// Results: 1 done, -1 failed or refused after the place was chosen, 0
// nothing done.
#include <cstdint>
#include <string>

namespace vq {

class DataSetBackupTool;
class TDataSentakuBox;
class TDataSetRowOperations;
class TFileOperationBox;
class TFileOperationBoxEx1;

// place empty: the operator chooses it; otherwise the backup goes there
// without a question (take-out and bring-back). ownLock: the row carries this
// operator's own lock for the take-out.
std::int32_t SaveRowData(TDataSentakuBox& box, const std::string& place, const DataSetBackupTool& tool,
                         bool ownLock = false);
// place empty: the operator chooses it; otherwise "vqacc.fbk" of place is restored.
std::int32_t RestoreRowData(TDataSentakuBox& box, const std::string& place, const DataSetBackupTool& tool);

// The backup tool of the screen's row operations (the default tool when they
// keep none).
const DataSetBackupTool& BackupToolOf(const TDataSetRowOperations& ops);

// The screen's place dialogs, made when first needed and kept (and freed)
// with the screen.
TFileOperationBox& SavePlaceDialog(TDataSentakuBox& box);
TFileOperationBoxEx1& RestorePlaceDialog(TDataSentakuBox& box);
// Their settings as the save and the restore give them.
void SetupSavePlaceDialog(TFileOperationBox& dialog);
void SetupRestorePlaceDialog(TFileOperationBoxEx1& dialog);

} // namespace vq
