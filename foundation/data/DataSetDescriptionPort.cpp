#include "foundation/data/DataSetDescriptionPort.h"

#include <utility>

namespace vq {

namespace {
DataSetDescriptionReader& reader()
{
    static DataSetDescriptionReader instance;
    return instance;
}
} // namespace

DataSetDescriptionReader setDataSetDescriptionReader(DataSetDescriptionReader r)
{
    return std::exchange(reader(), std::move(r));
}

const DataSetDescriptionReader& dataSetDescriptionReader()
{
    return reader();
}

} // namespace vq
