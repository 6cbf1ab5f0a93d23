#pragma once
// The real-estate statement (青色申告決算書 不動産所得用) as the real-estate
// reader fills it, and one row of its rental list.
#include <cstdint>
#include <string>
#include <vector>

#include "linkage/statements/GenkaSyokyakuRec.h"
#include "linkage/statements/KessansyoElements.h"
#include "linkage/statements/StatementRows.h"

namespace vq {

// One rented property.
struct TFudosanSyotokuRec {
    std::int32_t REC = 0;
    std::int32_t NUMBER = 0;            // order of the list
    std::string KUBUN;                  // house or land
    std::string YOUTO;                  // use
    std::string SHOZAITI1;              // location, lines of at most 22 bytes
    std::string SHOZAITI2;
    std::string TINSYAKU1;              // tenant, lines of at most 24 bytes
    std::string TINSYAKU2;
    std::int32_t KAISI_YY = 0;          // start of the lease: year in the era, month
    std::int32_t KAISI_MM = 0;
    std::int32_t SHUURYOU_YY = 0;       // end of the lease
    std::int32_t SHUURYOU_MM = 0;
    double FTINSYAKU_KAISI = 0;         // the same as dates
    double FTINSYAKU_SHUURYOU = 0;
    Currency MENSEKI = 0;               // area
    Currency GETUGAKU = 0;              // monthly rent
    Currency NENGAKU = 0;               // rent of the year
    Currency REIKIN = 0;                // key money
    Currency KENRIKIN = 0;              // rights money
    Currency KOUSINRYOU = 0;            // renewal fee
    Currency MEIGIRYOU = 0;             // name-change fee and the like
    Currency SIKIKIN = 0;               // deposits
};

using TFudosanSyotokuRecArray = std::vector<TFudosanSyotokuRec>;

struct TFudosanKessansyoRec : TKojinKessansyoHeader {
    // 1..3 income, 4 income total, 5..17 expenses, 18 expenses total,
    // 19 balance, 20 family employees' salaries, 21 income before the
    // blue-return deduction, 22 the deduction, 23 income.
    StatementRows<TSonekiKeisansyoRec, 23> SONEKI;
    Currency FUSAIRISI = 0;             // cleared when the income is not negative
    std::int32_t FUDOSAN_BESSI = 0;     // 1: more than 15 rented properties
    StatementRows<TFudosanSyotokuRec, 16> FUDOSAN;  // 16 the totals row
    StatementRows<TKyuyoChinginRec, 3> KYUYO;       // 3 the total row
    StatementRows<TSenjyusyaKyuyoRec, 1> SENJYU;    // no total row
    std::int32_t KOUJOKUBUN = 0;        // deduction case 0, 1 or 2
    std::int32_t GENKA_BESSI = 0;       // 1: the schedule does not fit ("別紙参照")
    std::int32_t GENKA_SYOGAKU = 0;     // 1: small-amount assets acquired in the year
    StatementRows<TGenkaSyokyakuRec, 13> GENKA;     // 13 the total row
    StatementRows<TRisiWaribikiRec, 3> RISI;
    StatementRows<TJidaiYachinRec, 2> TIDAI;
    StatementRows<TZeirisiHousyuuRec, 2> HOUSHU;
    StatementRows<TTaisyakuTaisyouhyoRec, 25> SISAN;
    StatementRows<TTaisyakuTaisyouhyoRec, 25> FUSAI;
    StatementRows<std::string, 30> NOTE;
};

} // namespace vq
