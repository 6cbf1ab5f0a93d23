#pragma once
// The user objects, columns and named constraints of a database built from
// schema/, read from its system tables.
#include <map>
#include <set>
#include <string>

#include "SchemaTestDb.h"

namespace vq::test {

// name -> kind (TABLE, VIEW, TRIGGER, GENERATOR, PROCEDURE, FUNCTION,
// DOMAIN, EXCEPTION, INDEX) of every user object, and TABLE.COLUMN of every column.
struct Metadata {
    std::map<std::string, std::string> objects;
    std::set<std::string> columns;
    std::set<std::string> constraints;   // named by the DDL, not by the engine
};

inline Metadata readMetadata(SchemaTestDb& db)
{
    Metadata m;
    vq::db::Transaction tr(db.attachment());
    tr.start();
    vq::db::Statement st(db.attachment(), tr,
        "SELECT 'TABLE', RDB$RELATION_NAME FROM RDB$RELATIONS "
        " WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0 AND RDB$VIEW_BLR IS NULL "
        "UNION ALL SELECT 'VIEW', RDB$RELATION_NAME FROM RDB$RELATIONS "
        " WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0 AND RDB$VIEW_BLR IS NOT NULL "
        "UNION ALL SELECT 'TRIGGER', RDB$TRIGGER_NAME FROM RDB$TRIGGERS WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0 "
        "UNION ALL SELECT 'GENERATOR', RDB$GENERATOR_NAME FROM RDB$GENERATORS WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0 "
        "UNION ALL SELECT 'PROCEDURE', RDB$PROCEDURE_NAME FROM RDB$PROCEDURES WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0 "
        "UNION ALL SELECT 'FUNCTION', RDB$FUNCTION_NAME FROM RDB$FUNCTIONS WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0 "
        "UNION ALL SELECT 'DOMAIN', RDB$FIELD_NAME FROM RDB$FIELDS "
        " WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0 AND RDB$FIELD_NAME NOT STARTING WITH 'RDB$' "
        "UNION ALL SELECT 'EXCEPTION', RDB$EXCEPTION_NAME FROM RDB$EXCEPTIONS WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0 "
        // Indexes made by CREATE INDEX; those of keys and constraints go with their table.
        "UNION ALL SELECT 'INDEX', I.RDB$INDEX_NAME FROM RDB$INDICES I WHERE COALESCE(I.RDB$SYSTEM_FLAG, 0) = 0 "
        " AND NOT EXISTS (SELECT 1 FROM RDB$RELATION_CONSTRAINTS C WHERE C.RDB$INDEX_NAME = I.RDB$INDEX_NAME)");
    st.execute();
    auto trim = [](std::string s) { return s.erase(s.find_last_not_of(' ') + 1); };
    while (st.fetch())
        m.objects[trim(st.field(std::size_t{1}).asString())] = st.field(std::size_t{0}).asString();
    vq::db::Statement cols(db.attachment(), tr,
        "SELECT F.RDB$RELATION_NAME, F.RDB$FIELD_NAME FROM RDB$RELATION_FIELDS F "
        " JOIN RDB$RELATIONS R ON R.RDB$RELATION_NAME = F.RDB$RELATION_NAME "
        " WHERE COALESCE(R.RDB$SYSTEM_FLAG, 0) = 0");
    cols.execute();
    while (cols.fetch())
        m.columns.insert(trim(cols.field(std::size_t{0}).asString()) + "." + trim(cols.field(std::size_t{1}).asString()));
    vq::db::Statement keys(db.attachment(), tr,
        "SELECT RDB$CONSTRAINT_NAME FROM RDB$RELATION_CONSTRAINTS WHERE RDB$CONSTRAINT_NAME NOT STARTING WITH 'INTEG_'");
    keys.execute();
    while (keys.fetch())
        m.constraints.insert(trim(keys.field(std::size_t{0}).asString()));
    tr.commit();
    return m;
}

} // namespace vq::test
