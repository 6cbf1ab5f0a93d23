#pragma once
// Japanese texts for the database server's status codes, shown to the
// operator and written into the error logs beside the server's own message.
#include <cstdint>
#include <string>

namespace vq {

// The code text of a status code; a single blank " " when the code has none.
// Two codes depend on the SQL code: 335544788 has its text only with -901 and
// 336330817 only with -902.
std::string iscErrorText(std::int32_t iscCode, std::int32_t sqlCode);

// The same, in the form the library's callers use.
void GetIscErrorText(std::int32_t iscCode, std::int32_t sqlCode, std::string& text);

} // namespace vq
