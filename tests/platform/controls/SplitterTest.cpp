// The splitter: dragging resizes the control it follows, within MinSize on either side.
#include "platform/controls/Splitter.h"
#include "common/FormTestSupport.h"
#include "platform/controls/ExtCtrls.h"

#include <QTest>
#include <gtest/gtest.h>

using formtest::Pump;

namespace
{

TEST(Splitter, DragResizesTheControlItFollowsWithinMinSize)
{
    TForm form(nullptr);
    form.SetBounds(50, 50, 400, 300);
    form.SetClientWidth(400);
    auto* left = new TPanel(&form);
    left->SetParent(&form);
    left->SetWidth(100);
    left->SetAlign(alLeft);
    auto* bar = new TSplitter(&form);
    bar->SetParent(&form);
    bar->SetLeft(100);
    bar->SetAlign(alLeft);
    auto* rest = new TPanel(&form);
    rest->SetParent(&form);
    rest->SetAlign(alClient);
    form.Show();
    Pump();
    ASSERT_EQ(bar->ResizeControl(), left);
    int moved = 0;
    bar->OnMoved = [&](TObject*) { ++moved; };

    struct TCase {
        int Dx;
        int Width;
    };
    // From 100: right by 50, far left (MinSize 30), far right (the rest keeps 30 of 400 - 3).
    for (const TCase& c : {TCase{50, 150}, TCase{-500, 30}, TCase{900, 400 - 3 - 30}}) {
        SCOPED_TRACE(c.Dx);
        left->SetWidth(100);
        Pump();
        QTest::mousePress(bar->Widget(), Qt::LeftButton, {}, QPoint(1, 10));
        QTest::mouseMove(bar->Widget(), QPoint(1 + c.Dx, 10));
        QTest::mouseRelease(bar->Widget(), Qt::LeftButton, {}, QPoint(1 + c.Dx, 10));
        Pump();
        EXPECT_EQ(left->Width(), c.Width);
        EXPECT_EQ(bar->Left(), c.Width);
        EXPECT_EQ(rest->Left(), c.Width + 3);
    }
    EXPECT_EQ(moved, 3);
}

} // namespace
