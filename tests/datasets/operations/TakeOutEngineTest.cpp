#include "datasets/operations/TakeOutEngine.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "OperationsFixture.h"
#include "datasets/DataSentakuListCtl.h"
#include "datasets/operations/DataStatusGate.h"
#include "foundation/app/RunState.h"

namespace fs = std::filesystem;
using namespace vq;

namespace {

class TakeOutEngineTest : public vq::test::OperationsFixture {
protected:
    void SetUp() override
    {
        OperationsFixture::SetUp();
        ConnectMode = ConnectClientServer;
        exec("INSERT INTO DATALIST (REC, GROUPID, ENTTEXT, PASNAME) VALUES (40, 10000, '持出商事', '" +
             (root_.path() / "server" / "0040").string() + "')");
        row_.REC = 40;
        row_.PASNAME = (root_.path() / "server" / "0040").string();
        hooks_.SaveRow = [this](const std::string& place) {
            savedPlace_ = place;
            struct stat st {};
            ::stat(place.c_str(), &st);
            placeMode_ = st.st_mode & 0777;
            vq::test::writeBytes(fs::path(place) / "vqacc.fbk", "backup with My Number data");
            return saveResult_;
        };
        hooks_.RestoreRow = [this](const std::string& place) {
            restoredFrom_ = place;
            lockDuringRestore_ = static_cast<int>(scalar("SELECT DATALOCK FROM DATALIST WHERE REC=40"));
            return restoreResult_;
        };
        hooks_.RunLocalScreen = [this](const std::string& params) {
            localParams_ = params;
            modeDuringLocal_ = ConnectMode;
            return localResult_;
        };
        hooks_.Reconnect = [] { return true; };
    }

    int lock() { return static_cast<int>(scalar("SELECT DATALOCK FROM DATALIST WHERE REC=40")); }

    TDataListRec row_;
    TakeOutHooks hooks_;
    std::int32_t saveResult_ = 1, restoreResult_ = 1, localResult_ = 1;
    std::string savedPlace_, restoredFrom_, localParams_;
    unsigned placeMode_ = 0;
    int modeDuringLocal_ = -1, lockDuringRestore_ = -1;
};

TEST_F(TakeOutEngineTest, ATakeOutLocksTheRowAndTravelsThroughAPrivateFolder)
{
    ASSERT_TRUE(Mochidashi(row_, 0, hooks_));
    EXPECT_EQ(lock(), CurrentOperatorNumber());
    EXPECT_EQ(row_.DATALOCK, CurrentOperatorNumber());
    EXPECT_EQ(placeMode_, 0700u);
    EXPECT_FALSE(fs::exists(savedPlace_)); // the backup does not stay behind
    EXPECT_EQ(localParams_, "SyoriType=5\rOnlySA_Syori=Restore\rOnlySA_BackupPath=" + savedPlace_);
    EXPECT_EQ(modeDuringLocal_, ConnectStandAlone);
    EXPECT_EQ(ConnectMode, ConnectClientServer);
}

TEST_F(TakeOutEngineTest, ATakeOutThatDidNotHappenFreesTheRow)
{
    localResult_ = 2; // the operator cancelled the local screen
    EXPECT_FALSE(Mochidashi(row_, 0, hooks_));
    EXPECT_EQ(lock(), 0);
    saveResult_ = -1;
    localParams_.clear();
    EXPECT_FALSE(Mochidashi(row_, 0, hooks_));
    EXPECT_EQ(lock(), 0);
    EXPECT_TRUE(localParams_.empty());
    row_.CLOUD = 1;
    EXPECT_FALSE(Mochidashi(row_, 0, hooks_));
    EXPECT_EQ(seam_->messages.back().text, "クラウドシェアデータのため持ち出し処理は行えません。");
}

TEST_F(TakeOutEngineTest, ABringBackNeedsTheOperatorsOwnLockAndKeepsItOnFailure)
{
    exec("UPDATE DATALIST SET DATALOCK=7 WHERE REC=40");
    row_.DATALOCK = 7;
    EXPECT_FALSE(Mochidashi(row_, 1, hooks_));
    EXPECT_EQ(lock(), 7);
    EXPECT_TRUE(localParams_.empty());

    const int own = CurrentOperatorNumber();
    exec("UPDATE DATALIST SET DATALOCK=" + std::to_string(own) + " WHERE REC=40");
    row_.DATALOCK = own;
    restoreResult_ = -1;
    EXPECT_FALSE(Mochidashi(row_, 1, hooks_));
    EXPECT_EQ(lockDuringRestore_, 0);
    EXPECT_EQ(lock(), own);
    EXPECT_EQ(localParams_.find("SyoriType=5\rOnlySA_Syori=Backup\rOnlySA_BackupPath="), 0u);

    restoreResult_ = 1;
    EXPECT_TRUE(Mochidashi(row_, 1, hooks_));
    EXPECT_EQ(lock(), 0);
    EXPECT_FALSE(fs::exists(restoredFrom_));
}

TEST_F(TakeOutEngineTest, TheContextSwitchesToLocalDataAndBack)
{
    SystemDef.HostName = "dbserver";
    const std::string root = SystemDef.SysDir;
    LogonContext saved;
    SwitchLogonContext("backup", saved);
    SwitchLogonContext("local", saved);
    EXPECT_EQ(ConnectMode, ConnectStandAlone);
    EXPECT_TRUE(SystemDef.HostName.empty());
    EXPECT_EQ(SystemDef.SisetuFreeSwitch, 1);
    EXPECT_NE(SystemDef.SysDir.find("draxon/zeverivurev/data"), std::string::npos);
    SwitchLogonContext("other", saved);
    SwitchLogonContext("server", saved);
    EXPECT_EQ(ConnectMode, ConnectClientServer);
    EXPECT_EQ(SystemDef.HostName, "dbserver");
    EXPECT_EQ(SystemDef.SysDir, root);
}

} // namespace
