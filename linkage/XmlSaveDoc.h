#pragma once
// The writer of the linkage file that the income-tax application imports: an
// element tree built in the order of writing and saved as one line of XML,
// declaration first, without indentation or added line breaks, in the encoding
// the declaration names (Shift_JIS is written as CP932 bytes).
//
// Every name, text and attribute value is escaped exactly once, by EscapeXml
// on its way into the tree; the tree is saved without a second escaping, so
// an XML reader gets back the value that was given ("A&B" is written
// "A&amp;B").
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

#include <pugixml.hpp>

namespace vq::linkage {

// A value the file's encoding cannot hold. The export stops: a linkage file
// with '?' in place of a client's name would import silently wrong.
struct EXmlEncodingError : std::runtime_error {
    EXmlEncodingError(const std::string& message, std::string element)
        : std::runtime_error(message), Element(std::move(element)) {}
    std::string Element; // name of the element whose name, text or attribute failed
};

class TXmlSaveDoc {
public:
    using Node = pugi::xml_node;

    // standalone is declared only when it is not empty. The encoding must be
    // "Shift_JIS" or "UTF-8" (letter case ignored); any other throws
    // std::invalid_argument, since the file could not be written in it.
    TXmlSaveDoc(std::string_view version, std::string_view encoding,
                std::string_view standalone = {});

    TXmlSaveDoc(const TXmlSaveDoc&) = delete;
    TXmlSaveDoc& operator=(const TXmlSaveDoc&) = delete;

    // "&" first, so the entities added after it are not escaped again.
    static std::string EscapeXml(std::string_view text);

    // The document element; with a namespace it carries xmlns="nameSpace".
    // A second root throws std::logic_error.
    Node CreateRoot(std::string_view name, std::string_view nameSpace = {});
    // A child element of parent, or of the document element when parent is
    // empty; the attribute only when attrName is not empty.
    Node AddNode(Node parent, std::string_view name, std::string_view attrName = {},
                 std::string_view attrValue = {});
    // A child element holding text; an empty text gives an empty element.
    void AddLeaf(Node parent, std::string_view name, std::string_view text,
                 std::string_view attrName = {}, std::string_view attrValue = {});

    Node DocumentElement() const;

    // The file's bytes in its encoding. Throws EXmlEncodingError naming the
    // first element with a character the encoding cannot hold.
    std::string SaveToBytes() const;
    // Replaces path through a temporary in the same folder and a rename; the
    // folder must exist. On any failure the old file stays as it was.
    void SaveToFile(const std::filesystem::path& path) const;

private:
    void CheckEncodable(Node node) const;

    pugi::xml_document doc_;
    bool shiftJis_ = false;
};

} // namespace vq::linkage
