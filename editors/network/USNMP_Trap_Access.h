// TFSNMP_Trap_Access: the editor of the objects the gateway offers as SNMP agent ("Set SNMP Trap
// Access"), in two tables on tabs: "SNMP Read" (objects managers read, each of which may also be sent
// as a trap on change, on command or on a timer) and "SNMP Write" (objects managers set). Each row:
// Enable, community name (the key), type (Int or String), place in the 1440-byte data array
// (position, start bit, bits or bytes), description, conversion, mnemonic; a read row also its
// trap triggers, time and destination IP address. The description names the object in the agent's
// MIB (USNMP_MIB.h, which reads this editor's file).
//
// A two-table editor on the shared frame (app/UTableEditor.h), with these departures:
//   column 0      not the row number but the object's number among the enabled rows of its table
//                 (Index_Row_Build), the number the MIB writer gives it; rebuilt after loading, on
//                 every Enable check-box click and after every row command of that table. Messages
//                 and the delete question still name grid rows.
//   FormShow      does not change the active tab (the read tab is active from creation on)
//   no click handler; Insert Row puts "Y" in Enable; one key, hint and double-click handler for both
//   grids (a key typed in an in-place editor comes with the editor as Sender: its owner is the grid)
//   OK            the checks below (Check_Objects), then the file:
//     <SNMP_Trap><SNMP_Trap_Read><row Enable Community_Name Type On_Change On_Command On_Timer Time
//      Position Bit NumBits Description IP_Address Conversion Mnemonic/>..</SNMP_Trap_Read>
//      <SNMP_Trap_Write><row Enable Community_Name Type Position Bit NumBits Description Conversion
//      Mnemonic/>..</SNMP_Trap_Write></SNMP_Trap><!--SW_VERSION = 1.000-->
// Every attribute may be missing from a row: Enable reads "Y", the three triggers "N", Conversion
// "None", the rest empty. One instance, FSNMP_Trap_Access, lives from program start to exit.
#pragma once

#include "app/UTableEditor.h"
#include "editors/fieldbus/UFrameRules.h"

#include <optional>

namespace snmptrap
{

constexpr int Read_Table = 0, Write_Table = 1;
constexpr int Data_Array = 1440; // NByte_IN and NByte_OUT
constexpr int Name_Length = 15;  // in-place limit of Community Name and Description

enum TReadColumn {
    Read_Enable = 1,
    Read_Community,
    Read_Type,
    Read_OnChange,
    Read_OnCMD,
    Read_OnTimer,
    Read_Time,
    Read_Position,
    Read_Bit,
    Read_NumBits,
    Read_Description,
    Read_IP,
    Read_Conversion,
    Read_Mnemonic,
};
enum TWriteColumn {
    Write_Enable = 1,
    Write_Community,
    Write_Type,
    Write_Position,
    Write_Bit,
    Write_NumBits,
    Write_Description,
    Write_Conversion,
    Write_Mnemonic,
};

extern const TEditorSpec Spec;

// True when Text breaks the rule of its kind: 0 community names (ASCII letters and digits), 1
// descriptions (the same, the first a lower-case ASCII letter). The empty text passes both.
bool Check_Error_CommName_Desc(const QString& Text, int Kind);

// The data check over the used rows of both tables (index by real column, 0 the row number): the
// enabled read rows, the enabled write rows, then the descriptions of all of them must differ.
// SL_Check_Desc gets the descriptions accepted on the way. The first fault's full message, or none.
std::optional<QString> Check_Objects(const TFrameRows& Read, const TFrameRows& Write,
                                     QStringList& SL_Check_Desc);

} // namespace snmptrap

class TFSNMP_Trap_Access : public TTableEditor
{
  public:
    explicit TFSNMP_Trap_Access(TComponent* AOwner);
    ~TFSNMP_Trap_Access() override;

    void FormShow(TObject* Sender) override;
    bool Controllo_dati() override;
    void Btn_PasteRowClick(TObject* Sender) override;
    void Btn_InsRowClick(TObject* Sender) override;
    void Btn_DelRowClick(TObject* Sender) override;

    void Grid_DblClickCell(TObject* Sender, int ARow, int ACol) { DblClickCell(Sender, ARow, ACol); }
    void SGA_KeyPress(TObject* Sender, char16_t& Key);
    void SGA_GridHint(TObject* Sender, int ARow, int ACol, QString& hintstr);
    // Bound to both grids: a click on an Enable box renumbers that grid.
    void ACG_SNMP_ReadCheckBoxClick(TObject* Sender, int ACol, int ARow, bool State);
    // Column 0 of every row: 1, 2, ... for the rows whose Enable, upper-cased, is "Y"; empty for
    // the others.
    static void Index_Row_Build(TExtStringGrid* Grid);

    TTabSheet* TS_SNMP_Read;
    TTabSheet* TS_SNMP_Write;
    TExtColumnGrid* ACG_SNMP_Read;
    TExtColumnGrid* ACG_SNMP_Write;
    int NByte_IN = 0;
    int NByte_OUT = 0;
    // The descriptions the last check accepted, read ones first.
    QStringList SL_Check_Desc;
    // The copy flags are the frame's (Table(0).Do_Copy is Do_Copy_In_Read); the hint lists its Hints.

  protected:
    void Fill_Lists() override;

  private:
    // The grid of an event: the grid itself, or the owner of its in-place editor.
    TExtStringGrid* Grid_Of(TObject* Sender);
};

extern TFSNMP_Trap_Access* FSNMP_Trap_Access;
