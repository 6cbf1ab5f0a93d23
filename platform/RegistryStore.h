#pragma once
// The HKEY_LOCAL_MACHINE keys and values the programs of the line keep, held
// in one file under the program root (Folders::registryFile()). Key paths use
// '\' as on Windows ("SOFTWARE\\Vorlen\\Accounting"); names have no letter case.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vq::platform {

class RegistryStore {
public:
    // The store of this program root.
    static RegistryStore machine();
    explicit RegistryStore(std::filesystem::path file);

    bool keyExists(const std::string& key) const;
    bool valueExists(const std::string& key, const std::string& name) const;
    std::optional<std::string> readString(const std::string& key, const std::string& name) const;
    std::optional<std::int32_t> readInteger(const std::string& key, const std::string& name) const;
    // Direct sub-key names of key, sorted without letter case.
    std::vector<std::string> subKeys(const std::string& key) const;
    std::vector<std::string> valueNames(const std::string& key) const;

    // Writes create missing keys on the way.
    void createKey(const std::string& key);
    void writeString(const std::string& key, const std::string& name, const std::string& value);
    void writeInteger(const std::string& key, const std::string& name, std::int32_t value);
    void deleteValue(const std::string& key, const std::string& name);
    void deleteKey(const std::string& key); // with its sub-keys

private:
    std::filesystem::path file_;
};

} // namespace vq::platform
