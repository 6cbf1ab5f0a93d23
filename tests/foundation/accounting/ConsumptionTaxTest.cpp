#include "foundation/accounting/ConsumptionTax.h"

#include <gtest/gtest.h>

#include <limits>
#include <set>
#include <vector>

#include "foundation/app/AccInf.h"
#include "foundation/calendar/DayNumber.h"
#include "foundation/calendar/Gengo.h"
#include "foundation/app/SystemDef.h"
#include "foundation/accounting/YenRounding.h"
#include "platform/Cp932.h"
#include "platform/ScriptedInteraction.h"

namespace vq {
namespace {

double d(int y, int m, int day)
{
    return encodeDate(y, m, day);
}

// Amounts in tenths of a thousandth: 1.5 yen -> 15000.
Currency yen(double y)
{
    return static_cast<Currency>(y * 10000.0 + (y < 0 ? -0.5 : 0.5));
}

const char* const InputTax = "1510";   // 仮払消費税
const char* const OutputTax = "2150";  // 仮受消費税
const char* const Sundry = "9999";     // 諸口
const char* const Cash = "1110";
const char* const Supplies = "5110";
const char* const Sales = "4110";

class ConsumptionTax : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedInf_ = AccInf;
        savedEra_ = SystemDef.EraDisplay;
        savedTable_ = GengoTable;
        LoadBuiltinEraTable();
        SystemDef.EraDisplay = 0;
        AccInf = TACCINF{};
        AccInf.SysUserCode[SysGenkin] = Cash;
        AccInf.SysUserCode[SysKariharaiTax] = InputTax;
        AccInf.SysUserCode[SysKariukeTax] = OutputTax;
        AccInf.SysUserCode[SysSyokuchi] = Sundry;
        AccInf.TaxRateUse = {1, 0, 1, 1, 1};
        dataVersion(14, 0, 0);
    }
    void TearDown() override
    {
        AccInf = savedInf_;
        SystemDef.EraDisplay = savedEra_;
        GengoTable = savedTable_;
        ZeiRituList.clear();
        ZeiRituUseList.clear();
    }
    static void dataVersion(int major, int minor1, int minor2)
    {
        AccInf.DataVerMajor = major;
        AccInf.DataVerMinor1 = minor1;
        AccInf.DataVerMinor2 = minor2;
        BuildZeiRituList();
    }

    platform::ScopedScriptedInteraction seam_;

private:
    TACCINF savedInf_;
    std::int32_t savedEra_ = 0;
    TGengoArray savedTable_;
};

struct CodeGroup {
    std::vector<int> codes;
    const char* kind;
    std::vector<const char*> descriptions; // one per code
    int businessClass, taxClass, side;
};

std::vector<int> run(int first, int count)
{
    std::vector<int> v;
    for (int i = 0; i < count; ++i)
        v.push_back(first + i);
    return v;
}

TEST_F(ConsumptionTax, CatalogueOfEveryTaxCode)
{
    const std::vector<const char*> sales6 = {"第１種課税売上", "第２種課税売上", "第３種課税売上",
                                             "第４種課税売上", "第５種課税売上", "第６種課税売上"};
    const std::vector<const char*> returns6 = {"第１種課税返還", "第２種課税返還", "第３種課税返還",
                                               "第４種課税返還", "第５種課税返還", "第６種課税返還"};
    const std::vector<const char*> exempt = {"免税売上", "非課税売上", "非課税売上（有価証券）", "非課税売上（輸出等）"};
    const std::vector<const char*> purchases = {"課税売上対応課税仕入", "共通売上対応課税仕入", "非課売上対応課税仕入"};
    const std::vector<const char*> imports = {"課税売上対応課税輸入", "共通売上対応課税輸入", "非課売上対応課税輸入"};
    const std::vector<const char*> purchaseReturns = {"課税売上対応課税仕入返還", "共通売上対応課税仕入返還",
                                                      "非課売上対応課税仕入返還"};
    const std::vector<const char*> importReturns = {"課税売上対応課税輸入返還", "共通売上対応課税輸入返還",
                                                    "非課売上対応課税輸入返還"};
    const CodeGroup groups[] = {
        {{110}, "売上", {"課税売上"}, 1, 1, 3},
        {run(111, 6), "売上", sales6, 2, 1, 3},
        {{120, 130, 140, 150}, "売上", exempt, 0, 0, 3},
        {{210}, "貸倒回収", {"課税売上"}, 0, 1, 3},
        {{220, 230, 240, 250}, "貸倒回収", exempt, 0, 0, 3},
        {{310}, "返還", {"課税売上"}, 1, 1, 1},
        {run(311, 6), "返還", returns6, 2, 1, 1},
        {{320, 330, 340, 350}, "返還", exempt, 0, 0, 1},
        {{410}, "貸倒", {"課税売上"}, 0, 1, 1},
        {{420, 430, 440, 450}, "貸倒", exempt, 0, 0, 1},
        {run(511, 3), "仕入", purchases, 0, 2, 1},
        {run(521, 3), "仕入", imports, 0, 2, 1},
        {run(531, 3), "仕入", {"課税売上対応調整（棚卸）", "共通売上対応調整（棚卸）", "非課税売上対調整（棚卸）"}, 0, 2, 1},
        {{540}, "仕入", {"非課税仕入"}, 0, 0, 1},
        {run(551, 3), "仕入", {"課税売上対応特定課税仕入", "共通売上対応特定課税仕入", "非課売上対応特定課税仕入"}, 0, 2, 1},
        {run(561, 3), "仕入", purchaseReturns, 0, 2, 3},
        {run(571, 3), "仕入", importReturns, 0, 2, 3},
        {run(581, 3), "仕入", {"課税売上対応特定仕入返還", "共通売上対応特定仕入返還", "非課売上対応特定仕入返還"}, 0, 2, 3},
        {{610}, "仮受", {"売上"}, 1, 0, 3},
        {run(611, 6), "仮受", sales6, 2, 0, 3},
        {{620}, "仮受", {"貸倒回収"}, 0, 0, 3},
        {{630}, "仮受", {"返還"}, 1, 0, 1},
        {run(631, 6), "仮受", returns6, 2, 0, 1},
        {{640}, "仮受", {"貸倒"}, 0, 0, 1},
        {run(711, 3), "仮払", purchases, 0, 0, 1},
        {run(721, 3), "仮払", imports, 0, 0, 1},
        {run(724, 3), "仮払", {"課税売上対応課税輸入(国)", "共通売上対応課税輸入(国)", "非課売上対応課税輸入(国)"}, 0, 0, 1},
        {run(731, 3), "仮払", {"課税売上対応調整（棚卸）", "共通売上対応調整（棚卸）", "非課売上対応調整（棚卸）"}, 0, 0, 1},
        {run(761, 3), "仮払", purchaseReturns, 0, 0, 3},
        {run(771, 3), "仮払", importReturns, 0, 0, 3},
        {run(774, 3), "仮払", {"課税売対課税輸入返還(国)", "共通売対課税輸入返還(国)", "非課売対課税輸入返還(国)"}, 0, 0, 3},
        {{810}, "課税対象外", {"課税対象外・不課税"}, 0, 0, 0},
    };
    std::set<int> seen;
    for (const CodeGroup& g : groups) {
        ASSERT_EQ(g.codes.size(), g.descriptions.size());
        for (std::size_t i = 0; i < g.codes.size(); ++i) {
            TaxCodeInfo info;
            ASSERT_TRUE(GetTaxCodeInfo(g.codes[i], info)) << g.codes[i];
            EXPECT_EQ(info.KindText, g.kind) << g.codes[i];
            EXPECT_EQ(info.Description, platform::cp932::padRight(g.descriptions[i], 24)) << g.codes[i];
            EXPECT_EQ(info.BusinessClass, g.businessClass) << g.codes[i];
            EXPECT_EQ(info.TaxClass, g.taxClass) << g.codes[i];
            EXPECT_EQ(info.Side, g.side) << g.codes[i];
            seen.insert(g.codes[i]);
        }
    }
    TaxCodeInfo undecided;
    ASSERT_TRUE(GetTaxCodeInfo(910, undecided));
    EXPECT_EQ(undecided.KindText, "区分未定");
    EXPECT_EQ(undecided.Description, "区分未定　　　　　　    ");
    EXPECT_EQ(platform::cp932::byteLength(undecided.Description), 24u);
    seen.insert(910);
    // The catalogue holds exactly these codes.
    EXPECT_EQ(std::set<int>(TaxCodes().begin(), TaxCodes().end()), seen);
}

TEST_F(ConsumptionTax, UnknownCodes)
{
    for (int code : {0, 117, 160, 500, 727, 999}) {
        std::string kind = "x", description = "x";
        int business = 0, tax = 5, side = 5;
        EXPECT_FALSE(GetTaxCodeInfo(code, kind, description, business, tax, side)) << code;
        EXPECT_EQ(kind, "Error               ");
        EXPECT_EQ(description, " ");
        EXPECT_EQ(business, 9);
        EXPECT_EQ(tax, 0);
        EXPECT_EQ(side, 0);
    }
}

TEST_F(ConsumptionTax, NormalizesBusinessKindCodes)
{
    struct Case {
        int kanni, jigyou, code, expected;
    };
    const Case cases[] = {
        {1, 3, 110, 113}, {1, 3, 113, 113}, {1, 5, 310, 315}, {1, 2, 610, 612}, {1, 6, 630, 636},
        {1, 3, 210, 210}, {0, 3, 113, 110}, {0, 0, 316, 310}, {0, 0, 611, 610}, {0, 0, 636, 630},
        {0, 0, 110, 110}, {0, 0, 511, 511},
    };
    for (const Case& c : cases) {
        AccInf.TAXKANNI = c.kanni;
        AccInf.TAXJIGYOU = c.jigyou;
        int code = c.code;
        EXPECT_EQ(NormalizeTaxCode(code), c.expected) << c.code;
        EXPECT_EQ(code, c.expected);
    }
}

TEST_F(ConsumptionTax, TaxCodeAgainstAccount)
{
    struct Case {
        int kanni;
        const char* account;
        int code;
        bool ok;
        const char* msg;
    };
    const char* const keep = "(unchanged)";
    const Case cases[] = {
        {0, InputTax, 711, true, ""},
        {0, InputTax, 726, true, ""},
        {0, InputTax, 776, true, ""},
        {0, InputTax, 810, true, ""},
        {0, InputTax, 910, true, ""},
        {0, InputTax, 740, false, "仮払消費税の税コードは[700番台,810,910]を使用してください。"},
        {0, InputTax, 511, false, "仮払消費税の税コードは[700番台,810,910]を使用してください。"},
        {0, Supplies, 711, false, "税コードが[700番台]は、科目に仮払消費税を使用してください。"},
        {0, OutputTax, 711, false, "税コードが[700番台]は、科目に仮払消費税を使用してください。"},
        {0, OutputTax, 610, true, ""},
        {0, OutputTax, 640, true, ""},
        {0, OutputTax, 613, true, "注意：原則課税が選択されています。"},
        {0, OutputTax, 110, false, "仮受消費税の税コードは[600番台,810,910]を使用してください。"},
        {1, OutputTax, 613, true, ""},
        {1, OutputTax, 620, true, ""},
        {1, OutputTax, 630, true, "注意：簡易課税が選択されています。"},
        {1, OutputTax, 650, false, "仮受消費税の税コードは[600番台,810,910]を使用してください。"},
        {2, OutputTax, 110, true, keep},
        {0, Sales, 610, false, "税コードが[600番台]は、科目に仮受消費税を使用してください。"},
        {0, Sales, 110, true, keep},
    };
    for (const Case& c : cases) {
        AccInf.TAXKANNI = c.kanni;
        std::string msg = keep;
        EXPECT_EQ(CheckTaxCodeForAccount(msg, c.account, c.code), c.ok) << c.account << " " << c.code;
        EXPECT_EQ(msg, c.msg) << c.account << " " << c.code;
    }
}

TEST_F(ConsumptionTax, AccountsWithoutTaxCodesOfTheirOwn)
{
    std::string msg;
    int code = 110;
    EXPECT_FALSE(CheckCounterTaxCode(msg, InputTax, code));
    EXPECT_EQ(msg, "仮受消費税、仮払消費税の相手税コードは[810,910]を使用してください。");
    EXPECT_EQ(code, 810);
    code = 511;
    EXPECT_FALSE(CheckCounterTaxCode(msg, OutputTax, code));
    for (int ok : {810, 910}) {
        code = ok;
        EXPECT_TRUE(CheckCounterTaxCode(msg, InputTax, code));
        EXPECT_TRUE(CheckSundryTaxCode(msg, Sundry, code));
        EXPECT_EQ(code, ok);
    }
    code = 511;
    EXPECT_TRUE(CheckCounterTaxCode(msg, Supplies, code));
    EXPECT_EQ(code, 511);
    EXPECT_FALSE(CheckSundryTaxCode(msg, Sundry, code));
    EXPECT_EQ(msg, "諸口の消費税コードは、[810,910]を使用してください。");
    EXPECT_EQ(code, 810);

    // A data set without an input-tax account: an account-less side is no such account.
    AccInf.SysUserCode[SysKariharaiTax] = "";
    code = 511;
    EXPECT_TRUE(CheckCounterTaxCode(msg, "", code));
    EXPECT_TRUE(CheckTaxCodeForAccount(msg, "", 511));
}

TEST_F(ConsumptionTax, SpecificTaxablePurchases)
{
    for (int code = 540; code <= 590; ++code)
        EXPECT_EQ(IsTokuteiShiireCode(code), (code >= 551 && code <= 553) || (code >= 581 && code <= 583)) << code;

    std::string msg;
    int code = 551;
    EXPECT_FALSE(CheckTokuteiShiire(msg, code, 0, d(2015, 9, 30)));
    EXPECT_EQ(msg, "特定課税仕入れ用の消費税コード[551,552,553,581,582,583]では[2015/10/01]より前の取引を登録できません。");
    SystemDef.EraDisplay = 1;
    EXPECT_FALSE(CheckTokuteiShiire(msg, code, 0, d(2015, 9, 30)));
    EXPECT_EQ(msg, "特定課税仕入れ用の消費税コード[551,552,553,581,582,583]では[H27/10/01]より前の取引を登録できません。");
    // The rate message replaces the date message.
    EXPECT_FALSE(CheckTokuteiShiire(msg, code, 2, d(2015, 9, 30)));
    EXPECT_EQ(msg, "特定課税仕入れ用の消費税コード[551,552,553,581,582,583]では税率[5%]は使用できません。");
    code = 583;
    EXPECT_FALSE(CheckTokuteiShiire(msg, code, 4, d(2020, 1, 1)));
    EXPECT_EQ(msg, "特定課税仕入れ用の消費税コード[551,552,553,581,582,583]では税率[軽減8%]は使用できません。");
    EXPECT_FALSE(CheckTokuteiShiire(msg, code, 1, d(2020, 1, 1)));
    EXPECT_EQ(msg, "特定課税仕入れ用の消費税コード[551,552,553,581,582,583]では税率[3%]は使用できません。");
    msg = "kept";
    EXPECT_TRUE(CheckTokuteiShiire(msg, code, 3, d(2015, 10, 1)));
    code = 511;
    EXPECT_TRUE(CheckTokuteiShiire(msg, code, 1, d(2010, 1, 1)));
    EXPECT_EQ(msg, "kept");
}

TEST_F(ConsumptionTax, YenRoundingModes)
{
    struct Case {
        int mode;
        double value, expected;
    };
    const Case cases[] = {
        {0, -1.9, -1}, {0, 1.9999, 1}, {0, -2.5, -2},  {0, 2.5, 2},
        {2, 1.0, 1},   {2, 1.2, 2},    {2, -1.2, -2},  {2, -0.1, -1}, {2, 0.0001, 1}, {2, 0, 0},
        {1, 2.5, 3},   {1, -2.5, -3},  {1, 1.4999, 1}, {1, -1.4999, -1}, {1, 1.5, 2},
        {3, -2.5, -3}, {3, 2.5, 3},    {-1, 2.4999, 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HasuuSyori(c.mode, yen(c.value)), yen(c.expected)) << c.mode << " " << c.value;
}

TEST_F(ConsumptionTax, QuotientsGoToTheNearestTenThousandthTiesToEven)
{
    struct Case {
        Currency amount, rate, divisor, expected;
    };
    const Case cases[] = {
        {1, 5000, 10000, 0},  {3, 5000, 10000, 2},   {-1, 5000, 10000, 0}, {-3, 5000, 10000, -2},
        {1, 6000, 10000, 1},  {-1, 6000, 10000, -1},
        {yen(1.0005), 100000, 1000000, yen(0.1)}, // 0.10005 yen -> 0.1000
        {yen(1.0015), 100000, 1000000, yen(0.1002)},
        {yen(1080), 80000, 1080000, yen(80)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TaxQuotient(c.amount, c.rate, c.divisor), c.expected) << c.amount << "/" << c.rate;
    EXPECT_THROW(TaxQuotient(1, 1, 0), std::domain_error);
}

TEST_F(ConsumptionTax, RateTablesByDataVersion)
{
    struct Row {
        const char* name;
        double rate;
        int number;
        const char* start;
        int standard, use;
    };
    const Row five[] = {
        {"10%", 10, 0, "2019/10/01", 1, 1}, {"8*%", 8, 4, "2019/10/01", 0, 1},
        {"8%", 8, 3, "2014/04/01", 1, 1},   {"5%", 5, 2, "1997/04/01", 1, 0},
        {"3%", 3, 1, "1989/04/01", 1, 1},
    };
    const Row three[] = {
        {"8%", 8, 0, "2014/04/01", 1, 1}, {"5%", 5, 2, "1997/04/01", 1, 0}, {"3%", 3, 1, "1989/04/01", 1, 1},
    };
    auto check = [](const auto& expected) {
        ASSERT_EQ(ZeiRituList.size(), std::size(expected));
        ASSERT_EQ(ZeiRituUseList.size(), std::size(expected));
        for (std::size_t i = 0; i < std::size(expected); ++i) {
            EXPECT_EQ(ZeiRituList[i].RITUNAME, expected[i].name);
            EXPECT_EQ(ZeiRituList[i].RITU, yen(expected[i].rate));
            EXPECT_EQ(ZeiRituList[i].RITUNO, expected[i].number);
            EXPECT_EQ(ZeiRituList[i].RITUSTART, expected[i].start);
            EXPECT_EQ(ZeiRituList[i].HYOUJUN, expected[i].standard);
            EXPECT_EQ(ZeiRituUseList[i].UseFlag, expected[i].use) << i;
        }
    };
    dataVersion(11, 1, 0);
    check(five);
    dataVersion(10, 9, 9);
    check(three);
    dataVersion(11, 0, 5);
    check(three);
    dataVersion(14, 0, 0);
    check(five);

    EXPECT_EQ(GetZeiRitu(0, 0), yen(10));
    EXPECT_EQ(GetZeiRitu(4, 0), yen(8));
    EXPECT_EQ(GetZeiRitu(1, 0), yen(3));
    EXPECT_EQ(GetZeiRitu(9, 0), yen(10)); // unknown: the newest rate
    dataVersion(10, 5, 0);
    EXPECT_EQ(GetZeiRitu(0, 0), yen(8)); // an old data set's rate 0 is 8 %

    // The table builds itself on first use.
    ZeiRituList.clear();
    AccInf.DataVerMajor = 12;
    EXPECT_EQ(GetZeiRitu(3, 0), yen(8));
    EXPECT_EQ(ZeiRituList.size(), 5u);
}

TEST_F(ConsumptionTax, ValidRateNumberAroundEveryRateChange)
{
    struct Case {
        int rateNo;
        double date;
        int expected;
    };
    const Case cases[] = {
        {1, d(1989, 3, 31), 0}, {1, d(1989, 4, 1), 1},
        {2, d(1997, 3, 31), 1}, {2, d(1997, 4, 1), 2},
        {3, d(2014, 3, 31), 2}, {3, d(2014, 4, 1), 3},
        {0, d(2019, 9, 30), 3}, {0, d(2019, 10, 1), 0},
        {3, d(2020, 1, 10), 3}, // an older rate stays allowed after its start
        {1, d(2024, 1, 1), 1},
        {4, d(2010, 1, 1), 4},  // a reduced rate is never replaced
        {9, d(2020, 1, 1), 0},  // an unknown number: the rate of the date
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetValidRateNo(c.rateNo, c.date), c.expected) << c.rateNo;
}

// A row: debit side `debit` with tax code, credit side `credit` with tax code.
TSWKREC journalRow(Currency amount, int taxcalcu, int rateNo, const char* debit, int debitCode,
                   const char* credit, int creditCode)
{
    TSWKREC row;
    row.HIZUKE = d(2024, 6, 1);
    row.KINGAKU = amount;
    row.AUTCALCU = 1;
    row.TAXCALCU = taxcalcu;
    row.OLDRATE = rateNo;
    row.Debit.USERCODE = debit;
    row.Debit.TAXCODE = debitCode;
    row.Debit.RateNo = rateNo;
    row.Credit.USERCODE = credit;
    row.Credit.TAXCODE = creditCode;
    row.Credit.RateNo = rateNo;
    return row;
}

TEST_F(ConsumptionTax, TaxIncludedPurchase)
{
    AccInf.TAXH_HASUU = 0;
    TSWKREC row = journalRow(yen(1080), 0, 3, Supplies, 511, Cash, 810);
    ASSERT_TRUE(CalcSiwakeZei(row));
    EXPECT_EQ(row.Debit.ZEI, yen(80));
    EXPECT_EQ(row.Debit.NUK, yen(1000));
    EXPECT_EQ(row.Debit.RIT, yen(8));
    EXPECT_EQ(row.Debit.TAXUH, 2);
    EXPECT_EQ(row.Debit.TAXDC, 1);
    EXPECT_EQ(row.Credit.NUK, yen(1080));
    EXPECT_EQ(row.Credit.ZEI, 0);
    EXPECT_EQ(row.Credit.RIT, 0);
    EXPECT_EQ(row.ZEIGAKU, yen(80));
    EXPECT_EQ(row.OLDRATE, 3);
}

TEST_F(ConsumptionTax, TaxOnTopMakesTheCashSideCarryTheTotal)
{
    AccInf.TAXH_HASUU = 1;
    TSWKREC row = journalRow(yen(1000), 1, 0, Supplies, 511, Cash, 810);
    ASSERT_TRUE(CalcSiwakeZei(row));
    EXPECT_EQ(row.Debit.ZEI, yen(100));
    EXPECT_EQ(row.Debit.NUK, yen(1000));
    EXPECT_EQ(row.Credit.NUK, yen(1100));
    EXPECT_EQ(row.Credit.ZEI, 0);
    EXPECT_EQ(row.ZEIGAKU, yen(100));
}

TEST_F(ConsumptionTax, SalesTaxRoundsByTheSalesModeOnBothSigns)
{
    struct Case {
        double amount;
        int mode;
        double tax;
    };
    // 10 % on top of 1,005 yen is 100.5 yen.
    const Case cases[] = {
        {1005, 0, 100}, {1005, 1, 101}, {1005, 2, 101}, {1005, 3, 101},
        {-1005, 0, -100}, {-1005, 1, -101}, {-1005, 2, -101}, {-1005, 3, -101},
        {1001, 2, 101}, {1001, 1, 100}, {-1001, 2, -101},
    };
    for (const Case& c : cases) {
        AccInf.TAXU_HASUU = c.mode;
        AccInf.TAXH_HASUU = 9; // must not be used for sales
        const TSWKREC row = journalRow(yen(c.amount), 1, 0, Cash, 810, Sales, 110);
        TSwkBalance side = row.Credit;
        ASSERT_TRUE(CalcSideZei(row, side));
        EXPECT_EQ(side.ZEI, yen(c.tax)) << c.amount << " mode " << c.mode;
        EXPECT_EQ(side.NUK, yen(c.amount));
        EXPECT_EQ(side.TAXUH, 1);
        EXPECT_EQ(side.TAXDC, 3);
    }
}

TEST_F(ConsumptionTax, HandEnteredTaxAndSpecialSides)
{
    // Tax entered by hand in an amount including tax.
    TSWKREC row = journalRow(yen(1100), 0, 0, Supplies, 511, Cash, 810);
    row.AUTCALCU = 0;
    row.ZEIGAKU = yen(99);
    ASSERT_TRUE(CalcSiwakeZei(row));
    EXPECT_EQ(row.Debit.NUK, yen(1001));
    EXPECT_EQ(row.Debit.ZEI, yen(99));

    // The input-tax account carries its rate but no tax of its own.
    row = journalRow(yen(80), 0, 3, InputTax, 711, Cash, 810);
    ASSERT_TRUE(CalcSiwakeZei(row));
    EXPECT_EQ(row.Debit.NUK, yen(80));
    EXPECT_EQ(row.Debit.ZEI, 0);
    EXPECT_EQ(row.Debit.RIT, yen(8));
    row = journalRow(yen(80), 0, 3, InputTax, 810, Cash, 810);
    ASSERT_TRUE(CalcSiwakeZei(row));
    EXPECT_EQ(row.Debit.RIT, 0);

    // Specific taxable purchases are not calculated.
    row = journalRow(yen(1100), 0, 0, Supplies, 551, Cash, 810);
    ASSERT_TRUE(CalcSiwakeZei(row));
    EXPECT_EQ(row.TAXCALCU, 2);
    EXPECT_EQ(row.Debit.NUK, yen(1100));
    EXPECT_EQ(row.Debit.ZEI, 0);

    // Fractions of a yen in the amount are dropped first.
    row = journalRow(yen(1080.9), 0, 3, Supplies, 511, Cash, 810);
    ASSERT_TRUE(CalcSiwakeZei(row));
    EXPECT_EQ(row.KINGAKU, yen(1080));
    EXPECT_EQ(row.Debit.ZEI, yen(80));

    // A side with its own rate decides the row's rate number.
    row = journalRow(yen(1000), 1, 0, Supplies, 511, Cash, 810);
    row.Debit.RateNo = 4;
    ASSERT_TRUE(CalcSiwakeZei(row));
    EXPECT_EQ(row.Debit.ZEI, yen(80));
    EXPECT_EQ(row.OLDRATE, 4);
    EXPECT_TRUE(seam_->messages.empty());
}

TEST_F(ConsumptionTax, AmountsBeyondTheRangeFailTheCalculation)
{
    constexpr Currency most = std::numeric_limits<Currency>::max();
    struct Case {
        int taxcalcu;
        Currency amount, tax;
    };
    // Hand-entered tax: the amount without tax, or the total of the taxed
    // side, would leave the range.
    const Case cases[] = {
        {0, most, -most},
        {0, -most, most},
        {1, most, most},
    };
    for (const Case& c : cases) {
        seam_->messages.clear();
        TSWKREC row = journalRow(c.amount, c.taxcalcu, 0, Supplies, 511, Cash, 810);
        row.AUTCALCU = 0;
        row.ZEIGAKU = c.tax;
        EXPECT_FALSE(CalcSiwakeZei(row)) << c.taxcalcu << " " << c.amount;
        ASSERT_EQ(seam_->messages.size(), 1u);
        EXPECT_EQ(seam_->messages[0].text, "仕訳の消費税額が計算できません。\r");
        EXPECT_EQ(seam_->messages[0].kind, platform::MessageKind::Error);
    }
}

} // namespace
} // namespace vq
