#include "app/UOptions.h"

#include "app/UFormLook.h"
#include "app/UFormOrder.h"
#include "app/UGlobals.h"
#include "app/ULang.h"
#include "app/UMain.h"
#include "app/UMainStartup.h"
#include "app/UVersion.h"
#include "platform/controls/ComCtrls.h"

TFSoftOptions* FSoftOptions = nullptr;

namespace
{

constexpr int Client_Width = 509, Client_Height = 373;

// Slot k (from 1): picture position; its label sits at Label_Left, 16 pixels below the picture's top.
struct TSlotPlace {
    int Image_Left, Top, Label_Left;
};
constexpr TSlotPlace kSlots[Lang_Slots_Per_Page] = {
    {24, 40, 80}, {26, 94, 80}, {24, 148, 80}, {254, 40, 310}, {254, 94, 310}, {254, 148, 310},
};
constexpr int Flag_Size = 48, Slot_Label_Drop = 16;

constexpr int Page_Button_Width = 110, Page_Button_Height = 28, Page_Button_Top = 196;
constexpr int Check_Button_Width = 204, Check_Button_Height = 28;

// Text indexes of the dialog.
namespace txt
{
constexpr int Caption = 300, SW_Desc = 301, Language = 302, Con_Options = 303, Sel_Lang = 304;
constexpr int Prev = 307, Next = 308, En_Con = 309, Update = 310, Check_Update = 311, OK = 312, Cancel = 313;
constexpr int Update_Link = 314, No_Update = 315;
constexpr int Soft_Settings = 319, Jump_Table = 320, Auto_Size = 321;
} // namespace txt

TTabSheet* Make_Sheet(TComponent* owner, TPageControl* pages, const char* name)
{
    auto* sheet = new TTabSheet(owner);
    sheet->SetName(name);
    sheet->SetPageControl(pages);
    sheet->SetColor(Form_Color);
    return sheet;
}

TCheckBox* Make_Check(TComponent* owner, TWinControl* parent, const char* name, int left, int top)
{
    auto* box = new TCheckBox(owner);
    box->SetName(name);
    box->SetParent(parent);
    box->SetBounds(left, top, 470 - left, 17);
    return box;
}

} // namespace

TFSoftOptions::TFSoftOptions(TComponent* AOwner) : TForm(AOwner), Change_Language(Set_Lang_Of_Forms)
{
    SetName("FSoftOptions");
    Set_Form_Look(this);
    SetClientWidth(Client_Width);
    SetClientHeight(Client_Height);

    Make_Dialog_Frame(this, *this);
    Btn_OK = Make_OK_Button(this, P_Button, mrOk);
    Btn_OK->OnClick = [this](TObject* Sender) { Btn_OKClick(Sender); };
    Btn_Cancel = Make_Cancel_Button(this, P_Button);

    PC_Options = new TPageControl(this);
    PC_Options->SetName("PC_Options");
    PC_Options->SetParent(this);
    PC_Options->SetAlign(alClient);

    // Language page.
    TS_Language = Make_Sheet(this, PC_Options, "TS_Language");
    L_Sel_Lang = Make_Label(this, TS_Language, "L_Sel_Lang", 16, 12);
    for (int k = 0; k < Lang_Slots_Per_Page; ++k) {
        const TSlotPlace& place = kSlots[k];
        const QByteArray n = QByteArray::number(k + 1);
        I_L[k] = new TImage(this);
        I_L[k]->SetName(QString::fromLatin1("I_L" + n));
        I_L[k]->SetParent(TS_Language);
        I_L[k]->SetBounds(place.Image_Left, place.Top, Flag_Size, Flag_Size);
        I_L[k]->SetTransparent(true);
        I_L[k]->SetStretch(false);
        I_L[k]->SetCursor(crHandPoint);
        I_L[k]->OnClick = [this](TObject* Sender) { LangClick(Sender); };
        L_L[k] = Make_Label(this, TS_Language, ("L_L" + n).constData(), place.Label_Left,
                            place.Top + Slot_Label_Drop);
        L_L[k]->SetCursor(crHandPoint);
        L_L[k]->OnClick = [this](TObject* Sender) { LangClick(Sender); };
    }
    L_Page_Lang = Make_Label(this, TS_Language, "L_Page_Lang", 200, Page_Button_Top + 7);
    Btn_Prev = Make_Button(this, TS_Language, "Btn_Prev", TButtonRole::Command, 16, Page_Button_Top,
                           Page_Button_Width, Page_Button_Height);
    Btn_Next = Make_Button(this, TS_Language, "Btn_Next", TButtonRole::Command,
                           Client_Width - 16 - Page_Button_Width - 8, Page_Button_Top, Page_Button_Width,
                           Page_Button_Height);
    Btn_Next->SetLayout(blGlyphRight);
    Set_Button_Glyph(Btn_Prev, TShellGlyph::Previous);
    Set_Button_Glyph(Btn_Next, TShellGlyph::Next);
    Btn_Prev->OnClick = [this](TObject* Sender) { Btn_NextClick(Sender); };
    Btn_Next->OnClick = [this](TObject* Sender) { Btn_NextClick(Sender); };

    // Connection page.
    TS_Con_Options = Make_Sheet(this, PC_Options, "TS_Con_Options");
    CB_En_Con = Make_Check(this, TS_Con_Options, "CB_En_Con", 16, 16);
    CB_Update = Make_Check(this, TS_Con_Options, "CB_Update", 36, 42);
    Btn_Check_Update = Make_Button(this, TS_Con_Options, "Btn_Check_Update", TButtonRole::Command, 16, 80,
                                   Check_Button_Width, Check_Button_Height);
    Set_Button_Glyph(Btn_Check_Update, TShellGlyph::Check_Update);
    Btn_Check_Update->OnClick = [this](TObject* Sender) { Btn_Check_UpdateClick(Sender); };
    LL_Check_Update = new TLinkLabel(this);
    LL_Check_Update->SetName("LL_Check_Update");
    LL_Check_Update->SetParent(TS_Con_Options);
    LL_Check_Update->SetBounds(16, 118, 400, 17);
    LL_Check_Update->SetVisible(false);
    LL_Check_Update->OnLinkClick = [this](TObject* Sender, const QString& Link, TSysLinkType) {
        LL_Check_UpdateLinkClick(Sender, Link);
    };

    // Table settings page.
    TS_Soft_Settings = Make_Sheet(this, PC_Options, "TS_Soft_Settings");
    CB_Soft_Set_Jump_Table = Make_Check(this, TS_Soft_Settings, "CB_Soft_Set_Jump_Table", 16, 16);
    CB_DoubleClick_Auto_Size = Make_Check(this, TS_Soft_Settings, "CB_DoubleClick_Auto_Size", 16, 42);

    for (TCheckBox* box : {CB_En_Con, CB_Update, CB_Soft_Set_Jump_Table, CB_DoubleClick_Auto_Size})
        box->OnClick = [this](TObject* Sender) { CB_En_ConClick(Sender); };

    PC_Options->SetActivePage(TS_Language);
    Set_Update_Timer = [](bool on) {
        if (FDodiruredavIzavUred)
            FDodiruredavIzavUred->Timer_Update->SetEnabled(on);
    };
    OnShow = [this](TObject* Sender) { FormShow(Sender); };
    FormCreate();
}

TFSoftOptions::~TFSoftOptions()
{
    if (FSoftOptions == this)
        FSoftOptions = nullptr;
}

void TFSoftOptions::FormCreate()
{
    SL_Languages.clear();
    L_SW_Code->SetCaption(SW_Code);
    Set_Lang();
}

void TFSoftOptions::Set_Lang()
{
    SetCaption(Lang_Text(txt::Caption));
    L_SW_Desc->SetCaption(Lang_Text(txt::SW_Desc));
    TS_Language->SetCaption(Lang_Text(txt::Language));
    TS_Con_Options->SetCaption(Lang_Text(txt::Con_Options));
    L_Sel_Lang->SetCaption(Lang_Text(txt::Sel_Lang));
    L_Page_Lang->SetCaption(Lang_Page_Label(1, 1));
    Btn_Prev->SetCaption(Lang_Text(txt::Prev));
    Btn_Next->SetCaption(Lang_Text(txt::Next));
    CB_En_Con->SetCaption(Lang_Text(txt::En_Con));
    CB_Update->SetCaption(Lang_Text(txt::Update));
    Btn_Check_Update->SetCaption(Lang_Text(txt::Check_Update));
    Btn_OK->SetCaption(Lang_Text(txt::OK));
    Btn_Cancel->SetCaption(Lang_Text(txt::Cancel));
    TS_Soft_Settings->SetCaption(Lang_Text(txt::Soft_Settings));
    CB_Soft_Set_Jump_Table->SetCaption(Lang_Text(txt::Jump_Table));
    CB_DoubleClick_Auto_Size->SetCaption(Lang_Text(txt::Auto_Size));
}

void TFSoftOptions::FormShow(TObject*)
{
    Language_In_Use = Language_Name;
    Create_Lang_List();
    LL_Check_Update->SetVisible(false);
    PC_Options->SetActivePage(TS_Language);
    CB_En_Con->SetChecked(Opt_Enable_Internet);
    CB_Update->SetChecked(Opt_Enable_Update);
    CB_Soft_Set_Jump_Table->SetChecked(Opt_Jump_Field_Tables);
    CB_DoubleClick_Auto_Size->SetChecked(Opt_Double_Click_Auto_Size);
    Update_CheckBox();
}

void TFSoftOptions::Create_Lang_List()
{
    SL_Languages = Language_File_List(Language_Dir);
    Show_Page = 1;
    Update_Lang_Page(1);
}

void TFSoftOptions::Update_Lang_Page(int Num_Page)
{
    const TLangPageView view = Lang_Page_View(SL_Languages, Num_Page, Language_Dir);
    L_Sel_Lang->SetCaption(Selected_Language_Label(Language_In_Use));
    L_Page_Lang->SetCaption(view.Page_Label);
    Btn_Prev->SetVisible(view.Prev_Visible);
    Btn_Next->SetVisible(view.Next_Visible);
    for (int k = 0; k < Lang_Slots_Per_Page; ++k) {
        const TLangSlotView& slot = view.Slots[k];
        L_L[k]->SetVisible(slot.Visible);
        L_L[k]->SetCaption(slot.Name);
        I_L[k]->SetVisible(slot.Visible);
        if (slot.Visible)
            Show_Flag(I_L[k], slot.Flag_Files);
    }
}

void TFSoftOptions::Show_Flag(TImage* image, const QStringList& files)
{
    image->Picture()->Clear();
    // A flag that cannot be read counts as missing: the next candidate is tried.
    for (const QString& file : files) {
        try {
            image->Picture()->LoadFromFile(file);
            image->PictureChanged();
            return;
        } catch (const Exception&) {
            image->Picture()->Clear();
        }
    }
    image->SetVisible(false);
}

void TFSoftOptions::Btn_NextClick(TObject* Sender)
{
    const int pages = Lang_Page_Count(int(SL_Languages.size()));
    if (Sender == Btn_Next && pages >= Show_Page + 1)
        ++Show_Page;
    else if (Sender == Btn_Prev && Show_Page >= 2)
        --Show_Page;
    Update_Lang_Page(Show_Page);
}

int TFSoftOptions::Slot_Of(const TObject* Sender) const
{
    for (int k = 0; k < Lang_Slots_Per_Page; ++k)
        if (Sender == I_L[k] || Sender == L_L[k])
            return k + 1;
    return 0;
}

void TFSoftOptions::LangClick(TObject* Sender)
{
    const QString chosen = Lang_Slot_Name(SL_Languages, Show_Page, Slot_Of(Sender));
    if (chosen.isEmpty())
        return; // no language behind this slot
    if (MessageDlg(Language_Switch_Question(Language_In_Use, chosen), mtConfirmation, mbYesNo) != mrYes)
        return;
    Language_In_Use = chosen;
    Switch_Language(chosen, Change_Language);
    // Set_Lang wrote the labels for page 1 without a name: write them for what is shown.
    L_Sel_Lang->SetCaption(Selected_Language_Label(Language_In_Use));
    L_Page_Lang->SetCaption(Lang_Page_Label(Show_Page, Lang_Page_Count(int(SL_Languages.size()))));
}

void TFSoftOptions::Update_CheckBox()
{
    CB_Update->SetEnabled(CB_En_Con->Checked());
    Btn_Check_Update->SetEnabled(CB_Update->Enabled() && CB_Update->Checked());
}

void TFSoftOptions::CB_En_ConClick(TObject*)
{
    Update_CheckBox();
}

void TFSoftOptions::Btn_Check_UpdateClick(TObject*)
{
    if (Check_Version())
        LL_Check_Update->SetCaption(Link_Text(Download_Page_URL(), Lang_Text(txt::Update_Link)));
    else
        LL_Check_Update->SetCaption(Lang_Text(txt::No_Update));
    LL_Check_Update->SetVisible(true);
}

void TFSoftOptions::LL_Check_UpdateLinkClick(TObject*, const QString& Link)
{
    OpenURL(Link);
}

void TFSoftOptions::Btn_OKClick(TObject*)
{
    Language_Name = Language_In_Use;
    Opt_Enable_Internet = CB_En_Con->Checked();
    Opt_Enable_Update = CB_Update->Checked();
    if (Set_Update_Timer)
        Set_Update_Timer(Update_Timer_Wanted());
    Opt_Jump_Field_Tables = CB_Soft_Set_Jump_Table->Checked();
    Opt_Double_Click_Auto_Size = CB_DoubleClick_Auto_Size->Checked();
    SetModalResult(mrOk);
}
