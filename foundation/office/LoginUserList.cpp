#include "foundation/office/LoginUserList.h"

#include <stdexcept>

#include "foundation/data/DataModule.h"
#include "foundation/data/DbErrorReporter.h"
#include "platform/db/Transaction.h"

namespace vq {

namespace {
TDM& dataModule()
{
    if (!DM)
        throw std::logic_error("TLoginUserListOnDef needs the data module");
    return *DM;
}
} // namespace

std::int32_t TLoginUserList::GetOperatorCode(std::int32_t index) const
{
    if (index < 0 || index >= Count || static_cast<std::size_t>(index) >= Rows.size())
        return 0;
    return Rows[static_cast<std::size_t>(index)].OPERATORCODE;
}

std::string TLoginUserList::GetOpName(std::int32_t index) const
{
    if (index < 0 || index >= Count || static_cast<std::size_t>(index) >= Rows.size())
        return {};
    return Rows[static_cast<std::size_t>(index)].OPNAME;
}

void TLoginUserList::Clear()
{
    Rows.clear();
    Lines.clear();
    Count = 0;
    OpCode = 0;
}

TLoginUserListOnDef::TLoginUserListOnDef()
    : statement_(dataModule().IBDatabaseDEF.attachment(), dataModule().IBTransactionDEF)
{
}

void TLoginUserListOnDef::Execute(std::int32_t groupId, std::int32_t opCode, std::uint8_t includeSelf)
{
    Clear();
    GroupId = groupId;
    OpCode = opCode;
    IncludeSelf = includeSelf;
    db::TransactionScope scope(dataModule().IBTransactionDEF);
    try {
        std::string sql = "SELECT L.OPERATORCODE,L.PCNAME,O.OPNAME FROM LOGONUSERLIST L\n"
                          "INNER JOIN OPERATOR O ON(L.GROUPID=O.GROUPID AND L.OPERATORCODE=O.OPCODE)\n"
                          "WHERE L.GROUPID=:GROUPID\n";
        if (includeSelf == 0)
            sql += "AND L.OPCODE<>:OPCODE\n";
        sql += "GROUP BY L.OPERATORCODE,L.PCNAME,O.OPNAME\nORDER BY L.OPERATORCODE";
        statement_.setSql(sql);
        statement_.param("GROUPID").setInt(groupId);
        if (includeSelf == 0)
            statement_.param("OPCODE").setInt(opCode);
        statement_.execute();
        while (statement_.fetch()) {
            TLoginUserListRec r;
            r.OPERATORCODE = statement_.field("OPERATORCODE").asInt();
            r.PCNAME = statement_.field("PCNAME").asString();
            r.OPNAME = statement_.field("OPNAME").asString();
            Rows.push_back(r);
            Lines.push_back(std::to_string(r.OPERATORCODE) + ":" + r.OPNAME);
        }
        Count = static_cast<std::int32_t>(Lines.size());
        scope.commit();
    } catch (...) {
        statement_.close();
        if (scope.startedHere()) {
            ReportCurrentException("TLoginUserListOnDef.Execute", "ログインユーザーリストの取得に失敗しました。");
            scope.commit();
        }
        throw;
    }
}

} // namespace vq
