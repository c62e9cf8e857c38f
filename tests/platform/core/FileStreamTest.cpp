// File streams and the string lists' text encodings on files and streams.
#include "common/TestSupport.h"
#include "platform/core/Classes.h"
#include "platform/core/StringList.h"

#include <gtest/gtest.h>

namespace
{

using testsupport::readBytes;
using testsupport::TempDir;

TEST(FileStream, CreatesReadsAndReportsMissingFiles)
{
    TempDir dir;
    {
        TFileStream out(dir.file("s.bin"), fmCreate);
        out.WriteBuffer("abcdef", 6);
        EXPECT_EQ(out.Size(), 6);
    }
    TFileStream in(dir.file("s.bin"), fmOpenRead | fmShareDenyNone);
    char buf[4] = {};
    in.Seek(2, soBeginning);
    in.ReadBuffer(buf, 3);
    EXPECT_EQ(QByteArray(buf, 3), "cde");
    EXPECT_EQ(in.Position(), 5);
    EXPECT_THROW(in.ReadBuffer(buf, 4), EReadError);
    try {
        TFileStream none(dir.file("none.bin"), fmOpenRead);
        ADD_FAILURE() << "no error";
    } catch (const EInOutError& e) {
        EXPECT_TRUE(e.Message.contains(dir.file("none.bin")));
    }
}

TEST(FileStream, StringListEncodingsWriteTheirMarksAndReadBack)
{
    TempDir dir;
    TStringList sl;
    sl.Add(QString::fromUtf8("\xE2\x82\xAC"));
    sl.Add("x");
    struct Case {
        TTextEncoding Encoding;
        QByteArray Bytes;
    };
    for (const Case& c : {Case{TTextEncoding::Unicode, QByteArray("\xFF\xFE\xAC\x20\r\0\n\0x\0\r\0\n\0", 14)},
                          Case{TTextEncoding::UTF8BOM, QByteArray("\xEF\xBB\xBF\xE2\x82\xAC\r\nx\r\n")},
                          Case{TTextEncoding::Ansi, QByteArray("\x80\r\nx\r\n")}}) {
        sl.SaveToFile(dir.file("t.txt"), c.Encoding);
        EXPECT_EQ(readBytes(dir.file("t.txt")), c.Bytes);
        TMemoryStream ms;
        sl.SaveToStream(&ms, c.Encoding);
        EXPECT_EQ(ms.Bytes(), c.Bytes);
        // The mark tells the encoding; without one the 8-bit page is assumed.
        TStringList back;
        ms.SetPosition(0);
        back.LoadFromStream(&ms);
        EXPECT_EQ(back.ToStringList(), sl.ToStringList());
        TStringList fromFile;
        fromFile.LoadFromFile(dir.file("t.txt"));
        EXPECT_EQ(fromFile.ToStringList(), sl.ToStringList());
    }
}

} // namespace
