// The push button as a control: kinds, glyph, colour presets, mouse, keys, Default/Cancel,
// accelerator, modal result and the hot-track fade, on real widgets.
#include "grid/base/FadeButton.h"

#include "platform/controls/ActnList.h"
#include "platform/controls/Forms.h"
#include "platform/graphics/ImgList.h"
#include "platform/controls/Menus.h"

#include <QApplication>
#include <QEnterEvent>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace
{

constexpr TColor FormFace = 0xEDF7F8;

// ---- Properties ---------------------------------------------------------------------------------

TEST(FadeButtonProperties, KindBringsResultCaptionAndGlyphUntilModalResultIsSet)
{
    TFadeButton button(nullptr);
    button.SetKind(bkCancel);
    EXPECT_EQ(button.Kind(), bkCancel);
    EXPECT_EQ(button.ModalResult(), mrCancel);
    EXPECT_EQ(button.Caption(), "Abbrechen");
    EXPECT_EQ(button.NumGlyphs(), 2);
    EXPECT_EQ(button.Glyph()->Width(), 36);
    EXPECT_EQ(button.Glyph()->Height(), 18);

    button.SetModalResult(mrOk);
    EXPECT_EQ(button.Kind(), bkCustom);
    EXPECT_EQ(button.Caption(), "Abbrechen");
    EXPECT_EQ(button.NumGlyphs(), 2);
    EXPECT_EQ(button.Glyph()->Width(), 36);
}

TEST(FadeButtonProperties, EveryKindHasItsRow)
{
    struct {
        TFadeButtonKind kind;
        TModalResult result;
        const char* caption;
        int glyphHeight;
    } rows[] = {
        {bkOK, 1, "OK", 18},           {bkCancel, 2, "Abbrechen", 18},  {bkHelp, 0, "Hilfe", 18},
        {bkYes, 6, "Ja", 18},          {bkNo, 7, "Nein", 18},           {bkClose, 0, "Schließen", 18},
        {bkAbort, 3, "Abbrechen", 18}, {bkRetry, 4, "Wiederholen", 18}, {bkIgnore, 5, "Ignorieren", 18},
        {bkAll, 12, "Alle", 19}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.caption);
        TFadeButton button(nullptr);
        button.SetKind(row.kind);
        EXPECT_EQ(button.Kind(), row.kind);
        EXPECT_EQ(button.ModalResult(), row.result);
        EXPECT_EQ(button.Caption(), QString::fromUtf8(row.caption));
        EXPECT_EQ(button.Glyph()->Height(), row.glyphHeight);
        EXPECT_EQ(button.NumGlyphs(), 2);
    }
}

TEST(FadeButtonProperties, CustomKindKeepsGlyphCaptionAndResult)
{
    TFadeButton button(nullptr);
    button.SetKind(bkYes);
    button.SetKind(bkCustom);
    EXPECT_EQ(button.Kind(), bkCustom);
    EXPECT_EQ(button.Caption(), "Ja");
    EXPECT_EQ(button.ModalResult(), mrYes);
    EXPECT_FALSE(button.Glyph()->Empty());
}

TEST(FadeButtonProperties, GlyphSetsCellCountAndCustomKind)
{
    struct {
        int w, h, cells;
    } cases[] = {{48, 16, 3}, {16, 16, 1}, {24, 24, 1}, {40, 16, 2}};
    for (const auto& c : cases) {
        TFadeButton button(nullptr);
        button.SetKind(bkOK);
        TBitmap glyph(c.w, c.h);
        button.SetGlyph(&glyph);
        EXPECT_EQ(button.NumGlyphs(), c.cells) << c.w << "x" << c.h;
        EXPECT_EQ(button.Kind(), bkCustom);
        EXPECT_EQ(button.Glyph()->Width(), c.w);
    }
    TFadeButton button(nullptr);
    TBitmap glyph(48, 16);
    button.SetGlyph(&glyph);
    button.SetGlyph(nullptr);
    EXPECT_EQ(button.NumGlyphs(), 0);
    EXPECT_TRUE(button.Glyph()->Empty());
    TBitmap flat(48, 0);
    button.SetGlyph(&flat);
    EXPECT_EQ(button.NumGlyphs(), 0);
}

TEST(FadeButtonProperties, ColorStyleAppliesItsPresetAndReadsCustom)
{
    TFadeButton button(nullptr);
    button.SetColorStyle(lcsQuicken);
    EXPECT_EQ(button.Color(), TColor(0x603000));
    EXPECT_EQ(button.LightColor(), TColor(0xC0C0C0));
    EXPECT_EQ(button.ShadowColor(), TColor(0xC0C0C0));
    EXPECT_EQ(button.ColorWhenDown(), TColor(0xAD6529));
    EXPECT_EQ(button.HotTrackColor(), TColor(0xCEAE9C));
    EXPECT_EQ(TColor(button.Font->Color), TColor(0xFFFFFF));
    EXPECT_FALSE(button.Flat());
    EXPECT_EQ(button.Style(), bsQuicken);
    EXPECT_EQ(button.ColorStyle(), lcsCustom);

    button.SetColorStyle(lcsUltraFlat2);
    EXPECT_EQ(button.Color(), clBtnFace);
    EXPECT_EQ(button.LightColor(), TColor(0x000000));
    EXPECT_EQ(button.ColorWhenDown(), TColor(0x24DABC));
    EXPECT_EQ(TColor(button.Font->Color), TColor(clBlack));
    EXPECT_TRUE(button.Flat());
    EXPECT_EQ(button.Style(), bsNormal);

    button.SetColorStyle(lcsCustom); // changes nothing
    EXPECT_EQ(button.ColorWhenDown(), TColor(0x24DABC));
    EXPECT_TRUE(button.Flat());
}

TEST(FadeButtonProperties, CreationDefaults)
{
    TForm form(nullptr);
    form.Font->Size = 12;
    TFadeButton button(&form);
    EXPECT_EQ(button.Width(), 100);
    EXPECT_EQ(button.Height(), 23);
    EXPECT_EQ(button.Color(), clBtnFace);
    EXPECT_EQ(button.LightColor(), clWhite);
    EXPECT_EQ(button.ShadowColor(), TColor(clGray));
    EXPECT_EQ(button.ColorWhenDown(), clNone);
    EXPECT_EQ(button.HotTrackColor(), clNone);
    EXPECT_EQ(button.Style(), bsNormal);
    EXPECT_EQ(button.Alignment(), taCenter);
    EXPECT_TRUE(button.TabStop());
    EXPECT_EQ(button.HotTrackFont()->Size, 12); // the owner form's font
    ASSERT_NE(button.FadeThread(), nullptr);
    EXPECT_TRUE(button.FadeThread()->Suspended());
    EXPECT_EQ(button.Kind(), bkCustom);
    EXPECT_EQ(button.ColorStyle(), lcsCustom);
    EXPECT_EQ(button.Layout(), blGlyphLeft);
    EXPECT_EQ(button.ModalResult(), mrNone);
    EXPECT_EQ(button.NumGlyphs(), 0);
    EXPECT_TRUE(button.Glyph()->Empty());
    EXPECT_FALSE(button.Flat());
    EXPECT_FALSE(button.WordWrap());
    EXPECT_FALSE(button.Default());
    EXPECT_FALSE(button.Cancel());
    EXPECT_FALSE(button.SlowDecease());
    EXPECT_FALSE(button.UseHotTrackFont());
    EXPECT_FALSE(button.IsDown());
    EXPECT_FALSE(button.CursorOnButton());
    EXPECT_EQ(button.HotTrackStep(), 0);

    TFont plain;
    TFadeButton orphan(nullptr); // no form to copy from: a default font
    EXPECT_EQ(orphan.HotTrackFont()->Size, plain.Size);
}

TEST(FadeButtonProperties, EveryColorStyleWritesItsWholeRow)
{
    struct {
        TFadeColorStyle style;
        TColor color, light, shadow, down, hot, font;
        bool flat;
        TFadeButtonStyle look;
    } rows[] = {
        {lcsGold, 0x00C0C0, 0x00FFFF, 0x008080, clNone, 0x00DFDF, clBlack, false, bsModern},
        {lcsChrome, 0xC0C0C0, 0xFFFFFF, 0x808080, clNone, clNone, clBlack, false, bsModern},
        {lcsBlue, 0xFF8000, 0xFFFF00, 0xFF0000, clNone, clNone, clBlack, false, bsModern},
        {lcsRed, 0x0000FF, 0xC0C0FF, 0x0000C0, clNone, clNone, clBlack, false, bsModern},
        {lcsUltraFlat1, clBtnFace, 0xB59284, 0xB59284, 0xB59284, 0xDED3D6, clBlack, true, bsNormal},
        {lcsUltraFlat2, clBtnFace, 0x000000, 0x000000, 0x24DABC, 0x8CF6E4, clBlack, true, bsNormal},
        {lcsUltraFlatXP, 0xD1D8DB, 0xB59284, 0xB59285, 0xB59285, 0xD2BDB6, clBlack, true, bsNormal},
        {lcsAqua, 0xECCE94, 0xFCE6D4, 0x000000, clNone, clNone, clBlack, false, bsModern},
        {lcsDefault, clBtnFace, 0xFFFFFF, 0x808080, clNone, clNone, clBlack, false, bsNormal},
        {lcsQuicken, 0x603000, 0xC0C0C0, 0xC0C0C0, 0xAD6529, 0xCEAE9C, 0xFFFFFF, false, bsQuicken}};
    for (const auto& row : rows) {
        SCOPED_TRACE(int(row.style));
        // Start from values no row has, so that every column is seen to be written.
        TFadeButton button(nullptr);
        button.SetColor(0x010203);
        button.Font->Color = 0x040506;
        button.SetLightColor(0x070809);
        button.SetShadowColor(0x0A0B0C);
        button.SetColorWhenDown(0x0D0E0F);
        button.SetHotTrackColor(0x101112);
        button.SetFlat(!row.flat);
        button.SetStyle(bsOld);
        button.SetColorStyle(row.style);
        EXPECT_EQ(button.Color(), row.color);
        EXPECT_EQ(TColor(button.Font->Color), row.font);
        EXPECT_EQ(button.LightColor(), row.light);
        EXPECT_EQ(button.ShadowColor(), row.shadow);
        EXPECT_EQ(button.ColorWhenDown(), row.down);
        EXPECT_EQ(button.HotTrackColor(), row.hot);
        EXPECT_EQ(button.Flat(), row.flat);
        EXPECT_EQ(button.Style(), row.look);
        EXPECT_EQ(button.ColorStyle(), lcsCustom);
    }
}

// ---- On a form ----------------------------------------------------------------------------------

// A focusable control that is no button (stands for an edit); counts the characters it gets.
class TTestBox : public TCustomControl
{
  public:
    using TCustomControl::TCustomControl;
    int Chars = 0;
    void HandleKeyPress(char16_t& Key) override
    {
        ++Chars;
        TCustomControl::HandleKeyPress(Key);
    }
};
class TTestRadioButton : public TCustomControl
{
  public:
    using TCustomControl::TCustomControl;
};

class FadeButtonOnForm : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(50, 50, 400, 200);
        edit = Place(new TTestBox(form.get()), 10, 10, 120, 24);
        radio = Place(new TTestRadioButton(form.get()), 140, 10, 120, 24);
        ok = AddButton("&OK", 10, 50);
        ok->SetDefault(true);
        cancel = AddButton("Cancel", 130, 50);
        cancel->SetCancel(true);
        other = AddButton("Other", 250, 50);
        form->Show();
        QApplication::setActiveWindow(form->Widget());
    }

    template <class T> T* Place(T* control, int x, int y, int w, int h)
    {
        control->SetParent(form.get());
        control->SetBounds(x, y, w, h);
        control->SetTabStop(true);
        return control;
    }

    TFadeButton* AddButton(const QString& caption, int x, int y)
    {
        auto* b = Place(new TFadeButton(form.get()), x, y, 110, 28);
        b->SetCaption(caption);
        b->SetColor(FormFace);
        b->SetLightColor(clGray);
        b->SetColorWhenDown(0x0080FF);
        b->SetHotTrackColor(clYellow);
        b->SetStyle(bsEncarta);
        b->OnClick = [this, b](TObject* sender) {
            EXPECT_EQ(sender, b);
            clicks[b]++;
        };
        return b;
    }

    void Focus(TWinControl* control)
    {
        control->SetFocus();
        QApplication::processEvents();
        ASSERT_EQ(QApplication::focusWidget(), control->Widget());
    }

    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* target = QApplication::focusWidget();
        ASSERT_NE(target, nullptr);
        QTest::keyClick(target, key, modifiers);
    }

    static TColor FacePixel(TFadeButton* b)
    {
        // Left of the caption and the focus rectangle, inside the border.
        return QColorToColor(b->Widget()->grab().toImage().pixelColor(2, 2));
    }

    static void Enter(TFadeButton* b)
    {
        QEnterEvent e(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QApplication::sendEvent(b->Widget(), &e);
    }

    static void Leave(TFadeButton* b)
    {
        QEvent e(QEvent::Leave);
        QApplication::sendEvent(b->Widget(), &e);
    }

    std::unique_ptr<TForm> form;
    TTestBox* edit = nullptr;
    TTestRadioButton* radio = nullptr;
    TFadeButton* ok = nullptr;
    TFadeButton* cancel = nullptr;
    TFadeButton* other = nullptr;
    std::map<TFadeButton*, int> clicks;
};

TEST_F(FadeButtonOnForm, ReleaseOutsideStillClicksOnce)
{
    QWidget* w = other->Widget();
    QTest::mousePress(w, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(other->IsDown());
    EXPECT_TRUE(other->Focused());
    QTest::mouseMove(w, QPoint(-20, -20));
    QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(-20, -20));
    EXPECT_EQ(clicks[other], 1);
    EXPECT_FALSE(other->IsDown());
}

TEST_F(FadeButtonOnForm, QuickSecondPressIsAnotherClick)
{
    // What the window system delivers for a double click: press, release, double click, release.
    const QPointF at(5, 5);
    const QEvent::Type sequence[] = {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                     QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease};
    for (QEvent::Type type : sequence) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent e(type, at, other->Widget()->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(other->Widget(), &e);
    }
    EXPECT_EQ(clicks[other], 2);
}

TEST_F(FadeButtonOnForm, DisabledButtonIgnoresTheMouseAndIsNotDrawnPressed)
{
    other->SetEnabled(false);
    QTest::mouseClick(other->Widget(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks[other], 0);
    EXPECT_FALSE(other->IsDown());
    EXPECT_EQ(FacePixel(other), FormFace);
}

TEST_F(FadeButtonOnForm, PressedFaceTakesTheDownColour)
{
    QTest::mousePress(other->Widget(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(FacePixel(other), TColor(0x0080FF));
    QTest::mouseRelease(other->Widget(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(FacePixel(other), FormFace);
}

struct KeyCase {
    const char* name;
    int focus; // 0 edit, 1 radio button, 2 the "Other" button
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int okClicks, cancelClicks, otherClicks;
};

class FadeButtonKeys : public FadeButtonOnForm, public ::testing::WithParamInterface<KeyCase>
{
};

TEST_P(FadeButtonKeys, ClickTheRightButton)
{
    const KeyCase& c = GetParam();
    TWinControl* targets[] = {edit, radio, other};
    Focus(targets[c.focus]);
    Key(c.key, c.modifiers);
    EXPECT_EQ(clicks[ok], c.okClicks);
    EXPECT_EQ(clicks[cancel], c.cancelClicks);
    EXPECT_EQ(clicks[other], c.otherClicks);
}

INSTANTIATE_TEST_SUITE_P(
    FadeButton, FadeButtonKeys,
    ::testing::Values(KeyCase{"enterInEditClicksDefault", 0, Qt::Key_Return, Qt::NoModifier, 1, 0, 0},
                      KeyCase{"enterOnRadioButtonClicksDefault", 1, Qt::Key_Return, Qt::NoModifier, 1, 0, 0},
                      KeyCase{"enterOnButtonClicksThatButton", 2, Qt::Key_Return, Qt::NoModifier, 0, 0, 1},
                      KeyCase{"spaceOnButtonClicksThatButton", 2, Qt::Key_Space, Qt::NoModifier, 0, 0, 1},
                      KeyCase{"escapeClicksCancel", 0, Qt::Key_Escape, Qt::NoModifier, 0, 1, 0},
                      KeyCase{"escapeClicksCancelWhileAButtonHasFocus", 2, Qt::Key_Escape, Qt::NoModifier, 0,
                              1, 0},
                      KeyCase{"shiftEscapeClicksNothing", 0, Qt::Key_Escape, Qt::ShiftModifier, 0, 0, 0},
                      KeyCase{"ctrlEscapeClicksNothing", 0, Qt::Key_Escape, Qt::ControlModifier, 0, 0, 0},
                      KeyCase{"altLetterClicksItsButton", 0, Qt::Key_O, Qt::AltModifier, 1, 0, 0},
                      KeyCase{"altOtherLetterClicksNothing", 2, Qt::Key_X, Qt::AltModifier, 0, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FadeButtonOnForm, KeyReleaseWithoutItsPressClicksNothing)
{
    // The release of an Enter pressed in a dialog that has closed meanwhile reaches this button.
    Focus(other);
    QTest::keyRelease(other->Widget(), Qt::Key_Return);
    QTest::keyRelease(other->Widget(), Qt::Key_Space);
    EXPECT_EQ(clicks[other], 0);
    QTest::keyPress(other->Widget(), Qt::Key_Space);
    QTest::keyRelease(other->Widget(), Qt::Key_Space);
    EXPECT_EQ(clicks[other], 1);
}

TEST_F(FadeButtonOnForm, HeldSpaceOrEnterClicksOnceAtTheRelease)
{
    // 1.5 s of holding is about 22 repeats. Qt marks the release/press pair of each as auto-repeat;
    // X11 with detectable auto-repeat sends bare presses instead.
    Focus(other);
    quint64 time = 1000;
    for (bool pairs : {true, false}) {
        for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return}) {
            SCOPED_TRACE(std::string(pairs ? "pairs, " : "bare presses, ") +
                         (key == Qt::Key_Space ? "space" : "enter"));
            clicks.clear();
            const QString text = key == Qt::Key_Space ? " " : "\r";
            auto send = [&](QEvent::Type type, bool autoRepeat) {
                QKeyEvent e(type, key, Qt::NoModifier, text, autoRepeat);
                e.setTimestamp(time += 30);
                QApplication::sendEvent(other->Widget(), &e);
            };
            send(QEvent::KeyPress, false);
            for (int i = 0; i < 22; ++i) {
                if (pairs)
                    send(QEvent::KeyRelease, true);
                send(QEvent::KeyPress, pairs);
                EXPECT_TRUE(other->IsDown());
            }
            EXPECT_EQ(clicks[other], 0);
            send(QEvent::KeyRelease, false);
            EXPECT_EQ(clicks[other], 1);
            EXPECT_EQ(clicks[ok], 0);
        }
    }
}

TEST_F(FadeButtonOnForm, HidingForgetsHoverAndPress)
{
    // A button under the pointer and pressed when its form hides comes back plain, whether the
    // form or the button itself was hidden.
    for (bool wholeForm : {true, false}) {
        SCOPED_TRACE(wholeForm);
        Enter(other);
        QTest::mousePress(other->Widget(), Qt::LeftButton, {}, QPoint(5, 5));
        ASSERT_TRUE(other->CursorOnButton());
        ASSERT_TRUE(other->IsDown());
        int exits = 0;
        other->OnMouseExit = [&](TObject*) { ++exits; };
        if (wholeForm)
            form->Hide();
        else
            other->Hide();
        EXPECT_FALSE(other->CursorOnButton());
        EXPECT_FALSE(other->IsDown());
        EXPECT_EQ(other->HotTrackStep(), 0);
        EXPECT_EQ(GetCaptureControl(), nullptr);
        if (wholeForm)
            form->Show();
        else
            other->Show();
        QApplication::processEvents();
        edit->SetFocus();
        QApplication::processEvents();
        EXPECT_EQ(FacePixel(other), FormFace);
        QTest::mouseRelease(other->Widget(), Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_EQ(clicks[other], 0); // the press was forgotten with the rest
        other->OnMouseExit = nullptr;
    }
}

TEST_F(FadeButtonOnForm, DisabledDefaultStillTakesEnterButDoesNotClick)
{
    ok->SetEnabled(false);
    Focus(edit);
    Key(Qt::Key_Return);
    EXPECT_EQ(clicks[ok], 0);
    EXPECT_EQ(edit->Chars, 0); // the key went no further
    Key(Qt::Key_A);
    EXPECT_EQ(edit->Chars, 1);
}

TEST_F(FadeButtonOnForm, CancelRefusesEscapeWhileDisabledOrHidden)
{
    Focus(edit);
    cancel->SetEnabled(false);
    Key(Qt::Key_Escape);
    cancel->SetEnabled(true);
    cancel->SetVisible(false);
    Key(Qt::Key_Escape);
    EXPECT_EQ(clicks[cancel], 0);
}

TEST_F(FadeButtonOnForm, AcceleratorNeedsAnEnabledButton)
{
    Focus(edit);
    ok->SetEnabled(false);
    Key(Qt::Key_O, Qt::AltModifier);
    EXPECT_EQ(clicks[ok], 0);
}

TEST_F(FadeButtonOnForm, ModalResultClosesTheModalFormAfterOnClick)
{
    form->Hide();
    other->SetModalResult(mrCancel);
    TModalResult seenInClick = -1;
    other->OnClick = [&](TObject*) { seenInClick = form->ModalResult(); };
    QTimer click;
    click.setSingleShot(true);
    QObject::connect(&click, &QTimer::timeout,
                     [&] { QTest::mouseClick(other->Widget(), Qt::LeftButton, {}, QPoint(5, 5)); });
    click.start(0);
    QTimer guard; // ends a stuck dialog so that the test fails instead of hanging
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&] { form->SetModalResult(99); });
    guard.start(5000);
    EXPECT_EQ(form->ShowModal(), mrCancel);
    EXPECT_EQ(seenInClick, mrNone);
}

TEST_F(FadeButtonOnForm, KeyedOutFacesShowTheFormBeneath)
{
    other->SetStyle(bsShape);
    other->SetCaption("Shape");
    other->Font->Color = clBlack;
    cancel->SetColorStyle(lcsChrome);
    const QImage shot = form->Widget()->grab().toImage();
    const TColor beneath = QColorToColor(shot.pixelColor(5, 150));
    const QRect rounded = cancel->Widget()->geometry();
    EXPECT_EQ(QColorToColor(shot.pixelColor(rounded.topLeft())), beneath);
    EXPECT_EQ(QColorToColor(shot.pixelColor(rounded.bottomRight())), beneath);

    // The shape's caption edges blend with the grey form, not with the magenta key: every pixel
    // of a black caption over grey stays grey.
    ASSERT_EQ(GetRValue(beneath), GetGValue(beneath));
    const QRect shape = other->Widget()->geometry();
    int captionPixels = 0;
    for (int y = shape.top(); y <= shape.bottom(); ++y)
        for (int x = shape.left(); x <= shape.right(); ++x) {
            const QColor c = shot.pixelColor(x, y);
            ASSERT_LE(std::abs(c.red() - c.green()) + std::abs(c.blue() - c.green()), 4)
                << x << "," << y << " " << c.name().toStdString();
            captionPixels += c.green() < 64;
        }
    EXPECT_GT(captionPixels, 20);
}

TEST_F(FadeButtonOnForm, ClickRunsOnClickThenModalResultThenPopupAtBottomLeft)
{
    TPopupMenu menu(form.get()); // empty: Popup returns after OnPopup
    other->SetPopupMenu(&menu);
    other->SetModalResult(mrRetry);
    std::vector<QString> order;
    other->OnClick = [&](TObject*) { order.push_back(QString("click %1").arg(form->ModalResult())); };
    menu.OnPopup = [&](TObject*) { order.push_back(QString("popup %1").arg(form->ModalResult())); };
    other->Click();
    EXPECT_EQ(order, (std::vector<QString>{"click 0", "popup 4"}));
    const TPoint corner = other->ClientToScreen(Point(0, other->Height()));
    EXPECT_EQ(menu.LastPopupX(), corner.X);
    EXPECT_EQ(menu.LastPopupY(), corner.Y);
    EXPECT_EQ(menu.PopupComponent, other);
}

TEST_F(FadeButtonOnForm, ClickActionRefusesHiddenOrDisabledButtons)
{
    other->SetModalResult(mrOk);
    other->SetEnabled(false);
    other->Click();
    other->SetEnabled(true);
    other->SetVisible(false);
    other->Click();
    EXPECT_EQ(clicks[other], 0);
    EXPECT_EQ(form->ModalResult(), mrNone);
}

TEST_F(FadeButtonOnForm, LinkedActionGivesAnEmptyGlyphItsImage)
{
    TImageList images(form.get());
    images.SetSize(16, 16);
    TBitmap picture(16, 16);
    picture.Canvas->Brush->Color = clRed;
    picture.Canvas->FillRect(Rect(0, 0, 16, 16));
    images.Add(&picture);
    TActionList actions(form.get());
    actions.SetImages(&images);
    struct {
        int imageIndex;
        bool hadGlyph;
        bool takesImage;
    } cases[] = {{0, false, true}, {1, false, false}, {-1, false, false}, {0, true, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.imageIndex << c.hadGlyph);
        TFadeButton* b = AddButton("Action", 10, 120);
        TBitmap strip(36, 18);
        if (c.hadGlyph)
            b->SetGlyph(&strip);
        TAction action(form.get());
        action.SetActionList(&actions);
        action.SetImageIndex(c.imageIndex);
        b->SetAction(&action);
        if (c.takesImage) {
            EXPECT_EQ(b->NumGlyphs(), 1);
            ASSERT_EQ(b->Glyph()->Width(), 16);
            EXPECT_EQ(QColorToColor(b->Glyph()->Image().pixelColor(8, 8)), TColor(clRed));
        } else {
            EXPECT_EQ(b->NumGlyphs(), c.hadGlyph ? 2 : 0);
            EXPECT_EQ(b->Glyph()->Width(), c.hadGlyph ? 36 : 0);
        }
        delete b;
    }
}

// ---- Hot tracking and fade ----------------------------------------------------------------------

TEST_F(FadeButtonOnForm, FocusedOldStyleButtonIsFramedInBlack)
{
    other->SetStyle(bsOld);
    other->SetLightColor(clWhite);
    const int w = other->Width(), h = other->Height();
    auto pixel = [&](int x, int y) {
        return QColorToColor(other->Widget()->grab().toImage().pixelColor(x, y));
    };
    EXPECT_EQ(pixel(0, 0), clWhite);
    Focus(other);
    EXPECT_EQ(pixel(0, 0), clBlack);
    EXPECT_EQ(pixel(w - 1, h - 1), clBlack);
    EXPECT_EQ(pixel(1, 1), clWhite); // the face, one pixel in
    EXPECT_EQ(pixel(w - 2, h - 2), ColorToRGB(cl3DDkShadow));
}

TEST_F(FadeButtonOnForm, HotTrackFontOnlyWhileHot)
{
    other->SetCaption("HHHH");
    other->Font->Color = clBlack;
    other->HotTrackFont()->Color = clRed;
    other->SetUseHotTrackFont(true);
    auto redPixels = [&] {
        const QImage image = other->Widget()->grab().toImage();
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                n += c.red() > 200 && c.green() < 80 && c.blue() < 80;
            }
        return n;
    };
    EXPECT_EQ(redPixels(), 0);
    Enter(other);
    EXPECT_GT(redPixels(), 10);
}

TEST_F(FadeButtonOnForm, LeavingWithoutSlowDeceaseRestoresAtOnce)
{
    int entered = 0, exited = 0;
    other->OnMouseEnter = [&](TObject*) { ++entered; };
    other->OnMouseExit = [&](TObject*) { ++exited; };
    Enter(other);
    EXPECT_TRUE(other->CursorOnButton());
    EXPECT_EQ(other->HotTrackStep(), 8);
    EXPECT_EQ(FacePixel(other), TColor(clYellow));
    Leave(other);
    EXPECT_FALSE(other->CursorOnButton());
    EXPECT_EQ(other->HotTrackStep(), 0);
    EXPECT_EQ(FacePixel(other), FormFace);
    EXPECT_TRUE(other->FadeThread()->Suspended());
    EXPECT_EQ(entered, 1);
    EXPECT_EQ(exited, 1);
}

TEST_F(FadeButtonOnForm, DisabledButtonIsNotHotTracked)
{
    int entered = 0;
    other->OnMouseEnter = [&](TObject*) { ++entered; };
    other->SetEnabled(false);
    Enter(other);
    EXPECT_FALSE(other->CursorOnButton());
    EXPECT_EQ(other->HotTrackStep(), 0);
    EXPECT_EQ(entered, 0);
}

TEST_F(FadeButtonOnForm, SlowDeceaseFadesOneStepPerTick)
{
    other->SetSlowDecease(true);
    Enter(other);
    Leave(other);
    EXPECT_EQ(other->HotTrackStep(), 8);
    EXPECT_FALSE(other->FadeThread()->Suspended());
    EXPECT_EQ(FacePixel(other), TColor(clYellow));
    for (int step = 7; step >= 0; --step) {
        other->FadeThread()->DoEvent();
        EXPECT_EQ(other->HotTrackStep(), step);
        EXPECT_EQ(FacePixel(other), FadeButtonFaceColor(FormFace, clYellow, clNone, true, false, step))
            << step;
        if (step == 7) {
            EXPECT_EQ(FacePixel(other), RGB(254, 254, 29));
        }
        EXPECT_EQ(other->FadeThread()->Suspended(), step == 0) << step;
    }
}

TEST_F(FadeButtonOnForm, EnteringStopsARunningFade)
{
    other->SetSlowDecease(true);
    Enter(other);
    Leave(other);
    other->FadeThread()->DoEvent();
    other->FadeThread()->DoEvent();
    EXPECT_EQ(other->HotTrackStep(), 6);
    Enter(other);
    EXPECT_EQ(other->HotTrackStep(), 8);
    EXPECT_TRUE(other->FadeThread()->Suspended());
    EXPECT_EQ(FacePixel(other), TColor(clYellow));
}

TEST_F(FadeButtonOnForm, SwitchingSlowDeceaseOffEndsTheFade)
{
    other->SetSlowDecease(true);
    Enter(other);
    Leave(other);
    other->SetSlowDecease(false);
    EXPECT_EQ(other->FadeThread(), nullptr);
    EXPECT_EQ(other->HotTrackStep(), 0);
    Enter(other);
    Leave(other); // no pacer: nothing to resume
    other->SetSlowDecease(true);
    ASSERT_NE(other->FadeThread(), nullptr);
    EXPECT_TRUE(other->FadeThread()->Suspended());
}

TEST_F(FadeButtonOnForm, DestroyingMidFadeStopsThePacer)
{
    other->SetSlowDecease(true);
    Enter(other);
    Leave(other);
    ASSERT_FALSE(other->FadeThread()->Suspended());
    delete other;
    other = nullptr;
    QApplication::processEvents();
    EXPECT_EQ(form->ControlCount(), 4);
}

} // namespace
