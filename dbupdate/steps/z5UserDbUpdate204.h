#pragma once
// Data step 2.0.4: the cash-book special function. The journal monitor pages
// by entry number, the communication identity and the cash-book entry list
// get their tables, a changed entry keeps its number when only its notes
// change, and real-estate data without its asset-posting defaults gets them.
#include <cstdint>

#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/UpdateScript.h"

namespace vq::z5UserDbUpdate204 {

void SetUpdateRec(TDbUpdateListRec& rec);
std::int32_t DoUpdate();

// The scheme DoUpdate runs; building its script reads the open data set.
TUpdateScheme Scheme();

// Real-estate data (individual, code system 2) whose defaults have no row
// for account 1401: the defaults written afresh and the asset-posting
// settings of every facility made again from them (the facility ' ' when
// the data set keeps none). Any other data gets no line. Reads the open
// data set's database on its own; a database that cannot be read throws
// db::DbError.
void AddKsSetSwkInit(TUpdateScript& script);

} // namespace vq::z5UserDbUpdate204
