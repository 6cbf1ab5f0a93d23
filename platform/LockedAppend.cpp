#include "platform/LockedAppend.h"

#include <cerrno>
#include <string>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vq::platform {
namespace {

[[noreturn]] void fail(int err, const std::string& what, const std::filesystem::path& file)
{
    throw std::system_error(err, std::generic_category(), what + " " + file.string());
}

struct Descriptor {
    int fd = -1;
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd); // also releases the lock
    }
};

int lockExclusive(int fd)
{
    int rc;
    do
        rc = ::flock(fd, LOCK_EX);
    while (rc != 0 && errno == EINTR);
    return rc;
}

// True when path still names the file open on fd: a file renamed away or
// replaced while this process waited for the lock must not take the record.
bool stillNamed(int fd, const std::filesystem::path& path)
{
    struct stat open {};
    struct stat named {};
    return ::fstat(fd, &open) == 0 && ::stat(path.c_str(), &named) == 0 && open.st_dev == named.st_dev
        && open.st_ino == named.st_ino;
}

bool writeAll(int fd, std::string_view bytes, int& err)
{
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            err = errno;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

void appendFileLocked(const std::filesystem::path& file, std::string_view bytes)
{
    // A file replaced by another program between the open and the lock is
    // opened again, a few times at most.
    for (int attempt = 0;; ++attempt) {
        Descriptor d;
        d.fd = ::open(file.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
        if (d.fd < 0)
            fail(errno, "cannot open", file);
        if (lockExclusive(d.fd) != 0)
            fail(errno, "cannot lock", file);
        if (!stillNamed(d.fd, file) && attempt < 5)
            continue;

        struct stat before {};
        if (::fstat(d.fd, &before) != 0)
            fail(errno, "cannot read the size of", file);
        int err = 0;
        if (!writeAll(d.fd, bytes, err) || ::fsync(d.fd) != 0) {
            if (err == 0)
                err = errno;
            // Take back a record written in part (a full disk): the next
            // record must not start in the middle of this one.
            [[maybe_unused]] const int undone = ::ftruncate(d.fd, before.st_size);
            fail(err, "cannot append to", file);
        }
        return;
    }
}

} // namespace vq::platform
