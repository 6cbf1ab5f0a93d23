// The facilities an operator may use: the whole-data row only for an
// operator who may use every facility, groups whose members are all
// permitted, the medical business kinds, and the data-use permission built
// on them.
#include <gtest/gtest.h>

#include "OfficeFixture.h"
#include "foundation/app/SystemDef.h"
#include "foundation/office/DataSiyouKengen.h"
#include "foundation/office/SitenList.h"

using namespace vq;

namespace {

class SitenListTest : public test::OfficeFixture {
protected:
    void SetUp() override
    {
        OfficeFixture::SetUp();
        SystemDef.OPCODE = 100001;
        SystemDef.JOBLEVEL = 5;
        SystemDef.JIMUSHO = 0;
        SystemDef.SisetuFreeSwitch = 0;
    }
    void describe() { ASSERT_TRUE(dm_.fnGetAccInfo()); }
    static std::string joined(const TSitenList& list)
    {
        std::string s;
        for (const auto& line : list.Lines)
            s += line + "|";
        return s;
    }
};

TEST_F(SitenListTest, AnOperatorWithoutOneFacilitysLicenceLosesItAndTheWholeDataRow)
{
    execDat("UPDATE ACCDEF1 SET SITEN=1, SHOUGOU='青空商店';"
            "INSERT INTO SISETUMST(SCODE,SNAME,BUMEX,XSTR) VALUES('01','本店',0,'NAME=x'||ASCII_CHAR(13)||ASCII_CHAR(10)||'COLOR=255');"
            "INSERT INTO SISETUMST(SCODE,SNAME,BUMEX,XSTR) VALUES('02','支店\"A\"',1,'');"
            "INSERT INTO SISETUMST(SCODE,SNAME,BUMEX,XSTR) VALUES('03','支店B',0,'');"
            "INSERT INTO OPLICENSE(OPCODE,SCODE) VALUES(100001,'01');"
            "INSERT INTO OPLICENSE(OPCODE,SCODE) VALUES(100001,'02');"
            "INSERT INTO OPDEFSISETU(OPCODE,SCODE) VALUES(100001,'01');"
            "INSERT INTO SISETUGROUP(GCODE,GNAME) VALUES('G1','東');"
            "INSERT INTO SISETUGROUP(GCODE,GNAME) VALUES('G2','西');"
            "INSERT INTO SISETUGROUPLIST(GCODE,SCODE) VALUES('G1','01');"
            "INSERT INTO SISETUGROUPLIST(GCODE,SCODE) VALUES('G1','02');"
            "INSERT INTO SISETUGROUPLIST(GCODE,SCODE) VALUES('G2','02');"
            "INSERT INTO SISETUGROUPLIST(GCODE,SCODE) VALUES('G2','03');");
    describe();

    TSitenList list;
    list.Options = SitenWholeData | SitenGroups | SitenFacilities;
    list.Execute(-1);
    EXPECT_EQ(joined(list), "総体|(G1):東|(G2):西|01:本店|02:支店\"A\"|03:支店B|");
    EXPECT_EQ(list.Rows[3].Color, 255);
    EXPECT_EQ(list.Rows[4].Bumex, 1);
    EXPECT_EQ(list.GetCode(0), " ");
    EXPECT_EQ(list.GetCode(6), "");

    list.Execute(100001);
    EXPECT_EQ(joined(list), "(G1):東|01:本店|02:支店\"A\"|");
    EXPECT_EQ(list.Rows[0].Kind, 1);
    EXPECT_EQ(list.Rows[1].Kind, 2);

    list.Options = SitenFacilities | SitenBumonFacilities;
    list.QuotedLines = 1;
    list.Execute(100001);
    EXPECT_EQ(joined(list), "\"01\"\t\"\"\t\"本店\"|\"02\"\t\"\"\t\"支店'A'\"|\"02\"\t\"\"\t\"支店'A'\"|");
    EXPECT_EQ(list.Rows[2].Kind, 3);

    EXPECT_TRUE(dm_.fnGetExistsOpeDefSisetu());
    EXPECT_FALSE(dm_.IsAllSisetuPermitted(100001));
    std::string name;
    dm_.GetOpeDefSisetu(name);
    EXPECT_EQ(name, "本店");
    EXPECT_EQ(SystemDef.DefSisetuCode, "01");
    EXPECT_EQ(SystemDef.DefSisetuColor, 255);

    const std::string folder = SystemDef.DataDir;
    dm_.CloseAccDat({}, 0, 0);
    EXPECT_FALSE(IsDataSiyouKengen(folder));
    ASSERT_EQ(seam_->messages.size(), 1u);
    EXPECT_EQ(seam_->messages[0].text, DataSiyouKengenRefusal);

    ASSERT_TRUE(dm_.fnAccDatConnected("", "", 0));
    execDat("INSERT INTO OPLICENSE(OPCODE,SCODE) VALUES(100001,'03');");
    describe();
    list.Options = SitenWholeData | SitenFacilities;
    list.QuotedLines = 0;
    list.Execute(100001);
    EXPECT_EQ(joined(list), "総体|01:本店|02:支店\"A\"|03:支店B|");
    EXPECT_TRUE(dm_.IsAllSisetuPermitted(100001));
    dm_.CloseAccDat({}, 0, 0);
    EXPECT_TRUE(IsDataSiyouKengen(folder));
    EXPECT_EQ(seam_->messages.size(), 1u);
    EXPECT_FALSE(dm_.IBDatabaseDAT.connected());
}

TEST_F(SitenListTest, AnOperatorFreeOfRestrictionsSeesEveryFacility)
{
    execDat("UPDATE ACCDEF1 SET SITEN=1;"
            "INSERT INTO SISETUMST(SCODE,SNAME) VALUES('01','本店');"
            "INSERT INTO SISETUMST(SCODE,SNAME) VALUES('02','支店');");
    describe();
    SystemDef.JOBLEVEL = 9;
    TSitenList list;
    list.Options = SitenWholeData | SitenFacilities;
    list.Execute(100001);
    EXPECT_EQ(joined(list), "総体|01:本店|02:支店|");
    EXPECT_EQ(list.OpCode, -1);
    EXPECT_TRUE(dm_.fnGetExistsOpeDefSisetu());
    EXPECT_TRUE(IsDataSiyouKengen("/no/such/folder"));  // no data set there yet
    EXPECT_FALSE(IsDataSiyouKengen(""));
}

TEST_F(SitenListTest, WithoutFacilitiesTheCompanyIsTheOnlyRow)
{
    execDat("UPDATE ACCDEF1 SET SITEN=0, BUMON=1, SHOUGOU='青空商店';");
    describe();
    TSitenList list;
    list.Options = SitenFacilities;
    list.Execute(100001);
    ASSERT_EQ(list.Count, 1);
    EXPECT_EQ(list.Rows[0].Code, " ");
    EXPECT_EQ(list.Rows[0].Name, "青空商店");
    EXPECT_EQ(list.Rows[0].Bumex, 1);
    EXPECT_TRUE(dm_.IsAllSisetuPermitted(100001));
}

TEST_F(SitenListTest, MedicalBusinessKindsInTheirOrderAndOnlyWhenWhollyPermitted)
{
    execDat("UPDATE ACCDEF1 SET DATATYPE=3, CODETYPE=1, SITEN=1;"
            "INSERT INTO SISETUMST(SCODE,SNAME,MB_JIGYOU) VALUES('00','本部',0);"
            "INSERT INTO SISETUMST(SCODE,SNAME,MB_JIGYOU) VALUES('01','病院',8);"
            "INSERT INTO SISETUMST(SCODE,SNAME,MB_JIGYOU) VALUES('02','診療所',8);"
            "INSERT INTO SISETUMST(SCODE,SNAME,MB_JIGYOU) VALUES('03','老健',4);"
            "INSERT INTO SISETUMST(SCODE,SNAME,MB_JIGYOU) VALUES('04','売店',1);"
            "INSERT INTO OPLICENSE(OPCODE,SCODE) VALUES(100001,'01');"
            "INSERT INTO OPLICENSE(OPCODE,SCODE) VALUES(100001,'02');"
            "INSERT INTO OPLICENSE(OPCODE,SCODE) VALUES(100001,'04');");
    describe();
    ASSERT_EQ(AccInf.IsIryou, 1);
    TSitenList list;
    list.Options = SitenGroups;
    list.Execute(-1);
    EXPECT_EQ(joined(list), "病院・診療所|老人保健施設|その他の事業|");
    EXPECT_EQ(list.Rows[1].Jigyou, 4);
    list.Execute(100001);
    EXPECT_EQ(joined(list), "病院・診療所|その他の事業|");

    list.Options = SitenFacilities;
    list.Include00 = 0;
    list.BusinessKind = 8;
    list.Execute(-1);
    EXPECT_EQ(joined(list), "01:病院|02:診療所|");
    EXPECT_EQ(list.Rows[0].Jigyou, 8);
    list.Include00 = 1;
    list.BusinessKind = 0;
    list.Execute(-1);
    EXPECT_EQ(list.Count, 5);
}

} // namespace
