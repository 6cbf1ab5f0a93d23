#include "comm/DataListRow.h"

#include "foundation/app/SystemDef.h"
#include "foundation/calendar/DateText.h"
#include "foundation/data/DataModule.h"
#include "foundation/data/DbErrorReporter.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"

#include <algorithm>
#include <stdexcept>

namespace vq::comm {

namespace {

constexpr const char* Tables[] = {"DATALIST", "DATALIST_EX", "CHILD_DATALIST"};

std::string upperAscii(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
    return text;
}

bool blank(const std::string& text)
{
    return text.find_first_not_of(' ') == std::string::npos;
}

db::Attachment& systemDb()
{
    if (!DM)
        throw std::runtime_error("no data module");
    if (!DM->IBDatabaseDEF.connected() && !DM->fnAccDefConnected(SystemDef.HostName, 1))
        throw std::runtime_error("the system database cannot be reached");
    return DM->IBDatabaseDEF.attachment();
}

} // namespace

std::int32_t CountDataListRows(const std::string& folder)
{
    db::Attachment& attachment = systemDb();
    db::TransactionScope scope(DM->IBTransactionDEF);
    std::int32_t rows = 0;
    for (const char* table : Tables) {
        db::Statement q(attachment, DM->IBTransactionDEF,
                        std::string("SELECT COUNT(*) FROM ") + table +
                            " WHERE (GROUPID=:GROUPID) AND (UPPER(PASNAME)=:PASNAME)");
        q.param("GROUPID").setInt(SystemDef.GROUPID);
        q.param("PASNAME").setString(upperAscii(folder));
        q.execute();
        if (q.fetch())
            rows += q.field(0).asInt();
    }
    scope.commit();
    return rows;
}

void UpdateDataListRow(const std::string& folder, const TDataInfomationRec& info)
{
    if (blank(folder))
        throw std::runtime_error(BadDataFolderMessage);
    db::Attachment& attachment = systemDb();
    db::TransactionScope scope(DM->IBTransactionDEF);
    try {
        std::int64_t rows = 0;
        for (const char* table : Tables) {
            db::Statement q(attachment, DM->IBTransactionDEF,
                            std::string("UPDATE ") + table +
                                "\nSET ENTTEXT=:ENTTEXT,NENDO=:NENDO,KISHU=:KISHU,KIMATU=:KIMATU,"
                                "VER_MAJOR=:VER_MAJOR,VER_MINOR1=:VER_MINOR1,VER_MINOR2=:VER_MINOR2,"
                                "VER_TEXT=:VER_TEXT,UPDATE_LOCK=:UPDATE_LOCK,READ_ONLY=:READ_ONLY\n"
                                "WHERE (GROUPID=:GROUPID) AND (UPPER(PASNAME)=:PASNAME)");
            q.param("ENTTEXT").setString(info.DATALISTNAME);
            q.param("NENDO").setInt(info.NENDO);
            q.param("KISHU").setDateTime(SafeStrToDate(info.KISHU));
            q.param("KIMATU").setDateTime(SafeStrToDate(info.KIMATU));
            q.param("VER_MAJOR").setInt(info.MAJOR);
            q.param("VER_MINOR1").setInt(info.MINOR1);
            q.param("VER_MINOR2").setInt(info.MINOR2);
            q.param("VER_TEXT").setString(info.VERSION2);
            q.param("UPDATE_LOCK").setInt(info.UPDATE_LOCK);
            q.param("READ_ONLY").setInt(info.READ_ONLY);
            q.param("GROUPID").setInt(SystemDef.GROUPID);
            q.param("PASNAME").setString(upperAscii(folder));
            q.execute();
            rows += q.rowsAffected();
        }
        // A folder named by no row, or by several, is not the row this data
        // set belongs to: writing would change the wrong row or none.
        if (rows != 1)
            throw std::runtime_error(BadDataFolderMessage);
        scope.commit();
    } catch (const db::DbError& e) {
        ReportDbError(e, "TDataSentakuBox.UpdateDataListRecord", "", false);
        throw;
    }
}

} // namespace vq::comm
