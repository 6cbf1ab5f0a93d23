#pragma once
// Zip archives for the analysis upload, through libzip: each file stored
// deflated under its bare name (no folder entries) and, with a password,
// enciphered in the traditional zip encryption the analysis server reads.
// The archive is made beside its final name and renamed when complete, so a
// failure leaves no partial archive; an archive already there is replaced.
#include <filesystem>
#include <string>
#include <vector>

namespace vq::comm {

// 0 when the archive was made; otherwise libzip's error code (or -1 when a
// file is missing), and error receives a text for the log.
int ZipFiles(const std::filesystem::path& archive, const std::vector<std::filesystem::path>& files,
             const std::string& password, std::string* error = nullptr);

} // namespace vq::comm
