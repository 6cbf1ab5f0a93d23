#include "dbupdate/steps/z5SystemDbUpdate904.h"

#include <vector>

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/PartFileStep.h"
#include "foundation/data/DataModule.h"

namespace vq::z5SystemDbUpdate904 {

namespace {

struct OperatorSwitches {
    std::int32_t opCode, tekAuto, torAuto;
};

// Dictionary, association, automatic and no-input of one field.
void putField(std::int32_t opCode, const char* field, std::int32_t autoOpen, const char* inputSetting)
{
    SettingValue input;
    DM->funcGetSysReg(opCode, inputSetting, "整数", "0", input);
    std::int32_t dictionary = autoOpen == 1 ? 1 : 0;
    const std::int32_t association = autoOpen == 2 ? 1 : 0;
    if (dictionary == 0 && association == 0)
        dictionary = 1;
    const std::int32_t automatic = autoOpen == 1 || autoOpen == 2 ? 1 : 0;
    const std::int32_t noInput = input.asInt() > 0 ? 1 : 0;
    const std::string prefix = field;
    DM->funcPutSysReg(opCode, prefix + "＿辞書開く区分", "整数", SettingValue(dictionary));
    DM->funcPutSysReg(opCode, prefix + "＿連想開く区分", "整数", SettingValue(association));
    DM->funcPutSysReg(opCode, prefix + "＿自動開く区分", "整数", SettingValue(automatic));
    DM->funcPutSysReg(opCode, prefix + "＿入力なし区分", "整数", SettingValue(noInput));
}

} // namespace

void SetUpdateRec(TDbUpdateListRec& rec)
{
    rec.Major = 9;
    rec.Minor1 = 0;
    rec.Minor2 = 4;
    rec.UpdateProc = DoUpdate;
    rec.BackupFlag = 1;
    rec.Title = "仕訳帳、元帳の入力方法の管理項目を変更";
    rec.Description = "１）仕訳帳、元帳の入力方法の管理項目を変更しました。";
}

void ConvertDicInputSettings()
{
    std::vector<OperatorSwitches> operators;
    {
        db::Statement q(DM->IBDatabaseDEF.attachment(), DM->IBTransactionDEF,
                        "SELECT OPCODE,DICTEKAUTO,DICTORAUTO FROM SYSDEF ORDER BY OPCODE");
        q.execute();
        while (q.fetch())
            operators.push_back({q.field("OPCODE").asInt(), q.field("DICTEKAUTO").asInt(),
                                 q.field("DICTORAUTO").asInt()});
    }
    for (const auto& o : operators) {
        putField(o.opCode, "摘要", o.tekAuto, "摘要項目の入力区分");
        putField(o.opCode, "取引先", o.torAuto, "取引先項目の入力区分");
    }
}

TUpdateScheme Scheme()
{
    TUpdateScheme s = part_file_step::SystemScheme(9, 0, 4, 0);
    s.PostWork = ConvertDicInputSettings;
    return s;
}

std::int32_t DoUpdate()
{
    return part_file_step::RunPartFileStep(Scheme());
}

} // namespace vq::z5SystemDbUpdate904
