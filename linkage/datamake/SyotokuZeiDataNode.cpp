#include "linkage/datamake/SyotokuZeiDataNode.h"

#include "foundation/data/DataModule.h"
#include "linkage/ComDataExport.h"
#include "linkage/datamake/SyotokuZeiDataMake.h"

namespace vq::linkage {

namespace {

// The statement each income kind is written from; 0 for a kind outside 1..4,
// which the maker writes as an empty DATA.
std::int32_t statementOfIncomeKind(std::int32_t incomeKind)
{
    switch (incomeKind) {
    case 1:
    case 2: return 1;
    case 3: return 2;
    case 4: return 4;
    default: return 0;
    }
}

[[noreturn]] void stop(const char* message, std::int32_t code)
{
    throw EDataExportError(message, code, SetDataNodeDetail);
}

// Loads a reader in the data module's data-set transaction; a statement that
// could not be read whole stops the export, and so does one that holds
// lines or rows the form has no place for: the file would lose their
// amounts while the totals of the books keep them.
void load(TKojinKessansyoIO& reader)
{
    reader.SetTransaction(DM->IBTransactionDAT);
    if (reader.Load(0))
        return;
    if (reader.OutsideForm.empty())
        stop(KessansyoReadErrorMessage, ExportErrorStatementNotRead);
    std::string detail;
    for (const std::string& line : reader.OutsideForm)
        detail += (detail.empty() ? "" : "\r") + line;
    throw EDataExportError(OutsideFormMessage, ExportErrorOutsideForm, detail);
}

} // namespace

std::int32_t StatementOfCodeType(std::int32_t codeType)
{
    switch (codeType) {
    case 1:
    case 3: return 1;
    case 2: return 2;
    case 4: return 4;
    default: return 0;
    }
}

void WriteSyotokuZeiData(const TComDataExport& exp, TXmlSaveDoc& doc)
{
    TSyotokuZeiDataMake maker;
    maker.CodeType = exp.CodeType;
    maker.IncludeUtiwake = exp.IncludeUtiwake ? 1 : 0;

    const std::int32_t statement = StatementOfCodeType(exp.CodeType);
    if (statement == 0)
        stop(NoStatementReaderMessage, ExportErrorNoStatementReader);
    const std::int32_t wanted = statementOfIncomeKind(exp.SyotokuSyurui);
    if (wanted != 0 && wanted != statement)
        stop(IncomeKindMismatchMessage, ExportErrorNoStatementReader);
    if (DM == nullptr)
        throw std::logic_error("income-tax data without a data module");

    switch (statement) {
    case 1:
        maker.IppanIO = std::make_unique<TIppanKessansyoIO>();
        maker.IppanIO->TaxMode = exp.TaxMode;
        load(*maker.IppanIO);
        break;
    case 2:
        maker.FudosanIO = std::make_unique<TFudosanKessansyoIO>();
        maker.FudosanIO->TaxMode = exp.TaxMode;
        load(*maker.FudosanIO);
        break;
    default:
        // The agriculture statement keeps the data set's own tax treatment.
        maker.NougyouIO = std::make_unique<TNougyouKessansyoIO>();
        load(*maker.NougyouIO);
        break;
    }

    // The maker answers only "done" or "no such income kind", and the latter
    // is an empty DATA, not a failure.
    maker.MakeData(doc, exp.SyotokuSyurui, exp.TaxMode);
}

} // namespace vq::linkage
