#include "dbupdate/steps/OldSystemStep.h"

#include "dbupdate/steps/StepSql.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"

namespace vq {

TUpdateScheme OldSystemScheme(std::int32_t major, std::int32_t minor1, std::int32_t minor2, bool setNames,
                              const std::string& sqlName)
{
    TUpdateScheme s;
    s.Mode = 0;
    s.Major = major;
    s.Minor1 = minor1;
    s.Minor2 = minor2;
    s.SetNames = setNames;
    s.RecordFirst = false;
    s.Memo = MemoForm::Date;
    if (!sqlName.empty())
        s.After = [sqlName](TUpdateScript& script) { script.AddSqlText(StepSql(sqlName)); };
    return s;
}

void AddDataListUpdate(TUpdateScript& script)
{
    if (ConnectMode != ConnectClientServer)
        return;
    script.Add("SELECT * FROM SP_DATALIST_UPDATE('" + TUpdateScript::Quoted(SystemDef.SysDir) + "');");
    script.Add("COMMIT;");
}

} // namespace vq
