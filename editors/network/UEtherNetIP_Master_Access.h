// TFEtherNetIP_Master_Access: the editor of the EtherNet/IP adapters the gateway exchanges cyclic
// I/O data with as scanner ("Set EtherNet/IP Slaves Access"). One table of 10 connections, each with
// the adapter's address, the input bytes kept and the output bytes written (first byte and count),
// the poll time, each direction's instance, connection point and header dimension ("Default" or
// 0 .. 7), and a mnemonic. The input counts together, and the output counts together, must fit the
// gateway's 1438-byte data areas.
//
// A table editor on the shared frame (app/UTableEditor.h), plus a seventh button, Import EDS: the
// user picks an EDS file, chooses one of its connections in FEtherNEtIP_EDS, and its instances,
// connection points and header dimensions go into the first row with neither an IP Address nor an
// Instance T > O.
//
// A row is checked when its Enable cell in upper case is "Y"; the rows checked and saved are rows 1,
// 2, ... up to the first enabled row without an IP Address (disabled rows in between are saved as
// they stand). Its file:
//   <EtherNetIP_Master_Access><row Enable IP_Address Start_Input Num_Input Start_Output Num_Output
//   Time_Poll Instance_T_O Connection_Point_T_O Instance_O_T Connection_Point_O_T Dim_Header_T_O
//   Dim_Header_O_T Mnemonic/>..</EtherNetIP_Master_Access><!--SW_VERSION = 1.001-->
// A missing Enable loads "N", a missing header dimension "Default", anything else missing empty.
// A click on column 0 does not select the row. One instance, FEtherNetIP_Master_Access, lives from
// program start to exit.
#pragma once

#include "app/UTableEditor.h"
#include "editors/fieldbus/UFrameRules.h"
#include "platform/controls/Interaction.h"

#include <cstdint>

namespace ethernetip
{

// Both data areas of the gateway.
constexpr int32_t Data_Area_Bytes = 1438;

extern const TEditorSpec Master_Spec;

// The first fault of the rows (rows 1 .. used, every real column): the tests of each enabled row in
// order, then the input total against Num_Byte_In and the output total against Num_Byte_Out (a
// fault of the whole table: row 0).
TFrameCheck Check_Rows(const TFrameRows& Rows, int32_t Num_Byte_In, int32_t Num_Byte_Out);

} // namespace ethernetip

class TFEtherNetIP_Master_Access : public TTableEditor
{
  public:
    explicit TFEtherNetIP_Master_Access(TComponent* AOwner);
    ~TFEtherNetIP_Master_Access() override;

    void Set_Lang() override;
    bool Controllo_dati() override;
    // The open dialog, the chooser, then the chosen connection into the first free row.
    void Btn_Import_EDSClick(TObject* Sender);

    TExtColumnGrid* ACG;
    TFadeButton* Btn_Import_EDS;
    TFileDialogRequest OD_EDS;
    int32_t Num_Byte_In = 0;  // set at every show
    int32_t Num_Byte_Out = 0; // set at every show

  protected:
    void Fill_Lists() override;
};

extern TFEtherNetIP_Master_Access* FEtherNetIP_Master_Access;
