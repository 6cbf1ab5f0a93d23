#include "foundation/AccInf.h"

namespace vq {

TACCINF AccInf;

} // namespace vq
