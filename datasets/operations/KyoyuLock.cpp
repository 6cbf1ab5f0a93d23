#include "datasets/operations/KyoyuLock.h"

#include "datasets/DataRowChecks.h"
#include "foundation/app/AccConstants.h"
#include "foundation/app/RunState.h"
#include "foundation/dataset/DataInfomation.h"

namespace vq {

namespace {

// A share or a working copy that cannot be written loses only the marker;
// the row says who has the data set.
void markShareStatus(const TDataListRec& row, std::uint8_t status)
{
    TDataInfomation info;
    info.Location = ConnectMode;
    try {
        info.WriteShareStatus(GetDataPath(row), status);
    } catch (const std::exception&) {
    }
    try {
        if (!row.PASNAME.empty())
            info.SetShareStatusIfChanged(row.PASNAME, status);
    } catch (const std::exception&) {
    }
}

bool mark(std::int32_t taken, TDataListRec& row, TDataSentakuListCtl& store, bool child)
{
    row.KYOYULOCK = taken == 1 ? 1 : 0;
    const bool written = child ? store.UpdateDataListChildRecord(row, 0, true) : store.UpdateDataListRecord(row, 0, true);
    if (!written)
        return false;
    markShareStatus(row, taken == 1 ? ShareStatusTaken : ShareStatusFree);
    return true;
}

} // namespace

bool SetKyoyuLock(std::int32_t taken, TDataSentakuRec& parent, TDataSentakuListCtl& store)
{
    if (!mark(taken, parent, store, false))
        return false;
    if (!IsConsolidatedKind(parent.GASSAN))
        return true;
    for (TDataListRec& child : parent.Children)
        if (!mark(taken, child, store, true))
            return false;
    return true;
}

} // namespace vq
