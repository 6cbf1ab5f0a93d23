#pragma once
// A read-only file stream with a read-ahead buffer: many small reads (the
// marker search reads 512 bytes at a time) cost one system call per buffer.
// Positions are 64-bit, so files of 2 GiB and more are read correctly.
#include <cstdint>
#include <filesystem>
#include <vector>

namespace vq {

class TBufFileStream {
public:
    // Open modes as the file streams number them; sharing flags (0x10..0x40)
    // are accepted and have no meaning here.
    enum Mode : std::uint16_t {
        fmOpenRead = 0x0000,
        fmOpenWrite = 0x0001,
        fmOpenReadWrite = 0x0002,
        fmShareDenyNone = 0x0040,
    };
    enum Origin : std::uint16_t { soBeginning = 0, soCurrent = 1, soEnd = 2 };

    // Opens file (EFileStreamError when it cannot) with a buffer of
    // bufferKB * 1024 bytes.
    TBufFileStream(const std::filesystem::path& file, std::uint8_t bufferKB, std::uint16_t mode = fmOpenRead);
    ~TBufFileStream();
    TBufFileStream(const TBufFileStream&) = delete;
    TBufFileStream& operator=(const TBufFileStream&) = delete;

    // Up to count bytes into buffer; 0 at the end of the file. A count larger
    // than the buffer throws std::runtime_error "バッファの大きさを越えています。".
    std::int64_t Read(void* buffer, std::int64_t count);
    // Writes straight to the file at the file's own position; the buffer and
    // the logical position are not touched.
    std::int64_t Write(const void* buffer, std::int64_t count);
    // Positions the file (a current-relative offset counts from the logical
    // position), empties the buffer and returns the new position.
    std::int64_t Seek(std::int64_t offset, Origin origin);

    // The position in the file of the next byte Read hands out.
    std::int64_t Position() const { return position_; }
    std::size_t BufferSize() const { return buffer_.size(); }

private:
    int fd_ = -1;
    std::filesystem::path file_;
    std::vector<char> buffer_;
    std::size_t readPos_ = 0; // bytes of the buffer already handed out
    std::size_t valid_ = 0;   // valid bytes in the buffer
    std::int64_t position_ = 0;
};

} // namespace vq
