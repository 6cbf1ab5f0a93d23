#pragma once
// Japanese texts for the database server's status codes, shown to the
// operator and written into the error logs beside the server's own message.
#include <cstdint>
#include <string>

namespace vq {

namespace db {
class DbError;
}

// The code text of a status code; a single blank " " when the code has none.
// Two codes depend on the SQL code: 335544788 has its text only with -901 and
// 336330817 only with -902.
std::string iscErrorText(std::int32_t iscCode, std::int32_t sqlCode);

// The same, in the form the library's callers use.
void GetIscErrorText(std::int32_t iscCode, std::int32_t sqlCode, std::string& text);

// The code text of e; for a server that did not answer within the connect
// time-out, which the client library reports with the code of a refused
// connection, the time-out text instead.
std::string iscErrorText(const db::DbError& e);
// The time-out text, naming the server when host is given.
std::string connectTimeoutText(const std::string& host = {});

} // namespace vq
