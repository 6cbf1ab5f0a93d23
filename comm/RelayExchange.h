#pragma once
// One request to the relay server over TLS: connect, send the request lines,
// read the reply as raw lines (a line ends at LF; a CR before it is dropped)
// counted from the first non-empty line, and close. The reply is read by
// position, not as an HTTP reply, so the exchange runs on a raw TLS stream.
//
// TLS 1.2 or later, the certificate checked against the system's store (or
// the settings' CA file) and the relay host's name. The connect and the TLS
// handshake together end within the connect time-out, the whole reply within
// the read time-out. The legacy setting admits TLS 1.0 and 1.1 servers and
// notes each such connection in the log.
#include "comm/CommSettings.h"
#include "comm/RelayRequest.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace vq::comm {

enum class TRelayFault {
    Connect,   // no host, name unknown, refused or not reached in time
    Tls,       // handshake refused: certificate, host name, protocol version
    Timeout,   // the reply did not come in time
    Closed,    // the server closed before the reply was complete
    Protocol   // the reply broke the limits (overlong)
};

struct TRelayError : std::runtime_error {
    TRelayError(TRelayFault fault, const std::string& what) : std::runtime_error(what), Fault(fault) {}
    TRelayFault Fault;
};

// Reply lines from the first non-empty one: Line(1) is reply line 1.
struct TRelayReply {
    std::vector<std::string> Lines;
    // All the lines asked for came; false when the server closed after the
    // status line but before the rest (an error reply is short).
    bool Complete = true;

    // Line n (1-based); empty when the reply has no such line.
    std::string Line(int n) const;
    // Line n from character k (1-based) to its end; empty when shorter.
    std::string From(int n, int k) const;
    // Characters 11 to 13 of line n (fewer when the line is short).
    std::string Status(int n) const;
};

class TRelayExchange {
public:
    explicit TRelayExchange(TCommSettings settings);

    // Builds the request (TRelayValueRefused before any connection), sends it
    // and reads request.ReplyLines lines, of which at least the status line
    // must come. Throws TRelayError.
    TRelayReply Run(const TRelayRequest& request) const;
    // The raw exchange of bytes: reads up to lines reply lines, at least required.
    TRelayReply Exchange(const std::string& bytes, int lines, int required) const;

    const TCommSettings& Settings() const { return settings_; }

private:
    TCommSettings settings_;
};

} // namespace vq::comm
