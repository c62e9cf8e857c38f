// TFDefOffset: where each byte of each DeviceNet slave goes in the gateway's process image ("Define
// Offset"). For every slave of the slave list ("DNETM_Net.xml", written by TFDNet) each input and each
// output byte gets an image byte "0" .. "1439", or "None" (not passed), and a mnemonic. Saved in
// "DNETM_DefOff.xml".
//
// A shell-only form (title band, OK and Cancel), not a row editor: the read-only slave grid in the
// upper panel, a splitter, and the "Byte In" / "Byte Out" tables of the selected slave on tabs.
// Slaves of the two files are matched by position, never by ID.
//   FormShow   reads both files first (Read_Slave_List, Read_Offsets: a faulty file raises, naming
//              the file, the row and the attribute, before anything changes, so the form does not
//              open and OK can never rewrite the offsets from a half-read list), rebuilds the slave
//              list and its grid, then selects the first slave (Select_First) or, with none, cuts
//              both byte tables to their header row
//   a click on the slave grid   stores the shown slave's byte tables into its lists
//              (Save_Data_ByteIN_ByteOUT), selects the clicked row whole and shows its slave
//              (Update_Slave_DN: one table row per byte)
//   OK         stores the shown slave, then Check_Data (no image byte taken by two output bytes;
//              input bytes are never compared), then writes every byte of every slave:
//     <Define_Offset><Nodo_DNET><ByteIN><row Offset=".." Mnemonic=".."/>..</ByteIN>
//     <ByteOUT>..</ByteOUT></Nodo_DNET>..</Define_Offset><!--SW_VERSION = 1.000-->
//   Cancel     drops every edit of this showing.
// One instance, FDefOffset, lives from program start to exit.
#pragma once

#include "app/UFormLook.h"
#include "platform/controls/Splitter.h"

#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

class TExtColumnGrid;
class TPageControl;
class TTabSheet;

// One slave of the slave list with the offset and mnemonic of each of its bytes.
class TSlave_DN
{
  public:
    TSlave_DN() = default;

    uint8_t ID = 0;                       // MAC ID
    uint16_t ByteIN = 0;                  // number of input bytes
    uint16_t ByteOUT = 0;                 // number of output bytes
    QStringList SL_ByteIN, SL_ByteIN_M;   // offset text ("None", "0" .. "1439") and mnemonic per input byte
    QStringList SL_ByteOUT, SL_ByteOUT_M; // the same per output byte
};

namespace dnetoffset
{

constexpr int Image_Bytes = 1440; // MAX_BYTE_IN and MAX_BYTE_OUT

// Who took an image byte first: slave ID and byte index; -1 and -1 while free.
struct TByteOwner {
    int ID = -1;
    int Byte = -1;
    bool operator==(const TByteOwner&) const = default;
};
using TCheck_Byte_Offset = std::array<TByteOwner, Image_Bytes>;

struct TOffsetConflict {
    TByteOwner First, Second;
    bool operator==(const TOffsetConflict&) const = default;
};

// The slave list file: one slave per element child of the root, bytes all "None" with empty
// mnemonics; Texts gets each row's ID, NB_IN, NB_OUT and Mnemonic as written. A missing attribute, or
// an ID that is no whole number 0..255 or a count that is none 0..65535, raises EXmlError naming the
// file, the row and the attribute. No file: no slaves.
std::vector<TSlave_DN> Read_Slave_List(const QString& path, std::vector<QStringList>& Texts);
// The offsets file into the slaves, by position: the k-th element child of the root belongs to the
// k-th slave; its "ByteIN" and "ByteOUT" rows fill bytes 0 .. count - 1 (further rows and children
// are not read). A missing section or attribute raises EXmlError naming where. No file: nothing changes.
void Read_Offsets(const QString& path, std::vector<TSlave_DN>& Slaves);
// Every byte of every slave, in list order.
void Write_Offsets(const QString& path, const std::vector<TSlave_DN>& Slaves);

// Output bytes in list order, each slave from byte 0, take the image byte their offset names (read as
// a number, -1 for "None" or any other text); an offset outside 0 .. 1439 takes none. The first byte
// to name a taken image byte is the conflict. Check is filled as the walk goes.
std::optional<TOffsetConflict> Find_Output_Conflict(const std::vector<TSlave_DN>& Slaves,
                                                    TCheck_Byte_Offset& Check);
// The conflict message: text 3021, LF, CR, "( ", 3022, first ID, 3023, its byte, 3024, second ID, 3025,
// its byte, ")".
QString Conflict_Text(const TOffsetConflict& Conflict);

} // namespace dnetoffset

class TFDefOffset : public TForm, public TDialogFrame
{
  public:
    explicit TFDefOffset(TComponent* AOwner);
    ~TFDefOffset() override;

    // Caption, title, buttons and their hints, tabs, labels and every header (3000 .. 3020).
    void Set_Lang();
    void FormShow(TObject* Sender);
    void Load_Slave_DN();
    void Load_Offset_Slave_DN();
    void Select_First();
    void ACG_DN_SlavesClick(TObject* Sender);
    // Shows slave Slave_Before_Select in the two byte tables.
    void Update_Slave_DN();
    // The byte tables into the lists of slave Slave_Before_Select.
    bool Save_Data_ByteIN_ByteOUT();
    void Reset_Array_Check();
    // True when no two output bytes share an image byte; else shows the conflict.
    bool Check_Data();
    void Save_Offset_Slave_DN();
    void bitbtn1Click(TObject* Sender);

    std::vector<TSlave_DN> List_Slaves_DN;
    int Slave_Before_Select = -1;
    int MAX_BYTE_IN = dnetoffset::Image_Bytes;
    int MAX_BYTE_OUT = dnetoffset::Image_Bytes;
    dnetoffset::TCheck_Byte_Offset Check_Byte_Offset;

    TFadeButton* Btn_OK;
    TFadeButton* Btn_Cancel;
    TPanel* Panel1;
    TLabel* Label1;
    TExtColumnGrid* ACG_DN_Slaves;
    TSplitter* Splitter1;
    TPanel* Panel3;
    TLabel* Label2;
    TLabel* Label3;
    TPageControl* PageControl1;
    TTabSheet* TabSheet1;
    TExtColumnGrid* ACG_ByteIN;
    TTabSheet* TabSheet2;
    TExtColumnGrid* ACG_ByteOUT;

  private:
    void FormCreate();
    // The slaves and grid texts read at this show, before they replace the form's.
    std::vector<QStringList> FSlave_Texts;
};

extern TFDefOffset* FDefOffset;
