#include "dbupdate/DbUpdateListRec.h"

#include <tuple>

#include "dbupdate/steps/z5SystemDbUpdate031.h"
#include "dbupdate/steps/z5SystemDbUpdate032.h"
#include "dbupdate/steps/z5SystemDbUpdate033.h"
#include "dbupdate/steps/z5SystemDbUpdate101.h"
#include "dbupdate/steps/z5SystemDbUpdate300.h"
#include "dbupdate/steps/z5SystemDbUpdate305.h"
#include "dbupdate/steps/z5SystemDbUpdate307.h"
#include "dbupdate/steps/z5SystemDbUpdate400.h"
#include "dbupdate/steps/z5SystemDbUpdate402.h"
#include "dbupdate/steps/z5SystemDbUpdate500.h"
#include "dbupdate/steps/z5SystemDbUpdate700.h"
#include "dbupdate/steps/z5SystemDbUpdate704.h"
#include "dbupdate/steps/z5SystemDbUpdate800.h"
#include "dbupdate/steps/z5SystemDbUpdate802.h"
#include "dbupdate/steps/z5SystemDbUpdate904.h"
#include "dbupdate/steps/z5SystemDbUpdate1004.h"
#include "dbupdate/steps/z5SystemDbUpdate1101.h"
#include "dbupdate/steps/z5SystemDbUpdate1200.h"
#include "dbupdate/steps/z5UserDbUpdate400.h"
#include "dbupdate/steps/z5UserDbUpdate700.h"
#include "dbupdate/steps/z5UserDbUpdate702.h"
#include "dbupdate/steps/z5UserDbUpdate703.h"
#include "dbupdate/steps/z5UserDbUpdate704.h"
#include "dbupdate/steps/z5UserDbUpdate800.h"
#include "dbupdate/steps/z5UserDbUpdate802.h"
#include "dbupdate/steps/z5UserDbUpdate803.h"
#include "dbupdate/steps/z5UserDbUpdate900.h"
#include "dbupdate/steps/z5UserDbUpdate901.h"
#include "dbupdate/steps/z5UserDbUpdate902.h"
#include "dbupdate/steps/z5UserDbUpdate903.h"
#include "dbupdate/steps/z5UserDbUpdate904.h"
#include "dbupdate/steps/z5UserDbUpdate905.h"
// The data steps of part files.
#include "dbupdate/steps/z5UserDbUpdate300.h"
#include "dbupdate/steps/z5UserDbUpdate301.h"
#include "dbupdate/steps/z5UserDbUpdate303.h"
#include "dbupdate/steps/z5UserDbUpdate304.h"
#include "dbupdate/steps/z5UserDbUpdate306.h"
#include "dbupdate/steps/z5UserDbUpdate307.h"
#include "dbupdate/steps/z5UserDbUpdate402.h"
#include "dbupdate/steps/z5UserDbUpdate500.h"
#include "dbupdate/steps/z5UserDbUpdate502.h"
#include "dbupdate/steps/z5UserDbUpdate505.h"
#include "dbupdate/steps/z5UserDbUpdate600.h"
#include "dbupdate/steps/z5UserDbUpdate610.h"
#include "dbupdate/steps/z5UserDbUpdate613.h"
#include "dbupdate/steps/z5UserDbUpdate1000.h"
#include "dbupdate/steps/z5UserDbUpdate1001.h"
#include "dbupdate/steps/z5UserDbUpdate1003.h"
#include "dbupdate/steps/z5UserDbUpdate1004.h"
#include "dbupdate/steps/z5UserDbUpdate1005.h"
#include "dbupdate/steps/z5UserDbUpdate1100.h"
#include "dbupdate/steps/z5UserDbUpdate1101.h"
#include "dbupdate/steps/z5UserDbUpdate1110.h"
#include "dbupdate/steps/z5UserDbUpdate1200.h"
#include "dbupdate/steps/z5UserDbUpdate1300.h"
#include "dbupdate/steps/z5UserDbUpdate1303.h"
#include "dbupdate/steps/z5UserDbUpdate1400.h"
// The steps of version 10 of the accounting product.
#include "dbupdate/steps/z5UserDbUpdate200.h"
#include "dbupdate/steps/z5UserDbUpdate204.h"
// The oldest data steps.
#include "dbupdate/steps/z5UserDbUpdate011.h"
#include "dbupdate/steps/z5UserDbUpdate012.h"
#include "dbupdate/steps/z5UserDbUpdate013.h"
#include "dbupdate/steps/z5UserDbUpdate014.h"
#include "dbupdate/steps/z5UserDbUpdate015.h"
// The steps of the evaluation releases, 0.2.0 to 0.4.1.
#include "dbupdate/steps/z5UserDbUpdate020.h"
#include "dbupdate/steps/z5UserDbUpdate021.h"
#include "dbupdate/steps/z5UserDbUpdate022.h"
#include "dbupdate/steps/z5UserDbUpdate030.h"
#include "dbupdate/steps/z5UserDbUpdate031.h"
#include "dbupdate/steps/z5UserDbUpdate032.h"
#include "dbupdate/steps/z5UserDbUpdate033.h"
#include "dbupdate/steps/z5UserDbUpdate034.h"
#include "dbupdate/steps/z5UserDbUpdate040.h"
#include "dbupdate/steps/z5UserDbUpdate041.h"
// The steps of the first release, 1.0.0 to 1.0.5.
#include "dbupdate/steps/z5UserDbUpdate100.h"
#include "dbupdate/steps/z5UserDbUpdate101.h"
#include "dbupdate/steps/z5UserDbUpdate102.h"
#include "dbupdate/steps/z5UserDbUpdate103.h"
#include "dbupdate/steps/z5UserDbUpdate105.h"

namespace vq {

namespace {

struct StepVersion {
    std::int32_t major, minor1, minor2, backup;
};

TArrayDbUpdateListRec makeList(std::initializer_list<StepVersion> steps)
{
    TArrayDbUpdateListRec list;
    list.reserve(steps.size());
    for (const auto& s : steps) {
        TDbUpdateListRec rec;
        rec.Major = s.major;
        rec.Minor1 = s.minor1;
        rec.Minor2 = s.minor2;
        rec.BackupFlag = s.backup;
        list.push_back(std::move(rec));
    }
    return list;
}

// Lets each step that exists fill its own slot (the slot keeps its place in
// the list, so its version and backup flag must agree with the step's).
void install(TArrayDbUpdateListRec& list, void (*setUpdateRec)(TDbUpdateListRec&))
{
    TDbUpdateListRec rec;
    setUpdateRec(rec);
    for (auto& slot : list)
        if (slot.Major == rec.Major && slot.Minor1 == rec.Minor1 && slot.Minor2 == rec.Minor2)
            slot = std::move(rec);
}

} // namespace

TArrayDbUpdateListRec SystemUpdateSteps()
{
    auto list = makeList({
        {0, 3, 1, 1}, {0, 3, 2, 0}, {0, 3, 3, 0}, {1, 0, 1, 0}, {3, 0, 0, 0}, {3, 0, 5, 0},
        {3, 0, 7, 0}, {4, 0, 0, 1}, {4, 0, 2, 1}, {5, 0, 0, 1}, {7, 0, 0, 0}, {7, 0, 4, 0},
        {8, 0, 0, 1}, {8, 0, 2, 1}, {9, 0, 4, 1}, {10, 0, 4, 1}, {11, 0, 1, 1}, {12, 0, 0, 1},
    });
    for (auto setUpdateRec : {z5SystemDbUpdate031::SetUpdateRec, z5SystemDbUpdate032::SetUpdateRec,
                              z5SystemDbUpdate033::SetUpdateRec, z5SystemDbUpdate101::SetUpdateRec,
                              z5SystemDbUpdate300::SetUpdateRec, z5SystemDbUpdate305::SetUpdateRec,
                              z5SystemDbUpdate307::SetUpdateRec, z5SystemDbUpdate400::SetUpdateRec,
                              z5SystemDbUpdate402::SetUpdateRec, z5SystemDbUpdate500::SetUpdateRec,
                              z5SystemDbUpdate700::SetUpdateRec, z5SystemDbUpdate704::SetUpdateRec,
                              z5SystemDbUpdate800::SetUpdateRec, z5SystemDbUpdate802::SetUpdateRec,
                              z5SystemDbUpdate904::SetUpdateRec, z5SystemDbUpdate1004::SetUpdateRec,
                              z5SystemDbUpdate1101::SetUpdateRec, z5SystemDbUpdate1200::SetUpdateRec})
        install(list, setUpdateRec);
    return list;
}

TArrayDbUpdateListRec DataUpdateSteps()
{
    auto list = makeList({
        {0, 1, 1, 1},  {0, 1, 2, 1},  {0, 1, 3, 1},  {0, 1, 4, 1},  {0, 1, 5, 1},  {0, 2, 0, 0},
        {0, 2, 1, 1},  {0, 2, 2, 1},  {0, 3, 0, 0},  {0, 3, 1, 1},  {0, 3, 2, 0},  {0, 3, 3, 1},
        {0, 3, 4, 1},  {0, 4, 0, 0},  {0, 4, 1, 1},  {1, 0, 0, 1},  {1, 0, 1, 1},  {1, 0, 2, 1},
        {1, 0, 3, 1},  {1, 0, 5, 1},  {2, 0, 0, 1},  {2, 0, 4, 1},  {3, 0, 0, 1},  {3, 0, 1, 1},
        {3, 0, 3, 1},  {3, 0, 4, 1},  {3, 0, 6, 1},  {3, 0, 7, 1},  {4, 0, 0, 1},  {4, 0, 2, 1},
        {5, 0, 0, 1},  {5, 0, 2, 1},  {5, 0, 5, 1},  {6, 0, 0, 1},  {6, 1, 0, 1},  {6, 1, 3, 1},
        {7, 0, 0, 1},  {7, 0, 2, 1},  {7, 0, 3, 1},  {7, 0, 4, 1},  {8, 0, 0, 1},  {8, 0, 2, 1},
        {8, 0, 3, 1},  {9, 0, 0, 1},  {9, 0, 1, 1},  {9, 0, 2, 1},  {9, 0, 3, 1},  {9, 0, 4, 1},
        {9, 0, 5, 1},  {10, 0, 0, 1}, {10, 0, 1, 1}, {10, 0, 3, 1}, {10, 0, 4, 1}, {10, 0, 5, 1},
        {11, 0, 0, 1}, {11, 0, 1, 1}, {11, 1, 0, 1}, {12, 0, 0, 1}, {13, 0, 0, 1}, {13, 0, 3, 1},
        {14, 0, 0, 1},
    });
    // The oldest data steps, 0.1.1 to 0.1.5.
    install(list, z5UserDbUpdate011::SetUpdateRec);
    install(list, z5UserDbUpdate012::SetUpdateRec);
    install(list, z5UserDbUpdate013::SetUpdateRec);
    install(list, z5UserDbUpdate014::SetUpdateRec);
    install(list, z5UserDbUpdate015::SetUpdateRec);
    // The steps of the evaluation releases, 0.2.0 to 0.4.1.
    install(list, z5UserDbUpdate020::SetUpdateRec);
    install(list, z5UserDbUpdate021::SetUpdateRec);
    install(list, z5UserDbUpdate022::SetUpdateRec);
    install(list, z5UserDbUpdate030::SetUpdateRec);
    install(list, z5UserDbUpdate031::SetUpdateRec);
    install(list, z5UserDbUpdate032::SetUpdateRec);
    install(list, z5UserDbUpdate033::SetUpdateRec);
    install(list, z5UserDbUpdate034::SetUpdateRec);
    install(list, z5UserDbUpdate040::SetUpdateRec);
    install(list, z5UserDbUpdate041::SetUpdateRec);
    // The steps of the first release, 1.0.0 to 1.0.5.
    install(list, z5UserDbUpdate100::SetUpdateRec);
    install(list, z5UserDbUpdate101::SetUpdateRec);
    install(list, z5UserDbUpdate102::SetUpdateRec);
    install(list, z5UserDbUpdate103::SetUpdateRec);
    install(list, z5UserDbUpdate105::SetUpdateRec);
    // The steps of version 10 of the accounting product.
    install(list, z5UserDbUpdate200::SetUpdateRec);
    install(list, z5UserDbUpdate204::SetUpdateRec);
    install(list, z5UserDbUpdate400::SetUpdateRec);
    install(list, z5UserDbUpdate700::SetUpdateRec);
    install(list, z5UserDbUpdate702::SetUpdateRec);
    install(list, z5UserDbUpdate703::SetUpdateRec);
    install(list, z5UserDbUpdate704::SetUpdateRec);
    install(list, z5UserDbUpdate800::SetUpdateRec);
    install(list, z5UserDbUpdate802::SetUpdateRec);
    install(list, z5UserDbUpdate803::SetUpdateRec);
    install(list, z5UserDbUpdate900::SetUpdateRec);
    install(list, z5UserDbUpdate901::SetUpdateRec);
    install(list, z5UserDbUpdate902::SetUpdateRec);
    install(list, z5UserDbUpdate903::SetUpdateRec);
    install(list, z5UserDbUpdate904::SetUpdateRec);
    install(list, z5UserDbUpdate905::SetUpdateRec);
    // The data steps of part files, 3.0.0 to 6.1.3 and 10.0.0 to 14.0.0.
    install(list, z5UserDbUpdate300::SetUpdateRec);
    install(list, z5UserDbUpdate301::SetUpdateRec);
    install(list, z5UserDbUpdate303::SetUpdateRec);
    install(list, z5UserDbUpdate304::SetUpdateRec);
    install(list, z5UserDbUpdate306::SetUpdateRec);
    install(list, z5UserDbUpdate307::SetUpdateRec);
    install(list, z5UserDbUpdate402::SetUpdateRec);
    install(list, z5UserDbUpdate500::SetUpdateRec);
    install(list, z5UserDbUpdate502::SetUpdateRec);
    install(list, z5UserDbUpdate505::SetUpdateRec);
    install(list, z5UserDbUpdate600::SetUpdateRec);
    install(list, z5UserDbUpdate610::SetUpdateRec);
    install(list, z5UserDbUpdate613::SetUpdateRec);
    install(list, z5UserDbUpdate1000::SetUpdateRec);
    install(list, z5UserDbUpdate1001::SetUpdateRec);
    install(list, z5UserDbUpdate1003::SetUpdateRec);
    install(list, z5UserDbUpdate1004::SetUpdateRec);
    install(list, z5UserDbUpdate1005::SetUpdateRec);
    install(list, z5UserDbUpdate1100::SetUpdateRec);
    install(list, z5UserDbUpdate1101::SetUpdateRec);
    install(list, z5UserDbUpdate1110::SetUpdateRec);
    install(list, z5UserDbUpdate1200::SetUpdateRec);
    install(list, z5UserDbUpdate1300::SetUpdateRec);
    install(list, z5UserDbUpdate1303::SetUpdateRec);
    install(list, z5UserDbUpdate1400::SetUpdateRec);
    return list;
}

bool IsNewerStep(std::int32_t a, std::int32_t b, std::int32_t c, std::int32_t x, std::int32_t y, std::int32_t z)
{
    return std::tie(a, b, c) > std::tie(x, y, z);
}

} // namespace vq
