#include "foundation/office/SitenList.h"

#include <array>
#include <map>
#include <stdexcept>

#include "foundation/app/AccConstants.h"
#include "foundation/app/AccInf.h"
#include "foundation/data/DataModule.h"
#include "foundation/data/DbErrorReporter.h"
#include "platform/db/DbError.h"
#include "platform/db/Transaction.h"

namespace vq {

namespace {

TDM& dataModule()
{
    if (!DM)
        throw std::logic_error("TSitenList needs the data module");
    return *DM;
}

std::string noDoubleQuotes(std::string s)
{
    for (char& c : s)
        if (c == '"')
            c = '\'';
    return s;
}

std::string quoted3(const std::string& a, const std::string& b, const std::string& c)
{
    return "\"" + a + "\"\t\"" + b + "\"\t\"" + c + "\"";
}

std::int32_t colourOf(const std::string& xstr)
{
    std::string text;
    TDM::GetTextValue(xstr, "COLOR", text);
    try {
        std::size_t used = 0;
        const long v = std::stol(text, &used);
        return used == text.size() ? static_cast<std::int32_t>(v) : 0;
    } catch (...) {
        return 0;
    }
}

bool blank(const std::string& s)
{
    return s.find_first_not_of(' ') == std::string::npos;
}

const char* const kPermitCase =
    "CASE WHEN MIN(CASE WHEN S.SCODE IN (SELECT SCODE FROM OPLICENSE WHERE OPCODE=:OPCODE) THEN 1\n";

} // namespace

TSitenList::TSitenList()
    : transaction_(&dataModule().IBTransactionDAT),
      statement_(dataModule().IBDatabaseDAT.attachment(), dataModule().IBTransactionDAT)
{
}

void TSitenList::SetTransaction(db::Transaction& transaction)
{
    transaction_ = &transaction;
    statement_.setTransaction(transaction);
}

void TSitenList::Clear()
{
    Rows.clear();
    Lines.clear();
    Count = 0;
    OpCode = 0;
}

std::string TSitenList::GetCode(std::int32_t index) const
{
    if (index < 0 || index >= Count || static_cast<std::size_t>(index) >= Rows.size())
        return {};
    return Rows[static_cast<std::size_t>(index)].Code;
}

std::string TSitenList::wholeDataCaption() const
{
    if (AccInf.SITEN == 0)
        return AccInf.SHOUGOU;
    const int type = AccInf.DATATYPE;
    return type >= 1 && type <= 3 ? SitenTotalNames[static_cast<std::size_t>(type - 1)] : std::string();
}

void TSitenList::addWholeDataRow(std::int32_t bumex)
{
    TSitenListRec r;
    r.Code = " ";
    r.Name = wholeDataCaption();
    r.Kind = 0;
    r.Jigyou = AccInf.IsIryou == 1 ? 0 : 1;
    r.Bumex = bumex;
    Rows.push_back(r);
    Lines.push_back(QuotedLines == 1 ? quoted3(r.Name, "", "") : r.Name);
}

bool TSitenList::everyFacilityPermitted()
{
    statement_.setSql(std::string("SELECT\n") + kPermitCase +
                      "ELSE 0\nEND)=1 THEN 1\n       ELSE 0 END AS PERMIT\nFROM SISETUMST S\nWHERE S.SCODE <> ''");
    statement_.param("OPCODE").setInt(OpCode);
    statement_.execute();
    const bool permitted = statement_.fetch() && statement_.field("PERMIT").asInt() == 1;
    statement_.close();
    return permitted;
}

void TSitenList::addGroups(std::int32_t kind)
{
    const std::string from = "FROM SISETUGROUPLIST S\nINNER JOIN SISETUGROUP G ON (S.GCODE=G.GCODE)\n"
                             "WHERE S.SCODE <> ''\nGROUP BY G.GCODE,G.GNAME\nORDER BY G.GCODE";
    if (OpCode == -1) {
        statement_.setSql("SELECT G.GCODE,G.GNAME, 1 AS PERMIT\n" + from);
    } else {
        statement_.setSql(std::string("SELECT G.GCODE,G.GNAME,\n") + kPermitCase + std::string(86, ' ') +
                          "ELSE 0\n          END)=1 THEN 1\n                 ELSE 0\nEND AS PERMIT\n" + from);
        statement_.param("OPCODE").setInt(OpCode);
    }
    statement_.execute();
    while (statement_.fetch()) {
        if (statement_.field("PERMIT").asInt() != 1)
            continue;
        TSitenListRec r;
        r.Code = statement_.field("GCODE").asString();
        r.Name = statement_.field("GNAME").asString();
        r.Kind = kind;
        r.Jigyou = kind == 5 ? 0 : 1;
        Rows.push_back(r);
        Lines.push_back(QuotedLines == 1 ? quoted3("(" + r.Code + ")", r.Code, noDoubleQuotes(r.Name))
                                         : "(" + r.Code + "):" + r.Name);
    }
}

void TSitenList::addFacilities(bool bumonOnly, bool medical)
{
    std::string sql = "SELECT S.SCODE,S.SNAME,";
    if (medical)
        sql += "S.MB_JIGYOU,";
    sql += bumonOnly ? "S.XSTR FROM SISETUMST S\n" : "S.BUMEX,S.XSTR FROM SISETUMST S\n";
    std::string where = bumonOnly ? "WHERE (S.SCODE<>'') AND (S.BUMEX=1)" : "WHERE (S.SCODE<>'')";
    if (OpCode != -1) {
        sql += "INNER JOIN OPLICENSE O ON (O.SCODE=S.SCODE)\n";
        where += " AND (O.OPCODE=:OPCODE)";
    }
    sql += where;
    if (medical && BusinessKind > 0)
        sql += "\nAND (S.MB_JIGYOU=" + std::to_string(BusinessKind) + ")";
    sql += "\nORDER BY S.SCODE";
    statement_.setSql(sql);
    if (OpCode != -1)
        statement_.param("OPCODE").setInt(OpCode);
    statement_.execute();
    while (statement_.fetch()) {
        TSitenListRec r;
        r.Code = statement_.field("SCODE").asString();
        if (blank(r.Code))
            continue;
        if (medical && Include00 == 0 && r.Code == "00")
            continue;
        r.Name = statement_.field("SNAME").asString();
        r.Kind = bumonOnly ? 3 : 2;
        r.Jigyou = medical ? statement_.field("MB_JIGYOU").asInt() : 1;
        r.Bumex = bumonOnly ? 1 : statement_.field("BUMEX").asInt();
        r.Color = colourOf(statement_.field("XSTR").asString());
        Rows.push_back(r);
        Lines.push_back(QuotedLines == 1 ? quoted3(r.Code, "", noDoubleQuotes(r.Name)) : r.Code + ":" + r.Name);
    }
}

void TSitenList::executeGeneral()
{
    const bool facilities = AccInf.SITEN != 0;
    if (Options & SitenWholeData) {
        if (OpCode == -1 || !facilities || everyFacilityPermitted())
            addWholeDataRow(0);
    }
    if ((Options & SitenGroups) && AccInf.SITEN == 1)
        addGroups(1);
    if (Options & SitenFacilities) {
        if (facilities)
            addFacilities(false, false);
        else if (!(Options & SitenWholeData))
            addWholeDataRow(AccInf.BUMON);
    }
    if (Options & SitenBumonFacilities) {
        if (facilities)
            addFacilities(true, false);
        else if (!(Options & SitenWholeData))
            addWholeDataRow(0);
    }
}

void TSitenList::executeMedical()
{
    const bool facilities = AccInf.SITEN != 0;
    if (Options & SitenWholeData) {
        if (OpCode == -1 || !facilities || everyFacilityPermitted())
            addWholeDataRow(0);
    }
    if ((Options & SitenGroups) && AccInf.SITEN == 1) {
        auto counts = [&](bool forOperator) {
            std::string sql = "SELECT S.MB_JIGYOU,COUNT(S.SCODE) AS RECCNT FROM SISETUMST S\n";
            if (forOperator)
                sql += "INNER JOIN OPLICENSE O ON (O.SCODE=S.SCODE)\n"
                       "WHERE (S.SCODE NOT IN ('','00')) AND (O.OPCODE=:OPCODE)";
            else
                sql += "WHERE (S.SCODE NOT IN ('','00'))";
            if (BusinessKind > 0)
                sql += "\nAND (S.MB_JIGYOU=" + std::to_string(BusinessKind) + ")";
            sql += "\nGROUP BY S.MB_JIGYOU\nORDER BY S.MB_JIGYOU DESC";
            statement_.setSql(sql);
            if (forOperator)
                statement_.param("OPCODE").setInt(OpCode);
            statement_.execute();
            std::map<std::int32_t, std::int32_t> result;
            while (statement_.fetch())
                result[statement_.field("MB_JIGYOU").asInt()] = statement_.field("RECCNT").asInt();
            return result;
        };
        const auto all = counts(false);
        const auto mine = OpCode == -1 ? all : counts(true);
        const std::array<std::pair<std::int32_t, std::size_t>, 4> kinds = {{{8, 1}, {4, 2}, {2, 3}, {1, 4}}};
        for (const auto& [kind, captionIndex] : kinds) {
            const auto a = all.find(kind);
            if (a == all.end() || a->second <= 0)
                continue;
            const auto m = mine.find(kind);
            if (m == mine.end() || m->second != a->second)
                continue;
            TSitenListRec r;
            r.Code = " ";
            r.Name = IryouJigyouNames[captionIndex];
            r.Kind = 1;
            r.Jigyou = kind;
            Rows.push_back(r);
            Lines.push_back(QuotedLines == 1 ? quoted3(r.Name, "", "") : r.Name);
        }
        addGroups(5);
    }
    if (Options & SitenFacilities) {
        if (facilities)
            addFacilities(false, true);
        else if (!(Options & SitenWholeData))
            addWholeDataRow(AccInf.BUMON);
    }
    if (Options & SitenBumonFacilities) {
        if (facilities)
            addFacilities(true, true);
        else if (!(Options & SitenWholeData))
            addWholeDataRow(0);
    }
}

void TSitenList::Execute(std::int32_t opCode)
{
    if (AccInf.IsIryou != 0 && AccInf.IsIryou != 1)
        return;
    const bool medical = AccInf.IsIryou == 1;
    Clear();
    OpCode = dataModule().IsSisetuFree() ? -1 : opCode;
    db::TransactionScope scope(*transaction_);
    try {
        if (medical)
            executeMedical();
        else
            executeGeneral();
        statement_.close();
        Count = static_cast<std::int32_t>(Lines.size());
        scope.commit();
    } catch (...) {
        statement_.close();
        if (!medical || scope.startedHere())
            ReportCurrentException("TSitenList.Execute", "支店リストの取得に失敗しました。");
        scope.commit();
        throw;
    }
}

} // namespace vq
