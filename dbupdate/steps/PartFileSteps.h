#pragma once
// What the steps whose statements come from part files share: the newer
// form of the script (SET NAMES, the version record first and committed at
// once, "EXIT;" last), every named file required, and the choice of files
// by the open data set's kind.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "dbupdate/UpdateScript.h"

namespace vq {

// "prefix01.sql" .. "prefixNN.sql" for first..last.
std::vector<std::string> NumberedPartFiles(const std::string& prefix, int first, int last);

// The scheme of a part-file step of the system database (mode 0) or of the
// data set (mode 1): every file of files must exist, or the step ends with 18.
TUpdateScheme PartFileScheme(std::uint8_t mode, std::int32_t major, std::int32_t minor1, std::int32_t minor2,
                             std::vector<std::string> files);

// Passes over the data files "vqzupNN.sql" numbered in notForMedical when
// the open data set is a medical corporation's, those in notForOther when
// it is not.
void SkipByMedicalFlag(TUpdateScheme& scheme, std::initializer_list<int> notForMedical,
                       std::initializer_list<int> notForOther);

// The distributor editions (edition byte 1 or 2).
bool IsDistributorEdition();

} // namespace vq
