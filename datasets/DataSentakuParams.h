#pragma once
// The parameter lines of the data selection screen beyond "SyoriType" and
// "FormStyle": the search conditions a caller presets ("JyokenSet" with
// "DataType", "CodeType", "DataVer", "DataVerMajor", "DataVerMore" and
// "ManualFree") and the transfer of the local take-out list
// ("OnlySA_Syori", "OnlySA_BackupPath").
#include <cstdint>
#include <string>
#include <vector>

#include "datasets/DataKensakuRec.h"

namespace vq {

struct TDataSentakuPreset {
    bool ManualFree = false;       // the caller frees the screen
};

// The value of the first line "name=value" (name compared as written); false when none.
bool ParamLineValue(const std::vector<std::string>& lines, const std::string& name, std::string& value);

// Reads the preset group into preset (already a blank record of the
// operator). Without a "JyokenSet" line nothing is read.
void ReadPresetParams(const std::vector<std::string>& lines, TDataKensakuRec& preset, TDataSentakuPreset& extra);

// Processing type 5 only: "Backup" gives 0 (bring-back), "Restore" 1; any
// other value 0; the folder of the transfer.
void ReadOnlySAParams(const std::vector<std::string>& lines, std::int32_t& restore, std::string& backupPath);

} // namespace vq
