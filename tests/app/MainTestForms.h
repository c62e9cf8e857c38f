// The shell's forms on a temporary program folder, for the main-window, project-dialog and about-box
// tests: the program start (main window first, then the dialogs), the interaction service answering
// every message box, and helpers that drive a modal dialog from inside its own message loop.
#pragma once

#include "app/UAbout.h"
#include "app/UFormOrder.h"
#include "app/UGlobals.h"
#include "app/ULang.h"
#include "app/UMain.h"
#include "app/UNewProject.h"
#include "app/UOpenProject.h"
#include "app/UProjectFolders.h"
#include "common/TestSupport.h"
#include "platform/controls/Interaction.h"
#include "platform/core/SysUtils.h"

#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <ostream>
#include <gtest/gtest.h>

// Readable failures for texts and lists of texts.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace shelltest
{

// The main window with its button actions observable: with Record on, a button that passed the
// project check is noted instead of run.
class TRecordingMain : public RORoruduzudizEvivUrad
{
  public:
    using RORoruduzudizEvivUrad::RORoruduzudizEvivUrad;
    bool Record = false;
    QStringList Ran;

  protected:
    void Run_Button(const TMainButton& row) override
    {
        if (Record)
            Ran << QString::fromLatin1(row.Name);
        else
            RORoruduzudizEvivUrad::Run_Button(row);
    }
};

class ShellForms : public ::testing::Test
{
  protected:
    void SetUp() override { Reset_Globals(); }
    void TearDown() override
    {
        Stop();
        RORoruduzudizEvivUrad::Program_Folder.clear();
        Clear_Lang_Table();
        Reset_Globals();
    }

    // Program start in the temporary folder. The forms are made directly rather than by the
    // application object, so closing the main window does not end the test run.
    void Start()
    {
        RORoruduzudizEvivUrad::Program_Folder = dir.path();
        main = new TRecordingMain(nullptr);
        FDodiruredavIzavUred = main;
        main->AfterConstruction();
        FNew_Project = new TFNew_Project(nullptr);
        FNew_Project->AfterConstruction();
        FOpenConf = new TFOpenConf(nullptr);
        FOpenConf->AfterConstruction();
        FAbout = new TFAbout(nullptr);
        FAbout->AfterConstruction();
        main->Show();
    }

    void Stop()
    {
        delete FAbout;
        delete FOpenConf;
        delete FNew_Project;
        delete main;
        FAbout = nullptr;
        FOpenConf = nullptr;
        FNew_Project = nullptr;
        main = nullptr;
    }

    // Settings as a previous run left them.
    void WriteSettings(const QString& project, const QString& language = "English")
    {
        testsupport::writeBytes(dir.file("Tessilator.xml"),
                                ("<Conf_Settings><lastproj><projectname>" + project +
                                 "</projectname></lastproj><lastlang><language>" + language +
                                 "</language></lastlang></Conf_Settings>")
                                    .toUtf8());
    }

    static void Click(TControl* control)
    {
        QTest::mouseClick(control->Widget(), Qt::LeftButton, {}, QPoint(5, 5));
    }

    // Clicks `opener`, which shows `dialog` modally, and runs `whileOpen` inside the dialog's loop.
    // A dialog still open when `whileOpen` is done is cancelled, so a fault fails instead of hanging.
    void WithModal(TControl* opener, TCustomForm* dialog, const std::function<void()>& whileOpen)
    {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            EXPECT_TRUE(dialog->Modal());
            whileOpen();
            ran = true;
            if (dialog->ModalResult() == mrNone)
                dialog->SetModalResult(mrCancel);
        });
        Click(opener);
        EXPECT_TRUE(ran);
        EXPECT_FALSE(dialog->Visible());
    }

    QStringList MessageTexts()
    {
        QStringList out;
        for (const TMessageRequest& m : answers->Messages)
            out << m.Text;
        return out;
    }

    testsupport::TempDir dir;
    TScopedInteraction answers;
    TRecordingMain* main = nullptr;
};

// Every form made as program start makes them (Form_Creation_Order, the main window first and the
// application's main form), on an application object of the test's own: closing the main window
// ends that object's run, while the test and the executable's shared application go on. Tear-down
// destroys every form.
class ProgramForms : public ShellForms
{
  protected:
    void SetUp() override
    {
        ShellForms::SetUp();
        previous_ = Application;
        Application = app_.get();
    }
    void TearDown() override
    {
        Destroy_Forms();
        Application = previous_;
        ShellForms::TearDown();
    }

    // Creates the forms in the temporary program folder and shows the main window, as Run does.
    void Start_Program()
    {
        Create_Forms(dir.path());
        ASSERT_EQ(Application->MainForm(), FDodiruredavIzavUred);
        FDodiruredavIzavUred->Show();
    }

    // The run of the test's own application object ended (its main window closed).
    bool Program_Ended() const { return app_->Terminated(); }

  private:
    std::unique_ptr<TApplication> app_ = std::make_unique<TApplication>();
    TApplication* previous_ = nullptr;
};

} // namespace shelltest
