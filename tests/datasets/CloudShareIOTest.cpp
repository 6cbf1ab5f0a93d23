// The cloud-share flag of a data set: left alone up to data version 11.0.0,
// stored in the company row and, stand-alone, in the info file from 11.0.1.
#include <gtest/gtest.h>

#include "../foundation/data/DataModuleFixture.h"
#include "datasets/CloudShareIO.h"
#include "foundation/dataset/DataInfomation.h"
#include "platform/IniFile.h"

using namespace vq;

class CloudShareIOTest : public test::DataModuleFixture {
protected:
    void setVersion(const char* sql) { test::runSql(dataFile(), std::string("DELETE FROM ACCVERSION;") + sql); }
    std::string infoFlag()
    {
        platform::IniFile ini(TDataInfomation::InfoFileName(SystemDef.DataDir));
        return ini.readString("DATAINFO", "CLOUD_SHARE", "<none>");
    }
};

TEST_F(CloudShareIOTest, GatedAtVersion1101)
{
    setVersion("INSERT INTO ACCVERSION (REC, MAJOR, MINOR1, MINOR2) VALUES (1, 11, 0, 0);");
    TCloudShareIO io;
    EXPECT_TRUE(io.SetSetting("", SystemDef.DataDir, 3));
    EXPECT_EQ(io.GetSetting("", SystemDef.DataDir), 0);
    EXPECT_EQ(infoFlag(), "<none>");
    EXPECT_FALSE(dm_.IBDatabaseDAT.connected());

    setVersion("INSERT INTO ACCVERSION (REC, MAJOR, MINOR1, MINOR2) VALUES (1, 11, 0, 1);");
    EXPECT_TRUE(io.SetSetting("", SystemDef.DataDir, 3));
    EXPECT_EQ(io.GetSetting("", SystemDef.DataDir), 3);
    EXPECT_EQ(infoFlag(), "1");
    // An open data set stays open.
    ASSERT_TRUE(dm_.fnAccDatConnected("", SystemDef.DataDir, 0));
    EXPECT_TRUE(io.ClearSetting("", SystemDef.DataDir));
    EXPECT_EQ(io.GetSetting("", SystemDef.DataDir), 0);
    EXPECT_TRUE(dm_.IBDatabaseDAT.connected());
    EXPECT_EQ(infoFlag(), "0");
    dm_.CloseAccDat(SystemDef.DataDir, 0, 0);

    // No version row counts as 0.0.0.
    setVersion("");
    EXPECT_TRUE(io.SetSetting("", SystemDef.DataDir, 5));
    EXPECT_EQ(io.GetSetting("", SystemDef.DataDir), 0);
}
