#include "platform/RegistryStore.h"

#include "platform/Folders.h"

#include "TempDir.h"

#include <gtest/gtest.h>

using vq::platform::RegistryStore;

namespace {

class RegistryStoreTest : public ::testing::Test {
protected:
    vq::test::ScopedRoot root;
    RegistryStore store = RegistryStore::machine();
};

TEST_F(RegistryStoreTest, ValuesByTypeAndWithoutCase)
{
    EXPECT_FALSE(store.keyExists("SOFTWARE\\Vorlen"));
    EXPECT_FALSE(store.readString("SOFTWARE\\Vorlen", "Path"));

    store.writeString("SOFTWARE\\Vorlen\\Accounting", "Path", "C:\\Data\\会計 ");
    store.writeInteger("SOFTWARE\\Vorlen\\Accounting", "Count", -12);
    store.writeString("SOFTWARE\\Vorlen\\Accounting", "", "default");
    store.writeString("SOFTWARE\\Vorlen\\Accounting", "Odd=Name;[x]", "two\r\nlines \"q\"");

    EXPECT_TRUE(std::filesystem::exists(vq::platform::folders::registryFile()));
    EXPECT_TRUE(store.keyExists("software\\VORLEN"));   // created on the way
    EXPECT_TRUE(store.keyExists("\\Software\\Vorlen\\Accounting\\"));
    EXPECT_EQ(store.readString("software\\vorlen\\accounting", "PATH"), "C:\\Data\\会計 ");
    EXPECT_EQ(store.readInteger("SOFTWARE\\Vorlen\\Accounting", "count"), -12);
    EXPECT_EQ(store.readString("SOFTWARE\\Vorlen\\Accounting", "Count"), "-12");
    EXPECT_EQ(store.readInteger("SOFTWARE\\Vorlen\\Accounting", "Path"), std::nullopt);
    EXPECT_EQ(store.readString("SOFTWARE\\Vorlen\\Accounting", ""), "default");
    EXPECT_EQ(store.readString("SOFTWARE\\Vorlen\\Accounting", "odd=name;[X]"), "two\r\nlines \"q\"");
    EXPECT_EQ(store.valueNames("SOFTWARE\\Vorlen\\Accounting"),
              (std::vector<std::string>{"Path", "Count", "", "Odd=Name;[x]"}));

    store.writeInteger("SOFTWARE\\Vorlen\\Accounting", "COUNT", 5);   // replaces, whatever the case
    EXPECT_EQ(store.readInteger("SOFTWARE\\Vorlen\\Accounting", "Count"), 5);
    store.deleteValue("SOFTWARE\\Vorlen\\Accounting", "path");
    EXPECT_FALSE(store.valueExists("SOFTWARE\\Vorlen\\Accounting", "Path"));
    EXPECT_TRUE(store.valueExists("SOFTWARE\\Vorlen\\Accounting", "Count"));
}

TEST_F(RegistryStoreTest, SubKeysSortedWithoutCaseAndDeletedWithTheirTree)
{
    for (const char* key : {"SOFTWARE\\Vorlen\\zeta", "SOFTWARE\\Vorlen\\Alpha\\Deep", "SOFTWARE\\Vorlen\\beta",
                            "SOFTWARE\\Vorlen\\BETA", "SOFTWARE\\Vorlen\\Gamma", "SOFTWARE\\Other"})
        store.createKey(key);
    EXPECT_EQ(store.subKeys("software\\vorlen"), (std::vector<std::string>{"Alpha", "beta", "Gamma", "zeta"}));
    EXPECT_EQ(store.subKeys(""), (std::vector<std::string>{"SOFTWARE"}));
    EXPECT_EQ(store.subKeys("SOFTWARE"), (std::vector<std::string>{"Other", "Vorlen"}));
    EXPECT_TRUE(store.subKeys("Missing").empty());

    store.writeString("SOFTWARE\\Vorlen\\Alpha\\Deep", "v", "1");
    store.deleteKey("software\\VORLEN\\alpha");
    EXPECT_FALSE(store.keyExists("SOFTWARE\\Vorlen\\Alpha\\Deep"));
    EXPECT_FALSE(store.keyExists("SOFTWARE\\Vorlen\\Alpha"));
    EXPECT_EQ(store.subKeys("SOFTWARE\\Vorlen"), (std::vector<std::string>{"beta", "Gamma", "zeta"}));
    // A sibling whose name merely starts the same way survives.
    store.createKey("SOFTWARE\\Vorlen\\Gammas");
    store.deleteKey("SOFTWARE\\Vorlen\\Gamma");
    EXPECT_TRUE(store.keyExists("SOFTWARE\\Vorlen\\Gammas"));
}

TEST(RegistryStore, BrokenFileReadsAsEmptyAndIsRepairedByWrites)
{
    vq::test::TempDir dir;
    auto file = dir / "reg.ini";
    vq::test::writeBytes(file, std::string("\x00\xFF garbage\n[K]\nv=dword:12x\nnoequals\n", 36));
    RegistryStore store(file);
    EXPECT_TRUE(store.keyExists("K"));
    EXPECT_EQ(store.readInteger("K", "v"), std::nullopt);
    store.writeInteger("K", "v", 7);
    EXPECT_EQ(store.readInteger("K", "v"), 7);
}

} // namespace
