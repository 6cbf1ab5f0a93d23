// A data set's description and its info file on real databases: the file
// made on first sight, status codes written and read back, the exact bytes
// of the file, and the shared data taken from and returned to a shared
// folder, failed copies included.
#include <gtest/gtest.h>

#include <map>
#include <sys/stat.h>

#include "../data/DataModuleFixture.h"
#include "foundation/data/DataSetDescriptionPort.h"
#include "foundation/dataset/DataInfomation.h"
#include "platform/Cp932.h"

using namespace vq;
namespace fs = std::filesystem;

namespace {

class DataInfomationTest : public test::DataModuleFixture {
protected:
    void SetUp() override
    {
        DataModuleFixture::SetUp();
        savedReader_ = setDataSetDescriptionReader({});
        SystemDef.AppVerMajor = 14;
        test::runSql(dataFile(), "UPDATE ACCDEF1 SET ENTTEXT='青空商店（本店）', SCODE1='0001', "
                                 "SHOUGOU='青空商店', SKANA='ｱｵｿﾞﾗｼｮｳﾃﾝ', TANTOU=3, NENDO=2024 WHERE REC=1;");
    }
    void TearDown() override
    {
        setDataSetDescriptionReader(savedReader_);
        DataModuleFixture::TearDown();
    }

    std::string folder() const { return SystemDef.DataDir; }
    fs::path infoFile(const std::string& dir) const { return fs::path(dir) / "vqacc.ini"; }

    // The info file as the program writes it: CP932 with CR LF line ends.
    static std::string onDisk(const std::vector<std::string>& lines)
    {
        std::string text;
        for (const auto& line : lines)
            text += line + "\r\n";
        return platform::cp932::fromUtf8(text);
    }

    // Every file of a folder with its bytes.
    static std::map<std::string, std::string> snapshot(const fs::path& dir)
    {
        std::map<std::string, std::string> files;
        for (const auto& e : fs::directory_iterator(dir)) {
            if (e.is_regular_file())
                files[e.path().filename().string()] = test::readBytes(e.path());
            else
                files[e.path().filename().string()] = "<other>";
        }
        return files;
    }

    // A shared folder holding a copy of the fixture's data set.
    std::string makeShare()
    {
        const fs::path share = root_.path() / "share" / "0001";
        fs::create_directories(share);
        fs::copy_file(dataFile(), share / "vqacc.fdb");
        return share.string();
    }

    DataSetDescriptionReader savedReader_;
};

const std::vector<std::string> kInfoSection = {
    "[DATAINFO]", "DATALISTNAME=青空商店（本店）", "CODE=0001", "DATAKBN=2", "CODEKBN=1", "SHOUGOU=青空商店",
    "KANA=ｱｵｿﾞﾗｼｮｳﾃﾝ", "NENDO=2024", "KISHU=2024/01/01", "KIMATU=2024/12/31", "TANTO=3", "SITEN=0",
    "SITENCNT=0", "BUMON=0", "BUMONCNT=0", "SIWAKE=0", "TOTALSIWAKE=0", "VERSION1=14.0.0", "VERSION2=22版",
    "GASSANKBN=0", "USEMYNUMBER=0", "CLOUD_SHARE=0"};

std::vector<std::string> withStatus(std::vector<std::string> status)
{
    status.insert(status.end(), kInfoSection.begin(), kInfoSection.end());
    return status;
}

} // namespace

TEST_F(DataInfomationTest, InfoFileMadeOnFirstReadAndStatusCodesReadBack)
{
    TDataInfomation info;
    TDataInfomationRec rec;
    ASSERT_FALSE(fs::exists(infoFile(folder())));
    ASSERT_TRUE(info.ReadIniFile("", folder(), rec));
    const std::string fresh = onDisk(withStatus({"[DATASTS]", "STATUS=1", "SHARE_STATUS=1", "UPDATE_LOCK=0", "READ_ONLY=0"}));
    EXPECT_EQ(test::readBytes(infoFile(folder())), fresh);
    EXPECT_EQ(rec.STATUS, DataStatusFree);
    EXPECT_EQ(rec.SHOUGOU, "青空商店");
    EXPECT_EQ(rec.VERSION2, "22版");
    EXPECT_EQ(rec.MAJOR, 14);
    EXPECT_FALSE(dm_.IBDatabaseDAT.connected());

    // Every status a data set can have, with the operator who set it.
    for (std::uint8_t status = 0; status <= 10; ++status) {
        SCOPED_TRACE(static_cast<int>(status));
        info.WriteDataStatus(folder(), status);
        ASSERT_TRUE(info.ReadIniFile("", folder(), rec));
        EXPECT_EQ(rec.STATUS, status);
        EXPECT_EQ(rec.OPCODE, status == 1 ? 0 : 100001);
        EXPECT_EQ(rec.OPERATOR, status == 1 ? "" : "担当者");
    }
    info.WriteDataStatus(folder(), DataStatusLocked);
    info.WriteShareStatus(folder(), ShareStatusTaken);
    EXPECT_EQ(test::readBytes(infoFile(folder())),
              onDisk(withStatus({"[DATASTS]", "STATUS=3", "SHARE_STATUS=2", "UPDATE_LOCK=0", "READ_ONLY=0",
                                 "OPCODE=100001", "OPERATOR=担当者", "SHARE_OPCODE=100001",
                                 "SHARE_OPERATOR=担当者"})));
    EXPECT_EQ(info.SetShareStatusIfChanged(folder(), ShareStatusTaken), 0);
    EXPECT_EQ(info.SetShareStatusIfChanged(folder(), ShareStatusFree), 1);
    info.WriteDataStatus(folder(), DataStatusFree);
    EXPECT_EQ(test::readBytes(infoFile(folder())), fresh); // the operator keys go with status 1

    // Opening for work and closing again go through the same file.
    ASSERT_TRUE(dm_.fnAccDatConnected("", folder(), 1));
    ASSERT_TRUE(info.ReadIniFile("", folder(), rec));
    EXPECT_EQ(rec.STATUS, DataStatusInUse);
    EXPECT_EQ(rec.OPCODE, 100001);
    dm_.CloseAccDat(folder(), 1, 0);
    EXPECT_EQ(test::readBytes(infoFile(folder())), fresh);
}

TEST_F(DataInfomationTest, WrittenRecordReadsBackAndKeysKeepTheirOrder)
{
    TDataInfomation info;
    TDataInfomationRec rec;
    rec.STATUS = 2;
    rec.SHARE_STATUS = 2;
    rec.SHARE_OPCODE = 100002;
    rec.SHARE_OPERATOR = "山田　花子";
    rec.UPDATE_LOCK = 1;
    rec.READ_ONLY = 1;
    rec.DATALISTNAME = "①医療法人";
    rec.CODE = "A-01";
    rec.DATAKBN = 3;
    rec.CODEKBN = 2;
    rec.SHOUGOU = "医療法人　青空会";
    rec.KANA = "ｲﾘｮｳﾎｳｼﾞﾝ";
    rec.NENDO = 7;
    rec.KISHU = "2025/04/01";
    rec.KIMATU = "2026/03/31";
    rec.TANTO = 12;
    rec.SITEN = 1;
    rec.SITENCNT = 3;
    rec.BUMON = 1;
    rec.BUMONCNT = 25;
    rec.SIWAKE = 1200;
    rec.TOTALSIWAKE = 1234;
    rec.MAJOR = 14;
    rec.MINOR1 = 2;
    rec.MINOR2 = 1;
    rec.VERSION2 = "22版";
    rec.GASSANKBN = 10;
    rec.USEMYNUMBER = 1;
    rec.CLOUD_SHARE = 1;
    info.WriteIniFile(folder(), "", rec); // OPCODE 0: no operator keys
    EXPECT_EQ(test::readBytes(infoFile(folder())),
              onDisk({"[DATASTS]", "STATUS=2", "SHARE_STATUS=2", "SHARE_OPCODE=100002", "SHARE_OPERATOR=山田　花子",
                      "UPDATE_LOCK=1", "READ_ONLY=1", "[DATAINFO]", "DATALISTNAME=①医療法人", "CODE=A-01",
                      "DATAKBN=3", "CODEKBN=2", "SHOUGOU=医療法人　青空会", "KANA=ｲﾘｮｳﾎｳｼﾞﾝ", "NENDO=7",
                      "KISHU=2025/04/01", "KIMATU=2026/03/31", "TANTO=12", "SITEN=1", "SITENCNT=3", "BUMON=1",
                      "BUMONCNT=25", "SIWAKE=1200", "TOTALSIWAKE=1234", "VERSION1=14.2.1", "VERSION2=22版",
                      "GASSANKBN=10", "USEMYNUMBER=1", "CLOUD_SHARE=1"}));
    TDataInfomationRec back;
    ASSERT_TRUE(info.ReadIniFile("", folder(), back));
    EXPECT_EQ(back, rec);

    // One section rewritten leaves the other alone; an unknown one writes nothing.
    const std::string before = test::readBytes(infoFile(folder()));
    info.WriteIniFile(folder(), "datasts", TDataInfomationRec{});
    EXPECT_EQ(test::readBytes(infoFile(folder())), before);
    info.WriteIniFile(folder(), "DATASTS", TDataInfomationRec{});
    ASSERT_TRUE(info.ReadIniFile("", folder(), back));
    EXPECT_EQ(back.STATUS, 1);
    EXPECT_EQ(back.SHARE_OPCODE, 0);
    EXPECT_EQ(back.SHOUGOU, rec.SHOUGOU);
}

TEST_F(DataInfomationTest, ReadingOddFolders)
{
    TDataInfomation info;
    TDataInfomationRec rec;
    rec.SHOUGOU = "残り";
    EXPECT_TRUE(info.ReadIniFile("", "", rec));
    EXPECT_EQ(rec, TDataInfomationRec{});

    // Neither database nor info file.
    const fs::path empty = root_.path() / "empty";
    fs::create_directories(empty);
    rec.SHOUGOU = "残り";
    EXPECT_FALSE(info.ReadIniFile("", empty.string(), rec));
    EXPECT_EQ(rec, TDataInfomationRec{});

    // An info file alone, without list name, status or a full version.
    test::writeBytes(empty / "vqacc.ini",
                     platform::cp932::fromUtf8("[DATAINFO]\r\nSHOUGOU=青空商店\r\nNENDO=abc\r\nVERSION1=13.1\r\n"));
    ASSERT_TRUE(info.ReadIniFile("", empty.string(), rec));
    EXPECT_EQ(rec.STATUS, 1);
    EXPECT_EQ(rec.SHARE_STATUS, 1);
    EXPECT_EQ(rec.DATALISTNAME, "青空商店");
    EXPECT_EQ(rec.NENDO, 0);
    EXPECT_EQ(rec.MAJOR, 13);
    EXPECT_EQ(rec.MINOR1, 1);
    EXPECT_EQ(rec.MINOR2, 0);

    // A database that does not open reads as failed to open, with no file made.
    const fs::path broken = root_.path() / "broken";
    fs::create_directories(broken);
    test::writeBytes(broken / "vqacc.fdb", "not a database");
    ASSERT_TRUE(info.ReadIniFile("", broken.string(), rec));
    EXPECT_EQ(rec.STATUS, DataStatusOpenFailed);
    EXPECT_FALSE(fs::exists(broken / "vqacc.ini"));

    // The server modes keep no info file.
    info.Location = 1;
    info.WriteDataStatus(empty.string(), 3);
    info.WriteIniFile(broken.string(), "", rec);
    EXPECT_FALSE(fs::exists(broken / "vqacc.ini"));
}

TEST_F(DataInfomationTest, DescriptionFromTheDatabaseAndItsUpdate)
{
    test::runSql(dataFile(), "UPDATE ACCDEF1 SET SITEN=1, BUMON=1, DATALOCK=1 WHERE REC=1;\n"
                             "INSERT INTO SISETUMST (SCODE, SNAME, SIWAKECOUNT) VALUES ('01', '本店', 5);\n"
                             "INSERT INTO SISETUMST (SCODE, SNAME, SIWAKECOUNT) VALUES ('02', '支店', 7);\n"
                             "INSERT INTO BUMONMST (BCODE, BNAME) VALUES ('001', '営業');\n");
    TDataInfomation info;
    TDataInfomationRec rec;
    ASSERT_TRUE(info.GetDataInfoFromFolder(folder(), rec));
    EXPECT_EQ(rec.SITENCNT, 2);
    EXPECT_EQ(rec.BUMONCNT, 1);
    EXPECT_EQ(rec.SIWAKE, 12);
    EXPECT_EQ(rec.TOTALSIWAKE, 12);
    EXPECT_EQ(rec.UPDATE_LOCK, 1);
    EXPECT_EQ(rec.KISHU, "2024/01/01");
    EXPECT_FALSE(dm_.IBDatabaseDAT.connected());

    // The list name is cut to 40 bytes without halving a character.
    rec.DATALISTNAME = std::string(39, 'x') + "青";
    rec.UPDATE_LOCK = 0;
    rec.READ_ONLY = 1;
    info.UpdateDataInfomation("", folder(), rec);
    EXPECT_EQ(rec.DATALISTNAME, std::string(39, 'x'));
    TDataInfomationRec back;
    ASSERT_TRUE(info.GetDataInfoFromFolder(folder(), back));
    EXPECT_EQ(back.DATALISTNAME, std::string(39, 'x'));
    EXPECT_EQ(back.UPDATE_LOCK, 0);
    EXPECT_EQ(back.READ_ONLY, 1);

    EXPECT_FALSE(info.GetDataInfoFromFolder((root_.path() / "none").string(), back));
}

TEST_F(DataInfomationTest, SharedDataTakenAndKept)
{
    const std::string share = makeShare();
    const std::string local = (root_.path() / "local" / "0001").string();
    TDataInfomation info;
    TDataInfomationRec rec;

    ASSERT_EQ(info.GetShareData(share, local, 1), 1);
    EXPECT_EQ(test::readBytes(fs::path(local) / "vqacc.fdb"), test::readBytes(fs::path(share) / "vqacc.fdb"));
    ASSERT_TRUE(info.ReadIniFile("", share, rec));
    EXPECT_EQ(rec.STATUS, DataStatusFree);
    EXPECT_EQ(rec.SHARE_STATUS, ShareStatusTaken);
    EXPECT_EQ(rec.SHARE_OPCODE, 100001);
    ASSERT_TRUE(info.ReadIniFile("", local, rec));
    EXPECT_EQ(rec.STATUS, DataStatusFree);
    EXPECT_EQ(rec.SHARE_STATUS, ShareStatusTaken);
    EXPECT_EQ(rec.SHOUGOU, "青空商店");

    // Taken already: a second take gets a copy but the share stays taken.
    const std::string other = (root_.path() / "other").string();
    EXPECT_EQ(info.GetShareData(share, other, 1), -1);
    EXPECT_TRUE(fs::exists(fs::path(other) / "vqacc.fdb"));
    ASSERT_TRUE(info.ReadIniFile("", share, rec));
    EXPECT_EQ(rec.SHARE_STATUS, ShareStatusTaken);

    // Work done locally goes back to the share.
    test::runSql(fs::path(local) / "vqacc.fdb", "UPDATE ACCDEF1 SET SHOUGOU='青空商事' WHERE REC=1;");
    ASSERT_EQ(info.PutShareData(share, local, 1), 1);
    EXPECT_EQ(test::readBytes(fs::path(share) / "vqacc.fdb"), test::readBytes(fs::path(local) / "vqacc.fdb"));
    ASSERT_TRUE(info.ReadIniFile("", share, rec));
    EXPECT_EQ(rec.STATUS, DataStatusFree);
    EXPECT_EQ(rec.SHARE_STATUS, ShareStatusFree);
    EXPECT_EQ(rec.SHARE_OPCODE, 0);
    ASSERT_TRUE(info.ReadIniFile("", local, rec));
    EXPECT_EQ(rec.SHARE_STATUS, ShareStatusFree);
    TDataInfomationRec fromDb;
    ASSERT_TRUE(info.GetDataInfoFromFolder(share, fromDb));
    EXPECT_EQ(fromDb.SHOUGOU, "青空商事");
}

TEST_F(DataInfomationTest, FailedCopiesLeaveBothSidesAsTheyWere)
{
    const std::string share = makeShare();
    const std::string local = (root_.path() / "local" / "0001").string();
    TDataInfomation info;
    TDataInfomationRec rec;
    // A working copy from an earlier take, and the share's own info file.
    fs::create_directories(local);
    test::writeBytes(fs::path(local) / "vqacc.fdb", "earlier local work");
    ASSERT_TRUE(info.ReadIniFile("", share, rec));
    // A share entry that cannot be copied makes the copy fail half way.
    ASSERT_EQ(::mkfifo((fs::path(share) / "vqacc.pipe").c_str(), 0600), 0);

    const auto shareBefore = snapshot(share);
    const auto localBefore = snapshot(local);
    EXPECT_EQ(info.GetShareData(share, local, 1), 0);
    EXPECT_EQ(snapshot(share), shareBefore);
    EXPECT_EQ(snapshot(local), localBefore);
    ASSERT_TRUE(info.ReadIniFile("", share, rec));
    EXPECT_EQ(rec.SHARE_STATUS, ShareStatusFree);
    EXPECT_EQ(rec.STATUS, DataStatusFree);
    EXPECT_FALSE(seam_->messages.empty()); // the copy's failure was shown

    // A failed return keeps the share's database and both sides taken.
    fs::remove(fs::path(share) / "vqacc.pipe");
    fs::remove(fs::path(local) / "vqacc.fdb");
    ASSERT_EQ(info.GetShareData(share, local, 1), 1);
    ASSERT_EQ(::mkfifo((fs::path(local) / "vqacc.pipe").c_str(), 0600), 0);
    const std::string shareDb = test::readBytes(fs::path(share) / "vqacc.fdb");
    test::runSql(fs::path(local) / "vqacc.fdb", "UPDATE ACCDEF1 SET SHOUGOU='青空商事' WHERE REC=1;");
    EXPECT_EQ(info.PutShareData(share, local, 1), 0);
    EXPECT_EQ(test::readBytes(fs::path(share) / "vqacc.fdb"), shareDb);
    ASSERT_TRUE(info.ReadIniFile("", share, rec));
    EXPECT_EQ(rec.SHARE_STATUS, ShareStatusTaken);
    EXPECT_EQ(rec.STATUS, DataStatusFree);
    ASSERT_TRUE(info.ReadIniFile("", local, rec));
    EXPECT_EQ(rec.SHARE_STATUS, ShareStatusTaken);
}

TEST_F(DataInfomationTest, DamagedOrMissingShares)
{
    const std::string share = makeShare();
    const std::string local = (root_.path() / "local").string();
    TDataInfomation info;
    TDataInfomationRec rec;
    ASSERT_TRUE(info.ReadIniFile("", share, rec));
    info.WriteDataStatus(share, DataStatusDamaged);
    EXPECT_THROW(info.GetShareData(share, local, 0), std::runtime_error);
    EXPECT_EQ(info.GetShareData(share, local, 1), -1);
    EXPECT_FALSE(fs::exists(fs::path(local) / "vqacc.fdb"));

    const std::string gone = (root_.path() / "gone").string();
    EXPECT_THROW(info.GetShareData(gone, local, 0), std::runtime_error);
    EXPECT_EQ(info.GetShareData(gone, local, 1), 0);
    EXPECT_EQ(info.GetShareData("", local, 0), 0);
    EXPECT_EQ(info.PutShareData(share, "", 0), 0);
}

TEST_F(DataInfomationTest, ThroughTheServerTheDataListHoldsTheLock)
{
    ConnectMode = ConnectClientServer;
    SystemDef.HostName = "127.0.0.1";
    TDataInfomation info;
    info.Location = ConnectClientServer;
    TDataInfomationRec rec;

    // No lock: described from the data set itself, free while nobody has it open.
    ASSERT_TRUE(info.ReadIniFile("127.0.0.1", folder(), rec));
    EXPECT_EQ(rec.STATUS, DataStatusFree);
    EXPECT_EQ(rec.SHOUGOU, "青空商店");
    EXPECT_FALSE(fs::exists(infoFile(folder())));

    test::runSql(fs::path(SystemDef.SysDir) / SysDbFileName,
                 "INSERT INTO OPERATOR (GROUPID, OPCODE, OPNAME) VALUES (10000, 7, '鈴木');\n"
                 "INSERT INTO DATALIST (REC, GROUPID, ENTTEXT, SHOUGOU, PASNAME, DATATYPE, NENDO, KISHU, KIMATU, "
                 "DATALOCK, VER_MAJOR, VER_TEXT, READ_ONLY) VALUES (1, 10000, '一覧の名前', '青空商店', '" +
                     folder() + "', 2, 2024, '2024-01-01', '2024-12-31', 7, 14, '22版', 1);\n");
    EXPECT_FALSE(info.ReadIniFile("127.0.0.1", folder(), rec));
    EXPECT_EQ(rec.STATUS, DataStatusLocked);
    EXPECT_EQ(rec.OPCODE, 7 + 10000 * 10000);
    EXPECT_EQ(rec.OPERATOR, "鈴木");
    EXPECT_EQ(rec.DATALISTNAME, "一覧の名前");
    EXPECT_EQ(rec.KISHU, "2024/01/01");
    EXPECT_EQ(rec.MAJOR, 14);
    EXPECT_EQ(rec.READ_ONLY, 1);
    EXPECT_FALSE(dm_.IBDatabaseDEF.connected());
    EXPECT_FALSE(fs::exists(infoFile(folder())));
}

TEST_F(DataInfomationTest, AShareWithoutDataIsNotTaken)
{
    const fs::path share = root_.path() / "share" / "empty";
    fs::create_directories(share);
    const std::string local = (root_.path() / "local").string();
    TDataInfomation info;
    EXPECT_EQ(info.GetShareData(share.string(), local, 1), 0);
    TDataInfomationRec rec;
    info.ReadIniFile("", share.string(), rec);
    EXPECT_EQ(rec.SHARE_STATUS, ShareStatusFree);
    EXPECT_TRUE(fs::is_empty(share));
}
