// The look the shell's forms share: the background colour and font of every form, the grey header
// texts, the command buttons, and the header and button panels of the dialogs. Forms call these
// while building their controls, so a form reads as a list of its parts and positions.
#pragma once

#include "app/UGlyphs.h"
#include "grid/base/FadeButton.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/Forms.h"
#include "platform/controls/StdCtrls.h"

constexpr TColor Form_Color = 0xEDF7F8;      // background of every form and face of every button
constexpr TColor Header_Text_Color = clGray; // software code, description, step labels
constexpr int Title_Panel_Height = 69;
constexpr int Button_Panel_Height = 40;
// The push buttons' colours: one face, grey edges, orange while pressed, yellow under the mouse; the
// main window's project and update buttons hover sky blue, the about box's OK is yellow when pressed.
constexpr TColor Button_Edge_Color = 0x808080;
constexpr TColor Button_Down_Color = 0x0080FF;
constexpr TColor Button_Hot_Color = 0x00FFFF;
constexpr TColor Button_Hot_Sky_Blue = 0xF0CAA6;
constexpr int Dialog_Button_Width = 110, Dialog_Button_Height = 28;
constexpr int Dialog_Glyph_Size = 16;

// Fixed single border with the system menu only, centred on the screen, the forms' colour and font.
void Set_Form_Look(TCustomForm* form, bool resizable = false);

// A label placed on `parent` (owned by `owner`), auto-sized, named.
TLabel* Make_Label(TComponent* owner, TWinControl* parent, const char* name, int left, int top);
// The large grey software code and the bold grey description of a header.
void Set_SW_Code_Look(TLabel* label);
void Set_SW_Desc_Look(TLabel* label);

// The maker's web address as the web labels show it: the host of the maker's web server without "www.".
QString Maker_Address();
// A label showing Maker_Address as a link: navy and underlined in its parent's font, a hand cursor.
// The click stays the form's.
void Set_Maker_Link_Look(TLabel* label);

// A command button with the program's colours. Step buttons are left-justified; the header icons
// use the plain raised style. Kind, Default, Cancel and the other push-button settings keep their
// defaults on every form.
enum class TButtonRole { Command, Step, Icon };
TFadeButton* Make_Button(TComponent* owner, TWinControl* parent, const char* name, TButtonRole role, int left,
                         int top, int width, int height);
// Gives the button a one-cell glyph of `size` drawn on the button face.
void Set_Button_Glyph(TFadeButton* button, TShellGlyph glyph, int size = Dialog_Glyph_Size);

// The dialogs' header panel (P_Title with L_SW_Code and L_SW_Desc) and bottom panel (P_Button).
// A dialog inherits it beside TForm, so the parts are its own members.
struct TDialogFrame {
    TPanel* P_Title = nullptr;
    TLabel* L_SW_Code = nullptr;
    TLabel* L_SW_Desc = nullptr;
    TPanel* P_Button = nullptr;
};
// Builds the frame's parts on `form` into `frame` (normally the form itself).
void Make_Dialog_Frame(TCustomForm* form, TDialogFrame& frame);
// OK at the left of P_Button and Cancel beside it (modal result Cancel), with their glyphs.
TFadeButton* Make_OK_Button(TCustomForm* form, TPanel* panel, TModalResult result);
TFadeButton* Make_Cancel_Button(TCustomForm* form, TPanel* panel);
