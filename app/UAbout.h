// The about box: product, description, software code, version and manual code, and the maker's
// home page behind the logo and the address. Its texts are fixed English: it has no Set_Lang and a
// language switch leaves it alone.
#pragma once

#include "app/UFormLook.h"

class TFAbout : public TForm
{
  public:
    explicit TFAbout(TComponent* AOwner);

    TImage* Image2;
    TLabel* Label1;
    TLabel* Label2;
    TLabel* Label6;
    TLabel* Label9;
    TLabel* Label3;
    TLabel* Label10;
    TLabel* Label8;
    TLabel* Label12;
    TLabel* Label4;
    TFadeButton* FadeButton1;

    void FormShow(TObject* Sender);
    void Label4Click(TObject* Sender);
};

extern TFAbout* FAbout;
