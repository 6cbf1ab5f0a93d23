#include "comm/DataTusinComm.h"

#include "comm/CloudShareDataFile.h"
#include "comm/CloudShareRecord.h"
#include "comm/CloudShareTransfer.h"
#include "foundation/app/AccConstants.h"
#include "foundation/calendar/DateText.h"
#include "foundation/data/DataModule.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/DbErrorReporter.h"
#include "platform/Interaction.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace vq::comm {

namespace {

bool blank(const std::string& text)
{
    return text.find_first_not_of(' ') == std::string::npos;
}

// The 0.48 s the communication screen waits before each server step,
// without processing messages (and without spinning a core for it).
void stepPause()
{
    std::this_thread::sleep_for(std::chrono::milliseconds(480));
}

// The data set of folder, opened in the data module for one transfer and
// closed again when this opened it.
class DataSetInUse {
public:
    explicit DataSetInUse(const std::string& folder) : folder_(folder)
    {
        if (!DM)
            return;
        if (DM->IBDatabaseDAT.connected() && SystemDef.DataDir == folder && DM->fnGetAccInfo())
            return;
        opened_ = DM->fnAccDatConnected(SystemDef.HostName, folder, 1);
        if (!opened_ || !DM->fnGetAccInfo())
            platform::showMessage("　\r\nデータの接続に失敗したため、データ選択画面を開きます。\r\n ",
                                  platform::MessageKind::Warning);
    }
    ~DataSetInUse()
    {
        try {
            if (opened_ && DM && DM->IBDatabaseDAT.connected())
                DM->CloseAccDat(folder_, 1, 0);
        } catch (...) {
        }
    }

private:
    std::string folder_;
    bool opened_ = false;
};

std::string inUseMessage(const TServerTable& table, std::int32_t slot)
{
    const std::string user = TrimBlanks(table.At(ColUser, slot));
    if (user.empty())
        return "現在使用中のため選択できません。 ";
    const std::string digits = TrimBlanks(user.substr(0, std::min<std::size_t>(4, user.size())));
    std::string code;
    try {
        std::size_t used = 0;
        const int n = std::stoi(digits, &used);
        if (used == digits.size())
            code = std::to_string(n);
    } catch (const std::exception&) {
    }
    return "現在使用中のため選択できません。\r\nオペレータコード: [ " + code + " ]\r\nオペレータ名:     [ " +
           (user.size() > 4 ? user.substr(4) : std::string()) + " ]\r\nコンピュータ名:   [ " +
           TrimBlanks(table.At(ColComputer, slot)) + " ]";
}

bool readRecord(const std::string& folder, TCloudShareRecord& record)
{
    try {
        record = ReadCloudShareRecord(SystemDef.HostName, folder);
        return true;
    } catch (...) {
        ReportCurrentException("TfmDataTusin", "クラウドシェア領域の読み込みに失敗しました。", false);
        return false;
    }
}

// The cloud listing for the data set's communication ID (1725).
bool readListing(TRelaySession& session, const TCloudShareRecord& record, std::int32_t automatic)
{
    session.Caller.CommId = record.WEB_HOLDER;
    return session.GetServerInfo(CloudListingRequest(session.Caller, false, automatic == 1 || ProductKind == 2),
                                 false);
}

// Another operator's or computer's slot is refused with who holds it.
// A receive needs a cloud slot chosen for the data set (1 to 10).
bool receiveSlotChosen(std::int32_t slot)
{
    if (slot >= 1 && slot <= 10)
        return true;
    platform::showMessage("クラウド領域を選択していません。", platform::MessageKind::Information);
    return false;
}

bool refusedAsHeldByOther(const TRelaySession& session, std::int32_t slot)
{
    if (!session.HeldByOther(slot))
        return false;
    platform::showMessage(inUseMessage(session.Table, slot), platform::MessageKind::Information);
    return true;
}

void reportReceiveError(const std::exception& e)
{
    platform::showMessage(ExceptionReport("クラウドシェアデータ受信処理中にエラーになりました。\r\n", e),
                          platform::MessageKind::Error);
}

} // namespace

TCloudShareTransfer TDataTusinComm::NewTransfer(TRelaySession& session, const std::string& folder,
                                                const TCloudShareRecord& record) const
{
    TCloudShareTransfer transfer(session, folder, record);
    if (Pauses)
        transfer.Pause = stepPause;
    transfer.WorkBase = WorkBase;
    transfer.Step = Step;
    return transfer;
}

std::int32_t TDataTusinComm::CloudShareSend(const std::string& folder, const std::string& waitCaption,
                                            std::int32_t automatic)
{
    (void)waitCaption;
    TRelaySession session = NewSession();
    if (blank(folder))
        return 1;
    DataSetInUse data(folder);
    TDataVersion version;
    if (!ReadDataVersion({}, folder, version)) {
        platform::showMessage("データバージョンが取得できません。", platform::MessageKind::Warning);
        return 1;
    }
    TCloudShareRecord record;
    if (!readRecord(folder, record))
        return 1;
    if (record.CLOUD_LINE < 1 || record.CLOUD_LINE > 10) {
        platform::showMessage("クラウドシェア領域が選択されていません。", platform::MessageKind::Warning);
        return 1;
    }
    try {
        if (!readListing(session, record, automatic))
            return 1;
        // Another computer's slot is never overwritten, whatever the mode.
        if (refusedAsHeldByOther(session, record.CLOUD_LINE))
            return 1;
        return NewTransfer(session, folder, record).SendData(version) == 0 ? 0 : 1;
    } catch (const std::exception& e) {
        platform::showMessage(ExceptionReport("クラウドシェアデータ送信処理中にエラーになりました。\r\n", e),
                              platform::MessageKind::Error);
    }
    return 1;
}

std::int32_t TDataTusinComm::CloudShareReceive(const std::string& folder, std::int32_t automatic, std::int32_t mode)
{
    TRelaySession session = NewSession();
    if (blank(folder))
        return 1;
    DataSetInUse data(folder);
    TCloudShareRecord record;
    if (!readRecord(folder, record))
        return 1;
    try {
        if (!readListing(session, record, automatic))
            return 1;
        const std::int32_t slot = record.CLOUD_LINE;
        if (!receiveSlotChosen(slot))
            return 1;
        if (TrimBlanks(session.Table.At(ColName, slot)).empty()) {
            platform::showMessage("設定された領域にはデータがありません。 ", platform::MessageKind::Information);
            return 1;
        }
        const bool inUse = TrimBlanks(session.Table.At(ColState, slot)) == "2";
        const std::int32_t done = mode == 1 && inUse ? 5 : 0;
        // Another computer's slot is refused before any shortcut takes it.
        if (mode == 0 && refusedAsHeldByOther(session, slot))
            return 1;
        const std::string& time = session.Table.SlotUpdateTime[static_cast<std::size_t>(slot)];
        bool latest = time.size() >= 10 && time.rfind("0000", 0) != 0 && record.CLOUD_TIME != 0 &&
                      FormatDateTime("yyyy/mm/dd hh:nn:ss", record.CLOUD_TIME) == time;
        if (latest && ConnectMode != ConnectStandAlone) {
            const std::string computer = TrimBlanks(session.Table.At(ColComputer, slot));
            const std::string user = TrimBlanks(session.Table.At(ColUser, slot));
            latest = (computer.empty() || computer == session.ComputerText) &&
                     (user.empty() || user == session.OperatorText);
        }
        if (latest && ProductKind == 2) {
            if (inUse)
                return 0;
            latest = false;
        }
        if (latest)
            return NotifyReceiveEnd(session, folder, slot) ? done : 1;
        if (inUse && mode == 0) {
            platform::showMessage(inUseMessage(session.Table, slot), platform::MessageKind::Information);
            return 1;
        }
        return NewTransfer(session, folder, record).ReceiveData(false) == 0 ? done : 1;
    } catch (const std::exception& e) {
        reportReceiveError(e);
    }
    return 1;
}

std::int32_t TDataTusinComm::CloudShareReceiveTo(const std::string& folder, std::int32_t automatic)
{
    TRelaySession session = NewSession();
    if (blank(folder))
        return 1;
    DataSetInUse data(folder);
    TCloudShareRecord record;
    if (!readRecord(folder, record))
        return 1;
    try {
        if (!readListing(session, record, automatic))
            return 1;
        if (!receiveSlotChosen(record.CLOUD_LINE))
            return 1;
        if (refusedAsHeldByOther(session, record.CLOUD_LINE))
            return 1;
        return NewTransfer(session, folder, record).ReceiveData(true) == 0 ? 0 : 1;
    } catch (const std::exception& e) {
        reportReceiveError(e);
    }
    return 1;
}

bool TDataTusinComm::NotifyReceiveEnd(TRelaySession& session, const std::string& folder, std::int32_t slot) const
{
    std::string status;
    try {
        status = session.TakeCloudSlot(slot);
    } catch (const TRelayValueRefused& e) {
        platform::showMessage(e.what(), platform::MessageKind::Error);
        return false;
    } catch (const std::exception&) {
        platform::showMessage(Framed(NoConnectionMessage), platform::MessageKind::Error);
        return false;
    }
    if (status != "000") {
        platform::showMessage(Framed(ServerErrorMessage(status)), platform::MessageKind::Error);
        return false;
    }
    if (SaveCloudTime({}, folder, session.ServerUpdateTime))
        return true;
    // This call took the slot: it does not keep it for a data set it could not mark.
    try {
        session.NotifyShareState(slot, 1);
    } catch (const std::exception&) {
    }
    return false;
}

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
