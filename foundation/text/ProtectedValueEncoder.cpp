#include "foundation/text/ProtectedValueEncoder.h"

#include <openssl/evp.h>
#include <openssl/rand.h>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace vq {

namespace {

constexpr unsigned char kVersion = 1;
constexpr std::size_t kNonceSize = 12;
constexpr std::size_t kTagSize = 16;

// The built-in key of version 1.
constexpr std::array<unsigned char, 32> kKey = {
    0x5a, 0x13, 0xc7, 0x9e, 0x42, 0x0b, 0xd8, 0x71, 0xe6, 0x2f, 0x94, 0x3c, 0xa5, 0x60, 0x1d, 0xbb,
    0x07, 0xf2, 0x88, 0x4e, 0xc1, 0x39, 0x6a, 0xd5, 0x2e, 0x97, 0x53, 0x0c, 0xfa, 0x64, 0xb0, 0x1f};

using Context = std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)>;

std::string toHex(const std::vector<unsigned char>& bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size() * 2);
    for (unsigned char b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

bool fromHex(const std::string& text, std::vector<unsigned char>& bytes)
{
    if (text.size() % 2 != 0)
        return false;
    const auto nibble = [](char c) -> int {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        return -1;
    };
    bytes.clear();
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const int hi = nibble(text[i]), lo = nibble(text[i + 1]);
        if (hi < 0 || lo < 0)
            return false;
        bytes.push_back(static_cast<unsigned char>(hi * 16 + lo));
    }
    return true;
}

bool encode(const std::string& plain, std::string& output)
{
    std::vector<unsigned char> out(1 + kNonceSize + plain.size() + kTagSize);
    out[0] = kVersion;
    unsigned char* nonce = out.data() + 1;
    unsigned char* cipher = nonce + kNonceSize;
    if (RAND_bytes(nonce, kNonceSize) != 1)
        return false;
    Context ctx(EVP_CIPHER_CTX_new(), EVP_CIPHER_CTX_free);
    int len = 0;
    if (!ctx || EVP_EncryptInit_ex(ctx.get(), EVP_aes_256_gcm(), nullptr, kKey.data(), nonce) != 1 ||
        EVP_EncryptUpdate(ctx.get(), nullptr, &len, out.data(), 1) != 1 ||   // the version byte is authenticated
        EVP_EncryptUpdate(ctx.get(), cipher, &len, reinterpret_cast<const unsigned char*>(plain.data()),
                          static_cast<int>(plain.size())) != 1 ||
        EVP_EncryptFinal_ex(ctx.get(), cipher + len, &len) != 1 ||
        EVP_CIPHER_CTX_ctrl(ctx.get(), EVP_CTRL_GCM_GET_TAG, kTagSize, cipher + plain.size()) != 1)
        return false;
    output = toHex(out);
    return true;
}

bool decode(const std::string& text, std::string& output)
{
    std::vector<unsigned char> in;
    if (!fromHex(text, in) || in.size() < 1 + kNonceSize + kTagSize || in[0] != kVersion)
        return false;
    const unsigned char* nonce = in.data() + 1;
    const unsigned char* cipher = nonce + kNonceSize;
    const std::size_t cipherSize = in.size() - 1 - kNonceSize - kTagSize;
    std::vector<unsigned char> tag(cipher + cipherSize, cipher + cipherSize + kTagSize);
    std::string plain(cipherSize, '\0');
    Context ctx(EVP_CIPHER_CTX_new(), EVP_CIPHER_CTX_free);
    int len = 0;
    if (!ctx || EVP_DecryptInit_ex(ctx.get(), EVP_aes_256_gcm(), nullptr, kKey.data(), nonce) != 1 ||
        EVP_DecryptUpdate(ctx.get(), nullptr, &len, in.data(), 1) != 1 ||
        EVP_DecryptUpdate(ctx.get(), reinterpret_cast<unsigned char*>(plain.data()), &len, cipher,
                          static_cast<int>(cipherSize)) != 1 ||
        EVP_CIPHER_CTX_ctrl(ctx.get(), EVP_CTRL_GCM_SET_TAG, kTagSize, tag.data()) != 1 ||
        EVP_DecryptFinal_ex(ctx.get(), reinterpret_cast<unsigned char*>(plain.data()) + len, &len) != 1)
        return false;
    output = std::move(plain);
    return true;
}

} // namespace

int ProtectedValueEncoder(const std::string& text, const std::string& mode, std::string& output)
{
    if (mode == "160")
        return encode(text, output) ? 1 : 0;
    if (mode == "161")
        return decode(text, output) ? 1 : 0;
    return 0;
}

} // namespace vq
