#pragma once
// The office the benchmarks measure on: a sample office made once with
// make-sample-office (and further journal entries for the large cases), then
// reused by every later run that names the same folder.
#include <filesystem>

namespace vq {
struct TSystemDef;
}

namespace vq::tools {

// The folder of the general business data set (0001) of the sample office in
// root, made first when root holds none, with journals further entries
// (none when 0). VQ_ROOT points at root afterwards and folders holds its
// system folders. Throws std::runtime_error when the office cannot be made.
std::filesystem::path SampleBenchDataSet(const std::filesystem::path& root, long journals, TSystemDef& folders);

// The run state of a stand-alone session as the office's own database user,
// with dataFolder as the open data set's folder.
void UseStandAloneDataSet(const std::filesystem::path& dataFolder);

} // namespace vq::tools
