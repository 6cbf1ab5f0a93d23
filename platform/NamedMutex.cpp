#include "platform/NamedMutex.h"

#include "platform/Folders.h"

#include <cerrno>
#include <functional>
#include <mutex>
#include <set>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace vq::platform {
namespace {

// flock belongs to the open file description, so a second descriptor in this
// process would not see our own lock as taken; the names held here are kept
// aside and answered without asking the kernel.
std::mutex& heldMutex()
{
    static std::mutex m;
    return m;
}

std::set<std::string>& heldNames()
{
    static std::set<std::string> names;
    return names;
}

// Windows names may hold '\' ("Global\\App") and anything but NUL; a file
// name may not hold '/', and very long ones would exceed NAME_MAX.
std::string fileNameOf(const std::string& name)
{
    std::string out;
    for (unsigned char c : name)
        out += (c == '/' || c == '\\' || c < 0x20 || c == 0x7F) ? '_' : static_cast<char>(c);
    if (out.empty() || out == "." || out == "..")
        out = "_" + out;
    if (out.size() > 180)
        out = out.substr(0, 160) + "-" + std::to_string(std::hash<std::string>{}(name));
    return out + ".lock";
}

std::filesystem::path lockFile(const std::string& name)
{
    return folders::runtime() / fileNameOf(name);
}

} // namespace

NamedMutex::NamedMutex(std::string name, int fd) : name_(std::move(name)), fd_(fd) {}

NamedMutex::~NamedMutex()
{
    // The lock file stays: removing it would let a process that already opened
    // it lock a file no one else can see.
    // Unlocked before the name is forgotten: a thread of this process that
    // asks right after must find the file free, not still locked by us.
    std::lock_guard lock(heldMutex());
    ::close(fd_); // releases the flock
    heldNames().erase(fileNameOf(name_));
}

std::unique_ptr<NamedMutex> NamedMutex::tryCreate(const std::string& name)
{
    const std::string key = fileNameOf(name);
    std::lock_guard lock(heldMutex());
    if (heldNames().count(key))
        return nullptr;
    const auto file = lockFile(name);
    int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        throw std::system_error(errno, std::generic_category(), "cannot open " + file.string());
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        int err = errno;
        if (err == EINTR)
            continue;
        ::close(fd);
        if (err == EWOULDBLOCK)
            return nullptr;
        throw std::system_error(err, std::generic_category(), "cannot lock " + file.string());
    }
    heldNames().insert(key);
    return std::unique_ptr<NamedMutex>(new NamedMutex(name, fd));
}

bool NamedMutex::exists(const std::string& name)
{
    const std::string key = fileNameOf(name);
    std::lock_guard lock(heldMutex());
    if (heldNames().count(key))
        return true;
    const auto file = lockFile(name);
    int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false; // never created: nobody holds it
    bool held = false;
    while (true) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            ::flock(fd, LOCK_UN);
            break;
        }
        if (errno == EINTR)
            continue;
        held = errno == EWOULDBLOCK;
        break;
    }
    ::close(fd);
    return held;
}

} // namespace vq::platform
