#pragma once
// One column of a statement's current row (or an output value of EXECUTE
// PROCEDURE). A Field is a view: valid until the statement fetches, executes
// again or is destroyed. Conversions never go through double unless asked:
//   text         CHAR/VARCHAR in SJIS_0208 come back as UTF-8; CHAR loses
//                its blank padding on the right (VARCHAR is returned as is)
//   NUMERIC/DECIMAL  asNumeric / asCurrency / asInt64 are exact
//   DATE/TIMESTAMP   day numbers: days since 1899-12-30 (double, time as the
//                fraction); NULL reads as 0 ("no date")
//   BLOB         text blobs (sub_type 1) as UTF-8 lines cut at CR LF, or as
//                one string; binary blobs as bytes
// NULL reads as "", 0, 0.0 or an empty list; isNull() tells NULL apart.
// A conversion that makes no sense (a date as a blob, "abc" as a number)
// throws DbError naming the field.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/db/Numeric.h"

namespace vq::db {

struct StatementImpl;

enum class FieldKind { Text, Integer, Numeric, Float, Date, Time, Timestamp, Boolean, TextBlob, BinaryBlob, Other };

class Field {
public:
    Field(StatementImpl* statement, std::size_t index) : st_(statement), index_(index) {}

    // The same column read from a copy of a row (Statement::copyRow) rather
    // than from the statement's current row.
    Field withRow(const unsigned char* rowCopy) const
    {
        Field f(st_, index_);
        f.copy_ = rowCopy;
        return f;
    }

    std::string name() const;     // alias as the statement returns it (upper case unless quoted)
    FieldKind kind() const;
    int scale() const;            // decimals of a NUMERIC/DECIMAL (0 otherwise)
    bool isNull() const;

    std::string asString() const;             // numbers as text, dates "yyyy/mm/dd", text blobs whole
    std::int32_t asInt() const;               // integer types, rounded numerics, numeric text; throws when out of range
    std::int64_t asInt64() const;
    Numeric asNumeric() const;                // integers have scale 0; double is refused
    Currency asCurrency() const;              // int64 * 10,000; doubles rounded half away from zero
    double asDouble() const;
    bool asBool() const;                      // non-zero integer, BOOLEAN true, "1"/"T"/"Y"
    double asDate() const;                    // day number, date part only; NULL -> 0
    double asDateTime() const;                // day number with the time as fraction; NULL -> 0
    std::vector<std::string> asLines() const; // text blob (or text) cut into lines
    std::string asBytes() const;              // binary blob (or any blob/text) raw bytes, no conversion

private:
    const unsigned char* value() const;

    StatementImpl* st_;
    std::size_t index_;
    const unsigned char* copy_ = nullptr;
};

} // namespace vq::db
