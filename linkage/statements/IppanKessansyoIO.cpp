#include "linkage/statements/IppanKessansyoIO.h"

#include "foundation/accounting/YenRounding.h"
#include "foundation/app/AccInf.h"

namespace vq {

namespace {

// The months of the fiscal year in the 16-period calendar: the quarter-end
// months take their adjustment period with them.
constexpr int kMonthPeriods[12][2] = {{1, 0},  {2, 0},  {3, 4},  {5, 0},  {6, 0},  {7, 8},
                                      {9, 0},  {10, 0}, {11, 12}, {13, 0}, {14, 0}, {15, 16}};

Currency monthMovement(const TBALANCE& row, int month)
{
    Currency sum = 0;
    for (const int period : kMonthPeriods[month - 1])
        if (period > 0)
            sum += row.ZOUGEN[period];
    return sum;
}

// The line numbers each breakdown group of the statement has on paper.
bool inGroupRange(const std::string& group, int line)
{
    if (group == "5700")
        return line >= 1 && line <= 14;
    if (group == "6100")
        return line >= 1 && line <= 24;
    if (group == "7100")
        return line >= 1 && line <= 3;
    if (group == "7200")
        return line >= 1 && line <= 4;
    return true;
}

// The reduced-rate sum of journal lines: debit minus credit for the kinds 1
// and 2, credit minus debit for 3 and 4.
Currency reducedRateAmount(std::int32_t side, std::int32_t dac, Currency amount)
{
    const bool debitKind = dac == 1 || dac == 2;
    const bool creditKind = dac == 3 || dac == 4;
    if (side == 1)
        return debitKind ? amount : creditKind ? -amount : 0;
    if (side == 2)
        return debitKind ? -amount : creditKind ? amount : 0;
    return 0;
}

} // namespace

TIppanKessansyoIO::TIppanKessansyoIO()
{
    InitRec();
}

bool TIppanKessansyoIO::Load(std::int32_t ignoreHandEntered)
{
    OutsideForm.clear();
    InitRec();
    if (!LoadBalances())
        return false;
    return SelectIppan(ignoreHandEntered);
}

void TIppanKessansyoIO::InitRec()
{
    Rec = {};
    InitHeader(Rec);
}

bool TIppanKessansyoIO::SelectIppan(std::int32_t ignoreHandEntered)
{
    TKojinKessansyoRec& r = Rec;
    const bool read = ReadFrame("TKojinKessansyoIO.SelectIppan", [&] {
        ForEachRow({"SELECT REC,TEGAKI,ZEIRISI_ADD1,ZEIRISI_ADD2,ZEIRISI_SIMEI1,ZEIRISI_SIMEI2,ZEIRISI_TEL,",
                    "GYOUSHUKUBUN,KURIIRE1,KURIIRE2,KURIIRE3,KURIIRE4,KURIIRE5,HASUU,",
                    "KOUJOKUBUN,KOUJO6,KOUJO7,KOUJO8,KOUJO9,FUSAIRISI,", "HIZUKE,KISHU,KIMATU,YOUSI,COLOR,WAKU",
                    ",K8_KISAI", "FROM AO_SINKOKU", "ORDER BY REC"},
                   [&](db::Statement& q) {
                       ReadHeaderRow(q, r);
                       r.KURIIRE1 = q.field("KURIIRE1").asCurrency();
                       r.KURIIRE2 = q.field("KURIIRE2").asCurrency();
                       r.KURIIRE3 = q.field("KURIIRE3").asCurrency();
                       r.KURIIRE4 = q.field("KURIIRE4").asCurrency();
                       r.KURIIRE5 = q.field("KURIIRE5").asCurrency();
                       r.GYOUSHUKUBUN = q.field("GYOUSHUKUBUN").asInt();
                       r.HASUU = q.field("HASUU").asInt();
                       r.KOUJOKUBUN = q.field("KOUJOKUBUN").asInt();
                       r.KOUJO6 = q.field("KOUJO6").asCurrency();
                       r.K8_KISAI = q.field("K8_KISAI").asInt();
                   });
        SetStatementPeriod(r, 0);

        ReadEmployees(r.KYUYO);
        ReadFamilyEmployees(r.SENJYU);

        SelectGenkaSyokyaku();
        ReadInterest(r.RISI);
        ReadRents(r.TIDAI);
        ReadFees(r.HOUSHU);
        ReadNotes(r.NOTE);

        const bool handEntered = ignoreHandEntered == 0 && r.TEGAKI == 1;
        WalkBalances(r.SISAN, r.FUSAI, handEntered, [&](const std::string& g, int q, const TBALANCE& row) {
            const std::int32_t kind = row.Account.TAISHAKU;
            const auto line = [&](auto& target, int mode) {
                target.KNAME = row.Account.KNAME;
                target.KINGAKU = SignBySide(mode, kind, row.TOUZAN);
                return true;
            };
            const auto addPurchases = [&] {
                for (int m = 1; m <= 12; ++m)
                    r.TUKIBETU[m].SIIRE += SignBySide(0, kind, monthMovement(row, m));
            };
            if (g >= "5510" && g <= "5880" && q >= 1) {
                if (g == "5510" && q == 1)
                    return line(r.SEIZO[1], 0);
                if (g == "5520" && q == 1) {
                    addPurchases();
                    return line(r.SEIZO[2], 0);
                }
                if (g == "5530" && q == 1)
                    return line(r.SEIZO[4], 1);
                if (g == "5600" && q == 1)
                    return line(r.SEIZO[6], 0);
                if (g == "5700" && inGroupRange(g, q))
                    return line(r.SEIZO[q + 6], 0);
                if (g == "5810" && q == 1)
                    return line(r.SEIZO[23], 0);
                if (g == "5820" && q == 1)
                    return line(r.SEIZO[25], 1);
                return false;
            }
            if (g == "4100" && q == 1) {
                for (int m = 1; m <= 12; ++m)
                    r.TUKIBETU[m].URIAGE = SignBySide(0, kind, monthMovement(row, m));
                return true;
            }
            if (g == "4100" && q == 2) {
                r.TUKIBETU[13].URIAGE = SignBySide(0, kind, row.TOUZAN);
                return true;
            }
            if (g == "4100" && q == 3) {
                r.TUKIBETU[14].URIAGE = SignBySide(0, kind, row.TOUZAN);
                return true;
            }
            if (g == "5200" && q == 1) {
                addPurchases();
                return true;
            }
            if (g == "5100")
                return line(r.SONEKI[2], 0);
            if (g == "5210")
                return line(r.SONEKI[3], 0);
            if (g == "5300")
                return line(r.SONEKI[5], 1);
            if (g == "6100" && inGroupRange(g, q))
                return line(r.SONEKI[q + 7], 0);
            if (g == "7100" && inGroupRange(g, q))
                return line(r.SONEKI[q + 33], 0);
            if (g == "7200" && inGroupRange(g, q))
                return line(r.SONEKI[q + 37], 0);
            if (g == "8400")
                return line(r.SONEKI[44], 0);
            return false;
        });

        ReadReducedRate();

        if (handEntered)
            ForEachRow({"SELECT REC,URIAGE,SIIRE FROM AO_URIAGE", "ORDER BY REC"}, [&](db::Statement& q) {
                const int rec = q.field("REC").asInt();
                if (!((rec >= 1 && rec <= 14) || rec == 16))
                    return;
                r.TUKIBETU[rec].URIAGE = q.field("URIAGE").asCurrency();
                r.TUKIBETU[rec].SIIRE = q.field("SIIRE").asCurrency();
            });
        ReadStatementLines(r.SISAN, r.FUSAI, handEntered, [&](const StatementLine& l) {
            const std::string& g = l.KGROUP;
            const int q = l.SUBREC;
            const auto set = [&](auto& target) {
                target.REC = l.REC;
                if (handEntered)
                    target.KINGAKU = l.AO_KIMATUZAN;
                return true;
            };
            if (g == "5100")
                return set(r.SONEKI[2]);
            if (g == "5200")
                return set(r.SONEKI[3]);
            if (g == "5300")
                return set(r.SONEKI[5]);
            if (g == "5510")
                return set(r.SEIZO[1]);
            if (g == "5520")
                return set(r.SEIZO[2]);
            if (g == "5530")
                return set(r.SEIZO[4]);
            if (g == "5600")
                return set(r.SEIZO[6]);
            if (g == "5810")
                return set(r.SEIZO[23]);
            if (g == "5820")
                return set(r.SEIZO[25]);
            const int offset = g == "5700" ? 6 : g == "6100" ? 7 : g == "7100" ? 33 : g == "7200" ? 37 : -1;
            if (offset < 0)
                return true;  // not a line of this reader's groups
            if (!inGroupRange(g, q))
                return false;
            return g == "5700" ? set(r.SEIZO[q + offset]) : set(r.SONEKI[q + offset]);
        });
    });
    if (!read || !OutsideForm.empty())
        return false;
    CalcTotals();
    return true;
}

void TIppanKessansyoIO::ReadReducedRate()
{
    TKojinKessansyoRec& r = Rec;
    r.TUKIBETU[16] = {};
    const std::string_view first = AccInf.TAXDEFUH == 1 ? "SELECT S.TAISHAKU,S.TAXDC,S.NUK AS KINGAKU"
                                                         : "SELECT S.TAISHAKU,S.TAXDC,S.NUK+S.ZEI AS KINGAKU";
    const auto sum = [&](Currency& into) {
        return [&into](db::Statement& q) {
            into += reducedRateAmount(q.field("TAISHAKU").asInt(), q.field("DAC").asInt(),
                                      q.field("KINGAKU").asCurrency());
        };
    };
    ForEachRow({first, ",KM.DAC FROM SIWAKE S", "INNER JOIN KAMOKUMST KM ON (S.KCODE=KM.KCODE)",
                "WHERE S.DELFLG=0 AND S.OLDRATE=:OLDRATE", "AND S.KCODE IN ", "(SELECT KM2.KCODE FROM KAMOKUMST KM2",
                " INNER JOIN EXTERKS KS ON (KM2.EXT1_KS=KS.REC)", " WHERE KS.KGROUP=:KGROUP)"},
               [](db::Statement& q) {
                   q.param("OLDRATE").setInt(4);
                   q.param("KGROUP").setString("4100");
               },
               sum(r.TUKIBETU[16].URIAGE));
    ForEachRow({first, ",KM.DAC FROM SIWAKE S", "INNER JOIN KAMOKUMST KM ON (S.KCODE=KM.KCODE)",
                "WHERE S.DELFLG=0 AND S.OLDRATE=:OLDRATE", "AND S.KCODE IN ", "(SELECT KM2.KCODE FROM KAMOKUMST KM2",
                " INNER JOIN EXTERKS KS ON (KM2.EXT1_KS=KS.REC)",
                " WHERE (KS.KGROUP=:KGROUP1 AND KS.SUBREC=:SUBREC1) OR (KS.KGROUP=:KGROUP2 AND KS.SUBREC=:SUBREC2))"},
               [](db::Statement& q) {
                   q.param("OLDRATE").setInt(4);
                   q.param("KGROUP1").setString("5200");
                   q.param("SUBREC1").setInt(1);
                   q.param("KGROUP2").setString("5520");
                   q.param("SUBREC2").setInt(1);
               },
               sum(r.TUKIBETU[16].SIIRE));
}

void TIppanKessansyoIO::CalcTotals()
{
    TKojinKessansyoRec& r = Rec;
    auto& total = r.TUKIBETU[15];
    total = {};
    for (int m = 1; m <= 14; ++m) {
        total.URIAGE += r.TUKIBETU[m].URIAGE;
        total.SIIRE += r.TUKIBETU[m].SIIRE;
    }
    SumSalaries(r.KYUYO);
    SumSalaries(r.SENJYU);

    r.KURIIRE3 = BulkAllowanceLimit(r.GYOUSHUKUBUN, r.HASUU, r.KURIIRE2, r.KURIIRE3);
    r.KURIIRE5 = r.KURIIRE1 + r.KURIIRE4;

    SumGenkaTotal(r.GENKA[12]);

    auto& s = r.SEIZO;
    s[3].KINGAKU = s[1].KINGAKU + s[2].KINGAKU;
    s[5].KINGAKU = s[3].KINGAKU - s[4].KINGAKU;
    s[21].KINGAKU = 0;
    for (int i = 7; i <= 20; ++i)
        s[21].KINGAKU += s[i].KINGAKU;
    s[22].KINGAKU = s[5].KINGAKU + s[6].KINGAKU + s[21].KINGAKU;
    s[24].KINGAKU = s[22].KINGAKU + s[23].KINGAKU;
    s[26].KINGAKU = s[24].KINGAKU - s[25].KINGAKU;

    auto& p = r.SONEKI;
    p[1].KINGAKU = total.URIAGE;
    // The purchases total already holds the raw-material purchases.
    p[3].KINGAKU = total.SIIRE + s[26].KINGAKU - s[2].KINGAKU;
    p[4].KINGAKU = p[2].KINGAKU + p[3].KINGAKU;
    p[6].KINGAKU = p[4].KINGAKU - p[5].KINGAKU;
    p[7].KINGAKU = p[1].KINGAKU - p[6].KINGAKU;
    p[32].KINGAKU = SumLines(p, 8, 31);
    p[33].KINGAKU = p[7].KINGAKU - p[32].KINGAKU;
    p[37].KINGAKU = SumLines(p, 34, 36);
    p[42].KINGAKU = SumLines(p, 38, 41);
    p[43].KINGAKU = p[33].KINGAKU + p[37].KINGAKU - p[42].KINGAKU;

    DeductionBlock block{r.KOUJOKUBUN, r.KOUJO6};
    ApplyDeduction(block, p[43].KINGAKU, p[44].KINGAKU, p[45].KINGAKU);
    r.KOUJO7 = block.KOUJO7;
    r.KOUJO8 = block.KOUJO8;
    r.KOUJO9 = block.KOUJO9;
    r.KOUJO10 = block.KOUJO10;
    r.KOUJO11 = block.KOUJO11;

    SumBalanceSheet(r.SISAN, r.FUSAI, p[43].KINGAKU);

    if (AccInf.GENKA_USE == 0)
        for (auto& line : s)
            line.KINGAKU = 0;
}

} // namespace vq
