#include "datasets/operations/DataSetBackupTool.h"

#include "datasets/operations/StagedFolder.h"
#include "foundation/app/AccConstants.h"
#include "foundation/app/MessageWait.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"
#include "foundation/dataset/BackupRestoreThread.h"
#include "foundation/files/FileOperations.h"

namespace fs = std::filesystem;

namespace vq {

namespace {

// The screens poll the thread every 300 ms.
constexpr int PollMs = 300;

void setTrailer(TBackupRestoreThread& job, const BackupTrailer& t)
{
    job.ClearTrailer();
    job.SHOUGOU = t.SHOUGOU;
    job.KISHU = t.KISHU;
    job.KIMATU = t.KIMATU;
    job.SIWAKE = t.SIWAKE;
    job.TOTALSIWAKE = t.TOTALSIWAKE;
    job.DATAVARSION = t.DATAVARSION;
    job.GASSAN = t.GASSAN;
    job.USEMYNUMBER = t.USEMYNUMBER;
}

BackupJobResult run(TBackupRestoreThread& job)
{
    job.Resume();
    WaitForWithMessages([&] { return job.IsTerminated(); }, PollMs);
    BackupJobResult r;
    r.Succeeded = job.Succeeded == 1;
    r.Code = job.Code;
    r.Message = job.Message;
    r.Detail = job.Detail;
    if (!r.Succeeded && r.Message.empty()) {
        // The data module has shown its own reason already.
        const bool restore = job.Job == 1;
        r.Code = restore ? "200" : "100";
        r.Message = restore ? RestoreFailedText : BackupFailedText;
        r.Detail = restore ? "データベースの復元処理を中止しました。" : "データベースの保存処理を中止しました。";
    }
    return r;
}

} // namespace

std::uint8_t DataSetBackupTool::location() const
{
    if (Direct)
        return 0;
    return UseGbak || ConnectMode == ConnectClientServer || ConnectMode == ConnectTerminal ? 1 : 0;
}

std::string DataSetBackupTool::host() const
{
    if (!Host.empty())
        return Host;
    return ConnectMode == ConnectStandAlone ? std::string() : SystemDef.HostName;
}

BackupJobResult DataSetBackupTool::backup(const fs::path& database, const fs::path& backupFile) const
{
    TBackupRestoreThread job(true);
    job.Job = 0;
    job.Location = location();
    job.AskFirst = 0;
    job.Caption = Caption;
    job.Host = host();
    job.DbFile = database.string();
    job.BackupFile = backupFile.string();
    job.KeepIndexes = 1;
    return run(job);
}

BackupJobResult DataSetBackupTool::save(const fs::path& database, const fs::path& backupFile,
                                        const BackupTrailer& trailer) const
{
    TBackupRestoreThread job(true);
    job.Job = 0;
    job.Location = location();
    job.Caption = Caption;
    job.Host = host();
    job.DbFile = database.string();
    job.BackupFile = backupFile.string();
    job.KeepIndexes = 1;
    setTrailer(job, trailer);
    job.AddTrailer = 1;
    job.AskMyNumberOnBackup = 1;
    job.LogMyNumber = 1;
    return run(job);
}

BackupJobResult DataSetBackupTool::restore(const fs::path& backupFile, const fs::path& database,
                                           bool keepIndexes) const
{
    TBackupRestoreThread job(true);
    job.Job = 1;
    job.Location = location();
    job.AskFirst = 0;
    job.Caption = Caption;
    job.Host = host();
    job.DbFile = database.string();
    job.BackupFile = backupFile.string();
    job.KeepIndexes = keepIndexes ? 1 : 0;
    return run(job);
}

BackupJobResult DataSetBackupTool::restore(const fs::path& backupFile, const fs::path& database, bool keepIndexes,
                                           const BackupTrailer& source) const
{
    TBackupRestoreThread job(true);
    job.Job = 1;
    job.Location = location();
    job.Caption = Caption;
    job.Host = host();
    job.DbFile = database.string();
    job.BackupFile = backupFile.string();
    job.KeepIndexes = keepIndexes ? 1 : 0;
    setTrailer(job, source);
    job.AskMyNumberOnBackup = 1;
    job.LogMyNumber = 1;
    return run(job);
}

BackupJobResult DataSetBackupTool::copy(const fs::path& database, const fs::path& secondDatabase,
                                        const fs::path& backupFile) const
{
    TBackupRestoreThread job(true);
    job.Job = 2;
    // The services reach the files on the database host directly.
    job.Location = UseGbak ? 1 : 0;
    job.Caption = Caption;
    job.Host = host();
    job.DbFile = database.string();
    job.SecondDbFile = secondDatabase.string();
    job.BackupFile = backupFile.string();
    job.KeepIndexes = 1;
    return run(job);
}

BackupJobResult DataSetBackupTool::rebuild(const fs::path& database, const fs::path& backupFile) const
{
    TBackupRestoreThread job(true);
    job.Job = 3;
    job.Location = UseGbak ? 1 : 0;
    job.Caption = Caption;
    job.Host = host();
    job.DbFile = database.string();
    job.BackupFile = backupFile.string();
    job.KeepIndexes = 1;
    return run(job);
}

BackupJobResult DataSetBackupTool::validate(const fs::path& database) const
{
    BackupJobResult r;
    r.Code = "200";
    r.Message = RestoreFailedText;
    std::error_code ec;
    const std::string h = host();
    const bool remote = !h.empty() && h != "127.0.0.1";
    // The validation answers "sound" for a file it cannot open at all, so
    // the file must be known to be there.
    if (remote ? !FileOpFExist(database.string(), ConnectMode) : !fs::is_regular_file(database, ec)) {
        r.Detail = "no database was written: " + database.string();
        return r;
    }
    if (!DM) {
        r.Detail = "no data module";
        return r;
    }
    if (!DM->ValidateDatabase(remote ? 0 : 3, remote ? h : std::string(), database.string())) {
        r.Detail = "リストアしたデータベースの検証でエラーが見つかりました。\r" + database.string();
        return r;
    }
    return BackupJobResult{true, {}, {}, {}};
}

void CloseOwnConnectionTo(const fs::path& folder)
{
    if (!DM || !DM->IBDatabaseDAT.connected())
        return;
    const std::string name = DM->IBDatabaseDAT.DatabaseName;
    const std::size_t colon = name.find(':', 2);
    const fs::path file = colon == std::string::npos || name.size() < 2 || name[1] == ':' ? fs::path(name)
                                                                                         : fs::path(name.substr(colon + 1));
    if (IsSameFolder(file.parent_path(), folder))
        DM->CloseAccDat(folder.string(), 0, 0);
}

bool IsDataSetAttached(const std::string& host, const fs::path& folder)
{
    std::error_code ec;
    if (ConnectMode == ConnectStandAlone && !fs::exists(folder / DataDbFileName, ec))
        return false;
    if (!DM)
        return true;
    return DM->AccDatInConnection(1, host, folder.string(), 1);
}

} // namespace vq
