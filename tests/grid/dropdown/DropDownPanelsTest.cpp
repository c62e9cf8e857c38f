// The header and footer strips of the drop-down window with their push buttons and the size grip,
// on real shown drop-downs.
#include "DropDownTestSupport.h"

#include "grid/dropdown/DropDownPanels.h"

using namespace dropdowntest;

namespace
{

TColor Pixel(const QImage& image, int x, int y)
{
    const QColor c = image.pixelColor(x, y);
    return RGB(c.red(), c.green(), c.blue());
}

class DropDownPanels : public DropDownOnForm
{
  protected:
    // A 200-wide window with only the strips asked for.
    TTestPicker* MakeWindow(bool header, bool footer)
    {
        TTestPicker* d = Make();
        d->SetDropDownWidth(200);
        d->DropDownHeader()->SetVisible(header);
        d->DropDownFooter()->SetVisible(footer);
        return d;
    }
    void Open(TTestPicker* d)
    {
        if (!form->Visible())
            Start(d);
        d->ShowDropDown();
        QApplication::processEvents();
        ASSERT_TRUE(d->DroppedDown());
    }
    // Window coordinates of a point of a control in the pop-up.
    static QPoint InPopup(TTestPicker* d, TControl* control, QPoint p)
    {
        return control->Widget()->mapTo(d->DropDownForm()->Widget(), p);
    }
    static void ClickInPopup(TTestPicker* d, TControl* control)
    {
        const QPoint centre(control->Width() / 2, control->Height() / 2);
        QTest::mouseClick(PopupWindow(d), Qt::LeftButton, Qt::NoModifier, InPopup(d, control, centre));
        QApplication::processEvents();
    }
};

TEST_F(DropDownPanels, HeaderButtonsPackFromTheRightOrTheLeft)
{
    TTestPicker* d = MakeWindow(true, false);
    for (int w : {30, 40, 50})
        d->DropDownHeader()->Buttons()->Add()->SetWidth(w);
    d->DropDownHeader()->Buttons()->Items(2)->SetHeight(40);
    Open(d);
    TExtHeader* header = d->DropDownForm()->Header();
    ASSERT_NE(header, nullptr);
    ASSERT_EQ(header->ButtonCount(), 3);
    EXPECT_EQ(header->Height(), 22);
    EXPECT_EQ(header->Button(0)->Left() + header->Button(0)->Width(), header->ClientWidth() - 2);
    EXPECT_EQ(header->Button(1)->Left() + 40, header->Button(0)->Left());
    EXPECT_EQ(header->Button(2)->Left() + 50, header->Button(1)->Left());
    // Cut to the button area: 22 less 2 above and 3 below.
    EXPECT_EQ(header->Button(2)->Height(), 17);
    EXPECT_EQ(header->Button(2)->Top(), 2);

    d->HideDropDown();
    d->DropDownHeader()->SetButtonAlignment(baLeft);
    Open(d);
    EXPECT_EQ(header->ButtonCount(), 3); // rebuilt, not added to
    EXPECT_EQ(header->Button(0)->Left(), 2);
    EXPECT_EQ(header->Button(1)->Left(), 32);
    EXPECT_EQ(header->Button(2)->Left(), 72);
}

TEST_F(DropDownPanels, HeaderAndFooterTakeTheirPlaceAndFollowTheAppearance)
{
    TTestPicker* d = MakeWindow(true, true);
    d->DropDownFooter()->SetHeight(30);
    Open(d);
    TDropDownForm* window = d->DropDownForm();
    EXPECT_EQ(window->Height(), 2 + 22 + 30 + 120);
    EXPECT_EQ(window->Header()->Top(), 1);
    EXPECT_EQ(window->Footer()->Top() + window->Footer()->Height(), window->ClientHeight() - 1);
    EXPECT_EQ(d->Panel->Top(), 23);

    // A change of Visible re-prepares the open window.
    d->DropDownFooter()->SetVisible(false);
    QApplication::processEvents();
    EXPECT_FALSE(window->Footer()->Visible());
}

TEST_F(DropDownPanels, FooterGripLeavesRoomAndResizesTheWindow)
{
    TTestPicker* d = MakeWindow(false, true);
    d->DropDownFooter()->Buttons()->Add()->SetCaption("OK");
    d->DropDownFooter()->SetCaption("Total");
    int sizing = 0;
    Open(d);
    TDropDownForm* window = d->DropDownForm();
    TExtFooter* footer = window->Footer();
    ASSERT_NE(footer, nullptr);
    ASSERT_TRUE(footer->SizeGripVisible());
    EXPECT_EQ(footer->Button(0)->Left() + footer->Button(0)->Width(), footer->ClientWidth() - 14);

    const QImage image = footer->Widget()->grab().toImage();
    const TRect g(footer->ClientWidth() - 1 - 16, 1, footer->ClientWidth() - 1 - 1, footer->ClientHeight());
    EXPECT_EQ(Pixel(image, g.Left + 6, g.Bottom - 3), clWhite);
    EXPECT_EQ(Pixel(image, g.Left + 4, g.Bottom - 5), TColor(0xFFD2AF));

    const TNotifyEvent resized = window->OnSizing;
    window->OnSizing = [&](TObject* Sender) {
        ++sizing;
        resized(Sender);
    };
    const int w = window->Width(), h = window->Height();
    const QPoint grip = InPopup(d, footer, QPoint(footer->Width() - 4, footer->Height() - 4));
    QTest::mousePress(PopupWindow(d), Qt::LeftButton, Qt::NoModifier, grip);
    QTest::mouseMove(PopupWindow(d), grip + QPoint(30, 20));
    QTest::mouseRelease(PopupWindow(d), Qt::LeftButton, Qt::NoModifier, grip + QPoint(30, 20));
    QApplication::processEvents();
    EXPECT_EQ(window->Width(), w + 30);
    EXPECT_EQ(window->Height(), h + 20);
    EXPECT_GT(sizing, 0);
    EXPECT_TRUE(d->DroppedDown());

    // Without a sizeable window: no grip, a margin of 2.
    d->HideDropDown();
    d->SetDropDownSizeable(false);
    Open(d);
    EXPECT_FALSE(footer->SizeGripVisible());
    EXPECT_EQ(footer->Button(0)->Left() + footer->Button(0)->Width(), footer->ClientWidth() - 2);
}

TEST_F(DropDownPanels, DrawBackGroundReplacesAllPainting)
{
    TTestPicker* d = MakeWindow(false, true);
    d->DropDownFooter()->SetCaption("<b>Total</b>");
    d->OnDrawFooter = [](TObject*, TCanvas* ACanvas, TRect ARect) {
        ACanvas->Brush->Color = 0x00FF00;
        ACanvas->FillRect(ARect);
    };
    Open(d);
    TExtFooter* footer = d->DropDownForm()->Footer();
    const QImage image = footer->Widget()->grab().toImage();
    for (int x = 0; x < footer->Width(); ++x)
        for (int y = 0; y < footer->Height(); ++y)
            ASSERT_EQ(Pixel(image, x, y), TColor(0x00FF00)) << x << "," << y;
}

TEST_F(DropDownPanels, StripShowsCaptionAndTakesOnGetText)
{
    TTestPicker* d = MakeWindow(true, false);
    d->SetComponentStyle(tsTerminal); // a plain strip: clBtnFace, no border
    d->DropDownHeader()->SetCaption("Wrong");
    d->OnGetHeaderText = [](TObject*, QString& Text) { Text = "<b>Pick</b>"; };
    Open(d);
    TExtHeader* header = d->DropDownForm()->Header();
    const QImage image = header->Widget()->grab().toImage();
    const TColor face = ColorToRGB(clBtnFace);
    int ink = 0;
    for (int x = 0; x < 60; ++x)
        for (int y = 0; y < header->Height(); ++y)
            ink += Pixel(image, x, y) != face;
    EXPECT_GT(ink, 10);
}

TEST_F(DropDownPanels, FooterButtonsCloseByTheirModalResult)
{
    struct Case {
        TModalResult Result;
        bool Closes;
        bool Cancelled;
    };
    const Case cases[] = {
        {mrOk, true, false},     {mrCancel, true, true}, {mrYesToAll, true, false}, {mrNoToAll, true, true},
        {mrRetry, false, false}, {mrNone, false, false}, {mrClose, false, false},
    };
    for (const Case& c : cases) {
        TTestPicker* d = MakeWindow(false, true);
        d->DropDownFooter()->Buttons()->Add()->SetCaption("Go");
        d->DropDownFooter()->Buttons()->Add()->SetCaption("Act");
        d->DropDownFooter()->Buttons()->Items(1)->SetModalResult(c.Result);
        d->SetText("before");
        d->SetRawText("typed");
        QList<int> clicked;
        d->OnDropDownFooterButtonClick = [&](TObject* Sender, int ButtonIndex) {
            EXPECT_EQ(Sender, d);
            clicked << ButtonIndex;
        };
        Log.clear();
        Open(d);
        ClickInPopup(d, d->DropDownForm()->Footer()->Button(1));
        EXPECT_EQ(d->DropDownForm()->ModalResult(), c.Result) << c.Result;
        EXPECT_EQ(clicked, QList<int>{1}) << c.Result;
        EXPECT_EQ(d->DroppedDown(), !c.Closes) << c.Result;
        if (c.Closes) {
            EXPECT_EQ(Log.last(), c.Cancelled ? "DropUp cancelled" : "DropUp confirmed") << c.Result;
        }
        EXPECT_EQ(d->Text(), c.Cancelled ? "before" : "typed") << c.Result;
        d->HideDropDown();
        delete d;
    }
}

TEST_F(DropDownPanels, SpaceOnAFooterButtonClosesWithoutOnClick)
{
    TTestPicker* d = MakeWindow(false, true);
    d->DropDownFooter()->Buttons()->Add()->SetCaption("&Yes");
    d->DropDownFooter()->Buttons()->Items(0)->SetModalResult(mrYes);
    int clicked = 0;
    d->OnDropDownFooterButtonClick = [&](TObject*, int) { ++clicked; };
    Open(d);
    TExtButton* yes = d->DropDownForm()->Footer()->Button(0);
    yes->SetFocus();
    QApplication::processEvents();
    ASSERT_TRUE(yes->Focused());
    QTest::keyClick(PopupWindow(d), Qt::Key_Space);
    QApplication::processEvents();
    EXPECT_FALSE(d->DroppedDown());
    EXPECT_EQ(clicked, 0);
    EXPECT_EQ(Log.last(), "DropUp confirmed");

    // The accelerator clicks with OnClick.
    Open(d);
    QTest::keyClick(PopupWindow(d), Qt::Key_Y, Qt::AltModifier);
    QApplication::processEvents();
    EXPECT_FALSE(d->DroppedDown());
    EXPECT_EQ(clicked, 1);
}

TEST_F(DropDownPanels, HeaderClickReportsTheIndexAndKeepsTheWindow)
{
    TTestPicker* d = MakeWindow(true, false);
    for (const char* caption : {"A", "B", "C"})
        d->DropDownHeader()->Buttons()->Add()->SetCaption(caption);
    QList<int> clicked;
    d->OnDropDownHeaderButtonClick = [&](TObject* Sender, int ButtonIndex) {
        EXPECT_EQ(Sender, d);
        clicked << ButtonIndex;
    };
    Open(d);
    ClickInPopup(d, d->DropDownForm()->Header()->Button(2));
    ClickInPopup(d, d->DropDownForm()->Header()->Button(0));
    EXPECT_EQ(clicked, QList<int>({2, 0}));
    EXPECT_TRUE(d->DroppedDown());
}

TEST(DbgList, GuardedAccessReportsReadsAndWritesPastTheEnd)
{
    TDbgList list;
    int a = 1, b = 2;
    list.Add(&a);
    EXPECT_EQ(list.GetItemsEx(0), &a);
    list.SetItemsEx(0, &b);
    EXPECT_EQ(list.GetItemsEx(0), &b);
    const auto message = [](auto f) {
        try {
            f();
        } catch (const Exception& e) {
            return e.Message;
        }
        return QString("no error");
    };
    EXPECT_EQ(message([&] { list.GetItemsEx(1); }), "Index out of bounds in list read access");
    EXPECT_EQ(message([&] { list.SetItemsEx(1, &a); }), "Index out of bounds in list write access");
    EXPECT_EQ(message([&] { list.GetItemsEx(-1); }), "List index out of bounds (-1)");

    TDbgList other;
    other.Add(&a);
    other.Add(&b);
    list.AssignList(other);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.GetItemsEx(1), &b);
}

} // namespace
