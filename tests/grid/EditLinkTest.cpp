// The custom editor link: a test descendant edits edCustom cells with a plain edit, in place and in
// the popup form; keys go to the focused widget as the user would type them.
#include "grid/edit/EditLink.h"
#include "grid/core/ExtCGrid.h"
#include "platform/controls/DialogKeyAnswer.h"
#include "platform/controls/Forms.h"
#include "platform/controls/StdCtrls.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace editlinktest
{

// A link that edits with a TEdit.
class TEditEditLink : public TEditLink
{
  public:
    using TEditLink::TEditLink;

    TEdit* Edit = nullptr;
    int Creates = 0;

    TWinControl* GetEditControl() override { return Edit; }
    void CreateEditor(TWinControl* AParent) override
    {
        ++Creates;
        if (!Edit) {
            Edit = new TEdit(AParent);
            Edit->OnKeyDown = [this](TObject* Sender, WORD& Key, TShiftState Shift) {
                EditKeyDown(Sender, Key, Shift);
            };
        }
        Edit->SetParent(AParent);
    }
    void DestroyEditor() override
    {
        delete Edit;
        Edit = nullptr;
    }
    QString GetEditorValue() override { return Edit ? Edit->Text() : QString(); }
    void SetEditorValue(const QString& s) override
    {
        if (Edit)
            Edit->SetText(s);
    }
};

class EditLinks : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(40, 40, 600, 400);
        form->BeginLoading();
        grid = new TExtColumnGrid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(10, 10, 500, 200);
        grid->SetColCount(4);
        grid->SetRowCount(4);
        grid->SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect);
        link = new TEditEditLink(form.get());
        grid->Columns()->Items(1)->SetEditor(edCustom);
        grid->Columns()->Items(1)->EditLink = link;
        form->EndLoading();
        grid->SetCells(1, 1, "one");
        grid->SetCells(1, 2, "two");
        form->Show();
        QApplication::setActiveWindow(form->Widget());
        // Entered from another cell: entering switches editing on for the column.
        grid->SetCol(2);
        grid->SetCol(1);
        grid->SetRow(1);
        grid->SetFocus();
        QApplication::processEvents();
    }
    void TearDown() override
    {
        form.reset();
        QApplication::processEvents();
    }
    static void Key(Qt::Key K, Qt::KeyboardModifiers M = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), K, M);
    }
    static void Served()
    {
        QApplication::processEvents();
        QApplication::processEvents();
    }
    TEdit* Open()
    {
        Key(Qt::Key_F2);
        Served();
        return link->Edit && link->Edit->Visible() && link->Edit->Focused() ? link->Edit : nullptr;
    }

    std::unique_ptr<TForm> form;
    TExtColumnGrid* grid = nullptr;
    TEditEditLink* link = nullptr;
};

TEST_F(EditLinks, EnterStoresTheEditorValueAndRefusalReopensOnTheCell)
{
    TEdit* edit = Open();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->Text(), "one");
    EXPECT_EQ(link->Grid(), grid);
    EXPECT_EQ(link->EditCell(), TPoint(1, 1));
    const TRect r = grid->CellRect(1, 1);
    EXPECT_EQ(edit->BoundsRect(), TRect(r.Left, r.Top, r.Right - 1, r.Bottom - 1));

    bool refuse = true;
    QStringList validated;
    grid->OnCellValidate = [&](TObject*, int, int, QString& v, bool& valid) {
        validated << v;
        valid = !refuse;
    };
    edit->SetText("bad");
    Key(Qt::Key_Return);
    Served();
    EXPECT_EQ(validated, QStringList{"bad"});
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_TRUE(edit->Visible() && edit->Focused()) << "reopened on the same cell";
    EXPECT_EQ(grid->Cells(1, 1), "one");

    refuse = false;
    edit->SetText("uno");
    Key(Qt::Key_Return);
    Served();
    EXPECT_EQ(grid->Cells(1, 1), "uno");
    EXPECT_FALSE(link->Edit->Visible());
    EXPECT_FALSE(HasWantsKeyAnswer(link->Edit)) << "the control's own answer is back";
}

TEST_F(EditLinks, EscapeRestoresTheCellText)
{
    TEdit* edit = Open();
    ASSERT_NE(edit, nullptr);
    edit->SetText("changed");
    Key(Qt::Key_Escape);
    Served();
    EXPECT_EQ(grid->Cells(1, 1), "one");
    EXPECT_FALSE(edit->Visible());
    EXPECT_TRUE(grid->Focused());
}

TEST_F(EditLinks, UpDownReachTheControlOnlyWhenWanted)
{
    TEdit* edit = Open();
    ASSERT_NE(edit, nullptr);
    edit->SetText("moved");
    Key(Qt::Key_Down);
    Served();
    EXPECT_EQ(grid->Cells(1, 1), "moved") << "stored";
    EXPECT_EQ(grid->Row(), 2) << "and moved";

    link->WantKeyUpDown = true;
    grid->SetRow(1);
    grid->SetFocus();
    edit = Open();
    ASSERT_NE(edit, nullptr);
    Key(Qt::Key_Down);
    Key(Qt::Key_Up);
    Served();
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_TRUE(edit->Visible() && edit->Focused()) << "the keys stayed with the control";
    Key(Qt::Key_Escape);
    Served();
}

TEST_F(EditLinks, GoTabsKeepsArrowsAndTabWithTheControlWhileItEdits)
{
    grid->SetOptions(grid->Options() | goTabs);
    TEdit* edit = Open();
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(ControlWantsKey(edit, VK_TAB, 0));
    EXPECT_TRUE(ControlWantsKey(edit, VK_UP, 0));
    Key(Qt::Key_Escape);
    Served();
    EXPECT_FALSE(ControlWantsKey(edit, VK_TAB, 0));
}

TEST_F(EditLinks, SetRectTakesTheGridLineWidthOff)
{
    ASSERT_NE(Open(), nullptr);
    grid->SetGridLineWidth(1);
    link->SetRect(TRect(10, 20, 74, 40));
    EXPECT_EQ(link->Edit->Width(), 63);
    EXPECT_EQ(link->Edit->Height(), 19);
    EXPECT_EQ(link->Edit->Left(), 10);
    Key(Qt::Key_Escape);
    Served();
}

TEST_F(EditLinks, PopupOpensAtTheCellWithItsSizeAndAnExitKeyHidesIt)
{
    link->EditStyle = esPopup;
    link->PopupWidth = 120;
    link->PopupHeight = 30;
    TEdit* edit = Open();
    ASSERT_NE(edit, nullptr);
    TForm* popup = link->PopupForm();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->Name(), "gridform");
    EXPECT_EQ(popup->Owner(), Application);
    EXPECT_EQ(popup->FormStyle(), fsStayOnTop);
    EXPECT_EQ(popup->BorderStyle(), bsNone);
    const TRect r = grid->CellRect(1, 1);
    const TPoint at = grid->ClientToScreen(TPoint(r.Left, r.Top));
    EXPECT_EQ(popup->Left(), at.X);
    EXPECT_EQ(popup->Top(), at.Y);
    EXPECT_EQ(popup->Width(), 120);
    EXPECT_EQ(popup->Height(), 30);
    edit->SetText("popped");
    Key(Qt::Key_Return);
    Served();
    EXPECT_EQ(grid->Cells(1, 1), "popped");
    EXPECT_FALSE(popup->Visible());

    link->AutoPopupWidth = true;
    grid->SetRow(1);
    grid->SetFocus();
    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(link->PopupForm(), popup) << "one form for every edit";
    EXPECT_EQ(popup->Width(), r.Right - r.Left);
    Key(Qt::Key_Escape);
    Served();
    EXPECT_EQ(grid->Cells(1, 1), "popped");
    delete popup;
}

TEST_F(EditLinks, LinkWithoutControlAndFreedLink)
{
    TEditLink bare(nullptr);
    bare.SetFocus(true);
    bare.SetRect(TRect(0, 0, 10, 10));
    bare.SetVisible(true);
    bare.RestoreWinProc();

    // Freed while the grid refers to it: the next edCustom cell behaves as without a link.
    delete link;
    link = nullptr;
    EXPECT_EQ(grid->Columns()->Items(1)->EditLink, nullptr);
    Key(Qt::Key_F2);
    Served();
    EXPECT_EQ(grid->EditLink(), nullptr);
    EXPECT_EQ(grid->Cells(1, 1), "one");
    Key(Qt::Key_Escape);
    Served();
    EXPECT_EQ(grid->Cells(1, 1), "one");
}

} // namespace editlinktest
