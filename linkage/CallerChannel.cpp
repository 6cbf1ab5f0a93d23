#include "linkage/CallerChannel.h"

#include "foundation/app/AccConstants.h"
#include "foundation/app/SystemDef.h"
#include "foundation/calendar/DateText.h"
#include "platform/Folders.h"
#include "platform/Interaction.h"
#include "platform/LockedAppend.h"

#include <cerrno>
#include <cstring>
#include <exception>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace vq::linkage {

namespace fs = std::filesystem;

namespace {

// A line in the tool's log; a log that cannot be written is not worth
// stopping for.
void logLine(const std::string& text)
{
    try {
        const std::string line = FormatDateTime("yyyy/mm/dd hh:nn:ss", platform::interaction().now()) + " " +
                                 text + "\r\n";
        platform::appendFileLocked(CallerChannel::LogFile(), line);
    } catch (const std::exception&) {
    }
}

} // namespace

fs::path CallerChannel::SocketPath(std::int64_t caller)
{
    return platform::folders::runtime() / ("caller-" + std::to_string(caller));
}

fs::path CallerChannel::LogFile()
{
    // Before the start-up has filled the folders the log goes where it will be later.
    const fs::path logDir = SystemDef.LogDir.empty()
                                ? platform::folders::commonAppData() / BaseFolder / "log"
                                : fs::path(SystemDef.LogDir);
    std::error_code ec;
    fs::create_directories(logDir, ec);
    return logDir / "OvidalRendo.log";
}

bool CallerChannel::Disable()
{
    return Send("disable");
}

bool CallerChannel::EnableAndRaise()
{
    return Send("enable");
}

bool CallerChannel::Post(std::int32_t message, std::int32_t functionId, std::int32_t result)
{
    return Send("post " + std::to_string(message) + " " + std::to_string(functionId) + " " +
                std::to_string(result));
}

bool CallerChannel::Send(const std::string& text)
{
    if (caller_ == 0)
        return false;
    const std::string path = SocketPath(caller_).string();
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::string failure;
    if (path.size() >= sizeof address.sun_path) {
        failure = "path too long";
    } else {
        std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
        const int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        if (fd < 0) {
            failure = std::strerror(errno);
        } else {
            const ssize_t sent = ::sendto(fd, text.data(), text.size(), MSG_DONTWAIT | MSG_NOSIGNAL,
                                          reinterpret_cast<const sockaddr*>(&address), sizeof address);
            if (sent != static_cast<ssize_t>(text.size()))
                failure = std::strerror(errno);
            ::close(fd);
        }
    }
    if (failure.empty())
        return true;
    logLine("caller " + std::to_string(caller_) + " did not receive \"" + text + "\": " + failure);
    return false;
}

} // namespace vq::linkage
