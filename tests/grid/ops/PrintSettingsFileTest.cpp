// The print settings file: one ini section of PrintSettings, the reader's own defaults and rules.
#include "grid/GridOnForm.h"
#include "grid/core/ExtGrid.h"
#include "platform/core/IniFiles.h"
#include "platform/core/StringList.h"

#include <QFile>
#include <QTemporaryDir>

namespace
{

class PrintSettingsFileTest : public GridOnForm<TExtStringGrid>
{
  protected:
    void SetUp() override
    {
        ShowForm(400, 300);
        TPrintSettings* s = grid->PrintSettings();
        s->Font()->Name = "Arial";
        s->Font()->Size = 10;
        s->HeaderFont()->Name = "Arial";
        s->HeaderFont()->Size = 12;
        s->HeaderFont()->Style = fsBold;
        s->FooterFont()->Name = "Courier New";
        s->FooterFont()->Size = 8;
        s->FooterFont()->Style = fsItalic;
        s->TitleLines()->Add("A");
        s->TitleLines()->Add("B");
        s->TitleLines()->Add("C");
        path = dir.filePath("print.ini");
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
    QTemporaryDir dir;
    QString path;
};

TEST_F(PrintSettingsFileTest, WritesTheEntriesInOrder)
{
    grid->PrintSettings()->BorderColor = clBtnFace;
    grid->SavePrintSettings(path, "P");
    const QStringList expected = {"[P]",
                                  "ColumnSpacing=0",
                                  "RowSpacing=0",
                                  "TitleSpacing=0",
                                  "FixedHeight=0",
                                  "FixedWidth=0",
                                  "Centered=Y",
                                  "NoAutoSize=N",
                                  "UseFixedHeight=N",
                                  "UseFixedWidth=N",
                                  "RepeatFixedRows=N",
                                  "RepeatFixedCols=N",
                                  "UseDisplFont=Y",
                                  "UseDefOrientation=N",
                                  "Borders=1",
                                  "BorderColor=-16777201",
                                  "BorderStyle=0",
                                  "Date=0",
                                  "PageNr=0",
                                  "Title=0",
                                  "Time=0",
                                  "DateFormat=dd/mm/yyyy",
                                  "TitleText=",
                                  "FooterSize=0",
                                  "HeaderSize=0",
                                  "LeftSize=0",
                                  "RightSize=0",
                                  "FitToPage=0",
                                  "FontName=Arial",
                                  "FontSize=10",
                                  "FontStyle=0",
                                  "FontColor=-16777208",
                                  "HeaderFontName=Arial",
                                  "HeaderFontSize=12",
                                  "HeaderFontStyle=1",
                                  "HeaderFontColor=-16777208",
                                  "FooterFontName=Courier New",
                                  "FooterFontSize=8",
                                  "FooterFontStyle=2",
                                  "FooterFontColor=-16777208",
                                  "PageNumSep=/",
                                  "PageSuffix=",
                                  "PagePrefix=",
                                  "Orientation=0",
                                  "TitleLines=A\\nB\\nC\\n",
                                  "PrintGraphics=N",
                                  ""};
    EXPECT_EQ(FileLines(), expected);
}

TEST_F(PrintSettingsFileTest, LoadingIntoAnotherGridGivesEqualValues)
{
    TPrintSettings* s = grid->PrintSettings();
    s->ColumnSpacing = 7;
    s->Borders = pbAroundVertical;
    s->BorderStyle = psDot;
    s->PageNr = ppBottomCenter;
    s->FitToPage = fpShrink;
    s->Orientation = poLandscape;
    s->PrintGraphics = true;
    s->LeftSize = 150;
    s->PagePrefix = "Page";
    grid->SavePrintSettings(path, "P");
    TExtStringGrid* other = New();
    other->LoadPrintSettings(path, "P");
    const TPrintSettings* o = other->PrintSettings();
    EXPECT_EQ(o->ColumnSpacing, 7);
    EXPECT_EQ(o->Borders, pbAroundVertical);
    EXPECT_EQ(o->BorderStyle, psDot);
    EXPECT_EQ(o->PageNr, ppBottomCenter);
    EXPECT_EQ(o->Date, ppNone);
    EXPECT_EQ(o->FitToPage, fpShrink);
    EXPECT_EQ(o->Orientation, poLandscape);
    EXPECT_TRUE(o->PrintGraphics);
    EXPECT_TRUE(o->UseDisplayFont);
    EXPECT_EQ(o->LeftSize, 150);
    EXPECT_EQ(o->PagePrefix, "Page");
    EXPECT_EQ(o->DateFormat, "dd/mm/yyyy");
    EXPECT_EQ(o->PageNumSep, "/");
    EXPECT_EQ(o->BorderColor, s->BorderColor);
    EXPECT_EQ(o->HeaderFont()->Size.get(), 12);
    EXPECT_EQ(o->HeaderFont()->Style.get() & fsBold, fsBold);
    EXPECT_EQ(o->FooterFont()->Name.get(), "Courier New");
    EXPECT_EQ(o->FooterFont()->Style.get() & fsItalic, fsItalic);
    EXPECT_EQ(o->Font()->Color.get(), s->Font()->Color.get());
    ASSERT_EQ(o->TitleLines()->Count(), 3);
    EXPECT_EQ(o->TitleLines()->Strings(2), "C");
}

TEST_F(PrintSettingsFileTest, AMissingSectionGivesTheReadersDefaults)
{
    TExtStringGrid* other = New();
    other->LoadPrintSettings(path, "Nothing");
    const TPrintSettings* o = other->PrintSettings();
    EXPECT_EQ(o->ColumnSpacing, 20);
    EXPECT_EQ(o->RowSpacing, 20);
    EXPECT_EQ(o->TitleSpacing, 20);
    EXPECT_EQ(o->LeftSize, 100);
    EXPECT_EQ(o->RightSize, 100);
    EXPECT_EQ(o->HeaderSize, 100);
    EXPECT_EQ(o->FooterSize, 100);
    EXPECT_TRUE(o->Centered);
    EXPECT_FALSE(o->UseDisplayFont);
    EXPECT_EQ(o->Borders, pbNoborder);
    EXPECT_EQ(o->Font()->Name.get(), "Arial");
    EXPECT_EQ(o->Font()->Size.get(), 10);
    EXPECT_EQ(o->HeaderFont()->Size.get(), 10);
    EXPECT_TRUE(o->DateFormat.isEmpty());
    EXPECT_TRUE(o->PageNumSep.isEmpty());
    // A load writes the file back, so a missing file is created.
    EXPECT_TRUE(QFile::exists(path));
}

TEST_F(PrintSettingsFileTest, ReaderRules)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[P]\nBorders=9\nBorderStyle=7\nFitToPage=3\nCentered=y\nHeaderFontStyle=0\nFontStyle=6\n"
            "Date=7\nTime=2\n");
    f.close();
    TPrintSettings* s = grid->PrintSettings();
    s->Borders = pbDouble;
    s->BorderStyle = psDash;
    s->Font()->Style = fsBold;
    grid->LoadPrintSettings(path, "P");
    EXPECT_EQ(s->Borders, pbDouble);
    EXPECT_EQ(s->BorderStyle, psDash);
    EXPECT_EQ(s->FitToPage, fpAlways);
    EXPECT_FALSE(s->Centered);
    EXPECT_EQ(s->HeaderFont()->Style.get(), fsBold);                    // nothing is taken away
    EXPECT_EQ(s->Font()->Style.get(), fsBold | fsItalic | fsUnderline); // stored bits are added
    EXPECT_EQ(s->Date, ppNone);
    EXPECT_EQ(s->Time, ppTopRight);
}

} // namespace
