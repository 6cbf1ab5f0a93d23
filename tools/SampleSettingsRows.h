#pragma once
// The rows of a sample data set's settings that a new facility copies or
// uses: the shipped description dictionary, the depreciation-journal
// settings of an individual's fixed assets, the account groups of the
// budget statements and the chart settings of the sample operator.
#include <string>
#include <vector>

#include "tools/SampleDataSet.h"

namespace vq::tools {

// Statements to run after the accounts and before the first facility.
std::vector<std::string> settingsRowsSql(const SampleDataSet& set, int operatorCode);

} // namespace vq::tools
