#pragma once
// The data places of the data server (client/server and server-based modes):
// up to 100 folders, each with its own fixed slots of the data list. REC 0 is
// the standard place (its rows live in DATALIST); REC n has the folder of the
// data root followed directly by "%.2d" of n. A place is in use when it has a
// name. This is what the data-place dialog and the selection screen's place
// list stand on; the dialog only moves values between its grid and here.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/db/Statement.h"

namespace vq {

struct TDataPlaceRec {
    std::int32_t REC = 0;
    std::int32_t State = 0;   // 0 as read, 1 new, 2 new name or position, 9 deleted
    std::int32_t ORDERKBN = 0;
    std::string PATH;
    std::string NAME;
    std::string Spare;
};

using TDataPlaceList = std::vector<TDataPlaceRec>;

class TDataPlaceStore {
public:
    TDataPlaceStore();

    TDataPlaceList Places;

    // Reads the places (named ones only, or all) in display order, making the
    // 100 rows on first use. False on an error (the list holds what was read).
    bool LoadPlaces(bool namedOnly);
    // Writes every changed place: a new place gets its fixed slots, a deleted
    // one loses its rows. Raises database errors; states go back to 0.
    void SavePlaces();
    // Reloads the named places; each name followed by "\r".
    void GetPlaceNames(std::string& text);
    std::int32_t GetPlaceRec(std::int32_t index) const;
    void GetPlacePath(std::int32_t index, std::string& path) const;
    std::int32_t IndexOfPlaceRec(std::int32_t rec) const;
    void GetPlacePathOfRec(std::int32_t rec, std::string& path) const;

    // The actions of the dialog, each saved at once. They tell the operator
    // through the interaction seam and answer whether something changed.
    bool CreatePlace(std::int32_t index, const std::string& name);
    bool RenamePlace(std::int32_t index, const std::string& name);
    // Refused (with its message) while any slot folder of the place exists.
    bool DeletePlace(std::int32_t index);
    // Moves the place at index by delta (-1 up, +1 down) and renumbers the order.
    bool MovePlace(std::int32_t index, std::int32_t delta);

private:
    db::Statement IBSQL1;
};

} // namespace vq
