// The flat combo box on its own: the custom-coloured drop button and border colours in pixels, the
// button width limits, the attached label's place, the focus colour and the drop-up event. Also the
// toolkit combo's notifications on a plain form (WM_COMMAND reflected by every windowed parent).
#include "grid/edit/EsgCombo.h"

#include "common/EditTestSupport.h"
#include "platform/controls/ExtCtrls.h"

#include <QImage>
#include <QLineEdit>
#include <QPixmap>

namespace esgcombotest
{

using edittest::EditOnForm;

class EsgCombo : public EditOnForm
{
  protected:
    TEsgComboBox* NewCombo(int x, int y, int w, int h)
    {
        auto* c = Place(new TEsgComboBox(form.get()), x, y, w, h);
        for (const char* s : {"one", "two", "three"})
            c->Items->Add(s);
        return c;
    }
    static TColor Pixel(const QImage& image, int x, int y)
    {
        const QColor q = image.pixelColor(x, y);
        return TColor(q.red() | (q.green() << 8) | (q.blue() << 16));
    }
    static QImage Grab(TControl* c) { return c->Widget()->grab().toImage(); }
};

TEST_F(EsgCombo, CustomButtonAndBorderColoursInPixels)
{
    // List-only: no edit field child over the pixels read.
    TEsgComboBox* c = NewCombo(10, 10, 100, 22);
    c->SetStyle(csDropDownList);
    c->IsVista = false;
    c->SetButtonWidth(19);
    c->ButtonColor = 0x000000FF;
    c->ButtonBorderColor = 0x00FF0000;
    c->ButtonTextColor = 0x0000FF00;
    TEsgComboBox* plain = NewCombo(10, 50, 100, 22);
    plain->SetStyle(csDropDownList);
    plain->SetBorderColor(0x0000FF00);
    ShowForm();
    const QImage button = Grab(c);
    ASSERT_EQ(button.width(), 100);
    EXPECT_EQ(Pixel(button, 90, 5), TColor(0x000000FF)) << "button face";
    EXPECT_EQ(Pixel(button, 83, 10), TColor(0x00FF0000)) << "button border line";
    EXPECT_EQ(Pixel(button, 90, 10), TColor(0x0000FF00)) << "arrow";
    const QImage border = Grab(plain);
    EXPECT_EQ(Pixel(border, 0, 0), TColor(0x0000FF00));
    EXPECT_EQ(Pixel(border, 99, 21), TColor(0x0000FF00));

    // The style paints IsVista without a button colour: no custom frame then.
    plain->IsVista = true;
    EXPECT_NE(Pixel(Grab(plain), 0, 0), TColor(0x0000FF00));
}

TEST_F(EsgCombo, ButtonWidthOnlyInItsRange)
{
    TEsgComboBox* c = NewCombo(10, 10, 100, 22);
    EXPECT_EQ(c->ButtonWidth(), 19);
    const struct {
        int value;
        int expected;
    } cases[] = {{13, 19}, {14, 14}, {33, 14}, {32, 32}};
    for (const auto& k : cases) {
        c->SetButtonWidth(k.value);
        EXPECT_EQ(c->ButtonWidth(), k.expected) << k.value;
    }
}

TEST_F(EsgCombo, LabelFollowsTheComboAndFocusColourComesAndGoes)
{
    TEsgComboBox* c = NewCombo(100, 60, 120, 22);
    EXPECT_EQ(c->LabelCaption(), "");
    EXPECT_EQ(c->ComboLabel(), nullptr);
    c->SetLabelCaption("");
    ASSERT_NE(c->ComboLabel(), nullptr) << "also '' creates the label";
    c->SetLabelCaption("Kind");
    c->SetLabelPosition(lpTopLeft);
    c->SetLabelMargin(4);
    TLabel* l = c->ComboLabel();
    EXPECT_EQ(l->Top(), 60 - l->Height() - 4);
    EXPECT_EQ(l->Left(), 100);
    c->SetBounds(130, 90, 120, 22);
    EXPECT_EQ(l->Top(), 90 - l->Height() - 4);
    EXPECT_EQ(l->Left(), 130);
    c->SetVisible(false);
    EXPECT_FALSE(l->Visible());
    c->SetVisible(true);

    // The label font is the combo's while ParentFont is on.
    TFont big;
    big.Size = 20;
    c->SetLabelFont(&big);
    EXPECT_NE(c->LabelFont()->Size, 20);

    c->SetColor(0x00EEEEEE);
    c->Init();
    c->FocusColor = 0x0000FFFF;
    ShowForm();
    Focus(c);
    EXPECT_EQ(c->Color(), TColor(0x0000FFFF));
    Focus(other);
    EXPECT_EQ(c->Color(), TColor(0x00EEEEEE));
}

TEST_F(EsgCombo, DropUpOncePerClosingAndNotificationsOnAPlainForm)
{
    TEsgComboBox* c = NewCombo(10, 10, 120, 22);
    int dropUps = 0, dropDowns = 0, changes = 0, selects = 0;
    c->OnDropUp = [&](TObject* s) {
        EXPECT_EQ(s, c);
        ++dropUps;
    };
    c->OnDropDown = [&](TObject*) { ++dropDowns; };
    c->OnChange = [&](TObject*) { ++changes; };
    c->OnSelect = [&](TObject*) { ++selects; };
    ShowForm();
    Focus(c);
    c->SetDroppedDown(true);
    QApplication::processEvents();
    EXPECT_EQ(dropDowns, 1);
    EXPECT_EQ(dropUps, 0) << "not on opening";
    c->SetDroppedDown(false);
    c->SetDroppedDown(false);
    QApplication::processEvents();
    EXPECT_EQ(dropUps, 1);

    // Code changes fire nothing; the user's do, through the form's reflection.
    c->SetItemIndex(1);
    c->SetText("three");
    EXPECT_EQ(changes + selects, 0);
    c->SetItemIndex(0);
    Key(c, Qt::Key_Down);
    EXPECT_EQ(c->ItemIndex(), 1);
    EXPECT_EQ(selects, 1);
    Type(c, "x");
    EXPECT_EQ(changes, 1);

    // The wheel never turns the selection by itself.
    QWheelEvent wheel(QPointF(5, 5), QPointF(c->Widget()->mapToGlobal(QPoint(5, 5))), QPoint(),
                      QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    const int before = c->ItemIndex();
    QApplication::sendEvent(c->Widget(), &wheel);
    EXPECT_EQ(c->ItemIndex(), before);
}

TEST_F(EsgCombo, EditFieldStaysClearOfTheButtonAndASimpleComboHasNone)
{
    // Editable: the edit field is a child that paints itself; it must end left of the button zone.
    TEsgComboBox* c = NewCombo(10, 10, 100, 22);
    c->IsVista = false;
    c->SetButtonWidth(32);
    c->ButtonColor = 0x000000FF;
    c->ButtonBorderColor = 0x00FF0000;
    c->ButtonTextColor = 0x0000FF00;
    c->SetText("a text as wide as the combo itself");
    TEsgComboBox* simple = NewCombo(10, 50, 100, 22);
    simple->SetStyle(csSimple);
    simple->IsVista = false;
    simple->SetColor(0x00F0F0F0);
    simple->SetBorderColor(0x0000FF00);
    ShowForm();
    const QImage button = Grab(c);
    EXPECT_LE(c->LineEdit()->geometry().right(), 100 - 32 - 4 - 1);
    EXPECT_EQ(Pixel(button, 100 - 32 + 4, 5), TColor(0x000000FF)) << "button face left of the old field end";
    EXPECT_EQ(Pixel(button, 90, 5), TColor(0x000000FF));

    // Without a colour of its own the style paints the combo, field and arrow where Qt puts them.
    c->ButtonColor = clNone;
    c->IsVista = true;
    Grab(c);
    EXPECT_GT(c->LineEdit()->geometry().right(), 100 - 32 - 4 - 1);

    // csSimple: no button, its field runs to the right border, the border colour is drawn.
    const QImage plain = Grab(simple);
    EXPECT_EQ(Pixel(plain, 0, 0), TColor(0x0000FF00));
    EXPECT_EQ(Pixel(plain, 99, 21), TColor(0x0000FF00));
    for (int x = 100 - simple->ButtonWidth() - 4; x < 98; ++x)
        for (int y : {3, 10, 18})
            ASSERT_EQ(Pixel(plain, x, y), TColor(0x00F0F0F0)) << "no drop button at " << x << "," << y;
    EXPECT_GE(simple->LineEdit()->geometry().right(), 100 - simple->ButtonWidth());
}

TEST_F(EsgCombo, LabelTakesTheCaptionWidthAndItsEnabledRulesFromLoading)
{
    // Placed left of the combo by the measured caption.
    TEsgComboBox* c = NewCombo(150, 40, 120, 22);
    c->SetLabelCaption("&Kind of item");
    TLabel* l = c->ComboLabel();
    EXPECT_EQ(l->Left() + l->Width() + 4, 150) << "lpLeftTop: the caption's width and the margin";
    EXPECT_EQ(l->Top(), 40);
    EXPECT_EQ(l->Parent(), form.get());

    // Loaded on a disabled combo: the label follows unless LabelAlwaysEnabled.
    form->BeginLoading();
    TEsgComboBox* follows = NewCombo(150, 80, 120, 22);
    follows->SetLabelCaption("follows");
    follows->SetEnabled(false);
    TEsgComboBox* always = NewCombo(150, 120, 120, 22);
    always->SetLabelCaption("always");
    always->SetLabelAlwaysEnabled(true);
    always->SetEnabled(false);
    form->EndLoading();
    EXPECT_FALSE(follows->ComboLabel()->Enabled());
    EXPECT_TRUE(always->ComboLabel()->Enabled());

    // Switched on later the label is enabled at once; switched off it follows the combo again.
    follows->SetLabelAlwaysEnabled(true);
    EXPECT_TRUE(follows->ComboLabel()->Enabled());
    follows->SetEnabled(true);
    follows->SetEnabled(false);
    EXPECT_TRUE(follows->ComboLabel()->Enabled());
    follows->SetLabelAlwaysEnabled(false);
    EXPECT_FALSE(follows->ComboLabel()->Enabled());

    // Bold while focused survives a move (the label is placed again with its font).
    c->FocusLabel = true;
    ShowForm();
    Focus(c);
    EXPECT_TRUE(l->Font->Style & fsBold);
    c->SetBounds(160, 40, 120, 22);
    EXPECT_TRUE(l->Font->Style & fsBold);
    Focus(other);
    EXPECT_FALSE(l->Font->Style & fsBold);
}

TEST_F(EsgCombo, TheLabelMovesToTheCombosNewParent)
{
    auto panel = std::make_unique<TPanel>(form.get());
    panel->SetParent(form.get());
    panel->SetBounds(0, 0, 300, 100);
    TEsgComboBox* c = NewCombo(150, 40, 120, 22);
    c->SetParent(panel.get());
    c->SetLabelCaption("x");
    ASSERT_EQ(c->ComboLabel()->Parent(), panel.get());
    c->SetParent(form.get());
    EXPECT_EQ(c->ComboLabel()->Parent(), form.get());
    // Freeing the old parent leaves both alone; the form frees the label before the combo.
    panel.reset();
    EXPECT_EQ(c->ComboLabel()->Caption(), "x");
}

} // namespace esgcombotest
