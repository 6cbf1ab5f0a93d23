#pragma once
// System step 5.0.0: the data places of the client/server edition (the place
// list with its 100 fixed rows, the data lists of the other places, the slot
// procedure over both); the distributor editions also switch the trial
// balance's totals output on, and load the industry code systems.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/UpdateScript.h"

namespace vq::z5SystemDbUpdate500 {

void SetUpdateRec(TDbUpdateListRec& rec);
std::int32_t DoUpdate();
TUpdateScheme Scheme();

// The 100 rows of DATAPLACEMAN for the system-database folder.
void AddDataPlaceRows(TUpdateScript& script);

// The code-system files of the sql folder's sub-folder 500 with the
// USERCODE row each one fills.
struct TCodeSystemFile {
    std::int32_t RecNo = 0;
    std::filesystem::path File;
};
std::vector<TCodeSystemFile> CodeSystemFiles();

// The work before the script: in the distributor editions the code systems
// are imported into their USERCODE rows. 18 when one of the files is missing
// or cannot be read (checked before anything is written); 16 when the system
// database cannot be connected; otherwise 1, also when an import is refused
// (the later ones are then left out). The system database is disconnected
// afterwards, so that isql may have it.
std::int32_t ImportCodeSystems();

} // namespace vq::z5SystemDbUpdate500
