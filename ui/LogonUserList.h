#pragma once
// The other operators logged on to the system database now: the rows of
// LOGONUSERLIST that are not the operator's own, with their names from
// OPERATOR. Work that needs the system alone (a version upgrade) shows them.
#include <cstdint>
#include <string>
#include <vector>

namespace vq::ui {

struct TLoginUserR {
    std::int32_t OperatorCode = 0;  // the operator number within the group
    std::int32_t GroupId = 0;
    std::string OpName;             // empty when OPERATOR has no row
};

// Every logon row whose OPCODE is not SystemDef.OPCODE, in the table's order;
// the list grows with the rows. A database error is logged
// ("TfmWebMenuL.fnDBConect_OP", not shown) and passed on.
std::vector<TLoginUserR> LoadOtherLogons();

} // namespace vq::ui
