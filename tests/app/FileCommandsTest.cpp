#include "app/UFileCommands.h"

#include "app/UGlobals.h"
#include "app/ULang.h"
#include "common/TestSupport.h"
#include "platform/core/Xml.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>

namespace
{

using Clock = std::chrono::steady_clock;
using testsupport::readBytes;
using testsupport::TempDir;
using testsupport::writeBytes;

using testsupport::msSince;

QString script(const TempDir& dir, const QString& name, const QByteArray& body)
{
    return testsupport::writeScript(dir.file(name), body);
}

// An open project in a temporary folder, English texts, a recording interaction and empty slots.
class FileCommands : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        Reset_Globals();
        Set_English_Texts();
        Active_Project_Name = "P";
        Active_Project_Dir = project_.path();
        Set_Files();
    }
    void TearDown() override
    {
        File_Command_Slots() = {};
        Reset_Globals();
        Clear_Lang_Table();
    }
    // The names the EDE or EDS writer slot was called with.
    QStringList& recordWriter(std::function<void(const QString&)>& slot)
    {
        slot = [this](const QString& name) { written_ << name; };
        return written_;
    }

    TempDir project_;
    TScopedInteraction ui_;
    QStringList written_;
};

// ---- Start_Program ------------------------------------------------------------------------------

TEST_F(FileCommands, StartProgramWaitsForAProgramThatEndsAtOnce)
{
    TempDir bin;
    const QString out = bin.file("args.txt");
    // 259 meant "still running" where exit codes were read; here the process state decides.
    const QString prog = script(bin, "quick.sh", "printf '%s|' \"$@\" > \"$1\"\nexit 259\n");
    const Clock::time_point start = Clock::now();
    const TRunResult r = Start_Program(prog, "\"" + out + "\" -x \"two words\"", 0);
    EXPECT_LT(msSince(start), 2000);
    EXPECT_EQ(r.Outcome, TRunResult::Ended);
    EXPECT_EQ(readBytes(out), (out + "|-x|two words|").toUtf8());
    EXPECT_TRUE(ui_->Messages.empty());
}

TEST_F(FileCommands, StartProgramGivesUpAtTheLimitAndLeavesTheProgramRunning)
{
    TempDir bin;
    const QString prog = script(bin, "slow.sh", "exec sleep 30\n");
    const Clock::time_point start = Clock::now();
    const TRunResult r = Start_Program(prog, "", 1, 200);
    const long took = msSince(start);
    EXPECT_GE(took, 200);
    EXPECT_LT(took, 2000);
    ASSERT_EQ(r.Outcome, TRunResult::StillRunning);
    ASSERT_GT(r.Pid, 0);
    EXPECT_EQ(::kill(r.Pid, 0), 0) << "the program was stopped";
    ::kill(r.Pid, SIGKILL);
    EXPECT_TRUE(ui_->Messages.empty());
}

TEST_F(FileCommands, AProgramThatCannotStartShowsOneErrorNamingIt)
{
    TempDir bin;
    writeBytes(bin.file("plain.txt"), "not a program\n");
    const QString cases[] = {bin.file("Ethernet_Update.exe"), bin.file("plain.txt")};
    for (const QString& prog : cases) {
        SCOPED_TRACE(prog.toStdString());
        ui_->Messages.clear();
        const Clock::time_point start = Clock::now();
        const TRunResult r = Start_Program(prog, "", 0);
        EXPECT_LT(msSince(start), 1000);
        EXPECT_EQ(r.Outcome, TRunResult::NotStarted);
        ASSERT_EQ(ui_->Messages.size(), 1u);
        EXPECT_EQ(ui_->Messages[0].Type, mtError);
        EXPECT_EQ(ui_->Messages[0].Buttons, mbOK);
        EXPECT_TRUE(ui_->Messages[0].Text.contains(prog));
        EXPECT_TRUE(ui_->Messages[0].Text.contains(r.Error.section(": ", -1)));
    }
}

// ---- Description-file commands ------------------------------------------------------------------

TEST_F(FileCommands, EdeNameGetsCsvUnlessItEndsInCsv)
{
    QStringList& written = recordWriter(File_Command_Slots().Create_EDE_File);
    const struct {
        const char* chosen;
        const char* used;
    } cases[] = {
        {"x", "x.csv"},     {"x.CsV", "x.CsV"}, {"x.txt", "x.txt.csv"}, {"x.csv.bak", "x.csv.bak.csv"},
        {"csv", "csv.csv"},
    };
    for (const auto& c : cases) {
        ui_->FileAnswers = {project_.file(c.chosen)};
        written.clear();
        BACnet_EDE_File();
        EXPECT_EQ(written, QStringList{project_.file(c.used)}) << c.chosen;
    }
    ASSERT_EQ(ui_->FileDialogs.size(), std::size(cases));
    const TFileDialogRequest& d = ui_->FileDialogs[0];
    EXPECT_TRUE(d.Save);
    EXPECT_EQ(d.Filter, "CSV (MS-DOS) (*.csv)|*.csv");
    EXPECT_EQ(d.DefaultExt, "");
    EXPECT_EQ(d.InitialDir, project_.path());
    EXPECT_FALSE(d.OverwritePrompt);
    EXPECT_TRUE(ui_->Messages.empty());
}

TEST_F(FileCommands, EdeReplacesAnExistingFileOnlyAfterYes)
{
    QStringList& written = recordWriter(File_Command_Slots().Create_EDE_File);
    writeBytes(project_.file("old.csv"), "old");
    const struct {
        TModalResult answer;
        bool writes;
    } cases[] = {{mrYes, true}, {mrNo, false}, {mrCancel, false}};
    for (const auto& c : cases) {
        ui_->Messages.clear();
        ui_->MessageAnswers = {c.answer};
        ui_->FileAnswers = {project_.file("old")};
        written.clear();
        BACnet_EDE_File();
        EXPECT_EQ(written.size(), c.writes ? 1 : 0) << c.answer;
        ASSERT_EQ(ui_->Messages.size(), 1u);
        EXPECT_EQ(ui_->Messages[0].Text, "File already exists. Do you want to overwrite?");
        EXPECT_EQ(ui_->Messages[0].Type, mtConfirmation);
        EXPECT_EQ(ui_->Messages[0].Buttons, mbYesNoCancel);
    }
    // Cancel in the dialog ends the command before anything else.
    ui_->Messages.clear();
    ui_->FileAnswers = {QString()};
    written.clear();
    BACnet_EDE_File();
    EXPECT_TRUE(written.isEmpty());
    EXPECT_TRUE(ui_->Messages.empty());
}

TEST_F(FileCommands, EdsReplacesAnExistingFileWithoutAQuestion)
{
    QStringList& written = recordWriter(File_Command_Slots().Create_EDS_File);
    writeBytes(project_.file("dev.eds"), "old");
    ui_->FileAnswers = {project_.file("dev.eds")};
    Build_EDS_File();
    EXPECT_EQ(written, QStringList{project_.file("dev.eds")});
    EXPECT_TRUE(ui_->Messages.empty());
    ASSERT_EQ(ui_->FileDialogs.size(), 1u);
    EXPECT_EQ(ui_->FileDialogs[0].Filter, "Electronic Data Sheet (*.eds)|*.eds");
    EXPECT_EQ(ui_->FileDialogs[0].DefaultExt, "eds");
    EXPECT_EQ(ui_->FileDialogs[0].InitialDir, project_.path());

    // The dialog proposes the name chosen last time, in the folder of the open project.
    ui_->FileAnswers = {QString()};
    Build_EDS_File();
    ASSERT_EQ(ui_->FileDialogs.size(), 2u);
    EXPECT_EQ(ui_->FileDialogs[1].FileName, "dev.eds");
    EXPECT_EQ(written.size(), 1);
}

TEST_F(FileCommands, ProfinetWritesTheFileNamedByItsDialog)
{
    writeBytes(File_ParGen, "<Par_Gen><PROFINET_NAME_STA>press</PROFINET_NAME_STA></Par_Gen>");
    const QString name = "GSDML-V2.25-Brivex-_a-20260101.xml";

    File_Command_Slots().Show_Profinet_File_Name = [](QString&) { return false; };
    PROFINET_XML();
    EXPECT_TRUE(ui_->FileDialogs.empty());

    File_Command_Slots().Show_Profinet_File_Name = [&](QString& n) {
        n = name;
        return true;
    };
    TempDir out;
    ui_->FileAnswers = {out.file("anything.xml")};
    PROFINET_XML();
    EXPECT_TRUE(readBytes(out.file(name)).contains("press"));
}

TEST_F(FileCommands, BacnetTypeReadsTheElementOrZero)
{
    const struct {
        const char* parGen; // nullptr: no file
        int type;
    } cases[] = {
        {nullptr, 0},
        {"<Par_Gen><BACnet_Type>1</BACnet_Type></Par_Gen>", 1},
        {"<Par_Gen><BACnet_Type>7</BACnet_Type></Par_Gen>", 7},
        {"<Par_Gen><Eth_Conn_DHCP_Cable>1</Eth_Conn_DHCP_Cable></Par_Gen>", 0},
        {"<Par_Gen><BACnet_Type>MS/TP</BACnet_Type></Par_Gen>", 0},
        {"<Par_Gen><BACnet_Type>1</BACnet_Ty", 0},
    };
    for (const auto& c : cases) {
        QFile::remove(File_ParGen);
        if (c.parGen)
            writeBytes(File_ParGen, c.parGen);
        EXPECT_EQ(Get_Type_BACnet(), c.type) << (c.parGen ? c.parGen : "no file");
    }
}

// ---- Update_Device ------------------------------------------------------------------------------

class FileCommandsUpdate : public FileCommands
{
  protected:
    void SetUp() override
    {
        FileCommands::SetUp();
        File_Command_Slots().Show_Boot = [this](int formType) { bootShown_.push_back(formType); };
    }
    std::vector<int> bootShown_;
};

TEST_F(FileCommandsUpdate, WritesBothBanksThenShowsTheEthernetUpdate)
{
    Update_Device();
    EXPECT_EQ(readBytes(project_.file("bin/bank1.bin")).size(), 2048);
    EXPECT_FALSE(readBytes(project_.file("bin/bank2.bin")).isEmpty());
    EXPECT_EQ(bootShown_, std::vector<int>{1});
    EXPECT_TRUE(ui_->Messages.empty());
}

TEST_F(FileCommandsUpdate, ACompileErrorReachesTheCallerAndWritesNothing)
{
    writeBytes(File_ParGen, "<Par_Gen><ModbusM_BAUD");
    EXPECT_THROW(Update_Device(), EXmlError);
    EXPECT_FALSE(QFile::exists(project_.file("bin/bank1.bin")));
    EXPECT_TRUE(bootShown_.empty());
}

TEST_F(FileCommandsUpdate, AFailedSaveStopsBeforeTheUpdateDialog)
{
    // "bin" is a file, so the bank folder cannot be made.
    writeBytes(project_.file("bin"), "in the way");
    Update_Device();
    EXPECT_TRUE(bootShown_.empty());
    ASSERT_EQ(ui_->Messages.size(), 1u);
    EXPECT_EQ(ui_->Messages[0].Type, mtError);
    EXPECT_TRUE(ui_->Messages[0].Text.contains("bin"));
}

} // namespace
