#pragma once
// The last step of a slot receive: the received backup restored over the
// open data set (after the data-list check and the collation the operator
// accepts) or into a folder of its own, and the consolidation setting the
// data set keeps across it.
#include "comm/CloudShareDataFile.h"

#include <filesystem>
#include <string>

namespace vq::comm {

struct TReceivedRestore {
    std::filesystem::path Backup;
    // The open data set's folder.
    std::string Folder;
    // Not empty: restored into this folder, emptied first, without the
    // collation; the open data set stays as it is.
    std::filesystem::path Apart;
    // The job caption.
    std::string Caption;
    // Where the trial restore of a backup without description goes.
    std::filesystem::path WorkBase;
    // Refuses a received kind of consolidation the open data set's kind
    // cannot take.
    bool RefuseOtherGassan = false;
};

// True once restored; false after the refusal or failure was reported.
bool RestoreReceivedBackup(const TReceivedRestore& restore);

// The consolidation setting of folder a receive keeps (none but in the
// stand-alone mode, and not for the cash-book product).
TGassanSetting GassanSettingToKeep(const std::string& folder);
// Writes back what the restore of target replaced of saved.
void KeepGassanSetting(const TGassanSetting& saved, const std::filesystem::path& target);

} // namespace vq::comm
