#pragma once
// The office the benchmarks measure on: a sample office made once with
// make-sample-office (and further journal entries for the large cases), then
// reused by every later run that names the same folder.
#include <filesystem>
#include <functional>

namespace vq {
struct TSystemDef;
namespace platform {
class ScriptedInteraction;
}
} // namespace vq

namespace vq::tools {

// The folder of the general business data set (0001) of the sample office in
// root, made first when root holds none, with journals further entries
// (none when 0). VQ_ROOT points at root afterwards and folders holds its
// system folders. Throws std::runtime_error when the office cannot be made.
std::filesystem::path SampleBenchDataSet(const std::filesystem::path& root, long journals, TSystemDef& folders);

// The run state of a stand-alone session as the office's own database user,
// with dataFolder as the open data set's folder.
void UseStandAloneDataSet(const std::filesystem::path& dataFolder);

// A benchmark on the general business data set of a sample office: the
// office's root, the data set's folder (a stand-alone session points at it),
// how many runs to measure, and the scripted seam that answers its dialogs.
struct BenchDataSet {
    std::filesystem::path root;
    std::filesystem::path folder;
    int runs = 5;
    platform::ScriptedInteraction& seam;
};

// main of such a benchmark: parses "[DIR] [--journals N] [--runs N]" (DIR
// defaulting to vq-NAME in the temporary folder, 5 runs), makes or finds the
// office and runs body; prints the usage or the error under name. Returns the
// exit code: 0, 1 when body or the office failed, 2 for a bad command line.
int RunDataSetBench(int argc, char** argv, const char* name, const std::function<void(BenchDataSet&)>& body);

} // namespace vq::tools
