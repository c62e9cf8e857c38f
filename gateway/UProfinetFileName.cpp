#include "gateway/UProfinetFileName.h"

#include "app/UFileCommands.h"
#include "app/UGlobals.h"
#include "app/ULang.h"
#include "gateway/UGSDMLWriter.h"
#include "grid/base/FadeButton.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/StdCtrls.h"

TFProfinetFileName* FProfinetFileName = nullptr;

namespace
{

// The form whose ShowModal the main window's slot calls.
TFProfinetFileName* Slot_Form = nullptr;

template <class T> T* Place(T* control, TWinControl* parent, int left, int top, int width, int height)
{
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    return control;
}

TLabel* Add_Label(TForm* form, TWinControl* parent, int left, int top)
{
    return Place(new TLabel(form), parent, left, top, 65, 17);
}

} // namespace

TFProfinetFileName::TFProfinetFileName(TComponent* AOwner, QDate Today) : TForm(AOwner), FDate(Today)
{
    SetBorderStyle(bsDialog);
    SetBorderIcons(biSystemMenu);
    SetPosition(poScreenCenter);

    P_Title = new TPanel(this);
    P_Title->SetParent(this);
    P_Title->SetHeight(49);
    P_Title->SetAlign(alTop);
    P_Title->SetBevelOuter(bvNone);
    P_Title->SetColor(clWhite);
    L_SW_Code = Add_Label(this, P_Title, 16, 8);
    L_SW_Code->Font->Style = fsBold;
    L_SW_Desc = Add_Label(this, P_Title, 16, 26);

    L_Select_Name = Add_Label(this, this, 16, 62);
    L_Select_Name->Font->Style = fsBold;
    L_FixPart_1 = Add_Label(this, this, 16, 92);
    L_XML_Fix1 = Add_Label(this, this, 16, 116);
    L_UsedPart = Add_Label(this, this, 0, 92);
    E_XML_User = Place(new TEdit(this), this, 0, 112, 260, 23);
    L_FixPart_2 = Add_Label(this, this, 0, 92);
    L_XML_Fix2 = Add_Label(this, this, 0, 116);

    P_Button = new TPanel(this);
    P_Button->SetParent(this);
    P_Button->SetHeight(45);
    P_Button->SetAlign(alBottom);
    P_Button->SetBevelOuter(bvNone);
    Btn_OK = Place(new TFadeButton(this), P_Button, 320, 10, 100, 25);
    Btn_OK->OnClick = [this](TObject* Sender) { Btn_OK_Click(Sender); };
    Btn_Cancel = Place(new TFadeButton(this), P_Button, 428, 10, 100, 25);
    Btn_Cancel->SetModalResult(mrCancel);

    FormCreate();
}

TFProfinetFileName::~TFProfinetFileName()
{
    if (Slot_Form == this) {
        File_Command_Slots().Show_Profinet_File_Name = nullptr;
        Slot_Form = nullptr;
    }
    if (FProfinetFileName == this)
        FProfinetFileName = nullptr;
}

void TFProfinetFileName::FormCreate()
{
    L_SW_Code->SetCaption(SW_Code);
    SetClientWidth(540);
    SetClientHeight(205);
    L_UsedPart->SetLeft(179);
    E_XML_User->SetLeft(179);
    L_FixPart_2->SetLeft(447);
    L_XML_Fix2->SetLeft(447);
    L_XML_Fix1->SetCaption(GSDML_Fix1);
    L_XML_Fix2->SetCaption(GSDML_Fix2(FDate));
    Set_Lang();

    Slot_Form = this;
    File_Command_Slots().Show_Profinet_File_Name = [this](QString& Name) {
        if (ShowModal() != mrOk)
            return false;
        Name = Name_File_XML;
        return true;
    };
}

void TFProfinetFileName::Set_Lang()
{
    SetCaption(Lang_Text(4800));
    L_SW_Desc->SetCaption(Lang_Text(4801));
    L_Select_Name->SetCaption(Lang_Text(4802));
    L_FixPart_1->SetCaption(Lang_Text(4803));
    L_UsedPart->SetCaption(Lang_Text(4804));
    L_FixPart_2->SetCaption(Lang_Text(4805));
    Btn_OK->SetCaption(Lang_Text(4806));
    Btn_Cancel->SetCaption(Lang_Text(4807));
}

void TFProfinetFileName::Btn_OK_Click(TObject*)
{
    Name_File_XML = GSDML_File_Name(E_XML_User->Text(), FDate);
    SetModalResult(mrOk);
}
