#pragma once
// Backup, restore and validation of one data-set database for the data-set
// operations: through the database engine's services (the default), or
// through the command-line tool gbak (platform::gbakProgram(), which tests
// point at a fake tool that fails or is killed midway). Each call writes only
// the file it is given; the callers give a temporary name and swap the result
// in when it is complete and sound. A failure comes back as the code, the
// message and the detail that the backup-and-restore thread reports, never as
// an exception.
#include <filesystem>
#include <string>

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
    // The database host; empty or "127.0.0.1" works on local files.
    std::string Host;
    bool UseGbak = false;

    BackupJobResult backup(const std::filesystem::path& database, const std::filesystem::path& backupFile) const;
    // Creates database from the backup (replacing a file of that name), with
    // the indexes active when keepIndexes, else deactivated.
    BackupJobResult restore(const std::filesystem::path& backupFile, const std::filesystem::path& database,
                            bool keepIndexes) const;
    // A full validation; succeeded when it reported nothing.
    BackupJobResult validate(const std::filesystem::path& database) const;

private:
    bool local() const;
    std::string databaseName(const std::filesystem::path& file) const;
};

// Closes the data module's own connection to the data set in folder, so that
// its file can be replaced.
void CloseOwnConnectionTo(const std::filesystem::path& folder);

// Whether anyone (this process included) has the data set in folder attached.
bool IsDataSetAttached(const std::string& host, const std::filesystem::path& folder);

} // namespace vq
