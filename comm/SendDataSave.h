#pragma once
// The save a slot send starts from: the open data set's backup with its
// description appended, marked as saving while it runs.
#include <filesystem>
#include <string>

namespace vq::comm {

// Saves the data set of folder into backup under the job caption. False
// after the failure was reported (also when the data set has no
// description to append).
bool SaveSendData(const std::string& folder, const std::filesystem::path& backup, const std::string& caption);

} // namespace vq::comm
