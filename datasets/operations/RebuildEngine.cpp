#include "datasets/operations/RebuildEngine.h"

#include <filesystem>
#include <unistd.h>

#include "datasets/operations/DataStatusGate.h"
#include "datasets/operations/SaveRestoreEngine.h"
#include "datasets/operations/StagedFolder.h"
#include "foundation/app/AccConstants.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
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
    if (IsDataSetAttached(SystemDef.HostName, folder)) {
        platform::showMessage("現在、他のユーザーがデータに接続中です。他のユーザーがデータに接続している間はデータの"
                              "再構築は行えません。",
                              platform::MessageKind::Information);
        return false;
    }

    RowDataLock lock(request.Rec, request.DataLock);
    const fs::path work = ProgramTempFolder().empty() ? folder : fs::path(ProgramTempFolder());
    for (const std::string& name : {DataBackupFileName, DataDbFileName, DataIniFileName})
        removeQuietly(work / name);
    const fs::path backupDir = ConnectMode == ConnectStandAlone ? work : folder;
    const fs::path backup = backupDir / (fs::path(DataBackupFileName).stem().string() + ".fb_");
    const fs::path fresh = SiblingWorkPath(database, "new-" + std::to_string(::getpid()));

    BackupJobResult result;
    try {
        fs::create_directories(backupDir);
        removeQuietly(backup);
        removeQuietly(fresh);
        result = tool.backup(database, backup);
        if (result.Succeeded)
            result = tool.restore(backup, fresh, true);
        if (result.Succeeded)
            result = tool.validate(fresh);
        if (result.Succeeded) {
            CloseOwnConnectionTo(folder);
            if (IsDataSetAttached(SystemDef.HostName, folder))
                result = BackupJobResult{false, "202", RestoreInUseText, folder.string()};
        }
        if (result.Succeeded)
            SwapInFile(fresh, database);
    } catch (const std::exception& e) {
        result = BackupJobResult{false, "200", RestoreFailedText, e.what()};
    }
    removeQuietly(fresh);
    removeQuietly(backup);
    SetDataStatus(folder.string(), DataStatusFree);
    if (!result.Succeeded) {
        platform::showMessage("データ再構築の処理に失敗しました。\r\r" + result.Message + "\r" + result.Detail,
                              platform::MessageKind::Information);
        return false;
    }
    return true;
}

} // namespace vq
