#include "comm/CloudShareRecord.h"

#include "foundation/app/AccConstants.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"
#include "foundation/data/DmDatabase.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"

namespace vq::comm {

TCloudShareRecord ReadCloudShareRecord(const std::string& host, const std::string& folder)
{
    const std::string h = host.empty() ? SystemDef.HostName : host;
    DmDatabase database;
    TDM::PrepareConnection(database, TDM::MakeDatabaseName(h, folder, DataDbFileName, TDM::UsesServer(h)));
    database.connect();
    db::Transaction tr(database.attachment(), db::kReadCommittedReadOnly);
    tr.start();
    db::Statement has(database.attachment(), tr,
                      "SELECT COUNT(*) FROM RDB$RELATION_FIELDS\n"
                      "WHERE RDB$RELATION_NAME='ACCDEF1' AND RDB$FIELD_NAME IN ('CLOUD_LINE','CLOUD_TIME')");
    has.execute();
    const bool cloudColumns = has.fetch() && has.field(0).asInt() == 2;
    has.close();
    TCloudShareRecord r;
    if (!cloudColumns)
        return r;
    db::Statement q(database.attachment(), tr,
                    "SELECT ENTTEXT,PASWORD,WEB_HOLDER,CLOUD_LINE,CLOUD_TIME FROM ACCDEF1 WHERE REC=1");
    q.execute();
    if (q.fetch()) {
        r.ENTTEXT = q.field("ENTTEXT").asString();
        r.PASWORD = q.field("PASWORD").asString();
        r.WEB_HOLDER = q.field("WEB_HOLDER").asString();
        r.CLOUD_LINE = q.field("CLOUD_LINE").asInt();
        r.CLOUD_TIME = q.field("CLOUD_TIME").asDateTime();
    }
    q.close();
    tr.commit();
    return r;
}

} // namespace vq::comm
