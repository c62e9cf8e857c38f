// The grid's glyph button on real widgets: defaults, derived glyphs, painting, groups, toggles, the
// drop-down part, looks and the action link.
#include "grid/base/GridButton.h"

#include "platform/controls/ActnList.h"
#include "platform/controls/Forms.h"
#include "platform/controls/Menus.h"

#include <QApplication>
#include <QEnterEvent>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace
{

TEST(ExtGridButton, Defaults)
{
    TExtGridButton b(nullptr);
    EXPECT_EQ(b.Width(), 22);
    EXPECT_EQ(b.Height(), 23);
    EXPECT_EQ(b.Color(), TColor(0xFF00000F));
    EXPECT_EQ(b.ColorTo(), clNone);
    EXPECT_EQ(b.ColorHot(), TColor(0xCAC7C7));
    EXPECT_EQ(b.ColorDown(), TColor(0xD8D3D2));
    EXPECT_EQ(b.ColorChecked(), TColor(0x808080));
    EXPECT_EQ(b.BorderColor(), clNone);
    EXPECT_EQ(b.BorderDownColor(), clNone);
    EXPECT_EQ(b.BorderHotColor(), clNone);
    EXPECT_TRUE(b.Flat());
    EXPECT_TRUE(b.Shaded());
    EXPECT_TRUE(b.ShowCaption());
    EXPECT_FALSE(b.Rounded());
    EXPECT_EQ(b.Layout(), blGlyphLeft);
    EXPECT_EQ(b.Margin(), -1);
    EXPECT_EQ(b.Spacing(), 4);
    EXPECT_EQ(b.Style(), tasButton);
    EXPECT_TRUE(b.Glyph()->Empty());
    b.SetMargin(-2);
    EXPECT_EQ(b.Margin(), -1);
    b.SetMargin(3);
    EXPECT_EQ(b.Margin(), 3);
    // An ungrouped push button never stays down.
    b.SetDown(true);
    EXPECT_FALSE(b.Down());
}

TEST(ExtGridButton, DisabledGlyphIsAGreyCopyAndTheShadeKeepsTheTransparentColour)
{
    TBitmap glyph(3, 2, pf24bit);
    glyph.Canvas->SetPixel(0, 0, clWhite);
    glyph.Canvas->SetPixel(1, 0, clBlack);
    glyph.Canvas->SetPixel(2, 0, RGB(200, 100, 50));
    for (int x = 0; x < 3; ++x)
        glyph.Canvas->SetPixel(x, 1, clLime); // bottom-left: transparent
    TExtGridButton b(nullptr);
    b.SetGlyph(&glyph);
    const TBitmap* grey = b.GlyphDisabled();
    ASSERT_EQ(grey->Width(), 3);
    EXPECT_EQ(grey->Canvas->GetPixel(0, 0), RGB(223, 223, 223));
    EXPECT_EQ(grey->Canvas->GetPixel(1, 0), RGB(96, 96, 96));
    EXPECT_EQ(grey->Canvas->GetPixel(2, 0), RGB(154, 154, 154));

    // A disabled glyph of its own is kept.
    TBitmap other(3, 2, pf24bit);
    b.SetGlyphDisabled(&other);
    b.SetGlyph(&glyph);
    EXPECT_EQ(b.GlyphDisabled()->Canvas->GetPixel(0, 0), other.Canvas->GetPixel(0, 0));

    EXPECT_TRUE(b.ShadeGlyph()->Empty()); // built when Shaded is set
    b.SetShaded(true);
    EXPECT_EQ(b.ShadeGlyph()->Canvas->GetPixel(0, 0), TColor(0x808080));
    EXPECT_EQ(b.ShadeGlyph()->Canvas->GetPixel(1, 1), clLime);

    TExtGridButton empty(nullptr);
    empty.SetShaded(true);
    EXPECT_TRUE(empty.ShadeGlyph()->Empty());
}

TEST(ExtGridButton, LooksAndThemeAdaptation)
{
    TExtGridButton b(nullptr);
    b.SetRounded(true);
    b.SetFlat(false);
    b.SetBorderColor(clRed);
    b.SetAutoThemeAdapt(true);
    EXPECT_EQ(b.ColorHot(), TColor(0xEED2C1));
    EXPECT_EQ(b.ColorDown(), TColor(0xE2B598));
    EXPECT_EQ(b.ColorChecked(), TColor(0xE8E6E1));
    EXPECT_EQ(b.BorderDownColor(), TColor(0xC56A31));
    EXPECT_EQ(b.BorderHotColor(), TColor(0xC56A31));
    EXPECT_EQ(b.BorderColor(), clNone);
    EXPECT_FALSE(b.Rounded());
    EXPECT_TRUE(b.Flat());

    b.SetLook(6);
    EXPECT_EQ(b.Color(), TColor(0xCAFFFF));
    EXPECT_EQ(b.ColorHotTo(), TColor(0x007CE9FC));
    EXPECT_EQ(b.ColorCheckedTo(), TColor(0x9CDDED));
    b.SetLook(0);
    EXPECT_TRUE(b.Rounded());
    EXPECT_EQ(b.BorderDownColor(), TColor(0xAF987A));
    for (int bad : {-1, 7}) {
        b.SetLook(bad);
        EXPECT_EQ(b.Color(), TColor(0xEDF1F1));
        EXPECT_TRUE(b.Rounded());
    }
}

TEST(ExtGridButton, GradientBandsStartAtRoundedFractions)
{
    QImage image(4, 20, QImage::Format_RGB32);
    TCanvas canvas(&image);
    // 16 bands over 20 rows from black to (160, 0, 0): band n starts at round(n * 20 / 16).
    DrawButtonGradient(&canvas, clBlack, RGB(160, 0, 0), 16, TRect(0, 0, 4, 20), false, clNone);
    EXPECT_EQ(canvas.GetPixel(1, 0), clBlack);
    EXPECT_EQ(canvas.GetPixel(1, 1), RGB(10, 0, 0)); // band 1 starts at row 1
    EXPECT_EQ(canvas.GetPixel(1, 19), RGB(150, 0, 0));
    EXPECT_EQ(canvas.Brush->Color, RGB(150, 0, 0));
    DrawButtonGradient(&canvas, clBlack, clWhite, 16, TRect(0, 0, 4, 20), false, clBlue);
    EXPECT_EQ(canvas.GetPixel(0, 10), clBlue);
    EXPECT_EQ(canvas.GetPixel(1, 0), clBlue);
}

// ---- On a form ------------------------------------------------------------------------------------------

class GridButtonOnForm : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(50, 50, 300, 200);
        form->Show();
        QApplication::setActiveWindow(form->Widget());
    }

    TExtGridButton* Add(int x)
    {
        auto* b = new TExtGridButton(form.get());
        b->SetParent(form.get());
        b->SetBounds(x, 10, 22, 23);
        b->OnClick = [this, b](TObject*) { clicks[b]++; };
        return b;
    }

    static void Click(TExtGridButton* b, QPoint at = QPoint(5, 5))
    {
        QTest::mouseClick(b->Widget(), Qt::LeftButton, {}, at);
    }

    static void Enter(TExtGridButton* b)
    {
        QEnterEvent e(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QApplication::sendEvent(b->Widget(), &e);
    }

    static TColor Pixel(TExtGridButton* b, int x, int y)
    {
        return QColorToColor(b->Widget()->grab().toImage().pixelColor(x, y));
    }

    std::unique_ptr<TForm> form;
    std::map<TExtGridButton*, int> clicks;
};

TEST_F(GridButtonOnForm, FlatFaceIsHotOnlyUnderTheMouse)
{
    TExtGridButton* b = Add(10);
    EXPECT_EQ(Pixel(b, 3, 3), ColorToRGB(clBtnFace));
    int entered = 0;
    b->OnMouseEnter = [&](TObject*) { ++entered; };
    Enter(b);
    EXPECT_TRUE(b->MouseInControl());
    EXPECT_EQ(entered, 1);
    EXPECT_EQ(Pixel(b, 3, 3), TColor(0xCAC7C7));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(b->Widget(), &leave);
    EXPECT_FALSE(b->MouseInControl());
    EXPECT_EQ(Pixel(b, 3, 3), ColorToRGB(clBtnFace));

    // A disabled button does not become hot.
    b->SetEnabled(false);
    Enter(b);
    EXPECT_FALSE(b->MouseInControl());
}

TEST_F(GridButtonOnForm, GlyphWithoutCaptionSitsInTheCorner)
{
    TExtGridButton* b = Add(10);
    TBitmap glyph(16, 16, pf24bit);
    glyph.Canvas->Brush->Color = clBlue;
    glyph.Canvas->FillRect(TRect(0, 0, 16, 16));
    glyph.Canvas->SetPixel(0, 0, clRed);
    glyph.Canvas->SetPixel(0, 15, clWhite);
    b->SetGlyph(&glyph);
    EXPECT_EQ(Pixel(b, 0, 0), clRed);
    EXPECT_EQ(Pixel(b, 8, 8), clBlue);
    EXPECT_EQ(Pixel(b, 18, 18), ColorToRGB(clBtnFace));
}

TEST_F(GridButtonOnForm, RaisedButtonHasTheClassicFrame)
{
    TExtGridButton* b = Add(10);
    b->SetFlat(false);
    // The push button's outer edge: light at the top-left, dark shadow at the bottom-right.
    EXPECT_EQ(Pixel(b, 0, 0), ColorToRGB(cl3DLight));
    EXPECT_EQ(Pixel(b, 21, 22), ColorToRGB(cl3DDkShadow));
}

TEST_F(GridButtonOnForm, GroupedButtonsAreExclusive)
{
    TExtGridButton* first = Add(10);
    TExtGridButton* second = Add(40);
    first->SetGroupIndex(1);
    second->SetGroupIndex(1);
    first->SetDown(true);
    Click(second);
    EXPECT_TRUE(second->Down());
    EXPECT_FALSE(first->Down());
    EXPECT_EQ(first->State(), bsUp);
    EXPECT_EQ(clicks[second], 1);
    Click(second);
    EXPECT_TRUE(second->Down());
    EXPECT_EQ(clicks[second], 2);

    // With AllowAllUp (passed on to the group) the down one can go up.
    second->SetAllowAllUp(true);
    EXPECT_TRUE(first->AllowAllUp());
    Click(second);
    EXPECT_FALSE(second->Down());
}

TEST_F(GridButtonOnForm, CheckStyleTogglesOnCompleteClicksOnly)
{
    TExtGridButton* b = Add(10);
    b->SetStyle(tasCheck);
    Click(b);
    EXPECT_TRUE(b->Down());
    Click(b);
    EXPECT_FALSE(b->Down());
    // Pressed, then let go off the button: no click, no toggle.
    QTest::mousePress(b->Widget(), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseMove(b->Widget(), QPoint(40, 5));
    EXPECT_EQ(b->State(), bsUp);
    QTest::mouseRelease(b->Widget(), Qt::LeftButton, {}, QPoint(40, 5));
    EXPECT_FALSE(b->Down());
    EXPECT_EQ(clicks[b], 2);
}

TEST_F(GridButtonOnForm, DropDownPartOpensTheMenuBelowInsteadOfClicking)
{
    TExtGridButton* b = Add(10);
    b->SetDropDownButton(true);
    int dropped = 0;
    b->OnDropDown = [&](TObject*) { ++dropped; };
    auto* menu = new TPopupMenu(form.get()); // empty: Popup returns after OnPopup
    b->SetDropDownMenu(menu);
    Click(b, QPoint(b->Width() - 5, 5));
    EXPECT_EQ(dropped, 1);
    EXPECT_EQ(clicks[b], 0);
    const TPoint corner = b->ClientToScreen(TPoint(0, b->Height()));
    EXPECT_EQ(menu->LastPopupX(), corner.X);
    EXPECT_EQ(menu->LastPopupY(), corner.Y);
    Click(b, QPoint(3, 5));
    EXPECT_EQ(clicks[b], 1);
    delete menu;
    EXPECT_EQ(b->DropDownMenu(), nullptr);
    Click(b, QPoint(b->Width() - 5, 5));
    EXPECT_EQ(dropped, 2);
}

TEST_F(GridButtonOnForm, AcceleratorAndDoubleClick)
{
    TExtGridButton* b = Add(10);
    b->SetCaption("&Find");
    EXPECT_TRUE(form->HandleDialogChar(u'f', 0));
    EXPECT_EQ(clicks[b], 1);
    b->SetEnabled(false);
    EXPECT_FALSE(form->HandleDialogChar(u'f', 0));

    TExtGridButton* other = Add(40);
    int doubles = 0;
    other->OnDblClick = [&](TObject*) { ++doubles; };
    QTest::mouseDClick(other->Widget(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(doubles, 0); // never down
    other->SetGroupIndex(2);
    other->SetDown(true);
    QTest::mouseDClick(other->Widget(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(doubles, 1);
    EXPECT_TRUE(other->Down());
}

TEST_F(GridButtonOnForm, ActionLinkFollowsCaptionAndCheckedForAGroupThatMayBeAllUp)
{
    TExtGridButton* b = Add(10);
    TAction action(form.get());
    action.SetCaption("Go");
    b->SetAction(&action);
    EXPECT_EQ(b->Caption(), "Go");
    action.SetCaption("Went");
    EXPECT_EQ(b->Caption(), "Went");
    b->SetCaption("Own");
    action.SetCaption("Again");
    EXPECT_EQ(b->Caption(), "Own");

    action.SetChecked(true);
    EXPECT_FALSE(b->Down()); // not grouped
    action.SetChecked(false);
    b->SetGroupIndex(3);
    b->SetAllowAllUp(true);
    action.SetChecked(true);
    EXPECT_TRUE(b->Down());
}

} // namespace
