#pragma once
// The dump's file writer, shared by the files of TWebDbSqlDump: lines ended
// by CR LF, the two scripts, and the rows of a query joined into INSERT
// statements.
#include "comm/DumpFileSink.h"
#include "comm/WebDbSqlDump.h"

#include "platform/db/Statement.h"


namespace vq::comm {

struct TWebDbSqlDump::Writer {
    struct RowOptions {
        long batch = 0;            // rows per statement; 0: one statement
        long limit = 0;            // rows at most; 0: all
        long firstId = 0;          // a Row column writes firstId + its number
        bool eolAfterLast = true;  // CR LF after the last row
        bool eolWhenEmpty = true;  // CR LF when there is no row
    };

    explicit Writer(const std::filesystem::path& file);
    bool good() const { return out_.good(); }
    void setQuery(db::Statement& q) { query_ = &q; }
    void setQuery(std::nullptr_t) { query_ = nullptr; }
    db::Statement& query() { return *query_; }
    void setQueryLog(std::vector<std::string>* log) { log_ = log; }

    void raw(std::string_view text);
    void line(std::string_view text);
    // A script file written line by line, then an empty line.
    void script(const std::filesystem::path& file);
    // The rows of sql under head; returns how many were written.
    long rows(const std::string& sql, const std::vector<std::string>& head, const std::vector<DumpColumn>& columns,
              const RowOptions& options);
    // DELETE line, "INSERT INTO table VALUES" and the rows.
    void section(const std::string& table, const std::string& sql, const std::vector<DumpColumn>& columns,
                 long batch = 0);
    // Flushes and closes; throws when the file could not be written.
    void finish();

private:
    class RowText;
    class RowPipe;

    TDumpFileSink out_;
    db::Statement* query_ = nullptr;
    std::vector<std::string>* log_ = nullptr;
};

} // namespace vq::comm
