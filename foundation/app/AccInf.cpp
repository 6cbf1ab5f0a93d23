#include "foundation/app/AccInf.h"

namespace vq {

TACCINF AccInf;

} // namespace vq
