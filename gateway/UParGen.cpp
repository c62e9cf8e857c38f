// The communication-parameters form: creation from the panel tables, texts and the OK button.
#include "gateway/UParGen.h"

#include "app/UGlobals.h"
#include "app/ULang.h"
#include "gateway/UParGen_Fields.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/graphics/ImgList.h"

TFParGen* FParGen = nullptr;

namespace
{

// Text indexes of the form's own captions.
namespace txt
{
constexpr int Caption = 400, SW_Desc = 401, OK = 402, Cancel = 403, OK_Hint = 404, Cancel_Hint = 405;
} // namespace txt

constexpr int Button_Width = 100, Button_Gap = 8, Button_Right_Margin = 16;
constexpr int Header_Font_Height = -15;
constexpr int Glyph_Size = 16;

// The panel headers' two glyphs: a box with a minus (expanded) and with a plus (collapsed).
void Add_Header_Glyph(TImageList* list, bool plus)
{
    TBitmap bmp(Glyph_Size, Glyph_Size);
    TCanvas* c = bmp.Canvas;
    c->Brush->Color = clWhite;
    c->FillRect(TRect(0, 0, Glyph_Size, Glyph_Size));
    c->Brush->Color = clGray;
    c->FrameRect(TRect(3, 3, 13, 13));
    c->Pen->Color = clRed;
    c->MoveTo(5, 8);
    c->LineTo(11, 8);
    if (plus) {
        c->MoveTo(8, 5);
        c->LineTo(8, 11);
    }
    list->AddMasked(&bmp, clWhite);
}

TFadeButton* Right_Anchored(TFadeButton* button, int left)
{
    button->SetLeft(left);
    button->SetAnchors(akRight | akTop);
    return button;
}

} // namespace

TFParGen::TFParGen(TComponent* AOwner, const QString& Model) : TForm(AOwner), FModel(&ParGen_Model(Model))
{
    SetName("FParGen");
    Set_Form_Look(this, true);
    SetBorderIcons(biSystemMenu);
    SetClientWidth(ParGen_Client_Width);

    Make_Dialog_Frame(this, *this);
    // Beyond the client area's right edge; nothing updates them.
    L_NBI_Title = Make_Label(this, P_Title, "L_NBI_Title", 480, 12);
    L_NBI_Value = Make_Label(this, P_Title, "L_NBI_Value", 580, 12);
    L_NBO_Title = Make_Label(this, P_Title, "L_NBO_Title", 480, 32);
    L_NBO_Value = Make_Label(this, P_Title, "L_NBO_Value", 580, 32);
    L_NBI_Title->SetCaption("Num Byte In   :");
    L_NBI_Value->SetCaption("132");
    L_NBO_Title->SetCaption("Num Byte Out :");
    L_NBO_Value->SetCaption("0");

    const int cancelLeft = ParGen_Client_Width - Button_Right_Margin - Button_Width;
    Btn_OK = Right_Anchored(Make_OK_Button(this, P_Button, mrNone), cancelLeft - Button_Gap - Button_Width);
    Btn_OK->OnClick = [this](TObject* Sender) { Btn_OKClick(Sender); };
    Btn_Cancel = Right_Anchored(Make_Cancel_Button(this, P_Button), cancelLeft);
    Btn_Cancel->SetModalResult(mrCancel);

    Make_Look();
    for (const TParPanel& def : ParGen_Panels())
        Make_Panel(def);

    OnShow = [this](TObject* Sender) { FormShow(Sender); };
    OnResize = [this](TObject* Sender) { FormResize(Sender); };
    OnMouseWheel = [this](TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos,
                          bool& Handled) { FormMouseWheel(Sender, Shift, WheelDelta, MousePos, Handled); };
    FormCreate();
}

TFParGen::~TFParGen()
{
    if (FParGen == this)
        FParGen = nullptr;
}

void TFParGen::Make_Look()
{
    ImageList1 = new TImageList(this);
    ImageList1->SetName("ImageList1");
    Add_Header_Glyph(ImageList1, false);
    Add_Header_Glyph(ImageList1, true);

    CPG = new TCategoryPanelGroup(this);
    CPG->SetName("CPG");
    CPG->SetParent(this);
    CPG->SetAlign(alClient);
    CPG->HeaderFont->Name = "Verdana";
    CPG->HeaderFont->Height = Header_Font_Height;
    CPG->HeaderFont->Style = fsBold;
    CPG->HeaderFont->Color = clGray;
    CPG->ChevronHotColor = clRed;
    CPG->SetImages(ImageList1);
}

void TFParGen::FormCreate()
{
    L_SW_Code->SetCaption(SW_Code);
    SetClientWidth(ParGen_Client_Width);
    SetClientHeight(ParGen_Client_Height);
    for (const TPanelView& view : FPanels)
        view.Panel->SetVisible(false);
    Order_TAB_Panels();
    Move_GroupBoxs();
    Set_Lang();
}

void TFParGen::Set_Lang()
{
    SetCaption(Lang_Text(txt::Caption));
    L_SW_Desc->SetCaption(Lang_Text(txt::SW_Desc));
    Btn_OK->SetCaption(Lang_Text(txt::OK));
    Btn_Cancel->SetCaption(Lang_Text(txt::Cancel));
    Btn_OK->SetHint(Lang_Text(txt::OK_Hint));
    Btn_Cancel->SetHint(Lang_Text(txt::Cancel_Hint));
    auto hint = [](TControl* control, int text) {
        if (control && text >= 0)
            control->SetHint(Lang_Text(text));
    };
    for (const TPanelView& panel : FPanels) {
        for (const TRowView& row : panel.Rows) {
            const TParRow& def = *row.Def;
            if (row.Label)
                row.Label->SetCaption(Lang_Text(def.Caption));
            for (size_t i = 0; i < row.Edits.size(); ++i)
                hint(row.Edits[i], def.Edits[i].Hint);
            if (row.Check) {
                row.Check->SetCaption(Lang_Text(def.Caption));
                hint(row.Check, def.Check.Hint);
            }
            for (size_t i = 0; i < row.Boxes.size(); ++i)
                hint(row.Boxes[i], def.Boxes[i].Hint);
            hint(row.Memo, def.Memo.Hint);
            hint(row.Combo, def.Combo.Hint);
            // Translated lists start over at their first item.
            if (row.Combo && def.ItemText >= 0) {
                row.Combo->Items->Clear();
                for (int i = 0; i < int(def.Items.size()); ++i)
                    row.Combo->Items->Add(Lang_Text(def.ItemText + i));
                row.Combo->SetItemIndex(0);
            }
        }
    }
}

void TFParGen::Btn_OKClick(TObject*)
{
    if (!Controllo_Dati())
        return;
    Save_File();
    SetModalResult(mrOk);
}
