#pragma once
// The medical corporation of the sample office: a hospital (business kind 1)
// and a care facility (kind 8) with departments at the hospital, the medical
// total rows and settlement lines, opening balances and a year of period
// amounts, for trying the medical trial balances out.
#include <filesystem>
#include <string>
#include <vector>

namespace vq::tools {

// The data-list slot and folder ("0004") of the medical corporation.
inline constexpr int MedicalSampleSlot = 4;

// The SQL (UTF-8, isql syntax) that turns a fresh data-set database into the
// medical corporation: the medical edition's trial-balance procedures of
// schemaDir/medical, then the rows. Throws std::runtime_error when the
// procedures cannot be read.
std::string medicalDataSetSql(const std::filesystem::path& schemaDir);
// The operators' rights on its two facilities (full operator codes).
std::string medicalFacilityRightsSql(const std::vector<int>& operatorCodes);
// Its info file, as the data module writes it for a free data set.
void writeMedicalInfoFile(const std::filesystem::path& folder, int operatorCode);

} // namespace vq::tools
