#pragma once
// The way back to the program that started the tool. The caller names a
// number N in the tool's argument and listens on the Unix datagram socket
// "caller-N" in the per-user runtime folder; the tool sends it one text per
// datagram:
//   "disable"                       the tool runs: keep your window inactive
//   "enable"                        the tool is done: enable your window and bring it to front
//   "post <message> <function id> <result>"
//                                   the outcome, result 0 done, 1 cancelled, 2 failed
// A caller that does not listen (or no longer does) loses nothing the tool
// needs: the tool goes on and writes a line to its log.
#include <cstdint>
#include <filesystem>
#include <string>

namespace vq::linkage {

class CallerChannel {
public:
    // caller 0: stand-alone, nothing is ever sent.
    explicit CallerChannel(std::int64_t caller = 0) : caller_(caller) {}

    std::int64_t caller() const { return caller_; }
    // The socket a caller listens on.
    static std::filesystem::path SocketPath(std::int64_t caller);

    // Each returns whether the caller received the message.
    bool Disable();
    bool EnableAndRaise();
    bool Post(std::int32_t message, std::int32_t functionId, std::int32_t result);

    // Sends one datagram; false (and a line in the log) when no one listens.
    bool Send(const std::string& text);

    // The tool's log of undelivered messages.
    static std::filesystem::path LogFile();

private:
    std::int64_t caller_;
};

} // namespace vq::linkage
