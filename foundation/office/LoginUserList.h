#pragma once
// The operators logged on to the office (the logon list of the system
// database), as display lines: the database update names them before it
// asks everybody to log off.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/db/Statement.h"

namespace vq {

struct TLoginUserListRec {
    std::int32_t OPERATORCODE = 0;
    std::string OPNAME;
    std::string PCNAME;
};

class TLoginUserList {
public:
    virtual ~TLoginUserList() = default;
    std::int32_t GetOperatorCode(std::int32_t index) const;
    std::string GetOpName(std::int32_t index) const;
    void Clear();

    std::vector<TLoginUserListRec> Rows;
    std::vector<std::string> Lines;
    std::int32_t Count = 0;
    std::int32_t GroupId = 0;
    std::int32_t OpCode = 0;        // the full operator code left out
    std::uint8_t IncludeSelf = 0;
};

// The list read through the data module's system database and transaction.
class TLoginUserListOnDef : public TLoginUserList {
public:
    TLoginUserListOnDef();
    // One row per logon entry of the group (an operator logged on from two
    // computers gives two), without opCode's entries unless includeSelf.
    // Errors are reported when the transaction was started here and passed
    // on in every case.
    void Execute(std::int32_t groupId, std::int32_t opCode, std::uint8_t includeSelf);

private:
    db::Statement statement_;
};

} // namespace vq
