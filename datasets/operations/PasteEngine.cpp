#include "datasets/operations/PasteEngine.h"

#include <filesystem>
#include <unistd.h>

#include "datasets/CloudShareIO.h"
#include "datasets/operations/CollationCheck.h"
#include "datasets/operations/DataSetFileSystem.h"
#include "datasets/operations/DataStatusGate.h"
#include "datasets/operations/GassanDataCtl.h"
#include "datasets/operations/SaveRestoreEngine.h"
#include "datasets/operations/StagedFolder.h"
#include "foundation/app/AccConstants.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/dataset/DataInfomation.h"
#include "foundation/files/FileOperations.h"
#include "platform/Interaction.h"

namespace fs = std::filesystem;

namespace vq {

namespace {

bool serverMode()
{
    return ConnectMode == ConnectClientServer || ConnectMode == ConnectTerminal;
}

void inform(const std::string& text)
{
    platform::showMessage(text, platform::MessageKind::Information);
}

void removeQuietly(const fs::path& p)
{
    std::error_code ec;
    fs::remove_all(p, ec);
}

bool isChildFolderName(const fs::path& relative)
{
    const std::string name = relative.string();
    return !name.empty() && name.size() <= 4 && name.find_first_not_of("0123456789") == std::string::npos &&
           name.find('/') == std::string::npos;
}

// Whether the share of a row bound to a shared area is taken by someone else
// (this computer's working copy would then overwrite another's work).
bool shareHeldByAnother(const TDataListRec& row)
{
    if (row.NETDRIVE != 1 || row.PASNAME.empty())
        return false;
    TDataInfomation reader;
    reader.Location = ConnectStandAlone;
    TDataInfomationRec share;
    if (!reader.ReadDataInfo(row.PASNAME, share))
        return false;
    return share.SHARE_STATUS == ShareStatusTaken && (row.KYOYULOCK != 1 || share.SHARE_OPCODE != SystemDef.OPCODE);
}

BackupJobResult copyFiles(const fs::path& sourceFolder, const fs::path& targetFolder, const TDataListRec& row,
                          const DataSetBackupTool& tool, bool& childrenDropped)
{
    const fs::path database = targetFolder / DataDbFileName;
    if (row.GASSAN == GassanDistributedChild) {
        // A child keeps its own other files: only its database is replaced.
        const fs::path fresh = SiblingWorkPath(database, "new-" + std::to_string(::getpid()));
        removeQuietly(fresh);
        try {
            dataSetFileSystem().copyFile(sourceFolder / DataDbFileName, fresh);
            if (fs::file_size(fresh) != fs::file_size(sourceFolder / DataDbFileName))
                throw std::runtime_error("incomplete copy of " + fresh.string());
            BackupJobResult r = tool.validate(fresh);
            if (r.Succeeded)
                SwapInFile(fresh, database);
            removeQuietly(fresh);
            return r;
        } catch (const std::exception& e) {
            removeQuietly(fresh);
            return BackupJobResult{false, "200", RestoreFailedText, e.what()};
        }
    }
    const bool consolidated = IsConsolidatedKind(row.GASSAN);
    try {
        StagedFolder stage(targetFolder);
        // What the target holds besides the source's files stays, except the
        // children of a consolidated target, which the paste replaces.
        stage.copyTree(targetFolder, [&](const fs::path& rel) {
            return (consolidated && isChildFolderName(rel)) || fs::exists(sourceFolder / rel);
        });
        stage.copyTree(sourceFolder);
        if (!stage.holdsCopyOf(sourceFolder))
            return BackupJobResult{false, "200", RestoreFailedText, "incomplete copy of " + sourceFolder.string()};
        if (fs::exists(stage.path() / DataDbFileName)) {
            BackupJobResult r = tool.validate(stage.path() / DataDbFileName);
            if (!r.Succeeded)
                return r;
        }
        CloseOwnConnectionTo(targetFolder);
        if (IsDataSetAttached(SystemDef.HostName, targetFolder))
            return BackupJobResult{false, "202", RestoreInUseText, targetFolder.string()};
        stage.commit();
        childrenDropped = consolidated;
        return BackupJobResult{true, {}, {}, {}};
    } catch (const std::exception& e) {
        return BackupJobResult{false, "200", RestoreFailedText, e.what()};
    }
}

} // namespace

bool MarkCopySource(const std::string& folder, const TDataListRec& row, std::int32_t parentIndex,
                    TCopySource& source)
{
    TDataInfomationRec info;
    const std::uint8_t status = CheckDataStatus(folder, true, true, info);
    if (!IsAllowedStatus(status, ConnectMode))
        return false;
    TDataInfomation rights;
    rights.Location = ConnectMode;
    if (!rights.IsDataSiyouKengen(folder))
        return false;
    if (status == DataStatusInUse && serverMode() &&
        platform::showMessage("このデータは他のオペレータが使用中です。コピーしますか？",
                              platform::MessageKind::Confirmation, platform::Buttons::OkCancel) != platform::ResultOk)
        return false;
    source = TCopySource{};
    source.Folder = folder;
    source.Row = row;
    source.CopyName = MakeCopyName(row.ENTTEXT);
    source.Row.ENTTEXT = source.CopyName;
    source.Row.DISP_NAME = source.CopyName;
    source.ParentIndex = parentIndex;
    SetDataStatus(folder, DataStatusCopySource);
    return true;
}

void CancelCopySource(TCopySource& source)
{
    if (source.pending())
        SetDataStatus(source.Folder, DataStatusFree);
    source.Folder.clear();
}

PasteOutcome PasteDataSet(const PasteRequest& request, TCopySource& source, const DataSetBackupTool& tool)
{
    PasteOutcome outcome;
    if (!source.pending())
        return outcome;
    // Whatever happens below, the source is free again and no longer marked.
    struct Unmark {
        TCopySource& s;
        ~Unmark() { CancelCopySource(s); }
    } unmark{source};

    const fs::path sourceFolder = source.Folder;
    const fs::path targetFolder = request.Folder;
    const TDataListRec& row = request.Row;
    if (IsSameFolder(sourceFolder, targetFolder))
        return outcome;
    if (row.CLOUD == 1) {
        inform("クラウドシェアデータのため貼り付け処理は行えません。");
        return outcome;
    }
    if (source.Row.GASSAN == GassanDistributedChild && source.Row.REC == row.REC) {
        inform("同ブロックの分散入力データからの貼り付けは行えません。");
        return outcome;
    }
    TDataInfomationRec targetInfo;
    const std::uint8_t status = CheckDataStatus(targetFolder.string(), false, true, targetInfo);
    if (status != DataStatusFree && status != DataStatusDamaged) {
        if (status == DataStatusInUse && serverMode())
            inform("このデータは他のオペレータが使用中のため貼り付けは行えません。");
        return outcome;
    }
    const bool damaged = status == DataStatusDamaged;
    if (!damaged) {
        TDataInfomation rights;
        rights.Location = ConnectMode;
        if (!rights.IsDataSiyouKengen(targetFolder.string()))
            return outcome;
    }
    if (ConnectMode == ConnectStandAlone && row.GASSAN != GassanDistributedChild &&
        (IsSameOrInsideFolder(targetFolder, sourceFolder) || IsSameOrInsideFolder(sourceFolder, targetFolder))) {
        platform::showMessage("貼付先にコピー元のパスが含まれています。処理を中断します。",
                              platform::MessageKind::Warning);
        return outcome;
    }
    if (shareHeldByAnother(row)) {
        inform("このデータは他のオペレータが使用中のため貼り付けは行えません。");
        return outcome;
    }
    CloseOwnConnectionTo(sourceFolder);
    CloseOwnConnectionTo(targetFolder);
    if (IsDataSetAttached(SystemDef.HostName, sourceFolder)) {
        inform("このデータは他のオペレータが使用中です。");
        return outcome;
    }
    if (IsDataSetAttached(SystemDef.HostName, targetFolder)) {
        inform("このデータは他のオペレータが使用中のため貼り付けは行えません。");
        return outcome;
    }

    TDataInfomation reader;
    reader.Location = ConnectMode;
    TDataInfomationRec described;
    reader.ReadDataInfo(sourceFolder.string(), described);
    if (damaged) {
        if (platform::showMessage("このデータは破損データのため、データ間の照合チェックは行わずに貼り付けを行います。\r"
                                  "よろしいですか？",
                                  platform::MessageKind::Confirmation,
                                  platform::Buttons::OkCancel) != platform::ResultOk)
            return outcome;
    } else if (CheckGassanPattern(OpPaste, described, targetFolder.string(), source) != 1) {
        return outcome;
    }

    BackupJobResult result;
    {
        DataStatusMark mark(targetFolder.string(), DataStatusCopyTarget);
        if (serverMode()) {
            RowDataLock lock(row.REC, row.DATALOCK);
            // The server backs the source up into the operator's work file and
            // restores it into the target; the data module restores beside the
            // target and moves the checked copy in only then.
            const fs::path workDir =
                SystemDef.FileTransId.empty() ? fs::path(ProgramTempFolder()) : fs::path(SystemDef.FileTransId);
            const fs::path work = workDir / (fs::path(DataBackupFileName).stem().string() + "." +
                                             std::to_string(SystemDef.OPCODE));
            try {
                if (!FileOpDExist(workDir.string(), ConnectMode))
                    FileOpMkDir(workDir.string(), ConnectMode);
                removeQuietly(fs::path(ProgramTempFolder()) / DataBackupFileName);
                result = tool.copy(sourceFolder / DataDbFileName, targetFolder / DataDbFileName, work);
            } catch (const std::exception& e) {
                result = BackupJobResult{false, "200", RestoreFailedText, e.what()};
            }
            if (FileOpFExist(work.string(), ConnectMode))
                FileOpFDel(work.string(), ConnectMode, false);
        } else {
            result = copyFiles(sourceFolder, targetFolder, row, tool, outcome.ChildrenDropped);
        }
    }
    if (!result.Succeeded) {
        platform::showMessage(result.Message + "\r" + result.Detail, platform::MessageKind::Warning);
        outcome.Result = -1;
        return outcome;
    }

    if (const auto setting = AdjustedGassanSetting(ConnectMode, source.Row.GASSAN, row.GASSAN, request.ParentChildCount))
        WriteGassanSetting(targetFolder.string(), setting->first, setting->second);
    TCloudShareIO().ClearSetting(SystemDef.HostName, targetFolder.string());
    outcome.DescriptionRead = reader.GetDataInfoFromFolder(targetFolder.string(), outcome.Pasted);
    if (outcome.DescriptionRead) {
        outcome.Pasted.DATALISTNAME = source.CopyName;
        outcome.Pasted.UPDATE_LOCK = source.Row.UPDATE_LOCK;
        outcome.Pasted.READ_ONLY = source.Row.READ_ONLY;
        reader.UpdateDataInfomation(SystemDef.HostName, targetFolder.string(), outcome.Pasted);
        reader.WriteIniFile(targetFolder.string(), "DATAINFO", outcome.Pasted);
    }
    outcome.Result = 1;
    return outcome;
}

} // namespace vq
