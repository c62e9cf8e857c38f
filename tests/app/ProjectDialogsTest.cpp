// The new-project and open-project dialogs, shown from the main window's step-1 buttons and driven
// from inside their own modal loops.
#include "MainTestForms.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>

using namespace shelltest;
using testsupport::writeBytes;

namespace
{

class ProjectDialogs : public ShellForms
{
  protected:
    void SetUp() override
    {
        ShellForms::SetUp();
        Start();
    }

    // Types `name` into the new-project dialog and presses its OK button.
    void TypeAndOK(const QString& name)
    {
        FNew_Project->E_New_Proj->SetText(name);
        Click(FNew_Project->Btn_OK);
    }

    QStringList ProgramTree() const
    {
        QStringList out;
        QDirIterator it(dir.path(), QDir::AllEntries | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext())
            out << QDir(dir.path()).relativeFilePath(it.next());
        out.sort();
        return out;
    }

    QStringList ListItems() const
    {
        QStringList out;
        for (int i = 0; i < FOpenConf->ListBox1->Count(); ++i)
            out << FOpenConf->ListBox1->Items->Strings(i);
        return out;
    }

    // The widget the keyboard reaches once the dialog's window is active (the offscreen platform
    // does not always activate a window shown a second time; a window system does).
    static QWidget* KeyboardTarget()
    {
        for (int i = 0; i < 3; ++i)
            Application->ProcessMessages();
        if (TCustomForm* shown = Screen->ActiveForm(); !shown || !shown->Modal())
            for (int i = 0; i < Screen->FormCount(); ++i)
                if (Screen->Forms(i)->Modal())
                    QApplication::setActiveWindow(Screen->Forms(i)->Widget());
        for (int i = 0; i < 3; ++i)
            Application->ProcessMessages();
        return QApplication::focusWidget();
    }

    void ExpectHeader(const QString& line1, const QString& line2) const
    {
        EXPECT_EQ(main->L_Name_Conf->Caption(), line1);
        EXPECT_EQ(main->L_Name_Conf_L2->Caption(), line2);
    }
};

TEST_F(ProjectDialogs, NewProjectRefusesBadNamesAndCreatesAGoodOne)
{
    WithModal(main->Btn_New, FNew_Project, [&] {
        EXPECT_EQ(FNew_Project->Caption(), "Create New Configuration");
        EXPECT_EQ(FNew_Project->L_SW_Code->Caption(), "RIVA101");
        TypeAndOK("");
        EXPECT_EQ(MessageTexts(), QStringList({"Error! Name Project is not valid"}));
        EXPECT_EQ(answers->Messages[0].Type, mtError);
        EXPECT_TRUE(FNew_Project->Widget()->isVisible());
        TypeAndOK("Plant A");
    });
    EXPECT_TRUE(DirectoryExists(Projects_Dir + "/Plant A/bin"));
    ExpectHeader("Opened Configuration of the Converter : ", "Plant A");
    EXPECT_TRUE(File_ParGen.endsWith("/PROJECTS/Plant A/ParGen.xml")) << File_ParGen.toStdString();

    // Refused names keep the dialog open and create nothing.
    answers->Messages.clear();
    const QStringList before = ProgramTree();
    WithModal(main->Btn_New, FNew_Project, [&] {
        EXPECT_EQ(FNew_Project->E_New_Proj->Text(), ""); // every show starts empty
        for (const char* name : {"Plant A", "plant a", "../x", "a/b"}) {
            TypeAndOK(name);
            EXPECT_TRUE(FNew_Project->Widget()->isVisible()) << name;
        }
        Click(FNew_Project->Btn_Cancel);
    });
    EXPECT_EQ(MessageTexts(),
              QStringList({"Error! Name project is not valid because directory already exists",
                           "Error! Name project is not valid because directory already exists",
                           "Error! Name project is not valid", "Error! Name project is not valid"}));
    EXPECT_EQ(ProgramTree(), before);
    ExpectHeader("Opened Configuration of the Converter : ", "Plant A");
}

TEST_F(ProjectDialogs, EnterInTheNameCreatesTheProject)
{
    WithModal(main->Btn_New, FNew_Project, [&] {
        QTest::keyClicks(FNew_Project->E_New_Proj->Widget(), "Line 2");
        QTest::keyClick(FNew_Project->E_New_Proj->Widget(), Qt::Key_Return);
    });
    EXPECT_EQ(Active_Project_Name, "Line 2");
    EXPECT_TRUE(DirectoryExists(Projects_Dir + "/Line 2/bin"));
    EXPECT_EQ(MessageTexts(), QStringList());
}

TEST_F(ProjectDialogs, OpenListsFoldersOnlyAndPreselectsTheOpenProject)
{
    ASSERT_TRUE(CreateDir(Projects_Dir + "/b"));
    ASSERT_TRUE(CreateDir(Projects_Dir + "/A"));
    writeBytes(Projects_Dir + "/c.txt", "x");
    // The remembered name in another letter case still finds its folder in the list.
    Active_Project_Name = "b";
    Active_Project_Dir = Projects_Dir + "/B";
    WithModal(main->Btn_Open, FOpenConf, [&] {
        EXPECT_EQ(ListItems(), QStringList({"A", "b"}));
        EXPECT_EQ(FOpenConf->ListBox1->ItemIndex(), 1);
        EXPECT_EQ(FOpenConf->Name_Conf, "b");
        Click(FOpenConf->Btn_OK);
    });
    EXPECT_EQ(Active_Project_Dir, Projects_Dir + "/b");
    ExpectHeader("Opened Configuration of the Converter : ", "b");
}

TEST_F(ProjectDialogs, TheProjectChosenWithTheKeysIsOpened)
{
    ASSERT_TRUE(CreateDir(Projects_Dir + "/A"));
    ASSERT_TRUE(CreateDir(Projects_Dir + "/b"));
    ASSERT_TRUE(CreateDir(Projects_Dir + "/C"));
    WithModal(main->Btn_Open, FOpenConf, [&] {
        EXPECT_EQ(FOpenConf->Name_Conf, "A"); // no open project: the first entry
        QTest::keyClick(FOpenConf->ListBox1->Widget(), Qt::Key_Down);
        QTest::keyClick(FOpenConf->ListBox1->Widget(), Qt::Key_Down);
        QTest::keyClick(FOpenConf->ListBox1->Widget(), Qt::Key_Up);
        Click(FOpenConf->Btn_OK);
    });
    EXPECT_EQ(Active_Project_Name, "b");
    EXPECT_EQ(File_ParGen, Projects_Dir + "/b/ParGen.xml");
    ExpectHeader("Opened Configuration of the Converter : ", "b");
}

TEST_F(ProjectDialogs, OpenWithNoProjectFolderLeavesNoProject)
{
    ASSERT_TRUE(CreateDir(Projects_Dir + "/Old"));
    Set_Active_Project("Old");
    main->Set_Lang();
    ASSERT_TRUE(QDir(Projects_Dir + "/Old").removeRecursively());
    WithModal(main->Btn_Open, FOpenConf, [&] {
        EXPECT_EQ(FOpenConf->ListBox1->Count(), 0);
        EXPECT_EQ(FOpenConf->Name_Conf, "");
        Click(FOpenConf->Btn_OK);
    });
    EXPECT_EQ(Active_Project_Dir, "");
    ExpectHeader("None Configuration Opened ", "Use Step1 to open or create new configuration");
    Click(main->Btn_Prm_Gen);
    EXPECT_EQ(MessageTexts(), QStringList({"Error! Project not Valid"}));
}

TEST_F(ProjectDialogs, CancelChangesNothing)
{
    ASSERT_TRUE(CreateDir(Projects_Dir + "/A"));
    ASSERT_TRUE(CreateDir(Projects_Dir + "/B"));
    Set_Active_Project("A");
    main->Set_Lang();
    WithModal(main->Btn_Open, FOpenConf, [&] {
        QTest::keyClick(FOpenConf->ListBox1->Widget(), Qt::Key_Down);
        Click(FOpenConf->Btn_Cancel);
    });
    WithModal(main->Btn_New, FNew_Project, [&] {
        FNew_Project->E_New_Proj->SetText("C");
        Click(FNew_Project->Btn_Cancel);
    });
    EXPECT_EQ(Active_Project_Dir, Projects_Dir + "/A");
    EXPECT_FALSE(DirectoryExists(Projects_Dir + "/C"));
    ExpectHeader("Opened Configuration of the Converter : ", "A");
}

TEST_F(ProjectDialogs, DialogsFollowALanguageSwitch)
{
    writeBytes(Language_Dir + "/Deutsch.lng",
               "STR100 = Neue Konfiguration\r\nSTR102 = Name der Konfiguration\r\nSTR200 = Konfiguration "
               "laden\r\nSTR203 = Ja\r\n");
    Language_Name = "Deutsch";
    Load_Language();
    main->Change_Language();
    EXPECT_EQ(FNew_Project->Caption(), "Neue Konfiguration");
    EXPECT_EQ(FNew_Project->Label1->Caption(), "Name der Konfiguration");
    EXPECT_EQ(FNew_Project->Btn_OK->Caption(), "OK");
    EXPECT_EQ(FOpenConf->Caption(), "Konfiguration laden");
    EXPECT_EQ(FOpenConf->Btn_OK->Caption(), "Ja");
}

// However the previous showing was closed - a click on Cancel, a click on OK, the keyboard - the next
// one has the keyboard where the dialog puts it, not on the button clicked last time.
enum class TClose { Mouse_Cancel, Mouse_OK, Keyboard };
const TClose kCloses[] = {TClose::Mouse_Cancel, TClose::Mouse_OK, TClose::Keyboard, TClose::Mouse_Cancel};

TEST_F(ProjectDialogs, EveryShowingOfTheNewDialogTakesTypedText)
{
    int showing = 0;
    for (TClose close : kCloses) {
        const QString name = "P" + QString::number(++showing);
        WithModal(main->Btn_New, FNew_Project, [&] {
            QWidget* target = KeyboardTarget();
            ASSERT_EQ(target, FNew_Project->E_New_Proj->Widget()) << "showing " << showing;
            QTest::keyClicks(target, name);
            EXPECT_EQ(FNew_Project->E_New_Proj->Text(), name);
            if (close == TClose::Mouse_Cancel)
                Click(FNew_Project->Btn_Cancel);
            else if (close == TClose::Mouse_OK)
                Click(FNew_Project->Btn_OK);
            else
                QTest::keyClick(target, Qt::Key_Return);
        });
    }
    EXPECT_EQ(MessageTexts(), QStringList());
    EXPECT_EQ(Load_Existing_Configuration().size(), 2);
    EXPECT_TRUE(DirectoryExists(Projects_Dir + "/P2"));
    EXPECT_TRUE(DirectoryExists(Projects_Dir + "/P3"));
}

TEST_F(ProjectDialogs, EveryShowingOfTheOpenDialogTakesTheArrows)
{
    for (const char* name : {"A", "B", "C"})
        ASSERT_TRUE(CreateDir(Projects_Dir + "/" + name));
    int showing = 0;
    for (TClose close : kCloses) {
        ++showing;
        WithModal(main->Btn_Open, FOpenConf, [&] {
            QWidget* target = KeyboardTarget();
            ASSERT_EQ(target, FOpenConf->ListBox1->Widget()) << "showing " << showing;
            const int before = FOpenConf->ListBox1->ItemIndex();
            QTest::keyClick(target, before == 0 ? Qt::Key_Down : Qt::Key_Up);
            EXPECT_EQ(FOpenConf->ListBox1->ItemIndex(), before == 0 ? 1 : before - 1);
            if (close == TClose::Mouse_Cancel)
                Click(FOpenConf->Btn_Cancel);
            else if (close == TClose::Mouse_OK)
                Click(FOpenConf->Btn_OK);
            else {
                QTest::keyClick(target, Qt::Key_Tab); // on to OK, which Space presses
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
            }
        });
    }
    // The keyboard close opened the project chosen with the arrows.
    EXPECT_EQ(Active_Project_Name, "A");
}

// The dialogs' Cancel buttons keep the push button's defaults: Escape is no key of theirs.
TEST_F(ProjectDialogs, EscapeDoesNotCancel)
{
    for (TCustomForm* dialog : std::initializer_list<TCustomForm*>{FNew_Project, FOpenConf}) {
        WithModal(dialog == FNew_Project ? main->Btn_New : main->Btn_Open, dialog, [&] {
            QWidget* target = KeyboardTarget();
            ASSERT_NE(target, nullptr);
            QTest::keyClick(target, Qt::Key_Escape);
            Application->ProcessMessages();
            EXPECT_EQ(dialog->ModalResult(), mrNone) << dialog->Name().toStdString();
        });
    }
}

} // namespace
