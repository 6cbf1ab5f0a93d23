#include "dbupdate/steps/z5UserDbUpdate904.h"

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/PartFileStep.h"
#include "foundation/app/AccInf.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"

namespace vq::z5UserDbUpdate904 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    part_file_step::FillRecentRec(rec, 9, 0, 4, DoUpdate, "中期予算作成時の実績額の調整機能 他",
                                  "１）中期予算作成時に実績額の調整が可能となります。\r２）汎用仕訳データのインポートが可能となります。\r３）他社無償会計ソフトの仕訳データのインポートが可能となります。\r４）ページ辞書からの仕訳追加時にグループ化し登録します。");
}

void CopyKessanPrintFlags()
{
    if (AccInf.DATATYPE == 3)
        return;
    const bool corporate = AccInf.DATATYPE == 1;
    const TSystemDef& d = SystemDef;
    db::Statement q(DM->IBDatabaseDAT.attachment(), DM->IBTransactionDAT,
                    "UPDATE KESSAN SET ZEROKAMOKUPRINT=:ZEROKAMOKUPRINT,ZEROPRINT=:ZEROPRINT,"
                    "SONSHITUSANKAKU=:SONSHITUSANKAKU,SOTOWAKUKAHEN=:SOTOWAKUKAHEN,"
                    "FUSAINOBUKAIPAGE=:FUSAINOBUKAIPAGE,HANBAIHIKUMIIRE=:HANBAIHIKUMIIRE,TEGATASOSAI=:TEGATASOSAI "
                    "WHERE REC=1");
    const auto flag = [corporate](bool on) { return corporate && on ? 1 : 0; };
    q.param("ZEROKAMOKUPRINT").setInt(flag(d.ZeroPrint == 1 || d.ZeroPrint == 2));
    q.param("ZEROPRINT").setInt(flag(d.ZeroPrint == 1));
    q.param("SONSHITUSANKAKU").setInt(corporate ? d.SankakuPlus : 0);
    q.param("SOTOWAKUKAHEN").setInt(flag((d.Reserve2 & 2) != 0));
    q.param("FUSAINOBUKAIPAGE").setInt(flag((d.Reserve2 & 1) != 0));
    q.param("HANBAIHIKUMIIRE").setInt(corporate ? d.KessanHanbaihiKumiire : 0);
    q.param("TEGATASOSAI").setInt(corporate ? d.KessanTegataSousai : 0);
    q.execute();
}

TUpdateScheme Scheme()
{
    TUpdateScheme s = part_file_step::DataScheme(9, 0, 4, 7);
    s.UsePart = part_file_step::ByDataKind({1, 4, 6}, {5, 7});
    s.PostWork = CopyKessanPrintFlags;
    return s;
}

std::int32_t DoUpdate()
{
    return part_file_step::RunPartFileStep(Scheme());
}

} // namespace vq::z5UserDbUpdate904
