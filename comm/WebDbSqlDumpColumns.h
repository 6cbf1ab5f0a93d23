#pragma once
// The column lists of the dump's sections, written compactly:
// "REC:P KNAME:T" is REC plain and KNAME a text value; "#" is the running
// number and "=TEXT" a fixed text (without blanks).
#include "comm/WebDbSqlDump.h"

#include <string>
#include <string_view>
#include <vector>

namespace vq::comm {

std::vector<DumpColumn> DumpColumns(std::string_view spec);
// "SELECT " + the columns read by columns (in their order) + " " + rest.
std::string DumpSelect(const std::vector<DumpColumn>& columns, std::string_view rest);

} // namespace vq::comm
