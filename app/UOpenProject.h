// The "Open Configuration" dialog: lists the project folders under "PROJECTS" with the open project
// preselected. Name_Conf follows the list's selection, by mouse or keys; the main window opens it
// after OK (an empty Name_Conf leaves no project open).
#pragma once

#include "app/UFormLook.h"

class TFOpenConf : public TForm, public TDialogFrame
{
  public:
    explicit TFOpenConf(TComponent* AOwner);

    TLabel* Label1;
    TListBox* ListBox1;
    TFadeButton* Btn_OK;
    TFadeButton* Btn_Cancel;

    QStringList SL;    // the project folder names of the last show
    QString Name_Conf; // the project chosen in the list

    void FormCreate(TObject* Sender);
    void Set_Lang();
    void FormShow(TObject* Sender);
    void ListBox1Click(TObject* Sender);
};

extern TFOpenConf* FOpenConf;
