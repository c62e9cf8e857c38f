// The communication-parameters form: building the panels from their descriptors, the row engine,
// the model's ordering and re-layout with the panel rules, and the resize, wheel and "." keys.
#include "gateway/UParGen.h"

#include "app/ULang.h"
#include "gateway/UParGen_Fields.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/graphics/Colors.h"

#include <algorithm>

namespace
{

// Row geometry, counted from the top of the panel body.
constexpr int Row_Start = 12;
constexpr int Row_Step = 28;
constexpr int Field_Raise = 3; // edits and combo boxes sit this much above their label
constexpr int Label_Left = 16;
constexpr int Control_Left = 200;
constexpr int Field_Width = 220, Field_Height = 21;
constexpr int Octet_Width = 40, Dot_Width = 12;
constexpr int Check_Width = 420, Check_Height = 17;
constexpr int Gateway_Check_Width = Control_Left - Label_Left - 8;
constexpr int Panel_Width = 460;
constexpr int Panel_Bottom_Margin = 12;

// The window system's scroll codes of a vertical-scroll message.
constexpr WPARAM Scroll_Line_Up = 0, Scroll_Line_Down = 1, Scroll_End = 8;

bool Is_Trigger(const TObject* sender, std::span<const char* const> names)
{
    const auto* component = dynamic_cast<const TComponent*>(sender);
    if (!component)
        return false;
    return std::any_of(names.begin(), names.end(),
                       [&](const char* name) { return component->Name() == QLatin1String(name); });
}

} // namespace

// ---- Building -------------------------------------------------------------------------------------

void TFParGen::Make_Panel(const TParPanel& def)
{
    auto* panel = new TCategoryPanel(this);
    panel->SetName(def.Name);
    panel->SetPanelGroup(CPG);
    panel->SetWidth(Panel_Width);
    this->*def.Member = panel;
    TPanelView& view = FPanels.emplace_back(TPanelView{&def, panel, {}});
    for (const TParRow& row : def.Rows)
        Make_Row(view, row);
}

void TFParGen::Make_Row(TPanelView& view, const TParRow& def)
{
    TCategoryPanel* panel = view.Panel;
    TRowView& row = view.Rows.emplace_back();
    row.Def = &def;
    if (def.Label)
        row.Label = Make_Label(this, panel, def.Label, Label_Left, 0);

    auto makeEdit = [&](const TParControl<TEdit>& c, int left, int width) {
        auto* edit = new TEdit(this);
        edit->SetName(c.Name);
        edit->SetParent(panel);
        edit->SetBounds(left, 0, width, Field_Height);
        edit->SetMaxLength(def.MaxLength);
        edit->NumbersOnly = def.DigitsOnly;
        edit->OnChange = [this](TObject* Sender) { On_Change(Sender); };
        this->*c.Member = edit;
        return edit;
    };

    switch (def.Kind) {
    case TRowKind::Edit:
        row.Edits[0] = makeEdit(def.Edits[0], Control_Left, Field_Width);
        break;
    case TRowKind::Octets:
    case TRowKind::Gateway:
        for (int i = 0; i < 4; ++i) {
            const int left = Control_Left + i * (Octet_Width + Dot_Width);
            row.Edits[i] = makeEdit(def.Edits[i], left, Octet_Width);
            row.Edits[i]->OnKeyPress = [this](TObject* Sender, char16_t& Key) { KeyPress(Sender, Key); };
            if (i < 3) {
                TLabel* dot = Make_Label(this, panel, "", left + Octet_Width + 4, 0);
                dot->SetCaption(".");
                row.Dots.push_back(dot);
            }
        }
        break;
    case TRowKind::Combo: {
        auto* combo = new TComboBox(this);
        combo->SetName(def.Combo.Name);
        combo->SetParent(panel);
        combo->SetStyle(csDropDownList);
        combo->SetBounds(Control_Left, 0, Field_Width, Field_Height);
        for (const char* item : def.Items)
            combo->Items->Add(QString::fromLatin1(item));
        combo->OnChange = [this](TObject* Sender) { On_Change(Sender); };
        this->*def.Combo.Member = combo;
        row.Combo = combo;
        break;
    }
    case TRowKind::Check:
        break;
    }

    if (def.Kind == TRowKind::Check || def.Kind == TRowKind::Gateway) {
        auto* box = new TCheckBox(this);
        box->SetName(def.Check.Name);
        box->SetParent(panel);
        box->SetBounds(Label_Left, 0, def.Kind == TRowKind::Check ? Check_Width : Gateway_Check_Width,
                       Check_Height);
        box->OnClick = [this](TObject* Sender) { On_Click(Sender); };
        this->*def.Check.Member = box;
        row.Check = box;
    }
}

// ---- Row engine -----------------------------------------------------------------------------------

const TFParGen::TPanelView& TFParGen::View_Of(const TCategoryPanel* panel) const
{
    for (const TPanelView& view : FPanels)
        if (view.Panel == panel)
            return view;
    throw EListError("Panel not found");
}

TFParGen::TPanelView& TFParGen::View_Of(const TCategoryPanel* panel)
{
    return const_cast<TPanelView&>(std::as_const(*this).View_Of(panel));
}

TFParGen::TRowView* TFParGen::Row_Of(const char* controlName)
{
    const QLatin1String name(controlName);
    for (TPanelView& view : FPanels)
        for (TRowView& row : view.Rows) {
            if (row.Label && row.Label->Name() == name)
                return &row;
            if (row.Check && row.Check->Name() == name)
                return &row;
            if (row.Combo && row.Combo->Name() == name)
                return &row;
            for (TEdit* edit : row.Edits)
                if (edit && edit->Name() == name)
                    return &row;
        }
    throw EListError(QString("Row of %1 not found").arg(name));
}

void TFParGen::Show_Row(const char* controlName, bool shown)
{
    Row_Of(controlName)->Shown = shown;
}

void TFParGen::Stack_Rows(TPanelView& view)
{
    int top = Row_Start;
    for (TRowView& row : view.Rows) {
        auto place = [&](TControl* c, int y) {
            if (!c)
                return;
            c->SetVisible(row.Shown);
            if (row.Shown)
                c->SetTop(y);
        };
        place(row.Label, top);
        place(row.Check, top);
        place(row.Combo, top - Field_Raise);
        for (TEdit* edit : row.Edits)
            place(edit, top - Field_Raise);
        for (TLabel* dot : row.Dots)
            place(dot, top);
        if (row.Shown)
            top += Row_Step;
    }
}

void TFParGen::Set_Panel_Height(const TPanelView& view)
{
    const auto* deciding = dynamic_cast<const TControl*>(FindComponent(QLatin1String(view.Def->Deciding)));
    if (!deciding)
        throw EListError(QString("Control %1 not found").arg(QLatin1String(view.Def->Deciding)));
    view.Panel->SetHeight(deciding->Top() + deciding->Height() + Panel_Bottom_Margin + CPG->HeaderHeight());
}

void TFParGen::Lay_Out_Panel(TCategoryPanel* panel)
{
    TPanelView& view = View_Of(panel);
    Stack_Rows(view);
    Set_Panel_Height(view);
}

// ---- Ordering -------------------------------------------------------------------------------------

std::vector<TCategoryPanel*> TFParGen::Model_Panels() const
{
    std::vector<TCategoryPanel*> panels;
    for (TFormMember<TCategoryPanel> member : ParGen_Model_GW101().Panels)
        panels.push_back(this->*member);
    return panels;
}

void TFParGen::Order_TAB_Panels()
{
    Order_TAB_Panels_GW101();
}

void TFParGen::Order_TAB_Panels_GW101()
{
    Order_Panels(Model_Panels());
}

void TFParGen::Order_Panels(const std::vector<TCategoryPanel*>& panels)
{
    int top = 0;
    for (size_t i = 0; i < panels.size(); ++i) {
        TCategoryPanel* panel = panels[i];
        panel->SetVisible(true);
        panel->SetTop(top);
        top += panel->Height();
        panel->SetCaption(QString("%1. ").arg(i + 1) + Lang_Text(View_Of(panel).Def->Title));
        panel->SetTabOrder(int(i));
    }
}

// ---- Re-layout ------------------------------------------------------------------------------------

void TFParGen::Move_GroupBoxs()
{
    RePosition_Objects_GW101();
}

void TFParGen::RePosition_Objects_GW101()
{
    RePosition_Object_Ethernet_Connection();
    RePosition_Object_EtherCAT_Slave();
    RePosition_Object_Modbus_Master();
    RePosition_Object_Ethernet();
}

void TFParGen::RePosition_Object_Ethernet_Connection()
{
    CB_EthConn_En_DHCP_WiFi->SetEnabled(false);
    Lay_Out_Panel(CP_Ethernet_Connection);
}

void TFParGen::RePosition_Object_EtherCAT_Slave()
{
    Lay_Out_Panel(CP_EtherCAT_Slave);
}

void TFParGen::RePosition_Object_Modbus_Master()
{
    Lay_Out_Panel(CP_Modbus_Master);
}

void TFParGen::RePosition_Object_Ethernet()
{
    Show_Row("E_Ethernet_TCP_Port", false);
    Show_Row("E_Ethernet_UDP_Port", false);
    Apply_DHCP_Rule({E_Ethernet_IP1, E_Ethernet_IP2, E_Ethernet_IP3, E_Ethernet_IP4, E_Ethernet_SM1,
                     E_Ethernet_SM2, E_Ethernet_SM3, E_Ethernet_SM4, E_Ethernet_GAT1, E_Ethernet_GAT2,
                     E_Ethernet_GAT3, E_Ethernet_GAT4},
                    CB_Ethernet_En_GAT);
    Lay_Out_Panel(CP_Ethernet);
}

void TFParGen::Apply_DHCP_Rule(std::array<TEdit*, 12> octets, TCheckBox* gateway)
{
    const bool enabled = !CB_EthConn_En_DHCP_Cable->Checked();
    for (TEdit* edit : octets)
        edit->SetEnabled(enabled);
    if (gateway)
        gateway->SetEnabled(enabled);
}

// ---- Events ---------------------------------------------------------------------------------------

void TFParGen::On_Change(TObject* Sender)
{
    Is_Change = true;
    if (Is_Trigger(Sender, ParGen_Change_Triggers()))
        Move_GroupBoxs();
}

void TFParGen::On_Click(TObject* Sender)
{
    Is_Change = true;
    if (Is_Trigger(Sender, ParGen_Click_Triggers()))
        Move_GroupBoxs();
}

void TFParGen::FormResize(TObject*)
{
    if (ClientWidth() != ParGen_Client_Width)
        SetClientWidth(ParGen_Client_Width);
}

void TFParGen::FormMouseWheel(TObject*, TShiftState, int WheelDelta, TPoint MousePos, bool& Handled)
{
    // The group's visible area, scroll bar included (its ClientRect is the whole scrolled surface).
    const TPoint at = CPG->ScreenToClient(MousePos);
    if (!PtInRect(TRect(0, 0, CPG->Width(), CPG->Height()), at))
        return;
    Handled = true;
    const WPARAM code = WheelDelta > 0 ? Scroll_Line_Up : Scroll_Line_Down;
    for (int i = 0; i < Mouse->WheelScrollLines(); ++i) {
        TMessage step{WM_VSCROLL, code, 0, 0};
        CPG->WndProc(step);
        TMessage end{WM_VSCROLL, Scroll_End, 0, 0};
        CPG->WndProc(end);
    }
}

void TFParGen::KeyPress(TObject* Sender, char16_t& Key)
{
    if (Key != u'.')
        return;
    Key = 0;
    for (std::span<const TFormMember<TEdit>> chain : ParGen_Octet_Chains())
        for (size_t i = 0; i + 1 < chain.size(); ++i)
            if (this->*chain[i] == Sender) {
                TEdit* next = this->*chain[i + 1];
                if (next->CanFocus())
                    next->SetFocus();
                return;
            }
}

void TFParGen::E_EtherCAT_Slave_NameKeyPress(TObject*, char16_t& Key)
{
    const bool hexDigit = Key == u'0' || Key == u'1' || (Key >= u'A' && Key <= u'F');
    if (!hexDigit && Key > 32)
        Key = 0;
}
