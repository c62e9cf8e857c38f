// The drop-down edit's look: the attached label, the frame, the value of a non-editable edit and
// the mouse on the selection and around prefix and suffix.
#include "DropDownTestSupport.h"

#include <QLineEdit>

using namespace dropdowntest;

namespace
{

TColor Pixel(TControl* control, int x, int y)
{
    const QColor c = control->Widget()->grab().toImage().pixelColor(x, y);
    return RGB(c.red(), c.green(), c.blue());
}

class ExtDropDownLook : public DropDownOnForm
{
  protected:
    // The x of a point over character Index of the line edit, in widget coordinates.
    static int XOverChar(TTestPicker* d, int Index)
    {
        QLineEdit* edit = d->LineEdit();
        const int y = d->Height() / 2;
        int first = -1, last = -1;
        for (int x = 0; x < d->Width(); ++x) {
            // The left half of a character answers its own index.
            if (edit->cursorPositionAt(QPoint(x, y)) == Index) {
                if (first < 0)
                    first = x;
                last = x;
            }
        }
        return first < 0 ? -1 : (first + last) / 2 + 1;
    }
};

TEST_F(ExtDropDownLook, LabelTakesEachOfTheFifteenPositions)
{
    TTestPicker* d = Make();
    d->SetBounds(100, 100, 200, 21);
    d->SetLabelCaption("Value");
    TLabel* label = d->Label();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->Parent(), form.get());
    EXPECT_EQ(d->LabelMargin(), 4);
    const int LW = label->Width(), LH = label->Height();
    TRect calc(0, 0, 1000, 255);
    DrawText(label->Canvas, "Value", -1, calc, DT_CALCRECT | DT_HIDEPREFIX);
    const int W = calc.Width();
    const int L = 100, T = 100, EW = 200, EH = 21, M = 4;
    struct Case {
        TLabelPosition Position;
        int Top, Left;
    };
    const Case cases[] = {
        {lpLeftTop, T, L - W - M},
        {lpLeftCenter, T + (EH - LH) / 2, L - W - M},
        {lpLeftBottom, T + EH - LH, L - W - M},
        {lpTopLeft, T - LH - M, L},
        {lpBottomLeft, T + EH + M, L},
        {lpLeftTopLeft, T, L - M},
        {lpLeftCenterLeft, T + (EH - LH) / 2, L - M},
        {lpLeftBottomLeft, T + EH - LH, L - M},
        {lpTopCenter, T - LH - M, L + (EW - LW) / 2},
        {lpBottomCenter, T + EH + M, L + (EW - LW) / 2},
        {lpRightTop, T, L + EW + M},
        {lpRightCenter, T + (EH - LH) / 2, L + EW + M},
        {lpRighBottom, T + EH - LH, L + EW + M},
        {lpTopRight, T - LH - M, L + EW - LW},
        {lpBottomRight, T + EH + M, L + EW - LW},
    };
    for (const Case& c : cases) {
        d->SetLabelPosition(c.Position);
        EXPECT_EQ(label->Top(), c.Top) << int(c.Position);
        EXPECT_EQ(label->Left(), c.Left) << int(c.Position);
    }
    // The example of a 13-high label.
    if (LH == 13) {
        d->SetLabelPosition(lpRightCenter);
        EXPECT_EQ(label->Left(), 304);
        EXPECT_EQ(label->Top(), 104);
    }
    // The label follows the edit.
    d->SetLabelPosition(lpTopLeft);
    d->SetBounds(150, 120, 200, 21);
    EXPECT_EQ(label->Left(), 150);
    d->SetVisible(false);
    EXPECT_FALSE(label->Visible());
    int clicks = 0;
    d->OnLabelClick = [&](TObject*) { ++clicks; };
    label->OnClick(label);
    EXPECT_EQ(clicks, 1);
}

TEST_F(ExtDropDownLook, FramePaintsInTheBorderColours)
{
    TTestPicker* d = Make();
    d->SetBorderColor(0x0000FF);
    Start(d);
    EXPECT_EQ(Pixel(d, 0, 0), TColor(0x0000FF));
    // Without a focus colour the border colour stays while focused.
    EXPECT_EQ(Pixel(d, d->Width() - 1, d->Height() - 1), TColor(0x0000FF));

    d->SetFocusBorderColor(0x00FF00);
    d->Invalidate();
    EXPECT_EQ(Pixel(d, 0, 0), TColor(0x00FF00));
    Focus(other);
    EXPECT_EQ(Pixel(d, 0, 0), TColor(0x0000FF));

    // Disabled on a themed system: silver whatever the colours.
    d->SetEnabled(false);
    QApplication::processEvents();
    EXPECT_EQ(Pixel(d, 0, 0), TColor(0xC0C0C0));
    d->SetDisabledBorder(false);
    EXPECT_EQ(Pixel(d, 0, 0), TColor(0x0000FF));
}

TEST_F(ExtDropDownLook, FlatFrameFollowsTheHotState)
{
    TTestPicker* d = Make();
    d->Flat = true;
    form->SetColor(0x00FFFF);
    ShowForm();
    // Not hot: two rings in the parent's colour.
    EXPECT_EQ(Pixel(d, 0, 0), TColor(0x00FFFF));
    EXPECT_EQ(Pixel(d, 1, 1), TColor(0x00FFFF));
    Focus(d); // the active control is hot: a sunken outer edge, then a ring in the button face
    EXPECT_EQ(Pixel(d, 1, 1), ColorToRGB(clBtnFace));
    EXPECT_NE(Pixel(d, 0, 0), TColor(0x00FFFF));
}

TEST_F(ExtDropDownLook, NonEditableFocusedEditShowsItsValueHighlighted)
{
    TTestPicker* d = Make();
    d->SetEditorEnabled(false);
    ShowForm();
    const int bw = d->DropButton()->ButtonWidth();
    const int x = d->Width() - bw - 5, y = d->Height() / 2;
    EXPECT_NE(Pixel(d, x, y), ColorToRGB(clHighlight));
    Focus(d);
    EXPECT_EQ(Pixel(d, x, y), ColorToRGB(clHighlight));
    EXPECT_EQ(Pixel(d, 2, 2), TColor(0)); // the black outline
    d->SetFocusDraw(false);
    d->Invalidate();
    EXPECT_NE(Pixel(d, x, y), ColorToRGB(clHighlight));
}

TEST_F(ExtDropDownLook, PressInsideTheSelectionKeepsIt)
{
    TTestPicker* d = Make();
    d->SetText("abcdef");
    Start(d);
    QLineEdit* edit = d->LineEdit();
    edit->setSelection(1, 3);
    const int x = XOverChar(d, 2);
    ASSERT_GT(x, 0);
    const QPoint p = InForm(d, QPoint(x, d->Height() / 2));
    QTest::mousePress(FormWindow(), Qt::LeftButton, Qt::NoModifier, p);
    QApplication::processEvents();
    EXPECT_EQ(edit->selectionStart(), 1);
    EXPECT_EQ(edit->selectedText(), "bcd");
    QTest::mouseRelease(FormWindow(), Qt::LeftButton, Qt::NoModifier, p);
    QApplication::processEvents();
    EXPECT_FALSE(edit->hasSelectedText());
    EXPECT_EQ(edit->cursorPosition(), edit->cursorPositionAt(QPoint(x, d->Height() / 2)));

    // A press outside the selection is the line edit's own.
    edit->setSelection(0, 2);
    const QPoint outside = InForm(d, QPoint(XOverChar(d, 4), d->Height() / 2));
    QTest::mousePress(FormWindow(), Qt::LeftButton, Qt::NoModifier, outside);
    QApplication::processEvents();
    EXPECT_FALSE(edit->hasSelectedText());
    QTest::mouseRelease(FormWindow(), Qt::LeftButton, Qt::NoModifier, outside);
}

TEST_F(ExtDropDownLook, ClickKeepsTheCaretOutOfPrefixAndSuffix)
{
    TTestPicker* d = Make();
    d->Prefix = "ab";
    d->Suffix = "xyz";
    d->SetText("12");
    ASSERT_EQ(d->RawText(), "ab12xyz");
    Start(d);
    QLineEdit* edit = d->LineEdit();
    edit->setCursorPosition(0);
    const auto click = [&](int index) {
        const int x = XOverChar(d, index);
        ASSERT_GT(x, 0);
        QTest::mouseClick(FormWindow(), Qt::LeftButton, Qt::NoModifier,
                          InForm(d, QPoint(x, d->Height() / 2)));
        QApplication::processEvents();
    };
    click(1);
    EXPECT_EQ(edit->selectionStart(), 2);
    EXPECT_EQ(edit->selectedText(), "12");
    click(5);
    EXPECT_FALSE(edit->hasSelectedText());
    EXPECT_EQ(edit->cursorPosition(), 4);
    click(3);
    EXPECT_EQ(edit->cursorPosition(), 3);
}

} // namespace
