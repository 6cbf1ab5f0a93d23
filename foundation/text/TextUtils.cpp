#include "foundation/text/TextUtils.h"

#include "platform/Cp932.h"

#include <cstddef>

namespace vq {
namespace cp932 = platform::cp932;

namespace {

constexpr std::string_view ZenSpace = "\xE3\x80\x80"; // U+3000 "　"
constexpr int MaxSpaces = 510;

// Bytes of the UTF-8 character that starts with b (1 for a stray byte, so a
// broken text still advances).
std::size_t utf8Length(unsigned char b)
{
    if (b >= 0xF0 && b <= 0xF7)
        return 4;
    if (b >= 0xE0)
        return b <= 0xEF ? 3 : 1;
    if (b >= 0xC0)
        return 2;
    return 1;
}

std::vector<std::string_view> characters(std::string_view text)
{
    std::vector<std::string_view> out;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t n = std::min(utf8Length(static_cast<unsigned char>(text[i])), text.size() - i);
        out.push_back(text.substr(i, n));
        i += n;
    }
    return out;
}

// The rightmost width CP932 bytes of text; a character cut at the left edge
// becomes a blank so that the field keeps its width.
std::string rightBytes(std::string_view text, std::size_t width)
{
    auto chars = characters(text);
    std::string kept;
    std::size_t used = 0;
    std::size_t first = chars.size();
    while (first > 0) {
        std::size_t bytes = cp932::byteLength(chars[first - 1]);
        if (used + bytes > width)
            break;
        used += bytes;
        --first;
    }
    std::string out(width - used, ' ');
    for (std::size_t i = first; i < chars.size(); ++i)
        out.append(chars[i]);
    return out;
}

bool isAsciiBlankOrControl(char c)
{
    return static_cast<unsigned char>(c) <= 0x20;
}

std::string_view trimBytes(std::string_view s)
{
    while (!s.empty() && isAsciiBlankOrControl(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isAsciiBlankOrControl(s.back()))
        s.remove_suffix(1);
    return s;
}

std::string removeAll(std::string_view text, auto isDropped)
{
    std::string out;
    out.reserve(text.size());
    for (auto ch : characters(text))
        if (!isDropped(ch))
            out.append(ch);
    return out;
}

} // namespace

bool IsSjisLeadByte(unsigned char b)
{
    return cp932::isLeadByte(b);
}

bool IsSjisTrailByte(unsigned char b)
{
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

std::string FixCutSjis(std::string_view sjis)
{
    std::string out(sjis);
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (!IsSjisLeadByte(static_cast<unsigned char>(out[i])))
            continue;
        if (i + 1 >= out.size()) {
            out[i] = ' ';
        } else if (!IsSjisTrailByte(static_cast<unsigned char>(out[i + 1]))) {
            out[i] = ' ';
            out[i + 1] = ' ';
        }
        ++i; // the byte after a lead byte is never a lead byte itself
    }
    return out;
}

bool IsSjisLeadByteAt(std::string_view sjis, int pos)
{
    if (sjis.empty())
        return false;
    std::size_t target = (pos < 1 || static_cast<std::size_t>(pos) > sjis.size())
                             ? sjis.size() - 1
                             : static_cast<std::size_t>(pos - 1);
    for (std::size_t i = 0; i <= target; ++i) {
        bool lead = IsSjisLeadByte(static_cast<unsigned char>(sjis[i]));
        if (i == target)
            return lead;
        if (lead)
            ++i; // skip the trail byte; if it is the target it is not a lead byte
        if (i == target)
            return false;
    }
    return false;
}

std::string MakeSpaces(int n)
{
    if (n < 1 || n > MaxSpaces)
        return {};
    return std::string(static_cast<std::size_t>(n), ' ');
}

std::string PadRightSjis(std::string_view text, int width)
{
    if (width < 1)
        return {};
    std::size_t length = cp932::byteLength(text);
    // The blanks come from MakeSpaces(width): a field wider than its limit
    // is not padded at all.
    if (length < static_cast<std::size_t>(width))
        return width > MaxSpaces ? std::string(text) : std::string(text) + MakeSpaces(width - static_cast<int>(length));
    // Cut to the width; a character cut in half is repaired to a blank.
    return cp932::padRight(text, static_cast<std::size_t>(width));
}

std::string PadLeftBytes(std::string_view text, int width)
{
    if (width < 1)
        return {};
    std::size_t length = cp932::byteLength(text);
    if (length < static_cast<std::size_t>(width))
        return MakeSpaces(width - static_cast<int>(length)) + std::string(text);
    return rightBytes(text, static_cast<std::size_t>(width));
}

std::string ZeroPadLeft(std::string_view text, int width)
{
    if (width < 1)
        return {};
    std::string padded = std::string(256, '0') + std::string(text);
    std::size_t length = cp932::byteLength(padded);
    if (length <= static_cast<std::size_t>(width))
        return padded;
    return rightBytes(padded, static_cast<std::size_t>(width));
}

std::string TrimZenSpace(std::string_view text)
{
    std::string_view s = trimBytes(text);
    while (s.starts_with(ZenSpace))
        s = trimBytes(s.substr(ZenSpace.size()));
    while (s.ends_with(ZenSpace))
        s = trimBytes(s.substr(0, s.size() - ZenSpace.size()));
    return std::string(s);
}

std::string RemoveAllSpaces(std::string_view text)
{
    return removeAll(text, [](std::string_view ch) { return ch == " " || ch == ZenSpace; });
}

std::string RemoveTabCrLf(std::string_view text)
{
    return removeAll(text, [](std::string_view ch) { return ch == "\t" || ch == "\r" || ch == "\n"; });
}

std::string ZenAlphaToUpper(std::string_view text)
{
    // U+FF41..U+FF5A (ａ..ｚ) are EF BD 81..9A; the capitals U+FF21..U+FF3A are EF BC A1..BA.
    std::string out;
    out.reserve(text.size());
    for (auto ch : characters(text)) {
        if (ch.size() == 3 && static_cast<unsigned char>(ch[0]) == 0xEF &&
            static_cast<unsigned char>(ch[1]) == 0xBD) {
            auto c = static_cast<unsigned char>(ch[2]);
            if (c >= 0x81 && c <= 0x9A) {
                out += '\xEF';
                out += '\xBC';
                out += static_cast<char>(c + 0x20);
                continue;
            }
        }
        out.append(ch);
    }
    return out;
}

int SplitText(std::string_view text, std::string_view separator, std::vector<std::string>& items)
{
    if (auto comment = text.find("//"); comment != std::string_view::npos)
        text = text.substr(0, comment);
    if (text.empty())
        return 0;
    std::vector<std::string> pieces;
    if (separator.empty()) {
        pieces.emplace_back(text);
    } else {
        std::size_t start = 0;
        for (;;) {
            std::size_t at = text.find(separator, start);
            if (at == std::string_view::npos) {
                pieces.emplace_back(text.substr(start));
                break;
            }
            pieces.emplace_back(text.substr(start, at - start));
            start = at + separator.size();
        }
    }
    items = std::move(pieces);
    return static_cast<int>(items.size()) - 1;
}

std::vector<std::string> SplitLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t start = i;
        while (i < text.size() && text[i] != '\r' && text[i] != '\n')
            ++i;
        lines.emplace_back(text.substr(start, i - start));
        if (i < text.size() && text[i] == '\r')
            ++i;
        if (i < text.size() && text[i] == '\n')
            ++i;
    }
    return lines;
}

std::string GetDelimitedItem(std::string_view text, std::string_view separator, int index)
{
    std::string joined(text);
    if (!separator.empty()) {
        std::string replaced;
        std::size_t start = 0;
        for (;;) {
            std::size_t at = joined.find(separator, start);
            if (at == std::string::npos) {
                replaced.append(joined, start);
                break;
            }
            replaced.append(joined, start, at - start);
            // A whole line break, so that a CR just before the separator
            // still ends a piece of its own.
            replaced += "\r\n";
            start = at + separator.size();
        }
        joined = std::move(replaced);
    }
    auto pieces = SplitLines(joined);
    if (index < 1 || static_cast<std::size_t>(index) > pieces.size())
        return {};
    return pieces[static_cast<std::size_t>(index - 1)];
}

bool SameTextNoCase(std::string_view a, std::string_view b)
{
    auto fold = [](std::string_view s) {
        std::string out = ZenAlphaToUpper(s);
        for (char& c : out)
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 'a' + 'A');
        return out;
    };
    return fold(a) == fold(b);
}

std::string GetLineByName(std::string_view text, std::string_view name)
{
    if (text.empty() || name.empty())
        return {};
    for (const auto& line : SplitLines(text)) {
        auto eq = line.find('=');
        if (eq != std::string::npos && SameTextNoCase(std::string_view(line).substr(0, eq), name))
            return line;
    }
    return {};
}

} // namespace vq
