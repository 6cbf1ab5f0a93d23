#pragma once
// Starts tests/comm/fake_analysis.py on 127.0.0.1 for the life of the object:
// the analysis web server over HTTPS with its own test CA, answering for one
// known ID and checking the archives that arrive in the FTP fake's root. See
// the script for its checks and faults.
#include "FakeServerProcess.h"
#include "TempDir.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace vq::test {

class FakeAnalysis {
public:
    struct Request {
        std::string status;   // what the fake answered (or "stall", "500")
        std::string agent;
        std::string path;     // as it came, still encoded
    };

    FakeAnalysis(const std::string& knownId, const std::filesystem::path& ftpRoot, const std::string& ftpPassword)
        : process_("/usr/bin/python3",
                   {VQ_FAKE_ANALYSIS, dir_.path().string(), knownId, ftpRoot.string(), ftpPassword})
    {
    }
    FakeAnalysis(const FakeAnalysis&) = delete;
    FakeAnalysis& operator=(const FakeAnalysis&) = delete;

    std::string host() const { return "127.0.0.1:" + std::to_string(process_.port()); }
    std::filesystem::path caFile() const { return dir_ / "ca.pem"; }
    void setFault(const std::string& fault) const { std::ofstream(dir_ / "fault") << fault; }
    std::vector<Request> requests() const
    {
        std::vector<Request> out;
        std::ifstream in(dir_ / "requests.log");
        for (std::string l; std::getline(in, l);) {
            const auto a = l.find('\t');
            const auto b = l.find('\t', a + 1);
            out.push_back({l.substr(0, a), l.substr(a + 1, b - a - 1), l.substr(b + 1)});
        }
        return out;
    }

private:
    TempDir dir_;
    FakeServerProcess process_;
};

} // namespace vq::test
