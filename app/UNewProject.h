// The "Create New Configuration" dialog: asks for the name of a new project and creates it
// (Create_Project): the folder under "PROJECTS", its "bin", the project opened. A refused name
// shows its text and keeps the dialog open; OK closes it only when the project exists.
#pragma once

#include "app/UFormLook.h"

class TFNew_Project : public TForm, public TDialogFrame
{
  public:
    explicit TFNew_Project(TComponent* AOwner);

    TLabel* Label1;
    TEdit* E_New_Proj;
    TFadeButton* Btn_OK;
    TFadeButton* Btn_Cancel;

    void FormCreate(TObject* Sender);
    void Set_Lang();
    void FormShow(TObject* Sender);
    void E_New_ProjKeyPress(TObject* Sender, char16_t& Key);
    void Btn_OKClick(TObject* Sender);
};

extern TFNew_Project* FNew_Project;
