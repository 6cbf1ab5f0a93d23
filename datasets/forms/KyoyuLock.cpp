#include "datasets/forms/KyoyuLock.h"

#include "datasets/DataRowChecks.h"
#include "datasets/DataSentakuList.h"
#include "foundation/app/RunState.h"
#include "foundation/data/DbErrorReporter.h"
#include "foundation/dataset/DataInfomation.h"

#include <exception>

namespace vq {

namespace {

void writeShareStatus(const TDataListRec& row, std::uint8_t status)
{
    TDataInfomation info;
    info.Location = ConnectMode;
    try {
        info.WriteShareStatus(GetDataPath(row), status);
        if (!row.PASNAME.empty())
            info.WriteShareStatus(row.PASNAME, status);
    } catch (const std::exception&) {
        // A share that is not reachable now keeps its status; the next get or keep sets it.
    }
}

} // namespace

void SetKyoyuLock(TDataSentakuList& list, TDataSentakuRec& parent, std::int32_t taken)
{
    const std::uint8_t status = taken == 1 ? ShareStatusTaken : ShareStatusFree;
    parent.KYOYULOCK = taken;
    try {
        list.SaveRow(parent);
    } catch (const std::exception& e) {
        ShowMessageDetail("データリストの更新に失敗しました。", e.what());
    }
    writeShareStatus(parent, status);
    if (!IsConsolidatedKind(parent.GASSAN))
        return;
    for (TDataListRec& child : parent.Children) {
        child.KYOYULOCK = taken;
        list.ListCtl.UpdateDataListChildRecord(child, 1, true);
        writeShareStatus(child, status);
    }
}

} // namespace vq
