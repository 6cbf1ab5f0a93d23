#include "comm/ServerTable.h"

#include "foundation/calendar/DateText.h"
#include "foundation/calendar/DayNumber.h"

#include <cstdlib>

namespace vq::comm {

namespace {

std::string part(const std::string& text, std::size_t from, std::size_t count)
{
    return from < text.size() ? text.substr(from, count) : std::string();
}

// "yyyy/mm/dd " + characters 12 to 12+len-1 of a listing time text.
std::string stored(const std::string& t, std::size_t timeLength)
{
    return part(t, 0, 4) + "/" + part(t, 5, 2) + "/" + part(t, 8, 2) + " " + part(t, 11, timeLength);
}

// The display form of a stored "yyyy/mm/dd hh:nn" text.
std::string display(const std::string& storedText, bool eraDisplay, bool withTime)
{
    if (!eraDisplay)
        return storedText;
    const auto date = tryEncodeDate(std::atoi(part(storedText, 0, 4).c_str()), std::atoi(part(storedText, 5, 2).c_str()),
                                    std::atoi(part(storedText, 8, 2).c_str()));
    const std::string shown = date ? FormatDateSlash("yy/mm/dd", 2, *date) : storedText.substr(0, 10);
    return withTime ? shown + " " + part(storedText, 11, 5) : shown;
}

} // namespace

std::string TrimBlanks(std::string_view text)
{
    std::size_t a = 0;
    std::size_t b = text.size();
    while (a < b && static_cast<unsigned char>(text[a]) <= ' ')
        ++a;
    while (b > a && static_cast<unsigned char>(text[b - 1]) <= ' ')
        --b;
    return std::string(text.substr(a, b - a));
}

std::string FormatVersionLabel(std::int32_t major, std::int32_t minor)
{
    if (major == 11 && minor == 1)
        return "19消改版";
    if (major == 6 && minor == 1)
        return "14消改版";
    if (minor != 0)
        return std::to_string(major) + "." + std::to_string(minor);
    if (major == 1)
        return "09版";
    if (major == 2)
        return "10版";
    return std::to_string(major + 8) + "版";
}

bool TServerTable::HasData(int slot) const
{
    return !TrimBlanks(At(ColName, slot)).empty();
}

void ReadServerListing(const TRelayReply& reply, bool cloud, bool eraDisplay, TServerTable& table)
{
    table.Cells[CellFtpHost] = reply.From(6, 8);
    table.Cells[CellFtpPassword] = reply.From(7, 8);
    const int blockLines = cloud ? 12 : 9;
    for (int slot = 1; slot <= 10; ++slot) {
        const int base = 8 + (slot - 1) * blockLines; // line of the block is base + k
        auto from = [&](int k, int c) { return reply.From(base + k, c); };
        table.At(ColSlotId, slot) = from(1, 14);
        table.At(ColName, slot) = DecodeRelayText(from(2, 11));
        if (cloud) {
            table.At(ColUser, slot).clear();
            table.At(ColComputer, slot).clear();
        }
        if (!table.HasData(slot))
            continue;
        table.At(ColTerm, slot) = from(3, 11);
        const std::string start = stored(from(4, 12), 5);
        table.At(ColStart, slot) = start;
        table.At(ColStartDisp, slot) = display(start, eraDisplay, false);
        const std::string end = stored(from(5, 12), 5);
        table.At(ColEnd, slot) = end;
        table.At(ColEndDisp, slot) = display(end, eraDisplay, false);
        const std::string sendRaw = from(6, 11);
        const std::string send = stored(sendRaw, 5);
        table.At(ColSendTime, slot) = send;
        table.At(ColSendTimeDisp, slot) = display(send, eraDisplay, true);
        if (cloud)
            table.SlotUpdateTime[static_cast<std::size_t>(slot)] = stored(sendRaw, 8);
        const std::string receiveRaw = from(7, 11);
        // A relay slot's receive time counts only when it is later than its send time.
        if (cloud || sendRaw < receiveRaw) {
            const std::string receive = stored(receiveRaw, 5);
            table.At(ColReceiveTime, slot) = receive;
            table.At(ColReceiveTimeDisp, slot) =
                receive.substr(0, 4) == "0000" ? "-" : display(receive, eraDisplay, true);
        } else {
            table.At(ColReceiveTimeDisp, slot) = "-";
        }
        table.At(ColPassword, slot) = from(8, 11);
        table.At(ColVersion, slot) = from(9, 13);
        if (!cloud)
            continue;
        table.At(ColState, slot) = from(10, 14);
        if (table.At(ColState, slot) == "2") {
            table.At(ColUser, slot) = DecodeRelayText(from(11, 15));
            table.At(ColComputer, slot) = DecodeRelayText(from(12, 15));
        }
    }
}

} // namespace vq::comm
