#pragma once
// Base64 (standard alphabet, "=" fill, no line breaks) of the byte texts the
// relay server carries inside its request and reply lines. The coder keeps
// no state; the two properties are stored for the screens that stream them
// and read by no operation.
#include <string>
#include <string_view>

namespace vq::comm {

enum TJisByteCodeType { btAscii, btRoman };
enum TJisKanaConvType { ktNone, ktZenWithDaku, ktZenSepaDaku };

class TxPzConv {
public:
    TJisByteCodeType JisByteCodeType = btAscii;
    TJisKanaConvType JisKanaConvType = ktZenWithDaku;

    // The Base64 text of the bytes of source: 4 characters per 3 bytes.
    static std::string EncodeBase64(std::string_view source);
    // The bytes a Base64 text stands for. A character outside the alphabet
    // counts as a fill character and adds zero bits; characters after the
    // last complete group of four yield nothing.
    static std::string DecodeBase64(std::string_view source);
    // A 6-bit value's character; "=" for 64 and above.
    static char ValueToBase64Char(unsigned value);
    // A character's value; 64 for "=" and every character outside the alphabet.
    static unsigned Base64CharToValue(char c);
};

} // namespace vq::comm
