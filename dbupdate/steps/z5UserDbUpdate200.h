#pragma once
// Data step 2.0.0: the data format of version 10 of the accounting product.
// The journal lists page in the database, the accounts get the bands of the
// budget-versus-actual statement and the monthly budget of the management
// analysis, and the balance, budget and carry-forward procedures are made
// again; individual data moves the depreciation defaults of its owner's
// assets.
#include <cstdint>
#include <string>

#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/UpdateScript.h"

namespace vq::z5UserDbUpdate200 {

void SetUpdateRec(TDbUpdateListRec& rec);
std::int32_t DoUpdate();

// The scheme DoUpdate runs, for the open data set's data kind.
TUpdateScheme Scheme();

// The two list procedures of the journal monitor as this step writes them:
// in order of entry (step 2.0.4 orders them by entry number).
std::string MonitorListsInEntryOrder();

} // namespace vq::z5UserDbUpdate200
