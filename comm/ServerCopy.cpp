#include "comm/ServerCopy.h"

namespace vq::comm {

TServerCopy::TServerCopy(const TCommSettings& settings, TFtpLogin login, std::string remote)
    : settings_(settings)
    , login_(std::move(login))
    , remote_(std::move(remote))
    , bak_(remote_ + "bak")
{
}

TServerCopy::~TServerCopy()
{
    putBack();
}

TFtpClient& TServerCopy::ftp()
{
    if (!ftp_)
        ftp_.emplace(settings_, login_);
    return *ftp_;
}

void TServerCopy::moveAside()
{
    std::int64_t current = ftp().Size(remote_);
    // A "bak" beside a current copy is dropped; without one it is the
    // current copy again.
    if (ftp().Size(bak_) >= 0) {
        if (current > 0) {
            ftp().Delete(bak_);
        } else {
            ftp().Rename(bak_, remote_);
            current = ftp().Size(remote_);
        }
    }
    if (current > 0) {
        ftp().Rename(remote_, bak_);
        aside_ = true;
    }
    armed_ = true;
}

void TServerCopy::dropPrevious()
{
    armed_ = false;
    if (!aside_)
        return;
    try {
        ftp().Delete(bak_);
    } catch (const TFtpError& e) {
        // The next upload clears it.
        WriteCommLog(settings_, std::string("previous copy left as bak: ") + e.what());
    }
}

void TServerCopy::putBack()
{
    if (!armed_)
        return;
    armed_ = false;
    try {
        ftp_.reset();
        ftp().Connect();
        if (ftp().Size(remote_) >= 0)
            ftp().Delete(remote_);
        if (aside_)
            ftp().Rename(bak_, remote_);
    } catch (const TFtpError& e) {
        WriteCommLog(settings_, std::string("previous copy not put back: ") + e.what());
    }
}

} // namespace vq::comm
