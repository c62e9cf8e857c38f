// The EDE writer: the file byte for byte from the server file and the device settings, its
// variants, and the faults that leave an existing file as it was.
#include "app/UGlobals.h"
#include "common/TestSupport.h"
#include "editors/bacnet/UEDE_Writer.h"
#include "platform/core/Xml.h"

#include <QDir>
#include <gtest/gtest.h>

namespace
{

using testsupport::readBytes;
using testsupport::writeBytes;

const QDateTime Clock(QDate(2024, 3, 7), QTime(9, 5, 3));

const QByteArray Header =
    "PROJECT_NAME; Brivexcorp--Plant7;;;;;;\r\n"
    "VERSION_OF_REFERENCEFILE;1.0;;;;;;\r\n"
    "TIMESTAMP_OF_LAST_CHANGE;09:05:03 07/03/2024;;;;;;\r\n"
    "AUTHOR_OF_LAST_CHANGE;Brivexcorp;;;;;;\r\n"
    "VERSION_OF_LAYOUT;2;;;;;;\r\n"
    "# mandatory;mandatory;mandatory;mandatory;mandatory;optional;optional;\r\n"
    "# keyname;device obj.-instance;object-name;object-type;object-instance;description;"
    "unit-code;\r\n";

QByteArray Row(const char* type, const char* unit, const QString& mnemonic)
{
    return QString("<row Data_Type=\"%1\" Eng_Unit=\"%2\" Position=\"0\" Bit=\"\" Length=\"4\" Swap=\"N\" "
                   "Mnemonic=\"%3\"/>")
        .arg(type, unit, mnemonic)
        .toUtf8();
}

class EDEWriter : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        Reset_Globals();
        Active_Project_Name = "Plant7";
        Active_Project_Dir = project.path();
        Set_Files();
        out = project.file("out.csv");
    }
    void TearDown() override { Reset_Globals(); }

    void Write_ParGen(const char* type, const char* limit = nullptr)
    {
        QByteArray xml = "<Par_Gen><BACnet_Type>" + QByteArray(type) +
                         "</BACnet_Type><BACnet_Ser_DEV_IDE>25</BACnet_Ser_DEV_IDE>"
                         "<BACnet_DEV_IDE>77</BACnet_DEV_IDE>";
        if (limit)
            xml += "<BACnet_Desc_Chars_Limit>" + QByteArray(limit) + "</BACnet_Desc_Chars_Limit>";
        writeBytes(File_ParGen, xml + "</Par_Gen>");
    }
    void Write_Slave()
    {
        writeBytes(File_BACnet_Slave,
                   "<BACnet_to_Modbus><BACnet_in_Read>" +
                       Row("Analog Value", "62", "RoomTemperatureSensor1") +
                       Row("Binary Input", "95", "Door") + Row("analog value ", "98", "Hum") +
                       "</BACnet_in_Read><BACnet_in_Write>" + Row("Analog Value", "62", "Setpoint") +
                       Row("Multi State Value", "95", "Mode") + Row("Foo", "0", "Tür") +
                       "</BACnet_in_Write></BACnet_to_Modbus><!--SW_VERSION = 1.000-->");
    }
    static QList<QByteArray> Lines(const QByteArray& bytes)
    {
        QList<QByteArray> lines = bytes.split('\n');
        EXPECT_TRUE(bytes.endsWith("\r\n"));
        lines.removeLast();
        for (QByteArray& l : lines) {
            EXPECT_TRUE(l.endsWith('\r')) << l.toStdString();
            l.chop(1);
        }
        return lines;
    }

    testsupport::TempDir project;
    QString out;
};

TEST_F(EDEWriter, TheFileByteForByte)
{
    Write_ParGen("1");
    Write_Slave();
    Create_EDE_File(out, Clock);
    const QByteArray expected = Header +
                                "25_RoomTemperatureSensor1_0;25;RoomTemperatureS;2;0;RoomTemperatureS;62;\r\n"
                                "25_Door_0;25;Door;3;0;Door;95;\r\n"
                                "25_Hum_1;25;Hum;2;1;Hum;98;\r\n"
                                "25_Setpoint_2;25;Setpoint;2;2;Setpoint;62;\r\n"
                                "25_Mode_0;25;Mode;19;0;Mode;95;\r\n"
                                "25_T\xFCr_0;25;T\xFCr;0;0;T\xFCr;0;\r\n";
    EXPECT_EQ(readBytes(out), expected);
}

TEST_F(EDEWriter, VariantsOfTheDeviceSettings)
{
    Write_Slave();
    const struct {
        const char* what;
        const char* type; // nullptr: no parameters file
        const char* limit;
        QByteArray line8;
    } cases[] = {
        {"long names", "1", "1",
         "25_RoomTemperatureSensor1_0;25;RoomTemperatureSensor1;2;0;RoomTemperatureSensor1;62;"},
        {"limit not exactly 1", "1", "1 ",
         "25_RoomTemperatureSensor1_0;25;RoomTemperatureS;2;0;RoomTemperatureS;62;"},
        {"BACnet/IP", "0", nullptr,
         "77_RoomTemperatureSensor1_0;77;RoomTemperatureS;2;0;RoomTemperatureS;62;"},
        {"type not a number", "x", nullptr,
         "77_RoomTemperatureSensor1_0;77;RoomTemperatureS;2;0;RoomTemperatureS;62;"},
        {"no parameters file", nullptr, nullptr,
         "_RoomTemperatureSensor1_0;;RoomTemperatureS;2;0;RoomTemperatureS;62;"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DeleteFile(File_ParGen);
        if (c.type)
            Write_ParGen(c.type, c.limit);
        Create_EDE_File(out, Clock);
        const QList<QByteArray> lines = Lines(readBytes(out));
        ASSERT_EQ(lines.size(), 13);
        EXPECT_EQ(lines[7], c.line8);
    }
}

TEST_F(EDEWriter, NoServerFileOrNoRowsGivesTheHeaderOnly)
{
    Create_EDE_File(out, Clock);
    EXPECT_EQ(readBytes(out), Header);
    writeBytes(File_BACnet_Slave, "<BACnet_to_Modbus><BACnet_in_Read/><BACnet_in_Write/></BACnet_to_Modbus>");
    Create_EDE_File(out, Clock);
    EXPECT_EQ(readBytes(out), Header);
}

TEST_F(EDEWriter, InstancesCountPerTypeAcrossBothSectionsAndEveryExportStartsAtZero)
{
    QByteArray read, write;
    for (int i = 0; i < 3; ++i)
        read += Row("Analog Value", "1", QString("r%1").arg(i));
    read += Row("Analog Input", "1", "ai");
    for (int i = 0; i < 2; ++i)
        write += Row("ANALOG VALUE", "1", QString("w%1").arg(i));
    writeBytes(File_BACnet_Slave, "<BACnet_to_Modbus><BACnet_in_Read>" + read +
                                      "</BACnet_in_Read><BACnet_in_Write>" + write +
                                      "</BACnet_in_Write></BACnet_to_Modbus>");
    for (int run = 0; run < 2; ++run) {
        Create_EDE_File(out, Clock);
        const QList<QByteArray> lines = Lines(readBytes(out));
        ASSERT_EQ(lines.size(), 13);
        QList<QByteArray> instances;
        for (int i = 7; i < 13; ++i)
            instances << lines[i].split(';')[3] + ":" + lines[i].split(';')[4];
        EXPECT_EQ(instances, QList<QByteArray>({"2:0", "2:1", "2:2", "0:0", "2:3", "2:4"}));
    }
}

TEST_F(EDEWriter, TypeNamesAreTrimmedAndUpperCased)
{
    const struct {
        const char* name;
        int type;
    } cases[] = {
        {"Analog Input", 0},        {"Analog Out", 1},
        {" binary value ", 5},      {"Multi State Output", 14},
        {"Life Safety Zone", 22},   {"Accumulator", 23},
        {"Access Door", 30},        {"CharacterString Value", 40},
        {"DateTime Value", 44},     {"Integer Value", 45},
        {"Large Analog Value", 46}, {"Positive Integer Value", 48},
        {"Analog Output", 0},       {"", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TEDE_Export::EDE_Object_Type_From_Name(c.name), c.type) << c.name;
}

TEST_F(EDEWriter, AFaultRaisesNamingWhereAndLeavesAnExistingFile)
{
    const struct {
        const char* what;
        QByteArray pargen;
        QByteArray slave;
        QStringList named;
    } cases[] = {
        {"parameters not well-formed", "<Par_Gen><BACnet_Type>1", "<BACnet_to_Modbus/>", {"ParGen.xml"}},
        {"no write section",
         "<Par_Gen/>",
         "<BACnet_to_Modbus><BACnet_in_Read>" + Row("Analog Input", "1", "a") +
             "</BACnet_in_Read></BACnet_to_Modbus>",
         {"BACnet_Slave.xml", "BACnet_in_Write"}},
        {"row without Eng_Unit",
         "<Par_Gen/>",
         "<BACnet_to_Modbus><BACnet_in_Read>" + Row("Analog Input", "1", "a") +
             "</BACnet_in_Read><BACnet_in_Write>" + Row("Analog Out", "1", "b") +
             "<row Data_Type=\"Analog Out\" Mnemonic=\"c\"/></BACnet_in_Write></BACnet_to_Modbus>",
         {"BACnet_Slave.xml", "BACnet_in_Write", "row 2", "Eng_Unit"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        writeBytes(File_ParGen, c.pargen);
        writeBytes(File_BACnet_Slave, c.slave);
        writeBytes(out, "old bytes");
        try {
            Create_EDE_File(out, Clock);
            ADD_FAILURE() << "no error";
        } catch (const Exception& e) {
            for (const QString& part : c.named)
                EXPECT_TRUE(e.Message.contains(part)) << e.Message.toStdString();
        }
        EXPECT_EQ(readBytes(out), "old bytes");
    }
}

TEST_F(EDEWriter, AFileThatCannotBeWrittenRaisesNamingItAndLeavesNothing)
{
    Write_Slave();
    const QString missing = project.file("no such folder/out.csv");
    try {
        Create_EDE_File(missing, Clock);
        ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
        EXPECT_TRUE(e.Message.contains(missing)) << e.Message.toStdString();
    }
    EXPECT_FALSE(FileExists(missing));
    EXPECT_EQ(QDir(project.path()).entryList(QDir::Files), QStringList({"BACnet_Slave.xml"}));
}

TEST_F(EDEWriter, TheTimestampPadsEveryPartButTheYear)
{
    TEDE_Export ede(QDateTime(QDate(987, 12, 31), QTime(23, 59, 0)));
    EXPECT_EQ(ede.Format_EDE_Timestamp(), "23:59:00 31/12/987");
    TEDE_Export now(QDateTime::currentDateTime());
    EXPECT_EQ(now.Format_EDE_Timestamp().size(), 19);
}

} // namespace
