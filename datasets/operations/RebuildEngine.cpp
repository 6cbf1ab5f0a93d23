#include "datasets/operations/RebuildEngine.h"

#include <filesystem>

#include "datasets/operations/DataStatusGate.h"
#include "datasets/operations/SaveRestoreEngine.h"
#include "datasets/operations/StagedFolder.h"
#include "foundation/app/AccConstants.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/files/FileOperations.h"
#include "platform/Interaction.h"

namespace fs = std::filesystem;

namespace vq {

namespace {
void removeQuietly(const fs::path& p)
{
    std::error_code ec;
    fs::remove_all(p, ec);
}
} // namespace

bool RebuildData(const RebuildRequest& request, const DataSetBackupTool& tool)
{
    const fs::path folder = request.Folder;
    const fs::path database = folder / DataDbFileName;
    CloseOwnConnectionTo(folder);
    if (IsDataSetAttached(tool.host(), folder)) {
        platform::showMessage("現在、他のユーザーがデータに接続中です。他のユーザーがデータに接続している間はデータの"
                              "再構築は行えません。",
                              platform::MessageKind::Information);
        return false;
    }

    RowDataLock lock(request.Rec, request.DataLock);
    const bool standAlone = ConnectMode == ConnectStandAlone;
    const fs::path work = ProgramTempFolder().empty() ? folder : fs::path(ProgramTempFolder());
    for (const std::string& name : {DataBackupFileName, DataDbFileName, DataIniFileName})
        removeQuietly(work / name);
    // In the server modes the backup is written where the server reaches it.
    const fs::path backupDir = standAlone ? work : folder;
    const fs::path backup = backupDir / (fs::path(DataBackupFileName).stem().string() + ".fb_");
    const auto removeBackup = [&] {
        if (standAlone)
            removeQuietly(backup);
        else if (FileOpFExist(backup.string(), ConnectMode))
            FileOpFDel(backup.string(), ConnectMode, false);
    };

    BackupJobResult result;
    try {
        if (standAlone)
            fs::create_directories(backupDir);
        removeBackup();
        // The data module restores into a new file beside the database and
        // swaps it in only once it validates and nobody has it attached.
        CloseOwnConnectionTo(folder);
        result = tool.rebuild(database, backup);
    } catch (const std::exception& e) {
        result = BackupJobResult{false, "200", RestoreFailedText, e.what()};
    }
    removeBackup();
    SetDataStatus(folder.string(), DataStatusFree);
    if (!result.Succeeded) {
        platform::showMessage("データ再構築の処理に失敗しました。\r\r" + result.Message + "\r" + result.Detail,
                              platform::MessageKind::Information);
        return false;
    }
    return true;
}

} // namespace vq
