// The CANopen EDS writer: the electronic data sheet (INI-style text, EDS version 4.0) that describes
// the gateway to CANopen configuration tools. It holds the device's fixed communication objects, for
// every PDO of "PDO_CANopen.xml" a communication object, a mapping object and an array of byte
// variables, and for every object index of "SDO_Server_CANopen.xml" one record of application
// variables (read rows read-only, write rows read-write). The SDO client table is not part of it.
//
// Order of an export (Create_EDS_File, from the main window's EDS command after its save dialog):
//   Load_PDO_Table_For_EDS         COB-ID and Dimension of the first 30 rows of each PDO section
//   Load_SDO_Server_Table_For_EDS  each SDO server row added to the entry of its index (first
//                                  appearance order)
//   Sort_SDO_Subindexes            each index's sub-entries by sub-index, stable
//   EDS_Lines                      every line, in memory
//   one write                      cp1252, CR LF after every line, no byte-order mark, atomic
// A project file that is missing counts as empty. One that is not well-formed, lacks a section or an
// attribute read, or holds an SDO value that is not an integer raises EXmlError naming the file (and
// the section, row and attribute) before anything is written; so does a PDO Dimension beyond what an
// 8-bit sub-index can number. A file that cannot be written raises EInOutError; either way an
// existing EDS keeps its bytes.
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <vector>

inline const QString EDS_File_Name = QStringLiteral("EtherCAT_CANopen.eds");
inline const QString EDS_Product_Name = QStringLiteral("EtherCAT / CANopen - Converter");
// The CANopen model's short code, the one its order code names.
inline const QString EDS_Product_Number = QStringLiteral("108");
inline const QString EDS_Order_Code = QStringLiteral("ZIRI108");

// PDOs per direction: the rows of the PDO editor's tables.
constexpr int EDS_Max_PDO = 30;

// Name prefixes of the byte variables of PDO i + 1 (entry i).
extern const std::array<const char*, EDS_Max_PDO> RPDO_Var_Names;
extern const std::array<const char*, EDS_Max_PDO> TPDO_Var_Names;

struct TEDS_PDO {
    int32_t COB_ID = 0;
    int32_t Dimension = 0; // bytes
};

struct SDO_Sub_Type {
    uint8_t Sub = 0;
    uint8_t Quantity = 0; // bytes: 1, 2 or 4 from the editor
    bool Readonly = false;
    QString Mnemonic; // not read, not written
};

struct SDO_Index {
    uint16_t Index = 0;
    std::vector<SDO_Sub_Type> Sub_Indexs;
};

// One export's data and the steps that fill and write it.
class TEDS_Writer
{
  public:
    // Entries 0 .. 29 the receive PDOs, 30 .. 59 the transmit PDOs, in file order.
    std::array<TEDS_PDO, 2 * EDS_Max_PDO> EDS_PDO_Table{};
    int32_t EDS_Num_RPDO = 0;
    int32_t EDS_Num_TPDO = 0;
    std::vector<SDO_Index> SDO_Index_List;

    void Load_PDO_Table_For_EDS(const QString& File);
    void Load_SDO_Server_Table_For_EDS(const QString& File);
    // Position of the first entry whose Index equals Index; -1 when none.
    int Find_SDO_Index(int32_t Index) const;
    void Sort_SDO_Subindexes();
    // The lines of the file, without line ends; the date and time texts from Now.
    QStringList EDS_Lines(const QDateTime& Now) const;

  private:
    void Add_SDO_Row(int32_t Index, int32_t SubIndex, int32_t NByte, bool Readonly);
};

// "MM-DD-YYYY".
QString EDS_Date_Text(const QDate& Date);
// "hh:mmAM" / "hh:mmPM" on a 12-hour clock whose 12:00 sharp is "12:00AM".
QString EDS_Time_Text(const QTime& Time);

// Reads File_PDO_CANopen and File_SDO_Server_CANopen and writes the EDS to Name, replacing it.
void Create_EDS_File(const QString& Name, const QDateTime& Now = QDateTime::currentDateTime());
