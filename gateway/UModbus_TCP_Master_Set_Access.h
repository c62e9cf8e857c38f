// TFModbus_TCP_Master_Set_Access: the Modbus TCP master request editor, for a gateway whose Modbus
// master side runs over TCP. The tables of the serial editor (gateway/USetAccess.h) with the slave's
// IP address and port in front of the Slave ID; a table's requests end at the first empty address.
// No button of this build opens it: it is created at start, follows the language switch and edits
// "ModbusTCPM_SetAccess.xml" when shown from code:
//   <PROFINET_Master_to_Modbus_TCP_Master>
//     <Modbus_Read><row Enable IP_Address Port Slave_ID Type Address NPoint PollTime MaxError Position
//       Bit Swap SwapWord Index_Topic Mnemonic/></Modbus_Read>
//     <Modbus_Write><row Enable IP_Address Port Slave_ID Type Address NPoint PollTime OnChange OnCMD
//       MaxError Position Bit Swap SwapWord Mnemonic/></Modbus_Write>
//   </PROFINET_Master_to_Modbus_TCP_Master><!--SW_VERSION = 1.001-->
// "Index_Topic" is always written: the index of the row's topic in List_Publish_Topic, else -1.
// The check runs the address and port steps ahead of the serial editor's steps. Only the write
// table moves on with Enter and shows header hints.
// One instance, FModbus_TCP_Master_Set_Access, lives from program start to exit.
#pragma once

#include "gateway/USetAccess_Requests.h"

class TFModbus_TCP_Master_Set_Access : public TRequestEditor
{
  public:
    explicit TFModbus_TCP_Master_Set_Access(TComponent* AOwner);
    ~TFModbus_TCP_Master_Set_Access() override;

    // True when Text is not a valid address.
    static bool Check_IP_Address(const QString& Text) { return setaccess::Check_IP_Address(Text); }

    // Write table: the header hint of a displayed column above 0; other cells keep the grid's hint.
    void ACG_Modbus_WriteGridHint(TObject* Sender, int ARow, int ACol, QString& hintstr);

  protected:
    // The serial editor's show, and the read hints without the Topic entry.
    void Fill_Lists() override;
    QString Saved_Text(TTableView& T, int ACol, int ARow) override;
};

extern TFModbus_TCP_Master_Set_Access* FModbus_TCP_Master_Set_Access;
