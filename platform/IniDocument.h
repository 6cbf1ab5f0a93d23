#pragma once
// The text of a settings file as lines, with the lookups and edits of the
// Windows profile functions. Used by IniFile (CP932 files) and RegistryStore
// (its own UTF-8 file); not meant for other callers.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vq::platform::detail {

class IniDocument {
public:
    IniDocument() = default;
    // Accepts CRLF, LF or lone CR line ends.
    explicit IniDocument(std::string_view utf8);

    // The lines joined with CRLF, the last one included.
    std::string text() const;

    // Names compare without ASCII letter case after trimming. Only the first
    // section of a name counts, as with the Windows profile functions.
    bool hasSection(std::string_view section) const;
    // The trimmed value as written (quotes kept); nullopt when the key is missing.
    std::optional<std::string> rawValue(std::string_view section, std::string_view key) const;
    std::vector<std::string> sections() const;
    std::vector<std::string> keys(std::string_view section) const;

    void addSection(std::string_view section);
    // Updates the first key of that name in place, or appends it after the
    // last line of its section, or appends the section at the end.
    void setValue(std::string_view section, std::string_view key, std::string_view value);
    // Return whether anything was removed.
    bool eraseSection(std::string_view section);
    bool deleteKey(std::string_view section, std::string_view key);

    static std::string_view trim(std::string_view s);
    static bool sameName(std::string_view a, std::string_view b);

private:
    struct Range {
        std::size_t header; // line of "[name]"
        std::size_t end;    // one past the last line of the section
    };
    std::optional<Range> findSection(std::string_view section) const;
    std::optional<std::size_t> findKey(const Range& range, std::string_view key) const;

    std::vector<std::string> lines_;
};

} // namespace vq::platform::detail
