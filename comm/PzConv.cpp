#include "comm/PzConv.h"

namespace vq::comm {

namespace {
constexpr std::string_view Alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr unsigned Fill = 64;
}

char TxPzConv::ValueToBase64Char(unsigned value)
{
    return value < Fill ? Alphabet[value] : '=';
}

unsigned TxPzConv::Base64CharToValue(char c)
{
    if (c >= 'A' && c <= 'Z')
        return static_cast<unsigned>(c - 'A');
    if (c >= 'a' && c <= 'z')
        return static_cast<unsigned>(c - 'a') + 26;
    if (c >= '0' && c <= '9')
        return static_cast<unsigned>(c - '0') + 52;
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return Fill;
}

std::string TxPzConv::EncodeBase64(std::string_view source)
{
    std::string out;
    out.reserve((source.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < source.size(); i += 3) {
        const unsigned a = static_cast<unsigned char>(source[i]);
        const bool hasB = i + 1 < source.size();
        const bool hasC = i + 2 < source.size();
        const unsigned b = hasB ? static_cast<unsigned char>(source[i + 1]) : 0;
        const unsigned c = hasC ? static_cast<unsigned char>(source[i + 2]) : 0;
        out += ValueToBase64Char(a >> 2);
        out += ValueToBase64Char(((a & 3) << 4) | (b >> 4));
        out += hasB ? ValueToBase64Char(((b & 15) << 2) | (c >> 6)) : '=';
        out += hasC ? ValueToBase64Char(c & 63) : '=';
    }
    return out;
}

std::string TxPzConv::DecodeBase64(std::string_view source)
{
    std::string out;
    out.reserve(source.size() / 4 * 3);
    for (std::size_t i = 0; i + 4 <= source.size(); i += 4) {
        const unsigned p = Base64CharToValue(source[i]);
        const unsigned q = Base64CharToValue(source[i + 1]);
        const unsigned r = Base64CharToValue(source[i + 2]);
        const unsigned s = Base64CharToValue(source[i + 3]);
        // A fill value contributes zero bits wherever it stands.
        auto bits = [](unsigned v) { return v >= Fill ? 0u : v; };
        out += static_cast<char>((bits(p) << 2 | (bits(q) & 48) >> 4) & 0xFF);
        if (r < Fill)
            out += static_cast<char>(((bits(q) & 15) << 4 | (bits(r) & 60) >> 2) & 0xFF);
        if (r < Fill && s < Fill)
            out += static_cast<char>(((bits(r) & 3) << 6 | bits(s)) & 0xFF);
    }
    return out;
}

} // namespace vq::comm
