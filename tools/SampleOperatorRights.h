#pragma once
// The operators' rights on a sample data set: the rows the operator
// registration writes when an operator may process a data set that keeps no
// facilities (the whole data set, facility code " ", as default facility and
// as licence). Without them only office-wide operators could open it.
#include <string>
#include <vector>

namespace vq::tools {

// SQL (isql syntax) for a data-set database; operatorCodes are full codes.
std::string operatorRightsSql(const std::vector<int>& operatorCodes);

} // namespace vq::tools
