#pragma once
// A fake server script on 127.0.0.1 for the life of the object: started with
// its arguments, its first line "PORT <n>" read from its output, ended with
// SIGTERM. The communication tests' fixtures and bench-comm use it.
#include <csignal>
#include <stdexcept>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace vq::test {

class FakeServerProcess {
public:
    // program is looked up on PATH unless it holds a "/".
    FakeServerProcess(const std::string& program, std::vector<std::string> args)
    {
        int out[2];
        if (::pipe(out) != 0)
            throw std::runtime_error("pipe");
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(out[1], 1);
            ::close(out[0]);
            ::close(out[1]);
            args.insert(args.begin(), program);
            std::vector<char*> argv;
            for (auto& a : args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            ::execvp(program.c_str(), argv.data());
            ::_exit(127);
        }
        ::close(out[1]);
        std::string line;
        char c;
        while (::read(out[0], &c, 1) == 1 && c != '\n')
            line += c;
        ::close(out[0]);
        if (line.rfind("PORT ", 0) != 0) {
            stop();
            throw std::runtime_error("the fake server " + (args.empty() ? program : args[0]) + " did not start: " +
                                     line);
        }
        port_ = std::stoi(line.substr(5));
    }
    ~FakeServerProcess() { stop(); }
    FakeServerProcess(const FakeServerProcess&) = delete;
    FakeServerProcess& operator=(const FakeServerProcess&) = delete;

    int port() const { return port_; }

private:
    void stop()
    {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
            pid_ = -1;
        }
    }

    pid_t pid_ = -1;
    int port_ = 0;
};

} // namespace vq::test
