#include "dbupdate/steps/z5UserDbUpdate505.h"

#include "dbupdate/steps/PartFileStep.h"
#include "foundation/app/AccInf.h"
#include "foundation/app/RunState.h"

namespace vq::z5UserDbUpdate505 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    part_file_step::FillRec(rec, 5, 0, 5, DoUpdate, "法人決算書の手形相殺機能に対応",
                           "１）法人決算書の手形相殺機能に対応します。");
}

TUpdateScheme Scheme()
{
    TUpdateScheme s = part_file_step::DataScheme(5, 0, 5, 5);
    // The offsetting of bills is for corporations: the fourth file in the
    // standard edition, the fifth in the distributor editions.
    const bool corporate = AccInf.DATATYPE != 2 && AccInf.DATATYPE != 3;
    const bool distributor = OemKind == 1 || OemKind == 2;
    const bool anyEdition = OemKind != 0;
    s.UsePart = [byKind = part_file_step::ByDataKind({2}, {3}), corporate, distributor, anyEdition](const std::string& name) {
        const int number = part_file_step::PartNumber(name);
        if (number == 4)
            return corporate && !distributor;
        if (number == 5)
            return corporate && anyEdition;
        return byKind(name);
    };
    return s;
}

std::int32_t DoUpdate()
{
    return part_file_step::RunPartFileStep(Scheme());
}

} // namespace vq::z5UserDbUpdate505
