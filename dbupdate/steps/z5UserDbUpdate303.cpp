#include "dbupdate/steps/z5UserDbUpdate303.h"

#include "dbupdate/steps/PartFileStep.h"
#include "foundation/app/AccInf.h"

namespace vq::z5UserDbUpdate303 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    part_file_step::FillRec(rec, 3, 0, 3, DoUpdate, "科目設定プログラムの改修 他",
                           "１）医療法人用の科目設定の更新プログラムを改修します。\r２）医療法人用の残高集計プログラムを改修します。");
}

TUpdateScheme Scheme()
{
    TUpdateScheme s = part_file_step::DataScheme(3, 0, 3, 6);
    s.SetNames = false;
    s.RecordFirst = false;
    s.UsePart = part_file_step::ByDataKind({}, {1, 2, 3, 4, 5, 6});
    // The name of the real-estate income line of an individual's real-estate
    // data becomes editable.
    if (AccInf.DATATYPE == 2 && AccInf.CODETYPE == 2)
        s.Before = [](TUpdateScript& script) {
            script.Add("UPDATE EXTERKS SET KNAMELOCK=0");
            script.Add("WHERE KGROUP='4100' AND SUBREC=3;");
            script.Add("COMMIT;");
        };
    return s;
}

std::int32_t DoUpdate()
{
    return part_file_step::RunPartFileStep(Scheme());
}

} // namespace vq::z5UserDbUpdate303
