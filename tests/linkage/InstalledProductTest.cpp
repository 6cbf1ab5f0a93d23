// The installed product's values from the registry store: the matching
// sub-key by key word and major version, the later one winning.
#include <gtest/gtest.h>

#include "TempDir.h"
#include "foundation/app/AppInfo.h"
#include "linkage/InstalledProduct.h"
#include "platform/RegistryStore.h"

using namespace vq;
using vq::linkage::ReadInstalledProductValue;

namespace {

class InstalledProductTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedInfo_ = AppInfo;
        AppInfo.ApplicationRegKey = "\\SOFTWARE\\DRAXON";
        AppInfo.RidedRegKey = "ZEVERIVUREV";
    }
    void TearDown() override { AppInfo = savedInfo_; }

    void install(const std::string& subKey, const std::string& product, const std::string& version)
    {
        auto store = platform::RegistryStore::machine();
        if (!product.empty())
            store.writeString("SOFTWARE\\DRAXON\\" + subKey, "Product", product);
        store.writeString("SOFTWARE\\DRAXON\\" + subKey, "Version", version);
    }

    std::string read(const std::string& name, std::int32_t major = 14)
    {
        std::string value;
        ReadInstalledProductValue(major, 0, name, value);
        return value;
    }

    test::ScopedRoot root_;
    TAppInfoRec savedInfo_;
};

TEST_F(InstalledProductTest, NothingInstalledLeavesTheValueAsItWas)
{
    std::string value = "kept";
    ReadInstalledProductValue(14, 0, "Version", value);
    EXPECT_EQ(value, "kept");
    install("OTHER14", "Other", "14.0.0");
    ReadInstalledProductValue(14, 0, "Version", value);
    EXPECT_EQ(value, "kept");
}

TEST_F(InstalledProductTest, TheLaterMatchingSubKeyWinsWhateverItsLetterCase)
{
    install("ZEVERIVUREV14", "Product A", "14.0.0");
    install("zeverivurev14_SP1", "Product B", "14.2.1");
    install("ZeverivurevPro14", "Product D", "14.9.9"); // the key word is not followed by 14
    install("ZEVERIVUREV15", "Product C", "15.0.0");
    EXPECT_EQ(read("Product"), "Product B");
    EXPECT_EQ(read("version"), "14.2.1");
    EXPECT_EQ(read("Product", 15), "Product C");
    EXPECT_EQ(read("Product", 13), "");
}

TEST_F(InstalledProductTest, AMatchingSubKeyWithoutTheValueGivesEmptyText)
{
    install("ZEVERIVUREV14", "", "14.0.0");
    std::string value = "kept";
    ReadInstalledProductValue(14, 0, "Product", value);
    EXPECT_EQ(value, "");
}

TEST_F(InstalledProductTest, RootDirNamesTheVersionsDataFolder)
{
    install("ZEVERIVUREV14", "P", "14.0.0");
    auto store = platform::RegistryStore::machine();
    store.writeString("SOFTWARE\\DRAXON\\ZEVERIVUREV14", "RootDir", "/opt/vorlen/");
    std::string value;
    ReadInstalledProductValue(14, 0, "RootDir", value);
    EXPECT_EQ(value, "/opt/vorlen/zeverivurev22");
    value.clear();
    ReadInstalledProductValue(14, 2, "rootdir", value);
    EXPECT_EQ(value, "/opt/vorlen/zeverivurev22c");
}

} // namespace
