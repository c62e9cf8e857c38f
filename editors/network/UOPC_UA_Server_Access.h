// TFOPC_UA_Server_Access: the variables the gateway offers as an OPC UA server ("Definition of OPC
// UA Server Variables"). One table of 250 variables, each with an Enable box, its data type, its
// byte position and length in the 2000-byte internal data array, its name, its access (read only
// or read/write) and a mnemonic. A fixed-size type fixes the Length (read-only); a string type
// proposes 10 bytes and leaves the Length editable (VarSetLength).
//
// A one-table editor on the shared frame (app/UTableEditor.h), its check-box string-grid variant,
// without click, double-click, key or hint handlers. Shown, every row is ticked and
// "OPC_UA_Server.xml" reloaded (a row is ticked unless its Enable is "N"; the type sets the
// Length's lock, the file's Length its text). OK checks the Position of every ticked row with a
// Type, wherever it stands, and rewrites the file with rows 1 .. the last that has a Type, so no
// checked row is left out (rows without a Type between them are saved as they stand):
//   <OPC_UA_Server><OPC_UA_Server_Variables><row Enable Type Position Length Name ReadWrite
//     Mnemonic/>..</OPC_UA_Server_Variables></OPC_UA_Server><!--SW_VERSION = 1.000-->
// One instance, FOPC_UA_Server_Access, lives from program start to exit.
#pragma once

#include "app/UTableEditor.h"

class TFOPC_UA_Server_Access : public TTableEditor
{
  public:
    explicit TFOPC_UA_Server_Access(TComponent* AOwner);
    ~TFOPC_UA_Server_Access() override;

    // Binds the editor-type and list-change events and drops the frame's click, double-click and
    // key handlers; at creation.
    void Init_Table();
    // Every row, ticked and with a Type: Position 0 .. 1999.
    bool Controllo_dati() override;
    // Keeps the pasted Length but takes the read-only state and R/W default of the pasted Type.
    void Btn_PasteRowClick(TObject* Sender) override;

    // The Length cell and its lock from Type (a text that is no type changes nothing); an empty R/W
    // becomes "Read/Write".
    void VarSetLength(const QString& Type, int ARow);
    void ESGGetEditorType(TObject* Sender, int ACol, int ARow, TEditorType& AEditor);
    void ESGComboChange(TObject* Sender, int ACol, int ARow, int AItemIndex, const QString& ASelection);

    TExtStringGrid* ESG;

  protected:
    void Fill_Lists() override;
    void Load_Row(TTableView& T, int ARow, QStringList& Texts) override;
};

extern TFOPC_UA_Server_Access* FOPC_UA_Server_Access;
