#include "comm/RelaySession.h"

#include "foundation/calendar/DateText.h"
#include "foundation/calendar/DayNumber.h"
#include "foundation/text/TextUtils.h"
#include "platform/Cp932.h"
#include "platform/Interaction.h"

#include <cstdio>
#include <stdexcept>
#include <typeinfo>

namespace vq::comm {

namespace {

void error(const std::string& text)
{
    platform::showMessage(text, platform::MessageKind::Error);
}

int digits(const std::string& text, std::size_t from, std::size_t count)
{
    if (from + count > text.size())
        throw std::runtime_error("'" + text + "' is not a valid date and time");
    int value = 0;
    for (std::size_t i = from; i < from + count; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            throw std::runtime_error("'" + text + "' is not a valid date and time");
        value = value * 10 + (c - '0');
    }
    return value;
}

double encode(const std::string& text, int y, int mo, int d, int h, int mi, int s)
{
    const auto date = tryEncodeDate(y, mo, d);
    const auto time = tryEncodeTime(h, mi, s);
    if (!date || !time)
        throw std::runtime_error("'" + text + "' is not a valid date and time");
    return *date + *time;
}

std::string className(const std::exception& e)
{
    if (dynamic_cast<const TRelayError*>(&e))
        return "TRelayError";
    if (dynamic_cast<const TRelayValueRefused*>(&e))
        return "TRelayValueRefused";
    return typeid(e).name();
}

} // namespace

std::string Framed(const std::string& text)
{
    return "　\r\n" + text + "\r\n ";
}

std::string ExceptionReport(const std::string& heading, const std::exception& e)
{
    return heading + className(e) + " error , with message : " + e.what();
}

std::string ServerErrorMessage(const std::string& status)
{
    return "サーバーエラー(" + status + ")";
}

double ParseTakeTime(const std::string& text)
{
    return encode(text, digits(text, 0, 4), digits(text, 5, 2), digits(text, 8, 2), digits(text, 11, 2),
                  digits(text, 14, 2), digits(text, 17, 2));
}

double ParseSendCompleteTime(const std::string& text)
{
    return encode(text, digits(text, 0, 4), digits(text, 4, 2), digits(text, 6, 2), digits(text, 8, 2),
                  digits(text, 10, 2), digits(text, 12, 2));
}

TRelaySession::TRelaySession(TCommSettings settings)
    : Settings(std::move(settings))
{
    Caller.InstallationId = Settings.InstallationId;
}

void TRelaySession::MakeClientNames(std::int32_t operatorCode, const std::string& operatorName,
                                    const std::string& computerName)
{
    const std::string code = std::to_string(operatorCode);
    OperatorNo = code.size() > 4 ? code.substr(code.size() - 4) : code;
    auto repaired = [](const std::string& utf8) {
        return platform::cp932::toUtf8(FixCutSjis(platform::cp932::fromUtf8(utf8)));
    };
    OperatorText = repaired(OperatorNo + operatorName);
    OperatorParam = EncodeRelayText(OperatorText);
    ComputerText = repaired(platform::cp932::cutBytes(computerName, 15));
    ComputerParam = EncodeRelayText(ComputerText);
}

TRelayReply TRelaySession::Run(const TRelayRequest& request) const
{
    return TRelayExchange(Settings).Run(request);
}

bool TRelaySession::GetServerInfo(const TRelayRequest& listing, bool eraDisplay)
{
    Table.Cells[CellInstallationId] = Caller.InstallationId;
    TRelayRequest request = listing;
    request.Caller = Caller;
    try {
        const TRelayReply reply = Run(request);
        const std::string status = reply.Status(request.StatusLine);
        if (status == "920") {
            error(Framed(UnknownCommIdMessage));
            return false;
        }
        if (status != "000") {
            error(Framed(ServerErrorMessage(status)));
            return false;
        }
        if (!reply.Complete)
            throw TRelayError(TRelayFault::Closed, "the listing ended after " + std::to_string(reply.Lines.size()) +
                                                       " lines");
        ReadServerListing(reply, request.Code == "1725", eraDisplay, Table);
        return true;
    } catch (const TRelayValueRefused& e) {
        error(e.what());
    } catch (const std::exception&) {
        error(Framed(NoConnectionMessage));
    }
    return false;
}

bool TRelaySession::NotifyShareState(std::int32_t slot, std::int32_t state)
{
    const std::string status =
        Run(ShareStateRequest(Caller, slot, state, OperatorParam, ComputerParam)).Status(5);
    if (status == "000")
        return true;
    error(Framed(status == "920" ? std::string(UnknownCommIdMessage) : ServerErrorMessage(status)));
    return false;
}

std::string TRelaySession::DeleteCloudSlot(std::int32_t slot)
{
    return Run(DeleteCloudSlotRequest(Caller, slot)).Status(5);
}

std::string TRelaySession::TakeCloudSlot(std::int32_t slot)
{
    const TRelayReply reply = Run(TakeCloudSlotRequest(Caller, slot, OperatorParam, ComputerParam));
    const std::string status = reply.Status(6);
    if (status != "000")
        return status;
    ServerTimeText = reply.From(5, 8);
    ServerUpdateTime = ParseTakeTime(ServerTimeText);
    Table.SlotUpdateTime[0] = FormatDateTime("yyyy/mm/dd hh:nn:ss", ServerUpdateTime);
    return status;
}

std::string TRelaySession::CompleteCloudSend(const TSendCompletion& send)
{
    const TRelayReply reply = Run(CloudSendCompleteRequest(Caller, send, OperatorParam, ComputerParam));
    const std::string status = reply.Status(6);
    if (status != "000")
        return status;
    ServerTimeText = reply.From(5, 8);
    ServerUpdateTime = ParseSendCompleteTime(ServerTimeText);
    Table.SlotUpdateTime[0] = FormatDateTime("yyyy/mm/dd hh:nn:ss", ServerUpdateTime);
    Table.At(ColReceiveTime, send.Slot) = "-";
    Table.At(ColReceiveTimeDisp, send.Slot) = "-";
    return status;
}

bool TRelaySession::HeldByOther(std::int32_t slot) const
{
    if (slot < 1 || slot > 10 || TrimBlanks(Table.At(ColState, slot)) != "2")
        return false;
    const std::string user = TrimBlanks(Table.At(ColUser, slot));
    const std::string computer = TrimBlanks(Table.At(ColComputer, slot));
    return (!user.empty() && user != OperatorText) || (!computer.empty() && computer != ComputerText);
}

} // namespace vq::comm
