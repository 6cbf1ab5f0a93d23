#include "dbupdate/steps/z5UserDbUpdate902.h"

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/BudgetRuleRows.h"
#include "dbupdate/steps/PartFileStep.h"
#include "foundation/app/AccInf.h"

namespace vq::z5UserDbUpdate902 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    part_file_step::FillRecentRec(rec, 9, 0, 2, DoUpdate, "仕訳帳の法人全体参照時の機能強化 他",
                                  "１）仕訳帳の法人全体参照時に仕訳登録や他支店への訂正が可能となります。\r２）総勘定元帳の法人全体参照時に仕訳登録や他支店への訂正が可能となります。\r３）仕訳モニターで法人全体の参照が可能となります。");
}

void AddYojituHyokaRules()
{
    if (AccInf.DATATYPE != 3)
        return;
    InsertYojituHyokaRules({
        {"4800", "事業収益", BudgetSide::HigherIsGood},
        {"5100", "変動費", BudgetSide::LowerIsGood},
        {"5400", "限界利益", BudgetSide::HigherIsGood},
        {"5600", "人件費", BudgetSide::LowerIsGood},
        {"5700", "固定費", BudgetSide::LowerIsGood},
        {"6200", "事業利益", BudgetSide::HigherIsGood},
        {"7180", "事業外収益", BudgetSide::HigherIsGood},
        {"7280", "事業外費用", BudgetSide::LowerIsGood},
        {"7300", "経常利益", BudgetSide::HigherIsGood},
        {"8180", "臨時利益", BudgetSide::HigherIsGood},
        {"8280", "臨時損失", BudgetSide::LowerIsGood},
        {"8300", "税引前当期純利益", BudgetSide::HigherIsGood},
    });
    SetAccountBands("7110", BudgetSide::HigherIsGood);
    SetAccountBands("7210", BudgetSide::LowerIsGood);
    SetAccountBands("8110", BudgetSide::HigherIsGood);
    SetAccountBands("8210", BudgetSide::LowerIsGood);
}

TUpdateScheme Scheme()
{
    TUpdateScheme s = part_file_step::DataScheme(9, 0, 2, 5);
    s.UsePart = part_file_step::ByDataKind({}, {3, 4});
    s.PostWork = AddYojituHyokaRules;
    return s;
}

std::int32_t DoUpdate()
{
    return part_file_step::RunPartFileStep(Scheme());
}

} // namespace vq::z5UserDbUpdate902
