#include "linkage/XmlSaveDoc.h"

#include <gtest/gtest.h>

#include "TempDir.h"
#include "platform/Cp932.h"

namespace vq::linkage {
namespace {

TEST(XmlSaveDoc, EscapesTheFiveCharactersOnceEach) {
    struct Case { const char* in; const char* out; };
    const Case cases[] = {
        {"A&B", "A&amp;B"},
        {"<x>", "&lt;x&gt;"},
        {"\"q\" 'a'", "&quot;q&quot; &apos;a&apos;"},
        {"&amp;", "&amp;amp;"},
        {"山田商店", "山田商店"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(TXmlSaveDoc::EscapeXml(c.in), c.out) << c.in;
}

TEST(XmlSaveDoc, WritesOneLineWithDeclarationAndEmptyElements) {
    TXmlSaveDoc doc("1.0", "Shift_JIS", "");
    auto root = doc.CreateRoot("REPORT", "");
    auto sys = doc.AddNode({}, "SYSTEM");
    doc.AddLeaf(sys, "GYOUMUPREFIX", "QX14");
    doc.AddLeaf(sys, "PROGRAMNAME", "");
    doc.AddNode(root, "DATA", "KIND", "a\"b");
    EXPECT_EQ(doc.SaveToBytes(),
              "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>"
              "<REPORT><SYSTEM><GYOUMUPREFIX>QX14</GYOUMUPREFIX><PROGRAMNAME/></SYSTEM>"
              "<DATA KIND=\"a&quot;b\"/></REPORT>");
}

TEST(XmlSaveDoc, DeclaresStandaloneAndNamespaceOnlyWhenGiven) {
    TXmlSaveDoc doc("1.0", "UTF-8", "yes");
    doc.CreateRoot("R", "urn:x");
    EXPECT_EQ(doc.SaveToBytes(),
              "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?><R xmlns=\"urn:x\"/>");
}

TEST(XmlSaveDoc, AReaderGetsBackTheValuesThemselves) {
    test::TempDir dir;
    const auto file = dir / "out.xml";
    const std::string name = "A&B <\"株式会社\"> 'ｶﾅ' ～";
    TXmlSaveDoc doc("1.0", "Shift_JIS");
    auto root = doc.CreateRoot("REPORT");
    doc.AddLeaf(doc.AddNode(root, "BASIC"), "KOMONSAKINAME", name, "NOTE", "x&y");
    doc.SaveToFile(file);

    const std::string bytes = test::readBytes(file);
    EXPECT_NE(bytes.find("A&amp;B"), std::string::npos);
    EXPECT_EQ(bytes.find("&amp;amp;"), std::string::npos);
    // CP932 on disk: the file is not valid UTF-8, and decodes to the text given.
    EXPECT_EQ(platform::cp932::fromUtf8(platform::cp932::toUtf8(bytes)), bytes);

    pugi::xml_document read;
    const std::string utf8 = platform::cp932::toUtf8(bytes);
    ASSERT_TRUE(read.load_buffer(utf8.data(), utf8.size(), pugi::parse_default,
                                 pugi::encoding_utf8));
    auto leaf = read.child("REPORT").child("BASIC").child("KOMONSAKINAME");
    // The wave dash is written as CP932 0x8160 and read back as U+FF5E.
    EXPECT_EQ(std::string(leaf.text().get()), "A&B <\"株式会社\"> 'ｶﾅ' ～");
    EXPECT_EQ(std::string(leaf.attribute("NOTE").value()), "x&y");
}

TEST(XmlSaveDoc, AnUnwritableCharacterStopsTheSaveAndNamesTheElement) {
    test::TempDir dir;
    const auto file = dir / "out.xml";
    test::writeBytes(file, "old");
    TXmlSaveDoc doc("1.0", "Shift_JIS");
    auto root = doc.CreateRoot("REPORT");
    doc.AddLeaf(doc.AddNode(root, "BASIC"), "KOMONSAKINAME", "髙橋\xF0\x9F\x98\x80商店");
    try {
        doc.SaveToFile(file);
        FAIL() << "saved a value CP932 cannot hold";
    } catch (const EXmlEncodingError& e) {
        EXPECT_EQ(e.Element, "KOMONSAKINAME");
        EXPECT_NE(std::string(e.what()).find("KOMONSAKINAME"), std::string::npos);
    }
    EXPECT_EQ(test::readBytes(file), "old");
}

TEST(XmlSaveDoc, RefusesMisuse) {
    EXPECT_THROW(TXmlSaveDoc("1.0", "EUC-JP"), std::invalid_argument);
    TXmlSaveDoc doc("1.0", "Shift_JIS");
    EXPECT_THROW(doc.AddNode({}, "X"), std::logic_error);
    doc.CreateRoot("REPORT");
    EXPECT_THROW(doc.CreateRoot("OTHER"), std::logic_error);
    EXPECT_THROW(doc.AddLeaf({}, "X", "y"), std::logic_error);
}

TEST(XmlSaveDoc, SavingIntoAMissingFolderFails) {
    test::TempDir dir;
    TXmlSaveDoc doc("1.0", "Shift_JIS");
    doc.CreateRoot("REPORT");
    EXPECT_THROW(doc.SaveToFile(dir / "missing" / "out.xml"), std::exception);
    EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
}

} // namespace
} // namespace vq::linkage
