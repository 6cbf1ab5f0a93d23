#pragma once
// Splits one line of text into numbered pieces: delimited fields with
// quotes, or fixed-width pieces of CP932 bytes that never cut a double-byte
// character in half. Meant for single lines (records of files and settings).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vq {

using TMojiArray = std::vector<std::string>;

class TMojiBunkatu {
public:
    TMojiBunkatu() { Clear(); }

    char Delimiter = ',';
    TMojiArray Items;
    std::int32_t Count = 0;
    // 0 the ordinary rule (blanks separate fields too); 1 the blank-keeping
    // rule with each field trimmed (TStringList2).
    std::uint8_t Mode = 0;

    void Clear();
    // Fields of text by Mode; an empty text gives one empty item.
    void Split(std::string_view text);
    // Pieces of at most width CP932 bytes; a double-byte character that would
    // be cut moves whole to the next piece. A width below 2 cannot hold every
    // character: then each character is a piece of its own (a width below 1
    // counts as 1). An empty text gives one empty piece.
    void SplitByBytes(std::string_view text, int width);
    // The piece at a 0-based index; empty outside 0..Count-1.
    std::string Get(int index) const;
};

} // namespace vq
