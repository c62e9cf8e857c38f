// TExtStringGrid: the search footer - its panel, the settings copied onto it, the five handlers its
// edit and buttons call, the caption accelerators, and the fixed-cell editors' change handler.
#include "grid/base/GridButton.h"
#include "grid/base/GridCheckBox.h"
#include "grid/core/ExtGrid.h"
#include "grid/ops/SearchPanel.h"

namespace
{

constexpr int SearchPanelHeight = 32;
constexpr int SearchButtonHeight = 23;
constexpr int MatchCaseHeight = 18;
// Which handler builds the find options.
enum TFooterSearch { fsEditChange, fsFindNext, fsFindPrevious };

bool IsNoHit(TPoint P)
{
    return P.X == -1 && P.Y == -1;
}

} // namespace

void TExtStringGrid::CreateSearchPanel()
{
    FSearchPanel = new TSearchPanel(this);
    FSearchPanel->SetVisible(false);
    FSearchPanel->SetAlign(alBottom);
    FSearchPanel->SetHeight(0);
    FSearchPanel->SetBorderWidth(0);
    FSearchPanel->SetParent(this);
    FSearchPanel->OnEditChange = [this](TObject* Sender) { SearchFooterEditChange(Sender); };
    FSearchPanel->OnForwardClick = [this](TObject* Sender) { SearchFooterFindNext(Sender); };
    FSearchPanel->OnBackwardClick = [this](TObject* Sender) { SearchFooterFindPrev(Sender); };
    FSearchPanel->OnExitClick = [this](TObject* Sender) { SearchFooterClose(Sender); };
    FSearchPanel->OnHighlightClick = [this](TObject* Sender) { SearchFooterHighlight(Sender); };
    FSearchFooter->OnChange = [this](TObject*) { SearchFooterChanged(); };
    SearchFooterChanged();
}

void TExtStringGrid::SetSearchFooter(const TPersistent* Value)
{
    FSearchFooter->Assign(Value);
    SearchFooterChanged();
}

void TExtStringGrid::SearchFooterChanged()
{
    // Also while loading: the panel exists from construction, and a form built in the loading
    // bracket shows its footer as set.
    TSearchPanel* p = FSearchPanel;
    if (!p || IsDestroying())
        return;
    const TSearchFooter* sf = FSearchFooter.get();
    if ((p->HiliteButton()->Down() && p->Visible() && !sf->Visible()) || sf->AlwaysHighLight)
        UnHilightInGrid(false);

    p->SetColor(sf->Color());
    p->SetColorTo(sf->ColorTo());
    p->Font->Assign(sf->Font());
    p->SetFindNextCaption(sf->FindNextCaption());
    p->SetFindPrevCaption(sf->FindPrevCaption());
    p->SetMatchCaseCaption(sf->MatchCaseCaption());
    p->SetHighLightCaption(sf->HighLightCaption());
    p->SetHints(sf->HintFindNext(), sf->HintFindPrev(), sf->HintClose(), sf->HintHighlight());

    // Flat except for the classic control look; theme-adapting buttons are always flat.
    const bool flat = sf->AutoThemeAdapt() || FControlLook->ControlStyle() != csClassic;
    for (TExtGridButton* b : {p->ForwardButton(), p->BackwardButton(), p->ExitButton(), p->HiliteButton()})
        b->SetFlat(flat);
    for (TExtGridButton* b : {p->ForwardButton(), p->BackwardButton(), p->HiliteButton()})
        b->SetAutoThemeAdapt(sf->AutoThemeAdapt());

    p->HiliteButton()->SetVisible(sf->ShowHighLight());
    p->ExitButton()->SetVisible(sf->ShowClose());
    p->MatchCase()->SetVisible(sf->ShowMatchCase());
    p->MatchCase()->SetTransparent(true);
    p->BackwardButton()->SetVisible(sf->ShowFindPrev());
    p->ForwardButton()->SetVisible(sf->ShowFindNext());

    p->PlaceMatchCase();
    for (TExtGridButton* b : {p->ForwardButton(), p->BackwardButton(), p->HiliteButton()})
        b->SetHeight(b->Visible() ? SearchButtonHeight : 0);
    p->MatchCase()->SetHeight(sf->ShowMatchCase() ? MatchCaseHeight : 0);

    if (sf->Visible()) {
        // Put it at the very bottom first, so it stays below the floating footer.
        p->SetBounds(0, Height() - SearchPanelHeight, p->Width(), SearchPanelHeight);
        p->SetVisible(true);
    } else {
        p->SetHeight(0);
        p->SetVisible(false);
    }
    InvalidateGrid();
}

// ---- Options and highlights ------------------------------------------------------------------------------

TFindParams TExtStringGrid::SearchFooterParams(int Which)
{
    const TSearchFooter* sf = FSearchFooter.get();
    TFindParams p = fnAutoGoto;
    if (Which == fsFindPrevious)
        p.Include(fnBackward);
    if (FSearchPanel->HiliteButton()->Down())
        p.Include(fnIgnoreHTMLTags);
    if (FSearchPanel->MatchCase()->Checked())
        p.Include(fnMatchCase);
    if (sf->SearchActiveColumnOnly)
        p.Include(fnFindInCurrentCol);
    if (sf->SearchMatchStart)
        p.Include(fnMatchStart);
    if (Which == fsEditChange && sf->SearchFixedCells)
        p.Include(fnIncludeFixed);
    if (Which == fsEditChange && sf->SearchHiddenRows)
        p.Include(fnIncludeHiddenRows);
    if (Which != fsFindPrevious && sf->SearchDirection == sdLeftRight)
        p.Include(fnDirectionLeftRight);
    if (sf->SearchColumn >= 0 && sf->SearchColumn < ColCount()) {
        p.Include(fnFindInPresetCol);
        FFindCol = sf->SearchColumn;
    }
    return p;
}

void TExtStringGrid::SearchFooterRemoveHighlights()
{
    const int column = FSearchFooter->SearchColumn;
    if (column >= 0 && column < ColCount())
        UnHilightInCol(false, column);
    else
        UnHilightInGrid(false);
}

void TExtStringGrid::SearchFooterHighlightAll()
{
    const int column = FSearchFooter->SearchColumn;
    const bool doCase = FSearchPanel->MatchCase()->Checked();
    const QString text = FSearchPanel->Edit()->Text();
    if (column >= 0 && column < ColCount())
        HilightInCol(false, doCase, column, text);
    else
        HilightInGrid(false, doCase, text);
}

void TExtStringGrid::SearchFooterTopRowStep()
{
    const int m = FFloatingFooter && FFloatingFooter->Visible() ? 1 : 0;
    if (TopRow() + VisibleRowCount() - 2 - m < Row() && VisibleRowCount() + FixedRows() + m < RowCount())
        SetTopRow(TopRow() + 2);
}

// ---- The five handlers ---------------------------------------------------------------------------------

void TExtStringGrid::SearchFooterEditChange(TObject*)
{
    TSearchPanel* p = FSearchPanel;
    const QString text = p->Edit()->Text();
    bool defaultSearch = true;
    if (OnSearchEditChange)
        OnSearchEditChange(this, text, defaultSearch);
    if (!defaultSearch || !FSearchFooter->AutoSearch)
        return;
    const TFindParams params = SearchFooterParams(fsEditChange);
    const bool highlighting = p->HiliteButton()->Down() || FSearchFooter->AlwaysHighLight;
    if (highlighting)
        SearchFooterRemoveHighlights();
    if (text.isEmpty()) {
        p->Edit()->SetColor(clWindow);
        if (p->HiliteButton()->Down())
            SearchFooterRemoveHighlights();
        return;
    }
    const TPoint hit = Find(TPoint{-1, -1}, text, params);
    SearchCell = hit;
    DoSearchFooterAction(text, hit.X, hit.Y, saFindFirst);
    if (IsNoHit(hit)) {
        p->Edit()->SetColor(clRed);
        return;
    }
    p->Edit()->SetColor(clWindow);
    ScrollInView(hit.X, hit.Y);
    if (highlighting)
        SearchFooterHighlightAll();
}

void TExtStringGrid::SearchFooterStep(bool Backward)
{
    const QString text = FSearchPanel->Edit()->Text();
    if (!FSearchFooter->AutoSearch) {
        // A changed text starts again from the first cell.
        if (text != FSearchFooter->LastSearch)
            SearchCell = TPoint{-1, -1};
        FSearchFooter->LastSearch = text;
    }
    const TFindParams params = SearchFooterParams(Backward ? fsFindPrevious : fsFindNext);
    const TPoint hit = Find(SearchCell, text, params);
    SearchCell = hit;
    if (Backward)
        SearchFooterTopRowStep();
    if (hit.X != -1)
        ScrollInView(hit.X, hit.Y);
    if (!Backward)
        SearchFooterTopRowStep();
    DoSearchFooterAction(text, SearchCell.X, SearchCell.Y, Backward ? saFindPrevious : saFindNext);
    FSearchPanel->Invalidate();
}

void TExtStringGrid::SearchFooterFindNext(TObject*)
{
    SearchFooterStep(false);
}

void TExtStringGrid::SearchFooterFindPrev(TObject*)
{
    SearchFooterStep(true);
}

void TExtStringGrid::SearchFooterClose(TObject*)
{
    if (OnSearchFooterClose)
        OnSearchFooterClose(this);
    FSearchFooter->SetVisible(false);
}

void TExtStringGrid::SearchFooterHighlight(TObject*)
{
    if (FSearchPanel->HiliteButton()->Down())
        SearchFooterHighlightAll();
    else
        SearchFooterRemoveHighlights();
}

void TExtStringGrid::SearchFooterFocusEdit()
{
    if (FSearchPanel && FSearchPanel->Edit()->CanFocus())
        FSearchPanel->Edit()->SetFocus();
}

void TExtStringGrid::KeepLastRowClearOfSearchFooter()
{
    if (!FSearchFooter->Visible() || !FSearchPanel)
        return;
    const int panel = FSearchPanel->Height();
    if (ClientHeight() <= DefaultRowHeight() + panel)
        return;
    const int limit = ClientHeight() - panel + 2;
    while (Row() < RowCount() && TopRow() < RowCount() - 1 && CellRect(0, RowCount() - 1).Bottom > limit) {
        const int top = TopRow();
        SetTopRow(top + 1);
        if (TopRow() == top)
            break;
    }
}

// ---- Accelerators and the fixed-cell editors --------------------------------------------------------------

bool TExtStringGrid::HandleDialogChar(char16_t Key, TShiftState Shift)
{
    if (FSearchFooter->Visible() && FSearchPanel) {
        auto takes = [Key](const TExtGridButton* b) {
            return b->Visible() && b->Enabled() && IsAccel(Key, b->Caption());
        };
        if (takes(FSearchPanel->ForwardButton())) {
            SearchFooterFindNext(this);
            return true;
        }
        if (takes(FSearchPanel->BackwardButton())) {
            SearchFooterFindPrev(this);
            return true;
        }
        if (TExtGridButton* hilite = FSearchPanel->HiliteButton(); takes(hilite)) {
            // The accelerator works the toggle as a click would.
            hilite->SetDown(!hilite->Down());
            SearchFooterHighlight(this);
            return true;
        }
    }
    return TBaseGrid::HandleDialogChar(Key, Shift);
}

void TExtStringGrid::FixedEditChange(TObject* Sender)
{
    if (!OnEditChange)
        return;
    // The fixed-cell edit box and combo box both come here; each passes its own text.
    const auto* editor = dynamic_cast<const TControl*>(Sender);
    OnEditChange(this, FFixedColEdit, FFixedRowEdit, editor ? editor->Text() : QString());
}
