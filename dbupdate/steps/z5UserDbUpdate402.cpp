#include "dbupdate/steps/z5UserDbUpdate402.h"

#include "dbupdate/steps/PartFileStep.h"

namespace vq::z5UserDbUpdate402 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    part_file_step::FillRec(rec, 4, 0, 2, DoUpdate, "消費税の仕入税額控除制度における追加要件に対応 他",
                           "１）消費税の仕入税額控除制度における追加要件に対応します。\r２）還付申告書への「消費税の還付申告に関する明細書」に対応します。\r３）減価償却制度の平成23年12月改正に対応します。");
}

TUpdateScheme Scheme()
{
    TUpdateScheme s = part_file_step::DataScheme(4, 0, 2, 6);
    s.RecordFirst = false;
    s.UsePart = part_file_step::ByDataKind({2}, {});
    return s;
}

std::int32_t DoUpdate()
{
    return part_file_step::RunPartFileStep(Scheme());
}

} // namespace vq::z5UserDbUpdate402
