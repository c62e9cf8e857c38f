// The HTML export: exact text, style classes, spans, links, XHTML, pictures as JPEG files, and the
// file writer.
#include "common/TestSupport.h"
#include "grid/ops/OpsTestSupport.h"

#include "platform/controls/Interaction.h"
#include "platform/graphics/Jpeg.h"
#include "platform/graphics/JpegImage.h"

#include <QDir>
#include <QFile>

namespace opstest
{

using testsupport::TempDir;

// The TD lines of the text.
QStringList TdLines(const QString& Html)
{
    QStringList out;
    for (const QString& l : Html.split("\r\n"))
        if (l.startsWith("<TD"))
            out << l;
    return out;
}

// Width, height and component count of the first baseline frame header.
struct TJpegFrame {
    int Width = 0, Height = 0, Components = 0;
};
TJpegFrame FrameOf(const QByteArray& J)
{
    const qsizetype p = J.indexOf(QByteArray("\xFF\xC0", 2));
    if (p < 0 || p + 10 > J.size())
        return {};
    auto at = [&](qsizetype i) { return int(uint8_t(J[i])); };
    return {at(p + 7) << 8 | at(p + 8), at(p + 5) << 8 | at(p + 6), at(p + 9)};
}

class HtmlExport : public OpsGridTest
{
  protected:
    // 2 x 2: header "A", "B"; data "x<y", "".
    void TwoByTwo()
    {
        grid->SetColCount(2);
        grid->SetRowCount(2);
        grid->SetFixedRows(1);
        grid->SetFixedCols(0);
        grid->SetColor(clWhite);
        grid->SetFixedColor(TColor(0xC0C0C0));
        grid->FixedFont()->Name = "Arial";
        grid->FixedFont()->Size = 10;
        grid->FixedFont()->Style = fsBold;
        grid->Font->Name = "Verdana";
        grid->Font->Size = 9;
        grid->SetCells(0, 0, "A");
        grid->SetCells(1, 0, "B");
        grid->SetCells(0, 1, "x<y");
        grid->SetCells(1, 1, "");
    }
    QString Dir() const { return dir.path() + "/"; }
    TempDir dir;
};

TEST_F(HtmlExport, TheTextFollowsTheTemplates)
{
    TwoByTwo();
    const QString html = grid->SaveToHTMLString(Dir());
    const QString expected =
        "<style>\r\n"
        ".c0 {background-color: #C0C0C0;color: #000000;font-size:10pt;font-weight: bold;font-family: "
        "Arial;vertical-align: top}\r\n"
        ".c1 {background-color: #FFFFFF;color: #000000;font-size:9pt;font-family: Verdana;vertical-align: "
        "top}\r\n"
        "</style>\r\n"
        "<TABLE BORDER=\"1\" CELLSPACING=\"0\" CELLPADDING=\"0\"  WIDTH=\"100%\">\r\n"
        "<TR>\r\n"
        "<TD class=\"c0\">A</td>\r\n"
        "<TD class=\"c0\">B</td>\r\n"
        "</TR>\r\n"
        "<TR>\r\n"
        "<TD class=\"c1\">x<y</td>\r\n"
        "<TD class=\"c1\">&nbsp;</td>\r\n"
        "</TR>\r\n"
        "</TABLE>\r\n";
    EXPECT_EQ(html.toStdString(), expected.toStdString());

    grid->HTMLSettings()->ConvertSpecialChars = true;
    EXPECT_EQ(TdLines(grid->SaveToHTMLString(Dir()))[2], "<TD class=\"c1\">x&lt;y</td>");
}

TEST_F(HtmlExport, DefaultColoursAreResolvedToTheirRGBValues)
{
    grid->SetColCount(1);
    grid->SetRowCount(2);
    grid->SetFixedRows(1);
    grid->SetFixedCols(0);
    const QString html = grid->SaveToHTMLString(Dir());
    EXPECT_TRUE(html.contains(".c1 {background-color: #FFFFFF;")) << html.toStdString();
    EXPECT_FALSE(html.contains("050000"));
    EXPECT_FALSE(html.contains("0F0000"));
}

TEST_F(HtmlExport, EqualLooksShareAClassAndSpansMakeOneCell)
{
    grid->SetFixedRows(0);
    grid->SetFixedCols(0);
    grid->SetColCount(3);
    grid->SetRowCount(4);
    grid->SetFontStyles(2, 0, fsBold);
    QStringList tds = TdLines(grid->SaveToHTMLString(Dir()));
    ASSERT_GE(tds.size(), 3);
    EXPECT_TRUE(tds[0].startsWith("<TD class=\"c0\""));
    EXPECT_TRUE(tds[1].startsWith("<TD class=\"c0\""));
    EXPECT_TRUE(tds[2].startsWith("<TD class=\"c1\""));

    grid->MergeCells(0, 1, 2, 3);
    tds = TdLines(grid->SaveToHTMLString(Dir()));
    EXPECT_EQ(tds.size(), 12 - 5); // the six merged cells give one TD
    EXPECT_EQ(tds.filter("COLSPAN=\"2\" ROWSPAN=\"3\"").size(), 1);
}

TEST_F(HtmlExport, LinksAndXHTML)
{
    grid->SetFixedRows(0);
    grid->SetFixedCols(0);
    grid->SetColCount(1);
    grid->SetRowCount(2);
    grid->SetCells(0, 0, "http://a.b/c");
    grid->SetCells(0, 1, "mail mailto:x@y.z");
    grid->SetURLShow(true);
    QStringList tds = TdLines(grid->SaveToHTMLString(Dir()));
    EXPECT_TRUE(tds[0].endsWith("><a href=http://a.b/c>a.b/c</a></td>"));
    EXPECT_TRUE(tds[1].endsWith("><a href=mail mailto:x@y.z>x@y.z</a></td>"));
    grid->SetURLFull(true);
    tds = TdLines(grid->SaveToHTMLString(Dir()));
    EXPECT_TRUE(tds[0].endsWith("><a href=http://a.b/c>http://a.b/c</a></td>"));

    grid->HTMLSettings()->XHTML = true;
    const QStringList lines = grid->SaveToHTMLString(Dir()).split("\r\n");
    EXPECT_EQ(lines[0], "<?xml version=\"1.0\" encoding=\"utf-8\"?>");
    EXPECT_EQ(lines[1], "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\"");
    EXPECT_EQ(lines[2], "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">");
    EXPECT_EQ(lines[3], "<HTML xmlns=\"http://www.w3.org/1999/xhtml\" xml:lang=\"en\" lang=\"en\">");
    EXPECT_EQ(lines[lines.size() - 2], "</HTML>");
}

TEST_F(HtmlExport, BitmapCellsBecomeJpegFilesBesideThePage)
{
    grid->SetColCount(1);
    grid->SetRowCount(2);
    grid->SetFixedRows(1);
    grid->SetFixedCols(0);
    TBitmap* bmp = grid->CreateBitmap(0, 1, false, haLeft, vaTop);
    QImage red(4, 4, QImage::Format_RGB32);
    red.fill(QColor(255, 0, 0));
    bmp->Assign(red);
    const QString html = grid->SaveToHTMLString(Dir());
    const QString file = Dir() + "images/img1.jpg";
    EXPECT_TRUE(html.contains("<img src= \"file://" + file + "\">")) << html.toStdString();
    const QByteArray jpeg = testsupport::readBytes(file);
    ASSERT_GT(jpeg.size(), 4);
    EXPECT_TRUE(jpeg.startsWith(QByteArray("\xFF\xD8\xFF", 3)));
    EXPECT_TRUE(jpeg.endsWith(QByteArray("\xFF\xD9", 2)));
    const TJpegFrame f = FrameOf(jpeg);
    EXPECT_EQ(f.Width, 4);
    EXPECT_EQ(f.Height, 4);
    EXPECT_EQ(f.Components, 3);
    const QImage back = DecodeJpegImage(jpeg);
    ASSERT_EQ(back.size(), QSize(4, 4));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            const QColor c = back.pixelColor(x, y);
            EXPECT_TRUE(std::abs(c.red() - 255) <= 24 && c.green() <= 24 && c.blue() <= 24);
        }
}

TEST_F(HtmlExport, AJpegPictureIsCopiedUnchangedAndNumbersNeverRepeat)
{
    grid->SetColCount(2);
    grid->SetRowCount(2);
    grid->SetFixedRows(1);
    grid->SetFixedCols(0);
    QImage blue(5, 3, QImage::Format_RGB32);
    blue.fill(QColor(0, 0, 255));
    const QByteArray original = EncodeJpegImage(blue, 40);
    testsupport::writeBytes(dir.file("in.jpg"), original);
    grid->CreatePicture(0, 1, false, noStretch, 0, haLeft, vaTop)->LoadFromFile(dir.file("in.jpg"));
    grid->CreateBitmap(0, 0, false, haLeft, vaTop)->Assign(blue);
    grid->CreateBitmap(1, 0, false, haLeft, vaTop)->Assign(blue);

    const QString html = grid->SaveToHTMLString(Dir());
    for (const char* name : {"img0.jpg", "img1.jpg", "img2.jpg"})
        EXPECT_TRUE(html.contains(QString("images/") + name)) << name;
    EXPECT_FALSE(html.contains("img3.jpg"));
    EXPECT_EQ(testsupport::readBytes(Dir() + "images/img2.jpg"), original);
}

TEST_F(HtmlExport, FilesAreWrittenInTheirEncodingAndAppended)
{
    TScopedInteraction rec;
    grid->SetFixedRows(0);
    grid->SetFixedCols(0);
    grid->SetColCount(1);
    grid->SetRowCount(1);
    grid->SetCells(0, 0, QString::fromUtf8("caf\u00e9"));
    const QString f = dir.file("page.html");
    grid->SaveToHTML(f);
    QByteArray bytes = testsupport::readBytes(f);
    EXPECT_TRUE(bytes.contains(">caf?</td>"));
    EXPECT_TRUE(rec->OpenedURLs.isEmpty());

    grid->SaveToHTML(f, true, true);
    bytes = testsupport::readBytes(f);
    EXPECT_TRUE(bytes.startsWith("\xFF\xFE"));
    const QString text =
        QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData() + 2), (bytes.size() - 2) / 2);
    EXPECT_TRUE(text.contains(QString::fromUtf8(">caf\u00e9</td>")));
    EXPECT_EQ(rec->OpenedURLs, QStringList({f}));

    testsupport::writeBytes(f, "old line\r\n");
    grid->AppendToHTML(f);
    bytes = testsupport::readBytes(f);
    EXPECT_TRUE(bytes.startsWith("old line\r\n<style>"));
    const QString fresh = dir.file("new.html");
    grid->AppendToHTML(fresh);
    EXPECT_TRUE(testsupport::readBytes(fresh).startsWith("<style>"));
}

TEST_F(HtmlExport, HeaderAndFooterFilesFrameTheTableAndMissingOnesStopIt)
{
    grid->SetColCount(1);
    grid->SetRowCount(1);
    grid->SetFixedRows(0);
    grid->SetFixedCols(0);
    testsupport::writeBytes(dir.file("head.txt"), "<BODY>\r\n");
    testsupport::writeBytes(dir.file("foot.txt"), "</BODY>\r\n");
    grid->HTMLSettings()->HeaderFile = dir.file("head.txt");
    grid->HTMLSettings()->FooterFile = dir.file("foot.txt");
    const QString f = dir.file("page.html");
    grid->SaveToHTML(f);
    const QByteArray bytes = testsupport::readBytes(f);
    EXPECT_TRUE(bytes.startsWith("<BODY>\r\n<style>"));
    EXPECT_TRUE(bytes.endsWith("</TABLE>\r\n\r\n</BODY>\r\n"));

    grid->HTMLSettings()->FooterFile = dir.file("gone.txt");
    const QString g = dir.file("other.html");
    EXPECT_THROW(grid->SaveToHTML(g), EInOutError);
    EXPECT_FALSE(QFile::exists(g));
}

TEST_F(HtmlExport, AnImagesFolderThatCannotBeMadeIsReported)
{
    grid->SetColCount(1);
    grid->SetRowCount(1);
    grid->SetFixedRows(0);
    grid->SetFixedCols(0);
    grid->CreateBitmap(0, 0, false, haLeft, vaTop)->SetSize(2, 2);
    testsupport::writeBytes(dir.file("blocker"), "a file, not a folder");
    const QString base = dir.file("blocker") + "/";
    try {
        grid->SaveToHTMLString(base);
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "Cannot create " + base + "images");
    }
}

} // namespace opstest
