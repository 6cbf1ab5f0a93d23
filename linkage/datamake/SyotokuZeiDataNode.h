#pragma once
// REPORT/DATA of the income-tax export: picks the statement reader of the
// data set's statement kind, reads the whole statement from the open data
// set and lets the data maker write it.
//
// The export stops with EDataExportError, before anything of DATA is
// written, when the statement kind has no reader, when the income kind
// belongs to another statement, or when the statement could not be read
// whole or holds what its form has no place for (the detail then names each
// line or row): a linkage file made of part of a statement would import
// silently wrong figures.
#include <cstdint>

#include "linkage/DataExportError.h"

namespace vq::linkage {

class TComDataExport;
class TXmlSaveDoc;

// Codes of the export errors raised here.
inline constexpr std::int32_t ExportErrorNoStatementReader = 3;  // statement kind without a reader
inline constexpr std::int32_t ExportErrorStatementNotRead = 4;   // the statement could not be read whole
inline constexpr std::int32_t ExportErrorOutsideForm = 5;        // lines or rows beyond the statement's form

inline constexpr const char* SetDataNodeDetail = "SetDataNode(DATAﾉｰﾄﾞを作成)";
inline constexpr const char* NoStatementReaderMessage = "この決算書の種類は連動できません。";
inline constexpr const char* IncomeKindMismatchMessage = "所得種類が決算書の種類と一致しません。";
inline constexpr const char* OutsideFormMessage =
    "決算書の様式にない行に金額や明細があるため、中間ファイルを作成できません。\r"
    "科目の決算書行または明細の行番号を見直してください。";

// The statement reader of a statement kind: 1 general (kinds 1 and 3),
// 2 real estate, 4 agriculture, 0 none.
std::int32_t StatementOfCodeType(std::int32_t codeType);

// Writes REPORT/DATA for exp's income kind, tax mode, breakdown flag and
// statement kind from the data set open in the data module.
void WriteSyotokuZeiData(const TComDataExport& exp, TXmlSaveDoc& doc);

} // namespace vq::linkage
