#include "FormatTestSupport.h"
#include "core/formats/PuzzleFormatError.h"
#include "core/formats/XmlReader.h"

#include <gtest/gtest.h>

namespace tessemar::xml {
namespace {

TEST(XmlReaderTest, ReadsElementsAttributesAndText) {
    const Document doc = ParseXml(
        "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<!-- a comment before the root -->\n"
        "<!DOCTYPE pbn SYSTEM \"http://webpbn.com/pbn-0.3.dtd\" [\n"
        "  <!ENTITY far SYSTEM \"http://example.invalid/x\"> <!-- ] > inside a comment -->\n"
        "  <!ATTLIST a b CDATA \"]>\">\n"
        "]>\n"
        "<set kind='single' n=\"a&amp;b&#65;&#x42;\">\n"
        "  <item>one &lt;two&gt; &quot;&apos;</item><?pi stuff?>\n"
        "  <empty x=\"1\"/>\n"
        "  <data><![CDATA[<raw> & ]]>tail<!-- no --></data>\n"
        "  <utf a='\n1\t2'>&#x65E5;&#127881;</utf>\n"
        "  <item>two</item>"
        "</set>\n<!-- trailing -->\n");
    const Document::Element& root = doc.Root();
    EXPECT_EQ(root.name, "set");
    EXPECT_EQ(root.line, 7);
    ASSERT_NE(doc.Attribute(root, "kind"), nullptr);
    EXPECT_EQ(*doc.Attribute(root, "kind"), "single");
    EXPECT_EQ(*doc.Attribute(root, "n"), "a&bAB");
    EXPECT_EQ(doc.Attribute(root, "missing"), nullptr);
    const auto children = doc.Children(root);
    ASSERT_EQ(children.size(), 5u);
    EXPECT_EQ(children[0]->text, "one <two> \"'");
    EXPECT_EQ(children[1]->name, "empty");
    EXPECT_EQ(children[1]->firstChild, -1);
    EXPECT_EQ(*doc.Attribute(*children[1], "x"), "1");
    EXPECT_EQ(doc.Attribute(*children[1], "kind"), nullptr) << "attributes belong to their element";
    EXPECT_EQ(children[2]->text, "<raw> & tail");
    EXPECT_EQ(children[3]->text, "\xE6\x97\xA5\xF0\x9F\x8E\x89");
    EXPECT_EQ(*doc.Attribute(*children[3], "a"), " 1 2");
    EXPECT_EQ(children[4]->line, 13);  // the attribute value above spans a line end
    const auto items = doc.Children(root, "item");
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[1]->text, "two");
    EXPECT_EQ(doc.FirstChild(root, "data"), children[2]);
    EXPECT_EQ(doc.FirstChild(root, "none"), nullptr);
    // Nesting as deep as any puzzle file could want.
    std::string nested;
    for (int i = 0; i < 60; ++i)
        nested = "<a>" + nested + "</a>";
    EXPECT_NO_THROW(ParseXml(nested));
}

// Every way a file can break the syntax, with the line the message must name.
TEST(XmlReaderTest, RefusesBrokenFilesNamingTheLine) {
    std::string manyAttributes = "<a";
    for (int i = 0; i < 65; ++i)
        manyAttributes += " a" + std::to_string(i) + "=''";
    manyAttributes += "/>";
    // The classic expansion bomb: its declarations are skipped and the reference to them is
    // refused instead of growing into gigabytes.
    std::string bomb = "<!DOCTYPE lolz [\n<!ENTITY lol \"lol\">\n";
    for (int i = 1; i <= 9; ++i) {
        bomb += "<!ENTITY lol" + std::to_string(i) + " \"";
        for (int j = 0; j < 10; ++j)
            bomb += "&lol" + (i == 1 ? std::string() : std::to_string(i - 1)) + ";";
        bomb += "\">\n";
    }
    bomb += "]>\n<lolz>&lol9;</lolz>";
    // Deep nesting is refused before it can overflow the stack.
    std::string deep;
    for (int i = 0; i < 100000; ++i)
        deep += "<a>";
    const std::vector<testing::Refusal> cases = {
        {"", 1, "no XML element"},
        {"<a>\n<b>\n</a>", 3, "</a> closes <b>"},
        {"<a>\n\n", 1, "<a> is never closed"},
        {"<a x=1/>", 1, "quoted"},
        {"<a x=\"1\" x=\"2\"/>", 1, "given twice"},
        {"<a x=\"1\"y=\"2\"/>", 1, "separated"},
        {"<a x/>", 1, "no value"},
        {"<a x=\"<\"/>", 1, "'<' inside"},
        {"<a>&bogus;</a>", 1, "unknown entity &bogus;"},
        {"<a>\n&#0;</a>", 2, "no character"},
        {"<a>&#x110000;</a>", 1, "beyond Unicode"},
        {"<a>&#12a;</a>", 1, "malformed character reference"},
        {"<a>&#;</a>", 1, "empty character reference"},
        {"<a>R & D</a>", 1, "bare '&'"},
        {"<a><!-- open", 1, "unterminated comment"},
        {"<a><![CDATA[ open", 1, "unterminated CDATA"},
        {"<!DOCTYPE x [ <!ENTITY y \"z\"> ", 1, "unterminated document type"},
        {"<a></a><b></b>", 1, "content after"},
        {"<a><!ENTITY x \"y\"></a>", 1, "declaration inside"},
        {"<a></ a>", 1, "name was expected"},
        {"<a></a x>", 1, "malformed end tag"},
        {"<a\n", 2, "unterminated start tag"},
        {"<a x=\"1", 1, "unterminated attribute"},
        {manyAttributes.c_str(), 1, "too many attributes on <a>"},
        {bomb, 13, "unknown entity &lol9;"},
        {deep, 1, "nested too deeply"},
    };
    testing::ExpectRefusals(cases, [](const std::string& t, bool) { ParseXml(t); });
}

}  // namespace
}  // namespace tessemar::xml
