// The product-version list: built-in editions, one row per major up to the
// program's own, the installed products from the registry store, sorting and
// the version names a data version gets.
#include <gtest/gtest.h>

#include "TempDir.h"
#include "foundation/app/AppInfo.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/dataset/DataInfomation.h"
#include "foundation/dataset/SeihinVersionList.h"
#include "platform/RegistryStore.h"

using namespace vq;

namespace {

class SeihinVersionListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedInfo_ = AppInfo;
        savedDef_ = SystemDef;
        savedOem_ = OemKind;
        savedProduct_ = ProductKind;
        AppInfo.ApplicationRegKey = "\\SOFTWARE\\DRAXON";
        AppInfo.RidedRegKey = "ZEVERIVUREV";
        SystemDef.AppVerMajor = 14;
        OemKind = 0;
        ProductKind = 0;
        auto store = platform::RegistryStore::machine();
        auto product = [&](const std::string& key, const std::string& version, const std::string& type) {
            store.writeString("SOFTWARE\\DRAXON\\" + key, "Version", version);
            store.writeString("SOFTWARE\\DRAXON\\" + key, "Type", type);
        };
        product("ZeverivurevPro15", "15.0.3", "23版");
        product("ZEVERIVUREV14", "14.0.0", "別名"); // a version already listed
        product("ZEVERIVUREV16", "16.1", "24版");   // not three parts
        product("OTHERPRODUCT", "17.0.0", "他社");
    }
    void TearDown() override
    {
        AppInfo = savedInfo_;
        SystemDef = savedDef_;
        OemKind = savedOem_;
        ProductKind = savedProduct_;
    }

    test::ScopedRoot root_;
    TAppInfoRec savedInfo_;
    TSystemDef savedDef_;
    std::uint8_t savedOem_ = 0;
    std::uint8_t savedProduct_ = 0;
};

std::vector<std::string> versionsOf(const TSeihinVersionList& list)
{
    std::vector<std::string> v;
    for (int i = 0; i < list.Count; ++i)
        v.push_back(list.GetVersionText(i) + " " + list.GetName(i));
    return v;
}

} // namespace

TEST_F(SeihinVersionListTest, LoadsEditionsMajorsAndInstalledProducts)
{
    TSeihinVersionList list;
    list.Load(0);
    const std::vector<std::string> expected = {
        "1.0 09版", "2.0 10版", "3.0 11版", "4.0 12版", "5.0 13版", "6.0 14版", "7.0 15版", "8.0 16版",
        "9.0 17版", "10.0 18版", "11.0 19版", "12.0 20版", "13.0 21版", "14.0 22版", "15.0 23版"};
    EXPECT_EQ(versionsOf(list), expected);
    EXPECT_EQ(list.Names.size(), expected.size());
    EXPECT_EQ(list.IndexOfName("22版"), 13);
    EXPECT_EQ(list.IndexOfName("99版"), -1);
    EXPECT_EQ(list.GetName(-1), "");
    EXPECT_EQ(list.GetVersionText(list.Count), "");
    EXPECT_EQ(list.GetText().rfind("09版\r\n10版\r\n", 0), 0u);

    OemKind = 1; // no first editions outside the standard edition
    list.Load(0);
    EXPECT_EQ(list.GetName(0), "12版");
}

TEST_F(SeihinVersionListTest, SortKeepsTheFirstTextRowFirst)
{
    TSeihinVersionList list;
    list.FirstText = "（すべて）";
    list.Load(1);
    ASSERT_GT(list.Count, 2);
    EXPECT_EQ(list.GetName(0), "（すべて）");
    EXPECT_EQ(list.GetVersionText(0), ""); // version 0.0
    EXPECT_EQ(list.GetName(1), "23版");
    EXPECT_EQ(list.GetName(list.Count - 1), "09版");
    EXPECT_EQ(list.Names[1], "23版");
    list.Sort(0);
    EXPECT_EQ(list.GetName(0), "（すべて）");
    EXPECT_EQ(list.GetName(1), "09版");
    EXPECT_EQ(list.Names.back(), "23版");
}

TEST_F(SeihinVersionListTest, VersionNames)
{
    TDataInfomation info;
    std::string name;
    info.GetVersionName(0, 5, name);
    EXPECT_EQ(name, "評価版");
    info.GetVersionName(14, 0, name);
    EXPECT_EQ(name, "22版");
    info.GetVersionName(14, 3, name);
    EXPECT_EQ(name, "14.3");
    info.GetVersionName(0, 0, name);
    EXPECT_EQ(name, "0.0");
}

// The data lists' label does not wait for the host product's major: a major
// version is named by the edition numbering, a minor one by the installed
// product that has it, anything else by its numbers.
TEST_F(SeihinVersionListTest, DataVersionLabelsNeedNoHostMajor)
{
    SystemDef.AppVerMajor = 0;
    platform::RegistryStore::machine().writeString("SOFTWARE\\DRAXON\\ZEVERIVUREV14U", "Version", "14.2.0");
    platform::RegistryStore::machine().writeString("SOFTWARE\\DRAXON\\ZEVERIVUREV14U", "Type", "22版改");
    const struct {
        std::int32_t major, minor;
        std::uint8_t oem;
        const char* label;
    } cases[] = {
        {0, 0, 0, ""},      {0, 5, 0, "評価版"}, {1, 0, 0, "09版"},   {3, 0, 0, "11版"},     {4, 0, 0, "12版"},
        {14, 0, 0, "22版"}, {14, 0, 1, "22版"},  {2, 0, 1, "2.0"},    {14, 2, 0, "22版改"}, {14, 3, 0, "14.3"},
    };
    for (const auto& c : cases) {
        OemKind = c.oem;
        EXPECT_EQ(DataVersionLabel(c.major, c.minor), c.label) << c.major << "." << c.minor << " oem " << int(c.oem);
    }
}
