// The group of business income ("EIGYOUSYOTOKU") and of other income
// ("SONOTASYOTOKU"): both are made from the general settlement statement
// with the same content; only the group's name differs.
#include "linkage/datamake/SectionWriter.h"
#include "linkage/datamake/SyotokuZeiDataMake.h"

namespace vq::linkage {

namespace {

using datamake::SectionWriter;
using Node = TXmlSaveDoc::Node;

// Width in CP932 bytes of a note of special circumstances on this statement.
constexpr int NoteWidth = 80;

void writeBreakdowns(const SectionWriter& w, Node group, const TKojinKessansyoRec& rec)
{
    Node salaries = w.Group(group, "KYUURYOUTINGIN");
    w.RowList(salaries, "KYUURYOU_UTIWAKE", rec.KYUYO, 1, 5,
              [&](Node row, const TKyuyoChinginRec& r) { w.Salary(row, r); });
    // Slot 6 holds the other employees together; slot 7 is the total.
    const TKyuyoChinginRec& others = rec.KYUYO[6];
    w.Text(salaries, "SONOTA_NINBUN", others.SIMEI);
    w.Count(salaries, "SONOTA_JUUJITUKISUU", others.TUKISUU);
    w.Amount(salaries, "SONOTA_KYUURYOU", others.KYUUYO);
    w.Amount(salaries, "SONOTA_SYOUYO", others.SHOUYO);
    w.Amount(salaries, "SONOTA_GENSENZEIGAKU", others.GENSEN);

    w.RowList(w.Group(group, "SENJUUSYA"), "SENJUUSYA_UTIWAKE", rec.SENJYU, 1, 5,
              [&](Node row, const TSenjyusyaKyuyoRec& r) { w.FamilySalary(row, r); });

    Node badDebt = w.Group(group, "KASIDAOREKURIIRE");
    w.Amount(badDebt, "KOBETU_KURIIREGAKU", rec.KURIIRE1);
    w.Amount(badDebt, "IKKATU_KURIIREGOUKEIGAKU", rec.KURIIRE2);
    w.Text(badDebt, "IKKATU_KURIIRERITU", KuriireRituText(rec.GYOUSHUKUBUN));
    w.Amount(badDebt, "IKKATU_KURIIREGENDOGAKU", rec.KURIIRE3);
    w.Amount(badDebt, "IKKATU_KURIIREGAKU", rec.KURIIRE4);

    w.Deduction(group, rec.KOUJO6, rec.KOUJOKUBUN);

    w.RowList(w.Group(group, "RISIWARIBIKIRYOU"), "RISI_UTIWAKE", rec.RISI, 1, 2,
              [&](Node row, const TRisiWaribikiRec& r) { w.Interest(row, r, "RISIWARIBIKIRYOU"); });

    w.RowList(w.Group(group, "TIDAIYATIN"), "TIDAI_UTIWAKE", rec.TIDAI, 1, 2, [&](Node row, const TJidaiYachinRec& r) {
        w.Text(row, "JUUSYO_SIMEI_JOUDAN", r.SIHARAISAKI1);
        w.Text(row, "JUUSYO_SIMEI_GEDAN", r.SIHARAISAKI2);
        w.Text(row, "TINSYAKUBUKKEN_JOUDAN", r.BUKKEN1);
        w.Text(row, "TINSYAKUBUKKEN_GEDAN", r.BUKKEN2);
        w.Amount(row, "KENRIKIN", r.KENRI);
        w.Amount(row, "KOUSINRYOU", r.KOUSIN);
        w.Amount(row, "TINSYAKURYOU", r.TINRYOU);
        w.Amount(row, "HITUYOUKEIHIGAKU", r.KEIHI);
    });

    w.RowList(w.Group(group, "ZEIRISIHOUSYUU"), "ZEIRISI_UTIWAKE", rec.HOUSHU, 1, 2,
              [&](Node row, const TZeirisiHousyuuRec& r) { w.Fee(row, r); });

    w.Notes(group, rec.NOTE, 5, NoteWidth);
}

} // namespace

void TSyotokuZeiDataMake::WriteIppanGroup(TXmlSaveDoc& doc, Node group, const TKojinKessansyoRec& rec) const
{
    const SectionWriter w(doc);

    Node soneki = w.Group(group, SonekiSectionName);
    w.Amounts(soneki, IppanSonekiNames, Soneki);
    for (const SpareLineName& spare : IppanSonekiSpareNames)
        w.SpareName(soneki, spare.element, rec.SONEKI[spare.line].KNAME);

    w.Amounts(w.Group(group, TukibetuSectionName), IppanTukibetuNames, Tukibetu);

    datamake::WriteTaisyakuSection(w, group, IppanTaisyakuNames, Taisyaku, IppanTaisyakuSpareNames, rec.SISAN,
                                   rec.FUSAI);

    Node seizou = w.Group(group, SeizouSectionName);
    w.Amounts(seizou, IppanSeizouNames, Seizou);
    for (const SpareLineName& spare : IppanSeizouSpareNames)
        w.SpareName(seizou, spare.element, rec.SEIZO[spare.line].KNAME);

    if (IncludeUtiwake == 1)
        writeBreakdowns(w, group, rec);

    w.Text(w.Group(group, "OTHER"), "KANYUUDANTAIMEI", rec.AO_KANYU);
}

} // namespace vq::linkage
