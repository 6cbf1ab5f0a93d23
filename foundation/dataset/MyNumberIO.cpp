#include "foundation/dataset/MyNumberIO.h"

#include <chrono>
#include <thread>

#include "foundation/app/AccConstants.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/AccRegSettings.h"
#include "foundation/data/DataModule.h"
#include "foundation/data/DbErrorReporter.h"
#include "foundation/files/FileOperations.h"
#include "foundation/text/EasyEncoder.h"
#include "foundation/text/StoredValueCodec.h"
#include "foundation/text/TextUtils.h"
#include "platform/Cp932.h"
#include "platform/Interaction.h"
#include "platform/db/DbError.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"

namespace vq {

namespace {

constexpr const char* kKihon = "基本設定";
constexpr std::int64_t kUniqueViolation = 335544665;
constexpr int kInsertAttempts = 4;

std::string cutTrimmed(const std::string& text, std::size_t bytes)
{
    return TrimZenSpace(platform::cp932::cutBytes(text, bytes));
}

std::string commentOf(std::uint8_t state, const std::string& procName)
{
    static const char* const words[] = {"**", "が登録", "が変更", "が削除", "が参照", "が印刷",
                                        "を含むデータが保存", "を含むデータが復元", "を含めずにデータが保存",
                                        "が既定値に設定", "が変更"};
    const bool sent = procName.find("送信") != std::string::npos;
    switch (state) {
    case 6:
        if (sent)
            return "マイナンバー情報を含むデータが送信されました。";
        break;
    case 7:
        if (procName.find("受信") != std::string::npos)
            return "マイナンバー情報を含むデータが受信されました。";
        break;
    case 8:
        if (sent)
            return "マイナンバー情報を含めずにデータが送信されました。";
        break;
    case 9:
        return "マイナンバー管理パスワードを既定値に設定しました。";
    case 10:
        return "マイナンバー管理パスワードを変更しました。";
    default:
        break;
    }
    return std::string("マイナンバー情報") + (state < 11 ? words[state] : "**") + "されました。";
}

std::string folderOfDataFile(const std::string& dbFile)
{
    const std::string tail = "/" + DataDbFileName;
    if (dbFile.size() > tail.size() && dbFile.compare(dbFile.size() - tail.size(), tail.size(), tail) == 0)
        return dbFile.substr(0, dbFile.size() - tail.size());
    const auto slash = dbFile.find_last_of('/');
    return slash == std::string::npos ? std::string() : dbFile.substr(0, slash);
}

bool isOpenDataSet(const std::string& dbFile)
{
    if (!DM || !DM->IBDatabaseDAT.connected())
        return false;
    const std::string& name = DM->IBDatabaseDAT.DatabaseName;
    return name == dbFile ||
           (name.size() > dbFile.size() && name.compare(name.size() - dbFile.size(), dbFile.size(), dbFile) == 0 &&
            name[name.size() - dbFile.size() - 1] == ':');
}

// The data set of dbFile as the open data set for one operation: connected
// for it when it is not the open one, closed again only then.
class DataSetForCall {
public:
    DataSetForCall(const std::string& host, const std::string& dbFile, bool testExists)
        : folder_(folderOfDataFile(dbFile))
    {
        if (!DM || (testExists && !FileOpFExist(dbFile, ConnectMode)))
            return;
        if (isOpenDataSet(dbFile)) {
            ready_ = true;
            return;
        }
        openedHere_ = ready_ = DM->fnAccDatConnected(host, folder_, 0);
    }
    ~DataSetForCall()
    {
        if (openedHere_)
            DM->CloseAccDat(folder_, 0, 0);
    }
    DataSetForCall(const DataSetForCall&) = delete;
    DataSetForCall& operator=(const DataSetForCall&) = delete;
    bool ready() const { return ready_; }

private:
    std::string folder_;
    bool openedHere_ = false;
    bool ready_ = false;
};

void showFailure(const char* message, const std::exception& e)
{
    ShowMessageDetail(message, e.what(), platform::MessageKind::Error);
}

} // namespace

TMyNumberIO::TMyNumberIO() = default;
TMyNumberIO::~TMyNumberIO() = default;

db::Statement& TMyNumberIO::sql1()
{
    if (!Sql1)
        Sql1 = std::make_unique<db::Statement>(DM->IBDatabaseDAT.attachment(), DM->IBTransactionDAT);
    return *Sql1;
}

db::Statement& TMyNumberIO::sql2()
{
    if (!Sql2)
        Sql2 = std::make_unique<db::Statement>(DM->IBDatabaseDAT.attachment(), DM->IBTransactionDAT);
    return *Sql2;
}

bool TMyNumberIO::CheckPassword(const std::string& password)
{
    if (SystemDef.MYNUMBER_ADM == 0)
        return true;
    if (password.empty())
        return false;
    platform::InputRequest request;
    request.caption = "マイナンバー管理パスワードの確認";
    request.prompt = "マイナンバー管理パスワードを入力して下さい。";
    request.password = true;
    request.maxLength = 8;
    request.keyFilter = 30;   // letters and digits
    request.hint = "パスワード(英数字8文字以内)を入力し、[OK]ボタンを押して下さい。"
                   "3回続けて失敗すると呼出し元の画面に戻ります。";
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (attempt > 0) {
            request.prompt = "正しいパスワードを入力して下さい。";
            request.promptAlert = true;
        }
        const auto answer = platform::interaction().ask(request);
        if (!answer)
            return false;
        if (TrimZenSpace(*answer) == password)
            return true;
    }
    return false;
}

void TMyNumberIO::MakeLogRec(TMyNumberLogRec& rec, std::uint8_t state, const std::string& procName)
{
    rec.FHIZUKE = 0;
    rec.FSERIAL = SystemDef.Serial;
    rec.FOPCODE = std::to_string(SystemDef.OperatorNo);
    rec.FOPNAME = SystemDef.OPNAME;
    rec.FHOST = cutTrimmed(SystemDef.ComputerName, 60);
    rec.FSTATE = state;
    rec.FPROCNAME = cutTrimmed(procName, 40);
    rec.FCOMMENT = cutTrimmed(commentOf(state, procName), 100);
}

void TMyNumberIO::insertLog(TMyNumberLogRec& rec)
{
    db::Statement& q = sql1();
    for (int attempt = 1;; ++attempt) {
        if (rec.FHIZUKE == 0)
            rec.FHIZUKE = platform::interaction().now();
        db::TransactionScope scope(DM->IBTransactionDAT);
        try {
            q.setSql("INSERT INTO MYNUMBER_LOG(FHIZUKE,FSERIAL,FOPCODE,FOPNAME,FHOST,FSTATE,FPROCNAME,FCOMMENT)\n"
                     "VALUES(:FHIZUKE,:FSERIAL,:FOPCODE,:FOPNAME,:FHOST,:FSTATE,:FPROCNAME,:FCOMMENT)");
            q.param("FHIZUKE").setDateTime(rec.FHIZUKE);
            q.param("FSERIAL").setString(rec.FSERIAL);
            q.param("FOPCODE").setString(rec.FOPCODE);
            q.param("FOPNAME").setString(rec.FOPNAME);
            q.param("FHOST").setString(rec.FHOST);
            q.param("FSTATE").setInt(rec.FSTATE);
            q.param("FPROCNAME").setString(rec.FPROCNAME);
            q.param("FCOMMENT").setString(rec.FCOMMENT);
            q.execute();
            scope.commit();
            return;
        } catch (const db::DbError& e) {
            if (!e.hasCode(kUniqueViolation) || attempt == kInsertAttempts)
                throw;
            // Another row has this instant: the next attempt takes a later one.
            rec.FHIZUKE = 0;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }
}

void TMyNumberIO::AddLog(TMyNumberLogRec& rec)
{
    static const char* kMsg = "管理ログリストの追加に失敗しました。";
    try {
        insertLog(rec);
    } catch (const db::DbError& e) {
        ReportDbError(e, "TMyNumberIO.AddLog", kMsg);
    } catch (const std::exception& e) {
        showFailure(kMsg, e);
    }
}

void TMyNumberIO::AddLogTo(TMyNumberLogRec rec, const std::string& host, const std::string& dbFile)
{
    DataSetForCall dataSet(host, dbFile, true);
    if (dataSet.ready())
        AddLog(rec);
}

void TMyNumberIO::LoadLog(std::int32_t order)
{
    Log.clear();
    LogCount = 0;
    db::TransactionScope scope(DM->IBTransactionDAT);
    try {
        db::Statement& q = sql1();
        q.setSql("SELECT SHOUGOU FROM ACCDEF1\nWHERE REC=1");
        q.execute();
        Shougou = q.fetch() ? q.field("SHOUGOU").asString() : std::string();
        q.close();
        q.setSql("SELECT FHIZUKE,FSERIAL,FOPCODE,FOPNAME,FHOST,FSTATE,FPROCNAME,FCOMMENT\nFROM MYNUMBER_LOG\n" +
                 std::string(order == 1 ? "ORDER BY FHIZUKE DESC,FSERIAL,FOPCODE" : "ORDER BY FHIZUKE,FSERIAL,FOPCODE"));
        q.execute();
        while (q.fetch()) {
            TMyNumberLogRec r;
            r.FHIZUKE = q.field("FHIZUKE").asDateTime();
            r.FSERIAL = q.field("FSERIAL").asString();
            r.FOPCODE = q.field("FOPCODE").asString();
            r.FOPNAME = q.field("FOPNAME").asString();
            r.FHOST = q.field("FHOST").asString();
            r.FSTATE = static_cast<std::uint8_t>(q.field("FSTATE").asInt());
            r.FPROCNAME = q.field("FPROCNAME").asString();
            r.FCOMMENT = q.field("FCOMMENT").asString();
            Log.push_back(std::move(r));
        }
        LogCount = static_cast<std::int32_t>(Log.size());
        scope.commit();
    } catch (const std::exception& e) {
        sql1().close();
        showFailure("管理ログリストの取得に失敗しました。", e);
    }
}

void TMyNumberIO::LoadLogFrom(const std::string& host, const std::string& dbFile)
{
    DataSetForCall dataSet(host, dbFile, true);
    if (dataSet.ready())
        LoadLog(0);
}

void TMyNumberIO::MergeLogInto(const std::string& host, const std::string& dbFile)
{
    if (Shougou.empty())
        return;
    DataSetForCall dataSet(host, dbFile, true);
    if (!dataSet.ready())
        return;
    db::TransactionScope scope(DM->IBTransactionDAT);
    try {
        db::Statement& q = sql2();
        q.setSql("SELECT SHOUGOU FROM ACCDEF1\nWHERE REC=1");
        q.execute();
        const std::string target = q.fetch() ? q.field("SHOUGOU").asString() : std::string();
        q.close();
        if (target == Shougou) {
            q.setSql("SELECT COUNT(FHIZUKE) AS RECCNT FROM MYNUMBER_LOG\n"
                     "WHERE (FHIZUKE=:FHIZUKE) AND (FSERIAL=:FSERIAL) AND (FOPCODE=:FOPCODE) AND (FHOST=:FHOST)");
            for (auto rec : Log) {
                q.param("FHIZUKE").setDateTime(rec.FHIZUKE);
                q.param("FSERIAL").setString(rec.FSERIAL);
                q.param("FOPCODE").setString(rec.FOPCODE);
                q.param("FHOST").setString(rec.FHOST);
                q.execute();
                const bool known = q.fetch() && q.field("RECCNT").asInt() > 0;
                q.close();
                if (!known)
                    insertLog(rec);
            }
        }
        scope.commit();
    } catch (const std::exception& e) {
        sql2().close();
        showFailure("管理ログリストのマージに失敗しました。", e);
    }
}

void TMyNumberIO::DeleteLog(const TMyNumberLogRec& rec)
{
    db::TransactionScope scope(DM->IBTransactionDAT);
    try {
        db::Statement& q = sql1();
        q.setSql("DELETE FROM MYNUMBER_LOG\nWHERE (FHIZUKE=:FHIZUKE) AND (FSERIAL=:FSERIAL) AND (FOPCODE=:FOPCODE)");
        q.param("FHIZUKE").setDateTime(rec.FHIZUKE);
        q.param("FSERIAL").setString(rec.FSERIAL);
        q.param("FOPCODE").setString(rec.FOPCODE);
        q.execute();
        scope.commit();
    } catch (const std::exception& e) {
        showFailure("管理ログリストの削除に失敗しました。", e);
    }
}

void TMyNumberIO::ReadSettings(const std::string& host, const std::string& dbFile, const std::string& mode,
                               const std::string& procName)
{
    UseFlag = 0;
    MyNumberKey.clear();
    MyNumberValue.clear();
    StoredKey.clear();
    StoredValue.clear();
    DataSetForCall dataSet(host, dbFile, true);
    if (!dataSet.ready())
        return;
    db::TransactionScope scope(DM->IBTransactionDAT);
    try {
        UseFlag = GetAccRegInt(kKihon, "＃USE", "0");
        StoredKey = GetAccRegText(kKihon, "＃KEY", "");
        StoredValue = GetAccRegText(kKihon, "＃VALUE", "");
        if (!StoredKey.empty())
            MyNumberKey = DecodeStoredValue(StoredKey, EasyEncodeKey, 8);
        if (!StoredValue.empty())
            MyNumberValue = DecodeStoredValue(StoredValue, EasyEncodeKey, static_cast<int>(StoredValue.size()));
        if (SameTextNoCase(mode, "MYNUMBER_CLEAR")) {
            PutAccReg(kKihon, "＃USE", "整数", SettingValue(std::int32_t{0}));
            DeleteAccReg(kKihon, "＃KEY");
            DeleteAccReg(kKihon, "＃VALUE");
            MakeLogRec(LogRec, 3, procName.empty() ? std::string("アプリケーション") : procName);
            insertLog(LogRec);
            scope.commit();
        }
        // A plain read changes nothing: the defaults the reads insert into a
        // data set that never had these settings are rolled back, so that a
        // restore refused or failed after this check leaves its target as it
        // was.
    } catch (const std::exception& e) {
        showFailure("マイナンバー情報の取得に失敗しました。", e);
    }
}

void TMyNumberIO::WriteSettings(const std::string& host, const std::string& dbFile)
{
    if (UseFlag != 1)
        return;
    DataSetForCall dataSet(host, dbFile, false);
    if (!dataSet.ready())
        return;
    db::TransactionScope scope(DM->IBTransactionDAT);
    try {
        PutAccReg(kKihon, "＃USE", "整数", SettingValue(UseFlag));
        // The stored forms go back as they were read: re-encoding the decoded
        // values would lose a value the decoder could not read.
        const std::string key = !StoredKey.empty() ? StoredKey : EncodeStoredValue(MyNumberKey, EasyEncodeKey, 8);
        const std::string value =
            !StoredValue.empty() ? StoredValue
                                 : EncodeStoredValue(MyNumberValue, EasyEncodeKey, static_cast<int>(MyNumberValue.size()));
        if (!key.empty())
            PutAccReg(kKihon, "＃KEY", "文字", SettingValue(key));
        if (!value.empty())
            PutAccReg(kKihon, "＃VALUE", "文字", SettingValue(value));
        scope.commit();
    } catch (const std::exception& e) {
        showFailure("マイナンバー情報の取得に失敗しました。", e);
        return;
    }
    DeleteLog(LogRec);
}

} // namespace vq
