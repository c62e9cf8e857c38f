// The options dialog on a real window: language pages and flags, the language switch with its
// question, OK and Cancel, the connection check boxes and the on-the-spot version check.
#include "app/UOptions.h"

#include "VersionTestServer.h"
#include "app/UGlobals.h"
#include "app/ULang.h"
#include "app/UVersion.h"
#include "common/TestSupport.h"
#include "grid/base/FadeButton.h"
#include "platform/controls/ComCtrls.h"
#include "platform/controls/ExtCtrls.h"
#include "common/FormTestSupport.h"
#include "platform/controls/StdCtrls.h"

#include <QApplication>
#include <QDir>
#include <QTest>
#include <gtest/gtest.h>

namespace
{

using formtest::RunModal;
using testsupport::readBytes;
using testsupport::TempDir;
using testsupport::writeBytes;

void ClickOn(TControl* c)
{
    QTest::mouseClick(c->Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
}

void Write_Flag(const QString& path, TColor color)
{
    TBitmap b(48, 48);
    b.Canvas->Brush->Color = color;
    b.Canvas->FillRect(Rect(0, 0, 48, 48));
    b.SaveToFile(path);
}

class Options : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        Reset_Globals();
        Set_App_Dir(app_.path());
        Create_App_Folders();
        Set_Identity_Texts();
        Language_Name = "English";
        Set_English_Texts();
        form_ = std::make_unique<TFSoftOptions>();
        form_->Change_Language = [this] {
            ++retexts_;
            form_->Set_Lang();
        };
    }
    void TearDown() override
    {
        form_.reset();
        Set_Maker_Web_Base({});
        Reset_Globals();
        Clear_Lang_Table();
    }
    void lng(const QString& name, const QByteArray& text = "STR0 = x\r\n")
    {
        writeBytes(Language_Dir + "/" + name + ".lng", text);
    }
    // The names of the shown slots, in slot order (a slot's picture may be hidden on its own).
    QStringList shownSlots() const
    {
        QStringList names;
        for (int k = 0; k < Lang_Slots_Per_Page; ++k) {
            if (!form_->L_L[k]->Visible()) {
                EXPECT_FALSE(form_->I_L[k]->Visible()) << "slot " << k + 1;
                continue;
            }
            names << form_->L_L[k]->Caption();
        }
        return names;
    }
    void show()
    {
        form_->Show();
        formtest::Pump();
    }

    TempDir app_;
    std::unique_ptr<TFSoftOptions> form_;
    TScopedInteraction ui_;
    int retexts_ = 0;
};

TEST_F(Options, PagesOfSixWithPageButtons)
{
    const struct {
        int files;
        const char* label;
        bool next;
    } cases[] = {{6, "Page 1 / 1", false}, {1, "Page 1 / 1", false}, {7, "Page 1 / 2", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.files);
        QDir(Language_Dir).removeRecursively();
        QDir().mkpath(Language_Dir);
        QStringList names;
        for (int i = 1; i <= c.files; ++i) {
            names << QStringLiteral("Lang%1").arg(i);
            lng(names.last());
        }
        show();
        EXPECT_EQ(form_->L_Page_Lang->Caption(), c.label);
        EXPECT_EQ(shownSlots(), names.mid(0, 6));
        EXPECT_FALSE(form_->Btn_Prev->Visible());
        EXPECT_EQ(form_->Btn_Next->Visible(), c.next);
        EXPECT_EQ(form_->PC_Options->ActivePage(), form_->TS_Language);
        form_->Hide();
    }

    // Seven (the last case): Next shows the seventh alone; Prev goes back.
    show();
    ClickOn(form_->Btn_Next);
    EXPECT_EQ(form_->L_Page_Lang->Caption(), "Page 2 / 2");
    EXPECT_EQ(shownSlots(), QStringList{"Lang7"});
    EXPECT_TRUE(form_->Btn_Prev->Visible());
    EXPECT_FALSE(form_->Btn_Next->Visible());
    ClickOn(form_->Btn_Prev);
    EXPECT_EQ(form_->L_Page_Lang->Caption(), "Page 1 / 2");
    EXPECT_EQ(shownSlots().size(), 6);
    // Every showing starts again on page 1.
    ClickOn(form_->Btn_Next);
    form_->Hide();
    show();
    EXPECT_EQ(form_->Show_Page, 1);
    EXPECT_EQ(form_->L_Page_Lang->Caption(), "Page 1 / 2");
}

TEST_F(Options, NoLanguageFileLeavesNothingToChoose)
{
    show();
    EXPECT_TRUE(shownSlots().isEmpty());
    EXPECT_EQ(form_->L_Page_Lang->Caption(), "Page 1 / 0");
    form_->LangClick(form_->L_L[0]);
    form_->LangClick(form_->I_L[0]);
    EXPECT_TRUE(ui_->Messages.empty());
    EXPECT_EQ(retexts_, 0);
}

TEST_F(Options, FlagsShowTheLanguagesPictureOrTheDefault)
{
    lng("Deutsch");
    lng("English");
    lng("Italiano");
    Write_Flag(Language_Dir + "/Deutsch.bmp", clRed);
    writeBytes(Language_Dir + "/Italiano.bmp", "not a picture");
    show();
    // Without DefaultFlag.bmp a language with no readable flag shows its name only.
    EXPECT_TRUE(form_->I_L[0]->Visible());
    EXPECT_EQ(form_->I_L[0]->Picture()->Bitmap()->Canvas->Pixels(5, 5), clRed);
    EXPECT_FALSE(form_->I_L[1]->Visible());
    EXPECT_FALSE(form_->I_L[2]->Visible());
    EXPECT_TRUE(form_->L_L[1]->Visible());

    Write_Flag(Language_Dir + "/DefaultFlag.bmp", clBlue);
    form_->Hide();
    show();
    for (int k = 0; k < 3; ++k)
        EXPECT_TRUE(form_->I_L[k]->Visible()) << k;
    EXPECT_EQ(form_->I_L[0]->Picture()->Bitmap()->Canvas->Pixels(5, 5), clRed);
    EXPECT_EQ(form_->I_L[1]->Picture()->Bitmap()->Canvas->Pixels(5, 5), clBlue);
    EXPECT_EQ(form_->I_L[2]->Picture()->Bitmap()->Canvas->Pixels(5, 5), clBlue);
}

TEST_F(Options, ASwitchAsksThenReTextsEveryFormButKeepsTheSetting)
{
    lng("Deutsch",
        "STR0 = Anfang\r\nSTR300 = Optionen\r\nSTR304 = \xB6Sprache : \xB6\r\nSTR305 = \xB6Seite \xB6\r\n");
    lng("English");
    Write_Flag(Language_Dir + "/DefaultFlag.bmp", clBlue);
    show();

    // No: nothing changes.
    ui_->MessageAnswers = {mrNo};
    ClickOn(form_->L_L[0]);
    ASSERT_EQ(ui_->Messages.size(), 1u);
    EXPECT_EQ(ui_->Messages[0].Text, "Do you want to change the Language from English to Deutsch?");
    EXPECT_EQ(ui_->Messages[0].Type, mtConfirmation);
    EXPECT_EQ(ui_->Messages[0].Buttons, mbYesNo);
    EXPECT_EQ(retexts_, 0);
    EXPECT_EQ(form_->Language_In_Use, "English");
    EXPECT_EQ(form_->Caption(), "Software Options");

    // Yes on the flag: the texts switch at once, the remembered language stays.
    ui_->MessageAnswers = {mrYes};
    ClickOn(form_->I_L[0]);
    EXPECT_EQ(retexts_, 1);
    EXPECT_EQ(Lang_Text(0), "Anfang");
    EXPECT_EQ(form_->Caption(), "Optionen");
    EXPECT_EQ(form_->L_Sel_Lang->Caption(), "Sprache : Deutsch");
    EXPECT_EQ(form_->Language_In_Use, "Deutsch");
    EXPECT_EQ(Language_Name, "English");

    // The question is asked for the language in use as well.
    ui_->MessageAnswers = {mrNo};
    ClickOn(form_->L_L[0]);
    EXPECT_EQ(ui_->Messages.back().Text, "Do you want to change the Language from Deutsch to Deutsch?");
}

TEST_F(Options, AfterASwitchThePageLabelNamesThePageShown)
{
    for (int i = 1; i <= 6; ++i)
        lng(QStringLiteral("A%1").arg(i));
    lng("Zulu", "STR305 = \xB6Ikhasi \xB6\r\n");
    show();
    ClickOn(form_->Btn_Next);
    ui_->MessageAnswers = {mrYes};
    ClickOn(form_->L_L[0]);
    EXPECT_EQ(form_->L_Page_Lang->Caption(), "Ikhasi 2 / 2");
    EXPECT_EQ(shownSlots(), QStringList{"Zulu"});
}

TEST_F(Options, OkStoresTheLanguageAndOptionsCancelStoresNothing)
{
    lng("Deutsch", "STR0 = Anfang\r\n");
    Opt_Enable_Internet = true;
    Opt_Enable_Update = true;
    std::vector<bool> timer;
    form_->Set_Update_Timer = [&](bool on) { timer.push_back(on); };
    ui_->DefaultMessageAnswer = mrYes;

    const TModalResult cancelled = RunModal(*form_, [&] {
        ClickOn(form_->L_L[0]);
        form_->CB_Soft_Set_Jump_Table->SetChecked(true);
        ClickOn(form_->Btn_Cancel);
    });
    EXPECT_EQ(cancelled, mrCancel);
    EXPECT_EQ(Language_Name, "English");
    EXPECT_FALSE(Opt_Jump_Field_Tables);
    EXPECT_EQ(Lang_Text(0), "Anfang"); // the switched texts stay for the run
    EXPECT_TRUE(timer.empty());

    const TModalResult confirmed = RunModal(*form_, [&] {
        EXPECT_EQ(form_->L_Sel_Lang->Caption(), "Selected Language : English");
        EXPECT_FALSE(form_->CB_Soft_Set_Jump_Table->Checked());
        ClickOn(form_->L_L[0]);
        form_->PC_Options->SetActivePage(form_->TS_Con_Options);
        ClickOn(form_->CB_En_Con); // off: the update box keeps its mark
        form_->CB_DoubleClick_Auto_Size->SetChecked(true);
        ClickOn(form_->Btn_OK);
    });
    EXPECT_EQ(confirmed, mrOk);
    EXPECT_EQ(Language_Name, "Deutsch");
    EXPECT_FALSE(Opt_Enable_Internet);
    EXPECT_TRUE(Opt_Enable_Update);
    EXPECT_FALSE(Opt_Jump_Field_Tables);
    EXPECT_TRUE(Opt_Double_Click_Auto_Size);
    EXPECT_EQ(timer, std::vector<bool>{false});

    // What the main window then writes.
    ASSERT_TRUE(Write_Settings());
    EXPECT_TRUE(readBytes(Settings_File_Name()).contains(">Deutsch<"));
}

TEST_F(Options, TheUpdateBoxAndCheckButtonFollowTheInternetBox)
{
    const struct {
        bool internet, update;
        bool updateEnabled, checkEnabled;
    } cases[] = {{true, true, true, true},
                 {true, false, true, false},
                 {false, true, false, false},
                 {false, false, false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.internet) + std::to_string(c.update));
        Opt_Enable_Internet = c.internet;
        Opt_Enable_Update = c.update;
        show();
        EXPECT_EQ(form_->CB_En_Con->Checked(), c.internet);
        EXPECT_EQ(form_->CB_Update->Checked(), c.update);
        EXPECT_EQ(form_->CB_Update->Enabled(), c.updateEnabled);
        EXPECT_EQ(form_->Btn_Check_Update->Enabled(), c.checkEnabled);
        form_->Hide();
    }
    // A click on the internet box applies the rule at once.
    Opt_Enable_Internet = true;
    Opt_Enable_Update = true;
    show();
    form_->PC_Options->SetActivePage(form_->TS_Con_Options);
    ClickOn(form_->CB_En_Con);
    EXPECT_FALSE(form_->CB_Update->Enabled());
    EXPECT_TRUE(form_->CB_Update->Checked());
    EXPECT_FALSE(form_->Btn_Check_Update->Enabled());
    ClickOn(form_->CB_En_Con);
    EXPECT_TRUE(form_->Btn_Check_Update->Enabled());
}

TEST_F(Options, CheckAvailableUpdateShowsTheLinkOrNoUpdate)
{
    Opt_Enable_Internet = true;
    Opt_Enable_Update = true;
    show();
    EXPECT_FALSE(form_->LL_Check_Update->Visible());
    form_->PC_Options->SetActivePage(form_->TS_Con_Options);
    {
        versiontest::TVersionServer server(versiontest::ok("VER. 1.002"));
        Set_Maker_Web_Base(server.base());
        ClickOn(form_->Btn_Check_Update);
        EXPECT_TRUE(form_->LL_Check_Update->Visible());
        EXPECT_EQ(form_->LL_Check_Update->Caption(),
                  "<a href=\"" + server.base() +
                      "/Home/download/download.asp#HDGW101\">"
                      "New Version Available. Click Here for more Details</a>");
        ASSERT_TRUE(form_->LL_Check_Update->OnLinkClick);
        form_->LL_Check_Update->OnLinkClick(form_->LL_Check_Update, Download_Page_URL(), sltURL);
        EXPECT_EQ(ui_->OpenedURLs, QStringList{server.base() + "/Home/download/download.asp#HDGW101"});
    }
    {
        versiontest::TVersionServer server("HTTP/1.0 404 Not Found\r\n\r\nVER. 9.999");
        Set_Maker_Web_Base(server.base());
        ClickOn(form_->Btn_Check_Update);
        EXPECT_EQ(form_->LL_Check_Update->Caption(), "No Update Available");
        EXPECT_TRUE(form_->LL_Check_Update->Visible());
    }
    EXPECT_TRUE(ui_->Messages.empty());
    form_->Hide();
    show();
    EXPECT_FALSE(form_->LL_Check_Update->Visible());
}

} // namespace

namespace
{

// However the previous showing was closed, the next one starts with the keyboard on the first
// control in tab order (the dialog names none), not on the button clicked last time; the arrows
// move among the buttons from there.
TEST_F(Options, EveryShowingStartsWithTheKeyboardOnTheFirstControl)
{
    enum class TClose { Mouse_Cancel, Mouse_OK, Keyboard };
    int showing = 0;
    for (TClose close : {TClose::Mouse_Cancel, TClose::Mouse_OK, TClose::Keyboard, TClose::Mouse_Cancel}) {
        ++showing;
        const TModalResult got = RunModal(*form_, [&] {
            formtest::Pump();
            // Once the window is active (the offscreen platform may not activate it again itself).
            QApplication::setActiveWindow(form_->Widget());
            formtest::Pump();
            QWidget* target = QApplication::focusWidget();
            if (target != form_->Btn_OK->Widget()) {
                ADD_FAILURE() << "showing " << showing << ": the keyboard is elsewhere";
                form_->SetModalResult(mrCancel);
                return;
            }
            QTest::keyClick(target, Qt::Key_Right);
            EXPECT_TRUE(form_->Btn_Cancel->Focused());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
            EXPECT_TRUE(form_->Btn_OK->Focused());
            if (close == TClose::Mouse_Cancel)
                ClickOn(form_->Btn_Cancel);
            else if (close == TClose::Mouse_OK)
                ClickOn(form_->Btn_OK);
            else
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        });
        EXPECT_EQ(got, close == TClose::Mouse_Cancel ? mrCancel : mrOk) << "showing " << showing;
    }
}

} // namespace
