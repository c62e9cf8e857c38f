// The UI text table and the language files.
#include "app/UGlobals.h"
#include "app/ULang.h"
#include "common/TestSupport.h"
#include "platform/core/SysUtils.h"

#include <QDir>
#include <gtest/gtest.h>

using testsupport::TempDir;
using testsupport::writeBytes;

namespace
{

// Bytes of a literal, embedded NULs included.
template <size_t N> QByteArray raw(const char (&s)[N])
{
    return QByteArray(s, N - 1);
}

class LangFiles : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        Reset_Globals();
        Set_App_Dir(dir.path());
        Create_App_Folders();
        Set_English_Texts();
        english = Lang_Table;
    }
    void TearDown() override
    {
        Clear_Lang_Table();
        Reset_Globals();
    }

    QString lng(const QString& name) const { return Language_Dir + "/" + name + ".lng"; }

    // Entries that differ from English, as "n=text".
    QStringList changes() const
    {
        QStringList out;
        for (int i = 0; i < Lang_Table_Capacity; ++i)
            if (Lang_Text(i) != english[i])
                out << QString::number(i) + "=" + Lang_Text(i);
        return out;
    }

    TempDir dir;
    QStringList english;
};

QByteArray utf16le(const QString& text)
{
    QByteArray bytes("\xFF\xFE");
    for (QChar c : text) {
        bytes += char(c.unicode() & 0xFF);
        bytes += char(c.unicode() >> 8);
    }
    return bytes;
}

} // namespace

TEST(LangTable, EnglishEntriesAndBlanks)
{
    Clear_Lang_Table();
    EXPECT_THROW(Lang_Text(0), EListError);
    Set_English_Texts();
    EXPECT_EQ(Lang_Table_Size, 5400);
    EXPECT_EQ(Lang_Table.size(), 5400);
    EXPECT_EQ(Lang_Text(0), "Begin");
    EXPECT_EQ(Lang_Text(18), "Error! Project not Valid");
    EXPECT_EQ(Lang_Text(9), "None Configuration Opened ");
    EXPECT_EQ(Lang_Text(5399), " ");
    Clear_Lang_Table();
}

TEST(LangTable, IndexOutsideTheTableRaisesTheListError)
{
    Set_English_Texts();
    for (int index : {-1, 5400, 100000}) {
        try {
            Lang_Text(index);
            ADD_FAILURE() << index;
        } catch (const EListError& e) {
            EXPECT_EQ(e.Message, QString("List index out of bounds (%1)").arg(index));
        }
    }
    EXPECT_THROW(Set_Lang_Text(5400, "x"), EListError);
    Clear_Lang_Table();
}

TEST_F(LangFiles, LineGrammar)
{
    struct Case {
        const char* line;
        const char* effect; // "n=text" or "" when ignored
    };
    const Case cases[] = {
        {"STR0 = Start", "0=Start"},
        {"STR5399 = x", "5399=x"},
        {"STR5400 = x", ""},
        {"STR-1 = x", ""},
        {"STR 12 = x", "12=x"},
        {"STR12 := x", "12=x"},
        {"STR12=x", "1=x"},
        {"STR5=x", ""},
        {"STR=x", ""},
        {"STR12 = a = b", "12=a = b"},
        {"STR12 = ", ""},
        {"STR12 = /#/ note", ""},
        {"STR12 = text /#/ note", "12=text"},
        {"STR304 = ¶Selected Language : ¶", "304=Selected Language : "},
        {"STR12 = ¶  indented¶ tail", "12=  indented"},
        {"STR12 = ¶¶", "12="},
        {"STR12 = ¶", "12="},
        {"STR12 = abc¶def", "12=abc"},
        {"STR12 = ¶a /#/ b¶", "12=a"},
        {"STRING = x", ""},
        {"str12 = x", ""},
        {"#STR12 = x", ""},
        {"STR12 x", ""},
        {"   \tSTR7 = padded\t ", "7=padded"},
        {"STR0x1 = hex", ""},
        {"STR+3 = signed", ""},
        {"STR0007 = zeros", "7=zeros"},
        {"STR99999999999999999999 = huge", ""},
        {"STR12 = C:\\path\\n", "12=C:\\path\\n"},
    };
    for (const Case& c : cases) {
        for (int i = 0; i < Lang_Table_Capacity; ++i)
            Set_Lang_Text(i, "~");
        english = Lang_Table;
        Apply_Lang_Line(QString::fromUtf8(c.line));
        const QStringList got = changes();
        EXPECT_EQ(got.join('|'), QString::fromUtf8(c.effect)) << c.line;
    }
}

TEST_F(LangFiles, FileWithoutMarkIsWindows1252WithAnyLineEnd)
{
    // "Café" and "Überschrift" in Windows-1252; CR LF, LF and CR line ends; a heading; a later
    // line for the same index wins.
    writeBytes(lng("Deutsch"), "[Deutsch]\r\nSTR0 = Caf\xE9\r\nSTR1 = \xDC"
                               "berschrift\nSTR2 = one\rSTR2 = two\rSTR3 = \x80 euro");
    Language_Name = "Deutsch";
    Load_Language();
    EXPECT_EQ(Language_Name, "Deutsch");
    EXPECT_EQ(changes(), QStringList({QString::fromUtf8("0=Café"), QString::fromUtf8("1=Überschrift"),
                                      "2=two", QString::fromUtf8("3=€ euro")}));
}

TEST_F(LangFiles, UTF8WithoutMarkReadsAsTheCodePage)
{
    writeBytes(lng("X"), "STR0 = Caf\xC3\xA9");
    ASSERT_TRUE(Load_Lang_File(lng("X")));
    EXPECT_EQ(Lang_Text(0), QString::fromUtf8("CafÃ©"));
}

TEST_F(LangFiles, ByteOrderMarks)
{
    const QString text = QString::fromUtf8("STR0 = Größe\r\nSTR1 = ¶日本 ¶\nSTR2 = 😀");
    const QStringList expected = {QString::fromUtf8("0=Größe"), QString::fromUtf8("1=日本 "),
                                  QString::fromUtf8("2=😀")};

    writeBytes(lng("utf8"), "\xEF\xBB\xBF" + text.toUtf8());
    QByteArray be("\xFE\xFF");
    for (QChar c : text) {
        be += char(c.unicode() >> 8);
        be += char(c.unicode() & 0xFF);
    }
    writeBytes(lng("utf16le"), utf16le(text));
    writeBytes(lng("utf16be"), be + 'x'); // an odd last byte is dropped
    for (const char* name : {"utf8", "utf16le", "utf16be"}) {
        Set_English_Texts();
        ASSERT_TRUE(Load_Lang_File(lng(name)));
        EXPECT_EQ(changes(), expected) << name;
    }
}

TEST_F(LangFiles, BadLinesAreIgnoredAndTheRestApplies)
{
    writeBytes(lng("utf8"), raw("\xEF\xBB\xBFSTR0 = bad \xC3(\nSTR1 = a\0b\nSTR2 = good\n"
                                "STR3 no equals\nSTR6000 = out\nSTR4 = fine"));
    ASSERT_TRUE(Load_Lang_File(lng("utf8")));
    EXPECT_EQ(changes(), QStringList({"2=good", "4=fine"}));

    Set_English_Texts();
    writeBytes(lng("ansi"), raw("STR0 = nul\0here\r\nSTR1 = kept"));
    ASSERT_TRUE(Load_Lang_File(lng("ansi")));
    EXPECT_EQ(changes(), QStringList({"1=kept"}));

    Set_English_Texts();
    QString lone = "STR0 = x";
    lone += QChar(0xD800);
    writeBytes(lng("utf16"), utf16le(lone + "\nSTR1 = y"));
    ASSERT_TRUE(Load_Lang_File(lng("utf16"))); // a lone surrogate spoils its line only
    EXPECT_EQ(changes(), QStringList({"1=y"}));
}

TEST_F(LangFiles, MissingLanguageFallsBackToEnglish)
{
    Language_Name = "Klingon";
    Apply_Lang_Line("STR0 = stale");
    Load_Language();
    EXPECT_EQ(Language_Name, "English");
    EXPECT_EQ(Lang_Table, english);

    writeBytes(lng("English"), "STR0 = Start");
    Language_Name = "Klingon";
    Load_Language();
    EXPECT_EQ(Language_Name, "English");
    EXPECT_EQ(changes(), QStringList({"0=Start"}));
}

TEST_F(LangFiles, EachLoadStartsFromEnglish)
{
    writeBytes(lng("A"), "STR0 = A0\nSTR1 = A1");
    writeBytes(lng("B"), "STR1 = B1");
    Language_Name = "A";
    Load_Language();
    Language_Name = "B";
    Load_Language();
    EXPECT_EQ(changes(), QStringList({"1=B1"}));
}

TEST_F(LangFiles, UnreadableFileKeepsEnglishAndTheName)
{
    QDir().mkdir(lng("Folder")); // exists, but is no readable file
    EXPECT_FALSE(Load_Lang_File(lng("Folder")));
    EXPECT_FALSE(Load_Lang_File(lng("Nowhere")));
    EXPECT_EQ(Lang_Table, english);
}
