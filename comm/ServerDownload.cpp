#include "comm/ServerDownload.h"

#include "comm/RelaySession.h"
#include "comm/TransferSteps.h"

namespace vq::comm {

namespace fs = std::filesystem;
using platform::MessageKind;

void DownloadServerCopy(const TCommSettings& settings, const TFtpLogin& login, const std::string& remote,
                        const fs::path& local)
{
    TFtpClient ftp(settings, login);
    try {
        ftp.Connect();
    } catch (const TFtpError&) {
        FailTransfer(Framed("サーバーの接続に失敗しました。"));
    }
    std::int64_t size = -1;
    try {
        size = ftp.Size(remote);
        if (size >= 1)
            ftp.Get(remote, local);
    } catch (const TFtpError& e) {
        WriteCommLog(settings, e.what());
        FailTransfer();
    }
    if (size < 1)
        FailTransfer(Framed("ダウンロードファイルが見つかりません。"), MessageKind::Warning);
    // A download cut short is no copy of the server's file.
    std::error_code ec;
    if (static_cast<std::int64_t>(fs::file_size(local, ec)) != size || ec) {
        WriteCommLog(settings, "download of " + remote + " shorter than its size");
        FailTransfer();
    }
}

} // namespace vq::comm
