#include "comm/FileCipher.h"

#include <openssl/evp.h>
#include <openssl/kdf.h>
#include <openssl/rand.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <memory>
#include <optional>
#include <vector>

namespace vq::comm {

namespace fs = std::filesystem;

namespace {

constexpr char Magic[4] = {'V', 'Q', 'C', 'F'};
constexpr unsigned char Version = 1;
constexpr std::size_t SaltSize = 16;
constexpr std::size_t NoncePrefixSize = 8;
constexpr std::size_t TagSize = 16;
constexpr std::size_t HeaderSize = 4 + 1 + 3 + SaltSize + NoncePrefixSize + 4;
// The cost a new file gets; a file's own cost is read back within limits, so
// a hostile header cannot ask for unbounded memory.
constexpr unsigned char CostLog2N = 15, CostR = 8, CostP = 1;
constexpr std::uint64_t MaxScryptMemory = 256ull << 20;
constexpr std::size_t MaxChunkSize = 16u << 20;

using Header = std::array<unsigned char, HeaderSize>;
using Key = std::array<unsigned char, 32>;

struct CtxFree {
    void operator()(EVP_CIPHER_CTX* c) const { EVP_CIPHER_CTX_free(c); }
};

std::uint32_t chunkSizeOf(const Header& h)
{
    const std::size_t at = HeaderSize - 4;
    return (std::uint32_t(h[at]) << 24) | (std::uint32_t(h[at + 1]) << 16) | (std::uint32_t(h[at + 2]) << 8)
        | std::uint32_t(h[at + 3]);
}

Key deriveKey(const Header& h, const std::string& keyText)
{
    const unsigned log2n = h[5], r = h[6], p = h[7];
    if (log2n < 10 || log2n > 20 || r < 1 || r > 16 || p < 1 || p > 4)
        throw TCipherError("unsupported key cost");
    Key key{};
    if (EVP_PBE_scrypt(keyText.data(), keyText.size(), h.data() + 8, SaltSize, std::uint64_t(1) << log2n, r, p,
                       MaxScryptMemory, key.data(), key.size()) != 1)
        throw TCipherError("key derivation failed");
    return key;
}

// The nonce and the data bound to chunk n.
void chunkFrame(const Header& h, std::uint32_t n, bool last, std::array<unsigned char, 12>& nonce,
                std::vector<unsigned char>& aad)
{
    std::memcpy(nonce.data(), h.data() + 8 + SaltSize, NoncePrefixSize);
    for (int i = 0; i < 4; ++i)
        nonce[NoncePrefixSize + i] = static_cast<unsigned char>(n >> (24 - 8 * i));
    aad.assign(h.begin(), h.end());
    aad.insert(aad.end(), nonce.end() - 4, nonce.end());
    aad.push_back(last ? 1 : 0);
}

// Enciphers or deciphers one chunk; false when a deciphered chunk's tag fails.
bool runChunk(bool encrypt, const Key& key, const Header& h, std::uint32_t n, bool last, const unsigned char* in,
              std::size_t size, unsigned char* out, unsigned char* tag)
{
    std::array<unsigned char, 12> nonce{};
    std::vector<unsigned char> aad;
    chunkFrame(h, n, last, nonce, aad);
    std::unique_ptr<EVP_CIPHER_CTX, CtxFree> ctx(EVP_CIPHER_CTX_new());
    int len = 0;
    if (!ctx || EVP_CipherInit_ex(ctx.get(), EVP_aes_256_gcm(), nullptr, key.data(), nonce.data(), encrypt ? 1 : 0) != 1
        || EVP_CipherUpdate(ctx.get(), nullptr, &len, aad.data(), static_cast<int>(aad.size())) != 1
        || (size > 0 && EVP_CipherUpdate(ctx.get(), out, &len, in, static_cast<int>(size)) != 1))
        throw TCipherError("cipher failed");
    if (!encrypt && EVP_CIPHER_CTX_ctrl(ctx.get(), EVP_CTRL_GCM_SET_TAG, TagSize, tag) != 1)
        throw TCipherError("cipher failed");
    if (EVP_CipherFinal_ex(ctx.get(), out + size, &len) != 1)
        return false;
    if (encrypt && EVP_CIPHER_CTX_ctrl(ctx.get(), EVP_CTRL_GCM_GET_TAG, TagSize, tag) != 1)
        throw TCipherError("cipher failed");
    return true;
}

// Reads up to size bytes; fewer only at the end of the file.
std::size_t readSome(std::ifstream& in, unsigned char* to, std::size_t size)
{
    in.read(reinterpret_cast<char*>(to), static_cast<std::streamsize>(size));
    if (in.bad())
        throw TCipherError("read failed");
    return static_cast<std::size_t>(in.gcount());
}

class TempOutput {
public:
    explicit TempOutput(const fs::path& target)
        : target_(target), temp_(target.string() + ".part"), out_(temp_, std::ios::binary | std::ios::trunc)
    {
        if (!out_)
            throw TCipherError("cannot write " + target.string());
    }
    ~TempOutput()
    {
        if (!done_) {
            out_.close();
            std::error_code ec;
            fs::remove(temp_, ec);
        }
    }
    void write(const unsigned char* data, std::size_t size)
    {
        out_.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    void commit()
    {
        out_.close();
        std::error_code ec;
        if (out_.fail())
            throw TCipherError("cannot write " + target_.string());
        fs::rename(temp_, target_, ec);
        if (ec)
            throw TCipherError("cannot replace " + target_.string());
        done_ = true;
    }

private:
    fs::path target_, temp_;
    std::ofstream out_;
    bool done_ = false;
};

} // namespace

std::string CipherKeyText(const std::string& password)
{
    return "vqCs26" + password;
}

struct TCipherWriter::State {
    Header h{};
    Key key{};
    std::optional<TempOutput> out;
    std::size_t chunkSize = 0;
    std::vector<unsigned char> plain, sealed;
    std::size_t have = 0;
    std::uint32_t n = 0;
    bool done = false;

    // Full chunks are never the last: the last is the short one Commit seals.
    void seal(bool last)
    {
        runChunk(true, key, h, n, last, plain.data(), have, sealed.data(), sealed.data() + have);
        out->write(sealed.data(), have + TagSize);
        have = 0;
        if (n == 0xFFFFFFFFu)
            throw TCipherError("file too large");
        ++n;
    }
};

TCipherWriter::TCipherWriter(const fs::path& target, const std::string& keyText, std::size_t chunkSize)
    : s_(std::make_unique<State>())
{
    if (chunkSize < 1 || chunkSize > MaxChunkSize)
        throw TCipherError("bad chunk size");
    Header& h = s_->h;
    std::memcpy(h.data(), Magic, 4);
    h[4] = Version;
    h[5] = CostLog2N;
    h[6] = CostR;
    h[7] = CostP;
    if (RAND_bytes(h.data() + 8, SaltSize + NoncePrefixSize) != 1)
        throw TCipherError("no random bytes");
    for (int i = 0; i < 4; ++i)
        h[HeaderSize - 4 + i] = static_cast<unsigned char>(chunkSize >> (24 - 8 * i));
    s_->key = deriveKey(h, keyText);
    s_->chunkSize = chunkSize;
    s_->plain.resize(chunkSize);
    s_->sealed.resize(chunkSize + TagSize);
    s_->out.emplace(target);
    s_->out->write(h.data(), h.size());
}

TCipherWriter::~TCipherWriter() = default;

void TCipherWriter::Write(const void* data, std::size_t size)
{
    if (s_->done)
        throw TCipherError("written after the end");
    const auto* p = static_cast<const unsigned char*>(data);
    while (size > 0) {
        const std::size_t n = std::min(size, s_->chunkSize - s_->have);
        std::memcpy(s_->plain.data() + s_->have, p, n);
        s_->have += n;
        p += n;
        size -= n;
        if (s_->have == s_->chunkSize)
            s_->seal(false);
    }
}

void TCipherWriter::Commit()
{
    if (s_->done)
        return;
    s_->seal(true);
    s_->out->commit();
    s_->done = true;
}

void EncryptFile(const fs::path& source, const fs::path& target, const std::string& keyText, std::size_t chunkSize)
{
    std::ifstream in(source, std::ios::binary);
    if (!in)
        throw TCipherError("cannot read " + source.string());
    TCipherWriter out(target, keyText, chunkSize);
    std::vector<unsigned char> buffer(CipherChunkSize);
    while (const std::size_t n = readSome(in, buffer.data(), buffer.size()))
        out.Write(buffer.data(), n);
    out.Commit();
}

void DecryptFile(const fs::path& source, const fs::path& target, const std::string& keyText)
{
    std::ifstream in(source, std::ios::binary);
    if (!in)
        throw TCipherError("cannot read " + source.string());
    Header h{};
    if (readSome(in, h.data(), h.size()) != h.size() || std::memcmp(h.data(), Magic, 4) != 0 || h[4] != Version)
        throw TCipherError("not an enciphered transfer file");
    const std::size_t chunkSize = chunkSizeOf(h);
    if (chunkSize < 1 || chunkSize > MaxChunkSize)
        throw TCipherError("bad chunk size");
    const Key key = deriveKey(h, keyText);

    TempOutput out(target);
    std::vector<unsigned char> sealed(chunkSize + TagSize), plain(chunkSize + TagSize);
    for (std::uint32_t n = 0;; ++n) {
        const std::size_t got = readSome(in, sealed.data(), sealed.size());
        if (got < TagSize)
            throw TCipherError("enciphered file cut short");
        const bool last = got < sealed.size();
        const std::size_t size = got - TagSize;
        if (!runChunk(false, key, h, n, last, sealed.data(), size, plain.data(), sealed.data() + size))
            throw TCipherError("enciphered file damaged or wrong key");
        out.write(plain.data(), size);
        if (last)
            break;
        if (n == 0xFFFFFFFFu)
            throw TCipherError("file too large");
    }
    out.commit();
}

} // namespace vq::comm
