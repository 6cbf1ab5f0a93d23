#include "foundation/data/DataModule.h"

#include <cstdio>
#include <filesystem>
#include <memory>

#include "foundation/app/AccConstants.h"
#include "foundation/data/AccRegSettings.h"
#include "foundation/data/DataListRefresher.h"
#include "foundation/data/DataSetDescriptionPort.h"
#include "foundation/calendar/DayNumber.h"
#include "foundation/data/DbErrorReporter.h"
#include "foundation/files/FileOperations.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "platform/db/Attachment.h"
#include "platform/db/DbError.h"

namespace vq {

namespace fs = std::filesystem;

TDM* DM = nullptr;
TDM::WindowCloseFunc TDM::PostWindowClose;

namespace {

constexpr const char* kFileManDbFileName = "vqfileman.fdb";
constexpr const char* kLocalHost = "127.0.0.1";

const std::string& orDefaultHost(const std::string& host)
{
    return host.empty() ? SystemDef.HostName : host;
}

std::string trimmed(const std::string& s)
{
    const auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

// Whether anyone besides the probe itself is attached to a database, from
// its monitoring table, read through a probe attachment made where the data
// module itself connects: the server for a server's file, the embedded
// engine for a local one (which sees every process sharing the file through
// the lock manager). The service manager's list of attached databases is no
// use here: the server gives it to its administrator only, and the office
// works as its own database user; the monitoring table shows that user, the
// owner of the office's databases, every attachment of the office's
// programs, which all log on as that user.
//
// A file nobody can open is used by nobody: locally a missing file, on a
// server a file the server cannot open (every user of it goes through that
// server). Locally a file that exists but cannot be opened is held by an
// engine that does not share it (a server, another program's own engine):
// that error reaches the caller, which counts the data set as in use.
bool attachedByAnyone(const std::string& databaseName, const std::string& localFile, bool server)
{
    if (!server) {
        std::error_code ec;
        if (!fs::exists(localFile, ec))
            return false;
    }
    db::Attachment probe;
    try {
        probe.attach({databaseName, SystemDef.DbUser, SystemDef.DbPassword});
    } catch (const db::DbError& e) {
        if (server && e.hasCode(db::gds::ioError) && e.hasCode(db::gds::ioOpenError))
            return false;
        throw;
    }
    return probe.attachmentCount() > 1;
}

// "yyyy/mm/dd" as a day number; 0 when it is no date.
double dateFromText(const std::string& text)
{
    int y = 0, m = 0, d = 0;
    char s1 = 0, s2 = 0;
    if (std::sscanf(text.c_str(), "%d%c%d%c%d", &y, &s1, &m, &s2, &d) != 5 || s1 != '/' || s2 != '/')
        return 0;
    return tryEncodeDate(y, m, d).value_or(0);
}

} // namespace

TDM::TDM()
{
    if (!DM) {
        DM = this;
        InstallServerFileOperation([](const std::string& op, const std::string& path1, const std::string& path2) {
            return DM && DM->ServerFileOperation(op, path1, path2);
        });
    }
}

TDM::~TDM()
{
    TimerFormClose.setEnabled(false);
    TimerSyoriKidou.setEnabled(false);
    ReleaseAccRegImageFiles();
    if (DM == this) {
        DM = nullptr;
        InstallServerFileOperation({});
    }
}

// ---- Connection rules ----------------------------------------------------------

std::string TDM::MakeDatabaseName(const std::string& host, const std::string& folder, const std::string& file,
                                  bool remote)
{
    std::string path = folder;
    if (path.empty() || path.back() != '/')
        path += '/';
    path += file;
    return remote ? host + ":" + path : path;
}

bool TDM::UsesServer(const std::string& host)
{
    return ConnectMode != ConnectStandAlone && host != kLocalHost;
}

void TDM::PrepareConnection(DmDatabase& database, const std::string& databaseName)
{
    database.SQLDialect = 3;
    database.Params.clear();
    database.DatabaseName = databaseName;
    database.Params.push_back("user_name=" + SystemDef.DbUser);
    database.Params.push_back("password=" + SystemDef.DbPassword);
    database.Params.push_back("lc_ctype=SJIS_0208");
}

// ---- Connections -------------------------------------------------------------------

bool TDM::fnAccDefConnected(const std::string& host, std::uint8_t reportErrors)
{
    static const std::string kMsg = "システムデータベースの接続処理に失敗しました。";
    const std::string h = orDefaultHost(host);
    if (IBDatabaseDEF.connected())
        return true;
    try {
        PrepareConnection(IBDatabaseDEF, MakeDatabaseName(h, SystemDef.SysDir, SysDbFileName, UsesServer(h)));
        IBDatabaseDEF.connect();
        return IBDatabaseDEF.connected();
    } catch (const db::DbError& e) {
        if (reportErrors != 1)
            throw;
        ReportDbError(e, "TDM.fnAccDefConnected", kMsg, false);
    } catch (const std::exception& e) {
        if (reportErrors != 1)
            throw;
        ShowMessageDetail(kMsg, e.what(), platform::MessageKind::Error);
    }
    return false;
}

bool TDM::OpenFileManDatabase(const std::string& host)
{
    const std::string path = MakeDatabaseName({}, SystemDef.SysDir, kFileManDbFileName, false);
    // Locally the file must be there; on a server the connect itself tells,
    // and its failure is as silent as a missing file.
    if (ConnectMode == ConnectStandAlone) {
        std::error_code ec;
        if (!fs::exists(path, ec))
            return false;
    }
    const std::string h = orDefaultHost(host);
    if (IBFileMan.connected())
        return true;
    try {
        PrepareConnection(IBFileMan, MakeDatabaseName(h, SystemDef.SysDir, kFileManDbFileName, UsesServer(h)));
        IBFileMan.connect();
        return IBFileMan.connected();
    } catch (...) {
        return false;
    }
}

bool TDM::fnAccDatConnected(const std::string& host, const std::string& folder, std::uint8_t writeStatus)
{
    static const std::string kMsg =
        "ユーザーデータベースの接続処理に失敗しました。\rDBファイルが削除、破損 または "
        "使用中の可能性がありますので接続パスを確認して下さい。";
    const std::string h = orDefaultHost(host);
    const std::string dir = folder.empty() ? SystemDef.DataDir : folder;
    try {
        IBDatabaseDAT.disconnect();
        PrepareConnection(IBDatabaseDAT, MakeDatabaseName(h, dir, DataDbFileName, UsesServer(h)));
        IBDatabaseDAT.connect();
        if (writeStatus == 1) {
            if (const auto& reader = dataSetDescriptionReader()) {
                if (auto description = reader()) {
                    description->setStatus(2);
                    description->setOperator(SystemDef.OPCODE, SystemDef.OPNAME);
                    if (ConnectMode == ConnectStandAlone)
                        description->writeInfoFile(dir);
                }
            }
        }
        return IBDatabaseDAT.connected();
    } catch (const db::DbError& e) {
        ReportDbError(e, "TDM.fnAccDatConnected", kMsg, false);
        if (e.errorCode() != db::gds::ioError)
            CallDataStatusHook(h, dir, 1, 0);
    } catch (const std::exception& e) {
        ShowMessageDetail(kMsg, e.what(), platform::MessageKind::Error);
    }
    return false;
}

std::int32_t TDM::CloseAccDat(const std::string& folder, std::uint8_t writeFree, std::uint8_t refreshList)
{
    const std::string dir = folder.empty() ? SystemDef.DataDir : folder;
    const bool refreshNow = refreshList == 1 && ProductKind != 1;
    try {
        std::unique_ptr<IDataSetDescription> description;
        if ((writeFree == 1 || refreshNow) && IBDatabaseDAT.connected() && dataSetDescriptionReader())
            description = dataSetDescriptionReader()();
        if (description) {
            description->setStatus(1);
            if (writeFree == 1 && ConnectMode == ConnectStandAlone)
                description->writeInfoFile(dir);
        }
        if (refreshNow && description && dataListControllerFactory()) {
            if (auto list = dataListControllerFactory()()) {
                const DataSetListValues d = description->listValues();
                DataListRowValues rec;
                list->SetLocation(ConnectMode);
                list->SetListTable(SystemDef.ServerDataPlace);
                list->ClearRecord(rec, dir);
                rec.GASSAN = d.GASSANKBN;
                list->GetDataListRecord(1, rec, 1);
                rec.GROUPID = SystemDef.GROUPID;
                rec.DATACODE = d.CODE;
                rec.SHOUGOU = d.SHOUGOU;
                rec.NENDO = d.NENDO;
                rec.KISHU = dateFromText(d.KISHU);
                rec.KIMATU = dateFromText(d.KIMATU);
                rec.DATATYPE = d.DATAKBN;
                rec.CODETYPE = d.CODEKBN;
                rec.TANTOU = d.TANTO;
                rec.VER_MAJOR = d.MAJOR;
                rec.VER_MINOR1 = d.MINOR1;
                rec.VER_MINOR2 = d.MINOR2;
                rec.VER_TEXT = d.VERSION2;
                rec.GASSAN = d.GASSANKBN;
                rec.CLOUD = d.CLOUD_SHARE;
                list->UpdateDataListRecord(rec, 0, 1);
            }
        }
    } catch (const db::DbError& e) {
        // The parts that ran report their own errors; what escaped them is
        // logged, and the data set is closed all the same.
        ReportDbError(e, "TDM.CloseAccDat", {}, true);
    } catch (const std::exception&) {
    }
    IBDatabaseDAT.disconnect();
    IBDatabaseDAT.Params.clear();
    return 1;
}

namespace {

constexpr const char* kInUseUnknown = "データベースの使用情報の取得に失敗しました。\r使用中として扱います。";

} // namespace

bool TDM::AccDatInConnection(std::uint8_t kind, const std::string& host, const std::string& folder,
                             std::uint8_t keepOwn)
{
    const std::string h = orDefaultHost(host);
    if (trimmed(folder).empty())
        return false;
    const bool server = UsesServer(h);
    const std::string& fileName = kind == 0 ? SysDbFileName : DataDbFileName;
    DmDatabase& own = kind == 0 ? IBDatabaseDEF : IBDatabaseDAT;
    const bool ownWasConnected = own.connected();
    const bool dropOwn = keepOwn == 0 && ownWasConnected;
    bool result = false;
    try {
        if (dropOwn)
            own.disconnect();
        result = attachedByAnyone(MakeDatabaseName(h, folder, fileName, server),
                                  MakeDatabaseName({}, folder, fileName, false), server);
    } catch (const db::DbError& e) {
        // Not knowing is no "free": callers drop, restore or overwrite a data
        // set they believe unused. The engine's own words go to the error
        // log; the operator reads what the program concluded.
        result = true;
        ReportDbError(e, "TDM.AccDatInConnection", {});
        if (!DbFatalFlag)
            platform::showMessage(kInUseUnknown, platform::MessageKind::Error);
    } catch (...) {
        result = true;
        ReportCurrentException("TDM.AccDatInConnection", kInUseUnknown);
    }
    if (dropOwn) {
        try {
            own.connect();
        } catch (...) {
            ReportCurrentException("TDM.AccDatInConnection", "データベースの使用情報の取得に失敗しました。");
        }
    }
    return result;
}

bool TDM::AccDatDropDatabase(const std::string& host, const std::string& folder)
{
    const std::string h = orDefaultHost(host);
    if (folder.empty())
        return false;
    try {
        DmDatabase temporary;
        // Dropping always goes through the server in the server modes, the
        // local host included.
        PrepareConnection(temporary,
                          MakeDatabaseName(h, folder, DataDbFileName, ConnectMode != ConnectStandAlone));
        temporary.connect();
        temporary.dropDatabase();
        return true;
    } catch (...) {
        ReportCurrentException("TDM.AccDatDropDatabase",
                               "ユーザーデータベースの削除処理に失敗しました。\r接続パスを確認して下さい。");
    }
    return false;
}

std::int32_t TDM::CallDataStatusHook(const std::string& host, const std::string& folder, std::int32_t silent,
                                     std::int32_t force)
{
    if (force != 1 && SystemDef.DataBrokenCheck != 1)
        return 1;
    if (DataBrokenCheckProc)
        return DataBrokenCheckProc(host, folder, silent == 1);
    return 1;
}

// ---- Timers -----------------------------------------------------------------------------

void TDM::TimerFormCloseTimer()
{
    TimerFormClose.setEnabled(false);
    if (TimerFormClose.Tag != 0) {
        const std::intptr_t handle = TimerFormClose.Tag;
        TimerFormClose.Tag = 0;
        if (PostWindowClose)
            PostWindowClose(handle);
    }
}

void TDM::TimerSyoriKidouTimer()
{
    TimerSyoriKidou.setEnabled(false);
    if (StartProcessProc)
        StartProcessProc(SyoriName, SyoriMode, SyoriParams);
    SyoriName.clear();
    SyoriMode = 0;
    SyoriParams.clear();
}

void TDM::StartSyoriDeferred(const std::string& name, std::int32_t mode, const std::string& params)
{
    SyoriName = name;
    SyoriMode = mode;
    SyoriParams = params;
    TimerSyoriKidou.setEnabled(true);
}

} // namespace vq
