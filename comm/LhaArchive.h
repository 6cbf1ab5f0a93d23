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
#include <stdexcept>
#include <string>

namespace vq::comm {

class TLhaError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The CRC-16 of LHA (reflected polynomial 0xA001, start 0), continued from crc.
std::uint16_t LhaCrc16(std::uint16_t crc, const void* data, std::size_t size);

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
