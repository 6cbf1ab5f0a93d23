#pragma once
// A child program that ends with this process. The sample office's database
// builds run for minutes; were this tool killed, a build left running would
// go on and publish what it made. Each child runs in a process group of its
// own under a small keeper process that the kernel signals when this process
// dies (however it dies); the keeper then kills the whole group.
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace vq::tools {

struct TiedChildResult {
    int exitCode = -1;    // -1 when killed or not started
    std::string output;   // standard output and error, as written
};

// Runs program (searched on PATH) with args and the environment plus
// environment, standard output and error going to outputFile (then read
// back into the result). Waits for it.
TiedChildResult runTiedChild(const std::string& program, const std::vector<std::string>& args,
                             const std::map<std::string, std::string>& environment,
                             const std::filesystem::path& outputFile);

} // namespace vq::tools
