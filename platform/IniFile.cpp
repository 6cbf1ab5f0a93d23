#include "platform/IniFile.h"

#include "platform/AtomicFile.h"
#include "platform/Cp932.h"
#include "platform/IniDocument.h"

#include <cerrno>
#include <charconv>
#include <fstream>
#include <iterator>
#include <limits>
#include <stdexcept>
#include <system_error>
#include <vector>

namespace vq::platform {
namespace {

constexpr std::string_view utf8Bom = "\xEF\xBB\xBF";

struct Loaded {
    detail::IniDocument document;
    bool utf8 = false; // the file began with a UTF-8 byte order mark
};

// Reads the file. A missing file is an empty document; forWrite decides
// whether an unreadable one is an error (it must not be replaced blindly) or
// simply reads as defaults.
Loaded load(const std::filesystem::path& file, bool forWrite)
{
    Loaded loaded;
    std::error_code ec;
    if (!std::filesystem::exists(file, ec))
        return loaded;
    std::ifstream in(file, std::ios::binary);
    std::string bytes;
    if (in)
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) {
        if (forWrite)
            throw std::system_error(errno ? errno : EIO, std::generic_category(),
                                    "cannot read " + file.string());
        return loaded;
    }
    std::string_view view(bytes);
    if (view.substr(0, utf8Bom.size()) == utf8Bom) {
        loaded.utf8 = true;
        view.remove_prefix(utf8Bom.size());
        loaded.document = detail::IniDocument(view);
    } else {
        // Each line keeps its bytes: a line no edit touches goes back as it came.
        loaded.document = detail::IniDocument(view, [](std::string_view line) { return cp932::toUtf8(line); });
    }
    return loaded;
}

void save(const std::filesystem::path& file, const Loaded& loaded)
{
    if (loaded.utf8) {
        writeFileAtomically(file, std::string(utf8Bom) + loaded.document.text());
        return;
    }
    writeFileAtomically(file, loaded.document.bytes([](std::string_view line) { return cp932::fromUtf8(line); }));
}

void checkName(const std::string& name, const char* what, std::string_view forbidden)
{
    if (detail::IniDocument::trim(name).empty())
        throw std::invalid_argument(std::string("empty ") + what + " name");
    if (name.find_first_of(forbidden) != std::string::npos)
        throw std::invalid_argument(std::string("invalid ") + what + " name: " + name);
}

// A value is one line: a line break inside would start a new key.
std::string oneLine(const std::string& value)
{
    std::string out = value;
    for (char& c : out)
        if (c == '\r' || c == '\n')
            c = ' ';
    return out;
}

} // namespace

IniFile::IniFile(std::filesystem::path file) : file_(std::move(file)) {}

std::string IniFile::readString(const std::string& section, const std::string& key,
                                const std::string& defaultValue) const
{
    auto raw = load(file_, false).document.rawValue(section, key);
    if (!raw)
        return defaultValue;
    std::string& v = *raw;
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        return v.substr(1, v.size() - 2);
    return v;
}

std::int32_t IniFile::readInteger(const std::string& section, const std::string& key,
                                  std::int32_t defaultValue) const
{
    std::string text = readString(section, key);
    // A missing key and an empty value read alike: no text, the default.
    if (text.empty())
        return defaultValue;
    std::string_view s(text);
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    bool negative = false;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    std::size_t digits = 0;
    while (digits < s.size() && s[digits] >= '0' && s[digits] <= '9')
        ++digits;
    // A value that is there but no number reads 0, not the default: callers
    // tell a missing value from a broken one this way.
    if (digits == 0)
        return 0;
    // Out of range saturates rather than wrapping into a nonsense value.
    std::int64_t value = 0;
    for (std::size_t i = 0; i < digits; ++i) {
        value = value * 10 + (s[i] - '0');
        if (value > std::int64_t(std::numeric_limits<std::int32_t>::max()) + 1)
            break;
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (value < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

bool IniFile::readBool(const std::string& section, const std::string& key, bool defaultValue) const
{
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void IniFile::writeString(const std::string& section, const std::string& key, const std::string& value)
{
    checkName(section, "section", "]\r\n");
    checkName(key, "key", "=\r\n");
    Loaded loaded = load(file_, true);
    loaded.document.setValue(section, key, oneLine(value));
    save(file_, loaded);
}

void IniFile::writeInteger(const std::string& section, const std::string& key, std::int32_t value)
{
    writeString(section, key, std::to_string(value));
}

void IniFile::writeBool(const std::string& section, const std::string& key, bool value)
{
    writeString(section, key, value ? "1" : "0");
}

bool IniFile::sectionExists(const std::string& section) const
{
    return load(file_, false).document.hasSection(section);
}

bool IniFile::valueExists(const std::string& section, const std::string& key) const
{
    return load(file_, false).document.rawValue(section, key).has_value();
}

std::vector<std::string> IniFile::sections() const
{
    return load(file_, false).document.sections();
}

std::vector<std::string> IniFile::keys(const std::string& section) const
{
    return load(file_, false).document.keys(section);
}

void IniFile::eraseSection(const std::string& section)
{
    std::error_code ec;
    if (!std::filesystem::exists(file_, ec))
        return;
    Loaded loaded = load(file_, true);
    if (loaded.document.eraseSection(section))
        save(file_, loaded);
}

void IniFile::deleteKey(const std::string& section, const std::string& key)
{
    std::error_code ec;
    if (!std::filesystem::exists(file_, ec))
        return;
    Loaded loaded = load(file_, true);
    if (loaded.document.deleteKey(section, key))
        save(file_, loaded);
}

} // namespace vq::platform
