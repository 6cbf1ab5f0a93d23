#include "datasets/DataListRec.h"

#include "foundation/dataset/DataInfomationRec.h"

namespace vq {

bool IsParentKind(int gassan)
{
    return gassan == GassanNormal || gassan == GassanConsolidated || gassan == GassanConsolidatedBranches;
}

bool IsConsolidatedKind(int gassan)
{
    return gassan == GassanConsolidated || gassan == GassanConsolidatedBranches;
}

std::string GetDataStatusText(int status)
{
    if (status < 0 || status >= static_cast<int>(DataStatusNames.size()))
        return "状態不明";
    return DataStatusNames[static_cast<std::size_t>(status)];
}

} // namespace vq
