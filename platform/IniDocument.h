#pragma once
// The text of a settings file as lines, with the lookups and edits of the
// Windows profile functions. Used by IniFile (CP932 files) and RegistryStore
// (its own UTF-8 file); not meant for other callers.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vq::platform::detail {

class IniDocument {
public:
    // Converts a line between its bytes in a file and its UTF-8 text.
    using LineCodec = std::function<std::string(std::string_view)>;

    IniDocument() = default;
    // Accepts CRLF, LF or lone CR line ends.
    explicit IniDocument(std::string_view utf8);
    // A file's bytes, each line decoded to its text. Every line keeps its own
    // bytes for bytes(), as long as no edit changes its text.
    IniDocument(std::string_view fileBytes, const LineCodec& decode);

    // The lines joined with CRLF, the last one included.
    std::string text() const;
    // The lines joined with CRLF, the last one included: a line as read gives
    // back its own bytes, any other line encode(its text). A file's encoding
    // does not survive a trip through Unicode byte for byte (the NEC and IBM
    // rows of CP932 hold the same kanji twice, stray bytes all decode alike),
    // and the profile functions never change a line they do not write.
    std::string bytes(const LineCodec& encode) const;

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

    struct Line {
        std::string text;
        std::optional<std::string> bytes; // as read from the file, while the text is unchanged
    };
    static std::vector<std::string_view> splitLines(std::string_view text);
    void setLine(std::size_t at, std::string text);
    void insertLine(std::size_t at, std::string text);

    std::vector<Line> lines_;
};

} // namespace vq::platform::detail
