#pragma once
// The operations of the data selection screen's keys and row buttons that
// act on a data set: copy and paste, new data, distributed data, take-out,
// release of a shared area, a new area, delete, save, restore, list print,
// the detail dialog and binding a blank row to a shared area. They are built
// apart from the screen; the screen reaches them only through this one
// interface. By default the screen gets TDataSetScreenOperations; an
// operation that is not wired to its engine yet answers
// RowOperationNotAvailable and changes nothing.
#include <cstdint>
#include <functional>
#include <memory>

namespace vq {

class TDataSentakuBox;

inline constexpr const char* RowOperationNotAvailable = "この処理は現在ご利用いただけません。";

class TDataSetRowOperations {
public:
    virtual ~TDataSetRowOperations() = default;

    // Each acts on the screen's focused row; the result is the operation's
    // own (1 done, 0 not done, -1 refused).
    virtual std::int32_t CopyData(TDataSentakuBox& box);      // mark the source, or paste while a copy is pending
    virtual std::int32_t NewData(TDataSentakuBox& box);
    virtual std::int32_t AddBunsanData(TDataSentakuBox& box);
    virtual std::int32_t Mochidashi(TDataSentakuBox& box);
    virtual std::int32_t ReleaseKyoyu(TDataSentakuBox& box);
    virtual std::int32_t AddArea(TDataSentakuBox& box);
    virtual std::int32_t DeleteData(TDataSentakuBox& box);
    virtual std::int32_t SaveData(TDataSentakuBox& box);
    virtual std::int32_t RestoreData(TDataSentakuBox& box);
    virtual std::int32_t PrintList(TDataSentakuBox& box);
    // The detail dialog and the write-back of what it changed.
    virtual std::int32_t ShowDataInfo(TDataSentakuBox& box);
    // The shared-data screen, to bind a blank row to a shared area.
    virtual std::int32_t AssignSharedArea(TDataSentakuBox& box);
    // A pending copy was cancelled: the copy source is free again.
    virtual void CancelCopy(TDataSentakuBox& box);

protected:
    // The stand-in's answer.
    static std::int32_t NotAvailable();
};

std::unique_ptr<TDataSetRowOperations> NewDataSetRowOperations();
using DataSetRowOperationsFactory = std::function<std::unique_ptr<TDataSetRowOperations>()>;
// Installs other operations; returns the previous factory (empty: TDataSetScreenOperations).
DataSetRowOperationsFactory SetDataSetRowOperationsFactory(DataSetRowOperationsFactory factory);

} // namespace vq
