#include "grid/base/GridSettings.h"

#include <tuple>

namespace
{
// Copies all of Src's values into Dst except the Kept members, which stay as Dst had them.
template <class Values, class... Kept>
void CopyValuesKeeping(Values& Dst, const Values& Src, Kept Values::*... kept)
{
    const std::tuple<Kept...> saved{(Dst.*kept)...};
    Dst = Src;
    std::apply([&](const Kept&... value) { ((Dst.*kept = value), ...); }, saved);
}

// Stores Value; false when Field already held it.
template <class T> bool Replace(T& Field, const T& Value)
{
    if (Field == Value)
        return false;
    Field = Value;
    return true;
}

void Notify(const TNotifyEvent& Event, TObject* Sender)
{
    if (Event)
        Event(Sender);
}
} // namespace

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
    CopyValuesKeeping<TSearchFooterValues>(*this, *src, &TSearchFooter::AutoSearch,
                                           &TSearchFooter::SearchFixedCells, &TSearchFooter::FAutoThemeAdapt,
                                           &TSearchFooter::LastSearch);
    FFont->Assign(src->FFont.get());
}

void TSearchFooter::SetFont(const TFont* Value)
{
    FFont->Assign(Value);
    Changed();
}

void TSearchFooter::Changed()
{
    Notify(OnChange, this);
}

// ---- Navigation ----------------------------------------------------------------------------------

void TNavigation::Assign(const TPersistent* Source)
{
    auto* src = dynamic_cast<const TNavigation*>(Source);
    if (!src)
        return;
    CopyValuesKeeping<TNavigationValues>(*this, *src, &TNavigation::KeepScrollOnSort);
}

void TNavigation::SetAdvanceInsert(bool Value)
{
    if (Replace(FAdvanceInsert, Value))
        Notify(OnChange, this);
}

void TNavigation::SetAdvanceDirection(TAdvanceDirection Value)
{
    if (Replace(FAdvanceDirection, Value))
        Notify(OnChange, this);
}

void TNavigation::SetAdvanceAuto(bool Value)
{
    if (Replace(FAdvanceAuto, Value) && Value)
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
    CopyValuesKeeping<TMouseActionsValues>(*this, *src, &TMouseActions::SizeFixedRow,
                                           &TMouseActions::FHotmailRowSelect,
                                           &TMouseActions::FEditOnDblClickOnly);
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
    if (Value)
        Notify(OnDisableEdit, this);
}

void TMouseActions::SetHotmailRowSelect(bool Value)
{
    FHotmailRowSelect = Value;
    if (Value) {
        FDisjunctRowSelect = true;
        CheckAllCheck = true;
    }
    Notify(OnInvalidate, this);
}

void TMouseActions::SetWheelAction(TWheelAction Value)
{
    if (Replace(FWheelAction, Value))
        Notify(OnChange, this);
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
    if (Replace(FActive, Value))
        Notify(OnChange, this);
}

template <class T> void TBands::StoreWhileActive(T& Field, T Value)
{
    if (!Replace(Field, Value))
        return;
    FTotalLength = FPrimaryLength + FSecondaryLength;
    // Inactive bands draw nothing, so the grid need not hear about them.
    if (FActive)
        Notify(OnChange, this);
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
