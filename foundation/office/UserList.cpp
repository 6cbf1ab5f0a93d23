#include "foundation/office/UserList.h"

#include <stdexcept>

#include "foundation/data/DataModule.h"
#include "foundation/data/DbErrorReporter.h"

namespace vq {

namespace {

TDM& dataModule()
{
    if (!DM)
        throw std::logic_error("TUserList needs the data module");
    return *DM;
}

const char* const kJoin = "INNER JOIN LEVELNAME L ON (O.JOBLEVEL=L.LEVELNO)\n"
                          "WHERE (O.GROUPID=:GROUPID) AND (O.OPCODE>=10)";
const char* const kColumns = "SELECT O.GROUPID,O.OPCODE,O.OPNAME,O.JOBLEVEL,L.NAME,O.PASWORD,O.DATAPAS,O.JIMUSHO,"
                             "O.OKINIIRI,O.KANSA,O.MYNUMBER_ADM,O.SHONIN";
// System databases older than the My Number and approval columns.
const char* const kOldColumns = "SELECT O.GROUPID,O.OPCODE,O.OPNAME,O.JOBLEVEL,L.NAME,O.PASWORD,O.DATAPAS,"
                                "O.JIMUSHO,O.OKINIIRI,O.KANSA,0 AS MYNUMBER_ADM,0 AS SHONIN";

std::uint8_t asByte(db::Statement& q, const char* name)
{
    return static_cast<std::uint8_t>(q.field(name).asInt());
}

} // namespace

TUserList::TUserList()
    : transaction_(dataModule().IBDatabaseDEF.attachment(), db::kReadCommitted),
      defTransaction_(&transaction_),
      defStatement_(dataModule().IBDatabaseDEF.attachment(), transaction_),
      datStatement_(dataModule().IBDatabaseDAT.attachment(), transaction_)
{
}

void TUserList::SetTransaction(db::Transaction& transaction, std::int32_t which)
{
    if (which == -1) {
        SetOwnTransaction();
    } else if (which == 0) {
        defTransaction_ = &transaction;
        defStatement_.setTransaction(transaction);
    } else {
        datStatement_.setTransaction(transaction);
    }
}

void TUserList::SetOwnTransaction()
{
    defTransaction_ = &transaction_;
    defStatement_.setTransaction(transaction_);
    datStatement_.setTransaction(transaction_);
}

void TUserList::Clear()
{
    Rows.clear();
    Lines.clear();
    Count = 0;
}

std::int32_t TUserList::GetOpCode(std::int32_t index) const
{
    if (index < 0 || index >= Count || static_cast<std::size_t>(index) >= Rows.size())
        return 0;
    return Rows[static_cast<std::size_t>(index)].OPCODE;
}

std::int32_t TUserList::IndexOfOpCode(std::int32_t opCode) const
{
    for (std::size_t i = 0; i < Rows.size() && static_cast<std::int32_t>(i) < Count; ++i)
        if (Rows[i].OPCODE == opCode)
            return static_cast<std::int32_t>(i);
    return -1;
}

std::string TUserList::GetText() const
{
    std::string text;
    for (const auto& line : Lines)
        text += line + "\n";
    return text;
}

void TUserList::Execute()
{
    Clear();
    if (!FirstText.empty()) {
        TUserListRec first;
        first.GROUPID = GroupId;
        first.OPNAME = FirstText;
        first.JOBLEVEL = 9;
        Rows.push_back(first);
        Lines.push_back(QuotedLines == 1 ? "\"" + FirstText + "\"\t\"\"" : FirstText);
    }
    db::TransactionScope scope(*defTransaction_);
    try {
        std::string condition = kJoin;
        if (ApproversOnly == 1)
            condition += "\nAND (SHONIN>0)";
        defStatement_.setSql("SELECT COUNT(O.GROUPID) AS RECCNT FROM OPERATOR O\n" + condition);
        defStatement_.param("GROUPID").setInt(GroupId);
        defStatement_.execute();
        const std::int32_t counted = defStatement_.fetch() ? defStatement_.field("RECCNT").asInt() : 0;
        defStatement_.close();
        if (counted > 0) {
            Rows.reserve(Rows.size() + static_cast<std::size_t>(counted));
            bool opened = false;
            for (int attempt = 0; attempt < 4 && !opened; ++attempt) {
                try {
                    if (attempt == 0)
                        defStatement_.setSql(std::string(kColumns) + "\nFROM OPERATOR O\n" + condition +
                                             "\nORDER BY O.OPCODE");
                    else
                        defStatement_.setSql(std::string(kOldColumns) + "\nFROM OPERATOR O\n" + kJoin +
                                             "\nORDER BY O.OPCODE");
                    defStatement_.param("GROUPID").setInt(GroupId);
                    defStatement_.execute();
                    opened = true;
                } catch (const db::DbError&) {
                    defStatement_.close();
                }
            }
            if (!opened)
                throw std::runtime_error("OPERATORテーブル参照クエリーの作成エラー");
            for (std::int32_t n = 0; n < counted && defStatement_.fetch(); ++n) {
                TUserListRec r;
                r.GROUPID = defStatement_.field("GROUPID").asInt();
                r.OPCODE = defStatement_.field("OPCODE").asInt();
                r.OPNAME = defStatement_.field("OPNAME").asString();
                r.PASWORD = defStatement_.field("PASWORD").asString();
                r.JOBLEVEL = defStatement_.field("JOBLEVEL").asInt();
                r.NAME = defStatement_.field("NAME").asString();
                r.JIMUSHO = asByte(defStatement_, "JIMUSHO");
                r.OKINIIRI = asByte(defStatement_, "OKINIIRI");
                r.MYNUMBER_ADM = asByte(defStatement_, "MYNUMBER_ADM");
                r.SHONIN = asByte(defStatement_, "SHONIN");
                Rows.push_back(r);
                Lines.push_back(QuotedLines == 1
                                    ? "\"" + std::to_string(r.OPCODE) + "\"\t\"" + r.OPNAME + "\""
                                    : std::to_string(r.OPCODE) + ":" + r.OPNAME);
            }
            defStatement_.close();
        }
        scope.commit();
        Count = static_cast<std::int32_t>(Lines.size());
    } catch (...) {
        defStatement_.close();
        if (scope.startedHere()) {
            ReportCurrentException("TUserList.Execute", "ユーザーリストの取得に失敗しました。");
            scope.commit();
        }
    }
}

} // namespace vq
