#include "datasets/operations/GassanDataCtl.h"

#include <cstdio>
#include <filesystem>
#include <stdexcept>

#include "datasets/operations/DataSetBackupTool.h"
#include "datasets/operations/StagedFolder.h"
#include "foundation/app/AccConstants.h"
#include "foundation/app/AccInf.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/AccRegSettings.h"
#include "foundation/data/DataModule.h"
#include "foundation/data/DbErrorReporter.h"
#include "foundation/dataset/DataInfomation.h"
#include "platform/Interaction.h"
#include "platform/db/DbError.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"

namespace fs = std::filesystem;

namespace vq {

namespace {

constexpr const char* IntegerType = "整数";
// DATATYPE of a medical corporation's data.
constexpr std::int32_t MedicalDataType = 3;

// The number of a child folder name ("001" -> 1); 0 for any other name.
std::int32_t childNumberOf(const std::string& name)
{
    if (name.empty() || name.size() > 4 || name.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    return std::stoi(name);
}

std::string numbered(std::int32_t n, const char* format)
{
    char text[16];
    std::snprintf(text, sizeof text, format, n);
    return text;
}

// Opens the data set in folder through the data module, runs work, closes it
// again (marked free) on every path. The module's earlier data set is closed.
template <class Work>
void withDataSet(const std::string& folder, bool writeStatus, Work&& work)
{
    if (!DM || !DM->fnAccDatConnected("", folder, writeStatus ? 1 : 0))
        throw std::runtime_error("データに接続できません。");
    try {
        work();
    } catch (...) {
        DM->CloseAccDat(folder, 1, 0);
        throw;
    }
    DM->CloseAccDat(folder, 1, 0);
}

void execAll(const std::vector<std::string>& statements)
{
    for (const std::string& sql : statements) {
        db::Statement q(DM->IBDatabaseDAT.attachment(), DM->IBTransactionDAT, sql);
        q.execute();
        q.close();
    }
}

std::vector<std::string> emptyingStatements()
{
    std::string kakozan = "UPDATE KAKOZAN SET KISHU=0,";
    for (int n = 1; n <= 16; ++n) {
        const std::string s = std::to_string(n);
        kakozan += "KOMIZAN_" + s + "=0,NUKIZAN_" + s + "=0,IKKATSU_" + s + "=0,HAIBUN_" + s + "=0,";
    }
    kakozan += "TRIGGER_SWITCH=1";
    std::string kamokuSz = "UPDATE KAMOKU_SZ SET KAISIZAN=0,";
    for (int n = 1; n <= 16; ++n)
        kamokuSz += "HAIBUN" + numbered(n, "%.2d") + "=0,";
    kamokuSz += "KAKOZAN=0,KISHU_KOMI=0,KISHU_NUKI=0";
    std::vector<std::string> list = {
        kakozan,
        kamokuSz,
        "UPDATE KAMOKU_MS SET KAR_NUK=0,KAR_TAX=0,KAS_NUK=0,KAS_TAX=0,BYOSAN=0,BYOSOKU=0,RYOSAN=0,KAR_IKKATSU=0,"
        "KAS_IKKATSU=0",
        "UPDATE KAMOKU_TAX SET KAR=0,KAS=0",
        "UPDATE SISETUMST SET SIWAKECOUNT=0",
        "DELETE FROM SIWAKE",
        "DELETE FROM KAKOSIWAKE1",
        "DELETE FROM KAKOSIWAKE2",
        "DELETE FROM KS_SISAN",
        "SET GENERATOR SIWAKE_REC_GEN TO 0",
    };
    for (int n = 0; n <= 99; ++n)
        list.push_back("SET GENERATOR SIWAKE" + numbered(n, "%.2d") + "_GEN TO 0");
    list.push_back("SET GENERATOR KSSISAN_GEN TO 0");
    return list;
}

// A medical corporation's child keeps only its own facility; the head
// office's child ("00") also loses the account rows no facility shares.
void keepOnlyBranch(const std::string& code)
{
    {
        db::Statement q(DM->IBDatabaseDAT.attachment(), DM->IBTransactionDAT,
                        "DELETE FROM SISETUMST\nWHERE (SCODE NOT IN (' ', :SCODE))");
        q.param("SCODE").setString(code);
        q.execute();
    }
    if (code != "00")
        return;
    struct Key {
        std::string scode, kcode, hcode, bcode;
    };
    std::vector<Key> single;
    {
        db::Statement q(DM->IBDatabaseDAT.attachment(), DM->IBTransactionDAT,
                        "SELECT ' ' AS SCODE,KCODE,HCODE,BCODE FROM KAMOKU_SZ\nGROUP BY KCODE,HCODE,BCODE\n"
                        "HAVING COUNT(SCODE)=1");
        q.execute();
        while (q.fetch())
            single.push_back({q.field("SCODE").asString(), q.field("KCODE").asString(), q.field("HCODE").asString(),
                              q.field("BCODE").asString()});
        q.close();
    }
    db::Statement del(DM->IBDatabaseDAT.attachment(), DM->IBTransactionDAT,
                      "DELETE FROM KAMOKU_SZ\nWHERE SCODE=:SCODE AND KCODE=:KCODE AND HCODE=:HCODE AND BCODE=:BCODE");
    for (const Key& k : single) {
        del.param("SCODE").setString(k.scode);
        del.param("KCODE").setString(k.kcode);
        del.param("HCODE").setString(k.hcode);
        del.param("BCODE").setString(k.bcode);
        del.execute();
    }
}

void putGassanSetting(std::int32_t kind, std::int32_t count)
{
    if (kind == GassanNormal || kind == GassanDistributedChild)
        count = 0;
    PutAccReg(GassanGroup, GassanKindKey, IntegerType, SettingValue(kind));
    PutAccReg(GassanGroup, GassanCountKey, IntegerType, SettingValue(count));
}

} // namespace

TGassanDataCtl::TGassanDataCtl()
{
    Store.ConnectMode = ConnectMode;
}

void TGassanDataCtl::SetDataPath(const std::string& folder)
{
    std::string f = folder;
    while (f.size() > 1 && (f.back() == '/' || f.back() == '\\'))
        f.pop_back();
    if (f != DataPath)
        Active = false;
    DataPath = f;
}

void TGassanDataCtl::SetDataRec(std::int32_t rec)
{
    if (rec != DataRec)
        Active = false;
    DataRec = rec;
}

void TGassanDataCtl::SetActive(bool active)
{
    if (active)
        LoadChildren();
    Active = active;
}

void TGassanDataCtl::LoadChildren()
{
    if (ConnectMode != ConnectStandAlone || DataPath.empty())
        return;
    GassanRec = TGassanDataRec{};
    GassanRec.Rec = DataRec;
    GassanRec.Folder = DataPath;
    ExpectedChildren.clear();
    Children.clear();

    std::int32_t kind = 0;
    bool medical = false;
    try {
        withDataSet(DataPath, false, [&] {
            DM->fnGetAccInfo();
            medical = AccInf.DATATYPE == MedicalDataType;
            kind = GetAccRegInt(GassanGroup, GassanKindKey, "0");
            if (!IsConsolidatedKind(kind))
                return;
            GassanRec.BySiten = AccInf.SITEN != 0 ? 1 : 0;
            GassanRec.ExpectedCount = GetAccRegInt(GassanGroup, GassanCountKey, "0");
            if (GassanRec.BySiten)
                loadBranchChildren();
            for (std::int32_t n = 1; !GassanRec.BySiten && n <= GassanRec.ExpectedCount; ++n)
                ExpectedChildren.push_back({DataRec, n, "", DataPath + "/" + numbered(n - 1, "%.3d")});
        });
    } catch (...) {
        ReportCurrentException("TGassanDataCtl.LoadChildren", "合算データの読み込みに失敗しました。");
        return;
    }

    TDataSentakuRec parent;
    parent.REC = DataRec;
    Store.GetDataListChildRecord(parent, true);
    if (IsConsolidatedKind(kind)) {
        std::int32_t n = 0;
        for (const fs::path& entry : SortedFolderEntries(DataPath)) {
            const std::string name = entry.filename().string();
            const std::int32_t number = childNumberOf(name);
            const bool numeric = number > 0 || (medical && name == "00");
            // A branch's child is named by its code, which need not be a number.
            bool branchCode = false;
            for (const TGassanChildDataRec& expected : ExpectedChildren)
                branchCode = branchCode || (GassanRec.BySiten && expected.SCode == name);
            if (!fs::is_directory(entry) || (!numeric && !branchCode))
                continue;
            TGassanChildDataRec child{DataRec, ++n, "", entry.string()};
            if (GassanRec.BySiten)
                child.SCode = numeric ? numbered(number, "%.2d") : name;
            for (const TDataListRec& row : parent.Children)
                if (IsSameFolder(row.PASNAME, entry) || (!row.LOCAL_PATH.empty() && IsSameFolder(row.LOCAL_PATH, entry)))
                    child.ChildNo = row.ROWNO;
            Children.push_back(child);
        }
    } else {
        for (const TDataListRec& row : parent.Children)
            Children.push_back({DataRec, row.ROWNO, "", row.LOCAL_PATH.empty() ? row.PASNAME : row.LOCAL_PATH});
    }
}

// One expected child per branch code of the open data set, numbered from 1;
// a database error ends the reading and keeps what was read.
void TGassanDataCtl::loadBranchChildren()
{
    try {
        db::TransactionScope scope(DM->IBTransactionDAT);
        db::Statement q(DM->IBDatabaseDAT.attachment(), DM->IBTransactionDAT,
                        "SELECT SCODE FROM SISETUMST\nWHERE SCODE<>''\nORDER BY SCODE");
        q.execute();
        std::int32_t n = 0;
        while (q.fetch()) {
            std::string code = q.field(std::size_t{0}).asString();
            while (!code.empty() && code.back() == ' ')
                code.pop_back();
            if (!code.empty())
                ExpectedChildren.push_back({DataRec, ++n, code, DataPath + "/" + code});
        }
        q.close();
        scope.commit();
    } catch (const db::DbError&) {
    }
}

std::int32_t TGassanDataCtl::IndexOfChildFolder(const std::string& folder) const
{
    for (std::size_t i = 0; i < Children.size(); ++i)
        if (IsSameFolder(Children[i].Folder, folder))
            return static_cast<std::int32_t>(i);
    return -1;
}

std::int32_t TGassanDataCtl::NextChildNo(std::int32_t step) const
{
    std::int32_t highest = 0;
    for (const TGassanChildDataRec& child : Children)
        highest = std::max(highest, child.ChildNo);
    return highest + step;
}

void TGassanDataCtl::NextChildFolderName(const std::string& folder, std::int32_t step, std::string& name)
{
    std::int32_t highest = 0;
    for (const fs::path& entry : SortedFolderEntries(folder))
        if (fs::is_directory(entry))
            highest = std::max(highest, childNumberOf(entry.filename().string()));
    const std::int32_t next = highest + step;
    name.clear();
    if (next >= 1000)
        throw std::runtime_error("作成できるフォルダ名は[999]までです。");
    name = numbered(next, "%.3d");
}

bool TGassanDataCtl::AddChild(const std::string& code)
{
    if (DataPath.empty())
        return false;
    std::string name = code;
    try {
        if (GassanRec.BySiten) {
            if (code.empty())
                return false;
        } else if (name.empty()) {
            NextChildFolderName(DataPath, 1, name);
        }
    } catch (const std::exception& e) {
        platform::showMessage(e.what(), platform::MessageKind::Information);
        return false;
    }
    const fs::path parentFile = fs::path(DataPath) / DataDbFileName;
    const fs::path childFolder = fs::path(DataPath) / name;
    if (fs::exists(childFolder))
        return false;

    // The copy of a database file is sound only while nobody writes to it.
    CloseOwnConnectionTo(DataPath);
    if (IsDataSetAttached(SystemDef.HostName, DataPath)) {
        platform::showMessage("このデータは他のオペレータが使用中です。", platform::MessageKind::Information);
        return false;
    }

    TDataInfomationRec description;
    try {
        StagedFolder stage(childFolder);
        stage.copyFile(parentFile);
        AccDataSyokika(stage.path().string(), GassanRec.BySiten ? code : std::string());
        TDataInfomation info;
        info.Location = ConnectMode;
        info.ReadDataInfo(stage.path().string(), description);
        stage.commit();
    } catch (...) {
        return false;
    }
    // The info file written inside the stage must not keep the stage's path.
    TDataInfomation info;
    info.Location = ConnectMode;
    info.RefreshIniFile(childFolder.string(), "");
    info.ReadDataInfo(childFolder.string(), description);

    TGassanChildDataRec child{DataRec, NextChildNo(1), GassanRec.BySiten ? code : "", childFolder.string()};
    TDataListRec row;
    Store.ClearRecord(row, childFolder.string());
    row.REC = DataRec;
    row.ROWNO = child.ChildNo;
    Store.SetRecordFromDataInfo(description, row);
    row.GASSAN = GassanDistributedChild;
    row.REC = DataRec;
    row.ROWNO = child.ChildNo;
    if (!Store.UpdateDataListChildRecord(row, 1, true)) {
        // A child without its row would be counted by nobody: take it away.
        std::error_code ec;
        fs::remove_all(childFolder, ec);
        return false;
    }
    if (IndexOfChildFolder(child.Folder) < 0)
        Children.push_back(child);
    ChildRow = row;
    return true;
}

void TGassanDataCtl::AccDataSyokika(const std::string& folder, const std::string& code)
{
    if (folder.empty())
        return;
    try {
        withDataSet(folder, true, [&] {
            db::TransactionScope scope(DM->IBTransactionDAT);
            {
                db::Statement q(DM->IBDatabaseDAT.attachment(), DM->IBTransactionDAT,
                                "UPDATE ACCDEF1\nSET KANSA_FIXDATE=:KANSA_FIXDATE,KANSA_DATE=:KANSA_DATE,"
                                "KANSA_LOCK=:KANSA_LOCK\nWHERE REC=1");
                q.param("KANSA_FIXDATE").setDateTime(0);
                q.param("KANSA_DATE").setDateTime(0);
                q.param("KANSA_LOCK").setInt(0);
                q.execute();
            }
            execAll(emptyingStatements());
            putGassanSetting(GassanDistributedChild, 0);
            if (AccInf.DATATYPE == MedicalDataType)
                keepOnlyBranch(code);
            scope.commit();
        });
    } catch (...) {
        ReportCurrentException("TGassanDataCtl.AccDataSyokika", "分散入力用データの初期化に失敗しました。");
        throw;
    }
}

bool WriteGassanSetting(const std::string& folder, std::int32_t kind, std::int32_t count)
{
    if (folder.empty())
        return false;
    try {
        withDataSet(folder, false, [&] {
            db::TransactionScope scope(DM->IBTransactionDAT);
            putGassanSetting(kind, count);
            scope.commit();
        });
        return true;
    } catch (...) {
        ReportCurrentException("TGassanDataCtl.WriteGassanSetting", "合算データ区分の更新に失敗しました。");
        return false;
    }
}

std::optional<std::pair<std::int32_t, std::int32_t>> AdjustedGassanSetting(int connectMode, int sourceKind,
                                                                         int targetKind, std::int32_t count)
{
    using Setting = std::pair<std::int32_t, std::int32_t>;
    if (connectMode != ConnectStandAlone)
        return Setting{0, 0};
    const bool sourceConsolidated = IsConsolidatedKind(sourceKind);
    const bool sourceChild = sourceKind == GassanDistributedChild;
    if (sourceConsolidated) {
        if (IsConsolidatedKind(targetKind))
            return Setting{targetKind, count};
        if (targetKind == GassanDistributedChild)
            return Setting{GassanDistributedChild, 0};
        return std::nullopt;
    }
    if (sourceChild)
        return targetKind == GassanDistributedChild ? std::nullopt : std::optional<Setting>(Setting{0, 0});
    if (targetKind == GassanDistributedChild)
        return Setting{GassanDistributedChild, 0};
    return std::nullopt;
}

bool AddBunsanData(TDataSentakuRec& parent, const std::string& localFolder, TGassanDataCtl& ctl)
{
    if (!IsConsolidatedKind(parent.GASSAN))
        return false;
    if (parent.ChildCount > 98) {
        platform::showMessage("これ以上の分散データの追加は行えません。(最大99件)\r",
                              platform::MessageKind::Information);
        return false;
    }
    if (platform::showMessage("分散入力用のデータを追加します。\rよろしいですか？",
                              platform::MessageKind::Confirmation, platform::Buttons::YesNo) != platform::ResultYes)
        return false;
    ctl.SetDataPath(localFolder);
    ctl.SetDataRec(parent.REC);
    ctl.SetActive(true);
    const bool added = ctl.AddChild("");
    if (added)
        WriteGassanSetting(localFolder, parent.GASSAN, parent.ChildCount + 1);
    ctl.Store.GetDataListChildRecord(parent, true);
    return added;
}

} // namespace vq
