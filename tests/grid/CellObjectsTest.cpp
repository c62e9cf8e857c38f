// Cell objects of the string grid: the object itself (ownership, copying, picture sizes, angles), the
// check-box state model with its events and undo records, radio buttons and groups, the other kinds'
// typed removal, typed cell values and the header lists. A shown grid built in the loading bracket.
#include "grid/RegionalRecord.h"
#include "grid/base/UndoRedo.h"
#include "grid/core/ExtGrid.h"
#include "platform/controls/Forms.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace cellobjectstest
{

// Counts its own destruction, so tests can see who frees a slot object.
class TCountedBitmap : public TBitmap
{
  public:
    explicit TCountedBitmap(int& Freed) : FFreed(Freed) {}
    ~TCountedBitmap() override { ++FFreed; }

  private:
    int& FFreed;
};

struct CheckEvent {
    int Col, Row;
    bool State;
};

class CellObjects : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(40, 40, 700, 500);
        form->BeginLoading();
        grid = new TExtStringGrid(form.get());
        grid->SetParent(form.get());
        grid->SetRowCount(10);
        form->EndLoading();
        form->Show();
        QApplication::processEvents();
        grid->OnCheckBoxChange = [this](TObject*, int c, int r, bool s) { events.push_back({c, r, s}); };
    }

    std::unique_ptr<TForm> form;
    TExtStringGrid* grid = nullptr;
    std::vector<CheckEvent> events;
};

// ---- The object ---------------------------------------------------------------------------------------

TEST(CellGraphic, NewObjectAndCopyRules)
{
    TCellGraphic g;
    EXPECT_EQ(g.CellType(), ctNone);
    EXPECT_FALSE(g.CellCreated());

    TCellGraphic src;
    src.SetButton(30, 12, "Go", haCenter, vaFull);
    src.SetCellValue(2.5);
    src.SetCellErrFrom(3);
    src.SetCellErrLen(4);
    src.SetCellCreated(true);
    src.SetCellVar(7);
    src.SetCellCheckBoxState(cbGrayed);
    src.BitmapSlot().SetColor(clRed);
    g.Assign(&src);
    EXPECT_EQ(g.CellType(), ctButton);
    EXPECT_EQ(g.CellIndex(), (12 << 16) | 30);
    EXPECT_EQ(g.CellText(), "Go");
    EXPECT_EQ(g.CellHAlign(), haCenter);
    EXPECT_EQ(g.CellVAlign(), vaFull);
    EXPECT_EQ(g.CellValue(), 2.5);
    EXPECT_EQ(g.CellErrFrom(), 3);
    EXPECT_EQ(g.CellErrLen(), 4);
    EXPECT_TRUE(g.CellCreated());
    // Slots, the free value and the tri-state are not copied.
    EXPECT_TRUE(g.BitmapSlot().IsEmpty());
    EXPECT_FALSE(g.CellVar().isValid());
    EXPECT_EQ(g.CellCheckBoxState(), cbUnchecked);

    // Another class of source is ignored rather than read as a cell object.
    TStringList other;
    g.Assign(&other);
    EXPECT_EQ(g.CellType(), ctButton);
}

TEST(CellGraphic, SlotsFreeOnlyWhatTheyOwn)
{
    int freed = 0;
    auto callers = std::make_unique<TCountedBitmap>(freed);
    {
        TCellGraphic g;
        g.SetBitmap(callers.get(), false, haLeft, vaTop);
        EXPECT_FALSE(g.CellCreated());
        // Replacing an owned object frees it; a borrowed one is left alone.
        g.SetBitmap(new TCountedBitmap(freed), false, haLeft, vaTop, true);
        EXPECT_EQ(freed, 0);
        g.SetBitmap(new TCountedBitmap(freed), false, haLeft, vaTop, true);
        EXPECT_EQ(freed, 1);
    }
    EXPECT_EQ(freed, 2);
    callers.reset();
    EXPECT_EQ(freed, 3);
}

TEST(CellGraphic, AnglesAreKeptWithinAFullTurn)
{
    const std::pair<int, int> cases[] = {{-90, 270}, {720, 360}, {360, 360}, {0, 0}, {-720, 0}, {45, 45}};
    for (auto [in, out] : cases) {
        TCellGraphic g;
        g.SetAngle(in);
        EXPECT_EQ(g.CellType(), ctRotated);
        EXPECT_EQ(g.CellAngle(), out) << in;
    }
}

TEST(CellGraphic, PictureSizeByStretchMode)
{
    TPicture picture;
    picture.Bitmap()->SetSize(200, 100);
    struct Case {
        TStretchMode Mode;
        int Padding, AvailW, AvailH, W, H;
    } cases[] = {
        {StretchWithAspectRatio, 0, 100, 100, 100, 50},
        {ShrinkWithAspectRatio, 0, 100, 100, 100, 50},
        {Shrink, 0, 100, 100, 100, 100},
        {noStretch, 0, 100, 100, 200, 100},
        {Stretch, 0, 100, 100, 100, 100},
        // Fits: shrinking keeps the picture's own size.
        {ShrinkWithAspectRatio, 0, 300, 300, 200, 100},
        {Shrink, 0, 300, 300, 200, 100},
        // Padding comes off the area first; 50 x 1.25 = 62.5 rounds to even.
        {StretchWithAspectRatio, 10, 260, 135, 250, 125},
        {StretchWithAspectRatio, 0, 125, 200, 125, 62},
    };
    for (const Case& c : cases) {
        TCellGraphic g;
        g.SetPicture(&picture, false, c.Mode, c.Padding, haLeft, vaTop);
        int w = -1, h = -1;
        g.GetPictureSize(c.AvailW, c.AvailH, w, h);
        EXPECT_EQ(w, c.W) << c.Mode << " " << c.AvailW << "x" << c.AvailH;
        EXPECT_EQ(h, c.H) << c.Mode << " " << c.AvailW << "x" << c.AvailH;
    }
    TCellGraphic button;
    button.SetButton(10, 10, "", haLeft, vaTop);
    int w = -1, h = -1;
    button.GetPictureSize(100, 100, w, h);
    EXPECT_EQ(w, -1);
    EXPECT_EQ(h, -1);
}

// ---- Creating, looking up, removing ------------------------------------------------------------------

TEST_F(CellObjects, CreatingKeepsAnEmptyCellEmptyAndReplacesTheOldObject)
{
    TCellGraphic* first = grid->CreateCellGraphic(2, 3);
    EXPECT_EQ(grid->Cells(2, 3), "");
    EXPECT_EQ(grid->GetCellGraphic(2, 3), first);
    EXPECT_EQ(grid->GetCellType(2, 3), ctNone);
    grid->SetCells(2, 4, "text");
    grid->CreateCellGraphic(2, 4);
    EXPECT_EQ(grid->Cells(2, 4), "text");

    grid->AddComment(2, 3, "note");
    EXPECT_EQ(grid->GetCellType(2, 3), ctComment);
    EXPECT_EQ(grid->GetComment(2, 3), "note");
    EXPECT_EQ(grid->GetCellType(-1, 3), ctEmpty);
    EXPECT_EQ(grid->GetCellType(1, 1), ctEmpty);
    EXPECT_EQ(grid->GetCellGraphic(1, 1), nullptr);
}

TEST_F(CellObjects, RemovalOfAnotherKindLeavesTheObject)
{
    grid->AddRadioButton(1, 2, true);
    grid->RemoveCheckBox(1, 2);
    EXPECT_EQ(grid->GetCellType(1, 2), ctRadioButton);
    grid->RemoveRadioButton(1, 2);
    EXPECT_EQ(grid->GetCellType(1, 2), ctEmpty);

    // Both button kinds go with RemoveButton.
    grid->AddButton(1, 3, 20, 10, "a", haLeft, vaTop);
    grid->CreateBitButton(2, 3, 20, 10, "b", haLeft, vaTop);
    grid->RemoveButton(1, 3);
    grid->RemoveButton(2, 3);
    EXPECT_EQ(grid->GetCellType(1, 3), ctEmpty);
    EXPECT_EQ(grid->GetCellType(2, 3), ctEmpty);
    EXPECT_FALSE(grid->RemoveCellGraphic(2, 3));
    EXPECT_EQ(grid->GetShapeColor(2, 3), clNone);
}

TEST_F(CellObjects, CallersObjectsSurviveTheCellAndCreatedOnesDoNot)
{
    int freed = 0;
    TCountedBitmap mine(freed);
    grid->AddBitmap(1, 1, &mine, false, haLeft, vaTop);
    grid->RemoveBitmap(1, 1);
    EXPECT_EQ(freed, 0);
    grid->AddBitmap(1, 1, &mine, false, haLeft, vaTop);
    // Replacing the object by another kind does not free the caller's bitmap either.
    grid->AddComment(1, 1, "x");
    EXPECT_EQ(freed, 0);

    TBitmap* created = grid->CreateBitmap(2, 2, true, haLeft, vaTop);
    EXPECT_EQ(grid->GetBitmap(2, 2), created);
    EXPECT_TRUE(grid->GetCellGraphic(2, 2)->CellCreated());
    TStrings* items = grid->CreateRadio(3, 3, 0, -1);
    items->Add("one");
    EXPECT_EQ(grid->GetRadioStrings(3, 3), items);
    grid->RemoveBitmap(2, 2); // freed here; the sanitizer reports a leak or a double free
    grid->RemoveRadio(3, 3);
    EXPECT_EQ(grid->GetBitmap(2, 2), nullptr);
}

TEST_F(CellObjects, InvalidCellForCheckBoxesAndRadioButtons)
{
    const std::pair<int, int> bad[] = {{-1, 1}, {1, -1}, {5, 1}, {1, 10}};
    for (auto [c, r] : bad) {
        EXPECT_THROW(grid->AddCheckBox(c, r, true, false), Exception) << c << "," << r;
        EXPECT_THROW(grid->AddCheckBox(c, r, cbChecked), Exception) << c << "," << r;
        EXPECT_THROW(grid->AddRadioButton(c, r, true), Exception) << c << "," << r;
    }
    try {
        grid->AddCheckBox(-1, 0, true, false);
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "Invalid cell");
    }
    // A hidden column still counts as a real column.
    grid->HideColumn(4);
    EXPECT_NO_THROW(grid->AddCheckBox(4, 1, true, false));
    EXPECT_EQ(grid->GetCellType(4, 1), ctCheckBox);
}

// ---- Check boxes ------------------------------------------------------------------------------------

TEST_F(CellObjects, CheckBoxColumnFromTheFirstNormalRow)
{
    grid->AddCheckBoxColumn(1, false, false);
    EXPECT_EQ(grid->GetCellType(1, 0), ctEmpty);
    for (int r = 1; r < 10; ++r) {
        ASSERT_EQ(grid->GetCellType(1, r), ctCheckBox) << r;
        bool state = true;
        EXPECT_TRUE(grid->GetCheckBoxState(1, r, state));
        EXPECT_FALSE(state);
    }
    EXPECT_TRUE(grid->SetCheckBoxState(1, 4, true));
    bool state = false;
    EXPECT_TRUE(grid->GetCheckBoxState(1, 4, state));
    EXPECT_TRUE(state);
    EXPECT_TRUE(grid->IsChecked(1, 4));
    EXPECT_FALSE(grid->IsChecked(2, 4));
    EXPECT_TRUE(events.empty());

    // CheckAllCheck puts one in row 0 too; CheckAll still starts at the first normal row.
    grid->MouseActions()->CheckAllCheck = true;
    grid->AddCheckBoxColumn(2, false, false);
    EXPECT_EQ(grid->GetCellType(2, 0), ctCheckBox);
    grid->CheckAll(2);
    EXPECT_FALSE(grid->IsChecked(2, 0));
    EXPECT_TRUE(grid->IsChecked(2, 9));
    EXPECT_EQ(events.size(), 9u);
    grid->RemoveCheckBoxColumn(2);
    EXPECT_EQ(grid->GetCellType(2, 0), ctEmpty);
    EXPECT_EQ(grid->GetCellType(2, 5), ctEmpty);
}

TEST_F(CellObjects, DataCheckBoxTextDecidesItsState)
{
    struct Case {
        const char* Text;
        bool State;
        const char* After;
    } cases[] = {{"N", true, "N"}, {"", true, "Y"}, {"Y", false, "Y"}, {"maybe", false, "N"}};
    int row = 1;
    for (const Case& c : cases) {
        grid->SetCells(1, row, c.Text);
        grid->AddCheckBox(1, row, c.State, true);
        EXPECT_EQ(grid->GetCellType(1, row), ctDataCheckBox);
        EXPECT_EQ(grid->Cells(1, row), c.After) << c.Text;
        ++row;
    }
    // Reading compares exactly with the check text.
    grid->SetCells(1, 1, "y");
    EXPECT_FALSE(grid->IsChecked(1, 1));
    grid->SetCells(1, 1, "Y");
    EXPECT_TRUE(grid->IsChecked(1, 1));
}

TEST_F(CellObjects, ToggleAlwaysReportsAndChangeOnlyOnChange)
{
    grid->SetCells(1, 2, "Y");
    grid->AddCheckBox(1, 2, false, true);
    grid->SetCells(1, 2, "maybe");
    EXPECT_TRUE(grid->ToggleCheckBox(1, 2));
    EXPECT_EQ(grid->Cells(1, 2), "Y");
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].Col, 1);
    EXPECT_EQ(events[0].Row, 2);
    EXPECT_TRUE(events[0].State);

    // The same state again: nothing to report.
    EXPECT_TRUE(grid->ChangeCheckBoxState(1, 2, true));
    EXPECT_EQ(events.size(), 1u);
    EXPECT_TRUE(grid->ChangeCheckBoxState(1, 2, false));
    EXPECT_EQ(grid->Cells(1, 2), "N");
    EXPECT_EQ(events.size(), 2u);

    grid->AddCheckBox(2, 2, true, false);
    EXPECT_TRUE(grid->ToggleCheckBox(2, 2));
    EXPECT_FALSE(grid->IsChecked(2, 2));
    EXPECT_FALSE(grid->ToggleCheckBox(3, 2)); // no check box there
    EXPECT_EQ(events.size(), 3u);
}

TEST_F(CellObjects, TriStateCycleAndStateAccess)
{
    grid->AddCheckBox(1, 1, cbUnchecked);
    TCheckBoxState s = cbChecked;
    ASSERT_TRUE(grid->GetCheckBoxState(1, 1, s));
    EXPECT_EQ(s, cbUnchecked);
    const TCheckBoxState cycle[] = {cbGrayed, cbChecked, cbUnchecked};
    for (TCheckBoxState expected : cycle) {
        grid->ToggleCheckBox(1, 1);
        grid->GetCheckBoxState(1, 1, s);
        EXPECT_EQ(s, expected);
    }
    // The Boolean accessors do not serve tri-state boxes.
    bool b = true;
    EXPECT_FALSE(grid->GetCheckBoxState(1, 1, b));
    EXPECT_FALSE(grid->SetCheckBoxState(1, 1, true));
    EXPECT_TRUE(grid->SetCheckBoxState(1, 1, cbGrayed));
    grid->GetCheckBoxState(1, 1, s);
    EXPECT_EQ(s, cbGrayed);
    EXPECT_FALSE(grid->SetCheckBoxState(2, 1, cbGrayed));
}

TEST_F(CellObjects, ToggleAsksTheCellUnlessAlwaysActive)
{
    grid->AddCheckBox(1, 1, false, false);
    grid->OnCanEditCell = [](TObject*, int, int, bool& CanEdit) { CanEdit = false; };
    EXPECT_FALSE(grid->ToggleCheckBoxCell(1, 1, true));
    EXPECT_FALSE(grid->IsChecked(1, 1));
    grid->ControlLook()->CheckAlwaysActive = true;
    EXPECT_TRUE(grid->ToggleCheckBoxCell(1, 1, true));
    EXPECT_TRUE(grid->IsChecked(1, 1));
}

TEST_F(CellObjects, ToggleRecordsTheTextsReallyWritten)
{
    VIvoDediZudaZove undo(form.get());
    grid->SetUndoRedo(&undo);
    grid->SetCells(1, 1, "N");
    grid->AddCheckBox(1, 1, false, true);
    grid->ToggleCheckBox(1, 1); // N -> Y
    grid->ToggleCheckBox(1, 1); // Y -> N
    ASSERT_EQ(undo.Items()->Count(), 2);
    EXPECT_EQ(undo.Items()->Items(0)->OrigValue, "N");
    EXPECT_EQ(undo.Items()->Items(0)->Value, "Y");
    EXPECT_EQ(undo.Items()->Items(1)->OrigValue, "Y");
    EXPECT_EQ(undo.Items()->Items(1)->Value, "N");
    undo.Undo();
    EXPECT_EQ(grid->Cells(1, 1), "Y");
    grid->SetUndoRedo(nullptr);
}

// ---- Radio buttons and groups --------------------------------------------------------------------------

TEST_F(CellObjects, ClickRadioButtonLeavesOnlyThatOneChecked)
{
    grid->AddRadioButtonColumn(2);
    grid->SetRadioButtonState(2, 3, true);
    grid->SetRadioButtonState(2, 6, true); // the plain setter can leave two checked
    EXPECT_TRUE(grid->IsRadioButtonChecked(2, 3));
    EXPECT_TRUE(grid->ClickRadioButton(2, 4, false));
    for (int r = 1; r < 10; ++r)
        EXPECT_EQ(grid->IsRadioButtonChecked(2, r), r == 4) << r;
    EXPECT_EQ(grid->GetRadioButtonColumnIndex(2), 4);
    grid->SetRadioButtonColumnIndex(2, 7);
    EXPECT_EQ(grid->GetRadioButtonColumnIndex(2), 7);
    EXPECT_FALSE(grid->ClickRadioButton(1, 4, false));
}

TEST_F(CellObjects, RadioGroupCyclesAndSetRadioIdxTouchesOnlyGroups)
{
    TStringList items;
    items.Add("a");
    items.Add("b");
    items.Add("c");
    grid->AddRadio(1, 1, 0, 2, &items);
    grid->CycleRadio(1, 1, false);
    int idx = -1;
    EXPECT_TRUE(grid->GetRadioIdx(1, 1, idx));
    EXPECT_EQ(idx, 0);
    EXPECT_EQ(grid->Cells(1, 1), "a");
    // Without a selection the next item follows the text.
    grid->SetRadioIdx(1, 1, -1);
    EXPECT_EQ(grid->Cells(1, 1), "");
    grid->SetCells(1, 1, "b");
    grid->CycleRadio(1, 1, false);
    EXPECT_EQ(grid->Cells(1, 1), "c");

    grid->AddButton(2, 1, 40, 16, "Go", haLeft, vaTop);
    EXPECT_FALSE(grid->SetRadioIdx(2, 1, 5));
    EXPECT_EQ(grid->GetCellGraphic(2, 1)->CellIndex(), (16 << 16) | 40);
    EXPECT_FALSE(grid->SetRadioIdx(3, 1, 5));
}

TEST_F(CellObjects, SetRotatedTurnsTheExistingObject)
{
    grid->AddComment(1, 1, "c");
    TCellGraphic* g = grid->GetCellGraphic(1, 1);
    grid->SetRotated(1, 1, -90);
    EXPECT_EQ(grid->GetCellGraphic(1, 1), g);
    int angle = 0;
    EXPECT_TRUE(grid->IsRotated(1, 1, angle));
    EXPECT_EQ(angle, 270);
    grid->SetRotated(1, 2, 720);
    EXPECT_TRUE(grid->IsRotated(1, 2, angle));
    EXPECT_EQ(angle, 360);
}

TEST_F(CellObjects, BalloonsAttachToCheckBoxesAndAreDroppedWithThem)
{
    grid->AddCheckBox(1, 1, true, false);
    grid->AddBalloon(1, 1, "T", "Text", biWarning);
    QString title, text;
    TBalloonIcon icon = biNone;
    ASSERT_TRUE(grid->IsBalloon(1, 1, title, text, icon));
    EXPECT_EQ(title, "T");
    EXPECT_EQ(text, "Text");
    EXPECT_EQ(icon, biWarning);
    EXPECT_EQ(grid->GetCellType(1, 1), ctCheckBox);
    grid->RemoveBalloon(1, 1);
    EXPECT_FALSE(grid->IsBalloon(1, 1, title, text, icon));
    EXPECT_EQ(grid->GetCellType(1, 1), ctCheckBox);

    grid->AddComment(2, 1, "c");
    grid->AddBalloon(2, 1, "T", "Text", biInfo);
    EXPECT_FALSE(grid->IsBalloon(2, 1, title, text, icon));
    grid->AddBalloon(3, 1, "T", "Text", biInfo);
    EXPECT_EQ(grid->GetCellType(3, 1), ctBalloon);
    grid->AddBalloon(1, 2, "T", "Text", biInfo);
    grid->AddCheckBox(1, 2, false, false); // replaces the balloon object; its list is freed
}

// ---- Typed values and header lists ------------------------------------------------------------------

TEST_F(CellObjects, TypedValues)
{
    RegionalScope regional(UsRecord);
    struct IntCase {
        const char* Text;
        int Value;
    } ints[] = {{"-", 0}, {"", 0}, {" 42 ", 42}, {"-7", -7}, {"<b>12</b>", 12}};
    for (const IntCase& c : ints) {
        grid->SetCells(1, 1, c.Text);
        EXPECT_EQ(grid->Ints(1, 1), c.Value) << c.Text;
    }
    grid->SetCells(1, 1, "12a");
    try {
        grid->Ints(1, 1);
        ADD_FAILURE() << "no error";
    } catch (const EExtGridError& e) {
        EXPECT_EQ(e.Message, "Cell does not contain integer value");
    }
    grid->SetCells(1, 1, "-");
    EXPECT_EQ(grid->Floats(1, 1), 0.0);
    grid->SetCells(1, 1, "1,234.5");
    EXPECT_EQ(grid->Floats(1, 1), 1234.5);
    grid->SetCells(1, 1, "x");
    try {
        grid->Floats(1, 1);
        ADD_FAILURE() << "no error";
    } catch (const EExtGridError& e) {
        EXPECT_EQ(e.Message, "Cell does not contain a float value");
    }
    grid->SetFloats(1, 1, 3.14159);
    EXPECT_EQ(grid->Cells(1, 1), "3.14");

    grid->SetDates(1, 2, 0);
    EXPECT_FALSE(grid->Cells(1, 2).isEmpty());
    grid->ShowNullDates = false;
    grid->SetDates(1, 2, 0);
    EXPECT_EQ(grid->Cells(1, 2), "");
    grid->SetDates(1, 2, 45000);
    EXPECT_EQ(grid->Dates(1, 2), 45000);
    grid->SetCells(1, 2, "not a date");
    EXPECT_THROW(grid->Dates(1, 2), EConvertError);
}

TEST_F(CellObjects, ColumnHeadersGoToRowZeroWithLineBreaks)
{
    TStringList headers;
    headers.Add("A");
    headers.Add("B\\nC");
    for (int i = 0; i < 6; ++i)
        headers.Add("surplus");
    grid->SetColumnHeaders(&headers);
    EXPECT_EQ(grid->Cells(0, 0), "A");
    EXPECT_EQ(grid->Cells(1, 0), "B\rC");
    EXPECT_EQ(grid->Cells(4, 0), "surplus");
    EXPECT_EQ(grid->ColumnByHeader("A"), 0);
    EXPECT_EQ(grid->ColumnByHeader("missing"), -1);
    // A change of the list itself rewrites row 0 too.
    grid->ColumnHeaders()->SetStrings(0, "Z");
    EXPECT_EQ(grid->Cells(0, 0), "Z");
}

TEST_F(CellObjects, ColumnOrderIsRecordedOnceAndRestored)
{
    for (int c = 0; c < 5; ++c)
        grid->SetCells(c, 1, QString::number(c));
    grid->ResetColumnOrder(); // records, moves nothing
    grid->MoveColumn(1, 3);
    EXPECT_EQ(grid->Cells(3, 1), "1");
    EXPECT_EQ(grid->ColumnAtPosition(3), 1);
    grid->ResetColumnOrder();
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(grid->Cells(c, 1), QString::number(c)) << c;
}

// ---- Graphic sizes ---------------------------------------------------------------------------------------

TEST_F(CellObjects, ScreenSizesOfGraphicsBesideAndOverText)
{
    EXPECT_EQ(grid->CellGraphicSize(1, 1), TPoint(0, 0)) << "no object";
    grid->AddCheckBox(1, 1, false, false);
    EXPECT_EQ(grid->CellGraphicSize(1, 1), TPoint(15, 15));
    grid->AddRadioButton(2, 1, false);
    EXPECT_EQ(grid->CellGraphicSize(2, 1), TPoint(10, 10));
    grid->AddRating(3, 1, 4, clRed, clGray);
    EXPECT_EQ(grid->CellGraphicSize(3, 1), TPoint(72, 16));
    grid->AddProgressPie(4, 1, clRed, 50);
    EXPECT_EQ(grid->CellGraphicSize(4, 1), TPoint(20, 20));

    // A bitmap takes its width only beside the text (or without text), its height only over it.
    TBitmap bmp;
    bmp.SetSize(16, 12);
    struct Case {
        TCellHAlign H;
        TCellVAlign V;
        QString Text;
        TPoint Size;
    };
    const Case cases[] = {
        {haLeft, vaTop, "", TPoint(16, 12)},
        {haLeft, vaTop, "x", TPoint(0, 0)},
        {haBeforeText, vaTop, "x", TPoint(16, 0)},
        {haLeft, vaUnderText, "x", TPoint(0, 12)},
    };
    for (const Case& c : cases) {
        grid->SetCells(1, 2, c.Text);
        grid->AddBitmap(1, 2, &bmp, false, c.H, c.V);
        EXPECT_EQ(grid->CellGraphicSize(1, 2), c.Size) << int(c.H) << " " << int(c.V) << " " << c.Text.size();
    }

    // Buttons: the stored size, nothing beside a text unless over it; full alignments take the cell.
    grid->AddButton(1, 3, 30, 18, "Go", haLeft, vaTop);
    EXPECT_EQ(grid->CellGraphicSize(1, 3), TPoint(30, 18));
    grid->SetCells(1, 3, "text");
    EXPECT_EQ(grid->CellGraphicSize(1, 3), TPoint(30, 0));
    grid->AddButton(1, 3, 30, 18, "Go", haCenter, vaUnderText);
    EXPECT_EQ(grid->CellGraphicSize(1, 3), TPoint(0, 18));
    grid->AddButton(1, 3, 30, 18, "Go", haFull, vaFull);
    const TRect cell = grid->CellRect(1, 3);
    EXPECT_EQ(grid->CellGraphicSize(1, 3), TPoint(cell.Width(), cell.Height()));
    // A captioned button in an empty cell keeps its caption width unless stretched both ways.
    grid->SetCells(1, 3, "");
    grid->AddButton(1, 3, 30, 18, "Go", haFull, vaTop);
    EXPECT_EQ(grid->CellGraphicSize(1, 3).X, grid->Canvas->TextWidth("Go") + 4);
}

TEST_F(CellObjects, RadioGroupSizesFollowTheirItems)
{
    TStringList items;
    items.Add("a");
    items.Add("bbbb");
    items.Add("cc");
    const int th = grid->Canvas->TextHeight("gh");
    grid->AddRadio(1, 1, 0, 0, &items); // stacked
    EXPECT_EQ(grid->CellGraphicSize(1, 1),
              TPoint(std::max(12, grid->Canvas->TextWidth("bbbb") + 12), std::max(16, th) * 3));
    grid->AddRadio(1, 1, 1, 0, &items); // side by side
    const int sum =
        grid->Canvas->TextWidth("a") + grid->Canvas->TextWidth("bbbb") + grid->Canvas->TextWidth("cc") + 36;
    EXPECT_EQ(grid->CellGraphicSize(1, 1), TPoint(sum, th));
}

TEST_F(CellObjects, PrintSizesOfGraphics)
{
    EXPECT_EQ(grid->CalcPrintGraphicSize(1, 1, 100, 100, 1.0), TPoint(0, 0));
    grid->SetCells(1, 1, "text");
    TBitmap bmp;
    bmp.SetSize(16, 12);
    grid->AddBitmap(1, 1, &bmp, false, haLeft, vaTop);
    EXPECT_EQ(grid->CalcPrintGraphicSize(1, 1, 100, 100, 1.0), TPoint(16, 12)) << "whatever the text";
    grid->AddNode(2, 1);
    EXPECT_EQ(grid->CalcPrintGraphicSize(0, 2, 100, 100, 1.0), TPoint(20, 20));
    grid->SetColWidths(3, 70);
    grid->SetRowHeights(3, 30);
    grid->AddProgress(3, 3, clBlue, clWhite);
    EXPECT_EQ(grid->CalcPrintGraphicSize(3, 3, 100, 100, 1.0), TPoint(70, 30));
    grid->AddButton(2, 3, 30, 18, "Go", haLeft, vaTop);
    EXPECT_EQ(grid->CalcPrintGraphicSize(2, 3, 100, 100, 1.0), TPoint(30, 18));
    // A picture fits the room given and is divided by the scale, halves to even.
    TPicture* pic = grid->CreatePicture(1, 4, false, StretchWithAspectRatio, 0, haLeft, vaTop);
    pic->Bitmap()->SetSize(200, 100);
    EXPECT_EQ(grid->CalcPrintGraphicSize(1, 4, 100, 100, 1.0), TPoint(100, 50));
    EXPECT_EQ(grid->CalcPrintGraphicSize(1, 4, 100, 100, 4.0), TPoint(25, 12)) << "12.5 rounds to 12";
}

// ---- Row check boxes ------------------------------------------------------------------------------------

TEST_F(CellObjects, RowCheckBoxesShowTheRowSelection)
{
    grid->MouseActions()->SetHotmailRowSelect(true);
    EXPECT_EQ(grid->GetCellType(0, 3), ctRowCheckBox);
    bool state = true;
    ASSERT_TRUE(grid->GetCheckBoxState(0, 3, state));
    EXPECT_FALSE(state);
    EXPECT_TRUE(grid->SetCheckBoxState(0, 3, true));
    EXPECT_TRUE(grid->RowSelect(3));
    ASSERT_TRUE(grid->GetCheckBoxState(0, 3, state));
    EXPECT_TRUE(state);
    EXPECT_TRUE(events.empty()) << "the programmatic setter fires nothing";
    EXPECT_TRUE(grid->GetCellGraphic(0, 3)->CellBoolean());
    EXPECT_FALSE(grid->GetCellGraphic(0, 4)->CellBoolean());
    // Row 0's box: some rows (CellAngle 1), then all of them (CellBoolean).
    EXPECT_EQ(grid->GetCellGraphic(0, 0)->CellAngle(), 1);
    EXPECT_FALSE(grid->GetCellGraphic(0, 0)->CellBoolean());
    for (int r = 1; r < grid->RowCount(); ++r)
        grid->SetRowSelect(r, true);
    EXPECT_EQ(grid->GetCellGraphic(0, 0)->CellAngle(), 0);
    EXPECT_TRUE(grid->GetCellGraphic(0, 0)->CellBoolean());
    // The reporting setter fires only on a change.
    EXPECT_TRUE(grid->ChangeCheckBoxState(0, 5, true));
    EXPECT_TRUE(events.empty());
    EXPECT_TRUE(grid->ChangeCheckBoxState(0, 5, false));
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].Row, 5);
    EXPECT_FALSE(events[0].State);
    EXPECT_FALSE(grid->RowSelect(5));
    // Other columns are not row check boxes.
    EXPECT_FALSE(grid->GetCheckBoxState(1, 3, state));
}

} // namespace cellobjectstest
