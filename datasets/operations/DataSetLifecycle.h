#pragma once
// New data set, delete, add area and release of a shared area: the row
// operations of the data selection screen that create or remove a data set
// or its place in the list. The screen does the row choice, the damage check
// and the refresh; these engines run from the status check on.
//
// Safety: a status 9 is never left behind (a creation that did not succeed
// takes away what it made); a delete removes the folder first and changes
// rows and counts only after that succeeded; a release keeps a taken working
// copy back to the share before it removes it, and rewrites the row only
// after the removal.
#include <cstdint>
#include <string>

#include "datasets/DataListRec.h"
#include "datasets/DataSentakuListCtl.h"

namespace vq {

// [F3] on an empty row: prepares the folder (status 9), starts the
// basic-settings wizard "QzKihonWiz" through the launcher hook and cleans up
// by its result. Returns the wizard's result (-1 when nothing ran).
std::int32_t NewDataSet(const std::string& folder, TDataListRec& row, TDataSentakuListCtl& store,
                        std::intptr_t windowHandle = 0);

struct DeleteRequest {
    std::string Folder;          // the data set's local folder
    TDataSentakuRec Parent;      // the row's parent record (the row itself for a parent)
    TDataListRec Row;            // the row to delete
    std::string ParentFolder;    // the parent's local folder (a distributed-input child)
    std::string LastChosenFolder;// the data set the program last opened
    std::int32_t SyoriType = 0;  // the screen's processing type
    bool Report = true;
    bool AllowUndo = true;       // a stand-alone data set goes to the trash
};

// [F5]: 1 in every case but a failed row delete, which gives 0 (reported).
std::int32_t DeleteDataSet(const DeleteRequest& request, TDataSentakuListCtl& store);

// [F4] in the server modes: a new empty row for the folder name (at most
// 2000 rows). True when the row was inserted.
bool AddDataArea(const std::string& placePath, const std::string& name, std::int32_t rowCount,
                 TDataSentakuListCtl& store);

// [F4] in stand-alone mode: the row forgets its shared area. 1 when done or
// cancelled, 0 when the working copy could not be kept or removed (nothing
// changed then).
std::int32_t ReleaseKyoyu(TDataSentakuRec& row, const std::string& localFolder, TDataSentakuListCtl& store);

} // namespace vq
