#pragma once
// Shift_JIS at the edges of the program is always Windows code page 932.
// Inside, text is UTF-8; these helpers convert at the edge and measure, cut
// and pad UTF-8 text as if it were CP932 bytes, never splitting a character.
#include <compare>
#include <cstddef>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vq::platform::cp932 {

struct EncodingError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// UTF-8 -> CP932 bytes. A character CP932 cannot hold becomes '?', as the
// Windows conversion does; strict=true throws EncodingError instead.
// Windows' one-way best fits apply: U+301C -> 0x8160, U+2212 -> 0x817C,
// U+00A5 -> 0x5C, U+00AC -> 0x81CA, U+203E -> 0x7E. Decoding gives the
// Windows characters: 0x5C is '\' (never the yen sign), 0x8160 is U+FF5E,
// 0x817C U+FF0D, 0x81CA U+FFE2, 0xF040-0xF9FC the private use area, and the
// single bytes 0x80 U+0080, 0xA0 U+F8F0, 0xFD-0xFF U+F8F1-U+F8F3 (both ways).
// Tag characters (U+E0000-U+E007F) are characters CP932 cannot hold.
std::string fromUtf8(std::string_view utf8, bool strict = false);
// CP932 bytes -> UTF-8. An invalid byte sequence becomes U+FFFD, or throws when strict.
std::string toUtf8(std::string_view sjis, bool strict = false);

// Lead byte of a double-byte CP932 character (0x81-0x9F, 0xE0-0xFC).
bool isLeadByte(unsigned char c);

// Length of utf8 in CP932 bytes, as fromUtf8 writes it ('?' included); the
// cutting and padding helpers below count the same way.
std::size_t byteLength(std::string_view utf8);
// The longest prefix of utf8 that fits in maxBytes CP932 bytes.
std::string cutBytes(std::string_view utf8, std::size_t maxBytes);
// Cut to width bytes, then pad on the right with fill up to exactly width bytes.
std::string padRight(std::string_view utf8, std::size_t width, char fill = ' ');
// Pieces of at most width CP932 bytes each (a character that would straddle a
// boundary moves to the next piece). width < 2 is treated as 2. Empty text
// gives no pieces.
std::vector<std::string> splitBytes(std::string_view utf8, std::size_t width);
// Byte-wise comparison of the CP932 forms of a and b (<0, 0, >0).
int compareBytes(std::string_view a, std::string_view b);

// Whole files in CP932: read returns UTF-8; write converts and replaces the
// file through a temporary in the same folder and a rename.
std::string readFile(const std::filesystem::path& file);
void writeFile(const std::filesystem::path& file, std::string_view utf8);

} // namespace vq::platform::cp932
