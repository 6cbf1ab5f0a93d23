#pragma once
// Single keys and whole sections of settings files (Windows profile rules,
// CP932 on disk), and values of the registry store.
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace vq {

// A value of the machine's registry store: integer 0 when the key or value
// is missing; a value that reads as a 32-bit integer is the number, any
// other the text.
std::variant<std::int32_t, std::string> ReadRegValue(const std::string& keyPath, const std::string& valueName);

// Writes value under section/key (or deletes the key when deleteIt); the file
// is on disk when the call returns.
void WriteIniKey(const std::string& fileName, const std::string& section, const std::string& key, bool deleteIt,
                 const std::string& value);
void WriteIniKey(const std::string& fileName, const std::string& section, const std::string& key, bool deleteIt,
                 std::int64_t value);

// Every "key=value" line of the section, each followed by CR LF. text is left
// unchanged when fileName or section is empty.
void ReadIniSection(const std::string& fileName, const std::string& section, std::string& text);

// Replaces the section with the "name=value" lines, in order; the file
// changes in one step (a failure leaves it as it was). Nothing happens when
// fileName or section is empty.
void WriteIniSection(const std::string& fileName, const std::string& section, const std::vector<std::string>& lines);

} // namespace vq
