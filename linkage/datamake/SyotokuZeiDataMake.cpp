#include "linkage/datamake/SyotokuZeiDataMake.h"

#include <stdexcept>

#include "linkage/datamake/SyotokuZeiTables.h"

namespace vq::linkage {

namespace {

// Copies line l's amount to the position the index table gives for it.
template <std::size_t Lines, class Rows>
void fillByIndex(std::vector<Currency>& amounts, const std::array<int, Lines>& index, const Rows& lines)
{
    for (std::size_t l = 1; l <= Lines; ++l) {
        const int position = index[l - 1];
        if (position != NotCarried)
            amounts[static_cast<std::size_t>(position - 1)] = lines[static_cast<int>(l)].KINGAKU;
    }
}

void fillTaisyaku(std::vector<Currency>& amounts, const StatementRows<TTaisyakuTaisyouhyoRec, 25>& sisan,
                  const StatementRows<TTaisyakuTaisyouhyoRec, 25>& fusai)
{
    auto side = [&](const std::array<TaisyakuLineIndex, TaisyakuLines>& index,
                    const StatementRows<TTaisyakuTaisyouhyoRec, 25>& lines) {
        for (int l = 1; l <= TaisyakuLines; ++l) {
            const TaisyakuLineIndex& at = index[static_cast<std::size_t>(l - 1)];
            if (at.kishu != NotCarried)
                amounts[static_cast<std::size_t>(at.kishu - 1)] = lines[l].KISHUZAN;
            amounts[static_cast<std::size_t>(at.kimatu - 1)] = lines[l].KIMATUZAN;
        }
    };
    side(TaisyakuSisanIndex, sisan);
    side(TaisyakuFusaiIndex, fusai);
}

void resize(std::vector<Currency>& amounts, std::size_t size)
{
    amounts.assign(size, 0);
}

} // namespace

TSyotokuZeiDataMake::TSyotokuZeiDataMake()
{
    IncludeUtiwake = 0;
}

std::int32_t TSyotokuZeiDataMake::MakeData(TXmlSaveDoc& doc, std::int32_t incomeKind, std::int32_t taxMode)
{
    TSyotokuZeiStatements statements;
    if (IppanIO)
        statements.Ippan = &IppanIO->Rec;
    if (FudosanIO) {
        statements.Fudosan = &FudosanIO->Rec;
        statements.FudosanList = &FudosanIO->FudosanList;
    }
    if (NougyouIO)
        statements.Nougyou = &NougyouIO->Rec;
    return MakeData(doc, incomeKind, taxMode, statements);
}

std::int32_t TSyotokuZeiDataMake::MakeData(TXmlSaveDoc& doc, std::int32_t incomeKind, std::int32_t taxMode,
                                           const TSyotokuZeiStatements& statements)
{
    ResultCode = ResultNoIncomeKind;
    IncomeKind = incomeKind;
    TaxMode = taxMode;
    const bool general = incomeKind == 1 || incomeKind == 2;
    if ((general && !statements.Ippan) || (incomeKind == 3 && (!statements.Fudosan || !statements.FudosanList)) ||
        (incomeKind == 4 && !statements.Nougyou))
        throw std::logic_error("income kind " + std::to_string(incomeKind) + " without its statement");

    if (general) {
        resize(Soneki, IppanSonekiNames.size());
        resize(Tukibetu, IppanTukibetuNames.size());
        resize(Taisyaku, TaisyakuPositions);
        resize(Seizou, IppanSeizouNames.size());
        SetIppanSoneki(*statements.Ippan);
        SetIppanTukibetu(*statements.Ippan);
        SetIppanTaisyaku(*statements.Ippan);
        SetIppanSeizou(*statements.Ippan);
        ResultCode = ResultDone;
    } else if (incomeKind == 3) {
        resize(Soneki, FudosanSonekiNames.size());
        resize(Taisyaku, TaisyakuPositions);
        SetFudosanSoneki(*statements.Fudosan);
        SetFudosanTaisyaku(*statements.Fudosan);
        ResultCode = ResultDone;
    } else if (incomeKind == 4) {
        resize(Soneki, NougyouSonekiNames.size());
        resize(Taisyaku, TaisyakuPositions);
        SetNougyouSoneki(*statements.Nougyou);
        SetNougyouTaisyaku(*statements.Nougyou);
        ResultCode = ResultDone;
    }

    const TXmlSaveDoc::Node data = doc.AddNode({}, "DATA");
    if (incomeKind >= 1 && incomeKind <= 4) {
        const TXmlSaveDoc::Node group = doc.AddNode(data, SyotokuKindNames[static_cast<std::size_t>(incomeKind)]);
        if (general)
            WriteIppanGroup(doc, group, *statements.Ippan);
        else if (incomeKind == 3)
            WriteFudosanGroup(doc, group, *statements.Fudosan, *statements.FudosanList);
        else
            WriteNougyouGroup(doc, group, *statements.Nougyou);
    }
    return ResultCode;
}

void TSyotokuZeiDataMake::SetIppanSoneki(const TKojinKessansyoRec& rec)
{
    fillByIndex(Soneki, IppanSonekiIndex, rec.SONEKI);
}

void TSyotokuZeiDataMake::SetIppanTukibetu(const TKojinKessansyoRec& rec)
{
    for (int m = 1; m <= 14; ++m)
        Tukibetu[static_cast<std::size_t>(m - 1)] = rec.TUKIBETU[m].URIAGE;
    for (int m = 1; m <= 12; ++m)
        Tukibetu[static_cast<std::size_t>(m + 14)] = rec.TUKIBETU[m].SIIRE;
    // The part at the reduced tax rate is reported only when the statement
    // says so; the reader fills row 16 in any case.
    Tukibetu[14] = 0;
    Tukibetu[27] = 0;
    if (rec.K8_KISAI == 1) {
        Tukibetu[14] = rec.TUKIBETU[16].URIAGE;
        Tukibetu[27] = rec.TUKIBETU[16].SIIRE;
    }
}

void TSyotokuZeiDataMake::SetIppanTaisyaku(const TKojinKessansyoRec& rec)
{
    fillTaisyaku(Taisyaku, rec.SISAN, rec.FUSAI);
}

void TSyotokuZeiDataMake::SetIppanSeizou(const TKojinKessansyoRec& rec)
{
    fillByIndex(Seizou, IppanSeizouIndex, rec.SEIZO);
}

void TSyotokuZeiDataMake::SetFudosanSoneki(const TFudosanKessansyoRec& rec)
{
    fillByIndex(Soneki, FudosanSonekiIndex, rec.SONEKI);
}

void TSyotokuZeiDataMake::SetFudosanTaisyaku(const TFudosanKessansyoRec& rec)
{
    fillTaisyaku(Taisyaku, rec.SISAN, rec.FUSAI);
}

void TSyotokuZeiDataMake::SetNougyouSoneki(const TNougyouKessansyoRec& rec)
{
    fillByIndex(Soneki, NougyouSonekiIndex, rec.SONEKI);
}

void TSyotokuZeiDataMake::SetNougyouTaisyaku(const TNougyouKessansyoRec& rec)
{
    fillTaisyaku(Taisyaku, rec.SISAN, rec.FUSAI);
}

} // namespace vq::linkage
