#pragma once
// The general business statement (青色申告決算書 一般用) as the general reader
// fills it: the common header, then the profit-and-loss lines, the monthly
// sales and purchases, the breakdowns, the depreciation schedule, the balance
// sheet and the manufacturing cost.
#include <cstdint>
#include <string>

#include "linkage/statements/GenkaSyokyakuRec.h"
#include "linkage/statements/KessansyoElements.h"
#include "linkage/statements/StatementRows.h"

namespace vq {

// One month of sales and purchases.
struct TUriageSiireRec {
    Currency URIAGE = 0;
    Currency SIIRE = 0;
};

// One manufacturing-cost line.
struct TSeizoGenkaRec {
    std::int32_t REC = 0;       // EXTERKS.REC of the line
    std::string KNAME;
    Currency KINGAKU = 0;
};

struct TKojinKessansyoRec : TKojinKessansyoHeader {
    // 1 sales, 2..7 cost of sales, 8..31 expenses, 32 expenses total,
    // 33 balance, 34..37 reversals, 38..42 provisions, 43 income before the
    // blue-return deduction, 44 the deduction, 45 income.
    StatementRows<TSonekiKeisansyoRec, 45> SONEKI;
    // 1..12 the months of the fiscal year, 13 household consumption,
    // 14 miscellaneous income, 15 total, 16 the part at the reduced rate.
    StatementRows<TUriageSiireRec, 16> TUKIBETU;
    std::int32_t K8_KISAI = 0;  // 1: row 16 is to be reported
    // Bad-debt allowance: 1 individual, 2 receivables in bulk, 3 bulk limit,
    // 4 bulk amount, 5 allowance of the year.
    Currency KURIIRE1 = 0;
    Currency KURIIRE2 = 0;
    Currency KURIIRE3 = 0;
    Currency KURIIRE4 = 0;
    Currency KURIIRE5 = 0;
    std::int32_t GYOUSHUKUBUN = 0;  // bulk rate: 0 5.5 %, 1 3.3 %
    std::int32_t HASUU = 0;         // rounding mode of the bulk limit
    StatementRows<TKyuyoChinginRec, 7> KYUYO;       // 7 the total row
    StatementRows<TSenjyusyaKyuyoRec, 6> SENJYU;    // 6 the total row
    // Blue-return deduction: 6 the real-estate income of the year, 7 income
    // before the deduction, 8/9 limit and deduction of the 550,000 or
    // 650,000 yen case, 10/11 those of the 100,000 yen case.
    Currency KOUJO6 = 0;
    Currency KOUJO7 = 0;
    Currency KOUJO8 = 0;
    Currency KOUJO9 = 0;
    Currency KOUJO10 = 0;
    Currency KOUJO11 = 0;
    std::int32_t KOUJOKUBUN = 0;    // deduction case 0, 1 or 2
    StatementRows<TGenkaSyokyakuRec, 12> GENKA;     // 12 the total row
    std::int32_t GENKA_BESSI = 0;   // 1: the schedule does not fit ("別紙参照")
    std::int32_t GENKA_SYOGAKU = 0; // 1: small-amount assets acquired in the year
    StatementRows<TRisiWaribikiRec, 2> RISI;
    StatementRows<TJidaiYachinRec, 2> TIDAI;
    StatementRows<TZeirisiHousyuuRec, 2> HOUSHU;
    StatementRows<std::string, 5> NOTE;
    // Assets (24 owner's drawings, 25 total) and liabilities and capital
    // (22 owner's borrowings, 23 capital, 24 income before the deduction,
    // 25 total).
    StatementRows<TTaisyakuTaisyouhyoRec, 25> SISAN;
    StatementRows<TTaisyakuTaisyouhyoRec, 25> FUSAI;
    StatementRows<TSeizoGenkaRec, 26> SEIZO;
};

} // namespace vq
