// The engineering-unit picker on its own: its layout, a unit picked by category and name with the
// keyboard, the category kept between showings, and typing that leaves the name label alone.
#include "app/UGlobals.h"
#include "app/ULang.h"
#include "common/FormTestSupport.h"
#include "editors/bacnet/UBACnet_Eng_Unit.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/Interaction.h"
#include "platform/controls/StdCtrls.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace
{

class EngUnit : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        Reset_Globals();
        Set_English_Texts();
        Set_Identity_Texts();
        form = std::make_unique<TFBACnet_Eng_Unit>(nullptr);
    }
    void TearDown() override
    {
        form.reset();
        Reset_Globals();
        Clear_Lang_Table();
    }
    TModalResult Show(const std::function<void()>& script)
    {
        return formtest::RunModal(*form, [&] {
            QApplication::setActiveWindow(form->Widget());
            formtest::Pump();
            script();
            if (form->ModalResult() == mrNone)
                form->SetModalResult(mrCancel);
        });
    }
    static void Click(TControl* control)
    {
        QTest::mouseClick(control->Widget(), Qt::LeftButton, {}, QPoint(5, 5));
        formtest::Pump();
    }
    // Focuses the closed list and walks to the item with Home and Down, as a user picks with keys.
    static void Pick(TComboBox* combo, const QString& item)
    {
        const int index = combo->Items->IndexOf(item);
        ASSERT_GE(index, 0) << item.toStdString();
        combo->SetFocus();
        formtest::Pump();
        QTest::keyClick(combo->Widget(), Qt::Key_Home);
        for (int i = 0; i < index; ++i)
            QTest::keyClick(combo->Widget(), Qt::Key_Down);
        formtest::Pump();
    }

    TScopedInteraction answers;
    std::unique_ptr<TFBACnet_Eng_Unit> form;
};

TEST_F(EngUnit, TheDialogsLayout)
{
    EXPECT_EQ(form->Name(), "FBACnet_Eng_Unit");
    EXPECT_EQ(form->ClientWidth(), 548);
    EXPECT_EQ(form->ClientHeight(), 306);
    EXPECT_EQ(form->BorderStyle(), bsSingle);
    EXPECT_EQ(form->BorderIcons(), biSystemMenu);
    EXPECT_EQ(form->Caption(), "Select the BACnet Engineering Unit");
    EXPECT_EQ(form->L_SW_Code->Caption(), "RIVA101");
    EXPECT_EQ(form->P_Title->Height(), 69);
    EXPECT_EQ(form->P_Button->Height(), 40);
    EXPECT_EQ(form->Btn_OK->ModalResult(), mrOk);
    EXPECT_EQ(form->Btn_Cancel->ModalResult(), mrCancel);
    EXPECT_FALSE(form->Btn_OK->OnClick);
    EXPECT_FALSE(form->Btn_Cancel->OnClick);
    const struct {
        TControl* control;
        int left, top, width;
    } places[] = {
        {form->Btn_OK, 16, 6, 110},
        {form->Btn_Cancel, 134, 6, 110},
        {form->Label1, 16, 72, -1},
        {form->E_Selected_EU, 218, 69, 49},
        {form->Label5, 273, 72, -1},
        {form->Shape1, 16, 104, 513},
        {form->Shape2, 16, 256, 513},
        {form->Label2, 16, 117, -1},
        {form->CB_Select_Type, 112, 149, 417},
        {form->CB_Select_Unit, 112, 181, 417},
        {form->Btn_Select_Eng_Unit, 16, 218, 513},
    };
    for (const auto& p : places) {
        SCOPED_TRACE(p.control->Name().toStdString());
        EXPECT_EQ(p.control->Left(), p.left);
        EXPECT_EQ(p.control->Top(), p.top);
        if (p.width >= 0) {
            EXPECT_EQ(p.control->Width(), p.width);
        }
    }
    EXPECT_EQ(form->Label5->Caption(), "-> unknown");
    EXPECT_EQ(form->CB_Select_Type->Items->Count(), 23);
    EXPECT_EQ(form->CB_Select_Type->ItemIndex(), 0);
    EXPECT_EQ(form->CB_Select_Type->Style(), csDropDownList);
    EXPECT_EQ(form->CB_Select_Unit->Style(), csDropDownList);
}

TEST_F(EngUnit, AUnitPickedByCategoryAndName)
{
    const struct {
        const char* category;
        const char* unit;
        const char* code;
        const char* label;
    } cases[] = {
        {"Other", "per-mille", "207", "-> per-mille"},
        {"Other", "megajoules-per-square-meter", "139", "-> megajoules-hours-per-square-meter"},
        {"Electrical", "ohms-meters", "172", "-> ohm-meters"},
        {"Temperature", "degrees-Celsius", "62", "-> degrees-Celsius"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.unit);
        const TModalResult result = Show([&] {
            Pick(form->CB_Select_Type, c.category);
            ASSERT_EQ(form->CB_Select_Type->Text(), c.category);
            // Choosing a category lists its units and selects the first.
            EXPECT_EQ(form->CB_Select_Unit->ItemIndex(), 0);
            Pick(form->CB_Select_Unit, c.unit);
            EXPECT_EQ(form->CB_Select_Unit->Text(), c.unit);
            Click(form->Btn_Select_Eng_Unit);
            EXPECT_EQ(form->E_Selected_EU->Text(), c.code);
            EXPECT_EQ(form->Label5->Caption(), c.label);
            Click(form->Btn_OK);
        });
        EXPECT_EQ(result, mrOk);
    }
}

TEST_F(EngUnit, TheCategoryStaysAndEachShowingSelectsItsFirstUnit)
{
    Show([&] {
        Pick(form->CB_Select_Type, "Time");
        Pick(form->CB_Select_Unit, "seconds");
        EXPECT_EQ(form->CB_Select_Unit->Text(), "seconds");
    });
    Show([&] {
        EXPECT_EQ(form->CB_Select_Type->Text(), "Time");
        ASSERT_EQ(form->CB_Select_Unit->Items->Count(), 9);
        EXPECT_EQ(form->CB_Select_Unit->Text(), "years");
        EXPECT_EQ(form->CB_Select_Unit->Items->Strings(8), "milliseconds");
    });
}

TEST_F(EngUnit, TypingACodeLeavesTheLabel)
{
    Show([&] {
        form->Label5->SetCaption("-> degrees-Celsius");
        form->E_Selected_EU->SetFocus();
        formtest::Pump();
        QTest::keyClicks(form->E_Selected_EU->Widget(), "65535");
        formtest::Pump();
        EXPECT_EQ(form->E_Selected_EU->Text(), "65535");
        EXPECT_EQ(form->Label5->Caption(), "-> degrees-Celsius");
    });
}

} // namespace
