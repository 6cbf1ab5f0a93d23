#include "linkage/statements/FudosanKessansyoIO.h"

namespace vq {

TFudosanKessansyoIO::TFudosanKessansyoIO()
{
    InitRec();
}

bool TFudosanKessansyoIO::Load(std::int32_t ignoreHandEntered)
{
    InitRec();
    if (!LoadBalances())
        return false;
    return SelectFudosan(ignoreHandEntered);
}

void TFudosanKessansyoIO::InitRec()
{
    Rec = {};
    InitHeader(Rec);
}

bool TFudosanKessansyoIO::SelectFudosan(std::int32_t)
{
    return false;
}

void TFudosanKessansyoIO::CalcTotals()
{
}

} // namespace vq
