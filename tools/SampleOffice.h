#pragma once
// A whole accounting office for trying the programs out: the folders and
// settings files under a root, the registry store with the installed
// accounting product, the system database with two operators and the data
// list, and three data sets (general business, real estate, agriculture).
#include <filesystem>
#include <string>
#include <vector>

namespace vq::tools {

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
// cannot be made, and refuses a root that already holds an office.
SampleOfficeReport makeSampleOffice(const SampleOfficeOptions& options);

} // namespace vq::tools
