#pragma once
// A DSQL statement with :NAME parameters, prepared once and executed any
// number of times, in the transaction it is given (which may change between
// executions, and may be committed or rolled back in between).
//
//   Statement q(db, tr, "SELECT NAME, AMOUNT FROM T WHERE CODE = :CODE");
//   q.param("CODE").setString("0001");
//   q.execute();                   // opens the cursor (tr must be active)
//   while (q.fetch()) {
//       std::string name = q.field("NAME").asString();
//       Currency amount = q.field("AMOUNT").asCurrency();
//   }
//
// SELECT opens a forward-only cursor: fetch() moves to the next row and
// returns false after the last. Executing again, changing the SQL or the
// transaction ending closes the previous cursor. EXECUTE PROCEDURE (and
// INSERT ... RETURNING) yields its output values as the current row at once:
// field() works right after execute(), no fetch() needed. Selectable
// procedures are plain SELECTs ("SELECT * FROM PROC(:A)").
//
// SQL text is UTF-8 and converted to CP932 for the server. With parameter
// checking off (DDL such as CREATE PROCEDURE whose body uses :variables) the
// text is sent unchanged.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/db/Field.h"
#include "platform/db/Parameter.h"

namespace vq::db {

class Attachment;
class Transaction;

enum class StatementKind { Select, SelectForUpdate, Insert, Update, Delete, ExecProcedure, Ddl, Other };

class Statement {
public:
    Statement(Attachment& attachment, Transaction& transaction, std::string_view sql = {},
              bool paramCheck = true);
    ~Statement();   // closes the cursor and frees the statement; never throws
    Statement(Statement&&) noexcept;
    Statement& operator=(Statement&&) noexcept;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // New SQL: closes, unprepares and clears the parameters.
    void setSql(std::string_view sql);
    const std::string& sql() const;
    void setParamCheck(bool on);            // takes effect at the next setSql/prepare
    void setTransaction(Transaction& transaction);  // closes an open cursor

    // Prepares now (execute() and the column queries prepare when needed;
    // when the transaction is not running a short read-only one is used).
    // A statement prepared on a connection that was detached and attached
    // again is prepared anew by itself. Throws DbError.
    void prepare();
    void unprepare() noexcept;
    bool prepared() const;
    StatementKind kind();                   // prepares when needed

    // Parameters by name (case-insensitive, without the ':'); an unknown
    // name throws DbError. position() is 0-based over the '?' of the text.
    std::vector<std::string> paramNames() const;   // distinct names in order of appearance
    bool hasParam(std::string_view name) const;
    Parameter param(std::string_view name);
    Parameter paramAt(std::size_t position);
    std::size_t paramCount() const;
    void clearParams();                     // every parameter NULL

    // Runs the statement in its transaction, which must be active. A SELECT
    // opens the cursor (before the first row). Throws DbError.
    void execute();
    // Next row of the cursor; false at the end (the cursor is then closed).
    bool fetch();
    // A current row is there (after a successful fetch, or the output of
    // EXECUTE PROCEDURE / RETURNING).
    bool hasRow() const;
    bool cursorOpen() const;
    void close() noexcept;                  // closes the cursor, keeps the preparation
    // Rows inserted/updated/deleted by the last execute (0 for SELECT).
    std::int64_t rowsAffected() const;

    // Columns (of the SELECT list or procedure outputs; prepares when needed).
    std::size_t fieldCount();
    std::string fieldName(std::size_t index);
    bool hasField(std::string_view name);   // case-insensitive; for "SELECT *" of tables that may lack a column
    // Throws DbError naming the column when there is no such column. Reading
    // a value needs a current row (hasRow()).
    Field field(std::string_view name);
    Field field(std::size_t index);

    // The current row as bytes, rowSize() of them, for Field::withRow: a
    // reader may go through copies on another thread while this statement
    // fetches on, as long as it is not prepared again, and reads no blob.
    std::size_t rowSize();
    void copyRow(unsigned char* into) const;

    StatementImpl* impl() const { return impl_.get(); }

private:
    std::unique_ptr<StatementImpl> impl_;
};

} // namespace vq::db
