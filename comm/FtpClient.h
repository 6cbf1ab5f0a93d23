#pragma once
// The FTP storage of the relay server, reached through libcurl: passive
// transfers of binary files and the few commands a transfer needs. The
// control channel must run over TLS (explicit AUTH TLS, the certificate
// checked against the settings' CaFile or the system's store), so the ID and
// password never cross in clear; the data channel may stay in clear, as the
// files are enciphered. A host named in the settings' FtpPlainHosts is
// reached in plain FTP instead, and every such connection is logged.
//
// Remote paths are written without the leading "/" ("01/cpacc.wen") and name
// the place from the root of the account, which is its login folder. Each
// call reuses the connection of the previous one when it is still open.
#include "comm/CommSettings.h"

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace vq::comm {

class TFtpError : public std::runtime_error {
public:
    TFtpError(const std::string& what, int curlCode, long ftpCode)
        : std::runtime_error(what), CurlCode(curlCode), FtpCode(ftpCode)
    {
    }
    int CurlCode;   // CURLcode
    long FtpCode;   // the server's last reply code, 0 when none
};

struct TFtpLogin {
    std::string Host;
    std::string User;
    std::string Password;
};

class TFtpClient {
public:
    TFtpClient(const TCommSettings& settings, TFtpLogin login);
    ~TFtpClient();
    TFtpClient(const TFtpClient&) = delete;
    TFtpClient& operator=(const TFtpClient&) = delete;

    // Connects and logs on.
    void Connect();
    // Whether the folder can be entered.
    bool FolderExists(const std::string& folder);
    // The size of a remote file; -1 when the server answers that there is none.
    std::int64_t Size(const std::string& path);
    void Put(const std::filesystem::path& local, const std::string& path);
    // Writes the remote file into local (created or emptied).
    void Get(const std::string& path, const std::filesystem::path& local);
    void Rename(const std::string& from, const std::string& to);
    void Delete(const std::string& path);
    // Ends the connection; errors are passed over.
    void Close();

private:
    void prepare(const std::string& path);
    void perform(const std::string& what);

    TCommSettings settings_;
    TFtpLogin login_;
    void* curl_ = nullptr;
    char error_[256] = {};
};

} // namespace vq::comm
