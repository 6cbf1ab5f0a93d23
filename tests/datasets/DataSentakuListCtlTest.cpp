// The data-list store on a real system database: slots, sorted loads, the
// local-folder rule, client/server rows and their renumbering, path
// conversions, rows from a data set's info and the shared-area cache.
#include <gtest/gtest.h>

#include "DataListFixture.h"
#include "datasets/DataListControllerPort.h"
#include "datasets/DataPlaces.h"
#include "foundation/data/DataListRefresher.h"
#include "foundation/dataset/DataInfomation.h"
#include "datasets/DataSentakuListCtl.h"
#include "datasets/NetworkDrives.h"
#include "platform/Folders.h"

using namespace vq;
namespace fs = std::filesystem;

namespace {

class DataSentakuListCtlTest : public test::DataListFixture {
protected:
    std::vector<std::int32_t> recs(const TDataSentakuListCtl& store)
    {
        std::vector<std::int32_t> out;
        for (const auto& row : store.DataList)
            out.push_back(row.REC);
        return out;
    }
    std::string slot(int rec) const
    {
        char name[8];
        std::snprintf(name, sizeof name, "%.4d", rec);
        return root() + "/" + name;
    }
};

} // namespace

TEST_F(DataSentakuListCtlTest, SlotsMadeOnceAndSortedLoads)
{
    TDataSentakuListCtl store;
    EXPECT_EQ(store.MakeSlots(root(), 120), 120);
    EXPECT_EQ(store.MakeSlots(root(), 120), 0);
    store.Execute(0, 1, false, {});
    ASSERT_EQ(store.RecCount, 120);
    EXPECT_EQ(store.DataList.front().PASNAME, slot(1));
    EXPECT_EQ(store.DataList.back().PASNAME, slot(120));
    EXPECT_TRUE(store.DataList.front().ENTTEXT.empty());

    exec("DELETE FROM DATALIST;"
         "INSERT INTO DATALIST (REC, GROUPID, ENTTEXT, PASNAME, NENDO) VALUES (1, 10000, 'B', '/d/0001', 5);"
         "INSERT INTO DATALIST (REC, GROUPID, ENTTEXT, PASNAME, NENDO) VALUES (2, 10000, '', '/d/0002', 0);"
         "INSERT INTO DATALIST (REC, GROUPID, ENTTEXT, PASNAME, NENDO) VALUES (3, 10000, 'A', '/d/0003', 4);"
         "INSERT INTO DATALIST (REC, GROUPID, ENTTEXT, PASNAME, NENDO) VALUES (4, 10000, 'A', '/d/0004', 6);"
         "INSERT INTO DATALIST (REC, GROUPID, ENTTEXT, PASNAME, NENDO) VALUES (5, 10000, '', '/d/0005', 0);"
         "INSERT INTO DATALIST (REC, GROUPID, ENTTEXT, PASNAME, NENDO) VALUES (6, 20000, 'other group', '/d/0006', 0);");
    store.Execute(0, 2, false, {});
    EXPECT_EQ(recs(store), (std::vector<std::int32_t>{4, 3, 1, 2, 5}));
    store.Execute(0, 1, true, {});
    EXPECT_EQ(recs(store), (std::vector<std::int32_t>{5, 4, 3, 2, 1}));
    store.EntryFilter = 1;
    store.Execute(0, 2, true, {});
    EXPECT_EQ(recs(store), (std::vector<std::int32_t>{1, 4, 3}));
}

TEST_F(DataSentakuListCtlTest, LocalFolderRuleAndChildren)
{
    exec("INSERT INTO DATALIST (REC, GROUPID, ENTTEXT, PASNAME, NETDRIVE) VALUES (3, 10000, 'a', '/d/0003', 0);"
         "INSERT INTO DATALIST (REC, GROUPID, ENTTEXT, PASNAME, NETDRIVE) VALUES (4, 10000, 'b', '/d/0004/', 0);"
         "INSERT INTO DATALIST (REC, GROUPID, ENTTEXT, PASNAME, NETDRIVE) VALUES (5, 10000, 'c', '', 1);"
         "INSERT INTO DATALIST (REC, GROUPID, ENTTEXT, PASNAME, NETDRIVE, GASSAN) VALUES (7, 10000, 'd', 'X:\\area\\sv0002', 1, 1);"
         "INSERT INTO CHILD_DATALIST (REC, ROWNO, GROUPID, ENTTEXT, PASNAME, NETDRIVE, GASSAN) VALUES (7, 2, 10000, 'k2', 'X:/area/sv0002/002', 1, 10);"
         "INSERT INTO CHILD_DATALIST (REC, ROWNO, GROUPID, ENTTEXT, PASNAME, NETDRIVE, GASSAN) VALUES (7, 1, 10000, 'k1', 'X:/area/sv0002/001', 1, 10);");
    TDataSentakuListCtl store;
    store.Execute(0, 1, false, {});
    ASSERT_EQ(store.RecCount, 4);
    struct Expect {
        std::string local;
        int netdrive;
    } expected[] = {{"/d/0003", 0}, {"/d/0004", 0}, {"", 0}, {slot(7), 1}};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(store.DataList[i].LOCAL_PATH, expected[i].local) << i;
        EXPECT_EQ(store.DataList[i].NETDRIVE, expected[i].netdrive) << i;
    }
    const auto& shared = store.DataList[3];
    EXPECT_EQ(shared.PASNAME, "X:/area/sv0002"); // Windows delimiters made native
    ASSERT_EQ(shared.ChildCount, 2);
    EXPECT_EQ(shared.Children[0].ROWNO, 1);
    EXPECT_EQ(shared.Children[0].LOCAL_PATH, slot(7) + "/001");
    EXPECT_EQ(store.ChildRecCount, 2);

    TDataSentakuRec copy = shared;
    store.NumberChildNames(copy);
    EXPECT_EQ(copy.Children[1].DISP_NAME, "02 k2");
    store.RemoveChild(copy, 0);
    EXPECT_EQ(copy.ChildCount, 1);
    EXPECT_EQ(copy.Children[0].DISP_NAME, "02 k2");
}

TEST_F(DataSentakuListCtlTest, ClientServerRowsSlotCheckAndRenumbering)
{
    ConnectMode = ConnectClientServer;
    TDataPlaceStore places;
    ASSERT_TRUE(places.LoadPlaces(false));
    places.Places[3].NAME = "place 3";
    places.Places[3].State = 1;
    places.SavePlaces();
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM DATALIST_EX WHERE DATAPLACEREC=3"), 120);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM DATALIST_EX WHERE DATAPLACEREC=3 AND PASNAME='" + root() + "03/0120'"), 1);
    for (int rec = 121; rec <= 125; ++rec)
        exec("INSERT INTO DATALIST_EX (DATAPLACEREC, REC, GROUPID, ENTTEXT, PASNAME) VALUES (3, " + std::to_string(rec) +
             ", 10000, 'x', '/srv/x" + std::to_string(rec) + "')");

    TDataSentakuListCtl store;
    store.ConnectMode = ConnectClientServer;
    store.SetListTable(3);
    EXPECT_EQ(store.TableName, "DATALIST_EX");
    TDataListRec row;
    store.ClearRecord(row, "/srv/new");
    row.ENTTEXT = "new";
    ASSERT_TRUE(store.InsertDataListRecord(row, true));
    EXPECT_EQ(row.REC, 126);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM DATALIST_EX WHERE DATAPLACEREC=3 AND REC=126 AND PASNAME='/srv/new'"), 1);

    // The slot still carries the folder (letter case aside): written; another
    // folder took it meanwhile: nothing written, still true.
    exec("UPDATE DATALIST_EX SET PASNAME='/srv/data/0007' WHERE DATAPLACEREC=3 AND REC=7");
    store.ClearRecord(row, "/SRV/DATA/0007");
    row.REC = 7;
    row.SHOUGOU = "written";
    ASSERT_TRUE(store.UpdateDataListRecord(row, 0, true));
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM DATALIST_EX WHERE DATAPLACEREC=3 AND REC=7 AND SHOUGOU='written'"), 1);
    row.PASNAME = "/srv/data/0008";
    row.SHOUGOU = "not written";
    ASSERT_TRUE(store.UpdateDataListRecord(row, 0, true));
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM DATALIST_EX WHERE SHOUGOU='not written'"), 0);

    // Only rows above the fixed slots are deleted.
    store.ClearRecord(row, root() + "03/0050");
    ASSERT_TRUE(store.DeleteDataListRecord(row, true));
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM DATALIST_EX WHERE DATAPLACEREC=3 AND REC=50"), 1);

    exec("DELETE FROM DATALIST_EX WHERE DATAPLACEREC=3 AND REC IN (122, 123, 125, 126);"
         "UPDATE DATALIST_EX SET REC=130 WHERE DATAPLACEREC=3 AND REC=121;"
         "INSERT INTO DATALIST_EX (DATAPLACEREC, REC, GROUPID, ENTTEXT, PASNAME) VALUES (3, 121, 10000, 'y', '/srv/y')");
    store.ClearRecord(row, "/srv/x121");
    ASSERT_TRUE(store.DeleteDataListRecord(row, true));
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM DATALIST_EX WHERE DATAPLACEREC=3 AND REC=130"), 0);
    exec("INSERT INTO DATALIST_EX (DATAPLACEREC, REC, GROUPID, ENTTEXT, PASNAME) VALUES (3, 130, 10000, 'z', '/srv/z')");
    store.CompactRecNo();
    EXPECT_EQ(texts("SELECT REC || PASNAME FROM DATALIST_EX WHERE DATAPLACEREC=3 AND REC>120 ORDER BY REC"),
              (std::vector<std::string>{"121/srv/y", "122/srv/x124", "123/srv/z"}));
}

TEST_F(DataSentakuListCtlTest, LocalFoldersConvertToTheirSharePaths)
{
    test::ScopedRoot vqRoot;
    const auto previous = SetMountTableReader([] {
        return ParseMountInfo("22 1 8:1 / / rw - ext4 /dev/sda1 rw\n"
                              "40 22 0:35 / /mnt/office rw - nfs4 fileserver:/export rw\n");
    });
    platform::folders::mapDrive('N', "/mnt/office");
    exec("INSERT INTO DATALIST (REC, GROUPID, ENTTEXT, PASNAME, NETDRIVE, KYOYULOCK) VALUES (5, 10000, 's', 'X:/zeverivurev/sv0003', 1, 1);"
         "INSERT INTO DATALIST (REC, GROUPID, ENTTEXT, PASNAME, NETDRIVE, KYOYULOCK) VALUES (6, 10000, 'l', '" + slot(6) + "', 0, 0)");
    TDataSentakuListCtl store;
    struct Case {
        std::string local, pasName;
        int netDrive, kyoyuLock;
    } cases[] = {
        {slot(5), "X:/zeverivurev/sv0003", 1, 1},
        {slot(5) + "/002", "X:/zeverivurev/sv0003/002", 1, 1},
        {slot(6), slot(6), 0, 0},
        {test::upperAsciiForTest(slot(6)), test::upperAsciiForTest(slot(6)), 0, 0},
        {"N:/data/0005", "N:/data/0005", 0, 0},
        {"/mnt/office/data/0005", "/mnt/office/data/0005", 0, 0},
    };
    for (const auto& c : cases) {
        std::string pasName;
        std::int32_t netDrive = -1, kyoyuLock = -1;
        EXPECT_TRUE(store.ConvLocalPathToSharePath(c.local, pasName, netDrive, kyoyuLock)) << c.local;
        EXPECT_EQ(pasName, c.pasName) << c.local;
        EXPECT_EQ(netDrive, c.netDrive) << c.local;
        EXPECT_EQ(kyoyuLock, c.kyoyuLock) << c.local;
    }
    std::string pasName;
    std::int32_t netDrive = 0, kyoyuLock = 0;
    EXPECT_FALSE(store.ConvLocalPathToSharePath("  ", pasName, netDrive, kyoyuLock));

    // The full row of a working copy, and a folder that is no slot.
    TDataSentakuRec row;
    EXPECT_EQ(store.GetRecordOfPath(slot(5), row), 1);
    EXPECT_EQ(row.REC, 5);
    EXPECT_EQ(row.PASNAME, "X:/zeverivurev/sv0003");
    EXPECT_EQ(row.LOCAL_PATH, slot(5));
    EXPECT_EQ(store.GetRecordOfPath(root() + "/abc", row), 0);
    EXPECT_EQ(row.REC, 0);
    EXPECT_TRUE(row.PASNAME.empty());
    SetMountTableReader(previous);
}

TEST_F(DataSentakuListCtlTest, RowsFromADataSetsInfo)
{
    TDataSentakuListCtl store;
    TDataInfomationRec info;
    info.STATUS = DataStatusLocked;
    info.OPCODE = 100000012;
    info.DATALISTNAME = EmptyAreaName;
    info.SHOUGOU = "青空商店";
    info.KISHU = "2024/01/01";
    info.KIMATU = "not a date";
    info.GASSANKBN = 1;
    TDataListRec row;
    store.ClearRecord(row, "X:/zeverivurev/sv0001");
    row.NETDRIVE = 1;
    store.SetRecordFromDataInfo(info, row);
    EXPECT_EQ(row.DATALOCK, 12);
    EXPECT_EQ(row.ENTTEXT, "青空商店");
    EXPECT_EQ(row.DISP_NAME, "青空商店");
    EXPECT_GT(row.KISHU, 0);
    EXPECT_EQ(row.KIMATU, 0);
    info.STATUS = DataStatusInUse;
    store.SetRecordFromDataInfo(info, row);
    EXPECT_EQ(row.DATALOCK, 0);
    // No group: the operator code as it is.
    SystemDef.GROUPID = 0;
    info.STATUS = DataStatusLocked;
    store.SetRecordFromDataInfo(info, row);
    EXPECT_EQ(row.DATALOCK, 100000012);
    SystemDef.GROUPID = 10000;
    row.ROWNO = 2;
    store.SetRecordFromDataInfo(info, row);
    EXPECT_EQ(row.GASSAN, GassanDistributedChild);
}

TEST_F(DataSentakuListCtlTest, SharedAreaCache)
{
    test::ScopedRoot vqRoot;
    const fs::path drive = root_.path() / "drive-x";
    fs::create_directories(drive / "zeverivurev" / "sv0001");
    platform::folders::mapDrive('X', drive);
    exec("INSERT INTO SERVERDATALIST (GROUPID, DRIVELETTER, REC, ENTTEXT, PASNAME) VALUES (10000, 'X', 3, 'a', 'X:/zeverivurev/sv0001');"
         "INSERT INTO SERVERDATALIST (GROUPID, DRIVELETTER, REC, ENTTEXT, PASNAME) VALUES (10000, 'X', 4, 'b', 'X:/zeverivurev/sv0001');"
         "INSERT INTO SERVERDATALIST (GROUPID, DRIVELETTER, REC, ENTTEXT, PASNAME) VALUES (10000, 'X', 9, 'c', 'X:/zeverivurev/sv0007')");
    TDataSentakuListCtl store;
    std::string name;
    store.NextServerAreaName("X:/zeverivurev", 1, name);
    EXPECT_EQ(name, "sv0008");
    store.NextServerAreaName("Y:/zeverivurev", 1, name);
    EXPECT_EQ(name, "sv0001");

    TDataListRec row;
    store.ClearRecord(row, "X:/zeverivurev/sv0001");
    row.NETDRIVE = 1;
    row.ENTTEXT = "青空";
    row.KISHU = 45292;
    row.KIMATU = 45657;
    ASSERT_TRUE(store.UpdateServerDataListRecord(row, 1, true));
    EXPECT_EQ(texts("SELECT REC || ENTTEXT FROM SERVERDATALIST WHERE PASNAME='X:/zeverivurev/sv0001'"),
              (std::vector<std::string>{"10青空"}));

    // A cached child whose area is not cached is not stored.
    TDataListRec child;
    store.ClearRecord(child, "X:/zeverivurev/sv0099/001");
    child.NETDRIVE = 1;
    child.ROWNO = 1;
    child.GASSAN = GassanDistributedChild;
    EXPECT_TRUE(store.UpdateServerDataListChildRecord(child, 1, true));
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM CHILD_SERVERDATALIST"), 0);

    store.ListKind = 1;
    store.ServerExecute(0, "X:/zeverivurev", 5, false, {});
    EXPECT_EQ(store.RecCount, 2);
    fs::create_directories(drive / "zeverivurev" / "ZeveriVurev_Backup");
    fs::create_directories(drive / "zeverivurev" / "sv0002" / "001");
    store.ServerExecute(1, "X:/zeverivurev", 5, false, {});
    ASSERT_EQ(store.RecCount, 2);
    EXPECT_EQ(store.DataList[1].PASNAME, "X:/zeverivurev/sv0002");
    EXPECT_EQ(store.DataList[1].ChildCount, 1);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM SERVERDATALIST WHERE DRIVELETTER='X'"), 0);
}

TEST_F(DataSentakuListCtlTest, ClosingADataSetRefreshesItsRow)
{
    const auto previousFactory = setDataListControllerFactory({});
    InstallDataListController();
    TDataInfomation info; // lets the data module describe the data sets it closes
    exec("INSERT INTO DATALIST (REC, GROUPID, ENTTEXT, PASNAME, YOBI1) VALUES (1, 10000, 'old', '" + SystemDef.DataDir +
         "', 'keep')");
    ASSERT_TRUE(dm_.fnAccDatConnected("", SystemDef.DataDir, 1));
    dm_.CloseAccDat(SystemDef.DataDir, 1, 1);
    EXPECT_EQ(texts("SELECT ENTTEXT || '|' || VER_MAJOR || '|' || YOBI1 FROM DATALIST WHERE REC=1"),
              (std::vector<std::string>{"old|14|keep"}));
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM DATALIST WHERE REC=1 AND NENDO>0 AND KISHU IS NOT NULL"), 1);
    setDataListControllerFactory(previousFactory);
}
