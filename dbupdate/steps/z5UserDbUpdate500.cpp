#include "dbupdate/steps/z5UserDbUpdate500.h"

#include "dbupdate/steps/PartFileStep.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"

namespace vq::z5UserDbUpdate500 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    part_file_step::FillRec(rec, 5, 0, 0, DoUpdate, SystemDef.AppTitle + "１３のデータ形式に変換",
                           "１）" + SystemDef.AppTitle + "１３のデータ形式に変換します。\r");
}

TUpdateScheme Scheme()
{
    TUpdateScheme s = part_file_step::DataScheme(5, 0, 0, 11);
    s.RecordFirst = false;
    // The ninth file belongs to the distributor editions.
    s.UsePart = [byKind = part_file_step::ByDataKind({2, 10}, {1, 3})](const std::string& name) {
        return byKind(name) && (part_file_step::PartNumber(name) != 9 || OemKind != 0);
    };
    return s;
}

std::int32_t DoUpdate()
{
    return part_file_step::RunPartFileStep(Scheme());
}

} // namespace vq::z5UserDbUpdate500
