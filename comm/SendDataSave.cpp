#include "comm/SendDataSave.h"

#include "comm/TransferSteps.h"
#include "datasets/operations/BackupTrailer.h"
#include "datasets/operations/DataSetBackupTool.h"
#include "foundation/app/AccConstants.h"
#include "foundation/app/RunState.h"
#include "foundation/dataset/DataInfomation.h"
#include "platform/Interaction.h"

namespace vq::comm {

namespace fs = std::filesystem;
using platform::MessageKind;

bool SaveSendData(const std::string& folder, const fs::path& backup, const std::string& caption)
{
    MarkTransferStatus(folder, DataStatusSaving);
    TDataInfomationRec info;
    TDataInfomation reader;
    reader.Location = ConnectMode;
    bool described = false;
    try {
        described = reader.GetDataInfoRec(info);
    } catch (const std::exception&) {
    }
    BackupJobResult result;
    if (described) {
        DataSetBackupTool tool;
        tool.Caption = caption;
        result = tool.save(fs::path(folder) / DataDbFileName, backup, TrailerOf(info));
        if (!result.Succeeded)
            platform::showMessage(result.Message + "\r" + result.Detail, MessageKind::Warning);
    }
    MarkTransferStatus(folder, DataStatusFree);
    if (!result.Succeeded)
        platform::showMessage("データの保存に失敗しました。\r保存処理を中止しました。", MessageKind::Error);
    return result.Succeeded;
}

} // namespace vq::comm
