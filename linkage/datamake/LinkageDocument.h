#pragma once
// The whole linkage document of one export: REPORT with SYSTEM, BASIC and
// DATA for the data set open in the data module. This is what the wizard's
// Finish runs; the benchmark and the tests call it the same way.
//
// The file is written only when the whole document was made: any failure
// (an export error, a statement that could not be read, a character the file
// cannot hold, a folder that is gone) leaves no file and an existing file as
// it was.
#include <filesystem>

namespace vq::linkage {

class TComDataExport;
class TXmlSaveDoc;

// The data-set values of exp taken from the open data set, as the data page's
// check takes them: client name, fiscal year and dates, closing day, tax
// treatment, data kind, statement kind, the whole year as the calculation
// period and the income kind the statement kind gives (1 for the general
// statement, 3 real estate, 4 agriculture; 0 for a data set that is not an
// individual's).
void TakeOpenDataSet(TComDataExport& exp);

// REPORT/SYSTEM, REPORT/BASIC and REPORT/DATA into doc, which must be empty.
void BuildLinkageDocument(TComDataExport& exp, TXmlSaveDoc& doc);

// Builds the document ("1.0", Shift_JIS) and saves it to file through a
// temporary in the same folder. Throws what the building or saving threw.
void WriteLinkageFile(TComDataExport& exp, const std::filesystem::path& file);

} // namespace vq::linkage
