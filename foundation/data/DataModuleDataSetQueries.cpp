// The questions the screens ask the data module about the open data set:
// the operator's rights (job control, facilities), counts, schema tests,
// name lookups, folders and the data password.
#include <cctype>
#include <stdexcept>

#include "foundation/app/AccInf.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"
#include "foundation/data/DbErrorReporter.h"
#include "foundation/office/SitenList.h"
#include "foundation/text/NumberUtils.h"
#include "foundation/text/TextUtils.h"
#include "platform/Interaction.h"
#include "platform/db/DbError.h"

namespace vq {

namespace {

// What a query started is committed even after an error (its reads are done),
// and a failing commit there must not hide the error being handled.
void commitQuietlyIfStarted(db::Transaction& tr, bool started) noexcept
{
    if (!started || !tr.active())
        return;
    try {
        tr.commit();
    } catch (...) {
    }
}

std::string upperAscii(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

bool isBlank(const std::string& s)
{
    return TrimZenSpace(s).empty();
}

std::int32_t toIntOrZero(const std::string& s)
{
    try {
        std::size_t used = 0;
        const long v = std::stol(s, &used);
        return used == s.size() ? static_cast<std::int32_t>(v) : 0;
    } catch (...) {
        return 0;
    }
}

} // namespace

bool TDM::IsSisetuFree() const
{
    return SystemDef.SisetuFreeSwitch == 1 || SystemDef.JIMUSHO != 0 || SystemDef.JOBLEVEL == 9;
}

bool TDM::SetJobControl(const std::string& procId, const std::string& option)
{
    std::uint16_t level = 0;
    CombineCode(level, static_cast<std::int16_t>(AccInf.IsIryou), static_cast<std::int16_t>(SystemDef.JOBLEVEL),
                1000);
    const bool started = IBTransactionDEF.startIfInactive();
    bool result = false;
    try {
        IBSQLDEF.setSql("SELECT COUNT(PROC_ID) AS REC_CNT FROM JOBCONTROL2 WHERE LEVELNO=:LEVELNO");
        IBSQLDEF.param("LEVELNO").setInt(level);
        IBSQLDEF.execute();
        const std::int32_t rows = IBSQLDEF.fetch() ? IBSQLDEF.field("REC_CNT").asInt() : 0;
        IBSQLDEF.close();
        if (rows == 0) {
            result = true;
        } else {
            std::string sql = "SELECT PROC_ID,PROC_OPTION FROM JOBCONTROL2 WHERE (LEVELNO=:LEVELNO) AND "
                              "(PROC_ID=:PROC_ID)";
            const bool withOption = !isBlank(option);
            if (withOption)
                sql += " AND (PROC_OPTION LIKE :PROC_OPTION)";
            IBSQLDEF.setSql(sql);
            IBSQLDEF.param("LEVELNO").setInt(level);
            IBSQLDEF.param("PROC_ID").setString(procId);
            if (withOption)
                IBSQLDEF.param("PROC_OPTION").setString("%" + option + "%");
            IBSQLDEF.execute();
            result = IBSQLDEF.fetch();
            IBSQLDEF.close();
        }
        if (started)
            IBTransactionDEF.commit();
        return result;
    } catch (...) {
        IBSQLDEF.close();
        if (started) {
            ReportCurrentException("TDM.SetJobControl", "メニュー制御情報の取得に失敗しました。");
            try {
                IBTransactionDEF.commit();
            } catch (...) {
            }
        }
    }
    return false;
}

bool TDM::fnGetExistsOpeDefSisetu()
{
    if (IsSisetuFree())
        return true;
    const bool started = IBTransactionDAT.startIfInactive();
    bool result = false;
    try {
        db::Statement q(IBDatabaseDAT.attachment(), IBTransactionDAT,
                        "SELECT OD.OPCODE,OD.SCODE FROM OPDEFSISETU OD INNER JOIN OPLICENSE OL ON "
                        "(OD.OPCODE=OL.OPCODE) WHERE OD.OPCODE=:OPCODE");
        q.param("OPCODE").setInt(SystemDef.OPCODE);
        q.execute();
        result = q.fetch();
        q.close();
    } catch (...) {
        ReportCurrentException("TDM.fnGetExistsOpeDefSisetu", "通常使用するデータ（本・支店）の取得に失敗しました。");
        result = false;
    }
    if (started && IBTransactionDAT.active())
        IBTransactionDAT.commit();
    return result;
}

void TDM::GetOpeDefSisetu(std::string& name)
{
    name.clear();
    const bool started = IBTransactionDAT.startIfInactive();
    try {
        const bool medical = AccInf.IsIryou != 0;
        const bool facilities = AccInf.SITEN != 0;
        std::string sql;
        bool byOperator = false;
        if (IsSisetuFree() && !medical) {
            sql = facilities ? "SELECT SCODE,SNAME,1 AS JIGYOKBN,XSTR FROM SISETUMST WHERE SCODE=(SELECT MIN(SCODE) "
                               "FROM SISETUMST WHERE SCODE<>'')"
                             : "SELECT ' ' AS SCODE,SHOUGOU AS SNAME,1 AS JIGYOKBN,0 AS XSTR FROM ACCDEF1";
        } else if (IsSisetuFree()) {
            if (!facilities)
                throw std::runtime_error("このデータは医療法人データですが、施設管理がおこなわれていません。\r"
                                         "データが損傷している可能性があります。");
            sql = "SELECT SCODE,SNAME,MB_JIGYOU AS JIGYOKBN,XSTR FROM SISETUMST WHERE SCODE=(SELECT MIN(SCODE) "
                  "FROM SISETUMST WHERE (SCODE<>'') AND (SCODE<>'00'))";
        } else {
            sql = std::string("SELECT O.SCODE,S.SNAME,") + (medical ? "S.MB_JIGYOU" : "1") +
                  " AS JIGYOKBN,S.XSTR FROM OPDEFSISETU O INNER JOIN SISETUMST S ON (O.SCODE=S.SCODE) WHERE "
                  "OPCODE=:OPCODE";
            byOperator = true;
        }
        auto take = [&](const std::string& statementText, bool withOpCode) {
            db::Statement q(IBDatabaseDAT.attachment(), IBTransactionDAT, statementText);
            if (withOpCode)
                q.param("OPCODE").setInt(SystemDef.OPCODE);
            q.execute();
            bool any = false;
            while (q.fetch()) {
                any = true;
                std::string code = q.field("SCODE").asString();
                if (code.empty())
                    code = " ";
                SystemDef.DefSisetuCode = code;
                SystemDef.CurSisetuCode = code;
                SystemDef.DefSisetuKind = q.field("JIGYOKBN").asInt();
                SettingValue colour;
                GetXstrValue(q.field("XSTR").asString(), "COLOR", colour);
                SystemDef.DefSisetuColor = colour.asInt();
                name = q.field("SNAME").asString();
            }
            return any;
        };
        const bool found = take(sql, byOperator);
        if (!found && medical)
            take("SELECT SCODE,SNAME,MB_JIGYOU AS JIGYOKBN,XSTR FROM SISETUMST WHERE SCODE='00'", false);
    } catch (...) {
        ReportCurrentException("TDM.GetOpeDefSisetu", "通常使用するデータ（本・支店）の取得に失敗しました。");
    }
    if (started && IBTransactionDAT.active())
        IBTransactionDAT.commit();
}

bool TDM::IsAllSisetuPermitted(std::int32_t opCode)
{
    if (AccInf.SITEN == 0)
        return true;
    // A list that cannot be read has been reported by the list; not knowing
    // the facilities is no permission.
    try {
        TSitenList all;
        all.Options = SitenFacilities;
        all.Execute(-1);
        TSitenList own;
        own.Options = SitenFacilities;
        own.Execute(opCode);
        return all.Count == own.Count;
    } catch (const std::exception&) {
        return false;
    }
}

void TDM::GetTextValue(const std::string& text, const std::string& key, std::string& value)
{
    value.clear();
    const std::string line = GetLineByName(text, key);
    if (!line.empty())
        value = line.substr(line.find('=') + 1);
}

void TDM::GetXstrValue(const std::string& text, const std::string& key, SettingValue& value)
{
    value = SettingValue(std::int32_t{0});
    const std::string k = upperAscii(key);
    std::string s;
    GetTextValue(text, k, s);
    if (k != "COLOR") {
        value = SettingValue(s);
        return;
    }
    std::int32_t colour = 0;
    if (!isBlank(s))
        colour = toIntOrZero(TrimZenSpace(s));
    if (colour <= 0)
        colour = 0xFFAF80;
    value = SettingValue(colour);
}

void TDM::fnGetDataBaseVer(std::string& version)
{
    version = "0.0.0";
    try {
        if (IBTransactionDAT.active())
            IBTransactionDAT.commit();
        IBTransactionDAT.start();
        IBQACC1.setTransaction(IBTransactionDAT);
        IBQACC1.setSql("SELECT MAJOR,MINOR1,MINOR2 FROM ACCVERSION WHERE REC=1");
        IBQACC1.execute();
        if (IBQACC1.fetch())
            version = std::to_string(IBQACC1.field("MAJOR").asInt()) + "." +
                      std::to_string(IBQACC1.field("MINOR1").asInt()) + "." +
                      std::to_string(IBQACC1.field("MINOR2").asInt());
        IBQACC1.close();
        IBTransactionDAT.commit();
    } catch (...) {
        IBQACC1.close();
        ReportCurrentException("TDM.fnGetDataBaseVer", "データベースのバージョンの取得に失敗しました。");
        IBTransactionDAT.rollback();
        version = "0.0.0";
    }
}

bool TDM::fnExistence_Table(const std::string& table)
{
    try {
        IBQACC1.setSql("SELECT Count(*) FROM RDB$RELATION_FIELDS WHERE RDB$RELATION_NAME=:Table_NAME");
        IBQACC1.param("Table_NAME").setString(table);
        IBQACC1.execute();
        const bool exists = IBQACC1.fetch() && IBQACC1.field(std::size_t{0}).asInt() > 0;
        IBQACC1.close();
        return exists;
    } catch (const db::DbError& e) {
        IBQACC1.close();
        ReportDbError(e, "TDM.fnExistence_Table", "テーブルの存在情報の取得に失敗しました。");
    }
    return false;
}

bool TDM::fnExistence_Field(const std::string& table, const std::string& column)
{
    try {
        IBQACC1.setSql("SELECT count(*) FROM RDB$RELATION_FIELDS WHERE (RDB$RELATION_NAME=:TABLE_NAME) AND "
                       "(RDB$FIELD_NAME=:FIELD_NAME )");
        IBQACC1.param("TABLE_NAME").setString(table);
        IBQACC1.param("FIELD_NAME").setString(column);
        IBQACC1.execute();
        const bool exists = IBQACC1.fetch() && IBQACC1.field(std::size_t{0}).asInt() > 0;
        IBQACC1.close();
        return exists;
    } catch (const db::DbError& e) {
        IBQACC1.close();
        ReportDbError(e, "TDM.fnExistence_Field", "テーブル項目の存在情報の取得に失敗しました。");
    }
    return false;
}

namespace {

// The counting methods' rule: a transaction started by the method is
// committed also on failure; a database error is logged (no message) only
// when the method started the transaction; every error reaches the caller.
template <class Work>
std::int32_t countInDataTransaction(TDM& dm, const char* label, Work&& work)
{
    const bool started = dm.IBTransactionDAT.startIfInactive();
    try {
        const std::int32_t n = work();
        if (started)
            dm.IBTransactionDAT.commit();
        return n;
    } catch (const db::DbError& e) {
        if (started) {
            ReportDbError(e, label, {});
            try {
                dm.IBTransactionDAT.commit();
            } catch (...) {
            }
        }
        throw;
    } catch (...) {
        if (started) {
            try {
                dm.IBTransactionDAT.commit();
            } catch (...) {
            }
        }
        throw;
    }
}

std::int32_t firstInt(db::Statement& q)
{
    q.execute();
    const std::int32_t n = q.fetch() ? q.field(std::size_t{0}).asInt() : 0;
    q.close();
    return n;
}

} // namespace

std::int32_t TDM::GetYukouSiwakeCount(const std::string& sCode)
{
    if (ProductKind > 3)
        return -1;
    return countInDataTransaction(*this, "TDM.GetYukouSiwakeCount", [&]() -> std::int32_t {
        const bool one = !isBlank(sCode);
        if (ProductKind <= 2) {
            db::Statement q(IBDatabaseDAT.attachment(), IBTransactionDAT,
                            one ? "SELECT SIWAKECOUNT AS SWKCNT FROM SISETUMST WHERE (SCODE=:SCODE)"
                                : "SELECT SUM(SIWAKECOUNT) AS SWKCNT FROM SISETUMST");
            if (one)
                q.param("SCODE").setString(sCode);
            return firstInt(q);
        }
        // The cash book counts a row with cash on both sides as half an entry.
        const std::string cash = AccInf.SysKCode[SysGenkin];
        const std::string facility = one ? " AND (SCODE=:SCODE)" : "";
        db::Statement a(IBDatabaseDAT.attachment(), IBTransactionDAT,
                        "SELECT COUNT(REC) AS SWKCNT FROM SIWAKE WHERE (DELFLG=0) AND (KCODE=:KCODE)" + facility);
        a.param("KCODE").setString(cash);
        if (one)
            a.param("SCODE").setString(sCode);
        const std::int32_t all = firstInt(a);
        db::Statement b(IBDatabaseDAT.attachment(), IBTransactionDAT,
                        "SELECT COUNT(REC) AS SWKCNT FROM SIWAKE WHERE (DELFLG=0) AND (KCODE=:KCODE) AND "
                        "(R_KCODE=:R_KCODE)" + facility);
        b.param("KCODE").setString(cash);
        b.param("R_KCODE").setString(cash);
        if (one)
            b.param("SCODE").setString(sCode);
        const std::int32_t both = firstInt(b);
        return all - both / 2;
    });
}

std::int32_t TDM::GetUpDelSiwakeCount(const std::string& sCode)
{
    return countInDataTransaction(*this, "TDM.GetUpDelSiwakeCount", [&]() -> std::int32_t {
        const bool one = !isBlank(sCode);
        db::Statement q(IBDatabaseDAT.attachment(), IBTransactionDAT,
                        std::string("SELECT COUNT(REC) AS SWKCNT FROM SIWAKE WHERE (DELFLG IN (1,2) AND TAISHAKU=1)") +
                            (one ? " AND (SCODE=:SCODE)" : ""));
        if (one)
            q.param("SCODE").setString(sCode);
        return firstInt(q);
    });
}

std::int32_t TDM::GetSiwakeCount(const std::string& sCode, std::int32_t& valid, std::int32_t& upDel)
{
    valid = 0;
    upDel = 0;
    return countInDataTransaction(*this, "TDM.GetSiwakeCount", [&]() -> std::int32_t {
        valid = GetYukouSiwakeCount(sCode);
        upDel = GetUpDelSiwakeCount(sCode);
        return valid + upDel;
    });
}

std::int32_t TDM::GetTotalSiwakeCount(const std::string& sCode)
{
    std::int32_t valid = 0, upDel = 0;
    return GetSiwakeCount(sCode, valid, upDel);
}

void TDM::SetSystemCode(const std::string& name, std::string& kCode, std::string& userCode)
{
    kCode.clear();
    userCode.clear();
    db::TransactionScope scope(IBTransactionDAT);
    try {
        db::Statement q(IBDatabaseDAT.attachment(), IBTransactionDAT,
                        "SELECT A.KCODE,K.USERCODE FROM ACCDEF2 A INNER JOIN KAMOKUMST K ON (A.KCODE=K.KCODE) "
                        "WHERE A.KNAME=:NAME");
        q.param("NAME").setString(name);
        q.execute();
        if (q.fetch()) {
            kCode = q.field("KCODE").asString();
            userCode = q.field("USERCODE").asString();
        }
        q.close();
        scope.commit();
    } catch (const db::DbError& e) {
        ReportDbError(e, "TDM.SetSystemCode", {});
        throw;
    }
}

void TDM::GetUserCode(const std::string& kCode, std::string& userCode)
{
    userCode.clear();
    if (isBlank(kCode))
        return;
    const bool started = IBTransactionDAT.startIfInactive();
    try {
        db::Statement q(IBDatabaseDAT.attachment(), IBTransactionDAT,
                        "SELECT USERCODE FROM KAMOKUMST WHERE KCODE=:KCODE");
        q.param("KCODE").setString(kCode);
        q.execute();
        if (q.fetch())
            userCode = q.field("USERCODE").asString();
        q.close();
        if (started)
            IBTransactionDAT.commit();
    } catch (...) {
        commitQuietlyIfStarted(IBTransactionDAT, started);
        throw;
    }
}

void TDM::SplitDataFolderNumbers(const std::string& path, std::string& first, std::string& second)
{
    first.clear();
    second.clear();
    const std::string compact = RemoveAllSpaces(path);
    std::vector<std::string> parts;
    std::string part;
    for (char c : compact) {
        // Windows paths name their folders with '\', this system's with '/'.
        if (c == '\\' || c == '/') {
            parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    parts.push_back(part);
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::string upper = upperAscii(parts[i]);
        if (upper == "DATA" || upper == "CB_DATA") {
            if (i + 1 < parts.size())
                first = parts[i + 1];
            if (i + 2 < parts.size())
                second = parts[i + 2];
            return;
        }
    }
}

void TDM::GetDataListRec(const std::string& path, std::int32_t& rec, std::int32_t& childRec)
{
    rec = 0;
    childRec = 0;
    if (isBlank(path))
        return;
    if (ConnectMode == ConnectStandAlone) {
        std::string first, second;
        SplitDataFolderNumbers(path, first, second);
        rec = toIntOrZero(first);
        childRec = toIntOrZero(second);
        return;
    }
    const bool started = IBTransactionDEF.startIfInactive();
    try {
        IBSQLDEF.setSql("SELECT REC FROM DATALIST WHERE (GROUPID=:GROUPID) AND (UPPER(PASNAME)=:PASNAME)");
        IBSQLDEF.param("GROUPID").setInt(SystemDef.GROUPID);
        IBSQLDEF.param("PASNAME").setString(upperAscii(path));
        IBSQLDEF.execute();
        while (IBSQLDEF.fetch())
            rec = IBSQLDEF.field("REC").asInt();
        IBSQLDEF.close();
    } catch (...) {
        IBSQLDEF.close();
    }
    commitQuietlyIfStarted(IBTransactionDEF, started);
}

bool TDM::AskDataPassword()
{
    if (ProductKind == 1 || ProductKind == 3 || AccInf.DataPassword.empty())
        return true;
    platform::InputRequest request;
    request.caption = "パスワードの確認";
    request.prompt = "パスワードを入力して下さい。";
    request.password = true;
    request.maxLength = 8;
    request.hint = "パスワード(英数字8文字以内)を入力し、[OK]ボタンを押して下さい。"
                   "3回続けて失敗すると「データ選択」画面に戻ります。";
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (attempt > 0) {
            request.prompt = "正しいパスワードを入力して下さい。";
            request.promptAlert = true;
        }
        const auto answer = platform::interaction().ask(request);
        if (!answer)
            return false;
        if (TrimZenSpace(*answer) == AccInf.DataPassword)
            return true;
    }
    return false;
}

bool TDM::CanUseCloudShare(std::uint8_t excludeAnalysis) const
{
    if (OemKind != 0 || !(ProductKind == 0 || ProductKind == 2) || ConnectMode == ConnectTerminal)
        return false;
    return !(excludeAnalysis == 1 && ProductKind == 2);
}

bool TDM::IsDataReadOnly() const
{
    if (ProductKind == 1 || ProductKind == 2)
        return true;
    return AccInf.READ_ONLY == 1;
}

std::int32_t TDM::AdjustForIkkatuZeinuki(std::int32_t value, std::int32_t)
{
    return value;
}

std::int32_t TDM::AdjustForIkkatuZeinuki2(std::int32_t value, std::int32_t)
{
    return value;
}

void TDM::GetTusinId(std::int32_t rec, std::size_t slot)
{
    if (slot >= AccInf.CommHolder.size())
        return;
    AccInf.CommHolder[slot].clear();
    AccInf.CommPassword[slot].clear();
    const bool started = IBTransactionDAT.startIfInactive();
    try {
        if (!fnExistence_Table("TUSIN_ID")) {
            if (started)
                IBTransactionDAT.commit();
            return;
        }
        db::Statement q(IBDatabaseDAT.attachment(), IBTransactionDAT,
                        "SELECT REC,HOLDER,PASWORD FROM TUSIN_ID WHERE REC=:REC");
        q.param("REC").setInt(rec);
        q.execute();
        while (q.fetch()) {
            AccInf.CommHolder[slot] = q.field("HOLDER").asString();
            AccInf.CommPassword[slot] = q.field("PASWORD").asString();
        }
        q.close();
        if (started)
            IBTransactionDAT.commit();
    } catch (...) {
        commitQuietlyIfStarted(IBTransactionDAT, started);
        throw;
    }
}

} // namespace vq
