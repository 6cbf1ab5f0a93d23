#pragma once
// Starts tests/comm/fake_ftp.py on 127.0.0.1 for the life of the object,
// with its own folder (root/ is what the server serves), test CA and faults;
// see the script for the faults. It runs under the system's python3, which
// has pyftpdlib and pyOpenSSL from the Debian packages.
#include "comm/CommSettings.h"
#include "FakeServerProcess.h"
#include "TempDir.h"

#include <fstream>
#include <sstream>
#include <string>
#include <vector>


namespace vq::test {

class FakeFtp {
public:
    static constexpr const char* User = "abcd12345678";
    static constexpr const char* Password = "ftp-secret";

    explicit FakeFtp(bool plain = false)
        : process_("/usr/bin/python3", plain ? std::vector<std::string>{VQ_FAKE_FTP, dir_.path().string(), User,
                                                                         Password, "--plain"}
                                             : std::vector<std::string>{VQ_FAKE_FTP, dir_.path().string(), User,
                                                                         Password})
    {
    }
    FakeFtp(const FakeFtp&) = delete;
    FakeFtp& operator=(const FakeFtp&) = delete;

    int port() const { return process_.port(); }
    std::filesystem::path root() const { return dir_ / "root"; }
    std::filesystem::path caFile() const { return dir_ / "ca.pem"; }
    // Applies s's FTP port and CA to settings that reach a relay.
    void into(comm::TCommSettings& s) const
    {
        s.FtpPort = port();
        if (s.CaFile.empty() || !std::filesystem::exists(s.CaFile))
            s.CaFile = caFile().string();
        else
            s.CaFile = bundle(s.CaFile);
    }
    comm::TCommSettings settings(int readMs = 3000) const
    {
        comm::TCommSettings s;
        s.ConnectTimeoutMs = 3000;
        s.ReadTimeoutMs = readMs;
        s.LogFile = dir_ / "client.log";
        into(s);
        return s;
    }
    void setFault(const std::string& fault) const { std::ofstream(dir_ / "fault") << fault; }
    std::vector<std::string> commands() const
    {
        std::vector<std::string> lines;
        std::ifstream in(dir_ / "commands.log");
        for (std::string l; std::getline(in, l);)
            lines.push_back(l);
        return lines;
    }

private:
    // One CA file trusting both the relay's and this server's test CA.
    std::string bundle(const std::string& other) const
    {
        const auto file = dir_ / "both-ca.pem";
        std::ofstream out(file);
        out << std::ifstream(other).rdbuf() << std::ifstream(caFile()).rdbuf();
        return file.string();
    }

    TempDir dir_;
    FakeServerProcess process_;
};

} // namespace vq::test
