// The whole linkage file of an export on the sample office's individuals:
// BASIC carries the data set's fiscal dates, the balance sheet balances at
// the opening and the closing, and an export that cannot be made, or that
// would lose what the form has no place for, leaves no file behind.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <pugixml.hpp>
#include <string>

#include "../statements/StatementSampleFixture.h"
#include "foundation/calendar/DayNumber.h"
#include "linkage/DataExportError.h"
#include "linkage/SyotokuzeiDataExport.h"
#include "linkage/datamake/LinkageDocument.h"
#include "linkage/datamake/SyotokuZeiDataNode.h"
#include "linkage/datamake/SyotokuZeiTables.h"
#include "platform/Cp932.h"

namespace vq::linkage {
namespace {

namespace fs = std::filesystem;
using test::SampleClient;

std::string yyyymmdd(double date)
{
    const CivilDate d = decodeDate(date);
    char text[16];
    std::snprintf(text, sizeof text, "%04d%02d%02d", d.year, d.month, d.day);
    return text;
}

std::int64_t yenOf(pugi::xml_node leaf)
{
    return std::strtoll(leaf.child_value(), nullptr, 10);
}

class LinkageDocumentTest : public test::StatementSampleFixture {
protected:
    // The file of an export of the open data set, parsed.
    pugi::xml_node exportOpenDataSet(bool breakdowns)
    {
        TSyotokuzeiDataExport exp(0, "");
        TakeOpenDataSet(exp);
        exp.IncludeUtiwake = breakdowns;
        WriteLinkageFile(exp, file_);
        const std::string bytes = test::readBytes(file_);
        EXPECT_EQ(bytes.rfind("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>", 0), 0u);
        const std::string utf8 = platform::cp932::toUtf8(bytes, true);
        EXPECT_TRUE(xml_.load_string(utf8.c_str())) << "the file does not parse";
        return xml_.document_element();
    }

    // Opening and closing totals of each side of the balance sheet.
    static void expectBalanced(pugi::xml_node balance)
    {
        std::int64_t assets[2] = {0, 0}, claims[2] = {0, 0};
        int p = 0;
        for (pugi::xml_node leaf : balance.children()) {
            if (++p > TaisyakuPositions)
                break;
            const std::string name = leaf.name();
            const int closing = name.ends_with("_KIMATU") ? 1 : 0;
            (p <= 47 ? assets : claims)[closing] += yenOf(leaf);
        }
        EXPECT_NE(assets[1], 0);
        EXPECT_EQ(assets[0], claims[0]) << "opening";
        EXPECT_EQ(assets[1], claims[1]) << "closing";
    }

    test::ScopedRoot exportRoot_;
    fs::path file_ = exportRoot_.path() / "linkage.xml";
    pugi::xml_document xml_;
};

TEST_F(LinkageDocumentTest, EachStatementGivesABalancedFileWithTheFiscalYear)
{
    const struct {
        SampleClient client;
        const char* incomeKind;
        const char* group;
    } cases[] = {
        {SampleClient::General, "1", "EIGYOUSYOTOKU"},
        {SampleClient::HandEntered, "1", "EIGYOUSYOTOKU"},
        {SampleClient::RealEstate, "3", "FUDOUSANSYOTOKU"},
        {SampleClient::Agriculture, "4", "NOUGYOUSYOTOKU"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.group);
        open(c.client);
        const pugi::xml_node report = exportOpenDataSet(true);
        const pugi::xml_node basic = report.child("BASIC");
        EXPECT_EQ(std::string(basic.child_value("KOMONSAKINAME")), AccInf.SHOUGOU);
        EXPECT_EQ(std::string(basic.child_value("JIGYOUNENDOFROM")), yyyymmdd(AccInf.KISHU));
        EXPECT_EQ(std::string(basic.child_value("JIGYOUNENDOTO")), yyyymmdd(AccInf.KIMATU));
        EXPECT_STREQ(basic.child_value("SYOTOKUSYURUI"), c.incomeKind);

        const pugi::xml_node group = report.child("DATA").child(c.group);
        ASSERT_TRUE(group) << "no income group";
        expectBalanced(group.child("TAISYAKUTAISYOUHYO"));
        // The statement's figures arrive: every sample has sales.
        EXPECT_NE(group.child("SONEKIKEISANSYO").first_child().child_value(), std::string());
        dm_.CloseAccDat("", 0, 0);
        fs::remove(fs::path(SystemDef.DataDir) / DataDbFileName);
    }
}

TEST_F(LinkageDocumentTest, StatementKindWithoutAReaderLeavesNoFile)
{
    open(SampleClient::General);
    for (const int codeType : {0, 5}) {
        TSyotokuzeiDataExport exp(0, "");
        TakeOpenDataSet(exp);
        exp.CodeType = codeType;
        try {
            WriteLinkageFile(exp, file_);
            ADD_FAILURE() << "an export of statement kind " << codeType << " was made";
        } catch (const EDataExportError& e) {
            EXPECT_EQ(e.Code, ExportErrorNoStatementReader);
            EXPECT_STREQ(e.what(), NoStatementReaderMessage);
        }
        EXPECT_FALSE(fs::exists(file_));
    }
    // Other income of a real-estate statement is refused the same way.
    TSyotokuzeiDataExport exp(0, "");
    TakeOpenDataSet(exp);
    exp.CodeType = 2;
    exp.SyotokuSyurui = 2;
    EXPECT_THROW(WriteLinkageFile(exp, file_), EDataExportError);
    EXPECT_FALSE(fs::exists(file_));
}

TEST_F(LinkageDocumentTest, StatementThatCannotBeReadLeavesTheOldFile)
{
    // A breakdown table the reader cannot read: the statement stays partial.
    open(SampleClient::General, "ALTER TABLE AO_NOTE DROP NOTE;\n");
    test::writeBytes(file_, "before");
    TSyotokuzeiDataExport exp(0, "");
    TakeOpenDataSet(exp);
    try {
        WriteLinkageFile(exp, file_);
        ADD_FAILURE() << "a partly read statement was written";
    } catch (const EDataExportError& e) {
        EXPECT_EQ(e.Code, ExportErrorStatementNotRead);
        EXPECT_EQ(e.Detail, SetDataNodeDetail);
    }
    EXPECT_EQ(test::readBytes(file_), "before");
}

TEST_F(LinkageDocumentTest, WhatTheFormHasNoPlaceForStopsTheExportAndIsNamed)
{
    const struct {
        SampleClient client;
        const char* moreSql;
        std::vector<std::string> detail;
    } cases[] = {
        // Miscellaneous expenses moved from the last expense line to one
        // beyond the form: its amount would vanish from the file.
        {SampleClient::General, "UPDATE EXTERKS SET SUBREC = 25 WHERE KGROUP = '6100' AND SUBREC = 24;",
         {"科目 6290 雑費：決算書行 6100-25「雑費」は青色申告決算書（一般用）の様式にありません。"}},
        {SampleClient::RealEstate, "UPDATE EXTERKS SET SUBREC = 14 WHERE KGROUP = '6100' AND SUBREC = 13;",
         {"科目 6190 雑費：決算書行 6100-14「その他の経費」は青色申告決算書（不動産所得用）の様式にありません。"}},
        {SampleClient::Agriculture, "UPDATE EXTERKS SET SUBREC = 24 WHERE KGROUP = '6100' AND SUBREC = 23;",
         {"科目 6290 雑費：決算書行 6100-24「雑費」は青色申告決算書（農業所得用）の様式にありません。"}},
        // The employee numbered past the breakdown's rows, while the wages
        // stay in the profit and loss.
        {SampleClient::General, "UPDATE AO_KYUUYO SET NUMBER = 8 WHERE SENJYU = 0;",
         {"給料賃金の内訳 8行目「高橋 美咲」は青色申告決算書（一般用）の様式にありません。"}},
        // A hand-entered statement: its own amount on a line beyond the form.
        {SampleClient::HandEntered, "UPDATE EXTERKS SET SUBREC = 25 WHERE KGROUP = '6100' AND SUBREC = 16;",
         {"手書きの決算書行 6100-25「地代家賃」は青色申告決算書（一般用）の様式にありません。"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.moreSql);
        open(c.client, c.moreSql);
        test::writeBytes(file_, "before");
        TSyotokuzeiDataExport exp(0, "");
        TakeOpenDataSet(exp);
        try {
            WriteLinkageFile(exp, file_);
            ADD_FAILURE() << "a statement with lines beyond its form was written";
        } catch (const EDataExportError& e) {
            EXPECT_EQ(e.Code, ExportErrorOutsideForm);
            EXPECT_STREQ(e.what(), OutsideFormMessage);
            std::string detail;
            for (const auto& line : c.detail)
                detail += (detail.empty() ? "" : "\r") + line;
            EXPECT_EQ(e.Detail, detail);
        }
        EXPECT_EQ(test::readBytes(file_), "before");
        EXPECT_TRUE(seam_->messages.empty());
        dm_.CloseAccDat("", 0, 0);
        fs::remove(fs::path(SystemDef.DataDir) / DataDbFileName);
    }
}

TEST_F(LinkageDocumentTest, IncomeKindOutsideTheFourWritesAnEmptyData)
{
    open(SampleClient::General);
    TSyotokuzeiDataExport exp(0, "");
    TakeOpenDataSet(exp);
    exp.SyotokuSyurui = 5;
    WriteLinkageFile(exp, file_);
    xml_.load_string(platform::cp932::toUtf8(test::readBytes(file_)).c_str());
    const pugi::xml_node data = xml_.document_element().child("DATA");
    ASSERT_TRUE(data);
    EXPECT_FALSE(data.first_child());
}

} // namespace
} // namespace vq::linkage
