// TFIEC61850_Variables: the variables the gateway offers as an IEC 61850 server ("Set Variables
// Access for IEC61850"). One table of 50 variables, each with its name, type, length, read-only flag,
// byte position (and bit) in the 1438-byte internal data array, a conversion, a multiplication
// factor, byte and word swap, and a mnemonic.
//
// A one-table editor on the shared frame (app/UTableEditor.h), a column grid. Shown, it reloads
// "IEC61850_Variables.xml" (every element child of the root is a row; every attribute may be
// missing); OK checks the rows whose Enable, trimmed, is exactly "Y" and rewrites the file:
//   <IEC61850_Variables><row Enable Name Type Length ReadOnly Position StartBit Conversion
//     MultiplicationFactor Swap SwapWord Mnemonic/>..</IEC61850_Variables><!--SW_VERSION = 1.000-->
// One instance, FIEC61850_Variables, lives from program start to exit.
#pragma once

#include "app/UTableEditor.h"

class TFIEC61850_Variables : public TTableEditor
{
  public:
    explicit TFIEC61850_Variables(TComponent* AOwner);
    ~TFIEC61850_Variables() override;

    // Rows 1 .. the first without a Name; the first fault of an enabled row is shown.
    bool Controllo_dati() override;
    // Bound to the grid's list change: a picked type, conversion or bit changes no other cell.
    void ComboChange(TObject* Sender, int ACol, int ARow, int AItemIndex, const QString& ASelection);

    TExtColumnGrid* ACG;
    int NByte_IN = 0; // the internal data array's size, set at every show

  protected:
    void Fill_Lists() override;
};

extern TFIEC61850_Variables* FIEC61850_Variables;
