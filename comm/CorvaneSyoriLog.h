#pragma once
// The processing log of the cash-book exchange: entries of information,
// warning or error, each with a code (errors negative, warnings positive,
// 1 the closing success). The run's result is read from the log.
#include <cstdint>
#include <string>
#include <vector>

namespace vq::comm {

enum SyoriKind : std::uint8_t { SyoriNone = 0, SyoriInfo = 1, SyoriWarning = 2, SyoriError = 3 };

struct TCorvaneSyoriInfo {
    std::string ProcessName;
    std::uint8_t Kind = SyoriNone;
    std::int32_t Code = 0;
    std::string Message;

    // Empties the entry for the next step; the process name stays.
    void Clear()
    {
        Kind = SyoriNone;
        Code = 0;
        Message.clear();
    }
};

using TCorvaneSyoriLog = std::vector<TCorvaneSyoriInfo>;

// The code of the first error entry, wherever it stands (an error after the
// closing success entry, such as a failed file replacement, still fails the
// run); else 1 when there is an entry with code 1; else the code of the last
// entry; 0 for an empty log.
std::int32_t SyoriLogResult(const TCorvaneSyoriLog& log);

// "情報", "警告", "エラー" for kinds 1 to 3, empty for 0.
std::string SyoriKindText(std::uint8_t kind);

} // namespace vq::comm
