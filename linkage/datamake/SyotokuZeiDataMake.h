#pragma once
// The income-tax data maker: writes REPORT/DATA of the linkage file from one
// individual's settlement statement, one element per statement line, grouped
// by income kind (1 business, 2 other, 3 real estate, 4 agriculture).
//
// The export creates one maker per export, gives it the statement reader of
// the data set's statement kind, loads the reader and calls MakeData. Which
// line feeds which element is fixed by the tables of SyotokuZeiTables.h;
// how a value becomes text by LeafText.h. Every element is written also when
// its value is empty, so the elements of a file depend only on the income
// kind and on whether breakdowns are included.
#include <cstdint>
#include <memory>
#include <vector>

#include "foundation/accounting/Currency.h"
#include "linkage/XmlSaveDoc.h"
#include "linkage/datamake/RidedDataLoad.h"
#include "linkage/statements/FudosanKessansyoIO.h"
#include "linkage/statements/IppanKessansyoIO.h"
#include "linkage/statements/NougyouKessansyoIO.h"

namespace vq::linkage {

// The statements a maker writes from. Only the one of the income kind is
// read: the general statement for kinds 1 and 2, the real-estate statement
// and its whole rental list for 3, the agriculture statement for 4.
struct TSyotokuZeiStatements {
    const TKojinKessansyoRec* Ippan = nullptr;
    const TFudosanKessansyoRec* Fudosan = nullptr;
    const TFudosanSyotokuRecArray* FudosanList = nullptr;
    const TNougyouKessansyoRec* Nougyou = nullptr;
};

class TSyotokuZeiDataMake : public TRidedDataLoad {
public:
    // Result codes of MakeData.
    static constexpr std::int32_t ResultDone = 1;
    static constexpr std::int32_t ResultNoIncomeKind = 3;

    TSyotokuZeiDataMake();

    // Fills the amount arrays from the statement of incomeKind (the reader
    // of that kind that the maker holds) and appends a DATA element with the
    // income kind's group under the document element. ResultDone for income
    // kinds 1 to 4; for any other DATA stays empty and ResultNoIncomeKind is
    // returned. Throws std::logic_error when the statement of a known income
    // kind is missing: the export checks the statement kind before.
    std::int32_t MakeData(TXmlSaveDoc& doc, std::int32_t incomeKind, std::int32_t taxMode);
    // The same from statements given directly.
    std::int32_t MakeData(TXmlSaveDoc& doc, std::int32_t incomeKind, std::int32_t taxMode,
                          const TSyotokuZeiStatements& statements);

    // The filling operations: each walks a fixed index table and copies one
    // amount per statement line, nothing summed, signed or rounded.
    void SetIppanSoneki(const TKojinKessansyoRec& rec);
    void SetIppanTukibetu(const TKojinKessansyoRec& rec);
    void SetIppanTaisyaku(const TKojinKessansyoRec& rec);
    void SetIppanSeizou(const TKojinKessansyoRec& rec);
    void SetFudosanSoneki(const TFudosanKessansyoRec& rec);
    void SetFudosanTaisyaku(const TFudosanKessansyoRec& rec);
    void SetNougyouSoneki(const TNougyouKessansyoRec& rec);
    void SetNougyouTaisyaku(const TNougyouKessansyoRec& rec);

    std::int32_t ResultCode = ResultNoIncomeKind;
    // At most one reader is set; the maker owns it.
    std::unique_ptr<TIppanKessansyoIO> IppanIO;      // statement kinds 1 and 3
    std::unique_ptr<TFudosanKessansyoIO> FudosanIO;  // statement kind 2
    std::unique_ptr<TNougyouKessansyoIO> NougyouIO;  // statement kind 4
    std::int32_t IncomeKind = 0;
    std::int32_t TaxMode = 0;                        // kept, not read
    // Amount arrays; position p of the element tables is entry p - 1.
    std::vector<Currency> Soneki;     // 35 (kinds 1, 2), 17 (kind 3), 38 (kind 4)
    std::vector<Currency> Tukibetu;   // 28, kinds 1 and 2
    std::vector<Currency> Taisyaku;   // 93, all kinds
    std::vector<Currency> Seizou;     // 20, kinds 1 and 2
    std::int32_t CodeType = 0;        // statement kind, copied from the export
    std::uint8_t IncludeUtiwake = 0;  // 1 writes the breakdown groups

private:
    void WriteIppanGroup(TXmlSaveDoc& doc, TXmlSaveDoc::Node group, const TKojinKessansyoRec& rec) const;
    void WriteFudosanGroup(TXmlSaveDoc& doc, TXmlSaveDoc::Node group, const TFudosanKessansyoRec& rec,
                           const TFudosanSyotokuRecArray& list) const;
    void WriteNougyouGroup(TXmlSaveDoc& doc, TXmlSaveDoc::Node group, const TNougyouKessansyoRec& rec) const;
};

} // namespace vq::linkage
