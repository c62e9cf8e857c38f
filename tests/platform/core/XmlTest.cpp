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
