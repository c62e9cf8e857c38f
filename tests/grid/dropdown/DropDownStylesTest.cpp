// Component styles, colour tones, selection colour styles and the item appearance of the drop-downs.
#include "DropDownTestSupport.h"

using namespace dropdowntest;

namespace
{

// Every colour a component style may set, for comparing two states of one drop-down.
std::vector<TColor> StyleColors(TExtCustomDropDown* d)
{
    const TExtButtonAppearance* b = d->ButtonAppearance();
    return {d->DropDownColor(),
            d->DropDownColorTo(),
            d->DropDownBorderColor(),
            d->DropDownHeader()->Color(),
            d->DropDownHeader()->ColorTo(),
            d->DropDownHeader()->BorderColor(),
            d->DropDownHeader()->Font()->Color,
            d->DropDownFooter()->Color(),
            d->DropDownFooter()->ColorTo(),
            d->DropDownFooter()->BorderColor(),
            d->DropDownFooter()->Font()->Color,
            b->Color(),
            b->ColorTo(),
            b->BorderColor(),
            b->ColorHot(),
            b->ColorHotTo(),
            b->BorderColorHot(),
            b->ColorDown(),
            b->ColorDownTo(),
            b->BorderColorDown(),
            b->ColorDisabled(),
            b->ColorDisabledTo(),
            b->ColorChecked(),
            b->ColorCheckedTo(),
            b->BorderColorChecked()};
}

TColor Pixel(TControl* control, int x, int y)
{
    const QColor c = control->Widget()->grab().toImage().pixelColor(x, y);
    return RGB(c.red(), c.green(), c.blue());
}

class TSelectionPicker : public TTestPicker
{
  public:
    using TExtCustomDropDown::DrawSelectionBackground;
    using TTestPicker::TTestPicker;
};

class DropDownStyles : public DropDownOnForm
{
};

TEST_F(DropDownStyles, NewDropDownShowsTheLunaColours)
{
    TTestPicker* d = Make();
    EXPECT_EQ(d->GetComponentStyle(), tsOffice2007Luna);
    EXPECT_EQ(d->DropDownColor(), TColor(0xF3E5DA));
    EXPECT_EQ(d->DropDownColorTo(), TColor(0xF0DED0));
    EXPECT_EQ(d->DropDownBorderColor(), clNone);
    EXPECT_EQ(d->DropDownHeader()->Color(), TColor(0xFFEFE3));
    EXPECT_EQ(d->DropDownHeader()->ColorTo(), TColor(0xFFD2AF));
    EXPECT_EQ(d->DropDownHeader()->Font()->Color, TColor(0x723708));
    EXPECT_EQ(d->DropDownHeader()->BorderColor(), TColor(0xFFD2AF));
    EXPECT_EQ(d->DropDownFooter()->Color(), TColor(0xFFEFE3));
    EXPECT_EQ(d->DropDownFooter()->ColorTo(), TColor(0xFFD2AF));
    EXPECT_EQ(d->DropDownFooter()->Font()->Color, TColor(0x723708));
    EXPECT_EQ(d->DropDownFooter()->BorderColor(), TColor(0xFFD2AF));
    // Luna gives its own face and takes the rest of the row from tsOffice2003Blue.
    EXPECT_EQ(d->ButtonAppearance()->Color(), TColor(0xFFEFE3));
    EXPECT_EQ(d->ButtonAppearance()->ColorTo(), TColor(0xFFDDC4));
    EXPECT_EQ(d->ButtonAppearance()->ColorHot(), TColor(0xEBFDFF));
    EXPECT_EQ(d->ButtonAppearance()->BorderColorChecked(), TColor(0x45667B));
    EXPECT_EQ(d->SelectionColor(), TColor(0xD7FFFD));
    EXPECT_EQ(d->SelectionColorTo(), TColor(0x58D4FC));
}

TEST_F(DropDownStyles, TablesSetWindowStripsAndButtons)
{
    TTestPicker* d = Make();
    d->SetComponentStyle(tsWindowsVista);
    // The footer's gradient runs the other way from the header's.
    EXPECT_EQ(d->DropDownHeader()->Color(), TColor(0xFFFDF9));
    EXPECT_EQ(d->DropDownHeader()->ColorTo(), TColor(0xFFFAF0));
    EXPECT_EQ(d->DropDownFooter()->Color(), TColor(0xFFFAF0));
    EXPECT_EQ(d->DropDownFooter()->ColorTo(), TColor(0xFFFDF9));
    EXPECT_EQ(d->DropDownFooter()->BorderColor(), TColor(0xFCF2DA));
    EXPECT_EQ(d->DropDownBorderColor(), TColor(0x979797));
    EXPECT_EQ(d->ButtonAppearance()->BorderColorChecked(), TColor(0xFEDF9A));

    d->SetComponentStyle(tsOffice2003Blue);
    EXPECT_EQ(d->DropDownHeader()->BorderColor(), TColor(0x000000));
    EXPECT_EQ(d->DropDownFooter()->BorderColor(), TColor(0x962D00));
    // "-": the window frame stays what the last style gave it.
    EXPECT_EQ(d->DropDownBorderColor(), TColor(0x979797));

    d->SetComponentStyle(tsOffice2010Black);
    EXPECT_EQ(d->ButtonAppearance()->Color(), TColor(0xBFBFBF));
    EXPECT_EQ(d->ButtonAppearance()->BorderColor(), TColor(0xD7D7D6));
    EXPECT_EQ(d->ButtonAppearance()->ColorHot(), TColor(0x8AE3FD)); // from tsOffice2010Blue
    EXPECT_EQ(d->ButtonAppearance()->ColorHotTo(), clNone);
    const std::vector<TColor> black = StyleColors(d);
    d->SetComponentStyle(tsCustom);
    EXPECT_EQ(d->GetComponentStyle(), tsCustom);
    EXPECT_EQ(StyleColors(d), black);
}

TEST_F(DropDownStyles, ColourTonesGiveTheFrameAndTheFlatButtonFace)
{
    TTestPicker* d = Make();
    ShowForm();
    TColorTones tones;
    tones.Background.BorderColor = 0x808080;
    tones.Background.BrushColor = 0x00FF00;
    tones.Hover.BrushColor = 0x00FF00;
    tones.Selected.BrushColor = 0x00FF00;
    d->SetColorTones(tones);
    QApplication::processEvents();
    EXPECT_EQ(d->BorderColor(), TColor(0x808080));
    TControl* face = d->DropButton()->Button();
    EXPECT_EQ(Pixel(face, 0, face->Height() / 2), TColor(0x808080));
    EXPECT_EQ(Pixel(face, 3, 2), TColor(0x00FF00));
    EXPECT_EQ(Pixel(d, 0, 0), TColor(0x808080));
}

TEST_F(DropDownStyles, CustomSelectionStyleKeepsColoursAndFillsFlat)
{
    auto* d = MakeDropDown<TSelectionPicker>(form.get());
    d->SetSelectionColorStyle(scWindows7);
    d->SetSelectionColorStyle(scCustom);
    EXPECT_EQ(d->SelectionColor(), TColor(0xFCEBDC));
    EXPECT_EQ(d->SelectionColorTo(), TColor(0xFCDBC1));
    QImage image(40, 20, QImage::Format_ARGB32);
    image.fill(Qt::black);
    TCanvas canvas(&image);
    d->DrawSelectionBackground(&canvas, TRect(0, 0, 40, 20), 0, 0);
    for (const TPoint p : {TPoint(0, 0), TPoint(20, 10), TPoint(39, 19)})
        EXPECT_EQ(canvas.GetPixel(p.X, p.Y), TColor(0xFCEBDC)) << p.X << "," << p.Y;
}

TEST(ItemAppearance, AssignCopiesColoursThenTakesTheSourceStyle)
{
    TItemAppearance source;
    source.SetColorStyle(scWindowsVista);
    source.ColorHot = 0x123456;
    source.ColorSelectedText = 0x010203;

    TItemAppearance office; // scOffice2007 from construction
    office.Assign(&source);
    EXPECT_EQ(office.ColorStyle(), scWindowsVista);
    EXPECT_EQ(office.ColorHot, TColor(0xFDF8F1)); // the style's set reloaded over the copy
    EXPECT_EQ(office.ColorSelectedText, TColor(0x010203));

    TItemAppearance vista;
    vista.SetColorStyle(scWindowsVista);
    vista.Assign(&source);
    EXPECT_EQ(vista.ColorHot, TColor(0x123456));

    TItemAppearance fresh;
    EXPECT_EQ(fresh.Font()->Name, QString("Tahoma"));
    EXPECT_EQ(fresh.ColorSelected, TColor(0xA6FFFB));
    EXPECT_EQ(fresh.BorderColorHot, clNone);
    fresh.SetColorStyle(scCustom);
    EXPECT_EQ(fresh.ColorSelected, TColor(0xA6FFFB));
}

TEST(ItemAppearance, StylesOfTheItemSelectors)
{
    TItemAppearance a;
    a.BorderColorHot = 0x111111;
    a.ColorHotText = 0x222222;
    TExtCustomDropDown::ApplyItemAppearanceStyle(&a, tsWindows7);
    EXPECT_EQ(a.BorderColor, TColor(0xCEA27D));
    EXPECT_EQ(a.EdgeColor, TColor(0xE0C5AE));
    EXPECT_EQ(a.BorderColorHot, clNone);
    EXPECT_EQ(a.ColorSelectedText, TColor(0));
    EXPECT_EQ(a.ColorHotText, TColor(0));

    TExtCustomDropDown::ApplyItemAppearanceStyle(&a, tsWindowsXP);
    EXPECT_EQ(a.ColorSelected, clHighlight);
    EXPECT_EQ(a.ColorSelectedText, clHighlightText);
    // A group shares one row.
    TExtCustomDropDown::ApplyItemAppearanceStyle(&a, tsOffice2007Silver);
    EXPECT_EQ(a.BorderColorTop, TColor(0xF4FEFF));
    EXPECT_EQ(a.ColorMirrorHot, TColor(0x59DAFF));
    TExtCustomDropDown::ApplyItemAppearanceStyle(&a, tsOffice2010Silver);
    EXPECT_EQ(a.ColorHot, TColor(0xD9F9FD));

    a.BorderColorHot = 0x333333;
    TExtCustomDropDown::ApplyItemAppearanceStyle(&a, tsCustom);
    EXPECT_EQ(a.BorderColorHot, TColor(0x333333));
    TExtCustomDropDown::ApplyItemAppearanceStyle(nullptr, tsWindows7);
}

} // namespace
