#pragma once
// One row of a facility's account table as the journal writer keeps it: the
// account, one of its sub-accounts and one department.
#include <cstdint>

#include "foundation/accounting/BalanceRecords.h"

namespace vq {

struct TKamokuRec {
    TKMKREC Kamoku;
    THOJREC Hojo;
    TBUMREC Bumon;
    // Set on the first row of each user code: whether any row of that account
    // has a sub-account code, or a department code, other than a blank.
    std::uint8_t HasHojo = 0;
    std::uint8_t HasBumon = 0;
};

} // namespace vq
