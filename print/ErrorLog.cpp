#include "print/ErrorLog.h"

#include "foundation/calendar/DayNumber.h"
#include "platform/Cp932.h"
#include "platform/Folders.h"
#include "platform/Interaction.h"

#include <cstdio>
#include <fstream>
#include <string>

namespace vq::print {

std::filesystem::path errorLogPath()
{
    std::filesystem::path folder;
    try {
        folder = platform::folders::documents();
    } catch (...) {
        folder.clear();
    }
    // No documents folder: the data root still belongs to this user.
    if (folder.empty())
        folder = platform::folders::root();
    return folder / kErrorLogName;
}

void ErrorLog(std::string_view message) noexcept
{
    try {
        const CivilDateTime t = decodeDateTime(platform::interaction().now());
        char stamp[32];
        std::snprintf(stamp, sizeof stamp, "%02d/%02d/%02d %02d:%02d:%02d  ", t.date.year % 100, t.date.month,
                      t.date.day, t.time.hour, t.time.minute, t.time.second);
        std::string line = std::string(stamp) + std::string(message);
        const auto path = errorLogPath();
        std::error_code ec;
        std::filesystem::create_directories(path.parent_path(), ec);
        std::ofstream out(path, std::ios::binary | std::ios::app);
        out << platform::cp932::fromUtf8(line) << "\r\n";
    } catch (...) {
        // The log is the last resort of a failure handler; losing a line is all that may happen.
    }
}

void ErrorLog(std::string_view label, std::string_view message) noexcept
{
    try {
        ErrorLog(std::string(label) + ":" + std::string(message));
    } catch (...) {
    }
}

} // namespace vq::print
