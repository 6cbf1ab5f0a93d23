#pragma once
// The command line the benchmarks share: [DIR] [--journals N] [COUNTFLAG N],
// where DIR is the office they make or reuse, --journals the further entries
// its large data set gets, and the count flag (runs or entries) how much work
// each measurement does.
#include <filesystem>
#include <string>

namespace vq::tools {

struct BenchArgs {
    std::filesystem::path root;
    long journals = 200000;
    long count = 0;
};

// Fills args from the command line over the defaults it already holds; false
// on anything it does not know or a number out of range (the count at least 1).
bool ParseBenchArgs(int argc, char** argv, const std::string& countFlag, BenchArgs& args);

} // namespace vq::tools
