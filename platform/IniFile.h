#pragma once
// Settings files with the semantics of the Windows profile functions:
// CP932 text with CRLF lines, section and key names without letter case,
// values trimmed and stripped of one pair of enclosing quotes on read,
// keys updated in place, a missing file reads as all defaults.
// Every write goes to disk at once through a temporary file and a rename.
// Tolerated on read: LF-only lines, and a UTF-8 file with a byte order mark
// (which stays UTF-8 when written); lines without '=' and junk are ignored
// but kept. Writes throw std::invalid_argument for an empty section or key
// name or one that cannot be written (']' in a section, '=' in a key), and
// std::system_error when an existing file cannot be read or replaced. A line
// break inside a value is written as a blank, so it cannot start a new key.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace vq::platform {

class IniFile {
public:
    explicit IniFile(std::filesystem::path file);

    const std::filesystem::path& path() const { return file_; }

    std::string readString(const std::string& section, const std::string& key,
                           const std::string& defaultValue = {}) const;
    // Windows GetPrivateProfileInt: the default for a missing key or an empty
    // value; otherwise the leading decimal digits (after blanks, with a sign)
    // as far as they go, and 0 for a value that does not start with a number.
    std::int32_t readInteger(const std::string& section, const std::string& key,
                             std::int32_t defaultValue) const;
    // readInteger(defaultValue ? 1 : 0) != 0.
    bool readBool(const std::string& section, const std::string& key, bool defaultValue) const;

    void writeString(const std::string& section, const std::string& key, const std::string& value);
    void writeInteger(const std::string& section, const std::string& key, std::int32_t value);
    void writeBool(const std::string& section, const std::string& key, bool value);

    bool sectionExists(const std::string& section) const;
    bool valueExists(const std::string& section, const std::string& key) const;
    std::vector<std::string> sections() const;
    std::vector<std::string> keys(const std::string& section) const;

    void eraseSection(const std::string& section);
    void deleteKey(const std::string& section, const std::string& key);

private:
    std::filesystem::path file_;
};

} // namespace vq::platform
