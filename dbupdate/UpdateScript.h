#pragma once
// The update script every update step writes for isql: a header comment, the
// CONNECT line, the optional "SET NAMES SJIS_0208;", the step's statements
// (inline, copied from the part files shipped in the sql folder, or built from
// the open data set) and the version record, then "COMMIT;" and "EXIT;".
//
// A step describes itself as a TUpdateScheme and the scheme builds the lines;
// the steps differ only along the fields of the scheme. The lines are UTF-8;
// the runner writes them in CP932 with CR LF.
//
// The CONNECT line names the user but never the password: the runner hands
// the password to isql through its environment, so no script, echo or log
// ever holds it. Every text put between quotes (folder names, operator and
// computer names in the MEMO) has its quotes doubled.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vq {

// Result codes of a step.
enum UpdateResult : std::int32_t {
    UpdateDone = 1,          // the script ran without an error
    UpdateFailed = 16,       // isql reported an error, or the work before the script failed
    UpdateToolMissing = 17,  // isql did not start
    UpdateFileMissing = 18,  // a required part file is missing
    UpdatePostWorkFailed = 19, // the script ran, the work after it raised
};

// The MEMO text of the version record.
enum class MemoForm : std::uint8_t {
    Date,            // "yyyy/mm/dd hh:nn:ss"
    Joined,          // date, operator number, operator name, computer name, joined by ","
    JoinedPadded,    // the joined text made exactly 127 CP932 bytes
    JoinedTrimmed,   // the padded text trimmed of blanks at both ends
};

class TUpdateScript;

struct TUpdateScheme {
    std::uint8_t Mode = 1;   // 0 the system database, 1 the open data set's
    std::int32_t Major = 0, Minor1 = 0, Minor2 = 0;
    bool SetNames = true;    // "SET NAMES SJIS_0208;" after the CONNECT line
    // The newer scripts write the version record (and commit it) right after
    // the SET NAMES line; the older ones write it last.
    bool RecordFirst = true;
    MemoForm Memo = MemoForm::Date;
    // The part files of the step's sub-folder of the sql folder, in order.
    std::vector<std::string> PartFiles;
    // false: a missing part file is skipped; true: the step stops with 18.
    bool StopOnMissingPart = true;
    // Which part files the open data set takes (by data kind, edition, tax
    // code ...); empty: all of them.
    std::function<bool(const std::string& name)> UsePart;
    // Statements before and after the part files.
    std::function<void(TUpdateScript&)> Before;
    std::function<void(TUpdateScript&)> After;
    // In-process work on the database: before the script (a result other
    // than 1 ends the step with it, the script is not run), and after a
    // successful script, inside the data set's default transaction (an
    // exception gives 19).
    std::function<std::int32_t()> PreWork;
    std::function<void()> PostWork;

    std::string VersionText() const;    // "4.0.0"
    std::string VersionDigits() const;  // "400", the sub-folder of the part files
};

class TUpdateScript {
public:
    void Add(std::string line) { lines_.push_back(std::move(line)); }
    const std::vector<std::string>& Lines() const { return lines_; }
    // The lines joined by CR LF, each line ended.
    std::string Text() const;

    // Builds the whole script of a scheme. False when a part file the step
    // requires is missing (the step's result is then 18). A part file that
    // cannot be read throws std::runtime_error.
    bool Build(const TUpdateScheme& scheme);

    // The pieces, for steps that build their own order.
    void AddHeader(std::uint8_t mode);
    void AddVersionRecord(const TUpdateScheme& scheme);
    // Appends the non-empty lines of a part file; false when it is missing.
    bool AddPartFile(const std::filesystem::path& file);
    // Appends the non-empty lines of a text (UTF-8), as a part file's.
    void AddSqlText(std::string_view text);

    // The CONNECT line of mode 0 (system database) or 1 (the open data set)
    // from the login settings.
    static std::string ConnectLine(std::uint8_t mode);
    // text with every single quote doubled, for a place between quotes.
    static std::string Quoted(const std::string& text);
    static std::string MemoText(MemoForm form);
    static std::filesystem::path PartFilePath(const TUpdateScheme& scheme, const std::string& name);

private:
    std::vector<std::string> lines_;
};

} // namespace vq
