// TFBACnet_Eng_Unit: the modal dialog in which the user picks a BACnet engineering unit by category
// and name instead of typing its code. Its one caller is the BACnet server editor, on a double click
// in an "Eng. Unit" cell. The caller's protocol:
//   E_Selected_EU := the cell's text; Label5 := "-> " + Desc_Unit(that text as a number, -1 if none)
//   ShowModal     FormShow fills the unit list of the selected category and selects its first unit;
//                 the select button puts the chosen unit's code into E_Selected_EU (and its name into
//                 Label5); the user may also type a code (Label5 then stays as it was)
//   on mrOk       the cell := E_Selected_EU's text, whatever it holds; Cancel changes nothing
// The selected category stays from one showing to the next. OK and Cancel only carry their modal
// results. One instance, FBACnet_Eng_Unit, lives from program start to exit.
#pragma once

#include "app/UFormLook.h"

class TComboBox;
class TEdit;
class TLabel;
class TShape;

class TFBACnet_Eng_Unit : public TForm, public TDialogFrame
{
  public:
    explicit TFBACnet_Eng_Unit(TComponent* AOwner);
    ~TFBACnet_Eng_Unit() override;

    // Captions from the text table (2300 .. 2308); the category names stay as they are.
    void Set_Lang();
    void FormShow(TObject* Sender);
    void CB_Select_TypeSelect(TObject* Sender);
    void Btn_Select_Eng_UnitClick(TObject* Sender);

    TLabel* Label1;
    TEdit* E_Selected_EU;
    TLabel* Label5;
    TShape* Shape1;
    TLabel* Label2;
    TLabel* Label3;
    TComboBox* CB_Select_Type;
    TLabel* Label4;
    TComboBox* CB_Select_Unit;
    TFadeButton* Btn_Select_Eng_Unit;
    TShape* Shape2;
    TFadeButton* Btn_OK;
    TFadeButton* Btn_Cancel;

  private:
    void FormCreate();
};

extern TFBACnet_Eng_Unit* FBACnet_Eng_Unit;
