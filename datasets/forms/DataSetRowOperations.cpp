#include "datasets/forms/DataSetRowOperations.h"

#include "datasets/forms/DataSetScreenOperations.h"

#include "platform/Interaction.h"

namespace vq {

namespace {

DataSetRowOperationsFactory& factory()
{
    static DataSetRowOperationsFactory f;
    return f;
}

} // namespace

std::int32_t TDataSetRowOperations::NotAvailable()
{
    platform::showMessage(RowOperationNotAvailable, platform::MessageKind::Information);
    return 0;
}

std::int32_t TDataSetRowOperations::CopyData(TDataSentakuBox&) { return NotAvailable(); }
std::int32_t TDataSetRowOperations::NewData(TDataSentakuBox&) { return NotAvailable(); }
std::int32_t TDataSetRowOperations::AddBunsanData(TDataSentakuBox&) { return NotAvailable(); }
std::int32_t TDataSetRowOperations::Mochidashi(TDataSentakuBox&) { return NotAvailable(); }
std::int32_t TDataSetRowOperations::ReleaseKyoyu(TDataSentakuBox&) { return NotAvailable(); }
std::int32_t TDataSetRowOperations::AddArea(TDataSentakuBox&) { return NotAvailable(); }
std::int32_t TDataSetRowOperations::DeleteData(TDataSentakuBox&) { return NotAvailable(); }
std::int32_t TDataSetRowOperations::SaveData(TDataSentakuBox&) { return NotAvailable(); }
std::int32_t TDataSetRowOperations::RestoreData(TDataSentakuBox&) { return NotAvailable(); }
std::int32_t TDataSetRowOperations::PrintList(TDataSentakuBox&) { return NotAvailable(); }
std::int32_t TDataSetRowOperations::ShowDataInfo(TDataSentakuBox&) { return NotAvailable(); }
std::int32_t TDataSetRowOperations::AssignSharedArea(TDataSentakuBox&) { return NotAvailable(); }
void TDataSetRowOperations::CancelCopy(TDataSentakuBox&) {}

std::unique_ptr<TDataSetRowOperations> NewDataSetRowOperations()
{
    if (factory())
        if (auto ops = factory()())
            return ops;
    return std::make_unique<TDataSetScreenOperations>();
}

DataSetRowOperationsFactory SetDataSetRowOperationsFactory(DataSetRowOperationsFactory f)
{
    DataSetRowOperationsFactory previous = std::move(factory());
    factory() = std::move(f);
    return previous;
}

} // namespace vq
