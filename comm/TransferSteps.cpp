#include "comm/TransferSteps.h"

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

} // namespace vq::comm
