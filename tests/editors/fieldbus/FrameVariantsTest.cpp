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
