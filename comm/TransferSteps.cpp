#include "comm/TransferSteps.h"

#include "comm/FileCipher.h"
#include "comm/LhaArchive.h"
#include "comm/RelaySession.h"

#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/dataset/DataInfomation.h"

namespace vq::comm {

namespace fs = std::filesystem;

void FailTransfer(std::string message, platform::MessageKind kind)
{
    throw TTransferFailed{std::move(message), kind};
}

void TTransferSteps::pause() const
{
    if (Pause)
        Pause();
}

void TTransferSteps::step(int box, const std::string& caption) const
{
    if (Step)
        Step(box, caption);
}

fs::path TTransferSteps::workBase() const
{
    if (!WorkBase.empty())
        return WorkBase;
    return SystemDef.WinTempDir.empty() ? fs::temp_directory_path() : fs::path(SystemDef.WinTempDir);
}

std::int32_t TTransferSteps::runSteps(const std::function<void()>& steps)
{
    try {
        steps();
        return 0;
    } catch (const TTransferFailed& f) {
        if (!f.Message.empty())
            platform::showMessage(f.Message, f.Kind);
    }
    return 1;
}

void MarkTransferStatus(const std::string& folder, std::uint8_t status)
{
    try {
        TDataInfomation info;
        info.Location = ConnectMode;
        info.WriteDataStatus(folder, status);
    } catch (const std::exception&) {
    }
}

void TTransferSteps::unpackReceived(const std::filesystem::path& cipher, const std::filesystem::path& archive,
                                    const std::string& password, const std::string& member,
                                    const std::filesystem::path& backup) const
{
    step(2, "受信データ暗号解読　実行中");
    pause();
    try {
        DecryptFile(cipher, archive, CipherKeyText(password));
    } catch (const std::exception&) {
        FailTransfer(Framed("暗号解読失敗"));
    }
    step(3, "受信データ圧縮解凍　実行中");
    pause();
    try {
        ExtractLhaMember(archive, member, backup);
    } catch (const std::exception&) {
        FailTransfer(Framed("解凍失敗"));
    }
}

} // namespace vq::comm
