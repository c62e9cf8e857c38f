// The string grid's painting on a shown offscreen form: the colour decision and the selection mixer,
// fixed-cell looks, the text step, borders, the coloured frame, the overlay lines and the design box.
#include "grid/core/ExtGrid.h"
#include "platform/controls/Forms.h"
#include "platform/core/SysUtils.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace extgridpainttest
{

// A string grid that can be put into the designer's state.
class TDesignGrid : public TExtStringGrid
{
  public:
    using TExtStringGrid::TExtStringGrid;
    void SetDesigning() { TExtStringGrid::SetDesigning(true); }
    using TExtStringGrid::GridFocused;
    using TExtStringGrid::DrawCellContent;
};

class ExtGridPaint : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(40, 40, 700, 500);
        grid = new TDesignGrid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(10, 10, 600, 400);
        grid->SetColCount(5);
        grid->SetRowCount(5);
        form->Show();
        QApplication::processEvents();
        // Showing the form focuses its first control; the cases start from an unfocused grid.
        if (QWidget* focus = QApplication::focusWidget())
            focus->clearFocus();
        QApplication::processEvents();
        ASSERT_FALSE(grid->GridFocused());
    }
    QImage Grab() const { return grid->Viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    QImage GrabWidget() const { return grid->Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    static TColor Pixel(const QImage& image, int x, int y)
    {
        const QRgb p = image.pixel(x, y);
        return TColor(qRed(p) | (qGreen(p) << 8) | (qBlue(p) << 16));
    }
    TColor Centre(int c, int r) const
    {
        const TRect cr = grid->CellRect(c, r);
        return Pixel(Grab(), (cr.Left + cr.Right) / 2, (cr.Top + cr.Bottom) / 2);
    }
    // The pixels of a cell's interior, for comparing two cells' drawings.
    static QImage CellImage(const QImage& image, const TRect& r)
    {
        return image.copy(r.Left + 1, r.Top + 1, r.Width() - 3, r.Height() - 3);
    }

    std::unique_ptr<TForm> form;
    TDesignGrid* grid = nullptr;
};

// ---- Colour decision -----------------------------------------------------------------------------------

TEST(ExtGridPaintBlend, BlendColorsWeighsAndSkipsClNone)
{
    struct TCase {
        TColor C1, C2;
        int Percent;
        TColor Expected;
    } cases[] = {
        {0x00EACAB6, 0x00FFFFFF, 50, 0x00F4E4DA},   // halves go to even: 218.5 -> 218, 244.5 -> 244
        {0x00EACAB6, 0x00FFFFFF, 100, 0x00EACAB6},  // all of the first
        {0x00EACAB6, 0x00FFFFFF, 150, 0x00EACAB6},
        {0x00EACAB6, 0x00FFFFFF, 0, 0x00FFFFFF},    // none of it
        {clNone, 0x00123456, 50, 0x00123456},       // clNone on either side gives the other
        {0x00123456, clNone, 50, 0x00123456},
        {0x00000000, 0x00FFFFFF, 25, 0x00BFBFBF},   // 191.25
        {clWindow, clBlack, 50, 0x00808080},        // system colours resolve: 127.5 -> 128
    };
    for (const TCase& c : cases)
        EXPECT_EQ(TExtStringGrid::BlendColors(c.C1, c.C2, c.Percent), c.Expected)
            << std::hex << c.C1 << " " << c.C2 << " " << std::dec << c.Percent;
    EXPECT_EQ(TExtStringGrid::MixSelectionColor(0x00EACAB6, 0x00FFFFFF, false, 50), 0x00EACAB6u);
}

TEST_F(ExtGridPaint, SelectedCellsTakeTheSelectionColourOrTheBlend)
{
    grid->SetColors(2, 2, 0x00FFFFFF);
    grid->SetSelection(TGridRect{2, 2, 2, 2});
    QApplication::processEvents();
    ASSERT_FALSE(grid->GridFocused());
    // The cell's white is not the grid's clWindow: without the mixer the selection colour shows.
    EXPECT_EQ(Centre(2, 2), 0x00EACAB6u);
    EXPECT_EQ(Centre(3, 2), 0x00FFFFFFu);

    grid->SetSelectionColorMixer(true);
    EXPECT_EQ(Centre(2, 2), 0x00F4E4DAu);
    // A cell with the grid's own colour takes the selection colour as it is.
    grid->SetSelection(TGridRect{3, 3, 3, 3});
    EXPECT_EQ(Centre(3, 3), 0x00EACAB6u);
    EXPECT_EQ(Centre(2, 2), 0x00FFFFFFu);

    grid->SetShowSelection(false);
    EXPECT_EQ(Centre(3, 3), 0x00FFFFFFu);
}

TEST_F(ExtGridPaint, FixedCellWithItsOwnColourKeepsItAndItsFontSettings)
{
    grid->SetColors(0, 2, 0x000000FF);
    grid->SetFontColors(0, 2, 0x00008000);
    EXPECT_EQ(Centre(0, 2), 0x000000FFu);
    EXPECT_NE(Centre(0, 3), 0x000000FFu);

    TBrush brush;
    TFont font;
    TGridDrawState state = 0;
    TColor to = 0, mirror = 0, mirrorTo = 0;
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    bool ww = false;
    TCellGradientDirection gd = GradientVertical;
    grid->GetVisualProperties(0, 2, state, false, true, true, &brush, to, mirror, mirrorTo, &font, ha, va, ww, gd);
    EXPECT_EQ(TColor(brush.Color), 0x000000FFu);
    EXPECT_EQ(to, clNone); // no look gradient
    EXPECT_FALSE(state & gdFixed);
    // A header cell starts from the fixed font; its own colour keeps the cell's font settings on top.
    EXPECT_EQ(font.Name.get(), grid->FixedFont()->Name.get());
    EXPECT_EQ(font.Style.get(), grid->FixedFont()->Style.get());
    EXPECT_EQ(TColor(font.Color), 0x00008000u);

    // The neighbour without a colour gets the fixed font and the glXP gradient.
    state = 0;
    grid->GetVisualProperties(0, 3, state, false, true, true, &brush, to, mirror, mirrorTo, &font, ha, va, ww, gd);
    EXPECT_TRUE(state & gdFixed);
    EXPECT_EQ(TColor(brush.Color), 0x00FFFFFFu);
    EXPECT_EQ(to, ColorToRGB(clBtnFace));
    EXPECT_EQ(font.Style.get(), grid->FixedFont()->Style.get());
}

TEST_F(ExtGridPaint, ActiveCellShowPaintsOnlyTheHeadersOfTheCurrentCell)
{
    grid->SetRowCount(7);
    grid->SetActiveCellShow(true);
    grid->SetCol(3);
    grid->SetRow(4);
    QApplication::processEvents();
    EXPECT_EQ(Centre(0, 4), 0x00808080u);
    EXPECT_EQ(Centre(3, 0), 0x00808080u);
    // Another header keeps the look's white-to-button-face gradient.
    const TColor other = Centre(0, 5);
    for (int shift : {0, 8, 16}) {
        const int v = (other >> shift) & 0xFF;
        EXPECT_GE(v, 240);
        EXPECT_LE(v, 255);
    }
    EXPECT_NE(Centre(2, 0), 0x00808080u);
}

TEST_F(ExtGridPaint, BandsColourTheNormalRows)
{
    grid->Bands()->SetActive(true);
    grid->Bands()->SetPrimaryColor(0x0000FF00);
    grid->Bands()->SetSecondaryColor(0x00FF0000);
    grid->Invalidate();
    // Column 2: the current cell (1, 1) is selected and takes the selection colour over the band.
    EXPECT_EQ(Centre(2, 1), 0x0000FF00u);
    EXPECT_EQ(Centre(2, 2), 0x00FF0000u);
    EXPECT_EQ(Centre(2, 3), 0x0000FF00u);
}

// ---- Text ------------------------------------------------------------------------------------------------

TEST_F(ExtGridPaint, FormattedCellFollowsTheFloatFormatHandlerOnly)
{
    grid->SetCells(1, 1, "12.5");
    EXPECT_EQ(grid->GetFormattedCell(1, 1), "12.5");

    QString format;
    grid->OnGetFloatFormat = [&](TObject*, int, int, bool& IsFloat, QString& Fmt) {
        if (!format.isEmpty())
            Fmt = format;
        IsFloat = true;
    };
    struct TCase {
        QString Cell, Format, Shown;
    } cases[] = {
        {"12.5", "", "12.50"},    // the grid's FloatFormat
        {"7", "%.3d", "007"},     // "d" formats the integer value
        {"1.5", "%d", "1.5"},     // does not fit: the stored text
        {"abc", "%.1f", "abc"},   // not a number: no formatting
        {"3.14159", "%.1f", "3.1"},
        {"2", "%s", "2"},         // a float is no string argument: the stored text
    };
    for (const TCase& c : cases) {
        grid->SetCells(1, 1, c.Cell);
        format = c.Format;
        EXPECT_EQ(grid->GetFormattedCell(1, 1), c.Shown) << c.Cell.toStdString() << " " << c.Format.toStdString();
    }
    grid->OnGetFloatFormat = [](TObject*, int, int, bool& IsFloat, QString&) { IsFloat = false; };
    grid->SetCells(1, 1, "12.5");
    EXPECT_EQ(grid->GetFormattedCell(1, 1), "12.5");
}

TEST_F(ExtGridPaint, PasswordCellDrawsItsLengthInPasswordChars)
{
    // Column 2: the current cell (1, 1) is selected and would differ by its colour alone.
    grid->SetCells(2, 1, "abcde");
    grid->SetCells(2, 2, "*****");
    grid->SetCells(2, 3, "abcde");
    grid->OnIsPasswordCell = [](TObject*, int ARow, int, bool& IsPassword) { IsPassword = ARow == 1; };
    const QImage image = Grab();
    const QImage masked = CellImage(image, grid->CellRect(2, 1));
    EXPECT_EQ(masked, CellImage(image, grid->CellRect(2, 2)));
    EXPECT_NE(masked, CellImage(image, grid->CellRect(2, 3)));
}

TEST_F(ExtGridPaint, AlignmentAutoNumAndCellOverride)
{
    grid->AutoNumAlign = true;
    struct TCase {
        QString Text;
        TAlignment Expected;
    } cases[] = {{"-12.5", taRightJustify}, {"1E5", taRightJustify}, {"12a", taLeftJustify}, {"", taLeftJustify}};
    for (const TCase& c : cases) {
        grid->SetCells(2, 2, c.Text);
        TAlignment ha = taCenter;
        TVAlignment va = vtaCenter;
        grid->GetCellAlignment(2, 2, ha, va);
        EXPECT_EQ(ha, c.Expected) << c.Text.toStdString();
        EXPECT_EQ(va, vtaTop);
    }
    grid->SetCells(2, 2, "42");
    grid->SetAlignments(2, 2, taCenter);
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    grid->GetCellAlignment(2, 2, ha, va);
    EXPECT_EQ(ha, taCenter);
}

TEST_F(ExtGridPaint, NoDefaultDrawLeavesTextToTheHandlerButKeepsBorders)
{
    grid->SetCells(2, 2, "WWWWWW");
    grid->SetCells(2, 3, "WWWWWW");
    const QImage plain = Grab();
    const TRect r = grid->CellRect(2, 2);
    EXPECT_NE(CellImage(plain, r), CellImage(plain, grid->CellRect(3, 2))); // the text shows

    int customCalls = 0;
    grid->NoDefaultDraw = true;
    grid->OnCustomCellDraw = [&](TObject*, TCanvas*, int, int, TGridDrawState, TRect, bool) { ++customCalls; };
    grid->OnGetCellBorder = [](TObject*, int ARow, int ACol, TPen* APen, TCellBorders& Borders) {
        if (ACol == 2 && ARow == 2) {
            APen->Color = 0x000000FF;
            Borders = TCellBorders{cbLeft};
        }
    };
    const QImage custom = Grab();
    EXPECT_GT(customCalls, 0);
    // Row 3 has neither text nor border now: it looks like the empty cell beside it.
    EXPECT_EQ(CellImage(custom, grid->CellRect(2, 3)), CellImage(custom, grid->CellRect(3, 3)));
    int red = 0;
    for (int y = r.Top + 2; y < r.Bottom - 2; ++y)
        red += Pixel(custom, r.Left + 1, y) == 0x000000FFu || Pixel(custom, r.Left, y) == 0x000000FFu;
    EXPECT_GT(red, r.Height() / 2);
}

TEST_F(ExtGridPaint, FocusRectangleOnlyOnTheFocusedCurrentCell)
{
    grid->SetCol(2);
    grid->SetRow(2);
    const QImage unfocused = Grab();
    const TRect r = grid->CellRect(2, 2);
    auto frameDiffers = [&](const QImage& a, const QImage& b) {
        for (int x = r.Left; x < r.Right; ++x)
            if (a.pixel(x, r.Top + 1) != b.pixel(x, r.Top + 1) || a.pixel(x, r.Bottom - 2) != b.pixel(x, r.Bottom - 2))
                return true;
        return false;
    };
    form->SetFocus();
    grid->SetFocus();
    QApplication::processEvents();
    ASSERT_TRUE(grid->GridFocused());
    const QImage focused = Grab();
    EXPECT_TRUE(frameDiffers(unfocused, focused));

    grid->HideFocusRect = true;
    EXPECT_FALSE(frameDiffers(unfocused, Grab()));
    grid->HideFocusRect = false;
    grid->SetOptions(grid->Options() | goRowSelect);
    const QImage rowSelect = Grab();
    grid->SetOptions(grid->Options() - goRowSelect);
    // Row select paints the whole row selected; the focus frame itself is what must be missing.
    EXPECT_FALSE(frameDiffers(rowSelect, Grab()) && !frameDiffers(unfocused, focused));
}

TEST_F(ExtGridPaint, CustomDrawEventsGetTheirRectangles)
{
    TRect drawCell{}, custom{};
    grid->OnDrawCell = [&](TObject*, int ACol, int ARow, TRect R, TGridDrawState) {
        if (ACol == 2 && ARow == 2)
            drawCell = R;
    };
    grid->OnCustomCellDraw = [&](TObject*, TCanvas*, int ACol, int ARow, TGridDrawState, TRect R, bool) {
        if (ACol == 2 && ARow == 2)
            custom = R;
    };
    grid->SetGridLineWidth(2);
    Grab();
    EXPECT_EQ(drawCell.Left, custom.Left + 1);
    EXPECT_EQ(drawCell.Top, custom.Top + 1);
    EXPECT_EQ(drawCell.Right, custom.Right - 2);
    EXPECT_EQ(drawCell.Bottom, custom.Bottom - 2);
}

// ---- Frame, overlays, background ---------------------------------------------------------------------------

TEST_F(ExtGridPaint, ColouredBorderOnlyForGradientLooks)
{
    EXPECT_EQ(Pixel(GrabWidget(), 1, 1), 0x00B99D7Fu);

    struct TCase {
        const char* Name;
        std::function<void(TDesignGrid*)> Set;
    } cases[] = {
        {"glStandard", [](TDesignGrid* g) { g->SetLook(glStandard); }},
        {"glClassic", [](TDesignGrid* g) { g->SetLook(glClassic); }},
        {"glCustom", [](TDesignGrid* g) { g->SetLook(glCustom); }},
        {"Flat", [](TDesignGrid* g) { g->SetFlat(true); }},
        {"bsNone", [](TDesignGrid* g) { g->SetBorderStyle(bsNone); }},
        {"clNone", [](TDesignGrid* g) { g->SetBorderColor(clNone); }},
    };
    for (const TCase& c : cases) {
        grid->SetLook(glXP);
        grid->SetFlat(false);
        grid->SetBorderStyle(bsSingle);
        grid->SetBorderColor(ExtGridBorderColor);
        ASSERT_EQ(Pixel(GrabWidget(), 1, 1), 0x00B99D7Fu) << c.Name;
        c.Set(grid);
        EXPECT_NE(Pixel(GrabWidget(), 1, 1), 0x00B99D7Fu) << c.Name;
    }
    grid->SetLook(glSoft);
    grid->SetBorderStyle(bsSingle);
    EXPECT_EQ(Pixel(GrabWidget(), 1, 1), 0x00B99D7Fu);
}

TEST_F(ExtGridPaint, SizingLineDrawnTwiceIsGone)
{
    const QImage before = Grab();
    grid->DrawColSizingLine(100);
    QApplication::processEvents();
    const QImage with = Grab();
    EXPECT_NE(before, with);
    // The line is dotted: about half of its pixels down a row are black, the gaps keep the cell colour.
    const TRect row = grid->CellRect(1, 3);
    int black = 0;
    for (int y = row.Top; y < row.Bottom; ++y)
        black += Pixel(with, 100, y) == 0u;
    EXPECT_GE(black, row.Height() / 3);
    EXPECT_LT(black, row.Height());
    grid->DrawColSizingLine(100);
    EXPECT_EQ(before, Grab());
    grid->DrawRowSizingLine(60);
    grid->DrawRowSizingLine(60);
    EXPECT_EQ(before, Grab());
}

TEST_F(ExtGridPaint, EmptyAreaGradientNeedsAnEndColour)
{
    const int x = grid->CellRect(4, 1).Right + 20, y = grid->CellRect(1, 4).Bottom + 20;
    grid->BackGround()->SetDisplay(bdGradientVert);
    grid->BackGround()->SetColor(0x000000FF);
    grid->BackGround()->SetColorTo(0x00FF0000);
    const TColor painted = Pixel(Grab(), x, y);
    EXPECT_NE(painted, 0x00FFFFFFu);
    EXPECT_EQ(painted & 0xFF00, 0u); // between red and blue
    grid->BackGround()->SetColorTo(clNone);
    EXPECT_NE(Pixel(Grab(), x, y), painted);
}

// ---- Looks and styles -----------------------------------------------------------------------------------

TEST_F(ExtGridPaint, CustomStyleResetsOnlyTheSelectionAndControlLook)
{
    grid->SetGridLineColor(0x00123456);
    grid->SetQelGradientFrom(0x00ABCDEF);
    grid->ControlLook()->SetFixedGradientHoverMirrorFrom(0x00111111);
    grid->SetStyle(gsCustom);
    EXPECT_EQ(grid->SelectionColor, clHighlight);
    EXPECT_EQ(grid->SelectionColorTo(), clNone);
    EXPECT_EQ(grid->SelectionTextColor(), clHighlightText);
    EXPECT_EQ(grid->SelectionStyle(), ssDefault);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(grid->SortHeaderColor(i), clNone);
    EXPECT_EQ(grid->ControlLook()->FixedGradientHoverMirrorFrom(), clNone);
    EXPECT_EQ(grid->QelGradientHoverMirrorFrom, clNone);
    EXPECT_EQ(grid->QelGradientDownMirrorTo, clNone);
    // Nothing else.
    EXPECT_EQ(grid->GridLineColor(), 0x00123456u);
    EXPECT_EQ(grid->QelGradientFrom(), 0x00ABCDEFu);
    EXPECT_EQ(grid->Look, glXP);

    grid->SetStyle(gsTerminal);
    EXPECT_EQ(grid->Look, glStandard);
    EXPECT_EQ(grid->SelectionColor, clHighlight);
}

TEST_F(ExtGridPaint, VistaAndOfficeStylesSetTheirTables)
{
    grid->SetStyle(gsWindowsVista);
    EXPECT_EQ(grid->Look, glVista);
    EXPECT_EQ(grid->ControlLook()->FixedGradientFrom(), clNone);
    EXPECT_EQ(grid->ControlLook()->FixedGradientTo(), clNone);
    EXPECT_EQ(grid->QelGradientFrom(), 0x00FFFFFFu);
    EXPECT_EQ(grid->QelGradientTo(), 0x00FFFFFFu);
    EXPECT_EQ(grid->SearchFooter()->Color(), 0x00FFFFFFu);
    EXPECT_EQ(grid->SearchFooter()->ColorTo(), 0x00F4F2F1u);
    EXPECT_EQ(grid->QelGradientHoverBorder, 0x00E3C993u);
    EXPECT_EQ(grid->ControlLook()->FixedGradientHoverBorder(), 0x00C0C0C0u);
    EXPECT_EQ(grid->SelectionStyle(), ssVista);
    EXPECT_EQ(grid->QelGradientDownBorder, 0x00AE904Fu);

    grid->SetStyle(gsWindows7);
    EXPECT_EQ(grid->QelGradientHoverBorder, 0x00EEE8E3u); // the preset, not through ControlLook
    EXPECT_EQ(grid->QelGradientHoverFrom, 0x00FEFBF8u);

    grid->SetStyle(gsOffice2003Blue);
    EXPECT_EQ(grid->Look, glXP);
    EXPECT_EQ(grid->SearchFooter()->Color(), 0x00FCE1CBu);
    EXPECT_EQ(grid->SearchFooter()->ColorTo(), clNone);
    EXPECT_EQ(grid->ControlLook()->FixedGradientFrom(), 0x00FCE1CBu);
    EXPECT_EQ(grid->SelectionColor, 0x0094E6FBu);

    grid->SetStyle(gsOffice2010Black);
    EXPECT_EQ(grid->QelGradientHoverFrom, 0x006BDFFFu);
    EXPECT_EQ(grid->SortHeaderColor(0), 0x00BABABAu);
    EXPECT_EQ(grid->GridFixedLineColor(), 0x00444444u);

    // Outside the sixteen: only the resets and the repaint.
    grid->SetGridLineColor(0x00010203);
    grid->SetStyle(static_cast<TExtGridStyle>(40));
    EXPECT_EQ(grid->SelectionColor, clHighlight);
    EXPECT_EQ(grid->GridLineColor(), 0x00010203u);
}

TEST_F(ExtGridPaint, LookPresets)
{
    grid->SetLook(glStandard);
    grid->SetLook(glXP);
    EXPECT_EQ(grid->ActiveCellColor, 0x00EACAB6u);
    EXPECT_EQ(grid->QelGradientHoverFrom, 0x00CFD0D1u);
    EXPECT_EQ(grid->QelGradientDownMirrorTo, 0x00627376u);
    EXPECT_EQ(grid->QelGradientTo(), ColorToRGB(clBtnFace));

    grid->SetSelectionColor(0x00010101);
    grid->SetBorderColor(0x00FF00FF);
    grid->SetBorderStyle(bsNone);
    grid->SetLook(glCustom);
    EXPECT_EQ(grid->SelectionColor, 0x00010101u);
    EXPECT_EQ(grid->ActiveCellColor, 0x00EACAB6u);
    EXPECT_EQ(grid->BorderStyle(), bsSingle);
    EXPECT_EQ(grid->BorderColor, 0x00B99D7Fu);

    grid->SetLook(glOffice2007);
    EXPECT_EQ(grid->GridStyle(), gsOffice2007Luna);
    EXPECT_EQ(grid->SelectionStyle(), ssOffice2007);
    EXPECT_EQ(grid->QelGradientDownFrom, 0x00E4C19Du);

    EXPECT_EQ(TExtStringGrid::LookToStr(glListView), "glListView");
    EXPECT_EQ(TExtStringGrid::LookToDisplayName(glXP), "Windows XP");
    EXPECT_EQ(TExtStringGrid::LookToStr(glCustom), "");
}

TEST_F(ExtGridPaint, ThemesAndTones)
{
    grid->SetTheme(xpGreen);
    EXPECT_EQ(grid->QelGradientFrom(), 0x00CFF0EAu);
    EXPECT_EQ(grid->ControlLook()->FixedGradientTo(), 0x008CC0B1u);
    EXPECT_EQ(grid->ActiveCellColorTo, 0x001595EEu);
    grid->SetTheme(xpNone);
    EXPECT_EQ(grid->ControlLook()->FixedGradientFrom(), clNone);
    EXPECT_EQ(grid->QelGradientTo(), ColorToRGB(clBtnFace));

    TColorTones tones;
    tones.Background = {0x00F0F0F0, 0x00C0C0C0, 0x00101010};
    tones.Foreground = {0x00E0E0E0, 0x00C0C0C0, 0x00202020};
    tones.Selected = {0x00A0A0A0, 0x00C0C0C0, 0x00FFFFFF};
    grid->SetColorTones(tones);
    EXPECT_EQ(grid->Look, glClassic);
    EXPECT_TRUE(grid->Flat());
    EXPECT_EQ(grid->FixedColor(), 0x00E0E0E0u);
    EXPECT_EQ(grid->Color(), 0x00F0F0F0u);
    EXPECT_EQ(grid->SelectionColor, 0x00A0A0A0u);
    EXPECT_EQ(grid->GridLineColor(), 0x00E6E6E6u);
    EXPECT_EQ(grid->BorderStyle(), bsNone);
    EXPECT_EQ(grid->ControlLook()->ControlStyle(), csGlyph);
    EXPECT_EQ(grid->ControlLook()->CheckedGlyph()->Width(), 16);
    EXPECT_NE(grid->ControlLook()->CheckedGlyph()->Canvas->GetPixel(8, 8),
              grid->ControlLook()->UnCheckedGlyph()->Canvas->GetPixel(8, 8));
    EXPECT_EQ(grid->SearchFooter()->ColorTo(), 0x00E0E0E0u);
    EXPECT_TRUE(grid->ControlLook()->FlatButton());
}

// ---- Setters -----------------------------------------------------------------------------------------------

TEST_F(ExtGridPaint, MixerFactorIsKeptWithinAPercentage)
{
    struct TCase {
        int Value, Stored;
    } cases[] = {{150, 100}, {-5, 0}, {30, 30}, {100, 100}, {0, 0}};
    for (const TCase& c : cases) {
        grid->SetSelectionColorMixerFactor(c.Value);
        EXPECT_EQ(grid->SelectionColorMixerFactor(), c.Stored) << c.Value;
    }
}

TEST_F(ExtGridPaint, BackGroundWriterCopiesAnotherBackGround)
{
    TBackGround source(nullptr);
    source.SetTop(5);
    source.SetLeft(7);
    source.SetDisplay(bdGradientHorz);
    source.SetCells(bcAll);
    source.SetColor(0x00112233);
    source.SetColorTo(0x00445566);
    TBitmap picture;
    picture.SetSize(3, 4);
    source.SetBitmap(&picture);
    grid->SetBackGround(&source);
    TBackGround* b = grid->BackGround();
    EXPECT_EQ(b->Top(), 5);
    EXPECT_EQ(b->Left(), 7);
    EXPECT_EQ(b->Display(), bdGradientHorz);
    EXPECT_EQ(b->Cells(), bcAll);
    EXPECT_EQ(b->Color(), 0x00112233u);
    EXPECT_EQ(b->ColorTo(), 0x00445566u);
    EXPECT_EQ(b->Bitmap()->Width(), 3);
    EXPECT_NE(b->Bitmap(), &picture);
    // Anything else is refused by the toolkit's copy.
    TShowModified other;
    EXPECT_THROW(grid->SetBackGround(&other), EConvertError);
    EXPECT_EQ(b->Top(), 5);
}

TEST_F(ExtGridPaint, SpreadSheetOffStoresTheFlagOnly)
{
    grid->SetSpreadSheet(true);
    EXPECT_TRUE(grid->SelectionRectangle());
    EXPECT_TRUE(grid->SelectionResizer());
    EXPECT_TRUE(grid->Navigation()->AllowSmartClipboard);
    EXPECT_TRUE(grid->Options().Contains(goRangeSelect));
    EXPECT_TRUE(grid->Options().Contains(goEditing));
    EXPECT_TRUE(grid->MouseActions()->RangeSelectAndEdit);

    grid->SetSelectionResizer(false);
    grid->SetSpreadSheet(false);
    EXPECT_FALSE(grid->SpreadSheet());
    EXPECT_FALSE(grid->SelectionResizer()); // not switched on again
    EXPECT_TRUE(grid->SelectionRectangle()); // nor off
}

TEST_F(ExtGridPaint, HiddenSelectionComesBackOrFallsToTheFirstCell)
{
    grid->SetSelection(TGridRect{2, 2, 3, 3});
    grid->HideSelection();
    EXPECT_TRUE(grid->SelectionHidden());
    EXPECT_EQ(grid->Selection().Left, grid->ColCount());
    grid->UnHideSelection();
    EXPECT_EQ(grid->Selection().Left, 2);
    EXPECT_EQ(grid->Selection().Bottom, 3);

    grid->HideSelection();
    grid->SetColCount(2);
    grid->UnHideSelection();
    EXPECT_EQ(grid->Selection().Left, 1);
    EXPECT_EQ(grid->Selection().Top, 1);
}

TEST_F(ExtGridPaint, SmallHooksFireTheirEvents)
{
    bool canAdd = true;
    grid->DoCanAddRow(canAdd);
    EXPECT_TRUE(canAdd);
    grid->OnCanAddRow = [](TObject*, bool& CanAdd) { CanAdd = false; };
    grid->DoCanAddRow(canAdd);
    EXPECT_FALSE(canAdd);

    QString value;
    grid->DoEllipsClick("abc", value);
    EXPECT_EQ(value, "abc");
    grid->SetCol(2);
    int col = -1;
    grid->OnEllipsClick = [&](TObject*, int ACol, int, QString& S) {
        col = ACol;
        S += "!";
    };
    grid->DoEllipsClick("abc", value);
    EXPECT_EQ(value, "abc!");
    EXPECT_EQ(col, 2);

    const int rows = grid->RowCount();
    grid->AppendRow();
    EXPECT_EQ(grid->RowCount(), rows + 1);

    std::vector<TDateTime> dates;
    grid->OnDateTimeChange = [&](TObject*, int, int, TDateTime D) { dates.push_back(D); };
    grid->DateTimeChange(0, 0, 0);
    grid->DateTimeChange(2024, 2, 30); // no such day
    grid->DateTimeChange(2024, 2, 29);
    ASSERT_EQ(dates.size(), 3u);
    EXPECT_EQ(dates[0], 0);
    EXPECT_EQ(dates[1], 0);
    EXPECT_GT(dates[2], 0);
}

// ---- Design box --------------------------------------------------------------------------------------------

TEST_F(ExtGridPaint, DesignBoxLinesAndClicks)
{
    const QImage running = Grab();
    grid->SetDesigning();
    grid->Invalidate();
    const QImage designing = Grab();
    EXPECT_NE(running, designing);

    const TRect client = grid->ClientRect();
    const int h = QFontMetrics(QFont("Tahoma", 8)).height();
    const int L = client.Right - 150, T = client.Bottom - 4 * h - 18;
    // Rows of the box by the hit test; the row height follows the measured font.
    int editLine = -1, numbersLine = -1, lookLine = -1, closeLine = -1;
    for (int y = T; y < client.Bottom; ++y) {
        const int hit = grid->DesignHelperHitTest(L + 10, y);
        if (hit == 1 && editLine < 0)
            editLine = y;
        if (hit == 2 && numbersLine < 0)
            numbersLine = y;
        if (hit == 3 && lookLine < 0)
            lookLine = y;
        if (grid->DesignHelperHitTest(client.Right - 5, y) == 4 && closeLine < 0)
            closeLine = y;
    }
    ASSERT_GT(editLine, 0);
    ASSERT_GT(numbersLine, editLine);
    ASSERT_GT(lookLine, numbersLine);
    EXPECT_GT(closeLine, T);
    EXPECT_EQ(grid->DesignHelperHitTest(L - 5, editLine), -1);

    grid->DesignHelperClick(L + 10, editLine + 1);
    EXPECT_TRUE(grid->Options().Contains(goEditing));
    grid->DesignHelperClick(L + 10, editLine + 1);
    EXPECT_FALSE(grid->Options().Contains(goEditing));
    grid->DesignHelperClick(L + 10, numbersLine + 1);
    EXPECT_FALSE(grid->ShowColNrs());

    QStringList asked;
    grid->OnDesignLookMenu = [&](const QStringList& Items, int Checked) {
        asked = Items;
        EXPECT_EQ(Items[Checked], "Windows XP");
        return 9; // "Office 2007"
    };
    grid->DesignHelperClick(L + 10, lookLine + 1);
    EXPECT_EQ(asked.size(), 9);
    EXPECT_EQ(grid->Look, glOffice2007);

    grid->DesignHelperClick(client.Right - 5, closeLine + 1);
    EXPECT_FALSE(grid->ShowDesignHelper());
}

} // namespace extgridpainttest
