// The data module's backup, restore and validation: through the database
// services, or through the gbak tool when the services cannot reach the file.
#include "foundation/data/DataModule.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <future>
#include <iterator>
#include <stdexcept>
#include <system_error>

#include "foundation/app/AccConstants.h"
#include "foundation/app/MessageWait.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/DbErrorReporter.h"
#include "foundation/files/FileOperations.h"
#include "platform/Process.h"
#include "platform/db/DbError.h"
#include "platform/db/EmbeddedEngine.h"
#include "platform/db/Services.h"

namespace vq {

namespace fs = std::filesystem;

namespace {

constexpr std::uint8_t kLocalProtocol = 3;
constexpr const char* kLocalHost = "127.0.0.1";
constexpr const char* kBackupFailed = "データベースのバックアップに失敗しました。";
constexpr const char* kRestoreFailed = "データベースのリストアに失敗しました。";
// A temporary restore target sits beside the real one, so the swap is a
// rename within one folder.
constexpr const char* kRestoringSuffix = ".restoring";

bool remoteService(std::uint8_t protocol, const std::string& host)
{
    return protocol != kLocalProtocol && !host.empty();
}

db::Services servicesFor(std::uint8_t protocol, const std::string& host)
{
    return db::Services({remoteService(protocol, host) ? host : std::string(), SystemDef.DbUser,
                         SystemDef.DbPassword});
}

std::string folderOf(const std::string& path)
{
    std::string folder = fs::path(path).parent_path().string();
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

bool sameNameIgnoringCase(const std::string& a, const std::string& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](unsigned char x, unsigned char y) {
        return std::tolower(x) == std::tolower(y);
    });
}

bool containsDataSetFile(const std::string& path)
{
    return path.find(DataDbFileName) != std::string::npos;
}

void removeLocalFile(const std::string& path)
{
    std::error_code ec;
    fs::remove(path, ec);
}

// Removes a file the service or the tool may have left; on the server only
// its file procedures can, and a server without them keeps the file.
void removeFileOf(bool remote, const std::string& path)
{
    if (!remote) {
        removeLocalFile(path);
    } else if (DM && ConnectMode != ConnectStandAlone) {
        DM->ServerFileOperation("FDEL", path, {});
    }
}

// A local move: a rename, or on another file system a copy under a
// temporary name in the target's folder renamed into place, so that the
// target is never half written.
void moveLocalFile(const std::string& source, const std::string& target)
{
    std::error_code ec;
    fs::rename(source, target, ec);
    if (!ec)
        return;
    const fs::path temporary = fs::path(target).string() + ".part";
    fs::copy_file(source, temporary, fs::copy_options::overwrite_existing, ec);
    if (!ec)
        fs::rename(temporary, target, ec);
    if (ec) {
        removeLocalFile(temporary.string());
        throw std::runtime_error("データベースバックアップファイルのMoveに失敗しました。");
    }
    removeLocalFile(source);
}

std::string readWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs gbak and waits for it with the message loop running.
platform::ProcessResult runGbak(const std::vector<std::string>& args)
{
    // The tool shares local database files with this process only through
    // the embedded engine's root, which it inherits from the environment.
    db::ensureEmbeddedEngine();
    platform::ProcessOptions options;
    options.environment["LC_ALL"] = "C.UTF-8";
    auto running = std::async(std::launch::async, [&] { return platform::runProcess(platform::gbakProgram(), args, options); });
    WaitForWithMessages([&] { return running.wait_for(std::chrono::milliseconds(0)) == std::future_status::ready; },
                        50);
    return running.get();
}

std::string gbakLogPath()
{
    return (fs::path(SystemDef.WinTempDir) / "gbak.log").string();
}

// gbak's verdict: it must have ended by itself with status 0 and its log
// must not name an error. The log, or what the tool said, as the reason.
bool gbakSucceeded(const platform::ProcessResult& result, const std::string& log, std::string& reason)
{
    reason = readWholeFile(log);
    const bool logClean = reason.find("ERROR") == std::string::npos;
    if (result.succeeded() && logClean)
        return true;
    if (reason.empty())
        reason = !result.standardError.empty() ? result.standardError : result.standardOutput;
    if (reason.empty())
        reason = result.timedOut || result.crashed ? "gbak did not end normally"
                                                   : "gbak exit status " + std::to_string(result.exitCode);
    return false;
}

} // namespace

bool TDM::BackupFDB(std::uint8_t protocol, const std::string& host, const std::string& dbFile,
                    const std::string& backupFile, std::uint8_t keepName)
{
    const bool remote = remoteService(protocol, host);
    std::string target = backupFile;
    if (keepName == 0)
        target = (fs::path(folderOf(dbFile)) / fs::path(BackupFileName).replace_extension(".fb_")).string();
    try {
        servicesFor(protocol, host).backup(dbFile, target, db::BackupOptions::dataModule(),
                                           [](std::string_view) { PumpMessages(); });
        if (keepName == 0 && !sameNameIgnoringCase(target, backupFile)) {
            // The move replaces an older backup only once the new one exists,
            // so a failed move keeps the older one.
            if (!remote) {
                moveLocalFile(target, backupFile);
            } else if (!FileOpFMove(target, backupFile, ConnectMode)) {
                throw std::runtime_error("データベースバックアップファイルのMoveに失敗しました。");
            }
        }
        return true;
    } catch (const db::DbError& e) {
        ReportDbError(e, "TDM.BackupFDB", kBackupFailed);
    } catch (const std::exception& e) {
        ShowMessageDetail(kBackupFailed, e.what(), platform::MessageKind::Error);
    }
    // A partial backup, or a finished one that could not be moved, is no
    // backup anybody should find later.
    removeFileOf(remote, target);
    return false;
}

namespace {

// Puts a restored and validated temporary file in the target's place.
// Locally a rename; on the server its file procedures move it. A server
// without them cannot rename: restoreDirectly then restores once more over
// the target itself, which by now is known to come from a sound backup.
void swapIntoPlace(bool remote, const std::string& temporary, const std::string& target,
                   const std::function<void()>& restoreDirectly)
{
    if (!remote) {
        fs::rename(temporary, target);
        return;
    }
    if (DM && ConnectMode != ConnectStandAlone && DM->ServerFileOperation("FMOVE", temporary, target))
        return;
    restoreDirectly();
    removeFileOf(remote, temporary);
}

// A database the services restored is only taken when its validation is
// silent; a restore that produced a damaged file must not replace anything.
void checkRestoredFile(db::Services& services, const std::string& temporary)
{
    std::vector<std::string> lines = services.validate(temporary);
    if (lines.empty())
        return;
    std::string text = "リストアしたデータベースの検証でエラーが見つかりました。";
    for (const auto& line : lines)
        text += "\r" + line;
    throw std::runtime_error(text);
}

// A data set someone attached while its backup was restored keeps its file:
// replacing it now would throw away what that connection writes.
void refuseWhileAttached(const std::string& dbFile, const std::string& host)
{
    if (DM && containsDataSetFile(dbFile) && DM->AccDatInConnection(1, host, folderOf(dbFile), 1))
        throw std::runtime_error("このデータは、他のオペレータが使用中のため復元処理を行うことが出来ません。");
}

} // namespace

bool TDM::RestoreFDB(std::uint8_t protocol, const std::string& host, const std::string& dbFile,
                     const std::string& backupFile, std::uint8_t keepIndexes)
{
    const bool remote = remoteService(protocol, host);
    const std::string folder = folderOf(dbFile);
    const std::string temporary = dbFile + kRestoringSuffix;
    bool result = false;
    try {
        IBDatabaseDAT.disconnect();
        db::Services services = servicesFor(protocol, host);
        const auto options = db::RestoreOptions::dataModule(keepIndexes == 1);
        const auto pump = [](std::string_view) { PumpMessages(); };
        services.restore(backupFile, temporary, options, pump);
        checkRestoredFile(services, temporary);
        refuseWhileAttached(dbFile, host);
        swapIntoPlace(remote, temporary, dbFile, [&] { services.restore(backupFile, dbFile, options, pump); });
        result = true;
        if (containsDataSetFile(dbFile)) {
            std::string connectHost = host;
            if (ConnectMode != ConnectStandAlone && protocol == kLocalProtocol && connectHost.empty())
                connectHost = kLocalHost;
            if (fnAccDatConnected(connectHost, folder, 0))
                ClearOpInf();
            else
                result = false;
        }
    } catch (const db::DbError& e) {
        ReportDbError(e, "TDM.RestoreFDB", kRestoreFailed);
        result = false;
    } catch (const std::exception& e) {
        ShowMessageDetail(kRestoreFailed, e.what(), platform::MessageKind::Error);
        result = false;
    }
    if (!result)
        removeFileOf(remote, temporary);
    CloseAccDat(folder, 0, 0);
    return result;
}

bool TDM::RunGbakBackup(std::uint8_t protocol, const std::string& host, const std::string& dbFile,
                        const std::string& backupFile, std::uint8_t keepName)
{
    (void)protocol;
    if (host == kLocalHost)
        return BackupFDB(kLocalProtocol, host, dbFile, backupFile, keepName);
    const std::string log = gbakLogPath();
    removeLocalFile(log);
    const std::string database = host.empty() ? dbFile : host + ":" + dbFile;
    const auto result = runGbak({"-b", "-g", "-user", SystemDef.DbUser, "-pas", SystemDef.DbPassword, "-y", log,
                                 database, backupFile});
    if (!result.started)
        throw std::runtime_error("バックアップツール(gbak.exe)が起動出来ませんでした。\r処理を終了します。");
    std::string reason;
    if (!gbakSucceeded(result, log, reason)) {
        removeLocalFile(backupFile);
        throw std::runtime_error("バックアップ中にエラーが発生しました。\r" + reason);
    }
    return true;
}

bool TDM::RunGbakRestore(std::uint8_t protocol, const std::string& host, const std::string& dbFile,
                         const std::string& backupFile, std::uint8_t keepIndexes)
{
    (void)protocol;
    if (host == kLocalHost)
        return RestoreFDB(kLocalProtocol, host, dbFile, backupFile, keepIndexes);
    std::error_code ec;
    if (!fs::is_regular_file(backupFile, ec))
        return false;
    const bool remote = !host.empty();
    const std::string folder = folderOf(dbFile);
    const std::string log = gbakLogPath();
    const std::string temporary = dbFile + kRestoringSuffix;
    const auto onServer = [&](const std::string& path) { return remote ? host + ":" + path : path; };
    const auto restoreInto = [&](const std::string& path) {
        removeLocalFile(log);
        const auto run = runGbak({"-rep", "-bu", "4096", "-p", "16384", "-user", SystemDef.DbUser, "-pas",
                                  SystemDef.DbPassword, "-y", log, backupFile, onServer(path)});
        if (!run.started)
            throw std::runtime_error("リストアツール(gbak.exe)が起動出来ませんでした。\r処理を終了します。");
        std::string reason;
        if (!gbakSucceeded(run, log, reason))
            throw std::runtime_error("リストア中にエラーが発生しました。\r" + reason);
    };
    bool result = false;
    try {
        IBDatabaseDAT.disconnect();
        restoreInto(temporary);
        db::Services services = servicesFor(remote ? 0 : kLocalProtocol, host);
        checkRestoredFile(services, temporary);
        refuseWhileAttached(dbFile, host);
        swapIntoPlace(remote, temporary, dbFile, [&] { restoreInto(dbFile); });
        result = true;
        if (containsDataSetFile(dbFile)) {
            if (fnAccDatConnected(host, folder, 0))
                ClearOpInf();
            else
                result = false;
        }
    } catch (const db::DbError& e) {
        ReportDbError(e, "TDM.RestoreFDB", kRestoreFailed);
        result = false;
    } catch (const std::exception& e) {
        ShowMessageDetail(kRestoreFailed, e.what(), platform::MessageKind::Error);
        result = false;
    }
    if (!result)
        removeFileOf(remote, temporary);
    CloseAccDat(folder, 0, 0);
    return result;
}

bool TDM::ValidateDatabase(std::uint8_t protocol, const std::string& host, const std::string& dbFile)
{
    const bool wasConnected = IBDatabaseDAT.connected();
    if (wasConnected)
        IBDatabaseDAT.disconnect();
    bool sound = false;
    try {
        sound = servicesFor(protocol, host).validate(dbFile).empty();
    } catch (const db::DbError& e) {
        sound = e.hasCode(db::gds::badDpbContent) || e.hasCode(db::gds::ioError);
    } catch (...) {
        sound = false;
    }
    if (wasConnected) {
        try {
            IBDatabaseDAT.connect();
        } catch (...) {
        }
    }
    return sound;
}

void TDM::ClearOpInf()
{
    db::TransactionScope scope(IBTransactionDAT);
    try {
        IBQACC1.setSql("DELETE FROM OPINF");
        IBQACC1.execute();
        IBQACC1.close();
        scope.commit();
    } catch (...) {
        IBQACC1.close();
        throw;
    }
}

} // namespace vq
