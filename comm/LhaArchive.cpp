#include "comm/LhaArchive.h"

#include "comm/LhaEncoder.h"

extern "C" {
#include <lhasa.h>
}

#include <array>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <vector>

#include <sys/stat.h>

namespace vq::comm {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t BufferSize = 1 << 16;

const std::array<std::uint16_t, 256>& crcTable()
{
    static const std::array<std::uint16_t, 256> table = [] {
        std::array<std::uint16_t, 256> t{};
        for (unsigned i = 0; i < 256; ++i) {
            std::uint16_t c = static_cast<std::uint16_t>(i);
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? static_cast<std::uint16_t>((c >> 1) ^ 0xA001) : static_cast<std::uint16_t>(c >> 1);
            t[i] = c;
        }
        return t;
    }();
    return table;
}

void put16(std::string& out, std::size_t at, std::uint32_t value)
{
    out[at] = static_cast<char>(value & 0xFF);
    out[at + 1] = static_cast<char>((value >> 8) & 0xFF);
}

void put32(std::string& out, std::size_t at, std::uint32_t value)
{
    put16(out, at, value & 0xFFFF);
    put16(out, at + 2, value >> 16);
}

// The level-2 header: the fixed part, the common extension (the header's
// own CRC) and the file-name extension, then the end of the chain.
std::string levelTwoHeader(const std::string& name, const char* method, std::uint32_t packed, std::uint32_t size,
                           std::uint32_t time, std::uint16_t crc)
{
    const std::size_t commonSize = 1 + 2 + 2;
    const std::size_t nameSize = 1 + name.size() + 2;
    std::size_t total = 26 + commonSize + nameSize;
    // A header whose size has a zero low byte would read as the end of the
    // archive: one byte of padding moves it.
    const bool pad = (total & 0xFF) == 0;
    if (pad)
        ++total;
    std::string h(total, '\0');
    put16(h, 0, static_cast<std::uint32_t>(total));
    std::memcpy(h.data() + 2, method, 5);
    put32(h, 7, packed);
    put32(h, 11, size);
    put32(h, 15, time);
    h[19] = 0x20;
    h[20] = 2;
    put16(h, 21, crc);
    h[23] = 'U';
    put16(h, 24, static_cast<std::uint32_t>(commonSize));
    std::size_t at = 26;
    h[at] = 0x00;                         // common: header CRC, filled below
    put16(h, at + 3, static_cast<std::uint32_t>(nameSize));
    const std::size_t headerCrcAt = at + 1;
    at += commonSize;
    h[at] = 0x01;
    std::memcpy(h.data() + at + 1, name.data(), name.size());
    put16(h, at + 1 + name.size(), 0);
    put16(h, headerCrcAt, LhaCrc16(0, h.data(), h.size()));
    return h;
}

struct StreamCloser {
    void operator()(LHAInputStream* s) const { lha_input_stream_free(s); }
};
struct ReaderCloser {
    void operator()(LHAReader* r) const { lha_reader_free(r); }
};

bool plainName(const char* name)
{
    if (name == nullptr || *name == '\0')
        return false;
    const std::string n(name);
    return n != "." && n != ".." && n.find('/') == std::string::npos && n.find('\\') == std::string::npos;
}

void commit(const fs::path& temp, const fs::path& target)
{
    std::error_code ec;
    fs::rename(temp, target, ec);
    if (ec) {
        fs::remove(temp, ec);
        throw TLhaError("cannot replace " + target.string());
    }
}

// Copies member into out as it is; its CRC into crc.
void storeMember(const fs::path& member, std::uintmax_t size, std::ofstream& out, std::uint16_t& crc)
{
    std::ifstream in(member, std::ios::binary);
    if (!in)
        throw TLhaError("cannot read " + member.string());
    std::vector<char> buffer(BufferSize);
    crc = 0;
    std::uintmax_t copied = 0;
    while (in) {
        in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        const auto n = static_cast<std::size_t>(in.gcount());
        if (n == 0)
            break;
        crc = LhaCrc16(crc, buffer.data(), n);
        out.write(buffer.data(), static_cast<std::streamsize>(n));
        copied += n;
    }
    if (copied != size || in.bad() || !out)
        throw TLhaError("cannot read " + member.string());
}

// Compresses member into out; false, as soon as the output would be no
// smaller than the member, for a member to be stored instead.
bool compressMember(const fs::path& member, std::uintmax_t size, std::ofstream& out, std::uint16_t& crc,
                    std::uint64_t& packed)
{
    if (size == 0)
        return false;
    std::ifstream in(member, std::ios::binary);
    if (!in)
        throw TLhaError("cannot read " + member.string());
    TLh5Encoder encoder([&](const unsigned char* data, std::size_t n) {
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(n));
    });
    std::vector<char> buffer(BufferSize);
    crc = 0;
    std::uintmax_t read = 0;
    while (in) {
        in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        const auto n = static_cast<std::size_t>(in.gcount());
        if (n == 0)
            break;
        crc = LhaCrc16(crc, buffer.data(), n);
        encoder.Write(buffer.data(), n);
        read += n;
        if (encoder.OutputSize() >= size)
            return false;
    }
    if (read != size || in.bad())
        throw TLhaError("cannot read " + member.string());
    encoder.Finish();
    if (!out)
        throw TLhaError("cannot write the archive");
    packed = encoder.OutputSize();
    return packed < size;
}

} // namespace

std::uint16_t LhaCrc16(std::uint16_t crc, const void* data, std::size_t size)
{
    const auto& table = crcTable();
    const auto* p = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i)
        crc = static_cast<std::uint16_t>((crc >> 8) ^ table[(crc ^ p[i]) & 0xFF]);
    return crc;
}

void WriteLhaArchive(const fs::path& archive, const fs::path& member, const std::string& memberName)
{
    if (!plainName(memberName.c_str()) || memberName.size() > 0xFF00)
        throw TLhaError("member name is not a plain file name");
    std::error_code ec;
    const auto size = fs::file_size(member, ec);
    if (ec)
        throw TLhaError("cannot read " + member.string());
    if (size > 0xFFFFFFFFull)
        throw TLhaError("member too large for the archive: " + member.string());
    struct stat status {};
    const auto time = ::stat(member.c_str(), &status) == 0 && status.st_mtime > 0
        ? static_cast<std::uint32_t>(status.st_mtime) : 0u;

    const fs::path temp = archive.string() + ".part";
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out)
        throw TLhaError("cannot write " + archive.string());
    // The sizes and the CRC are known only once the data are through, so
    // the header is written twice; both methods' headers are the same size.
    std::string header = levelTwoHeader(memberName, "-lh5-", 0, static_cast<std::uint32_t>(size), time, 0);
    out.write(header.data(), static_cast<std::streamsize>(header.size()));
    std::uint16_t crc = 0;
    std::uint64_t packed = 0;
    bool compressed = false;
    try {
        compressed = compressMember(member, size, out, crc, packed);
        if (!compressed) {
            out.seekp(static_cast<std::streamoff>(header.size()));
            storeMember(member, size, out, crc);
            packed = size;
        }
    } catch (const TLhaError&) {
        out.close();
        fs::remove(temp, ec);
        throw;
    }
    out.put('\0');
    header = levelTwoHeader(memberName, compressed ? "-lh5-" : "-lh0-", static_cast<std::uint32_t>(packed),
                            static_cast<std::uint32_t>(size), time, crc);
    out.seekp(0);
    out.write(header.data(), static_cast<std::streamsize>(header.size()));
    out.close();
    if (!out) {
        fs::remove(temp, ec);
        throw TLhaError("cannot write " + archive.string());
    }
    // A stored member written over a longer compressed attempt leaves its
    // tail behind the end mark: cut it.
    fs::resize_file(temp, header.size() + packed + 1, ec);
    if (ec) {
        fs::remove(temp, ec);
        throw TLhaError("cannot write " + archive.string());
    }
    commit(temp, archive);
}

void ExtractLhaMember(const fs::path& archive, const std::string& memberName, const fs::path& target)
{
    std::string archiveName = archive.string();
    std::unique_ptr<LHAInputStream, StreamCloser> stream(lha_input_stream_from(archiveName.data()));
    if (!stream)
        throw TLhaError("cannot open " + archiveName);
    std::unique_ptr<LHAReader, ReaderCloser> reader(lha_reader_new(stream.get()));
    if (!reader)
        throw TLhaError("cannot read " + archiveName);
    lha_reader_set_dir_policy(reader.get(), LHA_READER_DIR_PLAIN);

    const fs::path temp = target.string() + ".part";
    bool found = false;
    while (LHAFileHeader* header = lha_reader_next_file(reader.get())) {
        if (header->path != nullptr || header->symlink_target != nullptr || !plainName(header->filename)
            || std::strcmp(header->compress_method, LHA_COMPRESS_TYPE_DIR) == 0)
            throw TLhaError("archive member with a folder or a link refused");
        if (found || memberName != header->filename)
            continue;
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out)
            throw TLhaError("cannot write " + target.string());
        std::vector<char> buffer(BufferSize);
        std::uint16_t crc = 0;
        std::size_t total = 0;
        while (const std::size_t n = lha_reader_read(reader.get(), buffer.data(), buffer.size())) {
            crc = LhaCrc16(crc, buffer.data(), n);
            out.write(buffer.data(), static_cast<std::streamsize>(n));
            total += n;
        }
        out.close();
        std::error_code ec;
        if (!out || total != header->length || crc != header->crc) {
            fs::remove(temp, ec);
            throw TLhaError("archive member damaged: " + memberName);
        }
        found = true;
    }
    if (!found)
        throw TLhaError("archive lacks " + memberName);
    commit(temp, target);
}

} // namespace vq::comm
