// TFEtherNEtIP_EDS: the modal chooser of an EtherNet/IP connection taken from a device's EDS file
// ("EtherNet/IP EDS Decode - Select the Connection to use"). It reads the connection entries
// (Connection1, Connection2, ...) of the file's "[Connection Manager]" section and lists those whose
// connection path decodes; the EtherNet/IP scanner editor copies the chosen row into its table.
//
// The caller's protocol:
//   EDS_FileName := the file; ShowModal
//   FormShow      empties List_Conn, reads the file line by line (a byte-order mark or the 8-bit code
//                 page), decodes each entry (DecodeConnStr) and fills the grid (ShowDatainGrid); with
//                 nothing decoded TClose fires 10 ms later, says so and closes the form with Cancel
//   on mrOk       the caller reads columns 3 .. 8 of the grid's current row (Row)
// OK and Cancel only carry their modal results. One instance, FEtherNEtIP_EDS, lives from program
// start to exit.
#pragma once

#include "app/UFormLook.h"
#include "platform/core/Classes.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

class TExtColumnGrid;
class TTimer;

// One decoded connection of the file.
class TConnData : public TObject
{
  public:
    int32_t ConnIndex = 0; // from 1, in list order
    QString ConnName;      // trimmed, its quotes kept
    QString HelpStr;       // trimmed, its quotes kept
    uint8_t DimHeaderTO = 0;
    uint8_t DimHeaderOT = 0;
    uint8_t NumClass = 0; // not filled
    uint8_t InstanceTO = 0;
    uint8_t ConnPointTO = 0;
    uint8_t InstanceOT = 0;
    uint8_t ConnPointOT = 0;
};

// What a connection path gives: the instance of each direction and the two connection points.
struct TConnPath {
    uint8_t InstanceOT = 0;
    uint8_t ConnPointOT = 0;
    uint8_t InstanceTO = 0;
    uint8_t ConnPointTO = 0;
    bool operator==(const TConnPath&) const = default;
};

// The path bytes read as CIP segments: an 8-bit class segment (0x20, class), the instance segment
// (0x24 8-bit, 0x25 16-bit, 0x26 32-bit: its low byte; no such segment: instance 1), the first
// connection point (0x2C) for O > T, then either a second connection point for T > O or an 8-bit
// instance for T > O followed by its connection point. The searches look at raw bytes, as the
// devices' files are read. Nothing when the path is shorter than 6 bytes, starts otherwise or
// lacks a point.
std::optional<TConnPath> Decode_Conn_Path(std::span<const uint8_t> Bytes);

// The header dimensions of a connection-parameters word: bits 8 .. 10 (O > T) and 12 .. 14 (T > O).
inline uint8_t Dim_Header_OT(int32_t Params)
{
    return uint8_t((uint32_t(Params) >> 8) & 7);
}
inline uint8_t Dim_Header_TO(int32_t Params)
{
    return uint8_t((uint32_t(Params) >> 12) & 7);
}

class TFEtherNEtIP_EDS : public TForm, public TDialogFrame
{
  public:
    explicit TFEtherNEtIP_EDS(TComponent* AOwner);
    ~TFEtherNEtIP_EDS() override;

    // Caption, title, buttons and headers from the text table (5000 .. 5014).
    void Set_Lang();
    void FormShow(TObject* Sender);
    // Decodes the value of one connection entry; a connection whose path decodes joins List_Conn.
    // The result is the entry text the reader goes on with: always empty.
    QString DecodeConnStr(const QString& Value);
    void ShowDatainGrid();
    void TCloseTimer(TObject* Sender);

    TExtColumnGrid* ACG;
    TFadeButton* Btn_OK;
    TFadeButton* Btn_Cancel;
    TTimer* TClose;
    QString EDS_FileName;
    std::vector<std::unique_ptr<TConnData>> List_Conn;

  private:
    void FormCreate();
    void Read_File();
    void Decode_Entry(const QString& Value);
};

extern TFEtherNEtIP_EDS* FEtherNEtIP_EDS;
