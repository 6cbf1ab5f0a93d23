#include "datasets/CloudShareIO.h"

#include <cstdio>

#include "foundation/app/RunState.h"
#include "foundation/data/DataModule.h"
#include "foundation/data/DbErrorReporter.h"
#include "foundation/dataset/DataInfomation.h"
#include "foundation/text/VersionUtils.h"
#include "platform/db/DbError.h"

namespace vq {

TCloudShareIO::TCloudShareIO()
    : Transaction(DM->IBDatabaseDAT.attachment(), db::kReadCommitted),
      Sql1(DM->IBDatabaseDAT.attachment(), Transaction),
      Sql2(DM->IBDatabaseDAT.attachment(), Transaction)
{
}

TCloudShareIO::~TCloudShareIO() = default;

// The common frame: connect when closed, the own transaction started when
// inactive, the work only on data sets newer than 11.0.0, and the database
// closed again when this call opened it - after an error too. An error is
// reported (and rolled back) only when this call started the transaction.
template <class Work>
bool TCloudShareIO::Run(const std::string& host, const std::string& folder, const char* msg, Work&& work)
{
    const bool wasConnected = DM->IBDatabaseDAT.connected();
    if (!wasConnected && !DM->fnAccDatConnected(host, folder, 0))
        return false;
    bool ok = false;
    bool started = false;
    try {
        started = Transaction.startIfInactive();
        Sql1.setSql("SELECT MAJOR,MINOR1,MINOR2 FROM ACCVERSION\nORDER BY MAJOR DESC,MINOR1 DESC,MINOR2 DESC");
        Sql1.execute();
        std::string version = "0.0.0";
        if (Sql1.fetch()) {
            char text[48];
            std::snprintf(text, sizeof text, "%d.%d.%d", Sql1.field("MAJOR").asInt(), Sql1.field("MINOR1").asInt(),
                          Sql1.field("MINOR2").asInt());
            version = text;
        }
        Sql1.close();
        if (IsNewerVersion(version, "11.0.0"))
            work();
        Sql1.close();
        if (started)
            Transaction.commit();
        ok = true;
    } catch (const std::exception& e) {
        Sql1.close();
        if (started) {
            Transaction.rollback();
            if (const auto* dbError = dynamic_cast<const db::DbError*>(&e))
                ReportDbError(*dbError, "TComCloudShare.ClearSetting", msg, true);
            else
                ShowMessageDetail(msg, e.what(), platform::MessageKind::Error);
        }
    }
    if (!wasConnected)
        DM->CloseAccDat(folder, 0, 0);
    return ok;
}

bool TCloudShareIO::SetSetting(const std::string& host, const std::string& folder, std::int32_t value)
{
    return Run(host, folder, "クラウドシェアの設定に失敗しました。", [&] {
        Sql1.setSql("UPDATE ACCDEF1 SET CLOUD_LINE=:CLOUD_LINE\nWHERE REC=1");
        Sql1.param("CLOUD_LINE").setInt(value);
        Sql1.execute();
        if (ConnectMode == ConnectStandAlone) {
            TDataInfomation info;
            info.WriteIniValue(folder, "DATAINFO", "CLOUD_SHARE", value > 0 ? "1" : "0", false);
        }
    });
}

bool TCloudShareIO::ClearSetting(const std::string& host, const std::string& folder)
{
    return SetSetting(host, folder, 0);
}

std::int32_t TCloudShareIO::GetSetting(const std::string& host, const std::string& folder)
{
    std::int32_t line = 0;
    const bool ok = Run(host, folder, "クラウドシェアの参照に失敗しました。", [&] {
        Sql1.setSql("SELECT CLOUD_LINE FROM ACCDEF1\nWHERE REC=1");
        Sql1.execute();
        if (Sql1.fetch())
            line = Sql1.field("CLOUD_LINE").isNull() ? 0 : Sql1.field("CLOUD_LINE").asInt();
    });
    return ok ? line : 0;
}

} // namespace vq
