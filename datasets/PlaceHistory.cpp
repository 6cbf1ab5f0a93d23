#include "datasets/PlaceHistory.h"

#include "foundation/app/SystemDef.h"
#include "platform/IniFile.h"

#include <algorithm>
#include <cctype>
#include <exception>
#include <system_error>

namespace vq {

namespace fs = std::filesystem;

TPlaceHistory::TPlaceHistory(fs::path file, std::string section) : file_(std::move(file)), section_(std::move(section))
{
}

std::vector<std::string> TPlaceHistory::Load() const
{
    std::vector<std::string> places;
    try {
        const platform::IniFile ini(file_);
        for (const std::string& key : ini.keys(section_)) {
            const std::string value = ini.readString(section_, key);
            if (!value.empty())
                places.push_back(value);
        }
    } catch (const std::exception&) {
        places.clear();
    }
    return places;
}

std::vector<std::string> TPlaceHistory::Places(const std::string& defaultPlace) const
{
    std::vector<std::string> places = Load();
    if (!defaultPlace.empty() && std::find(places.begin(), places.end(), defaultPlace) == places.end())
        places.push_back(defaultPlace);
    return places;
}

void TPlaceHistory::Save(const std::string& chosen) const
{
    std::vector<std::string> places = Load();
    if (!chosen.empty()) {
        places.erase(std::remove(places.begin(), places.end(), chosen), places.end());
        places.insert(places.begin(), chosen);
    }
    write(places);
}

void TPlaceHistory::Clear(const std::string& shown) const
{
    write(shown.empty() ? std::vector<std::string>{} : std::vector<std::string>{shown});
}

void TPlaceHistory::write(const std::vector<std::string>& places) const
{
    // Key by key rather than erase-and-rewrite: each write replaces the file
    // whole, so an interrupted save leaves an older history, never none.
    platform::IniFile ini(file_);
    const std::size_t kept = std::min(places.size(), PlaceHistoryLimit);
    for (std::size_t i = 0; i < kept; ++i)
        ini.writeString(section_, "HIST" + std::to_string(i + 1), places[i]);
    for (const std::string& key : ini.keys(section_)) {
        std::string upper = key;
        for (char& c : upper)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        bool current = false;
        for (std::size_t i = 0; i < kept && !current; ++i)
            current = upper == "HIST" + std::to_string(i + 1);
        if (!current)
            ini.deleteKey(section_, key);
    }
}

TPlaceHistory DataBackHistory()
{
    return TPlaceHistory(fs::path(SystemDef.IniDir) / PlaceHistoryFileName, DataBackHistorySection);
}

bool PlaceReachable(const std::string& place)
{
    std::error_code ec;
    return !place.empty() && fs::is_directory(place, ec);
}

} // namespace vq
