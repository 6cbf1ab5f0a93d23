#include "foundation/app/SystemDef.h"

namespace vq {

TSystemDef SystemDef;

} // namespace vq
