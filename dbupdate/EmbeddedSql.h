#pragma once
// The statements of the oldest update steps are the program's own text, not
// part files installed beside it. Each lives in a .sql file of
// dbupdate/steps/ (UTF-8, isql syntax) that the build compiles in, so it can
// be read, diffed and tried as SQL; a step copies it into its script.
#include <string_view>

namespace vq {

class TUpdateScript;

namespace embedded_sql_detail {
struct EmbeddedSqlFile {
    const char* name;
    const char* text;
};
} // namespace embedded_sql_detail

// The text of dbupdate/steps/<name>.sql. Throws std::out_of_range for a
// name the build did not compile in.
std::string_view EmbeddedSql(std::string_view name);

// Appends the non-empty lines of that text to the script, as a part file's
// lines are appended.
void AddEmbeddedSql(TUpdateScript& script, std::string_view name);

} // namespace vq
