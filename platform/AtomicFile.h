#pragma once
#include <filesystem>
#include <string_view>

namespace vq::platform {

// Replaces file with bytes through a temporary file in the same folder and a
// rename, so a reader sees either the old or the new content, never half.
// Throws std::system_error on failure and leaves the old file untouched.
void writeFileAtomically(const std::filesystem::path& file, std::string_view bytes);

} // namespace vq::platform
