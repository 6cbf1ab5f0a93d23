#include "dbupdate/steps/z5SystemDbUpdate500.h"

#include <cstdio>

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/OldSystemStep.h"
#include "dbupdate/steps/StepSql.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "platform/Cp932.h"

namespace vq::z5SystemDbUpdate500 {

namespace {

// NAME holds 40 bytes; a longer folder is named after the standard place.
constexpr std::size_t kNameBytes = 40;

std::string twoDigits(int n)
{
    char text[16];
    std::snprintf(text, sizeof text, "%.2d", n);
    return text;
}

} // namespace

void SetUpdateRec(TDbUpdateListRec& rec)
{
    rec.Major = 5;
    rec.Minor1 = 0;
    rec.Minor2 = 0;
    rec.UpdateProc = DoUpdate;
    rec.BackupFlag = 1;
    rec.Title = "Ｃ／Ｓ版でフォルダ毎にデータを管理する機能を追加";
    rec.Description = "１）Ｃ／Ｓ版でフォルダ毎にデータを管理する機能を追加する。";
}

void AddDataPlaceRows(TUpdateScript& script)
{
    const std::string folder = SystemDef.SysDir;
    const std::string name = platform::cp932::byteLength(folder) > kNameBytes ? "標準の場所" : folder;
    const auto row = [&script](int rec, const std::string& placeName, const std::string& path) {
        script.Add("INSERT INTO DATAPLACEMAN(REC,ORDERKBN,NAME,PATH) VALUES(" + twoDigits(rec) + "," +
                   twoDigits(rec + 1) + ",'" + TUpdateScript::Quoted(placeName) + "','" +
                   TUpdateScript::Quoted(path) + "');");
    };
    row(0, name, folder);
    for (int i = 1; i <= 99; ++i)
        row(i, "", folder + twoDigits(i));
    script.Add("COMMIT;");
}

TUpdateScheme Scheme()
{
    TUpdateScheme s = OldSystemScheme(5, 0, 0, true, "");
    s.After = [](TUpdateScript& script) {
        script.AddSqlText(StepSql("system_5_0_0"));
        AddDataPlaceRows(script);
        if (OemKind == 1 || OemKind == 2) {
            script.Add("UPDATE SYSREG SET STEXT='1' WHERE SCODE='試算表集計出力区分';");
            script.Add("COMMIT;");
        }
    };
    return s;
}

std::int32_t DoUpdate()
{
    return RunUpdateStep(Scheme());
}

} // namespace vq::z5SystemDbUpdate500
