#pragma once
// Save of a data set into a backup file "vqacc.fbk" with its trailer, and
// restore of such a backup into a data set, for [F6]/[F7] of the data
// selection screen and for take-out and bring-back. The screen does the row
// checks (cloud share, damage check, rights) and the place dialog; these
// engines do everything from the status check on.
//
// Safety: a save writes a hidden temporary beside "vqacc.fbk" and replaces
// the old backup only when the new one is complete; a restore restores into
// a new file beside the data set's database, validates it and swaps it in
// only then, with nobody attached. Every check runs before the first write; a
// failure leaves the data set byte-identical, sets its status back to 1 and
// shows the backup's message and detail.
//
// Results: 1 done, -1 failed or refused after the place was chosen, 0
// nothing done.
#include <cstdint>
#include <filesystem>
#include <string>

#include "datasets/DataListRec.h"
#include "datasets/operations/CopySource.h"
#include "datasets/operations/DataSetBackupTool.h"
#include "foundation/dataset/DataInfomationRec.h"

namespace vq {

struct SaveRequest {
    std::string Folder;       // the data set's local folder
    std::string Place;        // where "vqacc.fbk" goes
    bool PlaceGiven = false;  // take-out: an old backup there is replaced without a question
    std::int32_t Rec = 0;     // the data-list row (server modes lock it)
    std::int32_t DataLock = 0;
    // Take-out: the row carries this operator's own lock, set just before the
    // save so that nobody opens the data set while it leaves; that lock does
    // not refuse the save.
    bool OwnLock = false;
};

std::int32_t SaveDataSet(const SaveRequest& request, const DataSetBackupTool& tool);

struct RestoreRequest {
    std::string Folder;       // the data set's local folder (made when missing)
    std::string Place;        // where "vqacc.fbk" is read
    TDataListRec Row;         // the target row (damage, kind, lock)
    std::int32_t ParentChildCount = 0;
    // In the server modes: Place is the data set's own folder on the server
    // (the default place), whose backup is read and restored there.
    bool PlaceOnServer = false;
};

struct RestoreOutcome {
    std::int32_t Result = 0;
    bool HadDatabase = false;     // the folder held a database before
    bool DropChildren = false;    // a consolidated row got another company: its children go
    TDataInfomationRec Restored;  // the restored data set's description
    bool DescriptionRead = false;
    // The restore's own record of its source (company name, period, version
    // text, consolidation kind), apart from a copy that may be pending.
    TCopySource Source;
};

RestoreOutcome RestoreDataSet(const RestoreRequest& request, const DataSetBackupTool& tool);

// The operator's work folder on the server (the server's temp folder and
// the operator code), where a restore from the server checks its backup.
std::filesystem::path ServerWorkFolder();

// The program's temp folder, never accepted as a place.
std::string ProgramTempFolder();
// Whether place is the program's temp folder ("このフォルダは選択出来ません。
// 他の場所を選んで下さい。" is shown then).
bool RefuseTempPlace(const std::string& place);

} // namespace vq
