#pragma once
// The program ovidal-rendo: refuses to run beside the accounting system, its
// tools or another copy of itself, then runs the linkage wizard until it
// closes. Started by another program it reports the result back through the
// caller channel (linkage/CallerChannel.h).
#include <string>
#include <vector>

namespace vq::linkage {

// The screens of the library that the tool starts by name.
void RegisterLibraryScreens();

// The whole run after the application object exists; args are the command
// line without the program name. The exit code (0, also when the run was
// refused or ended at start-up with its message).
int RunOvidalRendo(const std::vector<std::string>& args);

} // namespace vq::linkage
