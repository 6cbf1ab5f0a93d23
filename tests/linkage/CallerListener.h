#pragma once
// A test caller: listens on the datagram socket a calling program opens for
// the tool and collects what arrives.
#include "linkage/CallerChannel.h"

#include <cstdint>
#include <string>
#include <vector>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <stdexcept>

namespace vq::test {

class CallerListener {
public:
    explicit CallerListener(std::int64_t caller) : path_(linkage::CallerChannel::SocketPath(caller))
    {
        std::filesystem::remove(path_);
        fd_ = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const std::string p = path_.string();
        if (fd_ < 0 || p.size() >= sizeof address.sun_path)
            throw std::runtime_error("caller socket");
        std::memcpy(address.sun_path, p.c_str(), p.size() + 1);
        if (::bind(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
            throw std::runtime_error("bind " + p);
    }
    ~CallerListener()
    {
        ::close(fd_);
        std::error_code ec;
        std::filesystem::remove(path_, ec);
    }
    CallerListener(const CallerListener&) = delete;
    CallerListener& operator=(const CallerListener&) = delete;

    // Everything that has arrived so far.
    std::vector<std::string> received()
    {
        std::vector<std::string> messages;
        pollfd p{fd_, POLLIN, 0};
        while (::poll(&p, 1, 0) > 0) {
            char buf[512];
            const ssize_t n = ::recv(fd_, buf, sizeof buf, 0);
            if (n < 0)
                break;
            messages.emplace_back(buf, static_cast<std::size_t>(n));
        }
        return messages;
    }

private:
    std::filesystem::path path_;
    int fd_ = -1;
};

} // namespace vq::test
