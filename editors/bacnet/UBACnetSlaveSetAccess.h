// TFBACnetSlaveSetAccess: the editor of the objects the gateway's BACnet server offers ("BACnet Set
// Access"), in two tables on tabs: "BACnet in Read" (objects clients read) and "BACnet in Write"
// (objects clients write). Each row: object type (the key), engineering unit, where the value lies
// in the table's 1500-byte area (Position, Start Bit for binary objects, Length), a hidden Swap flag
// that only travels with the row, and a mnemonic. The EDE writer (UEDE_Writer.h) reads its file.
//
// A two-table editor on the shared frame (app/UTableEditor.h), with these departures:
//   FormShow      both tables cleared over all 2000 rows, both tabs shown (the read tab active),
//                 the 1500-byte areas and position lists, then the long-description limit from
//                 "ParGen.xml" (BACnet_Desc_Chars_Limit exactly "1"; anything else, a missing or
//                 unreadable file included, leaves it off): 1000 rows per table with it, else 2000;
//                 the file is loaded into those rows (Swap missing: "N"; every other attribute required)
//   double click  on a data cell of "Eng. Unit": the unit picker (UBACnet_Eng_Unit.h); then, on every
//                 double click, the header auto-size of the frame
//   type choice   in the write table sets Length from the chosen type (Length_For_Type)
//   OK            the checks below, then the file:
//     <BACnet_to_Modbus><BACnet_in_Read><row Data_Type Eng_Unit Position Bit Length Swap Mnemonic/>..
//     </BACnet_in_Read><BACnet_in_Write>..</BACnet_in_Write></BACnet_to_Modbus><!--SW_VERSION = 1.000-->
// No column hints. One instance, FBACnetSlaveSetAccess, lives from program start to exit; creating it
// lends the EDE writer to the main window's EDE command.
#pragma once

#include "app/UTableEditor.h"
#include "editors/fieldbus/UFrameRules.h"

#include <optional>

namespace bacnetslave
{

constexpr int Max_Rows = 2000;     // rows per table, and objects over both
constexpr int Limited_Rows = 1000; // the same with the long-description limit
constexpr int Image_Bytes = 1500;  // NByte_IN and NByte_OUT
enum TColumn { Col_Type = 1, Col_Unit, Col_Position, Col_Bit, Col_Length, Col_Swap, Col_Mnemonic };
constexpr int Read_Table = 0, Write_Table = 1;

extern const TEditorSpec Spec;

// The checks over the used rows (index by real column, 0 the row number), in the order OK runs
// them: the read rows, the write rows, then the object count over both against the limit.
// Per row: unit 0..65535, position inside the area, the type's rule (a binary type needs a start bit
// and takes one byte; a listed type its Length range; a type not listed no rule), the last byte
// inside the area.
TFrameCheck Check_Read(const TFrameRows& Rows, int NByte_IN);
TFrameCheck Check_Write(const TFrameRows& Rows, int NByte_OUT);
TFrameCheck Check_Tables(const TFrameRows& Read, const TFrameRows& Write, int NByte_IN, int NByte_OUT,
                         bool Desc_Lenght);

// The Length a type chosen in the write table sets ("4" for "Analog Out" ...), compared upper-cased;
// none for a text it does not know.
std::optional<QString> Length_For_Type(const QString& Type);

// Whether "ParGen.xml" at `path` holds BACnet_Desc_Chars_Limit exactly "1"; false for a missing or
// unreadable file or element.
bool Read_Desc_Lenght(const QString& path);

} // namespace bacnetslave

class TFBACnetSlaveSetAccess : public TTableEditor
{
  public:
    explicit TFBACnetSlaveSetAccess(TComponent* AOwner);
    ~TFBACnetSlaveSetAccess() override;

    void FormShow(TObject* Sender) override;
    bool Controllo_dati() override;
    void bitbtn1Click(TObject* Sender) { Btn_OKClick(Sender); }
    void Btn_DelRow_Click(TObject* Sender) { Btn_DelRowClick(Sender); }
    void ACG_BACnet_in_ReadDblClickCell(TObject* Sender, int ARow, int ACol);
    void ACG_BACnet_in_WriteDblClickCell(TObject* Sender, int ARow, int ACol);
    void ACG_BACnet_in_WriteComboChange(TObject* Sender, int ACol, int ARow, int AItemIndex,
                                        const QString& ASelection);
    // The read grid's hint handler: no hints.
    void GridHint(TObject* Sender, int ARow, int ACol, QString& hintstr);

    TTabSheet* TS_BACnet_in_Read;
    TTabSheet* TS_BACnet_in_Write;
    TExtColumnGrid* ACG_BACnet_in_Read;
    TExtColumnGrid* ACG_BACnet_in_Write;
    bool Desc_Lenght = false; // the 1000-object limit, decided at every show
    int NByte_IN = 0;
    int NByte_OUT = 0;
    // The copy flags are the frame's, one per table (Table(0).Do_Copy is Do_Copy_Read).

  protected:
    void Fill_Lists() override;

  private:
    // The unit picker on cell (ACol, ARow) of Grid, by the picker's protocol.
    void Pick_Eng_Unit(TExtColumnGrid* Grid, int ARow, int ACol);
};

extern TFBACnetSlaveSetAccess* FBACnetSlaveSetAccess;
