#include "linkage/datamake/RidedDataLoad.h"

#include "foundation/data/DataModule.h"

namespace vq::linkage {

TRidedDataLoad::TRidedDataLoad()
{
    if (DM == nullptr)
        return;
    // read_committed, rec_version, nowait
    Transaction = std::make_unique<db::Transaction>(DM->IBDatabaseDAT.attachment(), db::kReadCommitted);
    for (auto& query : Queries)
        query = std::make_unique<db::Statement>(DM->IBDatabaseDAT.attachment(), *Transaction);
}

TRidedDataLoad::~TRidedDataLoad() = default;

} // namespace vq::linkage
