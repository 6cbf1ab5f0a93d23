#include "ui/LogonProcedure.h"

#include <charconv>
#include <exception>
#include <optional>

#include "foundation/app/AccConstants.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"
#include "foundation/data/DbErrorReporter.h"
#include "foundation/data/IscErrorText.h"
#include "platform/Interaction.h"
#include "platform/db/DbError.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"
#include "ui/AppIniSettings.h"

namespace vq::ui {

namespace {

using platform::MessageKind;

void error(const std::string& text)
{
    platform::showMessage(text, MessageKind::Error);
}

// The whole text as a number; 0 when it is not one (or does not fit).
std::int32_t number(const std::string& text)
{
    std::int32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end ? value : 0;
}

std::string withTitle(std::string format)
{
    format.replace(format.find("%s"), 2, SystemDef.AppTitle);
    return format;
}

// The drive of a path ("C:"), '' when it has none.
std::string driveOf(const std::string& path)
{
    return path.size() >= 2 && path[1] == ':' ? path.substr(0, 2) : std::string();
}

// What the logon check's answer ends in: nothing while the operator may go on
// (0 or 1), a message and the field to correct for a wrong entry (-1), a
// message for an operator already logged on (-3), the form staying as it is
// otherwise.
std::optional<LogonResult> refusalOf(std::int32_t num, const std::string& wrongMessage, LogonFocus wrongFocus)
{
    switch (num) {
    case -3:
        error(kAlreadyLoggedOnMessage);
        return LogonResult{};
    case -1:
        error(wrongMessage);
        return LogonResult{LogonOutcome::StayOpen, wrongFocus};
    case 0:
    case 1:
        return std::nullopt;
    default:
        return LogonResult{};
    }
}

const char* const kConnectFailed = "財務システムデータベースの接続処理に失敗しました。";
const char* const kPasswordDbFailed =
    "システムデータベースの接続処理に失敗しました。\riniファイルの情報が正しいか確認してください。";

} // namespace

LogonProcedure::LogonProcedure(RichMessageFunc showRich) : showRich_(std::move(showRich))
{
    if (!showRich_)
        showRich_ = [](TMessage2InfoRec& info) { platform::interaction().message(toMessageRequest(info)); };
}

std::int32_t LogonProcedure::GetConnectKind(bool clientServerChecked)
{
    if (ConnectMode == ConnectTerminal)
        return 2;
    return clientServerChecked ? 1 : 0;
}

void LogonProcedure::ShowConnectionFailure(std::int64_t errorCode, const std::string& detail)
{
    TMessage2InfoRec info;
    InitMessage2Info(2, info);
    if (errorCode != db::gds::ioError && errorCode != db::gds::networkError) {
        info.Lines[0].Text = kConnectFailed;
        info.Lines[1].Text = "[例外内容]";
        info.Lines[2].Text = detail;
        showRich_(info);
        return;
    }
    info.Lines[0].Text = "ログイン処理に失敗しました。以下の理由が考えられます。";
    std::vector<std::string> causes;
    switch (ConnectMode) {
    case ConnectStandAlone:
        if (CallerKind == 1)
            causes = {"１）財務アプリケーションがインストールされていない。", "２）データファイルが見つからない。",
                      "３）別のプロセスがデータファイルを使用中。"};
        else
            causes = {"１）データファイルが見つからない。", "２）別のプロセスがデータファイルを使用中。"};
        break;
    case ConnectClientServer:
        causes = {"１）サーバー上でFireBirdサービスが起動しているか確認して下さい。",
                  "２）ログイン画面の[サーバー設定]ボタンを押して正しい情報が設定されているか確認して下さい。",
                  "３）Windowsファイヤーウォール(市販のセキュリティソフト含む)が有効の場合は、"
                  "このアプリケーションがサーバーと通信できる状態か確認して下さい。"};
        break;
    default: {
        const std::string terminal = TerminalKind < TerminalKindNames.size() ? TerminalKindNames[TerminalKind] : "";
        causes = {"１）" + terminal + "ソリューションが正常に動作しているか確認して下さい。",
                  "２）サーバー上でFireBirdサービスが起動しているか確認して下さい。",
                  "３）ログイン画面の[サーバー設定]ボタンを押して正しい情報が設定されているか確認して下さい。",
                  "４）Windowsファイヤーウォール(市販のセキュリティソフト含む)が有効の場合は、"
                  "このアプリケーションがサーバーと通信できる状態か確認して下さい。"};
    }
    }
    for (std::size_t i = 0; i < causes.size(); ++i)
        info.Lines[i + 1].Text = causes[i];
    showRich_(info);
}

bool LogonProcedure::ConnectSystemDatabase()
{
    if (!DM)
        return false;
    DM->IBDatabaseDEF.disconnect();
    try {
        return DM->fnAccDefConnected(SystemDef.HostName, 0);
    } catch (const db::DbError& e) {
        // A server that never answered is named, not said to have refused.
        const std::string text = e.isConnectTimeout() ? connectTimeoutText(SystemDef.HostName) : iscErrorText(e);
        ShowConnectionFailure(e.errorCode(),
                              "(IBXエラーコード:" + std::to_string(e.errorCode()) + ") " + text);
    } catch (const std::exception& e) {
        ShowConnectionFailure(0, e.what());
    }
    return false;
}

LogonProcedure::CheckRow LogonProcedure::RunLogonCheck(const char* procedure, const std::string& pcName,
                                                       std::int32_t opCode, std::int32_t appVersion,
                                                       const std::string& password)
{
    CheckRow row;
    db::TransactionScope scope(DM->IBTransactionDEF);
    SystemDef.OPCODE = 0;
    db::Statement q(DM->IBDatabaseDEF.attachment(), DM->IBTransactionDEF,
                    std::string("SELECT NUM,LOGINCODE,JOBLEVEL FROM ") + procedure +
                        "(:PCNAME,:GROUPID,:OPCODE,:APPVERSION,:PASWORD)");
    q.param("PCNAME").setString(pcName);
    q.param("GROUPID").setInt(SystemDef.GROUPID);
    q.param("OPCODE").setInt(opCode);
    q.param("APPVERSION").setInt(appVersion);
    q.param("PASWORD").setString(password);
    q.execute();
    if (q.fetch()) {
        row.num = q.field("NUM").asInt();
        row.loginCode = q.field("LOGINCODE").asInt();
        row.jobLevel = q.field("JOBLEVEL").asInt();
    } else {
        // A check that answers nothing has logged nobody on.
        row.num = -1;
    }
    q.close();
    scope.commit();
    return row;
}

void LogonProcedure::ReadOperatorName(std::int32_t loginCode)
{
    // A failed read leaves the defaults: the logon itself has succeeded.
    SystemDef.OPNAME.clear();
    SystemDef.JIMUSHO = 0;
    try {
        db::TransactionScope scope(DM->IBTransactionDEF);
        db::Statement q(DM->IBDatabaseDEF.attachment(), DM->IBTransactionDEF,
                        "SELECT OPNAME,JIMUSHO,OKINIIRI FROM OPERATOR WHERE GROUPID=:GROUPID AND OPCODE=:OPCODE");
        q.param("GROUPID").setInt(SystemDef.GROUPID);
        q.param("OPCODE").setInt(loginCode);
        q.execute();
        while (q.fetch()) {
            SystemDef.OPNAME = q.field("OPNAME").asString();
            SystemDef.JIMUSHO = q.field("JIMUSHO").asInt() == 1 ? 1 : 0;
        }
        scope.commit();
    } catch (const std::exception&) {
    }
}

void LogonProcedure::ReadOperatorRights(std::int32_t loginCode)
{
    SystemDef.MYNUMBER_ADM = 0;
    SystemDef.SHONIN = 0;
    try {
        db::TransactionScope scope(DM->IBTransactionDEF);
        db::Statement q(DM->IBDatabaseDEF.attachment(), DM->IBTransactionDEF,
                        "SELECT MYNUMBER_ADM,SHONIN FROM OPERATOR WHERE (GROUPID=:GROUPID) AND (OPCODE=:OPCODE)");
        q.param("GROUPID").setInt(SystemDef.GROUPID);
        q.param("OPCODE").setInt(loginCode);
        q.execute();
        if (q.fetch()) {
            SystemDef.MYNUMBER_ADM = q.field("MYNUMBER_ADM").asInt() == 1 ? 1 : 0;
            SystemDef.SHONIN = q.field("SHONIN").asInt() == 1 ? 1 : 0;
        }
        q.close();
        scope.commit();
    } catch (const std::exception&) {
        SystemDef.MYNUMBER_ADM = 0;
        SystemDef.SHONIN = 0;
    }
}

LogonResult LogonProcedure::OperatorLogon(std::int32_t kind, const std::string& opCodeText,
                                          const std::string& password, bool useGroupEntry,
                                          const std::string& groupEntry)
{
    ReadIni(kind);
    const std::int32_t opCode = number(opCodeText);
    if (opCode < 10) {
        error(kWrongCodeMessage);
        return {LogonOutcome::StayOpen, LogonFocus::OpCode};
    }
    if (ConnectMode == ConnectClientServer || ConnectMode == ConnectTerminal) {
        const std::string hint = ConnectMode == ConnectClientServer
                                     ? "[サーバー設定]ボタンを押して正しい情報を入力して下さい。"
                                     : "[データサーバーの設定]を起動し正しい情報を入力して下さい。";
        if (SystemDef.HostName.empty()) {
            error("データサーバーのコンピュータ名が設定されていません。\r" + hint);
            return {};
        }
        if (SystemDef.SysDir.empty()) {
            error("データサーバー上のデータパスが設定されていません。\r" + hint);
            return {};
        }
    }
    if (useGroupEntry) {
        const std::int32_t group = number(groupEntry);
        SystemDef.GROUPID = group > 99999 ? 0 : group;
    }
    if (!ConnectSystemDatabase())
        return {};

    CheckRow row;
    try {
        const bool terminal = ConnectMode == ConnectTerminal;
        row = RunLogonCheck(terminal ? "TE_LOGONUSERTEST" : "LOGONUSERTEST",
                            terminal ? SystemDef.LoginUserName : SystemDef.ComputerName, opCode, 2, password);
    } catch (const db::DbError& e) {
        DM->IBTransactionDEF.rollback();
        ReportDbError(e, "TLogonBox.OKBtnClick", "", true);
        error(withTitle("ログイン処理に失敗しました。\r%sを終了します。"));
        return {LogonOutcome::Cancelled, LogonFocus::None};
    } catch (const std::exception& e) {
        DM->IBTransactionDEF.rollback();
        ShowMessageDetail(withTitle("ログイン処理に失敗しました。\r%sを終了します。"), e.what(), MessageKind::Error);
        return {LogonOutcome::Cancelled, LogonFocus::None};
    }

    if (const auto refusal = refusalOf(row.num, kWrongCodeMessage, LogonFocus::OpCode))
        return *refusal;

    TSystemDef& d = SystemDef;
    d.OPCODE = d.GROUPID * 10000 + row.loginCode;
    ReadOperatorName(row.loginCode);
    d.JOBLEVEL = row.jobLevel;
    d.OperatorNo = row.loginCode;
    ReadOperatorRights(row.loginCode);
    d.FileTransId = ConnectMode == ConnectStandAlone ? std::string() : driveOf(d.SysDir) + ServerTempDir;
    if (OemKind == 2) {
        d.JOBLEVEL = 0;
        d.JIMUSHO = 0;
    }
    try {
        WriteConnect(kind);
    } catch (const std::exception&) {
        // The operator is logged on; only the next start's preselected
        // connection kind is lost.
    }
    return {LogonOutcome::LoggedOn, LogonFocus::None};
}

LogonResult LogonProcedure::ConfirmPassword(std::int32_t entryOpCode, const std::string& password)
{
    if (LoadSettings(0) == 0) {
        error("iniファイルよりデータベース情報の取得に失敗しました。");
        return {};
    }
    if (!ConnectSystemDatabase())
        return {};
    CheckRow row;
    try {
        row = RunLogonCheck("LOGONUSERTEST", SystemDef.ComputerName, entryOpCode, SystemDef.AppVerMajor, password);
    } catch (const db::DbError& e) {
        DM->IBTransactionDEF.rollback();
        ReportDbError(e, "TLogonBox.OKBtnClick", "", true);
        error(withTitle("パスワードの確認処理に失敗しました。\r%sを終了します。"));
        return {LogonOutcome::Cancelled, LogonFocus::None};
    } catch (const std::exception& e) {
        DM->IBTransactionDEF.rollback();
        ShowMessageDetail(withTitle("パスワードの確認処理に失敗しました。\r%sを終了します。"), e.what(),
                          MessageKind::Error);
        return {LogonOutcome::Cancelled, LogonFocus::None};
    }
    if (const auto refusal = refusalOf(row.num, kWrongPasswordMessage, LogonFocus::Password))
        return *refusal;
    TSystemDef& d = SystemDef;
    d.OPCODE = d.GROUPID * 10000 + 9999;
    ReadOperatorName(row.loginCode);
    d.JOBLEVEL = row.jobLevel;
    if (ProductKind == 2)
        d.JIMUSHO = OfficeUser ? 1 : 0;
    d.OperatorNo = 9999;
    d.MYNUMBER_ADM = 1;
    d.SHONIN = 0;
    switch (ProductKind) {
    case 1: d.OPNAME = "電子帳簿"; break;
    case 2: d.OPNAME = "経営ハルブリン"; break;
    case 3:
        d.OPNAME = "現金出納帳";
        d.MYNUMBER_ADM = 0;
        break;
    default: break;
    }
    return {LogonOutcome::LoggedOn, LogonFocus::None};
}

bool LogonProcedure::ConnectForPassword()
{
    DM->IBDatabaseDEF.disconnect();
    if (DM->fnAccDefConnected(SystemDef.HostName, 1))
        return true;
    error(kPasswordDbFailed);
    return false;
}

bool LogonProcedure::GetEntryPassword(std::int32_t opCode, std::string& password)
{
    password.clear();
    if (ProductKind != 2 && ProductKind != 3)
        return true;
    if (opCode == 0 || !DM)
        return false;
    if (!ConnectForPassword())
        return false;
    try {
        db::TransactionScope scope(DM->IBTransactionDEF);
        db::Statement q(DM->IBDatabaseDEF.attachment(), DM->IBTransactionDEF,
                        "SELECT PASWORD FROM OPERATOR WHERE GROUPID=:GROUPID AND OPCODE=:OPCODE");
        q.param("GROUPID").setInt(SystemDef.GROUPID);
        q.param("OPCODE").setInt(opCode);
        q.execute();
        if (q.fetch())
            password = q.field("PASWORD").asString();
        q.close();
        scope.commit();
    } catch (const std::exception&) {
        DM->IBTransactionDEF.rollback();
        try {
            throw;
        } catch (const db::DbError& e) {
            ReportDbError(e, "TLogonBox.GetEntryPassword", "", true);
        } catch (...) {
        }
        error("パスワードの確認処理に失敗しました。");
        return false;
    }
    DM->IBDatabaseDEF.disconnect();
    return !password.empty();
}

bool LogonProcedure::UpdatePassword(std::int32_t opCode, const std::string& newPassword, std::int32_t connectKind)
{
    if (ProductKind == 1)
        return true;
    if (opCode == 0 || !DM)
        return false;
    if (ProductKind == 0)
        ReadIni(connectKind);
    if (!ConnectForPassword())
        return false;
    try {
        db::TransactionScope scope(DM->IBTransactionDEF);
        db::Statement q(DM->IBDatabaseDEF.attachment(), DM->IBTransactionDEF,
                        "SELECT COUNT(GROUPID) AS RECCNT FROM OPERATOR WHERE GROUPID=:GROUPID AND OPCODE=:OPCODE");
        q.param("GROUPID").setInt(SystemDef.GROUPID);
        q.param("OPCODE").setInt(opCode);
        q.execute();
        const bool exists = q.fetch() && q.field("RECCNT").asInt() > 0;
        q.close();
        if (exists) {
            q.setSql("UPDATE OPERATOR SET PASWORD=:PASWORD WHERE GROUPID=:GROUPID AND OPCODE=:OPCODE");
        } else {
            q.setSql("INSERT INTO OPERATOR(GROUPID,OPCODE,OPNAME,JOBLEVEL,PASWORD,DATAPAS,JIMUSHO,OKINIIRI,KANSA) "
                     "VALUES(:GROUPID,:OPCODE,:OPNAME,:JOBLEVEL,:PASWORD,:DATAPAS,:JIMUSHO,:OKINIIRI,:KANSA)");
            q.param("OPNAME").setString("システムユーザー");
            q.param("JOBLEVEL").setInt(9);
            q.param("DATAPAS").setString("");
            q.param("JIMUSHO").setInt(0);
            q.param("OKINIIRI").setInt(0);
            q.param("KANSA").setInt(0);
        }
        q.param("GROUPID").setInt(SystemDef.GROUPID);
        q.param("OPCODE").setInt(opCode);
        q.param("PASWORD").setString(newPassword);
        q.execute();
        scope.commit();
    } catch (const std::exception&) {
        DM->IBTransactionDEF.rollback();
        try {
            throw;
        } catch (const db::DbError& e) {
            ReportDbError(e, "TLogonBox.UpdatePassword", "", true);
        } catch (...) {
        }
        error("パスワードの更新処理に失敗しました。");
        return false;
    }
    DM->IBDatabaseDEF.disconnect();
    return true;
}

} // namespace vq::ui
