#pragma once
// The general business statement reader: the data maker uses it for the
// statement kinds 1 and 3 and writes business or other income from Rec.
#include <cstdint>

#include "linkage/statements/KojinKessansyoIO.h"
#include "linkage/statements/KojinKessansyoRec.h"

namespace vq {

class TIppanKessansyoIO : public TKojinKessansyoIO {
public:
    TIppanKessansyoIO();

    bool Load(std::int32_t ignoreHandEntered) override;
    const char* FormName() const override { return "青色申告決算書（一般用）"; }
    // Clears Rec: every amount 0, every string empty, the header as before reading.
    void InitRec();
    // Reads the statement into Rec; false after an error.
    bool SelectIppan(std::int32_t ignoreHandEntered);
    // The totals, run after the statement was read.
    void CalcTotals();
    // The depreciation lists and the schedule lines of Rec.
    void SelectGenkaSyokyaku();

    TKojinKessansyoRec Rec;

private:
    // Row 16 of the monthly table: sales and purchases at the reduced rate,
    // summed from the journal.
    void ReadReducedRate();
};

} // namespace vq
