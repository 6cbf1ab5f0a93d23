#include "dbupdate/DbUpdateRun.h"

#include <cstdio>
#include <filesystem>
#include <optional>
#include <stdexcept>

#include "dbupdate/ExclusiveHold.h"
#include "dbupdate/UpdateScript.h"
#include "foundation/app/AccConstants.h"
#include "foundation/app/AccInf.h"
#include "foundation/app/MessageWait.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"
#include "foundation/dataset/BackupRestoreThread.h"
#include "foundation/office/LoginUserList.h"
#include "platform/Interaction.h"

namespace vq {

namespace fs = std::filesystem;

namespace {

constexpr const char* kSystemInUse =
    "現在、他のオペレータがシステムを利用中です。\rデータベースの更新を行うには、システムを終了するようにご連絡して下さい。";
constexpr const char* kDataInUse = "現在、他のオペレータが会計データを利用中です。\r"
                                   "データベースの更新を行うには、会計データの利用を停止するようにご連絡して下さい。";

// Sets the field for the length of a scope.
class Guard {
public:
    explicit Guard(bool& flag) : flag_(flag) { flag_ = true; }
    ~Guard() { flag_ = false; }
    Guard(const Guard&) = delete;
    Guard& operator=(const Guard&) = delete;

private:
    bool& flag_;
};

void removeLocalFile(const std::string& path)
{
    std::error_code ec;
    fs::remove(path, ec);
}

} // namespace

TDbUpdateRun::TDbUpdateRun(TDbVersionTest& state) : state_(state) {}

std::string TDbUpdateRun::StatusText(std::int32_t result)
{
    if (result == UpdateDone)
        return "完了";
    return result == UpdateFileMissing ? "ﾌｧｲﾙ不足" : "失敗";
}

std::string TDbUpdateRun::BackupPath()
{
    return (fs::path(SystemDef.TempDir) / "dataup.fbk").string();
}

std::string TDbUpdateRun::DatabasePath(std::uint8_t mode)
{
    return TExclusiveHold::DatabaseFile(mode);
}

void TDbUpdateRun::WaitWindowShow(const std::string&, const std::string&) {}

void TDbUpdateRun::ShowSystemInUse(const std::string& mainText, const std::vector<std::string>& lines)
{
    std::string text = mainText;
    for (const auto& line : lines)
        text += "\r" + line;
    platform::showMessage(text, platform::MessageKind::Information, platform::Buttons::Ok, "情報");
}

void TDbUpdateRun::ShowFailureBox(const std::vector<std::string>& lines)
{
    std::string text;
    for (const auto& line : lines)
        text += (text.empty() ? "" : "\r") + line;
    platform::showMessage(text, platform::MessageKind::Error, platform::Buttons::Ok, "エラー");
}

int TDbUpdateRun::Execute()
{
    if (running_)
        return 0;
    Guard guard(running_);
    int modalResult = platform::ResultRetry;
    FBackupKept = false;
    FFailureLines.clear();
    try {
        const std::uint8_t mode = state_.FUpdateMode;
        if (mode == 0 && DM->IBDatabaseDEF.connected())
            DM->IBDatabaseDEF.disconnect();
        if (mode == 1 && DM->IBDatabaseDAT.connected())
            DM->CloseAccDat(SystemDef.DataDir, 0, 0);
        const bool inUse =
            DM->AccDatInConnection(mode, {}, mode == 0 ? SystemDef.SysDir : SystemDef.DataDir, 0);
        std::optional<TExclusiveHold> hold;
        if (!inUse) {
            try {
                hold.emplace(mode);
            } catch (const std::exception&) {
                // Somebody attached since the test: the same refusal.
            }
        }
        if (!hold) {
            refuseInUse();
        } else {
            const bool nothingPending = !state_.FNeedUpdate;
            try {
                ExecUpdate();
            } catch (...) {
                // The database may be half updated: its backup stays.
                FBackupKept = !FBackupFile.empty() && fs::exists(FBackupFile);
                throw;
            }
            hold.reset();
            if (!FBackupKept && !FBackupFile.empty())
                removeLocalFile(FBackupFile);
            if (!FUpdated)
                showFailure(nothingPending);
            else
                modalResult = platform::ResultOk;
        }
    } catch (...) {
        reconnect();
        throw;
    }
    reconnect();
    return modalResult;
}

void TDbUpdateRun::refuseInUse()
{
    if (state_.FUpdateMode == 0)
        ShowSystemInUse(kSystemInUse, {"利用中のオペレータ (異常終了時のオペレータ含む)", "", GetLoginUserText()});
    else
        platform::showMessage(kDataInUse, platform::MessageKind::Information);
}

void TDbUpdateRun::showFailure(bool nothingPending)
{
    auto& lines = FFailureLines;
    lines.push_back(state_.FUpdateMode == 0 ? "システムデータの更新に失敗しました。" : "会計データの更新に失敗しました。");
    if (nothingPending)
        lines.push_back("更新が必要な処理はありません。");
    if (!FErrInfo.Message.empty()) {
        lines.push_back("[エラー内容]");
        lines.push_back(FErrInfo.Message);
        lines.push_back(FErrInfo.Detail);
    }
    if (FBackupKept) {
        lines.push_back("更新前のデータは次のファイルに保存されています。");
        lines.push_back(FBackupFile);
    }
    ShowFailureBox(lines);
}

void TDbUpdateRun::reconnect()
{
    try {
        if (state_.FUpdateMode == 0) {
            if (!DM->IBDatabaseDEF.connected())
                DM->fnAccDefConnected({}, 1);
            return;
        }
        if (!DM->IBDatabaseDAT.connected())
            DM->fnAccDatConnected({}, SystemDef.DataDir, 0);
        DM->CloseAccDat(SystemDef.DataDir, 1, 1);
        DM->fnAccDatConnected({}, SystemDef.DataDir, 0);
        if (DM->IBDatabaseDAT.connected())
            DM->fnGetAccInfo();
    } catch (const std::exception& e) {
        platform::showMessage(std::string("データベースの再接続に失敗しました。\r") + e.what(),
                              platform::MessageKind::Error);
    }
}

bool TDbUpdateRun::backupOrRestore(std::int32_t job)
{
    if (job == 0)
        WaitWindowShow("データ更新の準備中", "準備中、しばらくお待ちください…");
    else
        WaitWindowShow("更新前データの復元中", "復元中、しばらくお待ちください…");
    bool succeeded = false;
    try {
        TBackupRestoreThread thread(true);
        thread.Job = job;
        thread.Location = ConnectMode == ConnectStandAlone ? 0 : 1;
        thread.AskFirst = state_.FUpdateMode;
        thread.Host = SystemDef.HostName;
        thread.DbFile = DatabasePath(state_.FUpdateMode);
        thread.BackupFile = FBackupFile;
        thread.ConfirmMyNumber = 0;
        // The database goes back into use at once: its indexes come back
        // active.
        thread.ActivateIndexes = 1;
        if (job == 1)
            thread.USEMYNUMBER = state_.FUpdateMode == 1 ? AccInf.MyNumberUse : 0;
        thread.Resume();
        WaitForWithMessages([&] { return thread.IsTerminated(); }, 300);
        FErrInfo = {thread.Failed != 0, thread.ProcName, thread.Code, thread.Message, thread.Detail};
        succeeded = thread.Succeeded == 1;
    } catch (...) {
        WaitWindowClose();
        throw;
    }
    WaitWindowClose();
    return succeeded;
}

std::int32_t TDbUpdateRun::runSteps()
{
    const auto& list = state_.CurrentList();
    const int first = state_.FFirstIndex;
    const int last = state_.FLastIndex;
    FRowStatus.assign(static_cast<std::size_t>(last - first + 1), std::string());
    ProgressStart(last - first + 1);
    std::int32_t result = UpdateDone;
    for (int i = first; i <= last; ++i) {
        const auto& step = list[static_cast<std::size_t>(i)];
        try {
            result = step.UpdateProc ? step.UpdateProc() : UpdateFailed;
        } catch (const std::exception& e) {
            // A step that raised may have changed the database part way:
            // it is a failed step, restored like any other.
            result = UpdateFailed;
            FErrInfo = {true, "DoUpdate", {}, "データベースの更新中にエラーが発生しました。", e.what()};
        }
        FRowStatus[static_cast<std::size_t>(i - first)] = StatusText(result);
        RowStatusChanged(i - first);
        if (result != UpdateDone)
            break;
        ProgressStep();
    }
    WaitWithMessages(300);
    ProgressEnd();
    return result;
}

std::int32_t TDbUpdateRun::ExecUpdate()
{
    FBackupFile = BackupPath();
    FUpdated = false;
    FErrInfo = {};
    if (!state_.FNeedUpdate)
        return -1;
    const bool backup = state_.FBackupCount > 0;
    if (backup && !backupOrRestore(0)) {
        removeLocalFile(FBackupFile);
        state_.FFirstIndex = state_.FLastIndex = -1;
        return -1;
    }
    const std::int32_t last = runSteps();
    if (last != UpdateDone && backup) {
        const TErrInfomation stepError = FErrInfo;
        if (!backupOrRestore(1)) {
            FBackupKept = true;
            state_.FFirstIndex = state_.FLastIndex = -1;
            return -1;
        }
        FErrInfo = stepError;
    }
    state_.FFirstIndex = state_.FLastIndex = -1;
    if (last != UpdateDone)
        return 0;
    state_.FDbMajor = state_.FTargetMajor;
    state_.FDbMinor1 = state_.FTargetMinor1;
    state_.FDbMinor2 = state_.FTargetMinor2;
    FUpdated = true;
    return 1;
}

std::string TDbUpdateRun::GetLoginUserText()
{
    std::string text;
    if (state_.FUpdateMode != 0)
        return text;
    try {
        if (DM->fnAccDefConnected({}, 1)) {
            TLoginUserListOnDef list;
            list.Execute(SystemDef.GROUPID, SystemDef.OPCODE, 0);
            for (std::int32_t i = 0; i < list.Count; ++i) {
                char number[16];
                std::snprintf(number, sizeof number, "%.4d", list.GetOperatorCode(i));
                text += "[ " + std::string(number) + " ]:  " + list.GetOpName(i) + "\r";
            }
        }
    } catch (const std::exception&) {
        // Reported by the list; the box shows what could be read.
    }
    if (DM->IBDatabaseDEF.connected())
        DM->IBDatabaseDEF.disconnect();
    return text;
}

} // namespace vq
