#pragma once
// One free text per screen and operator, kept in the system database so a
// screen opens the next time with what it showed last. The rows share the
// table STYLECOLOR with the print-style colours and are told apart by the
// "020-" prefix of their style name.
#include <cstdint>
#include <string>

#include "platform/db/Statement.h"

namespace vq {

class TGamenKeyValue {
public:
    // Takes the logged-on operator's code; works on the data module's
    // system database and transaction.
    TGamenKeyValue();
    // Value := the saved text of screenName (left as cleared when none).
    void FukugenValue(const std::string& screenName, std::string& value);
    // Saves value (trimmed, at most 1,024 CP932 bytes) for screenName.
    void HozonValue(const std::string& screenName, const std::string& value);
    void ClearValue() { Value.clear(); }
    // "020-" + the upper-cased screen name, cut to 40 CP932 bytes, trimmed.
    std::string StyleNameOf(const std::string& screenName) const;

    std::int32_t OpCode = 0;
    std::string Prefix = "020-";
    std::string StyleName;
    std::string Value;

private:
    db::Statement statement_;
};

} // namespace vq
