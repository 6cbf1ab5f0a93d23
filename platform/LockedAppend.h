#pragma once
#include <filesystem>
#include <string_view>

namespace vq::platform {

// Appends bytes to the end of file as one record, creating the file (0644 less
// umask) when it is missing. Several processes may append to one file at
// once: each append holds an exclusive lock on the file for its duration, so
// records never interleave and none is lost, and a log costs only what is
// added, not its whole size. An append that fails part way is taken back, so
// the file keeps whole records only. Throws std::system_error on failure.
void appendFileLocked(const std::filesystem::path& file, std::string_view bytes);

} // namespace vq::platform
