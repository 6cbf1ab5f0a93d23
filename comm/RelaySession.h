#pragma once
// The requests of the cloud share as the communication screen sends them,
// with the operator's messages: the slot listing into the server table, the
// share state of a slot (1730), the deletion of a cloud slot (1753) and the
// take of a slot (1833). The session keeps the caller's identity and client
// names and the last listing; each request opens its own connection.
#include "comm/CommSettings.h"
#include "comm/RelayExchange.h"
#include "comm/RelayRequest.h"
#include "comm/ServerTable.h"

#include <cstdint>
#include <exception>
#include <string>

namespace vq::comm {

// "　" CR LF text CR LF " ": how most messages of the communication screens look.
std::string Framed(const std::string& text);
// heading + the error's class name + " error , with message : " + its message.
std::string ExceptionReport(const std::string& heading, const std::exception& e);

// Status messages of the listing and the share state.
inline constexpr const char* UnknownCommIdMessage = "サーバーに接続出来ません、通信IDを確認して下さい。";
inline constexpr const char* NoConnectionMessage = "サーバーに接続出来ません。";
std::string ServerErrorMessage(const std::string& status);

class TRelaySession {
public:
    explicit TRelaySession(TCommSettings settings);

    TCommSettings Settings;
    TRelayCaller Caller;            // InstallationId and the data set's communication ID
    std::string OperatorNo;         // four digits
    std::string OperatorText;       // OperatorNo + name
    std::string OperatorParam;      // coded and escaped
    std::string ComputerText;
    std::string ComputerParam;
    TServerTable Table;
    std::string ServerTimeText;     // raw time of the last take or cloud-send completion
    double ServerUpdateTime = 0;

    // The client names of the relay requests from the operator code (group ×
    // 10000 + number), the operator's name and this computer's name.
    void MakeClientNames(std::int32_t operatorCode, const std::string& operatorName,
                         const std::string& computerName);

    // Listing (1720 or 1725): true when the status was "000" and the whole
    // listing was read; false after its message.
    bool GetServerInfo(const TRelayRequest& listing, bool eraDisplay);
    // 1730 for slot: true at "000"; any other status shows its message and
    // gives false. Connection and reading errors are thrown (TRelayError,
    // TRelayValueRefused); the caller reports them.
    bool NotifyShareState(std::int32_t slot, std::int32_t state);
    // 1753 for slot: the status (throws as NotifyShareState, shows nothing).
    std::string DeleteCloudSlot(std::int32_t slot);
    // 1833 for slot: the status; at "000" the server's time is kept in
    // ServerTimeText, Table.SlotUpdateTime[0] and ServerUpdateTime. A time
    // that is not a time throws std::runtime_error.
    std::string TakeCloudSlot(std::int32_t slot);
    // 1823 for send.Slot: the status; at "000" the server's time is kept as
    // after TakeCloudSlot and the slot's start-of-use cells become "-".
    std::string CompleteCloudSend(const TSendCompletion& send);
    // Whether the listed slot is in use by another operator or computer
    // (state "2" with a user or computer that is not this caller's).
    bool HeldByOther(std::int32_t slot) const;

    TRelayReply Run(const TRelayRequest& request) const;
};

// The 1833 time text (year 1-4, month 6-7, day 9-10, hour 12-13, minute
// 15-16, second 18-19) as a day number; std::runtime_error when it is none.
double ParseTakeTime(const std::string& text);
// The 1823 time text, 14 digits yyyymmddhhnnss.
double ParseSendCompleteTime(const std::string& text);

} // namespace vq::comm
