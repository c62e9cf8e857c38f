// The grid's check box on real widgets: size, box placement, mouse, keys, accelerator and drawing
// over its parent.
#include "grid/base/GridCheckBox.h"

#include "platform/controls/ExtCtrls.h"
#include "platform/controls/Forms.h"
#include "platform/controls/StdCtrls.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace
{

class CheckBoxOnForm : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(50, 50, 300, 200);
        panel = new TPanel(form.get());
        panel->SetParent(form.get());
        panel->SetBounds(0, 0, 300, 200);
        panel->SetBevelOuter(bvNone);
        panel->SetColor(clRed);
        box = new TExtCheckBox(form.get());
        box->SetParent(panel);
        box->SetLeft(10);
        box->SetTop(10);
        box->SetTabStop(true);
        box->OnClick = [this](TObject*) { ++clicks; };
        next = new TEdit(form.get());
        next->SetParent(panel);
        next->SetBounds(10, 50, 100, 22);
        next->SetTabStop(true);
        form->Show();
        QApplication::setActiveWindow(form->Widget());
        box->SetFocus();
        QApplication::processEvents();
    }

    QImage Shot() const { return box->Widget()->grab().toImage(); }

    // The bounding box of the pixels that are not `background`.
    static QRect Drawn(const QImage& image, TColor background)
    {
        QRect r;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (QColorToColor(image.pixelColor(x, y)) != background)
                    r |= QRect(x, y, 1, 1);
        return r;
    }

    std::unique_ptr<TForm> form;
    TPanel* panel = nullptr;
    TExtCheckBox* box = nullptr;
    TEdit* next = nullptr;
    int clicks = 0;
};

TEST_F(CheckBoxOnForm, SizeCaptionAndBoxPlaces)
{
    EXPECT_EQ(box->Width(), 98);
    EXPECT_EQ(box->Height(), 20);
    EXPECT_EQ(box->Caption(), "TExtCheckBox");
    EXPECT_EQ(box->Color(), clWindow);
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(box->State(), cbUnchecked);

    box->SetCaption("");
    box->SetColor(clYellow);
    box->SetFocus();
    struct {
        TAlignment side;
        TVAlignment vert;
        QRect expected;
    } cases[] = {
        {taLeftJustify, vtaTop, QRect(0, 4, 13, 13)},
        {taLeftJustify, vtaCenter, QRect(0, 4, 13, 13)},
        {taLeftJustify, vtaBottom, QRect(0, 3, 13, 13)},
        {taRightJustify, vtaTop, QRect(85, 4, 13, 13)},
    };
    for (const auto& c : cases) {
        box->SetAlignment(c.side);
        box->SetButtonVertAlign(c.vert);
        box->SetFocus();
        QApplication::processEvents();
        const QImage shot = Shot();
        // Left of the focus rectangle's reach for the left box; the whole control otherwise.
        EXPECT_EQ(
            Drawn(shot.copy(c.side == taLeftJustify ? QRect(0, 0, 13, 20) : QRect(80, 0, 18, 20)), clYellow)
                .translated(c.side == taLeftJustify ? 0 : 80, 0),
            c.expected)
            << int(c.side) << " " << int(c.vert);
    }
}

TEST_F(CheckBoxOnForm, ClickInsideTogglesOnceReadOnlyOnlyClicks)
{
    QTest::mouseClick(box->Widget(), Qt::LeftButton, {}, QPoint(5, 8));
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(clicks, 1);
    box->ReadOnly = true;
    QTest::mouseClick(box->Widget(), Qt::LeftButton, {}, QPoint(5, 8));
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(clicks, 2);
}

TEST_F(CheckBoxOnForm, ReleaseOutsideDoesNothing)
{
    QTest::mousePress(box->Widget(), Qt::LeftButton, {}, QPoint(5, 8));
    EXPECT_TRUE(box->Down());
    QTest::mouseMove(box->Widget(), QPoint(150, 80));
    EXPECT_FALSE(box->Down());
    QTest::mouseRelease(box->Widget(), Qt::LeftButton, {}, QPoint(150, 80));
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(clicks, 0);
}

TEST_F(CheckBoxOnForm, SpaceTogglesAtItsReleaseAndEnterMovesOnLikeTab)
{
    ASSERT_EQ(QApplication::focusWidget(), box->Widget());
    QTest::keyPress(box->Widget(), Qt::Key_Space);
    EXPECT_TRUE(box->Down());
    EXPECT_FALSE(box->Checked());
    QTest::keyRelease(box->Widget(), Qt::Key_Space);
    EXPECT_TRUE(box->Checked());
    EXPECT_FALSE(box->Down());
    EXPECT_EQ(clicks, 1);

    // Without ReturnIsTab Enter stays.
    QTest::keyClick(box->Widget(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), box->Widget());
    box->ReturnIsTab = true;
    QTest::keyClick(box->Widget(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), next->Widget());
    EXPECT_TRUE(box->Checked());
}

TEST_F(CheckBoxOnForm, AcceleratorToggles)
{
    box->SetCaption("Match &case");
    EXPECT_TRUE(form->HandleDialogChar(u'c', 0));
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(clicks, 0);
    box->SetEnabled(false);
    EXPECT_FALSE(form->HandleDialogChar(u'c', 0));
    EXPECT_TRUE(box->Checked());
}

TEST_F(CheckBoxOnForm, StateChecksAndGreys)
{
    box->SetState(cbGrayed);
    EXPECT_FALSE(box->Checked());
    box->SetChecked(true);
    EXPECT_EQ(box->State(), cbChecked);
    box->Toggle();
    EXPECT_EQ(box->State(), cbUnchecked);
}

TEST_F(CheckBoxOnForm, TransparentShowsTheParentAndTheCacheKeepsItUntilAMove)
{
    EXPECT_EQ(QColorToColor(Shot().pixelColor(90, 2)), ColorToRGB(clWindow));
    box->SetTransparent(true);
    EXPECT_EQ(QColorToColor(Shot().pixelColor(90, 2)), clRed);

    // Without the cache every paint asks the parent again.
    panel->SetColor(clBlue);
    EXPECT_EQ(QColorToColor(Shot().pixelColor(90, 2)), clBlue);

    box->TransparentChaching = true;
    EXPECT_EQ(QColorToColor(Shot().pixelColor(90, 2)), clBlue);
    panel->SetColor(clLime);
    EXPECT_EQ(QColorToColor(Shot().pixelColor(90, 2)), clBlue);
    box->SetLeft(12);
    EXPECT_EQ(QColorToColor(Shot().pixelColor(90, 2)), clLime);
}

TEST_F(CheckBoxOnForm, DisabledCaptionIsEmbossed)
{
    box->SetCaption("WWWW");
    box->SetColor(clYellow);
    box->SetEnabled(false);
    const QImage shot = Shot();
    int grey = 0, white = 0;
    for (int y = 4; y < 20; ++y)
        for (int x = 15; x < 60; ++x) {
            const TColor c = QColorToColor(shot.pixelColor(x, y));
            grey += c == TColor(0x808080);
            white += c == clWhite;
        }
    EXPECT_GT(grey, 0);
    EXPECT_GT(white, 0);
}

} // namespace
