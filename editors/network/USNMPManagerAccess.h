// TFSNMPManagerAccess: the editor of the requests the gateway sends as SNMP manager ("Set SNMP Manager
// Access"). One table of 512 requests: the agent's IP address (the key), SNMP version, community,
// OID, type, mode (Get, Set, Trap), what triggers it (OnChange, OnCMD, OnTimer with its Time), where
// its data lies in the 1440-byte data array, a conversion, Cancel, and for version 3 the user-based
// security (user, passwords, level, modes), and a mnemonic. The passwords are plain cell texts.
//
// A table editor on the shared frame (app/UTableEditor.h), with these departures: no click handler,
// Insert Row puts "Y" in Enable, header hints by the column as it comes, the Position list "0" ..
// "1439" at every show, and the grid takes the focus after loading. OK checks the used rows whose
// Enable, trimmed, is exactly "Y" (Check_Requests) and rewrites "SNMP_Manager.xml":
//   <SNMP_Manager_Access><row Enable IP_Address Version Community_String OID Type Mode On_Change
//    On_Command On_Timer Time Position Number_Bytes ConvertFrom Cancel User Auth_Pass Priv_Pass
//    Security_Level Auth_Mode Priv_Mode Mnemonic/>..</SNMP_Manager_Access><!--SW_VERSION = 1.000-->
// Every attribute may be missing from a row: Enable reads "Y", the four flags "N", ConvertFrom
// "None", the rest empty. One instance, FSNMPManagerAccess, lives from program start to exit.
#pragma once

#include "app/UTableEditor.h"
#include "editors/fieldbus/UFrameRules.h"

#include <optional>

namespace snmpmanager
{

enum TColumn {
    Col_Enable = 1,
    Col_IP,
    Col_Version,
    Col_Community,
    Col_OID,
    Col_Type,
    Col_Mode,
    Col_OnChange,
    Col_OnCMD,
    Col_OnTimer,
    Col_Time,
    Col_Position,
    Col_NumBytes,
    Col_Conversion,
    Col_Cancel,
    Col_User,
    Col_AuthPass,
    Col_PrivPass,
    Col_SecLevel,
    Col_AuthMode,
    Col_PrivMode,
    Col_Mnemonic,
};
constexpr int Data_Array = 1440; // the Position list's items "0" .. Data_Array - 1

extern const TEditorSpec Spec;

// The data check over the used rows (index by real column, 0 the row number): every enabled row in
// turn, then the duplicate test over the enabled pairs. The first fault's full message, or none.
std::optional<QString> Check_Requests(const TFrameRows& Rows);

} // namespace snmpmanager

class TFSNMPManagerAccess : public TTableEditor
{
  public:
    explicit TFSNMPManagerAccess(TComponent* AOwner);
    ~TFSNMPManagerAccess() override;

    bool Controllo_dati() override;
    void ACG_SNMPDblClickCell(TObject* Sender, int ARow, int ACol) { DblClickCell(Sender, ARow, ACol); }
    void ACG_SNMPKeyPress(TObject* Sender, char16_t& Key) { KeyPress(Sender, Key); }
    void ACG_SNMPGridHint(TObject* Sender, int ARow, int ACol, QString& hintstr)
    {
        GridHint(Sender, ARow, ACol, hintstr);
    }

    TExtColumnGrid* ACG_SNMP;
    // The copy flag is the frame's (Table(0).Do_Copy is Do_Copy_SNMP); the hint list its Hints.

  protected:
    void Fill_Lists() override;
};

extern TFSNMPManagerAccess* FSNMPManagerAccess;
