#pragma once
// What every update step's DoUpdate does with its scheme: the work before
// the script, the script built and run by isql, and the work after it.
#include <cstdint>

#include "dbupdate/UpdateScript.h"

namespace vq {

// 1 done; 16 isql reported an error (or the work before the script gave
// 16); 17 isql did not start; 18 a required part file is missing (nothing
// is run); 19 the work after a successful script raised. The work after the
// script runs in the data set's default transaction, started and committed
// here only when it was not active already. A part file that cannot be read
// throws.
std::int32_t RunUpdateStep(const TUpdateScheme& scheme);

} // namespace vq
