#pragma once
// What the steps whose statements come from part files share: the file
// names (vqzup01.sql, sysup01.sql ...), the choice of files by data kind,
// the newer form of the script, the check that every file a step names is
// installed before the step does anything, and the open data set's
// database opened on its own for the work a step does before its script.
//
// Every file a step names is shipped with the program, so a missing one
// means a damaged installation: the step ends with 18 before its work
// before the script, and no step reaches its version without its changes.
// A file the open data set does not take must be there all the same.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/UpdateScript.h"

namespace vq::part_file_step {

// "vqzup07.sql" for 7 (prefix "sysup" for the system steps).
std::string PartName(int number, const std::string& prefix = "vqzup");
// The names 1 to count, in order.
std::vector<std::string> PartNames(int count, const std::string& prefix = "vqzup");
// 7 for "vqzup07.sql"; 0 for a name of another shape.
int PartNumber(const std::string& name);

// Fills a step's slot: its version, DoUpdate, BackupFlag 1, title and
// description.
void FillRec(TDbUpdateListRec& rec, std::int32_t major, std::int32_t minor1, std::int32_t minor2,
             std::function<std::int32_t()> doUpdate, std::string title, std::string description);
// The same for the newest steps, which in the distributor editions (edition
// byte 1 or 2) all read "機能強化および不具合修正" with one description.
void FillRecentRec(TDbUpdateListRec& rec, std::int32_t major, std::int32_t minor1, std::int32_t minor2,
                   std::function<std::int32_t()> doUpdate, std::string title, std::string description);

// A part-file choice by the medical flag of the open data set (read when
// called): medical-corporation data leaves out the numbers medicalSkips,
// other data the numbers generalSkips.
std::function<bool(const std::string& name)> ByDataKind(std::vector<int> medicalSkips,
                                                        std::vector<int> generalSkips);

// The newer form of a data step: SET NAMES, the version record first and
// committed, the part files 1 to partCount of its sub-folder, all required.
TUpdateScheme DataScheme(std::int32_t major, std::int32_t minor1, std::int32_t minor2, int partCount,
                         MemoForm memo = MemoForm::Date);
// The same for the system database, with the names sysup01.sql onward.
TUpdateScheme SystemScheme(std::int32_t major, std::int32_t minor1, std::int32_t minor2, int partCount,
                           MemoForm memo = MemoForm::Date);

// The first file the scheme names (taken by the data set or not) that is
// not an installed file.
std::optional<std::filesystem::path> MissingPart(const TUpdateScheme& scheme);
// The same for the files of another step's sub-folder (digits "1300").
std::optional<std::filesystem::path> MissingPart(const std::string& digits, const std::vector<std::string>& names);

// RunUpdateStep after the check above: 18 when a file is missing, before
// the work before the script and without a script.
std::int32_t RunPartFileStep(const TUpdateScheme& scheme);

// Opens the open data set's database on its own (the configured host and
// data folder, no status written), runs work inside its default
// transaction (started here when not active, committed here when started
// here) and closes the data set again, also when work throws; the
// exception then passes on, and what work did in a transaction started
// here is rolled back.
void WithOpenDataSet(const std::function<void()>& work);

// Whether the open data set's database has the trigger; inside
// WithOpenDataSet. Throws db::DbError when it cannot be asked.
bool DataTriggerExists(const std::string& name);

} // namespace vq::part_file_step
