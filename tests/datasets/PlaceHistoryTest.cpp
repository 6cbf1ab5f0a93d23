#include "datasets/PlaceHistory.h"

#include <gtest/gtest.h>

#include "TempDir.h"
#include "platform/IniFile.h"

using namespace vq;
namespace fs = std::filesystem;

namespace {

class PlaceHistoryTest : public ::testing::Test {
protected:
    fs::path file() const { return dir_.path() / "history.ini"; }
    TPlaceHistory history() const { return TPlaceHistory(file(), DataBackHistorySection); }
    std::vector<std::string> keys() const { return platform::IniFile(file()).keys(DataBackHistorySection); }
    vq::test::TempDir dir_;
};

TEST_F(PlaceHistoryTest, FirstUseOffersTheDefaultAndKeepsItAfterTheChoice)
{
    EXPECT_EQ(history().Places("/home/a/docs"), (std::vector<std::string>{"/home/a/docs"}));
    history().Save("/home/a/docs");
    EXPECT_EQ(platform::IniFile(file()).readString(DataBackHistorySection, "HIST1"), "/home/a/docs");
    EXPECT_EQ(keys().size(), 1u);
}

TEST_F(PlaceHistoryTest, AChosenPlaceMovesToTheHeadAndTheNinthIsDropped)
{
    for (int i = 8; i >= 1; --i)
        history().Save("/p" + std::to_string(i));
    EXPECT_EQ(history().Load(),
              (std::vector<std::string>{"/p1", "/p2", "/p3", "/p4", "/p5", "/p6", "/p7", "/p8"}));

    history().Save("/p3");
    EXPECT_EQ(history().Load(),
              (std::vector<std::string>{"/p3", "/p1", "/p2", "/p4", "/p5", "/p6", "/p7", "/p8"}));

    history().Save("/new");
    EXPECT_EQ(history().Load(),
              (std::vector<std::string>{"/new", "/p3", "/p1", "/p2", "/p4", "/p5", "/p6", "/p7"}));
    EXPECT_EQ(keys().size(), PlaceHistoryLimit);
    // The default comes last when the history does not hold it.
    EXPECT_EQ(history().Places("/default").back(), "/default");
    EXPECT_EQ(history().Places("/p1").size(), PlaceHistoryLimit);
}

TEST_F(PlaceHistoryTest, AnOverlongSectionIsCutOnTheNextSaveAndClearKeepsThePlaceShown)
{
    {
        platform::IniFile ini(file());
        for (int i = 1; i <= 11; ++i)
            ini.writeString(DataBackHistorySection, "HIST" + std::to_string(i), "/q" + std::to_string(i));
        ini.writeString("Other", "KEY", "kept");
    }
    history().Save("/q1");
    EXPECT_EQ(keys().size(), PlaceHistoryLimit);
    EXPECT_EQ(history().Load().front(), "/q1");

    history().Clear("/q5");
    EXPECT_EQ(history().Load(), (std::vector<std::string>{"/q5"}));
    EXPECT_EQ(platform::IniFile(file()).readString("Other", "KEY"), "kept");
}

TEST_F(PlaceHistoryTest, AMissingPlaceIsUnreachableAndIsNotMade)
{
    const fs::path medium = dir_.path() / "media" / "usb";
    history().Save(medium.string());
    EXPECT_FALSE(PlaceReachable(medium.string()));
    EXPECT_FALSE(fs::exists(medium));
    EXPECT_FALSE(PlaceReachable(""));
    fs::create_directories(medium);
    EXPECT_TRUE(PlaceReachable(medium.string()));
    // A damaged file reads as an empty history.
    fs::remove(file());
    fs::create_directory(file());
    EXPECT_TRUE(history().Load().empty());
}

} // namespace
