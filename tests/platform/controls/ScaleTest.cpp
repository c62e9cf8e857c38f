// Scaling a control tree by M / D.
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/Forms.h"

#include <gtest/gtest.h>
#include <memory>

namespace
{

TEST(Scale, ScaleByScalesBoundsAndOwnFontsOfTheTree)
{
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(0, 0, 300, 200);
    auto* panel = new TPanel(form.get());
    panel->SetParent(form.get());
    panel->SetBounds(10, 21, 100, 51);
    panel->SetParentFont(false);
    panel->Font->Size = 9;
    auto* inner = new TPanel(form.get());
    inner->SetParent(panel);
    inner->SetBounds(3, 5, 20, 10);

    form->ScaleBy(3, 2);
    // Halves round away from zero, as the window system's multiply-divide does.
    EXPECT_EQ(panel->BoundsRect(), TRect(15, 32, 15 + 150, 32 + 77));
    EXPECT_EQ(panel->Font->Size, 14);
    EXPECT_EQ(inner->BoundsRect(), TRect(5, 8, 5 + 30, 8 + 15));

    form->ScaleBy(2, 2);
    EXPECT_EQ(panel->Width(), 150);
}

} // namespace
