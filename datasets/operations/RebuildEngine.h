#pragma once
// The rebuild of a data set's database (the detail dialog's [F7] "再構築"):
// a backup and a restore of the database into a fresh file, which replaces
// the old one only when the restore succeeded, validates and nobody has the
// data set attached. A failure leaves the database byte-identical and shows
// "データ再構築の処理に失敗しました。" with the backup's message and detail.
#include <cstdint>
#include <string>

#include "datasets/operations/DataSetBackupTool.h"

namespace vq {

struct RebuildRequest {
    std::string Folder;         // the data set's folder
    std::int32_t Rec = 0;       // its data-list row (locked in the server modes while it runs)
    std::int32_t DataLock = 0;  // the row's lock when the dialog was opened
};

// True when the database was rebuilt; the data set's status is 1 afterwards.
bool RebuildData(const RebuildRequest& request, const DataSetBackupTool& tool);

} // namespace vq
