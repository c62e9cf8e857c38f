// The agent's MIB: the module byte for byte from the agent editor's file, the objects it takes, the
// command's dialog and question, and the faults that leave an existing MIB as it was; the SNMP forms
// at program start behind their hidden main-window buttons.
#include "app/HiddenButtonSupport.h"
#include "app/TableEditorFixture.h"
#include "app/UFormOrder.h"
#include "app/UMain.h"
#include "app/UProjectFolders.h"
#include "editors/network/USNMPManagerAccess.h"
#include "editors/network/USNMP_MIB.h"
#include "editors/network/USNMP_Trap_Access.h"
#include "grid/base/FadeButton.h"

#include <QDir>

namespace
{

using hiddenbutton::Press;

using namespace tableeditortest;
using testsupport::readBytes;
using testsupport::writeBytes;

// Lines 1 .. 43 of every module, then the lines from "bufferout" to " bufferoutval", as listed.
const QByteArray Head =
    "GATEWAY DEFINITIONS ::= BEGIN\r\n"
    "IMPORTS\r\n"
    "       MODULE-IDENTITY,OBJECT-TYPE\r\n"
    "         FROM SNMPv2-SMI\r\n"
    "         DisplayString, TimeStamp\r\n"
    "         FROM SNMPv2-TC\r\n"
    "         enterprises\r\n"
    "         FROM RFC1155-SMI;\r\n"
    "\r\n"
    "identity MODULE-IDENTITY\r\n"
    "    LAST-UPDATED \"201701310000Z\"\r\n"
    "    ORGANIZATION \"Brivexcorp\"\r\n"
    "    CONTACT-INFO\r\n"
    "\t \"Brivexcorp Technical Support\r\n"
    "    00000 Brivex\r\n"
    "    Country\r\n"
    "    email:    support@brivexcorp.example\"\r\n"
    "    DESCRIPTION\r\n"
    "\t\"MIB objects for agent module \"\r\n"
    "    REVISION     \"201701310000Z\"\r\n"
    "    DESCRIPTION\r\n"
    "\t\"Corrected notification \"\r\n"
    "    REVISION     \"200202060000Z\"\r\n"
    "    DESCRIPTION\r\n"
    "\t\"First draft\"\r\n"
    "    ::= { brivex 2 }\r\n"
    "brivex          OBJECT IDENTIFIER ::= { enterprises 32473 }\r\n"
    "gateway OBJECT IDENTIFIER::= { brivex 1 }\r\n"
    "application OBJECT IDENTIFIER::= { gateway 1 }\r\n"
    "data OBJECT IDENTIFIER::= { application 1 }\r\n"
    "hellostring OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-only  STATUS current  DESCRIPTION \"\" "
    "::= { data 1}\r\n"
    "countin  OBJECT-TYPE SYNTAX INTEGER       MAX-ACCESS read-only  STATUS current  DESCRIPTION \"\" "
    "::= { data 2}\r\n"
    "countout  OBJECT-TYPE SYNTAX INTEGER       MAX-ACCESS read-write STATUS current  DESCRIPTION \"\" "
    "::= { data 3}\r\n"
    "bufferin OBJECT IDENTIFIER::= { data 4 }\r\n";

QByteArray Blocks(const char* parent, const char* access)
{
    QByteArray out;
    for (int k = 1; k <= 8; ++k)
        out += QString("%1blk%2 OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS %3 STATUS current DESCRIPTION "
                       "\"data block n.%2\" ::= { %1 %2 }\r\n")
                   .arg(parent)
                   .arg(k)
                   .arg(access)
                   .toLatin1();
    return out;
}

const QByteArray Fixed_Module = Head + Blocks("bufferin", "read-only") +
                                " bufferinval OBJECT IDENTIFIER::= { bufferin 9 }\r\n"
                                "bufferout OBJECT IDENTIFIER::= { data 5 }\r\n" +
                                Blocks("bufferout", "read-write") +
                                " bufferoutval OBJECT IDENTIFIER::= { bufferout 9 }\r\n"
                                "traps OBJECT IDENTIFIER::= { application 2 }\r\n"
                                " trapsval OBJECT IDENTIFIER::= { traps 1 }\r\n"
                                "END\r\n";

QByteArray Agent_Row(const char* enable, const char* type, const char* desc)
{
    return QString("<row Enable=\"%1\" Community_Name=\"Tundra\" Type=\"%2\" Description=\"%3\"/>")
        .arg(enable, type, desc)
        .toUtf8();
}

QByteArray Agent_File(const QByteArray& read, const QByteArray& write)
{
    return "<SNMP_Trap><SNMP_Trap_Read>" + read + "</SNMP_Trap_Read><SNMP_Trap_Write>" + write +
           "</SNMP_Trap_Write></SNMP_Trap><!--SW_VERSION = 1.000-->";
}

// The file's lines without their CR LF; every line must end in one, the last included.
QStringList Lines(const QByteArray& bytes)
{
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    QStringList lines = QString::fromLatin1(bytes).split("\r\n");
    lines.removeLast();
    for (const QString& l : lines)
        EXPECT_FALSE(l.contains('\n') || l.contains('\r')) << l.toStdString();
    return lines;
}

class SNMPMIB : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        Reset_Globals();
        Set_English_Texts();
        Active_Project_Name = "P";
        Active_Project_Dir = project.path();
        Set_Files();
        out = project.file("gateway.mib");
    }
    void TearDown() override
    {
        Reset_Globals();
        Clear_Lang_Table();
    }
    void Write()
    {
        Read_SNMP_Agent_Objects();
        Write_MIB_File(out);
    }

    testsupport::TempDir project;
    TScopedInteraction answers;
    QString out;
};

TEST_F(SNMPMIB, WithoutAnAgentFileTheModuleHoldsItsFixedLinesByteForByte)
{
    MIB_Read_Descs = {"stale"};
    MIB_Read_Is_Int = {true};
    Write();
    EXPECT_EQ(readBytes(out), Fixed_Module);
    EXPECT_EQ(Lines(readBytes(out)).size(), 56);
    EXPECT_TRUE(MIB_Read_Descs.isEmpty());
}

TEST_F(SNMPMIB, EnabledObjectsGetTheirLinesAndNotifications)
{
    writeBytes(File_SNMP_Trap, Agent_File(Agent_Row("Y", "Int", "temp") + Agent_Row("N", "Int", "off") +
                                              Agent_Row("y", "String", "status") + Agent_Row("Y", "Int", ""),
                                          Agent_Row("Y", "int", "setp") + Agent_Row(" Y", "Int", "sp2")));
    Write();
    const QStringList lines = Lines(readBytes(out));
    ASSERT_EQ(lines.size(), 63);
    EXPECT_FALSE(readBytes(out).startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(lines[42], " bufferinval OBJECT IDENTIFIER::= { bufferin 9 }");
    EXPECT_EQ(lines.mid(43, 3),
              QStringList({"temp OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-only STATUS current DESCRIPTION "
                           "\"temp\" ::= { bufferinval 1 }",
                           "status OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-only STATUS current "
                           "DESCRIPTION \"status\" ::= { bufferinval 2 }",
                           "bufferinval3 OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-only STATUS current "
                           "DESCRIPTION \"\" ::= { bufferinval 3 }"}));
    EXPECT_EQ(lines[46], "bufferout OBJECT IDENTIFIER::= { data 5 }");
    EXPECT_EQ(lines[55], " bufferoutval OBJECT IDENTIFIER::= { bufferout 9 }");
    EXPECT_EQ(lines[56], "setp OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-write STATUS current DESCRIPTION "
                         "\"setp\" ::= { bufferoutval 1 }");
    EXPECT_EQ(lines[57], "traps OBJECT IDENTIFIER::= { application 2 }");
    EXPECT_EQ(
        lines.mid(59, 3),
        QStringList({"trapval1 NOTIFICATION-TYPE SYNTAX INTEGER MAX-ACCESS read-only STATUS current "
                     "DESCRIPTION \"temp\" ::= { trapsval 1 }",
                     "trapval2 NOTIFICATION-TYPE SYNTAX OCTET STRING MAX-ACCESS read-only STATUS current "
                     "DESCRIPTION \"status\" ::= { trapsval 2 }",
                     "trapval3 NOTIFICATION-TYPE SYNTAX INTEGER MAX-ACCESS read-only STATUS current "
                     "DESCRIPTION \"\" ::= { trapsval 3 }"}));
    EXPECT_EQ(lines[62], "END");
    EXPECT_EQ(MIB_Write_Descs, QStringList({"setp"}));
}

TEST_F(SNMPMIB, RowsAreTakenAsTheFileHoldsThem)
{
    // No Enable: not taken; no Description: empty; no Type: String; any element name is a row; a text
    // outside cp1252 becomes "?".
    writeBytes(File_SNMP_Trap,
               Agent_File("<row Type=\"Int\" Description=\"x\"/><item Enable=\"Y\" Type=\"Int\"/>"
                          "<row Enable=\"Y\" Description=\"t\xC3\xA4\xE2\x82\xAC\xE4\xB8\x80\"/>",
                          ""));
    Write();
    const QByteArray bytes = readBytes(out);
    const QStringList lines = Lines(bytes);
    ASSERT_EQ(lines.size(), 60);
    EXPECT_TRUE(lines[43].startsWith("bufferinval1 OBJECT-TYPE SYNTAX INTEGER ")) << lines[43].toStdString();
    EXPECT_TRUE(bytes.contains("t\xE4\x80? OBJECT-TYPE SYNTAX OCTET STRING "));
    EXPECT_EQ(lines[54], " bufferoutval OBJECT IDENTIFIER::= { bufferout 9 }");
    EXPECT_EQ(lines[55], "traps OBJECT IDENTIFIER::= { application 2 }");
}

TEST_F(SNMPMIB, MoreThan256EnabledObjectsAllGetTheirLines)
{
    QByteArray read;
    for (int i = 1; i <= 300; ++i)
        read += Agent_Row("Y", i % 2 ? "String" : "Int", QString("v%1").arg(i).toLatin1().constData());
    writeBytes(File_SNMP_Trap, Agent_File(read, ""));
    Write();
    const QStringList lines = Lines(readBytes(out));
    ASSERT_EQ(lines.size(), 56 + 600);
    EXPECT_EQ(lines[43 + 299],
              "v300 OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-only STATUS current DESCRIPTION "
              "\"v300\" ::= { bufferinval 300 }");
    EXPECT_EQ(lines[lines.size() - 2],
              "trapval300 NOTIFICATION-TYPE SYNTAX INTEGER MAX-ACCESS read-only STATUS "
              "current DESCRIPTION \"v300\" ::= { trapsval 300 }");
}

TEST_F(SNMPMIB, TheCommandAsksBeforeReplacingAndAFaultyAgentFileWritesNothing)
{
    // Cancel in the dialog: nothing.
    answers->FileAnswers = {""};
    Create_MIB_File();
    ASSERT_EQ(answers->FileDialogs.size(), 1u);
    EXPECT_EQ(answers->FileDialogs[0].Filter, "Management Information Base (*.mib)|*.mib");
    EXPECT_EQ(answers->FileDialogs[0].InitialDir, Active_Project_Dir);
    EXPECT_FALSE(FileExists(out));

    // A new name: no question.
    answers->FileAnswers = {out};
    Create_MIB_File();
    EXPECT_TRUE(answers->Messages.empty());
    EXPECT_EQ(readBytes(out), Fixed_Module);

    // An existing file: No keeps its bytes, Yes replaces it.
    writeBytes(out, "mine");
    writeBytes(File_SNMP_Trap, Agent_File(Agent_Row("Y", "Int", "temp"), ""));
    answers->FileAnswers = {out, out};
    answers->MessageAnswers = {mrNo, mrYes};
    Create_MIB_File();
    EXPECT_EQ(readBytes(out), "mine");
    Create_MIB_File();
    EXPECT_EQ(Lines(readBytes(out)).size(), 58);
    ASSERT_EQ(answers->Messages.size(), 2u);
    for (const TMessageRequest& m : answers->Messages) {
        EXPECT_EQ(m.Text, "File already exists. Do you want to overwrite?");
        EXPECT_EQ(m.Type, mtConfirmation);
        EXPECT_EQ(m.Buttons, mbYesNo);
    }

    // A truncated or incomplete agent file raises naming it; the MIB keeps its bytes.
    const QByteArray before = readBytes(out);
    const struct {
        QByteArray agent;
        const char* reason;
    } faults[] = {
        {Agent_File(Agent_Row("Y", "Int", "temp"), "").left(60), "SNMP_Trap.xml"},
        {"<SNMP_Trap><SNMP_Trap_Read/></SNMP_Trap>", "SNMP_Trap_Write"},
        {"<SNMP_Trap><SNMP_Trap_Write/></SNMP_Trap>", "SNMP_Trap_Read"},
    };
    for (const auto& f : faults) {
        writeBytes(File_SNMP_Trap, f.agent);
        answers->FileAnswers = {out};
        answers->MessageAnswers = {mrYes};
        try {
            Create_MIB_File();
            ADD_FAILURE() << "no error for " << f.reason;
        } catch (const Exception& e) {
            EXPECT_TRUE(e.Message.contains("SNMP_Trap.xml")) << e.Message.toStdString();
            EXPECT_TRUE(e.Message.contains(f.reason)) << e.Message.toStdString();
        }
        EXPECT_EQ(readBytes(out), before);
    }
}

TEST_F(SNMPMIB, ATargetThatCannotBeWrittenRaisesNamingItAndLeavesNothing)
{
    const QString missing = project.file("no such folder/gw.mib");
    answers->FileAnswers = {missing};
    try {
        Create_MIB_File();
        ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
        EXPECT_TRUE(e.Message.contains(missing)) << e.Message.toStdString();
    }
    EXPECT_TRUE(QDir(project.path()).entryList(QDir::Files).isEmpty());
}

// ---- Program start -------------------------------------------------------------------------------------

class SNMPStartup : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        Reset_Globals();
        Set_English_Texts();
        Create_Forms(program.path());
        ASSERT_TRUE(ForceDirectories(Projects_Dir + "/Plant7"));
        Set_Active_Project("Plant7");
    }
    void TearDown() override
    {
        Destroy_Forms();
        Reset_Globals();
        Clear_Lang_Table();
    }

    TScopedInteraction answers;
    testsupport::TempDir program;
};

TEST_F(SNMPStartup, BothFormsAreCreatedAndReTexted)
{
    ASSERT_NE(FSNMPManagerAccess, nullptr);
    ASSERT_NE(FSNMP_Trap_Access, nullptr);
    EXPECT_EQ(Find_Form("FSNMPManagerAccess"), FSNMPManagerAccess);
    EXPECT_EQ(Find_Form("FSNMP_Trap_Access"), FSNMP_Trap_Access);
    EXPECT_EQ(FSNMP_Trap_Access->L_SW_Code->Caption(), "RIVA101");
    Set_Marker_Texts();
    Set_Lang_Of_Forms();
    Expect_Marker_Texts(*FSNMPManagerAccess);
    Expect_Marker_Texts(*FSNMP_Trap_Access);
}

TEST_F(SNMPStartup, TheHiddenButtonsOpenTheEditorsAndWriteTheMIBFromWhatWasSaved)
{
    EXPECT_TRUE(Press("Btn_SNMP_Manager_Access", FSNMPManagerAccess, [] {
        FSNMPManagerAccess->ACG_SNMP->SetCells(snmpmanager::Col_IP, 1, "10.0.0.1");
        FSNMPManagerAccess->ACG_SNMP->SetCells(snmpmanager::Col_OID, 1, "1.3.6");
        FSNMPManagerAccess->ACG_SNMP->SetCells(snmpmanager::Col_NumBytes, 1, "2");
        FSNMPManagerAccess->ACG_SNMP->SetCells(snmpmanager::Col_Conversion, 1, "None");
        QTest::mouseClick(FSNMPManagerAccess->Btn_OK->Widget(), Qt::LeftButton, {}, QPoint(5, 5));
    }));
    EXPECT_TRUE(Press("Btn_SNMP_Trap", FSNMP_Trap_Access, [] {
        const QStringList row = {"Y", "Tundra", "Int", "N",    "N",        "N",   "",
                                 "0", "0",      "16",  "temp", "10.0.0.9", "None"};
        for (int c = 1; c <= row.size(); ++c)
            FSNMP_Trap_Access->ACG_SNMP_Read->SetCells(c, 1, row[c - 1]);
        QTest::mouseClick(FSNMP_Trap_Access->Btn_OK->Widget(), Qt::LeftButton, {}, QPoint(5, 5));
    }));
    EXPECT_TRUE(answers->Messages.empty()) << answers->Messages.front().Text.toStdString();
    EXPECT_EQ(Xml_Tree(File_SNMP_Manager).size(), 2);

    const QString mib = Active_Project_Dir + "/gw.mib";
    answers->FileAnswers = {mib};
    Press("Btn_SNMP_MIB", nullptr, {});
    EXPECT_TRUE(answers->Messages.empty());
    ASSERT_EQ(answers->FileDialogs.size(), 1u);
    EXPECT_EQ(answers->FileDialogs[0].InitialDir, Active_Project_Dir);
    const QStringList lines = Lines(readBytes(mib));
    ASSERT_EQ(lines.size(), 58);
    EXPECT_TRUE(lines[43].startsWith("temp OBJECT-TYPE SYNTAX INTEGER ")) << lines[43].toStdString();

    // A truncated agent file: one error naming it, and the MIB keeps its bytes.
    const QByteArray before = readBytes(mib);
    writeBytes(File_SNMP_Trap, "<SNMP_Trap><SNMP_Trap_Read>");
    answers->FileAnswers = {mib};
    answers->MessageAnswers = {mrYes};
    Press("Btn_SNMP_MIB", nullptr, {});
    ASSERT_EQ(answers->Messages.size(), 2u);
    EXPECT_EQ(answers->Messages[1].Type, mtError);
    EXPECT_TRUE(answers->Messages[1].Text.contains("SNMP_Trap.xml"))
        << answers->Messages[1].Text.toStdString();
    EXPECT_EQ(readBytes(mib), before);
}

} // namespace
