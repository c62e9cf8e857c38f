#include "app/UOpenProject.h"

#include "app/UGlobals.h"
#include "app/ULang.h"
#include "app/UProjectFolders.h"

TFOpenConf* FOpenConf = nullptr;

namespace
{
constexpr int kClientWidth = 377, kClientHeight = 351;
}

TFOpenConf::TFOpenConf(TComponent* AOwner) : TForm(AOwner)
{
    SetName("FOpenConf");
    Set_Form_Look(this, true);
    SetClientWidth(kClientWidth);
    SetClientHeight(kClientHeight);
    Make_Dialog_Frame(this, *this);

    Label1 = Make_Label(this, this, "Label1", 16, Title_Panel_Height + 6);
    ListBox1 = new TListBox(this);
    ListBox1->SetName("ListBox1");
    ListBox1->SetParent(this);
    const int listTop = Title_Panel_Height + 23;
    ListBox1->SetBounds(16, listTop, kClientWidth - 32, kClientHeight - Button_Panel_Height - 8 - listTop);
    ListBox1->SetAnchors(akLeft | akTop | akRight | akBottom);
    ListBox1->SetTabStop(true);
    // The list box fires OnClick for every change of the selection by the user, arrow keys included.
    ListBox1->OnClick = [this](TObject* Sender) { ListBox1Click(Sender); };

    Btn_OK = Make_OK_Button(this, P_Button, mrOk);
    Btn_Cancel = Make_Cancel_Button(this, P_Button);

    OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
    OnShow = [this](TObject* Sender) { FormShow(Sender); };
}

void TFOpenConf::FormCreate(TObject*)
{
    L_SW_Code->SetCaption(SW_Code);
    SetClientWidth(kClientWidth);
    SetClientHeight(kClientHeight);
    Set_Lang();
}

void TFOpenConf::Set_Lang()
{
    SetCaption(Lang_Text(200));
    L_SW_Desc->SetCaption(Lang_Text(201));
    Label1->SetCaption(Lang_Text(202));
    Btn_OK->SetCaption(Lang_Text(203));
    Btn_Cancel->SetCaption(Lang_Text(204));
    ListBox1->SetHint(Lang_Text(205));
    Btn_OK->SetHint(Lang_Text(206));
    Btn_Cancel->SetHint(Lang_Text(207));
}

void TFOpenConf::FormShow(TObject*)
{
    SL = Load_Existing_Configuration();
    ListBox1->Items->Clear();
    for (const QString& name : SL)
        ListBox1->Items->Add(name);
    const int open = Search_Open_Conf(SL, Open_Project_Folder_Name());
    if (open >= 0 || !SL.isEmpty()) {
        const int index = open >= 0 ? open : 0;
        ListBox1->SetItemIndex(index);
        Name_Conf = SL[index];
    } else {
        Name_Conf.clear();
    }
    SetActiveControl(ListBox1);
}

void TFOpenConf::ListBox1Click(TObject*)
{
    const int index = ListBox1->ItemIndex();
    if (index >= 0 && index < SL.size())
        Name_Conf = SL[index];
}
