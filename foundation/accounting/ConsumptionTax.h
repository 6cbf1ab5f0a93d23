#pragma once
// Consumption-tax rules shared by the library: the catalogue of tax codes
// (税区分コード), the checks that a journal side's tax code fits its account and
// the data set's taxation method, the tax rates by date and data version, and
// the tax amounts of a journal row.
//
// The rules read the open data set (AccInf): TAXKANNI, TAXJIGYOU, TAXU_HASUU,
// TAXH_HASUU, the user codes of 仮払消費税, 仮受消費税 and 諸口, the tax-rate
// switches and the data version. Rates are Currency-scaled percentages
// (8 % = 80000). Dates are day numbers.
#include <cstdint>
#include <string>
#include <vector>

#include "foundation/accounting/Currency.h"
#include "foundation/accounting/SwkRec.h"

namespace vq {

// One tax rate.
struct TZeiRituRec {
    std::string RITUNAME;       // "10%"
    Currency RITU = 0;          // the rate
    std::int32_t RITUNO = 0;    // the rate number stored in journal rows
    std::int32_t Position = 0;
    std::string RITUSTART;      // first day, "yyyy/mm/dd"
    std::int32_t Reserve1 = 0;
    std::int32_t Reserve2 = 0;
    std::uint8_t Reserve3 = 0;
    std::uint8_t HYOUJUN = 0;   // 1 standard rate, 0 reduced rate
    std::int32_t SwitchIndex = 0; // index into AccInf.TaxRateUse
    std::uint8_t UseFlag = 0;   // set in ZeiRituUseList only
    friend bool operator==(const TZeiRituRec&, const TZeiRituRec&) = default;
};
// Newest rate first.
using TZeiRituList = std::vector<TZeiRituRec>;

// The rate table in use and the same rows with their use flags from the open
// data set's tax-rate switches. Empty until first built.
extern TZeiRituList ZeiRituList;
extern TZeiRituList ZeiRituUseList;

// What a tax code stands for.
struct TaxCodeInfo {
    std::string KindText;       // "売上", "仕入", ...
    std::string Description;    // 24 bytes: the text and half-width blanks
    int BusinessClass = 9;      // 0 none, 1 taxable without business kind, 2 with; 9 unknown code
    int TaxClass = 0;           // 0 not taxable, 1 taxable sales, 2 taxable purchases (TAXUH)
    int Side = 0;               // 1 debit, 3 credit, 0 none (TAXDC)
};

// The row of the catalogue; false for an unknown code, which gives
// KindText "Error" + 15 blanks, Description " ", BusinessClass 9 and 0, 0.
bool GetTaxCodeInfo(int code, std::string& kindText, std::string& description,
                    int& businessClass, int& taxClass, int& side);
bool GetTaxCodeInfo(int code, TaxCodeInfo& info);
// Every code of the catalogue, ascending.
const std::vector<int>& TaxCodes();

// With the simplified method (TAXKANNI 1) 110, 310, 610 and 630 take the
// business kind (TAXJIGYOU) as last digit; otherwise the business-kind codes
// go back to 110, 310, 610 and 630. Returns the code.
int NormalizeTaxCode(int& code);

// The tax code of a journal side against its account (user code).
bool CheckTaxCodeForAccount(std::string& msg, const std::string& accountUserCode, int code);
// 仮払消費税 and 仮受消費税 take only 810 and 910 as the counter side's code;
// any other becomes 810.
bool CheckCounterTaxCode(std::string& msg, const std::string& accountUserCode, int& code);
// 諸口 takes only 810 and 910; any other becomes 810.
bool CheckSundryTaxCode(std::string& msg, const std::string& accountUserCode, int& code);
// The specific-taxable-purchase codes (特定課税仕入): 551-553 and 581-583.
bool IsTokuteiShiireCode(int code);
// Such a code takes no entry before 2015-10-01 and no rate 3 %, 5 % or reduced 8 %.
bool CheckTokuteiShiire(std::string& msg, int& code, int rateNo, double date);

// The five-row table (data version 11.1.0 or later) or the three-row table of
// older data sets, with its use flags from AccInf.TaxRateUse.
void BuildZeiRituList();
// The rate tables themselves (ZeiRituList is not touched).
TZeiRituList ZeiRituTable(bool fiveRates);
// The rate of rate number rateNo; the newest rate when no row has it. Builds
// the table when it is empty. The date is not consulted.
Currency GetZeiRitu(int rateNo, double date);
// The rate number that a row dated date may use: a reduced rate as it is,
// otherwise rateNo when it has started by date, else the newest rate that has.
int GetValidRateNo(int rateNo, double date);

// The tax amounts of one side and of a whole journal row. Both show
// "仕訳の消費税額が計算できません。" and return false when the amounts cannot
// be computed (an amount beyond the range of Currency among them).
bool CalcSideZei(const TSWKREC& row, TSwkBalance& side);
bool CalcSiwakeZei(TSWKREC& row);

} // namespace vq
