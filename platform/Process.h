#pragma once
// Child processes (gbak, isql-fb and other tools) with wait, output capture
// and an optional time limit. One runner serves every caller so that tests
// can point it at a fake tool.
#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace vq::platform {

struct ProcessOptions {
    std::filesystem::path workingDirectory;           // empty: the current one
    std::map<std::string, std::string> environment;   // added to / overriding the current one
    std::string standardInput;
    std::optional<std::chrono::milliseconds> timeLimit; // killed when exceeded
};

struct ProcessResult {
    bool started = false;   // false: the program could not be run at all (standardError says why)
    bool timedOut = false;  // the time limit passed: SIGTERM, and SIGKILL two seconds later
    bool crashed = false;   // ended by a signal it was not sent for a time limit
    int exitCode = -1;      // -1 unless the program exited by itself
    std::string standardOutput;
    std::string standardError;

    bool succeeded() const { return started && !timedOut && !crashed && exitCode == 0; }
};

// Runs program (found on PATH when it has no '/') with args and waits. The
// child runs in its own process group (a time limit ends the whole group),
// with stdin fed from standardInput and then closed, and both output streams
// captured as they come, so neither can fill up and stall it.
ProcessResult runProcess(const std::string& program, const std::vector<std::string>& args,
                         const ProcessOptions& options = {});

// Where the Firebird tools are found; VQ_GBAK / VQ_ISQL override (tests point
// them at a fake tool).
std::string gbakProgram();
std::string isqlProgram();

} // namespace vq::platform
