#include "foundation/text/EasyEncoder.h"

#include <string_view>

namespace vq {
namespace {

constexpr std::string_view Alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcdefghijklmnopqrstuvwxyz";
constexpr long long AlphabetSize = 62;

// The key's bytes, cycled; an empty key adds nothing.
class KeyStream {
public:
    explicit KeyStream(const std::string& key) : key_(key) {}
    long long next()
    {
        if (index_ >= key_.size())
            index_ = 0;
        long long value = index_ < key_.size() ? static_cast<unsigned char>(key_[index_]) : 0;
        ++index_;
        return value;
    }

private:
    const std::string& key_;
    std::size_t index_ = 0;
};

// The text as a zero-terminated buffer would hold it.
std::string untilZero(const std::string& s)
{
    auto zero = s.find('\0');
    return zero == std::string::npos ? s : s.substr(0, zero);
}

} // namespace

void ClearEasyEncodeInfo(TEasyEncodeInfo& info)
{
    info.TotalLength = 0;
    info.TextLength = 0;
    info.PlainText.clear();
    info.EncodedText.clear();
}

bool EasyEncode(TEasyEncodeInfo& info)
{
    for (std::int32_t n = 0; n < info.TotalLength - info.TextLength; ++n)
        info.PlainText += static_cast<char>('A' + n % 26);

    std::string plain = untilZero(info.PlainText);
    std::string key = untilZero(info.Key);
    KeyStream keys(key);
    long long shift = 0;
    std::string out;
    for (char c : plain) {
        shift += keys.next();
        auto j = Alphabet.find(c);
        if (j == std::string_view::npos)
            break; // its place stays zero, which ends the text
        out += Alphabet[static_cast<std::size_t>((static_cast<long long>(j) + shift) % AlphabetSize)];
    }
    info.EncodedText = out;
    return true;
}

bool EasyDecode(TEasyEncodeInfo& info)
{
    std::string encoded = untilZero(info.EncodedText);
    std::string key = untilZero(info.Key);
    KeyStream keys(key);
    long long shift = 0;
    std::string out;
    for (std::size_t i = 0; i < encoded.size() && static_cast<long long>(i) != info.TextLength; ++i) {
        shift += keys.next();
        auto c = Alphabet.find(encoded[i]);
        if (c == std::string_view::npos)
            break;
        long long j = (static_cast<long long>(c) - shift) % AlphabetSize;
        if (j < 0)
            j += AlphabetSize;
        out += Alphabet[static_cast<std::size_t>(j)];
    }
    info.PlainText = out;
    return true;
}

} // namespace vq
