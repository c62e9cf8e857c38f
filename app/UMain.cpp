#include "app/UMain.h"

#include "app/UFormLook.h"
#include "app/UFormOrder.h"
#include "app/UGlobals.h"
#include "app/UGlyphs.h"
#include "app/ULang.h"
#include "app/UMainStartup.h"
#include "app/UVersion.h"
#include "platform/controls/Interaction.h"
#include "platform/core/SysUtils.h"

#include <QCoreApplication>

RORoruduzudizEvivUrad* FDodiruredavIzavUred = nullptr;
QString RORoruduzudizEvivUrad::Program_Folder;

namespace
{

using namespace main_layout;

constexpr int kStepGlyphSize = 24;
constexpr int kIconGlyphSize = 32;

// The looks the button table gives the shown buttons beyond the common ones: the glyph, the project
// and update buttons' sky-blue hover, and the plain style of the icons and of Set Communication.
struct TButtonLook {
    const char* Button;
    TShellGlyph Glyph;
    TColor Hot;
    TFadeButtonStyle Style;
};
const TButtonLook kLooks[] = {
    {"Btn_New", TShellGlyph::New_Project, Button_Hot_Sky_Blue, bsEncarta},
    {"Btn_Open", TShellGlyph::Open_Project, Button_Hot_Sky_Blue, bsEncarta},
    {"Btn_Close", TShellGlyph::Close, Button_Hot_Color, bsNormal},
    {"Btn_Info", TShellGlyph::Information, Button_Hot_Color, bsNormal},
    {"Btn_Opz", TShellGlyph::Options, Button_Hot_Color, bsNormal},
    {"Btn_Prm_Gen", TShellGlyph::Parameters, Button_Hot_Color, bsNormal},
    {"Btn_EtherCAT_Set_Access", TShellGlyph::Access, Button_Hot_Color, bsEncarta},
    {"Btn_EtherCAT_Set_Group", TShellGlyph::Group, Button_Hot_Color, bsEncarta},
    {"Btn_Modbus_Set_Access", TShellGlyph::Modbus, Button_Hot_Color, bsEncarta},
    {"Btn_EtherCAT_ESI_File", TShellGlyph::ESI_File, Button_Hot_Color, bsEncarta},
    {"Btn_CreateBin", TShellGlyph::Update, Button_Hot_Sky_Blue, bsEncarta},
};

void setBold(TLabel* label)
{
    label->SetParentFont(false);
    label->Font->Assign(label->Parent()->Font);
    label->Font->Style = fsBold;
    label->Font->Color = Header_Text_Color;
}

} // namespace

RORoruduzudizEvivUrad::RORoruduzudizEvivUrad(TComponent* AOwner)
    : TForm(AOwner), XML1(std::make_unique<TXmlDocument>())
{
    SetName("RORoruduzudizEvivUrad");
    Set_Form_Look(this);

    // Header.
    L_SW_Code = Make_Label(this, this, "L_SW_Code", SW_Code_Left, SW_Code_Top);
    Set_SW_Code_Look(L_SW_Code);
    L_SW_Desc = Make_Label(this, this, "L_SW_Desc", SW_Desc_Left, SW_Desc_Top);
    Set_SW_Desc_Look(L_SW_Desc);
    LL_Update = new TLinkLabel(this);
    LL_Update->SetName("LL_Update");
    LL_Update->SetParent(this);
    LL_Update->SetLeft(LL_Update_Left);
    LL_Update->SetTop(LL_Update_Top);
    LL_Update->SetVisible(false);
    LL_Update->OnLinkClick = [this](TObject* Sender, const QString& Link, TSysLinkType) {
        LL_UpdateLinkClick(Sender, Link);
    };

    // Project state: the frame first, so the two lines are drawn over it.
    Shape2 = new TShape(this);
    Shape2->SetName("Shape2");
    Shape2->SetParent(this);
    Shape2->Pen->Color = clSilver;
    Shape2->Brush->Style = bsClear;
    L_Begin = Make_Label(this, this, "L_Begin", Begin_Left, Begin_Top);
    setBold(L_Begin);
    L_Name_Conf = Make_Label(this, this, "L_Name_Conf", Name_Conf_Left, Name_Conf_Top);
    L_Name_Conf_L2 = Make_Label(this, this, "L_Name_Conf_L2", Name_Conf_Left, Name_Conf_L2_Top);
    for (TLabel* l : {L_Name_Conf, L_Name_Conf_L2}) {
        l->SetParentFont(false);
        l->Font->Assign(Font);
        l->Font->Color = Header_Text_Color;
    }

    // Steps.
    const auto labels = Main_Step_Labels();
    for (size_t i = 0; i < labels.size(); ++i) {
        L_Step[i] = Make_Label(this, this, labels[i].Name, Step_Label_Left, labels[i].Top);
        setBold(L_Step[i]);
    }
    for (const TMainButton& row : Main_Buttons()) {
        const bool icon = row.Step == kHeaderButton;
        TFadeButton* b = Make_Button(this, this, row.Name, icon ? TButtonRole::Icon : TButtonRole::Step,
                                     row.Left, row.Top, icon ? Header_Button_Size : Step_Button_Width,
                                     icon ? Header_Button_Size : Step_Button_Height);
        if (row.Design_Caption)
            b->SetCaption(QString::fromUtf8(row.Design_Caption));
        b->OnClick = [this](TObject* Sender) { Btn_Click(Sender); };
        FButtons.push_back(b);
    }
    for (const TButtonLook& look : kLooks) {
        const bool icon = Find_Main_Button(look.Button)->Step == kHeaderButton;
        TFadeButton* b = Button(look.Button);
        Set_Button_Glyph(b, look.Glyph, icon ? kIconGlyphSize : kStepGlyphSize);
        b->SetHotTrackColor(look.Hot);
        b->SetStyle(look.Style);
    }
    Btn_Info = Button("Btn_Info");
    Btn_Opz = Button("Btn_Opz");
    Btn_Close = Button("Btn_Close");
    Btn_New = Button("Btn_New");
    Btn_Open = Button("Btn_Open");
    Btn_Prm_Gen = Button("Btn_Prm_Gen");
    Btn_EtherCAT_Set_Group = Button("Btn_EtherCAT_Set_Group");
    Btn_EtherCAT_Set_Access = Button("Btn_EtherCAT_Set_Access");
    Btn_Modbus_Set_Access = Button("Btn_Modbus_Set_Access");
    Btn_EtherCAT_ESI_File = Button("Btn_EtherCAT_ESI_File");
    Btn_CreateBin = Button("Btn_CreateBin");

    Shape1 = new TShape(this);
    Shape1->SetName("Shape1");
    Shape1->SetParent(this);
    Shape1->Pen->Color = clSilver;
    Shape1->Brush->Color = clSilver;

    L_Brivex = Make_Label(this, this, "L_Brivex", Brivex_Left, Brivex_Top);
    Set_Maker_Link_Look(L_Brivex);
    L_Brivex->OnClick = [this](TObject* Sender) { L_BrivexClick(Sender); };

    Timer_Update = new TTimer(this);
    Timer_Update->SetName("Timer_Update");
    Timer_Update->SetEnabled(false);
    Timer_Update->SetInterval(Update_First_Interval_Ms);
    Timer_Update->OnTimer = [this](TObject* Sender) { Timer_UpdateTimer(Sender); };

    OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
    OnClose = [this](TObject* Sender, TCloseAction& Action) { FormClose(Sender, Action); };
}

RORoruduzudizEvivUrad::~RORoruduzudizEvivUrad()
{
    if (FDodiruredavIzavUred == this)
        FDodiruredavIzavUred = nullptr;
}

TFadeButton* RORoruduzudizEvivUrad::Button(const char* name) const
{
    const auto rows = Main_Buttons();
    for (size_t i = 0; i < rows.size(); ++i)
        if (qstrcmp(rows[i].Name, name) == 0)
            return FButtons[i];
    return nullptr;
}

void RORoruduzudizEvivUrad::FormCreate(TObject*)
{
    // Window texts and header lines are the main window's; everything else is shared state.
    const QString folder = Program_Folder.isEmpty() ? QCoreApplication::applicationDirPath() : Program_Folder;
    TMainStartUpSteps steps;
    steps.Lay_Out = [this] { Lay_Out(); };
    steps.Set_Update_Timer = [this] { Apply_Update_Timer(); };
    steps.Show_Identity = [this] {
        SetCaption(Main_Title);
        L_SW_Code->SetCaption(SW_Code);
        L_SW_Desc->SetCaption(SW_Description);
    };
    steps.Set_Lang = [this] { Set_Lang(); };
    Main_Start_Up(folder, steps);
}

void RORoruduzudizEvivUrad::Lay_Out()
{
    Shape2->SetBounds(Shape2_Left, Shape2_Top, Shape2_Width, Shape2_Height);
    const auto labels = Main_Step_Labels();
    for (size_t i = 0; i < labels.size(); ++i) {
        L_Step[i]->SetTop(labels[i].Top);
        L_Step[i]->SetVisible(labels[i].Shown);
    }
    const auto rows = Main_Buttons();
    for (size_t i = 0; i < rows.size(); ++i) {
        const bool shown = rows[i].Step != kHiddenButton;
        if (shown)
            FButtons[i]->SetBounds(rows[i].Left, rows[i].Top, FButtons[i]->Width(), FButtons[i]->Height());
        FButtons[i]->SetVisible(shown);
    }
    L_Brivex->SetBounds(Brivex_Left, Brivex_Top, L_Brivex->Width(), L_Brivex->Height());
    Shape1->SetBounds(Shape1_Left, Shape1_Top, Shape1_Width, Shape1_Height);
    SetClientWidth(Client_Width);
    SetClientHeight(Client_Height);
}

void RORoruduzudizEvivUrad::Apply_Update_Timer()
{
    Timer_Update->SetEnabled(Update_Timer_Wanted());
}

void RORoruduzudizEvivUrad::Set_Lang()
{
    L_Begin->SetCaption(Lang_Text(main_texts::Begin));
    const auto labels = Main_Step_Labels();
    for (size_t i = 0; i < labels.size(); ++i)
        L_Step[i]->SetCaption(Lang_Text(labels[i].Text));
    const auto rows = Main_Buttons();
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].Caption >= 0)
            FButtons[i]->SetCaption(Lang_Text(rows[i].Caption));
        if (rows[i].Hint >= 0)
            FButtons[i]->SetHint(Lang_Text(rows[i].Hint));
    }
    Show_Project_State();
}

void RORoruduzudizEvivUrad::Show_Project_State()
{
    if (!Active_Project_Dir.isEmpty()) {
        L_Name_Conf->SetCaption(Lang_Text(main_texts::Opened_Project));
        L_Name_Conf_L2->SetCaption(Active_Project_Name);
    } else {
        L_Name_Conf->SetCaption(Lang_Text(main_texts::No_Project));
        L_Name_Conf_L2->SetCaption(Lang_Text(main_texts::No_Project_L2));
    }
}

void RORoruduzudizEvivUrad::Change_Language()
{
    Set_Lang_Of_Forms();
}

void RORoruduzudizEvivUrad::Set_Files()
{
    ::Set_Files();
}

void RORoruduzudizEvivUrad::Save_Setting()
{
    QString error;
    if (!Write_Settings(&error))
        MessageDlg(error, mtError, mbOK);
}

void RORoruduzudizEvivUrad::FormClose(TObject*, TCloseAction&)
{
    // Every editor wrote its own file on OK: only the settings are left to keep.
    Save_Setting();
}
