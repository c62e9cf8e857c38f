// The table-editor frame on a small editor of its own: one table (rows directly under the root) with
// an enable column, a list column, a hidden column, defaults for missing attributes and a required
// one, header hints and the appended delete question. The EtherCAT group editor's tests cover the
// two-table form.
#include "TableEditorFixture.h"

#include <QApplication>

namespace
{

using namespace tableeditortest;

namespace txt
{
// A block the built-in table leaves empty; SetUp gives the texts the tests read.
constexpr int Caption = 5340, Desc = 5341, Error_Row = 5342, Delete = 5343, Bad_Name = 5344;
constexpr int Header_First = 5350, Hint_First = 5360;
} // namespace txt

const char* const kKinds[] = {"A", "B", "C"};

const TEditorColumn kColumns[] = {
    {.Header = txt::Header_First, .Width = 40},
    {.Header = txt::Header_First + 1,
     .Editor = edDataCheckBox,
     .Width = 50,
     .Attribute = "Enable",
     .New_Text = "Y",
     .Missing = "Y",
     .Hint = txt::Hint_First},
    {.Header = txt::Header_First + 2,
     .Width = 120,
     .Color = 0xFEFAE0,
     .Attribute = "Name",
     .Hint = txt::Hint_First + 1},
    {.Header = txt::Header_First + 3,
     .Editor = edComboList,
     .Items = kKinds,
     .Width = 80,
     .Attribute = "Kind",
     .New_Text = "A",
     .Missing = "B",
     .Hint = txt::Hint_First + 2},
    {.Header = txt::Header_First + 4,
     .Hidden = true,
     .Attribute = "Secret",
     .New_Text = "0",
     .Missing = "7",
     .Hint = txt::Hint_First + 3},
    {.Header = txt::Header_First + 5,
     .Width = 100,
     .Read_Only = true,
     .Attribute = "Note",
     .Hint = txt::Hint_First + 4},
};

const TEditorTable kTable[] = {
    {"ACG_Test", nullptr, -1, nullptr, 6, 2, true, txt::Error_Row, txt::Delete,
     TDeleteQuestion::Append_Number, kColumns},
};

const TEditorSpec kSpec = {
    "FTest_Editor",
    700,
    300,
    txt::Caption,
    txt::Desc,
    {{5302, 5308, true},
     {5303, 5309, true},
     {5304, 5310, false},
     {5305, 5311, false},
     {5306, 5312, true},
     {5307, 5313, false}},
    {&File_CAN_Rec_Frames, "Test_Root", "SW_VERSION = 1.000"},
    kTable,
};

// Refuses a row named "bad".
class TTestEditor : public TTableEditor
{
  public:
    explicit TTestEditor(TComponent* AOwner) : TTableEditor(AOwner, kSpec)
    {
        ACG_Test = Table(0).Grid;
        FormCreate();
    }
    bool Controllo_dati() override
    {
        ++Checks;
        const TTableView& t = Table(0);
        for (int r = 1; r <= Used_Rows(t); ++r)
            if (t.Grid->Cells(2, r) == "bad") {
                Row_Error(t, r, txt::Bad_Name, " (name)");
                return false;
            }
        return true;
    }
    TExtColumnGrid* ACG_Test;
    int Checks = 0;
};

class TableEditor : public TableEditorFixture<TTestEditor>
{
  protected:
    void SetUp() override
    {
        TableEditorFixture::SetUp();
        Set_Lang_Text(txt::Error_Row, "Fault in row ");
        Set_Lang_Text(txt::Bad_Name, ": bad name");
        Set_Lang_Text(txt::Delete, "Delete row ");
        for (int c = 0; c < 6; ++c) {
            Set_Lang_Text(txt::Header_First + c, "H" + QString::number(c));
            Set_Lang_Text(txt::Hint_First + c, "hint of " + QString::number(c + 1));
        }
        form->Set_Lang();
        grid = form->ACG_Test;
    }
    TExtColumnGrid* grid = nullptr;
};

TEST_F(TableEditor, TheFormHasTheFamilysLook)
{
    EXPECT_EQ(form->Name(), "FTest_Editor");
    EXPECT_EQ(form->ClientWidth(), 700);
    EXPECT_EQ(form->ClientHeight(), 300);
    EXPECT_EQ(form->Color(), TColor(0xEDF7F8));
    EXPECT_EQ(QString(form->Font->Name), "Verdana");
    EXPECT_EQ(form->BorderStyle(), bsSizeable);
    EXPECT_EQ(form->P_Title->Height(), 69);
    EXPECT_EQ(form->P_Button->Height(), 40);
    EXPECT_EQ(form->L_SW_Code->Caption(), "RIVA101");
    EXPECT_EQ(form->PageControl1, nullptr);
    TFadeButton* buttons[] = {form->Btn_OK,     form->Btn_Cancel,  form->Btn_DelRow,
                              form->Btn_InsRow, form->Btn_CopyRow, form->Btn_PasteRow};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(buttons[i]->BoundsRect(), TRect(16 + 118 * i, 6, 16 + 118 * i + 110, 34)) << i;
        EXPECT_EQ(buttons[i]->ModalResult(), i == 1 ? mrCancel : mrNone) << i;
    }

    EXPECT_EQ(grid->Parent(), form.get());
    EXPECT_EQ(grid->RowCount(), 7);
    EXPECT_EQ(grid->ColCount(), 5);
    EXPECT_EQ(grid->NumHiddenColumns(), 1);
    EXPECT_TRUE(grid->IsHiddenColumn(4));
    EXPECT_EQ(grid->FixedCols(), 1);
    EXPECT_EQ(grid->FixedRows(), 1);
    EXPECT_EQ(grid->DefaultRowHeight(), 22);
    EXPECT_EQ(grid->ColWidths(0), 40);
    EXPECT_EQ(grid->ColWidths(2), 120);
    EXPECT_EQ(QString(grid->Font->Name), "Verdana");
    EXPECT_EQ(QString(grid->FixedFont()->Name), "Tahoma");
    EXPECT_EQ(TFontStyles(grid->FixedFont()->Style), fsBold);
    EXPECT_EQ(TFontStyles(grid->ActiveCellFont()->Style), fsBold);
    EXPECT_EQ(grid->ActiveCellColor, TColor(0xEACAB6));
    EXPECT_TRUE(grid->HoverRow());
    for (GridOption o : {goRangeSelect, goColSizing, goEditing})
        EXPECT_TRUE(grid->Options().Contains(o));
    TGridColumnItem* kind = grid->Columns()->Items(3);
    EXPECT_EQ(kind->Editor(), edComboList);
    EXPECT_EQ(kind->ComboItems()->Count(), 3);
    EXPECT_EQ(grid->Columns()->Items(2)->Color(), TColor(0xFEFAE0));
    EXPECT_TRUE(grid->Columns()->Items(5)->ReadOnly);
    EXPECT_EQ(grid->Cells(2, 0), "H2");
    EXPECT_EQ(grid->Cells(5, 0), "H5");
}

TEST_F(TableEditor, ShowClearsEveryRowThenLoadsAttributesOrTheirDefaults)
{
    // The rows a previous show left.
    for (int r = 1; r <= 6; ++r)
        Write_Row(grid, r, {"N", "old", "C", "9", "old"});
    Write_File(File_CAN_Rec_Frames,
               "<Test_Root><row Enable=\"N\" Name=\"first\" Kind=\"C\" Secret=\"5\" Note=\"n1\"/>"
               "<row Name=\" second \" Note=\"\"/></Test_Root><!--SW_VERSION = 1.000-->");
    Show([&] {
        EXPECT_EQ(Row_Texts(grid, 1), QStringList({"N", "first", "C", "5", "n1"}));
        EXPECT_EQ(Row_Texts(grid, 2), QStringList({"Y", " second ", "B", "7", ""}));
        for (int r = 3; r <= 6; ++r)
            EXPECT_EQ(Row_Texts(grid, r), QStringList({"Y", "", "A", "0", ""})) << r;
        for (int r = 1; r <= 6; ++r)
            EXPECT_EQ(grid->Cells(0, r), QString::number(r));
    });
    EXPECT_TRUE(answers->Messages.empty());
}

TEST_F(TableEditor, RowsBeyondTheTableAreNotRead)
{
    QByteArray xml = "<Test_Root>";
    for (int i = 1; i <= 6; ++i)
        xml += QString("<row Name=\"r%1\" Note=\"\"/>").arg(i).toUtf8();
    // The 7th row lacks the required Note: never read, so no fault.
    xml += "<row Name=\"r7\"/></Test_Root>";
    Write_File(File_CAN_Rec_Frames, xml);
    EXPECT_EQ(Show([&] {
                  EXPECT_EQ(grid->Cells(2, 6), "r6");
                  Click(form->Btn_OK);
              }),
              mrOk);
    EXPECT_TRUE(answers->Messages.empty());
    EXPECT_EQ(Xml_Tree(File_CAN_Rec_Frames).size(), 7);
}

TEST_F(TableEditor, OKSavesTheUsedRowsWithEveryAttributeInColumnOrder)
{
    const TModalResult result = Show([&] {
        Write_Row(grid, 1, {"Y", "one", "B", "11", "x"});
        Write_Row(grid, 2, {"N", "two ", "C", "", ""});
        // A blank key cell ends the used rows, whatever follows.
        Write_Row(grid, 3, {"Y", "  ", "A", "0", "note"});
        Write_Row(grid, 4, {"Y", "four", "A", "0", ""});
        Click(form->Btn_OK);
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(form->Checks, 1);
    EXPECT_EQ(Xml_Tree(File_CAN_Rec_Frames),
              QStringList({"Test_Root", "  row Enable=\"Y\" Name=\"one\" Kind=\"B\" Secret=\"11\" Note=\"x\"",
                           "  row Enable=\"N\" Name=\"two \" Kind=\"C\" Secret=\"\" Note=\"\""}));
    const QByteArray bytes = testsupport::readBytes(File_CAN_Rec_Frames);
    EXPECT_TRUE(bytes.startsWith("<Test_Root")) << bytes.constData();
    EXPECT_TRUE(bytes.trimmed().endsWith("<!--SW_VERSION = 1.000-->")) << bytes.constData();

    // The next show reads back what was saved; rows 3 and 4 are gone.
    Show([&] {
        EXPECT_EQ(Row_Texts(grid, 2), QStringList({"N", "two ", "C", "", ""}));
        EXPECT_EQ(Row_Texts(grid, 3), QStringList({"Y", "", "A", "0", ""}));
        EXPECT_EQ(Row_Texts(grid, 4), QStringList({"Y", "", "A", "0", ""}));
    });
}

TEST_F(TableEditor, AFailedCheckShowsItsRowAndWritesNothing)
{
    const TModalResult result = Show([&] {
        Write_Row(grid, 1, {"Y", "good"});
        Write_Row(grid, 2, {"Y", "bad"});
        Click(form->Btn_OK);
        EXPECT_TRUE(form->Widget()->isVisible());
        EXPECT_EQ(grid->Cells(2, 2), "bad");
    });
    EXPECT_EQ(result, mrCancel);
    ASSERT_EQ(Message_Texts(), QStringList({"Fault in row 2: bad name (name)"}));
    EXPECT_EQ(answers->Messages[0].Type, mtError);
    EXPECT_EQ(answers->Messages[0].Buttons, TMsgDlgButtons(mbOK));
    EXPECT_FALSE(FileExists(File_CAN_Rec_Frames));
}

TEST_F(TableEditor, AFaultyFileIsReportedNamingWhereAndTheEditorDoesNotOpen)
{
    // A show that loaded other rows before.
    Show([&] { Write_Row(grid, 1, {"N", "from before"}); });
    struct Case {
        const char* what;
        QByteArray xml;
        QStringList named;
    };
    const Case cases[] = {
        {"not well-formed", "<Test_Root><row Name=\"a\" Note=\"\"/><row Na", {"CAN_Rec_Frames.xml"}},
        {"required attribute missing",
         "<Test_Root><row Name=\"a\" Note=\"\"/><row Name=\"b\"/></Test_Root>",
         {"CAN_Rec_Frames.xml", "row 2", "Note"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        answers->Messages.clear();
        Write_File(File_CAN_Rec_Frames, c.xml);
        EXPECT_FALSE(Show_Guarded());
        ASSERT_EQ(answers->Messages.size(), 1u);
        for (const QString& part : c.named)
            EXPECT_TRUE(answers->Messages[0].Text.contains(part)) << answers->Messages[0].Text.toStdString();
        EXPECT_EQ(answers->Messages[0].Type, mtError);
        EXPECT_EQ(testsupport::readBytes(File_CAN_Rec_Frames), c.xml);
        EXPECT_EQ(grid->Cells(2, 1), "from before");
    }
}

TEST_F(TableEditor, RowButtonsWorkOnTheCurrentRowOfTheTable)
{
    Show([&] {
        for (int r = 1; r <= 4; ++r)
            Write_Row(grid, r, {"N", "n" + QString::number(r), "B", "s", ""});
        grid->FocusCell(2, 2);
        Click(form->Btn_InsRow);
        // The enable rule puts "Y" in column 1 of the new row.
        EXPECT_EQ(Row_Texts(grid, 2), QStringList({"Y", "", "", "", ""}));
        EXPECT_EQ(grid->Cells(2, 3), "n2");

        grid->FocusCell(2, 3);
        Click(form->Btn_CopyRow);
        grid->FocusCell(2, 2);
        Click(form->Btn_PasteRow);
        EXPECT_EQ(Row_Texts(grid, 2), QStringList({"N", "n2", "B", "s", ""}));

        answers->MessageAnswers = {mrNo, mrYes};
        grid->FocusCell(2, 3);
        Click(form->Btn_DelRow);
        EXPECT_EQ(grid->Cells(2, 3), "n2");
        Click(form->Btn_DelRow);
        EXPECT_EQ(grid->Cells(2, 3), "n3");
    });
    EXPECT_EQ(Message_Texts(), QStringList({"Delete row 3", "Delete row 3"}));
    EXPECT_EQ(answers->Messages[0].Type, mtConfirmation);
    EXPECT_EQ(answers->Messages[0].Buttons, TMsgDlgButtons(mbYesNo));
}

TEST_F(TableEditor, GridEventsSelectTheRowSizeAColumnMoveOnEnterAndGiveHeaderHints)
{
    Show([&] {
        grid->OnClickCell(grid, 3, 0);
        EXPECT_EQ(grid->Selection(), (TGridRect{1, 3, 4, 3}));
        grid->OnClickCell(grid, 5, 2);
        EXPECT_EQ(grid->Selection(), (TGridRect{1, 3, 4, 3}));

        Opt_Double_Click_Auto_Size = true;
        grid->SetCells(2, 1, "a name far wider than one hundred and twenty pixels");
        grid->OnDblClickCell(grid, 0, 2);
        EXPECT_GT(grid->ColWidths(2), 120);

        Opt_Jump_Field_Tables = true;
        grid->FocusCell(4, 2);
        char16_t key = 13;
        grid->OnKeyPress(grid, key);
        EXPECT_EQ(key, 0);
        EXPECT_EQ(grid->Col(), 1);
        EXPECT_EQ(grid->Row(), 3);

        // Display column 4 is real column 5: its hint, not the hidden column's.
        QString hint = "x";
        grid->OnGridHint(grid, 0, 4, hint);
        EXPECT_EQ(hint, "hint of 5");
        grid->OnGridHint(grid, 0, 1, hint);
        EXPECT_EQ(hint, "hint of 1");
        grid->OnGridHint(grid, 2, 1, hint);
        EXPECT_EQ(hint, "");
    });
}

TEST_F(TableEditor, OKFirstEndsAnOpenEditSoTheTypedTextIsSaved)
{
    const TModalResult result = Show([&] {
        grid->SetFocus();
        grid->FocusCell(2, 1);
        formtest::Pump();
        // The first character opens the editor, the others go to it.
        QTest::keyClick(grid->Widget(), 't');
        formtest::Pump();
        ASSERT_TRUE(grid->EditorMode());
        QTest::keyClicks(QApplication::focusWidget(), "yped");
        formtest::Pump();
        Click(form->Btn_OK);
    });
    EXPECT_EQ(result, mrOk);
    ASSERT_EQ(Xml_Tree(File_CAN_Rec_Frames).size(), 2);
    EXPECT_TRUE(Xml_Tree(File_CAN_Rec_Frames)[1].contains("Name=\"typed\""))
        << Xml_Tree(File_CAN_Rec_Frames)[1].toStdString();
}

TEST_F(TableEditor, CancelDiscardsTheEdits)
{
    Write_File(File_CAN_Rec_Frames, "<Test_Root><row Name=\"kept\" Note=\"\"/></Test_Root>");
    const TModalResult result = Show([&] {
        Write_Row(grid, 1, {"N", "changed"});
        Click(form->Btn_Cancel);
    });
    EXPECT_EQ(result, mrCancel);
    Show([&] { EXPECT_EQ(grid->Cells(2, 1), "kept"); });
    EXPECT_EQ(testsupport::readBytes(File_CAN_Rec_Frames),
              "<Test_Root><row Name=\"kept\" Note=\"\"/></Test_Root>");
}

TEST_F(TableEditor, MarkerTexts)
{
    Set_Marker_Texts();
    form->Set_Lang();
    Expect_Marker_Texts(*form);
    EXPECT_EQ(form->Btn_CopyRow->Caption(), "#5306");
}

} // namespace
