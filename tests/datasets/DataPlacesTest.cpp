// Data places: the 100 rows made on first use, named places in display
// order, a new place with its fixed slots, and a place that holds data.
#include <gtest/gtest.h>

#include "DataListFixture.h"
#include "datasets/DataPlaces.h"

using namespace vq;
namespace fs = std::filesystem;

class DataPlacesTest : public test::DataListFixture {};

TEST_F(DataPlacesTest, HundredRowsOnFirstUseAndANewPlace)
{
    ConnectMode = ConnectClientServer;
    TDataPlaceStore places;
    ASSERT_TRUE(places.LoadPlaces(false));
    ASSERT_EQ(places.Places.size(), 100u);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM DATAPLACEMAN"), 100);
    EXPECT_EQ(places.Places[0].NAME, root());
    EXPECT_EQ(places.Places[0].PATH, root());
    EXPECT_EQ(places.Places[1].PATH, root() + "01");
    EXPECT_EQ(places.Places[99].PATH, root() + "99");
    EXPECT_EQ(places.Places[99].ORDERKBN, 100);
    EXPECT_TRUE(places.Places[5].NAME.empty());

    std::string names;
    places.GetPlaceNames(names);
    EXPECT_EQ(names, root() + "\r");
    EXPECT_EQ(places.GetPlaceRec(-1), -1);
    EXPECT_EQ(places.GetPlaceRec(1), -1);
    EXPECT_EQ(places.IndexOfPlaceRec(5), -1);

    // A new place: its slots are made (the server folder cannot be reached
    // from here, so the name is set the way the dialog saves it).
    ASSERT_TRUE(places.LoadPlaces(false));
    places.Places[5].NAME = "第２事務所";
    places.Places[5].State = 1;
    places.SavePlaces();
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM DATALIST_EX WHERE DATAPLACEREC=5"), 120);
    EXPECT_EQ(texts("SELECT PASNAME FROM DATALIST_EX WHERE DATAPLACEREC=5 AND REC IN (1, 120) ORDER BY REC"),
              (std::vector<std::string>{root() + "05/0001", root() + "05/0120"}));
    places.GetPlaceNames(names);
    EXPECT_EQ(names, root() + "\r第２事務所\r");
    EXPECT_EQ(places.GetPlaceRec(1), 5);

    // Moving the second place up puts it first in display order.
    ASSERT_TRUE(places.MovePlace(1, -1));
    EXPECT_FALSE(places.MovePlace(0, -1));
    places.GetPlaceNames(names);
    EXPECT_EQ(names, "第２事務所\r" + root() + "\r");

    // Deleting a place none of whose slot folders exist frees it.
    seam_->messageAnswers.push_back(platform::ResultOk);
    ConnectMode = ConnectStandAlone; // folders looked up on this computer
    ASSERT_TRUE(places.DeletePlace(0));
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM DATALIST_EX WHERE DATAPLACEREC=5"), 0);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM DATAPLACEMAN WHERE REC=5 AND NAME=''"), 1);
}

TEST_F(DataPlacesTest, ALongDataRootNamesTheStandardPlace)
{
    SystemDef.SysDir = "/" + std::string(45, 'd');
    TDataPlaceStore places;
    ASSERT_TRUE(places.LoadPlaces(false));
    EXPECT_EQ(places.Places[0].NAME, "標準の場所");
}
