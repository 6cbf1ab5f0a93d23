#pragma once
// Starts tests/comm/fake_relay.py on 127.0.0.1 for the life of the object,
// with its own state folder, test CA and certificate; see the script for the
// state file, the faults and the answers it chooses.
#include "comm/CommSettings.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace vq::test {

class FakeRelay {
public:
    explicit FakeRelay(std::vector<std::string> options = {})
    {
        int out[2];
        if (::pipe(out) != 0)
            throw std::runtime_error("pipe");
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(out[1], 1);
            ::close(out[0]);
            ::close(out[1]);
            std::vector<std::string> args{"python3", VQ_FAKE_RELAY, dir_.path().string()};
            args.insert(args.end(), options.begin(), options.end());
            std::vector<char*> argv;
            for (auto& a : args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            ::execvp("python3", argv.data());
            ::_exit(127);
        }
        ::close(out[1]);
        std::string line;
        char c;
        while (::read(out[0], &c, 1) == 1 && c != '\n')
            line += c;
        ::close(out[0]);
        if (line.rfind("PORT ", 0) != 0)
            throw std::runtime_error("the fake relay server did not start: " + line);
        port_ = std::stoi(line.substr(5));
    }
    ~FakeRelay()
    {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    FakeRelay(const FakeRelay&) = delete;
    FakeRelay& operator=(const FakeRelay&) = delete;

    int port() const { return port_; }
    std::filesystem::path caFile() const { return dir_ / "ca.pem"; }

    // Settings that reach this server through the test CA.
    comm::TCommSettings settings(int connectMs = 3000, int readMs = 3000) const
    {
        comm::TCommSettings s;
        s.Host = "127.0.0.1";
        s.Port = port_;
        s.CaFile = caFile().string();
        s.ConnectTimeoutMs = connectMs;
        s.ReadTimeoutMs = readMs;
        s.LogFile = dir_ / "client.log";
        return s;
    }

    void setState(const std::string& json) const { std::ofstream(dir_ / "state.json") << json; }
    std::string state() const { return read("state.json"); }
    // The request lines received, oldest first.
    std::vector<std::string> requests() const
    {
        std::vector<std::string> lines;
        std::istringstream in(read("requests.log"));
        for (std::string l; std::getline(in, l);)
            lines.push_back(l);
        return lines;
    }
    // The bytes of the last request as received.
    std::string lastRequestBytes() const { return read("last-request.bin"); }
    std::string read(const char* name) const
    {
        std::ifstream in(dir_ / name, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

private:
    TempDir dir_;
    pid_t pid_ = -1;
    int port_ = 0;
};

} // namespace vq::test
