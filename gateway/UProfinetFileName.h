// TFProfinetFileName: the modal dialog in which the user types the free part of the PROFINET GSDML
// file name between its two fixed parts.
//
// One instance, FProfinetFileName, lives from program start to exit. Creating it fixes the date of
// the second fixed part (a run that goes past midnight keeps the start date) and fills the main
// window's Show_Profinet_File_Name slot. Order of a command (the main window's PROFINET_XML):
//   ShowModal        the user types E_XML_User
//   Btn_OK_Click     Name_File_XML := the built name, the dialog closes with mrOk
//   Create_GSDML_File(Name_File_XML) is the caller's step (gateway/UGSDMLWriter.h)
// Cancel leaves Name_File_XML as it was. The edit keeps its text between shows.
#pragma once

#include "platform/controls/Forms.h"

#include <QDate>
#include <QString>

class TPanel;
class TLabel;
class TEdit;
class TFadeButton;

class TFProfinetFileName : public TForm
{
  public:
    // `Today` is the date the name carries for the life of the form.
    explicit TFProfinetFileName(TComponent* AOwner = nullptr, QDate Today = QDate::currentDate());
    ~TFProfinetFileName() override;

    // Captions from the UI text table (4800 to 4807); at creation and on a language switch.
    void Set_Lang();
    void Btn_OK_Click(TObject* Sender);

    QString Name_File_XML; // the name built by OK

    TPanel* P_Title;
    TLabel* L_SW_Code;
    TLabel* L_SW_Desc;
    TLabel* L_Select_Name;
    TLabel* L_FixPart_1;
    TLabel* L_XML_Fix1;
    TLabel* L_UsedPart;
    TEdit* E_XML_User;
    TLabel* L_FixPart_2;
    TLabel* L_XML_Fix2;
    TPanel* P_Button;
    TFadeButton* Btn_OK;
    TFadeButton* Btn_Cancel;

  private:
    void FormCreate();

    QDate FDate;
};

extern TFProfinetFileName* FProfinetFileName;
