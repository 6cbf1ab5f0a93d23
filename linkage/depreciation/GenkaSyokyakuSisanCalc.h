#pragma once
// The depreciation calculator: for one row of the data set's fixed-asset
// register (KS_SISAN) it works out the asset's depreciation in the open
// fiscal year under the Japanese rules the register follows. The regime comes
// from the acquisition date and the asset's own elections (old methods before
// 2007-04-01, 250% declining balance from then, 200% from 2012-04-01), the
// rate from the statutory table of that regime, then the base, the ordinary
// depreciation with its short-year, 5%-floor, guarantee and revised-rate
// rules, the status and the business-use share. Values the register marks as
// entered by hand (rate, base, ordinary depreciation, revised cost) stand.
//
// The depreciation lists of the settlement statements create one calculator
// per list and call CalcAsset for every register row. The calculator reads
// only; at creation it makes sure the data set keeps the two transitional
// settings of the depreciation group.
//
// The rate tables are given at creation and chosen per asset, so two
// calculators never disturb each other's rates.
#include <cstdint>

#include "foundation/app/AccInf.h"
#include "linkage/depreciation/GenkaRateTable.h"
#include "linkage/depreciation/GenkaSyokyakuKeisanRec.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"

namespace vq::linkage {

class TGenkaSyokyakuSisanCalc {
public:
    // Needs the data module with the data set open; reads in its data-set
    // transaction until SetTransaction gives another. Throws db::DbError when
    // the settings cannot be made sure of.
    explicit TGenkaSyokyakuSisanCalc(GenkaRateTables tables = {});
    TGenkaSyokyakuSisanCalc(const TGenkaSyokyakuSisanCalc&) = delete;
    TGenkaSyokyakuSisanCalc& operator=(const TGenkaSyokyakuSisanCalc&) = delete;

    void SetTransaction(db::Transaction& transaction);

    // Fills result for the register row REC and returns 1; a REC without a
    // row gives the initial values. Starts the transaction when it is not
    // active and then commits it, also when a database error leaves.
    std::int32_t CalcAsset(std::int32_t REC, TGenkaSyokyakuKeisanRec& result);

private:
    void SelectSeido();
    const RateTableRow* TableRow() const;
    void CalcRate();
    void CalcBase();
    void CalcFutuSyoukin();
    Currency FutuSyoukinNew();            // regimes 1 and 2
    Currency FutuSyoukinOld();            // regime 0
    Currency FutuSyoukinOther() const;    // methods 3 to 6, every regime
    void CalcHosyougaku();
    void CalcKaiteiritu();
    void CalcJyoutai();

    Currency Round(Currency value) const;      // to whole yen by SDAI_HASUU1
    Currency GoPercentValue() const;           // 5 % of the cost by SDAI_HASUU2
    int Months() const;                        // M: months of the fiscal year
    int Period() const;                        // P: months depreciated

    GenkaRateTables tables_;
    const GenkaRateTable* current_ = nullptr;
    TACCINF accInf_;
    db::Transaction* transaction_ = nullptr;
    db::Statement query_;
    TGenkaSyokyakuKeisanRec work_;
};

} // namespace vq::linkage
