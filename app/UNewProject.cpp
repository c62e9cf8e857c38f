#include "app/UNewProject.h"

#include "app/UGlobals.h"
#include "app/ULang.h"
#include "app/UProjectFolders.h"
#include "platform/controls/Interaction.h"

TFNew_Project* FNew_Project = nullptr;

namespace
{
constexpr int kClientWidth = 331, kClientHeight = 162;
}

TFNew_Project::TFNew_Project(TComponent* AOwner) : TForm(AOwner)
{
    SetName("FNew_Project");
    Set_Form_Look(this);
    Make_Dialog_Frame(this, *this);

    Label1 = Make_Label(this, this, "Label1", 16, Title_Panel_Height + 6);
    E_New_Proj = new TEdit(this);
    E_New_Proj->SetName("E_New_Proj");
    E_New_Proj->SetParent(this);
    E_New_Proj->SetBounds(16, Title_Panel_Height + 23, kClientWidth - 32, 21);
    E_New_Proj->SetTabStop(true);
    E_New_Proj->OnKeyPress = [this](TObject* Sender, char16_t& Key) { E_New_ProjKeyPress(Sender, Key); };

    // OK decides itself whether the dialog closes.
    Btn_OK = Make_OK_Button(this, P_Button, mrNone);
    Btn_OK->OnClick = [this](TObject* Sender) { Btn_OKClick(Sender); };
    Btn_Cancel = Make_Cancel_Button(this, P_Button);

    OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
    OnShow = [this](TObject* Sender) { FormShow(Sender); };
}

void TFNew_Project::FormCreate(TObject*)
{
    L_SW_Code->SetCaption(SW_Code);
    SetClientWidth(kClientWidth);
    SetClientHeight(kClientHeight);
    Set_Lang();
}

void TFNew_Project::Set_Lang()
{
    SetCaption(Lang_Text(100));
    L_SW_Desc->SetCaption(Lang_Text(101));
    Label1->SetCaption(Lang_Text(102));
    Btn_OK->SetCaption(Lang_Text(103));
    Btn_Cancel->SetCaption(Lang_Text(104));
    E_New_Proj->SetHint(Lang_Text(108));
    Btn_OK->SetHint(Lang_Text(109));
    Btn_Cancel->SetHint(Lang_Text(110));
}

void TFNew_Project::FormShow(TObject*)
{
    E_New_Proj->SetText(QString());
    SetActiveControl(E_New_Proj);
}

void TFNew_Project::E_New_ProjKeyPress(TObject*, char16_t& Key)
{
    if (Key == VK_RETURN) {
        Key = 0;
        Btn_OKClick(Btn_OK);
    }
}

void TFNew_Project::Btn_OKClick(TObject*)
{
    // The name exactly as typed: it becomes the folder name.
    if (const int refusal = Create_Project(E_New_Proj->Text())) {
        MessageDlg(Lang_Text(refusal), mtError, mbOK);
        return;
    }
    SetModalResult(mrOk);
}
