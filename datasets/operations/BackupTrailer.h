#pragma once
// The block a save appends to a backup file "vqacc.fbk" so that a restore
// can check, without restoring, that the backup fits the row it goes to:
// the line "## CorvaneZone", then SHOUGOU=, KISHU=, KIMATU=, SIWAKE=,
// TOTALSIWAKE=, DATAVARSION=, GASSAN=, USEMYNUMBER=, each ended by CR LF, in
// CP932. The backup-and-restore thread writes and reads it; these are its
// values as one record, and the thread's own code behind two calls.
#include "foundation/dataset/DataInfomationRec.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace vq {

struct BackupTrailer {
    std::string SHOUGOU;
    std::string KISHU;        // "yyyy/mm/dd"
    std::string KIMATU;
    std::int32_t SIWAKE = 0;
    std::int32_t TOTALSIWAKE = 0;
    std::string DATAVARSION;  // "m.n.r"
    std::int32_t GASSAN = 0;
    std::int32_t USEMYNUMBER = 0;

    bool operator==(const BackupTrailer&) const = default;
};

// Appends the block when SHOUGOU is set (nothing otherwise). Throws on a
// write failure.
void WriteBackupTrailer(const std::filesystem::path& backupFile, const BackupTrailer& trailer);

// Loads the block of the file (missing numbers 0); with cut, truncates the
// file where the block starts. True when SHOUGOU was found.
bool ReadBackupTrailer(const std::filesystem::path& backupFile, BackupTrailer& trailer, bool cut);

// The block describing a data set, and the description a block gives.
BackupTrailer TrailerOf(const TDataInfomationRec& info);
TDataInfomationRec DescriptionOf(const BackupTrailer& trailer);

} // namespace vq
