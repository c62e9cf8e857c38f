// The visual properties file: colours, fonts and look switches as key=value lines.
#include "grid/GridOnForm.h"
#include "grid/core/ExtGrid.h"
#include "platform/core/StringList.h"

#include <QFile>
#include <QTemporaryDir>

namespace
{

class VisualPropsTest : public GridOnForm<TExtStringGrid>
{
  protected:
    void SetUp() override
    {
        ShowForm(400, 300);
        grid->SetColor(clWhite);
        grid->Font->Name = "Arial";
        grid->Font->Size = 10;
        grid->Font->Style = fsBold | fsItalic;
        grid->Font->Color = clBlack;
        path = dir.filePath("look.txt");
    }
    QStringList FileLines()
    {
        TStringList l;
        l.LoadFromFile(path);
        QStringList out;
        for (int i = 0; i < l.Count(); ++i)
            out << l.Strings(i);
        return out;
    }
    void Write(const QByteArray& Bytes)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(Bytes);
    }
    QTemporaryDir dir;
    QString path;
};

TEST_F(VisualPropsTest, WriterLinesAndFormats)
{
    grid->SaveVisualProps(path);
    const QStringList lines = FileLines();
    ASSERT_GE(lines.size(), 60);
    EXPECT_EQ(lines.mid(0, 4), (QStringList{"Color=clWhite", "HintColor=clInfoBk", "SelectionColor=$00EACAB6",
                                            "SelectionColorTo=clNone"}));
    const int font = int(lines.indexOf("Font.Color=clBlack"));
    ASSERT_GT(font, 0);
    EXPECT_EQ(lines.mid(font, 4), (QStringList{"Font.Color=clBlack", "Font.Style=fsBold,fsItalic",
                                               "Font.Size=10", "Font.Name=Arial"}));
    EXPECT_TRUE(lines.contains("Look=glXP"));
    EXPECT_TRUE(lines.contains("URLShow=false"));
    EXPECT_TRUE(lines.contains("Balloon.BackgroundColor=clNone"));
    EXPECT_EQ(lines.last(), "BackGround.ColorTo=" + lines.last().section('=', 1));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().startsWith("Color=clWhite\r\nHintColor=clInfoBk\r\n"));
}

TEST_F(VisualPropsTest, SaveAndLoadReproducesTheProperties)
{
    grid->HintColor = clYellow;
    grid->SetSelectionColorTo(0x123456);
    grid->SetURLShow(true);
    grid->SetActiveCellShow(true);
    grid->ActiveCellFont()->Size = 14;
    grid->FixedFont()->Style = fsUnderline | fsStrikeOut;
    grid->Balloon()->Transparency = 77;
    grid->Bands()->SetPrimaryColor(clAqua);
    grid->ControlLook()->SetControlStyle(csFlat);
    grid->ControlLook()->SetFixedGradientFrom(0x00FF8040);
    grid->ControlLook()->SetFixedGradientTo(0x00102030);
    grid->ControlLook()->SetCheckSize(19);
    grid->Grouping()->SummaryLineWidth = 3;
    grid->SetGridLineColor(clRed);
    grid->BackGround()->SetDisplay(bdGradientVert);
    grid->BackGround()->SetCells(bcAll);
    grid->BackGround()->SetTop(12);
    grid->SaveVisualProps(path);
    TExtStringGrid* other = New();
    other->LoadVisualProps(path);
    EXPECT_EQ(other->Color(), clWhite);
    EXPECT_EQ(other->HintColor, clYellow);
    EXPECT_EQ(other->SelectionColor, grid->SelectionColor);
    EXPECT_EQ(other->SelectionColorTo(), 0x123456u);
    EXPECT_TRUE(other->URLShow());
    EXPECT_TRUE(other->ActiveCellShow);
    EXPECT_EQ(other->Font->Name.get(), "Arial");
    EXPECT_EQ(other->Font->Style.get(), fsBold | fsItalic);
    EXPECT_EQ(other->Font->Color.get(), clBlack);
    EXPECT_EQ(other->ActiveCellFont()->Size.get(), 14);
    EXPECT_EQ(other->FixedFont()->Style.get(), fsUnderline | fsStrikeOut);
    EXPECT_EQ(other->Balloon()->Transparency, 77);
    EXPECT_EQ(other->Bands()->PrimaryColor(), clAqua);
    EXPECT_EQ(other->ControlLook()->ControlStyle(), csFlat);
    EXPECT_EQ(other->ControlLook()->FixedGradientFrom(), 0x00FF8040u);
    EXPECT_EQ(other->ControlLook()->FixedGradientTo(), 0x00102030u);
    EXPECT_EQ(other->ControlLook()->CheckSize(), 19);
    EXPECT_EQ(other->Grouping()->SummaryLineWidth, 3);
    EXPECT_EQ(other->GridLineColor(), clRed);
    EXPECT_EQ(other->BackGround()->Display(), bdGradientVert);
    EXPECT_EQ(other->BackGround()->Cells(), bcAll);
    EXPECT_EQ(other->BackGround()->Top(), 12);
    EXPECT_EQ(other->Look, glXP);
}

TEST_F(VisualPropsTest, HandWrittenFileInOtherOrderAndCase)
{
    grid->SaveVisualProps(path);
    QStringList lines = FileLines();
    lines.removeAll(QString());
    std::reverse(lines.begin(), lines.end());
    QByteArray bytes = "unrelated line\r\n";
    for (QString l : lines) {
        const qsizetype eq = l.indexOf('=');
        bytes += (l.left(eq).toUpper() + l.mid(eq)).toLatin1() + "\r\n";
    }
    bytes.replace("FONT.STYLE=fsBold,fsItalic", "FONT.STYLE=fsItalic,fsBold");
    bytes.replace("COLOR=clWhite", "color=clwhite");
    Write(bytes);
    TExtStringGrid* other = New();
    other->SetColor(clRed);
    other->LoadVisualProps(path);
    EXPECT_EQ(other->Color(), clWhite);
    EXPECT_EQ(other->Font->Style.get(), fsBold | fsItalic);
    EXPECT_EQ(other->Font->Size.get(), 10);
}

TEST_F(VisualPropsTest, CustomLookWritesEmptyAndLoadingLeavesLook)
{
    grid->Look = glCustom;
    grid->SaveVisualProps(path);
    EXPECT_TRUE(FileLines().contains("Look="));
    TExtStringGrid* other = New();
    other->SetLook(glSoft);
    other->LoadVisualProps(path);
    EXPECT_EQ(other->Look, glSoft);
}

TEST_F(VisualPropsTest, MissingIntegerRaisesAfterEarlierKeysWereApplied)
{
    Write("Color=clLime\r\nFont.Name=Courier New\r\n");
    TExtStringGrid* other = New();
    other->HintColor = clRed;
    other->SetActiveRowShow(true);
    EXPECT_THROW(other->LoadVisualProps(path), EConvertError);
    EXPECT_EQ(other->Color(), clLime);
    EXPECT_EQ(other->HintColor, clNone);               // a missing colour is clNone
    EXPECT_FALSE(other->ActiveRowShow());              // a missing boolean False
    EXPECT_NE(other->Font->Name.get(), "Courier New"); // after the size: not reached
}

TEST_F(VisualPropsTest, MissingFileAndUnwritableFile)
{
    const QString missing = dir.filePath("none.txt");
    try {
        grid->LoadVisualProps(missing);
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(QString::fromUtf8(e.what()), "Cannot open file " + missing);
    }
    EXPECT_EQ(grid->Color(), clWhite);
    const QString bad = dir.filePath("no/folder/x.txt");
    try {
        grid->SaveVisualProps(bad);
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(QString::fromUtf8(e.what()), "Cannot Create " + bad);
    }
}

} // namespace
