#include "platform/Process.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <system_error>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace vq::platform {
namespace {

using Clock = std::chrono::steady_clock;

// Time a tool gets between SIGTERM and SIGKILL once its limit has passed.
constexpr std::chrono::milliseconds terminateGrace{2000};
// How often the child is looked at while its pipes stay open (a grandchild
// may hold them after the child itself has ended).
constexpr int exitCheckMillis = 50;

class Fd {
public:
    Fd() = default;
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() { reset(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    bool open() const { return fd_ >= 0; }
    void reset()
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }
    int* out() { return &fd_; }

private:
    int fd_ = -1;
};

struct Pipe {
    Fd read, write;
    Pipe()
    {
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) != 0)
            throw std::system_error(errno, std::generic_category(), "pipe");
        *read.out() = fds[0];
        *write.out() = fds[1];
    }
};

void setNonBlocking(int fd)
{
    int flags = ::fcntl(fd, F_GETFL);
    ::fcntl(fd, F_SETFL, flags | O_NONBLOCK);
}

std::vector<std::string> environmentWith(const std::map<std::string, std::string>& additions)
{
    std::vector<std::string> env;
    for (char** e = environ; e && *e; ++e) {
        std::string_view entry(*e);
        auto eq = entry.find('=');
        std::string name(entry.substr(0, eq));
        if (!additions.count(name))
            env.emplace_back(entry);
    }
    for (const auto& [name, value] : additions)
        env.push_back(name + "=" + value);
    return env;
}

// Reads what is available; false once the pipe is at its end.
bool drain(Fd& fd, std::string& into)
{
    char buffer[65536];
    while (true) {
        ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n > 0) {
            into.append(buffer, static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return true;
        fd.reset();
        return false;
    }
}

// Blocks SIGPIPE for this thread while writing to the child's stdin, so a
// child that stops reading gives EPIPE instead of killing us, and discards
// the signal afterwards.
class SigpipeGuard {
public:
    SigpipeGuard()
    {
        sigemptyset(&set_);
        sigaddset(&set_, SIGPIPE);
        sigset_t pending;
        sigpending(&pending);
        alreadyPending_ = sigismember(&pending, SIGPIPE) == 1;
        pthread_sigmask(SIG_BLOCK, &set_, &old_);
    }
    ~SigpipeGuard()
    {
        if (!alreadyPending_) {
            timespec zero{};
            while (sigtimedwait(&set_, nullptr, &zero) > 0) {
            }
        }
        pthread_sigmask(SIG_SETMASK, &old_, nullptr);
    }

private:
    sigset_t set_, old_;
    bool alreadyPending_ = false;
};

} // namespace

ProcessResult runProcess(const std::string& program, const std::vector<std::string>& args,
                         const ProcessOptions& options)
{
    ProcessResult result;

    std::string executable = program;
    // A relative path names a file from here, not from the child's folder.
    if (executable.find('/') != std::string::npos && executable.front() != '/')
        executable = std::filesystem::absolute(executable).string();

    std::vector<std::string> argStrings;
    argStrings.push_back(program);
    argStrings.insert(argStrings.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : argStrings)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    std::vector<std::string> envStrings = environmentWith(options.environment);
    std::vector<char*> envp;
    for (auto& e : envStrings)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    Pipe in, out, err;

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in.read.get(), STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out.write.get(), STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err.write.get(), STDERR_FILENO);
    if (!options.workingDirectory.empty())
        posix_spawn_file_actions_addchdir_np(&actions, options.workingDirectory.c_str());

    // Its own process group, so a time limit also ends what the tool started;
    // default signal handling and an empty mask whatever ours are.
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    posix_spawnattr_setpgroup(&attr, 0);
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    sigdelset(&all, SIGKILL);
    sigdelset(&all, SIGSTOP);
    posix_spawnattr_setsigmask(&attr, &none);
    posix_spawnattr_setsigdefault(&attr, &all);

    pid_t pid = 0;
    int rc = executable.find('/') == std::string::npos
                 ? ::posix_spawnp(&pid, executable.c_str(), &actions, &attr, argv.data(), envp.data())
                 : ::posix_spawn(&pid, executable.c_str(), &actions, &attr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
    if (rc != 0) {
        result.standardError = "cannot run " + program + ": " + std::strerror(rc);
        return result;
    }
    result.started = true;

    in.read.reset();
    out.write.reset();
    err.write.reset();
    setNonBlocking(in.write.get());
    setNonBlocking(out.read.get());
    setNonBlocking(err.read.get());

    SigpipeGuard sigpipeGuard;
    std::size_t written = 0;
    if (options.standardInput.empty())
        in.write.reset();

    const auto start = Clock::now();
    std::optional<Clock::time_point> deadline;
    if (options.timeLimit)
        deadline = start + *options.timeLimit;
    std::optional<Clock::time_point> killAt;
    bool killed = false;
    bool exited = false;
    int status = 0;

    auto checkExit = [&] {
        if (exited)
            return;
        pid_t r;
        do {
            r = ::waitpid(pid, &status, WNOHANG);
        } while (r < 0 && errno == EINTR);
        // ECHILD: someone else reaped it (SIGCHLD ignored); its status is lost.
        if (r == pid || (r < 0 && errno == ECHILD))
            exited = true;
        if (r < 0)
            status = -1;
    };

    while (true) {
        checkExit();
        if (exited) {
            // What the child wrote before ending is in the pipes; anything a
            // leftover grandchild writes later is not waited for.
            if (out.read.open())
                drain(out.read, result.standardOutput);
            if (err.read.open())
                drain(err.read, result.standardError);
            break;
        }

        const auto now = Clock::now();
        if (deadline && !result.timedOut && now >= *deadline) {
            result.timedOut = true;
            ::kill(-pid, SIGTERM);
            killAt = now + terminateGrace;
        }
        if (killAt && !killed && now >= *killAt) {
            ::kill(-pid, SIGKILL);
            killed = true;
        }

        const bool pipesOpen = in.write.open() || out.read.open() || err.read.open();
        if (!pipesOpen && !deadline) {
            // Nothing left to read or write and no limit: simply wait for the end.
            pid_t r;
            do {
                r = ::waitpid(pid, &status, 0);
            } while (r < 0 && errno == EINTR);
            if (r < 0)
                status = -1;
            exited = true;
            continue;
        }

        int timeout = pipesOpen ? exitCheckMillis : 10;
        auto limitTo = [&](Clock::time_point t) {
            auto ms = std::chrono::ceil<std::chrono::milliseconds>(t - now).count();
            timeout = static_cast<int>(std::clamp<long long>(ms, 0, timeout));
        };
        if (deadline && !result.timedOut)
            limitTo(*deadline);
        if (killAt && !killed)
            limitTo(*killAt);

        pollfd fds[3];
        nfds_t count = 0;
        if (in.write.open())
            fds[count++] = {in.write.get(), POLLOUT, 0};
        if (out.read.open())
            fds[count++] = {out.read.get(), POLLIN, 0};
        if (err.read.open())
            fds[count++] = {err.read.get(), POLLIN, 0};

        int ready = ::poll(count ? fds : nullptr, count, timeout);
        if (ready < 0 && errno != EINTR)
            throw std::system_error(errno, std::generic_category(), "poll");
        if (ready <= 0)
            continue;
        for (nfds_t i = 0; i < count; ++i) {
            if (!fds[i].revents)
                continue;
            if (fds[i].fd == in.write.get()) {
                if (fds[i].revents & (POLLERR | POLLHUP)) {
                    in.write.reset();
                    continue;
                }
                const std::string& data = options.standardInput;
                ssize_t n = ::write(in.write.get(), data.data() + written, data.size() - written);
                if (n > 0)
                    written += static_cast<std::size_t>(n);
                else if (n < 0 && errno != EAGAIN && errno != EINTR)
                    in.write.reset(); // the child stopped reading
                if (written == data.size())
                    in.write.reset();
            } else if (fds[i].fd == out.read.get()) {
                drain(out.read, result.standardOutput);
            } else if (fds[i].fd == err.read.get()) {
                drain(err.read, result.standardError);
            }
        }
    }

    if (status == -1) {
        // Reaped elsewhere: started, but the exit code is unknown.
    } else if (WIFEXITED(status)) {
        result.exitCode = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        result.crashed = !result.timedOut;
    }
    // The tool is gone; make sure nothing it started lingers after a time limit.
    if (result.timedOut)
        ::kill(-pid, SIGKILL);
    return result;
}

std::string gbakProgram()
{
    const char* overridden = std::getenv("VQ_GBAK");
    return overridden && *overridden ? overridden : "gbak";
}

std::string isqlProgram()
{
    const char* overridden = std::getenv("VQ_ISQL");
    return overridden && *overridden ? overridden : "isql-fb";
}

} // namespace vq::platform
