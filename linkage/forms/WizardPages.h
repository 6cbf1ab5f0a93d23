#pragma once
// What the wizard's pages do with their contents: the data page's check and
// the options page's layout for the data set's statement kind, the output
// file's check, the summary, and Finish, which writes the linkage file and
// turns the outcome into a message and the caller's result code.
#include <QString>

#include <cstdint>
#include <filesystem>
#include <string>

namespace vq::linkage {

class TForm1;

// Outcomes of ExportLinkageFile.
inline constexpr std::int32_t ExportDone = 1;
inline constexpr std::int32_t ExportStopped = 3;
inline constexpr std::int32_t ExportFailed = 4;
// The document was made but the file could not be written (its message was shown).
inline constexpr std::int32_t ExportNotWritten = 5;

// The wizard's Next: whether the page may be left (laying out the next page).
bool WizardPageCheck(TForm1& form, const QString& page);
// The data page: a chosen individual data set; copies it into the export.
bool CheckDataSelected(TForm1& form);
// The options page for the chosen data set's statement kind.
void LayoutOptionsPage(TForm1& form);
// Where the output file's text puts the file: stand-alone, a bare name lies
// in the documents folder; a caller's path is used as it is.
std::filesystem::path OutputFileOf(const TForm1& form, const std::string& text);
// The output file's text; false (with its warning) when it cannot be used:
// empty, in a folder that does not exist, a folder's name, or an existing
// file the operator does not want replaced.
bool CheckOutputFile(TForm1& form);
// Stores the options into the export object and fills the summary.
void BuildSummary(TForm1& form);
// Writes the file: ExportDone, ExportStopped, ExportFailed or ExportNotWritten.
std::int32_t ExportLinkageFile(TForm1& form);
// "完了(&F)": the export under the progress window, its message and result;
// a file that could not be written takes a stand-alone wizard back to the
// output page with every choice kept.
void FinishWizard(TForm1& form);

} // namespace vq::linkage
