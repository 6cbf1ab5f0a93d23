#include "linkage/LinkageHooks.h"

#include "datasets/DataListControllerPort.h"
#include "foundation/app/AccConstants.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"
#include "foundation/dataset/DataInfomation.h"
#include "foundation/dataset/DataSetDescription.h"
#include "platform/Interaction.h"
#include "platform/db/Services.h"
#include "platform/db/Transaction.h"
#include "trialbalance/BalanceEngines.h"

#include <exception>
#include <filesystem>

namespace vq::linkage {

namespace {

// DATA_STATUS 1 of the data set's row in the data list, or of its row as a
// child of consolidated data; nothing when the list does not know the folder.
void markDataListRow(const std::string& folder)
{
    if (DM == nullptr)
        return;
    std::int32_t rec = 0;
    std::int32_t childRec = 0;
    DM->GetDataListRec(folder, rec, childRec);
    if (rec <= 0)
        return;
    db::TransactionScope scope(DM->IBTransactionDEF);
    db::Statement& sql = DM->IBSQLDEF;
    if (childRec == 0) {
        sql.setSql("UPDATE DATALIST SET DATA_STATUS=1 WHERE REC=:REC");
        sql.param("REC").setInt(rec);
    } else {
        sql.setSql("UPDATE CHILD_DATALIST SET DATA_STATUS=1 WHERE REC=:REC AND ROWNO=:ROWNO");
        sql.param("REC").setInt(rec);
        sql.param("ROWNO").setInt(childRec);
    }
    sql.execute();
    scope.commit();
}

} // namespace

std::int32_t MenuHostHook(std::int32_t, const std::string&)
{
    return 0;
}

std::int32_t CheckDataBroken(const std::string& host, const std::string& folder, bool silent,
                             const DatabaseValidator& validate)
{
    SystemDef.DataBrokenFlag = 0;
    const std::string path = (std::filesystem::path(folder) / DataDbFileName).string();
    const bool local = host.empty() || host == "127.0.0.1";
    bool sound = false;
    try {
        sound = validate && (local ? validate(3, "", path) : validate(0, host, path));
    } catch (const std::exception&) {
        sound = false;
    }
    if (sound)
        return 1;

    SystemDef.DataBrokenFlag = 1;
    if (!silent)
        platform::showMessage(kDataBrokenMessage, platform::MessageKind::Error);
    // The marks are what the next start will see; failing to set one must not
    // hide the damage that was just found.
    try {
        markDataListRow(folder);
    } catch (const std::exception&) {
    }
    try {
        TDataInfomation info;
        info.WriteDataStatus(folder, 10);
    } catch (const std::exception&) {
    }
    return 0;
}

bool ValidateDataSetDatabase(std::int32_t protocol, const std::string& host, const std::string& dbFile)
{
    // The data module knows which failures only mean "in use" and must not
    // mark a data set as damaged.
    if (DM != nullptr)
        return DM->ValidateDatabase(static_cast<std::uint8_t>(protocol), host, dbFile);
    db::ServiceParams params;
    params.host = protocol == 0 ? host : std::string();
    params.user = SystemDef.DbUser;
    params.password = SystemDef.DbPassword;
    db::Services services(params);
    return services.validate(dbFile).empty();
}

void InstallLinkageHooks(StartProcessFunc launcher, DatabaseValidator validate)
{
    MenuHostProc = MenuHostHook;
    StartProcessProc = std::move(launcher);
    DataBrokenCheckProc = [validate = std::move(validate)](const std::string& host, const std::string& folder,
                                                           bool silent) {
        return CheckDataBroken(host, folder, silent, validate);
    };
}

void RemoveLinkageHooks()
{
    MenuHostProc = nullptr;
    StartProcessProc = nullptr;
    DataBrokenCheckProc = nullptr;
}

void InstallLibraryPorts()
{
    InstallBalanceEngines();
    InstallDataSetDescription();
    InstallDataListController();
}

} // namespace vq::linkage
