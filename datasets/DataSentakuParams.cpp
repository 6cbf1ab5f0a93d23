#include "datasets/DataSentakuParams.h"

#include <cstdlib>

namespace vq {

namespace {

std::int32_t intOr(const std::string& text, std::int32_t fallback)
{
    if (text.empty())
        return fallback;
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    return *end == '\0' ? static_cast<std::int32_t>(value) : fallback;
}

} // namespace

bool ParamLineValue(const std::vector<std::string>& lines, const std::string& name, std::string& value)
{
    for (const auto& line : lines) {
        const auto eq = line.find('=');
        if (eq != std::string::npos && line.compare(0, eq, name) == 0) {
            value = line.substr(eq + 1);
            if (!value.empty() && value.back() == '\r')
                value.pop_back();
            return true;
        }
    }
    return false;
}

void ReadPresetParams(const std::vector<std::string>& lines, TDataKensakuRec& preset, TDataSentakuPreset& extra)
{
    std::string value;
    if (!ParamLineValue(lines, "JyokenSet", value))
        return;
    preset.JYOKENUSE = 1;
    preset.DATATYPE = ParamLineValue(lines, "DataType", value) ? intOr(value, 0) : 0;
    preset.CODETYPE = ParamLineValue(lines, "CodeType", value) ? intOr(value, 0) : 0;
    if (ParamLineValue(lines, "DataVer", value)) {
        preset.DATAVER = value;
        preset.VerMatch = 0;
    }
    if (ParamLineValue(lines, "DataVerMajor", value)) {
        preset.DATAVER = value;
        preset.VerMatch = 1;
        preset.VerText.clear();
    }
    if (ParamLineValue(lines, "DataVerMore", value)) {
        preset.DATAVER = value;
        preset.VerMatch = 2;
        preset.VerText.clear();
    }
    extra.ManualFree = ParamLineValue(lines, "ManualFree", value) && value == "1";
}

void ReadOnlySAParams(const std::vector<std::string>& lines, std::int32_t& restore, std::string& backupPath)
{
    std::string value;
    restore = 0;
    if (ParamLineValue(lines, "OnlySA_Syori", value) && value == "Restore")
        restore = 1;
    backupPath.clear();
    if (ParamLineValue(lines, "OnlySA_BackupPath", value))
        backupPath = value;
}

} // namespace vq
