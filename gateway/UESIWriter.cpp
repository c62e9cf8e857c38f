#include "gateway/UESIWriter.h"

#include "app/UGlobals.h"
#include "app/ULang.h"
#include "gateway/DeviceModel.h"
#include "gateway/UProjectXml.h"
#include "platform/controls/Interaction.h"
#include "platform/core/SysUtils.h"
#include "platform/core/Xml.h"

namespace
{

// Project type -> ESI data type and bits per variable; Array and String depend on the length.
struct TESITypeMap {
    const char* Type;
    const char* DataType;
    int32_t Bits;
};

constexpr TESITypeMap kFixedTypes[] = {
    {"BOOL", "BIT", 1},    {"INT8", "SINT", 8},    {"INT16", "INT", 16},    {"INT32", "DINT", 32},
    {"UINT8", "USINT", 8}, {"UINT16", "UINT", 16}, {"UINT32", "UDINT", 32}, {"FLOAT32", "REAL", 32},
};

const QString kBit = QStringLiteral("BIT");

// Runs of bits share bytes: the byte count grows at the first bit and at every ninth one.
struct TByteCounter {
    bool InBits = false;
    int32_t Bit = 0;
    int64_t Count = 0;

    void Add(const QString& dataType, int32_t bytes)
    {
        if (dataType == kBit) {
            if (InBits) {
                if (++Bit > 8) {
                    Bit = 1;
                    ++Count;
                }
            } else {
                InBits = true;
                Bit = 1;
                ++Count;
            }
        } else {
            InBits = false;
            Bit = 0;
            Count += bytes;
        }
    }
};

// Reads the enabled rows of one section into `list`; returns their byte count.
int64_t Read_Section(const TXmlElement& section, std::vector<TEtherCAT_Rule>& list)
{
    TByteCounter counter;
    for (const TXmlElement& row : section.Children("row")) {
        if (!Row_Enabled(row))
            continue;
        const int32_t bytes = StrToIntDef(row.AttributeDef("Length", QString()), 0);
        int32_t length = bytes;
        TEtherCAT_Rule rule;
        rule.DataType = ESI_Data_Type(row.AttributeDef("Type", QString()), length);
        rule.Length = length;
        rule.Name = row.AttributeDef("Name", QString());
        list.push_back(rule);
        counter.Add(rule.DataType, bytes);
    }
    return counter.Count;
}

void Add_Pdos(QStringList& lines, const std::vector<TEtherCAT_Rule>& list, bool receive)
{
    const QString pdo = receive ? QStringLiteral("RxPdo") : QStringLiteral("TxPdo");
    const QString sm = receive ? QStringLiteral("2") : QStringLiteral("3");
    const uint32_t pdoIndex = receive ? 0x1600 : 0x1A00;
    const uint32_t entryIndex = receive ? 0x7000 : 0x6000;
    const QString pdoName = receive ? QStringLiteral("Outputs_") : QStringLiteral("Inputs_");
    const QString tabs5(5, '\t'), tabs6(6, '\t');

    const int32_t n = static_cast<int32_t>(list.size());
    int32_t p = 0;
    int32_t r = 8;
    for (int32_t k = 0; k < n; ++k) {
        const TEtherCAT_Rule& e = list[k];
        if (k % 16 == 0) {
            lines << "        <" + pdo + " Mandatory=\"true\" Fixed=\"true\" Sm=\"" + sm + "\">";
            lines << "          <Index>#x" + IntToHex(pdoIndex + p, 4) + "</Index>";
            lines << "          <Name>" + pdoName + Three_Digits(p) + "</Name>";
            lines << "";
            ++p;
        }
        lines << "          <Entry>";
        lines << "            <Index>#x" + IntToHex(entryIndex + k, 4) + "</Index>";
        lines << "            <SubIndex>0</SubIndex>";
        lines << "            <BitLen>" + IntToStr(e.Length) + "</BitLen>";
        lines << "            <Name>" + Xml_Escape(e.Name, "Name") + "</Name>";
        lines << "            <DataType>" + e.DataType + "</DataType>";
        lines << "          </Entry>";
        lines << "";
        // Pad a run of bits to a whole byte once it ends; a run of whole bytes needs no padding.
        if (e.DataType == kBit) {
            --r;
            if (r <= 0) {
                r = 8;
            } else if (k == n - 1 || list[k + 1].DataType != kBit) {
                lines << tabs5 + "<Entry>";
                lines << tabs6 + "<Index>#x0</Index>";
                lines << tabs6 + "<SubIndex>0</SubIndex>";
                lines << tabs6 + "<BitLen>" + IntToStr(r) + "</BitLen>";
                lines << tabs5 + "</Entry>";
                lines << "";
                r = 8;
            }
        } else {
            r = 8;
        }
        if (k % 16 == 15)
            lines << "        </" + pdo + ">";
    }
    if (n % 16 != 0)
        lines << "        </" + pdo + ">";
}

} // namespace

QString ESI_Data_Type(const QString& type, int32_t& length)
{
    const QString t = UpperCase(Trim(type));
    for (const TESITypeMap& m : kFixedTypes)
        if (t == QLatin1String(m.Type)) {
            length = m.Bits;
            return QString::fromLatin1(m.DataType);
        }
    const int32_t n = length;
    if (t == "ARRAY") {
        length = static_cast<int32_t>(8 * int64_t(n));
        return "ARRAY [0.." + IntToStr(int64_t(n) - 1) + "] OF BYTE";
    }
    if (t == "STRING") {
        length = static_cast<int32_t>(8 * int64_t(n) + 8); // the terminating zero
        return "STRING(" + IntToStr(n) + ")";
    }
    length = 1;
    return kBit;
}

QString Three_Digits(int32_t p)
{
    if (p <= 9)
        return "00" + IntToStr(p);
    if (p <= 99)
        return "0" + IntToStr(p);
    return IntToStr(p);
}

QString Xml_Escape(const QString& text, const QString& element)
{
    CheckXmlChars(text, element);
    // Qt's escaping covers exactly & < > and ".
    return text.toHtmlEscaped();
}

QString ESI_Node_Text(uint16_t node)
{
    return IntToHex(node & 0xFF, 2) + IntToHex(node >> 8, 2);
}

uint64_t ESI_Outputs_Start_Address(int64_t inputByteCount)
{
    return 0x1000 + ((3 * uint64_t(inputByteCount) + 3) / 4) * 4;
}

TESI_Data Read_EtherCAT_Slave_Data(const QString& fileParGen, const QString& fileEtherCATSlave)
{
    TESI_Data d;
    const TParGenReader pg(fileParGen);
    // 64-bit read so that revisions of 2^31 and more survive; the field is 32-bit.
    d.Revision_Number = static_cast<uint32_t>(pg.Int64("EtherCAT_Slave_Revision_Number", 0));
    d.Device_Name = pg.TextDef("EtherCAT_Slave_Name", d.Device_Name);
    d.Node_Address = static_cast<uint16_t>(pg.Int("EtherCAT_Slave_Node_Address", 1));
    d.Node_Text = ESI_Node_Text(d.Node_Address);
    d.Product_Code = IntToHex(EtherCAT_Product_Code, 8);

    if (FileExists(fileEtherCATSlave)) {
        TXmlDocument doc;
        doc.LoadFromFile(fileEtherCATSlave);
        const TXmlElement vars = Required_Section(doc.Root(), "EtherCAT_Slave_Variables", fileEtherCATSlave);
        const TXmlElement toMaster = Required_Section(vars, "EtherCAT_Slave_To_Master", fileEtherCATSlave);
        const TXmlElement toSlave = Required_Section(vars, "EtherCAT_Master_To_Slave", fileEtherCATSlave);
        d.Input_Byte_Count = Read_Section(toMaster, d.Slave_To_Master);
        d.Output_Byte_Count = Read_Section(toSlave, d.Master_To_Slave);
    }
    return d;
}

QStringList ESI_Lines(const TESI_Data& d)
{
    const QString icon = QString::fromLatin1(EtherCAT_Icon_Hex);
    const QString name = Xml_Escape(d.Device_Name, "Type");
    QStringList l;

    l << "<?xml version=\"1.0\"?>"
      << "<EtherCATInfo xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
         "xsi:noNamespaceSchemaLocation=\"EtherCATInfo.xsd\" Version=\"1.6\">"
      << "  <Vendor>"
      << "    <Id>#x" + IntToHex(EtherCAT_Vendor_Id, 8) + "</Id>"
      << "    <Name>Brivexcorp</Name>"
      << "    <ImageData16x14>" + icon + "</ImageData16x14>"
      << "  </Vendor>"
      << "  <Descriptions>"
      << "    <Groups>"
      << "      <Group SortOrder=\"0\">"
      << "        <Type>Brivexcorp Slaves</Type>"
      << "        <Name LcId=\"1031\">Brivexcorp Slaves</Name>"
      << "        <Name LcId=\"1033\">Brivexcorp Slaves</Name>"
      << "        <ImageData16x14>" + icon + "</ImageData16x14>"
      << "      </Group>"
      << "    </Groups>";

    l << "    <Devices>"
      << "      <Device Physics=\"YY\">"
      << "        <Type ProductCode=\"#x" + d.Product_Code + "\" RevisionNo=\"#x" +
             IntToHex(d.Revision_Number, 2) + "\">" + name + "</Type>"
      << "        <Name LcId=\"1033\">" + name + "</Name>"
      << "        <Name LcId=\"1031\">" + name + "</Name>"
      << "        <Info>"
      << "          <StateMachine>"
      << "            <Timeout>"
      << "              <PreopTimeout>2000</PreopTimeout>"
      << "              <SafeopOpTimeout>9000</SafeopOpTimeout>"
      << "              <BackToInitTimeout>5000</BackToInitTimeout>"
      << "              <BackToSafeopTimeout>200</BackToSafeopTimeout>"
      << "            </Timeout>"
      << "          </StateMachine>"
      << "          <Mailbox>"
      << "            <Timeout>"
      << "              <RequestTimeout>100</RequestTimeout>"
      << "              <ResponseTimeout>2000</ResponseTimeout>"
      << "            </Timeout>"
      << "          </Mailbox>"
      << "          <IdentificationReg134>true</IdentificationReg134>"
      << "        </Info>"
      << "        <GroupType>Brivexcorp Slaves</GroupType>"
      << "        <Fmmu>Outputs</Fmmu>"
      << "        <Fmmu>Inputs</Fmmu>"
      << "        <Sm MinSize=\"0\" MaxSize=\"0\" DefaultSize=\"0\" StartAddress=\"#x1FFF\" "
         "ControlByte=\"#x26\" "
         "Enable=\"0\">MBoxOut</Sm>"
      << "        <Sm MinSize=\"0\" MaxSize=\"0\" DefaultSize=\"0\" StartAddress=\"#x1FFF\" "
         "ControlByte=\"#x22\" "
         "Enable=\"0\">MBoxIn</Sm>"
      << "        <Sm StartAddress=\"#x" + IntToHex(ESI_Outputs_Start_Address(d.Input_Byte_Count), 4) +
             "\" ControlByte=\"#x64\" DefaultSize=\"1\" Enable=\"1\">Outputs</Sm>"
      << "        <Sm StartAddress=\"#x1000\" ControlByte=\"#x20\" DefaultSize=\"1\" "
         "Enable=\"1\">Inputs</Sm>";

    Add_Pdos(l, d.Master_To_Slave, true);
    Add_Pdos(l, d.Slave_To_Master, false);

    l << "        <Mailbox DataLinkLayer=\"true\">"
      << "          <EoE />"
      << "          <CoE SdoInfo=\"true\" SegmentedSdo=\"true\" CompleteAccess=\"true\" />"
      << "          <FoE />"
      << "        </Mailbox>"
      << "        <Dc>"
      << "          <OpMode>"
      << "            <Name>Synchron</Name>"
      << "            <Desc>SM-Synchron</Desc>"
      << "            <AssignActivate>#x0</AssignActivate>"
      << "            <CycleTimeSync0 Factor=\"1\">0</CycleTimeSync0>"
      << "            <ShiftTimeSync0>0</ShiftTimeSync0>"
      << "            <CycleTimeSync1 Factor=\"1\">0</CycleTimeSync1>"
      << "          </OpMode>"
      << "          <OpMode>"
      << "            <Name>DC</Name>"
      << "            <Desc>DC-Synchron</Desc>"
      << "            <AssignActivate>#x300</AssignActivate>"
      << "            <CycleTimeSync0 Factor=\"1\">0</CycleTimeSync0>"
      << "            <ShiftTimeSync0>0</ShiftTimeSync0>"
      << "            <CycleTimeSync1 Factor=\"1\">0</CycleTimeSync1>"
      << "          </OpMode>"
      << "        </Dc>"
      << "        <Eeprom>"
      << "          <ByteSize>2048</ByteSize>"
      << "          <ConfigData>800F00CC8813ff00" + d.Node_Text + "00800000</ConfigData>"
      << "        </Eeprom>"
      << "        <ImageData16x14>" + icon + "</ImageData16x14>"
      << "      </Device>"
      << "    </Devices>"
      << "  </Descriptions>"
      << "</EtherCATInfo>";
    return l;
}

void Write_ESI_File(const QString& fileName, const TESI_Data& data)
{
    QByteArray bytes;
    for (const QString& line : ESI_Lines(data)) {
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    WriteFileAtomic(fileName, bytes);
}

void Build_ESI_File(const QString& fileName, const QString& fileParGen, const QString& fileEtherCATSlave)
{
    Write_ESI_File(fileName, Read_EtherCAT_Slave_Data(fileParGen, fileEtherCATSlave));
}

void Build_ESI_File(const QString& fileName)
{
    Build_ESI_File(fileName, File_ParGen, File_EtherCAT_Slave);
}

bool Create_ESI_File(const QString& projectDir, const QString& fileParGen, const QString& fileEtherCATSlave,
                     const QString& overwriteQuestion)
{
    TFileDialogRequest dlg;
    dlg.Save = true;
    dlg.Filter = QStringLiteral("EtherCAT ESI File (*.xml)|*.xml");
    dlg.DefaultExt = QStringLiteral("xml");
    dlg.InitialDir = projectDir;
    if (!Interaction().FileDialog(dlg))
        return false;
    const QString fileName = dlg.FileName;
    if (FileExists(fileName) && MessageDlg(overwriteQuestion, mtConfirmation, mbYesNo) != mrYes)
        return false;
    Build_ESI_File(fileName, fileParGen, fileEtherCATSlave);
    return true;
}

bool Create_ESI_File()
{
    return Create_ESI_File(Active_Project_Dir, File_ParGen, File_EtherCAT_Slave, Lang_Text(1105));
}
