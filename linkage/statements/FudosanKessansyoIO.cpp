#include "linkage/statements/FudosanKessansyoIO.h"

#include "foundation/calendar/Gengo.h"
#include "foundation/text/MojiBunkatu.h"
#include "platform/Interaction.h"

namespace vq {

namespace {

// Paper widths of the location and tenant lines, in CP932 bytes.
constexpr int kShozaitiBytes = 22;
constexpr int kTinsyakuBytes = 24;
// Properties the statement itself lists; more go to a separate sheet.
constexpr int kListedProperties = 15;
constexpr const char* kSeparateSheet = "別紙参照";

// The line numbers each group of the statement has on paper.
bool inGroupRange(const std::string& group, int line)
{
    if (group == "4100")
        return line >= 1 && line <= 3;
    if (group == "6100")
        return line >= 1 && line <= 13;
    if (group == "7200")
        return line >= 1 && line <= 3;
    return false;
}

bool isReaderGroup(const std::string& group)
{
    return group == "4100" || group == "6100" || group == "7200";
}

int lineOffset(const std::string& group)
{
    return group == "6100" ? 4 : group == "7200" ? 19 : 0;
}

void splitInTwo(TMojiBunkatu& splitter, const std::string& text, int width, std::string& first, std::string& second)
{
    splitter.SplitByBytes(text, width);
    first = splitter.Get(0);
    second = splitter.Count >= 2 ? splitter.Get(1) : std::string();
}

// A lease month kept only as year in the era and month: the date is taken
// in the era of today, on the 1st; the year and month are then those of the
// date found (a year beyond its era moves into the next one). A month that
// gives no date keeps what was stored.
void leaseDate(std::int32_t& year, std::int32_t& month, double& date)
{
    if (year <= 0 || month <= 0 || date != 0)
        return;
    TWarekiRec w = DateToWareki(platform::interaction().now());
    w.Year = year;
    w.Month = month;
    w.Day = 1;
    date = WarekiToDate(w);
    if (date <= 0) {
        date = 0;
        return;
    }
    const TWarekiRec found = DateToWareki(date);
    year = found.Year;
    month = found.Month;
}

} // namespace

TFudosanKessansyoIO::TFudosanKessansyoIO()
{
    InitRec();
}

bool TFudosanKessansyoIO::Load(std::int32_t ignoreHandEntered)
{
    OutsideForm.clear();
    InitRec();
    if (!LoadBalances())
        return false;
    return SelectFudosan(ignoreHandEntered);
}

void TFudosanKessansyoIO::InitRec()
{
    Rec = {};
    InitHeader(Rec);
}

bool TFudosanKessansyoIO::SelectFudosan(std::int32_t ignoreHandEntered)
{
    TFudosanKessansyoRec& r = Rec;
    const bool read = ReadFrame("TKojinKessansyoIO.SelectFudosan", [&] {
        ForEachRow({"SELECT REC,TEGAKI,ZEIRISI_ADD1,ZEIRISI_ADD2,ZEIRISI_SIMEI1,ZEIRISI_SIMEI2,ZEIRISI_TEL,",
                    "GYOUSHUKUBUN,KURIIRE1,KURIIRE2,KURIIRE3,KURIIRE4,KURIIRE5,HASUU,", "KOUJOKUBUN,KOUJO6,KOUJO7,KOUJO8,KOUJO9,",
                    "HIZUKE,KISHU,KIMATU,YOUSI,COLOR,WAKU,FUSAIRISI", "FROM AO_SINKOKU", "ORDER BY REC"},
                   [&](db::Statement& q) {
                       ReadHeaderRow(q, r);
                       r.KOUJOKUBUN = q.field("KOUJOKUBUN").asInt();
                       r.FUSAIRISI = q.field("FUSAIRISI").asCurrency();
                   });
        SetStatementPeriod(r, 1);

        SelectFudosanList();
        ReadEmployees(r.KYUYO);
        ReadFamilyEmployees(r.SENJYU);
        SelectGenkaSyokyaku();
        ReadInterest(r.RISI);
        ReadRents(r.TIDAI);
        ReadFees(r.HOUSHU);
        ReadNotes(r.NOTE);

        const bool handEntered = ignoreHandEntered == 0 && r.TEGAKI == 1;
        WalkBalances(r.SISAN, r.FUSAI, handEntered, [&](const std::string& g, int q, const TBALANCE& row) {
            if (!inGroupRange(g, q))
                return false;
            auto& line = r.SONEKI[q + lineOffset(g)];
            line.KNAME = row.Account.KNAME;
            line.KINGAKU = SignBySide(0, row.Account.TAISHAKU, row.TOUZAN);
            return true;
        });

        ReadStatementLines(r.SISAN, r.FUSAI, handEntered, [&](const StatementLine& l) {
            if (!isReaderGroup(l.KGROUP))
                return true;
            if (!inGroupRange(l.KGROUP, l.SUBREC))
                return false;
            auto& line = r.SONEKI[l.SUBREC + lineOffset(l.KGROUP)];
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

void TFudosanKessansyoIO::SelectFudosanList()
{
    FudosanList.clear();
    TMojiBunkatu splitter;
    ForEachRow({"SELECT REC,NUMBER,KUBUN,YOUTO,SHOZAITI,TINSYAKU,KAISI_YY,KAISI_MM,SHUURYOU_YY,SHUURYOU_MM,MENSEKI,"
                "GETUGAKU,NENGAKU,REIKIN,KENRIKIN,KOUSINRYOU,MEIGIRYOU,SIKIKIN",
                ",FTINSYAKU_KAISI,FTINSYAKU_SHUURYOU", "FROM AO_FUDOUSAN", "ORDER BY NUMBER"},
               [&](db::Statement& q) {
                   TFudosanSyotokuRec e;
                   e.REC = q.field("REC").asInt();
                   e.NUMBER = q.field("NUMBER").asInt();
                   e.KUBUN = q.field("KUBUN").asString();
                   e.YOUTO = q.field("YOUTO").asString();
                   splitInTwo(splitter, q.field("SHOZAITI").asString(), kShozaitiBytes, e.SHOZAITI1, e.SHOZAITI2);
                   splitInTwo(splitter, q.field("TINSYAKU").asString(), kTinsyakuBytes, e.TINSYAKU1, e.TINSYAKU2);
                   e.KAISI_YY = q.field("KAISI_YY").asInt();
                   e.KAISI_MM = q.field("KAISI_MM").asInt();
                   e.SHUURYOU_YY = q.field("SHUURYOU_YY").asInt();
                   e.SHUURYOU_MM = q.field("SHUURYOU_MM").asInt();
                   e.MENSEKI = q.field("MENSEKI").asCurrency();
                   e.GETUGAKU = q.field("GETUGAKU").asCurrency();
                   e.NENGAKU = q.field("NENGAKU").asCurrency();
                   e.REIKIN = q.field("REIKIN").asCurrency();
                   e.KENRIKIN = q.field("KENRIKIN").asCurrency();
                   e.KOUSINRYOU = q.field("KOUSINRYOU").asCurrency();
                   e.MEIGIRYOU = q.field("MEIGIRYOU").asCurrency();
                   e.SIKIKIN = q.field("SIKIKIN").asCurrency();
                   e.FTINSYAKU_KAISI = q.field("FTINSYAKU_KAISI").asDate();
                   e.FTINSYAKU_SHUURYOU = q.field("FTINSYAKU_SHUURYOU").asDate();
                   leaseDate(e.KAISI_YY, e.KAISI_MM, e.FTINSYAKU_KAISI);
                   leaseDate(e.SHUURYOU_YY, e.SHUURYOU_MM, e.FTINSYAKU_SHUURYOU);
                   FudosanList.push_back(std::move(e));
               });
    Rec.FUDOSAN_BESSI = FudosanList.size() > static_cast<std::size_t>(kListedProperties) ? 1 : 0;
    if (Rec.FUDOSAN_BESSI == 1) {
        Rec.FUDOSAN[1].SHOZAITI1 = kSeparateSheet;
        return;
    }
    for (std::size_t i = 0; i < FudosanList.size(); ++i)
        Rec.FUDOSAN[static_cast<int>(i) + 1] = FudosanList[i];
}

void TFudosanKessansyoIO::CalcTotals()
{
    TFudosanKessansyoRec& r = Rec;
    auto& total = r.FUDOSAN[16];
    total.NENGAKU = total.REIKIN = total.KENRIKIN = total.KOUSINRYOU = total.MEIGIRYOU = total.SIKIKIN = 0;
    for (const auto& e : FudosanList) {
        total.NENGAKU += e.NENGAKU;
        total.REIKIN += e.REIKIN;
        total.KENRIKIN += e.KENRIKIN;
        total.KOUSINRYOU += e.KOUSINRYOU;
        total.MEIGIRYOU += e.MEIGIRYOU;
        total.SIKIKIN += e.SIKIKIN;
    }
    SumSalaries(r.KYUYO);
    SumSalaries(r.SENJYU, false);
    SumGenkaTotal(r.GENKA[13]);

    auto& p = r.SONEKI;
    p[4].KINGAKU = SumLines(p, 1, 3);
    p[18].KINGAKU = SumLines(p, 5, 17);
    p[19].KINGAKU = p[4].KINGAKU - p[18].KINGAKU;
    p[21].KINGAKU = p[19].KINGAKU - p[20].KINGAKU;

    Currency limit = -1;
    switch (r.KOUJOKUBUN) {
    case 0: limit = YenToCurrency(550000); break;
    case 1: limit = YenToCurrency(100000); break;
    case 2: limit = YenToCurrency(650000); break;
    default: break;
    }
    if (limit >= 0)
        p[22].KINGAKU = p[21].KINGAKU >= limit ? limit : p[21].KINGAKU;
    if (p[22].KINGAKU < 0)
        p[22].KINGAKU = 0;
    p[23].KINGAKU = p[21].KINGAKU - p[22].KINGAKU;
    if (p[23].KINGAKU >= 0)
        r.FUSAIRISI = 0;

    SumBalanceSheet(r.SISAN, r.FUSAI, p[21].KINGAKU);
}

} // namespace vq
