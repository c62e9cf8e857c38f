#include "app/UGlobals.h"
#include "app/ULang.h"
#include "common/TestSupport.h"
#include "gateway/DeviceModel.h"
#include "gateway/UESIWriter.h"
#include "platform/controls/Interaction.h"
#include "platform/core/Xml.h"

#include <QFile>
#include <QImage>
#include <gtest/gtest.h>
#include <tuple>
#include <utility>
#include <vector>

using testsupport::readBytes;
using testsupport::TempDir;
using testsupport::writeBytes;

namespace
{

struct Row {
    const char* Enable; // nullptr: attribute left out
    const char* Type;
    const char* Length;
    const char* Name;
};

QString rowXml(const Row& r)
{
    QString s = "<row";
    if (r.Enable)
        s += QString(" Enable=\"%1\"").arg(r.Enable);
    s +=
        QString(
            " Type=\"%1\" Length=\"%2\" Name=\"%3\" Position=\"0\" BitStart=\"0\" Group=\"\" Mnemonic=\"\"/>")
            .arg(r.Type, r.Length, r.Name);
    return s;
}

// A project folder with the two files the writer reads.
struct Project {
    TempDir dir;
    QString parGen() const { return dir.file("ParGen.xml"); }
    QString slave() const { return dir.file("EtherCAT_Slave.xml"); }
    QString esi() const { return dir.file("out.xml"); }

    void writeParGen(const std::vector<std::pair<QString, QString>>& elements) const
    {
        QString s = "<Par_Gen>";
        for (const auto& [name, text] : elements)
            s += QString("<%1>%2</%1>").arg(name, text);
        s += "</Par_Gen><!--SW_VERSION = 1.001-->";
        writeBytes(parGen(), s.toUtf8());
    }

    void writeSlave(const std::vector<Row>& toMaster, const std::vector<Row>& toSlave = {}) const
    {
        QString s = "<EtherCAT_Slave><EtherCAT_Slave_Variables><EtherCAT_Slave_To_Master>";
        for (const Row& r : toMaster)
            s += rowXml(r);
        s += "</EtherCAT_Slave_To_Master><EtherCAT_Master_To_Slave>";
        for (const Row& r : toSlave)
            s += rowXml(r);
        s += "</EtherCAT_Master_To_Slave></EtherCAT_Slave_Variables></EtherCAT_Slave><!--SW_VERSION = "
             "1.001-->";
        writeBytes(slave(), s.toUtf8());
    }

    QStringList build() const
    {
        Build_ESI_File(esi(), parGen(), slave());
        return QString::fromUtf8(readBytes(esi())).split("\r\n");
    }
};

QString hex8(uint32_t v)
{
    return QString::number(v, 16).toUpper().rightJustified(8, '0');
}

QString lineStartingWith(const QStringList& lines, const QString& start)
{
    for (const QString& l : lines)
        if (l.startsWith(start))
            return l;
    return QString();
}

// One PDO entry as an XML reader sees it.
struct Entry {
    QString Index;
    int BitLen;
    QString DataType; // empty for a padding entry
    QString Name;
};

struct Pdo {
    QString Index;
    QString Name;
    std::vector<Entry> Entries;
};

std::vector<Pdo> readPdos(const QString& esiFile, const QString& kind)
{
    TXmlDocument doc;
    doc.LoadFromFile(esiFile);
    const TXmlElement device =
        doc.Root().RequiredChild("Descriptions").RequiredChild("Devices").RequiredChild("Device");
    std::vector<Pdo> pdos;
    for (const TXmlElement& p : device.Children(kind)) {
        Pdo pdo{p.ChildText("Index"), p.ChildText("Name"), {}};
        for (const TXmlElement& e : p.Children("Entry"))
            pdo.Entries.push_back({e.ChildText("Index"), e.ChildText("BitLen").toInt(),
                                   e.Child("DataType").Text(), e.Child("Name").Text()});
        pdos.push_back(pdo);
    }
    return pdos;
}

} // namespace

TEST(EsiWriter, EmptyProjectGivesTheTemplateWithDefaults)
{
    Project p;
    Build_ESI_File(p.esi(), p.parGen(), p.slave());
    const QByteArray bytes = readBytes(p.esi());

    EXPECT_TRUE(bytes.startsWith("<?xml version=\"1.0\"?>\r\n")) << "no byte-order mark, CR LF";
    EXPECT_TRUE(bytes.endsWith("</EtherCATInfo>\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), bytes.count('\n')) << "every line ends with CR LF";

    const QStringList lines = QString::fromUtf8(bytes).split("\r\n");
    ASSERT_EQ(lines.size(), 78); // 77 lines and the empty text after the last line end
    EXPECT_EQ(lines[18], "        <Type ProductCode=\"#x" + hex8(EtherCAT_Product_Code) +
                             "\" RevisionNo=\"#x00\">EtherCAT Slave</Type>");
    EXPECT_EQ(lines[19], "        <Name LcId=\"1033\">EtherCAT Slave</Name>");
    EXPECT_EQ(lines[3], "    <Id>#x" + hex8(EtherCAT_Vendor_Id) + "</Id>");
    EXPECT_EQ(lines[43], "        <Sm StartAddress=\"#x1000\" ControlByte=\"#x64\" DefaultSize=\"1\" "
                         "Enable=\"1\">Outputs</Sm>");
    EXPECT_EQ(lines[45], "        <Mailbox DataLinkLayer=\"true\">") << "no PDO block";
    EXPECT_EQ(lines[70], "          <ConfigData>800F00CC8813ff00010000800000</ConfigData>");
    for (int i : {5, 13, 72})
        EXPECT_EQ(lines[i], QString("%1<ImageData16x14>%2</ImageData16x14>")
                                .arg(QString(i == 5 ? 4 : 8, ' '), EtherCAT_Icon_Hex));

    TXmlDocument doc;
    doc.LoadFromFile(p.esi());
    EXPECT_EQ(doc.Root().NodeName(), "EtherCATInfo");
}

TEST(EsiWriter, IconIsASixteenByFourteenBitmap)
{
    QImage icon;
    ASSERT_TRUE(icon.loadFromData(QByteArray::fromHex(EtherCAT_Icon_Hex), "BMP"));
    EXPECT_EQ(icon.size(), QSize(16, 14));
}

// A whole file against the template, line for line: padding entries indented with tabs, Rx PDOs
// before Tx PDOs, an empty line after each PDO head and each entry.
TEST(EsiWriter, SmallProjectMatchesTheTemplateLineForLine)
{
    Project p;
    p.writeParGen({{"EtherCAT_Slave_Revision_Number", "10"},
                   {"EtherCAT_Slave_Name", "Gw & Co"},
                   {"EtherCAT_Slave_Node_Address", "2"}});
    p.writeSlave({{"Y", "Bool", "1", "B0"},
                  {"Y", "Bool", "1", "B1"},
                  {"Y", "Bool", "1", "B2"},
                  {"Y", "Int16", "2", "W"}},
                 {{"Y", "UInt8", "1", "Cmd"}});
    const QStringList lines = p.build();

    QString expected = R"(<?xml version="1.0"?>
<EtherCATInfo xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance" xsi:noNamespaceSchemaLocation="EtherCATInfo.xsd" Version="1.6">
  <Vendor>
    <Id>#x{VENDOR}</Id>
    <Name>Brivexcorp</Name>
    <ImageData16x14>{ICON}</ImageData16x14>
  </Vendor>
  <Descriptions>
    <Groups>
      <Group SortOrder="0">
        <Type>Brivexcorp Slaves</Type>
        <Name LcId="1031">Brivexcorp Slaves</Name>
        <Name LcId="1033">Brivexcorp Slaves</Name>
        <ImageData16x14>{ICON}</ImageData16x14>
      </Group>
    </Groups>
    <Devices>
      <Device Physics="YY">
        <Type ProductCode="#x{PRODUCT}" RevisionNo="#x0A">Gw &amp; Co</Type>
        <Name LcId="1033">Gw &amp; Co</Name>
        <Name LcId="1031">Gw &amp; Co</Name>
        <Info>
          <StateMachine>
            <Timeout>
              <PreopTimeout>2000</PreopTimeout>
              <SafeopOpTimeout>9000</SafeopOpTimeout>
              <BackToInitTimeout>5000</BackToInitTimeout>
              <BackToSafeopTimeout>200</BackToSafeopTimeout>
            </Timeout>
          </StateMachine>
          <Mailbox>
            <Timeout>
              <RequestTimeout>100</RequestTimeout>
              <ResponseTimeout>2000</ResponseTimeout>
            </Timeout>
          </Mailbox>
          <IdentificationReg134>true</IdentificationReg134>
        </Info>
        <GroupType>Brivexcorp Slaves</GroupType>
        <Fmmu>Outputs</Fmmu>
        <Fmmu>Inputs</Fmmu>
        <Sm MinSize="0" MaxSize="0" DefaultSize="0" StartAddress="#x1FFF" ControlByte="#x26" Enable="0">MBoxOut</Sm>
        <Sm MinSize="0" MaxSize="0" DefaultSize="0" StartAddress="#x1FFF" ControlByte="#x22" Enable="0">MBoxIn</Sm>
        <Sm StartAddress="#x100C" ControlByte="#x64" DefaultSize="1" Enable="1">Outputs</Sm>
        <Sm StartAddress="#x1000" ControlByte="#x20" DefaultSize="1" Enable="1">Inputs</Sm>
        <RxPdo Mandatory="true" Fixed="true" Sm="2">
          <Index>#x1600</Index>
          <Name>Outputs_000</Name>

          <Entry>
            <Index>#x7000</Index>
            <SubIndex>0</SubIndex>
            <BitLen>8</BitLen>
            <Name>Cmd</Name>
            <DataType>USINT</DataType>
          </Entry>

        </RxPdo>
        <TxPdo Mandatory="true" Fixed="true" Sm="3">
          <Index>#x1A00</Index>
          <Name>Inputs_000</Name>

          <Entry>
            <Index>#x6000</Index>
            <SubIndex>0</SubIndex>
            <BitLen>1</BitLen>
            <Name>B0</Name>
            <DataType>BIT</DataType>
          </Entry>

          <Entry>
            <Index>#x6001</Index>
            <SubIndex>0</SubIndex>
            <BitLen>1</BitLen>
            <Name>B1</Name>
            <DataType>BIT</DataType>
          </Entry>

          <Entry>
            <Index>#x6002</Index>
            <SubIndex>0</SubIndex>
            <BitLen>1</BitLen>
            <Name>B2</Name>
            <DataType>BIT</DataType>
          </Entry>

\t\t\t\t\t<Entry>
\t\t\t\t\t\t<Index>#x0</Index>
\t\t\t\t\t\t<SubIndex>0</SubIndex>
\t\t\t\t\t\t<BitLen>5</BitLen>
\t\t\t\t\t</Entry>

          <Entry>
            <Index>#x6003</Index>
            <SubIndex>0</SubIndex>
            <BitLen>16</BitLen>
            <Name>W</Name>
            <DataType>INT</DataType>
          </Entry>

        </TxPdo>
        <Mailbox DataLinkLayer="true">
          <EoE />
          <CoE SdoInfo="true" SegmentedSdo="true" CompleteAccess="true" />
          <FoE />
        </Mailbox>
        <Dc>
          <OpMode>
            <Name>Synchron</Name>
            <Desc>SM-Synchron</Desc>
            <AssignActivate>#x0</AssignActivate>
            <CycleTimeSync0 Factor="1">0</CycleTimeSync0>
            <ShiftTimeSync0>0</ShiftTimeSync0>
            <CycleTimeSync1 Factor="1">0</CycleTimeSync1>
          </OpMode>
          <OpMode>
            <Name>DC</Name>
            <Desc>DC-Synchron</Desc>
            <AssignActivate>#x300</AssignActivate>
            <CycleTimeSync0 Factor="1">0</CycleTimeSync0>
            <ShiftTimeSync0>0</ShiftTimeSync0>
            <CycleTimeSync1 Factor="1">0</CycleTimeSync1>
          </OpMode>
        </Dc>
        <Eeprom>
          <ByteSize>2048</ByteSize>
          <ConfigData>800F00CC8813ff00020000800000</ConfigData>
        </Eeprom>
        <ImageData16x14>{ICON}</ImageData16x14>
      </Device>
    </Devices>
  </Descriptions>
</EtherCATInfo>
)";
    expected.replace("\\t", "\t")
        .replace("{VENDOR}", hex8(EtherCAT_Vendor_Id))
        .replace("{PRODUCT}", hex8(EtherCAT_Product_Code))
        .replace("{ICON}", EtherCAT_Icon_Hex);
    const QStringList want = expected.split('\n');

    ASSERT_EQ(lines.size(), want.size());
    for (qsizetype i = 0; i < want.size(); ++i)
        ASSERT_EQ(lines[i], want[i]) << "line " << i + 1;

    TXmlDocument doc;
    doc.LoadFromFile(p.esi()); // well-formed
}

TEST(EsiWriter, DataTypeMapping)
{
    struct Case {
        const char* Type;
        int32_t Bytes;
        const char* DataType;
        int32_t Bits;
    } cases[] = {
        {"Bool", 1, "BIT", 1},
        {"Int8", 1, "SINT", 8},
        {"Int16", 2, "INT", 16},
        {"Int32", 4, "DINT", 32},
        {"UInt8", 1, "USINT", 8},
        {"UInt16", 2, "UINT", 16},
        {"UInt32", 4, "UDINT", 32},
        {"Float32", 4, "REAL", 32},
        {" float32 ", 4, "REAL", 32},
        {"Array", 4, "ARRAY [0..3] OF BYTE", 32},
        {"String", 10, "STRING(10)", 88},
        {"Word", 2, "BIT", 1},
        {"", 0, "BIT", 1},
    };
    for (const Case& c : cases) {
        int32_t length = c.Bytes;
        EXPECT_EQ(ESI_Data_Type(c.Type, length), c.DataType) << c.Type;
        EXPECT_EQ(length, c.Bits) << c.Type;
    }
}

TEST(EsiWriter, ThreeDigits)
{
    const std::pair<int, const char*> cases[] = {{0, "000"},  {9, "009"},   {10, "010"},
                                                 {99, "099"}, {100, "100"}, {1234, "1234"}};
    for (const auto& [p, text] : cases)
        EXPECT_EQ(Three_Digits(p), text) << p;
}

// Without process data the device lines are 19 to 21 and ConfigData is line 71.
TEST(EsiWriter, ParGenValues)
{
    struct Case {
        const char* Element;
        const char* Text;
        int Line;
        const char* Part;
    } cases[] = {
        {"EtherCAT_Slave_Revision_Number", "10", 19, "RevisionNo=\"#x0A\">"},
        {"EtherCAT_Slave_Revision_Number", "256", 19, "RevisionNo=\"#x100\">"},
        {"EtherCAT_Slave_Revision_Number", "2147483648", 19, "RevisionNo=\"#x80000000\">"},
        {"EtherCAT_Slave_Revision_Number", "4294967295", 19, "RevisionNo=\"#xFFFFFFFF\">"},
        {"EtherCAT_Slave_Revision_Number", "1.5", 19, "RevisionNo=\"#x00\">"},
        {"EtherCAT_Slave_Node_Address", "513", 71, ">800F00CC8813ff00010200800000<"},
        {"EtherCAT_Slave_Node_Address", "0x1234", 71, ">800F00CC8813ff00341200800000<"},
        {"EtherCAT_Slave_Node_Address", "65537", 71, ">800F00CC8813ff00010000800000<"},
        {"EtherCAT_Slave_Node_Address", "node", 71, ">800F00CC8813ff00010000800000<"},
        {"EtherCAT_Slave_Name", "", 20, "<Name LcId=\"1033\"></Name>"},
        {"EtherCAT_Slave_Name", " Gw 1 ", 21, "<Name LcId=\"1031\"> Gw 1 </Name>"},
        {"Other_Element", "x", 19, ">EtherCAT Slave</Type>"},
    };
    for (const Case& c : cases) {
        Project p;
        p.writeParGen({{c.Element, c.Text}});
        const QString line = p.build().value(c.Line - 1);
        EXPECT_TRUE(line.contains(c.Part)) << c.Element << " = " << c.Text << ": " << line.toStdString();
    }
}

// Reserved characters in names are escaped, so a reader gets the names back as typed.
TEST(EsiWriter, ReservedCharactersReadBack)
{
    Project p;
    p.writeParGen({{"EtherCAT_Slave_Name", "A&amp;B"}});
    p.writeSlave({{"Y", "Int8", "1", "x&lt;1 &quot;q&quot; &gt; &amp;"}});
    Build_ESI_File(p.esi(), p.parGen(), p.slave());

    TXmlDocument doc;
    doc.LoadFromFile(p.esi());
    const TXmlElement device =
        doc.Root().RequiredChild("Descriptions").RequiredChild("Devices").RequiredChild("Device");
    EXPECT_EQ(device.ChildText("Type"), "A&B");
    for (const TXmlElement& n : device.Children("Name"))
        EXPECT_EQ(n.Text(), "A&B");
    EXPECT_EQ(readPdos(p.esi(), "TxPdo").at(0).Entries.at(0).Name, "x<1 \"q\" > &");
}

TEST(EsiWriter, BitsArePaddedToWholeBytes)
{
    Project p;
    std::vector<Row> rows(9, Row{"Y", "Bool", "1", "b"});
    rows.push_back({"Y", "Int16", "2", "w"});
    p.writeSlave(rows);
    Build_ESI_File(p.esi(), p.parGen(), p.slave());

    const std::vector<Pdo> pdos = readPdos(p.esi(), "TxPdo");
    ASSERT_EQ(pdos.size(), 1u);
    const std::vector<Entry>& e = pdos[0].Entries;
    ASSERT_EQ(e.size(), 11u); // ten variables and one padding entry
    for (int k = 0; k < 9; ++k)
        EXPECT_EQ(e[k].Index, QString("#x600%1").arg(k)) << "no padding after the eighth bit";
    EXPECT_EQ(e[9].Index, "#x0");
    EXPECT_EQ(e[9].BitLen, 7);
    EXPECT_EQ(e[10].Index, "#x6009");
    EXPECT_EQ(e[10].BitLen, 16);
}

TEST(EsiWriter, SeventeenVariablesMakeTwoPdos)
{
    Project p;
    std::vector<Row> rows(17, Row{"Y", "UInt8", "1", "v"});
    rows.insert(rows.begin() + 3, Row{"N", "Int16", "2", "off"}); // disabled: takes no index
    p.writeSlave(rows, rows);
    Build_ESI_File(p.esi(), p.parGen(), p.slave());

    for (const auto& [kind, pdoBase, name, entryBase] :
         {std::tuple{"TxPdo", "#x1A0", "Inputs_00", "#x60"},
          std::tuple{"RxPdo", "#x160", "Outputs_00", "#x70"}}) {
        const std::vector<Pdo> pdos = readPdos(p.esi(), kind);
        ASSERT_EQ(pdos.size(), 2u) << kind;
        for (int i = 0; i < 2; ++i) {
            EXPECT_EQ(pdos[i].Index, pdoBase + QString::number(i));
            EXPECT_EQ(pdos[i].Name, name + QString::number(i));
        }
        ASSERT_EQ(pdos[0].Entries.size(), 16u);
        ASSERT_EQ(pdos[1].Entries.size(), 1u);
        EXPECT_EQ(pdos[0].Entries[3].Index, entryBase + QString("03"));
        EXPECT_EQ(pdos[1].Entries[0].Index, entryBase + QString("10"));
    }
}

// A run of bits goes on across the PDO boundary and is padded only where it ends.
TEST(EsiWriter, BitRunAcrossPdoBoundary)
{
    Project p;
    p.writeSlave(std::vector<Row>(20, Row{"Y", "Bool", "1", "b"}));
    Build_ESI_File(p.esi(), p.parGen(), p.slave());

    const std::vector<Pdo> pdos = readPdos(p.esi(), "TxPdo");
    ASSERT_EQ(pdos.size(), 2u);
    EXPECT_EQ(pdos[0].Entries.size(), 16u);
    ASSERT_EQ(pdos[1].Entries.size(), 5u);
    EXPECT_EQ(pdos[1].Entries[3].Index, "#x6013");
    EXPECT_EQ(pdos[1].Entries[4].Index, "#x0");
    EXPECT_EQ(pdos[1].Entries[4].BitLen, 4);
}

TEST(EsiWriter, InputByteCountPlacesTheOutputsSyncManager)
{
    struct Case {
        std::vector<Row> Rows;
        int64_t Bytes;
        const char* Start;
    } cases[] = {
        {{{"Y", "Bool", "1", "a"},
          {"Y", "Bool", "1", "b"},
          {"Y", "Bool", "1", "c"},
          {"Y", "Int16", "2", "d"}},
         3,
         "#x100C"},
        {std::vector<Row>(9, Row{"Y", "Bool", "1", "b"}), 2, "#x1008"},
        {{{"Y", "String", "10", "s"}}, 10, "#x1020"},
        {{{"Y", "Array", "4", "a"}}, 4, "#x100C"},
        {{{"Y", "Word", "2", "w"}, {"Y", "Bool", "1", "b"}}, 1, "#x1004"},
        {{{"Y", "Bool", "1", "a"}, {"Y", "Int8", "1", "b"}, {"Y", "Bool", "1", "c"}}, 3, "#x100C"},
        {{{"N", "Int32", "4", "a"}, {"y", "Int32", "4", "b"}, {nullptr, "Int32", "4", "c"}}, 0, "#x1000"},
    };
    for (const Case& c : cases) {
        Project p;
        p.writeSlave(c.Rows);
        EXPECT_EQ(Read_EtherCAT_Slave_Data(p.parGen(), p.slave()).Input_Byte_Count, c.Bytes) << c.Start;
        EXPECT_EQ(lineStartingWith(p.build(), "        <Sm StartAddress=\"#x1"),
                  QString("        <Sm StartAddress=\"%1\" ControlByte=\"#x64\" DefaultSize=\"1\" "
                          "Enable=\"1\">Outputs</Sm>")
                      .arg(c.Start));
    }
}

TEST(EsiWriter, BadProjectFilesRaiseAndLeaveTheTargetAlone)
{
    struct Case {
        const char* File;
        const char* Content;
    } cases[] = {
        {"ParGen.xml", "<Par_Gen><EtherCAT_Slave_Name>x</Par_Gen>"},
        {"EtherCAT_Slave.xml", "<EtherCAT_Slave><EtherCAT_Slave_Variables>"},
        {"EtherCAT_Slave.xml", "<EtherCAT_Slave><EtherCAT_Slave_Variables><EtherCAT_Slave_To_Master/>"
                               "</EtherCAT_Slave_Variables></EtherCAT_Slave>"},
        {"EtherCAT_Slave.xml", "<EtherCAT_Slave/>"},
        // Not XML 1.0: a reference to a control character, a byte that is not UTF-8.
        {"ParGen.xml", "<Par_Gen><EtherCAT_Slave_Name>x&#1;</EtherCAT_Slave_Name></Par_Gen>"},
        {"ParGen.xml", "<Par_Gen><EtherCAT_Slave_Name>Press Line \xE9</EtherCAT_Slave_Name></Par_Gen>"},
    };
    for (const Case& c : cases) {
        Project p;
        writeBytes(p.dir.file(c.File), c.Content);
        writeBytes(p.esi(), "old content");
        try {
            Build_ESI_File(p.esi(), p.parGen(), p.slave());
            ADD_FAILURE() << c.Content << ": no error";
        } catch (const EXmlError& e) {
            EXPECT_TRUE(e.Message.contains(p.dir.file(c.File))) << e.Message.toStdString();
        }
        EXPECT_EQ(readBytes(p.esi()), "old content") << c.Content;
    }
}

TEST(EsiWriter, NameXmlCannotHoldRaisesBeforeWriting)
{
    Project p;
    writeBytes(p.esi(), "old content");
    for (const QString& bad : {QString("a") + QChar(1), QString(QChar(0xD800))}) {
        TESI_Data data;
        data.Slave_To_Master.push_back({"INT", 16, bad});
        EXPECT_THROW(Write_ESI_File(p.esi(), data), EXmlError);
        data.Slave_To_Master.clear();
        data.Device_Name = bad;
        EXPECT_THROW(Write_ESI_File(p.esi(), data), EXmlError);
    }
    EXPECT_EQ(readBytes(p.esi()), "old content");
}

TEST(EsiWriter, UnwritableTargetRaisesNamingIt)
{
    Project p;
    const QString target = p.dir.file("missing/out.xml");
    try {
        Build_ESI_File(target, p.parGen(), p.slave());
        FAIL() << "no error";
    } catch (const EInOutError& e) {
        EXPECT_TRUE(e.Message.contains(target)) << e.Message.toStdString();
    }
}

TEST(EsiCreate, SaveDialogAsksInTheProjectFolder)
{
    Project p;
    TScopedInteraction ui;
    EXPECT_FALSE(Create_ESI_File(p.dir.path(), p.parGen(), p.slave(), "overwrite?")); // cancelled

    ASSERT_EQ(ui->FileDialogs.size(), 1u);
    const TFileDialogRequest& r = ui->FileDialogs[0];
    EXPECT_TRUE(r.Save);
    EXPECT_EQ(r.InitialDir, p.dir.path());
    EXPECT_EQ(r.Filter, "EtherCAT ESI File (*.xml)|*.xml");
    EXPECT_EQ(r.DefaultExt, "xml");
    EXPECT_TRUE(ui->Messages.empty());
    EXPECT_FALSE(QFile::exists(p.esi()));
}

TEST(EsiCreate, ExistingFileAsksBeforeOverwriting)
{
    struct Case {
        bool Exists;
        TModalResult Answer;
        bool Written;
    } cases[] = {{false, mrNo, true}, {true, mrNo, false}, {true, mrYes, true}};
    for (const Case& c : cases) {
        Project p;
        if (c.Exists)
            writeBytes(p.esi(), "old \x01\xff content");
        TScopedInteraction ui;
        ui->FileAnswers = {p.esi()};
        ui->MessageAnswers = {c.Answer};

        EXPECT_EQ(Create_ESI_File(p.dir.path(), p.parGen(), p.slave(), "File already exists."), c.Written);

        ASSERT_EQ(ui->Messages.size(), c.Exists ? 1u : 0u);
        if (c.Exists) {
            EXPECT_EQ(ui->Messages[0].Text, "File already exists.");
            EXPECT_EQ(ui->Messages[0].Type, mtConfirmation);
            EXPECT_EQ(ui->Messages[0].Buttons, mbYesNo);
        }
        if (c.Written)
            EXPECT_TRUE(readBytes(p.esi()).startsWith("<?xml version=\"1.0\"?>\r\n"));
        else
            EXPECT_EQ(readBytes(p.esi()), QByteArray("old \x01\xff content"));
    }
}

// The button's call: the open project's folder and files, and the English text 1105.
class EsiCreateOpenProject : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        Active_Project_Dir = project.dir.path();
        Set_Files();
        Set_English_Texts();
    }
    void TearDown() override
    {
        Reset_Globals();
        Clear_Lang_Table();
    }
    Project project;
};

TEST_F(EsiCreateOpenProject, UsesTheProjectFilesAndText1105)
{
    project.writeParGen({{"EtherCAT_Slave_Name", "Mine"}});
    project.writeSlave({{"Y", "Int8", "1", "v"}});
    ASSERT_EQ(File_ParGen, project.parGen());
    writeBytes(project.esi(), "old");
    TScopedInteraction ui;
    ui->FileAnswers = {project.esi()};
    ui->MessageAnswers = {mrYes};

    EXPECT_TRUE(Create_ESI_File());

    ASSERT_EQ(ui->FileDialogs.size(), 1u);
    EXPECT_EQ(ui->FileDialogs[0].InitialDir, project.dir.path());
    ASSERT_EQ(ui->Messages.size(), 1u);
    EXPECT_EQ(ui->Messages[0].Text, "File already exists. Do you want to overwrite?");
    EXPECT_EQ(readPdos(project.esi(), "TxPdo").size(), 1u);
    EXPECT_TRUE(QString::fromUtf8(readBytes(project.esi())).contains(">Mine</Type>"));
}
