#pragma once
// The statements of the update steps that carry their own SQL, compiled into
// the program from the files dbupdate/steps/<name>.sql (for example
// system_0_3_1 for system step 0.3.1), so that each step's SQL can be read,
// diffed and run as SQL. The texts are UTF-8.
#include <string>
#include <string_view>

namespace vq {

// The text of the file name.sql; throws std::out_of_range for an unknown name.
std::string_view StepSql(std::string_view name);

} // namespace vq
