#include "comm/DataTusinComm.h"

#include "comm/CloudShareRecord.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/DbErrorReporter.h"
#include "platform/Interaction.h"

namespace vq::comm {

namespace {

bool blank(const std::string& text)
{
    return text.find_first_not_of(' ') == std::string::npos;
}

} // namespace

TRelaySession TDataTusinComm::NewSession() const
{
    TRelaySession session(settings_ ? *settings_ : LoadCommSettings());
    try {
        session.MakeClientNames(SystemDef.OPCODE, SystemDef.OPNAME, platform::interaction().computerName());
    } catch (const std::exception& e) {
        platform::showMessage(ExceptionReport("コンピュータ名取得エラー\r\n", e), platform::MessageKind::Error);
    }
    return session;
}

std::int32_t TDataTusinComm::ReleaseCloudShare(const std::string& folder)
{
    TRelaySession session = NewSession();
    if (blank(folder))
        return 1;
    TCloudShareRecord record;
    try {
        record = ReadCloudShareRecord(SystemDef.HostName, folder);
    } catch (...) {
        ReportCurrentException("TfmDataTusin.ReleaseCloudShare", "クラウドシェア領域の読み込みに失敗しました。", false);
        return 1;
    }
    if (record.CLOUD_LINE < 1 || record.CLOUD_LINE > 10) {
        platform::showMessage("クラウドシェア領域が設定されていません。", platform::MessageKind::Warning);
        return 1;
    }
    // The analysis product keeps its slots in use.
    if (ProductKind == 2)
        return 1;
    session.Caller.CommId = record.WEB_HOLDER;
    try {
        return session.NotifyShareState(record.CLOUD_LINE, 1) ? 0 : 1;
    } catch (const TRelayValueRefused& e) {
        platform::showMessage(e.what(), platform::MessageKind::Error);
    } catch (const std::exception&) {
        platform::showMessage(Framed(NoConnectionMessage), platform::MessageKind::Error);
    }
    return 1;
}

void InstallDataTusinComm()
{
    SetCloudShareCommFactory([] { return std::make_unique<TDataTusinComm>(); });
}

} // namespace vq::comm
