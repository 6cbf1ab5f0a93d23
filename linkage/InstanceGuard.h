#pragma once
// The tool never runs beside the accounting system or its tools, and runs
// once per user session. Each program of the line holds a named mutex while
// it runs; the tool looks for the others' and then holds its own.
#include <memory>
#include <optional>
#include <string>

#include "platform/NamedMutex.h"

namespace vq::linkage {

inline constexpr const char* kAccountingMutex = "CORVANE000";
inline constexpr const char* kToolsMutex = "CORVANE_TOOLS";
inline constexpr const char* kInstanceMutex = "OVIDAL_RENDO";

// The refusal to show when one of the three is held, the first found in the
// order accounting system, its tools, this tool; nullopt when none is.
std::optional<std::string> StartRefusalMessage();

// Holds "OVIDAL_RENDO" for the life of the returned object; nullptr when
// another copy took it in the meantime (or it cannot be made).
std::unique_ptr<platform::NamedMutex> CreateInstanceMutex();

// The application title until the settings are loaded.
inline constexpr const char* kStartupTitle = "連動ﾃﾞｰﾀの作成";

} // namespace vq::linkage
