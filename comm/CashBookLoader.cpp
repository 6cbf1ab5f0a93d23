#include "comm/CashBookLoader.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <unistd.h>

#include "foundation/app/AccConstants.h"
#include "foundation/app/AccInf.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"
#include "foundation/files/FileOperations.h"
#include "foundation/files/FileUtils.h"
#include "foundation/text/VersionUtils.h"
#include "platform/Cp932.h"
#include "platform/db/DbError.h"

namespace vq::comm {

namespace {

std::string versionText(const std::array<std::int32_t, 3>& v)
{
    return std::to_string(v[0]) + "." + std::to_string(v[1]) + "." + std::to_string(v[2]);
}

std::string sitenText(std::int32_t v)
{
    return v == 1 ? "本・支店管理を行う" : "本・支店管理を行わない";
}

std::string bumonText(std::int32_t v)
{
    return v == 1 ? "部門管理を行う[損益]" : v == 2 ? "部門管理を行う[全科目]" : "部門管理を行わない";
}

std::string nameOrNone(const std::string& name)
{
    return name.find_first_not_of(" 　") == std::string::npos ? std::string("名称登録なし") : name;
}

// A folder of this run's own for the dictionary file, removed with the object.
class PrivateFolder {
public:
    PrivateFolder()
    {
        std::string pattern =
            (std::filesystem::path(GetTempFolder(SystemDef.TempDir)) / "vqzjisyo-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::system_error(errno, std::generic_category(), "cannot make a folder for the dictionary file");
        path_ = pattern;   // mode 0700
    }
    ~PrivateFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

} // namespace

TCashBookLoader::TCashBookLoader()
    : ReceiveTransaction({&ReceiveDatabase, &DM->IBDatabaseDAT.attachment()}, db::kReadCommitted),
      ReceiveSQL1(ReceiveDatabase, ReceiveTransaction),
      ReceiveSQL2(ReceiveDatabase, ReceiveTransaction),
      SQL1(DM->IBDatabaseDAT.attachment(), ReceiveTransaction),
      SQL2(DM->IBDatabaseDAT.attachment(), ReceiveTransaction)
{
    CurrentEntry.ProcessName = "CashBookLoader";
    Writer.SetTransaction(ReceiveTransaction);
}

TCashBookLoader::~TCashBookLoader()
{
    ReceiveDatabase.detach();
}

void TCashBookLoader::OpenReceivedData(const std::string& fileName)
{
    ReceivedFile = fileName;
}

void TCashBookLoader::label(const std::string& text)
{
    if (OnLabel)
        OnLabel(text);
}

void TCashBookLoader::step()
{
    if (OnStep)
        OnStep();
}

void TCashBookLoader::ResetLog()
{
    ImportResult = 0;
    CurrentEntry.Clear();
    ImportLog.clear();
}

void TCashBookLoader::AddLog()
{
    ImportLog.push_back(CurrentEntry);
    if (OnEntry)
        OnEntry(CurrentEntry);
    RecomputeResult();
}

void TCashBookLoader::AddEntry(std::uint8_t kind, std::int32_t code, const std::string& message)
{
    CurrentEntry.Kind = kind;
    CurrentEntry.Code = code;
    CurrentEntry.Message = message;
    AddLog();
}

std::int32_t TCashBookLoader::RecomputeResult()
{
    ImportResult = SyoriLogResult(ImportLog);
    return ImportResult;
}

void TCashBookLoader::logFailure(const std::string& failure, const std::exception& e)
{
    AddEntry(SyoriError, -100, failure + "原因: " + e.what());
}

void TCashBookLoader::Run()
{
    ResetLog();
    if (DM->AccDatInConnection(1, SystemDef.HostName, SystemDef.DataDir, 0)) {
        AddEntry(SyoriError, -100, "現在、他のユーザーがデータを使用中です。他のユーザーがデータを使用している間は"
                                   "現金出納帳の取り込みは行えません。");
    } else {
        bool connected = false;
        try {
            if (!std::filesystem::exists(ReceivedFile))
                throw db::DbError("the received database is missing: " + ReceivedFile);
            ReceiveDatabase.attach({ReceivedFile, SystemDef.DbUser, SystemDef.DbPassword});
            if (!DM->IBDatabaseDAT.connected() && !DM->fnAccDatConnected(SystemDef.HostName, SystemDef.DataDir, 0))
                throw db::DbError("the open data set cannot be connected");
            connected = true;
        } catch (const std::exception&) {
            ReceiveDatabase.detach();
            AddEntry(SyoriError, -100, "会計データの接続に失敗しました。");
        }
        if (connected)
            ImportCashBook();
    }
    if (!DM->IBDatabaseDAT.connected())
        DM->fnAccDatConnected(SystemDef.HostName, SystemDef.DataDir, 0);
    if (ImportResult > 0)
        DM->fnGetAccInfo();
}

void TCashBookLoader::ImportCashBook()
{
    ResetLog();
    label("準備中です…");
    if (TextMode == 0 && ImportMode == 0) {
        ReceiveDatabase.detach();
        return;
    }
    bool ended = false;
    try {
        Writer.SetTransaction(ReceiveTransaction);
        TransactionWasActive = ReceiveTransaction.active() ? 1 : 0;
        if (!ReceiveTransaction.active())
            ReceiveTransaction.start();
        Siten.SetTransaction(ReceiveTransaction);
        Siten.Options = SitenFacilities;
        Siten.Execute(-1);
        step();
        CheckVersion();
        step();
        auto going = [this] { return ImportResult >= 0; };
        if (ImportMode == 0) {
            if (going()) {
                label("現金仕訳の整合中です…");
                step();
            }
            if (going()) {
                label("摘要／取引先辞書の移行中です…");
                TransferDictionaries();
                step();
            }
            if (going()) {
                label("データリスト名称の移行中です…");
                UpdateDataListName();
                step();
            }
        } else if (ImportMode == 1) {
            if (going()) {
                label("科目体系の整合チェック中です…");
                if (!CheckAccountSystem()) {
                    endTransaction(false);
                    ended = true;
                }
                step();
            }
            if (!ended && going()) {
                label("補助科目の移行中です…");
                ImportSubAccounts();
                step();
            }
            if (!ended && going()) {
                label("開始残高の移行中です…");
                ImportOpeningBalances();
                step();
            }
            if (!ended && going()) {
                label("現金仕訳の移行中です…");
                ImportCashEntries();
                step();
            }
            if (!ended && going() && TextMode == 0) {
                label("現金残高の比較中です…");
                CompareCashBalance();
            }
        }
        if (!ended) {
            if (ImportResult < 0) {
                endTransaction(false);
            } else {
                label("データ整合中です…");
                CleanupAfterImport();
                step();
                endTransaction(true);
            }
            ended = true;
            makeFinalEntry();
        }
    } catch (const std::exception& e) {
        // The failing step has logged its cause. What failed outside a step
        // (the facility list, the version, the commit itself) must not leave
        // a result that reads as done.
        if (!ended && TransactionWasActive == 0)
            ReceiveTransaction.rollback();
        if (ImportResult >= 0)
            AddEntry(SyoriError, -100, std::string("取り込み処理を中止しました。 原因: ") + e.what());
    }
    ReceiveDatabase.detach();
    DM->IBDatabaseDAT.disconnect();
    if (ImportResult > 0)
        ReplaceDataFile();
}

void TCashBookLoader::endTransaction(bool commit)
{
    label(commit ? "データ確定中です…" : "データ廃棄中です…");
    if (TransactionWasActive == 0) {
        if (commit)
            ReceiveTransaction.commit();
        else
            ReceiveTransaction.rollback();
    }
    step();
}

void TCashBookLoader::makeFinalEntry()
{
    CurrentEntry.ProcessName = "CashBookLoader";
    if (ImportResult < 0) {
        AddEntry(SyoriError, -100, "取り込み処理を中止しました。");
        return;
    }
    bool masterSend = false;
    for (const auto& e : ImportLog)
        masterSend = masterSend || e.Code == 101;
    AddEntry(SyoriInfo, 1,
             std::string("取り込み処理が成功しました。") +
                 (masterSend ? " （次回の送信時は、マスター送信を行って下さい。）" : ""));
}

std::array<std::int32_t, 3> TCashBookLoader::readReceivedVersion()
{
    ReceiveSQL1.setSql("SELECT MAJOR,MINOR1,MINOR2 FROM ACCVERSION ORDER BY MAJOR DESC,MINOR1 DESC,MINOR2 DESC");
    ReceiveSQL1.execute();
    std::array<std::int32_t, 3> v{};
    if (ReceiveSQL1.fetch())
        v = {ReceiveSQL1.field("MAJOR").asInt(), ReceiveSQL1.field("MINOR1").asInt(),
             ReceiveSQL1.field("MINOR2").asInt()};
    ReceiveSQL1.close();
    return v;
}

void TCashBookLoader::CheckVersion()
{
    ReceivedVersion = readReceivedVersion();
    const bool pass = ImportMode == 0 ||
                      (ImportMode == 1 && IsVersionAtLeast(versionText(ReceivedVersion), versionText(CashBookRequiredVersion)));
    if (pass)
        return;
    char text[160];
    std::snprintf(text, sizeof text, "受信したデータバージョンがVer%d.%d.%dに達していません。",
                  CashBookRequiredVersion[0], CashBookRequiredVersion[1], CashBookRequiredVersion[2]);
    AddEntry(SyoriError, -100,
             std::string(text) + (TextMode == 0 ? "顧問先へ「ヴォルレン現金出納帳」のプログラム更新を行うように連絡して下さい。"
                                                : "送信元へ「ヴォルレン財務」のプログラム更新を行うように連絡して下さい。"));
}

std::string TCashBookLoader::RemapCashAccountCode(const std::string& group, const std::string& kcode) const
{
    if (!receivedBefore6())
        return group;
    const std::int32_t kind = AccInf.DATATYPE;
    const std::int32_t codeKind = AccInf.CODETYPE;
    if (OemKind == 0) {
        if ((kind == 1 || (kind == 2 && (codeKind == 1 || codeKind == 3))) && kcode == "5601")
            return "5685";
    } else if (OemKind == 1 || OemKind == 2) {
        if ((kind == 1 || (kind == 2 && codeKind == 1)) && (kcode == "52100" || kcode == "52200" || kcode == "52300"))
            return "5685";
    }
    return group;
}

bool TCashBookLoader::CheckAccountSystem()
{
    return guarded("「科目体系の整合チェック」に失敗しました。 ", [&] {
        ReceiveSQL1.setSql("SELECT SITEN,BUMON FROM ACCDEF1 WHERE REC=1");
        ReceiveSQL1.execute();
        std::int32_t siten = 0;
        std::int32_t bumon = 0;
        if (ReceiveSQL1.fetch()) {
            siten = ReceiveSQL1.field("SITEN").asInt();
            bumon = ReceiveSQL1.field("BUMON").asInt();
        }
        ReceiveSQL1.close();
        if (siten != AccInf.SITEN)
            AddEntry(SyoriError, -106, "(使用データ:" + sitenText(AccInf.SITEN) + " ≠ 受信データ:" + sitenText(siten) +
                                           ") 受信データの本・支店管理区分の設定内容に違いがありました。");
        if (bumon != AccInf.BUMON)
            AddEntry(SyoriError, -107, "(使用データ:" + bumonText(AccInf.BUMON) + " ≠ 受信データ:" + bumonText(bumon) +
                                           ") 受信データの部門管理区分の設定内容に違いがありました。");
        ReceivedVersion = readReceivedVersion();

        const char* accounts = "SELECT KCODE,USERCODE,GROUPM0,USE,HOJOSW,KNAME FROM KAMOKUMST ORDER BY KCODE";
        std::map<std::string, std::pair<std::string, TReceiveKamokuInfo>> received;
        ReceiveSQL1.setSql(accounts);
        ReceiveSQL1.execute();
        while (ReceiveSQL1.fetch()) {
            TReceiveKamokuInfo info{ReceiveSQL1.field("GROUPM0").asString(), ReceiveSQL1.field("USERCODE").asString(),
                                    nameOrNone(ReceiveSQL1.field("KNAME").asString()),
                                    ReceiveSQL1.field("USE").asInt(), ReceiveSQL1.field("HOJOSW").asString()};
            const std::string group = RemapCashAccountCode(info.GROUPM0, ReceiveSQL1.field("KCODE").asString());
            const std::string value = group + "-" + std::to_string(info.USE) + "-" + info.HOJOSW;
            received.emplace(info.USERCODE, std::make_pair(value, info));
        }
        ReceiveSQL1.close();

        SQL1.setSql(accounts);
        SQL1.execute();
        while (SQL1.fetch()) {
            const std::string user = SQL1.field("USERCODE").asString();
            const std::string name = nameOrNone(SQL1.field("KNAME").asString());
            const std::int32_t use = SQL1.field("USE").asInt();
            const auto it = received.find(user);
            if (it == received.end()) {
                AddEntry(SyoriError, -104, "(使用データ:" + user + " " + name + ") 科目コードが見つかりません。");
                continue;
            }
            const std::string mine =
                SQL1.field("GROUPM0").asString() + "-" + std::to_string(use) + "-" + SQL1.field("HOJOSW").asString();
            if (mine == it->second.first)
                continue;
            const TReceiveKamokuInfo& theirs = it->second.second;
            if (TextMode == 0 && ImportMode == 1 && use > 0 && theirs.USE == 0)
                AddEntry(SyoriWarning, 101,
                         "(使用データ:" + user + " " + name + ") 受信データの当科目は[使用しない]に設定されています。");
            else
                AddEntry(SyoriError, -105, "(使用データ:" + user + " " + name + " ≠ 受信データ:" + theirs.USERCODE + " " +
                                               theirs.KNAME + ") 受信データの科目の設定内容に違いがありました。");
        }
        SQL1.close();
        if (ImportResult < 0) {
            AddEntry(SyoriError, -103,
                     TextMode == 0 ? "データの設定変更により科目体系に差異が発生しています。マスター送信を行って下さい。"
                                   : "データ送信元の設定変更により科目体系に差異が発生しています。データ送信元にご連絡して下さい。");
            return false;
        }
        return true;
    });
}

void TCashBookLoader::TransferDictionaries()
{
    const std::int64_t count = guarded("辞書分類件数の取得」に失敗しました。 ", [&] {
        SQL1.setSql("SELECT COUNT(TEKCODE) AS RECCNT FROM TEKDIC");
        SQL1.execute();
        const std::int64_t n = SQL1.fetch() ? SQL1.field("RECCNT").asInt64() : 0;
        SQL1.close();
        return n;
    });
    if (count == 0)
        return;
    // The file holds the office's dictionaries: it lives in a folder of this
    // run's own and goes with it.
    std::unique_ptr<PrivateFolder> folder;
    std::string file;
    Jisyo.Target = 0;
    Jisyo.AllAccountSystems = 1;
    guarded("「摘要・取引先辞書の移行(エクスポート)」に失敗しました。 ", [&] {
        folder = std::make_unique<PrivateFolder>();
        file = (folder->path() / "vqzjisyo.txt").string();
        Jisyo.SetDatabase(DM->IBDatabaseDAT.attachment());
        Jisyo.SetTransaction(ReceiveTransaction);
        Jisyo.SetFileVersion("1.1");
        Jisyo.ExportDictionaries(file);
    });
    guarded("「摘要・取引先辞書の移行(インポート)」に失敗しました。 ", [&] {
        Jisyo.SetDatabase(ReceiveDatabase);
        Jisyo.SetTransaction(ReceiveTransaction);
        Jisyo.SetFileVersion("1.1");
        Jisyo.ImportDictionaries(file);
    });
}

void TCashBookLoader::UpdateDataListName()
{
    guarded("「データリスト名称の更新」に失敗しました。 ", [&] {
        SQL1.setSql("SELECT ENTTEXT,DATALOCK FROM ACCDEF1 WHERE REC=1");
        SQL1.execute();
        std::string entText;
        std::int32_t dataLock = 0;
        while (SQL1.fetch()) {
            entText = SQL1.field("ENTTEXT").asString();
            dataLock = SQL1.field("DATALOCK").isNull() ? 0 : SQL1.field("DATALOCK").asInt();
        }
        SQL1.close();
        const bool readOnlyColumn = IsVersionAtLeast(versionText(ReceivedVersion), "12.0.0");
        ReceiveSQL1.setSql(std::string("UPDATE ACCDEF1 SET ENTTEXT=:ENTTEXT,PASWORD=:PASWORD,WEB_HOLDER=:WEB_HOLDER,"
                                       "DATALOCK=:DATALOCK") +
                           (readOnlyColumn ? ",READ_ONLY=0" : "") + " WHERE REC=1");
        ReceiveSQL1.param("ENTTEXT").setString(entText);
        ReceiveSQL1.param("PASWORD").setString("");
        ReceiveSQL1.param("WEB_HOLDER").setString("");
        ReceiveSQL1.param("DATALOCK").setInt(dataLock);
        ReceiveSQL1.execute();
    });
}

void TCashBookLoader::CleanupAfterImport()
{
    if (ImportMode == 1)
        return;
    guarded("取り込み後処理に失敗しました。 ", [&] {
        for (const char* table : {"OPINF", "OPHIST", "OPLICENSE", "OPDEFSISETU"}) {
            ReceiveSQL1.setSql(std::string("DELETE FROM ") + table);
            ReceiveSQL1.execute();
        }
        ReceiveSQL1.setSql("DELETE FROM ACCREG WHERE (AGROUP=:AGROUP) AND (ACODE=:ACODE)");
        for (const char* code : {"合算データ区分", "合算データ数"}) {
            ReceiveSQL1.param("AGROUP").setString("基本設定");
            ReceiveSQL1.param("ACODE").setString(code);
            ReceiveSQL1.execute();
        }
    });
}

void TCashBookLoader::ReplaceDataFile()
{
    if (ImportMode != 0)
        return;
    const std::string data = (std::filesystem::path(SystemDef.DataDir) / DataDbFileName).string();
    const std::string kept = std::filesystem::path(data).replace_extension(".f00").string();
    const std::uint8_t mode = ConnectMode;
    bool replaced = FileOpFMove(data, kept, mode);
    bool dataInPlace = false;
    if (replaced) {
        if (FileOpFCopy(ReceivedFile, data, mode)) {
            dataInPlace = true;
        } else {
            replaced = false;
            if (FileOpFExist(data, mode))
                FileOpFDel(data, mode, false);
            dataInPlace = FileOpFMove(kept, data, mode);
        }
    } else {
        dataInPlace = FileOpFExist(data, mode);
    }
    if (!replaced)
        AddEntry(SyoriError, -100, "受信データの移行処理後のコピーに失敗しました。");
    // ".f00" may be the only copy of the data set: it goes only when a data
    // file is in place again.
    if (dataInPlace && FileOpFExist(kept, mode))
        FileOpFDel(kept, mode, false);
}

std::string TCashBookLoader::LogFileText(LogFileKind kind) const
{
    auto field = [kind](const std::string& text) {
        return kind == LogCsv ? "'" + text + "'," : text + "\t";
    };
    std::string out;
    for (const auto& e : ImportLog) {
        std::string line;
        if (e.Kind <= SyoriError)
            line += field(SyoriKindText(e.Kind));
        line += field(std::to_string(e.Code)) + field(e.Message) + "\r\n";
        out += line + "\r\n";
    }
    return out;
}

void TCashBookLoader::SaveLog(const std::string& fileName, LogFileKind kind) const
{
    platform::cp932::writeFile(fileName, LogFileText(kind));
}

} // namespace vq::comm
