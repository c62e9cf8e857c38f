// TFTLS_Server_Known_Cert: the known certificates of the gateway's TLS server ("Definition the list
// of Known Certificates"). Up to ten certificates, each a multi-line text kept as typed or pasted
// (never parsed), with an Enable check box and a mnemonic.
//
// A one-table editor on the shared frame (app/UTableEditor.h), its check-box string-grid variant: a
// string grid set up in code whose column 1 holds real check boxes. Shown, every row is ticked and
// "TLS_Known_Cert.xml" reloaded (every element child of the root is a row; a row is ticked unless
// its Enable is exactly "N"). OK never refuses and rewrites the file with the rows up to the first
// without a Certificate; line breaks travel inside the attribute as character references:
//   <TLS_Server_Known_Cert><row Enable Certificate Mnemonic/>..</TLS_Server_Known_Cert>
//   <!--SW_VERSION = 1.000-->
// One instance, FTLS_Server_Known_Cert, lives from program start to exit.
#pragma once

#include "app/UTableEditor.h"

class TFTLS_Server_Known_Cert : public TTableEditor
{
  public:
    explicit TFTLS_Server_Known_Cert(TComponent* AOwner);
    ~TFTLS_Server_Known_Cert() override;

    // What the frame's set-up of the variant leaves to this table: row and column sizing, cells
    // centred vertically, a header row of the usual height; at creation.
    void Init_Table();
    // The list has no data check.
    bool Controllo_dati() override { return true; }

    TExtStringGrid* ESG;

  protected:
    void Fill_Lists() override;
};

extern TFTLS_Server_Known_Cert* FTLS_Server_Known_Cert;
