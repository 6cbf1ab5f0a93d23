// Every data kind of the first release goes through every data step, from
// 0.1.0 to the last version, as the data set of an office that never
// updated would, with the part files the build installs.
#include "DataStepsFixture.h"

#include "foundation/app/SystemDef.h"
#include "foundation/app/SystemFolders.h"

using namespace vq;
using namespace vq::test;
namespace fs = std::filesystem;

namespace {

class WholeDataChainTest : public DataStepsFixture {
protected:
    void SetUp() override
    {
        DataStepsFixture::SetUp();
        TSystemDef def;
        InitSystemFolders(def);
        SystemDef.SqlDir = def.SqlDir;
    }
};

} // namespace

TEST_F(WholeDataChainTest, EveryDataKindOfTheFirstReleaseReachesTheLastVersion)
{
    const auto steps = static_cast<int>(DataUpdateSteps().size());
    for (const char* kind : {"corporation", "individual", "real-estate", "clinic", "agriculture", "medical"}) {
        SCOPED_TRACE(kind);
        useBase(kind);
        const int result = runUpTo(steps);
        std::string failed;
        for (std::size_t i = 0; i < run_.FRowStatus.size(); ++i)
            if (run_.FRowStatus[i] != "完了")
                failed += std::to_string(i) + " " + run_.FRowStatus[i] + "\n";
        ASSERT_EQ(result, 1) << failed << lastMessage()
                             << readBytes(fs::path(SystemDef.LogDir) / "ErrDataup.txt");
        EXPECT_EQ(version(), "14.0.0");
        // Medical data gains the exchange-difference line of each statement
        // kind, under a number of its own.
        if (std::string(kind) == "medical") {
            EXPECT_EQ(scalar("SELECT COUNT(DISTINCT CM_KIND)||','||COUNT(*) FROM CASHFMST "
                             "WHERE CM_GROUP = 40 AND CM_NAME1 = 'Ⅳ　現金及び現金同等物に係る換算差額'"),
                      "2,2");
            EXPECT_EQ(scalar("SELECT COUNT(*) - COUNT(DISTINCT CM_REC) FROM CASHFMST"), "0");
        }
    }
}
