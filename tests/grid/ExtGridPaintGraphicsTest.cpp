// The string grid's graphic step on a shown offscreen form: where cell objects sit, how check boxes,
// radio groups, ratings, progress bars, buttons, nodes and sort indicators draw, and the fixed look of
// header cells that got properties. Also the scroll-bar look of the looks, the edit focus frame, the
// dialog keys and the component notification.
#include "grid/core/ExtGrid.h"
#include "platform/controls/Forms.h"
#include "platform/graphics/ImgList.h"

#include <QApplication>
#include <gtest/gtest.h>
#include <map>

namespace extgridpaintgraphicstest
{

// A grid whose sort state the test sets (the sort settings report it in the program).
class TGraphicsGrid : public TExtStringGrid
{
  public:
    using TExtStringGrid::TExtStringGrid;
    TSortPaintState Sort;
    TSortPaintState SortPaintState() override { return Sort; }
    void SetSortHeaderColour(TColor Value) { FSortHeaderColors[0] = Value; }
};

class ExtGridPaintGraphics : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(40, 40, 700, 500);
        grid = new TGraphicsGrid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(10, 10, 600, 400);
        grid->SetColCount(5);
        grid->SetRowCount(8);
        grid->SetDefaultColWidth(110);
        grid->SetDefaultRowHeight(24);
        // The rectangle each cell's content is painted into.
        grid->OnCustomCellBkgDraw = [this](TObject*, TCanvas*, int c, int r, TGridDrawState, const TRect& R,
                                           bool) {
            rects[{c, r}] = R;
        };
        form->Show();
        QApplication::processEvents();
        if (QWidget* focus = QApplication::focusWidget())
            focus->clearFocus();
        QApplication::processEvents();
    }
    QImage Grab()
    {
        rects.clear();
        return grid->Viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    static TColor Pixel(const QImage& image, int x, int y)
    {
        const QRgb p = image.pixel(x, y);
        return TColor(qRed(p) | (qGreen(p) << 8) | (qBlue(p) << 16));
    }
    QImage CellImage(const QImage& image, int c, int r) const
    {
        const TRect R = rects.at({c, r});
        return image.copy(R.Left, R.Top, R.Width(), R.Height());
    }
    // The bounding box of the pixels of a colour inside a cell's content rectangle (Left = -1: none).
    TRect Box(const QImage& image, int c, int r, const std::function<bool(TColor)>& Match) const
    {
        const TRect R = rects.at({c, r});
        TRect b{-1, -1, -1, -1};
        for (int y = R.Top; y < R.Bottom; ++y)
            for (int x = R.Left; x < R.Right; ++x)
                if (Match(Pixel(image, x, y))) {
                    if (b.Left < 0 || x < b.Left)
                        b.Left = x;
                    if (b.Top < 0 || y < b.Top)
                        b.Top = y;
                    b.Right = std::max(b.Right, x + 1);
                    b.Bottom = std::max(b.Bottom, y + 1);
                }
        return b;
    }
    static bool NotWhite(TColor c) { return c != 0x00FFFFFF; }

    std::unique_ptr<TForm> form;
    TGraphicsGrid* grid = nullptr;
    std::map<std::pair<int, int>, TRect> rects;
};

TEST_F(ExtGridPaintGraphics, GraphicInfoGivesSizeAndTextByKind)
{
    grid->AddButton(1, 2, 30, 20, "Go", haLeft, vaTop);
    grid->AddRating(2, 2, 5, clRed, clBlue);
    grid->AddRadioButton(3, 2, true);
    grid->AddProgressPie(4, 2, clRed, 50);
    grid->AddCheckBox(1, 3, true, true);
    grid->AddCheckBox(2, 3, true, false);
    grid->AddExtProgress(3, 3, 0, 100);
    grid->AddShape(4, 3, csCircle, clRed, clBlack, haLeft, vaTop);
    struct TCase {
        int Col, Row, GW, GH;
        bool TextAlso;
    } cases[] = {
        {1, 2, 30, 20, true},
        {2, 2, 90, 16, false},
        {3, 2, grid->ControlLook()->RadioSize() + 4, grid->ControlLook()->RadioSize() + 4, true},
        {4, 2, 20, 20, true},
        {1, 3, 15, 15, false}, // data check box: the text is the state
        {2, 3, 15, 15, true},
        {3, 3, 0, 0, false},
        {4, 3, 24 - 4, 24 - 4, true}, // row height less the vertical offsets
        {1, 4, 0, 0, true},           // no object
    };
    for (const TCase& t : cases) {
        int gw = -1, gh = -1;
        bool textAlso = false;
        TCellHAlign gha;
        TCellVAlign gva;
        grid->GetCellGraphicInfo(t.Col, t.Row, gw, gh, textAlso, gha, gva);
        EXPECT_EQ(gw, t.GW) << t.Col << "," << t.Row;
        EXPECT_EQ(gh, t.GH) << t.Col << "," << t.Row;
        EXPECT_EQ(textAlso, t.TextAlso) << t.Col << "," << t.Row;
    }
}

TEST_F(ExtGridPaintGraphics, LeftGraphicStartsTwoPixelsInside)
{
    TBitmap bmp(8, 8);
    bmp.Canvas->Brush->Color = clRed;
    bmp.Canvas->FillRect(TRect{0, 0, 8, 8});
    grid->AddBitmap(2, 3, &bmp, false, haLeft, vaTop);
    const QImage image = Grab();
    const TRect box = Box(image, 2, 3, [](TColor c) { return c == clRed; });
    const TRect cell = grid->CellRect(2, 3);
    EXPECT_EQ(box.Left, cell.Left + 2);
    EXPECT_EQ(box.Top, cell.Top + 2);
    EXPECT_EQ(box.Width(), 8);
}

TEST_F(ExtGridPaintGraphics, DataCheckBoxShowsItsStateNotItsText)
{
    grid->CheckTrue = "WWWWWWWW";
    grid->CheckFalse = "MMMMMMMM";
    grid->AddCheckBox(1, 3, true, true);
    grid->AddCheckBox(1, 4, false, true);
    EXPECT_EQ(grid->Cells(1, 3), "WWWWWWWW");
    const QImage image = Grab();
    EXPECT_NE(CellImage(image, 1, 3), CellImage(image, 1, 4));
    // Beyond the glyph the cell stays empty: the text is never drawn.
    for (int r : {3, 4}) {
        const TRect box = Box(image, 1, r, NotWhite);
        ASSERT_GE(box.Left, 0);
        EXPECT_LE(box.Width(), 16) << r;
    }
}

TEST_F(ExtGridPaintGraphics, RightAlignedCheckBoxSitsLeftOfTheTextDataCheckBoxAtTheEdge)
{
    grid->OnGetAlignment = [](TObject*, int, int, TAlignment& HA, TVAlignment&) { HA = taRightJustify; };
    grid->SetCells(1, 3, "Text");
    grid->AddCheckBox(1, 3, true, false);
    grid->AddCheckBox(2, 3, true, true);
    const QImage image = Grab();
    grid->Canvas->Font->Assign(*grid->Font); // the text step measures with the cell's font
    const int tw = grid->Canvas->TextWidth("Text");
    const TRect R1 = rects.at({1, 3}), R2 = rects.at({2, 3});
    // The glyph's frame is the leftmost non-white column: R.Right - TW - GW - 1 with TW the drawn text
    // width + 2, widened by 2.
    EXPECT_EQ(Box(image, 1, 3, NotWhite).Left, R1.Right - (tw + 4) - 15 - 1);
    EXPECT_EQ(Box(image, 2, 3, NotWhite).Left, R2.Right - 15 - 1);
}

TEST_F(ExtGridPaintGraphics, CheckBoxLooks)
{
    // Without editing every check box reads as not editable and looks disabled.
    grid->SetOptions(grid->Options() | goEditing);
    grid->AddCheckBox(1, 3, true, false);
    grid->AddCheckBox(2, 3, true, false);
    grid->AddCheckBox(3, 3, false, false);
    bool readOnly = false;
    grid->OnCanEditCell = [&](TObject*, int ARow, int ACol, bool& CanEdit) {
        if (readOnly && ACol == 2 && ARow == 3)
            CanEdit = false;
    };
    grid->ControlLook()->SetControlStyle(csClassic);
    const QImage classic = CellImage(Grab(), 1, 3);
    grid->ControlLook()->SetControlStyle(csTheme);
    QImage image = Grab();
    EXPECT_EQ(CellImage(image, 1, 3), classic) << "no themes: csTheme is csClassic";
    EXPECT_NE(CellImage(image, 1, 3), CellImage(image, 3, 3)) << "checked and unchecked";

    readOnly = true;
    image = Grab();
    EXPECT_NE(CellImage(image, 2, 3), classic) << "read-only looks disabled";
    grid->ControlLook()->CheckAlwaysActive = true;
    EXPECT_EQ(CellImage(Grab(), 2, 3), classic) << "CheckAlwaysActive looks enabled";

    grid->ControlLook()->SetControlStyle(csWinXP);
    image = Grab();
    EXPECT_NE(CellImage(image, 1, 3), CellImage(image, 3, 3));
    EXPECT_NE(CellImage(image, 1, 3), classic);
}

TEST_F(ExtGridPaintGraphics, RadioGroupWithoutIndexChecksTheItemEqualToTheCellText)
{
    for (int r : {3, 4, 5}) {
        TStrings* items = grid->CreateRadio(1, r, 0, r == 3 ? -1 : r == 4 ? 1 : 0);
        items->Add("A");
        items->Add("B");
        items->Add("C");
        grid->SetCells(1, r, "B");
    }
    QImage image = Grab();
    EXPECT_EQ(CellImage(image, 1, 3), CellImage(image, 1, 4));
    EXPECT_NE(CellImage(image, 1, 3), CellImage(image, 1, 5));

    grid->ControlLook()->SetControlStyle(csQel);
    image = Grab();
    EXPECT_EQ(CellImage(image, 1, 3), CellImage(image, 1, 4));
    EXPECT_NE(CellImage(image, 1, 3), CellImage(image, 1, 5));
}

TEST_F(ExtGridPaintGraphics, RatingCutsHalfStepsAndDrawsTwoFullOneHalfTwoEmpty)
{
    const TColor star = 0x000000FF, empty = 0x00FF0000;
    grid->AddRating(1, 3, 5, star, empty);
    grid->AddRating(1, 4, 5, star, empty);
    grid->SetFloats(1, 3, 2.7);
    grid->SetFloats(1, 4, 2.9);
    const QImage image = Grab();
    EXPECT_EQ(CellImage(image, 1, 3), CellImage(image, 1, 4));
    const TRect R = rects.at({1, 3});
    for (int i = 0; i < 5; ++i) {
        int stars = 0, empties = 0;
        for (int y = R.Top; y < R.Bottom; ++y)
            for (int x = R.Left + 18 * i; x < R.Left + 18 * i + 17; ++x) {
                stars += Pixel(image, x, y) == star;
                empties += Pixel(image, x, y) == empty;
            }
        if (i < 2) {
            EXPECT_GT(stars, 10) << i;
            EXPECT_EQ(empties, 0) << i;
        } else if (i == 2) {
            EXPECT_GT(stars, 5) << "half star";
            EXPECT_GT(empties, 5) << "half star";
        } else {
            EXPECT_EQ(stars, 0) << i;
            EXPECT_GT(empties, 10) << i;
        }
    }
}

TEST_F(ExtGridPaintGraphics, ProgressBarsDrawWithoutFailing)
{
    // An XP bar whose minimum equals its maximum shows 0 %, as a bar at its minimum does.
    grid->AddExtProgress(1, 3, 5, 5);
    grid->SetInts(1, 3, 5);
    grid->AddExtProgress(1, 4, 0, 100);
    grid->SetInts(1, 4, 0);
    // A bar whose cell holds no number draws as 0.
    grid->AddProgress(2, 3, clRed, clWhite);
    grid->SetCells(2, 3, "abc");
    grid->AddProgress(2, 4, clRed, clWhite);
    grid->SetCells(2, 4, "0");
    grid->AddProgress(2, 5, clRed, clWhite);
    grid->SetCells(2, 5, "60");
    QImage image;
    ASSERT_NO_THROW(image = Grab());
    EXPECT_EQ(CellImage(image, 1, 3), CellImage(image, 1, 4));
    EXPECT_EQ(CellImage(image, 2, 3), CellImage(image, 2, 4));
    // 60 % of the bar is red; the cell text is not drawn beside it.
    const TRect bar = Box(image, 2, 5, [](TColor c) { return c == clRed; });
    const TRect R = rects.at({2, 5});
    EXPECT_NEAR(bar.Width(), (R.Width() - 8) * 0.6, 3);
}

TEST_F(ExtGridPaintGraphics, PressedButtonMovesItsCaption)
{
    grid->SetOptions(grid->Options() | goEditing); // a disabled button shows no pressed state
    grid->Font->Color = clRed;
    grid->AddButton(1, 3, 60, 20, "Go", haLeft, vaTop);
    grid->AddButton(1, 4, 60, 20, "Go", haLeft, vaTop);
    grid->PushButton(1, 4, true);
    const QImage image = Grab();
    auto red = [](TColor c) { return (c & 0xFF) > 0xC0 && ((c >> 8) & 0xFF) < 0x40 && (c >> 16) < 0x40; };
    const TRect up = Box(image, 1, 3, red), down = Box(image, 1, 4, red);
    ASSERT_GE(up.Left, 0);
    const TRect R3 = rects.at({1, 3}), R4 = rects.at({1, 4});
    EXPECT_EQ(down.Left - R4.Left, up.Left - R3.Left + 1);
    EXPECT_EQ(down.Top - R4.Top, up.Top - R3.Top + 1);
}

TEST_F(ExtGridPaintGraphics, HeaderCellWithAFontColourKeepsItsFixedLook)
{
    const TColor before = Pixel(Grab(), rects.at({2, 0}).Left + 3, rects.at({2, 0}).Bottom - 4);
    grid->SetFontColors(2, 0, clRed);
    const TRect R = rects.at({2, 0});
    const QImage image = Grab();
    EXPECT_EQ(Pixel(image, R.Left + 3, R.Bottom - 4), before);
    TGridDrawState state = 0;
    TBrush brush;
    TFont font;
    TColor to = clNone, mirror = clNone, mirrorTo = clNone;
    TAlignment ha;
    TVAlignment va;
    bool ww = false;
    TCellGradientDirection gd;
    grid->GetVisualProperties(2, 0, state, false, false, true, &brush, to, mirror, mirrorTo, &font, ha, va,
                              ww, gd);
    EXPECT_TRUE(state & gdFixed);
    EXPECT_NE(to, clNone) << "the look's gradient";
}

TEST_F(ExtGridPaintGraphics, SortIndicatorAndSortHeaderColour)
{
    grid->SetCells(2, 0, "Name");
    const QImage plain = Grab();
    grid->Sort.Show = true;
    grid->Sort.Column = 2;
    grid->Sort.Row = 0;
    grid->SetSortHeaderColour(0x0000C000);
    grid->InvalidateGrid();
    const QImage sorted = Grab();
    const TRect R = rects.at({2, 0});
    EXPECT_EQ(Pixel(sorted, R.Right - 3, R.Bottom - 3), TColor(0x0000C000));
    EXPECT_NE(Pixel(plain, R.Right - 3, R.Bottom - 3), TColor(0x0000C000));
    // The ascending triangle: grey on its left edge, white at its base, right of the text.
    const int x = R.Left + 2 + grid->Canvas->TextWidth("Name") + 10, y = R.Top + 8;
    const TRect grey = Box(sorted, 2, 0, [](TColor c) { return c == 0x00808080; });
    ASSERT_GE(grey.Left, 0);
    EXPECT_NEAR(grey.Left, x - 4, 2);
    EXPECT_NEAR(grey.Top, y - 4, 2);
    EXPECT_EQ(Pixel(sorted, x, y + 4), clWhite);
    // Other header cells keep the plain look.
    EXPECT_EQ(CellImage(sorted, 3, 0), CellImage(plain, 3, 0));
}

// The painter reads the real sort settings: a sort on column 2 marks that header only.
TEST(ExtGridPaintSortState, SortedColumnShowsTheIndicator)
{
    TForm form(nullptr);
    form.SetBounds(40, 40, 500, 300);
    auto* grid = new TExtStringGrid(&form);
    grid->SetParent(&form);
    grid->SetBounds(10, 10, 450, 250);
    grid->SetColCount(4);
    grid->SetRowCount(5);
    for (int r = 1; r < 5; ++r)
        grid->SetCells(2, r, QString::number(5 - r));
    form.Show();
    QApplication::processEvents();
    const QImage plain = grid->Viewport()->grab().toImage();
    grid->SortSettings()->SetShow(true);
    grid->Sort(2, sdAscending);
    QApplication::processEvents();
    const QImage sorted = grid->Viewport()->grab().toImage();
    EXPECT_EQ(grid->Cells(2, 1), "1");
    auto header = [&](const QImage& image, int ACol) {
        const TRect R = grid->CellRect(ACol, 0);
        return image.copy(R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top);
    };
    EXPECT_NE(header(sorted, 2), header(plain, 2));
    EXPECT_EQ(header(sorted, 3), header(plain, 3));
}

TEST_F(ExtGridPaintGraphics, NodesDrawGlyphAndTreeLines)
{
    grid->SetColWidths(0, 40);
    grid->AddNode(2, 3);
    const QImage image = Grab();
    EXPECT_NE(CellImage(image, 0, 2), CellImage(image, 0, 3)) << "the node row shows its glyph";
    const TColor tree = grid->CellNode()->TreeColor();
    EXPECT_GE(Box(image, 0, 3, [&](TColor c) { return c == tree; }).Left, 0) << "a child row shows its line";
}

TEST_F(ExtGridPaintGraphics, LooksSetTheScrollBarLook)
{
    grid->SetScrollType(ssFlat);
    grid->SetLook(glCustom);
    EXPECT_EQ(grid->ScrollType(), ssNormal);
    TColorTones tones;
    tones.Background.BrushColor = 0x00FFFFFF;
    tones.Foreground.BrushColor = 0x00F0F0F0;
    tones.Selected.BrushColor = 0x00E0C0A0;
    grid->SetColorTones(tones);
    EXPECT_EQ(grid->ScrollType(), ssMetro);
    grid->SetComponentStyle(tsCustom);
    EXPECT_EQ(grid->ScrollType(), ssMetro) << "the custom style keeps the metro bars";
    grid->SetComponentStyle(tsOffice2003Blue);
    EXPECT_EQ(grid->ScrollType(), ssNormal);
}

TEST_F(ExtGridPaintGraphics, FocusFrameRingsTheCellAndFollowsTheForm)
{
    const TRect cell = grid->CellRect(2, 3);
    grid->ShowFocusWindow(cell);
    QApplication::processEvents();
    TGridFocusWindow* frame = grid->FocusWindow();
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->Visible());
    EXPECT_EQ(TExtStringGrid::FocusFrameGrid(), grid);
    const TPoint corner = grid->ClientToScreen(TPoint(cell.Left, cell.Top));
    EXPECT_EQ(frame->Widget()->geometry(),
              QRect(corner.X - 4, corner.Y - 4, cell.Width() + 9, cell.Height() + 9));
    // The cell itself is cut out of the window.
    const QRegion mask = frame->Widget()->mask();
    EXPECT_TRUE(mask.contains(QPoint(1, 1)));
    EXPECT_FALSE(mask.contains(QPoint(4 + cell.Width() / 2, 4 + cell.Height() / 2)));

    grid->SetCol(2);
    grid->SetRow(3);
    form->SetLeft(form->Left() + 30);
    QApplication::processEvents();
    const TPoint moved = grid->ClientToScreen(TPoint(cell.Left, cell.Top));
    EXPECT_EQ(frame->Widget()->pos(), QPoint(moved.X - 4, moved.Y - 4));

    grid->HideFocusWindow();
    EXPECT_FALSE(frame->Visible());
    EXPECT_EQ(TExtStringGrid::FocusFrameGrid(), nullptr);
}

TEST_F(ExtGridPaintGraphics, DialogCodeWantsCharactersUnlessEditingTakesThem)
{
    struct TCase {
        bool Editing, Tabs, AutoGoto;
        uint32_t Code;
    } cases[] = {
        {false, false, false, 0x81},
        {true, false, false, 0x81},
        {true, true, false, 0x83},
        {false, false, true, 0x81},
    };
    for (const TCase& t : cases) {
        TGridOptions o = grid->Options() - goEditing - goTabs;
        if (t.Editing)
            o = o | goEditing;
        if (t.Tabs)
            o = o | goTabs;
        grid->SetOptions(o);
        grid->Navigation()->AutoGotoWhenSorted = t.AutoGoto;
        EXPECT_EQ(grid->WMGetDlgCode(), t.Code);
    }
}

TEST_F(ExtGridPaintGraphics, RemovedComponentsAreForgotten)
{
    auto* images = new TImageList(form.get());
    grid->GridImages = images;
    auto* other = new TExtStringGrid(form.get());
    grid->SyncGrid()->SetGrid(other);
    struct TListener : ITExtStringGridSelect {
        void SelectionChanged(int, int) override {}
    } first, second;
    grid->RegisterSelListener(&first);
    grid->RegisterSelListener(&second);
    EXPECT_EQ(grid->SelListener(), &second);
    grid->UnRegisterSelListener(&first);
    EXPECT_EQ(grid->SelListener(), nullptr);

    grid->Notification(images, opRemove);
    grid->Notification(other, opRemove);
    EXPECT_EQ(grid->GridImages, nullptr);
    EXPECT_EQ(grid->SyncGrid()->Grid(), nullptr);
}

} // namespace extgridpaintgraphicstest
