#include "dbupdate/steps/z5SystemDbUpdate700.h"

#include <stdexcept>

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/PartFileStep.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"

namespace vq::z5SystemDbUpdate700 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    rec.Major = 7;
    rec.Minor1 = 0;
    rec.Minor2 = 0;
    rec.UpdateProc = DoUpdate;
    rec.BackupFlag = 0;
    rec.Title = SystemDef.AppTitle + "１５のデータ形式に変換";
    rec.Description = "１）" + SystemDef.AppTitle + "１５のデータ形式に変換する。";
    if ((OemKind == 1 || OemKind == 2)) {
        rec.Title = "個別原価管理機能の追加";
        rec.Description = "１）個別原価管理機能を追加する。";
    }
}

void ConvertSysIni10()
{
    TSystemDef& d = SystemDef;
    d.OfficeName.clear();
    d.OfficeAddress.clear();
    d.OfficeTel.clear();
    d.OfficeReserve1 = d.OfficeReserve2 = d.OfficeReserve3 = 0;
    TSystemIniRec row;
    row.REC = 10;
    if (!DM->GetSysIni(row))
        throw std::runtime_error("SYSTEMINI cannot be read");
    TDM::GetTextValue(row.SSTR, "NAME", d.OfficeName);
    TDM::GetTextValue(row.SSTR, "JYUSHO", d.OfficeAddress);
    TDM::GetTextValue(row.SSTR, "TEL", d.OfficeTel);
    d.OfficeReserve1 = row.RESERVE1;
    d.OfficeReserve2 = row.RESERVE2;
    if (d.OfficeReserve1 != 1)
        return;
    d.OfficeReserve3 = 1;
    TSystemIniRec written;
    written.REC = 10;
    written.RESERVE1 = row.RESERVE1;
    written.RESERVE2 = row.RESERVE2;
    written.RESERVE3 = 1;
    written.SSTR = "NAME=" + d.OfficeName + "\rJYUSHO=" + d.OfficeAddress + "\rTEL=" + d.OfficeTel + "\r";
    if (!DM->SetSysIni(written))
        throw std::runtime_error("SYSTEMINI cannot be written");
}

TUpdateScheme Scheme()
{
    TUpdateScheme s = part_file_step::SystemScheme(7, 0, 0, 1);
    return s;
}

std::int32_t DoUpdate()
{
    const TUpdateScheme scheme = Scheme();
    if (part_file_step::MissingPart(scheme))
        return UpdateFileMissing;
    RunInStepDatabase(0, ConvertSysIni10);
    return part_file_step::RunPartFileStep(scheme);
}

} // namespace vq::z5SystemDbUpdate700
