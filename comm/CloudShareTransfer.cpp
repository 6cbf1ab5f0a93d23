#include "comm/CloudShareTransfer.h"

#include "comm/FileCipher.h"
#include "comm/FtpClient.h"
#include "comm/LhaArchive.h"
#include "comm/PrivateWorkFolder.h"
#include "comm/ReceivedRestore.h"
#include "comm/SendDataSave.h"
#include "comm/ServerCopy.h"
#include "comm/ServerDownload.h"
#include "foundation/app/AccConstants.h"
#include "foundation/app/AccInf.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"
#include "platform/Interaction.h"

#include <optional>

namespace vq::comm {

namespace fs = std::filesystem;
using platform::MessageKind;

namespace {

constexpr const char* AntivirusMessage =
    "送信処理に失敗しました。ウイルス対策ソフトを実行中の場合は、終了してから再度送信を行ってください。";

// A step's failure under the name the steps below use.
[[noreturn]] void fail(std::string message = {}, MessageKind kind = MessageKind::Error)
{
    FailTransfer(std::move(message), kind);
}

} // namespace

TCloudShareTransfer::TCloudShareTransfer(TRelaySession& session, std::string folder, TCloudShareRecord record)
    : session_(session), folder_(std::move(folder)), record_(std::move(record))
{
    session_.Caller.CommId = record_.WEB_HOLDER;
}

fs::path TCloudShareTransfer::CopyFolder()
{
    return fs::path(SystemDef.TempDir) / "receive";
}

void TCloudShareTransfer::takeSlot(const char* connectMessage, const char* serverMessage, const char* otherMessage)
{
    std::string status;
    try {
        status = session_.TakeCloudSlot(record_.CLOUD_LINE);
    } catch (const TRelayValueRefused& e) {
        fail(e.what());
    } catch (const TRelayError&) {
        fail(Framed(connectMessage));
    } catch (const std::exception&) {
        fail(Framed(otherMessage));
    }
    if (status != "000")
        fail(Framed(std::string(serverMessage) + "(" + status + ")"));
    slotTaken_ = true;
}

void TCloudShareTransfer::releaseIfTaken()
{
    if (!slotTaken_)
        return;
    slotTaken_ = false;
    try {
        session_.NotifyShareState(record_.CLOUD_LINE, 1);
    } catch (const std::exception& e) {
        WriteCommLog(session_.Settings, std::string("slot not released: ") + e.what());
    }
}

std::int32_t TCloudShareTransfer::run(const std::function<void()>& steps)
{
    std::int32_t result = 1;
    try {
        result = runSteps(steps);
    } catch (...) {
        releaseIfTaken();
        throw;
    }
    if (result != 0)
        releaseIfTaken();
    return result;
}

std::int32_t TCloudShareTransfer::SendData(const TDataVersion& version)
{
    return run([&] {
        std::error_code ec;
        pause();
        takeSlot("サーバーに接続出来ません。(送信開始処理)", "送信開始処理サーバーエラー", "送信開始処理エラー");

        std::optional<TPrivateWorkFolder> work;
        try {
            work.emplace(workBase(), "ComS");
        } catch (const std::exception&) {
            fail("送信用フォルダの作成に失敗しました。");
        }
        const fs::path backup = *work / CloudBackupName, archive = *work / CloudArchiveName,
                       cipher = *work / CloudCipherName;
        step(1, "送信用データ保存　実行中");
        if (!SaveSendData(folder_, backup, "クラウドシェア送信"))
            fail();
        step(2, "送信用データ圧縮　実行中");
        pause();
        if (!fs::exists(backup))
            fail(Framed("バックアップファイルが見つかりません。"));
        // The archive goes straight into the cipher: only the compressed
        // member is held between the two steps, never an archive file.
        std::optional<TLhaPackedMember> packed;
        try {
            packed.emplace(backup, CloudBackupName, archive);
        } catch (const std::exception&) {
            fail("圧縮失敗");
        }
        step(3, "送信用データ暗号化　実行中");
        try {
            TCipherWriter out(cipher, CipherKeyText(record_.PASWORD));
            packed->WriteTo([&](const void* data, std::size_t n) { out.Write(data, n); });
            out.Commit();
        } catch (const std::exception&) {
            fail(Framed("暗号失敗"));
        }
        packed.reset();
        fs::remove(backup, ec);
        step(4, "クラウドへデータ送信　実行中");
        pause();
        const auto size = static_cast<std::int64_t>(fs::file_size(cipher, ec));
        if (ec)
            fail(Framed("暗号化ファイルが見つかりません。"));
        if (!session_.GetServerInfo(CloudListingRequest(session_.Caller, false, false), false))
            fail();

        TServerCopy copy(session_.Settings,
                         {session_.Table.Cells[CellFtpHost], record_.WEB_HOLDER, session_.Table.Cells[CellFtpPassword]},
                         SlotText(record_.CLOUD_LINE) + "/" + CloudCipherName);
        try {
            copy.ftp().Connect();
        } catch (const TFtpError&) {
            fail(Framed("サーバーの接続に失敗しました。"));
        }
        try {
            if (!copy.ftp().FolderExists(SlotText(record_.CLOUD_LINE)))
                fail(Framed("転送先のディレクトリが存在しません。"));
            copy.moveAside();
            copy.ftp().Put(cipher, copy.remote());
            pause();
            if (copy.ftp().Size(copy.remote()) != size)
                fail(AntivirusMessage);
        } catch (const TFtpError&) {
            fail(Framed("データの送信に失敗しました。"));
        }

        TSendCompletion send;
        send.Slot = record_.CLOUD_LINE;
        send.Name = AccInf.ENTTEXT;
        send.Nendo = AccInf.NENDO;
        send.Kishu = AccInf.KISHU;
        send.Kimatu = AccInf.KIMATU;
        send.Password = record_.PASWORD;
        send.Version = RelayVersionText(version.Major, version.Minor1);
        std::string status;
        try {
            status = session_.CompleteCloudSend(send);
        } catch (const TRelayValueRefused& e) {
            fail(e.what());
        } catch (const TRelayError&) {
            fail(Framed("サーバーに接続出来ません。(完了処理)"));
        } catch (const std::exception&) {
            fail(Framed("送信エラー"));
        }
        if (status != "000")
            fail(Framed(ServerErrorMessage(status)));
        copy.dropPrevious();
        // Only now is the server's copy this data set's: its time becomes
        // the data set's cloud time.
        if (!SaveCloudTimeOnOpenDataSet(folder_, session_.ServerUpdateTime))
            fail("ローカルデータの送信時間更新エラー");
        slotTaken_ = false;
        step(4, "クラウドへデータ送信　終了");
    });
}

bool TCloudShareTransfer::restoreReceivedData(const fs::path& backup, bool copy)
{
    if (!copy && DM && DM->AccDatInConnection(1, SystemDef.HostName, folder_, 0)) {
        platform::showMessage("このデータは他のオペレータが使用中です。 ", MessageKind::Warning);
        return false;
    }
    TReceivedRestore restore;
    restore.Backup = backup;
    restore.Folder = folder_;
    if (copy)
        restore.Apart = CopyFolder();
    restore.Caption = "クラウドシェア受信";
    restore.WorkBase = workBase();
    restore.RefuseOtherGassan = true;
    return RestoreReceivedBackup(restore);
}

std::int32_t TCloudShareTransfer::ReceiveData(bool copy)
{
    return run([&] {
        const std::string slotPassword = TrimBlanks(session_.Table.At(ColPassword, record_.CLOUD_LINE));
        if (slotPassword != record_.PASWORD)
            fail(Framed("クラウドデータと現在利用中のデータではパスワードが一致しません。"), MessageKind::Warning);
        const TGassanSetting saved = GassanSettingToKeep(folder_);
        step(1, "クラウドからデータ受信　実行中");
        pause();
        std::optional<TPrivateWorkFolder> work;
        try {
            work.emplace(workBase(), "ComR");
        } catch (const std::exception&) {
            fail(Framed("受信用フォルダの作成に失敗しました。"));
        }
        const fs::path cipher = *work / CloudCipherName, archive = *work / CloudArchiveName,
                       backup = *work / CloudBackupName;
        if (ProductKind != 2)
            takeSlot("サーバーに接続出来ません。(受信開始処理)", "受信開始処理サーバーエラー", "受信開始処理エラー");

        DownloadServerCopy(session_.Settings,
                           {session_.Table.Cells[CellFtpHost], record_.WEB_HOLDER, session_.Table.Cells[CellFtpPassword]},
                           SlotText(record_.CLOUD_LINE) + "/" + CloudCipherName, cipher);
        unpackReceived(cipher, archive, record_.PASWORD, CloudBackupName, backup);
        step(4, "受信データ復元・照合　実行中");
        pause();
        if (!restoreReceivedData(backup, copy))
            fail();
        step(4, "受信データ復元　終了");
        KeepGassanSetting(saved, copy ? CopyFolder() : fs::path(folder_));
        if (!copy && ProductKind != 2 && !SaveCloudTime({}, folder_, session_.ServerUpdateTime))
            fail("ローカルデータの最終更新日付更新エラー");
    });
}

} // namespace vq::comm
