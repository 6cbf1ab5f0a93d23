#pragma once
// The general base of the text transfer files: a block of "// " header lines
// (file kind, file version, the open data set's name and kind, the data
// version, the date) followed by comma-separated records, with the header's
// writing and checking, the quoting of text fields and the binding to a
// database. The file is CP932 with CR LF line ends, written as a whole
// through a temporary file and read as a whole.
//
// Text fields travel inside double quotes, so a double quote inside a text
// is written as two apostrophes. Files of the first rule wrote an apostrophe
// as it is, which made two apostrophes in a text come back as a double
// quote. Files written now say "// 引用符規則  : 2" in their header and write
// an apostrophe as "'|", so every text comes back exactly; a file without
// that line is read by the first rule.
#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/text/MojiBunkatu.h"

namespace vq::db {
class Attachment;
class Statement;
class Transaction;
} // namespace vq::db

namespace vq::comm {

class TBaseLoader {
public:
    // Bound to the data module's data-set database and transaction.
    TBaseLoader();
    virtual ~TBaseLoader();
    TBaseLoader(const TBaseLoader&) = delete;
    TBaseLoader& operator=(const TBaseLoader&) = delete;

    void SetDatabase(db::Attachment& attachment);
    void SetTransaction(db::Transaction& transaction);

    // Clean 1 first removes tab, CR and LF. The caller adds the enclosing quotes.
    static std::string QuoteField(std::string_view text, std::uint8_t clean);
    // By the rule the last ReadHeader found (the current one before any read).
    std::string UnquoteField(std::string_view text, std::uint8_t clean) const;
    static std::string UnquoteField(std::string_view text, std::uint8_t clean, int quoteRule);

    // Appends the header block to Lines.
    void WriteHeader();
    // The kind line is there and, with CheckVersion 1, the file's major
    // version equals FileVersion's (a file without a version line passes).
    bool ReadHeader();
    virtual std::int32_t CountRecords();

    std::string FileKind;
    std::string FileVersion;          // "major.minor"
    std::uint8_t CheckVersion = 1;
    std::vector<std::string> Lines;   // UTF-8, without line ends
    char QuoteChar = '"';
    char Delimiter = ',';
    TMojiBunkatu Splitter;
    int QuoteRule = 2;                // the quoting rule of the file last read

protected:
    db::Statement& statement(std::size_t index);
    db::Attachment& attachment() { return *attachment_; }
    db::Transaction& transaction() { return *transaction_; }
    void saveLines(const std::filesystem::path& file) const;
    // Throws std::system_error when the file cannot be read.
    void loadLines(const std::filesystem::path& file);
    // A quoted text field followed by the delimiter.
    std::string quoted(std::string_view text) const;

private:
    db::Attachment* attachment_;
    db::Transaction* transaction_;
    std::array<std::unique_ptr<db::Statement>, 5> statements_;
};

} // namespace vq::comm
