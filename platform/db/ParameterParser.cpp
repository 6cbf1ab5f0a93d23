#include "platform/db/ParameterParser.h"

#include <cctype>

namespace vq::db {

namespace {

bool isNameChar(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return std::isalnum(u) || c == '_' || c == '$';
}

char closingOf(char open)
{
    switch (open) {
    case '(': return ')';
    case '[': return ']';
    case '{': return '}';
    case '<': return '>';
    default: return open;
    }
}

// Index just after the end of the quoted run starting at i (quote char q,
// doubled to escape). An unterminated run ends with the text.
std::size_t skipQuoted(std::string_view s, std::size_t i, char q)
{
    for (++i; i < s.size(); ++i) {
        if (s[i] != q)
            continue;
        if (i + 1 < s.size() && s[i + 1] == q) {
            ++i;
            continue;
        }
        return i + 1;
    }
    return s.size();
}

} // namespace

ParsedSql parseParameters(std::string_view s)
{
    ParsedSql out;
    out.sql.reserve(s.size());
    std::size_t i = 0;
    // Inside a PSQL body (EXECUTE BLOCK ... BEGIN ... END) ":x" names a local
    // variable or an input of the block, which the server resolves itself.
    bool inBody = false;
    while (i < s.size()) {
        const char c = s[i];
        std::size_t end = i + 1;
        if (c == '\'' || c == '"') {
            end = skipQuoted(s, i, c);
        } else if ((c == 'q' || c == 'Q') && i + 2 < s.size() && s[i + 1] == '\''
                   && (i == 0 || !isNameChar(s[i - 1]))) {
            // q'<x>...<x'>' alternative string literal
            const char close = closingOf(s[i + 2]);
            const auto pos = s.find(std::string{close, '\''}, i + 3);
            end = pos == std::string_view::npos ? s.size() : pos + 2;
        } else if (c == '-' && i + 1 < s.size() && s[i + 1] == '-') {
            const auto pos = s.find('\n', i);
            end = pos == std::string_view::npos ? s.size() : pos + 1;
        } else if (c == '/' && i + 1 < s.size() && s[i + 1] == '*') {
            const auto pos = s.find("*/", i + 2);
            end = pos == std::string_view::npos ? s.size() : pos + 2;
        } else if ((std::isalpha(static_cast<unsigned char>(c)) || c == '_')
                   && (i == 0 || !isNameChar(s[i - 1]))) {
            while (end < s.size() && isNameChar(s[end]))
                ++end;
            const std::string_view word = s.substr(i, end - i);
            if (word.size() == 5) {
                std::string w;
                for (char ch : word)
                    w += static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
                if (w == "BEGIN")
                    inBody = true;
            }
        } else if (c == '?') {
            out.positions.emplace_back();
        } else if (c == ':') {
            if (i + 1 < s.size() && s[i + 1] == ':') {
                end = i + 2;   // "::" is no parameter
            } else if (inBody) {
                while (end < s.size() && isNameChar(s[end]))
                    ++end;
            } else if (i + 1 < s.size() && isNameChar(s[i + 1])
                       && !std::isdigit(static_cast<unsigned char>(s[i + 1]))) {
                std::size_t j = i + 1;
                std::string name;
                while (j < s.size() && isNameChar(s[j]))
                    name += static_cast<char>(std::toupper(static_cast<unsigned char>(s[j++])));
                out.positions.push_back(std::move(name));
                out.sql += '?';
                i = j;
                continue;
            }
        }
        out.sql.append(s.substr(i, end - i));
        i = end;
    }
    return out;
}

} // namespace vq::db
