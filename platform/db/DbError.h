#pragma once
// The one exception of the database layer. It carries what the error log and
// the operator message need: the Firebird error code of the status vector
// (the first gds code, e.g. 335544344 for an I/O error), the SQL code and the
// formatted message (UTF-8), plus every gds code of the vector for the
// predicates below.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace vq::db {

class DbError : public std::runtime_error {
public:
    // errorCode 0 means an error of the wrapper itself (wrong use, unknown
    // field name, no charset...), not one that the server reported.
    DbError(std::string message, std::int64_t errorCode = 0, int sqlCode = 0,
            std::vector<std::int64_t> codes = {});

    // First gds code of the status vector (IBX: IBErrorCode); 0 for wrapper errors.
    std::int64_t errorCode() const { return errorCode_; }
    // isc_sqlcode of the status vector (e.g. -901, -913); 0 when none.
    int sqlCode() const { return sqlCode_; }
    // The formatted message, lines separated by '\n' (same text as what()).
    const std::string& message() const { return message_; }
    // Every gds code of the status vector, in order.
    const std::vector<std::int64_t>& codes() const { return codes_; }
    bool hasCode(std::int64_t code) const;

    // The connection to the database (server) is gone: network error, read or
    // write error on the wire, connection lost, database or attachment shut
    // down. The data module treats these as fatal.
    bool isLostConnection() const;
    // Another transaction holds the row or table: lock conflict, deadlock,
    // update conflict (also with "no wait" transactions).
    bool isLockConflict() const;
    // Internal consistency check failed (isc_bug_check), also fatal.
    bool isInternalConsistency() const;
    // The server took the connection and gave no answer within the connect
    // time-out. The client library reports this as a rejected connection;
    // the attachment tells the two apart by the time the attempt took.
    bool isConnectTimeout() const { return connectTimeout_; }
    void setConnectTimeout(bool value) { connectTimeout_ = value; }

private:
    std::string message_;
    std::int64_t errorCode_ = 0;
    int sqlCode_ = 0;
    std::vector<std::int64_t> codes_;
    bool connectTimeout_ = false;
};

// Firebird error codes that callers name (the values of iberror.h, so that
// callers need no Firebird header).
namespace gds {
inline constexpr std::int64_t badDpbContent = 335544325;   // bad database parameter / unknown file
inline constexpr std::int64_t bugCheck = 335544333;
inline constexpr std::int64_t deadlock = 335544336;
inline constexpr std::int64_t ioError = 335544344;         // file input/output error
inline constexpr std::int64_t ioOpenError = 335544734;     // ... during "open" (follows ioError)
inline constexpr std::int64_t lockConflict = 335544345;
inline constexpr std::int64_t updateConflict = 335544451;
inline constexpr std::int64_t connectReject = 335544421;  // connection rejected by remote interface
inline constexpr std::int64_t shutdown = 335544528;
inline constexpr std::int64_t connLost = 335544648;
inline constexpr std::int64_t networkError = 335544721;
inline constexpr std::int64_t netConnectError = 335544722;
inline constexpr std::int64_t netReadError = 335544726;
inline constexpr std::int64_t netWriteError = 335544727;
inline constexpr std::int64_t lostDbConnection = 335544741;
inline constexpr std::int64_t attShutdown = 335544856;
} // namespace gds

} // namespace vq::db
