// The CANopen EDS writer: a whole file byte for byte against a kept fixture, its rules as small cases
// (clock, PDO names and numbers, application-variable records), and the project files it refuses
// without touching an existing EDS.
#include "app/UGlobals.h"
#include "common/TestSupport.h"
#include "editors/canopen/UEDS_Writer.h"
#include "platform/core/SysUtils.h"
#include "platform/core/Xml.h"

#include <gtest/gtest.h>

namespace
{

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

const QDateTime Clock(QDate(2024, 3, 7), QTime(18, 7));

struct TPdo {
    const char* COB_ID;
    const char* Dimension;
};

struct TSdo {
    const char* Index;
    const char* SubIndex;
    const char* NByte;
};

class EDSWriter : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        Reset_Globals();
        Active_Project_Name = "P";
        Active_Project_Dir = project.path();
        Set_Files();
    }
    void TearDown() override { Reset_Globals(); }

    static void Write_PDO_File(const std::vector<TPdo>& receive, const std::vector<TPdo>& transmit)
    {
        QByteArray xml = "<PDO_CANopen><Receive_PDO>";
        for (const TPdo& p : receive)
            xml += QByteArray("<row COB-ID=\"") + p.COB_ID + "\" Dimension=\"" + p.Dimension +
                   "\" Address_B1=\"0\" TimeOut=\"0\" Mnemonic=\"\"/>";
        xml += "</Receive_PDO><Transmit_PDO>";
        for (const TPdo& p : transmit)
            xml += QByteArray("<row COB-ID=\"") + p.COB_ID + "\" Dimension=\"" + p.Dimension +
                   "\" Address_B1=\"0\" Send_Time=\"0\" On_Change=\"\" Mnemonic=\"\"/>";
        xml += "</Transmit_PDO></PDO_CANopen><!--SW_VERSION = 1.005-->";
        testsupport::writeBytes(File_PDO_CANopen, xml);
    }
    static QByteArray Sdo_Rows(const std::vector<TSdo>& rows)
    {
        QByteArray xml;
        for (const TSdo& s : rows)
            xml += QByteArray("<row Index=\"") + s.Index + "\" SubIndex=\"" + s.SubIndex + "\" NByte=\"" +
                   s.NByte +
                   "\" Address_B1=\"0\" Address_B2=\"\" Address_B3=\"\" Address_B4=\"\" Mnemonic=\"\"/>";
        return xml;
    }
    static void Write_SDO_File(const std::vector<TSdo>& read, const std::vector<TSdo>& write)
    {
        testsupport::writeBytes(File_SDO_Server_CANopen, "<SDO_Server_CANopen><SDO_Read>" + Sdo_Rows(read) +
                                                             "</SDO_Read><SDO_Write>" + Sdo_Rows(write) +
                                                             "</SDO_Write></SDO_Server_CANopen>");
    }

    // The file written now, as lines (the text ends with a line end, so the last split part is empty).
    QStringList Export(const QDateTime& now = Clock)
    {
        Create_EDS_File(out, now);
        QStringList lines = QString::fromLatin1(testsupport::readBytes(out)).split("\r\n");
        EXPECT_EQ(lines.takeLast(), "");
        return lines;
    }
    // The key lines of section `name` (the first of that name).
    static QStringList Section(const QStringList& lines, const QString& name)
    {
        const qsizetype at = lines.indexOf("[" + name + "]");
        if (at < 0)
            return {"(no section " + name + ")"};
        QStringList keys;
        for (qsizetype i = at + 1; i < lines.size() && !lines[i].isEmpty(); ++i)
            keys << lines[i];
        return keys;
    }

    testsupport::TempDir project;
    testsupport::TempDir folder;
    QString out = folder.file("Gateway.eds");
};

TEST_F(EDSWriter, TwoPDOsAndThreeSDOObjectsByteForByte)
{
    Write_PDO_File({{"0x201", "3"}}, {{"385", "2"}});
    Write_SDO_File({{"0x2000", "2", "1"}}, {{"8192", "1", "4"}, {"$3000", "0x1F", "2"}});
    Create_EDS_File(out, Clock);
    const QByteArray bytes = testsupport::readBytes(out);
    EXPECT_EQ(bytes, testsupport::readBytes(testsupport::fixture("canopen/EDS_Two_PDOs.eds")));
    EXPECT_EQ(bytes.size(), 8246);
    EXPECT_EQ(bytes.count("\r\n"), 521);
    EXPECT_EQ(bytes.count('\n'), 521);
    EXPECT_TRUE(bytes.endsWith("PDOMapping=0\r\n\r\n\r\n"));
    EXPECT_FALSE(bytes.startsWith("\xEF\xBB\xBF"));

    const QStringList lines = QString::fromLatin1(bytes).split("\r\n");
    EXPECT_EQ(lines[55], "[OptionalObjects]");
    EXPECT_EQ(lines[56], "SupportedObjects=14");
    EXPECT_EQ(lines.mid(57, 14), QStringList({"1=0x1005", "2=0x1006", "3=0x1008", "4=0x1014", "5=0x1016",
                                              "6=0x1017", "7=0x1029", "8=0x1280", "9=0x1400", "10=0x1600",
                                              "11=0x1800", "12=0x1A00", "13=0x7000", "14=0x7050"}));
    EXPECT_EQ(Section(lines, "ManufacturerObjects"),
              QStringList({"SupportedObjects=2", "1=0x2000", "2=0x3000"}));
    EXPECT_EQ(Section(lines, "FileInfo").mid(5, 2),
              QStringList({"CreationTime=06:07PM", "CreationDate=03-07-2024"}));
    EXPECT_EQ(Section(lines, "1600"),
              QStringList({"SubNumber=4", "ParameterName=Receive PDO Mapping Parameter", "ObjectType=0x09"}));
    EXPECT_EQ(Section(lines, "1600sub3").at(4), "DefaultValue=0x70000308");
    EXPECT_EQ(Section(lines, "1400sub1"),
              QStringList({"ParameterName=COB-ID", "ObjectType=0x07", "DataType=0x0007", "AccessType=rw",
                           "DefaultValue=0x00000201", "PDOMapping=0"}));
    EXPECT_EQ(Section(lines, "1800sub1").at(4), "DefaultValue=0x00000181");
    EXPECT_EQ(Section(lines, "7000sub1"),
              QStringList({"ParameterName=b1", "ObjectType=0x07", "DataType=0x0005", "AccessType=rww",
                           "DefaultValue=0x00", "PDOMapping=1"}));
    EXPECT_EQ(Section(lines, "7050sub0").at(3), "AccessType=rw");
    EXPECT_EQ(Section(lines, "7050sub2").at(0), "ParameterName=l2");
    EXPECT_EQ(Section(lines, "2000"),
              QStringList({"SubNumber=3", "ParameterName=App Vars", "ObjectType=0x9"}));
    EXPECT_EQ(Section(lines, "2000sub0"),
              QStringList({"ParameterName=Largest Sub-Index supported", "ObjectType=0x7", "DataType=0x0005",
                           "AccessType=ro", "DefaultValue=0x02", "PDOMapping=0"}));
    // Sorted: the write row's sub 1 before the read row's sub 2.
    EXPECT_EQ(Section(lines, "2000sub1"),
              QStringList({"ParameterName=Application Variable", "ObjectType=0x7", "DataType=0x0007",
                           "LowLimit=0x00000000", "HighLimit=0xFFFFFFFF", "DefaultValue=0x00000000",
                           "AccessType=rw", "PDOMapping=0"}));
    EXPECT_LT(lines.indexOf("[2000sub1]"), lines.indexOf("[2000sub2]"));
    EXPECT_EQ(Section(lines, "2000sub2").at(2), "DataType=0x0005");
    EXPECT_EQ(Section(lines, "2000sub2").at(6), "AccessType=ro");
    EXPECT_EQ(Section(lines, "3000sub1F").at(2), "DataType=0x0006");
    EXPECT_EQ(Section(lines, "3000sub0").at(4), "DefaultValue=0x1F");
}

TEST_F(EDSWriter, NoProjectFilesGiveTheFixedObjectsOnly)
{
    const QStringList lines = Export();
    EXPECT_EQ(lines.size(), 251);
    EXPECT_EQ(Section(lines, "OptionalObjects").first(), "SupportedObjects=8");
    EXPECT_EQ(Section(lines, "OptionalObjects").size(), 9);
    EXPECT_EQ(Section(lines, "ManufacturerObjects"), QStringList({"SupportedObjects=0"}));
    EXPECT_TRUE(Section(lines, "DeviceInfo").contains("NrOfRXPDO=0"));
    EXPECT_EQ(Section(lines, "DeviceInfo").mid(2, 4),
              QStringList({"ProductName=EtherCAT / CANopen - Converter", "ProductNumber=108",
                           "RevisionNumber=0x0", "OrderCode=ZIRI108"}));
    // The file's name is fixed whatever name it is saved under.
    EXPECT_EQ(lines[1], "FileName=EtherCAT_CANopen.eds");
    EXPECT_EQ(Section(lines, "1018sub1"), QStringList({"ParameterName=Vendor Id", "ObjectType=0x07",
                                                       "DataType=0x0007", "AccessType=ro", "PDOMapping=0"}));
    EXPECT_EQ(Section(lines, "1014").at(4), "DefaultValue=$NODEID+0x80");
    EXPECT_EQ(lines.last(), "");
    EXPECT_EQ(lines[lines.size() - 2], "");
    EXPECT_EQ(lines[lines.size() - 3], "PDOMapping=0");
}

TEST_F(EDSWriter, TwelveHourClockWithNoonAsMorning)
{
    const struct {
        int h, m;
        const char* text;
    } cases[] = {{0, 5, "00:05AM"},  {9, 30, "09:30AM"},  {11, 59, "11:59AM"},
                 {12, 0, "12:00AM"}, {12, 30, "12:30PM"}, {12, 59, "12:59PM"},
                 {13, 0, "01:00PM"}, {18, 7, "06:07PM"},  {23, 59, "11:59PM"}};
    for (const auto& c : cases)
        EXPECT_EQ(EDS_Time_Text(QTime(c.h, c.m, 45)), c.text) << c.h << ":" << c.m;
    EXPECT_EQ(EDS_Date_Text(QDate(2024, 3, 7)), "03-07-2024");
    EXPECT_EQ(EDS_Date_Text(QDate(2025, 12, 25)), "12-25-2025");

    const QStringList lines = Export(QDateTime(QDate(2026, 1, 2), QTime(12, 0)));
    EXPECT_EQ(
        Section(lines, "FileInfo").mid(5, 6),
        QStringList({"CreationTime=12:00AM", "CreationDate=01-02-2026", "CreatedBy=Brivexcorp",
                     "ModificationTime=12:00AM", "ModificationDate=01-02-2026", "ModifiedBy=Brivexcorp"}));
}

TEST_F(EDSWriter, PDONumbersNamesAndPrefixes)
{
    std::vector<TPdo> receive(10, {"1", "1"});
    std::vector<TPdo> transmit(11, {"2", "2"});
    transmit[0] = {"0xFFFFFFFF", "1"};
    Write_PDO_File(receive, transmit);
    const QStringList lines = Export();
    EXPECT_EQ(Section(lines, "OptionalObjects").first(), "SupportedObjects=71");
    EXPECT_EQ(Section(lines, "705A").mid(0, 2), QStringList({"SubNumber=3", "ParameterName=TPDO11"}));
    EXPECT_EQ(Section(lines, "705Asub1").first(), "ParameterName=ca1");
    EXPECT_EQ(Section(lines, "1A0A").at(1), "ParameterName=Transmit PDO Mapping Parameter 11");
    EXPECT_EQ(Section(lines, "1A0Asub2").at(4), "DefaultValue=0x705A0208");
    EXPECT_EQ(Section(lines, "180A").at(1), "ParameterName=Transmit PDO Communication Parameter 11");
    EXPECT_EQ(Section(lines, "1609").at(1), "ParameterName=Receive PDO Mapping Parameter");
    EXPECT_EQ(Section(lines, "1409").at(1), "ParameterName=Receive PDO Communication Parameter 10");
    const struct {
        const char* section;
        const char* name;
    } names[] = {{"7000sub1", "b1"}, {"7007sub1", "j1"}, {"7008sub1", "k1"},
                 {"7009sub1", "i1"}, {"7050sub1", "l1"}, {"7059sub2", "u2"}};
    for (const auto& n : names)
        EXPECT_EQ(Section(lines, n.section).first(), QString("ParameterName=") + n.name) << n.section;
    EXPECT_EQ(Section(lines, "1800sub1").at(4), "DefaultValue=0xFFFFFFFF");
    // Each section's objects in turn, numbered on from 9.
    EXPECT_EQ(Section(lines, "OptionalObjects").mid(9, 2), QStringList({"9=0x1400", "10=0x1401"}));
    EXPECT_EQ(Section(lines, "OptionalObjects").at(19), "19=0x1600");
    EXPECT_EQ(Section(lines, "OptionalObjects").at(71), "71=0x705A");
}

TEST_F(EDSWriter, PDOValuesThatAreNoNumbersTakeTheirDefaults)
{
    Write_PDO_File({{"none", "x"}, {"1", "0"}}, {});
    const QStringList lines = Export();
    EXPECT_EQ(Section(lines, "1400sub1").at(4), "DefaultValue=0x00000000");
    EXPECT_EQ(Section(lines, "1600").first(), "SubNumber=9");
    EXPECT_EQ(Section(lines, "1600sub8").at(4), "DefaultValue=0x70000808");
    // A dimension below 1 has no entries.
    EXPECT_EQ(Section(lines, "1601").first(), "SubNumber=1");
    EXPECT_EQ(Section(lines, "1601sub0").at(4), "DefaultValue=0x00");
    EXPECT_EQ(lines.indexOf("[1601sub1]"), -1);
    EXPECT_EQ(lines.indexOf("[7001sub1]"), -1);
}

TEST_F(EDSWriter, ApplicationVariableRecords)
{
    Write_SDO_File({{"0x3000", "10", "2"}, {"0x2000", "0", "1"}, {"0x2000", "5", "1"}},
                   {{"0x2000", "3", "4"}, {"0x3000", "10", "1"}, {"0x2001", "0xFF", "4"}});
    const QStringList lines = Export();
    // Indexes in the order they first appear.
    EXPECT_EQ(Section(lines, "ManufacturerObjects"),
              QStringList({"SupportedObjects=3", "1=0x3000", "2=0x2000", "3=0x2001"}));
    // Sub-index 0 among the rows: no made sub0, SubNumber the row count.
    EXPECT_EQ(Section(lines, "2000").first(), "SubNumber=3");
    EXPECT_EQ(Section(lines, "2000sub0").first(), "ParameterName=Application Variable");
    EXPECT_EQ(lines.count("[2000sub0]"), 1);
    // The same sub-index read and written: two sections, the read one first.
    EXPECT_EQ(lines.count("[3000subA]"), 2);
    const qsizetype first = lines.indexOf("[3000subA]");
    EXPECT_EQ(lines[first + 7], "AccessType=ro");
    EXPECT_EQ(lines[first + 3], "DataType=0x0006");
    EXPECT_EQ(lines[lines.indexOf("[3000subA]", first + 1) + 7], "AccessType=rw");
    EXPECT_EQ(Section(lines, "3000sub0").at(4), "DefaultValue=0x0A");
    EXPECT_EQ(Section(lines, "2001sub0").at(4), "DefaultValue=0xFF");
    EXPECT_EQ(Section(lines, "2001subFF").at(2), "DataType=0x0007");
    // Records follow the list order, each after the PDO arrays.
    EXPECT_LT(lines.indexOf("[3000]"), lines.indexOf("[2000]"));
    EXPECT_LT(lines.indexOf("[2000]"), lines.indexOf("[2001]"));
}

TEST_F(EDSWriter, StableSortAndIndexSearch)
{
    TEDS_Writer w;
    Write_SDO_File({{"0x2000", "3", "1"}, {"0x2000", "1", "1"}, {"0x2000", "3", "2"}},
                   {{"0x2000", "1", "4"}});
    w.Load_SDO_Server_Table_For_EDS(File_SDO_Server_CANopen);
    w.Sort_SDO_Subindexes();
    ASSERT_EQ(w.SDO_Index_List.size(), 1u);
    const auto& subs = w.SDO_Index_List[0].Sub_Indexs;
    ASSERT_EQ(subs.size(), 4u);
    const std::pair<int, int> order[] = {{1, 1}, {1, 4}, {3, 1}, {3, 2}};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(subs[i].Sub, order[i].first) << i;
        EXPECT_EQ(subs[i].Quantity, order[i].second) << i;
    }
    EXPECT_TRUE(subs[0].Readonly);
    EXPECT_FALSE(subs[1].Readonly);
    EXPECT_EQ(w.Find_SDO_Index(0x2000), 0);
    EXPECT_EQ(w.Find_SDO_Index(0x2001), -1);
}

TEST_F(EDSWriter, MoreThan30PDOsTakeTheFirst30)
{
    std::vector<TPdo> receive(31, {"1", "1"});
    receive[29] = {"0x230", "1"};
    receive[30] = {"0x231", "1"};
    Write_PDO_File(receive, {});
    const QStringList lines = Export();
    EXPECT_TRUE(Section(lines, "DeviceInfo").contains("NrOfRXPDO=30"));
    EXPECT_EQ(Section(lines, "OptionalObjects").first(), "SupportedObjects=98");
    EXPECT_EQ(Section(lines, "141Dsub1").at(4), "DefaultValue=0x00000230");
    EXPECT_EQ(lines.indexOf("[141E]"), -1);
    EXPECT_EQ(Section(lines, "701Dsub1").first(), "ParameterName=av1");
}

TEST_F(EDSWriter, FaultyProjectFilesEndTheExportWithoutWriting)
{
    const QByteArray old = "old EDS\r\n";
    const struct {
        const char* pdo;
        const char* sdo;
        std::vector<const char*> named;
    } cases[] = {
        {nullptr, "<SDO_Server_CANopen><SDO_Read>", {"SDO_Server_CANopen.xml"}},
        {nullptr,
         "<SDO_Server_CANopen><SDO_Read><row Index=\"0x2000\" SubIndex=\"x\" NByte=\"1\"/></SDO_Read>"
         "<SDO_Write/></SDO_Server_CANopen>",
         {"SDO_Server_CANopen.xml", "SDO_Read", "row 1", "SubIndex", "\"x\""}},
        {nullptr,
         "<SDO_Server_CANopen><SDO_Read/><SDO_Write><row Index=\"0x2000\" SubIndex=\"1\" NByte=\"1\"/>"
         "<row Index=\"0x2000\" SubIndex=\"1\"/></SDO_Write></SDO_Server_CANopen>",
         {"SDO_Server_CANopen.xml", "SDO_Write", "row 2", "NByte"}},
        {nullptr,
         "<SDO_Server_CANopen><SDO_Read/></SDO_Server_CANopen>",
         {"SDO_Server_CANopen.xml", "SDO_Write"}},
        {"<PDO_CANopen><Transmit_PDO/></PDO_CANopen>", nullptr, {"PDO_CANopen.xml", "Receive_PDO"}},
        {"<PDO_CANopen><Receive_PDO><row COB-ID=\"1\"/></Receive_PDO><Transmit_PDO/></PDO_CANopen>",
         nullptr,
         {"PDO_CANopen.xml", "Receive_PDO", "row 1", "Dimension"}},
        // A dimension that 8-bit sub-indexes cannot number.
        {"<PDO_CANopen><Receive_PDO/><Transmit_PDO><row COB-ID=\"1\" "
         "Dimension=\"0x7FFFFFFF\"/></Transmit_PDO>"
         "</PDO_CANopen>",
         nullptr,
         {"PDO_CANopen.xml", "Transmit_PDO", "row 1", "Dimension"}},
    };
    for (const auto& c : cases) {
        DeleteFile(File_PDO_CANopen);
        DeleteFile(File_SDO_Server_CANopen);
        if (c.pdo)
            testsupport::writeBytes(File_PDO_CANopen, c.pdo);
        if (c.sdo)
            testsupport::writeBytes(File_SDO_Server_CANopen, c.sdo);
        testsupport::writeBytes(out, old);
        try {
            Create_EDS_File(out, Clock);
            ADD_FAILURE() << "no error for " << (c.pdo ? c.pdo : c.sdo);
        } catch (const EXmlError& e) {
            for (const char* part : c.named)
                EXPECT_TRUE(e.Message.contains(part)) << e.Message.toStdString() << " lacks " << part;
        }
        EXPECT_EQ(testsupport::readBytes(out), old);
        EXPECT_EQ(ListFiles(folder.path(), "*"), QStringList({"Gateway.eds"}));
    }
}

TEST_F(EDSWriter, AFileThatCannotBeWrittenRaises)
{
    EXPECT_THROW(Create_EDS_File(folder.file("missing/x.eds"), Clock), EInOutError);
    EXPECT_FALSE(FileExists(folder.file("missing/x.eds")));
}

} // namespace
