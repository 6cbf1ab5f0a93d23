// The depreciation schedules of the three statements: every register row is
// computed by the depreciation calculator; assets of every method but 5 go
// to the reader's depreciation list, small-amount assets (method 5) of the
// year to its small-amount list, and as many lines as the paper form holds
// are copied into the record, the small-amount assets summed into one line
// marked "措法28の2". When the lines do not fit, the first line reads
// "別紙参照" and the summary line goes to the end of the list instead.
//
// The lists grow as the register's rows come, and the two flags follow what
// the lists hold, so an asset the calculator places differently from a
// count of the register (a date after the year's end counts as acquired in
// the year) can never outrun a list nor leave a flag that disagrees with it.
#include <cmath>

#include "foundation/app/AccInf.h"
#include "linkage/depreciation/GenkaSyokyakuSisanCalc.h"
#include "linkage/statements/FudosanKessansyoIO.h"
#include "linkage/statements/IppanKessansyoIO.h"
#include "linkage/statements/NougyouKessansyoIO.h"

namespace vq {

namespace {

using linkage::TGenkaSyokyakuKeisanRec;
using linkage::TGenkaSyokyakuSisanCalc;

constexpr std::int32_t kSyougaku = 5;  // 少額減価償却資産

// The general statement also shows the year's total as the register keeps
// it and the 250 %/200 % elections.
enum class Statement { General, Other };

Currency ToCurrency(double value) { return static_cast<Currency>(std::llround(value * CurrencyScale)); }

TGenkaSyokyakuRec ScheduleLine(const TGenkaSyokyakuKeisanRec& k, db::Statement& row)
{
    TGenkaSyokyakuRec g;
    g.SEIDO = k.SEIDO;
    g.MEISYOU = row.field("MEISYOU").asString();
    g.SURYO = row.field("SURYO").asDouble();
    g.SYUTODATE = k.SYUTODATE;
    g.SYUTOKIN = k.SYUTOKIN;
    g.HOSYOUGAKU = ToCurrency(k.HOSYOUGAKU);
    g.KISOKIN = k.KISOKIN;
    g.GSHOUHOU = k.GSHOUHOU;
    g.TAIYOUYY = k.TAIYOUYY;
    g.SYOURITU = static_cast<double>(k.SYOURITU) / CurrencyScale;
    g.SYOUKIKAN = k.SYOUKIKANEND - k.SYOUKIKANSTR + 1;
    g.FUTUSYOUKIN = k.FUTUSYOUKIN;
    g.WARISYOUKIN = k.WARISYOUKIN;
    g.SYOUKINKEI = k.SYOUKINKEI;
    g.JIGYOUWARIAI = static_cast<double>(k.JIGYOUWARIAI) / CurrencyScale;
    g.HITUYOUKEIHI = k.HITUYOUKEIHI;
    g.MATUMISYOUKIN = k.MATUMISYOUKIN;
    g.TEKIYO = row.field("TEKIYO").asString();
    g.KISYUMISYOUKIN = k.KISYUMISYOUKIN;
    g.KAITEISYUTOKUKAGAKU = k.KAITEISYUTOKUKAGAKU;
    g.KAITEIRITU = ToCurrency(k.KAITEIRITU);
    return g;
}

// The one line that stands for the small-amount assets of the year.
TGenkaSyokyakuRec SyogakuRow(const TGenkaSyokyakuRecArray& small, Currency cost, Currency expense)
{
    TGenkaSyokyakuRec g;
    g.MEISYOU = small.empty() ? std::string() : small.front().MEISYOU;
    g.SYUTODATE = AccInf.KIMATU;
    g.SYUTOKIN = cost;
    g.GSHOUHOU = kSyougaku;
    g.HITUYOUKEIHI = expense;
    g.TEKIYO = "措法28の2";
    g.SYOGAKU_FLG = 1;
    return g;
}

template <class Record>
void SelectSchedule(Statement kind, db::Statement& q, db::Transaction& transaction, TGenkaSyokyakuRecArray& list,
                    TGenkaSyokyakuRecArray& small, Record& r)
{
    constexpr int lines = decltype(r.GENKA)::Count - 1;   // the last row is the total
    list.clear();
    small.clear();
    Currency smallCost = 0, smallExpense = 0;
    {
        TGenkaSyokyakuSisanCalc calculator;
        calculator.SetTransaction(transaction);
        q.setSql(kind == Statement::General
                     ? "SELECT REC,MEISYOU,SURYO,SYOUKINKEI,TEKIYO FROM KS_SISAN\nORDER BY KANRI,REC"
                     : "SELECT REC,MEISYOU,SURYO,TEKIYO FROM KS_SISAN\nORDER BY KANRI,REC");
        q.execute();
        while (q.fetch()) {
            TGenkaSyokyakuKeisanRec k;
            calculator.CalcAsset(q.field("REC").asInt(), k);
            if (k.GSHOUHOU == kSyougaku && k.TOUKISYUTOKU == 0)
                continue;
            TGenkaSyokyakuRec g = ScheduleLine(k, q);
            if (k.GSHOUHOU == kSyougaku) {
                smallCost += g.SYUTOKIN;
                smallExpense += g.HITUYOUKEIHI;
                small.push_back(std::move(g));
                continue;
            }
            if (kind == Statement::General) {
                g.SYOUKINKEI = q.field("SYOUKINKEI").asCurrency();
                g.TEIRITU250 = k.TEIRITU250;
                g.TEIRITU200 = k.TEIRITU200;
                g.SYUTOKUKAGAKUCHOSEI = k.SYUTOKUKAGAKUCHOSEI;
            }
            list.push_back(std::move(g));
        }
        q.close();
    }

    r.GENKA_SYOGAKU = small.empty() ? 0 : 1;
    r.GENKA_BESSI = static_cast<int>(list.size()) + r.GENKA_SYOGAKU > lines ? 1 : 0;
    if (r.GENKA_BESSI) {
        r.GENKA[1].MEISYOU = "別紙参照";
        if (r.GENKA_SYOGAKU)
            list.push_back(SyogakuRow(small, smallCost, smallExpense));
        return;
    }
    int line = 1;
    for (const auto& g : list)
        r.GENKA[line++] = g;
    if (r.GENKA_SYOGAKU)
        r.GENKA[line] = SyogakuRow(small, smallCost, smallExpense);
}

} // namespace

void TIppanKessansyoIO::SelectGenkaSyokyaku()
{
    SelectSchedule(Statement::General, Query(), QueryTransaction(), GenkaList, SyogakuList, Rec);
}

void TFudosanKessansyoIO::SelectGenkaSyokyaku()
{
    SelectSchedule(Statement::Other, Query(), QueryTransaction(), GenkaList, SyogakuList, Rec);
}

void TNougyouKessansyoIO::SelectGenkaSyokyaku()
{
    SelectSchedule(Statement::Other, Query(), QueryTransaction(), GenkaList, SyogakuList, Rec);
}

void TKojinKessansyoIO::SumGenkaTotal(TGenkaSyokyakuRec& total) const
{
    total.FUTUSYOUKIN = total.WARISYOUKIN = total.SYOUKINKEI = total.HITUYOUKEIHI = total.MATUMISYOUKIN = 0;
    for (const auto& line : GenkaList) {
        if (line.GSHOUHOU == kSyougaku)
            continue;
        total.FUTUSYOUKIN += line.FUTUSYOUKIN;
        total.WARISYOUKIN += line.WARISYOUKIN;
        total.SYOUKINKEI += line.SYOUKINKEI;
        total.HITUYOUKEIHI += line.HITUYOUKEIHI;
        total.MATUMISYOUKIN += line.MATUMISYOUKIN;
    }
    for (const auto& line : SyogakuList)
        total.HITUYOUKEIHI += line.HITUYOUKEIHI;
}

} // namespace vq
