// The unit edit: value and unit joined and split, the unit menu and the unit text.
#include "grid/edit/EsgEdit.h"

#include "grid/edit/EditParts.h"
#include "platform/controls/Menus.h"

#include <QPainter>

TEsgUnitEditBtn::TEsgUnitEditBtn(TComponent* AOwner)
    : TEsgEditBtn(AOwner), FUnits(std::make_unique<TStringList>())
{
    FUnitSize = 20;
    SetRightAlign(true);
    SetEditRect();
}

TEsgUnitEditBtn::~TEsgUnitEditBtn() = default;

void TEsgUnitEditBtn::SetUnits(const TStrings* Value)
{
    if (Value)
        FUnits->Assign(Value);
}

void TEsgUnitEditBtn::SetUnitID(const QString& Value)
{
    FUnitID = Value;
    Invalidate();
}

void TEsgUnitEditBtn::SetUnitSpace(int Value)
{
    FUnitSize = Value;
    SetEditRect();
    Invalidate();
}

void TEsgUnitEditBtn::SetTextAndUnit(const QString& Value)
{
    for (int i = 0; i < FUnits->Count(); ++i) {
        const QString unit = FUnits->Strings(i);
        const int at = Pos(unit, Value); // 1-based, 0 when absent
        if (at > 0 && at == Value.length() - unit.length() + 1) {
            SetText(Value.left(at - 1));
            SetUnitID(unit);
            return;
        }
    }
}

void TEsgUnitEditBtn::ClickButton(TObject*)
{
    TEsgEditBtn::ClickButton(this);
    // The menu lives while it is shown; the choice comes back as WM_COMMAND.
    auto menu = std::make_unique<TPopupMenu>(nullptr);
    for (int i = 0; i < FUnits->Count(); ++i) {
        auto* item = new TMenuItem(menu.get());
        item->SetCaption(FUnits->Strings(i));
        const int id = i + 1;
        item->OnClick = [this, id](TObject*) { Perform(WM_COMMAND, WPARAM(id), 0); };
        menu->Items->Add(item);
    }
    const int border = esgedit::BorderWidth(this);
    const TPoint origin = ClientToScreen(TPoint(border, border));
    const int clientHeight = Height() - 2 * border;
    menu->Popup(origin.X + esgedit::ClientWidthOf(this) - MenuOffsetLeft, origin.Y + clientHeight);
}

void TEsgUnitEditBtn::WndProc(TMessage& Message)
{
    if (Message.Msg != WM_COMMAND) {
        TEsgEditBtn::WndProc(Message);
        return;
    }
    if (HiWord(Message.WParam) == EN_CHANGE)
        return;
    const int id = LoWord(Message.WParam);
    if (id < 1 || id > FUnits->Count())
        return;
    const QString previous = FUnitID;
    SetUnitID(FUnits->Strings(id - 1));
    if (previous != FUnitID && OnUnitChanged)
        OnUnitChanged(this, FUnitID);
}

void TEsgUnitEditBtn::PaintWidget(QPaintEvent* event, TControlWidgetLink& link)
{
    link.NativePaint(event);
    if (FUnitID.isEmpty())
        return;
    const int border = esgedit::BorderWidth(this);
    const int clientWidth = esgedit::ClientWidthOf(this);
    const int right = clientWidth - (Button()->Width() + 3);
    TRect r(right - UnitSpace(), 2, right, Height() - 2 * border);
    r = TRect(r.Left + border, r.Top + border, r.Right + border, r.Bottom + border);
    QPainter painter(Widget());
    TCanvas canvas;
    TCanvasPainterBinding binding(canvas, painter);
    canvas.Font->Assign(Font);
    canvas.DrawText(FUnitID, r, DT_EDITCONTROL);
}
