// The EDE writer: the semicolon-separated list of the BACnet objects the gateway's server presents
// (EDE layout version 2), made from the BACnet server editor's file "BACnet_Slave.xml" and the device
// settings of "ParGen.xml". No form and no messages of its own; the main window's EDE command asks
// for the name and calls Create_EDE_File through its slot.
//
// One export (Build_EDE_File), in this order:
//   Reset_EDE_Instance_Counters   all 18 per-type counters to 0
//   Read_EDE_Device_Settings      the device instance (by BACnet_Type: 1 MS/TP, else IP) and the name
//                                 length (32 with BACnet_Desc_Chars_Limit exactly "1", else 16)
//   Collect_EDE_Objects           every "row" of "BACnet_in_Read", then of "BACnet_in_Write", one
//                                 object each, numbered per object type across both sections
//   Write_EDE_Csv                 7 header lines, one line per object; cp1252 ("?" for what it cannot
//                                 hold), CR LF after every line, no byte-order mark, the file replaced
//                                 whole or not at all
// Everything is read and collected before the file is touched: a fault (a file that is not
// well-formed, a server file without a section or a row without an attribute, a file that cannot
// be written) raises with the file named, and an existing EDE file keeps its bytes.
#pragma once

#include <QDateTime>
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

// One object line.
class TBACnet_EDE_Obj
{
  public:
    QString Keyname;
    QString DevObjInstance;
    QString ObjectName;
    QString ObjectType;
    QString ObjectInstance;
    QString Description;
    QString UnitCode;
};

// The state of one export and its steps.
class TEDE_Export
{
  public:
    // The object types numbered by the writer, in counter order.
    static constexpr std::array<int, 18> Counted_Types = {0,  1,  2,  3,  4,  5,  13, 14, 19,
                                                          21, 22, 23, 30, 40, 44, 45, 46, 48};

    explicit TEDE_Export(const QDateTime& Now) : FNow(Now) {}

    void Reset_EDE_Instance_Counters();
    void Read_EDE_Device_Settings();
    void Collect_EDE_Objects();
    // The BACnet object type of a Data_Type text, trimmed and upper-cased; 0 for a name it does not know.
    static int EDE_Object_Type_From_Name(const QString& Name);
    // The type's next instance number (0, 1, ...).
    int Next_EDE_Instance(int Type);
    // hh:mm:ss dd/mm/yyyy of the export's clock.
    QString Format_EDE_Timestamp() const;
    // The file's lines, each without its line end.
    QStringList EDE_Lines() const;
    void Write_EDE_Csv(const QString& FileName) const;

    std::vector<TBACnet_EDE_Obj> EDE_Object_List;
    QString EDE_Device_Instance;
    bool EDE_Long_Names = false;
    std::array<int32_t, Counted_Types.size()> EDE_Instance_Counters{};

  private:
    QDateTime FNow;
};

// One export to FileName, with the clock Now in its timestamp line.
void Build_EDE_File(const QString& FileName, const QDateTime& Now = QDateTime::currentDateTime());
void Create_EDE_File(const QString& FileName, const QDateTime& Now = QDateTime::currentDateTime());
