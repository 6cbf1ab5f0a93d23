#pragma once
// The medical corporation's profile in the data set's table MSD_HOUKOKU,
// read like the ACCREG settings (missing values are inserted with their
// default on first read) with the types "文字", "論理", "日付", "整数" and
// "金額".
#include <string>

#include "foundation/data/SettingValue.h"

namespace vq {

// Reads one profile value. A type name outside the five gives the text
// "Data Type Error". Runs in IBTransactionDAT, committing or rolling back only
// a transaction it started itself; a database exception reaches the caller.
void GetMsdHoukoku(const std::string& group, const std::string& code, const std::string& typeName,
                   const std::string& defaultText, SettingValue& value);

// The profile says "財団" for "財団社団", or "社会" or "特定" for "医療法人"
// (group "法人概要").
bool IsZaidanSyakaiTokutei();
// "基金" of group "法人概要" is "有" (default "無").
bool HasKikin();

} // namespace vq
