#pragma once
// Backup, restore, copy and validation of one data-set database for the
// data-set operations. Each call runs one job of the backup-and-restore
// thread over the data module, as the screens do: the thread picks the
// database services, the server's file-transfer database or gbak (which
// tests point at a fake tool through platform::gbakProgram()), asks the My
// Number question of a save, writes the audit entries and the trailer. This
// class only fills the job's fields, waits for it with messages and hands
// back its verdict.
//
// Each call writes only the file it is given (the data module's restore
// builds its file beside the target and swaps it in once it validates); the
// callers give a temporary name where a finished file must replace an older
// one. A failure comes back as the code, the message and the detail of the
// thread, never as an exception.
#include <cstdint>
#include <filesystem>
#include <string>

#include "datasets/operations/BackupTrailer.h"

namespace vq {

struct BackupJobResult {
    bool Succeeded = false;
    std::string Code;     // "100" backup, "200" restore, "202" in use
    std::string Message;
    std::string Detail;
};

inline constexpr const char* BackupFailedText = "データベースの保存に失敗しました。";
inline constexpr const char* RestoreFailedText = "データベースの復元に失敗しました。";
inline constexpr const char* RestoreInUseText =
    "このデータは、他のオペレータが使用中のため復元処理を行うことが出来ません。";

class DataSetBackupTool {
public:
    // The database host; empty: the configured host in the server modes,
    // this computer in stand-alone mode.
    std::string Host;
    // Carries the jobs the way data on a server travels (the file-transfer
    // database, or gbak when the office has none) even in stand-alone mode.
    bool UseGbak = false;
    // The database services reach the files on the host directly (the
    // thread's Location 0) also in the server modes: for files that already
    // lie on the server.
    bool Direct = false;
    // The operation named in My Number audit entries.
    std::string Caption = "データ選択";

    // A bare backup: no trailer, no My Number question.
    BackupJobResult backup(const std::filesystem::path& database, const std::filesystem::path& backupFile) const;
    // The save of a data set: the My Number question (when the data set uses
    // My Number values), its audit entry and the trailer describing it.
    BackupJobResult save(const std::filesystem::path& database, const std::filesystem::path& backupFile,
                         const BackupTrailer& trailer) const;
    // Creates database from the backup, with the indexes active when
    // keepIndexes, else deactivated; without My Number check (a trial copy).
    BackupJobResult restore(const std::filesystem::path& backupFile, const std::filesystem::path& database,
                            bool keepIndexes) const;
    // The restore of a data set from a backup that source describes: a target
    // managing My Number values refuses a backup without them, and the
    // target's My Number audit log is kept across the restore.
    BackupJobResult restore(const std::filesystem::path& backupFile, const std::filesystem::path& database,
                            bool keepIndexes, const BackupTrailer& source) const;
    // A copy of database into secondDatabase by a backup into backupFile
    // (the work file) and a restore.
    BackupJobResult copy(const std::filesystem::path& database, const std::filesystem::path& secondDatabase,
                         const std::filesystem::path& backupFile) const;
    // The backup of database into backupFile and its restore in place.
    BackupJobResult rebuild(const std::filesystem::path& database, const std::filesystem::path& backupFile) const;
    // A full validation; succeeded when the file is there and the
    // validation reported nothing.
    BackupJobResult validate(const std::filesystem::path& database) const;

    // The thread's Location for the connection mode: 1 in the server modes
    // (or with UseGbak), else 0.
    std::uint8_t location() const;
    // The host the jobs use (see Host).
    std::string host() const;
};

// Closes the data module's own connection to the data set in folder, so that
// its file can be replaced.
void CloseOwnConnectionTo(const std::filesystem::path& folder);

// Whether anyone (this process included) has the data set in folder attached.
bool IsDataSetAttached(const std::string& host, const std::filesystem::path& folder);

} // namespace vq
