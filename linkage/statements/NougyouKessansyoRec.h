#pragma once
// The agriculture statement (青色申告決算書 農業所得用) as the agriculture
// reader fills it, with the element records of its own breakdowns.
#include <cstdint>
#include <string>

#include "linkage/statements/GenkaSyokyakuRec.h"
#include "linkage/statements/KessansyoElements.h"
#include "linkage/statements/StatementRows.h"

namespace vq {

// One crop or livestock product.
struct TSyunyuKingakuRec {
    std::string KUBUN1;                 // name, two lines
    std::string KUBUN2;
    Currency MENSEKI = 0;               // area
    Currency SYUUKAKURYO = 0;           // harvest
    Currency KISHU_SURYO = 0;           // opening stock
    Currency KISHU_KINGAKU = 0;
    Currency HANBAIGAKU = 0;            // sales
    Currency KAJISYOHIGAKU = 0;         // household consumption
    Currency KIMATU_SURYO = 0;          // closing stock
    Currency KIMATU_KINGAKU = 0;
};

// One miscellaneous income.
struct TSyunyuKingakuZassyuRec {
    std::string KUBUN;
    Currency KINGAKU = 0;
};

// One stock item other than crops.
struct TNousanIgaiTanaorosiRec {
    std::string KUBUN;
    Currency KISHU_SURYO = 0;
    std::string KISHU_TANI;             // unit
    Currency KISHU_KINGAKU = 0;
    Currency KIMATU_SURYO = 0;
    std::string KIMATU_TANI;
    Currency KIMATU_KINGAKU = 0;
};

// One hired worker (or the hired labour of a kind).
struct TYatoininhiRec {
    std::string SIMEI;
    std::int32_t NISUU = 0;             // days
    Currency SIKYU_GENKIN = 0;          // paid in cash
    Currency SIKYU_GENBUTU = 0;         // paid in kind
    Currency SIKYU_GOKEI = 0;           // total
    Currency GENSENZEIGAKU = 0;         // withheld tax
};

// One fruit tree or animal being raised.
struct TKajyuGyubaIkuseiRec {
    std::string MEISHOU1;               // name, two lines
    std::string MEISHOU2;
    std::string SYUTOKUHIZUKE_YY;       // acquisition date as stored: era letter and year,
    std::string SYUTOKUHIZUKE_MM;       // month,
    std::string SYUTOKUHIZUKE_DD;       // day
    Currency ZENNENKURIKOSIGAKU = 0;    // carried over from the previous year
    Currency IKUSEI_SYUBYOUHI = 0;      // seeds and seedlings
    Currency IKUSEI_HIRYOUHI = 0;       // fertiliser
    Currency IKUSEI_SYOKEI = 0;         // subtotal
    Currency IKUSEI_SYUNYUGAKU = 0;     // income while growing
    Currency IKUSEI_KASANGAKU = 0;      // amount added
    Currency SYUTOKUGAKU = 0;           // acquisition cost on maturity
    Currency YOKUNENKURIKOSIGAKU = 0;   // carried to the next year
};

// One land rent or lease.
struct TJidaiChinsyakuRec {
    std::string JYUSHO1;                // payee, two lines
    std::string JYUSHO2;
    std::string KOSAKURYO;              // kind of payment
    Currency MENSEKI = 0;               // area
    Currency SHIHARAIGAKU = 0;          // amount paid
};

struct TNougyouKessansyoRec : TKojinKessansyoHeader {
    // 1..3 income, 4 subtotal, 5/6 crop stocks, 7 income total, 8..30
    // expenses, 31 subtotal, 32..34 other stocks and growing costs, 35
    // expenses total, 36 balance, 37..40 reversals, 41..45 provisions, 46
    // income before the blue-return deduction, 47 the deduction, 48 income.
    StatementRows<TSonekiKeisansyoRec, 48> SONEKI;
    Currency FUSAIRISI = 0;
    StatementRows<TSyunyuKingakuRec, 6> TAHATA;     // crops of fields
    StatementRows<TSyunyuKingakuRec, 3> KAJU;       // fruit
    StatementRows<TSyunyuKingakuRec, 3> TOKUSYU;    // crops of special facilities
    StatementRows<TSyunyuKingakuRec, 1> NOUSANKEI;  // crops subtotal
    StatementRows<TSyunyuKingakuRec, 3> TIKUSAN;    // livestock products
    StatementRows<TSyunyuKingakuRec, 1> SYUNYUKEI;  // income total
    StatementRows<TSyunyuKingakuZassyuRec, 4> ZATU; // 4 the total
    StatementRows<TNousanIgaiTanaorosiRec, 5> MISYUKAKU;   // unharvested crops
    StatementRows<TNousanIgaiTanaorosiRec, 5> HANBAI;      // animals for sale
    StatementRows<TNousanIgaiTanaorosiRec, 8> SYUBYOU;     // seeds and seedlings
    StatementRows<TNousanIgaiTanaorosiRec, 3> SONOTA;      // other stock
    StatementRows<TNousanIgaiTanaorosiRec, 1> IGAIKEI;     // inventory total
    StatementRows<TYatoininhiRec, 5> YATOININ;      // 5 the total
    StatementRows<TSenjyusyaKyuyoRec, 5> SENJYU;    // 5 the total
    std::int32_t GENKA_BESSI = 0;       // 1: the schedule does not fit ("別紙参照")
    std::int32_t GENKA_SYOGAKU = 0;     // 1: small-amount assets acquired in the year
    StatementRows<TGenkaSyokyakuRec, 12> GENKA;     // 12 the total row
    StatementRows<TKajyuGyubaIkuseiRec, 3> KAJYU;   // 3 the total
    StatementRows<std::string, 4> KEISANHOUHOU;     // how the growing costs were computed
    StatementRows<TJidaiChinsyakuRec, 2> TIDAI_CHIN;
    StatementRows<TRisiWaribikiRec, 2> RISI;
    StatementRows<TZeirisiHousyuuRec, 2> HOUSHU;
    std::int32_t GYOUSHUKUBUN = 0;      // copied; the totals use 5.5 % whatever it holds
    std::int32_t HASUU = 0;             // rounding mode of the bulk limit
    Currency KURIIRE1 = 0;              // bad-debt allowance as in the general statement
    Currency KURIIRE2 = 0;
    Currency KURIIRE3 = 0;
    Currency KURIIRE4 = 0;
    Currency KURIIRE5 = 0;
    std::int32_t KOUJOKUBUN = 0;        // deduction case 0, 1 or 2
    Currency KOUJO6 = 0;                // blue-return deduction block as in the general statement
    Currency KOUJO7 = 0;
    Currency KOUJO8 = 0;
    Currency KOUJO9 = 0;
    Currency KOUJO10 = 0;
    Currency KOUJO11 = 0;
    StatementRows<std::string, 10> NOTE;
    StatementRows<TTaisyakuTaisyouhyoRec, 25> SISAN;
    StatementRows<TTaisyakuTaisyouhyoRec, 25> FUSAI;
};

} // namespace vq
