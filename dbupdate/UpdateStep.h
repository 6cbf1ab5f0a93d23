#pragma once
// What every update step's DoUpdate does with its scheme: the work before
// the script, the script built and run by isql, and the work after it.
#include <cstdint>
#include <functional>

#include "dbupdate/UpdateScript.h"

namespace vq {

// 1 done; 16 isql reported an error (or the work before the script gave
// 16); 17 isql did not start; 18 a required part file is missing (nothing
// is run); 19 the work after a successful script raised. The work after the
// script runs through RunInStepDatabase on the scheme's database. A part
// file that cannot be read throws.
std::int32_t RunUpdateStep(const TUpdateScheme& scheme);

// Runs work on the data module's connection to the system database (mode 0)
// or to the open data set's (mode 1), in its default transaction: the
// database is connected when it is not (and disconnected again afterwards),
// the transaction started when it is not active and then committed, or
// rolled back when work throws, so a failed step writes nothing. The
// exception reaches the caller.
void RunInStepDatabase(std::uint8_t mode, const std::function<void()>& work);

} // namespace vq
