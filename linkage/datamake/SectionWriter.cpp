#include "linkage/datamake/SectionWriter.h"

namespace vq::linkage::datamake {

void SectionWriter::Salary(Node row, const TKyuyoChinginRec& r) const
{
    Text(row, "SIMEI", r.SIMEI);
    Count(row, "NENREI", r.NENREI);
    Count(row, "JUUJITUKISUU", r.TUKISUU);
    Amount(row, "KYUURYOU", r.KYUUYO);
    Amount(row, "SYOUYO", r.SHOUYO);
    Amount(row, "GENSENZEIGAKU", r.GENSEN);
}

void SectionWriter::FamilySalary(Node row, const TSenjyusyaKyuyoRec& r) const
{
    Text(row, "SIMEI", r.SIMEI);
    Text(row, "ZOKUGARA", r.TUZUKIGARA);
    Count(row, "NENREI", r.NENREI);
    Count(row, "JUUJITUKISUU", r.TUKISUU);
    Amount(row, "KYUURYOU", r.KYUUYO);
    Amount(row, "SYOUYO", r.SHOUYO);
    Amount(row, "GENSENZEIGAKU", r.GENSEN);
}

void SectionWriter::Interest(Node row, const TRisiWaribikiRec& r, const char* interestName) const
{
    Text(row, "JUUSYO_SIMEI_JOUDAN", r.SIHARAISAKI1);
    Text(row, "JUUSYO_SIMEI_GEDAN", r.SIHARAISAKI2);
    Amount(row, "KARIIREKIN_KINGAKU", r.KIMATU);
    Amount(row, interestName, r.RISI);
    Amount(row, "HITUYOUKEIHIGAKU", r.KEIHI);
}

void SectionWriter::Fee(Node row, const TZeirisiHousyuuRec& r) const
{
    Text(row, "JUUSYO_SIMEI_JOUDAN", r.SIHARAISAKI1);
    Text(row, "JUUSYO_SIMEI_GEDAN", r.SIHARAISAKI2);
    Amount(row, "HOUSYUU_KINGAKU", r.HOUSHU);
    Amount(row, "HITUYOUKEIHIGAKU", r.KEIHI);
    Amount(row, "GENSENZEIGAKU", r.GENSEN);
}

void SectionWriter::Deduction(Node parent, Currency koujo6, std::int32_t koujoKubun) const
{
    Node section = Group(parent, "AOIROKOUJO");
    Amount(section, "FUDOUSANSYOTOKU", koujo6);
    Text(section, "AOIROKOUJO_SENTAKU", AoiroSentakuText(koujoKubun));
}

void WriteTaisyakuSection(const SectionWriter& w, TXmlSaveDoc::Node group, std::span<const char* const> names,
                          const std::vector<Currency>& amounts, std::span<const TaisyakuSpareName> spares,
                          const StatementRows<TTaisyakuTaisyouhyoRec, 25>& sisan,
                          const StatementRows<TTaisyakuTaisyouhyoRec, 25>& fusai)
{
    TXmlSaveDoc::Node section = w.Group(group, TaisyakuSectionName);
    w.Amounts(section, names, amounts);
    for (const TaisyakuSpareName& spare : spares)
        w.SpareName(section, spare.element, (spare.asset ? sisan : fusai)[spare.line].KNAME);
}

} // namespace vq::linkage::datamake
