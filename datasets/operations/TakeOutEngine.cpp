#include "datasets/operations/TakeOutEngine.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "datasets/operations/DataStatusGate.h"
#include "foundation/app/AccConstants.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/dataset/DataInfomation.h"
#include "foundation/files/FileUtils.h"
#include "platform/Interaction.h"

namespace fs = std::filesystem;

namespace vq {

namespace {

// A folder only this user can enter, removed with the object.
class PrivateFolder {
public:
    PrivateFolder()
    {
        const fs::path base = SystemDef.WinTempDir.empty() ? fs::temp_directory_path() : fs::path(SystemDef.WinTempDir);
        fs::create_directories(base);
        std::string pattern = (base / "vq-transfer-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("cannot make a transfer folder in " + base.string());
        path_ = pattern; // mkdtemp makes it with mode 0700
    }
    ~PrivateFolder()
    {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    std::string path() const { return path_.string(); }

private:
    fs::path path_;
};

void inform(const std::string& first, const std::string& second)
{
    platform::showMessage(first + "\r" + second, platform::MessageKind::Information);
}

void writeLock(TDataListRec& row, std::int32_t lock)
{
    if (WriteRowDataLock(row.REC, lock, true))
        row.DATALOCK = lock;
}

// Runs the local screen in the local context and always comes back.
std::int32_t runLocal(const std::string& params, const TakeOutHooks& hooks, LogonContext& saved, bool& reconnected)
{
    std::int32_t result = -1;
    try {
        SwitchLogonContext("local", saved);
        if (!hooks.Reconnect || hooks.Reconnect())
            result = hooks.RunLocalScreen ? hooks.RunLocalScreen(params) : -1;
    } catch (const std::exception& e) {
        platform::showMessage(e.what(), platform::MessageKind::Error);
    }
    SwitchLogonContext("server", saved);
    reconnected = !hooks.Reconnect || hooks.Reconnect();
    return result;
}

} // namespace

void SwitchLogonContext(const std::string& which, LogonContext& saved)
{
    if (which == "backup") {
        saved.Mode = ConnectMode;
        saved.Host = SystemDef.HostName;
        saved.DataRoot = SystemDef.SysDir;
        saved.DataDir = SystemDef.DataDir;
        saved.SisetuFreeSwitch = SystemDef.SisetuFreeSwitch;
        saved.ProgVerMajor = SystemDef.ProgVerMajor;
        saved.ProgVerMinor1 = SystemDef.ProgVerMinor1;
        saved.ProgVerMinor2 = SystemDef.ProgVerMinor2;
    } else if (which == "local") {
        const std::string appData = GetAppDataFolder(true);
        if (appData.empty())
            throw std::runtime_error("アプリケーションの初期化に失敗しました。\r" + SystemDef.AppTitle +
                                     "を終了します。\rデータフォルダの取得に失敗しました。");
        ConnectMode = ConnectStandAlone;
        SystemDef.HostName.clear();
        SystemDef.SysDir = (fs::path(appData) / BaseFolder / "data").string();
        SystemDef.SisetuFreeSwitch = 1;
    } else if (which == "server") {
        ConnectMode = saved.Mode;
        SystemDef.HostName = saved.Host;
        SystemDef.SysDir = saved.DataRoot;
        SystemDef.DataDir = saved.DataDir;
        SystemDef.SisetuFreeSwitch = saved.SisetuFreeSwitch;
        SystemDef.ProgVerMajor = saved.ProgVerMajor;
        SystemDef.ProgVerMinor1 = saved.ProgVerMinor1;
        SystemDef.ProgVerMinor2 = saved.ProgVerMinor2;
    }
}

std::string LocalScreenParams(bool takeOut, const std::string& transferFolder)
{
    return std::string("SyoriType=5\rOnlySA_Syori=") + (takeOut ? "Restore" : "Backup") +
           "\rOnlySA_BackupPath=" + transferFolder;
}

bool Mochidashi(TDataListRec& row, int choice, const TakeOutHooks& hooks)
{
    if (ConnectMode == ConnectTerminal)
        return true;
    if (row.CLOUD == 1) {
        platform::showMessage("クラウドシェアデータのため持ち出し処理は行えません。", platform::MessageKind::Information);
        return false;
    }
    const std::int32_t own = CurrentOperatorNumber();
    LogonContext saved;
    SwitchLogonContext("backup", saved);
    try {
        PrivateFolder transfer;
        bool reconnected = false;
        if (choice == 0) {
            if (row.DATALOCK != 0)
                return false; // taken out already: only bring-back is offered
            // Nobody may change the server row while it is out.
            writeLock(row, own);
            if (row.DATALOCK != own)
                return false;
            bool done = false;
            bool connected = true;
            if (hooks.SaveRow && hooks.SaveRow(transfer.path()) == 1) {
                inform("続いて、このコンピュータのデータリストを表示します。", "持ち出し先を選んで下さい。");
                done = runLocal(LocalScreenParams(true, transfer.path()), hooks, saved, reconnected) == 1;
                connected = reconnected;
            }
            // Not taken out: the row is free again (without the server the
            // lock stays as it is, on the safe side).
            if (!done && connected)
                writeLock(row, 0);
            return done && connected;
        }

        if (row.DATALOCK != 0 && row.DATALOCK != own) {
            platform::showMessage("このデータは他のオペレータが使用中です。", platform::MessageKind::Information);
            return false;
        }
        TDataInfomation rights;
        rights.Location = ConnectMode;
        if (!rights.IsDataSiyouKengen(row.PASNAME))
            return false;
        inform("このコンピュータのデータリストを表示します。", "持ち帰ったデータを選んで下さい。");
        const std::int32_t local = runLocal(LocalScreenParams(false, transfer.path()), hooks, saved, reconnected);
        if (local != 1 || !reconnected)
            return false;
        const std::int32_t lock = row.DATALOCK;
        if (lock != 0)
            writeLock(row, 0);
        const std::int32_t restored = hooks.RestoreRow ? hooks.RestoreRow(transfer.path()) : -1;
        if (restored != 1) {
            if (lock != 0)
                writeLock(row, lock);
            return false;
        }
        return true;
    } catch (const std::exception& e) {
        SwitchLogonContext("server", saved);
        platform::showMessage(e.what(), platform::MessageKind::Error);
        return false;
    }
}

} // namespace vq
