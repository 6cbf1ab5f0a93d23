#include "datasets/operations/CopySource.h"

#include "foundation/text/TextUtils.h"

namespace vq {

std::string MakeCopyName(const std::string& listName)
{
    return TrimZenSpace(PadRightSjis(listName + "～コピー", 40));
}

} // namespace vq
