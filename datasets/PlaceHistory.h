#pragma once
// The history of the places chosen for saving and restoring data sets: an ini
// section of up to eight keys HIST1..HIST8, HIST1 the most recent place. The
// data selection screen keeps it in "history.ini" of the ini folder, section
// "DataBackFolder". A place in the history is only ever offered again, never
// made: a save medium that is not mounted must show as unreachable rather
// than become an empty folder on the system disk.
#include <filesystem>
#include <string>
#include <vector>

namespace vq {

inline constexpr const char* PlaceHistoryFileName = "history.ini";
inline constexpr const char* DataBackHistorySection = "DataBackFolder";
inline constexpr std::size_t PlaceHistoryLimit = 8;
inline constexpr const char* PlaceUnreachableText =
    "指定された場所にアクセスできません。\r媒体が接続されているか確認して下さい。";

class TPlaceHistory {
public:
    TPlaceHistory(std::filesystem::path file, std::string section);

    // The places in the order of the file's keys; a missing or unreadable
    // file gives an empty history.
    std::vector<std::string> Load() const;
    // The places offered: the history, then defaultPlace when not in it.
    std::vector<std::string> Places(const std::string& defaultPlace) const;
    // chosen moves to the head (inserted when absent); the first eight are
    // written as HIST1.., any further keys of the section are removed.
    void Save(const std::string& chosen) const;
    // Only the place shown stays, as HIST1.
    void Clear(const std::string& shown) const;

private:
    void write(const std::vector<std::string>& places) const;

    std::filesystem::path file_;
    std::string section_;
};

// The history of the data selection screen's save and restore places.
TPlaceHistory DataBackHistory();

// Whether place is an existing folder, looked at without creating anything.
bool PlaceReachable(const std::string& place);

} // namespace vq
