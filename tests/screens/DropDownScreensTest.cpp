// The drop-down window on a layout of two screens (the offscreen platform reads it from
// tests/fixtures/two_screens.json): screen A at (0, 0) 1024 x 768 is the primary, B at (-800, 0)
// 800 x 600 lies left of it.
#include "grid/dropdown/DropDownForm.h"
#include "grid/dropdown/ExtDropDown.h"
#include "platform/controls/ExtCtrls.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <gtest/gtest.h>
#include <memory>

namespace
{

class TPanelPicker : public TExtCustomDropDown
{
  public:
    using TExtCustomDropDown::TExtCustomDropDown;

  protected:
    void CreateDropDownForm() override
    {
        TExtCustomDropDown::CreateDropDownForm();
        auto* panel = new TPanel(DropDownForm());
        panel->SetParent(DropDownForm());
        panel->SetBounds(0, 0, 150, 120);
        SetControl(panel);
    }
};

TEST(DropDownScreens, LayoutIsTheFixtures)
{
    ASSERT_EQ(QGuiApplication::screens().size(), 2);
    EXPECT_EQ(QGuiApplication::primaryScreen()->name(), "A");
    EXPECT_EQ(Screen->Height(), 768);
    EXPECT_EQ(Screen->MonitorWorkAreaFromPoint(TPoint(-100, 50)), TRect(-800, 0, 0, 600));
    // Between and beyond the screens: the nearest one.
    EXPECT_EQ(Screen->MonitorWorkAreaFromPoint(TPoint(-100, 650)), TRect(-800, 0, 0, 600));
    EXPECT_EQ(Screen->MonitorWorkAreaFromPoint(TPoint(2000, 100)), TRect(0, 0, 1024, 768));
}

TEST(DropDownScreens, WindowOnAScreenLeftOfTheOriginIsNotMoved)
{
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(-700, 100, 600, 300);
    auto* picker = MakeDropDown<TPanelPicker>(form.get());
    picker->SetParent(form.get());
    picker->DropDownHeader()->SetVisible(false);
    picker->DropDownFooter()->SetVisible(false);
    form->Show();
    QApplication::processEvents();
    const QPoint origin = form->Widget()->mapToGlobal(QPoint(0, 0));
    picker->SetBounds(-100 - origin.x(), 200 - origin.y(), 200, 21);
    picker->ShowDropDown();
    ASSERT_TRUE(picker->DroppedDown());
    // It passes B's right edge, but B's left edge is negative: no shift.
    EXPECT_EQ(picker->DropDownForm()->Left(), -100);
    EXPECT_EQ(picker->DropDownForm()->Top(), 220);
    picker->HideDropDown();
}

} // namespace
