#include "comm/RelayRequest.h"

#include "comm/PzConv.h"
#include "foundation/calendar/DayNumber.h"
#include "foundation/text/TextUtils.h"
#include "platform/Cp932.h"

#include <cstdio>

namespace vq::comm {

namespace {

// Listing replies: status on line 5, then the FTP host and password, a line
// left unread, and ten blocks of slot lines.
constexpr int ListingHeadLines = 8;

TRelayRequest make(const char* code, const TRelayCaller& caller, TRelayParams params, int replyLines,
                   int statusLine)
{
    TRelayRequest r;
    r.Code = code;
    r.Caller = caller;
    r.Params = std::move(params);
    r.ReplyLines = replyLines;
    r.StatusLine = statusLine;
    return r;
}

TRelayRequest statusOnly(const char* code, const TRelayCaller& caller, TRelayParams params)
{
    return make(code, caller, std::move(params), 5, 5);
}

TRelayRequest timeAndStatus(const char* code, const TRelayCaller& caller, TRelayParams params)
{
    return make(code, caller, std::move(params), 6, 6);
}

TRelayParams completionParams(const TSendCompletion& send)
{
    return {{"fSname", SlotText(send.Slot)},
            {"fSg", EncodeRelayText(send.Name)},
            {"fNe", std::to_string(send.Nendo)},
            {"fKis", RelayDateText(send.Kishu)},
            {"fKie", RelayDateText(send.Kimatu)},
            {"fPa", send.Password},
            {"fYobi", send.Version}};
}

} // namespace

std::string EscapeUrlParam(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '+')
            out += "%2b";
        else if (c == '=')
            out += "%3d";
        else
            out += c;
    }
    return out;
}

std::string EncodeRelayText(std::string_view utf8)
{
    return EscapeUrlParam(TxPzConv::EncodeBase64(FixCutSjis(platform::cp932::fromUtf8(utf8))));
}

std::string DecodeRelayText(std::string_view base64)
{
    return platform::cp932::toUtf8(TxPzConv::DecodeBase64(base64));
}

std::string SlotText(std::int32_t slot)
{
    const std::string text = "0" + std::to_string(slot);
    return text.substr(text.size() - 2);
}

std::string RelayDateText(double date)
{
    const CivilDate d = decodeDate(date);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d%02d%02d0000", d.year, d.month, d.day);
    return buf;
}

std::string RelayVersionText(std::int32_t major, std::int32_t minor)
{
    char buf[24];
    std::snprintf(buf, sizeof buf, "%2.2d%2.2d", major, minor);
    return buf;
}

bool IsPlainValue(std::string_view text)
{
    for (char c : text)
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')))
            return false;
    return true;
}

std::string RequestLine(const TRelayRequest& request)
{
    if (!IsPlainValue(request.Caller.InstallationId) || !IsPlainValue(request.Caller.CommId))
        throw TRelayValueRefused(RelayValueRefusedMessage);
    std::string line = "GET /request.php?Scode=" + request.Code + "&sSno=" + request.Caller.InstallationId +
                       "&sFName=" + request.Caller.CommId;
    for (const auto& [key, value] : request.Params) {
        // The password goes in as typed; every other value is digits or
        // escaped Base64, which holds nothing beyond letters, digits, "/" and "%".
        const bool safe = key == "fPa" ? IsPlainValue(value)
                                       : value.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                                                                 "0123456789/%") == std::string::npos;
        if (!safe)
            throw TRelayValueRefused(RelayValueRefusedMessage);
        line += "&" + key + "=" + value;
    }
    return line + " HTTP/1.0";
}

std::string RequestBytes(const TRelayRequest& request, const std::string& host)
{
    return RequestLine(request) + "\r\nHost: " + host + "\r\nUser-Agent: Corvane\r\nConnection: Close\r\n\r\n\r\n";
}

TRelayRequest RelayListingRequest(const TRelayCaller& caller, bool editionFlag)
{
    TRelayParams p;
    if (editionFlag)
        p.emplace_back("sTRKubn", "10");
    return make("1720", caller, std::move(p), ListingHeadLines + 10 * 9, 5);
}

TRelayRequest CashBookListingRequest(const TRelayCaller& caller)
{
    return make("1720", caller, {{"sTRKubn", "2"}}, ListingHeadLines + 10 * 9, 5);
}

TRelayRequest CloudListingRequest(const TRelayCaller& caller, bool editionFlag, bool linked)
{
    TRelayParams p;
    if (editionFlag)
        p.emplace_back("sTRKubn", "10");
    else
        p.emplace_back("sRendou", linked ? "1" : "0");
    return make("1725", caller, std::move(p), ListingHeadLines + 10 * 12, 5);
}

TRelayRequest ShareStateRequest(const TRelayCaller& caller, std::int32_t slot, std::int32_t state,
                                const std::string& operatorParam, const std::string& computerParam)
{
    return statusOnly("1730", caller,
                      {{"fSname", SlotText(slot)},
                       {"fShare", std::to_string(state)},
                       {"fOpName", operatorParam},
                       {"fPcName", computerParam}});
}

TRelayRequest DeleteRelaySlotRequest(const TRelayCaller& caller, std::int32_t slot)
{
    return statusOnly("1750", caller, {{"fSname", SlotText(slot)}});
}

TRelayRequest DeleteCloudSlotRequest(const TRelayCaller& caller, std::int32_t slot)
{
    return statusOnly("1753", caller, {{"fSname", SlotText(slot)}});
}

TRelayRequest CashBookSendCompleteRequest(const TRelayCaller& caller, const TSendCompletion& send)
{
    return timeAndStatus("1810", caller, completionParams(send));
}

TRelayRequest RelaySendCompleteRequest(const TRelayCaller& caller, const TSendCompletion& send)
{
    return timeAndStatus("1820", caller, completionParams(send));
}

TRelayRequest CloudSendCompleteRequest(const TRelayCaller& caller, const TSendCompletion& send,
                                       const std::string& operatorParam, const std::string& computerParam)
{
    TRelayParams p = completionParams(send);
    p.emplace_back("fOpName", operatorParam);
    p.emplace_back("fPcName", computerParam);
    return timeAndStatus("1823", caller, std::move(p));
}

TRelayRequest ReceiveCompleteRequest(const TRelayCaller& caller, std::int32_t slot)
{
    return timeAndStatus("1830", caller, {{"fSname", SlotText(slot)}});
}

TRelayRequest TakeCloudSlotRequest(const TRelayCaller& caller, std::int32_t slot, const std::string& operatorParam,
                                   const std::string& computerParam)
{
    return timeAndStatus("1833", caller,
                         {{"fSname", SlotText(slot)}, {"fOpName", operatorParam}, {"fPcName", computerParam}});
}

} // namespace vq::comm
