#include "foundation/data/DataListRefresher.h"

#include <utility>

namespace vq {

namespace {
DataListControllerFactory& factory()
{
    static DataListControllerFactory instance;
    return instance;
}
} // namespace

DataListControllerFactory setDataListControllerFactory(DataListControllerFactory f)
{
    return std::exchange(factory(), std::move(f));
}

const DataListControllerFactory& dataListControllerFactory()
{
    return factory();
}

} // namespace vq
