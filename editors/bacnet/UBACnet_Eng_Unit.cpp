#include "editors/bacnet/UBACnet_Eng_Unit.h"

#include "app/UGlobals.h"
#include "app/ULang.h"
#include "editors/bacnet/UBACnet_Units.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/StdCtrls.h"

TFBACnet_Eng_Unit* FBACnet_Eng_Unit = nullptr;

namespace
{

constexpr int Client_Width = 548, Client_Height = 306;
constexpr int Left_Margin = 16, Combo_Left = 112, Wide = 513;
constexpr TColor Line_Color = clSilver;

TShape* Make_Line(TForm* form, const char* name, int top)
{
    auto* line = new TShape(form);
    line->SetName(name);
    line->SetParent(form);
    line->SetBounds(Left_Margin, top, Wide, 1);
    line->Pen->Color = Line_Color;
    line->Brush->Color = Line_Color;
    return line;
}

TComboBox* Make_List(TForm* form, const char* name, int top)
{
    auto* combo = new TComboBox(form);
    combo->SetName(name);
    combo->SetParent(form);
    combo->SetStyle(csDropDownList);
    combo->SetBounds(Combo_Left, top, 417, 21);
    return combo;
}

} // namespace

TFBACnet_Eng_Unit::TFBACnet_Eng_Unit(TComponent* AOwner) : TForm(AOwner)
{
    SetName("FBACnet_Eng_Unit");
    Set_Form_Look(this);
    Make_Dialog_Frame(this, *this);

    Label1 = Make_Label(this, this, "Label1", Left_Margin, 72);
    E_Selected_EU = new TEdit(this);
    E_Selected_EU->SetName("E_Selected_EU");
    E_Selected_EU->SetParent(this);
    E_Selected_EU->SetBounds(218, 69, 49, 21);
    Label5 = Make_Label(this, this, "Label5", 273, 72);
    Label5->SetCaption("-> unknown");
    Shape1 = Make_Line(this, "Shape1", 104);
    Label2 = Make_Label(this, this, "Label2", Left_Margin, 117);
    Label3 = Make_Label(this, this, "Label3", Left_Margin, 152);
    CB_Select_Type = Make_List(this, "CB_Select_Type", 149);
    Label4 = Make_Label(this, this, "Label4", Left_Margin, 184);
    CB_Select_Unit = Make_List(this, "CB_Select_Unit", 181);
    Btn_Select_Eng_Unit =
        Make_Button(this, this, "Btn_Select_Eng_Unit", TButtonRole::Command, Left_Margin, 218, Wide, 23);
    Shape2 = Make_Line(this, "Shape2", 256);

    Btn_OK = Make_Button(this, P_Button, "Btn_OK", TButtonRole::Command, 16, 6, Dialog_Button_Width,
                         Dialog_Button_Height);
    Set_Button_Glyph(Btn_OK, TShellGlyph::OK);
    Btn_OK->SetModalResult(mrOk);
    Btn_Cancel = Make_Button(this, P_Button, "Btn_Cancel", TButtonRole::Command, 134, 6, Dialog_Button_Width,
                             Dialog_Button_Height);
    Set_Button_Glyph(Btn_Cancel, TShellGlyph::Cancel);
    Btn_Cancel->SetModalResult(mrCancel);

    for (const bacnetunits::TUnitCategory& c : bacnetunits::Categories())
        CB_Select_Type->Items->Add(QString::fromLatin1(c.Name));
    CB_Select_Type->SetItemIndex(0);

    CB_Select_Type->OnSelect = [this](TObject* Sender) { CB_Select_TypeSelect(Sender); };
    Btn_Select_Eng_Unit->OnClick = [this](TObject* Sender) { Btn_Select_Eng_UnitClick(Sender); };
    OnShow = [this](TObject* Sender) { FormShow(Sender); };
    FormCreate();
}

TFBACnet_Eng_Unit::~TFBACnet_Eng_Unit()
{
    if (FBACnet_Eng_Unit == this)
        FBACnet_Eng_Unit = nullptr;
}

void TFBACnet_Eng_Unit::FormCreate()
{
    L_SW_Code->SetCaption(SW_Code);
    SetClientHeight(Client_Height);
    SetClientWidth(Client_Width);
    Set_Lang();
}

void TFBACnet_Eng_Unit::Set_Lang()
{
    SetCaption(Lang_Text(2300));
    L_SW_Desc->SetCaption(Lang_Text(2301));
    Btn_OK->SetCaption(Lang_Text(2302));
    Btn_Cancel->SetCaption(Lang_Text(2303));
    Label1->SetCaption(Lang_Text(2304));
    Label2->SetCaption(Lang_Text(2305));
    Label3->SetCaption(Lang_Text(2306));
    Label4->SetCaption(Lang_Text(2307));
    Btn_Select_Eng_Unit->SetCaption(Lang_Text(2308));
}

void TFBACnet_Eng_Unit::FormShow(TObject* Sender)
{
    CB_Select_TypeSelect(Sender);
}

void TFBACnet_Eng_Unit::CB_Select_TypeSelect(TObject*)
{
    CB_Select_Unit->Clear();
    const auto categories = bacnetunits::Categories();
    const int i = CB_Select_Type->ItemIndex();
    if (i < 0 || i >= int(categories.size()))
        return;
    for (int16_t code : categories[size_t(i)].Codes)
        CB_Select_Unit->Items->Add(bacnetunits::List_Name(code));
    CB_Select_Unit->SetItemIndex(0);
}

void TFBACnet_Eng_Unit::Btn_Select_Eng_UnitClick(TObject*)
{
    const auto categories = bacnetunits::Categories();
    const int i = CB_Select_Type->ItemIndex();
    if (i < 0 || i >= int(categories.size()))
        return;
    const auto codes = categories[size_t(i)].Codes;
    const int u = CB_Select_Unit->ItemIndex();
    if (u < 0 || u >= int(codes.size()))
        return;
    E_Selected_EU->SetText(QString::number(codes[size_t(u)]));
    Label5->SetCaption("-> " + Desc_Unit(codes[size_t(u)]));
}
