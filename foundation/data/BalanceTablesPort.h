#pragma once
// What opening a data set needs of the trial-balance front, which sits above
// this library: switching its tables to the data set's edition and reading
// the group codes whose total names the data set describes. The front
// installs the port (ConnectBalanceTables in trialbalance/); without it the
// tables are not switched and the general group codes are named.
#include <cstddef>
#include <functional>
#include <string>

namespace vq {

struct BalanceTablesPort {
    std::function<void(bool isMedical)> setBalanceTables;
    // Position i of the group-code table and of the edition group-code table.
    std::function<std::string(std::size_t i)> groupCode;
    std::function<std::string(std::size_t i)> editionGroupCode;
};

// Installs the port; returns the previous one.
BalanceTablesPort setBalanceTablesPort(BalanceTablesPort port);
const BalanceTablesPort& balanceTablesPort();

// The group codes as the front's tables stand now: positions 68, 60, 62, 64
// and 65 of the group-code table (general "5880", "5580", "5680", "5780",
// "5790") and position 0 of the edition table ("5688").
std::string TotalGroupCode(std::size_t position);
std::string EditionTotalGroupCode();

} // namespace vq
