// TFS7_Protocol_Set_Access: the editor of the requests the gateway sends to S7 PLCs over Ethernet
// ("S7comm Access"). Two tables of 512 requests on tabs, "S7comm Read" (values read from a PLC into
// the input array) and "S7comm Write" (values of the output array written to a PLC, also on a change
// or a command when ticked). Each row names the PLC (address, port, type, rack, slot), the memory
// object (data type, identifier, DB number, area, address, bit), the poll time and where the value
// lies in the gateway's array (position, start bit, byte and word swap).
//
// A two-table editor on the shared frame (app/UTableEditor.h), with these departures:
//   FormShow   the array sizes NByte_IN / NByte_OUT: 1500 without "ParGen.xml", else its
//              PROFINET_NB_IN / PROFINET_NB_OUT (0 when missing, not a number or outside 0..65535);
//              a parameters file that is not well-formed keeps the editor closed. The Position lists
//              are "0" .. N - 1, rebuilt at every show. Enable, Rack and Slot may be missing from a
//              row ("Y", "0", "0"); every other attribute is required.
//   the check  a row is checked when its Enable, trimmed, is "Y". Both tables share one table of ten
//              PLC connections (array_ip_Port): an enabled row whose address and port are valid takes
//              its pair's entry or a free one, and keeps it even when it fails a later check.
//   key press  the same handler for both grids; a key typed in a cell editor comes with the editor as
//              sender, whose owner is the grid.
//   OK         <S7_Protocol><S7_Protocol_Read><row Enable PLC_Address PLC_Port PLC_Type Rack Slot
//              Data_Type Data_Identifier DB_Number PLC_Area PLC_Add PLC_Bit PollTime Position Bit Swap
//              SwapWord Mnemonic/>..</S7_Protocol_Read><S7_Protocol_Write><row .. PollTime OnChange
//              OnCMD Position ..Mnemonic/>..</S7_Protocol_Write></S7_Protocol><!--SW_VERSION = 1.000-->
// One instance, FS7_Protocol_Set_Access, lives from program start to exit.
#pragma once

#include "app/UTableEditor.h"

#include <cstdint>
#include <vector>

namespace s7access
{

constexpr int Data_Rows = 512;
constexpr int32_t Default_Bytes = 1500; // both arrays when there is no parameters file
constexpr int32_t Max_Bytes = 65535;    // a larger (or negative) size reads as 0
constexpr int Max_Connections = 10;
constexpr int Read_Table = 0, Write_Table = 1;
enum TColumn {
    Col_Enable = 1,
    Col_Address,
    Col_Port,
    Col_PLC_Type,
    Col_Rack,
    Col_Slot,
    Col_Data_Type,
    Col_Data_Identifier,
    Col_DB_Number,
    Col_Area,
    Col_Add,
    Col_Bit,
    Col_Poll_Time,
};
// Where the tables differ: the write table has On Change and On CMD after Poll Time.
constexpr int Read_Position = 14, Write_Position = 16;

extern const TEditorSpec Spec;

// An array size as the parameters file gives it: the element's text read as a number, 0 when it is
// none or lies outside 0..Max_Bytes.
int32_t Read_Size(const QString& Text);

} // namespace s7access

// One distinct PLC connection of the check; IP1 = -1 marks a free entry.
struct TIPPort {
    int32_t IP1 = -1, IP2 = -1, IP3 = -1, IP4 = -1;
    int32_t Port = -1;
};

class TFS7_Protocol_Set_Access : public TTableEditor
{
  public:
    explicit TFS7_Protocol_Set_Access(TComponent* AOwner);
    ~TFS7_Protocol_Set_Access() override;

    void FormShow(TObject* Sender) override;
    bool Controllo_dati() override;
    void KeyPress(TObject* Sender, char16_t& Key);
    // The entry 0..9 of array_ip_Port the connection takes (its own or the first free one), -1 when
    // all ten hold other connections.
    int Check_IP_Port(uint8_t a, uint8_t b, uint8_t c, uint8_t d, int32_t Port);

    TTabSheet* TS_S7_Read;
    TTabSheet* TS_S7_Write;
    TExtColumnGrid* ACG_S7_Read;
    TExtColumnGrid* ACG_S7_Write;
    int32_t NByte_IN = 0;
    int32_t NByte_OUT = 0;
    std::vector<TIPPort> array_ip_Port;
    // The copy flags are the frame's, one per table (Table(0).Do_Copy is Do_Copy_In_Read).

  protected:
    void Fill_Lists() override;

  private:
    // The checks of one used, enabled row of table T; false after showing its fault.
    bool Check_Row(int T, int ARow);
};

extern TFS7_Protocol_Set_Access* FS7_Protocol_Set_Access;
