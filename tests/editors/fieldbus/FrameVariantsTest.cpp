// The variants of the table-editor frame the fieldbus tables use, on a small editor of their own:
// the key rules, the enable rules, the loading rules (missing, empty, computed from the row, every
// element child a row) and the form's font.
#include "app/TableEditorFixture.h"

namespace
{

using namespace tableeditortest;

QString Time_If_Timer(const QStringList& Texts)
{
    return Texts.value(3) == "Y" ? "0" : "";
}

TEditorColumn kColumns[] = {
    {.Header = 2408, .Width = 40},
    {.Header = 2409, .Attribute = "Enable", .New_Text = "Y", .Missing = "Y"},
    {.Header = 2410, .Attribute = "Key", .Missing = ""},
    {.Header = 2411, .Attribute = "Timer", .Missing = "N"},
    {.Header = 2412, .Attribute = "Time", .Missing_From_Row = Time_If_Timer},
    {.Header = 2413, .Attribute = "Count", .Missing = "8", .Empty_Is_Missing = true, .Font = "Courier"},
};

TEditorTable kTable[] = {
    {"ACG_Variant", nullptr, -1, nullptr, 5, 2, false, 2444, 2458, TDeleteQuestion::Append_Number, kColumns},
};

const TEditorSpec kSpec = {
    "FVariant",
    600,
    300,
    2400,
    2401,
    {{2402, 2423, true},
     {2403, 2424, true},
     {2404, 2425, true},
     {2405, 2426, true},
     {2406, 2427, true},
     {2407, 2428, true}},
    {&File_CAN_Rec_Frames, "Variant", nullptr},
    kTable,
    "Tahoma",
};

class TVariantEditor : public TTableEditor
{
  public:
    explicit TVariantEditor(TComponent* AOwner) : TTableEditor(AOwner, kSpec) { FormCreate(); }
    // Records the rows the check reaches (those enabled by the table's rule).
    bool Controllo_dati() override
    {
        Checked.clear();
        for (int r = 1; r <= Used_Rows(Table(0)); ++r)
            if (Row_Enabled(Table(0), r))
                Checked << r;
        return true;
    }
    QList<int> Checked;
};

class FrameVariants : public TableEditorFixture<TVariantEditor>
{
  protected:
    void TearDown() override
    {
        TableEditorFixture::TearDown();
        kTable[0].Key_Rule = TKeyRule::Trimmed;
        kTable[0].Enable_Rule = TEnableRule::None;
        kTable[0].Any_Row_Name = false;
    }
    // The form built again on the table as it now is.
    void Rebuild()
    {
        form.reset();
        form = std::make_unique<TVariantEditor>(nullptr);
    }
    TExtColumnGrid* grid() { return form->Table(0).Grid; }
};

TEST_F(FrameVariants, TheKeyRuleDecidesTheRowsCheckedAndSaved)
{
    const struct {
        TKeyRule rule;
        int rows;
    } cases[] = {{TKeyRule::Trimmed, 1}, {TKeyRule::Raw, 3}, {TKeyRule::None, 5}};
    for (const auto& c : cases) {
        kTable[0].Key_Rule = c.rule;
        Rebuild();
        Show([&] {
            Write_Row(grid(), 1, {"Y", "a"});
            Write_Row(grid(), 2, {"Y", "  "});
            Write_Row(grid(), 3, {"Y", "c"});
            Click(form->Btn_OK);
        });
        EXPECT_EQ(form->Checked.size(), c.rows) << int(c.rule);
        EXPECT_EQ(Xml_Tree(File_CAN_Rec_Frames).size(), c.rows + 1) << int(c.rule);
    }
}

TEST_F(FrameVariants, TheEnableRuleSkipsRowsThatAreStillSaved)
{
    const struct {
        TEnableRule rule;
        QList<int> checked;
    } cases[] = {
        {TEnableRule::None, {1, 2, 3, 4}}, {TEnableRule::Trimmed_Upper, {1, 2}}, {TEnableRule::Exact, {1}}};
    for (const auto& c : cases) {
        kTable[0].Enable_Rule = c.rule;
        Rebuild();
        Show([&] {
            const char* enables[] = {"Y", " y ", "N", ""};
            for (int r = 1; r <= 4; ++r)
                Write_Row(grid(), r, {enables[r - 1], "k"});
            Click(form->Btn_OK);
        });
        EXPECT_EQ(form->Checked, c.checked) << int(c.rule);
        EXPECT_EQ(Xml_Tree(File_CAN_Rec_Frames).size(), 5);
    }
}

TEST_F(FrameVariants, MissingEmptyAndComputedAttributes)
{
    Write_File(File_CAN_Rec_Frames, "<Variant>"
                                    "<row Key=\"1\"/>"
                                    "<row Key=\"2\" Enable=\"\" Timer=\"Y\" Count=\"\"/>"
                                    "<row Key=\"3\" Timer=\"Y\" Time=\"\" Count=\"3\"/>"
                                    "</Variant>");
    Show([&] {
        // Enable, Key, Timer, Time, Count.
        EXPECT_EQ(Row_Texts(grid(), 1), QStringList({"Y", "1", "N", "", "8"}));
        EXPECT_EQ(Row_Texts(grid(), 2), QStringList({"", "2", "Y", "0", "8"}));
        EXPECT_EQ(Row_Texts(grid(), 3), QStringList({"Y", "3", "Y", "", "3"}));
    });
}

TEST_F(FrameVariants, RowsAreNamedRowsOrEveryElementChildButNeverACommentOrText)
{
    Write_File(File_CAN_Rec_Frames,
               "<Variant><!--c--><row Key=\"1\"/> t <item Key=\"2\"/><row Key=\"3\"/></Variant>");
    Show([&] {
        EXPECT_EQ(grid()->Cells(2, 1), "1");
        EXPECT_EQ(grid()->Cells(2, 2), "3");
        EXPECT_EQ(grid()->Cells(2, 3), "");
    });
    kTable[0].Any_Row_Name = true;
    Rebuild();
    Show([&] {
        EXPECT_EQ(grid()->Cells(2, 1), "1");
        EXPECT_EQ(grid()->Cells(2, 2), "2");
        EXPECT_EQ(grid()->Cells(2, 3), "3");
        EXPECT_EQ(grid()->Cells(2, 4), "");
        EXPECT_EQ(grid()->Cells(1, 4), "Y");
    });
}

TEST_F(FrameVariants, TheFormAndColumnFontsComeFromTheSpec)
{
    EXPECT_EQ(QString(form->Font->Name), "Tahoma");
    EXPECT_EQ(QString(grid()->Columns()->Items(5)->Font()->Name), "Courier");
    EXPECT_EQ(QString(grid()->Columns()->Items(4)->Font()->Name), "Verdana");
}

TEST(FrameEnableRules, AsTheCellsSayThem)
{
    const struct {
        const char* cell;
        bool trimmed_upper, exact;
    } cases[] = {{"Y", true, true},   {" y", true, false}, {"y ", true, false},
                 {"N", false, false}, {"", false, false},  {"YES", false, false}};
    for (const auto& c : cases) {
        EXPECT_TRUE(Enabled_By(TEnableRule::None, c.cell)) << c.cell;
        EXPECT_EQ(Enabled_By(TEnableRule::Trimmed_Upper, c.cell), c.trimmed_upper) << c.cell;
        EXPECT_EQ(Enabled_By(TEnableRule::Exact, c.cell), c.exact) << c.cell;
    }
}

} // namespace

// ---- The check-box string-grid variant ---------------------------------------------------------------

const TEditorColumn kCheck_Columns[] = {
    {.Header = 2408, .Width = 40},
    {.Header = 2409, .Width = 60, .Color = 0xB0D8FF, .Attribute = "Enable", .Missing = "Y"},
    {.Header = 2410, .Width = 120, .Color = 0xFEFAE0, .Attribute = "Name", .Missing = ""},
    {.Header = 2411, .Width = 90, .Attribute = "Note", .Missing = ""},
};

TEditorTable kCheck_Table[] = {
    {"ESG", nullptr, -1, nullptr, 4, 2, true, 2444, 2458, TDeleteQuestion::Append_Number, kCheck_Columns},
};

const TEditorSpec kCheck_Spec = {
    "FCheckVariant",
    500,
    300,
    2400,
    2401,
    {{2402, 2423, true},
     {2403, 2424, true},
     {2404, 2425, true},
     {2405, 2426, true},
     {2406, 2427, true},
     {2407, 2428, true}},
    {&File_CAN_Rec_Frames, "Checks", "SW_VERSION = 1.000"},
    kCheck_Table,
};

class TCheckEditor : public TTableEditor
{
  public:
    explicit TCheckEditor(TComponent* AOwner) : TTableEditor(AOwner, kCheck_Spec) { FormCreate(); }
    bool Controllo_dati() override
    {
        Enabled.clear();
        for (int r = 1; r <= Used_Rows(Table(0)); ++r)
            Enabled << Row_Enabled(Table(0), r);
        return true;
    }
    QList<bool> Enabled;
};

class CheckBoxVariant : public TableEditorFixture<TCheckEditor>
{
  protected:
    static void SetUpTestSuite() { kCheck_Table[0].Check_Boxes = true; }
    static void TearDownTestSuite() { kCheck_Table[0].Check_Boxes = false; }
    void TearDown() override
    {
        TableEditorFixture::TearDown();
        kCheck_Table[0].Enable_Rule = TEnableRule::None;
    }
    TExtStringGrid* grid() { return form->Table(0).String_Grid; }
    bool Ticked(int r)
    {
        bool state = false;
        EXPECT_TRUE(grid()->GetCheckBoxState(1, r, state)) << r;
        return state;
    }
};

TEST_F(CheckBoxVariant, TheTableIsBuiltInCodeWithCheckBoxesInColumnOne)
{
    // The form reads its description live: the rule holds for this test only.
    kCheck_Table[0].Enable_Rule = TEnableRule::Check_Box;
    EXPECT_EQ(form->Table(0).Grid, nullptr);
    EXPECT_EQ(grid()->ColCount(), 4);
    EXPECT_EQ(grid()->RowCount(), 5);
    EXPECT_EQ(grid()->Cells(2, 0), "CobID");
    EXPECT_EQ(grid()->ColWidths(2), 120);
    EXPECT_EQ(grid()->Cells(0, 4), "4");
    EXPECT_EQ(grid()->GetCellProperties(1, 3)->Alignment(), taCenter);
    EXPECT_EQ(grid()->GetCellProperties(2, 3)->BrushColor(), TColor(0xFEFAE0));

    Write_File(File_CAN_Rec_Frames, "<Checks><row Enable=\"n\" Name=\"a\"/><row Name=\"b\"/>"
                                    "<row Enable=\"N\" Name=\"c\"/></Checks>");
    Show([&] {
        EXPECT_EQ(QList<bool>({Ticked(1), Ticked(2), Ticked(3), Ticked(4)}),
                  QList<bool>({true, true, false, true}));
        grid()->SetCheckBoxState(1, 1, false);
        Click(form->Btn_OK);
    });
    EXPECT_EQ(form->Enabled, QList<bool>({false, true, false}));
    EXPECT_EQ(Xml_Tree(File_CAN_Rec_Frames), QStringList({"Checks", "  row Enable=\"N\" Name=\"a\" Note=\"\"",
                                                          "  row Enable=\"Y\" Name=\"b\" Note=\"\"",
                                                          "  row Enable=\"N\" Name=\"c\" Note=\"\""}));
}

TEST_F(CheckBoxVariant, RowButtonsMoveStatesAndReadOnlyFlags)
{
    Write_File(File_CAN_Rec_Frames,
               "<Checks><row Enable=\"N\" Name=\"a\"/><row Name=\"b\" Note=\"x\"/></Checks>");
    Show([&] {
        grid()->FocusCell(2, 1);
        answers->MessageAnswers = {mrYes};
        Click(form->Btn_DelRow);
        EXPECT_EQ(grid()->Cells(2, 1), "b");
        EXPECT_TRUE(Ticked(4));
        EXPECT_TRUE(grid()->ReadOnly(2, 4));

        grid()->FocusCell(2, 4);
        Click(form->Btn_InsRow);
        EXPECT_TRUE(Ticked(4));
        EXPECT_FALSE(grid()->ReadOnly(2, 4));

        // A cell of blanks counts as used here: the paste asks first.
        grid()->FocusCell(2, 1);
        Click(form->Btn_CopyRow);
        grid()->SetCells(3, 3, " ");
        grid()->FocusCell(2, 3);
        answers->MessageAnswers = {mrNo};
        Click(form->Btn_PasteRow);
        EXPECT_EQ(grid()->Cells(2, 3), "");
    });
    EXPECT_EQ(Message_Texts(), QStringList({"Are you sure to delete the Row number 1",
                                            "Row Already used. Do you want to overwrite the values?"}));
}
