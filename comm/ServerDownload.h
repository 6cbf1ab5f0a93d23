#pragma once
// The download of one slot's file from the relay server's FTP storage, the
// first step of every slot receive.
#include "comm/CommSettings.h"
#include "comm/FtpClient.h"

#include <filesystem>
#include <string>

namespace vq::comm {

// Downloads remote ("01/vqacc.wen") whole into local. Gives up through
// FailTransfer: the connection's failure and a missing or empty file with
// their messages, a failed or cut-short transfer after logging it.
void DownloadServerCopy(const TCommSettings& settings, const TFtpLogin& login, const std::string& remote,
                        const std::filesystem::path& local);

} // namespace vq::comm
