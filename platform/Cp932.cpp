#include "platform/Cp932.h"

#include "platform/AtomicFile.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <iterator>
#include <system_error>

// glibc's "CP932" table is the Windows one, including its one-way best fits:
// U+301C WAVE DASH -> 0x8160, U+2212 MINUS -> 0x817C, U+2016 -> 0x8161,
// U+00A5 YEN -> 0x5C and U+203E OVERLINE -> 0x7E. Back from CP932, 0x5C is the
// ASCII backslash and 0x7E the tilde (never the yen sign or overline), and
// 0x8160/0x817C/0x8161 become U+FF5E/U+FF0D/U+2225, so text that came from a
// CP932 file converts back to the same bytes.
// "SHIFT_JIS" is a different table (JIS X 0208 without the NEC/IBM rows) and
// must not be used here.
// Where glibc differs from Windows, Windows holds: glibc refuses the single
// bytes 0x80, 0xA0 and 0xFD-0xFF, which Windows reads as U+0080 and
// U+F8F0-U+F8F3 (and writes back), and it drops the tag characters
// U+E0000-U+E007F without a word, where Windows writes '?' for each as for any
// character CP932 cannot hold.

namespace vq::platform::cp932 {
namespace {

class Converter {
public:
    Converter(const char* to, const char* from) : cd_(::iconv_open(to, from))
    {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw std::system_error(errno, std::generic_category(),
                                    std::string("iconv_open ") + from + " -> " + to);
    }
    ~Converter() { ::iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    enum class Status { Ok, Invalid, Incomplete };

    // Converts as much of in as possible and appends to out; in is advanced
    // past what was consumed.
    Status convert(std::string_view& in, std::string& out)
    {
        ::iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char buffer[1024];
        while (!in.empty()) {
            char* src = const_cast<char*>(in.data());
            std::size_t srcLeft = in.size();
            char* dst = buffer;
            std::size_t dstLeft = sizeof buffer;
            std::size_t rc = ::iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            int err = errno;
            out.append(buffer, static_cast<std::size_t>(dst - buffer));
            in.remove_prefix(in.size() - srcLeft);
            if (rc != static_cast<std::size_t>(-1))
                continue;
            if (err == E2BIG)
                continue;
            if (err == EILSEQ)
                return Status::Invalid;
            if (err == EINVAL)
                return Status::Incomplete;
            throw std::system_error(err, std::generic_category(), "iconv");
        }
        // Flush any shift state (none for CP932, but cheap).
        char* dst = buffer;
        std::size_t dstLeft = sizeof buffer;
        ::iconv(cd_, nullptr, nullptr, &dst, &dstLeft);
        out.append(buffer, static_cast<std::size_t>(dst - buffer));
        return Status::Ok;
    }

private:
    iconv_t cd_;
};

// The Windows characters of single bytes glibc refuses.
struct EdgeByte {
    unsigned char byte;
    std::string_view utf8;
};
constexpr EdgeByte edgeBytes[] = {
    {0x80, "\xC2\x80"},     // U+0080
    {0xA0, "\xEF\xA3\xB0"}, // U+F8F0
    {0xFD, "\xEF\xA3\xB1"}, // U+F8F1
    {0xFE, "\xEF\xA3\xB2"}, // U+F8F2
    {0xFF, "\xEF\xA3\xB3"}, // U+F8F3
};

const EdgeByte* edgeByByte(unsigned char byte)
{
    for (const EdgeByte& e : edgeBytes)
        if (e.byte == byte)
            return &e;
    return nullptr;
}

const EdgeByte* edgeByCharacter(std::string_view utf8)
{
    for (const EdgeByte& e : edgeBytes)
        if (utf8.substr(0, e.utf8.size()) == e.utf8)
            return &e;
    return nullptr;
}

// Where the next tag character (U+E0000-U+E007F: F3 A0 80 80 - F3 A0 81 BF)
// starts in utf8, or npos.
std::size_t findTagCharacter(std::string_view utf8)
{
    for (std::size_t at = utf8.find("\xF3\xA0"); at != std::string_view::npos; at = utf8.find("\xF3\xA0", at + 1)) {
        if (utf8.size() - at < 4)
            break;
        const auto third = static_cast<unsigned char>(utf8[at + 2]);
        const auto fourth = static_cast<unsigned char>(utf8[at + 3]);
        if ((third == 0x80 || third == 0x81) && (fourth & 0xC0) == 0x80)
            return at;
    }
    return std::string_view::npos;
}

Converter& encoder()
{
    thread_local Converter c("CP932", "UTF-8");
    return c;
}

Converter& decoder()
{
    thread_local Converter c("UTF-8", "CP932");
    return c;
}

// Length of the UTF-8 sequence starting at s[0], or 0 when it is not a valid
// sequence (the caller then treats one byte as a character of its own).
std::size_t utf8SequenceLength(std::string_view s)
{
    auto b = static_cast<unsigned char>(s[0]);
    std::size_t n;
    char32_t cp;
    if (b < 0x80)
        return 1;
    if (b >= 0xC2 && b <= 0xDF) {
        n = 2;
        cp = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
        n = 3;
        cp = b & 0x0F;
    } else if (b >= 0xF0 && b <= 0xF4) {
        n = 4;
        cp = b & 0x07;
    } else {
        return 0;
    }
    if (s.size() < n)
        return 0;
    for (std::size_t i = 1; i < n; ++i) {
        auto c = static_cast<unsigned char>(s[i]);
        if ((c & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (c & 0x3F);
    }
    if ((n == 3 && cp < 0x800) || (n == 4 && (cp < 0x10000 || cp > 0x10FFFF)) ||
        (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return n;
}

// Walks utf8 one character at a time: f(character, cp932Bytes) returns false to stop.
template <typename F>
void forEachCharacter(std::string_view utf8, F f)
{
    while (!utf8.empty()) {
        std::size_t n = utf8SequenceLength(utf8);
        std::size_t bytes;
        if (n == 0) {
            n = 1;
            bytes = 1; // an invalid byte converts to '?'
        } else if (n == 1) {
            bytes = 1;
        } else {
            // What the encoder writes for it, '?' included.
            bytes = fromUtf8(utf8.substr(0, n)).size();
        }
        if (!f(utf8.substr(0, n), bytes))
            return;
        utf8.remove_prefix(n);
    }
}

// Converts text without tag characters.
void encodeInto(std::string_view utf8, bool strict, std::string& out)
{
    while (!utf8.empty()) {
        auto status = encoder().convert(utf8, out);
        if (status == Converter::Status::Ok)
            break;
        if (const EdgeByte* edge = edgeByCharacter(utf8)) {
            out.push_back(static_cast<char>(edge->byte));
            utf8.remove_prefix(edge->utf8.size());
            continue;
        }
        if (strict)
            throw EncodingError("text cannot be written in CP932");
        out.push_back('?');
        std::size_t n = utf8SequenceLength(utf8);
        utf8.remove_prefix(n == 0 ? 1 : n);
    }
}

} // namespace

std::string fromUtf8(std::string_view utf8, bool strict)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t tag = findTagCharacter(utf8); tag != std::string_view::npos; tag = findTagCharacter(utf8)) {
        encodeInto(utf8.substr(0, tag), strict, out);
        if (strict)
            throw EncodingError("text cannot be written in CP932");
        out.push_back('?');
        utf8.remove_prefix(tag + 4);
    }
    encodeInto(utf8, strict, out);
    return out;
}

std::string toUtf8(std::string_view sjis, bool strict)
{
    // Single bytes below 0x80 decode to themselves (0x5C stays a backslash): most
    // codes and amounts read from a data set need no converter at all.
    if (std::all_of(sjis.begin(), sjis.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return std::string(sjis);
    std::string out;
    out.reserve(sjis.size() * 3 / 2);
    while (!sjis.empty()) {
        auto status = decoder().convert(sjis, out);
        if (status == Converter::Status::Ok)
            break;
        if (const EdgeByte* edge = edgeByByte(static_cast<unsigned char>(sjis.front()))) {
            out.append(edge->utf8);
            sjis.remove_prefix(1);
            continue;
        }
        if (strict)
            throw EncodingError("invalid CP932 byte sequence");
        out.append("\xEF\xBF\xBD"); // U+FFFD
        sjis.remove_prefix(1);
    }
    return out;
}

bool isLeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

std::size_t byteLength(std::string_view utf8)
{
    std::size_t total = 0;
    forEachCharacter(utf8, [&](std::string_view, std::size_t bytes) {
        total += bytes;
        return true;
    });
    return total;
}

std::string cutBytes(std::string_view utf8, std::size_t maxBytes)
{
    std::size_t used = 0;
    std::size_t prefix = 0;
    forEachCharacter(utf8, [&](std::string_view ch, std::size_t bytes) {
        if (used + bytes > maxBytes)
            return false;
        used += bytes;
        prefix += ch.size();
        return true;
    });
    return std::string(utf8.substr(0, prefix));
}

std::string padRight(std::string_view utf8, std::size_t width, char fill)
{
    std::string out = cutBytes(utf8, width);
    std::size_t length = byteLength(out);
    if (length < width)
        out.append(width - length, fill);
    return out;
}

std::vector<std::string> splitBytes(std::string_view utf8, std::size_t width)
{
    width = std::max<std::size_t>(width, 2);
    std::vector<std::string> pieces;
    std::string current;
    std::size_t used = 0;
    forEachCharacter(utf8, [&](std::string_view ch, std::size_t bytes) {
        if (used + bytes > width) {
            pieces.push_back(std::move(current));
            current.clear();
            used = 0;
        }
        current.append(ch);
        used += bytes;
        return true;
    });
    if (!current.empty())
        pieces.push_back(std::move(current));
    return pieces;
}

int compareBytes(std::string_view a, std::string_view b)
{
    std::string x = fromUtf8(a);
    std::string y = fromUtf8(b);
    std::size_t n = std::min(x.size(), y.size());
    for (std::size_t i = 0; i < n; ++i) {
        auto cx = static_cast<unsigned char>(x[i]);
        auto cy = static_cast<unsigned char>(y[i]);
        if (cx != cy)
            return cx < cy ? -1 : 1;
    }
    if (x.size() == y.size())
        return 0;
    return x.size() < y.size() ? -1 : 1;
}

std::string readFile(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw std::system_error(errno ? errno : ENOENT, std::generic_category(),
                                "cannot open " + file.string());
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        throw std::system_error(EIO, std::generic_category(), "cannot read " + file.string());
    return toUtf8(bytes);
}

void writeFile(const std::filesystem::path& file, std::string_view utf8)
{
    writeFileAtomically(file, fromUtf8(utf8));
}

} // namespace vq::platform::cp932
