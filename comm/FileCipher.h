#pragma once
// The cipher of the transfer files. Both ends build the key text from a
// prefix held by the program and the data set's communication password; the
// key itself is derived from that text with scrypt and a random salt, so two
// sends of one data set never share a key.
//
// File: "VQCF", version 1, the scrypt cost (log2 N, r, p), a 16-byte salt, an
// 8-byte nonce prefix and the chunk size, then the chunks, each enciphered
// with AES-256-GCM under the nonce prefix + the chunk's number and bound to
// the header, its number and whether it is the last. Every chunk but the last
// is full; the last is shorter (empty when the data fill the chunks), so a
// file cut anywhere, a changed byte or a wrong password is refused.
#include <cstddef>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

namespace vq::comm {

class TCipherError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The key text of a transfer: the program's prefix followed by password.
std::string CipherKeyText(const std::string& password);

inline constexpr std::size_t CipherChunkSize = 1 << 20;

// Enciphers into target, through a temporary renamed by Commit, what is
// written to it, in the form EncryptFile gives; without Commit nothing is
// left. Throws TCipherError.
class TCipherWriter {
public:
    TCipherWriter(const std::filesystem::path& target, const std::string& keyText,
                  std::size_t chunkSize = CipherChunkSize);
    ~TCipherWriter();
    TCipherWriter(const TCipherWriter&) = delete;
    TCipherWriter& operator=(const TCipherWriter&) = delete;

    void Write(const void* data, std::size_t size);
    void Commit();

private:
    struct State;
    std::unique_ptr<State> s_;
};

// Enciphers source into target (through a temporary and a rename).
void EncryptFile(const std::filesystem::path& source, const std::filesystem::path& target,
                 const std::string& keyText, std::size_t chunkSize = CipherChunkSize);
// Deciphers source into target (through a temporary and a rename); a file
// that is not whole and ours, or a wrong key, throws TCipherError and leaves
// no target.
void DecryptFile(const std::filesystem::path& source, const std::filesystem::path& target,
                 const std::string& keyText);

} // namespace vq::comm
