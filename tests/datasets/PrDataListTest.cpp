// The data-list print as the print data it writes: lines per page by
// orientation, the code column only across, children on lines of their own
// (also over a page break), blank slots and shared areas, the numbering of
// both lists and the data root shown as "~".
#include <gtest/gtest.h>

#include "TempDir.h"
#include "datasets/PrDataList.h"
#include "foundation/app/SystemDef.h"
#include "platform/Cp932.h"
#include "platform/ScriptedInteraction.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>

using namespace vq;
namespace fs = std::filesystem;

namespace {

using Record = std::vector<std::string>;
using Page = std::vector<Record>;

// The pages of a print-data file as records split into their fields.
std::vector<Page> pagesOf(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    const std::string text =
        platform::cp932::toUtf8(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
    std::vector<Page> pages(1);
    std::size_t from = 0;
    while (from < text.size()) {
        std::size_t end = text.find("\r\n", from);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(from, end - from);
        from = end + 2;
        if (line.empty() || line[0] == '*')
            continue;
        if (line == "E;") {
            pages.emplace_back();
            continue;
        }
        Record fields;
        std::size_t at = 0;
        for (std::size_t semi = line.find(';'); semi != std::string::npos; semi = line.find(';', at)) {
            fields.push_back(line.substr(at, semi - at));
            at = semi + 1;
        }
        pages.back().push_back(fields);
    }
    return pages;
}

// The TEXT records of page at x, in order.
std::vector<Record> textsAt(const Page& page, int x)
{
    std::vector<Record> out;
    for (const Record& r : page)
        if (r.size() > 3 && r[0] == "TEXT" && r[1] == std::to_string(x))
            out.push_back(r);
    return out;
}

bool hasText(const Page& page, const std::string& text)
{
    return std::any_of(page.begin(), page.end(), [&](const Record& r) { return r[0] == "TEXT" && r[3] == text; });
}

int dottedRules(const Page& page)
{
    return static_cast<int>(std::count_if(page.begin(), page.end(), [](const Record& r) {
        return r[0] == "LINE" && r[5] == "0" && r[6] == "2";
    }));
}

std::string slot(int rec)
{
    char name[16];
    std::snprintf(name, sizeof name, "%04d", rec);
    return name;
}

class PrDataListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = SystemDef;
        SystemDef.SysDir = (dir_ / "Data").string();
        SystemDef.TempDir = (dir_ / "temp").string(); // made by the print when missing
        SystemDef.NetColor1 = 0xC0C0C0;
        SystemDef.NetColor2 = 0x808080;
    }
    void TearDown() override { SystemDef = saved_; }

    TDataSentakuRec named(int rec, const std::string& name)
    {
        TDataSentakuRec r;
        r.REC = rec;
        r.DATACODE = "C" + slot(rec);
        r.ENTTEXT = name;
        r.DISP_NAME = name;
        r.NENDO = 7;
        r.KIKAN_TEXT = "2025/04/01 ～ 2026/03/31";
        r.PASNAME = SystemDef.SysDir + "/" + slot(rec);
        return r;
    }

    static void addChildren(TDataSentakuRec& parent, int count)
    {
        for (int c = 1; c <= count; ++c) {
            TDataListRec child = parent;
            child.ROWNO = c;
            child.GASSAN = GassanDistributedChild;
            child.DISP_NAME = "0" + std::to_string(c) + " 支店" + std::to_string(c);
            child.DATACODE = parent.DATACODE + "-" + std::to_string(c);
            child.PASNAME = parent.PASNAME + "/" + slot(c);
            parent.Children.push_back(child);
        }
        parent.ChildCount = count;
    }

    std::vector<Page> write(TPrDataList& list)
    {
        list.WriteList();
        const fs::path file = list.Printer360.DataFile;
        EXPECT_EQ(file.parent_path(), fs::path(SystemDef.TempDir));
        EXPECT_EQ(file.filename().string().rfind("~", 0), 0u);
        EXPECT_EQ(list.Printer360.DocTitle, "データリスト");
        auto pages = pagesOf(file);
        fs::remove(file);
        return pages;
    }

    platform::ScopedScriptedInteraction seam_;
    test::TempDir dir_;
    TSystemDef saved_;
};

struct Layout {
    int orientation, linesPerPage, rightEnd, bottomRule, titleX, nameX, folderX;
    bool codes;
};

} // namespace

TEST_F(PrDataListTest, PagesHoldFiftyFiveLinesUprightAndThirtyFiveWithTheCodesAcross)
{
    for (const Layout l : {Layout{0, 55, 2000, 2820, 1000, 250, 1600, false},
                           Layout{1, 35, 2820, 1945, 1410, 450, 1800, true}}) {
        SCOPED_TRACE(l.orientation);
        TPrDataList list;
        list.Orientation = l.orientation;
        // One parent per line of a page; the one before last has three
        // children, so two of them and the last parent go over to page 2.
        for (int rec = 1; rec <= l.linesPerPage; ++rec) {
            list.ListRows.push_back(named(rec, "会社" + std::to_string(rec)));
            list.ListDispIndex.push_back(rec - 1);
        }
        addChildren(list.ListRows[static_cast<std::size_t>(l.linesPerPage - 2)], 3);
        const auto pages = write(list);

        ASSERT_EQ(pages.size(), 2u); // the last page is not closed
        EXPECT_EQ(textsAt(pages[0], l.folderX).size() - 1, static_cast<std::size_t>(l.linesPerPage)); // - heading
        EXPECT_EQ(textsAt(pages[1], l.folderX).size() - 1, 3u);
        // Every line has a dotted rule under it but the last of a full page.
        EXPECT_EQ(dottedRules(pages[0]), l.linesPerPage - 1);
        EXPECT_EQ(dottedRules(pages[1]), 3);
        // Page 2: the two children without numbers, then the last parent's slot.
        const auto numbers = textsAt(pages[1], 170);
        ASSERT_EQ(numbers.size(), 1u);
        EXPECT_EQ(numbers[0][3], " " + std::to_string(l.linesPerPage));
        EXPECT_EQ(numbers[0][2], std::to_string(405 + 2 * 44));
        EXPECT_EQ(textsAt(pages[0], 170)[0][3], "  1");
        EXPECT_TRUE(hasText(pages[1], "PAGE    2"));
        EXPECT_TRUE(hasText(pages[1], "02 支店2"));
        EXPECT_TRUE(hasText(pages[0], "7 期"));
        EXPECT_TRUE(hasText(pages[0], "~/0001"));

        for (const Page& page : pages) {
            EXPECT_EQ(hasText(page, "コード"), l.codes);
            EXPECT_EQ(hasText(page, "C0001") || hasText(page, "C" + slot(l.linesPerPage)), l.codes);
            const auto title = textsAt(page, l.titleX);
            ASSERT_FALSE(title.empty());
            EXPECT_EQ(title[0][3], "データリスト");
            EXPECT_EQ(title[0][9], "CENTER");
            EXPECT_EQ(textsAt(page, l.nameX).size() > 1, true);
            const std::string bottom = std::to_string(l.bottomRule);
            EXPECT_TRUE(std::any_of(page.begin(), page.end(), [&](const Record& r) {
                return r[0] == "LINE" && r[2] == bottom && r[4] == bottom && r[3] == std::to_string(l.rightEnd);
            }));
        }
        // The body is always 9 points, whatever the record's body size.
        EXPECT_EQ(textsAt(pages[0], l.folderX)[1][5], "9");
    }
}

TEST_F(PrDataListTest, TheSharedListNumbersItsLinesAndShowsBlankAndFreeAreas)
{
    TPrDataList list;
    list.ListKind = 1;
    list.PrintRec.FontNo = 3;
    TDataSentakuRec blank;
    blank.REC = 9;
    blank.PASNAME = SystemDef.SysDir + "/0009";
    TDataSentakuRec area = named(5, EmptyAreaName);
    area.NENDO = 0;
    // The data root is found in any letter case.
    area.PASNAME = (dir_ / "DATA").string() + "/sv0005";
    list.ListRows = {named(3, "丸山商店"), blank, area};
    list.ListDispIndex = {2, 0, 1};
    const auto pages = write(list);
    ASSERT_EQ(pages.size(), 1u);
    const Page& page = pages[0];

    EXPECT_TRUE(hasText(page, "共有データリスト"));
    const auto numbers = textsAt(page, 170);
    ASSERT_EQ(numbers.size(), 3u);
    EXPECT_EQ(numbers[0][3], "  1");
    EXPECT_EQ(numbers[2][3], "  3");
    const auto folders = textsAt(page, 1600);
    ASSERT_EQ(folders.size(), 4u);
    EXPECT_EQ(folders[1][3], "~/sv0005");
    EXPECT_EQ(folders[2][3], "~/0003");
    EXPECT_EQ(folders[3][3], "~/0009");
    EXPECT_EQ(folders[1][4], "ＭＳ Ｐゴシック");

    // Year and period: empty and centred for a free area, empty and left for a blank slot.
    const auto years = textsAt(page, 1050);
    ASSERT_EQ(years.size(), 4u);
    EXPECT_EQ(years[1][3], "");
    EXPECT_EQ(years[1][9], "CENTER");
    EXPECT_EQ(years[2][3], "7 期");
    EXPECT_EQ(years[3][3], "");
    EXPECT_EQ(years[3][9], "LEFT");
    const auto names = textsAt(page, 250);
    ASSERT_EQ(names.size(), 4u);
    EXPECT_EQ(names[1][3], EmptyAreaName);
    EXPECT_EQ(names[3][3], "");
}
