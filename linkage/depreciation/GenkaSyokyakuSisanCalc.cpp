#include "linkage/depreciation/GenkaSyokyakuSisanCalc.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "foundation/accounting/YenRounding.h"
#include "foundation/calendar/DayNumber.h"
#include "foundation/calendar/FiscalCalendar.h"
#include "foundation/data/AccRegSettings.h"
#include "foundation/data/DataModule.h"
#include "foundation/text/NumberUtils.h"
#include "platform/db/Transaction.h"

namespace vq::linkage {

namespace {

constexpr Currency kOneYen = CurrencyScale;
constexpr int kIndividual = 2;

const char* const kSettingGroup = "減価償却設定";

const char* const kSelectAsset =
    "SELECT SYUTODATE, JYOBAI, GENSYODATE, TEIRITU250, TEIRITU200, SYUTOKUKAGAKUCHOSEI, "
    "TAIYONENSU200, ISINPSYOURITU, SYOURITU, GSHOUHOU, TAIYOUYY, ISINPKISOKIN, KISOKIN, "
    "SYUTOKIN, KISYUMISYOUKIN, ZANKAHOSYOUGAKU, ISINPFUTUSYOUKIN, SYOUKIKANSTR, SYOUKIKANEND, "
    "FUTUSYOUKIN, KAITEISYUTOKUKAGAKU, ISINPKAITEISYUTOKUKAGAKU, KAITEISYUTOKUKAGAKU_INPUT, "
    "WARISYOUKIN, SYOUKINKEI, MATUMISYOUKIN, JIGYOUWARIAI_NEW "
    "FROM KS_SISAN WHERE REC = :REC";

double reformDate() { return encodeDate(2007, 4, 1); }   // 250 % rates, 1-yen floor
double reform2012() { return encodeDate(2012, 4, 1); }   // 200 % rates

// a * num / den in Currency units, the quotient rounded to the nearest unit
// with ties to even: Currency arithmetic's rounding of a product.
Currency MulDiv(Currency a, std::int64_t num, std::int64_t den) {
    if (den == 0) return 0;
    if (den < 0) { den = -den; num = -num; }
    const __int128 n = static_cast<__int128>(a) * num;
    __int128 q = n / den;
    __int128 r = n % den;
    if (r < 0) { r = -r; }
    const __int128 twice = 2 * r;
    if (twice > den || (twice == den && (q % 2 != 0))) q += (n < 0) ? -1 : 1;
    return static_cast<Currency>(q);
}

// A table rate as the Currency the register keeps (four decimals).
Currency RateToCurrency(long double rate) { return static_cast<Currency>(std::llround(rate * CurrencyScale)); }

// Yen held in a double, to Currency: nearest unit, ties to even.
Currency YenToCurrencyEven(long double yen) {
    return static_cast<Currency>(std::nearbyint(yen * CurrencyScale));
}

long double ShortYearRate(long double rate, int months) {
    return RoundUpDigits(4, rate * months / 12.0L);
}

} // namespace

TGenkaSyokyakuSisanCalc::TGenkaSyokyakuSisanCalc(GenkaRateTables tables)
    : tables_(tables),
      current_(tables.table200),
      accInf_(AccInf),
      transaction_(DM ? &DM->IBTransactionDAT : nullptr),
      query_(DM ? db::Statement(DM->IBDatabaseDAT.attachment(), DM->IBTransactionDAT)
                : throw std::logic_error("the depreciation calculator needs the data module")) {
    query_.setSql(kSelectAsset);
    // The data set's transitional switches are kept for the register screens;
    // an asset's own elections decide here, so the values are not used.
    GetAccRegInt(kSettingGroup, "250%定率法で償却する経過措置", "0");
    GetAccRegInt(kSettingGroup, "200%定率法で償却する経過措置", "0");
}

void TGenkaSyokyakuSisanCalc::SetTransaction(db::Transaction& transaction) {
    transaction_ = &transaction;
    query_.setTransaction(transaction);
}

int TGenkaSyokyakuSisanCalc::Months() const {
    return GetKikanMonthNo(accInf_.SIME, accInf_.KISHU, accInf_.KIMATU);
}

int TGenkaSyokyakuSisanCalc::Period() const {
    // A register row without a sensible period depreciates nothing rather
    // than a negative amount.
    return std::clamp(work_.SYOUKIKANEND - work_.SYOUKIKANSTR + 1, 0, std::max(Months(), 0));
}

Currency TGenkaSyokyakuSisanCalc::Round(Currency value) const {
    return HasuuSyori(accInf_.SDAI_HASUU1, value);
}

Currency TGenkaSyokyakuSisanCalc::GoPercentValue() const {
    return HasuuSyori(accInf_.SDAI_HASUU2, MulDiv(work_.SYUTOKIN, 5, 100));
}

void TGenkaSyokyakuSisanCalc::SelectSeido() {
    const double d2007 = reformDate();
    if (accInf_.KIMATU < d2007 || work_.SYUTODATE < d2007) {
        work_.SEIDO = 0;
    } else if (work_.SYUTODATE < reform2012()) {
        work_.SEIDO = (work_.TEIRITU200 == 1) ? 2 : 1;
    } else {
        work_.SEIDO = 2;
        if (work_.TEIRITU250 == 1) work_.SEIDO = 1;
        if (work_.TEIRITU200 == 1) work_.SEIDO = 2;
    }
    current_ = (work_.SEIDO == 2) ? tables_.table200 : tables_.table250;
}

const RateTableRow* TGenkaSyokyakuSisanCalc::TableRow() const {
    const int life = work_.TAIYOUYY;
    if (life < 0 || life > GenkaMaxLife) return nullptr;
    return &(*current_)[static_cast<std::size_t>(life)];
}

void TGenkaSyokyakuSisanCalc::CalcRate() {
    SelectSeido();
    work_.TANKI_FLG = 0;
    const RateTableRow* row = TableRow();
    const int method = work_.GSHOUHOU;
    const bool old = work_.SEIDO == 0;
    long double rate = 0;
    if (row && (method == HouhouTeigaku || method == HouhouTeiritu)) {
        if (method == HouhouTeigaku)
            rate = row->rates[old ? RateOldStraightLine : RateStraightLine];
        else
            rate = row->rates[old ? RateOldDeclining : RateDeclining];
        const int m = Months();
        if (m != 12 && m > 0) {
            if (old && method == HouhouTeiritu) {
                const int adjusted = RoundInt(static_cast<double>(
                    RoundDownDigits(1, static_cast<long double>(work_.TAIYOUYY) * 12 / m)));
                if (adjusted > GenkaMaxLife)
                    work_.TANKI_FLG = 1;
                else
                    rate = (*current_)[static_cast<std::size_t>(adjusted)].rates[RateOldDeclining];
            } else {
                rate = ShortYearRate(rate, m);
            }
        }
    }
    work_.SYOURITU = RateToCurrency(rate);
}

void TGenkaSyokyakuSisanCalc::CalcBase() {
    SelectSeido();
    const Currency cost = work_.SYUTOKIN;
    switch (work_.GSHOUHOU) {
    case HouhouTeigaku:
        work_.KISOKIN = (work_.SEIDO == 0) ? HasuuSyori(HasuuTruncate, MulDiv(cost, 9, 10)) : cost;
        break;
    case HouhouTeiritu: work_.KISOKIN = work_.KISYUMISYOUKIN; break;
    case HouhouKintou:
    case HouhouIkkatu:
    case HouhouSyougaku: work_.KISOKIN = cost; break;
    case HouhouLease: work_.KISOKIN = std::max<Currency>(cost - work_.ZANKAHOSYOUGAKU, 0); break;
    default: work_.KISOKIN = 0;
    }
}

Currency TGenkaSyokyakuSisanCalc::FutuSyoukinOther() const {
    const Currency base = work_.KISOKIN;
    const Currency a = work_.KISYUMISYOUKIN;
    const int m = Months();
    const int p = Period();
    const int life = work_.TAIYOUYY;
    switch (work_.GSHOUHOU) {
    case HouhouKintou: {
        if (life == 0) return 0;
        return std::min(Round(MulDiv(base, p, static_cast<std::int64_t>(life) * 12)), a);
    }
    case HouhouIkkatu: {
        const int k = (accInf_.DATATYPE == kIndividual) ? 12 : m;
        if (k <= 0) return 0;
        Currency amount = Round(MulDiv(base, k, 36));
        if (a - amount < 3 * kOneYen) amount = a;
        return amount;
    }
    case HouhouSyougaku: return work_.TOUKISYUTOKU == 1 ? work_.SYUTOKIN : 0;
    case HouhouLease: {
        if (m <= 0 || life <= 0) return 0;
        // base x (M / L) x (P / M): the lease months depreciated this year.
        Currency amount = Round(MulDiv(base, static_cast<std::int64_t>(m) * p,
                                       static_cast<std::int64_t>(life) * m));
        const Currency monthly = Round(MulDiv(base, 1, life));
        if (monthly > a - amount) amount = a;
        return amount;
    }
    default: return 0;
    }
}

Currency TGenkaSyokyakuSisanCalc::FutuSyoukinNew() {
    const int method = work_.GSHOUHOU;
    if (method != HouhouTeigaku && method != HouhouTeiritu) return FutuSyoukinOther();
    const Currency rate = work_.SYOURITU;
    if (rate == 0) return 0;
    const Currency base = work_.KISOKIN;
    const Currency a = work_.KISYUMISYOUKIN;
    const int m = Months();
    const int p = Period();
    if (m <= 0) return 0;
    Currency amount = Round(MulDiv(base, rate * p, CurrencyScale * m));
    if (method == HouhouTeiritu) {
        const RateTableRow* row = TableRow();
        const long double declining = row ? row->rates[RateDeclining] : 0;
        const long double plain = static_cast<long double>(base) / CurrencyScale * declining;
        if (work_.HOSYOUGAKU > plain) {
            if (work_.KAITEISYUTOKUKAGAKU == 0) work_.KAITEISYUTOKUKAGAKU = a;
            work_.KAITEI_FLG = 1;
            // The revised rate is taken short-year adjusted like the ordinary
            // rate, so that x P / M gives the months of this year.
            long double revised = row ? row->rates[RateRevised] : 0;
            if (m != 12) revised = ShortYearRate(revised, m);
            amount = Round(MulDiv(work_.KAITEISYUTOKUKAGAKU, RateToCurrency(revised) * p,
                                  CurrencyScale * m));
        } else {
            work_.KAITEISYUTOKUKAGAKU = 0;
        }
    }
    if (a <= kOneYen) return 0;
    if (amount >= a) amount = a - kOneYen;
    return amount;
}

Currency TGenkaSyokyakuSisanCalc::FutuSyoukinOld() {
    const int method = work_.GSHOUHOU;
    if (method != HouhouTeigaku && method != HouhouTeiritu) return FutuSyoukinOther();
    const Currency w = GoPercentValue();
    const Currency a = work_.KISYUMISYOUKIN;
    const int m = Months();
    const int p = Period();
    const int months = work_.TANKI_FLG ? 12 : m;
    const Currency v = (work_.SYOURITU == 0 || months <= 0)
                           ? 0
                           : Round(MulDiv(work_.KISOKIN, work_.SYOURITU * p, CurrencyScale * months));
    if (a > w) return (a - v < w) ? a - w : v;
    const double d2007 = reformDate();
    if (accInf_.KISHU < d2007 || accInf_.KIMATU < d2007) return 0;
    work_.SAISYOKYAKU_FLG = 1;
    if (a <= kOneYen) return 0;
    const int mode = (AccInf.DATATYPE == kIndividual) ? accInf_.SDAI_HASUU1 : HasuuTruncate;
    Currency amount = HasuuSyori(mode, MulDiv(w - kOneYen, p, 60));
    if (amount >= a) amount = a - kOneYen;
    return amount;
}

void TGenkaSyokyakuSisanCalc::CalcFutuSyoukin() {
    SelectSeido();
    const Currency amount = (work_.SEIDO == 0) ? FutuSyoukinOld() : FutuSyoukinNew();
    work_.FUTUSYOUKIN = Round(amount);
}

void TGenkaSyokyakuSisanCalc::CalcHosyougaku() {
    SelectSeido();
    work_.HOSYOURITU = 0;
    work_.HOSYOUGAKU = 0;
    if (work_.SEIDO == 0 || work_.GSHOUHOU != HouhouTeiritu) return;
    const RateTableRow* row = TableRow();
    work_.HOSYOURITU = row ? row->rates[RateGuarantee] : 0;
    const Currency cost = (work_.TEIRITU200 == 1) ? work_.SYUTOKUKAGAKUCHOSEI : work_.SYUTOKIN;
    const int mode = (accInf_.DATATYPE == kIndividual) ? accInf_.SDAI_HASUU1 : HasuuTruncate;
    const Currency amount =
        HasuuSyori(mode, YenToCurrencyEven(static_cast<long double>(cost) / CurrencyScale * work_.HOSYOURITU));
    work_.HOSYOUGAKU = static_cast<double>(amount / CurrencyScale);
}

void TGenkaSyokyakuSisanCalc::CalcKaiteiritu() {
    SelectSeido();
    work_.KAITEIRITU = 0;
    if (work_.SEIDO == 0 || work_.GSHOUHOU != HouhouTeiritu) return;
    const RateTableRow* row = TableRow();
    if (!row) return;
    long double rate = row->rates[RateRevised];
    const int m = Months();
    if (m != 12 && m > 0) rate = ShortYearRate(rate, m);
    work_.KAITEIRITU = static_cast<double>(rate);
}

void TGenkaSyokyakuSisanCalc::CalcJyoutai() {
    const double d2007 = reformDate();
    const Currency c = (accInf_.KISHU < d2007 && (accInf_.KIMATU < d2007 || work_.SYUTODATE < d2007))
                           ? GoPercentValue()
                           : kOneYen;
    const int method = work_.GSHOUHOU;
    work_.JYOUTAI = JyoutaiSinki;
    if (method < HouhouTeigaku || method > HouhouLease) return;
    Currency a = 0;
    if (work_.TOUKISYUTOKU == 1) {
        a = work_.SYUTOKIN;
    } else {
        work_.JYOUTAI = JyoutaiSyokyakuTyuu;
        a = work_.KISYUMISYOUKIN;
        CalcFutuSyoukin();
        if (work_.KAITEI_FLG) work_.JYOUTAI = JyoutaiKaitei;
        if (work_.SAISYOKYAKU_FLG) work_.JYOUTAI = JyoutaiSaiSyokyaku;
    }
    if (work_.JYOBAI == 1) work_.JYOUTAI = JyoutaiJyokyaku;
    if (work_.JYOBAI == 2) work_.JYOUTAI = JyoutaiBaikyaku;
    if (method == HouhouTeigaku || method == HouhouTeiritu) {
        const bool stays = work_.JYOUTAI == JyoutaiSyokyakuTyuu && work_.MATUMISYOUKIN > c;
        if (!stays && a <= c) work_.JYOUTAI = JyoutaiSyokyakuZumi;
    } else {
        const bool stays = work_.JYOUTAI == JyoutaiSyokyakuTyuu && work_.MATUMISYOUKIN >= 0;
        if (a == 0 && !stays) work_.JYOUTAI = JyoutaiSyokyakuZumi;
    }
    if (method == HouhouSyougaku && work_.TOUKISYUTOKU == 0) work_.JYOUTAI = JyoutaiSyokyakuZumi;
}

std::int32_t TGenkaSyokyakuSisanCalc::CalcAsset(std::int32_t REC, TGenkaSyokyakuKeisanRec& result) {
    work_ = TGenkaSyokyakuKeisanRec{};
    current_ = tables_.table200;
    result = work_;

    db::Transaction& tr = *transaction_;
    const bool started = tr.startIfInactive();
    // Read only: what this call started is committed on every path.
    struct CommitStarted {
        db::Transaction& tr;
        bool started;
        ~CommitStarted() {
            if (started && tr.active()) {
                try { tr.commit(); } catch (...) { tr.rollback(); }
            }
        }
    } commitStarted{tr, started};

    query_.param("REC").setInt(REC);
    query_.execute();
    if (!query_.fetch()) return 1;
    auto f = [&](const char* name) { return query_.field(name); };
    auto flag = [&](const char* name) { return f(name).asInt() != 0; };

    // Steps take what the register keeps; an amount entered by hand replaces
    // the computed one.
    const double fyStart = accInf_.KISHU;
    const double fyEnd = accInf_.KIMATU;
    double acquired = f("SYUTODATE").asDate();
    if (acquired > fyEnd) acquired = fyStart;
    work_.SYUTODATE = acquired;
    work_.TOUKISYUTOKU = (acquired >= fyStart && acquired <= fyEnd) ? 1 : 0;
    work_.JYOBAI = f("JYOBAI").asInt();
    if (work_.JYOBAI != 0) {
        double disposed = f("GENSYODATE").asDate();
        if (disposed < fyStart || disposed > fyEnd) disposed = fyEnd;
        work_.GENSYODATE = disposed;
    }
    work_.TEIRITU250 = f("TEIRITU250").asInt();
    work_.TEIRITU200 = f("TEIRITU200").asInt();
    work_.SYUTOKUKAGAKUCHOSEI = f("SYUTOKUKAGAKUCHOSEI").asCurrency();
    work_.TAIYONENSU200 = f("TAIYONENSU200").asInt();
    work_.GSHOUHOU = f("GSHOUHOU").asInt();
    work_.TAIYOUYY = f("TAIYOUYY").asInt();
    work_.SYUTOKIN = f("SYUTOKIN").asCurrency();
    work_.KISYUMISYOUKIN = work_.TOUKISYUTOKU ? work_.SYUTOKIN : f("KISYUMISYOUKIN").asCurrency();
    work_.ZANKAHOSYOUGAKU = f("ZANKAHOSYOUGAKU").asCurrency();
    work_.SYOUKIKANSTR = f("SYOUKIKANSTR").asInt();
    work_.SYOUKIKANEND = f("SYOUKIKANEND").asInt();

    if (flag("ISINPSYOURITU")) {
        SelectSeido();
        work_.SYOURITU = f("SYOURITU").asCurrency();
    } else {
        CalcRate();
    }
    if (flag("ISINPKISOKIN"))
        work_.KISOKIN = f("KISOKIN").asCurrency();
    else
        CalcBase();
    const bool handAmount = flag("ISINPFUTUSYOUKIN");
    if (handAmount)
        work_.FUTUSYOUKIN = f("FUTUSYOUKIN").asCurrency();
    else
        CalcFutuSyoukin();
    CalcHosyougaku();
    work_.KAITEISYUTOKUKAGAKU = flag("ISINPKAITEISYUTOKUKAGAKU")
                                    ? f("KAITEISYUTOKUKAGAKU_INPUT").asCurrency()
                                    : f("KAITEISYUTOKUKAGAKU").asCurrency();
    work_.WARISYOUKIN = f("WARISYOUKIN").asCurrency();
    work_.SYOUKINKEI = f("SYOUKINKEI").asCurrency();
    work_.MATUMISYOUKIN = f("MATUMISYOUKIN").asCurrency();
    CalcJyoutai();
    CalcKaiteiritu();
    if (handAmount) work_.FUTUSYOUKIN = f("FUTUSYOUKIN").asCurrency();
    work_.JIGYOUWARIAI = f("JIGYOUWARIAI_NEW").asCurrency();
    work_.HITUYOUKEIHI =
        HasuuSyori(AccInf.SDAI_HASUU3, MulDiv(work_.SYOUKINKEI, work_.JIGYOUWARIAI, YenToCurrency(100)));
    query_.close();

    result = work_;
    return 1;
}

} // namespace vq::linkage
