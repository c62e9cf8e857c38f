#include "editors/network/UTopicTemplate.h"

#include "app/UGlobals.h"
#include "app/ULang.h"
#include "grid/core/ExtGrid.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/Splitter.h"
#include "platform/controls/StdCtrls.h"

#include <QStringList>

TFTopicTemplate* FTopicTemplate = nullptr;

namespace
{

constexpr int Client_Width = 635, Client_Height = 396;
constexpr int Keyword_Panel_Height = 108, Splitter_Height = 3;
constexpr int Keyword_Width = 200, Description_Width = 380;

// The keywords a template may hold and what each stands for: none in this build.
const QStringList& Keywords()
{
    static const QStringList none;
    return none;
}

const QStringList& Keyword_Descriptions()
{
    static const QStringList none;
    return none;
}

} // namespace

TFTopicTemplate::TFTopicTemplate(TComponent* AOwner) : TForm(AOwner)
{
    SetName("FTopicTemplate");
    Set_Form_Look(this, true);
    Make_Dialog_Frame(this, *this);

    Btn_OK = Make_OK_Button(this, P_Button, mrOk);
    Btn_Cancel = Make_Cancel_Button(this, P_Button);

    // Bottom up: the keyword panel sits on the button band, a splitter above it, the text box fills
    // what is left.
    P_Keywords = new TPanel(this);
    P_Keywords->SetName("P_Keywords");
    P_Keywords->SetParent(this);
    P_Keywords->SetBevelOuter(bvNone);
    P_Keywords->SetParentColor(true);
    P_Keywords->SetHeight(Keyword_Panel_Height);
    P_Keywords->SetAlign(alBottom);
    L_List_Keywords = Make_Label(this, P_Keywords, "L_List_Keywords", 8, 4);
    ESG_Keywords = new TExtStringGrid(this);
    ESG_Keywords->SetName("ESG_Keywords");
    ESG_Keywords->SetParent(P_Keywords);
    ESG_Keywords->SetBounds(8, 22, Keyword_Width + Description_Width + 24, Keyword_Panel_Height - 26);
    ESG_Keywords->SetColCount(2);
    ESG_Keywords->SetRowCount(2);
    ESG_Keywords->SetFixedCols(0);
    ESG_Keywords->SetFixedRows(1);
    ESG_Keywords->SetColWidths(0, Keyword_Width);
    ESG_Keywords->SetColWidths(1, Description_Width);
    ESG_Keywords->SetOptions(ESG_Keywords->Options() | goEditing);

    auto* splitter = new TSplitter(this);
    splitter->SetName("Splitter1");
    splitter->SetAlign(alBottom);
    splitter->SetParent(this);
    splitter->SetCursor(crVSplit);
    // Just above the keyword panel, so the alignment keeps it there.
    splitter->SetBounds(0, P_Keywords->Top() - Splitter_Height, ClientWidth(), Splitter_Height);

    RE_TopicTemplate = new TMemo(this);
    RE_TopicTemplate->SetName("RE_TopicTemplate");
    RE_TopicTemplate->SetParent(this);
    RE_TopicTemplate->SetAlign(alClient);
    RE_TopicTemplate->SetScrollBars(ssBoth);

    OnShow = [this](TObject* Sender) { FormShow(Sender); };
    FormCreate();
}

TFTopicTemplate::~TFTopicTemplate()
{
    if (FTopicTemplate == this)
        FTopicTemplate = nullptr;
}

void TFTopicTemplate::FormCreate()
{
    L_SW_Code->SetCaption(SW_Code);
    SetClientWidth(Client_Width);
    SetClientHeight(Client_Height);
    Set_Lang();
}

void TFTopicTemplate::Set_Lang()
{
    SetCaption(Lang_Text(3800));
    L_SW_Desc->SetCaption(Lang_Text(3802));
    L_List_Keywords->SetCaption(Lang_Text(3804));
    ESG_Keywords->SetCells(0, 0, Lang_Text(3805));
    ESG_Keywords->SetCells(1, 0, Lang_Text(3806));
    Btn_OK->SetCaption(Lang_Text(3807));
    Btn_Cancel->SetCaption(Lang_Text(3808));
}

void TFTopicTemplate::FormShow(TObject*)
{
    const bool template_text = TopicTemplate != 0;
    SetCaption(Lang_Text(template_text ? 3801 : 3800));
    L_SW_Desc->SetCaption(Lang_Text(template_text ? 3803 : 3802));
    Laod_Keywords();
    if (RE_TopicTemplate->CanFocus())
        RE_TopicTemplate->SetFocus();
}

void TFTopicTemplate::Laod_Keywords()
{
    const QStringList& keywords = Keywords();
    const QStringList& descriptions = Keyword_Descriptions();
    const int n = int(keywords.size());
    ESG_Keywords->SetRowCount(n > 0 ? n + 1 : 2);
    for (int r = 1; r < ESG_Keywords->RowCount(); ++r) {
        ESG_Keywords->SetCells(0, r, keywords.value(r - 1));
        ESG_Keywords->SetCells(1, r, descriptions.value(r - 1));
        ESG_Keywords->GetCellProperties(0, r)->SetReadOnly(false);
        ESG_Keywords->GetCellProperties(1, r)->SetReadOnly(true);
    }
}
