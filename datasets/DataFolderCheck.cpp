#include "datasets/DataFolderCheck.h"

#include <filesystem>
#include <stdexcept>

#include "datasets/DataRowChecks.h"
#include "foundation/app/AccConstants.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/files/FileOperations.h"
#include "platform/Interaction.h"

namespace vq {

namespace {

std::int32_t refusal()
{
    return SystemDef.DataBrokenFlag != 0 ? FolderRefusedBroken : FolderRefused;
}

} // namespace

std::int32_t CheckDataFolder(const std::string& folder, std::int32_t syoriType, TDataInfomationRec& info)
{
    if (folder.find_first_not_of(" \t") == std::string::npos) {
        if (syoriType == 3)
            return FolderBlank;
        throw std::runtime_error("データフォルダパスが不正です。\r処理を中止します。");
    }
    const std::string database = (std::filesystem::path(folder) / DataDbFileName).string();
    const bool choosing = syoriType == 0 || syoriType == 1 || syoriType == 3;
    if (ConnectMode == ConnectStandAlone) {
        std::uint8_t status = DataStatusFree;
        if (choosing)
            status = CheckDataStatus(folder, true, true, info);
        else if (syoriType == 2 || syoriType == 4)
            status = CheckDataStatus(folder, false, false, info);
        if (!IsAllowedStatus(status, ConnectMode))
            return refusal();
        return FileOpFExist(database, ConnectMode) ? FolderHoldsData : FolderEmpty;
    }
    if (ConnectMode == ConnectClientServer || ConnectMode == ConnectTerminal) {
        if (choosing) {
            const std::uint8_t status = CheckDataStatus(folder, true, true, info);
            if (!IsAllowedStatus(status, ConnectMode))
                return refusal();
            if (FileOpFExist(database, ConnectMode))
                return FolderHoldsData;
            platform::showMessage("このフォルダには財務データがありません。\r", platform::MessageKind::Warning);
            return FolderRefused;
        }
        if (syoriType == 2 || syoriType == 4)
            return FileOpFExist(database, ConnectMode) ? FolderHoldsData : FolderEmpty;
        return FolderRefused;
    }
    platform::showMessage("製品タイプ不整合のためデータを起動できませんでした。\r", platform::MessageKind::Error);
    return FolderRefused;
}

} // namespace vq
