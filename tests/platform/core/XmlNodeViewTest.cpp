// The read-only node view of the XML layer.
#include "common/TestSupport.h"
#include "platform/core/Xml.h"

#include <gtest/gtest.h>

namespace
{

using testsupport::TempDir;
using testsupport::writeBytes;

TEST(XmlNodeView, WalksElementsAndTextsWithoutWhitespaceOnlyTexts)
{
    TempDir dir;
    writeBytes(dir.file("a.xml"),
               "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?>\r\n<L>\r\n  <!-- note -->\r\n"
               "  <R a=\"1\" b=\"x&amp;y\">t<![CDATA[<c>]]><E>&#8364;\xE9</E></R>\r\n</L>\r\n");
    TXmlNodeDocument doc;
    ASSERT_TRUE(doc.LoadFromFile(dir.file("a.xml")));
    const TXmlNode root = doc.DocumentElement();
    EXPECT_EQ(root.NodeName(), "L");
    const auto rows = root.ChildNodes();
    ASSERT_EQ(rows.size(), 1u) << "whitespace and comments are not nodes";
    const TXmlNode r = rows[0];
    EXPECT_EQ(r.Attributes(), (std::vector<std::pair<QString, QString>>{{"a", "1"}, {"b", "x&y"}}));
    const auto kids = r.ChildNodes();
    ASSERT_EQ(kids.size(), 3u);
    EXPECT_TRUE(kids[0].IsText());
    EXPECT_EQ(kids[0].NodeName(), "#text");
    EXPECT_TRUE(kids[0].Attributes().empty());
    EXPECT_EQ(kids[1].Text(), "<c>");
    EXPECT_EQ(kids[2].NodeName(), "E");
    EXPECT_EQ(kids[2].Text(), QString::fromUtf8("\xE2\x82\xAC\xC3\xA9"));
    EXPECT_EQ(r.Text(), QString::fromUtf8("t<c>\xE2\x82\xAC\xC3\xA9"));
}

TEST(XmlNodeView, ParseFailureGivesCodeAndLine)
{
    TempDir dir;
    writeBytes(dir.file("b.xml"), "<L>\n<R>\n</L>\n");
    TXmlNodeDocument doc;
    EXPECT_FALSE(doc.LoadFromFile(dir.file("b.xml")));
    EXPECT_NE(doc.ErrorCode(), 0);
    EXPECT_EQ(doc.ErrorLine(), 3);
    writeBytes(dir.file("e.xml"), "");
    EXPECT_FALSE(doc.LoadFromFile(dir.file("e.xml")));
    EXPECT_NE(doc.ErrorCode(), 0);
    EXPECT_THROW(doc.LoadFromFile(dir.file("none.xml")), EInOutError);
}

} // namespace
