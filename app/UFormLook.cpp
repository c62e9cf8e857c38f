#include "app/UFormLook.h"

#include "app/UVersion.h"

#include <QUrl>

namespace
{

constexpr const char* kFontName = "Verdana";
constexpr int kFontHeight = -11; // 8 points
constexpr int kSWCodeHeight = -32;

// A 1-pixel line between a panel and the form's body.
void addRule(TComponent* owner, TWinControl* parent, TAlign align)
{
    auto* rule = new TShape(owner);
    rule->SetParent(parent);
    rule->SetHeight(1);
    rule->SetAlign(align);
    rule->Pen->Color = clSilver;
    rule->Brush->Color = clSilver;
}

} // namespace

void Set_Form_Look(TCustomForm* form, bool resizable)
{
    form->SetBorderStyle(resizable ? bsSizeable : bsSingle);
    form->SetBorderIcons(resizable ? biSystemMenu | biMaximize : biSystemMenu);
    form->SetPosition(poScreenCenter);
    form->SetColor(Form_Color);
    form->Font->Name = kFontName;
    form->Font->Height = kFontHeight;
    form->SetShowHint(true);
}

TLabel* Make_Label(TComponent* owner, TWinControl* parent, const char* name, int left, int top)
{
    auto* label = new TLabel(owner);
    label->SetName(name);
    label->SetParent(parent);
    label->SetTransparent(true);
    label->SetLeft(left);
    label->SetTop(top);
    return label;
}

void Set_SW_Code_Look(TLabel* label)
{
    label->SetParentFont(false);
    label->Font->Name = kFontName;
    label->Font->Height = kSWCodeHeight;
    label->Font->Color = Header_Text_Color;
}

void Set_SW_Desc_Look(TLabel* label)
{
    label->SetParentFont(false);
    label->Font->Name = kFontName;
    label->Font->Height = kFontHeight;
    label->Font->Style = fsBold;
    label->Font->Color = Header_Text_Color;
}

QString Maker_Address()
{
    QString host = QUrl(Maker_Web_Base()).host();
    if (host.startsWith("www."))
        host.remove(0, 4);
    return host;
}

void Set_Maker_Link_Look(TLabel* label)
{
    label->SetParentFont(false);
    label->Font->Assign(label->Parent()->Font);
    label->Font->Color = clNavy;
    label->Font->Style = fsUnderline;
    label->SetCursor(crHandPoint);
    label->SetCaption(Maker_Address());
}

TFadeButton* Make_Button(TComponent* owner, TWinControl* parent, const char* name, TButtonRole role, int left,
                         int top, int width, int height)
{
    auto* button = new TFadeButton(owner);
    button->SetName(name);
    button->SetParent(parent);
    button->SetBounds(left, top, width, height);
    button->SetColor(Form_Color);
    button->SetLightColor(Button_Edge_Color);
    button->SetShadowColor(Button_Edge_Color);
    button->SetColorWhenDown(Button_Down_Color);
    button->SetHotTrackColor(Button_Hot_Color);
    button->SetStyle(role == TButtonRole::Icon ? bsNormal : bsEncarta);
    button->SetLayout(blGlyphLeft);
    button->SetAlignment(role == TButtonRole::Step ? taLeftJustify : taCenter);
    return button;
}

void Make_Dialog_Frame(TCustomForm* form, TDialogFrame& f)
{
    f.P_Title = new TPanel(form);
    f.P_Title->SetName("P_Title");
    f.P_Title->SetParent(form);
    f.P_Title->SetBevelOuter(bvNone);
    f.P_Title->SetParentColor(true);
    f.P_Title->SetHeight(Title_Panel_Height);
    f.P_Title->SetAlign(alTop);
    addRule(form, f.P_Title, alBottom);
    f.L_SW_Code = Make_Label(form, f.P_Title, "L_SW_Code", 16, 8);
    Set_SW_Code_Look(f.L_SW_Code);
    f.L_SW_Desc = Make_Label(form, f.P_Title, "L_SW_Desc", 16, 42);
    Set_SW_Desc_Look(f.L_SW_Desc);

    f.P_Button = new TPanel(form);
    f.P_Button->SetName("P_Button");
    f.P_Button->SetParent(form);
    f.P_Button->SetBevelOuter(bvNone);
    f.P_Button->SetParentColor(true);
    f.P_Button->SetHeight(Button_Panel_Height);
    f.P_Button->SetAlign(alBottom);
    addRule(form, f.P_Button, alTop);
}

void Set_Button_Glyph(TFadeButton* button, TShellGlyph glyph, int size)
{
    button->SetGlyph(Shell_Glyph(glyph, size, Form_Color).get());
}

TFadeButton* Make_OK_Button(TCustomForm* form, TPanel* panel, TModalResult result)
{
    TFadeButton* ok = Make_Button(form, panel, "Btn_OK", TButtonRole::Command, 8, 7, Dialog_Button_Width,
                                  Dialog_Button_Height);
    Set_Button_Glyph(ok, TShellGlyph::OK);
    ok->SetModalResult(result);
    return ok;
}

TFadeButton* Make_Cancel_Button(TCustomForm* form, TPanel* panel)
{
    TFadeButton* cancel = Make_Button(form, panel, "Btn_Cancel", TButtonRole::Command,
                                      16 + Dialog_Button_Width, 7, Dialog_Button_Width, Dialog_Button_Height);
    Set_Button_Glyph(cancel, TShellGlyph::Cancel);
    cancel->SetModalResult(mrCancel);
    return cancel;
}
