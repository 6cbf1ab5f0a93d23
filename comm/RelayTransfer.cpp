#include "comm/RelayTransfer.h"

#include "comm/FileCipher.h"
#include "comm/FtpClient.h"
#include "comm/LhaArchive.h"
#include "comm/PrivateWorkFolder.h"
#include "comm/ReceivedRestore.h"
#include "comm/SendDataSave.h"
#include "comm/ServerCopy.h"
#include "comm/ServerDownload.h"
#include "datasets/operations/DataSetBackupTool.h"
#include "platform/Interaction.h"

#include <optional>

namespace vq::comm {

namespace fs = std::filesystem;
using platform::MessageKind;

namespace {

constexpr const char* AntivirusMessage = "送信処理に失敗しました。ウイルス対策ソフトを実行中の場合は、終了してから再"
                                         "度送信を行ってください。";

[[noreturn]] void fail(std::string message = {}, MessageKind kind = MessageKind::Error)
{
    FailTransfer(std::move(message), kind);
}

} // namespace

std::string RelayStampText(const std::string& d)
{
    if (d.size() < 12)
        return {};
    return d.substr(0, 4) + "/" + d.substr(4, 2) + "/" + d.substr(6, 2) + " " + d.substr(8, 2) + ":" + d.substr(10, 2);
}

TRelayTransfer::TRelayTransfer(TRelaySession& session, TRelayKind kind, std::string folder, std::string commId,
                               std::string password)
    : session_(session)
    , kind_(kind)
    , folder_(std::move(folder))
    , commId_(std::move(commId))
    , password_(std::move(password))
{
    session_.Caller.CommId = commId_;
}

std::int32_t TRelayTransfer::Send(std::int32_t slot, TSendCompletion completion)
{
    const bool relay = kind_ == TRelayKind::Relay;
    return runSteps([&] {
        std::error_code ec;
        std::optional<TPrivateWorkFolder> work;
        try {
            work.emplace(workBase(), "ComS");
        } catch (const std::exception&) {
            fail("送信用フォルダの作成に失敗しました。");
        }
        const fs::path backup = *work / RelayBackupName, archive = *work / RelayArchiveName,
                       cipher = *work / RelayCipherName;
        step(1, "送信用データ保存　実行中");
        if (!SaveSendData(folder_, backup, relay ? "データ送信" : "現金出納帳送信"))
            fail();
        step(2, "送信用データ圧縮　実行中");
        pause();
        if (!fs::exists(backup))
            fail(Framed("バックアップファイルが見つかりません。"));
        try {
            WriteLhaArchive(archive, backup, RelayBackupName);
        } catch (const std::exception&) {
            fail(relay ? "圧縮失敗" : Framed("圧縮失敗"));
        }
        fs::remove(backup, ec);
        step(3, "送信用データ暗号化　実行中");
        try {
            EncryptFile(archive, cipher, CipherKeyText(password_));
        } catch (const std::exception&) {
            fail(Framed("暗号失敗"));
        }
        fs::remove(archive, ec);
        step(4, "中継サーバーへデータ送信　実行中");
        pause();
        const auto size = static_cast<std::int64_t>(fs::file_size(cipher, ec));
        if (ec)
            fail(Framed("暗号化ファイルが見つかりません。"));

        TServerCopy copy(session_.Settings,
                         {session_.Table.Cells[CellFtpHost], commId_, session_.Table.Cells[CellFtpPassword]},
                         SlotText(slot) + "/" + RelayCipherName);
        try {
            copy.ftp().Connect();
        } catch (const TFtpError&) {
            fail(Framed("サーバーの接続に失敗しました。"));
        }
        try {
            if (!copy.ftp().FolderExists(SlotText(slot)))
                fail(Framed("転送先のディレクトリが存在しません。"));
            copy.moveAside();
            copy.ftp().Put(cipher, copy.remote());
            pause();
            if (copy.ftp().Size(copy.remote()) != size)
                fail(AntivirusMessage);
        } catch (const TFtpError&) {
            fail(Framed("データの送信に失敗しました。"));
        }

        completion.Slot = slot;
        completion.Password = password_;
        TRelayReply reply;
        try {
            reply = session_.Run(relay ? RelaySendCompleteRequest(session_.Caller, completion)
                                       : CashBookSendCompleteRequest(session_.Caller, completion));
        } catch (const TRelayValueRefused& e) {
            fail(e.what());
        } catch (const TRelayError&) {
            fail(Framed("サーバーに接続出来ません。(完了処理)"));
        } catch (const std::exception&) {
            fail(Framed("送信エラー"));
        }
        const std::string status = reply.Status(6);
        if (status != "000")
            fail(Framed(ServerErrorMessage(status)));
        copy.dropPrevious();
        session_.Table.At(ColSendTime, slot) = reply.From(5, 8);
        session_.Table.At(ColReceiveTime, slot) = "-";
        session_.Table.At(ColReceiveTimeDisp, slot) = "-";
        step(4, "中継サーバーへデータ送信　終了");
    });
}

bool TRelayTransfer::restoreOverDataSet(const fs::path& backup) const
{
    TReceivedRestore restore;
    restore.Backup = backup;
    restore.Folder = folder_;
    restore.Caption = "データ受信";
    restore.WorkBase = workBase();
    return RestoreReceivedBackup(restore);
}

bool TRelayTransfer::restoreApart(const fs::path& backup, const fs::path& target) const
{
    std::error_code ec;
    fs::remove(target, ec);
    fs::create_directories(target.parent_path(), ec);
    DataSetBackupTool tool;
    tool.Caption = "現金出納帳受信";
    tool.Direct = true;
    const BackupJobResult restored = tool.restore(backup, target, true);
    if (!restored.Succeeded) {
        platform::showMessage(restored.Message + "\r" + restored.Detail, MessageKind::Warning);
        platform::showMessage("データの復元に失敗しました。\r復元処理を中止しました。", MessageKind::Error);
    }
    return restored.Succeeded;
}

std::int32_t TRelayTransfer::Receive(std::int32_t slot, const fs::path& target)
{
    const bool relay = kind_ == TRelayKind::Relay;
    return runSteps([&] {
        const TGassanSetting saved = relay ? GassanSettingToKeep(folder_) : TGassanSetting{};
        step(1, "中継サーバーからデータ受信　実行中");
        pause();
        std::optional<TPrivateWorkFolder> work;
        try {
            work.emplace(workBase(), "ComR");
        } catch (const std::exception&) {
            fail(relay ? Framed("受信用フォルダの作成に失敗しました。") : "受信用フォルダの作成に失敗しました。");
        }
        const fs::path cipher = *work / RelayCipherName, archive = *work / RelayArchiveName,
                       backup = *work / RelayBackupName;
        DownloadServerCopy(session_.Settings,
                           {session_.Table.Cells[CellFtpHost], commId_, session_.Table.Cells[CellFtpPassword]},
                           SlotText(slot) + "/" + RelayCipherName, cipher);
        unpackReceived(cipher, archive, password_, RelayBackupName, backup);
        step(4, "受信データ復元・照合　実行中");
        pause();
        if (!(relay ? restoreOverDataSet(backup) : restoreApart(backup, target)))
            fail();
        step(4, "受信データ復元　終了");
        if (!relay)
            return;
        KeepGassanSetting(saved, folder_);
        TRelayReply reply;
        try {
            reply = session_.Run(ReceiveCompleteRequest(session_.Caller, slot));
        } catch (const TRelayValueRefused& e) {
            fail(e.what());
        } catch (const TRelayError&) {
            fail(Framed("サーバーに接続出来ません。(完了処理)"));
        } catch (const std::exception&) {
            fail(Framed("受信完了処理エラー"));
        }
        const std::string status = reply.Status(6);
        if (status != "000")
            fail(Framed("完了処理サーバーエラー(" + status + ")"));
        const std::string stamp = RelayStampText(reply.From(5, 8));
        session_.Table.At(ColReceiveTime, slot) = stamp;
        session_.Table.At(ColReceiveTimeDisp, slot) = stamp;
    });
}

} // namespace vq::comm
