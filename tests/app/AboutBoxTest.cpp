// The about box: its fixed English texts, also after a language switch, and the maker's home page.
#include "MainTestForms.h"

#include "app/UVersion.h"

using namespace shelltest;
using testsupport::writeBytes;

namespace
{

class AboutBox : public ShellForms
{
  protected:
    void SetUp() override
    {
        ShellForms::SetUp();
        Start();
    }

    void ExpectTexts()
    {
        const std::pair<TLabel*, const char*> texts[] = {
            {FAbout->Label1, "Software Tessilator "},
            {FAbout->Label2, "EtherCAT Slave / Modbus Master - Converter"},
            {FAbout->Label6, "Software Code : "},
            {FAbout->Label9, "RIVA101"},
            {FAbout->Label3, "Version :"},
            {FAbout->Label10, "1.001"},
            {FAbout->Label8, "Document Code :"},
            {FAbout->Label12, "MNGW101"},
        };
        EXPECT_EQ(FAbout->Caption(), "About...");
        for (const auto& [label, text] : texts)
            EXPECT_EQ(label->Caption(), text) << label->Name().toStdString();
        EXPECT_EQ(FAbout->FadeButton1->Caption(), "OK");
        EXPECT_EQ(FAbout->Widget()->size(), QSize(425, 148));
    }
};

TEST_F(AboutBox, FixedTextsAlsoAfterALanguageSwitch)
{
    QByteArray lng;
    for (int i = 0; i < 5400; i += 1)
        lng += "STR" + QByteArray::number(i) + " = X\r\n";
    writeBytes(Language_Dir + "/Other.lng", lng);

    WithModal(main->Btn_Info, FAbout, [&] {
        ExpectTexts();
        Click(FAbout->FadeButton1);
    });
    Language_Name = "Other";
    Load_Language();
    main->Change_Language();
    ASSERT_EQ(main->L_Begin->Caption(), "X"); // the switch reached the other forms
    WithModal(main->Btn_Info, FAbout, [&] { ExpectTexts(); });
}

TEST_F(AboutBox, LogoAndAddressOpenTheHomePage)
{
    WithModal(main->Btn_Info, FAbout, [&] {
        EXPECT_TRUE(FAbout->Label4->Widget()->geometry().right() < 425);
        EXPECT_FALSE(FAbout->Label4->Caption().isEmpty());
        Click(FAbout->Label4);
        Click(FAbout->Image2);
        EXPECT_EQ(FAbout->Image2->Widget()->geometry(), QRect(32, 24, 81, 81));
    });
    EXPECT_EQ(answers->OpenedURLs, QStringList({Home_Page_URL(), Home_Page_URL()}));
    EXPECT_TRUE(Home_Page_URL().endsWith("/HOME/default.asp?frompg=RIVA101"));
}

} // namespace
