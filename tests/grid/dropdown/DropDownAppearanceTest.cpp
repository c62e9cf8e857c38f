// Header, footer and push-button appearances of the drop-down window.
#include "grid/dropdown/DropDownAppearance.h"

#include <functional>
#include <gtest/gtest.h>

namespace
{

TEST(DropDownAppearance, DefaultsOfTheStrips)
{
    THeaderAppearance header(nullptr);
    TFooterAppearance footer(nullptr);
    EXPECT_TRUE(header.Visible());
    EXPECT_EQ(header.Height(), 22);
    EXPECT_EQ(header.ImageIndex(), -1);
    EXPECT_EQ(header.Caption(), "");
    EXPECT_EQ(header.Color(), clSilver);
    EXPECT_EQ(header.ColorTo(), clWhite);
    EXPECT_EQ(header.BorderColor(), clBlack);
    EXPECT_EQ(header.GradientDirection(), gdVertical);
    EXPECT_EQ(header.ButtonAlignment(), baRight);
    EXPECT_EQ(header.Font()->Name.get(), "Tahoma");
    EXPECT_TRUE(footer.SizeGrip());
    EXPECT_EQ(footer.Buttons()->Count(), 0);
}

// The edge cases of the strips' notifications and of assigning across strip kinds, one table.
TEST(DropDownAppearance, NotificationsAndAssign)
{
    struct Case {
        const char* Name;
        std::function<void(THeaderAppearance&, TFooterAppearance&)> Act;
        int HeaderChanges, HeaderButtonChanges;
        std::function<bool(const THeaderAppearance&)> HeaderAfter;
    };
    const Case cases[] = {
        {"footer assigned to a header: nothing",
         [](THeaderAppearance& h, TFooterAppearance& f) {
             f.SetCaption("footer");
             f.SetVisible(false);
             h.Assign(&f);
         },
         0, 0, [](const THeaderAppearance& h) { return h.Caption().isEmpty() && h.Visible(); }},
        {"Visible set to its value: no OnChange",
         [](THeaderAppearance& h, TFooterAppearance&) { h.SetVisible(true); }, 0, 0,
         [](const THeaderAppearance& h) { return h.Visible(); }},
        {"assign from a header with another Visible: one OnChange",
         [](THeaderAppearance& h, TFooterAppearance&) {
             THeaderAppearance source(nullptr);
             source.SetVisible(false);
             source.SetCaption("<b>x</b>");
             source.SetHeight(30);
             source.Buttons()->Add()->SetCaption("OK");
             h.Assign(&source);
         },
         1, 1,
         [](const THeaderAppearance& h) {
             return !h.Visible() && h.Caption() == "<b>x</b>" && h.Height() == 30 &&
                    h.Buttons()->Count() == 1 && h.Buttons()->Items(0)->Caption() == "OK";
         }},
        {"a button's Height fires nothing, its Width does",
         [](THeaderAppearance& h, TFooterAppearance&) {
             THeaderButton* b = h.Buttons()->Add();
             b->SetHeight(30);
             b->SetImageIndex(2);
             b->SetWidth(40);
             b->SetWidth(40);
         },
         0, 1, [](const THeaderAppearance& h) { return h.Buttons()->Items(0)->Height() == 30; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        THeaderAppearance header(nullptr);
        TFooterAppearance footer(nullptr);
        int changes = 0, buttonChanges = 0;
        header.OnChange = [&](TObject*) { ++changes; };
        header.OnButtonsChanged = [&](TObject*) { ++buttonChanges; };
        EXPECT_NO_THROW(c.Act(header, footer));
        EXPECT_EQ(changes, c.HeaderChanges);
        EXPECT_EQ(buttonChanges, c.HeaderButtonChanges);
        EXPECT_TRUE(c.HeaderAfter(header));
    }
}

TEST(DropDownAppearance, HeaderAssignedToAFooterLeavesItUnchanged)
{
    THeaderAppearance header(nullptr);
    header.SetCaption("head");
    header.SetColor(0x102030);
    TFooterAppearance footer(nullptr);
    EXPECT_NO_THROW(footer.Assign(&header));
    EXPECT_NO_THROW(footer.AssignColors(&header));
    EXPECT_EQ(footer.Caption(), "");
    EXPECT_EQ(footer.Color(), clSilver);
}

TEST(DropDownAppearance, AssignColorsTakesOnlyTheColoursAndFont)
{
    TFooterAppearance source(nullptr), target(nullptr);
    source.SetColor(0x111111);
    source.SetColorTo(0x222222);
    source.SetBorderColor(0x333333);
    source.SetGradientDirection(gdHorizontal);
    source.Font()->Name = "Courier";
    source.SetCaption("not taken");
    source.SetHeight(40);
    target.AssignColors(&source);
    EXPECT_EQ(target.Color(), TColor(0x111111));
    EXPECT_EQ(target.ColorTo(), TColor(0x222222));
    EXPECT_EQ(target.BorderColor(), TColor(0x333333));
    EXPECT_EQ(target.GradientDirection(), gdHorizontal);
    EXPECT_EQ(target.Font()->Name.get(), "Courier");
    EXPECT_EQ(target.Caption(), "");
    EXPECT_EQ(target.Height(), 22);
}

TEST(DropDownAppearance, ButtonItemsAssignFromTheirOwnKindOnly)
{
    TFooterButtons footers(nullptr);
    TFooterButton* a = footers.Add();
    a->SetCaption("Apply");
    a->SetModalResult(mrOk);
    a->SetWidth(60);
    TFooterButton* b = footers.Add();
    b->Assign(a);
    EXPECT_EQ(b->Caption(), "Apply");
    EXPECT_EQ(b->ModalResult(), mrOk);
    EXPECT_EQ(b->Width(), 60);

    THeaderButtons headers(nullptr);
    THeaderButton* h = headers.Add();
    try {
        h->Assign(a);
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "Cannot assign a TFooterButton to a THeaderButton");
    }
}

TEST(DropDownAppearance, ButtonAppearanceDefaultsAndAssign)
{
    TExtButtonAppearance appearance;
    EXPECT_EQ(appearance.ColorChecked(), TColor(0xF5D8CA));
    EXPECT_EQ(appearance.ColorCheckedTo(), TColor(0xF9BDA0));
    EXPECT_EQ(appearance.BorderColorChecked(), TColor(0xFF0000));
    EXPECT_EQ(appearance.BorderColor(), clNone);
    EXPECT_EQ(appearance.ColorHot(), TColor(0xF5F0E1));
    EXPECT_EQ(appearance.Gradient(), gdVertical);
    EXPECT_EQ(appearance.Font()->Name.get(), "Tahoma");

    int changes = 0;
    appearance.OnChange = [&](TObject*) { ++changes; };
    appearance.SetColorHot(0xF5F0E1);
    EXPECT_EQ(changes, 0);
    TExtButtonAppearance source;
    source.SetColorChecked(0x010203);
    source.SetBorderColorDown(0x040506);
    source.SetGradient(gdHorizontal);
    appearance.Assign(&source);
    EXPECT_EQ(appearance.ColorChecked(), TColor(0x010203));
    EXPECT_EQ(appearance.BorderColorDown(), TColor(0x040506));
    EXPECT_EQ(appearance.Gradient(), gdHorizontal);
    EXPECT_EQ(changes, 3);

    THeaderAppearance other(nullptr);
    EXPECT_THROW(appearance.Assign(&other), Exception);
}

} // namespace
