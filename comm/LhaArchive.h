#pragma once
// The LHA archive of a transfer: one member, the backup file, under its bare
// file name. The archives are written here with a level-2 header, the member
// compressed with -lh5- or, when that does not make it smaller, stored with
// -lh0-; reading goes through liblhasa, which unpacks what other writers
// make as well.
//
// A received archive is hostile: only the expected member is extracted, and
// an archive whose members carry a folder, or whose member's size or CRC do
// not match its header, is refused as a whole.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace vq::comm {

class TLhaError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The CRC-16 of LHA (reflected polynomial 0xA001, start 0), continued from crc.
std::uint16_t LhaCrc16(std::uint16_t crc, const void* data, std::size_t size);

// The archive of one member, made in two steps for writers that cannot
// seek back to its header (the cipher): the member is compressed first, in
// memory or past a limit into the spool file (removed again with this
// object), then the archive is written out front to back.
class TLhaPackedMember {
public:
    using Sink = std::function<void(const void* data, std::size_t size)>;
    static constexpr std::size_t DefaultMemoryLimit = std::size_t(64) << 20;

    // Throws TLhaError, as WriteLhaArchive does.
    TLhaPackedMember(const std::filesystem::path& member, const std::string& memberName,
                     std::filesystem::path spool, std::size_t memoryLimit = DefaultMemoryLimit);
    ~TLhaPackedMember();
    TLhaPackedMember(const TLhaPackedMember&) = delete;
    TLhaPackedMember& operator=(const TLhaPackedMember&) = delete;

    // Hands the whole archive to sink. A stored member is read again from
    // its file, which must not change before then.
    void WriteTo(const Sink& sink) const;
    bool Compressed() const { return compressed_; }
    bool Spooled() const { return spooled_; }
    std::uint64_t ArchiveSize() const;

private:
    void compress();
    void dropSpool();
    std::string header() const;

    std::filesystem::path member_;
    std::string name_;
    std::filesystem::path spool_;
    std::size_t memoryLimit_;
    std::uintmax_t size_ = 0;
    std::uint32_t time_ = 0;
    std::uint16_t crc_ = 0;
    std::uint64_t packed_ = 0;
    bool compressed_ = false;
    bool spooled_ = false;
    std::vector<unsigned char> memory_;
};

// Writes archive (through a temporary and a rename) holding the file member
// under memberName, a bare file name. Throws TLhaError; a file of 4 GiB or
// more cannot be stored in the header's sizes and is refused.
void WriteLhaArchive(const std::filesystem::path& archive, const std::filesystem::path& member,
                     const std::string& memberName);

// Extracts the member named memberName of archive into target (through a
// temporary and a rename). Other plain members are passed over. Throws
// TLhaError when the archive cannot be read, holds a member with a folder or
// a link, lacks the member, or the member's data do not match its header.
void ExtractLhaMember(const std::filesystem::path& archive, const std::string& memberName,
                      const std::filesystem::path& target);

} // namespace vq::comm
