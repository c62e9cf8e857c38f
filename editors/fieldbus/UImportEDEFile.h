// TFImportEDEFile: the modal dialog through which the BACnet client editor (UBACnetAccess.h) takes
// objects over from an EDE file, the semicolon-separated object list of a BACnet device. It lists
// the objects of the kinds the gateway handles, lets the user choose which to import and whether
// each becomes a read request, a write request or both, and asks for the device's address. It writes
// nothing. The caller's protocol:
//   App_BACnet_Type, EDE_File   set before showing (0 BACnet/IP, 1 MS/TP, other: no address test)
//   ShowModal                   FormShow empties List_EDE_Var, reads EDE_File into it and fills the grid
//   on mrOk                     the caller reads List_EDE_Var in order (flags, type, instance, name,
//                               description) and the text of E_ID_IP; Cancel: the caller ignores both
// The reading itself is Read_EDE_Objects, a function from the file's bytes to the object list.
// One instance, FImportEDEFile, lives from program start to exit.
#pragma once

#include "app/UFormLook.h"

#include <QByteArray>
#include <vector>

class TEdit;
class TExtColumnGrid;

// One object line of an EDE file; text fields trimmed, numbers -1 when not a number.
class TBACnet_Var
{
  public:
    QString keyname;
    int32_t device_obj_instance = -1;
    QString object_name;
    int32_t object_type = -1;
    int32_t object_instance = -1;
    QString description;
    QString present_value_default;
    QString min_present_value;
    QString max_present_value;
    bool commandable = false;
    bool support_COV = false;
    QString hi_limit;
    QString low_limit;
    QString stete_text_reference;
    QString unit_code;
    QString vendor_specific_address;
    bool import = false;
    bool read = false;
    bool write = false;
};

namespace importede
{

// The grid's columns.
enum TColumn {
    Col_N,
    Col_Import,
    Col_Read,
    Col_Write,
    Col_Name,
    Col_Type,
    Col_Instance,
    Col_Desc,
    Col_Commandable,
    Col_Count
};

// The file's text: a UTF-8 or UTF-16 byte-order mark selects the encoding, else cp1252; lines split
// at CR LF, LF or CR.
QStringList EDE_Lines(const QByteArray& Bytes);
// Whether a line is the header line: trimmed, one leading "#" dropped, trimmed again, it starts with
// "mandatory" (case-sensitive).
bool Is_EDE_Header(const QString& Line);
// Index of the first object line: 8 when line 6 is the header, else two below the last header line;
// -1 when there is none.
int EDE_First_Object_Line(const QStringList& Lines);
// One object line split into its sixteen fields: fields 2..15 only when followed by ";", field 16
// the rest after the fifteenth ";" (a shorter line: after its last ";", or all of it) without one
// trailing ";".
TBACnet_Var Parse_EDE_Line(const QString& Line);
// The objects the gateway handles (import and read set, write when commandable), in file order.
std::vector<TBACnet_Var> Read_EDE_Objects(const QByteArray& Bytes);

} // namespace importede

class TFImportEDEFile : public TForm, public TDialogFrame
{
  public:
    explicit TFImportEDEFile(TComponent* AOwner);
    ~TFImportEDEFile() override;

    // Captions and headers from the text table (2100 .. 2121).
    void Set_Lang();
    void FormShow(TObject* Sender);
    void Cancel_EDE_List_Vars();
    // Reads EDE_File into List_EDE_Var; a file that cannot be read raises EInOutError naming it.
    void Load_EDE_File();
    // One data row per object (one empty row when there is none).
    void Show_Data_in_Grid();
    void ACGCheckBoxClick(TObject* Sender, int ACol, int ARow, bool State);
    void Btn_Select_AllClick(TObject* Sender);
    void Btn_Unselect_AllClick(TObject* Sender);
    void Btn_OKClick(TObject* Sender);

    QString EDE_File;
    std::vector<TBACnet_Var> List_EDE_Var;
    int32_t App_BACnet_Type = 0;

    TPanel* P_ID_IP;
    TLabel* LID_IP;
    TEdit* E_ID_IP;
    TExtColumnGrid* ACG;
    TFadeButton* Btn_OK;
    TFadeButton* Btn_Cancel;
    TFadeButton* Btn_Select_All;
    TFadeButton* Btn_Unselect_All;

  private:
    void FormCreate();
    void Set_All_Import(bool State);
};

extern TFImportEDEFile* FImportEDEFile;
