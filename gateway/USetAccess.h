// TFSetAccess: the serial Modbus master request editor, step 4 "Modbus Set Access". The gateway polls
// Modbus slaves with up to 512 read requests, which fill its input data array, and sends up to 512
// write requests from its output data array; each request names the slave, the type, address and
// count of points, its timing and where its data lie in the array.
//
// A request editor on the shared frame (gateway/USetAccess_Requests.h). Shown, it rebuilds the
// position lists, clears the tables and reloads "ModbusM_SetAccess.xml" ("Enable", "Swap",
// "SwapWord", "OnCMD" and "Index_Topic" may be missing, every other attribute is required); OK
// (bitbtn1Click) checks the enabled requests and rewrites the file whole:
//   <EtherNetIP_to_Modbus>
//     <Modbus_Read><row Enable=".." Slave_ID=".." Type=".." Address=".." NPoint=".." PollTime=".."
//       MaxError=".." Position=".." Bit=".." Swap=".." SwapWord=".." Index_Topic=".." Mnemonic=".."/>
//     </Modbus_Read>
//     <Modbus_Write><row Enable=".." Slave_ID=".." Type=".." Address=".." NPoint=".." PollTime=".."
//       OnChange=".." OnCMD=".." MaxError=".." Position=".." Bit=".." Swap=".." SwapWord=".."
//       Mnemonic=".."/></Modbus_Write>
//   </EtherNetIP_to_Modbus><!--SW_VERSION = 1.001-->
// which the image compiler turns into the device's request table. The Topic column of the read
// table is hidden at every show, so "Index_Topic" is saved empty.
// One instance, FSetAccess, lives from program start to exit.
#pragma once

#include "gateway/USetAccess_Requests.h"

#include <cstdint>
#include <vector>

class TFSetAccess : public TRequestEditor
{
  public:
    explicit TFSetAccess(TComponent* AOwner);
    ~TFSetAccess() override;

    // OK: Controllo_dati, then the file, then close with mrOk.
    void bitbtn1Click(TObject* Sender);

    using TRequestEditor::Get_Index_From_Topic;
    // Remembered when it is in the list and names Topic there; else the first index naming it; else -1.
    int Get_Index_From_Topic(const QString& Topic, int Remembered) const;

    // Both tables: the header hint of a real column above 0; other cells keep the grid's hint.
    void ACG_Modbus_ReadGridHint(TObject* Sender, int ARow, int ACol, QString& hintstr);
    // Read table: the item picked in a row's Topic drop-down is remembered for that row.
    void ComboChange(TObject* Sender, int ACol, int ARow, int AItemIndex, const QString& ASelection);

    // Per read row, the item index last picked in its Topic drop-down; -1: none.
    std::vector<int32_t> ComboItem_Topic;

  protected:
    void Fill_Lists() override;
    void Topic_Loaded(int ARow, int Index) override;
    QString Saved_Text(TTableView& T, int ACol, int ARow) override;
};

extern TFSetAccess* FSetAccess;
