#pragma once
// Text blobs hold lines separated by CR LF, as the Windows programs that share
// these databases write them.
#include <string>
#include <string_view>
#include <vector>

namespace vq::db {

// Each line followed by "\r\n" (also the last one), as a list of lines is
// stored; an empty list gives "".
std::string joinLines(const std::vector<std::string>& lines);
// Cut at CR LF, a lone LF or a lone CR; a final line break does not make an
// extra empty line; "" gives no lines.
std::vector<std::string> splitLines(std::string_view text);

} // namespace vq::db
