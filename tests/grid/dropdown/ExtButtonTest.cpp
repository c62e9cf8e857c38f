// The drop-down strips' push button: press tracking, groups, faces over the parent's background.
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

class ExtButtonOnForm : public edittest::EditOnForm
{
  protected:
    TExtButton* MakeButton(int x, int group = 0)
    {
        auto* b = new TExtButton(form.get());
        b->SetParent(form.get());
        b->SetAppearance(&appearance);
        b->SetCaption("Go");
        b->SetBounds(x, 20, 40, 22);
        b->SetGroupIndex(group);
        b->OnClick = [this, b](TObject*) { clicks << b; };
        return b;
    }
    QPoint At(TControl* c, QPoint p) const { return c->Widget()->mapTo(form->Widget(), p); }
    QWindow* Window() const { return form->Widget()->windowHandle(); }
    void Click(TControl* c)
    {
        QTest::mouseClick(Window(), Qt::LeftButton, Qt::NoModifier, At(c, QPoint(10, 10)));
        QApplication::processEvents();
    }

    TExtButtonAppearance appearance;
    QList<TExtButton*> clicks;
};

TEST_F(ExtButtonOnForm, ReleaseOutsideNeitherClicksNorChangesDown)
{
    TExtButton* b = MakeButton(20, 1);
    ShowForm();
    QTest::mousePress(Window(), Qt::LeftButton, Qt::NoModifier, At(b, QPoint(10, 10)));
    EXPECT_EQ(b->State(), absDown);
    QTest::mouseMove(Window(), At(b, QPoint(80, 10)));
    QApplication::processEvents();
    EXPECT_EQ(b->State(), absUp);
    QTest::mouseRelease(Window(), Qt::LeftButton, Qt::NoModifier, At(b, QPoint(80, 10)));
    QApplication::processEvents();
    EXPECT_TRUE(clicks.isEmpty());
    EXPECT_FALSE(b->Down());
    EXPECT_EQ(b->State(), absUp);

    Click(b);
    EXPECT_EQ(clicks, QList<TExtButton*>{b});
    EXPECT_TRUE(b->Down());
}

TEST_F(ExtButtonOnForm, GroupKeepsOneButtonDown)
{
    TExtButton* first = MakeButton(20, 1);
    TExtButton* second = MakeButton(70, 1);
    TExtButton* loose = MakeButton(120);
    ShowForm();
    Click(first);
    EXPECT_TRUE(first->Down());
    Click(second);
    EXPECT_TRUE(second->Down());
    EXPECT_FALSE(first->Down());
    // A down button of a group without AllowAllUp stays down.
    Click(second);
    EXPECT_TRUE(second->Down());
    // A push button outside a group is never down.
    loose->SetDown(true);
    EXPECT_FALSE(loose->Down());
    Click(loose);
    EXPECT_FALSE(loose->Down());
    EXPECT_EQ(clicks.size(), 4);
}

TEST_F(ExtButtonOnForm, CheckButtonTogglesAndAdjustsToContent)
{
    TExtButton* b = MakeButton(20);
    b->SetStyle(tasCheck);
    ShowForm();
    Click(b);
    EXPECT_TRUE(b->Down());
    Click(b);
    EXPECT_FALSE(b->Down());

    b->SetCaption("A longer caption");
    b->AdjustToContent();
    TCanvas* canvas = b->Canvas;
    canvas->Font->Assign(appearance.Font());
    const TPoint text = GetTextSize(canvas, "A longer caption");
    EXPECT_EQ(b->Width(), text.X + 8);
    EXPECT_EQ(b->Height(), text.Y + 4);

    // Without an appearance nothing is measured.
    b->SetAppearance(nullptr);
    b->SetCaption("x");
    b->AdjustToContent();
    EXPECT_EQ(b->Width(), text.X + 8);
}

TEST_F(ExtButtonOnForm, FaceByStateFirstMatch)
{
    appearance.SetColor(0x0000FF);
    appearance.SetColorTo(clNone);
    appearance.SetColorChecked(0x00FF00);
    appearance.SetColorDisabled(0x808000);
    appearance.SetColorDisabledTo(clNone);
    TExtButton* b = MakeButton(20, 1);
    b->SetCaption("");
    ShowForm();
    const auto face = [b] { return Pixel(b->Widget()->grab().toImage(), 20, 11); };
    EXPECT_EQ(face(), TColor(0x0000FF));
    b->SetDown(true);
    EXPECT_EQ(face(), TColor(0x00FF00));
    b->SetEnabled(false); // disabled wins over down
    EXPECT_EQ(face(), TColor(0x808000));
    EXPECT_EQ(b->State(), absDisabled);
}

TEST_F(ExtButtonOnForm, HotFaceEndsOnTheTimerTickOnceTheCursorIsOut)
{
    appearance.SetColor(0x0000FF);
    appearance.SetColorTo(clNone);
    appearance.SetColorHot(0x00FFFF);
    appearance.SetColorHotTo(clNone);
    TExtButton* b = MakeButton(20);
    b->SetCaption("");
    ShowForm();
    const auto face = [b] { return Pixel(b->Widget()->grab().toImage(), 20, 11); };
    QCursor::setPos(b->Widget()->mapToGlobal(QPoint(10, 10)));
    QTest::mouseMove(Window(), At(b, QPoint(10, 10)));
    QApplication::processEvents();
    ASSERT_TRUE(b->MouseInControl());
    EXPECT_TRUE(b->UnHotTimer()->Enabled());
    EXPECT_EQ(face(), TColor(0x00FFFF));

    // A tick with the cursor still inside keeps the hot face and the timer.
    b->UnHotTimerTick();
    EXPECT_TRUE(b->MouseInControl());
    EXPECT_TRUE(b->UnHotTimer()->Enabled());

    // The cursor left without a leave message (another window took it): the next tick ends the hot face.
    QCursor::setPos(b->Widget()->mapToGlobal(QPoint(200, 200)));
    b->UnHotTimerTick();
    EXPECT_FALSE(b->MouseInControl());
    EXPECT_FALSE(b->UnHotTimer()->Enabled());
    EXPECT_EQ(face(), TColor(0x0000FF));
}

class ExtButtonInStrip : public DropDownOnForm
{
};

TEST_F(ExtButtonInStrip, ClearFaceShowsTheStripGradient)
{
    TTestPicker* d = Make();
    d->SetDropDownWidth(200);
    d->DropDownFooter()->SetVisible(false);
    d->DropDownHeader()->SetColor(0xFF0000);
    d->DropDownHeader()->SetColorTo(0x0000FF);
    d->DropDownHeader()->SetHeight(40);
    THeaderButton* item = d->DropDownHeader()->Buttons()->Add();
    item->SetWidth(30);
    item->SetHeight(30);
    TExtButtonAppearance* a = d->ButtonAppearance();
    for (auto set : {&TExtButtonAppearance::SetColor, &TExtButtonAppearance::SetColorTo,
                     &TExtButtonAppearance::SetBorderColor, &TExtButtonAppearance::SetColorHot,
                     &TExtButtonAppearance::SetBorderColorHot})
        (a->*set)(clNone);
    Start(d);
    d->ShowDropDown();
    QApplication::processEvents();
    TExtHeader* header = d->DropDownForm()->Header();
    TExtButton* b = header->Button(0);
    ASSERT_GT(b->Height(), 20);
    // The strip's own painting, without its buttons.
    QImage strip(header->Width(), header->Height(), QImage::Format_ARGB32_Premultiplied);
    header->Widget()->render(&strip, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    const QImage button = b->Widget()->grab().toImage();
    const int cx = b->Width() / 2, cy = b->Height() / 2;
    EXPECT_EQ(Pixel(button, cx, cy), Pixel(strip, b->Left() + cx, b->Top() + cy));
    // A gradient indeed: the top and the bottom differ.
    EXPECT_NE(Pixel(button, cx, 1), Pixel(button, cx, b->Height() - 2));
}

} // namespace
