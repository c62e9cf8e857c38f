// The PROFINET file-name dialog on a real modal form: the fixed parts around the edit, the name OK
// builds from what was typed, the main window's command through it, and the texts of the table.
#include "gateway/UProfinetFileName.h"

#include "GatewayFormTest.h"
#include "app/UFileCommands.h"
#include "app/UGlobals.h"
#include "app/ULang.h"
#include "common/TestSupport.h"
#include "grid/base/FadeButton.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/StdCtrls.h"

#include <QDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using testsupport::readBytes;
using testsupport::TempDir;

namespace
{

const QDate Start_Day(2024, 1, 24);

// An open project in a temporary folder, English texts, a recording interaction and the dialog
// created on Start_Day.
class ProfinetFileName : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        gatewaytest::Open_Test_Project(project_.path());
        form_ = std::make_unique<TFProfinetFileName>(nullptr, Start_Day);
    }
    void TearDown() override
    {
        form_.reset();
        File_Command_Slots() = {};
        gatewaytest::Close_Test_Project();
    }

    // Runs `show` (which shows the dialog modally) while `script` types and clicks inside it; a
    // watchdog ends a dialog the script failed to close, so the test fails instead of hanging.
    void Drive(const std::function<void()>& script, const std::function<void()>& show)
    {
        QTimer::singleShot(0, script);
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [this] { form_->SetModalResult(mrAbort); });
        watchdog.start(5000);
        show();
        EXPECT_TRUE(watchdog.isActive()) << "the dialog was not closed by its buttons";
    }
    void Type(const QString& text) { QTest::keyClicks(form_->E_XML_User->LineEdit(), text); }
    static void Click(TFadeButton* button)
    {
        QTest::mouseClick(button->Widget(), Qt::LeftButton, {}, QPoint(5, 5));
    }

    TempDir project_;
    TScopedInteraction ui_;
    std::unique_ptr<TFProfinetFileName> form_;
};

TEST_F(ProfinetFileName, ShowsTheFixedPartsAroundTheEmptyUserPart)
{
    EXPECT_EQ(form_->L_XML_Fix1->Caption(), "GSDML-V2.25-Brivex-");
    EXPECT_EQ(form_->L_XML_Fix2->Caption(), "-20240124.xml");
    EXPECT_EQ(form_->E_XML_User->Text(), "");
    EXPECT_EQ(form_->L_SW_Code->Caption(), SW_Code);
    EXPECT_EQ(form_->ClientWidth(), 540);
    EXPECT_EQ(form_->ClientHeight(), 205);
    for (TControl* c : {(TControl*)form_->L_UsedPart, (TControl*)form_->E_XML_User})
        EXPECT_EQ(c->Left(), 179);
    for (TControl* c : {(TControl*)form_->L_FixPart_2, (TControl*)form_->L_XML_Fix2})
        EXPECT_EQ(c->Left(), 447);
}

TEST_F(ProfinetFileName, OkBuildsTheNameFromTheTypedUserPart)
{
    const std::pair<const char*, const char*> cases[] = {
        {"MyGW", "GSDML-V2.25-Brivex-_MyGW-20240124.xml"},
        {"_MyGW", "GSDML-V2.25-Brivex-_MyGW-20240124.xml"},
        {"   ", "GSDML-V2.25-Brivex--20240124.xml"},
        {" MyGW", "GSDML-V2.25-Brivex-_ MyGW-20240124.xml"},
    };
    for (const auto& [typed, name] : cases) {
        SCOPED_TRACE(typed);
        form_->E_XML_User->Clear();
        TModalResult result = mrNone;
        Drive(
            [&] {
                Type(typed);
                Click(form_->Btn_OK);
            },
            [&] { result = form_->ShowModal(); });
        EXPECT_EQ(result, mrOk);
        EXPECT_EQ(form_->Name_File_XML, name);
    }
}

TEST_F(ProfinetFileName, CancelKeepsTheNameAndTheTypedText)
{
    Drive(
        [&] {
            Type("MyGW");
            Click(form_->Btn_OK);
        },
        [&] { form_->ShowModal(); });
    TModalResult result = mrNone;
    Drive(
        [&] {
            Type("2");
            Click(form_->Btn_Cancel);
        },
        [&] { result = form_->ShowModal(); });
    EXPECT_EQ(result, mrCancel);
    EXPECT_EQ(form_->Name_File_XML, "GSDML-V2.25-Brivex-_MyGW-20240124.xml");
    EXPECT_EQ(form_->E_XML_User->Text(), "MyGW2");
}

// The main window's command shows this dialog through its slot; only OK leads to the save step,
// whose folder is the one chosen and whose name is the one built here.
TEST_F(ProfinetFileName, CommandWritesTheBuiltNameIntoTheChosenFolderOnlyAfterOk)
{
    const QString name = "GSDML-V2.25-Brivex-_MyGW-20240124.xml";
    const struct {
        const char* what;
        TFadeButton* TFProfinetFileName::*button;
        bool written;
    } cases[] = {{"OK", &TFProfinetFileName::Btn_OK, true},
                 {"Cancel", &TFProfinetFileName::Btn_Cancel, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        form_->E_XML_User->Clear();
        ui_->FileDialogs.clear();
        TempDir out;
        ui_->FileAnswers = {out.file("picked.xml")};
        Drive(
            [&] {
                Type("MyGW");
                Click(form_.get()->*c.button);
            },
            [] { PROFINET_XML(); });

        ASSERT_EQ(ui_->FileDialogs.size(), c.written ? 1u : 0u);
        EXPECT_EQ(QDir(out.path()).entryList(QDir::Files), c.written ? QStringList{name} : QStringList{});
        if (c.written) {
            EXPECT_EQ(ui_->FileDialogs[0].Filter, "PROFINET XML (*.xml)|" + name);
            EXPECT_EQ(ui_->FileDialogs[0].InitialDir, Active_Project_Dir);
            EXPECT_TRUE(readBytes(out.file(name)).startsWith("\xEF\xBB\xBF<?xml"));
        }
    }
}

TEST_F(ProfinetFileName, SetLangTakesTheCaptionsFromTheTable)
{
    const struct {
        int index;
        std::function<QString()> caption;
    } rows[] = {
        {4800, [this] { return form_->Caption(); }},
        {4801, [this] { return form_->L_SW_Desc->Caption(); }},
        {4802, [this] { return form_->L_Select_Name->Caption(); }},
        {4803, [this] { return form_->L_FixPart_1->Caption(); }},
        {4804, [this] { return form_->L_UsedPart->Caption(); }},
        {4805, [this] { return form_->L_FixPart_2->Caption(); }},
        {4806, [this] { return form_->Btn_OK->Caption(); }},
        {4807, [this] { return form_->Btn_Cancel->Caption(); }},
    };
    for (const auto& r : rows)
        EXPECT_EQ(r.caption(), Lang_Text(r.index)) << r.index;
    for (const auto& r : rows)
        Set_Lang_Text(r.index, "Text " + QString::number(r.index));
    form_->Set_Lang();
    for (const auto& r : rows)
        EXPECT_EQ(r.caption(), "Text " + QString::number(r.index));
    EXPECT_EQ(form_->L_XML_Fix2->Caption(), "-20240124.xml");
}

} // namespace
