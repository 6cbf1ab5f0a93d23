#include "datasets/DataRowChecks.h"

#include <cstdio>
#include <filesystem>

#include "datasets/DataSentakuListCtl.h"
#include "foundation/app/AccConstants.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/dataset/DataInfomation.h"
#include "foundation/files/FileOperations.h"
#include "platform/Interaction.h"

namespace vq {

namespace {

std::string withoutTrailingDelimiter(std::string path)
{
    while (path.size() > 1 && (path.back() == '/' || path.back() == '\\'))
        path.pop_back();
    return path;
}

std::string lastFolder(const std::string& path)
{
    const std::string trimmed = withoutTrailingDelimiter(path);
    const auto cut = trimmed.find_last_of("/\\");
    return cut == std::string::npos ? trimmed : trimmed.substr(cut + 1);
}

template <class Rows>
auto recordOf(Rows& rows, const TGridRowKey& key) -> decltype(&rows[0].Children[0])
{
    if (key.Parent < 0 || key.Parent >= static_cast<std::int32_t>(rows.size()))
        return nullptr;
    auto& parent = rows[static_cast<std::size_t>(key.Parent)];
    if (IsParentKind(key.Gassan))
        return static_cast<decltype(&rows[0].Children[0])>(&parent);
    if (key.Child < 0 || key.Child >= static_cast<std::int32_t>(parent.Children.size()))
        return nullptr;
    return &parent.Children[static_cast<std::size_t>(key.Child)];
}

} // namespace

const TDataListRec* GetRowRecord(const TDataSentakuRecArray& rows, const TGridRowKey& key)
{
    return recordOf(rows, key);
}

TDataListRec* GetRowRecord(TDataSentakuRecArray& rows, const TGridRowKey& key)
{
    return recordOf(rows, key);
}

std::string GetDataPath(const TDataListRec& row)
{
    if (row.NETDRIVE != 1)
        return withoutTrailingDelimiter(row.PASNAME);
    char slot[16];
    std::snprintf(slot, sizeof slot, "%.4d", row.REC);
    std::string folder = (std::filesystem::path(TDataSentakuListCtl::DataRoot()) / slot).string();
    if (!IsParentKind(row.GASSAN))
        folder = (std::filesystem::path(folder) / lastFolder(row.PASNAME)).string();
    return folder;
}

std::int32_t GetKyoyuState(const TDataListRec& row)
{
    if (row.NETDRIVE != 1)
        return KyoyuNone;
    return row.KYOYULOCK == 1 ? KyoyuTaken : KyoyuKept;
}

bool IsAllowedStatus(std::uint8_t status, std::uint8_t connectMode)
{
    if (connectMode == ConnectStandAlone)
        return status == DataStatusFree;
    if (connectMode == ConnectClientServer || connectMode == ConnectTerminal)
        return status == DataStatusFree || status == DataStatusInUse;
    return false;
}

void ShowDataStatusReport(const std::string& folder, const TDataInfomationRec& info)
{
    std::string text = "このデータは" + GetDataStatusText(info.STATUS) + "のため処理が行えません。";
    if (info.STATUS == DataStatusInUse)
        text += "\r前回、異常終了した場合は情報ボタンを押してデータの状態を回復して下さい。";
    const std::int32_t number = OperatorNumberOf(info.OPCODE, SystemDef.GROUPID);
    const std::string lines[] = {"【データフォルダ】", "　" + folder, "", "【オペレータ】",
                                 "　" + std::to_string(number), "", "【オペレータ名】", "　" + info.OPERATOR};
    text += "\r";
    for (const auto& line : lines)
        text += "\r" + line;
    platform::MessageRequest request;
    request.text = text;
    request.caption = "選択データの状態";
    request.kind = platform::MessageKind::Warning;
    platform::interaction().message(request);
}

std::uint8_t CheckDataStatus(const std::string& folder, bool warnNoData, bool report, TDataInfomationRec& info)
{
    const std::string database = (std::filesystem::path(folder) / DataDbFileName).string();
    if (!FileOpFExist(database, ConnectMode)) {
        if (!warnNoData)
            return DataStatusFree;
        platform::showMessage("このフォルダには財務データがありません。\r", platform::MessageKind::Warning,
                              platform::Buttons::Ok);
        return DataStatusOpenFailed;
    }
    TDataInfomation reader;
    reader.Location = ConnectMode;
    ClearRec(info);
    reader.ReadDataInfo(folder, info);
    const std::uint8_t status = info.STATUS;
    if (status == DataStatusOpenFailed || status == DataStatusDamaged || !report || IsAllowedStatus(status, ConnectMode))
        return status;
    ShowDataStatusReport(folder, info);
    return status;
}

} // namespace vq
