// Which rows pass the search conditions of the data list.
#include <gtest/gtest.h>

#include "datasets/DataListFilter.h"

using namespace vq;

namespace {

TDataSentakuRec row(int type, int code, const std::string& name, const std::string& dataCode, int tanto, int major,
                    int minor)
{
    TDataSentakuRec r;
    r.DATATYPE = type;
    r.CODETYPE = code;
    r.ENTTEXT = name;
    r.DATACODE = dataCode;
    r.TANTOU = tanto;
    r.VER_MAJOR = major;
    r.VER_MINOR1 = minor;
    return r;
}

const TDataSentakuRecArray kRows = {
    row(1, 1, "ABC商事", "0101", 10, 12, 4),     // 0
    row(2, 1, "山田ＡＢＣ", "0102", 11, 12, 5),   // 1
    row(2, 2, "メゾン佐藤", "0201", 10, 13, 0),   // 2
    row(3, 1, "医療法人", "A001", 12, 14, 0),     // 3
    row(2, 4, "", "", 0, 14, 2),                  // 4: a free slot
};

std::vector<std::int32_t> passing(const TDataKensakuRec& search)
{
    return FilterList(kRows, search);
}

} // namespace

TEST(DataListFilter, EachConditionAndNoneAtAll)
{
    struct Case {
        const char* what;
        std::function<void(TDataKensakuRec&)> set;
        std::vector<std::int32_t> rows;
    };
    const Case cases[] = {
        {"no condition", [](TDataKensakuRec&) {}, {0, 1, 2, 3, 4}},
        {"kind and code kind", [](TDataKensakuRec& s) { s.DATATYPE = 2; s.CODETYPE = 2; }, {2}},
        {"kind, any code kind", [](TDataKensakuRec& s) { s.DATATYPE = 2; }, {1, 2, 4}},
        {"corporations and medical corporations", [](TDataKensakuRec& s) { s.DATATYPE = -13; }, {0, 3}},
        {"operator", [](TDataKensakuRec& s) { s.TANTO = 10; }, {0, 2}},
        {"code prefix with a blank in front", [](TDataKensakuRec& s) { s.DATACODE = " 01"; }, {0, 1}},
        {"code prefix in lower case", [](TDataKensakuRec& s) { s.DATACODE = "a0"; }, {3}},
        {"code longer than the codes", [](TDataKensakuRec& s) { s.DATACODE = "01011"; }, {}},
        {"version exactly", [](TDataKensakuRec& s) { s.DATAVER = "12.5"; }, {1}},
        {"a major alone names its .0", [](TDataKensakuRec& s) { s.DATAVER = "14"; }, {3}},
        {"same major", [](TDataKensakuRec& s) { s.DATAVER = "14"; s.VerMatch = 1; }, {3, 4}},
        {"this version or later", [](TDataKensakuRec& s) { s.DATAVER = "12.5"; s.VerMatch = 2; }, {1, 2, 3, 4}},
        // Names are folded to full-width upper case on both sides.
        {"half-width name condition", [](TDataKensakuRec& s) { s.DATANAME = "abc"; }, {0, 1}},
        {"full-width lower-case condition", [](TDataKensakuRec& s) { s.DATANAME = "ａｂ"; }, {0, 1}},
        {"half-width katakana condition", [](TDataKensakuRec& s) { s.DATANAME = "ﾒｿﾞﾝ"; }, {2}},
        {"several conditions at once", [](TDataKensakuRec& s) { s.DATATYPE = 2; s.TANTO = 10; }, {2}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TDataKensakuRec search;
        c.set(search);
        EXPECT_EQ(passing(search), c.rows);
    }
}

TEST(DataListFilter, ANameThatFoldsToNothingNeverMatches)
{
    // 130 characters fold to 260 bytes: too long to compare.
    TDataKensakuRec search;
    search.DATANAME = std::string(130, 'a');
    EXPECT_TRUE(passing(search).empty());
    EXPECT_EQ(FoldSearchName(std::string(127, 'a')).size(), 127u * 3);
    EXPECT_EQ(FoldSearchName(std::string(128, 'a')), "");
}
