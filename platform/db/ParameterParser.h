#pragma once
// Named parameters in SQL text. ":NAME" becomes "?" for the server; a name
// may appear several times and then names several positions. String
// literals ('...', q'{...}'), quoted identifiers ("..."), -- and /* */
// comments are copied unchanged, so a ':' inside them is no parameter.
// A "?" written in the SQL stays a positional parameter without a name.
// After the word BEGIN (the body of an EXECUTE BLOCK) ":x" is a variable of
// the block and stays as written; the block's inputs take their values from
// ":NAME" parameters in its header: EXECUTE BLOCK (X INT = :X) AS BEGIN ... END.
#include <string>
#include <string_view>
#include <vector>

namespace vq::db {

struct ParsedSql {
    std::string sql;                      // the text with each :NAME replaced by ?
    std::vector<std::string> positions;   // one entry per ?, the name upper-cased ("" for a written ?)
};

// Names are letters, digits, '_' and '$' after the ':' (first not a digit);
// matching is case-insensitive (names are upper-cased). "::" and a ':' not
// followed by a name character are left as they are.
ParsedSql parseParameters(std::string_view sql);

} // namespace vq::db
