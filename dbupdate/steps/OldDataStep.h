#pragma once
// What the five oldest data-set steps (0.1.1 to 0.1.5) share: the older
// form of the script (no SET NAMES, the version record last with the date
// alone as MEMO), statements compiled in from dbupdate/steps/*.sql (StepSql.h), and the
// column tests that add a column only when the data set lacks it.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "dbupdate/UpdateScript.h"

namespace vq::old_data_step {

enum class ColumnTest : std::uint8_t {
    SdaiHasuu3,       // ACCDEF1.SDAI_HASUU3
    KessanKikan,      // ACCDEF1.KESSAN_KIKAN with CASHFLOW_KIKAN1 and 2
    ChukiTitlePrint,  // KESSAN.CHUKI_TITLEPRINT
};

// Opens the open data set's database on its own, asks for the column and
// closes it again. A database that cannot be opened or read answers false
// (the error is reported by the data module), so the column's lines are
// added and isql tells.
bool DataColumnExists(const std::string& table, const std::string& column);

// The test's lines, when its column is missing.
void AddColumnTest(TUpdateScript& script, ColumnTest test);

// The scheme of data step 0.1.minor2 whose statements statements() adds.
TUpdateScheme Scheme(std::int32_t minor2, std::function<void(TUpdateScript&)> statements);
// The same older form for the data steps after 0.1.5 up to 2.0.4.
TUpdateScheme Scheme(std::int32_t major, std::int32_t minor1, std::int32_t minor2,
                     std::function<void(TUpdateScript&)> statements);

// Appends the statements of the step file name (StepSql.h). A procedure
// that a later step writes again with the text an earlier step gave it
// stands in the later file as the one line
//   /* PROCEDURE <name> AS IN <earlier file> */
// and is taken from the earlier file, from its CREATE OR ALTER line to its
// closing "END^"; a name that file lacks throws std::out_of_range.
void AddStepSql(TUpdateScript& script, std::string_view name);

} // namespace vq::old_data_step
