// The group of real-estate income ("FUDOUSANSYOTOKU"), made from the
// real-estate settlement statement and its whole rental list.
#include "linkage/datamake/SectionWriter.h"
#include "linkage/datamake/SyotokuZeiDataMake.h"

namespace vq::linkage {

namespace {

using datamake::SectionWriter;
using Node = TXmlSaveDoc::Node;

// The importing application takes exactly this many rented properties.
constexpr int RentalRows = 1000;
// Width in CP932 bytes of a note of special circumstances, and how many notes
// the file carries of the statement's 30.
constexpr int NoteWidth = 40;
constexpr int NoteCount = 25;

void writeRental(const SectionWriter& w, Node row, const TFudosanSyotokuRec& r)
{
    w.Text(row, "KASIYA_KASITI", r.KUBUN);
    w.Text(row, "YOUTO", r.YOUTO);
    w.Text(row, "SYOZAITI_JOUDAN", r.SHOZAITI1);
    w.Text(row, "SYOZAITI_GEDAN", r.SHOZAITI2);
    w.Text(row, "JUUSYO_SIMEI_JOUDAN", r.TINSYAKU1);
    w.Text(row, "JUUSYO_SIMEI_GEDAN", r.TINSYAKU2);
    w.Text(row, "KEIYAKUKIKAN_FROM", DateToYyyymm(r.FTINSYAKU_KAISI));
    w.Text(row, "KEIYAKUKIKAN_TO", DateToYyyymm(r.FTINSYAKU_SHUURYOU));
    w.Text(row, "KASITUKEMENSEKI", AreaText(r.MENSEKI));
    w.Amount(row, "TINTAIRYOU_TUKIGAKU", r.GETUGAKU);
    w.Amount(row, "TINTAIRYOU_NENGAKU", r.NENGAKU);
    w.Amount(row, "REIKIN", r.REIKIN);
    w.Amount(row, "KENRIKIN", r.KENRIKIN);
    w.Amount(row, "KOUSINRYOU", r.KOUSINRYOU);
    w.Amount(row, "MEIGISYOKANRYOU_SONOTA", r.MEIGIRYOU);
    w.Amount(row, "HOSYOUKIN_SIKIKIN", r.SIKIKIN);
}

// A row past the end of the list: all its leaves empty, the area too.
void writeEmptyRental(const SectionWriter& w, Node row)
{
    for (const char* name : {"KASIYA_KASITI", "YOUTO", "SYOZAITI_JOUDAN", "SYOZAITI_GEDAN", "JUUSYO_SIMEI_JOUDAN",
                             "JUUSYO_SIMEI_GEDAN", "KEIYAKUKIKAN_FROM", "KEIYAKUKIKAN_TO", "KASITUKEMENSEKI",
                             "TINTAIRYOU_TUKIGAKU", "TINTAIRYOU_NENGAKU", "REIKIN", "KENRIKIN", "KOUSINRYOU",
                             "MEIGISYOKANRYOU_SONOTA", "HOSYOUKIN_SIKIKIN"})
        w.Text(row, name, "");
}

void writeBreakdowns(const SectionWriter& w, Node group, const TFudosanKessansyoRec& rec,
                     const TFudosanSyotokuRecArray& list)
{
    Node rentals = w.Group(group, "FUDOUSANSYUUNYUU");
    for (int n = 1; n <= RentalRows; ++n) {
        Node row = w.Row(rentals, "FUDOUSAN_UTIWAKE", n);
        if (static_cast<std::size_t>(n) <= list.size())
            writeRental(w, row, list[static_cast<std::size_t>(n - 1)]);
        else
            writeEmptyRental(w, row);
    }

    w.RowList(w.Group(group, "KYUURYOUTINGIN"), "KYUURYOU_UTIWAKE", rec.KYUYO, 1, 2,
              [&](Node row, const TKyuyoChinginRec& r) { w.Salary(row, r); });

    w.FamilySalary(w.Group(group, "SENJUUSYA"), rec.SENJYU[1]);

    w.RowList(w.Group(group, "TIDAIYATIN"), "TIDAI_UTIWAKE", rec.TIDAI, 1, 2, [&](Node row, const TJidaiYachinRec& r) {
        w.Text(row, "JUUSYO_SIMEI_1", r.SIHARAISAKI1);
        w.Text(row, "JUUSYO_SIMEI_2", r.SIHARAISAKI2);
        w.Text(row, "JUUSYO_SIMEI_3", "");
        w.Text(row, "JUUSYO_SIMEI_4", "");
        w.Text(row, "TINSYAKUBUKKEN_1", r.BUKKEN1);
        w.Text(row, "TINSYAKUBUKKEN_2", r.BUKKEN2);
        w.Text(row, "TINSYAKUBUKKEN_3", "");
        w.Text(row, "TINSYAKUBUKKEN_4", "");
        w.Amount(row, "KENRIKIN", r.KENRI);
        w.Amount(row, "KOUSINRYOU", r.KOUSIN);
        w.Amount(row, "TINSYAKURYOU", r.TINRYOU);
        w.Amount(row, "HITUYOUKEIHIGAKU", r.KEIHI);
    });

    w.RowList(w.Group(group, "KARIIREKINRISI"), "KARIIRE_UTIWAKE", rec.RISI, 1, 3,
              [&](Node row, const TRisiWaribikiRec& r) { w.Interest(row, r, "KARIIREKINRISI"); });

    w.RowList(w.Group(group, "ZEIRISIHOUSYUU"), "ZEIRISI_UTIWAKE", rec.HOUSHU, 1, 2,
              [&](Node row, const TZeirisiHousyuuRec& r) { w.Fee(row, r); });

    w.Notes(group, rec.NOTE, NoteCount, NoteWidth);
}

} // namespace

void TSyotokuZeiDataMake::WriteFudosanGroup(TXmlSaveDoc& doc, Node group, const TFudosanKessansyoRec& rec,
                                            const TFudosanSyotokuRecArray& list) const
{
    const SectionWriter w(doc);

    Node soneki = w.Group(group, SonekiSectionName);
    w.Amounts(soneki, FudosanSonekiNames, Soneki);
    for (const SpareLineName& spare : FudosanSonekiSpareNames)
        w.SpareName(soneki, spare.element, rec.SONEKI[spare.line].KNAME);
    w.Text(soneki, "AOIROKOUJO_SENTAKU", AoiroSentakuText(rec.KOUJOKUBUN));
    w.Amount(soneki, "FUSAIRISIGAKU", rec.FUSAIRISI);

    datamake::WriteTaisyakuSection(w, group, FudosanTaisyakuNames, Taisyaku, FudosanTaisyakuSpareNames, rec.SISAN,
                                   rec.FUSAI);

    if (IncludeUtiwake == 1)
        writeBreakdowns(w, group, rec, list);
}

} // namespace vq::linkage
