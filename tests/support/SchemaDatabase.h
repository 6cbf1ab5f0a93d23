#pragma once
// Fresh Firebird databases for tests, built from the DDL in schema/ by
// schema/build-database (embedded engine, SJIS_0208, dialect 3).
//
// Building from DDL takes seconds, so each kind is built once per schema
// version into a template under the system temp folder
// (vq-schema-cache/<kind>-<hash of the scripts>.fdb) and copied from there;
// a changed script gives a new hash and a new template.
#include <filesystem>
#include <string>
#include <string_view>

namespace vq::test {

enum class SchemaKind {
    System,   // the office's system database (vqaccdef.fdb)
    DataSet,  // one data set's database (vqacc.fdb)
    FileTransfer, // the file-transfer database of a server office (vqfileman.fdb)
    SystemBase,   // the system database at its first release (VERSION 0.3.0)
    DataSetBase,  // a data set's database at its first release (ACCVERSION 0.1.0)
};

// The schema/ folder of the source tree.
std::filesystem::path schemaDir();

// Creates a new database of kind at path (its folder must exist, the file
// must not). A new data set's database holds ACCDEF1 row 1 (an individual's
// general business, 2024), ACCVERSION 14.0.0, TUSIN_ID row 1 and the blank
// department; the system database holds group 10000, the system user 1,
// the job levels, the eras and VERSION 12.0.0. Throws std::runtime_error
// with the build's output when it fails.
void buildDatabase(SchemaKind kind, const std::filesystem::path& path);

// The sample rows of a database at its first release: those the update
// steps convert, for one data kind of a data set ("corporation",
// "individual", "real-estate", "clinic", "agriculture", "medical"; empty
// for the system database) shaped by the edition byte (0, 1 or 2).
struct BaseSamples {
    std::string dataKind;
    int edition = 0;
    // A version other than the first release: the database as the update
    // steps would have brought it there, as far as the manifest tells
    // (schema/build-database --at), to stand in where the earlier steps are
    // not what a test is about.
    std::string at;
};

// Creates a SystemBase or DataSetBase database with the sample rows (see
// schema/build-database --kind and --edition).
void buildBaseDatabase(SchemaKind kind, const std::filesystem::path& path, const BaseSamples& samples);

// Runs SQL (UTF-8, isql syntax: statements end with ';', SET TERM for
// bodies) against an existing database with isql-fb and commits at the end.
// Returns isql's output in UTF-8; throws std::runtime_error with that output
// when a statement fails. Handy to seed test data in plain SQL.
std::string runSql(const std::filesystem::path& database, std::string_view sql);

} // namespace vq::test
