// The options dialog opened from the main window: a language switch re-texts the main window at once,
// OK has the settings file written with the new language and applies the timer rule.
#include "MainTestForms.h"

#include "app/UOptions.h"
#include "platform/controls/ComCtrls.h"

using namespace shelltest;
using testsupport::readBytes;
using testsupport::writeBytes;

namespace
{

class OptionsMainWindow : public ShellForms
{
  protected:
    void SetUp() override
    {
        ShellForms::SetUp();
        Start();
        FSoftOptions = new TFSoftOptions(nullptr);
        FSoftOptions->AfterConstruction();
        writeBytes(Language_Dir + "/Deutsch.lng", "STR0 = Anfang\r\n");
        writeBytes(Language_Dir + "/English.lng", "STR0 = Begin\r\n");
        answers->DefaultMessageAnswer = mrYes;
    }
    void TearDown() override
    {
        delete FSoftOptions;
        ShellForms::TearDown();
    }
    // Opens the dialog with the Options button and switches to Deutsch, the first slot.
    void SwitchToDeutsch(TModalResult close, const std::function<void()>& more = {})
    {
        WithModal(main->Btn_Opz, FSoftOptions, [&] {
            ASSERT_EQ(FSoftOptions->L_L[0]->Caption(), "Deutsch");
            Click(FSoftOptions->L_L[0]);
            EXPECT_EQ(MessageTexts().last(), "Do you want to change the Language from English to Deutsch?");
            EXPECT_EQ(main->L_Begin->Caption(), "Anfang");
            if (more)
                more();
            Click(close == mrOk ? FSoftOptions->Btn_OK : FSoftOptions->Btn_Cancel);
        });
    }
};

TEST_F(OptionsMainWindow, OkKeepsTheSwitchAndWritesTheNewLanguage)
{
    ASSERT_EQ(main->L_Begin->Caption(), "Begin");
    SwitchToDeutsch(mrOk, [&] {
        FSoftOptions->PC_Options->SetActivePage(FSoftOptions->TS_Con_Options);
        FSoftOptions->CB_En_Con->SetChecked(true);
        FSoftOptions->CB_Update->SetChecked(true);
    });
    EXPECT_EQ(Language_Name, "Deutsch");
    EXPECT_TRUE(readBytes(dir.file("Tessilator.xml")).contains("<language>Deutsch</language>"));
    EXPECT_TRUE(main->Timer_Update->Enabled());
    EXPECT_EQ(main->L_Begin->Caption(), "Anfang");
}

TEST_F(OptionsMainWindow, CancelKeepsTheTextsForTheRunButNotTheLanguage)
{
    SwitchToDeutsch(mrCancel);
    EXPECT_EQ(Language_Name, "English");
    EXPECT_EQ(main->L_Begin->Caption(), "Anfang");
    EXPECT_FALSE(FileExists(dir.file("Tessilator.xml")));
    main->Close();
    EXPECT_TRUE(readBytes(dir.file("Tessilator.xml")).contains("<language>English</language>"));
}

} // namespace
