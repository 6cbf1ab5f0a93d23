#pragma once
// The accounting-data dump for the analysis server: the open data set written
// as one UTF-8 file of MySQL statements - a header, the statements that drop
// and make the analysis database, the schema script, one section per table
// (DELETE, then INSERTs of the rows read from the data set), the index script
// and the elapsed time. The analysis upload creates one per upload, sets
// DatabaseName and calls WriteDump.
//
// The rows are streamed: each is read, written and forgotten, so memory stays
// flat however large the data set. All sections read in one read-only
// snapshot transaction of the dump's own, so they agree with each other and
// no transaction of the caller is committed or ended. The default budget
// rules that the budget-rule section needs are written to the data set first,
// in a short transaction of their own.
//
// Every text value is escaped for MySQL and every NULL read is written as
// NULL (the date-time kind writes MySQL's zero date, which the server reads).
// The file is written beside its final name and renamed when complete: a
// failed dump leaves neither a partial file nor an old one behind.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vq::db {
class Statement;
}

namespace vq::comm {

// How one value of a row is written.
enum class DumpKind {
    P,      // the column's text form unquoted (numbers; other types quoted)
    Q,      // the text form quoted
    T,      // a text value: quoted
    T20,    // a text value cut to 20 CP932 bytes, then trimmed
    N,      // a number value
    D,      // a date-time value with MySQL's range rules
    C,      // a colour, as red * 65536 + green * 256 + blue
    Int,    // the text form read as an integer, 0 when it is none
    CType,  // the chart type, folded onto the types the server draws
    Row,    // the row's running number (counted from 1) in place of a column
    Lit,    // a fixed text, written as it is
};

struct DumpColumn {
    DumpKind kind;
    std::string name;   // the column; for Lit the text
};

class TWebDbSqlDump {
public:
    // Takes the data version, job level and paths from SystemDef and AccInf.
    TWebDbSqlDump();

    // Writes the whole file at DumpFilePath. False when DatabaseName is not a
    // plain name (nothing is touched) or a failure was reported; the creation
    // of the file itself failing throws with the system's text.
    bool WriteDump();

    // The analysis database: "halbrin_d_" + ID + "_" + slot; only letters,
    // digits and "_" are taken, since it stands between grave accents.
    std::string DatabaseName;
    std::string DbVersionText;
    std::filesystem::path DumpFilePath;
    std::filesystem::path SchemaScriptPath;
    std::filesystem::path IndexScriptPath;
    std::uint16_t JobLevel = 200;
    std::int32_t RowsPerInsert = 100;
    // When set, receives the text of every query the sections run (the
    // benchmark times them bare).
    std::vector<std::string>* QueryLog = nullptr;

    // The analysis data version written into ACCVERSION; the host may set it.
    static int AnalysisVerMajor;
    static int AnalysisVerMinor;
    static int AnalysisVerRev;

    // MySQL string-literal escaping: backslash, quote, NUL, CR, LF and ^Z.
    static std::string EscapeSqlText(std::string_view text);
    // A day number as a quoted "DATE" or "DATETIME" literal: day 0 is the
    // zero date, days up to 1970-01-01 become 1970-01-02, days from 2038-01-01
    // become 2038-01-01.
    static std::string DateToSqlValue(std::string_view kind, double value);
    // A stored colour (0x00BBGGRR, or a system colour) as the dump's integer.
    static std::string ColorToDumpInt(std::int64_t colour);
    static bool IsPlainDatabaseName(std::string_view name);
    // The data version is 8.0.2 or later.
    static bool DataVersion802(int major, int minor, int revision);
    // One value of the current row of q; row is the running number.
    static std::string Value(db::Statement& q, const DumpColumn& column, long row);

private:
    struct Writer;
    void writeSections(Writer& w);
    void writeMasterSections(Writer& w);
    void writeJournalSections(Writer& w);
    void writeAccReg(Writer& w);
    void writeBudgetRules(Writer& w);
    // The default budget rules, inserted into an empty rule table.
    void addDefaultBudgetRules();

    bool v802_ = false;
    bool medical_ = false;
    std::int32_t meetingOn_ = 0;
};

} // namespace vq::comm
