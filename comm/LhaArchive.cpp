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

class MemberReader {
public:
    MemberReader(const fs::path& member, std::uintmax_t size) : member_(member), size_(size), in_(member, std::ios::binary)
    {
        if (!in_)
            throw TLhaError("cannot read " + member.string());
    }
    // The next piece of the member; empty at its end.
    std::size_t next()
    {
        in_.read(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
        const auto n = static_cast<std::size_t>(in_.gcount());
        if (in_.bad())
            throw TLhaError("cannot read " + member_.string());
        crc_ = LhaCrc16(crc_, buffer_.data(), n);
        read_ += n;
        return n;
    }
    const char* data() const { return buffer_.data(); }
    // The member was read whole and is still the size it had.
    void checkWhole() const
    {
        if (read_ != size_)
            throw TLhaError("member changed while archived: " + member_.string());
    }
    std::uint16_t crc() const { return crc_; }

private:
    fs::path member_;
    std::uintmax_t size_;
    std::ifstream in_;
    std::vector<char> buffer_ = std::vector<char>(BufferSize);
    std::uint16_t crc_ = 0;
    std::uintmax_t read_ = 0;
};

} // namespace

TLhaPackedMember::TLhaPackedMember(const fs::path& member, const std::string& memberName, fs::path spool,
                                   std::size_t memoryLimit)
    : member_(member), name_(memberName), spool_(std::move(spool)), memoryLimit_(memoryLimit)
{
    if (!plainName(memberName.c_str()) || memberName.size() > 0xFF00)
        throw TLhaError("member name is not a plain file name");
    std::error_code ec;
    size_ = fs::file_size(member, ec);
    if (ec)
        throw TLhaError("cannot read " + member.string());
    if (size_ > 0xFFFFFFFFull)
        throw TLhaError("member too large for the archive: " + member.string());
    struct stat status {};
    time_ = ::stat(member.c_str(), &status) == 0 && status.st_mtime > 0 ? static_cast<std::uint32_t>(status.st_mtime)
                                                                          : 0u;
    try {
        compress();
    } catch (...) {
        dropSpool();
        throw;
    }
}

TLhaPackedMember::~TLhaPackedMember()
{
    dropSpool();
}

void TLhaPackedMember::dropSpool()
{
    if (!spooled_)
        return;
    spooled_ = false;
    std::error_code ec;
    fs::remove(spool_, ec);
}

void TLhaPackedMember::compress()
{
    MemberReader in(member_, size_);
    std::ofstream spool;
    bool tooLong = false;
    TLh5Encoder encoder([&](const unsigned char* data, std::size_t n) {
        if (tooLong)
            return;
        if (!spooled_ && memory_.size() + n > memoryLimit_) {
            spool.open(spool_, std::ios::binary | std::ios::trunc);
            spooled_ = true;
            spool.write(reinterpret_cast<const char*>(memory_.data()), static_cast<std::streamsize>(memory_.size()));
            memory_.clear();
            memory_.shrink_to_fit();
        }
        if (spooled_)
            spool.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(n));
        else
            memory_.insert(memory_.end(), data, data + n);
    });
    // The compressed form is kept only while it stays smaller; the rest of
    // the member is still read for its CRC.
    while (const std::size_t n = in.next()) {
        if (tooLong)
            continue;
        encoder.Write(in.data(), n);
        tooLong = encoder.OutputSize() >= size_;
    }
    in.checkWhole();
    crc_ = in.crc();
    if (!tooLong) {
        encoder.Finish();
        tooLong = encoder.OutputSize() >= size_;
    }
    if (tooLong) {
        memory_.clear();
        memory_.shrink_to_fit();
        spool.close();
        dropSpool();
        packed_ = size_;
        return;
    }
    compressed_ = true;
    packed_ = encoder.OutputSize();
    spool.close();
    if (spooled_ && !spool)
        throw TLhaError("cannot write " + spool_.string());
}

std::uint64_t TLhaPackedMember::ArchiveSize() const
{
    return header().size() + packed_ + 1;
}

std::string TLhaPackedMember::header() const
{
    return levelTwoHeader(name_, compressed_ ? "-lh5-" : "-lh0-", static_cast<std::uint32_t>(packed_),
                          static_cast<std::uint32_t>(size_), time_, crc_);
}

void TLhaPackedMember::WriteTo(const Sink& sink) const
{
    const std::string h = header();
    sink(h.data(), h.size());
    if (compressed_ && !spooled_) {
        sink(memory_.data(), memory_.size());
    } else if (compressed_) {
        std::ifstream in(spool_, std::ios::binary);
        std::vector<char> buffer(BufferSize);
        std::uint64_t copied = 0;
        while (in) {
            in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
            const auto n = static_cast<std::size_t>(in.gcount());
            sink(buffer.data(), n);
            copied += n;
        }
        if (copied != packed_ || in.bad())
            throw TLhaError("cannot read " + spool_.string());
    } else {
        // The stored member is read again: it must not have changed since
        // its CRC was taken.
        MemberReader in(member_, size_);
        while (const std::size_t n = in.next())
            sink(in.data(), n);
        in.checkWhole();
        if (in.crc() != crc_)
            throw TLhaError("member changed while archived: " + member_.string());
    }
    sink("", 1);
}

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
    const TLhaPackedMember packed(member, memberName, archive.string() + ".spool");
    const fs::path temp = archive.string() + ".part";
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out)
        throw TLhaError("cannot write " + archive.string());
    std::error_code ec;
    try {
        packed.WriteTo([&](const void* data, std::size_t n) {
            out.write(static_cast<const char*>(data), static_cast<std::streamsize>(n));
        });
        out.close();
        if (!out)
            throw TLhaError("cannot write " + archive.string());
    } catch (...) {
        out.close();
        fs::remove(temp, ec);
        throw;
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
