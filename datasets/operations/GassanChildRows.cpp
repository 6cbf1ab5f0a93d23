#include "datasets/operations/GassanChildRows.h"

#include <filesystem>

#include "datasets/operations/StagedFolder.h"
#include "foundation/app/AccConstants.h"
#include "foundation/app/RunState.h"
#include "foundation/dataset/DataInfomation.h"

namespace fs = std::filesystem;

namespace vq {

namespace {

bool isNumberedFolder(const fs::path& entry)
{
    const std::string name = entry.filename().string();
    return fs::is_directory(entry) && !name.empty() && name.size() <= 4 &&
           name.find_first_not_of("0123456789") == std::string::npos && std::stoi(name) > 0;
}

void dropRows(TDataSentakuRec& parent, TDataSentakuListCtl& store)
{
    for (const TDataListRec& child : parent.Children)
        store.DeleteDataListChildRecord(child, true);
    parent.Children.clear();
    parent.ChildCount = 0;
}

} // namespace

void ScanChildFolders(TDataSentakuRec& parent, const std::string& localFolder, TDataSentakuListCtl& store)
{
    if (ConnectMode != ConnectStandAlone || parent.ROWNO != 0)
        return;
    for (const TDataListRec& child : parent.Children)
        if (child.DATA_STATUS == 1)
            return;
    dropRows(parent, store);
    if (!IsConsolidatedKind(parent.GASSAN))
        return;

    std::int32_t n = 0;
    for (const fs::path& entry : SortedFolderEntries(localFolder)) {
        if (!isNumberedFolder(entry) || !fs::exists(entry / DataDbFileName))
            continue;
        TDataListRec child;
        store.ClearRecord(child, parent.PASNAME + "/" + entry.filename().string());
        child.REC = parent.REC;
        child.ROWNO = ++n;
        child.GROUPID = parent.GROUPID;
        child.NETDRIVE = parent.NETDRIVE;
        child.KYOYULOCK = parent.KYOYULOCK;

        TDataInfomation info;
        info.Location = ConnectStandAlone;
        TDataInfomationRec description;
        if (info.GetDataInfoFromFolder(entry.string(), description)) {
            store.SetRecordFromDataInfo(description, child);
            info.WriteIniFile(entry.string(), "DATAINFO", description);
            info.WriteIniValue(entry.string(), "DATASTS", "UPDATE_LOCK", std::to_string(description.UPDATE_LOCK), false);
            info.WriteIniValue(entry.string(), "DATASTS", "READ_ONLY", std::to_string(description.READ_ONLY), false);
        } else {
            info.ReadDataInfo(entry.string(), description);
            if (description.DATALISTNAME.empty()) {
                description.DATALISTNAME = "破損データ";
                store.SetRecordFromDataInfo(description, child);
                child.SHOUGOU = parent.SHOUGOU;
                child.NENDO = parent.NENDO;
                child.KISHU = parent.KISHU;
                child.KIMATU = parent.KIMATU;
                child.DATATYPE = parent.DATATYPE;
                child.CODETYPE = parent.CODETYPE;
                child.TANTOU = parent.TANTOU;
                child.VER_MAJOR = parent.VER_MAJOR;
                child.VER_MINOR1 = parent.VER_MINOR1;
                child.VER_MINOR2 = parent.VER_MINOR2;
                child.VER_TEXT = parent.VER_TEXT;
                child.DISP_NAME = parent.ENTTEXT;
            } else {
                store.SetRecordFromDataInfo(description, child);
            }
            child.DATA_STATUS = 1;
        }
        child.REC = parent.REC;
        child.ROWNO = n;
        child.GASSAN = GassanDistributedChild;
        child.PASNAME = parent.PASNAME + "/" + entry.filename().string();
        store.UpdateDataListChildRecord(child, 1, true);
        parent.Children.push_back(child);
    }
    parent.ChildCount = n;
    store.NumberChildNames(parent);
}

void ResetChildren(TDataSentakuRec& parent, const std::string& localFolder, bool removeFolders,
                   TDataSentakuListCtl& store)
{
    dropRows(parent, store);
    if (!removeFolders || !IsConsolidatedKind(parent.GASSAN))
        return;
    for (const fs::path& entry : SortedFolderEntries(localFolder))
        if (isNumberedFolder(entry)) {
            std::error_code ec;
            fs::remove_all(entry, ec);
        }
}

} // namespace vq
