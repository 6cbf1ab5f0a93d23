#include "foundation/SystemDef.h"

namespace vq {

TSystemDef SystemDef;

} // namespace vq
