#pragma once
// The slot listing of the relay server as the communication screen keeps it:
// 174 texts, cell = column × 10 + (slot − 1) for columns 0 to 16, and the
// single cells 170 (FTP host), 172 (FTP password) and 173 (installation
// identifier); with the last-update times of the cloud slots.
#include "comm/RelayExchange.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vq::comm {

enum TServerColumn : int {
    ColSlotId = 0,
    ColName = 2,
    ColTerm = 3,
    ColStart = 4,
    ColStartDisp = 5,
    ColEnd = 6,
    ColEndDisp = 7,
    ColSendTime = 8,        // cloud: last update
    ColSendTimeDisp = 9,
    ColReceiveTime = 10,    // cloud: start of use
    ColReceiveTimeDisp = 11,
    ColPassword = 12,
    ColVersion = 13,
    ColState = 14,          // cloud: "1" free, "2" in use
    ColUser = 15,           // cloud: 4-digit operator code and name
    ColComputer = 16,       // cloud: computer of a slot in use
};

inline constexpr int CellFtpHost = 170;
inline constexpr int CellFtpPassword = 172;
inline constexpr int CellInstallationId = 173;

struct TServerTable {
    std::array<std::string, 174> Cells{};
    // Element n (1..10): cloud slot n's last update "yyyy/mm/dd hh:nn:ss";
    // element 0: the time of the last take or cloud-send completion.
    std::array<std::string, 11> SlotUpdateTime{};

    // Cell of column for slot (1..10).
    std::string& At(int column, int slot) { return Cells[static_cast<std::size_t>(column * 10 + slot - 1)]; }
    const std::string& At(int column, int slot) const
    {
        return Cells[static_cast<std::size_t>(column * 10 + slot - 1)];
    }
    // Whether slot's data name, trimmed, is not empty.
    bool HasData(int slot) const;
};

// text without controls and half-width blanks at both ends, as the slot
// cells are compared.
std::string TrimBlanks(std::string_view text);

// The label of a data version in the slot lists: 11.1 "19消改版", 6.1
// "14消改版", another minor "major.minor", minor 0 major 1 "09版", 2 "10版",
// else major + 8 followed by "版".
std::string FormatVersionLabel(std::int32_t major, std::int32_t minor);

// Fills table from a listing reply (status "000" already checked): the FTP
// host and password, then ten blocks of 12 (cloud) or 9 (relay, cash book)
// lines. eraDisplay gives the display columns in the era form. Cells that
// a slot without a name does not read keep what they held.
void ReadServerListing(const TRelayReply& reply, bool cloud, bool eraDisplay, TServerTable& table);

} // namespace vq::comm
