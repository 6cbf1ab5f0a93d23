#include "foundation/files/SettingsFiles.h"

#include "platform/IniFile.h"
#include "platform/RegistryStore.h"

#include <filesystem>
#include <system_error>

namespace vq {
namespace fs = std::filesystem;

std::variant<std::int32_t, std::string> ReadRegValue(const std::string& keyPath, const std::string& valueName)
{
    std::string key = keyPath;
    while (!key.empty() && key.front() == '\\')
        key.erase(0, 1);
    auto store = platform::RegistryStore::machine();
    if (!store.keyExists(key) || !store.valueExists(key, valueName))
        return std::int32_t{0};
    if (auto number = store.readInteger(key, valueName))
        return *number;
    if (auto text = store.readString(key, valueName))
        return *text;
    return std::int32_t{0};
}

void WriteIniKey(const std::string& fileName, const std::string& section, const std::string& key, bool deleteIt,
                 const std::string& value)
{
    platform::IniFile ini(fileName);
    if (deleteIt)
        ini.deleteKey(section, key);
    else
        ini.writeString(section, key, value);
}

void WriteIniKey(const std::string& fileName, const std::string& section, const std::string& key, bool deleteIt,
                 std::int64_t value)
{
    WriteIniKey(fileName, section, key, deleteIt, std::to_string(value));
}

void ReadIniSection(const std::string& fileName, const std::string& section, std::string& text)
{
    if (fileName.empty() || section.empty())
        return;
    platform::IniFile ini(fileName);
    std::string out;
    for (const auto& key : ini.keys(section))
        out += key + "=" + ini.readString(section, key) + "\r\n";
    text = out;
}

void WriteIniSection(const std::string& fileName, const std::string& section, const std::vector<std::string>& lines)
{
    if (fileName.empty() || section.empty())
        return;
    // The section is rebuilt on a copy which then replaces the file, so a
    // failure half way never leaves the section erased.
    fs::path file(fileName);
    fs::path work = file;
    work += ".section.tmp";
    std::error_code ec;
    fs::remove(work, ec);
    if (fs::exists(file))
        fs::copy_file(file, work, fs::copy_options::overwrite_existing);
    try {
        platform::IniFile ini(work);
        ini.eraseSection(section);
        for (const auto& line : lines) {
            auto eq = line.find('=');
            std::string name = eq == std::string::npos ? line : line.substr(0, eq);
            std::string value = eq == std::string::npos ? std::string() : line.substr(eq + 1);
            if (!name.empty())
                ini.writeString(section, name, value);
        }
        if (!fs::exists(work)) // nothing to write and no file before: leave it so
            return;
        fs::rename(work, file);
    } catch (...) {
        fs::remove(work, ec);
        throw;
    }
}

} // namespace vq
