#pragma once
// The real-estate statement reader: the data maker uses it for the statement
// kind 2 and writes real-estate income from Rec and the whole FudosanList.
#include <cstdint>

#include "linkage/statements/FudosanKessansyoRec.h"
#include "linkage/statements/KojinKessansyoIO.h"

namespace vq {

class TFudosanKessansyoIO : public TKojinKessansyoIO {
public:
    TFudosanKessansyoIO();

    bool Load(std::int32_t ignoreHandEntered) override;
    const char* FormName() const override { return "青色申告決算書（不動産所得用）"; }
    // Clears Rec (the rental list is left to SelectFudosanList).
    void InitRec();
    // Reads the statement into Rec; false after an error.
    bool SelectFudosan(std::int32_t ignoreHandEntered);
    // Reads every rented property into FudosanList and the first 15 into Rec.
    void SelectFudosanList();
    void CalcTotals();
    // The depreciation lists and the schedule lines of Rec.
    void SelectGenkaSyokyaku();

    TFudosanKessansyoRec Rec;
    TFudosanSyotokuRecArray FudosanList;   // every row of AO_FUDOUSAN in list order
};

} // namespace vq
