#pragma once
// One line of a statement's depreciation schedule and the lists of them that
// a statement reader keeps (every asset, and the small-amount assets of the
// year). The depreciation lists fill them from the fixed-asset register.
#include <cstdint>
#include <string>
#include <vector>

#include "foundation/accounting/Currency.h"

namespace vq {

struct TGenkaSyokyakuRec {
    std::int32_t SEIDO = 0;             // regime 0, 1 or 2
    std::string MEISYOU;                // asset name
    double SURYO = 0;                   // area or quantity
    double SYUTODATE = 0;               // acquisition date
    Currency SYUTOKIN = 0;              // acquisition cost
    Currency HOSYOUGAKU = 0;            // guarantee amount
    Currency KISOKIN = 0;               // depreciation base
    std::int32_t GSHOUHOU = 0;          // method 1 to 6
    std::int32_t TAIYOUYY = 0;          // useful life
    double SYOURITU = 0;                // rate as a number (0.2 for 0.200)
    std::int32_t SYOUKIKAN = 0;         // months depreciated in the year
    Currency FUTUSYOUKIN = 0;           // ordinary depreciation
    Currency WARISYOUKIN = 0;           // additional depreciation
    Currency SYOUKINKEI = 0;            // depreciation of the year
    double JIGYOUWARIAI = 0;            // business share in percent
    Currency HITUYOUKEIHI = 0;          // part counted as necessary expense
    Currency MATUMISYOUKIN = 0;         // closing book value
    std::string TEKIYO;                 // remarks
    Currency KISYUMISYOUKIN = 0;        // opening book value
    Currency KAITEISYUTOKUKAGAKU = 0;   // revised acquisition cost
    Currency KAITEIRITU = 0;            // revised rate
    std::int32_t SYOGAKU_FLG = 0;       // 1: the summary line of small-amount assets
    std::int32_t TEIRITU250 = 0;        // general statement only
    std::int32_t TEIRITU200 = 0;        // general statement only
    Currency SYUTOKUKAGAKUCHOSEI = 0;   // general statement only
};

using TGenkaSyokyakuRecArray = std::vector<TGenkaSyokyakuRec>;

} // namespace vq
