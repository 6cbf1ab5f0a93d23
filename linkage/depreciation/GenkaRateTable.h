#pragma once
// The statutory depreciation rate tables, one row per useful life 0..100
// (rows 0 and 1 are all zero: no statutory rate exists for them). The two
// tables differ only in the declining-balance columns: 250% for assets of
// 2007-04-01 to 2012-03-31 (and the old regime), 200% from 2012-04-01.
// The calculator is given the tables it works with; nothing here is mutable.
#include <array>
#include <cstdint>

namespace vq::linkage {

// Columns of RateTableRow::rates.
enum GenkaRateColumn : int {
    RateStraightLine = 0,     // 定額法 (from 2007-04-01)
    RateDeclining = 1,        // 定率法: 250% or 200% by the table
    RateRevised = 2,          // 改定償却率
    RateGuarantee = 3,        // 保証率
    RateOldStraightLine = 4,  // 旧定額法
    RateOldDeclining = 5,     // 旧定率法
};

struct RateTableRow {
    std::int32_t life = 0;
    std::array<double, 6> rates{};
};

inline constexpr int GenkaMaxLife = 100;
using GenkaRateTable = std::array<RateTableRow, GenkaMaxLife + 1>;

const GenkaRateTable& GenkaRateTable250();
const GenkaRateTable& GenkaRateTable200();

// The pair a calculator is built with; tests may give tables of their own.
struct GenkaRateTables {
    const GenkaRateTable* table250 = &GenkaRateTable250();
    const GenkaRateTable* table200 = &GenkaRateTable200();
};

} // namespace vq::linkage
