#pragma once
// The depreciation of one fixed asset in the open fiscal year, as the
// depreciation calculator leaves it. Amounts are Currency (yen x 10,000),
// dates day numbers, rates and shares Currency-scaled unless noted.
#include <cstdint>

#include "foundation/accounting/Currency.h"

namespace vq::linkage {

// Depreciation methods (GSHOUHOU).
enum GenkaSyokyakuHouhou : std::int32_t {
    HouhouTeigaku = 1,      // 定額法
    HouhouTeiritu = 2,      // 定率法
    HouhouKintou = 3,       // 均等償却
    HouhouIkkatu = 4,       // 一括償却
    HouhouSyougaku = 5,     // 少額減価償却資産
    HouhouLease = 6,        // リース期間定額法
};

// Asset status (JYOUTAI).
enum GenkaSyokyakuJyoutai : std::int32_t {
    JyoutaiSinki = 0,       // 新規取得
    JyoutaiSyokyakuTyuu = 1,// 償却中
    JyoutaiSyokyakuZumi = 2,// 償却済
    JyoutaiJyokyaku = 3,    // 除却
    JyoutaiBaikyaku = 4,    // 売却
    JyoutaiKaitei = 5,      // 改定償却
    JyoutaiSaiSyokyaku = 6, // 再償却
};

// The names the register shows for a method or status code ("" outside).
const char* GenkaSyokyakuHouhouName(std::int32_t code);
const char* GenkaSyokyakuJyoutaiName(std::int32_t code);

struct TGenkaSyokyakuKeisanRec {
    std::uint8_t SEIDO = 2;             // regime: 0 old methods, 1 250% era, 2 200% era
    std::uint8_t TOUKISYUTOKU = 0;      // 1 = counts as acquired in the fiscal year
    std::int32_t JYOUTAI = 0;           // status
    double SYUTODATE = 0;               // acquisition date as used
    Currency SYUTOKIN = 0;              // acquisition cost
    Currency KISYUMISYOUKIN = 0;        // opening book value (the cost when acquired in the year)
    std::int32_t GSHOUHOU = 0;          // method
    Currency ZANKAHOSYOUGAKU = 0;       // residual value guarantee (lease assets)
    Currency KISOKIN = 0;               // depreciation base
    std::int32_t TAIYOUYY = 0;          // useful life in years; method 6: lease months
    std::uint8_t TANKI_FLG = 0;         // old declining balance, short year, adjusted life over 100
    Currency SYOURITU = 0;              // depreciation rate (0.200 = 2000)
    std::int32_t JYOBAI = 0;            // disposal: 0 none, 1 scrapped, 2 sold
    double GENSYODATE = 0;              // disposal date in the year, 0 without disposal
    std::int32_t SYOUKIKANSTR = 0;      // first fiscal month depreciated
    std::int32_t SYOUKIKANEND = 0;      // last fiscal month depreciated
    Currency FUTUSYOUKIN = 0;           // ordinary depreciation of the year
    Currency WARISYOUKIN = 0;           // additional depreciation (as stored)
    Currency SYOUKINKEI = 0;            // total depreciation of the year (as stored)
    Currency MATUMISYOUKIN = 0;         // closing book value (as stored)
    Currency YOBI1 = YenToCurrency(100);
    Currency YOBI2 = 0;
    Currency JIGYOUWARIAI = YenToCurrency(100); // business-use share in percent (100 % = 1,000,000)
    Currency HITUYOUKEIHI = 0;          // part of SYOUKINKEI that is a necessary expense
    double HOSYOURITU = 0;              // guarantee rate of the useful life
    double KAITEIRITU = 0;              // revised rate (short-year adjusted)
    double HOSYOUGAKU = 0;              // guarantee amount in yen
    Currency KAITEISYUTOKUKAGAKU = 0;   // revised acquisition cost
    std::uint8_t KAITEI_FLG = 0;        // 1 = the year's amount uses the revised rate
    std::uint8_t SAISYOKYAKU_FLG = 0;   // 1 = five-year depreciation below the 5 % value
    std::uint8_t Spare = 0;
    std::int32_t TEIRITU250 = 0;        // election: 250 % rates although acquired from 2012-04-01
    std::int32_t TEIRITU200 = 0;        // election: 200 % rates although acquired before 2012-04-01
    std::int32_t TAIYONENSU200 = 0;     // life stored for the 200 % election; carried only
    Currency SYUTOKUKAGAKUCHOSEI = 0;   // adjusted cost, the guarantee base under the 200 % election
};

} // namespace vq::linkage
