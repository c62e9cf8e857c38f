// The DMX default value editor on a real form: one row per channel, the channel count from the
// parameters file (kept within one universe), every row checked and saved as "Row".
#include "app/TableEditorFixture.h"
#include "editors/fieldbus/UDMXDefVal.h"

#include <QApplication>

namespace
{

using namespace tableeditortest;

class DMX : public TableEditorFixture<TFDMXDefVal>
{
  protected:
    TExtColumnGrid* grid() { return form->ACG_DMX_Def_Val; }
    void Write_Channels(const QString& text)
    {
        Write_File(File_ParGen, ("<ParGen><Model>GW111</Model><DMX_Num_Channels>" + text +
                                 "</DMX_Num_Channels></ParGen><!--SW_VERSION = 1.005-->")
                                    .toUtf8());
    }
    // A saved file of n channels, value i % 256 and mnemonic "c<i>" for channel i.
    void Write_Values(int n)
    {
        QByteArray xml = "<DMX_Default_Values>";
        for (int i = 1; i <= n; ++i)
            xml += QString("<Row Default_Value=\"%1\" Mnemonic=\"c%2\"/>").arg(i % 256).arg(i).toUtf8();
        Write_File(File_DMX_Default_Values, xml + "</DMX_Default_Values><!--SW_VERSION = 1.000-->");
    }
};

TEST_F(DMX, OnlyOKAndCancelAndHeaderHints)
{
    EXPECT_EQ(form->Name(), "FDMXDefVal");
    EXPECT_EQ(form->ClientWidth(), 475);
    EXPECT_EQ(form->ClientHeight(), 337);
    EXPECT_EQ(form->Btn_OK->Hint(), "Confirm and save the DMX Default Values");
    EXPECT_EQ(form->Btn_Cancel->Caption(), "Cancel");
    Show([&] {
        EXPECT_TRUE(form->Btn_OK->Visible());
        EXPECT_TRUE(form->Btn_Cancel->Visible());
        for (TFadeButton* b : {form->Btn_DelRow, form->Btn_InsRow, form->Btn_CopyRow, form->Btn_PasteRow})
            EXPECT_FALSE(b->Visible()) << b->Name().toStdString();
        EXPECT_EQ(grid()->Cells(0, 0), "Channel");
        const struct {
            int row, col;
            const char* hint;
        } hints[] = {{0, 1, "Insert the Default Value for the DMX Channel"},
                     {0, 2, "Insert a description of the DMX Channel"},
                     {1, 1, ""},
                     {0, 0, ""}};
        for (const auto& h : hints) {
            QString hint = "stale";
            grid()->OnGridHint(grid(), h.row, h.col, hint);
            EXPECT_EQ(hint, h.hint) << h.row << "," << h.col;
        }
    });
}

TEST_F(DMX, TheChannelCountSizesTheTableAtEveryShow)
{
    const struct {
        const char* channels; // nullptr: no parameters file
        int rows;
    } cases[] = {{nullptr, 512},  {"24", 24},   {"0", 1},    {"-5", 1},
                 {"100000", 512}, {"abc", 512}, {"0x20", 32}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.channels ? c.channels : "no file");
        if (c.channels)
            Write_Channels(c.channels);
        else
            DeleteFile(File_ParGen);
        Show([&] {
            EXPECT_EQ(form->Channels, c.rows);
            EXPECT_EQ(grid()->RowCount(), c.rows + 1);
            EXPECT_EQ(grid()->Cells(0, c.rows), QString::number(c.rows));
            EXPECT_EQ(grid()->Cells(1, c.rows), "0");
            EXPECT_EQ(grid()->Cells(2, c.rows), "");
        });
    }
    // A parameters file without the element counts as a full universe.
    Write_File(File_ParGen, "<ParGen><Model>GW111</Model></ParGen>");
    Show([&] { EXPECT_EQ(grid()->RowCount(), 513); });
}

TEST_F(DMX, FewerChannelsThanSavedRowsShowAndWriteOnlyTheChannels)
{
    Write_Channels("24");
    Write_Values(512);
    Show([&] {
        EXPECT_EQ(grid()->RowCount(), 25);
        EXPECT_EQ(grid()->Cells(1, 24), "24");
        EXPECT_EQ(grid()->Cells(2, 24), "c24");
        Click(form->Btn_OK);
    });
    EXPECT_TRUE(answers->Messages.empty()) << Message_Texts().join('\n').toStdString();
    const QStringList tree = Xml_Tree(File_DMX_Default_Values);
    ASSERT_EQ(tree.size(), 25);
    EXPECT_EQ(tree[0], "DMX_Default_Values");
    EXPECT_EQ(tree[1], "  Row Default_Value=\"1\" Mnemonic=\"c1\"");
    EXPECT_EQ(tree[24], "  Row Default_Value=\"24\" Mnemonic=\"c24\"");
    EXPECT_TRUE(testsupport::readBytes(File_DMX_Default_Values)
                    .simplified()
                    .endsWith("</DMX_Default_Values> <!--SW_VERSION = 1.000-->"));
}

TEST_F(DMX, MoreChannelsThanSavedRowsAreNewAndAllAreWritten)
{
    Write_Channels("512");
    Write_File(File_DMX_Default_Values,
               "<DMX_Default_Values><Row Default_Value=\"7\" Mnemonic=\"a\"/>"
               "<Row Mnemonic=\"no value\"/><row Default_Value=\"9\"/>"
               "<Channel Default_Value=\"\" Mnemonic=\"empty\"/></DMX_Default_Values>");
    Show([&] {
        EXPECT_EQ(Row_Texts(grid(), 1), QStringList({"7", "a"}));
        EXPECT_EQ(Row_Texts(grid(), 2), QStringList({"0", "no value"}));
        EXPECT_EQ(Row_Texts(grid(), 3), QStringList({"9", ""}));
        EXPECT_EQ(Row_Texts(grid(), 4), QStringList({"", "empty"}));
        EXPECT_EQ(Row_Texts(grid(), 11), QStringList({"0", ""}));
        EXPECT_EQ(Row_Texts(grid(), 512), QStringList({"0", ""}));
        grid()->SetCells(1, 4, "255");
        Click(form->Btn_OK);
    });
    EXPECT_TRUE(answers->Messages.empty()) << Message_Texts().join('\n').toStdString();
    const QStringList tree = Xml_Tree(File_DMX_Default_Values);
    ASSERT_EQ(tree.size(), 513);
    EXPECT_EQ(tree[3], "  Row Default_Value=\"9\" Mnemonic=\"\"");
    EXPECT_EQ(tree[4], "  Row Default_Value=\"255\" Mnemonic=\"empty\"");
    EXPECT_EQ(tree[512], "  Row Default_Value=\"0\" Mnemonic=\"\"");
}

TEST_F(DMX, EveryRowIsCheckedTheLastIncluded)
{
    const struct {
        int row;
        const char* value;
    } cases[] = {{512, "256"}, {512, "-1"}, {512, ""}, {300, "abc"}, {1, "5 "}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        answers->Messages.clear();
        const TModalResult result = Show([&] {
            grid()->SetCells(1, c.row, c.value);
            Click(form->Btn_OK);
        });
        EXPECT_EQ(result, mrCancel);
        EXPECT_EQ(
            Message_Texts(),
            QStringList({QString("Error row %1!! Default Value must be between 0 and 255").arg(c.row)}));
        EXPECT_EQ(answers->Messages[0].Type, mtError);
        EXPECT_FALSE(FileExists(File_DMX_Default_Values));
    }
    // 255 in the last row, typed, passes.
    answers->Messages.clear();
    EXPECT_EQ(Show([&] {
                  QApplication::setActiveWindow(form->Widget());
                  grid()->SetFocus();
                  grid()->FocusCell(1, 512);
                  formtest::Pump();
                  QTest::keyClick(grid()->Widget(), Qt::Key_F2);
                  QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
                  QTest::keyClicks(QApplication::focusWidget(), "255");
                  Click(form->Btn_OK);
              }),
              mrOk);
    EXPECT_TRUE(answers->Messages.empty()) << Message_Texts().join('\n').toStdString();
    EXPECT_EQ(Xml_Tree(File_DMX_Default_Values).value(512), "  Row Default_Value=\"255\" Mnemonic=\"\"");
}

} // namespace
