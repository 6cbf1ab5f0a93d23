// The data module on real databases: connecting, closing, the in-use test,
// dropping, the data-broken check, the deferred timers and the query factories.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "DataModuleFixture.h"
#include "foundation/data/DataListRefresher.h"
#include "foundation/data/DataSetDescriptionPort.h"
#include "foundation/calendar/DayNumber.h"
#include "foundation/data/QueryFactory.h"
#include "platform/Process.h"
#include "platform/db/Attachment.h"
#include "platform/db/Statement.h"

using namespace vq;
namespace fs = std::filesystem;

namespace {

using DataModuleTest = test::DataModuleFixture;

// Stand-ins for the data-set description and the data-list store, which
// record what the data module asks of them.
struct Recorded {
    std::vector<std::string> calls;
    DataListRowValues written;
};

class FakeDescription : public IDataSetDescription {
public:
    explicit FakeDescription(Recorded& r) : r_(r) {}
    void setStatus(std::int32_t status) override { r_.calls.push_back("status " + std::to_string(status)); }
    void setOperator(std::int32_t code, const std::string& name) override
    {
        r_.calls.push_back("operator " + std::to_string(code) + " " + name);
    }
    void writeInfoFile(const std::string& folder) override { r_.calls.push_back("write " + folder); }
    DataSetListValues listValues() const override
    {
        DataSetListValues v;
        v.CODE = "0001";
        v.SHOUGOU = "青空商店";
        v.NENDO = 2024;
        v.KISHU = "2024/01/01";
        v.KIMATU = "not a date";
        v.DATAKBN = 2;
        v.CODEKBN = 1;
        v.MAJOR = 14;
        v.VERSION2 = "14.0.0";
        v.GASSANKBN = 10;
        v.CLOUD_SHARE = 1;
        return v;
    }

private:
    Recorded& r_;
};

class FakeList : public IDataListController {
public:
    explicit FakeList(Recorded& r) : r_(r) {}
    void SetLocation(std::uint8_t l) override { r_.calls.push_back("location " + std::to_string(l)); }
    void SetListTable(std::int32_t p) override { r_.calls.push_back("table " + std::to_string(p)); }
    void ClearRecord(DataListRowValues& rec, const std::string& folder) override
    {
        rec = {};
        rec.PASNAME = folder;
        r_.calls.push_back("clear " + folder);
    }
    void GetDataListRecord(std::uint8_t, DataListRowValues& rec, std::int32_t) override
    {
        r_.calls.push_back("get gassan " + std::to_string(rec.GASSAN));
        rec.REC = 7;
        rec.TANTOU = 3;
    }
    bool UpdateDataListRecord(const DataListRowValues& rec, std::int32_t a, std::int32_t b) override
    {
        r_.calls.push_back("update " + std::to_string(a) + " " + std::to_string(b));
        r_.written = rec;
        return true;
    }

private:
    Recorded& r_;
};

class InstalledPorts {
public:
    explicit InstalledPorts(Recorded& r)
    {
        prevReader_ = setDataSetDescriptionReader([&r] { return std::make_unique<FakeDescription>(r); });
        prevFactory_ = setDataListControllerFactory([&r] { return std::make_unique<FakeList>(r); });
    }
    ~InstalledPorts()
    {
        setDataSetDescriptionReader(prevReader_);
        setDataListControllerFactory(prevFactory_);
    }

private:
    DataSetDescriptionReader prevReader_;
    DataListControllerFactory prevFactory_;
};

} // namespace

TEST(DataModuleRules, DatabaseNameByModeAndHost)
{
    const auto savedMode = ConnectMode;
    struct Case {
        std::uint8_t mode;
        std::string host;
        std::string expected;
    } cases[] = {
        {0, "server", "/d/0001/vqacc.fdb"},
        {1, "server", "server:/d/0001/vqacc.fdb"},
        {1, "127.0.0.1", "/d/0001/vqacc.fdb"},
        {2, "ts", "ts:/d/0001/vqacc.fdb"},
    };
    for (const auto& c : cases) {
        ConnectMode = c.mode;
        EXPECT_EQ(TDM::MakeDatabaseName(c.host, "/d/0001", "vqacc.fdb", TDM::UsesServer(c.host)), c.expected);
    }
    ConnectMode = savedMode;
}

TEST_F(DataModuleTest, SystemDatabaseConnectsOnceWithTheThreeParameterLines)
{
    ASSERT_TRUE(dm_.fnAccDefConnected("", 1));
    EXPECT_TRUE(dm_.IBDatabaseDEF.connected());
    EXPECT_EQ(dm_.IBDatabaseDEF.DatabaseName, (fs::path(SystemDef.SysDir) / "vqaccdef.fdb").string());
    EXPECT_EQ(dm_.IBDatabaseDEF.Params,
              (std::vector<std::string>{"user_name=SYSDBA", "password=masterkey", "lc_ctype=SJIS_0208"}));

    const std::string before = dm_.IBDatabaseDEF.DatabaseName;
    SystemDef.SysDir = "/nowhere";
    EXPECT_TRUE(dm_.fnAccDefConnected("", 1));
    EXPECT_EQ(dm_.IBDatabaseDEF.DatabaseName, before);
}

TEST_F(DataModuleTest, SystemDatabaseFailureReportedOrPassedOn)
{
    SystemDef.SysDir = (root_.path() / "missing").string();
    EXPECT_FALSE(dm_.fnAccDefConnected("", 1));
    ASSERT_EQ(seam_->messages.size(), 1u);
    EXPECT_EQ(seam_->messages[0].text.rfind("システムデータベースの接続処理に失敗しました。", 0), 0u);
    EXPECT_TRUE(fs::exists(fs::path(SystemDef.LogDir) / "ErrFbAccess.log"));

    EXPECT_THROW(dm_.fnAccDefConnected("", 0), db::DbError);
    EXPECT_EQ(seam_->messages.size(), 1u);
}

TEST_F(DataModuleTest, DataSetOpensAndClosesWithStatusAndListRefresh)
{
    Recorded r;
    InstalledPorts ports(r);

    ASSERT_TRUE(dm_.fnAccDatConnected("", "", 1));
    EXPECT_EQ(dm_.IBDatabaseDAT.DatabaseName, dataFile().string());
    EXPECT_EQ(r.calls, (std::vector<std::string>{"status 2", "operator 100001 担当者", "write " + SystemDef.DataDir}));

    r.calls.clear();
    EXPECT_EQ(dm_.CloseAccDat("", 1, 1), 1);
    EXPECT_FALSE(dm_.IBDatabaseDAT.connected());
    EXPECT_TRUE(dm_.IBDatabaseDAT.Params.empty());
    EXPECT_EQ(r.calls, (std::vector<std::string>{"status 1", "write " + SystemDef.DataDir, "location 0", "table 0",
                                                 "clear " + SystemDef.DataDir, "get gassan 10", "update 0 1"}));
    EXPECT_EQ(r.written.REC, 7);
    EXPECT_EQ(r.written.GROUPID, 10000);
    EXPECT_EQ(r.written.SHOUGOU, "青空商店");
    EXPECT_EQ(r.written.KISHU, encodeDate(2024, 1, 1));
    EXPECT_EQ(r.written.KIMATU, 0);
    EXPECT_EQ(r.written.TANTOU, 0) << "the description's person in charge replaces the list's";
    EXPECT_EQ(r.written.VER_TEXT, "14.0.0");
    EXPECT_EQ(r.written.CLOUD, 1);
}

TEST_F(DataModuleTest, NoInfoFileOnAServerAndNoListForElectronicBooks)
{
    Recorded r;
    InstalledPorts ports(r);

    // Client/server mode with the local host attaches the local file.
    ConnectMode = ConnectClientServer;
    ASSERT_TRUE(dm_.fnAccDatConnected("127.0.0.1", "", 1));
    EXPECT_EQ(r.calls, (std::vector<std::string>{"status 2", "operator 100001 担当者"}));

    r.calls.clear();
    ProductKind = 1;
    dm_.CloseAccDat("", 1, 1);
    EXPECT_EQ(r.calls, (std::vector<std::string>{"status 1"}));

    // Without the description and the list store closing still closes.
    setDataSetDescriptionReader({});
    ASSERT_TRUE(dm_.fnAccDatConnected("127.0.0.1", "", 1));
    EXPECT_EQ(dm_.CloseAccDat("", 1, 1), 1);
    EXPECT_FALSE(dm_.IBDatabaseDAT.connected());
}

TEST_F(DataModuleTest, FailedDataSetConnectRunsTheBrokenCheckUnlessTheFileIsMissing)
{
    std::vector<std::string> checked;
    const auto previous = DataBrokenCheckProc;
    DataBrokenCheckProc = [&](const std::string&, const std::string& folder, bool silent) {
        checked.push_back(folder + (silent ? " silent" : " loud"));
        return 0;
    };
    SystemDef.DataBrokenCheck = 1;

    const fs::path missing = root_.path() / "data" / "0002";
    fs::create_directories(missing);
    EXPECT_FALSE(dm_.fnAccDatConnected("", missing.string(), 0));
    EXPECT_TRUE(checked.empty()) << "an I/O error (no file) is no damage";

    const fs::path damaged = root_.path() / "data" / "0003";
    fs::create_directories(damaged);
    test::writeBytes(damaged / "vqacc.fdb", std::string(40000, 'x'));
    EXPECT_FALSE(dm_.fnAccDatConnected("", damaged.string(), 0));
    EXPECT_EQ(checked, (std::vector<std::string>{damaged.string() + " silent"}));

    ASSERT_EQ(seam_->messages.size(), 2u);
    EXPECT_EQ(seam_->messages[0].text.rfind("ユーザーデータベースの接続処理に失敗しました。\rDBファイルが削除", 0), 0u);
    DataBrokenCheckProc = previous;
}

TEST_F(DataModuleTest, BrokenCheckAnswersOneWhenOffOrNotInstalled)
{
    const auto previous = DataBrokenCheckProc;
    DataBrokenCheckProc = nullptr;
    SystemDef.DataBrokenCheck = 1;
    EXPECT_EQ(dm_.CallDataStatusHook("", "/x", 0, 0), 1);
    DataBrokenCheckProc = [](const std::string&, const std::string&, bool) { return 0; };
    EXPECT_EQ(dm_.CallDataStatusHook("", "/x", 0, 0), 0);
    SystemDef.DataBrokenCheck = 0;
    EXPECT_EQ(dm_.CallDataStatusHook("", "/x", 0, 0), 1);
    EXPECT_EQ(dm_.CallDataStatusHook("", "/x", 0, 1), 0);
    DataBrokenCheckProc = previous;
}

TEST_F(DataModuleTest, InUseTestCountsOthersAndReopensOwnConnection)
{
    EXPECT_FALSE(dm_.AccDatInConnection(1, "", "  ", 0));
    ASSERT_TRUE(dm_.fnAccDatConnected("", "", 0));

    EXPECT_TRUE(dm_.AccDatInConnection(1, "", SystemDef.DataDir, 1));
    EXPECT_FALSE(dm_.AccDatInConnection(1, "", SystemDef.DataDir, 0));
    EXPECT_TRUE(dm_.IBDatabaseDAT.connected()) << "the own connection is opened again";

    db::Attachment other;
    other.attach({dataFile().string(), "SYSDBA", "masterkey"});
    EXPECT_TRUE(dm_.AccDatInConnection(1, "", SystemDef.DataDir, 0));
    EXPECT_FALSE(dm_.AccDatInConnection(0, "", SystemDef.SysDir, 0));
    EXPECT_TRUE(seam_->messages.empty());

    // A server that cannot be asked (here a refused network connection,
    // which counts as a lost one): reported, counted as in use, and the own
    // connection is opened again all the same.
    ConnectMode = ConnectClientServer;
    EXPECT_TRUE(dm_.AccDatInConnection(1, "localhost/1", SystemDef.DataDir, 0));
    EXPECT_TRUE(dm_.IBDatabaseDAT.connected());
    EXPECT_EQ(seam_->messages.size(), 1u);
}

// Another program on this computer shares the local file through the
// embedded engine, out of sight of this process's service manager.
TEST_F(DataModuleTest, InUseTestSeesAnotherProgramOnThisComputer)
{
    ASSERT_TRUE(dm_.fnAccDatConnected("", "", 0));
    EXPECT_FALSE(dm_.AccDatInConnection(1, "", SystemDef.DataDir, 0));

    // isql holds the data set open until its input ends.
    const std::string command = platform::isqlProgram() + " -q -user SYSDBA -pas masterkey '" +
                                dataFile().string() + "' > /dev/null 2>&1";
    FILE* other = ::popen(command.c_str(), "w");
    ASSERT_NE(other, nullptr);
    int attached = 0;
    for (int i = 0; i < 600 && attached < 2; ++i) {   // a loaded machine may be slow to start it
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        attached = dm_.IBDatabaseDAT.attachment().attachmentCount();
    }
    ASSERT_EQ(attached, 2) << "isql did not attach";

    EXPECT_TRUE(dm_.AccDatInConnection(1, "", SystemDef.DataDir, 0));
    EXPECT_TRUE(dm_.IBDatabaseDAT.connected());
    EXPECT_FALSE(dm_.AccDatInConnection(0, "", SystemDef.SysDir, 0));
    ::pclose(other);
    EXPECT_FALSE(dm_.AccDatInConnection(1, "", SystemDef.DataDir, 0));
    EXPECT_TRUE(seam_->messages.empty());
}

TEST_F(DataModuleTest, DropDeletesTheDataSetDatabase)
{
    const fs::path folder = root_.path() / "data" / "0009";
    fs::create_directories(folder);
    test::buildDatabase(test::SchemaKind::DataSet, folder / "vqacc.fdb");

    EXPECT_TRUE(dm_.AccDatDropDatabase("", folder.string()));
    EXPECT_FALSE(fs::exists(folder / "vqacc.fdb"));
    EXPECT_FALSE(dm_.AccDatDropDatabase("", ""));

    EXPECT_FALSE(dm_.AccDatDropDatabase("", folder.string()));
    ASSERT_EQ(seam_->messages.size(), 1u);
    EXPECT_EQ(seam_->messages[0].text.rfind("ユーザーデータベースの削除処理に失敗しました。\r接続パスを確認して下さい。", 0),
              0u);
}

TEST_F(DataModuleTest, FileTransferDatabaseOnlyWhenItsFileExists)
{
    EXPECT_FALSE(dm_.OpenFileManDatabase(""));
    EXPECT_FALSE(dm_.IBFileMan.connected());
    // Any database file will do for the connection itself.
    fs::copy_file(fs::path(SystemDef.SysDir) / "vqaccdef.fdb", fs::path(SystemDef.SysDir) / "vqfileman.fdb");
    EXPECT_TRUE(dm_.OpenFileManDatabase(""));
    EXPECT_TRUE(dm_.IBFileMan.connected());
    EXPECT_TRUE(seam_->messages.empty());
}

TEST_F(DataModuleTest, DeferredTimersRunOnceWithTheirValues)
{
    std::vector<std::string> started;
    const auto previous = StartProcessProc;
    StartProcessProc = [&](const std::string& name, std::int32_t mode, const std::string& params) {
        started.push_back(name + "|" + std::to_string(mode) + "|" + params);
        return 1;
    };
    std::function<void()> pending;
    const auto previousScheduler = DeferredTimer::setScheduler([&](int ms, std::function<void()> fire) {
        EXPECT_EQ(ms, 100);
        pending = std::move(fire);
    });

    dm_.StartSyoriDeferred("QzDataSenkaku", 1, "SyoriType=3");
    ASSERT_TRUE(pending);
    pending();
    pending();
    EXPECT_EQ(started, (std::vector<std::string>{"QzDataSenkaku|1|SyoriType=3"}));
    EXPECT_FALSE(dm_.TimerSyoriKidou.enabled());

    std::vector<std::intptr_t> closed;
    TDM::PostWindowClose = [&](std::intptr_t h) { closed.push_back(h); };
    dm_.TimerFormClose.Tag = 42;
    dm_.TimerFormClose.setEnabled(true);
    pending();
    EXPECT_EQ(closed, (std::vector<std::intptr_t>{42}));
    EXPECT_EQ(dm_.TimerFormClose.Tag, 0);

    TDM::PostWindowClose = nullptr;
    DeferredTimer::setScheduler(previousScheduler);
    StartProcessProc = previous;
}

TEST_F(DataModuleTest, QueryFactoriesBindDatabaseAndTransaction)
{
    ASSERT_TRUE(dm_.fnAccDefConnected("", 1));
    ASSERT_TRUE(dm_.fnAccDatConnected("", "", 0));
    db::Transaction* all[] = {&dm_.IBTransactionDEF, &dm_.IBTransactionDAT, &dm_.IBTransactionDATSS};
    struct Case {
        std::unique_ptr<db::Statement> statement;
        db::Transaction* bound;
        const char* table;
    } cases[] = {
        {CreateAccQuery("ACCDEF", true), &dm_.IBTransactionDEF, "VERSION"},
        {CreateAccQuery("ACCDAT", false), &dm_.IBTransactionDAT, "ACCVERSION"},
        {CreateAccQuery("ACCDAT", true), &dm_.IBTransactionDATSS, "ACCVERSION"},
        {CreateAccSql("ACCDAT", 1), &dm_.IBTransactionDATSS, "ACCVERSION"},
        {CreateAccSql("ACCDAT", 2), &dm_.IBTransactionDAT, "ACCVERSION"},
    };
    for (auto& c : cases) {
        ASSERT_TRUE(c.statement);
        c.statement->setSql(std::string("SELECT MAJOR FROM ") + c.table);
        // Every other transaction active: the statement's own is not.
        for (auto* tr : all)
            if (tr != c.bound)
                tr->start();
        EXPECT_THROW(c.statement->execute(), db::DbError) << c.table;
        for (auto* tr : all)
            tr->rollback();
        c.bound->start();
        c.statement->execute();
        ASSERT_TRUE(c.statement->fetch());
        // The system database is at 12.0.0, the data set at 14.0.0.
        EXPECT_EQ(c.statement->field("MAJOR").asInt(), std::string(c.table) == "VERSION" ? 12 : 14);
        c.statement->close();
        c.bound->rollback();
    }
}
