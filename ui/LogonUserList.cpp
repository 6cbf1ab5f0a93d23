#include "ui/LogonUserList.h"

#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"
#include "foundation/data/DbErrorReporter.h"
#include "foundation/data/QueryFactory.h"
#include "platform/db/DbError.h"
#include "platform/db/Transaction.h"

namespace vq::ui {

std::vector<TLoginUserR> LoadOtherLogons()
{
    std::vector<TLoginUserR> users;
    if (DM == nullptr || !DM->IBDatabaseDEF.connected())
        return users;
    auto q = CreateAccQuery(kAccDef, false);
    if (!q)
        return users;
    db::TransactionScope scope(DM->IBTransactionDEF);
    // The loading commits what it started also when it fails; the failure
    // itself is what the caller hears of.
    auto commitQuietly = [&scope] {
        try {
            scope.commit();
        } catch (...) {
        }
    };
    try {
        q->setSql("SELECT * FROM LOGONUSERLIST ");
        q->execute();
        while (q->fetch()) {
            if (q->field("OPCODE").asInt() == SystemDef.OPCODE)
                continue;
            users.push_back({q->field("OPERATORCODE").asInt(), q->field("GROUPID").asInt(), {}});
        }
        q->setSql("SELECT * FROM OPERATOR WHERE GROUPID =:GROUPID and OPCODE =:OPCODE ");
        for (auto& u : users) {
            q->param("GROUPID").setInt(u.GroupId);
            q->param("OPCODE").setInt(u.OperatorCode);
            q->execute();
            if (q->fetch()) {
                u.OpName = q->field("OPNAME").asString();
                q->close();
            }
        }
        scope.commit();
    } catch (const db::DbError& e) {
        ReportDbError(e, "TfmWebMenuL.fnDBConect_OP", "", true);
        commitQuietly();
        throw;
    } catch (...) {
        commitQuietly();
        throw;
    }
    return users;
}

} // namespace vq::ui
