#include "comm/CloudShareTransfer.h"

#include "comm/DataListRow.h"
#include "comm/FileCipher.h"
#include "comm/FtpClient.h"
#include "comm/LhaArchive.h"
#include "comm/PrivateWorkFolder.h"
#include "datasets/operations/BackupTrailer.h"
#include "datasets/operations/CollationCheck.h"
#include "datasets/operations/DataSetBackupTool.h"
#include "foundation/app/AccConstants.h"
#include "foundation/app/AccInf.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/calendar/DateText.h"
#include "foundation/data/DataModule.h"
#include "foundation/dataset/DataInfomation.h"
#include "platform/Interaction.h"

#include <optional>

namespace vq::comm {

namespace fs = std::filesystem;
using platform::MessageKind;

namespace {

// A failed step: its message (none when the step reported already).
struct TransferFailed {
    std::string Message;
    MessageKind Kind = MessageKind::Error;
};

[[noreturn]] void fail(std::string message = {}, MessageKind kind = MessageKind::Error)
{
    throw TransferFailed{std::move(message), kind};
}

constexpr const char* AntivirusMessage =
    "送信処理に失敗しました。ウイルス対策ソフトを実行中の場合は、終了してから再度送信を行ってください。";

// The consolidation refusals of a received backup: the open data set's kind
// and the received kind.
const char* gassanRefusal(int open, int received)
{
    struct Row {
        int open, received;
        const char* message;
    };
    static const Row rows[] = {
        {1, 0, "現在の処理データは、合算データですが、受信したデータは、通常データなので、復元出来ません。"},
        {1, 2, "現在の処理データは、合算データですが、受信したデータは、合算本支店データなので、復元出来ません。"},
        {1, 10, "現在の処理データは、合算データですが、受信したデータは、分散データなので、復元出来ません。"},
        {2, 0, "現在の処理データは、合算本支店データですが、受信したデータは、通常データなので、復元出来ません。"},
        {2, 1, "現在の処理データは、合算本支店データですが、受信したデータは、合算データなので、復元出来ません。"},
        {2, 10, "現在の処理データは、合算本支店データですが、受信したデータは、分散データなので、復元出来ません。"},
    };
    for (const auto& r : rows)
        if (r.open == open && r.received == received)
            return r.message;
    return nullptr;
}

int kindNumber(const std::string& text)
{
    try {
        return text.empty() ? 0 : std::stoi(text);
    } catch (const std::exception&) {
        return 0;
    }
}

TDataInfomationRec fromTrailer(const BackupTrailer& t)
{
    TDataInfomationRec r;
    r.SHOUGOU = t.SHOUGOU;
    r.KISHU = t.KISHU;
    r.KIMATU = t.KIMATU;
    r.SIWAKE = t.SIWAKE;
    r.TOTALSIWAKE = t.TOTALSIWAKE;
    r.USEMYNUMBER = t.USEMYNUMBER;
    r.GASSANKBN = static_cast<std::uint8_t>(t.GASSAN);
    return r;
}

void markStatus(const std::string& folder, std::uint8_t status)
{
    try {
        TDataInfomation info;
        info.Location = ConnectMode;
        info.WriteDataStatus(folder, status);
    } catch (const std::exception&) {
        // The mark only informs other screens; the transfer goes on.
    }
}

// The server's copy of one slot while a send replaces it.
class RemoteCopy {
public:
    RemoteCopy(const TCommSettings& settings, TFtpLogin login, const std::string& folder)
        : settings_(settings), login_(std::move(login)), remote_(folder + "/" + CloudCipherName),
          bak_(remote_ + "bak")
    {
    }

    TFtpClient& ftp()
    {
        if (!ftp_)
            ftp_.emplace(settings_, login_);
        return *ftp_;
    }
    const std::string& remote() const { return remote_; }

    // Moves the current copy aside. A "bak" of an earlier failed send is
    // dropped when a current copy exists, and is the current copy again when
    // none does.
    void moveAside()
    {
        std::int64_t current = ftp().Size(remote_);
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
    // The upload is final: the previous copy goes.
    void dropPrevious()
    {
        armed_ = false;
        if (!aside_)
            return;
        try {
            ftp().Delete(bak_);
        } catch (const TFtpError& e) {
            // The next send clears it.
            WriteCommLog(settings_, std::string("previous copy left as bak: ") + e.what());
        }
    }
    // Puts the previous copy back (or removes a new one where there was
    // none), on a new connection: the old one may be what failed.
    void putBack()
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
    ~RemoteCopy() { putBack(); }

private:
    TCommSettings settings_;
    TFtpLogin login_;
    std::string remote_, bak_;
    std::optional<TFtpClient> ftp_;
    bool aside_ = false;
    bool armed_ = false;
};

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

void TCloudShareTransfer::pause() const
{
    if (Pause)
        Pause();
}

void TCloudShareTransfer::step(int box, const std::string& caption) const
{
    if (Step)
        Step(box, caption);
}

fs::path TCloudShareTransfer::workBase() const
{
    if (!WorkBase.empty())
        return WorkBase;
    return SystemDef.WinTempDir.empty() ? fs::temp_directory_path() : fs::path(SystemDef.WinTempDir);
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

bool TCloudShareTransfer::saveSendData(const fs::path& backup) const
{
    markStatus(folder_, DataStatusSaving);
    TDataInfomationRec info;
    TDataInfomation reader;
    reader.Location = ConnectMode;
    bool described = false;
    try {
        described = reader.GetDataInfoRec(info);
    } catch (const std::exception&) {
    }
    BackupJobResult result;
    if (described) {
        BackupTrailer trailer;
        trailer.SHOUGOU = info.SHOUGOU;
        trailer.KISHU = info.KISHU;
        trailer.KIMATU = info.KIMATU;
        trailer.SIWAKE = info.SIWAKE;
        trailer.TOTALSIWAKE = info.TOTALSIWAKE;
        trailer.DATAVARSION = std::to_string(info.MAJOR) + "." + std::to_string(info.MINOR1) + "." +
                              std::to_string(info.MINOR2);
        trailer.GASSAN = info.GASSANKBN;
        trailer.USEMYNUMBER = info.USEMYNUMBER;
        DataSetBackupTool tool;
        tool.Caption = "クラウドシェア送信";
        result = tool.save(fs::path(folder_) / DataDbFileName, backup, trailer);
        if (!result.Succeeded)
            platform::showMessage(result.Message + "\r" + result.Detail, MessageKind::Warning);
    }
    markStatus(folder_, DataStatusFree);
    if (!result.Succeeded)
        platform::showMessage("データの保存に失敗しました。\r保存処理を中止しました。", MessageKind::Error);
    return result.Succeeded;
}

std::int32_t TCloudShareTransfer::run(const std::function<void()>& steps)
{
    try {
        steps();
        return 0;
    } catch (const TransferFailed& f) {
        if (!f.Message.empty())
            platform::showMessage(f.Message, f.Kind);
    } catch (...) {
        releaseIfTaken();
        throw;
    }
    releaseIfTaken();
    return 1;
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
        if (!saveSendData(backup))
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

        RemoteCopy copy(session_.Settings,
                        {session_.Table.Cells[CellFtpHost], record_.WEB_HOLDER, session_.Table.Cells[CellFtpPassword]},
                        SlotText(record_.CLOUD_LINE));
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

void TCloudShareTransfer::keepGassanSetting(const TGassanSetting& saved, const fs::path& target) const
{
    const std::string folder = target.string();
    if (ConnectMode != ConnectStandAlone) {
        WriteGassanSetting({}, folder, {"0", "0"});
        return;
    }
    if (ProductKind == 3 || saved.Kubun.empty())
        return;
    if (saved.Kubun == "1" || saved.Kubun == "2" || saved.Kubun == "10") {
        WriteGassanSetting({}, folder, saved);
    } else if (saved.Kubun == "0") {
        TGassanSetting received;
        if (ReadGassanSetting({}, folder, received) && received.Kubun == "10")
            WriteGassanSetting({}, folder, {"0", "0"});
    }
}

bool TCloudShareTransfer::restoreReceivedData(const fs::path& backup, bool copy)
{
    const std::string host = SystemDef.HostName;
    if (!copy) {
        if (DM && DM->AccDatInConnection(1, host, folder_, 0)) {
            platform::showMessage("このデータは他のオペレータが使用中です。 ", MessageKind::Warning);
            return false;
        }
        // The data-list row is written after the restore; a folder that no
        // row, or several, name is refused before anything is replaced.
        if (CountDataListRows(folder_) != 1) {
            platform::showMessage(BadDataFolderMessage, MessageKind::Error);
            return false;
        }
    }
    BackupTrailer trailer;
    const bool withTrailer = ReadBackupTrailer(backup, trailer, true);
    const fs::path target = copy ? CopyFolder() : fs::path(folder_);
    DataSetBackupTool tool;
    tool.Caption = "クラウドシェア受信";

    if (!copy && fs::exists(target / DataDbFileName)) {
        TDataInfomationRec source;
        if (withTrailer) {
            TGassanSetting open;
            ReadGassanSetting({}, folder_, open);
            if (const char* refusal = gassanRefusal(kindNumber(open.Kubun), trailer.GASSAN)) {
                platform::showMessage(refusal, MessageKind::Warning);
                return false;
            }
            source = fromTrailer(trailer);
        } else {
            // Without a description the backup is restored apart first and
            // described from its own database.
            TPrivateWorkFolder check(workBase(), "ComC");
            tool.Direct = true;
            const BackupJobResult trial = tool.restore(backup, check.path() / DataDbFileName, true);
            tool.Direct = false;
            TDataInfomation reader;
            reader.Location = ConnectStandAlone;
            if (!trial.Succeeded || !reader.GetDataInfoFromFolder(check.path().string(), source)) {
                platform::showMessage(trial.Message + "\r" + trial.Detail, MessageKind::Warning);
                return false;
            }
        }
        TDataInfomation targetInfo;
        targetInfo.Location = ConnectMode;
        TDataInfomationRec current;
        targetInfo.RefreshIniFile(folder_, "DATAINFO");
        targetInfo.ReadDataInfo(folder_, current);
        if (CollationCheck(OpRestore, source, current) != 1)
            return false;
    }
    if (copy) {
        std::error_code ec;
        fs::remove_all(target, ec);
    }
    fs::create_directories(target);
    markStatus(target.string(), DataStatusRestoring);
    if (copy)
        tool.Direct = true;
    const BackupJobResult restored =
        withTrailer ? tool.restore(backup, target / DataDbFileName, true, trailer)
                    : tool.restore(backup, target / DataDbFileName, true);
    bool ok = restored.Succeeded;
    if (!ok)
        platform::showMessage(restored.Message + "\r" + restored.Detail, MessageKind::Warning);
    if (ok && !copy) {
        TDataInfomation info;
        info.Location = ConnectMode;
        TDataInfomationRec rec;
        ok = info.GetDataInfoFromFolder(folder_, rec);
        if (ok) {
            info.UpdateDataInfomation(host, folder_, rec);
            UpdateDataListRow(folder_, rec);
        }
    }
    markStatus(target.string(), DataStatusFree);
    if (!ok)
        platform::showMessage("データの復元に失敗しました。\r復元処理を中止しました。", MessageKind::Error);
    return ok;
}

std::int32_t TCloudShareTransfer::ReceiveData(bool copy)
{
    return run([&] {
        const std::string slotPassword = TrimBlanks(session_.Table.At(ColPassword, record_.CLOUD_LINE));
        if (slotPassword != record_.PASWORD)
            fail(Framed("クラウドデータと現在利用中のデータではパスワードが一致しません。"), MessageKind::Warning);
        TGassanSetting saved;
        if (ConnectMode == ConnectStandAlone && ProductKind != 3)
            ReadGassanSetting({}, folder_, saved);
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

        {
            TFtpClient ftp(session_.Settings,
                           {session_.Table.Cells[CellFtpHost], record_.WEB_HOLDER, session_.Table.Cells[CellFtpPassword]});
            try {
                ftp.Connect();
            } catch (const TFtpError&) {
                fail(Framed("サーバーの接続に失敗しました。"));
            }
            const std::string remote = SlotText(record_.CLOUD_LINE) + "/" + CloudCipherName;
            std::int64_t size = -1;
            try {
                size = ftp.Size(remote);
                if (size >= 1)
                    ftp.Get(remote, cipher);
            } catch (const TFtpError& e) {
                WriteCommLog(session_.Settings, e.what());
                fail();
            }
            if (size < 1)
                fail(Framed("ダウンロードファイルが見つかりません。"), MessageKind::Warning);
            // A download cut short is no copy of the server's file.
            std::error_code ec;
            if (static_cast<std::int64_t>(fs::file_size(cipher, ec)) != size || ec) {
                WriteCommLog(session_.Settings, "download of " + remote + " shorter than its size");
                fail();
            }
        }
        step(2, "受信データ暗号解読　実行中");
        pause();
        try {
            DecryptFile(cipher, archive, CipherKeyText(record_.PASWORD));
        } catch (const std::exception&) {
            fail(Framed("暗号解読失敗"));
        }
        step(3, "受信データ圧縮解凍　実行中");
        pause();
        try {
            ExtractLhaMember(archive, CloudBackupName, backup);
        } catch (const std::exception&) {
            fail(Framed("解凍失敗"));
        }
        step(4, "受信データ復元・照合　実行中");
        pause();
        if (!restoreReceivedData(backup, copy))
            fail();
        step(4, "受信データ復元　終了");
        keepGassanSetting(saved, copy ? CopyFolder() : fs::path(folder_));
        if (!copy && ProductKind != 2 && !SaveCloudTime({}, folder_, session_.ServerUpdateTime))
            fail("ローカルデータの最終更新日付更新エラー");
    });
}

} // namespace vq::comm
