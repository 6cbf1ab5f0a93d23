#pragma once
// The three-part version test of the wizard: the installed accounting
// product against the version the tool needs, and a data set's database
// against the least data version it reads.
#include <string>

namespace vq::linkage {

// True when have is a version above 0 and not below need. A text of one or
// two parts has the missing parts 0; four parts or more count as 0; a part
// that is not a number counts as 0. Parts compare as numbers, so 14.0.10 is
// above 14.0.9.
bool CompareVersion(const std::string& have, const std::string& need);

} // namespace vq::linkage
