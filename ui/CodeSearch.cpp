#include "ui/CodeSearch.h"

#include "platform/Cp932.h"

#include <algorithm>
#include <cctype>

namespace vq::ui {

namespace cp932 = vq::platform::cp932;

namespace {

std::string trimBlanks(std::string_view s)
{
    std::size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ')
        ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ')
        --e;
    return std::string(s.substr(b, e - b));
}

bool startsWithNoCase(std::string_view text, std::string_view prefix)
{
    if (prefix.size() > text.size())
        return false;
    return std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    });
}

} // namespace

TypedCode typedCodeOf(std::string_view text, int keyLen, std::string_view keyTerm)
{
    TypedCode code;
    const std::string sjis = cp932::fromUtf8(text);
    code.typedName = !sjis.empty() && cp932::isLeadByte(static_cast<unsigned char>(sjis[0]));

    int codeLen = keyLen;
    if (!keyTerm.empty()) {
        const auto at = sjis.find(cp932::fromUtf8(keyTerm));
        if (at != std::string::npos && static_cast<int>(at) < keyLen)
            codeLen = static_cast<int>(at);
    }
    code.key = trimBlanks(cp932::cutBytes(text, static_cast<std::size_t>(std::max(codeLen, 0))));
    return code;
}

int findItemByPrefix(const std::vector<std::string>& items, std::string_view prefix, int after)
{
    const int n = static_cast<int>(items.size());
    if (n == 0)
        return -1;
    int start = (after < -1 || after >= n) ? 0 : after + 1;
    for (int i = 0; i < n; ++i) {
        const int k = (start + i) % n;
        if (startsWithNoCase(items[k], prefix))
            return k;
    }
    return -1;
}

} // namespace vq::ui
