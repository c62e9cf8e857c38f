// TFDNet: the editor of the DeviceNet master's slave list ("DeviceNet Network"): one row per slave with
// its MAC ID, its number of input and output bytes and a mnemonic. The offset editor (UDefOffset.h)
// builds its slave list from the same file, by position, so the order and the byte counts of these
// rows decide what it shows.
//
// A one-table editor on the shared frame (app/UTableEditor.h), with these departures:
//   key rule   the ID cell without trimming: an ID of blanks is a used row (and fails the ID check)
//   Insert     no Enable default; Delete asks "Are you sure to delete the Row number " + row
//   OK         per used row: ID 0..63, Num Byte In 0..65535, Num Byte Out 0..65535 (IDs may repeat,
//              the counts are not summed), then the file, every attribute required when read:
//     <DNET_Net><row ID=".." NB_IN=".." NB_OUT=".." Mnemonic=".."/>..</DNET_Net><!--SW_VERSION = 1.000-->
// One instance, FDNet, lives from program start to exit.
#pragma once

#include "app/UTableEditor.h"
#include "editors/fieldbus/UFrameRules.h"

namespace dnet
{

constexpr int Slave_Rows = 64;
enum TColumn { Col_ID = 1, Col_NB_IN, Col_NB_OUT, Col_Mnemonic };

extern const TEditorSpec Spec;

// The check of the used rows (index by real column, 0 the row number): the first fault.
TFrameCheck Check_Slaves(const TFrameRows& Rows);

} // namespace dnet

class TFDNet : public TTableEditor
{
  public:
    explicit TFDNet(TComponent* AOwner);
    ~TFDNet() override;

    bool Controllo_dati() override;
    bool controllo_dati() { return Controllo_dati(); }
    void bitbtn1Click(TObject* Sender) { Btn_OKClick(Sender); }
    void Btn_DelRow_Click(TObject* Sender) { Btn_DelRowClick(Sender); }

    TExtColumnGrid* ESG;
};

extern TFDNet* FDNet;
