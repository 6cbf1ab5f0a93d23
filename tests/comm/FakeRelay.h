#pragma once
// Starts tests/comm/fake_relay.py on 127.0.0.1 for the life of the object,
// with its own state folder, test CA and certificate; see the script for the
// state file, the faults and the answers it chooses.
#include "comm/CommSettings.h"
#include "FakeServerProcess.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>


namespace vq::test {

class FakeRelay {
public:
    explicit FakeRelay(std::vector<std::string> options = {}) : process_("python3", arguments(options)) {}
    FakeRelay(const FakeRelay&) = delete;
    FakeRelay& operator=(const FakeRelay&) = delete;

    int port() const { return process_.port(); }
    std::filesystem::path caFile() const { return dir_ / "ca.pem"; }

    // Settings that reach this server through the test CA.
    comm::TCommSettings settings(int connectMs = 3000, int readMs = 3000) const
    {
        comm::TCommSettings s;
        s.Host = "127.0.0.1";
        s.Port = port();
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
    std::vector<std::string> arguments(const std::vector<std::string>& options) const
    {
        std::vector<std::string> args{VQ_FAKE_RELAY, dir_.path().string()};
        args.insert(args.end(), options.begin(), options.end());
        return args;
    }

    TempDir dir_;
    FakeServerProcess process_;
};

} // namespace vq::test
