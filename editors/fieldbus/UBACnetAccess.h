// TFBACnetAccess: the request editor of a gateway whose BACnet side is a client ("Set BACnet
// Access"). Each row of the read table names an object property of a BACnet device that the gateway
// polls and stores at a byte position of its process image; each row of the write table names a
// property it writes from the image, on change or on a timer, with a priority. Rows may go through a
// router (destination network, length, address). Two tables of 512 rows on tabs, saved in
// "BACnet_Master_Access.xml"; the words of the cells and their rules are in UBACnet_Rules.h.
//
// A two-table editor on the shared frame (app/UTableEditor.h), with these departures:
//   buttons   OK, Cancel, Delete Row, Insert Row and "Import EDE" (no Copy and Paste, no hints)
//   grids     no click, double-click or key handlers; one hint handler for both grids
//   FormShow  the client type from "ParGen.xml" (BACnet_Master_Type; a missing file or element:
//             box 2057 and type 0), which decides column 2 ("IP Address" for 0, "Slave ID" for 1,
//             hidden for any other type) and the key column (2 for types 0 and 1, else 3); then the
//             frame's show: rows cleared (Enable "Y"), Position lists "0" .. "1439", the file loaded
//             (missing Enable "Y", missing Enable_Destination / OnChange / OnTimer "N", others "")
//   OK        the enabled rows (Enable exactly "Y") checked, read table first, then the file:
//     <BACnet_Master_Access><BACnet_Read><row Enable .. Mnemonic/>..</BACnet_Read>
//       <BACnet_Write>..</BACnet_Write></BACnet_Master_Access><!--SW_VERSION = 1.000-->
//             (Swap and Convertion, always hidden, are neither loaded nor saved)
//   Import    an EDE file chosen in the open dialog, its objects listed by FImportEDEFile
//             (UImportEDEFile.h); on OK the chosen ones become read and write rows from each table's
//             first free row and next free byte; what does not fit in the 512 rows is counted in
//             one box (2094)
// One instance, FBACnetAccess, lives from program start to exit.
#pragma once

#include "app/UTableEditor.h"
#include "editors/fieldbus/UBACnet_Rules.h"
#include "editors/fieldbus/UFrameRules.h"
#include "platform/controls/Interaction.h"

#include <array>

class TBACnet_Var;

namespace bacnetaccess
{

constexpr int Data_Rows = 512;
constexpr int Image_Bytes = 1440; // the Position lists "0" .. "1439"
constexpr int Read_Table = 0, Write_Table = 1;
constexpr int Col_Address = 2, Col_Object = 3;

enum TReadColumn {
    R_Enable = 1,
    R_Address,
    R_Object,
    R_Instance,
    R_Property,
    R_NByte,
    R_En_Dest,
    R_D_Net,
    R_D_Len,
    R_D_Add,
    R_Poll,
    R_Max_Err,
    R_Position,
    R_Start_Bit,
    R_Swap,
    R_Convertion,
    R_Mnemonic,
    R_Count
};
enum TWriteColumn {
    W_Enable = 1,
    W_Address,
    W_Object,
    W_Data_Type,
    W_Instance,
    W_Property,
    W_Priority,
    W_NByte,
    W_En_Dest,
    W_D_Net,
    W_D_Len,
    W_D_Add,
    W_Change,
    W_Timer,
    W_Poll,
    W_Max_Err,
    W_Position,
    W_Start_Bit,
    W_Swap,
    W_Convertion,
    W_Mnemonic,
    W_Count
};

// The key column of both tables for a client type.
int Key_Column(int BACnet_Type);

// The checks over the used rows (index by real column, 0 the row number), in the order OK runs
// them; rows whose Enable is not exactly "Y" are skipped. The fault's row prefix is the table's.
TFrameCheck Check_Read_Rows(const TFrameRows& Rows, int BACnet_Type);
TFrameCheck Check_Write_Rows(const TFrameRows& Rows, int BACnet_Type);

// BACnet_Master_Type of "ParGen.xml" at Path (0 for a text that is no number); false when the file
// or the element cannot be read.
bool Read_BACnet_Master_Type(const QString& Path, int& Type);

// The table's description and the editor's, one copy per form: the key column follows the client
// type of each show.
struct TSpecHolder {
    TSpecHolder();
    std::array<TEditorTable, 2> Own_Tables;
    TEditorSpec Own_Spec;
};

} // namespace bacnetaccess

class TFBACnetAccess : private bacnetaccess::TSpecHolder, public TTableEditor
{
  public:
    explicit TFBACnetAccess(TComponent* AOwner);
    ~TFBACnetAccess() override;

    void Set_Lang() override;
    void FormShow(TObject* Sender) override;
    bool Controllo_dati() override;
    void ACG1GridHint(TObject* Sender, int ARow, int ACol, QString& hintstr);
    QString Str_Hint_Read(int ARow, int ACol);
    QString Str_Hint_Write(int ARow, int ACol);
    void Btn_Import_CSVClick(TObject* Sender);

    // The rules, as the form's own routines.
    static int Check_Object_Type(const QString& Text, bacnetrules::TSide Side)
    {
        return bacnetrules::Check_Object_Type(Text, Side);
    }
    static int Check_Property(const QString& Text, bacnetrules::TSide Side, int Object_Code)
    {
        return bacnetrules::Check_Property(Text, Side, Object_Code);
    }
    static int Check_Data_Type(const QString& Text, int Object_Code, int Property_Code)
    {
        return bacnetrules::Check_Data_Type(Text, Object_Code, Property_Code);
    }
    static QString Aspected_Data_Type_Value(int Object_Code, int Property_Code)
    {
        return bacnetrules::Aspected_Data_Type_Value(Object_Code, Property_Code);
    }
    static int Check_Num_Byte_Max(const QString& Data_Type)
    {
        return bacnetrules::Check_Num_Byte_Max(Data_Type);
    }
    static bool Check_Dest_Add(const QString& Text, int N, bacnetrules::TSide Side, int Row)
    {
        return bacnetrules::Check_Dest_Add(Text, N, Side, Row);
    }
    static QString Get_ObjType_EDE(int Type) { return bacnetrules::Get_ObjType_EDE(Type); }
    static QString Get_DataType_EDE(int Type) { return bacnetrules::Get_DataType_EDE(Type); }
    static int Get_NumByte_EDE(int Type) { return bacnetrules::Get_NumByte_EDE(Type); }

    TTabSheet* TS_BACnet_Read;
    TTabSheet* TS_BACnet_Write;
    TExtColumnGrid* ACG1;
    TExtColumnGrid* ACG2;
    TFadeButton* Btn_Import_CSV;
    TFileDialogRequest OD_EDE_File;
    int32_t App_BACnet_Type = 0;

  protected:
    void Fill_Lists() override;

  private:
    // The chosen objects from each table's first free row and next free byte; what finds no row is
    // counted in one box.
    void Take_Objects(const std::vector<TBACnet_Var>& Objects, const QString& Address);
};

extern TFBACnetAccess* FBACnetAccess;
