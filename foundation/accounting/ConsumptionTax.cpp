#include "foundation/accounting/ConsumptionTax.h"

#include <map>
#include <stdexcept>

#include "foundation/app/AccInf.h"
#include "foundation/calendar/DateText.h"
#include "foundation/calendar/DayNumber.h"
#include "foundation/data/DbErrorReporter.h"
#include "foundation/text/VersionUtils.h"
#include "foundation/accounting/YenRounding.h"
#include "platform/Cp932.h"
#include "platform/Interaction.h"

namespace vq {

TZeiRituList ZeiRituList;
TZeiRituList ZeiRituUseList;

namespace {

constexpr int DescriptionBytes = 24;

struct CodeRow {
    const char* kind;
    const char* description;
    int businessClass;
    int taxClass;
    int side;
};

const char* const BusinessSales[] = {"第１種課税売上", "第２種課税売上", "第３種課税売上",
                                     "第４種課税売上", "第５種課税売上", "第６種課税売上"};
const char* const BusinessReturns[] = {"第１種課税返還", "第２種課税返還", "第３種課税返還",
                                       "第４種課税返還", "第５種課税返還", "第６種課税返還"};
const char* const NonTaxableSales[] = {"免税売上", "非課税売上", "非課税売上（有価証券）",
                                       "非課税売上（輸出等）"};
const char* const Purchases[] = {"課税売上対応課税仕入", "共通売上対応課税仕入", "非課売上対応課税仕入"};
const char* const Imports[] = {"課税売上対応課税輸入", "共通売上対応課税輸入", "非課売上対応課税輸入"};
const char* const StockAdjustments[] = {"課税売上対応調整（棚卸）", "共通売上対応調整（棚卸）",
                                        "非課税売上対調整（棚卸）"};
const char* const PrepaidStockAdjustments[] = {"課税売上対応調整（棚卸）", "共通売上対応調整（棚卸）",
                                               "非課売上対応調整（棚卸）"};
const char* const SpecificPurchases[] = {"課税売上対応特定課税仕入", "共通売上対応特定課税仕入",
                                         "非課売上対応特定課税仕入"};
const char* const PurchaseReturns[] = {"課税売上対応課税仕入返還", "共通売上対応課税仕入返還",
                                       "非課売上対応課税仕入返還"};
const char* const ImportReturns[] = {"課税売上対応課税輸入返還", "共通売上対応課税輸入返還",
                                     "非課売上対応課税輸入返還"};
const char* const SpecificReturns[] = {"課税売上対応特定仕入返還", "共通売上対応特定仕入返還",
                                       "非課売上対応特定仕入返還"};
const char* const DomesticImports[] = {"課税売上対応課税輸入(国)", "共通売上対応課税輸入(国)",
                                       "非課売上対応課税輸入(国)"};
const char* const DomesticImportReturns[] = {"課税売対課税輸入返還(国)", "共通売対課税輸入返還(国)",
                                             "非課売対課税輸入返還(国)"};

const std::map<int, CodeRow>& catalogue()
{
    static const std::map<int, CodeRow> rows = [] {
        std::map<int, CodeRow> m;
        auto three = [&m](int first, const char* kind, const char* const (&names)[3], int tax, int side) {
            for (int i = 0; i < 3; ++i)
                m[first + i] = {kind, names[i], 0, tax, side};
        };
        auto six = [&m](int first, const char* kind, const char* const (&names)[6], int tax, int side) {
            for (int i = 0; i < 6; ++i)
                m[first + i] = {kind, names[i], 2, tax, side};
        };
        auto nonTaxable = [&m](int first, const char* kind, int side) {
            for (int i = 0; i < 4; ++i)
                m[first + i * 10] = {kind, NonTaxableSales[i], 0, 0, side};
        };
        m[110] = {"売上", "課税売上", 1, 1, 3};
        six(111, "売上", BusinessSales, 1, 3);
        nonTaxable(120, "売上", 3);
        m[210] = {"貸倒回収", "課税売上", 0, 1, 3};
        nonTaxable(220, "貸倒回収", 3);
        m[310] = {"返還", "課税売上", 1, 1, 1};
        six(311, "返還", BusinessReturns, 1, 1);
        nonTaxable(320, "返還", 1);
        m[410] = {"貸倒", "課税売上", 0, 1, 1};
        nonTaxable(420, "貸倒", 1);
        three(511, "仕入", Purchases, 2, 1);
        three(521, "仕入", Imports, 2, 1);
        three(531, "仕入", StockAdjustments, 2, 1);
        m[540] = {"仕入", "非課税仕入", 0, 0, 1};
        three(551, "仕入", SpecificPurchases, 2, 1);
        three(561, "仕入", PurchaseReturns, 2, 3);
        three(571, "仕入", ImportReturns, 2, 3);
        three(581, "仕入", SpecificReturns, 2, 3);
        m[610] = {"仮受", "売上", 1, 0, 3};
        six(611, "仮受", BusinessSales, 0, 3);
        m[620] = {"仮受", "貸倒回収", 0, 0, 3};
        m[630] = {"仮受", "返還", 1, 0, 1};
        six(631, "仮受", BusinessReturns, 0, 1);
        m[640] = {"仮受", "貸倒", 0, 0, 1};
        three(711, "仮払", Purchases, 0, 1);
        three(721, "仮払", Imports, 0, 1);
        three(724, "仮払", DomesticImports, 0, 1);
        three(731, "仮払", PrepaidStockAdjustments, 0, 1);
        three(761, "仮払", PurchaseReturns, 0, 3);
        three(771, "仮払", ImportReturns, 0, 3);
        three(774, "仮払", DomesticImportReturns, 0, 3);
        m[810] = {"課税対象外", "課税対象外・不課税", 0, 0, 0};
        m[910] = {"区分未定", "区分未定", 0, 0, 0};
        return m;
    }();
    return rows;
}

std::string descriptionField(int code, const char* text)
{
    // The undecided code keeps its own blanks: six full-width, four half-width.
    if (code == 910)
        return std::string(text) + "　　　　　　" + "    ";
    return platform::cp932::padRight(text, DescriptionBytes);
}

bool inRange(int code, int low, int high)
{
    return code >= low && code <= high;
}

bool isAccount(const std::string& userCode, int slot)
{
    // A fixed account the data set does not have ('') matches no side.
    const std::string& code = AccInf.SysUserCode[slot];
    return !code.empty() && userCode == code;
}

bool isInputTaxAccount(const std::string& userCode)
{
    return isAccount(userCode, SysKariharaiTax);
}

bool isOutputTaxAccount(const std::string& userCode)
{
    return isAccount(userCode, SysKariukeTax);
}

bool isOutOfScopeCode(int code)
{
    return code == 810 || code == 910;
}

struct RateRow {
    const char* name;
    int percent;
    int number;
    int position;
    const char* start;
    int reserve1;
    int reserve2;
    int reserve3;
    int standard;
    int switchIndex;
};

const RateRow FiveRates[] = {
    {"10%", 10, 0, 4, "2019/10/01", 11, 1, 1, 1, 4},
    {"8*%", 8, 4, 3, "2019/10/01", 11, 1, 1, 0, 3},
    {"8%", 8, 3, 2, "2014/04/01", 6, 1, 0, 1, 2},
    {"5%", 5, 2, 1, "1997/04/01", 1, 0, 0, 1, 1},
    {"3%", 3, 1, 0, "1989/04/01", 1, 0, 0, 1, 0},
};
const RateRow ThreeRates[] = {
    {"8%", 8, 0, 2, "2014/04/01", 6, 1, 1, 1, 2},
    {"5%", 5, 2, 1, "1997/04/01", 1, 0, 0, 1, 1},
    {"3%", 3, 1, 0, "1989/04/01", 1, 0, 0, 1, 0},
};

void ensureRates()
{
    if (ZeiRituList.empty())
        BuildZeiRituList();
}

const TZeiRituRec* rateRowOf(int rateNo)
{
    for (const TZeiRituRec& row : ZeiRituList)
        if (row.RITUNO == rateNo)
            return &row;
    return nullptr;
}

// Sums and differences of amounts that would leave the range of Currency are
// a failed calculation, never a wrapped-around amount.
Currency addAmounts(Currency a, Currency b)
{
    Currency sum = 0;
    if (__builtin_add_overflow(a, b, &sum))
        throw std::overflow_error("amount out of range");
    return sum;
}

Currency subtractAmounts(Currency a, Currency b)
{
    Currency difference = 0;
    if (__builtin_sub_overflow(a, b, &difference))
        throw std::overflow_error("amount out of range");
    return difference;
}

void reportCalculationFailure()
{
    ShowCommaMessage("仕訳の消費税額が計算できません。", platform::MessageKind::Error);
}

std::string dataVersionText()
{
    return std::to_string(AccInf.DataVerMajor) + "." + std::to_string(AccInf.DataVerMinor1) + "."
           + std::to_string(AccInf.DataVerMinor2);
}

} // namespace

bool GetTaxCodeInfo(int code, std::string& kindText, std::string& description, int& businessClass,
                    int& taxClass, int& side)
{
    const auto& rows = catalogue();
    const auto it = rows.find(code);
    if (it == rows.end()) {
        kindText = "Error" + std::string(15, ' ');
        description = " ";
        businessClass = 9;
        taxClass = 0;
        side = 0;
        return false;
    }
    kindText = it->second.kind;
    description = descriptionField(code, it->second.description);
    businessClass = it->second.businessClass;
    taxClass = it->second.taxClass;
    side = it->second.side;
    return true;
}

bool GetTaxCodeInfo(int code, TaxCodeInfo& info)
{
    return GetTaxCodeInfo(code, info.KindText, info.Description, info.BusinessClass, info.TaxClass,
                          info.Side);
}

const std::vector<int>& TaxCodes()
{
    static const std::vector<int> codes = [] {
        std::vector<int> v;
        for (const auto& [code, row] : catalogue())
            v.push_back(code);
        return v;
    }();
    return codes;
}

int NormalizeTaxCode(int& code)
{
    if (AccInf.TAXKANNI == 1) {
        if (code == 110 || code == 310 || code == 610 || code == 630)
            code += AccInf.TAXJIGYOU;
    } else if (inRange(code, 111, 116)) {
        code = 110;
    } else if (inRange(code, 311, 316)) {
        code = 310;
    } else if (inRange(code, 611, 616)) {
        code = 610;
    } else if (inRange(code, 631, 636)) {
        code = 630;
    }
    return code;
}

bool CheckTaxCodeForAccount(std::string& msg, const std::string& accountUserCode, int code)
{
    if (isInputTaxAccount(accountUserCode)) {
        if (inRange(code, 711, 713) || inRange(code, 721, 726) || inRange(code, 731, 733)
            || inRange(code, 761, 763) || inRange(code, 771, 776) || isOutOfScopeCode(code)) {
            msg.clear();
            return true;
        }
        msg = "仮払消費税の税コードは[700番台,810,910]を使用してください。";
        return false;
    }
    if (inRange(code, 700, 799)) {
        msg = "税コードが[700番台]は、科目に仮払消費税を使用してください。";
        return false;
    }
    if (isOutputTaxAccount(accountUserCode)) {
        const bool business = inRange(code, 611, 616) || inRange(code, 631, 636);
        const bool plain = code == 610 || code == 630;
        const bool common = code == 620 || code == 640 || isOutOfScopeCode(code);
        if (AccInf.TAXKANNI == 0) {
            if (plain || common) {
                msg.clear();
                return true;
            }
            if (business) {
                msg = "注意：原則課税が選択されています。";
                return true;
            }
        } else if (AccInf.TAXKANNI == 1) {
            if (business || common) {
                msg.clear();
                return true;
            }
            if (plain) {
                msg = "注意：簡易課税が選択されています。";
                return true;
            }
        } else {
            return true;
        }
        msg = "仮受消費税の税コードは[600番台,810,910]を使用してください。";
        return false;
    }
    if (inRange(code, 600, 699)) {
        msg = "税コードが[600番台]は、科目に仮受消費税を使用してください。";
        return false;
    }
    return true;
}

bool CheckCounterTaxCode(std::string& msg, const std::string& accountUserCode, int& code)
{
    if ((isInputTaxAccount(accountUserCode) || isOutputTaxAccount(accountUserCode))
        && !isOutOfScopeCode(code)) {
        msg = "仮受消費税、仮払消費税の相手税コードは[810,910]を使用してください。";
        code = 810;
        return false;
    }
    return true;
}

bool CheckSundryTaxCode(std::string& msg, const std::string& accountUserCode, int& code)
{
    if (isAccount(accountUserCode, SysSyokuchi) && !isOutOfScopeCode(code)) {
        msg = "諸口の消費税コードは、[810,910]を使用してください。";
        code = 810;
        return false;
    }
    return true;
}

bool IsTokuteiShiireCode(int code)
{
    return inRange(code, 551, 553) || inRange(code, 581, 583);
}

bool CheckTokuteiShiire(std::string& msg, int& code, int rateNo, double date)
{
    if (!IsTokuteiShiireCode(code))
        return true;
    bool ok = true;
    const double firstDay = encodeDate(2015, 10, 1);
    if (date < firstDay) {
        msg = "特定課税仕入れ用の消費税コード[551,552,553,581,582,583]では["
              + FormatDateSlash("yyyy/mm/dd", 3, firstDay) + "]より前の取引を登録できません。";
        ok = false;
    }
    const char* rateName = rateNo == 1 ? "3%" : rateNo == 2 ? "5%" : rateNo == 4 ? "軽減8%" : nullptr;
    if (rateName) {
        msg = std::string("特定課税仕入れ用の消費税コード[551,552,553,581,582,583]では税率[") + rateName
              + "]は使用できません。";
        ok = false;
    }
    return ok;
}

TZeiRituList ZeiRituTable(bool fiveRates)
{
    TZeiRituList list;
    auto add = [&list](const RateRow& r) {
        TZeiRituRec rec;
        rec.RITUNAME = r.name;
        rec.RITU = YenToCurrency(r.percent);
        rec.RITUNO = r.number;
        rec.Position = r.position;
        rec.RITUSTART = r.start;
        rec.Reserve1 = r.reserve1;
        rec.Reserve2 = r.reserve2;
        rec.Reserve3 = static_cast<std::uint8_t>(r.reserve3);
        rec.HYOUJUN = static_cast<std::uint8_t>(r.standard);
        rec.SwitchIndex = r.switchIndex;
        list.push_back(rec);
    };
    if (fiveRates)
        for (const RateRow& r : FiveRates)
            add(r);
    else
        for (const RateRow& r : ThreeRates)
            add(r);
    return list;
}

void BuildZeiRituList()
{
    ZeiRituList = ZeiRituTable(IsVersionAtLeast(dataVersionText(), "11.1.0"));
    ZeiRituUseList = ZeiRituList;
    for (TZeiRituRec& row : ZeiRituUseList)
        if (row.SwitchIndex >= 0 && row.SwitchIndex < static_cast<int>(AccInf.TaxRateUse.size()))
            row.UseFlag = AccInf.TaxRateUse[static_cast<std::size_t>(row.SwitchIndex)];
}

Currency GetZeiRitu(int rateNo, double /*date*/)
{
    ensureRates();
    if (const TZeiRituRec* row = rateRowOf(rateNo))
        return row->RITU;
    return ZeiRituList.front().RITU;
}

int GetValidRateNo(int rateNo, double date)
{
    ensureRates();
    const TZeiRituRec* own = rateRowOf(rateNo);
    if (own && own->HYOUJUN == 0)
        return rateNo; // a reduced rate is never replaced by date
    int newest = 0;
    for (const TZeiRituRec& row : ZeiRituList) {
        if (StrToDateTimeFixed(row.RITUSTART) <= date) {
            newest = row.RITUNO;
            break;
        }
    }
    if (newest == rateNo || (own && StrToDateTimeFixed(own->RITUSTART) <= date))
        return rateNo;
    return newest;
}

bool CalcSideZei(const TSWKREC& row, TSwkBalance& side)
{
    std::string kind, description;
    int businessClass = 0;
    GetTaxCodeInfo(side.TAXCODE, kind, description, businessClass, side.TAXUH, side.TAXDC);
    side.NUK = 0;
    side.ZEI = 0;
    side.RIT = 0;
    try {
        Currency rate = GetZeiRitu(row.OLDRATE, row.HIZUKE);
        if (side.RateNo != row.OLDRATE)
            rate = GetZeiRitu(side.RateNo, row.HIZUKE);
        if (side.TAXUH != 0)
            side.RIT = rate;
        const bool taxAccount = isInputTaxAccount(side.USERCODE) || isOutputTaxAccount(side.USERCODE);
        if (side.TAXUH != 0 && !taxAccount) {
            if (row.AUTCALCU == 0) {
                // Tax entered by hand.
                side.NUK = row.TAXCALCU == 0 ? subtractAmounts(row.KINGAKU, row.ZEIGAKU) : row.KINGAKU;
                side.ZEI = row.TAXCALCU == 0 || row.TAXCALCU == 1 ? row.ZEIGAKU : 0;
            } else {
                const int mode = side.TAXUH == 1 ? AccInf.TAXU_HASUU : AccInf.TAXH_HASUU;
                if (row.TAXCALCU == 0) {
                    side.ZEI = HasuuSyori(mode, TaxQuotient(row.KINGAKU, rate, YenToCurrency(100) + rate));
                    side.NUK = subtractAmounts(row.KINGAKU, side.ZEI);
                } else if (row.TAXCALCU == 1) {
                    side.ZEI = HasuuSyori(mode, TaxQuotient(row.KINGAKU, rate, YenToCurrency(100)));
                    side.NUK = row.KINGAKU;
                } else {
                    side.NUK = row.KINGAKU;
                    side.ZEI = 0;
                }
            }
        } else {
            side.NUK = row.KINGAKU;
            side.ZEI = 0;
            side.RIT = taxAccount && !isOutOfScopeCode(side.TAXCODE) ? rate : 0;
        }
    } catch (...) {
        reportCalculationFailure();
        return false;
    }
    return true;
}

bool CalcSiwakeZei(TSWKREC& row)
{
    if (IsTokuteiShiireCode(row.Debit.TAXCODE) || IsTokuteiShiireCode(row.Credit.TAXCODE))
        row.TAXCALCU = 2;
    row.KINGAKU = HasuuSyori(0, row.KINGAKU);
    row.ZEIGAKU = HasuuSyori(0, row.ZEIGAKU);
    if (!CalcSideZei(row, row.Debit) || !CalcSideZei(row, row.Credit))
        return false;

    const bool debitTaxed = row.Debit.RIT > 0;
    const bool creditTaxed = row.Credit.RIT > 0;
    if (debitTaxed && !creditTaxed)
        row.OLDRATE = row.Debit.RateNo;
    else if (!debitTaxed && creditTaxed)
        row.OLDRATE = row.Credit.RateNo;
    else if (debitTaxed && creditTaxed && row.Debit.RateNo == row.Credit.RateNo)
        row.OLDRATE = row.Debit.RateNo;

    if (row.TAXCALCU == 1) {
        // Tax on top: the side without tax carries the amount including tax.
        Currency debitTotal = 0;
        Currency creditTotal = 0;
        try {
            debitTotal = addAmounts(row.Debit.NUK, row.Debit.ZEI);
            creditTotal = addAmounts(row.Credit.NUK, row.Credit.ZEI);
        } catch (const std::overflow_error&) {
            reportCalculationFailure();
            return false;
        }
        if (debitTotal < creditTotal) {
            row.Debit.NUK = creditTotal;
            row.Debit.ZEI = 0;
        } else if (creditTotal < debitTotal) {
            row.Credit.NUK = debitTotal;
            row.Credit.ZEI = 0;
        }
    }
    row.ZEIGAKU = row.Credit.ZEI >= row.Debit.ZEI ? row.Credit.ZEI : row.Debit.ZEI;
    return true;
}

} // namespace vq
