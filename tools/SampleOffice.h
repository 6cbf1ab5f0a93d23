#pragma once
// A whole accounting office for trying the programs out: the folders and
// settings files under a root, the registry store with the installed
// accounting product, the system database with two operators and the data
// list, and the data sets (general business, real estate, agriculture, a
// medical corporation and a bakery whose statement was entered by hand).
#include <filesystem>
#include <string>
#include <vector>

namespace vq::tools {

// The folder under the office's root that holds a build in progress: the
// databases being made, their scratch files and the tools' output. It is
// removed when the office is complete; a run that finds it finishes the
// office, keeping the data sets the former run completed.
inline constexpr const char* kBuildFolderName = "make-sample-office.build";

struct SampleOfficeOptions {
    std::filesystem::path root;       // becomes VQ_ROOT for this process
    std::filesystem::path schemaDir;  // holds build-database
    int extraJournals = 0;            // further entries per data set (benchmarks)
};

struct SampleOfficeReport {
    std::filesystem::path systemDatabase;
    std::vector<std::filesystem::path> dataSetFolders;
    std::vector<std::string> lines;   // what was made, for the operator
};

// Throws std::runtime_error (with the database build's output) when a part
// cannot be made, and refuses a root that already holds an office or whose
// disk cannot hold the further journal entries asked for.
SampleOfficeReport makeSampleOffice(const SampleOfficeOptions& options);

} // namespace vq::tools
