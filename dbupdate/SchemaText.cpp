#include "dbupdate/SchemaText.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <set>
#include <sstream>

#include "platform/db/Attachment.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"

namespace vq {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

// Runs of whitespace as one blank, none at either end: the same definition
// typed with another layout reads the same.
std::string oneLine(const std::string& text)
{
    std::string out;
    bool blank = false;
    for (char c : text) {
        if (isBlank(c)) {
            blank = !out.empty();
            continue;
        }
        if (blank)
            out += ' ';
        blank = false;
        out += c;
    }
    return out;
}

// A source's lines, each as oneLine, empty ones left out.
std::vector<std::string> sourceLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        line = oneLine(line);
        if (!line.empty())
            lines.push_back(std::move(line));
    }
    return lines;
}

// "DEFAULT 0" and "default 0" are the same default.
std::string defaultText(const std::string& source)
{
    std::string text = oneLine(source);
    if (text.size() >= 7) {
        std::string word = text.substr(0, 7);
        std::transform(word.begin(), word.end(), word.begin(), [](unsigned char c) { return std::toupper(c); });
        if (word == "DEFAULT")
            text.replace(0, 7, "DEFAULT");
    }
    return text;
}

// Names the engine makes up for unnamed constraints and their indexes: they
// depend on the order objects were made in, not on the schema.
bool engineNamed(const std::string& name)
{
    return name.rfind("INTEG_", 0) == 0 || name.rfind("RDB$", 0) == 0;
}

std::string joined(const std::vector<std::string>& names)
{
    std::string out;
    for (const auto& n : names)
        out += (out.empty() ? "" : ", ") + n;
    return out;
}

using Row = db::Statement;

void eachRow(db::Attachment& db, db::Transaction& tr, const std::string& sql, const std::function<void(Row&)>& f)
{
    db::Statement st(db, tr, sql);
    st.execute();
    while (st.fetch())
        f(st);
}

std::string str(Row& r, const char* name) { return r.field(name).asString(); }
int num(Row& r, const char* name) { return r.field(name).asInt(); }
bool null(Row& r, const char* name) { return r.field(name).isNull(); }

// The type columns every query below selects under the same names, from the
// RDB$FIELDS row F (or, where F may be missing, the row's own columns);
// collation names the collation id that overrides F's own.
std::string typeColumns(const std::string& f = "F.", const std::string& own = "", const std::string& collation = "")
{
    auto col = [&](const char* name) {
        return own.empty() ? f + name : "COALESCE(" + f + name + ", " + own + name + ")";
    };
    const std::string coll = collation.empty() ? col("RDB$COLLATION_ID") : "COALESCE(" + collation + ", " + col("RDB$COLLATION_ID") + ")";
    return col("RDB$FIELD_TYPE") + " AS FT, " + col("RDB$FIELD_SUB_TYPE") + " AS FST, " + col("RDB$FIELD_LENGTH") +
           " AS FLEN, " + col("RDB$FIELD_SCALE") + " AS FSCALE, " + col("RDB$FIELD_PRECISION") + " AS FPREC, " +
           col("RDB$CHARACTER_LENGTH") + " AS CLEN, " + f + "RDB$SEGMENT_LENGTH AS SEGLEN, "
           "(SELECT CS.RDB$CHARACTER_SET_NAME FROM RDB$CHARACTER_SETS CS WHERE CS.RDB$CHARACTER_SET_ID = " +
           col("RDB$CHARACTER_SET_ID") + ") AS CSNAME, "
           "(SELECT CO.RDB$COLLATION_NAME FROM RDB$COLLATIONS CO WHERE CO.RDB$CHARACTER_SET_ID = " +
           col("RDB$CHARACTER_SET_ID") + " AND CO.RDB$COLLATION_ID = " + coll + ") AS COLLNAME";
}

// The type as DDL would write it, with its character set and collation.
std::string typeText(Row& r)
{
    const int ft = num(r, "FT"), sub = num(r, "FST"), scale = num(r, "FSCALE");
    const int length = null(r, "CLEN") ? num(r, "FLEN") : num(r, "CLEN");
    std::string t;
    bool text = false;
    switch (ft) {
    case 7: case 8: case 16:
        if (sub == 1 || sub == 2 || scale < 0)
            t = std::string(sub == 2 ? "DECIMAL(" : "NUMERIC(") + std::to_string(num(r, "FPREC")) + ", " +
                std::to_string(-scale) + ")";
        else
            t = ft == 7 ? "SMALLINT" : ft == 8 ? "INTEGER" : "BIGINT";
        break;
    case 10: t = "FLOAT"; break;
    case 27: t = "DOUBLE PRECISION"; break;
    case 12: t = "DATE"; break;
    case 13: t = "TIME"; break;
    case 35: t = "TIMESTAMP"; break;
    case 23: t = "BOOLEAN"; break;
    case 14: t = "CHAR(" + std::to_string(length) + ")"; text = true; break;
    case 37: t = "VARCHAR(" + std::to_string(length) + ")"; text = true; break;
    case 40: t = "CSTRING(" + std::to_string(length) + ")"; text = true; break;
    case 261:
        t = "BLOB SUB_TYPE " + std::to_string(sub) + " SEGMENT SIZE " + std::to_string(num(r, "SEGLEN"));
        text = sub == 1;
        break;
    default: t = "TYPE " + std::to_string(ft); break;
    }
    if (text && !null(r, "CSNAME")) {
        const std::string cs = str(r, "CSNAME"), coll = str(r, "COLLNAME");
        t += " CHARACTER SET " + cs;
        if (!coll.empty() && coll != cs)
            t += " COLLATE " + coll;
    }
    return t;
}

// A user domain's name; the engine's own (RDB$n) stand for no domain.
std::string domainText(const std::string& source)
{
    return source.empty() || source.rfind("RDB$", 0) == 0 ? "" : " DOMAIN " + source;
}

std::string triggerEvent(int type)
{
    static const char* const simple[] = {"", "BEFORE INSERT", "AFTER INSERT", "BEFORE UPDATE",
                                         "AFTER UPDATE", "BEFORE DELETE", "AFTER DELETE"};
    if (type >= 1 && type <= 6)
        return simple[type];
    if (type > 6 && type < 128) {
        // Several events in one trigger: two bits per event after the phase.
        std::string events;
        for (int slot = 1; slot <= 3; ++slot) {
            const int e = ((type + 1) >> (slot * 2 - 1)) & 3;
            if (e)
                events += std::string(events.empty() ? "" : " OR ") + (e == 1 ? "INSERT" : e == 2 ? "UPDATE" : "DELETE");
        }
        return std::string(((type + 1) & 1) ? "AFTER " : "BEFORE ") + events;
    }
    return "TYPE " + std::to_string(type);
}

std::string objectKind(int type)
{
    switch (type) {
    case 0: return "TABLE";
    case 1: return "VIEW";
    case 2: return "TRIGGER";
    case 5: return "PROCEDURE";
    case 7: return "EXCEPTION";
    case 8: return "USER";
    case 9: return "DOMAIN";
    case 11: return "CHARACTER SET";
    case 13: return "ROLE";
    case 14: return "GENERATOR";
    case 15: return "FUNCTION";
    case 17: return "COLLATION";
    case 18: return "PACKAGE";
    default: return "OBJECT " + std::to_string(type);
    }
}

const char* const kUser = "COALESCE(RDB$SYSTEM_FLAG, 0) = 0";

void readDatabase(SchemaText& s, db::Attachment& db, db::Transaction& tr)
{
    eachRow(db, tr,
            "SELECT D.RDB$CHARACTER_SET_NAME AS CS, M.MON$SQL_DIALECT AS DIALECT, M.MON$OWNER AS OWNER "
            "FROM RDB$DATABASE D CROSS JOIN MON$DATABASE M",
            [&](Row& r) {
                s.add("DATABASE", "character set " + str(r, "CS"));
                s.add("DATABASE", "dialect " + str(r, "DIALECT"));
                s.add("DATABASE", "owner " + str(r, "OWNER"));
            });
}

void readDomains(SchemaText& s, db::Attachment& db, db::Transaction& tr)
{
    eachRow(db, tr,
            "SELECT F.RDB$FIELD_NAME AS NAME, F.RDB$OWNER_NAME AS OWNER, F.RDB$DEFAULT_SOURCE AS DEF, "
            "F.RDB$VALIDATION_SOURCE AS CHK, F.RDB$NULL_FLAG AS NN, " + typeColumns() +
            " FROM RDB$FIELDS F WHERE COALESCE(F.RDB$SYSTEM_FLAG, 0) = 0 AND F.RDB$FIELD_NAME NOT STARTING WITH 'RDB$'",
            [&](Row& r) {
                const std::string head = "DOMAIN " + str(r, "NAME");
                s.add(head, "owner " + str(r, "OWNER"));
                s.add(head, "type " + typeText(r));
                if (!null(r, "DEF"))
                    s.add(head, defaultText(str(r, "DEF")));
                if (!null(r, "CHK"))
                    s.add(head, oneLine(str(r, "CHK")));
                if (num(r, "NN"))
                    s.add(head, "NOT NULL");
            });
}

// Relations with their columns, then their constraints and indexes (sorted).
void readRelations(SchemaText& s, db::Attachment& db, db::Transaction& tr)
{
    std::map<std::string, std::string> heads;   // relation -> block head
    eachRow(db, tr,
            "SELECT RDB$RELATION_NAME AS NAME, RDB$RELATION_TYPE AS KIND, RDB$VIEW_SOURCE AS SRC, "
            "RDB$OWNER_NAME AS OWNER, RDB$EXTERNAL_FILE AS EXTFILE FROM RDB$RELATIONS WHERE " + std::string(kUser),
            [&](Row& r) {
                static const char* const kinds[] = {"TABLE", "VIEW", "EXTERNAL TABLE", "VIRTUAL TABLE",
                                                    "GLOBAL TEMPORARY TABLE ON COMMIT PRESERVE ROWS",
                                                    "GLOBAL TEMPORARY TABLE ON COMMIT DELETE ROWS"};
                const int kind = num(r, "KIND");
                const std::string head = std::string(kind >= 0 && kind <= 5 ? kinds[kind] : "RELATION") + " " + str(r, "NAME");
                heads[str(r, "NAME")] = head;
                s.add(head, "owner " + str(r, "OWNER"));
                if (!null(r, "EXTFILE"))
                    s.add(head, "file " + str(r, "EXTFILE"));
                if (!null(r, "SRC"))
                    s.add(head, "source " + oneLine(str(r, "SRC")));
            });

    eachRow(db, tr,
            "SELECT RF.RDB$RELATION_NAME AS REL, RF.RDB$FIELD_NAME AS NAME, RF.RDB$FIELD_SOURCE AS DOMAIN_NAME, "
            "RF.RDB$NULL_FLAG AS NN, RF.RDB$DEFAULT_SOURCE AS DEF, F.RDB$COMPUTED_SOURCE AS COMPUTED, " +
                typeColumns("F.", "", "RF.RDB$COLLATION_ID") +
                " FROM RDB$RELATION_FIELDS RF JOIN RDB$FIELDS F ON F.RDB$FIELD_NAME = RF.RDB$FIELD_SOURCE "
                "JOIN RDB$RELATIONS R ON R.RDB$RELATION_NAME = RF.RDB$RELATION_NAME "
                "WHERE COALESCE(R.RDB$SYSTEM_FLAG, 0) = 0 "
                "ORDER BY RF.RDB$RELATION_NAME, RF.RDB$FIELD_POSITION, RF.RDB$FIELD_NAME",
            [&](Row& r) {
                std::string line = "column " + str(r, "NAME") + " " + typeText(r) + domainText(str(r, "DOMAIN_NAME"));
                if (num(r, "NN"))
                    line += " NOT NULL";
                if (!null(r, "DEF"))
                    line += " " + defaultText(str(r, "DEF"));
                if (!null(r, "COMPUTED"))
                    line += " COMPUTED BY " + oneLine(str(r, "COMPUTED"));
                s.add(heads[str(r, "REL")], line);
            });

    std::map<std::string, std::vector<std::string>> segments;   // index -> its columns in order
    eachRow(db, tr,
            "SELECT RDB$INDEX_NAME AS IDX, RDB$FIELD_NAME AS COL FROM RDB$INDEX_SEGMENTS "
            "ORDER BY RDB$INDEX_NAME, RDB$FIELD_POSITION",
            [&](Row& r) { segments[str(r, "IDX")].push_back(str(r, "COL")); });

    std::map<std::string, std::string> checks;   // constraint -> its condition
    eachRow(db, tr,
            "SELECT CC.RDB$CONSTRAINT_NAME AS NAME, T.RDB$TRIGGER_SOURCE AS SRC FROM RDB$CHECK_CONSTRAINTS CC "
            "JOIN RDB$TRIGGERS T ON T.RDB$TRIGGER_NAME = CC.RDB$TRIGGER_NAME",
            [&](Row& r) { checks.emplace(str(r, "NAME"), oneLine(str(r, "SRC"))); });

    std::map<std::string, std::vector<std::string>> extra;   // head -> constraint and index lines
    eachRow(db, tr,
            "SELECT RC.RDB$CONSTRAINT_NAME AS NAME, RC.RDB$CONSTRAINT_TYPE AS KIND, RC.RDB$RELATION_NAME AS REL, "
            "RC.RDB$INDEX_NAME AS IDX, REF.RDB$UPDATE_RULE AS UPD, REF.RDB$DELETE_RULE AS DEL, "
            "UQ.RDB$RELATION_NAME AS REFREL, UQ.RDB$INDEX_NAME AS REFIDX "
            "FROM RDB$RELATION_CONSTRAINTS RC "
            "JOIN RDB$RELATIONS R ON R.RDB$RELATION_NAME = RC.RDB$RELATION_NAME "
            "LEFT JOIN RDB$REF_CONSTRAINTS REF ON REF.RDB$CONSTRAINT_NAME = RC.RDB$CONSTRAINT_NAME "
            "LEFT JOIN RDB$RELATION_CONSTRAINTS UQ ON UQ.RDB$CONSTRAINT_NAME = REF.RDB$CONST_NAME_UQ "
            "WHERE COALESCE(R.RDB$SYSTEM_FLAG, 0) = 0 AND RC.RDB$CONSTRAINT_TYPE <> 'NOT NULL'",
            [&](Row& r) {
                const std::string kind = str(r, "KIND"), name = str(r, "NAME");
                std::string line = kind;
                if (kind == "CHECK")
                    line += " " + checks[name];
                else
                    line += " (" + joined(segments[str(r, "IDX")]) + ")";
                if (kind == "FOREIGN KEY")
                    line += " REFERENCES " + str(r, "REFREL") + " (" + joined(segments[str(r, "REFIDX")]) +
                            ") ON UPDATE " + str(r, "UPD") + " ON DELETE " + str(r, "DEL");
                if (!engineNamed(name))
                    line += " CONSTRAINT " + name;
                extra[heads[str(r, "REL")]].push_back("constraint " + line);
            });

    eachRow(db, tr,
            "SELECT I.RDB$INDEX_NAME AS NAME, I.RDB$RELATION_NAME AS REL, I.RDB$UNIQUE_FLAG AS UQ, "
            "I.RDB$INDEX_TYPE AS DESCENDING, I.RDB$EXPRESSION_SOURCE AS EXPR, I.RDB$INDEX_INACTIVE AS INACTIVE "
            "FROM RDB$INDICES I JOIN RDB$RELATIONS R ON R.RDB$RELATION_NAME = I.RDB$RELATION_NAME "
            "WHERE COALESCE(R.RDB$SYSTEM_FLAG, 0) = 0",
            [&](Row& r) {
                const std::string name = str(r, "NAME");
                std::string line = "index";
                if (!engineNamed(name))
                    line += " " + name;
                if (num(r, "UQ"))
                    line += " UNIQUE";
                if (num(r, "DESCENDING"))
                    line += " DESCENDING";
                line += null(r, "EXPR") ? " (" + joined(segments[name]) + ")" : " COMPUTED BY " + oneLine(str(r, "EXPR"));
                if (num(r, "INACTIVE"))
                    line += " INACTIVE";
                extra[heads[str(r, "REL")]].push_back(line);
            });
    for (auto& [head, lines] : extra) {
        std::sort(lines.begin(), lines.end());
        for (auto& line : lines)
            s.add(head, std::move(line));
    }
}

void addSource(SchemaText& s, const std::string& head, const std::string& source)
{
    for (auto& line : sourceLines(source))
        s.add(head, "| " + line);
}

void readProcedures(SchemaText& s, db::Attachment& db, db::Transaction& tr)
{
    std::map<std::string, std::vector<std::string>> params;
    eachRow(db, tr,
            "SELECT P.RDB$PROCEDURE_NAME AS PROC, P.RDB$PACKAGE_NAME AS PKG, P.RDB$PARAMETER_NAME AS NAME, "
            "P.RDB$PARAMETER_TYPE AS OUTPUT, P.RDB$FIELD_SOURCE AS DOMAIN_NAME, P.RDB$DEFAULT_SOURCE AS DEF, "
            "P.RDB$NULL_FLAG AS NN, P.RDB$PARAMETER_MECHANISM AS MECH, P.RDB$RELATION_NAME AS OFREL, "
            "P.RDB$FIELD_NAME AS OFCOL, " + typeColumns("F.", "", "P.RDB$COLLATION_ID") +
                " FROM RDB$PROCEDURE_PARAMETERS P JOIN RDB$FIELDS F ON F.RDB$FIELD_NAME = P.RDB$FIELD_SOURCE "
                "WHERE COALESCE(P.RDB$SYSTEM_FLAG, 0) = 0 "
                "ORDER BY P.RDB$PROCEDURE_NAME, P.RDB$PARAMETER_TYPE, P.RDB$PARAMETER_NUMBER",
            [&](Row& r) {
                std::string line = std::string(num(r, "OUTPUT") ? "output " : "input ") + str(r, "NAME") + " ";
                if (num(r, "MECH") == 1)
                    line += "TYPE OF ";
                if (!null(r, "OFREL"))
                    line += "COLUMN " + str(r, "OFREL") + "." + str(r, "OFCOL") + " ";
                line += typeText(r) + domainText(str(r, "DOMAIN_NAME"));
                if (num(r, "NN"))
                    line += " NOT NULL";
                if (!null(r, "DEF"))
                    line += " " + defaultText(str(r, "DEF"));
                const std::string pkg = str(r, "PKG");
                params[(pkg.empty() ? "" : pkg + ".") + str(r, "PROC")].push_back(line);
            });
    eachRow(db, tr,
            "SELECT RDB$PROCEDURE_NAME AS NAME, RDB$PACKAGE_NAME AS PKG, RDB$PROCEDURE_TYPE AS KIND, "
            "RDB$OWNER_NAME AS OWNER, RDB$ENGINE_NAME AS ENGINE, RDB$ENTRYPOINT AS ENTRY, "
            "RDB$PROCEDURE_SOURCE AS SRC FROM RDB$PROCEDURES WHERE " + std::string(kUser),
            [&](Row& r) {
                const std::string pkg = str(r, "PKG");
                const std::string name = (pkg.empty() ? "" : pkg + ".") + str(r, "NAME");
                const std::string head = "PROCEDURE " + name;
                s.add(head, "owner " + str(r, "OWNER"));
                s.add(head, num(r, "KIND") == 1 ? "selectable" : "executable");
                if (!null(r, "ENGINE"))
                    s.add(head, "external " + str(r, "ENTRY") + " ENGINE " + str(r, "ENGINE"));
                for (auto& p : params[name])
                    s.add(head, std::move(p));
                addSource(s, head, str(r, "SRC"));
            });
}

void readFunctions(SchemaText& s, db::Attachment& db, db::Transaction& tr)
{
    std::map<std::string, std::vector<std::string>> args;
    eachRow(db, tr,
            "SELECT A.RDB$FUNCTION_NAME AS FUNC, A.RDB$PACKAGE_NAME AS PKG, A.RDB$ARGUMENT_POSITION AS POS, "
            "A.RDB$ARGUMENT_NAME AS NAME, A.RDB$MECHANISM AS MECH, A.RDB$FIELD_SOURCE AS DOMAIN_NAME, "
            "A.RDB$DEFAULT_SOURCE AS DEF, A.RDB$NULL_FLAG AS NN, " +
                typeColumns("F.", "A.", "A.RDB$COLLATION_ID") +
                " FROM RDB$FUNCTION_ARGUMENTS A LEFT JOIN RDB$FIELDS F ON F.RDB$FIELD_NAME = A.RDB$FIELD_SOURCE "
                "WHERE COALESCE(A.RDB$SYSTEM_FLAG, 0) = 0 ORDER BY A.RDB$FUNCTION_NAME, A.RDB$ARGUMENT_POSITION",
            [&](Row& r) {
                std::string line = "argument " + str(r, "POS") + " " + str(r, "NAME") + (null(r, "NAME") ? "" : " ") +
                                   typeText(r) + domainText(str(r, "DOMAIN_NAME"));
                // A backup and restore writes 0 (by value) where a PSQL
                // function's argument had no mechanism: the same meaning.
                if (!null(r, "MECH") && num(r, "MECH") != 0)
                    line += " MECHANISM " + str(r, "MECH");
                if (num(r, "NN"))
                    line += " NOT NULL";
                if (!null(r, "DEF"))
                    line += " " + defaultText(str(r, "DEF"));
                const std::string pkg = str(r, "PKG");
                args[(pkg.empty() ? "" : pkg + ".") + str(r, "FUNC")].push_back(line);
            });
    eachRow(db, tr,
            "SELECT RDB$FUNCTION_NAME AS NAME, RDB$PACKAGE_NAME AS PKG, RDB$OWNER_NAME AS OWNER, "
            "RDB$MODULE_NAME AS MODULE, RDB$ENTRYPOINT AS ENTRY, RDB$ENGINE_NAME AS ENGINE, "
            "RDB$RETURN_ARGUMENT AS RET, RDB$DETERMINISTIC_FLAG AS DET, RDB$FUNCTION_SOURCE AS SRC "
            "FROM RDB$FUNCTIONS WHERE " + std::string(kUser),
            [&](Row& r) {
                const std::string pkg = str(r, "PKG");
                const std::string name = (pkg.empty() ? "" : pkg + ".") + str(r, "NAME");
                const std::string head = "FUNCTION " + name;
                s.add(head, "owner " + str(r, "OWNER"));
                s.add(head, "returns argument " + str(r, "RET"));
                if (num(r, "DET"))
                    s.add(head, "DETERMINISTIC");
                if (!null(r, "MODULE") || !null(r, "ENTRY"))
                    s.add(head, "external " + str(r, "MODULE") + " ENTRY_POINT " + str(r, "ENTRY") +
                                    (null(r, "ENGINE") ? "" : " ENGINE " + str(r, "ENGINE")));
                for (auto& a : args[name])
                    s.add(head, std::move(a));
                addSource(s, head, str(r, "SRC"));
            });
}

void readTriggers(SchemaText& s, db::Attachment& db, db::Transaction& tr)
{
    // Triggers of check constraints and the system's own have a system flag;
    // the constraints describe the former.
    eachRow(db, tr,
            "SELECT RDB$TRIGGER_NAME AS NAME, RDB$RELATION_NAME AS REL, RDB$TRIGGER_TYPE AS KIND, "
            "RDB$TRIGGER_SEQUENCE AS POS, RDB$TRIGGER_INACTIVE AS INACTIVE, RDB$ENGINE_NAME AS ENGINE, "
            "RDB$ENTRYPOINT AS ENTRY, RDB$TRIGGER_SOURCE AS SRC FROM RDB$TRIGGERS WHERE " + std::string(kUser),
            [&](Row& r) {
                const std::string head = "TRIGGER " + str(r, "NAME");
                s.add(head, (null(r, "REL") ? std::string("database") : "on " + str(r, "REL")) + " " +
                                triggerEvent(num(r, "KIND")) + " POSITION " + std::to_string(num(r, "POS")) +
                                (num(r, "INACTIVE") ? " INACTIVE" : " ACTIVE"));
                if (!null(r, "ENGINE"))
                    s.add(head, "external " + str(r, "ENTRY") + " ENGINE " + str(r, "ENGINE"));
                addSource(s, head, str(r, "SRC"));
            });
}

void readOthers(SchemaText& s, db::Attachment& db, db::Transaction& tr)
{
    eachRow(db, tr,
            "SELECT RDB$GENERATOR_NAME AS NAME, RDB$GENERATOR_INCREMENT AS STEP, RDB$OWNER_NAME AS OWNER "
            "FROM RDB$GENERATORS WHERE " + std::string(kUser),
            [&](Row& r) {
                const std::string head = "GENERATOR " + str(r, "NAME");
                s.add(head, "owner " + str(r, "OWNER"));
                s.add(head, "increment " + str(r, "STEP"));
            });
    eachRow(db, tr,
            "SELECT RDB$EXCEPTION_NAME AS NAME, RDB$MESSAGE AS MSG, RDB$OWNER_NAME AS OWNER "
            "FROM RDB$EXCEPTIONS WHERE " + std::string(kUser),
            [&](Row& r) {
                const std::string head = "EXCEPTION " + str(r, "NAME");
                s.add(head, "owner " + str(r, "OWNER"));
                s.add(head, "message " + str(r, "MSG"));
            });
    eachRow(db, tr, "SELECT RDB$ROLE_NAME AS NAME, RDB$OWNER_NAME AS OWNER FROM RDB$ROLES WHERE " + std::string(kUser),
            [&](Row& r) { s.add("ROLE " + str(r, "NAME"), "owner " + str(r, "OWNER")); });

    // The system's own tables, character sets and collations come with
    // their grants to everyone and to the owner.
    std::map<std::string, std::vector<std::string>> grants;
    eachRow(db, tr,
            "SELECT P.RDB$USER AS WHO, P.RDB$USER_TYPE AS WHOKIND, P.RDB$PRIVILEGE AS PRIV, "
            "P.RDB$GRANT_OPTION AS OPT, P.RDB$RELATION_NAME AS OBJ, P.RDB$OBJECT_TYPE AS OBJKIND, "
            "P.RDB$FIELD_NAME AS COL FROM RDB$USER_PRIVILEGES P "
            "WHERE P.RDB$RELATION_NAME NOT STARTING WITH 'RDB$' AND P.RDB$RELATION_NAME NOT STARTING WITH 'MON$' "
            "AND P.RDB$RELATION_NAME NOT STARTING WITH 'SEC$' "
            "AND NOT (P.RDB$OBJECT_TYPE = 11 AND EXISTS (SELECT 1 FROM RDB$CHARACTER_SETS C "
            "  WHERE C.RDB$CHARACTER_SET_NAME = P.RDB$RELATION_NAME AND C.RDB$SYSTEM_FLAG = 1)) "
            "AND NOT (P.RDB$OBJECT_TYPE = 17 AND EXISTS (SELECT 1 FROM RDB$COLLATIONS C "
            "  WHERE C.RDB$COLLATION_NAME = P.RDB$RELATION_NAME AND C.RDB$SYSTEM_FLAG = 1))",
            [&](Row& r) {
                std::string kind = objectKind(num(r, "WHOKIND"));
                std::transform(kind.begin(), kind.end(), kind.begin(), [](unsigned char c) { return std::tolower(c); });
                std::string line = kind + " " + str(r, "WHO") + " " + str(r, "PRIV");
                if (!null(r, "COL"))
                    line += " column " + str(r, "COL");
                if (num(r, "OPT") == 1)
                    line += " WITH GRANT OPTION";
                else if (num(r, "OPT") == 2)
                    line += " WITH ADMIN OPTION";
                grants["PRIVILEGES ON " + objectKind(num(r, "OBJKIND")) + " " + str(r, "OBJ")].push_back(line);
            });
    for (auto& [head, lines] : grants) {
        std::sort(lines.begin(), lines.end());
        for (auto& line : lines)
            s.add(head, std::move(line));
    }
}

// The lines to remove from a and add to b, in order, by their longest
// common subsequence.
void lineDifference(const std::vector<std::string>& a, const std::vector<std::string>& b, std::string& out)
{
    std::size_t head = 0, tailA = a.size(), tailB = b.size();
    while (head < tailA && head < tailB && a[head] == b[head])
        ++head;
    while (tailA > head && tailB > head && a[tailA - 1] == b[tailB - 1])
        --tailA, --tailB;
    const std::size_t n = tailA - head, m = tailB - head;
    std::vector<std::vector<std::uint32_t>> common(n + 1, std::vector<std::uint32_t>(m + 1, 0));
    for (std::size_t i = n; i-- > 0;)
        for (std::size_t j = m; j-- > 0;)
            common[i][j] = a[head + i] == b[head + j] ? common[i + 1][j + 1] + 1
                                                      : std::max(common[i + 1][j], common[i][j + 1]);
    std::size_t i = 0, j = 0;
    while (i < n || j < m) {
        if (i < n && j < m && a[head + i] == b[head + j]) {
            ++i, ++j;
        } else if (i < n && (j == m || common[i + 1][j] >= common[i][j + 1])) {
            out += "-   " + a[head + i++] + "\n";
        } else {
            out += "+   " + b[head + j++] + "\n";
        }
    }
}

void wholeBlock(char sign, const std::string& head, const std::vector<std::string>& lines, std::string& out)
{
    out += std::string(1, sign) + " " + head + "\n";
    for (const auto& line : lines)
        out += std::string(1, sign) + "   " + line + "\n";
}

} // namespace

SchemaText SchemaText::read(db::Attachment& db)
{
    SchemaText s;
    db::Transaction tr(db, db::kSnapshotReadOnly);
    tr.start();
    readDatabase(s, db, tr);
    readDomains(s, db, tr);
    readRelations(s, db, tr);
    readProcedures(s, db, tr);
    readFunctions(s, db, tr);
    readTriggers(s, db, tr);
    readOthers(s, db, tr);
    tr.commit();
    return s;
}

SchemaText SchemaText::readFile(const std::filesystem::path& file)
{
    db::Attachment db;
    db.attach({file.string(), "SYSDBA", ""});
    SchemaText s = read(db);
    db.detach();
    return s;
}

std::string SchemaText::text() const
{
    std::string out;
    for (const auto& [head, lines] : blocks_) {
        out += head + "\n";
        for (const auto& line : lines)
            out += "  " + line + "\n";
    }
    return out;
}

std::string SchemaText::differenceTo(const SchemaText& other) const
{
    std::string out;
    auto a = blocks_.begin(), b = other.blocks_.begin();
    while (a != blocks_.end() || b != other.blocks_.end()) {
        if (b == other.blocks_.end() || (a != blocks_.end() && a->first < b->first)) {
            wholeBlock('-', a->first, a->second, out);
            ++a;
        } else if (a == blocks_.end() || b->first < a->first) {
            wholeBlock('+', b->first, b->second, out);
            ++b;
        } else {
            if (a->second != b->second) {
                out += "  " + a->first + "\n";
                lineDifference(a->second, b->second, out);
            }
            ++a, ++b;
        }
    }
    return out;
}

} // namespace vq
