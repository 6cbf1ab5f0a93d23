#include "foundation/files/BufFileStream.h"

#include "foundation/files/FileErrors.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string>

#include <fcntl.h>
#include <unistd.h>

namespace vq {
namespace {

[[noreturn]] void fail(const char* format, const std::filesystem::path& file, int err)
{
    std::string message = format;
    message.replace(message.find("%s"), 2, file.string());
    throw EFileStreamError(message + std::strerror(err));
}

} // namespace

TBufFileStream::TBufFileStream(const std::filesystem::path& file, std::uint8_t bufferKB, std::uint16_t mode)
    : file_(file), buffer_(static_cast<std::size_t>(bufferKB) * 1024)
{
    int access = mode & 0x0003;
    int flags = access == fmOpenWrite ? O_WRONLY : access == fmOpenReadWrite ? O_RDWR : O_RDONLY;
    fd_ = ::open(file.c_str(), flags | O_CLOEXEC);
    if (fd_ < 0)
        fail("ファイル \"%s\" を開けません。", file, errno);
}

TBufFileStream::~TBufFileStream()
{
    if (fd_ >= 0)
        ::close(fd_);
}

std::int64_t TBufFileStream::Read(void* buffer, std::int64_t count)
{
    if (count <= 0)
        return 0;
    if (static_cast<std::uint64_t>(count) > buffer_.size())
        throw std::runtime_error("バッファの大きさを越えています。");
    auto wanted = static_cast<std::size_t>(count);
    if (valid_ - readPos_ < wanted) {
        std::size_t unread = valid_ - readPos_;
        std::memmove(buffer_.data(), buffer_.data() + readPos_, unread);
        std::size_t filled = unread;
        // Fill the whole buffer unless the file ends first.
        while (filled < buffer_.size()) {
            ssize_t n = ::read(fd_, buffer_.data() + filled, buffer_.size() - filled);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                fail("ファイル \"%s\" を読み込めません。", file_, errno);
            if (n == 0)
                break;
            filled += static_cast<std::size_t>(n);
        }
        valid_ = filled;
        readPos_ = 0;
        if (valid_ == 0)
            return 0;
        if (valid_ < wanted)
            wanted = valid_;
    }
    std::memcpy(buffer, buffer_.data() + readPos_, wanted);
    readPos_ += wanted;
    position_ += static_cast<std::int64_t>(wanted);
    return static_cast<std::int64_t>(wanted);
}

std::int64_t TBufFileStream::Write(const void* buffer, std::int64_t count)
{
    std::int64_t written = 0;
    const char* bytes = static_cast<const char*>(buffer);
    while (written < count) {
        ssize_t n = ::write(fd_, bytes + written, static_cast<std::size_t>(count - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            fail("ファイル \"%s\" に書き込めません。", file_, errno);
        written += n;
    }
    return written;
}

std::int64_t TBufFileStream::Seek(std::int64_t offset, Origin origin)
{
    int whence = SEEK_SET;
    if (origin == soCurrent)
        offset += position_;
    else if (origin == soEnd)
        whence = SEEK_END;
    off_t at = ::lseek(fd_, static_cast<off_t>(offset), whence);
    if (at < 0)
        fail("ファイル \"%s\" の位置を変更できません。", file_, errno);
    valid_ = 0;
    readPos_ = 0;
    position_ = static_cast<std::int64_t>(at);
    return position_;
}

} // namespace vq
