#include "linkage/CompareVersion.h"

#include "linkage/ExportMojiBunkatu.h"

#include <charconv>
#include <cstdint>
#include <cstdio>

namespace vq::linkage {

namespace {

std::int32_t toInt(const std::string& text)
{
    std::int32_t value = 0;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (first != last && *first == '+')
        ++first;
    const auto r = std::from_chars(first, last, value);
    return r.ec == std::errc() && r.ptr == last && first != last ? value : 0;
}

// The version as the number of "%.2d%.2d%.2d": a part of three digits makes
// the number longer, a negative part makes it unreadable (0).
std::int32_t versionNumber(const std::string& text)
{
    TMojiBunkatu split;
    split.Delimiter = '.';
    split.Split(text);
    std::int32_t parts[3] = {0, 0, 0};
    if (split.Count >= 1 && split.Count <= 3) {
        for (int i = 0; i < split.Count; ++i)
            parts[i] = toInt(split.Get(i));
    }
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.2d%.2d%.2d", static_cast<int>(parts[0]), static_cast<int>(parts[1]),
                  static_cast<int>(parts[2]));
    return toInt(buf);
}

} // namespace

bool CompareVersion(const std::string& have, const std::string& need)
{
    const std::int32_t haveNumber = versionNumber(have);
    return haveNumber > 0 && haveNumber >= versionNumber(need);
}

} // namespace vq::linkage
