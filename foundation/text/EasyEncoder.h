#pragma once
// The program's own reversible substitution over 62 letters and digits, with
// which the data set's password is stored (always with the key EasyEncodeKey).
#include <cstdint>
#include <string>

namespace vq {

inline constexpr const char* EasyEncodeKey = "mondrel";

struct TEasyEncodeInfo {
    std::int32_t TotalLength = 0; // the plain text is padded to this length
    std::int32_t TextLength = 0;  // the length of the real plain text
    std::string Key;
    std::string PlainText;
    std::string EncodedText;
};

// Both lengths 0, both texts empty; the key stays.
void ClearEasyEncodeInfo(TEasyEncodeInfo& info);
// PlainText padded with "A".."Z" fillers to TotalLength, then substituted into
// EncodedText. A character outside the alphabet ends the encoded text.
bool EasyEncode(TEasyEncodeInfo& info);
// EncodedText substituted back into PlainText, stopping after TextLength
// characters (so the fillers are dropped; a TextLength of 0 decodes nothing).
bool EasyDecode(TEasyEncodeInfo& info);

} // namespace vq
