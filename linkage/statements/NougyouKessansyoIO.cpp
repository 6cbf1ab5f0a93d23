#include "linkage/statements/NougyouKessansyoIO.h"

#include "foundation/accounting/YenRounding.h"

namespace vq {

namespace {

// Where each profit-and-loss group of the balances lands: line q of the
// group goes to line q + offset of the statement, for q in 1..lines; mode is
// the sign rule's.
struct GroupPlace {
    const char* group;
    int offset;
    int lines;
    int mode;
};

constexpr GroupPlace kGroups[] = {
    {"4100", 0, 3, 0},  {"5100", 4, 1, 0},  {"5300", 5, 1, 1},  {"6100", 7, 23, 0}, {"6110", 31, 1, 0},
    {"6120", 32, 1, 1}, {"6130", 33, 1, 1}, {"7100", 36, 3, 0}, {"7200", 40, 4, 0},
};

const GroupPlace* groupOf(const std::string& group)
{
    for (const auto& place : kGroups)
        if (group == place.group)
            return &place;
    return nullptr;
}

const GroupPlace* placeOf(const std::string& group, int line)
{
    const GroupPlace* place = groupOf(group);
    return place && line >= 1 && line <= place->lines ? place : nullptr;
}

template <int N>
void addCrops(const StatementRows<TSyunyuKingakuRec, N>& rows, TSyunyuKingakuRec& total)
{
    for (const auto& e : rows) {
        total.KISHU_KINGAKU += e.KISHU_KINGAKU;
        total.HANBAIGAKU += e.HANBAIGAKU;
        total.KAJISYOHIGAKU += e.KAJISYOHIGAKU;
        total.KIMATU_KINGAKU += e.KIMATU_KINGAKU;
    }
}

template <int N>
void addStock(const StatementRows<TNousanIgaiTanaorosiRec, N>& rows, TNousanIgaiTanaorosiRec& total)
{
    for (const auto& e : rows) {
        total.KISHU_SURYO += e.KISHU_SURYO;
        total.KISHU_KINGAKU += e.KISHU_KINGAKU;
        total.KIMATU_SURYO += e.KIMATU_SURYO;
        total.KIMATU_KINGAKU += e.KIMATU_KINGAKU;
    }
}

} // namespace

void TNougyouKessansyoIO::FillCrop(db::Statement& q, TSyunyuKingakuRec& e)
{
    e.KUBUN1 = q.field("KUBUN1").asString();
    e.KUBUN2 = q.field("KUBUN2").asString();
    e.MENSEKI = q.field("MENSEKI").asCurrency();
    e.SYUUKAKURYO = q.field("SYUUKAKURYO").asCurrency();
    e.KISHU_SURYO = q.field("KISHU_SURYO").asCurrency();
    e.KISHU_KINGAKU = q.field("KISHU_KINGAKU").asCurrency();
    e.HANBAIGAKU = q.field("HANBAIGAKU").asCurrency();
    e.KAJISYOHIGAKU = q.field("KAJISYOHIGAKU").asCurrency();
    e.KIMATU_SURYO = q.field("KIMATU_SURYO").asCurrency();
    e.KIMATU_KINGAKU = q.field("KIMATU_KINGAKU").asCurrency();
}

void TNougyouKessansyoIO::FillStock(db::Statement& q, TNousanIgaiTanaorosiRec& e)
{
    e.KUBUN = q.field("KUBUN").asString();
    e.KISHU_SURYO = q.field("KISHU_SURYO").asCurrency();
    e.KISHU_TANI = q.field("KISHU_TANI").asString();
    e.KISHU_KINGAKU = q.field("KISHU_KINGAKU").asCurrency();
    e.KIMATU_SURYO = q.field("KIMATU_SURYO").asCurrency();
    e.KIMATU_TANI = q.field("KIMATU_TANI").asString();
    e.KIMATU_KINGAKU = q.field("KIMATU_KINGAKU").asCurrency();
}

TNougyouKessansyoIO::TNougyouKessansyoIO()
{
    InitRec();
}

bool TNougyouKessansyoIO::Load(std::int32_t ignoreHandEntered)
{
    OutsideForm.clear();
    InitRec();
    if (!LoadBalances())
        return false;
    return SelectNougyou(ignoreHandEntered);
}

void TNougyouKessansyoIO::InitRec()
{
    Rec = {};
    InitHeader(Rec);
}

bool TNougyouKessansyoIO::SelectNougyou(std::int32_t ignoreHandEntered)
{
    TNougyouKessansyoRec& r = Rec;
    const bool read = ReadFrame("TKojinKessansyoIO.SelectNougyou", [&] {
        ForEachRow({"SELECT REC,TEGAKI,ZEIRISI_ADD1,ZEIRISI_ADD2,ZEIRISI_SIMEI1,ZEIRISI_SIMEI2,ZEIRISI_TEL,",
                    "GYOUSHUKUBUN,KURIIRE1,KURIIRE2,KURIIRE3,KURIIRE4,KURIIRE5,HASUU,", "KOUJOKUBUN,KOUJO6,KOUJO7,KOUJO8,KOUJO9,",
                    "HIZUKE,KISHU,KIMATU,YOUSI,COLOR,WAKU,FUSAIRISI", "FROM AO_SINKOKU", "ORDER BY REC"},
                   [&](db::Statement& q) {
                       ReadHeaderRow(q, r);
                       r.GYOUSHUKUBUN = q.field("GYOUSHUKUBUN").asInt();
                       r.HASUU = q.field("HASUU").asInt();
                       r.KURIIRE1 = q.field("KURIIRE1").asCurrency();
                       r.KURIIRE2 = q.field("KURIIRE2").asCurrency();
                       r.KURIIRE3 = q.field("KURIIRE3").asCurrency();
                       r.KURIIRE4 = q.field("KURIIRE4").asCurrency();
                       r.KURIIRE5 = q.field("KURIIRE5").asCurrency();
                       r.KOUJOKUBUN = q.field("KOUJOKUBUN").asInt();
                       r.KOUJO6 = q.field("KOUJO6").asCurrency();
                       r.FUSAIRISI = q.field("FUSAIRISI").asCurrency();
                   });
        SetStatementPeriod(r, 1);

        ReadCrops("TAHATA", "収入金額の内訳（田畑）", r.TAHATA);
        ReadCrops("KAJYU", "収入金額の内訳（果樹）", r.KAJU);
        ReadCrops("TOKUSYU", "収入金額の内訳（特殊施設）", r.TOKUSYU);
        ReadInOrder({"SELECT REC,ITEM,KUBUN1,KUBUN2,MENSEKI,SYUUKAKURYO,KISHU_SURYO,KISHU_KINGAKU,HANBAIGAKU,KAJISYOHIGAKU,",
                     "KIMATU_SURYO,KIMATU_KINGAKU FROM AO_SYUNYU", "WHERE ITEM=:ITEM", "ORDER BY REC"},
                    "NOUSANKEI", 1, "収入金額の内訳（農産物計）",
                    [&](db::Statement& q, int i) { r.NOUSANKEI[i].MENSEKI = q.field("MENSEKI").asCurrency(); });
        ReadCrops("TIKUSAN", "収入金額の内訳（畜産物）", r.TIKUSAN);
        // The fourth miscellaneous line is the form's total.
        ReadInOrder({"SELECT REC,KUBUN,KINGAKU FROM AO_SYUNYU_ZASHUU", "ORDER BY REC"}, nullptr, 3, "雑収入の内訳",
                    [&](db::Statement& q, int i) {
                        r.ZATU[i].KUBUN = q.field("KUBUN").asString();
                        r.ZATU[i].KINGAKU = HasuuSyori(HasuuHalfUp, q.field("KINGAKU").asCurrency());
                    });
        ReadStock("MISYUKAKU", "農産物以外の棚卸高（未収穫農産物）", r.MISYUKAKU);
        ReadStock("HANBAI", "農産物以外の棚卸高（販売用動物）", r.HANBAI);
        ReadStock("SYUBYOU", "農産物以外の棚卸高（種苗・肥料等）", r.SYUBYOU);
        ReadStock("SONOTA", "農産物以外の棚卸高（その他）", r.SONOTA);

        ReadPositioned({"SELECT REC,SIMEI,NISUU,SIKYU_GENKIN,SIKYU_GENBUTU,SIKYU_GOKEI,GENSENZEIGAKU FROM AO_YATOININHI",
                        "ORDER BY REC"},
                       "REC", decltype(r.YATOININ)::Count, "雇人費の内訳", [&](db::Statement& q, int n) {
                           auto& e = r.YATOININ[n];
                           e.SIMEI = q.field("SIMEI").asString();
                           e.NISUU = q.field("NISUU").asInt();
                           e.SIKYU_GENKIN = q.field("SIKYU_GENKIN").asCurrency();
                           e.SIKYU_GENBUTU = q.field("SIKYU_GENBUTU").asCurrency();
                           e.SIKYU_GOKEI = q.field("SIKYU_GOKEI").asCurrency();
                           e.GENSENZEIGAKU = q.field("GENSENZEIGAKU").asCurrency();
                       });
        ReadFamilyEmployees(r.SENJYU);
        SelectGenkaSyokyaku();

        ReadPositioned({"SELECT REC,MEISHOU1,MEISHOU2,SYUTOKUHIZUKE_YY,SYUTOKUHIZUKE_MM,SYUTOKUHIZUKE_DD,ZENNENKURIKOSIGAKU,IKUSEI_SYUBYOUHI,",
                        "IKUSEI_HIRYOUHI,IKUSEI_SYOKEI,IKUSEI_SYUNYUGAKU,IKUSEI_KASANGAKU,SYUTOKUGAKU,YOKUNENKURIKOSIGAKU FROM AO_KAJYU",
                        "ORDER BY REC"},
                       "REC", decltype(r.KAJYU)::Count, "果樹・牛馬等の育成費用の計算", [&](db::Statement& q, int n) {
                           auto& e = r.KAJYU[n];
                           e.MEISHOU1 = q.field("MEISHOU1").asString();
                           e.MEISHOU2 = q.field("MEISHOU2").asString();
                           e.SYUTOKUHIZUKE_YY = q.field("SYUTOKUHIZUKE_YY").asString();
                           e.SYUTOKUHIZUKE_MM = q.field("SYUTOKUHIZUKE_MM").asString();
                           e.SYUTOKUHIZUKE_DD = q.field("SYUTOKUHIZUKE_DD").asString();
                           e.ZENNENKURIKOSIGAKU = q.field("ZENNENKURIKOSIGAKU").asCurrency();
                           e.IKUSEI_SYUBYOUHI = q.field("IKUSEI_SYUBYOUHI").asCurrency();
                           e.IKUSEI_HIRYOUHI = q.field("IKUSEI_HIRYOUHI").asCurrency();
                           e.IKUSEI_SYOKEI = q.field("IKUSEI_SYOKEI").asCurrency();
                           e.IKUSEI_SYUNYUGAKU = q.field("IKUSEI_SYUNYUGAKU").asCurrency();
                           e.IKUSEI_KASANGAKU = q.field("IKUSEI_KASANGAKU").asCurrency();
                           e.SYUTOKUGAKU = q.field("SYUTOKUGAKU").asCurrency();
                           e.YOKUNENKURIKOSIGAKU = q.field("YOKUNENKURIKOSIGAKU").asCurrency();
                       });
        ReadPositioned({"SELECT REC,KEISANHOUHOU FROM AO_KAJYU_KEISAN", "ORDER BY REC"}, "REC",
                       decltype(r.KEISANHOUHOU)::Count, "育成費用の計算方法",
                       [&](db::Statement& q, int n) { r.KEISANHOUHOU[n] = q.field("KEISANHOUHOU").asString(); });
        ReadPositioned({"SELECT REC,JYUSHO1,JYUSHO2,KOSAKURYO,MENSEKI,SHIHARAIGAKU FROM AO_TIDAI_CHINSHAKU", "ORDER BY REC"},
                       "REC", decltype(r.TIDAI_CHIN)::Count, "地代・賃借料の内訳", [&](db::Statement& q, int n) {
                           auto& e = r.TIDAI_CHIN[n];
                           e.JYUSHO1 = q.field("JYUSHO1").asString();
                           e.JYUSHO2 = q.field("JYUSHO2").asString();
                           e.KOSAKURYO = q.field("KOSAKURYO").asString();
                           e.MENSEKI = q.field("MENSEKI").asCurrency();
                           e.SHIHARAIGAKU = q.field("SHIHARAIGAKU").asCurrency();
                       });
        ReadInterest(r.RISI);
        ReadFees(r.HOUSHU);
        ReadNotes(r.NOTE);

        const bool handEntered = ignoreHandEntered == 0 && r.TEGAKI == 1;
        WalkBalances(r.SISAN, r.FUSAI, handEntered, [&](const std::string& g, int q, const TBALANCE& row) {
            const GroupPlace* place = placeOf(g, q);
            if (!place)
                return false;
            auto& line = r.SONEKI[q + place->offset];
            line.KNAME = row.Account.KNAME;
            line.KINGAKU = SignBySide(place->mode, row.Account.TAISHAKU, row.TOUZAN);
            return true;
        });

        ReadStatementLines(r.SISAN, r.FUSAI, handEntered, [&](const StatementLine& l) {
            if (!groupOf(l.KGROUP))
                return true;
            const GroupPlace* place = placeOf(l.KGROUP, l.SUBREC);
            if (!place)
                return false;
            auto& line = r.SONEKI[l.SUBREC + place->offset];
            line.REC = l.REC;
            if (handEntered)
                line.KINGAKU = l.AO_KIMATUZAN;
            return true;
        });
    });
    if (!read || !OutsideForm.empty())
        return false;
    CalcTotals();
    return true;
}

void TNougyouKessansyoIO::ReadInOrder(std::initializer_list<std::string_view> lines, const char* item, int count,
                                      const char* breakdown,
                                      const std::function<void(db::Statement&, int)>& fill)
{
    int row = 0;
    ForEachRow(
        lines,
        [item](db::Statement& q) {
            if (item)
                q.param("ITEM").setString(item);
        },
        [&](db::Statement& q) {
            ++row;
            if (row <= count)
                fill(q, row);
            else
                NoteRowOutsideForm(q, breakdown, row);
        });
}

void TNougyouKessansyoIO::CalcTotals()
{
    TNougyouKessansyoRec& r = Rec;
    auto& crops = r.NOUSANKEI[1];
    crops.KISHU_KINGAKU = crops.HANBAIGAKU = crops.KAJISYOHIGAKU = crops.KIMATU_KINGAKU = 0;
    addCrops(r.TAHATA, crops);
    addCrops(r.KAJU, crops);
    addCrops(r.TOKUSYU, crops);
    TSyunyuKingakuRec livestock;
    addCrops(r.TIKUSAN, livestock);
    r.SYUNYUKEI[1].HANBAIGAKU = crops.HANBAIGAKU + livestock.HANBAIGAKU;
    r.SYUNYUKEI[1].KAJISYOHIGAKU = crops.KAJISYOHIGAKU + livestock.KAJISYOHIGAKU;

    r.ZATU[4].KINGAKU = r.ZATU[1].KINGAKU + r.ZATU[2].KINGAKU + r.ZATU[3].KINGAKU;

    auto& stock = r.IGAIKEI[1];
    stock.KISHU_SURYO = stock.KISHU_KINGAKU = stock.KIMATU_SURYO = stock.KIMATU_KINGAKU = 0;
    addStock(r.MISYUKAKU, stock);
    addStock(r.HANBAI, stock);
    addStock(r.SYUBYOU, stock);
    addStock(r.SONOTA, stock);

    TYatoininhiRec hired;
    for (int i = 1; i <= 4; ++i) {
        auto& e = r.YATOININ[i];
        e.SIKYU_GOKEI = e.SIKYU_GENKIN + e.SIKYU_GENBUTU;
        hired.NISUU += e.NISUU;
        hired.SIKYU_GENKIN += e.SIKYU_GENKIN;
        hired.SIKYU_GENBUTU += e.SIKYU_GENBUTU;
        hired.SIKYU_GOKEI += e.SIKYU_GOKEI;
        hired.GENSENZEIGAKU += e.GENSENZEIGAKU;
    }
    r.YATOININ[5] = hired;
    SumSalaries(r.SENJYU);
    SumGenkaTotal(r.GENKA[12]);

    TKajyuGyubaIkuseiRec growing;
    for (int i = 1; i <= 2; ++i) {
        auto& e = r.KAJYU[i];
        e.IKUSEI_SYOKEI = e.IKUSEI_SYUBYOUHI + e.IKUSEI_HIRYOUHI;
        e.IKUSEI_KASANGAKU = e.IKUSEI_SYOKEI - e.IKUSEI_SYUNYUGAKU;
        e.YOKUNENKURIKOSIGAKU = e.ZENNENKURIKOSIGAKU + e.IKUSEI_KASANGAKU - e.SYUTOKUGAKU;
        growing.ZENNENKURIKOSIGAKU += e.ZENNENKURIKOSIGAKU;
        growing.IKUSEI_SYUBYOUHI += e.IKUSEI_SYUBYOUHI;
        growing.IKUSEI_HIRYOUHI += e.IKUSEI_HIRYOUHI;
        growing.IKUSEI_SYOKEI += e.IKUSEI_SYOKEI;
        growing.IKUSEI_SYUNYUGAKU += e.IKUSEI_SYUNYUGAKU;
        growing.IKUSEI_KASANGAKU += e.IKUSEI_KASANGAKU;
        growing.SYUTOKUGAKU += e.SYUTOKUGAKU;
        growing.YOKUNENKURIKOSIGAKU += e.YOKUNENKURIKOSIGAKU;
    }
    // The total row keeps no name or date of its own.
    r.KAJYU[3] = growing;

    auto& p = r.SONEKI;
    p[4].KINGAKU = SumLines(p, 1, 3);
    p[7].KINGAKU = p[4].KINGAKU - p[5].KINGAKU + p[6].KINGAKU;
    p[31].KINGAKU = SumLines(p, 8, 30);
    p[35].KINGAKU = p[31].KINGAKU + p[32].KINGAKU - p[33].KINGAKU - p[34].KINGAKU;
    p[36].KINGAKU = p[7].KINGAKU - p[35].KINGAKU;
    p[40].KINGAKU = SumLines(p, 37, 39);
    p[45].KINGAKU = SumLines(p, 41, 44);
    p[46].KINGAKU = p[36].KINGAKU + p[40].KINGAKU - p[45].KINGAKU;

    // This statement's bulk limit is always 5.5 %.
    r.KURIIRE3 = BulkAllowanceLimit(0, r.HASUU, r.KURIIRE2, r.KURIIRE3);
    r.KURIIRE5 = r.KURIIRE1 + r.KURIIRE4;

    DeductionBlock block{r.KOUJOKUBUN, r.KOUJO6};
    ApplyDeduction(block, p[46].KINGAKU, p[47].KINGAKU, p[48].KINGAKU);
    r.KOUJO7 = block.KOUJO7;
    r.KOUJO8 = block.KOUJO8;
    r.KOUJO9 = block.KOUJO9;
    r.KOUJO10 = block.KOUJO10;
    r.KOUJO11 = block.KOUJO11;

    SumBalanceSheet(r.SISAN, r.FUSAI, p[46].KINGAKU);
}

} // namespace vq
