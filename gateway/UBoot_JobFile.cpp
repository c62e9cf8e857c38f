// The update job file "Ethernet_Update.xml" that the external updater reads: the device's address
// and ports, then one operation per transfer (firmware, configuration bank 1, bank 2).
#include "gateway/UBoot.h"

#include "app/UGlobals.h"

#include <array>

namespace
{

enum TTransfer { Firmware, Bank1, Bank2 };

// Values that depend on the dialog, not on the transfer alone.
enum class TComputed { None, FileName, Read_Back, GoToApp_After };

struct TOperationField {
    const char* Name;
    std::array<const char*, 3> Value; // per transfer, when not computed
    TComputed Computed = TComputed::None;
};

// The 20 elements of an operation, in the order the updater reads them.
const TOperationField kOperationFields[] = {
    {"Ope_Protection_Enabled", {"", "", ""}},
    {"Ope_GoToBoot_Before", {"0", "0", "0"}},
    {"Ope_GoToApp_Before", {"0", "0", "0"}},
    {"Ope_IP_Address", {"", "", ""}},
    {"Ope_Port", {"2008", "2008", "2008"}},
    {"Ope_Port_Sec", {"2007", "2007", "2007"}},
    {"Ope_Erase_Memory", {"0", "0", "0"}},
    {"Ope_FileName", {}, TComputed::FileName},
    {"Ope_Start_Address", {"0x8000", "0x07000", "0x80000"}},
    {"Ope_Memory_Type", {"0", "0", "0"}},
    {"Ope_Bank_Type", {"1", "2", "2"}},
    {"Ope_Read_Back", {}, TComputed::Read_Back},
    {"Ope_Write_CSS", {"1", "0", "0"}},
    {"Ope_Address_CSS", {"0x07A00", "0x07A00", "0x07A00"}},
    {"Ope_Command_CSS", {"0x02", "0x02", "0x02"}},
    {"Ope_Write_Internal_Data", {"0", "0", "0"}},
    {"Ope_WID_Address", {"0x07810", "0x07810", "0x07810"}},
    {"Ope_WID_Command", {"0x02", "0x02", "0x02"}},
    {"Ope_WID_Data", {"0x00, 0x00, 0x00, 0x01", "0x00, 0x00, 0x00, 0x01", "0x00, 0x00, 0x00, 0x01"}},
    {"Ope_GoToApp_After", {}, TComputed::GoToApp_After},
};
static_assert(std::size(kOperationFields) == 20);

// The job's head, in order, before the protections and the operations.
const std::pair<const char*, const char*> kJobHead[] = {
    {"Version", "1000"},           {"Title", "Brivexcorp - RIVA101 Ethernet Update"},
    {"IP_Address_Dev", nullptr}, // the dialog's address
    {"Application_Port", "10000"}, {"Boot_Port", "2008"},
    {"Boot_Port_Sec", "2007"},     {"Address_Protection", "0x07800"},
};

QString Transfer_File(TTransfer transfer)
{
    switch (transfer) {
    case Firmware:
        return Master_Dir + "/SimGW101.sim";
    case Bank1:
        return Active_Project_Dir + "/bin/bank1.bin";
    case Bank2:
        return Active_Project_Dir + "/bin/bank2.bin";
    }
    return QString();
}

// The updater jumps to the application after the last transfer only.
void Add_Operation(TXmlElement& operations, TTransfer transfer, bool read_back, bool last)
{
    TXmlElement op = operations.AddChild("Operation");
    for (const TOperationField& f : kOperationFields) {
        QString value;
        switch (f.Computed) {
        case TComputed::None:
            value = QString::fromLatin1(f.Value[transfer]);
            break;
        case TComputed::FileName:
            value = Transfer_File(transfer);
            break;
        case TComputed::Read_Back:
            value = read_back ? "1" : "0";
            break;
        case TComputed::GoToApp_After:
            value = last ? "1" : "0";
            break;
        }
        op.AddTextChild(QString::fromLatin1(f.Name), value);
    }
}

} // namespace

void TFBoot::Compile_XML_Parameter_New_Boot()
{
    const int option = CB_Update_Options->ItemIndex();
    const bool read_back = CB_Update_Option_Read_Back->Checked();
    std::vector<TTransfer> transfers;
    if (option == 0 || option == 1)
        transfers.push_back(Firmware);
    if (option == 0 || option == 2) {
        transfers.push_back(Bank1);
        transfers.push_back(Bank2);
    }

    TXmlElement root = XML1.CreateRoot("Ethernet_Update");
    for (const auto& [name, text] : kJobHead)
        root.AddTextChild(QString::fromLatin1(name), text ? QString::fromLatin1(text) : IP_Address_Text());
    root.AddChild("Protections").AddTextChild("Protection", "0x2E4");
    TXmlElement operations = root.AddChild("Operations");
    for (size_t i = 0; i < transfers.size(); ++i)
        Add_Operation(operations, transfers[i], read_back, i + 1 == transfers.size());
    XML1.SaveToFile(App_Dir + "/Ethernet_Update.xml");
}
