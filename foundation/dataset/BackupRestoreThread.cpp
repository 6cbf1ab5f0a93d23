#include "foundation/dataset/BackupRestoreThread.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "foundation/app/AccConstants.h"
#include "foundation/app/MainThreadCalls.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"
#include "foundation/files/FileMarker.h"
#include "foundation/files/FileOperations.h"
#include "foundation/text/TextUtils.h"
#include "platform/AtomicFile.h"
#include "platform/Interaction.h"
#include "platform/db/DbError.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"

namespace vq {

namespace fs = std::filesystem;

namespace {

constexpr const char* kTrailerMarker = "## CorvaneZone";
constexpr const char* kBackupProc = "BackupDatabase";
constexpr const char* kRestoreProc = "RestoreDatabase";
constexpr const char* kBackupStopped = "データベースの保存処理を中止しました。";
constexpr const char* kRestoreStopped = "データベースの復元処理を中止しました。";
constexpr const char* kNotOurData = "指定されたファイルはヴォルレン財務用のデータではありません。";
constexpr const char* kTransferFailed = "バックアップファイルの転送処理（vqfileman.fdb）に失敗しました。";

enum class FileKind { System, DataSet, Other };

FileKind kindOf(const std::string& dbFile)
{
    if (dbFile.find(SysDbFileName) != std::string::npos)
        return FileKind::System;
    if (dbFile.find(DataDbFileName) != std::string::npos)
        return FileKind::DataSet;
    return FileKind::Other;
}

std::string folderOf(const std::string& path)
{
    return fs::path(path).parent_path().string();
}

// The server-side transfer file and the transfer's row id of this operator.
std::string serverTransferFile()
{
    return (fs::path(SystemDef.FileTransId) / fs::path(BackupFileName).stem()).string() + "." +
           std::to_string(SystemDef.OPCODE);
}

std::string transferId()
{
    return "VQZ_" + std::to_string(SystemDef.OPCODE);
}

std::string errorDetail(const char* stopped, const std::exception& e)
{
    std::string detail = std::string(stopped) + "\r[詳細]\r";
    if (const auto* dbError = dynamic_cast<const db::DbError*>(&e))
        detail += "IBエラー: " + std::to_string(dbError->errorCode()) + "\r";
    return detail + e.what();
}

// The file-transfer database stays connected only for one transfer.
struct FileManConnection {
    ~FileManConnection()
    {
        if (DM)
            DM->IBFileMan.disconnect();
    }
};

} // namespace

TBackupRestoreThread::TBackupRestoreThread(bool createSuspended)
{
    // The creating thread runs the job's steps; the first use of the
    // synchronisation names it the main thread.
    (void)IsMainThread();
    Caption = SystemDef.AppTitle;
    if (!createSuspended)
        Resume();
}

TBackupRestoreThread::~TBackupRestoreThread()
{
    if (worker_.joinable())
        worker_.join();
}

void TBackupRestoreThread::Resume()
{
    if (worker_.joinable() || terminated_)
        return;
    worker_ = std::thread([this] {
        try {
            Execute();
        } catch (...) {
            Succeeded = 0;
            Failed = 1;
        }
        terminated_ = true;
    });
}

void TBackupRestoreThread::fail(const char* procName, const char* code, const std::string& message,
                                const std::string& detail)
{
    Succeeded = 0;
    Failed = 1;
    ProcName = procName;
    Code = code;
    Message = message;
    Detail = detail;
}

bool TBackupRestoreThread::isLocalHost() const
{
    return Host.empty() || Host == "127.0.0.1";
}

void TBackupRestoreThread::Execute()
{
    Succeeded = 0;
    Failed = 0;
    ProcName.clear();
    Code.clear();
    Message.clear();
    Detail.clear();
    const auto step = [this](void (TBackupRestoreThread::*member)()) {
        Synchronize([&] {
            try {
                (this->*member)();
            } catch (const std::exception& e) {
                // A step must end the job with a verdict, not with an
                // exception on the main thread's event loop.
                if (!Failed)
                    fail(Job == 1 ? kRestoreProc : kBackupProc, Job == 1 ? "200" : "100",
                         Job == 1 ? "データベースの復元に失敗しました。" : "データベースの保存に失敗しました。",
                         e.what());
                Succeeded = 0;
            }
        });
    };
    switch (Job) {
    case 0:
        if (AskFirst == 1) {
            if (USEMYNUMBER == 0) {
                IncludeMyNumber = 0;
            } else {
                step(&TBackupRestoreThread::AskMyNumber);
                if (Succeeded == 0)
                    return;
                Succeeded = 0;
            }
        }
        step(&TBackupRestoreThread::DoBackup);
        break;
    case 1:
        if (AskFirst == 1) {
            step(&TBackupRestoreThread::AskMyNumber);
            if (Succeeded == 0)
                return;
            Succeeded = 0;
        }
        step(&TBackupRestoreThread::DoRestore);
        break;
    case 2:
        step(&TBackupRestoreThread::DoCopy);
        break;
    case 3:
        step(&TBackupRestoreThread::DoRebuild);
        break;
    default:
        break;
    }
    if (Job == 0 || Job == 1 || !Failed)
        Failed = Succeeded == 1 ? 0 : 1;
}

void TBackupRestoreThread::AskMyNumber()
{
    if (Job == 0) {
        Succeeded = 1;
        Answer = 0;
        if (ConfirmMyNumber != 1) {
            Answer = 6;
            return;
        }
        if (SystemDef.MYNUMBER_ADM != 0) {
            const int answer = platform::showMessage("保存データにマイナンバー情報を含めますか？",
                                                     platform::MessageKind::Confirmation, platform::Buttons::YesNo);
            if (answer == platform::ResultYes) {
                Answer = 6;
                myNumber_->ReadSettings(Host, DbFile, {}, {});
                if (!myNumber_->CheckPassword(myNumber_->MyNumberKey))
                    fail(kBackupProc, "100", kBackupStopped, {});
            } else {
                ExcludeMyNumber = 1;
            }
        } else {
            platform::showMessage("保存データにマイナンバー情報は含まれません。", platform::MessageKind::Information);
            ExcludeMyNumber = 1;
        }
    } else if (Job == 1) {
        Succeeded = 1;
        myNumber_->ReadSettings(Host, DbFile, {}, {});
        if (myNumber_->UseFlag == 1 && USEMYNUMBER == 0)
            fail(kRestoreProc, "200", "マイナンバー情報を管理しているデータへの復元はおこなえません。", kRestoreStopped);
        else if (USEMYNUMBER == 1)
            Answer = 7;
    }
}

void TBackupRestoreThread::DoBackup()
{
    const FileKind kind = kindOf(DbFile);
    if (kind == FileKind::Other) {
        fail(kBackupProc, "101", kNotOurData, kBackupStopped);
        return;
    }
    if (!DM)
        throw std::runtime_error("no data module");
    const bool dataSet = kind == FileKind::DataSet;
    if (dataSet && IncludeMyNumber == 1 && Answer == 6) {
        TMyNumberLogRec rec;
        TMyNumberIO::MakeLogRec(rec, 6, Caption);
        myNumber_->AddLogTo(rec, Host, DbFile);
    }
    const bool cleared = dataSet && ExcludeMyNumber == 1;
    if (cleared) {
        USEMYNUMBER = 0;
        myNumber_->ReadSettings(Host, DbFile, "MYNUMBER_CLEAR", Caption + "＞データ保存");
    }
    try {
        if (Location == 0) {
            Succeeded = isLocalHost() ? DM->BackupFDB(3, {}, DbFile, BackupFile, 0)
                                      : DM->BackupFDB(0, Host, DbFile, BackupFile, 1);
        } else if (DM->OpenFileManDatabase(SystemDef.HostName)) {
            FileManConnection closeAfterwards;
            if (!FileOpDExist(SystemDef.FileTransId, 0))
                FileOpMkDir(SystemDef.FileTransId, ConnectMode);
            const std::string serverFile = serverTransferFile();
            Succeeded = DM->BackupFDB(0, Host, DbFile, serverFile, 1);
            if (Succeeded)
                Succeeded = transferBackupFromServer(serverFile, transferId());
        } else {
            try {
                Succeeded = DM->RunGbakBackup(0, Host, DbFile, BackupFile, 1);
            } catch (const std::exception& e) {
                fail(kBackupProc, "100", "データベースの保存に失敗しました。", std::string(kBackupStopped) + "\r" + e.what());
            }
        }
        if (Succeeded && WithTrailer == 1)
            WriteTrailer(BackupFile);
    } catch (...) {
        if (cleared) {
            myNumber_->WriteSettings(Host, DbFile);
            USEMYNUMBER = myNumber_->UseFlag;
        }
        throw;
    }
    if (!Succeeded && !Failed)
        fail(kBackupProc, "100", "データベースの保存に失敗しました。", kBackupStopped);
    if (cleared) {
        myNumber_->WriteSettings(Host, DbFile);
        USEMYNUMBER = myNumber_->UseFlag;
    }
}

// Carries the backup the server wrote into serverFile into BackupFile on
// this computer through the file-transfer database. A failure is the job's
// failure (code 102) and leaves no partial BackupFile.
bool TBackupRestoreThread::transferBackupFromServer(const std::string& serverFile, const std::string& id)
{
    db::Transaction& tr = DM->IBTransFileMan;
    db::Statement& q = DM->IBSQLFileMan;
    try {
        db::TransactionScope scope(tr);
        q.setSql("DELETE FROM FILETRANS\nWHERE CONTENT_ID=:CONTENT_ID");
        q.param("CONTENT_ID").setString(id);
        q.execute();
        q.setSql("INSERT INTO FILETRANS(CONTENT_ID,CONTENT)\nVALUES(:CONTENT_ID,SP_FILETOBLOB(:FILENAME))");
        q.param("CONTENT_ID").setString(id);
        q.param("FILENAME").setString(serverFile);
        q.execute();
        tr.commitRetaining();
        q.setSql("SELECT CONTENT_ID,CONTENT FROM FILETRANS\nWHERE CONTENT_ID=:CONTENT_ID");
        q.param("CONTENT_ID").setString(id);
        q.execute();
        std::string content;
        if (q.fetch())
            content = q.field("CONTENT").asBytes();
        q.close();
        if (!content.empty())
            platform::writeFileAtomically(BackupFile, content);
        q.setSql("DELETE FROM FILETRANS\nWHERE CONTENT_ID=:CONTENT_ID");
        q.param("CONTENT_ID").setString(id);
        q.execute();
        scope.commit();
        DM->ServerFileOperation("FDEL", serverFile, {});
        return !content.empty();
    } catch (const std::exception& e) {
        q.close();
        fail(kBackupProc, "102", kTransferFailed, errorDetail(kBackupStopped, e));
        return false;
    }
}

bool TBackupRestoreThread::transferBackupToServer(const std::string& serverFile, const std::string& id)
{
    db::Transaction& tr = DM->IBTransFileMan;
    db::Statement& q = DM->IBSQLFileMan;
    try {
        std::ifstream in(BackupFile, std::ios::binary);
        if (!in)
            throw std::runtime_error("cannot read " + BackupFile);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        db::TransactionScope scope(tr);
        q.setSql("DELETE FROM FILETRANS\nWHERE CONTENT_ID=:CONTENT_ID");
        q.param("CONTENT_ID").setString(id);
        q.execute();
        q.setSql("INSERT INTO FILETRANS(CONTENT_ID,CONTENT)\nVALUES(:CONTENT_ID,:CONTENT)");
        q.param("CONTENT_ID").setString(id);
        q.param("CONTENT").setBytes(bytes.str());
        q.execute();
        tr.commitRetaining();
        q.setSql("SELECT CONTENT_ID,SP_BLOBTOFILE(:FILENAME, CONTENT) AS CONTENT FROM FILETRANS\n"
                 "WHERE CONTENT_ID=:CONTENT_ID");
        q.param("FILENAME").setString(serverFile);
        q.param("CONTENT_ID").setString(id);
        q.execute();
        const bool written = q.fetch();
        q.close();
        q.setSql("DELETE FROM FILETRANS\nWHERE CONTENT_ID=:CONTENT_ID");
        q.param("CONTENT_ID").setString(id);
        q.execute();
        scope.commit();
        if (!written)
            throw std::runtime_error("the transfer row was not found");
        return true;
    } catch (const std::exception& e) {
        q.close();
        fail(kRestoreProc, "203", kTransferFailed, kRestoreStopped);
        return false;
    }
}

void TBackupRestoreThread::DoRestore()
{
    const FileKind kind = kindOf(DbFile);
    if (kind == FileKind::Other) {
        fail(kRestoreProc, "201", kNotOurData, kRestoreStopped);
        return;
    }
    if (!DM)
        throw std::runtime_error("no data module");
    const bool dataSet = kind == FileKind::DataSet;
    if (DM->AccDatInConnection(dataSet ? 1 : 0, Host, folderOf(DbFile), 0)) {
        fail(kRestoreProc, "202", "このデータは、他のオペレータが使用中のため復元処理を行うことが出来ません。",
             kRestoreStopped);
        return;
    }
    if (dataSet && Answer == 7)
        myNumber_->LoadLogFrom(Host, DbFile);
    if (Location == 0) {
        Succeeded = isLocalHost() ? DM->RestoreFDB(3, {}, DbFile, BackupFile, ActivateIndexes)
                                  : DM->RestoreFDB(0, Host, DbFile, BackupFile, ActivateIndexes);
    } else if (DM->OpenFileManDatabase(SystemDef.HostName)) {
        FileManConnection closeAfterwards;
        const std::string serverFile = serverTransferFile();
        // A restore is only as good as its own result: a transfer that went
        // through does not make a failed restore a success.
        if (transferBackupToServer(serverFile, transferId())) {
            Succeeded = DM->RestoreFDB(0, Host, DbFile, serverFile, ActivateIndexes);
            DM->ServerFileOperation("FDEL", serverFile, {});
        }
    } else {
        Succeeded = DM->RunGbakRestore(0, Host, DbFile, BackupFile, ActivateIndexes);
    }
    if (!Succeeded && !Failed)
        fail(kRestoreProc, "200", "データベースの復元に失敗しました。", kRestoreStopped);
    if (dataSet && Succeeded && Answer == 7) {
        if (Caption.empty())
            Caption = SystemDef.AppTitle;
        if (IncludeMyNumber == 1) {
            TMyNumberLogRec rec;
            TMyNumberIO::MakeLogRec(rec, 7, Caption);
            myNumber_->AddLogTo(rec, Host, DbFile);
        }
        myNumber_->MergeLogInto(Host, DbFile);
    }
}

void TBackupRestoreThread::DoCopy()
{
    if (!DM)
        throw std::runtime_error("no data module");
    if (Location == 0) {
        const bool local = isLocalHost();
        Succeeded = DM->BackupFDB(local ? 3 : 0, local ? std::string() : Host, DbFile, BackupFile, 1);
        if (Succeeded)
            Succeeded = DM->RestoreFDB(local ? 3 : 0, local ? std::string() : Host, DbFile2, BackupFile,
                                       ActivateIndexes);
        return;
    }
    try {
        Succeeded = DM->RunGbakBackup(0, Host, DbFile, BackupFile, 1);
    } catch (const std::exception& e) {
        // The tool's own reason is all the caller can show of a failed copy.
        fail(kBackupProc, "100", "データベースの保存に失敗しました。", std::string(kBackupStopped) + "\r" + e.what());
    }
    if (Succeeded)
        Succeeded = DM->RunGbakRestore(0, Host, DbFile2, BackupFile, ActivateIndexes);
}

void TBackupRestoreThread::DoRebuild()
{
    DbFile2 = DbFile;
    DoCopy();
}

void TBackupRestoreThread::ClearTrailer()
{
    SHOUGOU.clear();
    KISHU.clear();
    KIMATU.clear();
    DATAVARSION.clear();
    SIWAKE = TOTALSIWAKE = GASSAN = USEMYNUMBER = 0;
}

void TBackupRestoreThread::WriteTrailer(const std::string& fileName)
{
    if (SHOUGOU.empty())
        return;
    std::string text = std::string(kTrailerMarker) + "\r\n";
    text += "SHOUGOU=" + SHOUGOU + "\r\n";
    text += "KISHU=" + KISHU + "\r\n";
    text += "KIMATU=" + KIMATU + "\r\n";
    text += "SIWAKE=" + std::to_string(SIWAKE) + "\r\n";
    text += "TOTALSIWAKE=" + std::to_string(TOTALSIWAKE) + "\r\n";
    text += "DATAVARSION=" + DATAVARSION + "\r\n";
    text += "GASSAN=" + std::to_string(GASSAN) + "\r\n";
    text += "USEMYNUMBER=" + std::to_string(USEMYNUMBER) + "\r\n";
    AppendTextToFile(fileName, text);
}

bool TBackupRestoreThread::ReadTrailer(const std::string& fileName, bool cut)
{
    ClearTrailer();
    std::string text;
    if (ExtractFileTrailer(fileName, kTrailerMarker, text, cut) <= 0)
        return false;
    const auto value = [&](const char* key) {
        const std::string line = GetLineByName(text, key);
        const auto eq = line.find('=');
        std::string v = eq == std::string::npos ? std::string() : line.substr(eq + 1);
        while (!v.empty() && (v.back() == '\r' || v.back() == '\n'))
            v.pop_back();
        return v;
    };
    const auto number = [&](const char* key) {
        try {
            return std::stoi(value(key));
        } catch (...) {
            return 0;
        }
    };
    SHOUGOU = value("SHOUGOU");
    KISHU = value("KISHU");
    KIMATU = value("KIMATU");
    SIWAKE = number("SIWAKE");
    TOTALSIWAKE = number("TOTALSIWAKE");
    DATAVARSION = value("DATAVARSION");
    GASSAN = number("GASSAN");
    USEMYNUMBER = number("USEMYNUMBER");
    return !SHOUGOU.empty();
}

} // namespace vq
