#pragma once
// The element records that the three settlement statements (general
// business, real estate, agriculture) share, and their common header. The
// statement readers fill them; the income-tax data maker reads them.
//
// Amounts are Currency (yen x 10,000); dates are day numbers (0 = none);
// text is UTF-8.
#include <cstdint>
#include <string>

#include "foundation/accounting/Currency.h"

namespace vq {

// One profit-and-loss line.
struct TSonekiKeisansyoRec {
    std::int32_t REC = 0;       // EXTERKS.REC of the line
    std::string KNAME;          // line name
    Currency KINGAKU = 0;
};

// One balance-sheet line.
struct TTaisyakuTaisyouhyoRec {
    std::int32_t REC = 0;       // EXTERKS.REC of the line
    std::string KNAME;
    Currency KISHUZAN = 0;      // opening
    Currency KIMATUZAN = 0;     // closing
};

// One employee.
struct TKyuyoChinginRec {
    std::string SIMEI;
    std::int32_t NENREI = 0;    // age
    std::int32_t TUKISUU = 0;   // months worked
    Currency KYUUYO = 0;        // salary
    Currency SHOUYO = 0;        // bonus
    Currency GOUKEI = 0;        // salary + bonus
    Currency GENSEN = 0;        // withheld tax
};

// One family employee.
struct TSenjyusyaKyuyoRec {
    std::string SIMEI;
    std::string TUZUKIGARA;     // relation
    std::int32_t NENREI = 0;
    std::int32_t TUKISUU = 0;
    Currency KYUUYO = 0;
    Currency SHOUYO = 0;
    Currency GOUKEI = 0;
    Currency GENSEN = 0;
};

// One lender.
struct TRisiWaribikiRec {
    std::string SIHARAISAKI1;   // payee, two lines
    std::string SIHARAISAKI2;
    Currency KIMATU = 0;        // loan balance at the year end
    Currency RISI = 0;          // interest of the year
    Currency KEIHI = 0;         // part counted as expense
};

// One land or house rent.
struct TJidaiYachinRec {
    std::string SIHARAISAKI1;   // payee, two lines
    std::string SIHARAISAKI2;
    std::string BUKKEN1;        // property, two lines
    std::string BUKKEN2;
    Currency KENRI = 0;         // rights money
    Currency KOUSIN = 0;        // renewal fee
    Currency TINRYOU = 0;       // rent
    Currency KEIHI = 0;         // part counted as expense
};

// One fee payee (tax accountant and the like).
struct TZeirisiHousyuuRec {
    std::string SIHARAISAKI1;
    std::string SIHARAISAKI2;
    Currency HOUSHU = 0;        // fee
    Currency KEIHI = 0;         // part counted as expense
    Currency GENSEN = 0;        // withheld tax
};

// The header every statement record begins with.
struct TKojinKessansyoHeader {
    std::int32_t TEGAKI = 0;        // 1: the statement amounts were entered by hand
    double KISHU = 0;               // start of the statement period
    double KIMATU = 0;              // end of the statement period
    std::int32_t HIZUKE_FLG = 0;    // 1: HIZUKE is the return header's date
    double HIZUKE = 0;              // statement date (else the time of reading)
    double NENDO_KIMATU = 0;        // end of the fiscal year
    // The individual's particulars as the data set keeps them.
    std::string SKANA;
    std::string SHOUGOU;
    std::string POST;
    std::string ADD1;
    std::string ADD2;
    std::string TEL;
    std::string AO_ADD1;
    std::string AO_ADD2;
    std::string AO_KANA;
    std::string AO_SIMEI;
    std::string AO_GYOUSHU;
    std::string AO_YAGO;
    std::string AO_KANYU;
    std::string AO_TEL;
    std::string AO_SHOKUGYO1;
    std::string AO_SHOKUGYO2;
    // The tax accountant, from the return header.
    std::string ZEIRISI_ADD1;
    std::string ZEIRISI_ADD2;
    std::string ZEIRISI_SIMEI1;
    std::string ZEIRISI_SIMEI2;
    std::string ZEIRISI_TEL;
    std::string SCODE2;
};

} // namespace vq
