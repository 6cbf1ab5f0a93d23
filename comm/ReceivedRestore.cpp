#include "comm/ReceivedRestore.h"

#include "comm/DataListRow.h"
#include "comm/PrivateWorkFolder.h"
#include "comm/TransferSteps.h"
#include "datasets/operations/BackupTrailer.h"
#include "datasets/operations/CollationCheck.h"
#include "datasets/operations/DataSetBackupTool.h"
#include "foundation/app/AccConstants.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/dataset/DataInfomation.h"
#include "platform/Interaction.h"

namespace vq::comm {

namespace fs = std::filesystem;
using platform::MessageKind;

namespace {

// The consolidation refusals of a received backup: the open data set's kind
// and the received kind.
const char* gassanRefusal(int open, int received)
{
    struct Row {
        int open, received;
        const char* message;
    };
    static const Row rows[] = {
        {1, 0, "現在の処理データは、合算データですが、受信したデータは、通常データなので、復元出来ません。"},
        {1, 2, "現在の処理データは、合算データですが、受信したデータは、合算本支店データなので、復元出来ません。"},
        {1, 10, "現在の処理データは、合算データですが、受信したデータは、分散データなので、復元出来ません。"},
        {2, 0, "現在の処理データは、合算本支店データですが、受信したデータは、通常データなので、復元出来ません。"},
        {2, 1, "現在の処理データは、合算本支店データですが、受信したデータは、合算データなので、復元出来ません。"},
        {2, 10, "現在の処理データは、合算本支店データですが、受信したデータは、分散データなので、復元出来ません。"},
    };
    for (const auto& r : rows)
        if (r.open == open && r.received == received)
            return r.message;
    return nullptr;
}

int kindNumber(const std::string& text)
{
    try {
        return text.empty() ? 0 : std::stoi(text);
    } catch (const std::exception&) {
        return 0;
    }
}

// The collation of the received backup with the open data set; true when
// the operator accepted it (or nothing is there to collate with).
bool collates(const TReceivedRestore& r, const BackupTrailer* trailer, DataSetBackupTool& tool)
{
    if (!fs::exists(fs::path(r.Folder) / DataDbFileName))
        return true;
    TDataInfomationRec source;
    if (trailer) {
        if (r.RefuseOtherGassan) {
            TGassanSetting open;
            ReadGassanSetting({}, r.Folder, open);
            if (const char* refusal = gassanRefusal(kindNumber(open.Kubun), trailer->GASSAN)) {
                platform::showMessage(refusal, MessageKind::Warning);
                return false;
            }
        }
        source = DescriptionOf(*trailer);
    } else {
        // Without a description the backup is restored apart first and
        // described from its own database.
        TPrivateWorkFolder check(r.WorkBase, "ComC");
        tool.Direct = true;
        const BackupJobResult trial = tool.restore(r.Backup, check.path() / DataDbFileName, true);
        tool.Direct = false;
        TDataInfomation reader;
        reader.Location = ConnectStandAlone;
        if (!trial.Succeeded || !reader.GetDataInfoFromFolder(check.path().string(), source)) {
            platform::showMessage(trial.Message + "\r" + trial.Detail, MessageKind::Warning);
            return false;
        }
    }
    TDataInfomation targetInfo;
    targetInfo.Location = ConnectMode;
    TDataInfomationRec current;
    targetInfo.RefreshIniFile(r.Folder, "DATAINFO");
    targetInfo.ReadDataInfo(r.Folder, current);
    return CollationCheck(OpRestore, source, current) == 1;
}

} // namespace

bool RestoreReceivedBackup(const TReceivedRestore& r)
{
    const bool apart = !r.Apart.empty();
    // The data-list row is written after the restore; a folder that no row,
    // or several, name is refused before anything is replaced.
    if (!apart && CountDataListRows(r.Folder) != 1) {
        platform::showMessage(BadDataFolderMessage, MessageKind::Error);
        return false;
    }
    BackupTrailer trailer;
    const bool withTrailer = ReadBackupTrailer(r.Backup, trailer, true);
    DataSetBackupTool tool;
    tool.Caption = r.Caption;
    if (!apart && !collates(r, withTrailer ? &trailer : nullptr, tool))
        return false;

    const fs::path target = apart ? r.Apart : fs::path(r.Folder);
    if (apart) {
        std::error_code ec;
        fs::remove_all(target, ec);
    }
    fs::create_directories(target);
    MarkTransferStatus(target.string(), DataStatusRestoring);
    tool.Direct = apart;
    const BackupJobResult restored = withTrailer ? tool.restore(r.Backup, target / DataDbFileName, true, trailer)
                                                 : tool.restore(r.Backup, target / DataDbFileName, true);
    bool ok = restored.Succeeded;
    if (!ok)
        platform::showMessage(restored.Message + "\r" + restored.Detail, MessageKind::Warning);
    if (ok && !apart) {
        TDataInfomation info;
        info.Location = ConnectMode;
        TDataInfomationRec rec;
        ok = info.GetDataInfoFromFolder(r.Folder, rec);
        if (ok) {
            info.UpdateDataInfomation(SystemDef.HostName, r.Folder, rec);
            UpdateDataListRow(r.Folder, rec);
        }
    }
    MarkTransferStatus(target.string(), DataStatusFree);
    if (!ok)
        platform::showMessage("データの復元に失敗しました。\r復元処理を中止しました。", MessageKind::Error);
    return ok;
}

TGassanSetting GassanSettingToKeep(const std::string& folder)
{
    TGassanSetting saved;
    if (ConnectMode == ConnectStandAlone && ProductKind != 3)
        ReadGassanSetting({}, folder, saved);
    return saved;
}

void KeepGassanSetting(const TGassanSetting& saved, const fs::path& target)
{
    const std::string folder = target.string();
    if (ConnectMode != ConnectStandAlone) {
        WriteGassanSetting({}, folder, {"0", "0"});
        return;
    }
    if (ProductKind == 3 || saved.Kubun.empty())
        return;
    if (saved.Kubun == "1" || saved.Kubun == "2" || saved.Kubun == "10") {
        WriteGassanSetting({}, folder, saved);
    } else if (saved.Kubun == "0") {
        TGassanSetting received;
        if (ReadGassanSetting({}, folder, received) && received.Kubun == "10")
            WriteGassanSetting({}, folder, {"0", "0"});
    }
}

} // namespace vq::comm
