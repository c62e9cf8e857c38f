#include "common/TestSupport.h"
#include "platform/core/Xml.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <csignal>
#include <sys/resource.h>

using testsupport::readBytes;
using testsupport::TempDir;
using testsupport::writeBytes;

TEST(Xml, RoundTripKeepsAttributeOrderAndBlankText)
{
    TempDir dir;
    TXmlDocument doc;
    TXmlElement root = doc.CreateRoot("Root");
    TXmlElement row = root.AddChild("row");
    row.SetAttribute("Zeta", "1");
    row.SetAttribute("Alpha", "a&<\"b");
    row.SetAttribute("Mid", "");
    root.AddTextChild("Name", " ");
    doc.AddComment("SW_VERSION = 1.001");
    doc.SaveToFile(dir.file("a.xml"));

    const QByteArray bytes = readBytes(dir.file("a.xml"));
    EXPECT_TRUE(bytes.startsWith("<Root>")) << bytes.constData();
    EXPECT_TRUE(bytes.contains("<!--SW_VERSION = 1.001-->"));

    TXmlDocument back;
    back.LoadFromFile(dir.file("a.xml"));
    TXmlElement r = back.Root();
    ASSERT_FALSE(r.IsNull());
    EXPECT_EQ(r.NodeName(), "Root");
    TXmlElement row2 = r.Child("row");
    EXPECT_EQ(row2.AttributeNames(), QStringList({"Zeta", "Alpha", "Mid"}));
    EXPECT_EQ(row2.Attribute("Alpha"), "a&<\"b");
    EXPECT_EQ(r.ChildText("Name"), " ");
    EXPECT_EQ(r.Children().size(), 2u);
    EXPECT_EQ(row2.AttributeDef("Missing", "def"), "def");
    try {
        row2.Attribute("Missing");
        FAIL() << "required attribute read did not raise";
    } catch (const EXmlError& e) {
        EXPECT_EQ(e.Message, "attribute Missing missing");
    }
}

TEST(Xml, RootIsTheFirstElementEvenAfterDeclarationOrComment)
{
    TXmlDocument doc;
    doc.LoadFromString("<?xml version=\"1.0\"?><!-- c --><Top><A>1</A></Top>");
    EXPECT_EQ(doc.Root().NodeName(), "Top");
    EXPECT_EQ(doc.Root().ChildText("A"), "1");
}

TEST(Xml, TruncatedFileNamesTheFile)
{
    TempDir dir;
    writeBytes(dir.file("bad.xml"), "<Root><row a=\"1\"");
    TXmlDocument doc;
    try {
        doc.LoadFromFile(dir.file("bad.xml"));
        FAIL() << "no error";
    } catch (const EXmlError& e) {
        EXPECT_TRUE(e.Message.contains(dir.file("bad.xml"))) << e.Message.toStdString();
    }
    EXPECT_THROW(doc.LoadFromFile(dir.file("missing.xml")), EXmlError);
}

TEST(Xml, FailedSaveLeavesTheOldFileWhole)
{
    TempDir dir;
    writeBytes(dir.file("keep.xml"), "<Old/>");
    TXmlDocument doc;
    TXmlElement root = doc.CreateRoot("New");
    for (int i = 0; i < 2000; ++i)
        root.AddChild("row").SetAttribute("Text", QString(40, 'x'));
    // A file-size limit makes the write fail half way, as a full disk would (root ignores permissions).
    struct rlimit old {};
    getrlimit(RLIMIT_FSIZE, &old);
    struct rlimit small = old;
    small.rlim_cur = 4096;
    signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    EXPECT_THROW(doc.SaveToFile(dir.file("keep.xml")), EInOutError);
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, SIG_DFL);
    EXPECT_EQ(readBytes(dir.file("keep.xml")), "<Old/>");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"keep.xml"}));
}

TEST(Xml, SaveIntoMissingFolderRaisesAndWritesNothing)
{
    TempDir dir;
    TXmlDocument doc;
    doc.CreateRoot("New");
    EXPECT_THROW(doc.SaveToFile(dir.file("nope/keep.xml")), EInOutError);
    EXPECT_FALSE(QFile::exists(dir.file("nope")));
}

namespace
{

QByteArray nested(int levels, const QByteArray& inner = "x")
{
    QByteArray xml = "<Par_Gen>\n<Name>\n";
    for (int i = 0; i < levels; ++i)
        xml += "<a>";
    xml += inner;
    for (int i = 0; i < levels; ++i)
        xml += "</a>";
    return xml + "</Name>\n</Par_Gen>";
}

} // namespace

TEST(Xml, FilesThatAreNotXmlAreRefusedWithFileAndLine)
{
    struct Case {
        const char* name;
        QByteArray bytes;
        const char* line; // nullptr: loads
    };
    const Case cases[] = {
        {"100,000 nested levels", nested(100000), "line 3"},
        {"257 nested levels", nested(255), "line 3"},
        {"256 nested levels", nested(254), nullptr},
        {"reference to a control character", "<Par_Gen>\n<a/>\n<Name>x&#1;</Name>\n</Par_Gen>", "line 3"},
        {"reference to escape in an attribute", "<Par_Gen>\n<Name v=\"&#27;\"/>\n</Par_Gen>", "line 2"},
        {"reference to a surrogate", "<Par_Gen>\n<Name>&#xD800;</Name>\n</Par_Gen>", "line 2"},
        {"tab, line feed and carriage return", "<Par_Gen>&#9;&#10;&#13;</Par_Gen>", nullptr},
        {"stray E9 byte", "<Par_Gen>\n<Name>Press Line 4</Name>\n<Name>Press Line \xE9</Name>\n</Par_Gen>",
         "line 3"},
        {"control byte", "<Par_Gen>\n<!-- \x01 -->\n</Par_Gen>", "line 2"},
        {"overlong UTF-8", "<Par_Gen>\xC0\xAF</Par_Gen>", "line 1"},
        {"cut UTF-8", "<Par_Gen>\xC3</Par_Gen>", "line 1"},
        {"encoded surrogate", "<Par_Gen>\xED\xA0\x80</Par_Gen>", "line 1"},
        {"U+FFFE", "<Par_Gen>\xEF\xBF\xBE</Par_Gen>", "line 1"},
        {"four-byte UTF-8", "<Par_Gen>\xF0\x9F\x98\x80</Par_Gen>", nullptr},
    };
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeBytes(dir.file("ParGen.xml"), c.bytes);
        TXmlDocument doc;
        try {
            doc.LoadFromFile(dir.file("ParGen.xml"));
            EXPECT_EQ(c.line, nullptr) << "loaded";
            EXPECT_EQ(doc.Root().NodeName(), "Par_Gen");
        } catch (const EXmlError& e) {
            ASSERT_NE(c.line, nullptr) << e.Message.toStdString();
            EXPECT_TRUE(e.Message.startsWith(dir.file("ParGen.xml") + ": ")) << e.Message.toStdString();
            EXPECT_TRUE(e.Message.endsWith(c.line)) << e.Message.toStdString();
            EXPECT_TRUE(doc.Root().IsNull());
        }
    }
}

TEST(Xml, ValidFileComesBackByteForByte)
{
    const QByteArray bytes = "<Root>\n"
                             "  <!--SW_VERSION = 1.001-->\n"
                             "  <row Zeta=\"1\" Alpha=\"a&amp;&lt;&quot;b\" Mid=\"\" />\n"
                             "  <Name> </Name>\n"
                             "  <Code><![CDATA[if (a < b && c) { }]]></Code>\n"
                             "  <Text>caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80 &amp; &lt;&gt;</Text>\n"
                             "</Root>\n"
                             "<!--end-->\n";
    TempDir dir;
    writeBytes(dir.file("in.xml"), bytes);
    TXmlDocument doc;
    doc.LoadFromFile(dir.file("in.xml"));
    EXPECT_EQ(doc.Root().ChildText("Code"), "if (a < b && c) { }");
    EXPECT_EQ(doc.Root().ChildText("Text"), QString::fromUtf8("café € \xF0\x9F\x98\x80 & <>"));
    doc.SaveToFile(dir.file("out.xml"));
    EXPECT_EQ(readBytes(dir.file("out.xml")), bytes);
}

TEST(Xml, CharactersXmlCannotHoldAreRefusedBeforeWriting)
{
    struct Case {
        const char* name;
        QString text;
        bool attribute;
        const char* character;
    };
    const Case cases[] = {
        {"lone high surrogate in a text", QString("Line ") + QChar(0xD800), false, "U+D800"},
        {"lone low surrogate in an attribute", QString(QChar(0xDC00)) + "x", true, "U+DC00"},
        {"control character in a text", QString("a") + QChar(1), false, "U+0001"},
        {"escape in an attribute", QString(QChar(27)), true, "U+001B"},
        {"U+FFFF", QString(QChar(0xFFFF)), false, "U+FFFF"},
    };
    TempDir dir;
    const QString path = dir.file("ParGen.xml");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeBytes(path, "<Old/>");
        TXmlDocument doc;
        TXmlElement name = doc.CreateRoot("Par_Gen").AddChild("Device_Name");
        if (c.attribute)
            name.SetAttribute("Value", c.text);
        else
            name.SetText(c.text);
        try {
            doc.SaveToFile(path);
            ADD_FAILURE() << "saved";
        } catch (const EXmlError& e) {
            EXPECT_TRUE(e.Message.contains(path)) << e.Message.toStdString();
            EXPECT_TRUE(e.Message.contains("element Device_Name")) << e.Message.toStdString();
            EXPECT_TRUE(e.Message.contains(c.character)) << e.Message.toStdString();
        }
        EXPECT_THROW(doc.SaveToString(), EXmlError);
        EXPECT_EQ(readBytes(path), "<Old/>");
        EXPECT_THROW(CheckXmlChars(c.text, "Name"), EXmlError);
    }
    EXPECT_NO_THROW(CheckXmlChars(QString::fromUtf8("\t\r\n caf\xC3\xA9 \xF0\x9F\x98\x80"), "Name"));
}

TEST(Xml, DeepDocumentsBuiltInMemoryDoNotExhaustTheStack)
{
    TXmlDocument doc;
    TXmlElement e = doc.CreateRoot("Root");
    for (int i = 0; i < 100000; ++i)
        e = e.AddChild("a");
    e.SetText("deep");
    EXPECT_EQ(doc.Root().Text(), "deep");
    // Replacing the text frees the whole chain below the root.
    doc.Root().SetText("flat");
    EXPECT_EQ(doc.SaveToString(), "<Root>flat</Root>\n");
}

TEST(Xml, EightBitEncodingsAreDecodedAndOthersRefused)
{
    struct Case {
        const char* name;
        QByteArray bytes;
        QString text; // empty: refused
    };
    const Case cases[] = {
        {"windows-1252", "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n<A>Pr\xE9s \x80 \x93q\x94</A>",
         QString::fromUtf8("Prés € “q”")},
        {"ISO-8859-1", "<?xml version='1.0' encoding='ISO-8859-1'?><A>Pr\xE9s</A>",
         QString::fromUtf8("Prés")},
        {"UTF-8 named", "<?xml version=\"1.0\" encoding=\"UTF-8\"?><A>Pr\xC3\xA9s</A>",
         QString::fromUtf8("Prés")},
        {"UTF-8 with mark", "\xEF\xBB\xBF<A>Pr\xC3\xA9s</A>", QString::fromUtf8("Prés")},
        {"UTF-16 with mark", QByteArray("\xFF\xFE<\0A\0>\0\xE9\0<\0/\0A\0>\0", 18), QString::fromUtf8("é")},
        {"Shift_JIS", "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><A>x</A>", QString()},
        {"US-ASCII with an 8-bit byte", "<?xml version=\"1.0\" encoding=\"US-ASCII\"?><A>\xE9</A>",
         QString()},
    };
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeBytes(dir.file("a.xml"), c.bytes);
        TXmlDocument doc;
        if (c.text.isEmpty()) {
            try {
                doc.LoadFromFile(dir.file("a.xml"));
                ADD_FAILURE() << "loaded";
            } catch (const EXmlError& e) {
                EXPECT_TRUE(e.Message.startsWith(dir.file("a.xml"))) << e.Message.toStdString();
            }
            continue;
        }
        doc.LoadFromFile(dir.file("a.xml"));
        EXPECT_EQ(doc.Root().Text(), c.text);
    }
}
