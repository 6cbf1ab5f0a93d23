#pragma once
// Named mutexes across processes of one user: a lock on a file of that name in
// the per-user runtime folder. The lock is held while the owning object (and
// so the process) lives; the kernel drops it when the process dies.
#include <memory>
#include <string>

namespace vq::platform {

class NamedMutex {
public:
    // Creates and holds the mutex; nullptr when it is held already (by another
    // process, or by this one as CreateMutex reports ERROR_ALREADY_EXISTS).
    // Throws std::system_error when the lock file cannot be opened.
    static std::unique_ptr<NamedMutex> tryCreate(const std::string& name);
    // Whether any process (this one included) holds the mutex now.
    static bool exists(const std::string& name);

    ~NamedMutex();
    NamedMutex(const NamedMutex&) = delete;
    NamedMutex& operator=(const NamedMutex&) = delete;

    const std::string& name() const { return name_; }

private:
    NamedMutex(std::string name, int fd);
    std::string name_;
    int fd_;
};

} // namespace vq::platform
