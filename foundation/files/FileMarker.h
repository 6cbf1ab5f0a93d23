#pragma once
// The search for a text marker inside a large file, and the trailer after it:
// a backup file carries a trailer block appended after the database backup,
// which is read back and cut off before the backup is restored.
// Marker and trailer are program text; in the file they are CP932.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace vq {

// The first len bytes of a and b are equal.
bool SameBytes(const void* a, const void* b, std::size_t len);

// The byte offset of the first occurrence of marker after the file's first
// byte; 0 when it occurs only at offset 0; -1 when it does not occur (or the
// marker is empty). text receives the bytes from the marker on: at most 512,
// up to the end of the file or the first zero byte; empty unless the result
// is above 0. The file is read in blocks of blockSize bytes (at most 64 KiB)
// and offsets are 64-bit. Throws EFileStreamError when the file cannot be read.
std::int64_t FindFileMarker(const std::filesystem::path& file, const std::string& marker, std::string& text,
                            std::size_t blockSize = 512);

// text as FindFileMarker gives it; with cut and a marker above offset 0 the
// file is shortened to the bytes before the marker (in place, so a backup of
// any size is cut without a copy). Returns the marker's offset. A file that
// cannot be shortened throws std::filesystem::filesystem_error.
std::int64_t ExtractFileTrailer(const std::filesystem::path& file, const std::string& marker, std::string& text,
                                bool cut);

// Writes text at the end of the existing file (no line break added). A
// missing file throws EFileStreamError.
void AppendTextToFile(const std::filesystem::path& file, const std::string& text);

// The file's size; 0 when it is not found; -1 when it cannot be queried.
std::int64_t GetFileSize64(const std::filesystem::path& file);

} // namespace vq
