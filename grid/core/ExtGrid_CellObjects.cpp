// TExtStringGrid: the cell objects (create, look up, remove), the check-box state model and the radio
// buttons. The other kinds are in ExtGrid_CellKinds.cpp, typed values and header lists in
// ExtGrid_CellValues.cpp.
#include "grid/base/UndoRedo.h"
#include "grid/core/ExtGrid.h"
#include "platform/graphics/ImgList.h"

#include <algorithm>
#include <cmath>
#include <typeinfo>

// ---- Cell objects --------------------------------------------------------------------------------------

namespace
{
// The cell object when the slot holds a TCellGraphic. Asked for every cell a column operation or a
// paint touches: the exact class is checked first, the cast only for derived classes and others.
TCellGraphic* AsCellGraphic(TObject* Object)
{
    if (!Object)
        return nullptr;
    if (typeid(*Object) == typeid(TCellGraphic))
        return static_cast<TCellGraphic*>(Object);
    return dynamic_cast<TCellGraphic*>(Object);
}

// Cell writes of a column-wide operation repaint nothing one by one; the grid repaints once at the end.
class TCellWriteBatch
{
  public:
    explicit TCellWriteBatch(TStringGrid* Grid) : FGrid(Grid) { FGrid->TStringGrid::BeginUpdate(); }
    ~TCellWriteBatch() { FGrid->TStringGrid::EndUpdate(); }
    TCellWriteBatch(const TCellWriteBatch&) = delete;
    TCellWriteBatch& operator=(const TCellWriteBatch&) = delete;

  private:
    TStringGrid* FGrid;
};
} // namespace

void TExtStringGrid::InitCellObjects()
{
    FColumnHeaders = std::make_unique<TStringList>();
    FColumnHeaders->OnChange = [this](TObject*) {
        ColumnHeadersChanged();
        ShowColumnHeaders();
    };
    FRowHeaders = std::make_unique<TStringList>();
    FRowHeaders->OnChange = [this](TObject*) { ShowRowHeaders(); };
}

TCellGraphic* TExtStringGrid::GetCellGraphic(int ACol, int ARow)
{
    if (FMouseActions->HotmailRowSelect() && ACol == 0) {
        // Row check boxes show the row selection; the one in row 0 shows all rows (CellBoolean) or
        // some of them (CellAngle 1).
        FCellGraphic->SetCellType(ctRowCheckBox);
        if (ARow == 0) {
            const int count = RowSelectCount(), rows = RowCount() - FixedRows();
            FCellGraphic->SetCellAngle(count > 0 && count < rows ? 1 : 0);
            FCellGraphic->SetCellBoolean(count >= rows);
        } else {
            FCellGraphic->SetCellAngle(0);
            FCellGraphic->SetCellBoolean(ARow > 0 && RowSelect(RealRowIndex(ARow)));
        }
        FCellGraphic->SetCellTransparent(FControlLook->ControlStyle() == csFlat);
        return FCellGraphic.get();
    }
    return AsCellGraphic(GetGraphicObjectEx(ACol, ARow));
}

TCellType TExtStringGrid::GetCellType(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0)
        return ctEmpty;
    TObject* object = GetGraphicObjectEx(ACol, ARow);
    TCellGraphic* graphic = AsCellGraphic(object);
    if (object && !graphic)
        return ctEmpty;
    if (FMouseActions->HotmailRowSelect() && ACol == 0)
        return ctRowCheckBox;
    return graphic ? graphic->CellType() : ctEmpty;
}

static bool IsSharedType(TCellType T)
{
    return T == ctVirtCheckBox || T == ctRowCheckBox;
}

TCellGraphic* TExtStringGrid::CreateCellGraphic(int ACol, int ARow)
{
    if (TCellGraphic* old = GetCellGraphic(ACol, ARow); old && !IsSharedType(old->CellType())) {
        // Detach before freeing: the slot must never point at a freed object.
        SetGraphicObjectEx(ACol, ARow, nullptr);
        delete old;
    }
    auto* graphic = new TCellGraphic;
    SetGraphicObjectEx(ACol, ARow, graphic); // keeps an empty cell's text empty
    if (NumHiddenColumns() > 0 && DisplColIndex(ACol) != ACol)
        RepaintCell(DisplColIndex(ACol), ARow);
    return graphic;
}

bool TExtStringGrid::RemoveCellGraphic(int ACol, int ARow)
{
    TCellGraphic* graphic = GetCellGraphic(ACol, ARow);
    if (!graphic)
        return false;
    if (IsSharedType(graphic->CellType())) {
        // A shared object stands for the cell; a real object stored there is left alone.
        return true;
    }
    SetGraphicObjectEx(ACol, ARow, nullptr);
    delete graphic;
    if (!(ComponentState() & csDestroying))
        RepaintCell(DisplColIndex(ACol), ARow);
    return true;
}

bool TExtStringGrid::RemoveCellGraphicOfType(int ACol, int ARow, TCellType AType)
{
    return GetCellType(ACol, ARow) == AType && RemoveCellGraphic(ACol, ARow);
}

TIntList* TExtStringGrid::CellImages(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g && g->CellType() == ctImages ? g->CellImages() : nullptr;
}

int TExtStringGrid::GetCellImageRef(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g)
        return -1;
    // Object identity is what the image sort compares; the low bits of the address serve.
    switch (g->CellType()) {
    case ctBitmap:
        return int(reinterpret_cast<intptr_t>(g->CellBitmap()));
    case ctIcon:
        return int(reinterpret_cast<intptr_t>(g->CellIcon()));
    case ctImageList:
        return g->CellIndex();
    default:
        return -1;
    }
}

void TExtStringGrid::CellImagesChanged(TObject*, int ACol, int ARow)
{
    RepaintCell(DisplColIndex(ACol), ARow);
}

TCellGraphic* TExtStringGrid::RealRowCellGraphic(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0)
        return nullptr;
    if (const TGridItem* item = HiddenRowItem(ARow)) {
        if (ACol >= item->Items()->Count())
            return nullptr;
        const auto* props = dynamic_cast<const TCellProperties*>(item->Items()->Objects(ACol));
        return props ? dynamic_cast<TCellGraphic*>(props->GraphicObject()) : nullptr;
    }
    return GetCellGraphic(ACol, RealToDisplRow(ARow));
}

void TExtStringGrid::CheckCellIndex(int ACol, int ARow) const
{
    if (ACol < 0 || ARow < 0 || ACol >= ColCount() + NumHiddenColumns() ||
        ARow >= RowCount() + NumHiddenRows())
        throw Exception("Invalid cell");
}

TCellVAlign TExtStringGrid::CheckVAlign() const
{
    switch (VAlignment()) {
    case vtaCenter:
        return vaCenter;
    case vtaBottom:
        return vaBottom;
    default:
        return vaTop;
    }
}

// ---- Check boxes ---------------------------------------------------------------------------------------

void TExtStringGrid::AddCheckBox(int ACol, int ARow, bool State, bool IsData)
{
    CheckCellIndex(ACol, ARow);
    CreateCellGraphic(ACol, ARow)->SetCheckBox(State, IsData, true, haBeforeText, CheckVAlign());
    if (IsData) {
        // The grid's own texts, not the hooks: an existing check text decides the state.
        const QString text = Cells(ACol, ARow);
        if (text != CheckTrue && text != CheckFalse)
            SetCells(ACol, ARow, State ? CheckTrue : CheckFalse);
    }
}

void TExtStringGrid::AddCheckBox(int ACol, int ARow, TCheckBoxState State)
{
    CheckCellIndex(ACol, ARow);
    CreateCellGraphic(ACol, ARow)->SetCheckBox(State, true, haBeforeText, CheckVAlign());
}

void TExtStringGrid::AddCheckBoxColumn(int ACol, bool State, bool IsData)
{
    const int start = FMouseActions->CheckAllCheck ? 0 : FixedRows();
    TCellWriteBatch batch(this);
    for (int r = start; r < RowCount(); ++r) {
        // Node and summary rows are marked by their column-0 object.
        const TCellType kind = GetCellType(0, r);
        if (kind == ctSummary)
            continue;
        if (kind == ctNode)
            AddCheckBox(ACol, r, cbUnchecked);
        else
            AddCheckBox(ACol, r, State, IsData);
    }
}

void TExtStringGrid::AddTriStateCheckBoxColumn(int ACol, TCheckBoxState State)
{
    const int start = FMouseActions->CheckAllCheck ? 0 : FixedRows();
    TCellWriteBatch batch(this);
    for (int r = start; r < RowCount(); ++r)
        AddCheckBox(ACol, r, State);
}

void TExtStringGrid::RemoveCheckBoxColumn(int ACol)
{
    const int start = FMouseActions->CheckAllCheck ? 0 : FixedRows();
    for (int r = start; r < RowCount(); ++r)
        if (HasCheckBox(ACol, r))
            RemoveCheckBox(ACol, r);
}

void TExtStringGrid::RemoveCheckBox(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g)
        return;
    const TCellType t = g->CellType();
    if (t != ctCheckBox && t != ctDataCheckBox && t != ctTriStateCheckBox)
        return;
    if (g->HasAttachedBalloon())
        g->DetachBalloon();
    RemoveCellGraphic(ACol, ARow);
}

bool TExtStringGrid::HasCheckBox(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0)
        return false;
    const TPoint b = BaseCell(ACol, ARow);
    return TCellGraphic::IsCheckBoxType(GetCellType(b.X, b.Y));
}

bool TExtStringGrid::HasDataCheckBox(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0)
        return false;
    const TPoint b = BaseCell(ACol, ARow);
    const TCellType t = GetCellType(b.X, b.Y);
    return t == ctDataCheckBox || t == ctVirtCheckBox || t == ctRowCheckBox;
}

bool TExtStringGrid::IsDataGraphicCell(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0)
        return false;
    const TPoint b = BaseCell(ACol, ARow);
    const TCellType t = GetCellType(b.X, b.Y);
    return t == ctDataCheckBox || t == ctDataImage || t == ctVirtCheckBox || t == ctRowCheckBox;
}

bool TExtStringGrid::IsControlCell(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0)
        return false;
    const TPoint b = BaseCell(ACol, ARow);
    switch (GetCellType(b.X, b.Y)) {
    case ctCheckBox:
    case ctDataCheckBox:
    case ctRadio:
    case ctButton:
    case ctVirtCheckBox:
    case ctRowCheckBox:
    case ctRadioButton:
    case ctTriStateCheckBox:
        return true;
    default:
        return false;
    }
}

bool TExtStringGrid::GetCheckBoxState(int ACol, int ARow, bool& State)
{
    TCellGraphic* g = RealRowCellGraphic(ACol, ARow);
    if (!g)
        return false;
    switch (g->CellType()) {
    case ctCheckBox:
        State = g->CellBoolean();
        return true;
    case ctDataCheckBox:
    case ctVirtCheckBox: {
        QString checkTrue;
        GetCheckTrue(ACol, ARow, checkTrue);
        State = AllCells(ACol, ARow) == checkTrue;
        return true;
    }
    case ctRowCheckBox:
        if (ACol != 0)
            return false;
        State = RowSelect(ARow);
        return true;
    default:
        return false;
    }
}

bool TExtStringGrid::GetCheckBoxState(int ACol, int ARow, TCheckBoxState& State)
{
    TCellGraphic* g = RealRowCellGraphic(ACol, ARow);
    if (!g)
        return false;
    switch (g->CellType()) {
    case ctCheckBox:
        State = BoolToCheckBoxState(g->CellBoolean());
        return true;
    case ctDataCheckBox:
    case ctVirtCheckBox: {
        QString checkTrue;
        GetCheckTrue(ACol, ARow, checkTrue);
        State = BoolToCheckBoxState(AllCells(ACol, ARow) == checkTrue);
        return true;
    }
    case ctTriStateCheckBox:
        State = g->CellCheckBoxState();
        return true;
    case ctRowCheckBox:
        if (ACol != 0)
            return false;
        State = BoolToCheckBoxState(RowSelect(ARow));
        return true;
    default:
        return false;
    }
}

bool TExtStringGrid::SetCheckBoxState(int ACol, int ARow, bool State)
{
    TCellGraphic* g = RealRowCellGraphic(ACol, ARow);
    if (!g)
        return false;
    switch (g->CellType()) {
    case ctCheckBox:
        g->SetCellBoolean(State);
        if (!IsHiddenRow(ARow))
            RepaintCell(DisplColIndex(ACol), RealToDisplRow(ARow));
        return true;
    case ctDataCheckBox:
    case ctVirtCheckBox: {
        QString text;
        if (State)
            GetCheckTrue(ACol, ARow, text);
        else
            GetCheckFalse(ACol, ARow, text);
        SetAllCells(ACol, ARow, text);
        return true;
    }
    case ctRowCheckBox:
        if (ACol != 0)
            return false;
        SetRowSelect(ARow, State);
        return true;
    default:
        return false;
    }
}

bool TExtStringGrid::SetCheckBoxState(int ACol, int ARow, TCheckBoxState State)
{
    TCellGraphic* g = RealRowCellGraphic(ACol, ARow);
    if (!g || g->CellType() != ctTriStateCheckBox)
        return false;
    g->SetCellCheckBoxState(State);
    if (!IsHiddenRow(ARow))
        RepaintCell(DisplColIndex(ACol), RealToDisplRow(ARow));
    return true;
}

bool TExtStringGrid::IsChecked(int ACol, int ARow)
{
    bool state = false;
    return GetCheckBoxState(ACol, ARow, state) && state;
}

bool TExtStringGrid::ChangeCheckBoxState(int ACol, int ARow, bool State)
{
    TCellGraphic* g =
        NumHiddenRows() > 0 ? RealRowCellGraphic(ACol, RealRowIndex(ARow)) : GetCellGraphic(ACol, ARow);
    if (!g)
        return false;
    switch (g->CellType()) {
    case ctCheckBox:
        if (g->CellBoolean() != State) {
            g->SetCellBoolean(State);
            DoCheckBoxChange(ACol, ARow, State);
            RepaintCell(DisplColIndex(ACol), ARow);
        }
        return true;
    case ctDataCheckBox:
    case ctVirtCheckBox: {
        QString checkTrue, checkFalse;
        GetCheckTrue(ACol, ARow, checkTrue);
        GetCheckFalse(ACol, ARow, checkFalse);
        const bool old = Cells(ACol, ARow) == checkTrue;
        SetCells(ACol, ARow, State ? checkTrue : checkFalse);
        if (old != State)
            DoCheckBoxChange(ACol, ARow, State);
        return true;
    }
    case ctRowCheckBox:
        if (ACol != 0)
            return false;
        if (RowSelect(ARow) != State) {
            SetRowSelect(ARow, State);
            DoCheckBoxChange(ACol, ARow, State);
        }
        return true;
    default:
        return false;
    }
}

void TExtStringGrid::CheckAll(int ACol)
{
    for (int r = FixedRows(); r < RowCount(); ++r)
        ChangeCheckBoxState(ACol, r, true);
    if (NumHiddenColumns() > 0)
        InvalidateCol(DisplColIndex(ACol));
}

void TExtStringGrid::UnCheckAll(int ACol)
{
    for (int r = FixedRows(); r < RowCount(); ++r)
        ChangeCheckBoxState(ACol, r, false);
}

bool TExtStringGrid::ToggleCheckBoxCell(int ACol, int ARow, bool AskFirst)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g)
        return false;
    const TCellType t = g->CellType();
    if (!TCellGraphic::IsCheckBoxType(t) || t == ctRowCheckBox)
        return false;
    if (AskFirst && !FControlLook->CheckAlwaysActive) {
        bool allowed = true;
        CanEditCell(ACol, ARow, allowed);
        if (!allowed)
            return false;
    }
    const QString oldText = Cells(ACol, ARow);
    bool state = false;
    switch (t) {
    case ctCheckBox:
        g->SetCellBoolean(!g->CellBoolean());
        state = g->CellBoolean();
        break;
    case ctDataCheckBox:
    case ctVirtCheckBox: {
        QString checkTrue, checkFalse;
        GetCheckTrue(ACol, ARow, checkTrue);
        GetCheckFalse(ACol, ARow, checkFalse);
        state = oldText != checkTrue;
        SetCells(ACol, ARow, state ? checkTrue : checkFalse);
        break;
    }
    default: // ctTriStateCheckBox outside node rows
        switch (g->CellCheckBoxState()) {
        case cbUnchecked:
            g->SetCellCheckBoxState(cbGrayed);
            break;
        case cbGrayed:
            g->SetCellCheckBoxState(cbChecked);
            break;
        case cbChecked:
            g->SetCellCheckBoxState(cbUnchecked);
            break;
        }
        break;
    }
    RepaintCell(DisplColIndex(ACol), ARow);
    DoCheckBoxChange(ACol, ARow, state);
    // Undo records what the cell text really was and became (object-held states change no text).
    if (FUndoRedo && (t == ctDataCheckBox || t == ctVirtCheckBox))
        FUndoRedo->RegisterChange(ACol, ARow, oldText, Cells(ACol, ARow));
    return true;
}

bool TExtStringGrid::IsInCheckBox(int ACol, int ARow, int X, int Y)
{
    TCellGraphic* g = GetCellGraphic(RealColIndex(ACol), ARow);
    if (!g || !(TCellGraphic::IsCheckBoxType(g->CellType()) || g->CellType() == ctRadioButton))
        return false;
    if (!FMouseActions->PreciseCheckBoxCheck)
        return true;
    const int s = FControlLook->CheckSize();
    const TRect r = CellRect(ACol, ARow);
    int top = r.Top + 2;
    if (g->CellVAlign() == vaBottom)
        top = r.Bottom - s - 2;
    else if (g->CellVAlign() == vaCenter)
        top = r.Top + (r.Bottom - r.Top - s) / 2;
    TAlignment ha = taLeftJustify;
    TVAlignment va = VAlignment();
    GetAlignment(RealColIndex(ACol), ARow, ha, va);
    int left = r.Left + 2;
    if (ha == taRightJustify) {
        left = r.Right - s - 2;
        const QString text = Cells(RealColIndex(ACol), ARow);
        if (!text.isEmpty())
            left -= Canvas->TextWidth(text);
    } else if (ha == taCenter) {
        left = r.Left + (r.Right - r.Left - s) / 2;
    }
    return X >= left && X < left + s && Y >= top && Y < top + s;
}

void TExtStringGrid::DoCheckBoxChange(int ACol, int ARow, bool State)
{
    if (OnCheckBoxChange)
        OnCheckBoxChange(this, ACol, ARow, State);
}

// ---- Radio buttons ------------------------------------------------------------------------------------

void TExtStringGrid::AddRadioButton(int ACol, int ARow, bool State)
{
    CheckCellIndex(ACol, ARow);
    CreateCellGraphic(ACol, ARow)->SetRadioButton(State, true, haBeforeText, CheckVAlign());
}

void TExtStringGrid::AddRadioButtonColumn(int ACol)
{
    for (int r = FixedRows(); r < RowCount(); ++r)
        AddRadioButton(ACol, r, false);
}

void TExtStringGrid::RemoveRadioButton(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctRadioButton);
}

void TExtStringGrid::RemoveRadioButtonColumn(int ACol)
{
    for (int r = FixedRows(); r < RowCount(); ++r)
        if (HasRadioButton(ACol, r))
            RemoveRadioButton(ACol, r);
}

bool TExtStringGrid::HasRadioButton(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0)
        return false;
    const TPoint b = BaseCell(ACol, ARow);
    return GetCellType(b.X, b.Y) == ctRadioButton;
}

bool TExtStringGrid::IsRadioButtonChecked(int ACol, int ARow)
{
    if (!HasRadioButton(ACol, ARow))
        return false;
    const TPoint b = BaseCell(ACol, ARow);
    return GetCellGraphic(b.X, b.Y)->CellBoolean();
}

bool TExtStringGrid::SetRadioButtonState(int ACol, int ARow, bool State)
{
    if (!HasRadioButton(ACol, ARow))
        return false;
    const TPoint b = BaseCell(ACol, ARow);
    TCellGraphic* g = GetCellGraphic(b.X, b.Y);
    if (g->CellBoolean() != State) {
        g->SetCellBoolean(State);
        RepaintCell(DisplColIndex(ACol), ARow);
    }
    return true;
}

void TExtStringGrid::SetRadioButtonColumnIndex(int ACol, int Index)
{
    for (int r = FixedRows(); r < RowCount(); ++r)
        SetRadioButtonState(ACol, r, r == Index);
}

int TExtStringGrid::GetRadioButtonColumnIndex(int ACol)
{
    for (int r = FixedRows(); r < RowCount(); ++r)
        if (IsRadioButtonChecked(ACol, r))
            return r;
    return -1;
}

bool TExtStringGrid::ClickRadioButton(int ACol, int ARow, bool AskFirst)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || g->CellType() != ctRadioButton)
        return false;
    if (AskFirst && !FControlLook->CheckAlwaysActive) {
        bool allowed = true;
        CanEditCell(ACol, ARow, allowed);
        if (!allowed)
            return false;
    }
    if (!g->CellBoolean()) {
        g->SetCellBoolean(true);
        RepaintCell(DisplColIndex(ACol), ARow);
        for (int r = 0; r < RowCount(); ++r) {
            TCellGraphic* other = GetCellGraphic(ACol, r);
            if (r != ARow && other && other->CellType() == ctRadioButton && other->CellBoolean()) {
                other->SetCellBoolean(false);
                RepaintCell(DisplColIndex(ACol), r);
            }
        }
    }
    return true;
}

void TExtStringGrid::AddRadio(int ACol, int ARow, int Direction, int ItemIndex, TStrings* Items)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetCellType(ctRadio);
    g->BitmapSlot().Set(Items, false);
    g->SetCellAngle(Items ? Items->Count() : 0);
    g->SetCellBoolean(Direction != 0);
    g->SetCellIndex(ItemIndex);
}

TStrings* TExtStringGrid::CreateRadio(int ACol, int ARow, int Direction, int ItemIndex)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    auto* items = new TStringList;
    g->SetCellType(ctRadio);
    g->BitmapSlot().Set(static_cast<TStrings*>(items), true);
    g->SetCellCreated(true);
    g->SetCellAngle(0);
    g->SetCellBoolean(Direction != 0);
    g->SetCellIndex(ItemIndex);
    return items;
}

bool TExtStringGrid::GetRadioIdx(int ACol, int ARow, int& ItemIndex)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || g->CellType() != ctRadio)
        return false;
    ItemIndex = g->CellIndex();
    return true;
}

bool TExtStringGrid::SetRadioIdx(int ACol, int ARow, int ItemIndex)
{
    // Only radio groups: on other kinds CellIndex holds sizes, colours or image indexes.
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || g->CellType() != ctRadio)
        return false;
    g->SetCellIndex(ItemIndex);
    if (ItemIndex == -1)
        SetCells(ACol, ARow, QString());
    RepaintCell(DisplColIndex(ACol), ARow);
    return true;
}

TStrings* TExtStringGrid::GetRadioStrings(int ACol, int ARow)
{
    if (!IsRadio(ACol, ARow))
        return nullptr;
    const TPoint b = BaseCell(ACol, ARow);
    return GetCellGraphic(b.X, b.Y)->CellStrings();
}

bool TExtStringGrid::IsRadio(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0)
        return false;
    const TPoint b = BaseCell(ACol, ARow);
    return GetCellType(b.X, b.Y) == ctRadio;
}

void TExtStringGrid::RemoveRadio(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctRadio);
}

void TExtStringGrid::CycleRadio(int ACol, int ARow, bool AskFirst)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || g->CellType() != ctRadio)
        return;
    if (AskFirst && !FControlLook->RadioAlwaysActive) {
        bool allowed = true;
        CanEditCell(ACol, ARow, allowed);
        if (!allowed)
            return;
    }
    TStrings* items = g->CellStrings();
    const int count = items ? items->Count() : 0;
    int next =
        g->CellIndex() >= 0 ? g->CellIndex() + 1 : (items ? items->IndexOf(Cells(ACol, ARow)) : -1) + 1;
    if (next >= count)
        next = 0;
    if (g->CellIndex() >= -1)
        g->SetCellIndex(next);
    g->SetCellVar(next);
    SetCells(ACol, ARow, next < count ? items->Strings(next) : QString());
}

// ---- Graphic sizes ---------------------------------------------------------------------------------------

namespace
{
bool Beside(const TCellGraphic* g)
{
    return g->CellHAlign() == haBeforeText || g->CellHAlign() == haAfterText;
}

bool Over(const TCellGraphic* g)
{
    return g->CellVAlign() == vaUnderText || g->CellVAlign() == vaAboveText;
}

// A button's size is kept in CellIndex: width in the low word, height in the high word.
int ButtonWidth(const TCellGraphic* g)
{
    return int(uint32_t(g->CellIndex()) & 0xFFFF);
}

int ButtonHeight(const TCellGraphic* g)
{
    return int(uint32_t(g->CellIndex()) >> 16);
}
} // namespace

TPoint TExtStringGrid::CalcCellGraphicSize(int ACol, int ARow, int ExtraHeight)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g)
        return TPoint(0, 0);
    const QString text = Cells(ACol, ARow);
    const bool noText = text.isEmpty();
    const int dc = DisplColIndex(ACol);
    TImageList* images = GetGridImageList();
    int W = 0, H = 0;
    switch (g->CellType()) {
    case ctBitmap:
        if (TBitmap* b = g->CellBitmap()) {
            W = Beside(g) || noText ? b->Width() : 0;
            H = Over(g) || noText ? b->Height() : 0;
        }
        break;
    case ctIcon:
        if (TIcon* i = g->CellIcon()) {
            W = Beside(g) || noText ? i->Width() : 0;
            H = i->Height();
        }
        break;
    case ctImageList:
    case ctDataImage:
        if (images) {
            W = Beside(g) || noText ? images->Width() : 0;
            H = Over(g) || noText ? images->Height() : 0;
        }
        break;
    case ctPicture:
    case ctFilePicture: {
        const TPoint cell = CellSize(dc, ARow);
        g->GetPictureSize(cell.X - 1 - GetTotalXOffset(), cell.Y - 1 - GetTotalYOffset() - ExtraHeight, W, H);
        break;
    }
    case ctButton:
    case ctBitButton: {
        const int caption = Canvas->TextWidth(g->CellText()) + 4;
        if (!noText) {
            W = g->CellHAlign() == haCenter || Over(g) ? 0
                : g->CellHAlign() == haFull            ? caption
                                                       : ButtonWidth(g);
            H = Over(g) ? ButtonHeight(g) : 0;
        } else {
            W = g->CellHAlign() == haFull ? caption : ButtonWidth(g);
            H = ButtonHeight(g);
        }
        break;
    }
    case ctInterface: {
        const auto* i = dynamic_cast<const ICellGraphic*>(g->CellObject());
        W = i ? i->GetWidth() : 0;
        H = i ? i->GetHeight() : 0;
        if (W == 0 || H == 0) {
            const TPoint cell = CellSize(dc, ARow);
            W = cell.X;
            H = cell.Y;
        }
        break;
    }
    case ctCheckBox:
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
    case ctTriStateCheckBox:
        W = H = ControlLook()->CheckSize();
        break;
    case ctRadioButton:
        W = H = ControlLook()->RadioSize();
        break;
    case ctRadio: {
        const TStrings* items = g->CellStrings();
        const int n = items ? items->Count() : 0;
        const int th = Canvas->TextHeight("gh");
        if (g->CellBoolean()) {
            for (int i = 0; i < n; ++i)
                W += Canvas->TextWidth(items->Strings(i)) + 12;
            H = th;
        } else {
            int widest = 0;
            for (int i = 0; i < n; ++i)
                widest = std::max(widest, Canvas->TextWidth(items->Strings(i)));
            W = std::max(12, widest + 12);
            H = std::max(16, th) * n;
        }
        break;
    }
    case ctProgressPie:
        W = H = 20;
        break;
    case ctRating:
        W = 18 * g->CellAngle();
        H = 16;
        break;
    case ctImages:
        if (images && g->CellImages()) {
            const int n = g->CellImages()->Count();
            W = g->CellBoolean() ? n * images->Width() : images->Width();
            H = g->CellBoolean() ? images->Height() : n * images->Height();
        }
        break;
    default:
        break;
    }
    const TRect r = CellRect(dc, ARow);
    if (g->CellVAlign() == vaFull)
        H = r.Height();
    // A rating, and a captioned button in a cell without text, keep their width unless stretched
    // vertically as well.
    const bool keepWidth =
        g->CellType() == ctRating ||
        ((g->CellType() == ctButton || g->CellType() == ctBitButton) && !g->CellText().isEmpty() && noText);
    if (g->CellHAlign() == haFull && (!keepWidth || g->CellVAlign() == vaFull))
        W = r.Width();
    return TPoint(W, H);
}

TPoint TExtStringGrid::CalcPrintGraphicSize(int ACol, int ARow, int AvailWidth, int AvailHeight, double Scale)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g)
        return TPoint(0, 0);
    TImageList* images = GetGridImageList();
    const int dc = DisplColIndex(ACol);
    switch (g->CellType()) {
    case ctBitmap:
        if (TBitmap* b = g->CellBitmap())
            return TPoint(b->Width(), b->Height());
        return TPoint(0, 0);
    case ctIcon:
        if (TIcon* i = g->CellIcon())
            return TPoint(i->Width(), i->Height());
        return TPoint(0, 0);
    case ctImageList:
        if (!images)
            return TPoint(0, 0);
        return TPoint(Beside(g) || Cells(ACol, ARow).isEmpty() ? images->Width() : 0, images->Height());
    case ctDataImage:
        return images ? TPoint(images->Width(), images->Height()) : TPoint(0, 0);
    case ctCheckBox:
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
    case ctTriStateCheckBox:
        return TPoint(ControlLook()->CheckSize(), ControlLook()->CheckSize());
    case ctRadioButton:
        return TPoint(ControlLook()->RadioSize(), ControlLook()->RadioSize());
    case ctNode:
    case ctProgressPie:
        return TPoint(20, 20);
    case ctRadio:
    case ctImages:
        return CalcCellGraphicSize(ACol, ARow, 0);
    case ctPicture:
    case ctFilePicture: {
        int W = 0, H = 0;
        g->GetPictureSize(AvailWidth, AvailHeight, W, H);
        if (Scale == 0)
            return TPoint(W, H);
        // Halves to even, as the platform's Round does.
        return TPoint(int(std::nearbyint(W / Scale)), int(std::nearbyint(H / Scale)));
    }
    case ctProgress:
    case ctXPProgress:
        return TPoint(AllColWidths(ACol), RowHeights(ARow));
    case ctButton:
    case ctBitButton:
        return TPoint(ButtonWidth(g), ButtonHeight(g));
    case ctInterface: {
        const auto* i = dynamic_cast<const ICellGraphic*>(g->CellObject());
        if (!i)
            return TPoint(0, 0);
        const TRect r = CellRect(dc, ARow);
        return TPoint(i->GetWidth() ? i->GetWidth() : r.Width(),
                      i->GetHeight() ? i->GetHeight() : r.Height());
    }
    default:
        return TPoint(0, 0);
    }
}
