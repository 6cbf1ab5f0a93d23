#include "linkage/XmlSaveDoc.h"

#include <sstream>

#include "platform/AtomicFile.h"
#include "platform/Cp932.h"

namespace vq::linkage {

namespace {

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

std::string nameOf(pugi::xml_node node) { return node.name(); }

} // namespace

TXmlSaveDoc::TXmlSaveDoc(std::string_view version, std::string_view encoding,
                         std::string_view standalone) {
    if (equalsIgnoreCase(encoding, "Shift_JIS")) {
        shiftJis_ = true;
    } else if (!equalsIgnoreCase(encoding, "UTF-8")) {
        throw std::invalid_argument("XML encoding not supported: " + std::string(encoding));
    }
    auto decl = doc_.append_child(pugi::node_declaration);
    decl.append_attribute("version").set_value(EscapeXml(version).c_str());
    decl.append_attribute("encoding").set_value(EscapeXml(encoding).c_str());
    if (!standalone.empty())
        decl.append_attribute("standalone").set_value(EscapeXml(standalone).c_str());
}

std::string TXmlSaveDoc::EscapeXml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&apos;"; break;
        default: out += c;
        }
    }
    return out;
}

TXmlSaveDoc::Node TXmlSaveDoc::CreateRoot(std::string_view name, std::string_view nameSpace) {
    if (DocumentElement()) throw std::logic_error("the XML document already has its root");
    Node root = doc_.append_child(EscapeXml(name).c_str());
    if (!nameSpace.empty()) root.append_attribute("xmlns").set_value(EscapeXml(nameSpace).c_str());
    return root;
}

TXmlSaveDoc::Node TXmlSaveDoc::AddNode(Node parent, std::string_view name,
                                       std::string_view attrName, std::string_view attrValue) {
    if (!parent) parent = DocumentElement();
    if (!parent) throw std::logic_error("XML element added before the document element");
    Node node = parent.append_child(EscapeXml(name).c_str());
    if (!attrName.empty())
        node.append_attribute(EscapeXml(attrName).c_str()).set_value(EscapeXml(attrValue).c_str());
    return node;
}

void TXmlSaveDoc::AddLeaf(Node parent, std::string_view name, std::string_view text,
                          std::string_view attrName, std::string_view attrValue) {
    if (!parent) throw std::logic_error("XML leaf added without its parent element");
    Node node = AddNode(parent, name, attrName, attrValue);
    if (!text.empty()) node.append_child(pugi::node_pcdata).set_value(EscapeXml(text).c_str());
}

TXmlSaveDoc::Node TXmlSaveDoc::DocumentElement() const { return doc_.document_element(); }

void TXmlSaveDoc::CheckEncodable(Node node) const {
    auto check = [&](const char* value, Node owner) {
        try {
            platform::cp932::fromUtf8(value, true);
        } catch (const platform::cp932::EncodingError&) {
            throw EXmlEncodingError("連動データに Shift_JIS で書けない文字があります。（項目 " +
                                        nameOf(owner) + "）",
                                    nameOf(owner));
        }
    };
    for (Node child = node.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element) {
            check(child.name(), child);
            for (auto attr : child.attributes()) {
                check(attr.name(), child);
                check(attr.value(), child);
            }
            CheckEncodable(child);
        } else if (child.type() == pugi::node_pcdata) {
            check(child.value(), node);
        }
    }
}

std::string TXmlSaveDoc::SaveToBytes() const {
    std::ostringstream out;
    // The values carry their escaping already (EscapeXml); a second pass by
    // the serializer would turn "&amp;" into "&amp;amp;".
    doc_.save(out, "", pugi::format_raw | pugi::format_no_escapes, pugi::encoding_utf8);
    if (!shiftJis_) return out.str();
    CheckEncodable(doc_);
    return platform::cp932::fromUtf8(out.str(), true);
}

void TXmlSaveDoc::SaveToFile(const std::filesystem::path& path) const {
    // The operator chose the folder; one that is gone is an error, not a
    // folder to make up.
    const auto folder = path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
    if (!std::filesystem::is_directory(folder))
        throw std::filesystem::filesystem_error(
            "folder of the linkage file not found", path,
            std::make_error_code(std::errc::no_such_file_or_directory));
    platform::writeFileAtomically(path, SaveToBytes());
}

} // namespace vq::linkage
