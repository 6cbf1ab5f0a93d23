#include "dbupdate/steps/z5UserDbUpdate304.h"

#include <memory>

#include "dbupdate/steps/PartFileStep.h"

namespace vq::z5UserDbUpdate304 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    part_file_step::FillRec(rec, 3, 0, 4, DoUpdate, "現金出納帳の送受信処理の改修",
                           "１）現金出納帳の送受信処理の更新プログラムを改修します。");
}

TUpdateScheme Scheme()
{
    TUpdateScheme s = part_file_step::DataScheme(3, 0, 4, 4);
    s.SetNames = false;
    s.RecordFirst = false;
    auto present = std::make_shared<bool>(false);
    s.PreWork = [present] {
        part_file_step::WithOpenDataSet([&] { *present = part_file_step::DataTriggerExists("KAMOKUMST_AFTER_UPDATE2"); });
        return std::int32_t{UpdateDone};
    };
    s.UsePart = [present](const std::string& name) { return !(*present && part_file_step::PartNumber(name) == 4); };
    return s;
}

std::int32_t DoUpdate()
{
    return part_file_step::RunPartFileStep(Scheme());
}

} // namespace vq::z5UserDbUpdate304
