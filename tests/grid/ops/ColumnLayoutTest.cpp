// The column-states string and the "Col" entries in an ini file or the registry stand-in.
#include "grid/GridOnForm.h"
#include "grid/core/ExtGrid.h"
#include "platform/core/IniFiles.h"
#include "platform/system/RegistryIniFile.h"

#include <QFile>
#include <QTemporaryDir>

namespace
{

class ColumnLayoutTest : public GridOnForm<TExtStringGrid>
{
  protected:
    void SetUp() override { ShowForm(600, 300); }
    TExtStringGrid* ThreeColumns()
    {
        return New([](TExtStringGrid* g) {
            g->SetFixedCols(0);
            g->SetColCount(3);
            g->SetRowCount(3);
            g->SetDefaultColWidth(64);
            g->SetColWidths(0, 64);
            g->SetColWidths(1, 80);
            g->SetColWidths(2, 120);
            for (int c = 0; c < 3; ++c)
                g->SetCells(c, 0, QString(QChar(u'a' + c)));
        });
    }
    TExtStringGrid* Fresh()
    {
        return New([](TExtStringGrid* g) {
            g->SetFixedCols(0);
            g->SetColCount(3);
            g->SetRowCount(3);
            for (int c = 0; c < 3; ++c)
                g->SetCells(c, 0, QString(QChar(u'a' + c)));
        });
    }
    // The headers as shown: Cells speaks of real columns, so each display column is mapped.
    static QString Headers(TExtStringGrid* g)
    {
        QString s;
        for (int c = 0; c < g->ColCount(); ++c)
            s += g->Cells(g->RealColIndex(c), 0);
        return s;
    }
    QTemporaryDir dir;
};

TEST_F(ColumnLayoutTest, StringOfUnmovedColumnsAndNoPosEntries)
{
    TExtStringGrid* g = ThreeColumns();
    EXPECT_EQ(g->ColumnStatesToString(), "3#64,80,120#0,1,2#1,1,1");
    const QString ini = dir.filePath("pos.ini");
    g->ColumnSize()->Location = clIniFile;
    g->ColumnSize()->Key = ini;
    g->ColumnSize()->Section = "S";
    g->SaveColPositions();
    TMemIniFile f(ini);
    EXPECT_FALSE(f.ValueExists("S", "Pos0"));
}

TEST_F(ColumnLayoutTest, HiddenColumnRoundTripsThroughTheString)
{
    TExtStringGrid* g = ThreeColumns();
    g->HideColumn(1);
    const QString states = g->ColumnStatesToString();
    EXPECT_EQ(states, "3#64,120,64#0,1,2#1,0,1"); // beyond the visible columns: DefaultColWidth
    TExtStringGrid* f = Fresh();
    f->StringToColumnStates(states);
    EXPECT_EQ(f->ColCount(), 2);
    EXPECT_TRUE(f->IsHiddenColumn(1));
    EXPECT_EQ(f->ColWidths(0), 64);
    EXPECT_EQ(f->ColWidths(1), 120);
    EXPECT_EQ(Headers(f), "ac");
}

TEST_F(ColumnLayoutTest, MovedColumnOrderRestoresInAFreshGrid)
{
    TExtStringGrid* g = ThreeColumns();
    g->MoveColumn(0, 2);
    ASSERT_EQ(Headers(g), "bca");
    const QString states = g->ColumnStatesToString();
    EXPECT_EQ(states, "3#80,120,64#1,2,0#1,1,1");
    TExtStringGrid* f = Fresh();
    f->StringToColumnStates(states);
    EXPECT_EQ(Headers(f), "bca");
    EXPECT_EQ(f->ColWidths(0), 80);
    EXPECT_EQ(f->ColWidths(2), 64);
    // The order is kept, so a second save gives the same string.
    EXPECT_EQ(f->ColumnStatesToString(), states);
}

TEST_F(ColumnLayoutTest, BadStrings)
{
    TExtStringGrid* g = ThreeColumns();
    g->StringToColumnStates("3,64,80");
    EXPECT_EQ(g->ColumnStatesToString(), "3#64,80,120#0,1,2#1,1,1");
    EXPECT_THROW(g->StringToColumnStates("x#64,80,120#0,1,2#1,1,1"), EConvertError);
    // Steps done before a bad width stay: the column is hidden.
    EXPECT_THROW(g->StringToColumnStates("3#64,y,1#0,1,2#1,0,1"), EConvertError);
    EXPECT_TRUE(g->IsHiddenColumn(1));
}

TEST_F(ColumnLayoutTest, IniFileSaveAndLoad)
{
    TExtStringGrid* g = ThreeColumns();
    const QString ini = dir.filePath("cols.ini");
    g->ColumnSize()->Location = clIniFile;
    g->ColumnSize()->Key = ini;
    g->ColumnSize()->Section = "S";
    g->SaveColSizes();
    QFile file(ini);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("[S]\r\nCol0=64\r\nCol1=80\r\nCol2=120\r\n\r\n"));
    file.close();

    const QString hand = dir.filePath("hand.ini");
    QFile h(hand);
    ASSERT_TRUE(h.open(QIODevice::WriteOnly));
    h.write("[s]\ncol0=30\nCol2=99\n");
    h.close();
    TExtStringGrid* f = Fresh();
    f->ColumnSize()->Location = clIniFile;
    f->ColumnSize()->Key = hand;
    f->ColumnSize()->Section = "S";
    const int before = f->ColWidths(1);
    f->LoadColSizes();
    EXPECT_EQ(f->ColWidths(0), 30);
    EXPECT_EQ(f->ColWidths(1), before);
    EXPECT_EQ(f->ColWidths(2), 99);
}

TEST_F(ColumnLayoutTest, WithoutKeyOrSectionNothingIsTouched)
{
    TExtStringGrid* g = ThreeColumns();
    const QString ini = dir.filePath("none.ini");
    g->ColumnSize()->Location = clIniFile;
    g->ColumnSize()->Key = ini;
    g->SaveColSizes();
    g->LoadColSizes();
    EXPECT_FALSE(QFile::exists(ini));
    g->ColumnSize()->Key = "";
    g->ColumnSize()->Section = "S";
    g->SaveColSizes();
    EXPECT_EQ(g->ColWidths(1), 80);
}

TEST_F(ColumnLayoutTest, RegistryEntriesLandUnderTheConfigurationFolderAndReadBack)
{
    TExtStringGrid* g = ThreeColumns();
    g->ColumnSize()->Location = clRegistry;
    g->ColumnSize()->Key = "Software\\ColumnLayoutTest";
    g->ColumnSize()->Section = "Cols";
    g->SaveColSizes();
    const QString file = TRegistryIniFile::KeyFileName("Software\\ColumnLayoutTest");
    ASSERT_TRUE(file.startsWith(qEnvironmentVariable("XDG_CONFIG_HOME")));
    ASSERT_TRUE(QFile::exists(file));
    EXPECT_EQ(TRegistryIniFile("Software\\ColumnLayoutTest").ReadInteger("Cols", "Col2", -1), 120);
    TExtStringGrid* f = Fresh();
    f->ColumnSize()->Assign(g->ColumnSize());
    f->LoadColSizes();
    EXPECT_EQ(f->ColWidths(1), 80);
    EXPECT_EQ(f->ColWidths(2), 120);
    QFile::remove(file);
}

TEST_F(ColumnLayoutTest, StretchedColumnStillFillsTheGridAfterLoading)
{
    TExtStringGrid* g = ThreeColumns();
    const QString ini = dir.filePath("stretch.ini");
    g->ColumnSize()->Location = clIniFile;
    g->ColumnSize()->Key = ini;
    g->ColumnSize()->Section = "S";
    g->SaveColSizes();
    TExtStringGrid* f = Fresh();
    f->ColumnSize()->Assign(g->ColumnSize());
    f->ColumnSize()->SetStretch(true);
    // What stretching fills (the client width less the last grid line) stays filled.
    const int filled = f->ColWidths(0) + f->ColWidths(1) + f->ColWidths(2);
    ASSERT_GE(filled, f->ClientRect().Right - 1);
    f->LoadColSizes();
    EXPECT_EQ(f->ColWidths(0), 64);
    EXPECT_EQ(f->ColWidths(1), 80);
    EXPECT_EQ(f->ColWidths(0) + f->ColWidths(1) + f->ColWidths(2), filled);
    // The string form too.
    f->StringToColumnStates("3#50,60,70#0,1,2#1,1,1");
    EXPECT_EQ(f->ColWidths(0), 50);
    EXPECT_EQ(f->ColWidths(1), 60);
    EXPECT_EQ(f->ColWidths(0) + f->ColWidths(1) + f->ColWidths(2), filled);
}

TEST_F(ColumnLayoutTest, ColumnSizeSaveMakesTheGridSaveWhenDestroyedAndLoadWhenLoaded)
{
    const QString ini = dir.filePath("auto.ini");
    TExtStringGrid* g = ThreeColumns();
    g->ColumnSize()->Location = clIniFile;
    g->ColumnSize()->Key = ini;
    g->ColumnSize()->Section = "S";
    g->ColumnSize()->Save = true;
    g->SetColWidths(1, 91);
    delete g;
    TExtStringGrid* f = New([&](TExtStringGrid* n) {
        n->SetFixedCols(0);
        n->SetColCount(3);
        n->ColumnSize()->Location = clIniFile;
        n->ColumnSize()->Key = ini;
        n->ColumnSize()->Section = "S";
        n->ColumnSize()->Save = true;
    });
    EXPECT_EQ(f->ColWidths(1), 91);
}

} // namespace
