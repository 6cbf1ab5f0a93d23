#pragma once
// The installed accounting product as the registry store knows it: under the
// line's key (AppInfo [Application] RegKey) one sub-key per installed product
// and version, named with the product key word and the two-digit major
// version ("ZEVERIVUREV14"), holding the values "Product" and "Version".
#include <cstdint>
#include <string>

namespace vq::linkage {

// Reads value name of the last sub-key (in the store's order) whose name
// contains the product key word followed by major as two digits, letter case
// ignored, into value. Without such a sub-key value keeps what it held; a
// matching sub-key without the value gives an empty text. An unreadable store
// counts as no key. For the name "rootdir" the folder of that version's data follows:
// value + "/" + key word + (major + 8) as two digits + the letter minor
// places after 'a' when minor > 0.
void ReadInstalledProductValue(std::int32_t major, std::int32_t minor, const std::string& name,
                               std::string& value);

} // namespace vq::linkage
