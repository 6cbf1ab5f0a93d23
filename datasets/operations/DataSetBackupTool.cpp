#include "datasets/operations/DataSetBackupTool.h"

#include <chrono>
#include <thread>

#include "datasets/operations/StagedFolder.h"
#include "foundation/app/AccConstants.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"
#include "platform/Process.h"
#include "platform/db/Attachment.h"
#include "platform/db/DbError.h"
#include "platform/db/Services.h"

namespace fs = std::filesystem;

namespace vq {

namespace {

BackupJobResult failure(const char* code, const char* message, std::string detail)
{
    BackupJobResult r;
    r.Code = code;
    r.Message = message;
    r.Detail = std::move(detail);
    return r;
}

BackupJobResult success()
{
    BackupJobResult r;
    r.Succeeded = true;
    return r;
}

std::string toolFailure(const platform::ProcessResult& run)
{
    if (!run.started)
        return run.standardError;
    if (run.crashed || run.timedOut)
        return "gbak ended abnormally. " + run.standardError;
    return run.standardError.empty() ? run.standardOutput : run.standardError;
}

// The restore service reports its end a moment before the engine brings the
// new database online; whoever opens it in that moment reads "shutdown in
// progress". Waits (up to about ten seconds) until it can be attached.
void waitUntilOnline(const std::string& database)
{
    for (int attempt = 0;; ++attempt) {
        try {
            db::Attachment probe;
            probe.attach({database, SystemDef.DbUser, SystemDef.DbPassword});
            probe.detach();
            return;
        } catch (const db::DbError& e) {
            if (attempt >= 50 || std::string(e.what()).find("shutdown") == std::string::npos)
                throw;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
}

} // namespace

bool DataSetBackupTool::local() const
{
    return Host.empty() || Host == "127.0.0.1";
}

std::string DataSetBackupTool::databaseName(const fs::path& file) const
{
    return local() ? file.string() : Host + ":" + file.string();
}

BackupJobResult DataSetBackupTool::backup(const fs::path& database, const fs::path& backupFile) const
{
    try {
        if (UseGbak) {
            const platform::ProcessResult run = platform::runProcess(
                platform::gbakProgram(), {"-b", "-g", "-ig", "-nt", "-user", SystemDef.DbUser, "-password",
                                          SystemDef.DbPassword, databaseName(database), backupFile.string()});
            if (!run.succeeded())
                return failure("100", BackupFailedText, toolFailure(run));
        } else {
            db::Services service({local() ? std::string() : Host, SystemDef.DbUser, SystemDef.DbPassword});
            service.backup(database.string(), backupFile.string(), db::BackupOptions::dataModule());
        }
    } catch (const std::exception& e) {
        return failure("100", BackupFailedText, e.what());
    }
    std::error_code ec;
    if (!fs::is_regular_file(backupFile, ec) || fs::file_size(backupFile, ec) == 0)
        return failure("100", BackupFailedText, "no backup file was written: " + backupFile.string());
    return success();
}

BackupJobResult DataSetBackupTool::restore(const fs::path& backupFile, const fs::path& database,
                                           bool keepIndexes) const
{
    try {
        if (UseGbak) {
            std::vector<std::string> args{"-c", "-rep", "-bu", "4096", "-p", "16384"};
            if (!keepIndexes)
                args.push_back("-i");
            for (const std::string& a : {std::string("-user"), SystemDef.DbUser, std::string("-password"),
                                         SystemDef.DbPassword, backupFile.string(), databaseName(database)})
                args.push_back(a);
            const platform::ProcessResult run = platform::runProcess(platform::gbakProgram(), args);
            if (!run.succeeded())
                return failure("200", RestoreFailedText, toolFailure(run));
        } else {
            db::Services service({local() ? std::string() : Host, SystemDef.DbUser, SystemDef.DbPassword});
            service.restore(backupFile.string(), database.string(), db::RestoreOptions::dataModule(keepIndexes));
            if (local())
                waitUntilOnline(database.string());
        }
    } catch (const std::exception& e) {
        return failure("200", RestoreFailedText, e.what());
    }
    std::error_code ec;
    if (!fs::is_regular_file(database, ec))
        return failure("200", RestoreFailedText, "no database was written: " + database.string());
    return success();
}

BackupJobResult DataSetBackupTool::validate(const fs::path& database) const
{
    try {
        db::Services service({local() ? std::string() : Host, SystemDef.DbUser, SystemDef.DbPassword});
        const std::vector<std::string> lines = service.validate(database.string());
        if (lines.empty())
            return success();
        std::string detail;
        for (const std::string& line : lines)
            detail += line + "\n";
        return failure("200", RestoreFailedText, detail);
    } catch (const std::exception& e) {
        return failure("200", RestoreFailedText, e.what());
    }
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
    if (!fs::exists(folder / DataDbFileName, ec))
        return false;
    if (!DM)
        return true;
    return DM->AccDatInConnection(1, host, folder.string(), 1);
}

} // namespace vq
