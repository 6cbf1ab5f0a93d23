#pragma once
// The server's copy of one slot's file while an upload replaces it: the
// previous copy waits under its name + "bak" and comes back (or a new copy
// where there was none goes) unless the upload is made final. A "bak" left
// by an earlier failed upload is cleared first.
#include "comm/CommSettings.h"
#include "comm/FtpClient.h"

#include <optional>
#include <string>

namespace vq::comm {

class TServerCopy {
public:
    // remote: the file's path in the account ("01/vqacc.wen").
    TServerCopy(const TCommSettings& settings, TFtpLogin login, std::string remote);
    ~TServerCopy();
    TServerCopy(const TServerCopy&) = delete;
    TServerCopy& operator=(const TServerCopy&) = delete;

    TFtpClient& ftp();
    const std::string& remote() const { return remote_; }

    // Moves the current copy aside before the upload.
    void moveAside();
    // The upload is final: the previous copy goes.
    void dropPrevious();
    // Puts the previous copy back, on a new connection (the old one may be
    // what failed); errors are logged.
    void putBack();

private:
    TCommSettings settings_;
    TFtpLogin login_;
    std::string remote_, bak_;
    std::optional<TFtpClient> ftp_;
    bool aside_ = false;
    bool armed_ = false;
};

} // namespace vq::comm
