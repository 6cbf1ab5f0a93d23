#pragma once
// The request lines of the relay server. Every request is one line
//   GET /request.php?Scode=NNNN&sSno=<installation>&sFName=<communication ID>[&key=value...] HTTP/1.0
// followed by the Host, User-Agent and Connection lines and an extra blank
// line. Texts that may hold Japanese travel as Base64 of their CP932 bytes
// with "+" and "=" escaped; the installation identifier, the communication
// ID and the communication password go into the line as they are, so a
// value that is not plain letters and digits is refused before anything is
// sent (it could otherwise add parameters or end the request early).
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vq::comm {

// A value refused before the request was built; what() is the message shown.
struct TRelayValueRefused : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The message of a refused identifier or password.
inline constexpr const char* RelayValueRefusedMessage =
    "通信ID・パスワード・識別番号は半角英数字で設定して下さい。";

// Who sends: the installation identifier (sSno) and the communication ID (sFName).
struct TRelayCaller {
    std::string InstallationId;
    std::string CommId;
};

// The values a request carries after sFName, in order.
using TRelayParams = std::vector<std::pair<std::string, std::string>>;

struct TRelayRequest {
    std::string Code;          // four digits
    TRelayCaller Caller;
    TRelayParams Params;
    // Reply lines to read after the first non-empty one (the exchange fails
    // when the server closes before they came).
    int ReplyLines = 5;
    // Line of the status (1-based); its characters 11 to 13.
    int StatusLine = 5;
};

// "+" becomes "%2b" and "=" "%3d"; everything else stays.
std::string EscapeUrlParam(std::string_view text);
// A UTF-8 text as the relay server takes it: CP932, broken double-byte
// characters made blanks, Base64, escaped.
std::string EncodeRelayText(std::string_view utf8);
// A Base64 value of the server as UTF-8 text (CP932 inside).
std::string DecodeRelayText(std::string_view base64);
// Slot n on the wire: "0" + n, its rightmost two characters ("03", "10").
std::string SlotText(std::int32_t slot);
// A day number as yyyymmdd followed by "0000".
std::string RelayDateText(double date);
// "%2.2d%2.2d" of a major and minor version.
std::string RelayVersionText(std::int32_t major, std::int32_t minor);
// True when text is empty or only ASCII letters and digits.
bool IsPlainValue(std::string_view text);

// The request line (without CR LF); throws TRelayValueRefused.
std::string RequestLine(const TRelayRequest& request);
// The five lines sent to host, each ending in CR LF.
std::string RequestBytes(const TRelayRequest& request, const std::string& host);

// --- one builder per operation -------------------------------------------------
// 1720: relay listing ("&sTRKubn=10" with the edition flag).
TRelayRequest RelayListingRequest(const TRelayCaller& caller, bool editionFlag);
// 1720: cash-book listing (caller with the cash-book ID).
TRelayRequest CashBookListingRequest(const TRelayCaller& caller);
// 1725: cloud-share listing; "&sTRKubn=10" with the edition flag, else
// "&sRendou=1" for linked use (analysis product or automatic), else "&sRendou=0".
TRelayRequest CloudListingRequest(const TRelayCaller& caller, bool editionFlag, bool linked);
// 1730: a cloud slot's share state (1 free, 2 in use).
TRelayRequest ShareStateRequest(const TRelayCaller& caller, std::int32_t slot, std::int32_t state,
                                const std::string& operatorParam, const std::string& computerParam);
// 1750: delete a relay or cash-book slot; 1753: delete a cloud-share slot.
TRelayRequest DeleteRelaySlotRequest(const TRelayCaller& caller, std::int32_t slot);
TRelayRequest DeleteCloudSlotRequest(const TRelayCaller& caller, std::int32_t slot);

// The values of a completed send.
struct TSendCompletion {
    std::int32_t Slot = 0;
    std::string Name;        // data name (relay, cloud) or company name (cash book), UTF-8
    std::int32_t Nendo = 0;
    double Kishu = 0;
    double Kimatu = 0;
    std::string Password;    // communication password, plain letters and digits
    std::string Version;     // RelayVersionText
};
// 1810 cash-book, 1820 relay, 1823 cloud-share send complete.
TRelayRequest CashBookSendCompleteRequest(const TRelayCaller& caller, const TSendCompletion& send);
TRelayRequest RelaySendCompleteRequest(const TRelayCaller& caller, const TSendCompletion& send);
TRelayRequest CloudSendCompleteRequest(const TRelayCaller& caller, const TSendCompletion& send,
                                       const std::string& operatorParam, const std::string& computerParam);
// 1830: relay receive complete.
TRelayRequest ReceiveCompleteRequest(const TRelayCaller& caller, std::int32_t slot);
// 1833: take a cloud-share slot.
TRelayRequest TakeCloudSlotRequest(const TRelayCaller& caller, std::int32_t slot,
                                   const std::string& operatorParam, const std::string& computerParam);

} // namespace vq::comm
