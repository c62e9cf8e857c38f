#include "grid/base/GridSettings.h"

// ---- Search footer -------------------------------------------------------------------------------

TSearchFooter::TSearchFooter(TComponent* AOwner, bool InitDesign)
    : FOwner(AOwner), FFont(std::make_unique<TFont>())
{
    if (!InitDesign)
        return;
    const TSearchFooterTexts& t = SearchFooterDesignTexts;
    FFindNextCaption = QString::fromUtf8(t.FindNextCaption);
    FFindPrevCaption = QString::fromUtf8(t.FindPrevCaption);
    FHighLightCaption = QString::fromUtf8(t.HighLightCaption);
    FMatchCaseCaption = QString::fromUtf8(t.MatchCaseCaption);
    FHintClose = QString::fromUtf8(t.HintClose);
    FHintFindNext = QString::fromUtf8(t.HintFindNext);
    FHintFindPrev = QString::fromUtf8(t.HintFindPrev);
    FHintHighlight = QString::fromUtf8(t.HintHighlight);
}

TSearchFooter::~TSearchFooter() = default;

void TSearchFooter::Assign(const TPersistent* Source)
{
    auto* src = dynamic_cast<const TSearchFooter*>(Source);
    if (!src)
        return;
    // Search behaviour that belongs to the grid instance stays as it is.
    const bool autoSearch = AutoSearch;
    const bool searchFixedCells = SearchFixedCells;
    const bool autoThemeAdapt = FAutoThemeAdapt;
    const QString lastSearch = LastSearch;
    static_cast<TSearchFooterValues&>(*this) = *src;
    AutoSearch = autoSearch;
    SearchFixedCells = searchFixedCells;
    FAutoThemeAdapt = autoThemeAdapt;
    LastSearch = lastSearch;
    FFont->Assign(src->FFont.get());
}

void TSearchFooter::SetFont(const TFont* Value)
{
    FFont->Assign(Value);
    Changed();
}

void TSearchFooter::Changed()
{
    if (OnChange)
        OnChange(this);
}

// ---- Navigation ----------------------------------------------------------------------------------

void TNavigation::Assign(const TPersistent* Source)
{
    auto* src = dynamic_cast<const TNavigation*>(Source);
    if (!src)
        return;
    const bool keepScrollOnSort = KeepScrollOnSort;
    static_cast<TNavigationValues&>(*this) = *src;
    KeepScrollOnSort = keepScrollOnSort;
}

void TNavigation::SetAdvanceInsert(bool Value)
{
    if (FAdvanceInsert == Value)
        return;
    FAdvanceInsert = Value;
    if (OnChange)
        OnChange(this);
}

void TNavigation::SetAdvanceDirection(TAdvanceDirection Value)
{
    if (FAdvanceDirection == Value)
        return;
    FAdvanceDirection = Value;
    if (OnChange)
        OnChange(this);
}

void TNavigation::SetAdvanceAuto(bool Value)
{
    if (FAdvanceAuto == Value)
        return;
    FAdvanceAuto = Value;
    if (Value)
        AdvanceOnEnter = true;
}

// ---- Mouse actions -------------------------------------------------------------------------------

TMouseActions::TMouseActions(TComponent* AOwner)
    : FOwner(AOwner), FFixedComboValues(std::make_unique<TStringList>())
{
}

TMouseActions::~TMouseActions() = default;

void TMouseActions::Assign(const TPersistent* Source)
{
    auto* src = dynamic_cast<const TMouseActions*>(Source);
    if (!src)
        return;
    const bool sizeFixedRow = SizeFixedRow;
    const bool hotmailRowSelect = FHotmailRowSelect;
    const bool editOnDblClickOnly = FEditOnDblClickOnly;
    static_cast<TMouseActionsValues&>(*this) = *src;
    SizeFixedRow = sizeFixedRow;
    FHotmailRowSelect = hotmailRowSelect;
    FEditOnDblClickOnly = editOnDblClickOnly;
}

bool TMouseActions::IsDesigning()
{
    bool designing = false;
    if (OnIsDesigning)
        OnIsDesigning(this, designing);
    return designing;
}

void TMouseActions::SetDisjunct(bool TMouseActionsValues::*Field, bool Value)
{
    this->*Field = Value;
    if (!Value || !IsDesigning())
        return;
    // While designing the three selection modes exclude each other.
    for (bool TMouseActionsValues::*other :
         {&TMouseActions::FDisjunctRowSelect, &TMouseActions::FDisjunctColSelect,
          &TMouseActions::FDisjunctCellSelect})
        if (other != Field)
            this->*other = false;
}

void TMouseActions::SetDisjunctRowSelect(bool Value)
{
    SetDisjunct(&TMouseActions::FDisjunctRowSelect, Value);
}

void TMouseActions::SetDisjunctColSelect(bool Value)
{
    SetDisjunct(&TMouseActions::FDisjunctColSelect, Value);
}

void TMouseActions::SetDisjunctCellSelect(bool Value)
{
    SetDisjunct(&TMouseActions::FDisjunctCellSelect, Value);
}

void TMouseActions::SetEditOnDblClickOnly(bool Value)
{
    FEditOnDblClickOnly = Value;
    if (Value && OnDisableEdit)
        OnDisableEdit(this);
}

void TMouseActions::SetHotmailRowSelect(bool Value)
{
    FHotmailRowSelect = Value;
    if (Value) {
        FDisjunctRowSelect = true;
        CheckAllCheck = true;
    }
    if (OnInvalidate)
        OnInvalidate(this);
}

void TMouseActions::SetWheelAction(TWheelAction Value)
{
    if (FWheelAction == Value)
        return;
    FWheelAction = Value;
    if (OnChange)
        OnChange(this);
}

void TMouseActions::SetFixedComboValues(const TStrings* Value)
{
    FFixedComboValues->Assign(Value);
}

// ---- Synchronised grid ---------------------------------------------------------------------------

TSyncGrid::TSyncGrid(TExtStringGrid* AOwner) : FOwner(AOwner) {}

void TSyncGrid::Assign(const TPersistent* Source)
{
    auto* src = dynamic_cast<const TSyncGrid*>(Source);
    if (!src)
        return;
    SetGrid(src->FGrid);
    ScrollVertical = src->ScrollVertical;
    ScrollHorizontal = src->ScrollHorizontal;
    SelectionColumn = src->SelectionColumn;
    SelectionRow = src->SelectionRow;
    MoveColumn = src->MoveColumn;
    MoveRow = src->MoveRow;
}

void TSyncGrid::SetGrid(TExtStringGrid* Value)
{
    // A grid cannot follow itself.
    if (Value != FOwner)
        FGrid = Value;
}

// ---- Bands ---------------------------------------------------------------------------------------

void TBands::Assign(const TPersistent* Source)
{
    auto* src = dynamic_cast<const TBands*>(Source);
    if (!src)
        return;
    FActive = src->FActive;
    FPrimaryColor = src->FPrimaryColor;
    FPrimaryLength = src->FPrimaryLength;
    FSecondaryColor = src->FSecondaryColor;
    FSecondaryLength = src->FSecondaryLength;
    FTotalLength = FPrimaryLength + FSecondaryLength;
    Print = src->Print;
}

void TBands::SetActive(bool Value)
{
    if (FActive == Value)
        return;
    FActive = Value;
    if (OnChange)
        OnChange(this);
}

template <class T> void TBands::StoreWhileActive(T& Field, T Value)
{
    if (Field == Value)
        return;
    Field = Value;
    FTotalLength = FPrimaryLength + FSecondaryLength;
    // Inactive bands draw nothing, so the grid need not hear about them.
    if (FActive && OnChange)
        OnChange(this);
}

void TBands::SetPrimaryColor(TColor Value)
{
    StoreWhileActive(FPrimaryColor, Value);
}

void TBands::SetPrimaryLength(int Value)
{
    StoreWhileActive(FPrimaryLength, Value);
}

void TBands::SetSecondaryColor(TColor Value)
{
    StoreWhileActive(FSecondaryColor, Value);
}

void TBands::SetSecondaryLength(int Value)
{
    StoreWhileActive(FSecondaryLength, Value);
}

// ---- Focus helper --------------------------------------------------------------------------------

void TFocusHelper::Assign(const TPersistent* Source)
{
    if (auto* src = dynamic_cast<const TFocusHelper*>(Source))
        Enabled = src->Enabled;
}
