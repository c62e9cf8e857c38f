// TFEtherCATSlave: the EtherCAT slave's process data, step 3 "EtherCAT Set Access". Two tables of
// 256 variables each, slave to master (the master's inputs, with an initial value) and master to
// slave. Per variable: Enable box, Type (drop-down of VarType), Length, Name, [Init Value], then the
// computed Position, Start Bit and Group (read-only), and a free Mnemonic.
//
// On the shared table-editor frame (app/UTableEditor.h), with plain check boxes in column 1 and
// two more buttons, Move Up and Move Down. The rules themselves work on plain rows
// (gateway/UEtherCATSlave_Rows.h); the named operations below copy the grid's rows there and the
// computed cells back:
//   VarSetLength       a type picked (or pasted, or loaded) sets the Length cell and its read-only flag
//   Calc_Position_Bit  Position and Start Bit of every variable of one table
//   Show_Group         Group of every row of one table, from the group file's lists
// They run on the events that change what they read: a type picked, an edit of columns 1 to 3
// ended, an Enable box toggled, and after every row command; never from painting.
//
// Shown, the editor reads "EtherCAT_Slave_Group.xml" and "EtherCAT_Slave.xml" before any cell
// changes (a faulty file is reported with its name and the editor stays closed), then clears and
// fills both tables and recomputes groups and positions. OK ends an open edit, checks the enabled
// variables, recomputes once more (what is saved is what the compiler trusts) and rewrites
// "EtherCAT_Slave.xml":
//   <EtherCAT_Slave><EtherCAT_Slave_Variables>
//     <EtherCAT_Slave_To_Master><row Enable Type Length Name InitValue Position BitStart Group Mnemonic/>..
//     <EtherCAT_Master_To_Slave><row Enable Type Length Name Position BitStart Group Mnemonic/>..
//   </EtherCAT_Slave_Variables></EtherCAT_Slave><!--SW_VERSION = 1.001-->
// One instance, FEtherCATSlave, lives from program start to exit.
#pragma once

#include "app/UTableEditor.h"
#include "gateway/UEtherCATSlave_Rows.h"
#include "grid/core/ExtGrid.h"

#include <memory>
#include <vector>

class TStringList;

class TFEtherCATSlave : public TTableEditor
{
  public:
    explicit TFEtherCATSlave(TComponent* AOwner);
    ~TFEtherCATSlave() override;

    void Set_Lang() override;
    // Column and row counts, headers, widths, the Enable check boxes, row numbers, the cells'
    // colours, alignment and read-only flags, and VarType; once, at creation.
    void Init_Table();
    void FormShow(TObject* Sender) override;
    // Slave to master first; the first fault of an enabled variable is shown.
    bool Controllo_dati() override;
    static bool CheckArraySting(const QString& Text) { return EtherCATSlave::CheckArraySting(Text); }

    void VarSetLength(TExtStringGrid* Grid, const QString& Type, int ARow);
    void Calc_Position_Bit(TExtStringGrid* Grid, bool Slave_To_Master);
    void Show_Group(TExtStringGrid* Grid, bool Slave_To_Master);
    // Exchanges the row with the one above (Up, rows 2 .. 256) or below (Down, rows 1 .. 254): Enable
    // state and columns 2 to the last, with the Length cells' read-only flags; the current row
    // follows. Where nothing is exchanged the current row stays.
    void MoveRow_ESG(int ARow, TExtStringGrid* Grid, bool Up);

    void Btn_OKClick(TObject* Sender) override;
    void Btn_CopyRowClick(TObject* Sender) override;
    void Btn_PasteRowClick(TObject* Sender) override;
    void Btn_InsRowClick(TObject* Sender) override;
    void Btn_DelRowClick(TObject* Sender) override;
    void Btn_MoveClick(TObject* Sender);

    // Grid events, bound on both tables; each works on the table it comes from.
    void ESG_SlaveMasterGetEditorType(TObject* Sender, int ACol, int ARow, TEditorType& AEditor);
    void ESG_SlaveMasterComboChange(TObject* Sender, int ACol, int ARow, int AItemIndex,
                                    const QString& ASelection);
    void ESG_SlaveMasterCellValidate(TObject* Sender, int ACol, int ARow, QString& Value, bool& Valid);
    void ESG_SlaveMasterCheckBoxChange(TObject* Sender, int ACol, int ARow, bool State);

    // The header hints of the two tables, one per column from column 1 (the frame keeps them).
    const QStringList& Hint_StM() { return Table(0).Hints; }
    const QStringList& Hint_MtS() { return Table(1).Hints; }

    TTabSheet* TS_SlaveToMaster;
    TTabSheet* TS_MasterToSlave;
    TExtStringGrid* ESG_SlaveMaster;
    TExtStringGrid* ESG_MasterSlave;
    TFadeButton* Btn_MoveUp;
    TFadeButton* Btn_MoveDown;
    std::unique_ptr<TStringList> VarType;
    std::vector<TGroup> Group_StoM;
    std::vector<TGroup> Group_MtoS;

  private:
    // Where a table keeps its columns; the master-to-slave table has no Init Value.
    struct TLayout {
        int Init_Value; // -1: none
        int Position;
        int Bit_Start;
        int Group;
        int Last;
    };
    static const TLayout& Layout(bool Slave_To_Master);
    bool Is_Slave_To_Master(TObject* Grid) const { return Grid == ESG_SlaveMaster; }
    // The table an event comes from; nullptr for any other sender.
    TExtStringGrid* Grid_From(TObject* Sender) const
    {
        return Sender == ESG_SlaveMaster   ? ESG_SlaveMaster
               : Sender == ESG_MasterSlave ? ESG_MasterSlave
                                           : nullptr;
    }
    TExtStringGrid* Grid_Of(bool Slave_To_Master) const
    {
        return Slave_To_Master ? ESG_SlaveMaster : ESG_MasterSlave;
    }
    // The 256 data rows of a table as plain rows.
    std::vector<EtherCATSlave::TVarRow> Rows_Of(TExtStringGrid* Grid, bool Slave_To_Master);
    bool Is_Enabled(TExtStringGrid* Grid, int ARow);
    // Texts and flags of a cleared table: row numbers, boxes checked, texts empty, the flags of
    // Init_Table.
    void Clear_Table(TExtStringGrid* Grid, bool Slave_To_Master);
    void Recalc(TExtStringGrid* Grid, bool Slave_To_Master);
    // "EtherCAT_Slave_Group.xml" into Group_StoM and Group_MtoS (UEtherCATSlave_File.cpp).
    void Read_Groups(std::vector<TGroup>& StoM, std::vector<TGroup>& MtoS);
    struct TFileRow;
    void Read_Variables(std::vector<TFileRow> (&Tables)[2]);
    void Fill_Row(TExtStringGrid* Grid, bool Slave_To_Master, int ARow, const TFileRow& Row);
    void Save_Variables();
};

extern TFEtherCATSlave* FEtherCATSlave;
