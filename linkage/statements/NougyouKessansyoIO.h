#pragma once
// The agriculture statement reader: the data maker uses it for the statement
// kind 4 and writes agriculture income from Rec. It keeps the data set's
// default tax treatment.
#include <cstdint>

#include "linkage/statements/KojinKessansyoIO.h"
#include "linkage/statements/NougyouKessansyoRec.h"

namespace vq {

class TNougyouKessansyoIO : public TKojinKessansyoIO {
public:
    TNougyouKessansyoIO();

    bool Load(std::int32_t ignoreHandEntered) override;
    void InitRec();
    // Reads the statement into Rec; false after an error.
    bool SelectNougyou(std::int32_t ignoreHandEntered);
    void CalcTotals();
    // The depreciation lists and the schedule lines of Rec.
    void SelectGenkaSyokyaku();

    TNougyouKessansyoRec Rec;
};

} // namespace vq
