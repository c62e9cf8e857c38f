// TExtStringGrid: construction, destruction, loading, the redeclared dimensions and the update lock.
#include "grid/core/ExtGrid.h"

#include "platform/controls/Forms.h"

#include <QApplication>
#include <QEvent>
#include <QStyle>
#include <cmath>

namespace
{

// Passes the resize events of a watched widget on, letting them go on to the widget.
class TResizeRelay : public QObject
{
  public:
    explicit TResizeRelay(std::function<void()> OnResized) : FOnResized(std::move(OnResized)) {}

  protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override
    {
        if (Event->type() == QEvent::Resize)
            FOnResized();
        return QObject::eventFilter(Watched, Event);
    }

  private:
    std::function<void()> FOnResized;
};

} // namespace

TGridItem::TGridItem(TCollection* Collection)
    : TCollectionItem(Collection), FItems(std::make_unique<TStringList>())
{
}

TExtStringGrid::TExtStringGrid(TComponent* AOwner)
    : TBaseGrid(AOwner), FGridItems(std::make_unique<TCollectionOf<TGridItem>>()),
      FFilterList(std::make_unique<TStringList>()), FFixedFont(std::make_unique<TFont>()),
      FNavigation(std::make_unique<TNavigation>()), FMouseActions(std::make_unique<TMouseActions>(this))
{
    FVisibleCol.fill(true);
    FFilterList->SetSorted(true);
    FFilterList->Duplicates = dupIgnore;
    FFixedFont->Name = "Tahoma";
    FFixedFont->Style = fsBold;
    FFixedFont->OnChange = [this](TGraphicsObject*) { InvalidateGrid(); };
    FActiveCellFont->Style = fsBold;
    FActiveCellFont->OnChange = [this](TGraphicsObject*) { InvalidateGrid(); };
    FMouseActions->OnInvalidate = [this](TObject*) { InvalidateGrid(); };
    FControlLook = std::make_unique<TControlLook>(this);
    FBackGround = std::make_unique<TBackGround>(this);
    FCellNode = std::make_unique<TCellNode>(this);
    FSizeWhileTyping = std::make_unique<TSizeWhileTyping>();
    FColumnSize = std::make_unique<TColumnSize>(this);
    FColumnSize->OnStretchChange = [this](TObject*) {
        if (Parent())
            ApplyColumnStretch(FColumnSize->StretchColumn);
    };
    FDragScrollOptions = std::make_unique<TDragScrollOptions>();
    FShowModified = std::make_unique<TShowModified>();
    FShowModified->OnChange = [this](TObject*) { InvalidateCol(0); };
    FProgressAppearance = std::make_unique<TGridProgressAppearance>();
    FProgressAppearance->OnChange = [this](TObject*) { InvalidateGrid(); };
    FBalloonSettings = std::make_unique<TBalloonSettings>();
    FBalloonSettings->OnEnableChange = [this](TObject*) { BalloonEnableChanged(); };
    InitCellObjects();
    FQelGradTo = ColorToRGB(clBtnFace);

    TBaseGrid::SetRowCount(ExtGridRowCount);
    TBaseGrid::SetColCount(ExtGridColCount);
    TBaseGrid::SetFixedRows(1);
    TBaseGrid::SetFixedCols(1);
    SetDefaultRowHeight(ExtGridRowHeight);
    FNormalRowCount = ExtGridRowCount;
    FMaxRowCount = ExtGridRowCount;
    FMaxColCount = ExtGridColCount;
    FFixedColWidth = DefaultColWidth();
    SetBounds(Left(), Top(), ExtGridWidth, ExtGridHeight);
    CreateFloatingFooter();
    CreateComboEditor();
    CreateEditControls();
    CreateFilterLists();
    CreateCellControlEditors();
    CreateSearchPanel();

    // The owner form's size changes reach the grid through a filter on its window, so the form's
    // own OnResize stays its own (and its errors are reported like any other).
    if (auto* form = dynamic_cast<TForm*>(AOwner); form && !IsDesignTime() && form->Widget()) {
        PrevSizeX = form->Width();
        PrevSizeY = form->Height();
        FFormResizeRelay = std::make_unique<TResizeRelay>([this] { OwnerFormResized(); });
        form->Widget()->installEventFilter(FFormResizeRelay.get());
    }
}

TExtStringGrid::~TExtStringGrid()
{
    Destroying();
    if (FColumnSize->Save) {
        try {
            SaveColSizes();
        } catch (const EInOutError&) {
            // A destructor cannot report it; the widths are lost, the grid still goes.
        }
    }
    FFormResizeRelay.reset(); // Qt takes a deleted filter off the form
    BalloonDone();
    FClearTextOnly = false;
    SaveHiddenCells = false;
    UnHideColumnsAll();
    FreeHiddenRowObjects();
    const int cols = std::max(ColCount(), FMaxColCount);
    const int rows = std::max(RowCount(), FMaxRowCount);
    if (cols > 0 && rows > 0 && FHasCellProps) {
        ClearRect(0, 0, cols - 1, rows - 1);
        // Slots beyond the current counts are not reached by the clear.
        FHasCellProps = true;
        FreeCellPropsRect(0, 0, cols - 1, rows - 1);
    }
    TBaseGrid::SetCursor(FOldCursor);
}

void TExtStringGrid::OwnerFormResized()
{
    if (IsDesignTime() || (ComponentState() & csDestroying))
        return;
    auto* form = dynamic_cast<TForm*>(Owner());
    if (!form)
        return;
    if (SizeWithForm) {
        const int w = form->Width() + Width() - PrevSizeX;
        const int h = form->Height() + Height() - PrevSizeY;
        if (w > 0 && h > 0) {
            SetBounds(Left(), Top(), w, h);
            PrevSizeX = form->Width();
            PrevSizeY = form->Height();
        }
    }
    ApplyColumnStretch();
}

void TExtStringGrid::Loaded()
{
    TBaseGrid::Loaded();
    FOldCursor = Cursor();
    FFixedRowsMin = TBaseGrid::FixedRows();
    FFixedColsMin = FixedCols();
    FMinRowHeight = DefaultRowHeight();
    FMinColWidth = ExtGridMinColWidth;
    FMaxRowCount = RowCount();
    FLoaded = true;
    if (Options().Contains(goAlwaysShowEditor)) {
        SetOptions(Options() - goAlwaysShowEditor);
        FNavigation->AlwaysEdit = true;
    }
    // Themes are found inactive only when the window is made, which comes after loading.
    if (!FIsWinXP && !IsDesignTime() && FControlLook->ControlStyle() == csTheme)
        FControlLook->SetControlStyle(csClassic);
    ApplyScrollBarAlways(false);
    if (FBalloonSettings->Enable())
        BalloonInit();
    if (FColumnSize->Save)
        LoadColSizes();
}

void TExtStringGrid::SetQelGradient(TColor& Field, TColor Value)
{
    Field = Value == clNone ? clNone : ColorToRGB(Value);
    InvalidateGrid();
}

// ---- Dimensions --------------------------------------------------------------------------------------

void TExtStringGrid::SetRowCount(int Value)
{
    const int oldCount = RowCount();
    TBaseGrid::SetRowCount(Value);
    if (FFixedRowAlways && FFixedRowsMin < RowCount())
        SetFixedRows(FFixedRowsMin);
    FMaxRowCount = std::max(FMaxRowCount, Value);
    FNormalRowCount = Value;
    UpdateFooter();
    ApplyScrollBarAlways(false);
    FooterRowCountChanged(oldCount);
}

void TExtStringGrid::SetColCount(int Value)
{
    TBaseGrid::SetColCount(Value);
    if (FFixedColAlways && FFixedColsMin < ColCount())
        SetFixedCols(FFixedColsMin);
    FMaxColCount = std::max(FMaxColCount, Value + FNumHidden);
    UpdateFooter();
    SetBounds(Left(), Top(), Width(), Height()); // re-applies the integral height
    ApplyScrollBarAlways(false);
}

int TExtStringGrid::FixedRows() const
{
    const int fixed = TBaseGrid::FixedRows();
    return fixed == 0 && FFixedRowAlways ? 1 : fixed;
}

void TExtStringGrid::SetFixedRows(int Value)
{
    const int asked = Value;
    if (FFixedRowAlways && Value >= RowCount())
        Value = RowCount() - 1;
    TBaseGrid::SetFixedRows(Value);
    if (!(ComponentState() & csLoading))
        FFixedRowsMin = asked;
}

void TExtStringGrid::SetFixedCols(int Value)
{
    TBaseGrid::SetFixedCols(Value);
    if (!(ComponentState() & csLoading))
        FFixedColsMin = Value;
}

void TExtStringGrid::SetFixedRowHeight(int Value)
{
    FFixedRowHeight = Value;
    if (ComponentState() & csLoading)
        return;
    for (int r = 0; r < TBaseGrid::FixedRows(); ++r)
        SetRowHeights(r, Value);
}

void TExtStringGrid::SetFixedColWidth(int Value)
{
    FFixedColWidth = Value;
    if ((ComponentState() & csLoading) || Value == DefaultColWidth())
        return;
    for (int c = 0; c < FixedCols(); ++c)
        SetColWidths(c, Value);
}

void TExtStringGrid::SetDefaultRowHeight(int Value)
{
    TBaseGrid::SetDefaultRowHeight(Value);
    if (IsDesignTime())
        FFixedRowHeight = Value;
    if (FFloatingFooter)
        FFloatingFooter->SetHeight(Value);
}

void TExtStringGrid::SetWordWrap(bool Value)
{
    TBaseGrid::SetWordWrap(Value);
    FWordWrapEx = Value;
    if (FUpdateCount == 0)
        InvalidateGrid();
}

void TExtStringGrid::SetDefaultAlignment(TAlignment Value)
{
    if (Value == FDefaultAlignment)
        return;
    FDefaultAlignment = Value;
    InvalidateGrid();
}

void TExtStringGrid::SetCursor(TCursor Value)
{
    TBaseGrid::SetCursor(Value);
    FOldCursor = Value;
}

// ---- Update lock ---------------------------------------------------------------------------------------

void TExtStringGrid::BeginUpdate()
{
    if (!Visible())
        return;
    if (FUpdateCount++ == 0) {
        SetRedraw(false);
        FRedrawOff = true;
    }
}

void TExtStringGrid::EndUpdate()
{
    // A lock taken while visible must end even when the grid was hidden meanwhile, or it never paints
    // again; only the redraw needs it visible.
    if (FUpdateCount == 0)
        return;
    if (--FUpdateCount > 0)
        return;
    SetRedraw(true);
    FRedrawOff = false;
    if (Visible())
        InvalidateGrid();
}

// ---- Notifiers -----------------------------------------------------------------------------------------

void TExtStringGrid::RegisterNotifier(TGridChangeNotifier* ANotifier)
{
    if (std::find(FNotifierList.begin(), FNotifierList.end(), ANotifier) == FNotifierList.end())
        FNotifierList.push_back(ANotifier);
}

void TExtStringGrid::UnRegisterNotifier(TGridChangeNotifier* ANotifier)
{
    std::erase(FNotifierList, ANotifier);
}

void TExtStringGrid::DoCellsChanged(const TRect& R)
{
    if (OnCellsChanged)
        OnCellsChanged(this, R);
    for (TGridChangeNotifier* notifier : FNotifierList)
        notifier->CellsChanged(R);
    CalcFooter(-1);
}

// ---- Misc ----------------------------------------------------------------------------------------------

QString TExtStringGrid::GetVersionString() const
{
    return QString("%1 %2").arg(ExtGridVersion, ExtGridVersionDate);
}

void TExtStringGrid::Zoom(int Delta)
{
    const int factor = FZoomFactor + Delta;
    if (factor < -ExtGridZoomLimit || factor > ExtGridZoomLimit)
        return;
    FZoomFactor = factor;
    for (int c = 0; c < ColCount(); ++c)
        if (ColWidths(c) > 0 && ColWidths(c) + Delta > 0)
            SetColWidths(c, ColWidths(c) + Delta);
    // All rows as one block, one notification.
    const auto zoomed = [Delta](int, int h) { return h > 0 && h + Delta > 0 ? h + Delta : h; };
    if (RowAxis().SetSizes(0, RowCount(), zoomed))
        RowSizesChanged();
}

TGridRect TExtStringGrid::UsedCells()
{
    TGridRect used{0, 0, 0, 0};
    bool any = false;
    for (int c = 0; c < ColCount(); ++c) {
        for (int r = 0; r < RowCount(); ++r) {
            if (GetCellEx(c, r).isEmpty())
                continue;
            if (!any) {
                used = TGridRect{c, r, c, r};
                any = true;
            }
            used.Left = std::min(used.Left, c);
            used.Top = std::min(used.Top, r);
            used.Right = std::max(used.Right, c);
            used.Bottom = std::max(used.Bottom, r);
        }
    }
    return used;
}

void TExtStringGrid::ScreenToCell(TPoint Pt, int& ACol, int& ARow) const
{
    const TPoint p = ScreenToClient(Pt);
    MouseToCell(p.X, p.Y, ACol, ARow);
}

// ---- Lifecycle -----------------------------------------------------------------------------------------

void TExtStringGrid::Invalidate()
{
    // An editor change repaints its own cell; the grid-wide repaint that follows it is not needed.
    if (FEditChange) {
        FEditChange = false;
        return;
    }
    InvalidateGrid();
}

void TExtStringGrid::Resize()
{
    TBaseGrid::Resize();
    if (OnResize)
        OnResize(this);
    ApplyScrollBarAlways(false);
}

void TExtStringGrid::SetIntegralHeight(bool Value)
{
    FIntegralHeight = Value;
    SetBounds(Left(), Top(), Width(), Height());
}

void TExtStringGrid::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    if (FIntegralHeight && FUpdateCount == 0 && DefaultRowHeight() > 0) {
        const bool colsFit = VisibleColCount() + FixedCols() >= ColCount();
        const int bar = colsFit ? 0 : QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        const int border = BorderStyle() == bsSingle ? 2 : 0;
        const int rows = AHeight - bar - border;
        AHeight = bar + 2 * border + rows - rows % DefaultRowHeight();
    }
    TBaseGrid::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TExtStringGrid::Assign(const TPersistent* Source)
{
    const auto* src = dynamic_cast<const TExtStringGrid*>(Source);
    if (!src)
        return;
    Font->Assign(*src->Font);
    ActiveCellColor = src->ActiveCellColor;
    ActiveCellColorTo = src->ActiveCellColorTo;
    FActiveCellFont->Assign(*src->FActiveCellFont);
    ActiveCellShow = src->ActiveCellShow;
    SetActiveRowShow(src->ActiveRowShow());
    AnchorHint = src->AnchorHint;
    AutoNumAlign = src->AutoNumAlign;
    AutoFilterUpdate = src->AutoFilterUpdate;
    FMouseActions->Assign(src->FMouseActions.get());
    FNavigation->Assign(src->FNavigation.get());
    FCellNode->Assign(src->FCellNode.get());
    FDragScrollOptions->Assign(src->FDragScrollOptions.get());
    FProgressAppearance->Assign(src->FProgressAppearance.get());
    FColumnSize->Assign(src->FColumnSize.get());
    FFixedRowAlways = src->FFixedRowAlways;
    SetColCount(src->ColCount());
    SetRowCount(src->RowCount());
    SetFixedRows(src->FixedRows());
    SetFixedCols(src->FixedCols());
    SetDefaultColWidth(src->DefaultColWidth());
    SetDefaultRowHeight(src->DefaultRowHeight());
    SetFixedRowHeight(src->FixedRowHeight());
    SetFixedColWidth(src->FixedColWidth());
    InvalidEntryTitle = src->InvalidEntryTitle;
    InvalidEntryText = src->InvalidEntryText;
    SetOptions(src->Options());
    // Sizes after the counts, so every column and row of the source has its place.
    for (int c = 0; c < ColCount(); ++c)
        SetColWidths(c, src->ColWidths(c));
    for (int r = 0; r < RowCount(); ++r)
        SetRowHeights(r, src->RowHeights(r));
    SetScrollBars(src->ScrollBars());
    AssignCells(Source);
}


void TExtStringGrid::HandleChangeScale(int M, int D)
{
    if (IsDesignTime() || M == D || D == 0)
        return;
    // Rounded halves away from zero, as the platform's MulDiv.
    FFixedFont->Size = int(std::lround(double(FFixedFont->Size) * M / D));
    FActiveCellFont->Size = int(std::lround(double(FActiveCellFont->Size) * M / D));
}
