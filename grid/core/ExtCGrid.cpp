// TExtColumnGrid, its items and collection: construction, copying, the collection's realignment and
// the per-cell hooks answered from the columns.
#include "grid/core/ExtCGrid.h"
#include "grid/edit/GridEditors.h"

#include "grid/base/NumberText.h"
#include "grid/edit/GridCombo.h"
#include "platform/controls/Menus.h"

#include <algorithm>
#include <cmath>

// ---- TGridColumnItem ------------------------------------------------------------------------------------

TGridColumnItem::TGridColumnItem(TCollection* Collection) : TCollectionItem(Collection)
{
    FBorderPen->Color = clSilver;
    FPrintBorderPen->Color = clBlack;
    TExtColumnGrid* grid = Grid();
    if (!grid)
        return;
    FColor = grid->Color();
    FFont->Assign(*grid->Font);
    FHeaderFont->Assign(*grid->Font);
    FPrintFont->Assign(*grid->Font);
    FFont->OnChange = [this](TGraphicsObject*) { Update(); };
    FHeaderFont->OnChange = [this](TGraphicsObject*) { Update(); };
    FBorderPen->OnChange = [this](TGraphicsObject*) { Update(); };
    FFilter->OnChange = [this](TObject*) { Repaint(); };
}

TGridColumnItem::~TGridColumnItem()
{
    // No change handler may run into a half-destroyed item.
    FFont->OnChange = nullptr;
    FHeaderFont->OnChange = nullptr;
    FBorderPen->OnChange = nullptr;
    FFilter->OnChange = nullptr;
}

TExtColumnGrid* TGridColumnItem::Grid() const
{
    const auto* c = dynamic_cast<const TGridColumnCollection*>(Collection());
    return c ? c->Grid() : nullptr;
}

void TGridColumnItem::Update()
{
    if (dynamic_cast<TGridColumnCollection*>(Collection()))
        Changed(false);
}

void TGridColumnItem::Repaint()
{
    if (TExtColumnGrid* grid = Grid())
        grid->Invalidate();
}

void TGridColumnItem::CopyFields(const TGridColumnItem* Src, bool Visuals)
{
    // Direct field writes: no Update, no row-0 write, no repaint; the handlers are held off while
    // the owned objects are copied.
    const auto fontHandler = std::move(FFont->OnChange);
    const auto headerHandler = std::move(FHeaderFont->OnChange);
    const auto penHandler = std::move(FBorderPen->OnChange);
    const auto filterHandler = std::move(FFilter->OnChange);
    FFont->OnChange = nullptr;
    FHeaderFont->OnChange = nullptr;
    FBorderPen->OnChange = nullptr;
    FFilter->OnChange = nullptr;

    FAlignment = Src->FAlignment;
    FHeaderAlignment = Src->FHeaderAlignment;
    FBorderPen->Assign(*Src->FBorderPen);
    FBorders = Src->FBorders;
    CheckFalse = Src->CheckFalse;
    CheckTrue = Src->CheckTrue;
    EditLength = Src->EditLength;
    EditLink = Src->EditLink;
    EditMask = Src->EditMask;
    FEditorType = Src->FEditorType;
    FFixed = Src->FFixed;
    FPassword = Src->FPassword;
    FPrintBorderPen->Assign(*Src->FPrintBorderPen);
    PrintBorders = Src->PrintBorders;
    PrintColor = Src->PrintColor;
    FPrintFont->Assign(*Src->FPrintFont);
    ReadOnly = Src->ReadOnly;
    SortPrefix = Src->SortPrefix;
    SortStyle = Src->SortStyle;
    SortSuffix = Src->SortSuffix;
    SpinMax = Src->SpinMax;
    SpinMin = Src->SpinMin;
    SpinStep = Src->SpinStep;
    ColumnPopup = Src->ColumnPopup;
    FShowBands = Src->FShowBands;
    MinSize = Src->MinSize;
    MaxSize = Src->MaxSize;
    AutoMinSize = Src->AutoMinSize;
    AutoMaxSize = Src->AutoMaxSize;
    FFilter->Assign(Src->FFilter.get());
    FilterCaseSensitive = Src->FilterCaseSensitive;
    FDefIdx = Src->FDefIdx;
    FFloatFormat = Src->FFloatFormat;
    FWidth = Src->Width();
    TExtColumnGrid* grid = Grid();
    if (Visuals) {
        FColor = grid ? grid->Color() : Src->FColor;
        FFont->Assign(grid ? *grid->Font : *Src->FFont);
    } else {
        FColor = Src->FColor;
        FFont->Assign(*Src->FFont);
        FComboItems->Assign(Src->FComboItems.get());
        DropDownCount = Src->DropDownCount;
        FHeaderFont->Assign(*Src->FHeaderFont);
        FColumnHeader = Src->FColumnHeader;
        Name = Src->Name;
        Tag = Src->Tag;
        ColumnPopupType = Src->ColumnPopupType;
        PrintBorderCustom = Src->PrintBorderCustom;
        PrintFontCustom = Src->PrintFontCustom;
    }

    FFont->OnChange = fontHandler;
    FHeaderFont->OnChange = headerHandler;
    FBorderPen->OnChange = penHandler;
    FFilter->OnChange = filterHandler;
}

void TGridColumnItem::Assign(const TPersistent* Source)
{
    if (const auto* src = dynamic_cast<const TGridColumnItem*>(Source))
        CopyFields(src, false);
}

void TGridColumnItem::AssignVisuals(const TPersistent* Source)
{
    if (const auto* src = dynamic_cast<const TGridColumnItem*>(Source))
        CopyFields(src, true);
}

QString TGridColumnItem::DisplayName() const
{
    return Name.isEmpty() ? QStringLiteral("Column %1").arg(Index())
                          : QStringLiteral("Col %1: %2").arg(Index()).arg(Name);
}

void TGridColumnItem::SetAlignment(TAlignment Value)
{
    FAlignment = Value;
    Repaint();
}

void TGridColumnItem::SetBorders(TCellBorders Value)
{
    FBorders = Value;
    Update();
}

void TGridColumnItem::SetBorderPen(const TPen* Value)
{
    FBorderPen->Assign(Value); // the pen's handler runs Update
}

void TGridColumnItem::SetColor(TColor Value)
{
    FColor = Value;
    Update();
}

void TGridColumnItem::SetComboItems(const TStrings* Value)
{
    FComboItems->Assign(Value);
}

void TGridColumnItem::SetEditor(TEditorType Value)
{
    if (FEditorType == Value)
        return;
    const bool repaint = FEditorType == edDataCheckBox || Value == edDataCheckBox;
    FEditorType = Value;
    if (repaint)
        Repaint();
}

void TGridColumnItem::SetFilter(const TStrings* Value)
{
    FFilter->Assign(Value);
}

void TGridColumnItem::SetFixed(bool Value)
{
    FFixed = Value;
    Update();
}

void TGridColumnItem::SetFloatFormat(const QString& Value)
{
    FFloatFormat = Value;
    Repaint();
}

void TGridColumnItem::SetFont(const TFont* Value)
{
    FFont->Assign(Value);
    Update();
}

void TGridColumnItem::SetHeader(const QString& Value)
{
    FColumnHeader = Value;
    TExtColumnGrid* grid = Grid();
    if (!grid)
        return;
    if (grid->FixedRows() > 0 && !grid->FColMoving) {
        grid->SetCells(Index(), 0, Value);
        Update();
    }
    // The caption list follows every item's caption; its own change handler must not copy back.
    TStringList* headers = grid->ColumnHeaders();
    const auto handler = std::move(headers->OnChange);
    headers->OnChange = nullptr;
    headers->Clear();
    for (int i = 0; i < grid->Columns()->Count(); ++i)
        headers->Add(grid->Columns()->Items(i)->Header());
    headers->OnChange = handler;
}

void TGridColumnItem::SetHeaderAlignment(TAlignment Value)
{
    FHeaderAlignment = Value;
    Repaint();
}

void TGridColumnItem::SetHeaderFont(const TFont* Value)
{
    FHeaderFont->Assign(Value);
    Repaint();
}

void TGridColumnItem::SetPassword(bool Value)
{
    FPassword = Value;
    Update();
}

void TGridColumnItem::SetPrintBorderPen(const TPen* Value)
{
    FPrintBorderPen->Assign(Value);
}

void TGridColumnItem::SetPrintFont(const TFont* Value)
{
    FPrintFont->Assign(Value);
}

void TGridColumnItem::SetShowBands(bool Value)
{
    FShowBands = Value;
    Update();
}

int TGridColumnItem::Width() const
{
    const TExtColumnGrid* grid = Grid();
    if (!grid)
        return 0;
    // An item beyond the grid's columns (the one carried during a move) has only its mirror.
    return Index() < grid->TotalColCount() ? grid->AllColWidths(Index()) : FWidth;
}

void TGridColumnItem::SetWidth(int Value)
{
    FWidth = Value;
    if (TExtColumnGrid* grid = Grid(); grid && Index() < grid->TotalColCount())
        grid->SetAllColWidths(Index(), Value);
}

QString TGridColumnItem::Rows(int ARow) const
{
    return Grid()->Cells(Index(), ARow);
}

void TGridColumnItem::SetRows(int ARow, const QString& Value)
{
    Grid()->SetCells(Index(), ARow, Value);
}

int TGridColumnItem::Ints(int ARow) const
{
    return Grid()->Ints(Index(), ARow);
}

void TGridColumnItem::SetInts(int ARow, int Value)
{
    Grid()->SetInts(Index(), ARow, Value);
}

double TGridColumnItem::Floats(int ARow) const
{
    return Grid()->Floats(Index(), ARow);
}

void TGridColumnItem::SetFloats(int ARow, double Value)
{
    Grid()->SetFloats(Index(), ARow, Value);
}

TDateTime TGridColumnItem::Dates(int ARow) const
{
    return Grid()->Dates(Index(), ARow);
}

void TGridColumnItem::SetDates(int ARow, TDateTime Value)
{
    Grid()->SetDates(Index(), ARow, Value);
}

TDateTime TGridColumnItem::Times(int ARow) const
{
    return Grid()->Times(Index(), ARow);
}

void TGridColumnItem::SetTimes(int ARow, TDateTime Value)
{
    Grid()->SetTimes(Index(), ARow, Value);
}

// ---- TGridColumnCollection ------------------------------------------------------------------------------

TGridColumnCollection::TGridColumnCollection(TExtColumnGrid* AOwner)
    : TCollection(
          [this](TCollection* c) -> TCollectionItem* {
              ++FConstructing;
              try {
                  auto* item = new TGridColumnItem(c);
                  --FConstructing;
                  return item;
              } catch (...) {
                  --FConstructing;
                  throw;
              }
          },
          AOwner),
      FOwner(AOwner)
{
}

TGridColumnItem* TGridColumnCollection::Add()
{
    auto* item = static_cast<TGridColumnItem*>(TCollection::Add());
    if (Count() > 1)
        item->AssignVisuals(Items(Count() - 2));
    Update(item);
    return item;
}

TGridColumnItem* TGridColumnCollection::Insert(int Index)
{
    auto* item = static_cast<TGridColumnItem*>(TCollection::Insert(Index));
    Update(item);
    return item;
}

void TGridColumnCollection::Update(TCollectionItem* Item)
{
    if (FConstructing > 0)
        return;
    TCollection::Update(Item);
    if (UpdateCount() > 0 || FNoRecursiveUpdate || !FOwner || (FOwner->ComponentState() & csLoading))
        return;
    const int n = Count() - FOwner->NumHiddenColumns();
    if (n != FOwner->ColCount() && n > FOwner->FixedCols())
        FOwner->SetColCount(n);
    FOwner->SyncColumnHeaders();
    FOwner->Invalidate();
}

// ---- TExtColumnGridIO -----------------------------------------------------------------------------------

TExtColumnGridIO::TExtColumnGridIO(TExtColumnGrid* AOwner)
    : TComponent(AOwner), FItems(std::make_unique<TGridColumnCollection>(AOwner))
{
    FItems->FNoRecursiveUpdate = true;
}

TExtColumnGridIO::~TExtColumnGridIO() = default;

// ---- TExtColumnGrid: construction and realignment --------------------------------------------------------

TExtColumnGrid::TExtColumnGrid(TComponent* AOwner)
    : TExtStringGrid(AOwner), FColumnCollection(std::make_unique<TGridColumnCollection>(this)),
      FSaveCol(std::make_unique<TGridColumnItem>(nullptr))
{
    NoRecursive([this] { SyncColumnCount(); });
}

TExtColumnGrid::~TExtColumnGrid()
{
    // The items ask the grid for its state while they go; they go first.
    FColumnCollection->FNoRecursiveUpdate = true;
    FColumnCollection.reset();
}

void TExtColumnGrid::SetColumns(const TGridColumnCollection* Value)
{
    FColumnCollection->Assign(Value);
}

void TExtColumnGrid::SetColCount(int Value)
{
    TExtStringGrid::SetColCount(Value);
    NoRecursive([this] { SyncColumnCount(); });
}

void TExtColumnGrid::SyncColumnCount()
{
    if (!FColumnCollection)
        return;
    const int target = ColCount() + NumHiddenColumns();
    while (FColumnCollection->Count() < target)
        FColumnCollection->Add();
    while (FColumnCollection->Count() > target)
        delete FColumnCollection->Items(FColumnCollection->Count() - 1);
}

void TExtColumnGrid::SyncColumnHeaders()
{
    if (FixedRows() <= 0)
        return;
    TStringList* headers = ColumnHeaders();
    const auto handler = std::move(headers->OnChange);
    headers->OnChange = nullptr;
    headers->Clear();
    for (int i = 0; i < FColumnCollection->Count(); ++i) {
        TGridColumnItem* item = FColumnCollection->Items(i);
        if (item->Header().isEmpty() && !Cells(i, 0).isEmpty())
            item->SetHeaderDirect(Cells(i, 0));
        headers->Add(item->Header());
    }
    headers->OnChange = handler;
}

void TExtColumnGrid::ColumnHeadersChanged()
{
    const int n = std::min(FColumnCollection->Count(), ColumnHeaders()->Count());
    for (int i = 0; i < n; ++i)
        FColumnCollection->Items(i)->SetHeaderDirect(ColumnHeaders()->Strings(i));
}

TGridColumnItem* TExtColumnGrid::GetColumnByName(const QString& AValue) const
{
    for (int i = 0; i < FColumnCollection->Count(); ++i)
        if (FColumnCollection->Items(i)->Name == AValue)
            return FColumnCollection->Items(i);
    return nullptr;
}

void TExtColumnGrid::Loaded()
{
    TExtStringGrid::Loaded();
    NoRecursive([this] { SyncColumnCount(); });
    SetOrganization();
}

QString TExtColumnGrid::GetVersionString() const
{
    const int v = GetVersionNr();
    return QStringLiteral("%1.%2.%3.%4 Aug, 2012")
        .arg((v >> 24) & 0xFF)
        .arg((v >> 16) & 0xFF)
        .arg((v >> 8) & 0xFF)
        .arg(v & 0xFF);
}

void TExtColumnGrid::InsertCols(int ColIndex, int CCount)
{
    // The cells of the real columns shift right as the string grid inserts them.
    const int total = ColCount() + NumHiddenColumns();
    if (ColIndex < 0 || ColIndex > total || CCount <= 0)
        return;
    NoRecursive([&] {
        TExtStringGrid::SetColCount(ColCount() + CCount);
        for (int i = 0; i < CCount; ++i)
            TExtStringGrid::MoveColumn(DisplColIndex(total + i), DisplColIndex(ColIndex + i));
        for (int i = 0; i < CCount; ++i) {
            FColumnCollection->Items(FColumnCollection->Count() - 1)->SetIndex(ColIndex + i);
        }
        SyncColumnCount();
    });
}

void TExtColumnGrid::RemoveCols(int ColIndex, int CCount)
{
    const int total = ColCount() + NumHiddenColumns();
    if (ColIndex < 0 || ColIndex >= total || CCount <= 0)
        return;
    // Only what exists goes, columns and items alike.
    CCount = std::min(CCount, std::min(total, FColumnCollection->Count()) - ColIndex);
    NoRecursive([&] {
        for (int i = 0; i < CCount; ++i) {
            TExtStringGrid::MoveColumn(DisplColIndex(ColIndex), ColCount() - 1);
            TExtStringGrid::SetColCount(ColCount() - 1);
        }
    });
    // The grid already has its new count: the items follow it without resizing it back on the way.
    NoRecursive([&] {
        for (int i = 0; i < CCount && ColIndex < FColumnCollection->Count(); ++i)
            delete FColumnCollection->Items(ColIndex);
        SyncColumnCount();
    });
    SyncColumnHeaders();
    Invalidate();
}

// ---- Cells of the columns --------------------------------------------------------------------------------

TGridColumnItem* TExtColumnGrid::ItemOf(int ACol) const
{
    return FColumnCollection && ACol >= 0 && ACol < FColumnCollection->Count()
               ? FColumnCollection->Items(ACol)
               : nullptr;
}

bool TExtColumnGrid::IsBodyCell(int ACol, int ARow) const
{
    return ACol >= FixedCols() && ARow >= FixedRows() &&
           ACol < ColCount() + NumHiddenColumns() - FixedRightCols && ARow < RowCount() - FixedFooters;
}

bool TExtColumnGrid::IsDataCheckBoxCell(int ACol, int ARow) const
{
    if (ComponentState() & csDestroying)
        return false;
    const TGridColumnItem* item = ItemOf(ACol);
    return item && item->Editor() == edDataCheckBox && IsBodyCell(ACol, ARow);
}

TCellType TExtColumnGrid::GetCellType(int ACol, int ARow)
{
    const TCellType t = TExtStringGrid::GetCellType(ACol, ARow);
    if (t == ctEmpty && IsDataCheckBoxCell(ACol, ARow))
        return ctDataCheckBox;
    return t;
}

TCellGraphic* TExtColumnGrid::GetCellGraphic(int ACol, int ARow)
{
    TCellGraphic* g = TExtStringGrid::GetCellGraphic(ACol, ARow);
    if (!g && IsDataCheckBoxCell(ACol, ARow)) {
        FVirtCellGraphic->SetCellType(ctVirtCheckBox);
        FVirtCellGraphic->SetCellTransparent(ControlLook()->ControlStyle() == csFlat);
        return FVirtCellGraphic.get();
    }
    return g;
}

void TExtColumnGrid::GetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont)
{
    const TGridColumnItem* item = ItemOf(ACol);
    if (item && ACol >= FixedCols() && ACol < ColCount() + NumHiddenColumns() - FixedRightCols &&
        ARow < RowCount() - FixedFooters) {
        if (item->Fixed())
            ABrush->Color = FixedColor();
        else if (ARow >= FixedRows())
            ABrush->Color = item->Color();
        AFont->Assign(*(ARow < FixedRows() ? item->HeaderFont() : item->Font()));
        if (const TCellProperties* p = LookOf(ACol, ARow)) {
            if (p->BrushColor() != clNone)
                ABrush->Color = p->BrushColor();
            if (p->FontColor() != clNone)
                AFont->Color = p->FontColor();
        }
    }
    TExtStringGrid::GetCellColor(ACol, ARow, AState, ABrush, AFont);
}

void TExtColumnGrid::GetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush,
                                       TFont* AFont)
{
    if (const TGridColumnItem* item = ItemOf(ACol); item && IsBodyCell(ACol, ARow)) {
        ABrush->Color = item->Fixed() ? FixedColor() : item->PrintColor;
        const TCellProperties* p = LookOf(ACol, ARow);
        if (p && p->BrushColor() != clNone && !item->Fixed())
            ABrush->Color = p->BrushColor();
        if (item->PrintFontCustom) {
            AFont->Assign(*item->PrintFont());
            if (p) {
                if (p->FontColor() != clNone)
                    AFont->Color = p->FontColor();
                if (p->FontStyle() != 0)
                    AFont->Style = p->FontStyle();
                if (p->FontSize() != 0)
                    AFont->Size = p->FontSize();
                if (!p->FontName().isEmpty())
                    AFont->Name = p->FontName();
            }
        }
    }
    TExtStringGrid::GetCellPrintColor(ACol, ARow, AState, ABrush, AFont);
}

void TExtColumnGrid::GetCellBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders)
{
    if (const TGridColumnItem* item = ItemOf(ACol); item && IsNormalCell(ACol, ARow)) {
        Borders = item->Borders();
        APen->Assign(*item->BorderPen());
    }
    TExtStringGrid::GetCellBorder(ACol, ARow, APen, Borders);
}

void TExtColumnGrid::GetCellPrintBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders)
{
    if (const TGridColumnItem* item = ItemOf(ACol);
        item && IsNormalCell(ACol, ARow) && item->PrintBorderCustom) {
        Borders = item->PrintBorders;
        APen->Assign(*item->PrintBorderPen());
    }
    TExtStringGrid::GetCellPrintBorder(ACol, ARow, APen, Borders);
}

void TExtColumnGrid::GetAlignment(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign)
{
    if (const TGridColumnItem* item = ItemOf(ACol)) {
        HAlign = ARow < FixedRows() ? item->HeaderAlignment() : item->Alignment();
        if (const TCellProperties* p = LookOf(ACol, ARow))
            HAlign = p->Alignment();
    }
    TExtStringGrid::GetAlignment(ACol, ARow, HAlign, VAlign);
}

void TExtColumnGrid::GetFormat(int ACol, TSortStyle& AStyle, QString& aPrefix, QString& aSuffix)
{
    if (const TGridColumnItem* item = ItemOf(ACol)) {
        AStyle = item->SortStyle;
        aPrefix = item->SortPrefix;
        aSuffix = item->SortSuffix;
    }
    TExtStringGrid::GetFormat(ACol, AStyle, aPrefix, aSuffix);
}

void TExtColumnGrid::GetCellEditorType(int ACol, int ARow, TEditorType& AEditor)
{
    if (const TGridColumnItem* item = ItemOf(ACol)) {
        if (IsNormalCell(ACol, ARow)) {
            AEditor = item->Editor();
            // A paint-time question goes to the hidden stand-in, which needs the kind only: copying
            // a long list into it for every painted cell would cost more than the paint.
            if (TGridCombo* combo = Combobox(); combo && !combo->IsStandIn()) {
                combo->Items->Assign(item->ComboItems());
                combo->SetDropDownCount(item->DropDownCount);
            }
            ControlLook()->DropDownCount = item->DropDownCount;
            if (TGridSpin* spin = SpinEdit()) {
                spin->MinValue = item->SpinMin;
                spin->MaxValue = item->SpinMax;
                spin->Increment = item->SpinStep;
            }
            SetEditLink(item->EditLink);
        }
        // Sticky: the grid keeps the last column format asked for.
        if (!item->FloatFormat().isEmpty())
            FloatFormat = item->FloatFormat();
    }
    TExtStringGrid::GetCellEditorType(ACol, ARow, AEditor);
}

void TExtColumnGrid::IsFixedCell(int ACol, int ARow, bool& IsFixed)
{
    if (const TGridColumnItem* item = ItemOf(RealColIndex(ACol)); item && IsNormalCell(ACol, ARow))
        IsFixed = item->Fixed();
    TExtStringGrid::IsFixedCell(ACol, ARow, IsFixed);
}

void TExtColumnGrid::CanEditCell(int ACol, int ARow, bool& CanEdit)
{
    CanEdit = false;
    const TGridColumnItem* item = ItemOf(ACol);
    if (!(ComponentState() & csLoading) && item && IsNormalCell(ACol, ARow)) {
        CanEdit = !(item->ReadOnly || item->Fixed());
        if (HasCellProperties(ACol, ARow) && CanEdit)
            CanEdit = !ReadOnly(ACol, ARow);
    }
    if (OnCanEditCell) {
        const TPoint b = BaseCell(ACol, ARow);
        OnCanEditCell(this, b.Y, b.X, CanEdit);
    }
}

void TExtColumnGrid::DoIsPasswordCell(int ACol, int ARow, bool& IsPassword)
{
    if (const TGridColumnItem* item = ItemOf(ACol))
        IsPassword = item->Password();
    TExtStringGrid::DoIsPasswordCell(ACol, ARow, IsPassword);
}

bool TExtColumnGrid::HasComboBox(int ACol, int ARow)
{
    bool has = false;
    if (const TGridColumnItem* item = ItemOf(ACol); item && IsNormalCell(ACol, ARow))
        has = item->Editor() == edComboEdit || item->Editor() == edComboList;
    if (OnHasComboBox)
        OnHasComboBox(this, ACol, ARow, has);
    return has;
}

void TExtColumnGrid::GetCheckTrue(int ACol, int ARow, QString& Value)
{
    TExtStringGrid::GetCheckTrue(ACol, ARow, Value);
    if (const TGridColumnItem* item = ItemOf(ACol); item && IsBodyCell(ACol, ARow))
        Value = item->CheckTrue;
}

void TExtColumnGrid::GetCheckFalse(int ACol, int ARow, QString& Value)
{
    TExtStringGrid::GetCheckFalse(ACol, ARow, Value);
    if (const TGridColumnItem* item = ItemOf(ACol); item && IsBodyCell(ACol, ARow))
        Value = item->CheckFalse;
}

bool TExtColumnGrid::GetColumnFilter(int Column)
{
    const bool own = TExtStringGrid::GetColumnFilter(Column);
    const TGridColumnItem* item = ItemOf(Column);
    if (!item || item->Filter()->Count() == 0)
        return own; // no list of its own: the string grid's answer stands
    FilterList()->SetSorted(false);
    FilterList()->Clear();
    for (int i = 0; i < item->Filter()->Count(); ++i) {
        const QString entry = item->Filter()->Strings(i);
        const int eq = entry.indexOf('=');
        FilterList()->Add(eq >= 0 ? entry.left(eq) : entry);
    }
    return true;
}

QString TExtColumnGrid::GetFloatFormat(int ACol)
{
    const TGridColumnItem* item = ItemOf(ACol);
    return item && !item->FloatFormat().isEmpty() ? item->FloatFormat() : FloatFormat;
}

void TExtColumnGrid::UpdateColumnSize(int ACol, int& AWidth)
{
    if (const TGridColumnItem* item = ItemOf(ACol)) {
        if (item->MinSize > 0 && AWidth < item->MinSize)
            AWidth = item->MinSize;
        if (item->MaxSize > 0 && AWidth > item->MaxSize)
            AWidth = item->MaxSize;
    }
    if (OnUpdateColumnSize)
        OnUpdateColumnSize(this, ACol, AWidth);
}

void TExtColumnGrid::UpdateAutoColumnSize(int ACol, int& AWidth)
{
    if (const TGridColumnItem* item = ItemOf(ACol)) {
        if (item->AutoMinSize > 0 && AWidth < item->AutoMinSize)
            AWidth = item->AutoMinSize;
        if (item->AutoMaxSize > 0 && AWidth > item->AutoMaxSize)
            AWidth = item->AutoMaxSize;
    }
    if (OnUpdateColumnSize)
        OnUpdateColumnSize(this, ACol, AWidth);
}

QString TExtColumnGrid::GetFormattedCell(int ACol, int ARow)
{
    const QString text = Cells(ACol, ARow);
    const TGridColumnItem* item = ItemOf(ACol);
    if (!item)
        return text;
    QString fmt = item->FloatFormat();
    const int kind = NumberTextKind(text);
    bool isFloat = kind == ntkInteger || kind == ntkDecimal;
    if (OnGetFloatFormat)
        OnGetFloatFormat(this, ACol, ARow, isFloat, fmt);
    if (fmt.isEmpty() || !isFloat)
        return text;
    // A format that does not fit the value shows the stored text; the painter must not fail on it.
    try {
        return Format(fmt, {Floats(ACol, ARow)});
    } catch (const Exception&) {
        return text;
    }
}

void TExtColumnGrid::GetCellDrawProps(int ACol, int ARow, TFont* AFont, TBrush* ABrush, TColor& ColorTo,
                                      TColor& MirrorColor, TColor& MirrorColorTo, TAlignment& HAlign,
                                      TVAlignment& VAlign, bool& WordWrap,
                                      TCellGradientDirection& GradientDir)
{
    TExtStringGrid::GetCellDrawProps(ACol, ARow, AFont, ABrush, ColorTo, MirrorColor, MirrorColorTo, HAlign,
                                     VAlign, WordWrap, GradientDir);
    const TGridColumnItem* item = ItemOf(ACol);
    if (!item)
        return;
    AFont->Assign(*item->Font());
    ABrush->Color = item->Color();
    ColorTo = clNone;
    HAlign = ARow < FixedRows() ? item->HeaderAlignment() : item->Alignment();
    VAlign = VAlignment();
    if (IsFixed(DisplColIndex(ACol), ARow)) {
        ABrush->Color = clNone;
        ColorTo = clNone;
    }
}

// ---- Moves, widths, mouse, removal ------------------------------------------------------------------------

void TExtColumnGrid::HandleColumnMoved(int FromIndex, int ToIndex)
{
    const int top = TopRow();
    const int rFrom = RealColIndex(FromIndex);
    const int rTo = RealColIndex(ToIndex);
    NoRecursive([&] {
        TExtStringGrid::HandleColumnMoved(FromIndex, ToIndex);
        BeginUpdate();
        FColMoving = true;
        try {
            // The item travels by copy, exactly as its settings are streamed.
            TGridColumnItem* temp = FColumnCollection->Add();
            temp->Assign(FColumnCollection->Items(rFrom));
            delete FColumnCollection->Items(rFrom);
            TGridColumnItem* fresh = FColumnCollection->Insert(rTo);
            fresh->Assign(FColumnCollection->Items(FColumnCollection->Count() - 1));
            delete FColumnCollection->Items(FColumnCollection->Count() - 1);
        } catch (...) {
            FColMoving = false;
            EndUpdate();
            throw;
        }
        SetTopRow(top);
        FColMoving = false;
        EndUpdate();
    });
    if (OnAfterColumnMoved)
        OnAfterColumnMoved(this, rFrom, rTo);
}

void TExtColumnGrid::ColWidthsChanged()
{
    TExtStringGrid::ColWidthsChanged();
    if (ComponentState() & (csLoading | csDestroying) || !FColumnCollection)
        return;
    for (int c = 0; c < ColCount(); ++c)
        if (TGridColumnItem* item = ItemOf(RealColIndex(c)))
            item->SetStoredWidth(ColWidths(c));
}

void TExtColumnGrid::HandleMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TExtStringGrid::HandleMouseDown(Button, Shift, X, Y);
    int c = -1, r = -1;
    MouseToCell(X, Y, c, r);
    if (c < 0 || r < 0)
        return;
    // Items are in real order: the clicked display column is converted first.
    const int real = RealColIndex(c);
    TGridColumnItem* item = ItemOf(real);
    if (!item || !item->ColumnPopup)
        return;
    const TColumnPopupType t = item->ColumnPopupType;
    bool matches = false, fixedType = false, normalType = false;
    if (Button == mbLeft) {
        matches = t == cpFixedCellsLClick || t == cpNormalCellsLClick || t == cpAllCellsLClick;
        fixedType = t == cpFixedCellsLClick || t == cpAllCellsLClick;
        normalType = t == cpNormalCellsLClick || t == cpAllCellsLClick;
    } else if (Button == mbRight) {
        matches = t == cpFixedCellsRClick || t == cpNormalCellsRClick || t == cpAllCellsRClick;
        fixedType = t == cpFixedCellsRClick || t == cpAllCellsRClick;
        normalType = t == cpNormalCellsRClick || t == cpAllCellsRClick;
    }
    if (!matches)
        return;
    if (OnColumnPopup)
        OnColumnPopup(this, real, r, item->ColumnPopup);
    if ((r < FixedRows() && fixedType) || (r >= FixedRows() && normalType)) {
        const TRect cell = CellRect(c, r);
        const TPoint pt = ClientToScreen(TPoint(cell.Left, cell.Bottom));
        item->ColumnPopup->Popup(pt.X, pt.Y);
    }
}

void TExtColumnGrid::Notification(TComponent* AComponent, TOperation Operation)
{
    TExtStringGrid::Notification(AComponent, Operation);
    if (Operation != opRemove || !FColumnCollection)
        return;
    for (int i = 0; i < FColumnCollection->Count(); ++i) {
        TGridColumnItem* item = FColumnCollection->Items(i);
        if (item->ColumnPopup == AComponent)
            item->ColumnPopup = nullptr;
        // The link class is the editing layer's; its identity is all that is compared here.
        if (item->EditLink &&
            static_cast<const void*>(item->EditLink) == static_cast<const void*>(AComponent))
            item->EditLink = nullptr;
    }
}

// ---- Editor limits and scaling -------------------------------------------------------------------------

int TExtColumnGrid::ReadEditLimit()
{
    const int c = Col();
    if (c < FColumnCollection->Count() && c >= FixedCols())
        if (TGridColumnItem* item = ItemOf(RealColIndex(c)))
            return item->EditLength;
    return TExtStringGrid::ReadEditLimit();
}

QString TExtColumnGrid::ReadEditMask(int ACol, int ARow)
{
    QString mask;
    if (ACol < FColumnCollection->Count() && ACol >= FixedCols())
        if (TGridColumnItem* item = ItemOf(RealColIndex(ACol)))
            mask = item->EditMask;
    const QString own = TExtStringGrid::ReadEditMask(ACol, ARow);
    return own.isEmpty() ? mask : own;
}

void TExtColumnGrid::HandleChangeScale(int M, int D)
{
    TExtStringGrid::HandleChangeScale(M, D);
    if (IsDesignTime() || M == D || D == 0)
        return;
    auto scale = [M, D](TFont* F) {
        // Rounded, as the platform's MulDiv.
        F->Size = int(std::lround(double(F->Size) * M / D));
    };
    for (int i = 0; i < std::min(ColCount(), FColumnCollection->Count()); ++i) {
        scale(FColumnCollection->Items(i)->Font());
        scale(FColumnCollection->Items(i)->HeaderFont());
    }
}
