// The depreciation schedules of the three statements: the lists of the
// reader and the schedule lines of its record, from the fixed-asset register.
// Until the register is read here the lists stay empty, so the schedules
// have no lines and a zero total.
#include "linkage/statements/FudosanKessansyoIO.h"
#include "linkage/statements/IppanKessansyoIO.h"
#include "linkage/statements/NougyouKessansyoIO.h"

namespace vq {

void TIppanKessansyoIO::SelectGenkaSyokyaku()
{
    GenkaList.clear();
    SyogakuList.clear();
}

void TFudosanKessansyoIO::SelectGenkaSyokyaku()
{
    GenkaList.clear();
    SyogakuList.clear();
}

void TNougyouKessansyoIO::SelectGenkaSyokyaku()
{
    GenkaList.clear();
    SyogakuList.clear();
}

void TKojinKessansyoIO::SumGenkaTotal(TGenkaSyokyakuRec& total) const
{
    total.FUTUSYOUKIN = total.WARISYOUKIN = total.SYOUKINKEI = total.HITUYOUKEIHI = total.MATUMISYOUKIN = 0;
    for (const auto& line : GenkaList) {
        if (line.GSHOUHOU == 5)
            continue;
        total.FUTUSYOUKIN += line.FUTUSYOUKIN;
        total.WARISYOUKIN += line.WARISYOUKIN;
        total.SYOUKINKEI += line.SYOUKINKEI;
        total.HITUYOUKEIHI += line.HITUYOUKEIHI;
        total.MATUMISYOUKIN += line.MATUMISYOUKIN;
    }
    for (const auto& line : SyogakuList)
        total.HITUYOUKEIHI += line.HITUYOUKEIHI;
}

} // namespace vq
