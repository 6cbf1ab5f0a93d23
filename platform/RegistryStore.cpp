#include "platform/RegistryStore.h"

#include "platform/AtomicFile.h"
#include "platform/Folders.h"
#include "platform/IniDocument.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <fstream>
#include <iterator>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

// The file is an ini file in UTF-8: one section per key, named by its whole
// path ("[SOFTWARE\Vorlen\Accounting]"), an empty section for a key without
// values. A string value is written in double quotes with \\, \r and \n
// escaped ("Path="C:\\Data""); an integer as dword:<decimal>. The default
// value (empty name) is "@". Characters that would break the ini syntax in a
// name are written as %XX.

namespace vq::platform {
namespace {

using detail::IniDocument;

constexpr std::string_view dwordPrefix = "dword:";

std::string percentEncode(std::string_view s, bool isValueName)
{
    if (isValueName && s.empty())
        return "@";
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        bool escape = c == '%' || c == '=' || c == '[' || c == ']' || c == ';' || c < 0x20 ||
                      (isValueName && c == '@' && s.size() == 1) ||
                      ((i == 0 || i + 1 == s.size()) && c == ' ');
        if (escape) {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 0xF];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string percentDecode(std::string_view s, bool isValueName)
{
    if (isValueName && s == "@")
        return {};
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '%' && i + 2 < s.size()) {
            unsigned value = 0;
            auto r = std::from_chars(s.data() + i + 1, s.data() + i + 3, value, 16);
            if (r.ec == std::errc() && r.ptr == s.data() + i + 3) {
                out += static_cast<char>(value);
                i += 2;
                continue;
            }
        }
        out += s[i];
    }
    return out;
}

// Key path components without empty ones: "\\A\\\\B\\" is A, B.
std::vector<std::string> components(std::string_view key)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= key.size()) {
        std::size_t end = key.find('\\', start);
        if (end == std::string_view::npos)
            end = key.size();
        if (end > start)
            parts.emplace_back(key.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

std::string sectionOf(const std::vector<std::string>& parts, std::size_t count)
{
    std::string section;
    for (std::size_t i = 0; i < count; ++i) {
        if (i)
            section += '\\';
        section += percentEncode(parts[i], false);
    }
    return section;
}

std::string sectionOf(std::string_view key)
{
    auto parts = components(key);
    return sectionOf(parts, parts.size());
}

std::string quotedValue(std::string_view value)
{
    std::string out = "\"";
    for (char c : value) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out + "\"";
}

std::string unquoted(std::string_view raw)
{
    if (raw.size() < 2 || raw.front() != '"' || raw.back() != '"')
        return std::string(raw); // written by hand: taken as it stands
    raw = raw.substr(1, raw.size() - 2);
    std::string out;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\\' && i + 1 < raw.size()) {
            char next = raw[++i];
            out += next == 'r' ? '\r' : next == 'n' ? '\n' : next;
        } else {
            out += raw[i];
        }
    }
    return out;
}

std::optional<std::int32_t> parseInteger(std::string_view s)
{
    s = IniDocument::trim(s);
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    std::int32_t value = 0;
    auto r = std::from_chars(s.data(), s.data() + s.size(), value);
    if (r.ec != std::errc() || r.ptr != s.data() + s.size() || s.empty())
        return std::nullopt;
    return value;
}

IniDocument load(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return {};
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return IniDocument(bytes);
}

// Serialises read-modify-write cycles of processes sharing the store.
class WriteLock {
public:
    explicit WriteLock(const std::filesystem::path& file)
    {
        std::error_code ec;
        std::filesystem::create_directories(file.parent_path(), ec);
        auto lockPath = file;
        lockPath += ".lock";
        fd_ = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd_ < 0)
            throw std::system_error(errno, std::generic_category(), "cannot open " + lockPath.string());
        while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
        }
    }
    ~WriteLock() { ::close(fd_); }
    WriteLock(const WriteLock&) = delete;
    WriteLock& operator=(const WriteLock&) = delete;

private:
    int fd_ = -1;
};

template <typename Edit>
void modify(const std::filesystem::path& file, Edit edit)
{
    WriteLock lock(file);
    IniDocument document = load(file);
    if (edit(document))
        writeFileAtomically(file, document.text());
}

} // namespace

RegistryStore RegistryStore::machine()
{
    return RegistryStore(folders::registryFile());
}

RegistryStore::RegistryStore(std::filesystem::path file) : file_(std::move(file)) {}

bool RegistryStore::keyExists(const std::string& key) const
{
    auto section = sectionOf(key);
    if (section.empty())
        return true;
    return load(file_).hasSection(section);
}

bool RegistryStore::valueExists(const std::string& key, const std::string& name) const
{
    return load(file_).rawValue(sectionOf(key), percentEncode(name, true)).has_value();
}

std::optional<std::string> RegistryStore::readString(const std::string& key, const std::string& name) const
{
    auto raw = load(file_).rawValue(sectionOf(key), percentEncode(name, true));
    if (!raw)
        return std::nullopt;
    if (raw->rfind(dwordPrefix, 0) == 0) {
        if (auto value = parseInteger(std::string_view(*raw).substr(dwordPrefix.size())))
            return std::to_string(*value);
    }
    return unquoted(*raw);
}

std::optional<std::int32_t> RegistryStore::readInteger(const std::string& key, const std::string& name) const
{
    auto raw = load(file_).rawValue(sectionOf(key), percentEncode(name, true));
    if (!raw)
        return std::nullopt;
    if (raw->rfind(dwordPrefix, 0) == 0)
        return parseInteger(std::string_view(*raw).substr(dwordPrefix.size()));
    return parseInteger(unquoted(*raw));
}

std::vector<std::string> RegistryStore::subKeys(const std::string& key) const
{
    const auto parent = components(key);
    std::vector<std::string> names;
    for (const auto& section : load(file_).sections()) {
        auto parts = components(section);
        if (parts.size() <= parent.size())
            continue;
        bool under = true;
        for (std::size_t i = 0; i < parent.size() && under; ++i)
            under = IniDocument::sameName(percentDecode(parts[i], false), parent[i]);
        if (!under)
            continue;
        std::string child = percentDecode(parts[parent.size()], false);
        bool seen = std::any_of(names.begin(), names.end(),
                                [&](const std::string& n) { return IniDocument::sameName(n, child); });
        if (!seen)
            names.push_back(std::move(child));
    }
    auto folded = [](std::string s) {
        for (char& c : s)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        return s;
    };
    std::sort(names.begin(), names.end(), [&](const std::string& a, const std::string& b) {
        auto fa = folded(a), fb = folded(b);
        return fa != fb ? fa < fb : a < b;
    });
    return names;
}

std::vector<std::string> RegistryStore::valueNames(const std::string& key) const
{
    std::vector<std::string> names;
    for (const auto& name : load(file_).keys(sectionOf(key)))
        names.push_back(percentDecode(name, true));
    return names;
}

void RegistryStore::createKey(const std::string& key)
{
    modify(file_, [&](IniDocument& document) {
        auto parts = components(key);
        std::size_t before = document.sections().size();
        for (std::size_t n = 1; n <= parts.size(); ++n)
            document.addSection(sectionOf(parts, n));
        return document.sections().size() != before;
    });
}

void RegistryStore::writeString(const std::string& key, const std::string& name, const std::string& value)
{
    modify(file_, [&](IniDocument& document) {
        auto parts = components(key);
        for (std::size_t n = 1; n <= parts.size(); ++n)
            document.addSection(sectionOf(parts, n));
        document.setValue(sectionOf(parts, parts.size()), percentEncode(name, true), quotedValue(value));
        return true;
    });
}

void RegistryStore::writeInteger(const std::string& key, const std::string& name, std::int32_t value)
{
    modify(file_, [&](IniDocument& document) {
        auto parts = components(key);
        for (std::size_t n = 1; n <= parts.size(); ++n)
            document.addSection(sectionOf(parts, n));
        document.setValue(sectionOf(parts, parts.size()), percentEncode(name, true),
                          std::string(dwordPrefix) + std::to_string(value));
        return true;
    });
}

void RegistryStore::deleteValue(const std::string& key, const std::string& name)
{
    modify(file_, [&](IniDocument& document) {
        return document.deleteKey(sectionOf(key), percentEncode(name, true));
    });
}

void RegistryStore::deleteKey(const std::string& key)
{
    const auto target = components(key);
    if (target.empty())
        return; // the root itself is never deleted
    modify(file_, [&](IniDocument& document) {
        bool changed = false;
        for (const auto& section : document.sections()) {
            auto parts = components(section);
            if (parts.size() < target.size())
                continue;
            bool under = true;
            for (std::size_t i = 0; i < target.size() && under; ++i)
                under = IniDocument::sameName(percentDecode(parts[i], false), target[i]);
            if (under)
                changed = document.eraseSection(section) || changed;
        }
        return changed;
    });
}

} // namespace vq::platform
