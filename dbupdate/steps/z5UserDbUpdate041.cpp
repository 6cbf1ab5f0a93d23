#include "dbupdate/steps/z5UserDbUpdate041.h"

#include <string>

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/OldDataStep.h"
#include "foundation/app/AccInf.h"

namespace vq::z5UserDbUpdate041 {

namespace {

struct Item {
    const char* text;
    const char* note;
    int choubo, kensaku;
    const char* column;      // the account column, or nullptr
    const char* corporate;   // its account on the corporate chart
    const char* individual;  // and on the others
};

const Item kItems[] = {
    {"監査済み仕訳の修正チェック", "前回監査から今回監査までの間に訂正・追加・削除した監査済み仕訳を確認しました。", 1, 1,
     nullptr, nullptr, nullptr},
    {"現・預金の残高確認", "現金及び預金の残高を確認しました。", 0, 0, nullptr, nullptr, nullptr},
    {"当座残高調整表の作成", "当座残高調整表を作成し、残高照合表と元帳の差額を確認しました。", 3, 0, "TOZ", "1102", "1102"},
    {"売掛残の確認", "売掛金の残高を確認しました。", 0, 0, nullptr, nullptr, nullptr},
    {"買掛残の確認", "買掛金の残高を確認しました。", 0, 0, nullptr, nullptr, nullptr},
    {"受取手形の確認", "受取手形の残高を確認しました。", 0, 0, nullptr, nullptr, nullptr},
    {"支払手形の確認", "支払手形の残高を確認しました。", 0, 0, nullptr, nullptr, nullptr},
    {"経過勘定の確認", "仮払金、未払金等経過勘定の明細を確認しました。", 2, 0, "MOT", "1306", "2104"},
    {"不明勘定の確認", "帳簿入力で相手科目の指定がなかった仕訳を確認し、正しい科目を割り当てました。", 2, 0, "MOT", "1101",
     "1101"},
    {"資本的支出の確認", "修繕費の中に資本的支出（維持管理・原状回復費用）が含まれているかどうかを確認しました。", 2, 0,
     "MOT", "6206", "6109"},
    {"高額経費の確認", "経費処理した取引の中に資産計上すべき取引がなかったかを確認しました。", 1, 1, nullptr, nullptr,
     nullptr},
    {"消費税区分の確認", "商品券の購入を課税取引とするなど、消費税の取り扱いに誤りがないか確認しました。", 2, 0, "MOT",
     "6212", "6107"},
};

} // namespace

void SetUpdateRec(TDbUpdateListRec& rec)
{
    rec.Major = 0;
    rec.Minor1 = 4;
    rec.Minor2 = 1;
    rec.UpdateProc = DoUpdate;
    rec.BackupFlag = 1;
    rec.Title = "監査処理項目の変更";
    rec.Description = "監査処理の規定項目を変更します。";
}

void AddAuditItems(TUpdateScript& script, std::int32_t dataType)
{
    script.Add("DELETE FROM KANSA_ITEM;");
    int rec = 0;
    for (const Item& item : kItems) {
        ++rec;
        std::string mot = "NULL", toz = "NULL";
        if (item.column) {
            const std::string code = std::string("'") + (dataType == 1 ? item.corporate : item.individual) + "'";
            (std::string(item.column) == "MOT" ? mot : toz) = code;
        }
        const std::string n = std::to_string(rec);
        script.Add("INSERT INTO KANSA_ITEM(REC,JUNJO,TEXT,NOTE,PRINT,CHECKMARK,CHOUBO,KENSAKU,SWK_KENSAKU,MOT_KENSAKU,"
                   "MOT_KCODE,MOT_HCODE,MOT_BCODE,TOZ_KCODE,TOZ_HCODE,TOZ_BCODE) VALUES(" +
                   n + "," + n + ",'" + item.text + "','" + item.note + "',0,0," + std::to_string(item.choubo) + "," +
                   std::to_string(item.kensaku) + ",NULL,NULL," + mot + ",NULL,NULL," + toz + ",NULL,NULL);");
    }
    script.Add("COMMIT;");
}

TUpdateScheme Scheme()
{
    const std::int32_t dataType = AccInf.DATATYPE;
    return old_data_step::Scheme(0, 4, 1, [dataType](TUpdateScript& script) { AddAuditItems(script, dataType); });
}

std::int32_t DoUpdate()
{
    return RunUpdateStep(Scheme());
}

} // namespace vq::z5UserDbUpdate041
