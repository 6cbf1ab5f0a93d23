#include "linkage/SyotokuzeiDataExport.h"

#include "linkage/datamake/SyotokuZeiDataNode.h"

namespace vq::linkage {

void TSyotokuzeiDataExport::SetDataNode(TXmlSaveDoc& doc)
{
    WriteSyotokuZeiData(*this, doc);
}

} // namespace vq::linkage
