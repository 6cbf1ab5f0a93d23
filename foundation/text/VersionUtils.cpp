#include "foundation/text/VersionUtils.h"

#include "foundation/text/TextUtils.h"

#include <charconv>

namespace vq {
namespace {

std::int32_t pieceValue(std::string_view piece)
{
    while (!piece.empty() && piece.front() == ' ')
        piece.remove_prefix(1);
    if (!piece.empty() && piece.front() == '+')
        piece.remove_prefix(1);
    std::int32_t value = 0;
    auto [end, ec] = std::from_chars(piece.data(), piece.data() + piece.size(), value);
    if (ec != std::errc() || end != piece.data() + piece.size())
        return 0;
    return value;
}

} // namespace

void ParseVersion(std::string_view text, TVersionRec& v)
{
    std::int32_t* fields[] = {&v.Major, &v.Minor, &v.Release, &v.Build};
    for (int i = 0; i < 4; ++i)
        *fields[i] = pieceValue(GetDelimitedItem(text, ".", i + 1));
    v.Text = std::string(text);
}

TVersionRec ParseVersion(std::string_view text)
{
    TVersionRec v;
    ParseVersion(text, v);
    return v;
}

std::uint32_t PackedVersion(const TVersionRec& v)
{
    auto major = static_cast<std::uint32_t>(v.Major);
    auto minor = static_cast<std::uint32_t>(v.Minor);
    auto release = static_cast<std::uint32_t>(v.Release);
    return (major * 256u + minor) * 256u + release; // wraps modulo 2^32
}

bool VersionGreater(const TVersionRec& a, const TVersionRec& b)
{
    return PackedVersion(a) > PackedVersion(b);
}

bool VersionLess(const TVersionRec& a, const TVersionRec& b)
{
    return PackedVersion(a) < PackedVersion(b);
}

bool IsNewerVersion(std::string_view a, std::string_view b)
{
    return VersionGreater(ParseVersion(a), ParseVersion(b));
}

bool IsVersionAtLeast(std::string_view a, std::string_view b)
{
    return !VersionLess(ParseVersion(a), ParseVersion(b));
}

} // namespace vq
