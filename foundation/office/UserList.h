#pragma once
// The operators of one office group as display lines for combo boxes:
// operators numbered below 10 are never listed; optionally only approvers;
// optionally a first line (operator 0) such as "選択なし".
#include <cstdint>
#include <string>
#include <vector>

#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"

namespace vq {

using TUseSitenList = std::vector<std::string>;

struct TUserListRec {
    std::int32_t GROUPID = 0;
    std::int32_t OPCODE = 0;      // operator number within the group
    std::string OPNAME;
    std::string PASWORD;
    std::int32_t JOBLEVEL = 0;
    std::string NAME;             // name of the job level
    std::uint8_t JIMUSHO = 0;
    std::uint8_t OKINIIRI = 0;
    std::uint8_t KANSA = 0;       // not loaded
    TUseSitenList Sitens;         // not loaded
    std::string DATAPAS;          // not loaded
    std::uint8_t MYNUMBER_ADM = 0;
    std::uint8_t SHONIN = 0;
};

class TUserList {
public:
    // An own read-committed transaction over the system database (and the
    // data set's when it is connected); the statements run on it.
    TUserList();
    // which -1: both statements back on the own transaction; 0: the
    // system-database statement on transaction; other: the data-set one.
    void SetTransaction(db::Transaction& transaction, std::int32_t which);
    void SetOwnTransaction();
    // Loads the operators of GroupId. Errors: reported when the transaction
    // was started here, silent otherwise; Count stays 0.
    void Execute();
    std::int32_t GetOpCode(std::int32_t index) const;
    std::int32_t IndexOfOpCode(std::int32_t opCode) const;
    // All lines, one per line.
    std::string GetText() const;
    void Clear();

    std::string FirstText;
    std::int32_t GroupId = 0;
    std::vector<TUserListRec> Rows;
    std::vector<std::string> Lines;
    std::int32_t Count = 0;
    std::uint8_t QuotedLines = 0;
    std::uint8_t ApproversOnly = 0;

private:
    db::Transaction transaction_;
    db::Transaction* defTransaction_;
    db::Statement defStatement_;
    db::Statement datStatement_;
};

} // namespace vq
