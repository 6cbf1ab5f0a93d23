#include "foundation/files/FileMarker.h"

#include "foundation/files/BufFileStream.h"
#include "foundation/files/FileErrors.h"
#include "platform/Cp932.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace vq {
namespace {

constexpr std::size_t TrailerTextBytes = 512;
constexpr std::size_t MaxBlockSize = 64 * 1024; // well inside the read-ahead buffer

} // namespace

bool SameBytes(const void* a, const void* b, std::size_t len)
{
    return len == 0 || std::memcmp(a, b, len) == 0;
}

std::int64_t FindFileMarker(const std::filesystem::path& file, const std::string& marker, std::string& text,
                            std::size_t blockSize)
{
    text.clear();
    const std::string needle = platform::cp932::fromUtf8(marker);
    if (needle.empty())
        return -1;
    blockSize = std::clamp<std::size_t>(blockSize, 1, MaxBlockSize);
    // A large read-ahead: a backup runs to gigabytes, and each refill is a system call.
    constexpr std::uint8_t bufferKB = 255;
    TBufFileStream stream(file, bufferKB, TBufFileStream::fmOpenRead | TBufFileStream::fmShareDenyNone);

    // The window holds the last needle-1 bytes of what came before, then the
    // block just read; only bytes actually read are ever searched, so a marker
    // that straddles two blocks is found and stale bytes never are.
    const std::size_t keep = needle.size() - 1;
    std::vector<char> window(keep + blockSize);
    std::size_t carried = 0;
    std::int64_t windowStart = 0; // file offset of window[0]
    bool atZero = false;
    std::int64_t found = -1;
    for (;;) {
        std::int64_t n = stream.Read(window.data() + carried, static_cast<std::int64_t>(blockSize));
        if (n <= 0)
            break;
        std::string_view data(window.data(), carried + static_cast<std::size_t>(n));
        for (std::size_t at = data.find(needle); at != std::string_view::npos; at = data.find(needle, at + 1)) {
            std::int64_t offset = windowStart + static_cast<std::int64_t>(at);
            if (offset > 0) {
                found = offset;
                break;
            }
            atZero = true;
        }
        if (found > 0)
            break;
        std::size_t tail = std::min(keep, data.size());
        std::memmove(window.data(), data.data() + data.size() - tail, tail);
        windowStart += static_cast<std::int64_t>(data.size() - tail);
        carried = tail;
    }
    if (found <= 0)
        return atZero ? 0 : -1;

    stream.Seek(found, TBufFileStream::soBeginning);
    std::string bytes(TrailerTextBytes, '\0');
    std::int64_t got = stream.Read(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(std::max<std::int64_t>(got, 0)));
    if (auto zero = bytes.find('\0'); zero != std::string::npos)
        bytes.resize(zero);
    text = platform::cp932::toUtf8(bytes);
    return found;
}

std::int64_t ExtractFileTrailer(const std::filesystem::path& file, const std::string& marker, std::string& text,
                                bool cut)
{
    std::int64_t at = FindFileMarker(file, marker, text);
    if (at > 0 && cut)
        std::filesystem::resize_file(file, static_cast<std::uintmax_t>(at));
    return at;
}

void AppendTextToFile(const std::filesystem::path& file, const std::string& text)
{
    int fd = ::open(file.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (fd < 0)
        throw EFileStreamError("ファイル \"" + file.string() + "\" を開けません。" + std::strerror(errno));
    const std::string bytes = platform::cp932::fromUtf8(text);
    std::size_t written = 0;
    int err = 0;
    while (written < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            err = errno;
            break;
        }
        written += static_cast<std::size_t>(n);
    }
    if (err == 0 && ::fsync(fd) != 0)
        err = errno;
    ::close(fd);
    if (err != 0)
        throw EFileStreamError("ファイル \"" + file.string() + "\" に書き込めません。" + std::strerror(err));
}

std::int64_t GetFileSize64(const std::filesystem::path& file)
{
    std::error_code ec;
    auto status = std::filesystem::status(file, ec);
    if (status.type() == std::filesystem::file_type::not_found)
        return 0;
    if (ec)
        return -1;
    if (!std::filesystem::is_regular_file(status))
        return 0;
    auto size = std::filesystem::file_size(file, ec);
    return ec ? -1 : static_cast<std::int64_t>(size);
}

} // namespace vq
