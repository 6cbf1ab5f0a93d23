#pragma once
// Version texts of programs and databases. Versions compare on the packed
// value (major * 256 + minor) * 256 + release taken modulo 2^32 and compared
// unsigned; the build number takes no part. A minor or release of 256 or more
// therefore carries into the next field (1.256.0 equals 2.0.0).
#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/app/VersionRec.h"

namespace vq {

// Cuts text at every "." and line break and reads the first four pieces as
// decimal integers (0 for a piece that is not one); v.Text = text.
void ParseVersion(std::string_view text, TVersionRec& v);
TVersionRec ParseVersion(std::string_view text);

std::uint32_t PackedVersion(const TVersionRec& v);

// packed a > packed b, and packed a >= packed b.
bool IsNewerVersion(std::string_view a, std::string_view b);
bool IsVersionAtLeast(std::string_view a, std::string_view b);
bool VersionGreater(const TVersionRec& a, const TVersionRec& b);
bool VersionLess(const TVersionRec& a, const TVersionRec& b);

} // namespace vq
