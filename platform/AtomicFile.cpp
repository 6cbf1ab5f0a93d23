#include "platform/AtomicFile.h"

#include <cerrno>
#include <cstdlib>
#include <string>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vq::platform {
namespace {

[[noreturn]] void fail(int err, const std::string& what, const std::filesystem::path& file)
{
    throw std::system_error(err, std::generic_category(), what + " " + file.string());
}

// Closes and removes the temporary unless the rename took it over.
struct Temporary {
    std::string path;
    int fd = -1;
    bool renamed = false;
    ~Temporary()
    {
        if (fd >= 0)
            ::close(fd);
        if (!renamed && !path.empty())
            ::unlink(path.c_str());
    }
};

} // namespace

void writeFileAtomically(const std::filesystem::path& link, std::string_view bytes)
{
    // A file reached through a symbolic link is replaced where it lives; the
    // link stays a link.
    std::filesystem::path file = link;
    std::error_code linkError;
    if (std::filesystem::is_symlink(link, linkError)) {
        auto target = std::filesystem::weakly_canonical(link, linkError);
        if (!linkError)
            file = target;
    }
    std::filesystem::path folder = file.parent_path();
    if (folder.empty())
        folder = ".";
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec)
        fail(ec.value(), "cannot create folder for", file);

    // A new file gets the usual 0666 less umask; a replaced one keeps its mode.
    mode_t mode = 0644;
    struct stat existing {};
    if (::stat(file.c_str(), &existing) == 0)
        mode = existing.st_mode & 07777;

    Temporary tmp;
    std::string pattern = (folder / ("." + file.filename().string() + ".tmp-XXXXXX")).string();
    tmp.fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (tmp.fd < 0)
        fail(errno, "cannot create a temporary file for", file);
    tmp.path = pattern;

    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(tmp.fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail(errno, "cannot write", file);
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    if (::fchmod(tmp.fd, mode) != 0)
        fail(errno, "cannot set the mode of", file);
    if (::fsync(tmp.fd) != 0)
        fail(errno, "cannot flush", file);
    int fd = tmp.fd;
    tmp.fd = -1;
    if (::close(fd) != 0)
        fail(errno, "cannot close", file);
    if (::rename(tmp.path.c_str(), file.c_str()) != 0)
        fail(errno, "cannot replace", file);
    tmp.renamed = true;

    // Make the rename itself durable.
    int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
}

} // namespace vq::platform
