#pragma once
// The engine's error log "Zevev360_Error.log" in the user's documents folder:
// one line per failure, "yy/mm/dd hh:nn:ss  " and the message, in CP932.
// It is called from inside failure handlers, so it never throws: a log that
// cannot be written loses the line and nothing else.
#include <filesystem>
#include <string_view>

namespace vq::print {

inline constexpr const char* kErrorLogName = "Zevev360_Error.log";

void ErrorLog(std::string_view message) noexcept;
// "label:message", the form every engine failure is logged in.
void ErrorLog(std::string_view label, std::string_view message) noexcept;

std::filesystem::path errorLogPath();

} // namespace vq::print
