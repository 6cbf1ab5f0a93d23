#include "foundation/dataset/DataInfomation.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <system_error>
#include <unistd.h>
#include <utility>
#include <vector>

#include "foundation/app/AccConstants.h"
#include "foundation/app/AccInf.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/calendar/DateText.h"
#include "foundation/data/AccRegSettings.h"
#include "foundation/data/DataModule.h"
#include "foundation/data/DbErrorReporter.h"
#include "foundation/dataset/DataSetDescription.h"
#include "foundation/files/FileOperations.h"
#include "foundation/files/FileUtils.h"
#include "foundation/files/SettingsFiles.h"
#include "foundation/files/ShellOperations.h"
#include "foundation/text/TextUtils.h"
#include "foundation/text/VersionUtils.h"
#include "platform/AtomicFile.h"
#include "platform/Cp932.h"
#include "platform/IniFile.h"
#include "platform/Interaction.h"
#include "platform/db/DbError.h"
#include "platform/db/Statement.h"

namespace vq {

namespace fs = std::filesystem;

namespace {

constexpr const char* kStatusSection = "DATASTS";
constexpr const char* kInfoSection = "DATAINFO";
constexpr std::int64_t kDynamicSqlError = 335544569;

bool serverLocation(std::uint8_t location)
{
    return location == ConnectClientServer || location == ConnectTerminal;
}

std::string upper(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

std::string dataFileIn(const std::string& folder)
{
    return (fs::path(ResolveDrivePath(folder)) / DataDbFileName).string();
}

bool versionAtLeast(const TDataInfomationRec& rec, std::int32_t major)
{
    TVersionRec v;
    v.Major = rec.MAJOR;
    v.Minor = rec.MINOR1;
    v.Release = rec.MINOR2;
    TVersionRec limit;
    limit.Major = major;
    return !VersionLess(v, limit);
}

bool versionNewerThan(const TDataInfomationRec& rec, std::int32_t major)
{
    TVersionRec v;
    v.Major = rec.MAJOR;
    v.Minor = rec.MINOR1;
    v.Release = rec.MINOR2;
    TVersionRec limit;
    limit.Major = major;
    return VersionGreater(v, limit);
}

// Changes the info file in one step: the edits go to a copy, which then
// replaces the file, so a reader never sees half a change and a failure
// leaves the file as it was. Errors reach the caller.
void editInfoFile(const std::string& file, const std::function<void(platform::IniFile&)>& edit)
{
    const fs::path target(file);
    fs::path work = target;
    work += ".tmp" + std::to_string(::getpid());
    std::error_code ec;
    fs::remove(work, ec);
    try {
        if (fs::exists(target))
            fs::copy_file(target, work, fs::copy_options::overwrite_existing);
        platform::IniFile ini(work);
        edit(ini);
        if (fs::exists(work))
            fs::rename(work, target);
    } catch (...) {
        fs::remove(work, ec);
        throw;
    }
}

using KeyValues = std::vector<std::pair<std::string, std::string>>;

KeyValues statusKeys(const TDataInfomationRec& r)
{
    KeyValues k;
    k.emplace_back("STATUS", std::to_string(r.STATUS));
    if (r.OPCODE != 0) {
        k.emplace_back("OPCODE", std::to_string(r.OPCODE));
        k.emplace_back("OPERATOR", r.OPERATOR);
    }
    k.emplace_back("SHARE_STATUS", std::to_string(r.SHARE_STATUS));
    if (r.SHARE_OPCODE != 0) {
        k.emplace_back("SHARE_OPCODE", std::to_string(r.SHARE_OPCODE));
        k.emplace_back("SHARE_OPERATOR", r.SHARE_OPERATOR);
    }
    k.emplace_back("UPDATE_LOCK", std::to_string(r.UPDATE_LOCK));
    k.emplace_back("READ_ONLY", std::to_string(r.READ_ONLY));
    return k;
}

KeyValues infoKeys(const TDataInfomationRec& r)
{
    auto n = [](std::int64_t v) { return std::to_string(v); };
    return {
        {"DATALISTNAME", r.DATALISTNAME},
        {"CODE", r.CODE},
        {"DATAKBN", n(r.DATAKBN)},
        {"CODEKBN", n(r.CODEKBN)},
        {"SHOUGOU", r.SHOUGOU},
        {"KANA", r.KANA},
        {"NENDO", n(r.NENDO)},
        {"KISHU", r.KISHU},
        {"KIMATU", r.KIMATU},
        {"TANTO", n(r.TANTO)},
        {"SITEN", n(r.SITEN)},
        {"SITENCNT", n(r.SITENCNT)},
        {"BUMON", n(r.BUMON)},
        {"BUMONCNT", n(r.BUMONCNT)},
        {"SIWAKE", n(r.SIWAKE)},
        {"TOTALSIWAKE", n(r.TOTALSIWAKE)},
        {"VERSION1", n(r.MAJOR) + "." + n(r.MINOR1) + "." + n(r.MINOR2)},
        {"VERSION2", r.VERSION2},
        {"GASSANKBN", n(r.GASSANKBN)},
        {"USEMYNUMBER", n(r.USEMYNUMBER)},
        {"CLOUD_SHARE", n(r.CLOUD_SHARE)},
    };
}

void replaceSection(platform::IniFile& ini, const std::string& section, const KeyValues& keys)
{
    ini.eraseSection(section);
    for (const auto& [key, value] : keys)
        ini.writeString(section, key, value);
}

// The three numbers of "m.n.r"; missing or non-numeric parts read as 0.
void splitVersion1(const std::string& text, TDataInfomationRec& rec)
{
    std::vector<std::string> parts;
    SplitText(text, ".", parts);
    auto number = [&](std::size_t i) -> std::int32_t {
        if (i >= parts.size())
            return 0;
        try {
            return std::stoi(parts[i]);
        } catch (const std::exception&) {
            return 0;
        }
    };
    rec.MAJOR = number(0);
    rec.MINOR1 = number(1);
    rec.MINOR2 = number(2);
}

// A cloud share is offered by the standard edition of the accounting and
// analysis products, not by the server-based mode.
bool cloudShareOffered()
{
    return OemKind == 0 && (ProductKind == 0 || ProductKind == 2) && ConnectMode != ConnectTerminal;
}

std::int32_t countOf(db::Statement& q)
{
    q.execute();
    std::int32_t count = 0;
    if (q.fetch() && !q.field(std::size_t{0}).isNull())
        count = q.field(std::size_t{0}).asInt();
    q.close();
    return count;
}

// Journal counts of the open data set, all facilities: the valid entries as
// the facilities keep them (for the cash book the rows on the cash account,
// one on both sides counting half), and the rows updated or deleted since.
std::pair<std::int32_t, std::int32_t> journalCounts(db::Attachment& attachment, db::Transaction& transaction)
{
    std::int32_t valid = -1;
    if (ProductKind <= 2) {
        db::Statement q(attachment, transaction, "SELECT SUM(SIWAKECOUNT) AS SWKCNT FROM SISETUMST");
        valid = countOf(q);
    } else if (ProductKind == 3) {
        const std::string cash = AccInf.SysKCode[SysGenkin];
        db::Statement a(attachment, transaction,
                        "SELECT COUNT(REC) AS SWKCNT FROM SIWAKE WHERE (DELFLG=0) AND (KCODE=:KCODE)");
        a.param("KCODE").setString(cash);
        db::Statement b(attachment, transaction,
                        "SELECT COUNT(REC) AS SWKCNT FROM SIWAKE WHERE (DELFLG=0) AND (KCODE=:KCODE) "
                        "AND (R_KCODE=:R_KCODE)");
        b.param("KCODE").setString(cash);
        b.param("R_KCODE").setString(cash);
        valid = countOf(a) - countOf(b) / 2;
    }
    db::Statement u(attachment, transaction,
                    "SELECT COUNT(REC) AS SWKCNT FROM SIWAKE WHERE (DELFLG IN (1,2) AND TAISHAKU=1)");
    const std::int32_t upDel = countOf(u);
    return {valid, valid + upDel};
}

// The data-set files of a folder ("vqacc.*").
std::string dataFilesOf(const std::string& folder)
{
    return (fs::path(ResolveDrivePath(folder)) / fs::path(DataDbFileName).replace_extension(".*")).string();
}

// Copies the data-set files of one folder into another without touching the
// target until every file has arrived: they gather in a staging folder
// inside the target and replace the target's files only then. A failed copy
// leaves the target's files as they were.
bool copyDataFiles(const std::string& fromFolder, const std::string& toFolder)
{
    const fs::path to(ResolveDrivePath(toFolder));
    const fs::path staging = to / (".vqacc-copy.tmp" + std::to_string(::getpid()));
    std::error_code ec;
    // A folder without the data-set database has nothing to give (its info
    // file alone, perhaps just written, is no data set): a failed copy.
    if (!FileOpFExist(dataFileIn(fromFolder), ConnectStandAlone)) {
        platform::showMessage("複写元が見つかりません。<" + dataFileIn(fromFolder) + ">",
                              platform::MessageKind::Error);
        return false;
    }
    fs::remove_all(staging, ec);
    bool copied = ShellCopySafe(dataFilesOf(fromFolder), staging.string(), FO_COPY);
    if (copied) {
        try {
            for (const auto& entry : fs::directory_iterator(staging))
                fs::rename(entry.path(), to / entry.path().filename());
        } catch (const std::exception& e) {
            platform::showMessage(e.what(), platform::MessageKind::Error);
            copied = false;
        }
    }
    fs::remove_all(staging, ec);
    return copied;
}

// "yyyy/mm/dd"; '' for no date.
std::string dateText(double day)
{
    return day == 0 ? std::string() : FormatDateTime("yyyy/mm/dd", day);
}

std::string fileBytes(const std::string& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void raiseUnreachableShare()
{
    throw std::runtime_error("共有サーバーが起動していない、接続が切断されている \rまたは "
                             "共有サーバー上のデータ領域が削除された可能性があります。\r処理を中止します。");
}

} // namespace

TDataInfomation::TDataInfomation()
{
    if (!dataSetDescriptionReader())
        InstallDataSetDescription();
    VersionList.Load(0);
}

std::string TDataInfomation::InfoFileName(const std::string& folder)
{
    return (fs::path(ResolveDrivePath(folder)) / fs::path(DataDbFileName).replace_extension(".ini")).string();
}

// ---- The data-set database ---------------------------------------------------------

bool TDataInfomation::GetDataInfoRec(TDataInfomationRec& rec)
{
    static const std::string kMsg = "基本情報の取得に失敗しました。\r(iniファイル)";
    ClearRec(rec);
    if (!DM)
        return false;
    const bool wasConnected = DM->IBDatabaseDAT.connected();
    bool started = false;
    auto& tr = DM->IBTransactionDAT;
    auto finishFailed = [&] {
        if (started && tr.active()) {
            try {
                tr.commit();
            } catch (...) {
                tr.rollback();
            }
        }
        if (!wasConnected)
            DM->IBDatabaseDAT.disconnect();
    };
    try {
        if (!wasConnected)
            DM->IBDatabaseDAT.connect();
        started = tr.startIfInactive();
        auto& att = DM->IBDatabaseDAT.attachment();
        {
            db::Statement q(att, tr,
                            "SELECT ENTTEXT,DATATYPE,CODETYPE,SCODE1,SKANA,SHOUGOU,TANTOU,NENDO,KISHU,KIMATU,SITEN,"
                            "BUMON,DATALOCK\nFROM ACCDEF1\nWHERE REC=1");
            q.execute();
            while (q.fetch()) {
                rec.DATALISTNAME = q.field("ENTTEXT").asString();
                rec.DATAKBN = q.field("DATATYPE").asInt();
                rec.CODEKBN = q.field("CODETYPE").asInt();
                rec.CODE = q.field("SCODE1").asString();
                rec.KANA = q.field("SKANA").asString();
                rec.SHOUGOU = q.field("SHOUGOU").asString();
                rec.TANTO = q.field("TANTOU").asInt();
                rec.NENDO = q.field("NENDO").asInt();
                rec.KISHU = q.field("KISHU").asString();
                rec.KIMATU = q.field("KIMATU").asString();
                rec.SITEN = q.field("SITEN").asInt();
                rec.BUMON = q.field("BUMON").asInt();
                rec.UPDATE_LOCK = q.field("DATALOCK").asInt();
            }
            q.close();
        }
        rec.GASSANKBN = static_cast<std::uint8_t>(GetAccRegInt("基本設定", "合算データ区分", "0"));
        {
            db::Statement q(att, tr, "SELECT MAJOR,MINOR1,MINOR2 FROM ACCVERSION\nWHERE REC=1\nORDER BY MAJOR,MINOR1,MINOR2");
            q.execute();
            if (q.fetch()) {
                rec.MAJOR = q.field("MAJOR").asInt();
                rec.MINOR1 = q.field("MINOR1").asInt();
                rec.MINOR2 = q.field("MINOR2").asInt();
                GetVersionName(rec.MAJOR, rec.MINOR1, rec.VERSION2);
            }
            q.close();
        }
        if (rec.SITEN > 0) {
            db::Statement q(att, tr, "SELECT COUNT(SCODE) AS RECCNT FROM SISETUMST\nWHERE SCODE <> ''");
            rec.SITENCNT = countOf(q);
        }
        if (rec.BUMON > 0) {
            db::Statement q(att, tr, "SELECT COUNT(BCODE) AS RECCNT FROM BUMONMST\nWHERE BCODE <> ''");
            rec.BUMONCNT = countOf(q);
        }
        std::tie(rec.SIWAKE, rec.TOTALSIWAKE) = journalCounts(att, tr);
        try {
            rec.GASSANKBN = static_cast<std::uint8_t>(GetAccRegInt("基本設定", "合算データ区分", "0"));
        } catch (...) {
            rec.GASSANKBN = 0;
        }
        rec.USEMYNUMBER = GetAccRegInt("基本設定", "＃USE", "0");
        if (cloudShareOffered() && versionNewerThan(rec, 11)) {
            db::Statement q(att, tr, "SELECT CLOUD_LINE\nFROM ACCDEF1\nWHERE REC=1");
            q.execute();
            if (q.fetch())
                rec.CLOUD_SHARE = q.field("CLOUD_LINE").asInt() > 0 ? 1 : 0;
            q.close();
        }
        if (versionAtLeast(rec, 12)) {
            db::Statement q(att, tr, "SELECT READ_ONLY\nFROM ACCDEF1\nWHERE REC=1");
            q.execute();
            if (q.fetch())
                rec.READ_ONLY = q.field("READ_ONLY").asInt();
            q.close();
        }
        if (started)
            tr.commit();
        return true;
    } catch (const db::DbError& e) {
        finishFailed();
        if (e.errorCode() == kDynamicSqlError)
            throw;
        ReportDbError(e, "TDataInfomation.GetDataInfoRec", kMsg);
    } catch (const std::exception&) {
        finishFailed();
        platform::showMessage(kMsg, platform::MessageKind::Error);
    }
    return false;
}

bool TDataInfomation::GetDataInfoFromFolder(const std::string& folder, TDataInfomationRec& rec)
{
    if (!DM || !FileOpFExist(dataFileIn(folder), Location))
        return false;
    bool result = false;
    try {
        if (DM->fnAccDatConnected(SystemDef.HostName, folder, 0))
            result = GetDataInfoRec(rec);
    } catch (...) {
        DM->CloseAccDat(folder, 0, 0);
        throw;
    }
    DM->CloseAccDat(folder, 0, 0);
    return result;
}

void TDataInfomation::UpdateDataInfomation(const std::string& host, const std::string& folder,
                                           TDataInfomationRec& rec)
{
    static const std::string kMsg = "データ情報の更新に失敗しました。";
    if (!DM)
        return;
    try {
        if (DM->fnAccDatConnected(host, folder, 0)) {
            db::TransactionScope scope(DM->IBTransactionDAT);
            auto& att = DM->IBDatabaseDAT.attachment();
            auto& tr = DM->IBTransactionDAT;
            if (TrimZenSpace(rec.DATALISTNAME).empty()) {
                db::Statement q(att, tr, "SELECT ENTTEXT FROM ACCDEF1\nWHERE REC=1");
                q.execute();
                if (q.fetch())
                    rec.DATALISTNAME = q.field("ENTTEXT").asString();
                q.close();
            }
            rec.DATALISTNAME = TrimZenSpace(platform::cp932::cutBytes(rec.DATALISTNAME, 40));
            {
                db::Statement q(att, tr, "SELECT MAJOR,MINOR1,MINOR2 FROM ACCVERSION\nWHERE REC=1");
                q.execute();
                if (q.fetch()) {
                    rec.MAJOR = q.field("MAJOR").asInt();
                    rec.MINOR1 = q.field("MINOR1").asInt();
                    rec.MINOR2 = q.field("MINOR2").asInt();
                }
                q.close();
            }
            const bool withReadOnly = versionAtLeast(rec, 12);
            db::Statement u(att, tr,
                            std::string("UPDATE ACCDEF1 SET ENTTEXT=:ENTTEXT,DATALOCK=:DATALOCK") +
                                (withReadOnly ? ",READ_ONLY=:READ_ONLY" : "") + "\nWHERE REC=1");
            u.param("ENTTEXT").setString(rec.DATALISTNAME);
            u.param("DATALOCK").setInt(rec.UPDATE_LOCK);
            if (withReadOnly)
                u.param("READ_ONLY").setInt(rec.READ_ONLY);
            u.execute();
            scope.commit();
        }
    } catch (const db::DbError& e) {
        ReportDbError(e, "TDM.UpdateDataInfomation", kMsg);
    } catch (const std::exception& e) {
        ShowMessageDetail(kMsg, e.what(), platform::MessageKind::Error);
    }
    DM->CloseAccDat(folder, 0, 0);
}

// ---- Reading ---------------------------------------------------------------------------

bool TDataInfomation::ReadDataInfo(const std::string& folder, TDataInfomationRec& rec)
{
    return ReadIniFile(SystemDef.HostName, folder, rec);
}

bool TDataInfomation::ReadIniFile(const std::string& host, const std::string& folder, TDataInfomationRec& rec)
{
    ClearRec(rec);
    if (folder.empty())
        return true;
    if (serverLocation(Location))
        return ReadInfoFromServer(host, folder, rec);
    if (Location != ConnectStandAlone)
        return true;

    const std::string iniFile = InfoFileName(folder);
    const bool iniExists = FileOpFExist(iniFile, ConnectStandAlone);
    const bool dbExists = FileOpFExist(dataFileIn(folder), ConnectStandAlone);
    if (!iniExists && !dbExists)
        return false;
    // A data set on this computer gets its info file on first sight; on a
    // network drive the owner's computer writes it.
    if (dbExists && !iniExists && GetUniversalPath(folder) == folder) {
        if (!DM || !DM->fnAccDatConnected(host, folder, 1)) {
            rec.STATUS = DataStatusOpenFailed;
            return true;
        }
        DM->CloseAccDat(folder, 1, 0);
    }

    const platform::IniFile ini(iniFile);
    auto number = [&](const char* section, const char* key, std::int32_t dflt) {
        return ini.readInteger(section, key, dflt);
    };
    auto text = [&](const char* section, const char* key) { return ini.readString(section, key); };
    rec.STATUS = static_cast<std::uint8_t>(number(kStatusSection, "STATUS", 1));
    rec.OPCODE = number(kStatusSection, "OPCODE", 0);
    rec.OPERATOR = text(kStatusSection, "OPERATOR");
    rec.SHARE_STATUS = static_cast<std::uint8_t>(number(kStatusSection, "SHARE_STATUS", 1));
    rec.SHARE_OPCODE = number(kStatusSection, "SHARE_OPCODE", 0);
    rec.SHARE_OPERATOR = text(kStatusSection, "SHARE_OPERATOR");
    rec.UPDATE_LOCK = number(kStatusSection, "UPDATE_LOCK", 0);
    rec.READ_ONLY = number(kStatusSection, "READ_ONLY", 0);
    rec.DATALISTNAME = text(kInfoSection, "DATALISTNAME");
    rec.CODE = text(kInfoSection, "CODE");
    rec.DATAKBN = number(kInfoSection, "DATAKBN", 0);
    rec.CODEKBN = number(kInfoSection, "CODEKBN", 0);
    rec.SHOUGOU = text(kInfoSection, "SHOUGOU");
    rec.KANA = text(kInfoSection, "KANA");
    rec.NENDO = number(kInfoSection, "NENDO", 0);
    rec.KISHU = text(kInfoSection, "KISHU");
    rec.KIMATU = text(kInfoSection, "KIMATU");
    rec.TANTO = number(kInfoSection, "TANTO", 0);
    rec.SITEN = number(kInfoSection, "SITEN", 0);
    rec.SITENCNT = number(kInfoSection, "SITENCNT", 0);
    rec.BUMON = number(kInfoSection, "BUMON", 0);
    rec.BUMONCNT = number(kInfoSection, "BUMONCNT", 0);
    rec.SIWAKE = number(kInfoSection, "SIWAKE", 0);
    rec.TOTALSIWAKE = number(kInfoSection, "TOTALSIWAKE", 0);
    if (const std::string v = text(kInfoSection, "VERSION1"); !v.empty())
        splitVersion1(v, rec);
    rec.VERSION2 = text(kInfoSection, "VERSION2");
    rec.GASSANKBN = static_cast<std::uint8_t>(number(kInfoSection, "GASSANKBN", 0));
    rec.USEMYNUMBER = number(kInfoSection, "USEMYNUMBER", 0);
    rec.CLOUD_SHARE = static_cast<std::uint8_t>(number(kInfoSection, "CLOUD_SHARE", 0));
    if (rec.DATALISTNAME.empty())
        rec.DATALISTNAME = rec.SHOUGOU;
    return true;
}

bool TDataInfomation::ReadInfoFromServer(const std::string& host, const std::string& folder,
                                         TDataInfomationRec& rec)
{
    if (!DM)
        return true;
    const bool defWasConnected = DM->IBDatabaseDEF.connected();
    bool locked = false;
    try {
        if (!defWasConnected)
            DM->fnAccDefConnected(host, 0);
        db::TransactionScope scope(DM->IBTransactionDEF);
        const std::string upperFolder = upper(folder);
        const bool standardPlace =
            upperFolder.find("\\DATA\\") != std::string::npos || upperFolder.find("/DATA/") != std::string::npos;
        db::Statement q(DM->IBDatabaseDEF.attachment(), DM->IBTransactionDEF,
                        std::string("SELECT D.DATALOCK,O.OPCODE,O.OPNAME,\n"
                                    "D.ENTTEXT,D.DATACODE,D.DATATYPE,D.CODETYPE,D.SHOUGOU,D.NENDO,D.KISHU,D.KIMATU,"
                                    "D.TANTOU,D.UPDATE_LOCK,D.VER_TEXT\n"
                                    ",D.VER_MAJOR,D.VER_MINOR1,D.VER_MINOR2\n"
                                    ",D.CLOUD\n"
                                    ",D.READ_ONLY\n"
                                    "FROM ") +
                            (standardPlace ? "DATALIST" : "DATALIST_EX") +
                            " D\n"
                            "LEFT JOIN OPERATOR O ON(D.GROUPID=O.GROUPID AND D.DATALOCK=O.OPCODE)\n"
                            "WHERE (D.DATALOCK<>0)AND(UPPER(D.PASNAME)=:PASNAME)AND(D.GROUPID=:GROUPID)");
        q.param("PASNAME").setString(upperFolder);
        q.param("GROUPID").setInt(SystemDef.GROUPID);
        q.execute();
        while (q.fetch()) {
            locked = true;
            rec.STATUS = DataStatusLocked;
            rec.OPCODE = (q.field("OPCODE").isNull() ? 0 : q.field("OPCODE").asInt()) + SystemDef.GROUPID * 10000;
            rec.OPERATOR = q.field("OPNAME").asString();
            rec.DATALISTNAME = q.field("ENTTEXT").asString();
            rec.CODE = q.field("DATACODE").asString();
            rec.DATAKBN = q.field("DATATYPE").asInt();
            rec.CODEKBN = q.field("CODETYPE").asInt();
            rec.SHOUGOU = q.field("SHOUGOU").asString();
            rec.NENDO = q.field("NENDO").asInt();
            rec.KISHU = dateText(q.field("KISHU").asDate());
            rec.KIMATU = dateText(q.field("KIMATU").asDate());
            rec.TANTO = q.field("TANTOU").asInt();
            rec.UPDATE_LOCK = q.field("UPDATE_LOCK").asInt();
            rec.MAJOR = q.field("VER_MAJOR").asInt();
            rec.MINOR1 = q.field("VER_MINOR1").asInt();
            rec.MINOR2 = q.field("VER_MINOR2").asInt();
            rec.VERSION2 = q.field("VER_TEXT").asString();
            rec.CLOUD_SHARE = static_cast<std::uint8_t>(q.field("CLOUD").asInt());
            rec.READ_ONLY = q.field("READ_ONLY").asInt();
        }
        q.close();
        scope.commit();
    } catch (const db::DbError& e) {
        locked = false;
        ReportDbError(e, "TDataInfomation.ReadIniFile", "ロック情報の取得に失敗しました。");
    } catch (const std::exception& e) {
        locked = false;
        ShowMessageDetail("ロック情報の取得に失敗しました。", e.what(), platform::MessageKind::Error);
    }
    if (locked) {
        if (!defWasConnected)
            DM->IBDatabaseDEF.disconnect();
        return false;
    }
    if (DM->fnAccDatConnected(host, folder, 0)) {
        GetDataInfoRec(rec);
        DM->CloseAccDat(folder, 0, 0);
        rec.STATUS = DM->AccDatInConnection(1, host, folder, 0) ? DataStatusInUse : DataStatusFree;
    } else {
        rec.STATUS = DataStatusOpenFailed;
    }
    if (!defWasConnected)
        DM->IBDatabaseDEF.disconnect();
    return true;
}

// ---- Writing ---------------------------------------------------------------------------

void TDataInfomation::WriteIniFile(const std::string& folder, const std::string& section,
                                   const TDataInfomationRec& rec)
{
    if (folder.empty() || serverLocation(Location))
        return;
    Rec = rec;
    const bool status = section.empty() || section == kStatusSection;
    const bool info = section.empty() || section == kInfoSection;
    if (!status && !info)
        return;
    editInfoFile(InfoFileName(folder), [&](platform::IniFile& ini) {
        if (status)
            replaceSection(ini, kStatusSection, statusKeys(Rec));
        if (info)
            replaceSection(ini, kInfoSection, infoKeys(Rec));
    });
}

void TDataInfomation::WriteIniValue(const std::string& folder, const std::string& section, const std::string& key,
                                    const std::string& value, bool deleteIt)
{
    if (folder.empty() || serverLocation(Location))
        return;
    WriteIniKey(InfoFileName(folder), section, key, deleteIt, value);
}

void TDataInfomation::WriteStatusKeys(const std::string& folder, const char* statusKey, const char* codeKey,
                                      const char* nameKey, std::uint8_t status)
{
    if (folder.empty() || serverLocation(Location))
        return;
    editInfoFile(InfoFileName(folder), [&](platform::IniFile& ini) {
        ini.writeInteger(kStatusSection, statusKey, status);
        if (status == DataStatusFree) {
            ini.deleteKey(kStatusSection, codeKey);
            ini.deleteKey(kStatusSection, nameKey);
        } else {
            ini.writeInteger(kStatusSection, codeKey, SystemDef.OPCODE);
            ini.writeString(kStatusSection, nameKey, SystemDef.OPNAME);
        }
    });
}

void TDataInfomation::WriteDataStatus(const std::string& folder, std::uint8_t status)
{
    WriteStatusKeys(folder, "STATUS", "OPCODE", "OPERATOR", status);
}

void TDataInfomation::WriteShareStatus(const std::string& folder, std::uint8_t status)
{
    WriteStatusKeys(folder, "SHARE_STATUS", "SHARE_OPCODE", "SHARE_OPERATOR", status);
}

std::int32_t TDataInfomation::SetShareStatusIfChanged(const std::string& folder, std::uint8_t status)
{
    ReadDataInfo(folder, Rec);
    if ((status == ShareStatusTaken && Rec.SHARE_STATUS != ShareStatusTaken) ||
        (status == ShareStatusFree && Rec.SHARE_STATUS != ShareStatusFree)) {
        WriteShareStatus(folder, status);
        return 1;
    }
    return 0;
}

void TDataInfomation::RefreshIniFile(const std::string& folder, const std::string& section)
{
    if (folder.empty() || serverLocation(Location))
        return;
    if (!section.empty()) {
        ClearRec(Rec);
        if (section == kInfoSection && DM) {
            TDataInfomationRec fresh;
            if (DM->fnAccDatConnected(SystemDef.HostName, folder, 0))
                GetDataInfoRec(fresh);
            DM->CloseAccDat(folder, 0, 0);
            Rec = fresh;
        }
        WriteIniFile(folder, section, Rec);
        return;
    }
    if (DM && GetUniversalPath(folder) == folder) {
        if (DM->fnAccDatConnected(SystemDef.HostName, folder, 1))
            DM->CloseAccDat(folder, 1, 0);
    }
}

// ---- Shared data -----------------------------------------------------------------------

std::int32_t TDataInfomation::PutShareData(const std::string& shareFolder, const std::string& localFolder,
                                           std::int32_t quiet)
{
    if (shareFolder.empty() || localFolder.empty())
        return 0;
    SetShareStatusIfChanged(shareFolder, ShareStatusFree);
    WriteShareStatus(localFolder, ShareStatusFree);
    try {
        WriteDataStatus(shareFolder, DataStatusCopyTarget);
    } catch (const std::exception&) {
        if (quiet != 1)
            platform::showMessage("共有サーバー上のデータ領域が削除された可能性があります。\r"
                                  "現在の領域設定情報でデータ領域を作成します。",
                                  platform::MessageKind::Information);
    }
    if (copyDataFiles(localFolder, shareFolder)) {
        WriteDataStatus(localFolder, DataStatusFree);
        WriteDataStatus(shareFolder, DataStatusFree);
        return 1;
    }
    WriteDataStatus(localFolder, DataStatusFree);
    WriteDataStatus(shareFolder, DataStatusFree);
    WriteShareStatus(localFolder, ShareStatusTaken);
    SetShareStatusIfChanged(shareFolder, ShareStatusTaken);
    return 0;
}

std::int32_t TDataInfomation::GetShareData(const std::string& shareFolder, const std::string& localFolder,
                                           std::int32_t quiet)
{
    if (shareFolder.empty() || localFolder.empty())
        return 0;
    if (!FileOpMkDir(localFolder, ConnectStandAlone)) {
        if (quiet != 1)
            platform::showMessage("\"" + localFolder + "\"の作成に失敗しました。", platform::MessageKind::Warning);
        return 0;
    }
    ReadDataInfo(shareFolder, Rec);
    if (Rec.STATUS == DataStatusDamaged) {
        if (quiet != 1)
            throw std::runtime_error("共有サーバー上のデータが破損しているため、共有データの取得を中止します。\r"
                                     "データのバックアップを行っている場合は、適正な方法で破損前の状態へ戻して下さい。");
        return -1;
    }
    const bool shareThere = FileOpDExist(shareFolder, ConnectStandAlone);
    if (Rec.SHARE_STATUS == ShareStatusTaken) {
        // Taken by someone else: a look at it is still offered, but it stays theirs.
        if (shareThere)
            copyDataFiles(shareFolder, localFolder);
        else if (quiet != 1)
            raiseUnreachableShare();
        return -1;
    }
    if (!shareThere) {
        if (quiet != 1)
            raiseUnreachableShare();
        return 0;
    }

    // The share's info file as it was, to put back when nothing was taken.
    const std::string shareInfo = InfoFileName(shareFolder);
    std::error_code ec;
    const bool hadInfo = fs::exists(shareInfo, ec);
    const std::string before = hadInfo ? fileBytes(shareInfo) : std::string();

    WriteDataStatus(shareFolder, DataStatusCopyTarget);
    if (!copyDataFiles(shareFolder, localFolder)) {
        // Nothing arrived: the share stays free and as it was, the local
        // folder keeps what it had.
        if (hadInfo)
            platform::writeFileAtomically(shareInfo, before);
        else
            fs::remove(shareInfo, ec);
        return 0;
    }
    WriteDataStatus(localFolder, DataStatusFree);
    WriteDataStatus(shareFolder, DataStatusFree);
    WriteShareStatus(localFolder, ShareStatusTaken);
    SetShareStatusIfChanged(shareFolder, ShareStatusTaken);
    return 1;
}

// ---- Versions --------------------------------------------------------------------------

void TDataInfomation::GetVersionName(std::int32_t major, std::int32_t minor, std::string& name) const
{
    name = std::to_string(major) + "." + std::to_string(minor);
    if (major == 0 && minor > 0) {
        name = "評価版";
        return;
    }
    for (std::int32_t i = 0; i < VersionList.Count; ++i) {
        if (VersionList.GetVersionText(i) == name) {
            name = VersionList.GetName(i);
            return;
        }
    }
}

} // namespace vq
