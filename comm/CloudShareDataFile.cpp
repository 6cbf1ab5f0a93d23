#include "comm/CloudShareDataFile.h"

#include "foundation/app/AccConstants.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"
#include "foundation/data/DbErrorReporter.h"
#include "foundation/data/DmDatabase.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"

namespace vq::comm {

namespace {

constexpr const char* GassanGroup = "基本設定";
constexpr const char* GassanKubunCode = "合算データ区分";
constexpr const char* GassanCountCode = "合算データ数";

// Runs work on the folder's data set in one transaction, committed when work
// returns; an error is reported under label with text and gives false.
template <class Work>
bool onDataSet(const std::string& host, const std::string& folder, const char* label, const char* text, Work work)
{
    try {
        const std::string h = host.empty() ? SystemDef.HostName : host;
        DmDatabase database;
        TDM::PrepareConnection(database, TDM::MakeDatabaseName(h, folder, DataDbFileName, TDM::UsesServer(h)));
        database.connect();
        db::Transaction tr(database.attachment());
        tr.start();
        work(database.attachment(), tr);
        tr.commit();
        return true;
    } catch (...) {
        ReportCurrentException(label, text, false);
        return false;
    }
}

TDataVersion readVersion(db::Attachment& a, db::Transaction& tr)
{
    TDataVersion v;
    db::Statement q(a, tr, "SELECT * FROM ACCVERSION\nWHERE REC=:REC");
    q.param("REC").setInt(1);
    q.execute();
    if (q.fetch()) {
        v.Major = q.field("MAJOR").asInt();
        v.Minor1 = q.field("MINOR1").asInt();
        v.Minor2 = q.field("MINOR2").asInt();
    }
    return v;
}

std::string readReg(db::Attachment& a, db::Transaction& tr, const char* code)
{
    db::Statement q(a, tr, "SELECT * FROM ACCREG\nWHERE AGROUP=:AGROUP and ACODE=:ACODE");
    q.param("AGROUP").setString(GassanGroup);
    q.param("ACODE").setString(code);
    q.execute();
    return q.fetch() ? q.field("ATEXT").asString() : std::string();
}

void writeReg(db::Attachment& a, db::Transaction& tr, const char* code, const std::string& value)
{
    db::Statement q(a, tr, "UPDATE ACCREG SET ATEXT=:ATEXT\nWHERE (AGROUP=:AGROUP) AND (ACODE=:ACODE)");
    q.param("ATEXT").setString(value);
    q.param("AGROUP").setString(GassanGroup);
    q.param("ACODE").setString(code);
    q.execute();
}

} // namespace

bool TDataVersion::HasCloudColumns() const
{
    return Major > 11 || (Major == 11 && (Minor1 >= 1 || (Minor1 == 0 && Minor2 >= 1)));
}

bool ReadDataVersion(const std::string& host, const std::string& folder, TDataVersion& version)
{
    return onDataSet(host, folder, "Cloud_Crear", "クラウドシェア",
                     [&](db::Attachment& a, db::Transaction& tr) { version = readVersion(a, tr); });
}

namespace {

void writeCloudTime(db::Attachment& a, db::Transaction& tr, double time)
{
    if (!readVersion(a, tr).HasCloudColumns())
        return;
    db::Statement q(a, tr, "UPDATE ACCDEF1 SET CLOUD_TIME=:CLOUD_TIME WHERE REC=:REC ");
    q.param("CLOUD_TIME").setDateTime(time);
    q.param("REC").setInt(1);
    q.execute();
}

} // namespace

bool SaveCloudTime(const std::string& host, const std::string& folder, double time)
{
    return onDataSet(host, folder, "Cloud_Time", "クラウドシェア", [&](db::Attachment& a, db::Transaction& tr) {
        writeCloudTime(a, tr, time);
    });
}

bool SaveCloudTimeOnOpenDataSet(const std::string& folder, double time)
{
    if (!DM || !DM->IBDatabaseDAT.connected() || SystemDef.DataDir != folder)
        return SaveCloudTime({}, folder, time);
    try {
        db::Transaction tr(DM->IBDatabaseDAT.attachment());
        tr.start();
        writeCloudTime(DM->IBDatabaseDAT.attachment(), tr, time);
        tr.commit();
        return true;
    } catch (...) {
        ReportCurrentException("Cloud_Time", "クラウドシェア", false);
        return false;
    }
}

bool ReadGassanSetting(const std::string& host, const std::string& folder, TGassanSetting& setting)
{
    return onDataSet(host, folder, "ACCREG", "基本情報の取得に失敗しました。\r",
                     [&](db::Attachment& a, db::Transaction& tr) {
                         setting.Kubun = readReg(a, tr, GassanKubunCode);
                         setting.Count = readReg(a, tr, GassanCountCode);
                     });
}

bool WriteGassanSetting(const std::string& host, const std::string& folder, const TGassanSetting& setting)
{
    return onDataSet(host, folder, "ACCREG", "基本情報の取得に失敗しました。\r",
                     [&](db::Attachment& a, db::Transaction& tr) {
                         writeReg(a, tr, GassanKubunCode, setting.Kubun);
                         writeReg(a, tr, GassanCountCode, setting.Count);
                     });
}

} // namespace vq::comm
