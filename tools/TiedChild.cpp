#include "tools/TiedChild.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace vq::tools {

namespace {

// Everything the children need is made before the first fork: this process
// may have engine threads by then, so between fork and exec only calls that
// are safe after a fork in a threaded process are made.
struct Launch {
    std::string path;
    std::vector<std::string> argStrings, envStrings;
    std::vector<char*> argv, envp;
};

std::string findProgram(const std::string& program)
{
    if (program.find('/') != std::string::npos)
        return program;
    const char* path = std::getenv("PATH");
    std::stringstream dirs(path ? path : "/usr/bin:/bin");
    std::string dir;
    while (std::getline(dirs, dir, ':')) {
        const std::string candidate = (dir.empty() ? "." : dir) + "/" + program;
        if (::access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    throw std::runtime_error("cannot find the program " + program);
}

Launch prepare(const std::string& program, const std::vector<std::string>& args,
               const std::map<std::string, std::string>& environment)
{
    Launch l;
    l.path = findProgram(program);
    l.argStrings.push_back(program);
    l.argStrings.insert(l.argStrings.end(), args.begin(), args.end());
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        if (!environment.contains(entry.substr(0, entry.find('='))))
            l.envStrings.push_back(entry);
    }
    for (const auto& [name, value] : environment)
        l.envStrings.push_back(name + "=" + value);
    for (auto& a : l.argStrings)
        l.argv.push_back(a.data());
    l.argv.push_back(nullptr);
    for (auto& e : l.envStrings)
        l.envp.push_back(e.data());
    l.envp.push_back(nullptr);
    return l;
}

[[noreturn]] void runProgram(const Launch& l, int output, int input)
{
    ::setpgid(0, 0);
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    ::dup2(output, STDOUT_FILENO);
    ::dup2(output, STDERR_FILENO);
    if (input >= 0)
        ::dup2(input, STDIN_FILENO);
    ::execve(l.path.c_str(), l.argv.data(), l.envp.data());
    ::_exit(127);
}

// The keeper: starts the program in its own group and waits for it, or for
// the signal that says this tool is gone, whichever comes first.
[[noreturn]] void keep(pid_t tool, const Launch& l, int output, int input)
{
    sigset_t watched;
    sigemptyset(&watched);
    sigaddset(&watched, SIGTERM);
    sigaddset(&watched, SIGCHLD);
    ::sigprocmask(SIG_BLOCK, &watched, nullptr);
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (::getppid() != tool)
        ::_exit(1);   // the tool died before the request was in place
    const pid_t child = ::fork();
    if (child < 0)
        ::_exit(1);
    if (child == 0)
        runProgram(l, output, input);
    ::setpgid(child, child);
    for (;;) {
        int signal = 0;
        if (::sigwait(&watched, &signal) != 0)
            continue;
        if (signal == SIGTERM) {
            ::kill(-child, SIGKILL);
            ::waitpid(child, nullptr, 0);
            ::_exit(1);
        }
        int status = 0;
        if (::waitpid(child, &status, WNOHANG) == child)
            ::_exit(WIFEXITED(status) ? WEXITSTATUS(status) : 255);
    }
}

} // namespace

TiedChildResult runTiedChild(const std::string& program, const std::vector<std::string>& args,
                             const std::map<std::string, std::string>& environment,
                             const std::filesystem::path& outputFile)
{
    const Launch launch = prepare(program, args, environment);
    const int output = ::open(outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (output < 0)
        throw std::runtime_error("cannot write " + outputFile.string());
    const int input = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    const pid_t tool = ::getpid();
    const pid_t keeper = ::fork();
    if (keeper == 0)
        keep(tool, launch, output, input);
    ::close(output);
    if (input >= 0)
        ::close(input);
    if (keeper < 0)
        throw std::runtime_error("cannot start " + program);
    int status = 0;
    while (::waitpid(keeper, &status, 0) < 0 && errno == EINTR) {
    }
    TiedChildResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream in(outputFile, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    result.output = text.str();
    return result;
}

} // namespace vq::tools
