#pragma once
// Data step 14.0.0: widens the lower line of the journal text. Data sets
// that passed 13.0.3 without the mark "V1304=1" in the MEMO of their
// 13.0.3 version rows may lack the changes of step 13.0.0: the step then
// runs the part files of 13.0.0 once more (when the seventh replacement
// field of the statement-import rules is still missing) and marks those
// rows, with the version record's trigger switched off.
//
// Whether the patch is needed is asked of the data set before the script
// is saved. When it cannot be asked, the step ends with 16 instead of
// running without a patch it may need; a missing part file of 13.0.0 ends
// it with 18.
#include <cstdint>
#include <string>
#include <vector>

#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/UpdateScript.h"

namespace vq::db {
class Statement;
}

namespace vq::z5UserDbUpdate1400 {

void SetUpdateRec(TDbUpdateListRec& rec);
std::int32_t DoUpdate();

// The scheme DoUpdate runs, without the patch.
TUpdateScheme Scheme();

// Appends the patch to script, reading the open data set (connected by the
// caller): 1 when nothing is needed or the patch was added, 16 when the
// data set could not be read (nothing added), 18 when a part file of 13.0.0
// is missing (nothing added).
std::int32_t AddPatch1304(TUpdateScript& script);
// Whether a version row 13.0.3 lacks "V1304=1"; memoLines gets the MEMO
// lines of the last such row. q runs in its own transaction, which must be
// active.
bool IsPatch1304Missing(db::Statement& q, std::vector<std::string>& memoLines);
// The statements that give every 13.0.3 row the MEMO memoLines followed by
// "V1304=1".
void AddPatch1304Mark(TUpdateScript& script, std::vector<std::string> memoLines);

} // namespace vq::z5UserDbUpdate1400
