// The version test: which update steps a database of a given version still
// needs, from a version text or from the open database.
#include <gtest/gtest.h>

#include "../foundation/data/DataModuleFixture.h"
#include "dbupdate/DbVersionTest.h"

using namespace vq;

TEST(DbUpdateSteps, ListsInVersionOrderWithTheirBackupFlags)
{
    for (const auto& list : {SystemUpdateSteps(), DataUpdateSteps()}) {
        for (std::size_t i = 1; i < list.size(); ++i)
            EXPECT_TRUE(IsNewerStep(list[i].Major, list[i].Minor1, list[i].Minor2, list[i - 1].Major,
                                    list[i - 1].Minor1, list[i - 1].Minor2)) << i;
    }
    const auto system = SystemUpdateSteps();
    const auto data = DataUpdateSteps();
    ASSERT_EQ(system.size(), 18u);
    ASSERT_EQ(data.size(), 61u);
    int systemBackups = 0, dataBackups = 0;
    for (const auto& s : system)
        systemBackups += s.BackupFlag;
    for (const auto& s : data)
        dataBackups += s.BackupFlag;
    EXPECT_EQ(systemBackups, 10);
    EXPECT_EQ(dataBackups, 57);
    EXPECT_EQ(system.back().Major, 12);
    EXPECT_EQ(data.back().Major, 14);
}

TEST(DbVersionTest, PendingStepsOfAVersionText)
{
    struct Case {
        std::string text;
        bool need;
        int first, backups;
    } cases[] = {
        {"14.0.0", false, -1, 0}, {"13.0.3", true, 60, 1}, {"14.0.1", false, -1, 0}, {"15.0.0", false, -1, 0},
        {"6.0.5", true, 34, 27},  {"0.0.0", true, 0, 57},  {"14.0", true, 0, 57},    {"abc", true, 0, 57},
        {"14.x.0", false, -1, 0},
    };
    TDbVersionTest test;
    for (const auto& c : cases) {
        test.SetupUpdateList(1, c.text);
        EXPECT_EQ(test.FNeedUpdate, c.need) << c.text;
        EXPECT_EQ(test.FFirstIndex, c.first) << c.text;
        EXPECT_EQ(test.FLastIndex, c.need ? 60 : -1) << c.text;
        EXPECT_EQ(test.FBackupCount, c.backups) << c.text;
    }
    EXPECT_EQ(test.FTargetMajor, 14);
}

class DbVersionTestOnDatabase : public test::DataModuleFixture {};

TEST_F(DbVersionTestOnDatabase, VersionReadFromTheOpenDatabase)
{
    ASSERT_TRUE(dm_.fnAccDefConnected("", 1));
    TDbVersionTest test;
    test.SetupUpdateList(0, "");
    EXPECT_FALSE(test.FNeedUpdate); // the system database carries 14.0.0
    ASSERT_TRUE(dm_.fnAccDatConnected("", SystemDef.DataDir, 0));
    test.SetupUpdateList(1, "");
    EXPECT_FALSE(test.FNeedUpdate);
    dm_.CloseAccDat(SystemDef.DataDir, 0, 0);

    {
        db::TransactionScope scope(dm_.IBTransactionDEF);
        db::Statement q(dm_.IBDatabaseDEF.attachment(), dm_.IBTransactionDEF, "DELETE FROM VERSION");
        q.execute();
        scope.commit();
    }
    test.SetupUpdateList(0, "");
    EXPECT_TRUE(test.FNeedUpdate);
    EXPECT_EQ(test.FFirstIndex, 0);
    EXPECT_EQ(test.FLastIndex, 17);
    EXPECT_EQ(test.FLastIndex - test.FFirstIndex + 1, 18);
    EXPECT_EQ(test.FBackupCount, 10);
}
