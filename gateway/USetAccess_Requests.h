// The Modbus master request tables shared by the serial request editor (TFSetAccess) and the Modbus
// TCP one (TFModbus_TCP_Master_Set_Access).
//
// Both editors hold a read table and a write table of 512 requests. The TCP tables carry two more
// columns, the slave's IP address and port, in front of the Slave ID; every later column sits two
// places further right (the column offset, 0 or 2). A table's requests are its rows from row 1 down
// to the first row whose key cell - Slave ID, or the IP address in TCP - is empty after trimming; a
// request is enabled when its Enable cell, trimmed, is "Y". Only enabled requests are checked, every
// request is saved.
//
// The check is a function over plain rows (Check_Requests) so the rules can be read and tested apart
// from the grids; TRequestEditor gathers the rows of its grids and shows the first fault.
#pragma once

#include "app/UTableEditor.h"

#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

class TStringList;

namespace setaccess
{

constexpr int Data_Rows = 512;
constexpr int Data_Bytes = 1500; // NByte_IN and NByte_OUT: the gateway's two data arrays
constexpr int Tcp_Offset = 2;    // the address and port columns

// Real column of each field in one table; -1 where the table has none.
struct TRequestColumns {
    int Enable = 1;
    int IP_Address = -1, Port = -1;
    int Slave_ID = 2, Type = 3, Address = 4, NPoint = 5, Poll_Time = 6;
    int On_Change = -1, On_CMD = -1;
    int Max_Error = 7, Position = 8, Start_Bit = 9, Swap = 10, SwapWord = 11;
    int Topic = -1;
    int Mnemonic = 13;
    int Key() const { return IP_Address >= 0 ? IP_Address : Slave_ID; }
};
TRequestColumns Request_Columns(bool Write, int Offset);

// Text indexes of the check's faults, in the order the steps run; -1 where the table has no step.
struct TRequestTexts {
    int IP_Address, Port, Slave_ID, Type, Address, NPoint, Poll_Time, Max_Error, Position, Start_Bit,
        Last_Byte, Topic;
};

struct TRequestCheck {
    bool Write = false;
    int Offset = 0;
    TRequestTexts Texts;
    int NByte = Data_Bytes; // size of the data array the table's requests fill or send from
    bool Position_Shown = true;
    bool Topic_Shown = false;
};

// The first fault: shown as "Error row " + Row + the text Text + Suffix (the limit, where the text
// ends in "between 1 and " or "between 0 and ").
struct TRequestFault {
    int Row;
    int Text;
    QString Suffix;
};

// Rows[i] holds the texts of row i + 1 by real column (index 0, the row number, is not read). The
// requests in order, the steps in the order of TRequestTexts; the first failure ends the check.
std::optional<TRequestFault> Check_Requests(const TRequestCheck& Check, const std::vector<QStringList>& Rows);

// True when Text is NOT a valid dotted IPv4 address (the name and sense the TCP form keeps): parts 1
// to 3 are the texts before the next ".", part 4 the rest; each must read as an integer 0 .. 255.
bool Check_IP_Address(const QString& Text);

// Reading and writing types: "Coil Status" and "Input Status" address bits when reading, "Coil
// Status" when writing; any other text addresses 16-bit registers. Trimmed, case ignored.
bool Is_Status_Type(const QString& Type, bool Write);

// -- Column records of both editors --
constexpr TColor Check_Color = 0xB0D8FF; // Enable
constexpr TColor Slave_Color = 0xFEFAE0; // who and what is asked
constexpr TColor Time_Color = 0xA8FFA8;  // timing, sending, errors
constexpr TColor Array_Color = 0xF4D6FC; // where the data lie in the array
constexpr TColor Swap_Color = 0xA8FFFF;
constexpr TColor Topic_Color = 0xFFD5D5;

inline constexpr const char* Read_Types[] = {"Coil Status", "Input Status", "Holding Register",
                                             "Input Register"};
inline constexpr const char* Write_Types[] = {"Coil Status", "Holding Register"};
inline constexpr const char* Start_Bits[] = {"0", "1", "2", "3", "4", "5", "6", "7"};

struct TCol {
    int Header;
    int Width;
    TColor Color;
    const char* Attribute;
    int Hint;
};
// Plain text; Missing as in TEditorColumn (nullptr: required).
constexpr TEditorColumn Text_Column(TCol c, const char* Missing = nullptr)
{
    TEditorColumn e;
    e.Header = c.Header;
    e.Width = c.Width;
    e.Color = c.Color;
    e.Attribute = c.Attribute;
    e.Hint = c.Hint;
    e.Missing = Missing;
    return e;
}
// Drop-down list; lists filled at every show start empty.
constexpr TEditorColumn List_Column(TCol c, std::span<const char* const> Items = {}, bool Hidden = false,
                                    const char* Missing = nullptr)
{
    TEditorColumn e = Text_Column(c, Missing);
    e.Editor = edComboList;
    e.Items = Items;
    e.Hidden = Hidden;
    return e;
}
// Data check box holding "Y"/"N"; a cleared row holds New_Text.
constexpr TEditorColumn Check_Column(TCol c, const char* Missing, bool Centred = true,
                                     const char* New_Text = "")
{
    TEditorColumn e = Text_Column(c, Missing);
    e.Editor = edDataCheckBox;
    e.Alignment = Centred ? taCenter : taLeftJustify;
    e.New_Text = New_Text;
    return e;
}

} // namespace setaccess

// The frame of both request editors: the two tables, the lists rebuilt at every show (positions,
// topics), the Topic column kept hidden, the check, and the topic index read and written in place of
// the Topic cell. The editors add their columns, texts and the handlers they bind.
class TRequestEditor : public TTableEditor
{
  public:
    // Table 0 reads, table 1 writes; Offset is 0 (serial) or setaccess::Tcp_Offset.
    TRequestEditor(TComponent* AOwner, const TEditorSpec& Spec, int Offset,
                   const setaccess::TRequestTexts& Read_Texts, const setaccess::TRequestTexts& Write_Texts);
    ~TRequestEditor() override;

    // The read table, then the write table; the first fault is shown with the error icon.
    bool Controllo_dati() override;

    // The list's entry at Index, or "" outside the list.
    QString Get_Topic_From_Index(int Index) const;
    // The first index whose entry is Topic (case-sensitive), else -1.
    int Get_Index_From_Topic(const QString& Topic) const;

    bool Do_Copy_In_Read() { return Table(0).Do_Copy; }
    bool Do_Copy_In_Write() { return Table(1).Do_Copy; }
    QStringList& Hint_Modbus_Set_Access_Read() { return Table(0).Hints; }
    QStringList& Hint_Modbus_Set_Access_Write() { return Table(1).Hints; }
    setaccess::TRequestColumns Columns_Of(int Table) const { return Table == 0 ? FRead : FWrite; }

    TTabSheet* TS_Modbus_Read;
    TTabSheet* TS_Modbus_Write;
    TExtColumnGrid* ACG_Modbus_Read;
    TExtColumnGrid* ACG_Modbus_Write;
    int NByte_IN = setaccess::Data_Bytes;
    int NByte_OUT = setaccess::Data_Bytes;
    // Topics a Topic cell can pick from; nothing fills it in this build.
    std::unique_ptr<TStringList> List_Publish_Topic;

  protected:
    // Write tab shown, Topic hidden, Position and Start Bit shown, the data sizes and the position
    // lists; runs at every show, so hiding a hidden column or showing a shown one changes nothing.
    void Fill_Lists() override;
    // A read row's "Index_Topic" becomes the topic it names ("" when none).
    void Load_Row(TTableView& T, int ARow, QStringList& Texts) override;
    // The topic index a read row's Index_Topic gets from its index read at load (-1: none).
    virtual void Topic_Loaded(int /*ARow*/, int /*Index*/) {}

  private:
    int FOffset;
    setaccess::TRequestColumns FRead, FWrite;
    setaccess::TRequestTexts FRead_Texts, FWrite_Texts;
};
