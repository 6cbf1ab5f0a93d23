#pragma once
// The fixed-asset registers of the sample clients beyond the straight-line
// assets each starts with: every depreciation method (declining balance,
// equal instalments, lump sum, small assets, lease period) and every regime
// (old methods before 2007-04-01, the 250 % era, the 200 % era, the 250 %
// election), with the register's stored amounts for the fiscal year 2024 and
// the books to match (opening balances, purchases of the year, year-end
// depreciation with the private share to 事業主貸).
#include <cstdint>
#include <string>
#include <vector>

#include "tools/SampleDataSet.h"

namespace vq::tools {

// One register row (KS_SISAN); amounts in yen, rates in 1/10,000.
struct SampleFixedAsset {
    int rec;
    const char* account;      // KCODE, the asset's account
    const char* name;         // MEISYOU
    int method;               // GSHOUHOU 1-6
    const char* acquired;     // SYUTODATE, yyyy-mm-dd
    std::int64_t cost;        // SYUTOKIN
    std::int64_t opening;     // KISYUMISYOUKIN (0 for an asset of the year)
    std::int64_t base;        // KISOKIN
    int life;                 // TAIYOUYY; lease months for method 6
    std::int64_t rate;        // SYOURITU x 10,000
    int fromMonth;            // SYOUKIKANSTR (SYOUKIKANEND is 12)
    std::int64_t amount;      // FUTUSYOUKIN = SYOUKINKEI
    std::int64_t closing;     // MATUMISYOUKIN
    std::int64_t revisedCost; // KAITEISYUTOKUKAGAKU
    std::int64_t guarantee;   // ZANKAHOSYOUGAKU
    int teiritu250;           // TEIRITU250
    int share;                // JIGYOUWARIAI_NEW, percent
    const char* remarks;      // TEKIYO
};

// The further assets of the sample client of a statement kind (1 general,
// 2 real estate, 4 agriculture); none for other kinds.
std::vector<SampleFixedAsset> sampleFixedAssets(int codeType);

// The INSERT of one register row.
std::string sampleFixedAssetSql(const SampleFixedAsset& asset);

// Adds the assets to the register and the books of the sample client
// "0001" (general), "0002" (real estate) or "0003" (agriculture); other
// data sets stay as they are.
void addSampleFixedAssets(SampleDataSet& set);

} // namespace vq::tools
