// The group of agriculture income ("NOUGYOUSYOTOKU"), made from the
// agriculture settlement statement. Areas and quantities of its breakdowns
// are written as amounts, rounded to whole numbers.
#include "linkage/datamake/SectionWriter.h"
#include "linkage/datamake/SyotokuZeiDataMake.h"

namespace vq::linkage {

namespace {

using datamake::SectionWriter;
using Node = TXmlSaveDoc::Node;

// Width in CP932 bytes of a note of special circumstances on this statement.
constexpr int NoteWidth = 56;

void writeCrop(const SectionWriter& w, Node row, const TSyunyuKingakuRec& r)
{
    w.Text(row, "KUBUN_JOUDAN", r.KUBUN1);
    w.Text(row, "KUBUN_GEDAN", r.KUBUN2);
    w.Amount(row, "SAKUDUKEMENSEKI", r.MENSEKI);
    w.Amount(row, "SYUUKAKURYOU", r.SYUUKAKURYO);
    w.Amount(row, "KISYU_SUURYOU", r.KISHU_SURYO);
    w.Amount(row, "KISYU_KINGAKU", r.KISHU_KINGAKU);
    w.Amount(row, "HANBAIKINGAKU", r.HANBAIGAKU);
    w.Amount(row, "KAJISYOUHI", r.KAJISYOHIGAKU);
    w.Amount(row, "KIMATU_SUURYOU", r.KIMATU_SURYO);
    w.Amount(row, "KIMATU_KINGAKU", r.KIMATU_KINGAKU);
}

// Livestock products carry no stock on the form.
void writeLivestock(const SectionWriter& w, Node row, const TSyunyuKingakuRec& r)
{
    w.Text(row, "KUBUN_JOUDAN", r.KUBUN1);
    w.Text(row, "KUBUN_GEDAN", r.KUBUN2);
    w.Amount(row, "SAKUDUKEMENSEKI", r.MENSEKI);
    w.Amount(row, "SYUUKAKURYOU", r.SYUUKAKURYO);
    w.Amount(row, "HANBAIKINGAKU", r.HANBAIGAKU);
    w.Amount(row, "KAJISYOUHI", r.KAJISYOHIGAKU);
}

void writeStock(const SectionWriter& w, Node row, const TNousanIgaiTanaorosiRec& r)
{
    w.Text(row, "KUBUN", r.KUBUN);
    w.Amount(row, "KISYU_SUURYOU", r.KISHU_SURYO);
    w.Text(row, "KISYU_TANNI", r.KISHU_TANI);
    w.Amount(row, "KISYU_KINGAKU", r.KISHU_KINGAKU);
    w.Amount(row, "KIMATU_SUURYOU", r.KIMATU_SURYO);
    w.Text(row, "KIMATU_TANNI", r.KIMATU_TANI);
    w.Amount(row, "KIMATU_KINGAKU", r.KIMATU_KINGAKU);
}

void writeBreakdowns(const SectionWriter& w, Node group, const TNougyouKessansyoRec& rec)
{
    Node income = w.Group(group, "SYUUNYUUKINGAKU");
    auto crop = [&](Node row, const TSyunyuKingakuRec& r) { writeCrop(w, row, r); };
    w.RowList(income, "TAHATA_UTIWAKE", rec.TAHATA, 1, 6, crop);
    w.RowList(income, "KAJU_UTIWAKE", rec.KAJU, 1, 3, crop);
    w.RowList(income, "TOKUSYUSISETU_UTIWAKE", rec.TOKUSYU, 1, 3, crop);
    w.RowList(income, "TIKUSANBUTU_UTIWAKE", rec.TIKUSAN, 1, 3,
              [&](Node row, const TSyunyuKingakuRec& r) { writeLivestock(w, row, r); });
    w.RowList(income, "ZATU_UTIWAKE", rec.ZATU, 1, 3, [&](Node row, const TSyunyuKingakuZassyuRec& r) {
        w.Text(row, "KUBUN", r.KUBUN);
        w.Amount(row, "KINGAKU", r.KINGAKU);
    });

    Node stock = w.Group(group, "NOUSANBUTUIGAITANAOROSI");
    auto stockRow = [&](Node row, const TNousanIgaiTanaorosiRec& r) { writeStock(w, row, r); };
    w.RowList(stock, "MISYUUKAKU_UTIWAKE", rec.MISYUKAKU, 1, 5, stockRow);
    w.RowList(stock, "HANBAIDOUBUTU_UTIWAKE", rec.HANBAI, 1, 5, stockRow);
    w.RowList(stock, "SYUBYOU_UTIWAKE", rec.SYUBYOU, 1, 8, stockRow);
    w.RowList(stock, "SONOTA_UTIWAKE", rec.SONOTA, 1, 3, stockRow);

    Node labour = w.Group(group, "YATOININHI");
    w.RowList(labour, "YATOININHI_UTIWAKE", rec.YATOININ, 1, 3, [&](Node row, const TYatoininhiRec& r) {
        w.Text(row, "SIMEI_JUUSYO_JOUDAN", r.SIMEI);
        w.Text(row, "SIMEI_JUUSYO_GEDAN", "");
        w.Count(row, "NISSUU", r.NISUU);
        w.Amount(row, "GENKIN", r.SIKYU_GENKIN);
        w.Amount(row, "GENBUTU", r.SIKYU_GENBUTU);
        w.Amount(row, "GENSENZEIGAKU", r.GENSENZEIGAKU);
    });
    // Slot 4 holds the other workers together; slot 5 is the total.
    const TYatoininhiRec& others = rec.YATOININ[4];
    w.Text(labour, "SONOTA_NINBUN", others.SIMEI);
    w.Count(labour, "SONOTA_NISSUU", others.NISUU);
    w.Amount(labour, "SONOTA_GENKIN", others.SIKYU_GENKIN);
    w.Amount(labour, "SONOTA_GENBUTU", others.SIKYU_GENBUTU);
    w.Amount(labour, "SONOTA_GENSENZEIGAKU", others.GENSENZEIGAKU);

    w.RowList(w.Group(group, "SENJUUSYA"), "SENJUUSYA_UTIWAKE", rec.SENJYU, 1, 4,
              [&](Node row, const TSenjyusyaKyuyoRec& r) { w.FamilySalary(row, r); });

    Node growing = w.Group(group, "KAJUGYUUBAHIYOU");
    w.RowList(growing, "KAJUGYUUBA_UTIWAKE", rec.KAJYU, 1, 2, [&](Node row, const TKajyuGyubaIkuseiRec& r) {
        w.Text(row, "MEISYOU_JOUDAN", r.MEISHOU1);
        w.Text(row, "MEISYOU_GEDAN", r.MEISHOU2);
        w.Text(row, "SYUTOKU_NENGAPPI",
               WarekiTextToYyyymmdd(r.SYUTOKUHIZUKE_YY, r.SYUTOKUHIZUKE_MM, r.SYUTOKUHIZUKE_DD));
        w.Amount(row, "KURIKOSIGAKU", r.ZENNENKURIKOSIGAKU);
        w.Amount(row, "SYUBYOUHI_TANETUKERYOU", r.IKUSEI_SYUBYOUHI);
        w.Amount(row, "HIRYOU_TOUKAHIYOU", r.IKUSEI_HIRYOUHI);
        w.Amount(row, "SYUUNYUU", r.IKUSEI_SYUNYUGAKU);
        w.Amount(row, "SYUTOKUKAGAKU", r.SYUTOKUGAKU);
    });
    for (int n = 1; n <= 4; ++n)
        w.Text(growing, ("KEISANHOUHOU" + std::to_string(n)).c_str(), rec.KEISANHOUHOU[n]);

    w.RowList(w.Group(group, "TINSYAKURYOU"), "TINSYAKURYOU_UTIWAKE", rec.TIDAI_CHIN, 1, 2,
              [&](Node row, const TJidaiChinsyakuRec& r) {
                  w.Text(row, "JUUSYO_SIMEI_JOUDAN", r.JYUSHO1);
                  w.Text(row, "JUUSYO_SIMEI_GEDAN", r.JYUSHO2);
                  w.Text(row, "KOSAKURYOU_TINKOURYOU", r.KOSAKURYO);
                  w.Amount(row, "MENSEKISUURYOU", r.MENSEKI);
                  w.Amount(row, "SIHARAIGAKU", r.SHIHARAIGAKU);
              });

    w.RowList(w.Group(group, "RISIWARIBIKIRYOU"), "RISI_UTIWAKE", rec.RISI, 1, 2,
              [&](Node row, const TRisiWaribikiRec& r) { w.Interest(row, r, "RISIWARIBIKIRYOU"); });

    w.RowList(w.Group(group, "ZEIRISIHOUSYUU"), "ZEIRISI_UTIWAKE", rec.HOUSHU, 1, 2,
              [&](Node row, const TZeirisiHousyuuRec& r) { w.Fee(row, r); });

    Node badDebt = w.Group(group, "KASIDAOREKURIIRE");
    w.Amount(badDebt, "KOBETU_KURIIREGAKU", rec.KURIIRE1);
    w.Amount(badDebt, "IKKATU_KURIIREGOUKEIGAKU", rec.KURIIRE2);
    w.Amount(badDebt, "IKKATU_KURIIREGAKU", rec.KURIIRE4);

    w.Deduction(group, rec.KOUJO6, rec.KOUJOKUBUN);

    w.Notes(group, rec.NOTE, 10, NoteWidth);
}

} // namespace

void TSyotokuZeiDataMake::WriteNougyouGroup(TXmlSaveDoc& doc, Node group, const TNougyouKessansyoRec& rec) const
{
    const SectionWriter w(doc);

    Node soneki = w.Group(group, SonekiSectionName);
    w.Amounts(soneki, NougyouSonekiNames, Soneki);
    for (const SpareLineName& spare : NougyouSonekiSpareNames)
        w.SpareName(soneki, spare.element, rec.SONEKI[spare.line].KNAME);
    // The beef-cattle exemption is kept in the statement's FUSAIRISI column.
    w.Amount(soneki, "NIKUYOUGYUU_TOKUREI", rec.FUSAIRISI);

    datamake::WriteTaisyakuSection(w, group, NougyouTaisyakuNames, Taisyaku, NougyouTaisyakuSpareNames, rec.SISAN,
                                   rec.FUSAI);

    if (IncludeUtiwake == 1)
        writeBreakdowns(w, group, rec);

    w.Text(w.Group(group, "OTHER"), "NOUENMEI", rec.AO_YAGO);
}

} // namespace vq::linkage
