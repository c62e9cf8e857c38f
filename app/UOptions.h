// TFSoftOptions: the "Software Options" dialog of the main window's Options button. Three pages: the
// language chooser, whose choice takes effect in every form at once; the connection options with an
// on-the-spot version check; and two options of the table editors.
//
// One instance, FSoftOptions, lives from program start to exit and is shown modally. Its life:
//   constructor   builds the controls, then FormCreate (software code, texts)
//   FormShow      each showing: Language_In_Use := Language_Name, the language list rebuilt on
//                 page 1, the check boxes from the options, the update result hidden
//   LangClick     a slot confirmed with Yes: Switch_Language re-texts every form (Change_Language)
//   Btn_OKClick   Language_Name and the four options stored; the dialog closes with mrOk and the main
//                 window writes the settings file and applies the timer rule
// Cancel stores nothing; texts switched meanwhile stay for the run while Language_Name keeps the old
// language.
#pragma once

#include "app/UFormLook.h"
#include "app/UOptionsLang.h"

#include <QString>
#include <QStringList>
#include <array>
#include <functional>

class TLinkLabel;
class TImage;
class TCheckBox;
class TPageControl;
class TTabSheet;

class TFSoftOptions : public TForm, public TDialogFrame
{
  public:
    explicit TFSoftOptions(TComponent* AOwner = nullptr);
    ~TFSoftOptions() override;

    void Set_Lang();
    void Create_Lang_List();
    void Update_Lang_Page(int Num_Page);
    void Update_CheckBox();

    void FormShow(TObject* Sender);
    void Btn_NextClick(TObject* Sender);
    void LangClick(TObject* Sender);
    void CB_En_ConClick(TObject* Sender);
    void Btn_Check_UpdateClick(TObject* Sender);
    void LL_Check_UpdateLinkClick(TObject* Sender, const QString& Link);
    void Btn_OKClick(TObject* Sender);

    int Show_Page = 1;
    QStringList SL_Languages;
    QString Language_In_Use;

    // Re-texts every form after a switch; the main window's Change_Language by default.
    std::function<void()> Change_Language;
    // Enables or disables the update timer on OK; the main window's Timer_Update by default (the
    // main window applies the same rule again after OK).
    std::function<void(bool)> Set_Update_Timer;

    TFadeButton* Btn_OK;
    TFadeButton* Btn_Cancel;
    TPageControl* PC_Options;

    TTabSheet* TS_Language;
    TLabel* L_Sel_Lang;
    std::array<TImage*, Lang_Slots_Per_Page> I_L; // I_L1 .. I_L6
    std::array<TLabel*, Lang_Slots_Per_Page> L_L; // L_L1 .. L_L6
    TLabel* L_Page_Lang;
    TFadeButton* Btn_Prev;
    TFadeButton* Btn_Next;

    TTabSheet* TS_Con_Options;
    TCheckBox* CB_En_Con;
    TCheckBox* CB_Update;
    TFadeButton* Btn_Check_Update;
    TLinkLabel* LL_Check_Update;

    TTabSheet* TS_Soft_Settings;
    TCheckBox* CB_Soft_Set_Jump_Table;
    TCheckBox* CB_DoubleClick_Auto_Size;

  private:
    void FormCreate();
    // The slot (1..6) a picture or label belongs to, 0 for another control.
    int Slot_Of(const TObject* Sender) const;
    void Show_Flag(TImage* image, const QStringList& files);
};

extern TFSoftOptions* FSoftOptions;
