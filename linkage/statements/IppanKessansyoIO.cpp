#include "linkage/statements/IppanKessansyoIO.h"

namespace vq {

TIppanKessansyoIO::TIppanKessansyoIO()
{
    InitRec();
}

bool TIppanKessansyoIO::Load(std::int32_t ignoreHandEntered)
{
    InitRec();
    if (!LoadBalances())
        return false;
    return SelectIppan(ignoreHandEntered);
}

void TIppanKessansyoIO::InitRec()
{
    Rec = {};
    InitHeader(Rec);
}

bool TIppanKessansyoIO::SelectIppan(std::int32_t)
{
    return false;
}

void TIppanKessansyoIO::CalcTotals()
{
}

} // namespace vq
