#include "linkage/SyotokuzeiDataExport.h"

namespace vq::linkage {

void TSyotokuzeiDataExport::SetDataNode(TXmlSaveDoc& doc)
{
    // The data maker writes REPORT/DATA here.
    (void)doc;
}

} // namespace vq::linkage
