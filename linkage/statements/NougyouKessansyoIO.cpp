#include "linkage/statements/NougyouKessansyoIO.h"

namespace vq {

TNougyouKessansyoIO::TNougyouKessansyoIO()
{
    InitRec();
}

bool TNougyouKessansyoIO::Load(std::int32_t ignoreHandEntered)
{
    InitRec();
    if (!LoadBalances())
        return false;
    return SelectNougyou(ignoreHandEntered);
}

void TNougyouKessansyoIO::InitRec()
{
    Rec = {};
    InitHeader(Rec);
}

bool TNougyouKessansyoIO::SelectNougyou(std::int32_t)
{
    return false;
}

void TNougyouKessansyoIO::CalcTotals()
{
}

} // namespace vq
