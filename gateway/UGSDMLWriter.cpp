#include "gateway/UGSDMLWriter.h"

#include "app/UGlobals.h"
#include "app/ULang.h"
#include "gateway/DeviceModel.h"
#include "gateway/UESIWriter.h"
#include "gateway/UProjectXml.h"
#include "platform/controls/Interaction.h"
#include "platform/core/SysUtils.h"
#include "platform/core/Xml.h"

namespace
{

struct TGSDMLText {
    const char* TextId;
    const char* Value;
};

// The primary-language texts, in the order they are written.
constexpr TGSDMLText kTexts[] = {
    {"IDT_INFO_Device", "Brivex Gateways"},
    {"IDT_NAME_DAP1", "EthercatDevice"},
    {"IDT_INFO_DAP1", "Profinet Ethercat Adapter"},
    {"IDT_SUBSLOT_1", "Subslot 1"},
    {"IDT_SUBSLOT_Interface", "Interface"},
    {"IDT_SUBSLOT_Port1", "Port 1"},
    {"IDT_SUBSLOT_Port2", "Port 2"},
    {"IDT_RECORD_NAME_Head", "Parameters of head module"},
    {"IDT_REF_Power", "Percent power"},
    {"IDT_NAME_VS1", "Submodule V1"},
    {"IDT_INFO_VS1", "Description of submodule V1"},
    {"IDT_NAME_IS", "I"},
    {"IDT_NAME_PS1", "P1"},
    {"IDT_NAME_PS2", "P2"},
    {"IDT_NAME_M1", "Module"},
    {"IDT_INFO_M1", "device Ethercat"},
    {"IDT_NAME_FAP", "FAP for Ethercat"},
    {"IDT_INFO_FAP", "Description of FAP for Ethercat"},
    {"IDT_RECORD_NAME_SlotCluster", "Parameters of the FAP"},
    {"IDT_REF_SlotClusterBegin", "Beginning of slot cluster"},
    {"IDT_NAME_M_PB1", "Ethercat Device "},
    {"IDT_INFO_M_PB1", "Description of Ethercat"},
    {"IDT_NAME_S_PB1", "Module of a Ethercat"},
    {"IDT_INFO_S_PB1", "Description of module of a Ethercat"},
    {"IDT_PB_Input", "Digital input EthercatCLIENT"},
    {"IDT_PB_InputBit0", "Digital input bit Ethercat"},
    {"IDT_NAME_S1", "Submodule 1"},
    {"IDT_INFO_S1", "Description of submodule 1"},
    {"IDT_Input_1", "Input byte"},
    {"IDT_Output_1", "Output word"},
    {"IDT_CATEGORY_DI", "Digital Input"},
    {"IDT_INFO_DI", "Description of digital input"},
    {"IDT_CATEGORY_DO", "Digital output"},
    {"IDT_INFO_DO", "Description of digital output"},
    {"IDT_NAME_M1_IDT_REF_channel", "Canale x"},
    {"IDT_REF_reaction_to_cpu_stop", "Reaction to CPU STOP"},
    {"IDT_NAME_M1_Base_Parameters", "Base Parameters"},
    {"IDT_ASSIGN_do_set_substitude_values", "Output substitute value"},
    {"IDT_ASSIGN_do_values_will_hold", "Keep last value"},
    {"IDT_ASSIGN_do_continue_counting", "Continue operation"},
};

const QString kProfileNamespace = QStringLiteral("http://www.profibus.com/GSDML/2003/11/DeviceProfile");

} // namespace

QString GSDML_Fix2(const QDate& date)
{
    return "-" + date.toString("yyyyMMdd") + ".xml";
}

QString GSDML_File_Name(const QString& user, const QDate& date)
{
    if (Trim(user).isEmpty())
        return GSDML_Fix1 + GSDML_Fix2(date);
    if (user.startsWith('_'))
        return GSDML_Fix1 + user + GSDML_Fix2(date);
    return GSDML_Fix1 + "_" + user + GSDML_Fix2(date);
}

TProfinet_Parameters Read_Profinet_Parameters(const QString& fileParGen)
{
    const TParGenReader pg(fileParGen);
    TProfinet_Parameters p;
    p.NB_In = pg.Int("PROFINET_NB_IN", Profinet_Default_Bytes);
    p.NB_Out = pg.Int("PROFINET_NB_OUT", Profinet_Default_Bytes);
    p.Name_Sta = pg.TextDef("PROFINET_NAME_STA", QString());
    // Only a blank name is replaced; blanks around a real name are kept as typed.
    if (Trim(p.Name_Sta).isEmpty())
        p.Name_Sta = QStringLiteral("SERIAL");
    return p;
}

TProfinet_Parameters Read_Profinet_Parameters()
{
    return Read_Profinet_Parameters(File_ParGen);
}

QStringList GSDML_Lines(const TProfinet_Parameters& p)
{
    QStringList l;
    auto add = [&l](int depth, const QString& text) { l << QString(depth, '\t') + text; };
    const QString station = Xml_Escape(p.Name_Sta, "DeviceAccessPointItem");

    add(0, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
    add(0, "<!-- A fieldbus integration example. -->");
    add(0, "<ISO15745Profile xmlns=\"" + kProfileNamespace +
               "\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" xsi:schemaLocation=\"" +
               kProfileNamespace + " ..\\xsd\\GSDML-DeviceProfile-v2.31.xsd\">");
    add(1, "<ProfileHeader>");
    add(2, "<ProfileIdentification>PROFINET Device Profile</ProfileIdentification>");
    add(2, "<ProfileRevision>1.00</ProfileRevision>");
    add(2, "<ProfileName>Device Profile for PROFINET Devices</ProfileName>");
    add(2, "<ProfileSource>PROFIBUS Nutzerorganisation e. V. (PNO)</ProfileSource>");
    add(2, "<ProfileClassID>Device</ProfileClassID>");
    add(2, "<ISO15745Reference>");
    add(3, "<ISO15745Part>4</ISO15745Part>");
    add(3, "<ISO15745Edition>1</ISO15745Edition>");
    add(3, "<ProfileTechnology>GSDML</ProfileTechnology>");
    add(2, "</ISO15745Reference>");
    add(1, "</ProfileHeader>");
    add(1, "<ProfileBody>");
    add(2, "<DeviceIdentity VendorID=\"0x" + IntToHex(Profinet_Vendor_Id, 4) + "\" DeviceID=\"0x" +
               IntToHex(Profinet_Device_Id, 4) + "\">");
    add(3, "<InfoText TextId=\"IDT_INFO_Device\"/>");
    add(3, "<VendorName Value=\"Brivexcorp\"/>");
    add(2, "</DeviceIdentity>");
    add(2, "<DeviceFunction>");
    add(3, "<Family MainFamily=\"Gateway\" ProductFamily=\"VIDI123\"/>");
    add(2, "</DeviceFunction>");
    add(2, "<ApplicationProcess>");

    add(3, "<DeviceAccessPointList>");
    // %1: the station name, used twice.
    add(4, QStringLiteral(
               "<DeviceAccessPointItem PNIO_Version=\"V2.3\" RequiredSchemaVersion=\"V2.25\" ID=\"IDD_1\" "
               "PhysicalSlots=\"0..4\" ModuleIdentNumber=\"0x00000001\" MinDeviceInterval=\"64\" "
               "ImplementationType=\"%1\" DNS_CompatibleName=\"%1\" FixedInSlots=\"0\" "
               "ObjectUUID_LocalIndex=\"1\" MultipleWriteSupported=\"true\" "
               "MaxSupportedRecordSize=\"8192\" ParameterizationSpeedupSupported=\"true\" "
               "PowerOnToCommReady=\"350\" DeviceAccessSupported=\"true\" "
               "SharedDeviceSupported=\"true\" CheckDeviceID_Allowed=\"false\" "
               "NameOfStationNotTransferable=\"true\">")
               .arg(station));
    add(5, "<ModuleInfo>");
    add(6, "<Name TextId=\"IDT_NAME_DAP1\"/>");
    add(6, "<InfoText TextId=\"IDT_INFO_DAP1\"/>");
    add(6, "<VendorName Value=\"Brivexcorp\"/>");
    add(6, "<OrderNumber Value=\"VIDI123\"/>");
    add(5, "</ModuleInfo>");
    add(5, "<SubslotList>");
    add(6, "<SubslotItem SubslotNumber=\"0\" TextId=\"IDT_SUBSLOT_1\"/>");
    add(6, "<SubslotItem SubslotNumber=\"32768\" TextId=\"IDT_SUBSLOT_Interface\"/>");
    add(6, "<SubslotItem SubslotNumber=\"32769\" TextId=\"IDT_SUBSLOT_Port1\"/>");
    add(6, "<SubslotItem SubslotNumber=\"32770\" TextId=\"IDT_SUBSLOT_Port2\"/>");
    add(5, "</SubslotList>");
    add(5, "<IOConfigData MaxInputLength=\"1440\" MaxOutputLength=\"1440\" MaxDataLength=\"2880\"/>");
    add(5, "<UseableModules>");
    add(6, "<ModuleItemRef ModuleItemTarget=\"IDM_1\" FixedInSlots=\"1\"/>");
    add(5, "</UseableModules>");
    add(5, "<VirtualSubmoduleList>");
    add(6, "<VirtualSubmoduleItem ID=\"IDS_V1\" SubmoduleIdentNumber=\"0x00000000\">");
    add(7, "<IOData IOPS_Length=\"1\" IOCS_Length=\"1\"/>");
    add(7, "<ModuleInfo>");
    add(8, "<Name TextId=\"IDT_NAME_VS1\"/>");
    add(8, "<InfoText TextId=\"IDT_INFO_VS1\"/>");
    add(7, "</ModuleInfo>");
    add(6, "</VirtualSubmoduleItem>");
    add(5, "</VirtualSubmoduleList>");
    add(5, "<SystemDefinedSubmoduleList>");
    add(6, "<InterfaceSubmoduleItem ID=\"IDS_I\" SubmoduleIdentNumber=\"0x00000001\" SubslotNumber=\"32768\" "
           "TextId=\"IDT_NAME_IS\" SupportedRT_Classes=\"RT_CLASS_1\" SupportedProtocols=\"SNMP;LLDP\" "
           "SupportedMibs=\"MIB2\">");
    add(7, "<ApplicationRelations>");
    add(8, "<TimingProperties SendClock=\"32\" ReductionRatio=\"1 2 4 8 16 32 64 128 256 512\"/>");
    add(7, "</ApplicationRelations>");
    add(6, "</InterfaceSubmoduleItem>");
    add(6, "<PortSubmoduleItem ID=\"IDS_P1\" SubmoduleIdentNumber=\"0x00000002\" SubslotNumber=\"32769\" "
           "TextId=\"IDT_NAME_PS1\" MaxPortRxDelay=\"350\" MaxPortTxDelay=\"160\"/>");
    add(6, "<PortSubmoduleItem ID=\"IDS_P2\" SubmoduleIdentNumber=\"0x00000002\" SubslotNumber=\"32770\" "
           "TextId=\"IDT_NAME_PS2\" MaxPortRxDelay=\"350\" MaxPortTxDelay=\"160\"/>");
    add(5, "</SystemDefinedSubmoduleList>");
    add(5, "<!-- This element tells the engineering tool that the DAP supports fieldbus integration "
           "(slot clusters). -->");
    add(5, "<!-- FieldbusIntegrationSlots MaxSupported=\"127\" Range=\"100..9999\"/-->");
    add(4, "</DeviceAccessPointItem>");
    add(3, "</DeviceAccessPointList>");

    add(3, "<ModuleList>");
    add(4, "<!-- The \"normal\" module carrying the FAP. -->");
    add(4, "<ModuleItem ID=\"IDM_1\" ModuleIdentNumber=\"0x00000001\">");
    add(5, "<ModuleInfo>");
    add(6, "<Name TextId=\"IDT_NAME_M1\"/>");
    add(6, "<InfoText TextId=\"IDT_INFO_M1\"/>");
    add(6, "<OrderNumber Value=\"12345-0040-M\"/>");
    add(5, "</ModuleInfo>");
    add(5, "<VirtualSubmoduleList>");
    add(6, "<VirtualSubmoduleItem ID=\"IDM_1\" SubmoduleIdentNumber=\"0x00000001\">");
    add(7, "<IOData IOPS_Length=\"1\" IOCS_Length=\"1\">");
    // The controller's input is what the converter sends, and the other way round.
    add(8, "<Input><DataItem DataType=\"OctetString\" Length=\"" + IntToStr(p.NB_Out) +
               "\" TextId=\"IDT_Input_1\"/></Input>");
    add(8, "<Output><DataItem DataType=\"OctetString\" Length=\"" + IntToStr(p.NB_In) +
               "\" TextId=\"IDT_Output_1\"/></Output>");
    add(7, "</IOData>");
    add(7, "<RecordDataList>");
    add(8, "<ParameterRecordDataItem Index=\"128\" Length=\"2\">");
    add(9, "<Name TextId=\"IDT_NAME_M1_IDT_REF_channel\"/>");
    add(9, "<Const ByteOffset=\"0\" Data=\"0x00,0x00\"/>");
    add(9,
        "<Ref TextId=\"IDT_REF_reaction_to_cpu_stop\" Visible=\"true\" DataType=\"BitArea\" ByteOffset=\"0\" "
        "BitOffset=\"0\" BitLength=\"2\" DefaultValue=\"2\" AllowedValues=\"0..2\" "
        "ValueItemTarget=\"IDV_reaction_to_cpu_stop\" ID=\"IDT_REF_reaction_to_cpu_stop\"/>");
    add(9, "<MenuList>");
    add(10, "<MenuItem ID=\"IDT_NAME_M1_IDT_REF_channel\">");
    add(11, "<Name TextId=\"IDT_NAME_M1_IDT_REF_channel\"/>");
    add(11, "<MenuRef MenuTarget=\"IDT_NAME_M1_Base_Parameters\"/>");
    add(10, "</MenuItem>");
    add(10, "<MenuItem ID=\"IDT_NAME_M1_Base_Parameters\">");
    add(11, "<Name TextId=\"IDT_NAME_M1_Base_Parameters\"/>");
    add(11, "<ParameterRef ParameterTarget=\"IDT_REF_reaction_to_cpu_stop\"/>");
    add(10, "</MenuItem>");
    add(9, "</MenuList>");
    add(8, "</ParameterRecordDataItem>");
    add(7, "</RecordDataList>");
    add(7, "<ModuleInfo>");
    add(8, "<Name TextId=\"IDT_NAME_M1\"/>");
    add(8, "<InfoText TextId=\"IDT_INFO_M1\"/>");
    add(7, "</ModuleInfo>");
    add(6, "</VirtualSubmoduleItem>");
    add(5, "</VirtualSubmoduleList>");
    add(4, "</ModuleItem>");
    add(3, "</ModuleList>");

    add(3, "<ValueList>");
    add(4, "<ValueItem ID=\"IDV_reaction_to_cpu_stop\">");
    add(5, "<Assignments>");
    add(6, "<Assign TextId=\"IDT_ASSIGN_do_set_substitude_values\" Content=\"0\"/>");
    add(6, "<Assign TextId=\"IDT_ASSIGN_do_values_will_hold\" Content=\"1\"/>");
    add(6, "<Assign TextId=\"IDT_ASSIGN_do_continue_counting\" Content=\"2\"/>");
    add(5, "</Assignments>");
    add(4, "</ValueItem>");
    add(3, "</ValueList>");

    add(3, "<CategoryList>");
    add(4, "<CategoryItem ID=\"IDC_DI\" TextId=\"IDT_CATEGORY_DI\">");
    add(5, "<InfoText TextId=\"IDT_INFO_DI\"/>");
    add(4, "</CategoryItem>");
    add(4, "<CategoryItem ID=\"IDC_DO\" TextId=\"IDT_CATEGORY_DO\">");
    add(5, "<InfoText TextId=\"IDT_INFO_DO\"/>");
    add(4, "</CategoryItem>");
    add(3, "</CategoryList>");

    add(3, "<ExternalTextList>");
    add(4, "<PrimaryLanguage>");
    for (const TGSDMLText& t : kTexts)
        add(5, QString("<Text TextId=\"%1\" Value=\"%2\"/>")
                   .arg(QLatin1String(t.TextId), QLatin1String(t.Value)));
    add(4, "</PrimaryLanguage>");
    add(3, "</ExternalTextList>");

    add(2, "</ApplicationProcess>");
    add(1, "</ProfileBody>");
    add(0, "</ISO15745Profile>");
    return l;
}

void Write_GSDML_File(const QString& path, const QString& fileParGen)
{
    const TProfinet_Parameters p = Read_Profinet_Parameters(fileParGen);
    QByteArray bytes("\xEF\xBB\xBF");
    for (const QString& line : GSDML_Lines(p)) {
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    WriteFileAtomic(path, bytes);
}

void Write_GSDML_File(const QString& path)
{
    Write_GSDML_File(path, File_ParGen);
}

bool Create_GSDML_File(const QString& name, const QString& projectDir, const QString& fileParGen,
                       const QString& overwriteQuestion)
{
    TFileDialogRequest dlg;
    dlg.Save = true;
    dlg.Filter = "PROFINET XML (*.xml)|" + name;
    dlg.InitialDir = projectDir;
    dlg.FileName = name;
    if (!Interaction().FileDialog(dlg))
        return false;
    // The dialog only picks the folder; the name stays the one the file-name dialog built.
    const QString path = ExtractFilePath(dlg.FileName) + name;
    if (FileExists(path) && MessageDlg(overwriteQuestion, mtConfirmation, mbYesNo) != mrYes)
        return false;
    Write_GSDML_File(path, fileParGen);
    return true;
}

bool Create_GSDML_File(const QString& name)
{
    return Create_GSDML_File(name, Active_Project_Dir, File_ParGen, Lang_Text(4808));
}
