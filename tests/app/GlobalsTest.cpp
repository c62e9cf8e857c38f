// Shared state, Set_Files and the settings file "Tessilator.xml".
#include "app/UGlobals.h"
#include "common/TestSupport.h"
#include "platform/core/SysUtils.h"
#include "platform/core/Xml.h"

#include <QDir>
#include <gtest/gtest.h>

using testsupport::readBytes;
using testsupport::TempDir;
using testsupport::writeBytes;

namespace
{

class Settings : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        Reset_Globals();
        Set_App_Dir(dir.path());
    }
    void TearDown() override { Reset_Globals(); }

    void writeSettings(const QByteArray& bytes) { writeBytes(Settings_File_Name(), bytes); }

    // Puts every kept value away from its default, so a read that gives defaults shows.
    static void spoilValues()
    {
        Active_Project_Name = "spoilt";
        Active_Project_Dir = "/spoilt";
        Last_IP_Address = "spoilt";
        Language_Name = "spoilt";
        Opt_Enable_Internet = Opt_Enable_Update = Opt_Jump_Field_Tables = Opt_Double_Click_Auto_Size = true;
    }

    static void expectDefaults()
    {
        EXPECT_EQ(Active_Project_Name, "");
        EXPECT_EQ(Active_Project_Dir, "");
        EXPECT_EQ(Last_IP_Address, "192.168.2.205");
        EXPECT_EQ(Language_Name, "English");
        EXPECT_FALSE(Opt_Enable_Internet);
        EXPECT_FALSE(Opt_Enable_Update);
        EXPECT_FALSE(Opt_Jump_Field_Tables);
        EXPECT_FALSE(Opt_Double_Click_Auto_Size);
    }

    TempDir dir;
};

const QByteArray kFullSettings = "<Conf_Settings>"
                                 "<lastproj><projectname>Plant A</projectname></lastproj>"
                                 "<lastipadd><ipaddress>10.0.0.7</ipaddress></lastipadd>"
                                 "<lastlang><language>Italiano</language></lastlang>"
                                 "<lastinternet><enable_internet>1</enable_internet>"
                                 "<enable_update>0</enable_update>"
                                 "<enable_jump_field_tables>1</enable_jump_field_tables>"
                                 "<Double_Click_Auto_Size>1</Double_Click_Auto_Size></lastinternet>"
                                 "</Conf_Settings>";

} // namespace

TEST_F(Settings, FoldersAreDerivedFromAppDirAndCreatedWhenMissing)
{
    EXPECT_EQ(Master_Dir, dir.path() + "/MASTER");
    EXPECT_EQ(Projects_Dir, dir.path() + "/PROJECTS");
    EXPECT_EQ(Language_Dir, dir.path() + "/LANGUAGE");
    QDir().mkdir(Projects_Dir);
    writeBytes(Projects_Dir + "/keep.txt", "x");
    Create_App_Folders();
    EXPECT_TRUE(DirectoryExists(Master_Dir));
    EXPECT_TRUE(DirectoryExists(Projects_Dir));
    EXPECT_TRUE(DirectoryExists(Language_Dir));
    EXPECT_TRUE(FileExists(Projects_Dir + "/keep.txt"));
}

TEST_F(Settings, ValuesStartAtTheirDefaults)
{
    EXPECT_EQ(Language_Name, "English");
    EXPECT_EQ(Last_IP_Address, "192.168.2.205");
    EXPECT_FALSE(Opt_Enable_Internet || Opt_Enable_Update || Opt_Jump_Field_Tables || Opt_Double_Click_Auto_Size);
    EXPECT_EQ(Last_Update_Option, 0);
    EXPECT_TRUE(Last_Read_Back);
    EXPECT_EQ(Last_EDE_Dir, "");
    EXPECT_EQ(Active_Project_Name, "");
    EXPECT_EQ(Active_Project_Dir, "");
}

TEST_F(Settings, SetFilesWithAProject)
{
    Active_Project_Name = "Plant A";
    Active_Project_Dir = Projects_Dir + "/" + Active_Project_Name;
    Set_Files();
    EXPECT_EQ(Active_Project_Dir, App_Dir + "/PROJECTS/Plant A");
    EXPECT_EQ(File_S7_Protocol, App_Dir + "/PROJECTS/Plant A/S7_Protocol.xml");
    // All 29, in their fixed order.
    const QStringList got = {File_ParGen,
                             File_EtherCAT_Slave,
                             File_ModbusM_SetAccess,
                             File_ModbusTCPM_SetAccess,
                             File_BACnet_Master_Access,
                             File_BACnet_Slave,
                             File_CAN_Rec_Frames,
                             File_CAN_Send_Frames,
                             File_SDO_Server_CANopen,
                             File_SDO_Client_CANopen,
                             File_PDO_CANopen,
                             File_DNETM_Net,
                             File_DNETM_DefOff,
                             File_DMX_Default_Values,
                             File_IEC_61850_Client,
                             File_TLS_Known_Cert,
                             File_IEC61850_Variables,
                             File_J1939_Rec_Frames,
                             File_J1939_Send_Frames,
                             File_MQTT_Set_Topic,
                             File_NMEA_Rec_Frames,
                             File_NMEA_Send_Frames,
                             File_OPC_UA_Client,
                             File_OPC_UA_Server,
                             File_SNMP_Manager,
                             File_SNMP_Trap,
                             File_EtherNetIP_Master_Rules,
                             File_S7_Protocol,
                             File_EtherCAT_Slave_Group};
    const QStringList names = {"ParGen",
                               "EtherCAT_Slave",
                               "ModbusM_SetAccess",
                               "ModbusTCPM_SetAccess",
                               "BACnet_Master_Access",
                               "BACnet_Slave",
                               "CAN_Rec_Frames",
                               "CAN_Send_Frames",
                               "SDO_Server_CANopen",
                               "SDO_Client_CANopen",
                               "PDO_CANopen",
                               "DNETM_Net",
                               "DNETM_DefOff",
                               "DMX_Default_Values",
                               "IEC_61850_Client",
                               "TLS_Known_Cert",
                               "IEC61850_Variables",
                               "J1939_Rec_Frames",
                               "J1939_Send_Frames",
                               "MQTT_Set_Topic",
                               "NMEA_Rec_Frames",
                               "NMEA_Send_Frames",
                               "OPC_UA_Client",
                               "OPC_UA_Server",
                               "SNMP_Manager",
                               "SNMP_Trap",
                               "EtherNetIP_Master_Rules",
                               "S7_Protocol",
                               "EtherCAT_Slave_Group"};
    ASSERT_EQ(got.size(), 29);
    for (int i = 0; i < 29; ++i)
        EXPECT_EQ(got[i], Active_Project_Dir + "/" + names[i] + ".xml") << i;
}

TEST_F(Settings, SetFilesWithNoProject)
{
    Active_Project_Dir.clear();
    Set_Files();
    EXPECT_EQ(File_ParGen, "/ParGen.xml");
    EXPECT_EQ(File_EtherCAT_Slave_Group, "/EtherCAT_Slave_Group.xml");
}

TEST_F(Settings, IdentityTexts)
{
    Set_Identity_Texts();
    EXPECT_EQ(Main_Title, "Brivexcorp - Configurator RIVA101 - EtherCAT Slave / Modbus Master ");
    EXPECT_EQ(SW_Code, "RIVA101");
    EXPECT_EQ(SW_Description, "EtherCAT Slave / Modbus Master - Converter");
    EXPECT_EQ(Update_SW_Name, "RIVA101");
}

TEST_F(Settings, ReadsEveryValue)
{
    writeSettings(kFullSettings);
    spoilValues();
    Active_Project_Dir = "untouched";
    // Values of the update dialog and the EDE import are not kept in the file.
    Last_Update_Option = 2;
    Last_Read_Back = false;
    Last_EDE_Dir = "/ede";
    Read_Settings();
    EXPECT_EQ(Last_Update_Option, 2);
    EXPECT_FALSE(Last_Read_Back);
    EXPECT_EQ(Last_EDE_Dir, "/ede");
    EXPECT_EQ(Active_Project_Name, "Plant A");
    EXPECT_EQ(Active_Project_Dir, "untouched"); // start-up derives it from the name
    EXPECT_EQ(Last_IP_Address, "10.0.0.7");
    EXPECT_EQ(Language_Name, "Italiano");
    EXPECT_TRUE(Opt_Enable_Internet);
    EXPECT_FALSE(Opt_Enable_Update);
    EXPECT_TRUE(Opt_Jump_Field_Tables);
    EXPECT_TRUE(Opt_Double_Click_Auto_Size);
}

TEST_F(Settings, UnusableFilesGiveDefaults)
{
    const QByteArray cases[] = {
        "",                                       // empty
        QByteArray("\x00\x01\xff\xfe\x89PNG", 8), // binary
        "lastproj = Plant A",                     // not XML
        "<Conf_Settings><lastproj>",              // not well-formed
        "<!-- only a comment -->",                // no root element
    };
    for (const QByteArray& bytes : cases) {
        writeSettings(bytes);
        spoilValues();
        Read_Settings();
        expectDefaults();
    }
    QFile::remove(Settings_File_Name());
    spoilValues();
    Read_Settings();
    expectDefaults();
}

TEST_F(Settings, GuardedValues)
{
    struct Case {
        const char* xml;
        const char* project;
        const char* ip;
        const char* language;
        bool internet, update, jump, autosize;
    };
    const Case cases[] = {
        // Only enable_update in its group.
        {"<X><lastinternet><enable_update>1</enable_update></lastinternet></X>", "", "192.168.2.205",
         "English", false, true, false, false},
        // Present but empty values give the empty string, not the default.
        {"<X><lastproj><projectname/></lastproj><lastipadd><ipaddress></ipaddress></lastipadd>"
         "<lastlang><language/></lastlang></X>",
         "", "", "", false, false, false, false},
        // A value element holding an element instead of text.
        {"<X><lastipadd><ipaddress><b>1.2.3.4</b></ipaddress></lastipadd>"
         "<lastlang><language>Deutsch</language></lastlang></X>",
         "", "192.168.2.205", "Deutsch", false, false, false, false},
        // Options are true only for exactly "1".
        {"<X><lastinternet><enable_internet>true</enable_internet><enable_update> 1</enable_update>"
         "<enable_jump_field_tables>1 </enable_jump_field_tables>"
         "<Double_Click_Auto_Size>1</Double_Click_Auto_Size></lastinternet></X>",
         "", "192.168.2.205", "English", false, false, false, true},
        // Names are case-sensitive; a value outside its group is not found.
        {"<X><LastProj><projectname>P</projectname></LastProj><language>Deutsch</language></X>", "",
         "192.168.2.205", "English", false, false, false, false},
        // A declaration and a comment before the root keep every setting.
        {"<?xml version=\"1.0\"?><!-- saved --><Conf_Settings><lastproj><projectname>P</projectname>"
         "</lastproj></Conf_Settings>",
         "P", "192.168.2.205", "English", false, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.xml);
        writeSettings(c.xml);
        spoilValues();
        Read_Settings();
        EXPECT_EQ(Active_Project_Name, c.project);
        EXPECT_EQ(Last_IP_Address, c.ip);
        EXPECT_EQ(Language_Name, c.language);
        EXPECT_EQ(Opt_Enable_Internet, c.internet);
        EXPECT_EQ(Opt_Enable_Update, c.update);
        EXPECT_EQ(Opt_Jump_Field_Tables, c.jump);
        EXPECT_EQ(Opt_Double_Click_Auto_Size, c.autosize);
    }
}

TEST_F(Settings, WriteGivesTheFixedTreeWhateverTheFileHeld)
{
    writeSettings("<Other><junk>1</junk></Other>");
    Active_Project_Name = "Plant A";
    Last_IP_Address = "10.1.2.3";
    Language_Name = "Italiano";
    Opt_Enable_Internet = true;
    Opt_Enable_Update = false;
    Opt_Jump_Field_Tables = false;
    Opt_Double_Click_Auto_Size = true;
    ASSERT_TRUE(Write_Settings());

    TXmlDocument doc;
    doc.LoadFromString(QString::fromUtf8(readBytes(Settings_File_Name())));
    QStringList tree;
    const TXmlElement root = doc.Root();
    tree << root.NodeName();
    for (const TXmlElement& group : root.Children()) {
        tree << "." + group.NodeName();
        for (const TXmlElement& value : group.Children())
            tree << ".." + value.NodeName() + "=" + value.Text();
    }
    EXPECT_EQ(tree, QStringList({"Conf_Settings", ".lastproj", "..projectname=Plant A", ".lastipadd",
                                 "..ipaddress=10.1.2.3", ".lastlang", "..language=Italiano", ".lastinternet",
                                 "..enable_internet=1", "..enable_update=0", "..enable_jump_field_tables=0",
                                 "..Double_Click_Auto_Size=1"}));
    EXPECT_FALSE(readBytes(Settings_File_Name()).startsWith("<?xml"));
}

TEST_F(Settings, AccentedProjectNameRoundTrips)
{
    Active_Project_Name = QString::fromUtf8("Café Ü");
    Language_Name = QString::fromUtf8("Français");
    ASSERT_TRUE(Write_Settings());
    spoilValues();
    Read_Settings();
    EXPECT_EQ(Active_Project_Name, QString::fromUtf8("Café Ü"));
    EXPECT_EQ(Language_Name, QString::fromUtf8("Français"));
}

TEST_F(Settings, WriteFailureIsReportedNamingTheFile)
{
    Set_App_Dir(dir.path() + "/no such folder");
    QString error;
    EXPECT_FALSE(Write_Settings(&error));
    EXPECT_TRUE(error.contains("Tessilator.xml")) << error.toStdString();
    EXPECT_FALSE(Write_Settings()); // no error text wanted: still reported
}
