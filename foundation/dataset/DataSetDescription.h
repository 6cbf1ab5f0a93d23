#pragma once
// The data module's view of a data-set description: when it opens a data set
// for work or closes it, it reads the description from the open database,
// sets the status and writes the info file through this adapter.
#include "foundation/data/DataSetDescriptionPort.h"

namespace vq {

// Installs the reader that describes the open data set with
// TDataInfomation; returns the reader installed before.
DataSetDescriptionReader InstallDataSetDescription();

} // namespace vq
