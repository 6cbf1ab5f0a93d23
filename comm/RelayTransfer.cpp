#include "comm/RelayTransfer.h"

#include "comm/CloudShareDataFile.h"
#include "comm/DataListRow.h"
#include "comm/FileCipher.h"
#include "comm/FtpClient.h"
#include "comm/LhaArchive.h"
#include "comm/PrivateWorkFolder.h"
#include "comm/ServerCopy.h"
#include "datasets/operations/BackupTrailer.h"
#include "datasets/operations/CollationCheck.h"
#include "datasets/operations/DataSetBackupTool.h"
#include "foundation/app/AccConstants.h"
#include "foundation/app/AccInf.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"
#include "foundation/dataset/DataInfomation.h"
#include "platform/Interaction.h"

#include <optional>

namespace vq::comm {

namespace fs = std::filesystem;
using platform::MessageKind;

namespace {

// A failed step: its message (none when the step reported already).
struct StepFailed {
    std::string Message;
    MessageKind Kind = MessageKind::Error;
};

[[noreturn]] void fail(std::string message = {}, MessageKind kind = MessageKind::Error)
{
    throw StepFailed{std::move(message), kind};
}

constexpr const char* AntivirusMessage = "送信処理に失敗しました。ウイルス対策ソフトを実行中の場合は、終了してから再"
                                         "度送信を行ってください。";

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

void TRelayTransfer::pause() const
{
    if (Pause)
        Pause();
}

void TRelayTransfer::step(int box, const std::string& caption) const
{
    if (Step)
        Step(box, caption);
}

fs::path TRelayTransfer::workBase() const
{
    if (!WorkBase.empty())
        return WorkBase;
    return SystemDef.WinTempDir.empty() ? fs::temp_directory_path() : fs::path(SystemDef.WinTempDir);
}

std::int32_t TRelayTransfer::run(const std::function<void()>& steps)
{
    try {
        steps();
        return 0;
    } catch (const StepFailed& f) {
        if (!f.Message.empty())
            platform::showMessage(f.Message, f.Kind);
    }
    return 1;
}

bool TRelayTransfer::saveSendData(const fs::path& backup) const
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
        DataSetBackupTool tool;
        tool.Caption = kind_ == TRelayKind::Relay ? "データ送信" : "現金出納帳送信";
        result = tool.save(fs::path(folder_) / DataDbFileName, backup, TrailerOf(info));
        if (!result.Succeeded)
            platform::showMessage(result.Message + "\r" + result.Detail, MessageKind::Warning);
    }
    markStatus(folder_, DataStatusFree);
    if (!result.Succeeded)
        platform::showMessage("データの保存に失敗しました。\r保存処理を中止しました。", MessageKind::Error);
    return result.Succeeded;
}

std::int32_t TRelayTransfer::Send(std::int32_t slot, TSendCompletion completion)
{
    const bool relay = kind_ == TRelayKind::Relay;
    return run([&] {
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
        if (!saveSendData(backup))
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

bool TRelayTransfer::restoreOverDataSet(const fs::path& backup)
{
    const std::string host = SystemDef.HostName;
    if (CountDataListRows(folder_) != 1) {
        platform::showMessage(BadDataFolderMessage, MessageKind::Error);
        return false;
    }
    BackupTrailer trailer;
    const bool withTrailer = ReadBackupTrailer(backup, trailer, true);
    DataSetBackupTool tool;
    tool.Caption = "データ受信";
    if (fs::exists(fs::path(folder_) / DataDbFileName)) {
        TDataInfomationRec source;
        if (withTrailer) {
            source = DescriptionOf(trailer);
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
    markStatus(folder_, DataStatusRestoring);
    const BackupJobResult restored = withTrailer
                                         ? tool.restore(backup, fs::path(folder_) / DataDbFileName, true, trailer)
                                         : tool.restore(backup, fs::path(folder_) / DataDbFileName, true);
    bool ok = restored.Succeeded;
    if (!ok)
        platform::showMessage(restored.Message + "\r" + restored.Detail, MessageKind::Warning);
    if (ok) {
        TDataInfomation info;
        info.Location = ConnectMode;
        TDataInfomationRec rec;
        ok = info.GetDataInfoFromFolder(folder_, rec);
        if (ok) {
            info.UpdateDataInfomation(host, folder_, rec);
            UpdateDataListRow(folder_, rec);
        }
    }
    markStatus(folder_, DataStatusFree);
    if (!ok)
        platform::showMessage("データの復元に失敗しました。\r復元処理を中止しました。", MessageKind::Error);
    return ok;
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
    return run([&] {
        TGassanSetting saved;
        if (relay && ConnectMode == ConnectStandAlone && ProductKind != 3)
            ReadGassanSetting({}, folder_, saved);
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
        {
            TFtpClient ftp(session_.Settings,
                           {session_.Table.Cells[CellFtpHost], commId_, session_.Table.Cells[CellFtpPassword]});
            try {
                ftp.Connect();
            } catch (const TFtpError&) {
                fail(Framed("サーバーの接続に失敗しました。"));
            }
            const std::string remote = SlotText(slot) + "/" + RelayCipherName;
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
            DecryptFile(cipher, archive, CipherKeyText(password_));
        } catch (const std::exception&) {
            fail(Framed("暗号解読失敗"));
        }
        step(3, "受信データ圧縮解凍　実行中");
        pause();
        try {
            ExtractLhaMember(archive, RelayBackupName, backup);
        } catch (const std::exception&) {
            fail(Framed("解凍失敗"));
        }
        step(4, "受信データ復元・照合　実行中");
        pause();
        if (!(relay ? restoreOverDataSet(backup) : restoreApart(backup, target)))
            fail();
        step(4, "受信データ復元　終了");
        if (!relay)
            return;
        if (ConnectMode != ConnectStandAlone) {
            WriteGassanSetting({}, folder_, {"0", "0"});
        } else if (ProductKind != 3 && !saved.Kubun.empty()) {
            if (saved.Kubun == "1" || saved.Kubun == "2" || saved.Kubun == "10") {
                WriteGassanSetting({}, folder_, saved);
            } else if (saved.Kubun == "0") {
                TGassanSetting received;
                if (ReadGassanSetting({}, folder_, received) && received.Kubun == "10")
                    WriteGassanSetting({}, folder_, {"0", "0"});
            }
        }
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
