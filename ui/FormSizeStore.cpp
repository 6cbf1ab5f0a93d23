#include "ui/FormSizeStore.h"

#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"
#include "foundation/data/DbErrorReporter.h"
#include "foundation/data/QueryFactory.h"
#include "platform/db/DbError.h"
#include "platform/db/Transaction.h"

namespace vq::ui {

namespace {

bool systemDatabaseOpen()
{
    return DM != nullptr && DM->IBDatabaseDEF.connected();
}

} // namespace

std::optional<FormBounds> GetFormSize(const std::string& formName, const FormBounds& firstBounds)
{
    if (!systemDatabaseOpen())
        return std::nullopt;
    auto q = CreateAccQuery(kAccDef, false);
    if (!q)
        return std::nullopt;
    try {
        db::TransactionScope scope(DM->IBTransactionDEF);
        q->setSql("SELECT FMTOP,FMLEFT,FMHEIGHT,FMWIDTH FROM FORMRSIZE "
                  "WHERE FMNAME=:FMNAME AND OPCODE=:OPCODE");
        q->param("FMNAME").setString(formName);
        q->param("OPCODE").setInt(SystemDef.OPCODE);
        q->execute();
        FormBounds b = firstBounds;
        if (q->fetch()) {
            b = {q->field("FMTOP").asInt(), q->field("FMLEFT").asInt(), q->field("FMHEIGHT").asInt(),
                 q->field("FMWIDTH").asInt()};
            q->close();
        } else {
            // The insert names no columns: the table's column order binds.
            q->setSql("INSERT INTO FORMRSIZE "
                      "VALUES(:OPCODE ,:FNAME,:TOP,:LEFT,:HEIGHT,:WIDTH,:DEFHEIGHT,:DEFWIDTH)");
            q->param("OPCODE").setInt(SystemDef.OPCODE);
            q->param("FNAME").setString(formName);
            q->param("TOP").setInt(b.top);
            q->param("LEFT").setInt(b.left);
            q->param("HEIGHT").setInt(b.height);
            q->param("WIDTH").setInt(b.width);
            q->param("DEFHEIGHT").setInt(b.height);
            q->param("DEFWIDTH").setInt(b.width);
            q->execute();
        }
        scope.commit();
        return b;
    } catch (const db::DbError& e) {
        ReportDbError(e, "TBSDI.GetFormSize", "", true);
        return std::nullopt;
    }
}

bool PutFormSize(const std::string& formName, const FormBounds& bounds)
{
    if (!systemDatabaseOpen())
        return false;
    auto q = CreateAccQuery(kAccDef, false);
    if (!q)
        return false;
    try {
        db::TransactionScope scope(DM->IBTransactionDEF);
        q->setSql("UPDATE FORMRSIZE SET FMTOP=:FMTOP,FMLEFT=:FMLEFT,FMHEIGHT=:FMHEIGHT,FMWIDTH=:FMWIDTH "
                  "WHERE OPCODE=:OPCODE AND FMNAME=:FMNAME");
        q->param("FMTOP").setInt(bounds.top);
        q->param("FMLEFT").setInt(bounds.left);
        q->param("FMHEIGHT").setInt(bounds.height);
        q->param("FMWIDTH").setInt(bounds.width);
        q->param("OPCODE").setInt(SystemDef.OPCODE);
        q->param("FMNAME").setString(formName);
        q->execute();
        scope.commit();
        return true;
    } catch (const db::DbError& e) {
        ReportDbError(e, "TBSDI.PutFormSize", "", true);
        return false;
    }
}

} // namespace vq::ui
