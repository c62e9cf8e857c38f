// TFDMXDefVal: the default value (0..255) and a mnemonic of every DMX channel ("DMX Default Value").
// The number of channels comes from the communication parameters (DMX_Num_Channels in "ParGen.xml").
//
// A one-table editor on the shared frame (app/UTableEditor.h), with these departures:
//   buttons    OK and Cancel only
//   FormShow   channels := DMX_Num_Channels (Read_Channels), the table gets that many rows, each
//              "0" and an empty mnemonic; the root's element children, whatever their names, fill
//              rows 1 .. channels (more are not read); both attributes guarded ("0", "")
//   OK         every row, with no stop at empty cells: Default Value 0..255, else "Error row " + row +
//              "!! Default Value must be between 0 and 255"; then one "Row" per table row:
//     <DMX_Default_Values><Row Default_Value=".." Mnemonic=".."/>..</DMX_Default_Values>
//     <!--SW_VERSION = 1.000-->
// Header cells give the column hints; other cells none. One instance, FDMXDefVal, lives from program
// start to exit.
#pragma once

#include "app/UTableEditor.h"
#include "editors/fieldbus/UFrameRules.h"

namespace dmx
{

// The channels of one DMX universe: the most the table ever has.
constexpr int Max_Channels = 512;
enum TColumn { Col_Default_Value = 1, Col_Mnemonic };

extern const TEditorSpec Spec;

// DMX_Num_Channels under the root of the parameters file at `path`, read as a number; 512 when the
// file cannot be read or lacks the element, or the text is no number. Kept within 1 .. 512: the grid
// is sized by it.
int Read_Channels(const QString& path);

// Every row's Default Value 0..255 (index by real column, 0 the row number): the first fault.
TFrameCheck Check_Values(const TFrameRows& Rows);

} // namespace dmx

class TFDMXDefVal : public TTableEditor
{
  public:
    explicit TFDMXDefVal(TComponent* AOwner);
    ~TFDMXDefVal() override;

    void FormShow(TObject* Sender) override;
    bool Controllo_dati() override;

    TExtColumnGrid* ACG_DMX_Def_Val;
    int Channels = dmx::Max_Channels; // set at every show
};

extern TFDMXDefVal* FDMXDefVal;
