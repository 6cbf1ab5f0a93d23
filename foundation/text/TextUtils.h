#pragma once
// Plain text helpers shared by the whole library: fixed-width fields measured
// in CP932 bytes (print layouts and the journal writer line text up by bytes),
// trimming that knows the full-width blank, and pieces of separated texts.
//
// Program text is UTF-8; widths are counted in the bytes the text takes in
// CP932, through platform/Cp932.h, so a double-byte character is never cut in
// half. The Sjis* byte helpers work on raw CP932 bytes, for the few places
// that meet fixed-width fields before they are converted.
#include <string>
#include <string_view>
#include <vector>

namespace vq {

// CP932 byte classes.
bool IsSjisLeadByte(unsigned char b);  // 0x81-0x9F, 0xE0-0xFC
bool IsSjisTrailByte(unsigned char b); // 0x40-0x7E, 0x80-0xFC

// On raw CP932 bytes: a lead byte whose next byte is not a trail byte becomes
// a blank together with that byte; a lead byte at the end becomes a blank.
std::string FixCutSjis(std::string_view sjis);
// On raw CP932 bytes: whether the byte at 1-based pos is a lead byte, pairing
// bytes from the first one; a pos outside the text judges the last byte.
bool IsSjisLeadByteAt(std::string_view sjis, int pos);

// n half-width blanks for n in 1..510, else an empty text.
std::string MakeSpaces(int n);
// Left-aligned field of width CP932 bytes: blanks appended (none when the
// width is above 510), a longer text cut; a character that does not fit whole
// is replaced by a blank.
std::string PadRightSjis(std::string_view text, int width);
// Right-aligned field of width CP932 bytes: blanks in front of a shorter text,
// the rightmost width bytes of a longer one (a character cut at the left edge
// becomes a blank).
std::string PadLeftBytes(std::string_view text, int width);
// The rightmost width bytes of 256 "0" followed by text.
std::string ZeroPadLeft(std::string_view text, int width);

// Removes controls, half-width blanks and full-width blanks "　" at both ends.
std::string TrimZenSpace(std::string_view text);
// Removes every half-width and full-width blank.
std::string RemoveAllSpaces(std::string_view text);
// Removes every tab, carriage return and line feed.
std::string RemoveTabCrLf(std::string_view text);

// Full-width small Latin letters (ａ-ｚ) become full-width capitals; nothing
// else changes.
std::string ZenAlphaToUpper(std::string_view text);

// Cuts text before its first "//", then at every separator. Returns the index
// of the last piece, with items holding every piece; an empty remainder
// returns 0 and leaves items as they were.
int SplitText(std::string_view text, std::string_view separator, std::vector<std::string>& items);
// The index-th (1-based) piece of text cut at every separator and every line
// break; a trailing separator adds no piece. Outside the pieces: empty.
std::string GetDelimitedItem(std::string_view text, std::string_view separator, int index);
// The first whole "name=value" line of text whose name equals name without
// regard to letter case; empty when none or when an argument is empty.
std::string GetLineByName(std::string_view text, std::string_view name);

// The lines of text as a string list takes them: a line ends at CR, LF or
// CR LF, and a final line break adds no empty line.
std::vector<std::string> SplitLines(std::string_view text);
// Equal without regard to the case of ASCII and full-width Latin letters.
bool SameTextNoCase(std::string_view a, std::string_view b);

} // namespace vq
