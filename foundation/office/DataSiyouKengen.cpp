#include "foundation/office/DataSiyouKengen.h"

#include <filesystem>

#include "foundation/app/AccConstants.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"
#include "foundation/data/DbErrorReporter.h"
#include "foundation/office/SitenList.h"
#include "platform/Interaction.h"

namespace vq {

bool IsDataSiyouKengen(const std::string& folder, const std::function<bool(const std::string& path)>& fileExists)
{
    if (folder.empty() || !DM)
        return false;
    const std::string dataFile = TDM::MakeDatabaseName({}, folder, DataDbFileName, false);
    if (fileExists ? !fileExists(dataFile) : !std::filesystem::exists(std::filesystem::path(dataFile)))
        return true;
    TDM& dm = *DM;
    if (dm.IsSisetuFree())
        return true;
    if (!dm.fnAccDatConnected(SystemDef.HostName, folder, 0))
        return false;
    bool result = false;
    const bool started = dm.IBTransactionDAT.startIfInactive();
    try {
        result = dm.fnGetExistsOpeDefSisetu();
        if (result) {
            // A description that cannot be read has been reported; the
            // lists then decide on what AccInf holds.
            dm.fnGetAccInfo();
            dm.IBTransactionDAT.startIfInactive();
            TSitenList list;
            list.SetTransaction(dm.IBTransactionDAT);
            list.Options = SitenFacilities;
            list.Execute(-1);
            const std::int32_t all = list.Count;
            list.Execute(SystemDef.OPCODE);
            result = list.Count == all;
        }
        if (!result)
            platform::showMessage(DataSiyouKengenRefusal, platform::MessageKind::Information);
    } catch (...) {
        if (started)
            ReportCurrentException("TDataInfomation.IsDataSiyouKengen", "データ使用権限の問い合わせに失敗しました。");
    }
    dm.CloseAccDat(folder, 0, 0);
    return result;
}

} // namespace vq
