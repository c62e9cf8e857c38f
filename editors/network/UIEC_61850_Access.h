// TFIEC_61850_Access: the editor of the gateway's IEC 61850 client ("IEC61850 Client Set Access").
// The user builds a catalogue of remote servers from SCL files (copied into the project's
// "ICD_Catalog" folder and read into the model of UIEC61850_Model.h), clicks a catalogue line to see
// that device as a tree, picks a leaf attribute or a data set there and adds it with Add Var:
//   tab "Variables"  ACG_DA, one request per attribute (server address, when it is sent, where its
//                    value lies in the gateway's data array)
//   tab "DataSet"    ACG_DataSet, one data set per row, and below it ACG_DS_Vars, the members of the
//                    data set of the clicked row with their own settings (kept in List_DataSet, not
//                    in the grid)
// On the shared frame (app/UTableEditor.h) with these departures: the frame's four row buttons are
// Add Var, Remove Var and the hidden Move Up and Move Down; rows come only from the tree; every row is
// checked (rows without a bType skipped) and saved; the file has named items:
//   <IEC_68850_Client><List_ICD_Files><ICD_File Name FileName/>..</List_ICD_Files>
//   <List_DA_Selected><DA_Item Index bType fc Reference StartByte NumByte IPAddress Port OnChange OnCMD
//   OnTimer Time Position StartBit ReadWrite Convertion MoltFact Mnemonic/>..</List_DA_Selected>
//   <List_DataSet_Selected><DataSet_Item Index Reference GooseName EnGoose IPAddress Port Time Mnemonic>
//   <DataSet_List_DAs><DataSet_DA_Item bType Reference Position StartBit Convertion MoltFact Mnemonic/>..
//   </DataSet_List_DAs></DataSet_Item>..</List_DataSet_Selected></IEC_68850_Client><!--SW_VERSION = 1.000-->
// The reader finds the root by name. A catalogue file that is gone, or no longer well-formed, keeps
// its catalogue index as an empty device under its saved name, so rows keep pointing at it.
// One instance, FIEC_61850_Access, lives from program start to exit.
#pragma once

#include "app/UTableEditor.h"
#include "editors/network/UIEC61850_Model.h"

#include <memory>
#include <vector>

class TListBox;
class TTreeView;
class TTreeNode;
class TSplitter;
class TImageList;
class TPanel;

namespace iec61850client
{

enum TDAColumn {
    Col_Index = 1,
    Col_bType,
    Col_fc,
    Col_Reference,
    Col_StartByte,
    Col_NumByte,
    Col_IPAddress,
    Col_Port,
    Col_OnChange,
    Col_OnCMD,
    Col_OnTimer,
    Col_Time,
    Col_Position,
    Col_StartBit,
    Col_ReadWrite,
    Col_Convertion,
    Col_MoltFact,
    Col_Mnemonic
};
enum TDataSetColumn {
    DS_Index = 1,
    DS_Reference,
    DS_GooseName,
    DS_EnGoose,
    DS_IPAddress,
    DS_Port,
    DS_Time,
    DS_Mnemonic
};
enum TMemberColumn { M_bType = 1, M_Reference, M_Position, M_StartBit, M_Convertion, M_MultFact, M_Mnemonic };

constexpr int Max_Position = 1399; // last byte of the gateway's data array
constexpr const char* Catalog_Folder = "ICD_Catalog";
constexpr const char* Icd_Filter =
    "SCL Files (*.scd, *.ssd, *.sed, *.icd, *.iid, *.cid)|*.scd; *.ssd; *.sed; *.icd; "
    "*.iid; *.cid;|Any File (*.*)|*.*";
constexpr const char* Overwrite_Question =
    "File already exists in catalog directory. Do you want to overwrite file?";
// Tree pictures, one per node kind.
enum TTreePicture { Pic_Device, Pic_LDevice, Pic_LN, Pic_DO, Pic_DA, Pic_DataSet };

extern const TEditorSpec Spec;

// The Start Byte and Num Byte a basic type fixes (upper-cased comparison), or false for a type whose
// bytes the user types (VisString255, Octet64, any other).
bool Fixed_Bytes(const QString& bType, QString& Start, QString& Num);

} // namespace iec61850client

// One member of a selected data set with its settings. Select_DA is none when the data set was not
// found again; the saved bType and Reference then stand for the member.
struct TDataSet_DA {
    std::shared_ptr<TIEC_DA> Select_DA;
    QString Position, bitAddress, conversion, multFactor, Mnemonic;
    QString Saved_bType, Saved_Reference;

    QString bType() const { return Select_DA ? Select_DA->bType() : Saved_bType; }
    QString Reference() const { return Select_DA ? Select_DA->Reference() : Saved_Reference; }
};

// One row of the data-set table.
struct TDataSet {
    std::shared_ptr<TIEC_DataSet> Select_DataSet; // none when the saved data set was not found again
    std::vector<std::unique_ptr<TDataSet_DA>> List_DAs;
};

class TFIEC_61850_Access : public TTableEditor
{
  public:
    explicit TFIEC_61850_Access(TComponent* AOwner);
    ~TFIEC_61850_Access() override;

    void Set_Lang() override;
    void FormShow(TObject* Sender) override;
    bool Controllo_dati() override;
    void Btn_OKClick(TObject* Sender) override;

    // Catalogue and tree.
    void Btn_Add_IEC_DeviceClick(TObject* Sender);
    void Btn_Remove_IEC_DeviceClick(TObject* Sender);
    void Show_IEC_Devices();
    void LB_IEC_DevicesClick(TObject* Sender);
    void TV_IEC_DeviceClick(TObject* Sender);
    void TV_IEC_DeviceCustomDrawItem(TObject* Sender, TTreeNode* Node, bool& DefaultDraw);

    // Tables.
    void Btn_AddVarClick(TObject* Sender);
    void Btn_RemoveVarClick(TObject* Sender);
    void Set_Start_Num_Byte();
    void Show_DataSet_DAs();
    void ACG_DataSetClickCell(TObject* Sender, int ARow, int ACol);
    void ACG_DS_VarsSelectCell(TObject* Sender, int ACol, int ARow, bool& CanSelect);
    void ACG_DS_VarsEditCellDone(TObject* Sender, int ACol, int ARow);
    // The first data set of catalogue device `index` whose reference is `reference`, or none.
    std::shared_ptr<TIEC_DataSet> Get_DataSet(int index, const QString& reference) const;

    // The catalogue folder of the open project, with its trailing '/'.
    static QString Catalog_Dir();

    TFadeButton* Btn_AddVar;
    TFadeButton* Btn_RemoveVar;
    TFadeButton* Btn_MoveUp;
    TFadeButton* Btn_ModeDown;
    TPanel* PDevIEC;
    TPanel* PDevIECList;
    TSplitter* Splitter2;
    TPanel* PDevIECTree;
    TFadeButton* Btn_Add_IEC_Device;
    TListBox* LB_IEC_Devices;
    TFadeButton* Btn_Remove_IEC_Device;
    TTreeView* TV_IEC_Device;
    TSplitter* Splitter1;
    TPanel* PTable;
    TPageControl* PC_DA_DataSet;
    TTabSheet* TS_DA;
    TTabSheet* TS_DataSet;
    TExtColumnGrid* ACG_DA;
    TPanel* P_DataSet_List;
    TExtColumnGrid* ACG_DataSet;
    TSplitter* Splitter3;
    TPanel* P_DataSet_Vars_List;
    TExtColumnGrid* ACG_DS_Vars;
    TImageList* IL_IEC;

    std::vector<std::shared_ptr<TIEC_Device>> List_IEC_Dev;
    TTreeNode* NODE_ORIG = nullptr;
    std::shared_ptr<TIEC_DA> Selected_IEC_DA;
    std::shared_ptr<TIEC_DataSet> Selected_IEC_DS;
    QStringList Hint; // 19 column hints of ACG_DA, column 0 included
    std::vector<std::unique_ptr<TDataSet>> List_DataSet;
    int DataSet_Row_Select = 0;
    // The catalogue index of the device the tree shows; -1 when the tree is empty.
    int Tree_Device_Index = -1;

  private:
    struct TLoaded;
    TLoaded Read_File() const;
    void Apply_Loaded(TLoaded& Loaded);
    void Reset_Tables();
    void Clear_Tree();
    void Show_Tree_IEC_Device(TIEC_Device& Device);
    void Show_Tree_IEC_LDevice(TTreeNode* Parent, TIEC_LDevice& LDevice);
    void Show_Tree_IEC_LN(TTreeNode* Parent, TIEC_LN& LN);
    void Show_Tree_IEC_DO(TTreeNode* Parent, TIEC_DO& DO);
    void Show_Tree_IEC_DA(TTreeNode* Parent, TIEC_DA& DA);
    void Show_Tree_IEC_DataSet(TTreeNode* Parent, TIEC_DataSet& DataSet);
    TTreeNode* Add_Node(TTreeNode* Parent, const QString& Text, int Picture, void* Object);
    void Draw_Pictures();
    // A row for Add Var: row 1 while the table holds one row with an empty Index, else a new last row.
    static int Add_Row(TExtColumnGrid* Grid);
    // Removes table row ARow (the only row is emptied instead); rows below move up and are renumbered.
    static void Remove_Row(TExtColumnGrid* Grid, int ARow);
    // Whether any row of Grid has an Index (column 1) that reads as Index; and those above it lowered.
    static bool Uses_Index(TExtColumnGrid* Grid, int Index);
    static void Lower_Indexes(TExtColumnGrid* Grid, int Index);
    void Save_Project_File();

    std::shared_ptr<TIEC_Device> FTree_Device; // the device the tree shows
};

extern TFIEC_61850_Access* FIEC_61850_Access;
