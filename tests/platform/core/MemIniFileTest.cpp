// TMemIniFile, the registry stand-in and the colour texts: values kept exactly, names without case,
// the order of first writing, CR LF in the 8-bit code page, and the registry as a file under the
// user's configuration folder.
#include "platform/core/IniFiles.h"
#include "platform/core/SysUtils.h"
#include "platform/graphics/ColorText.h"
#include "platform/system/RegistryIniFile.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{

QByteArray FileBytes(const QString& Path)
{
    QFile f(Path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteBytes(const QString& Path, const QByteArray& Bytes)
{
    QFile f(Path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(Bytes);
}

} // namespace

TEST(MemIniFile, WritesSectionsAndEntriesInFirstWrittenOrderWithValuesKeptExactly)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("sub.ini");
    {
        TMemIniFile ini(path);
        ini.WriteString("P", "TitleLines", "A\\nB\\nC\\n");
        ini.WriteInteger("P", "Size", -3);
        ini.WriteString("Q", "Text", QString(" a, \"b\" =c") + QChar(0xE9));
        ini.WriteInteger("p", "size", 7); // the same entry, names without case
        ini.UpdateFile();
    }
    EXPECT_EQ(
        FileBytes(path),
        QByteArray("[P]\r\nTitleLines=A\\nB\\nC\\n\r\nSize=7\r\n\r\n[Q]\r\nText= a, \"b\" =c\xE9\r\n\r\n"));
    TMemIniFile ini(path);
    EXPECT_EQ(ini.ReadString("P", "TITLELINES", ""), "A\\nB\\nC\\n");
    EXPECT_EQ(ini.ReadString("q", "text", ""), QString(" a, \"b\" =c") + QChar(0xE9));
    EXPECT_EQ(ini.ReadInteger("P", "Size", 0), 7);
}

TEST(MemIniFile, MissingEntriesAndNonNumbersGiveTheDefaultAndHandWrittenFilesRead)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("hand.ini");
    WriteBytes(path, "; comment\n[S]\nCol0 = 64\nCol1=x\nbroken line\n[T]\nA==b\n");
    TMemIniFile ini(path);
    EXPECT_EQ(ini.ReadInteger("S", "Col0", -1), 64);
    EXPECT_EQ(ini.ReadInteger("S", "Col1", -1), -1);
    EXPECT_EQ(ini.ReadInteger("S", "Col2", -1), -1);
    EXPECT_EQ(ini.ReadString("T", "A", ""), "=b");
    EXPECT_EQ(ini.ReadString("None", "A", "def"), "def");
    // Lines that are no entries stay in the file.
    ini.WriteInteger("S", "Col2", 5);
    ini.UpdateFile();
    const QByteArray bytes = FileBytes(path);
    EXPECT_TRUE(bytes.startsWith("; comment\r\n[S]\r\n"));
    EXPECT_TRUE(bytes.contains("broken line\r\nCol2=5\r\n"));
}

TEST(MemIniFile, UpdateFileCreatesAMissingFileAndRaisesNamingAFileThatCannotBeWritten)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("new.ini");
    TMemIniFile(path).UpdateFile();
    EXPECT_TRUE(QFile::exists(path));
    TMemIniFile bad(dir.filePath("no/such/folder/x.ini"));
    bad.WriteInteger("S", "A", 1);
    try {
        bad.UpdateFile();
        FAIL() << "no error";
    } catch (const EInOutError& e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains("x.ini"));
    }
    EXPECT_THROW(TMemIniFile{dir.path()}, EInOutError); // a folder is no file
}

TEST(RegistryIniFile, KeyIsAFileUnderTheConfigurationFolderAndSurvivesANewObject)
{
    const QString file = TRegistryIniFile::KeyFileName("\\Software\\Maker\\Grid");
    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    EXPECT_EQ(file, config + "/registry/Software/Maker/Grid.ini");
    // The test run points the configuration folder at a temporary one.
    EXPECT_TRUE(config.startsWith(qEnvironmentVariable("XDG_CONFIG_HOME")));
    EXPECT_EQ(TRegistryIniFile::KeyFileName("..\\..\\x"), config + "/registry/x.ini");
    {
        TRegistryIniFile reg("Software\\Maker\\Grid");
        reg.WriteInteger("Cols", "Col0", 81);
        reg.UpdateFile();
    }
    TRegistryIniFile reg("software\\maker\\grid");
    EXPECT_EQ(reg.ReadInteger("Cols", "Col0", -1), 81);
    QFile::remove(file);
}

TEST(ColorText, IdentifiersFirstMatchOtherwiseDollarHex)
{
    const struct {
        TColor Color;
        const char* Text;
    } cases[] = {
        {clWhite, "clWhite"},      {0xC0C0C0, "clSilver"},  {0x808080, "clGray"},      {clInfoBk, "clInfoBk"},
        {clMenuBar, "clMenuBar"},  {clNone, "clNone"},      {clDefault, "clDefault"},  {clCream, "clCream"},
        {0x00EACAB6, "$00EACAB6"}, {0x123456, "$00123456"}, {0xFF000019, "$FF000019"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ColorToString(c.Color), c.Text);
        EXPECT_EQ(StringToColor(c.Text), c.Color) << c.Text;
    }
}

TEST(ColorText, ReadsAnyCaseTheReadOnlyNamesAndNumbersAndRaisesOnAnythingElse)
{
    EXPECT_EQ(StringToColor("CLRED"), clRed);
    EXPECT_EQ(StringToColor("clLtGray"), 0xC0C0C0u);
    EXPECT_EQ(StringToColor("clDkGray"), 0x808080u);
    EXPECT_EQ(StringToColor("255"), clRed);
    EXPECT_EQ(StringToColor("$FF000005"), clWindow);
    EXPECT_THROW(StringToColor("clPink"), EConvertError);
    EXPECT_THROW(StringToColor(""), EConvertError);
}
