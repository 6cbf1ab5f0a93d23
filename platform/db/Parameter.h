#pragma once
// A named parameter of a statement. Setting it sets every position where the
// name occurs in the SQL. Values stay set across executions until set again
// or cleared (Statement::clearParams sets all to NULL). The server converts
// the value to the parameter's declared type (a text into an INTEGER
// parameter is parsed by the server, a too long text fails with "string
// right truncation" rather than being cut silently).
//
// Two properties of Firebird 3's SJIS_0208 that callers must know:
// - a VARCHAR(n)/CHAR(n) column holds up to 2n BYTES, whatever the number of
//   characters (VARCHAR(4) takes "ｱｲｳｴｵ"); cut to a byte width with
//   platform::cp932::cutBytes when the field is a byte field;
// - NEC special characters (①, Ⅰ, ㈱ ...) are stored and read back fine in
//   VARCHAR and text blobs, but a CHAR column holding one cannot be read
//   at all (the server fails measuring it); IBM extension kanji (髙, 纊)
//   are refused on input ("Cannot transliterate character").
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/db/Numeric.h"

namespace vq::db {

struct StatementImpl;
struct ParamValue;

class Parameter {
public:
    Parameter(StatementImpl* statement, std::vector<std::size_t> positions)
        : st_(statement), positions_(std::move(positions)) {}

    void setNull();
    // Converted to CP932 (a character CP932 lacks becomes '?'); into a BLOB
    // parameter it is written as a text blob. At most 32765 bytes otherwise.
    void setString(std::string_view utf8);
    void setInt(std::int64_t v);
    void setNumeric(Numeric v);               // exact, with its scale
    void setCurrency(Currency v);             // int64 scaled by 10,000
    void setDouble(double v);
    void setBool(bool v);                     // written as 1 / 0
    void setDate(double dayNumber);           // SQL DATE of the day number; 0 -> NULL (no date)
    void setDateTime(double dayNumber);       // TIMESTAMP; 0 -> NULL
    void setLines(const std::vector<std::string>& lines);  // text blob, lines joined with CR LF
    void setText(std::string_view utf8);      // text blob from one string
    void setBytes(std::string_view bytes);    // binary blob, as is

private:
    void assign(const ParamValue& value);

    StatementImpl* st_;
    std::vector<std::size_t> positions_;
};

} // namespace vq::db
