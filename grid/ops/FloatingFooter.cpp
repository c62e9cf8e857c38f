// The floating footer: its settings, the grid's side of it (creation, the footer row on a RowCount
// change, the calculated cells) and the panel that paints it.
#include "grid/ops/FloatingFooter.h"

#include "grid/base/HtmlRender.h"
#include "grid/core/ExtGrid.h"
#include "platform/controls/Forms.h"
#include "platform/core/SysUtils.h"

#include <QHelpEvent>

namespace
{
constexpr int FooterHintCursorHeight = 20; // a hint opens below the mouse cursor
constexpr int TemplateTopGap = 2;          // the expanded template is drawn this far below the top

// A grid field set for the length of a painting and given back however the painting ends. The
// fields are written directly: their setters would repaint the grid from inside a paint.
template <class T> class TKeepField
{
  public:
    TKeepField(T& Field, T Value) : FField(Field), FOld(Field) { FField = Value; }
    ~TKeepField() { FField = FOld; }
    TKeepField(const TKeepField&) = delete;
    TKeepField& operator=(const TKeepField&) = delete;

  private:
    T& FField;
    T FOld;
};
} // namespace

// ---- TFloatingFooter -------------------------------------------------------------------------------

void TFloatingFooter::SetVisible(bool Value)
{
    FVisible = Value;
    TFooterPanel* panel = FGrid->FooterPanel();
    if (panel) {
        panel->SetHeight(Value ? std::max(0, FHeight - 1) : 0);
        panel->SetVisible(Value);
    }
    const bool lastRow = FFooterStyle == fsFixedLastRow;
    FGrid->FixedFooters = panel && panel->Visible() && lastRow ? 1 : 0;
    FGrid->SetHideLastRow(Value && lastRow);
    FGrid->InvalidateGrid();
}

void TFloatingFooter::SetFooterStyle(TFooterStyle Value)
{
    FFooterStyle = Value;
    FGrid->SetHideLastRow(FVisible && Value == fsFixedLastRow);
    FGrid->InvalidateGrid();
    Invalidate();
}

void TFloatingFooter::SetColumn(int Value)
{
    FColumn = Value;
    Invalidate();
}

void TFloatingFooter::SetCustomTemplate(const QString& Value)
{
    FCustomTemplate = Value;
    Invalidate();
}

void TFloatingFooter::SetColor(TColor Value)
{
    FColor = Value;
    Invalidate();
}

void TFloatingFooter::SetBorderColor(TColor Value)
{
    if (FBorderColor == Value)
        return;
    FBorderColor = Value;
    Invalidate();
}

void TFloatingFooter::SetShowHint(bool Value)
{
    FShowHint = Value;
    if (TFooterPanel* panel = FGrid->FooterPanel())
        panel->SetShowHint(Value);
}

void TFloatingFooter::SetHeight(int Value)
{
    FHeight = Value;
    if (FGrid->FooterPanel() && Value > 0 && FVisible)
        FGrid->FooterPanel()->SetHeight(Value - 1);
}

TColumnCalcType TFloatingFooter::ColumnCalc(int c) const
{
    const int r = FGrid->RowCount() - 1;
    if (c < 0 || c >= FGrid->AllColCount() || !FGrid->HasCellProperties(c, r))
        return acNONE;
    return FGrid->GetCellProperties(c, r)->CalcType();
}

void TFloatingFooter::SetColumnCalc(int c, TColumnCalcType Value)
{
    if (c < 0 || c >= FGrid->AllColCount())
        return;
    FGrid->GetCellProperties(c, FGrid->RowCount() - 1)->SetCalcType(Value);
    FGrid->CalcFooter(c);
}

void TFloatingFooter::Assign(const TPersistent* Source)
{
    const auto* other = dynamic_cast<const TFloatingFooter*>(Source);
    if (!other)
        return;
    CalculateHiddenRows = other->CalculateHiddenRows;
    FColor = other->FColor;
    FColumn = other->FColumn;
    FCustomTemplate = other->FCustomTemplate;
    FFooterStyle = other->FFooterStyle;
    SetVisible(other->FVisible);
    SetShowHint(other->FShowHint);
}

void TFloatingFooter::Invalidate()
{
    if (TFooterPanel* panel = FGrid->FooterPanel())
        panel->Invalidate();
}

// ---- The grid's side -----------------------------------------------------------------------------------

void TExtStringGrid::CreateFloatingFooter()
{
    FFloatingFooter = std::make_unique<TFloatingFooter>(this);
    FFooterPanel = new TFooterPanel(this);
    FFooterPanel->SetVisible(false);
    FFooterPanel->SetAlign(alBottom);
    FFooterPanel->SetHeight(0);
    FFooterPanel->SetBorderWidth(0);
    FFooterPanel->SetParent(this);
    FFloatingFooter->SetHeight(DefaultRowHeight());
}

void TExtStringGrid::UpdateFooter()
{
    if (FFooterPanel && !IsDestroying())
        FFooterPanel->Invalidate();
}

void TExtStringGrid::SetHideLastRow(bool Value)
{
    if (FHideLastRow == Value)
        return;
    FHideLastRow = Value;
    InvalidateGrid();
}

void TExtStringGrid::FooterRowCountChanged(int OldCount)
{
    const int newCount = RowCount();
    if (!FFloatingFooter || !FFloatingFooter->Visible() || newCount == OldCount || OldCount <= 0 ||
        newCount <= 0)
        return;
    // The footer row moves with its cell objects (its calculation types live there); the old row
    // then lets go of them without freeing.
    const int from = OldCount - 1;
    const int to = newCount - 1;
    const int cols = TotalColCount();
    for (int c = 0; c < cols; ++c) {
        if (to < OldCount && HasCellProperties(c, to))
            FreeCellProps(c, to);
        SetGridCell(c, to, GetGridCell(c, from));
        SetGridObject(c, to, GetGridObject(c, from));
        SetGridObject(c, from, nullptr);
    }
    const bool nilObjects = FNilObjects;
    FNilObjects = true;
    try {
        ClearRows(from, 1);
    } catch (...) {
        FNilObjects = nilObjects;
        throw;
    }
    FNilObjects = nilObjects;
    CalcFooter(-1);
}

void TExtStringGrid::CalcFooter(int ACol)
{
    CalcFooterCells(ACol);
}

void TExtStringGrid::CalcFooterCells(int ACol)
{
    if (!FFloatingFooter || !FFloatingFooter->Visible() || FFloatingFooter->FooterStyle() != fsFixedLastRow ||
        !FFloatingFooter->EnableCalculation)
        return;
    const int footerRow = RowCount() - 1;
    const int first = ACol == -1 ? 0 : ACol;
    const int last = ACol == -1 ? AllColCount() - 1 : ACol;
    const int h = FFloatingFooter->CalculateHiddenRows ? NumHiddenRows() : 0;
    // The last normal row in real indexes when hidden rows count, so the footer row never counts.
    const bool realRows = h > 0;
    const int lastRow = RowCount() - 2 + h;
    for (int c = first; c <= last; ++c) {
        if (!HasCellProperties(c, footerRow))
            continue;
        const TColumnCalcType kind = GetCellProperties(c, footerRow)->CalcType();
        switch (kind) {
        case acSUM:
        case acAVG:
        case acMIN:
        case acMAX:
        case acDISTINCT:
        case acSTDDEV: {
            const double value = FooterColumnCalc(kind, c, FixedRows(), lastRow, realRows);
            SetFloats(c, footerRow, value);
            break;
        }
        case acCOUNT:
            SetInts(c, footerRow, RowCount() - 1 - FixedRows() + h);
            break;
        case acCUSTOM: {
            QString value;
            if (OnFooterCalc)
                OnFooterCalc(this, c, RowCount() - 1 + h, value);
            else if (FFloatingFooter->OnCalcFooter)
                FFloatingFooter->OnCalcFooter(this, c, RowCount() - 1 + h, value);
            SetCells(c, footerRow, value);
            break;
        }
        default:
            break;
        }
    }
}

void TExtStringGrid::PaintFooterCell(TCanvas* ACanvas, int ACol, int ARow, const TRect& ARect,
                                     TGridDrawState AState)
{
    DrawCellContent(ACanvas, ACol, ARow, ARect, AState);
}

// ---- Template ------------------------------------------------------------------------------------------

QString ExpandFooterTemplate(TExtStringGrid* Grid, const QString& Template)
{
    QString result;
    int pos = 0;
    for (;;) {
        const int tag = Template.indexOf(QLatin1String("<#"), pos);
        if (tag < 0)
            break;
        const int close = Template.indexOf(QLatin1Char('>'), tag + 2);
        if (close < 0)
            break; // an unclosed tag stays as written, with the rest
        result += Template.mid(pos, tag - pos);
        bool ok = false;
        const int column = Template.mid(tag + 2, close - tag - 2).toInt(&ok);
        if (ok && column >= 0)
            result += Grid->Cells(column, Grid->Row());
        pos = close + 1;
    }
    result += Template.mid(pos);
    return result;
}

// ---- TFooterPanel --------------------------------------------------------------------------------------

TFooterPanel::TFooterPanel(TExtStringGrid* AGrid) : TPanel(AGrid), FGrid(AGrid)
{
    SetBevelOuter(bvNone);
}

bool TFooterPanel::RightToLeft() const
{
    return FGrid->UseRightToLeftAlignment();
}

TRect TFooterPanel::Mirrored(TRect R) const
{
    if (!RightToLeft())
        return R;
    const int right = ClientRect().Right;
    const int left = right - R.Right;
    R.Right = right - R.Left;
    R.Left = left;
    return R;
}

int TFooterPanel::FooterWidth() const
{
    int w = 0;
    for (int c = 0; c < FGrid->FixedCols(); ++c)
        w += FGrid->ColWidths(c);
    for (int c = FGrid->LeftCol(); c < FGrid->ColCount(); ++c)
        w += FGrid->ColWidths(c);
    return w;
}

int TFooterPanel::ColumnAt(int X) const
{
    int s = 0;
    int j = 0;
    while (s < X && j < FGrid->FixedCols() && j < FGrid->ColCount())
        s += FGrid->ColWidths(j++);
    // Over a fixed column: that column (not the one before LeftCol).
    if (j > 0 && s >= X)
        return j - 1;
    j = FGrid->LeftCol();
    while (s < X && j < FGrid->ColCount())
        s += FGrid->ColWidths(j++);
    if (j >= FGrid->ColCount() && s < X)
        return -1;
    return j - 1 < 0 ? -1 : j - 1;
}

void TFooterPanel::CreateWnd()
{
    TPanel::CreateWnd();
    TFloatingFooter* footer = FGrid->FloatingFooter();
    // One pixel lower than the footer's height, as its Visible and Height writes leave it.
    SetHeight(footer->Visible() ? std::max(0, footer->Height() - 1) : 0);
    if (FGrid->OnCreatedFloatingFooter)
        FGrid->OnCreatedFloatingFooter(FGrid);
}

void TFooterPanel::Paint()
{
    TKeepField<bool> noRtl(FGrid->NoRTLOrientation, true);
    int w = ClientWidth();
    switch (FGrid->FloatingFooter()->FooterStyle()) {
    case fsFixedLastRow:
        w = PaintFixedLastRow();
        break;
    case fsColumnPreview:
        w = PaintColumnPreview();
        break;
    case fsCustomPreview:
        w = PaintCustomPreview();
        break;
    case fsCustomPaint:
        w = PaintCustomPaint();
        break;
    }
    const TColor border = FGrid->FloatingFooter()->BorderColor();
    if (border != clNone) {
        Canvas->Pen->Color = border;
        Canvas->Pen->Width = 1;
        const TRect line = Mirrored(TRect(0, 0, w, 0));
        Canvas->MoveTo(line.Left, 0);
        Canvas->LineTo(line.Right, 0);
    }
}

int TFooterPanel::PaintFixedLastRow()
{
    TFloatingFooter* footer = FGrid->FloatingFooter();
    const TRect client = ClientRect();
    const int footerWidth = FooterWidth();
    const TRect area =
        Mirrored(TRect(client.Left, client.Top, std::min(client.Right, footerWidth), client.Bottom));
    const int lastRow = FGrid->RowCount() - 1;

    Canvas->Brush->Style = bsSolid;
    Canvas->Brush->Color = FGrid->Color();
    Canvas->FillRect(client);
    Canvas->Brush->Color = footer->Color();
    Canvas->Pen->Color = footer->Color();
    Canvas->FillRect(area);

    const TGridOptions options = FGrid->Options();
    const bool vertLines = options.Contains(goFixedVertLine);
    const bool horzLines = options.Contains(goFixedHorzLine);
    const bool lookLines =
        FGrid->Look == glSoft || FGrid->Look == glQel || FGrid->Look == glXP || FGrid->Look == glVista;
    const bool rtl = RightToLeft();

    // Grid lines: a white edge left of every column, the grid line above and a grey one right of the
    // scrolled columns.
    std::vector<int> columns;
    for (int c = 0; c < FGrid->FixedCols(); ++c)
        columns.push_back(c);
    for (int c = FGrid->LeftCol(); c < FGrid->ColCount(); ++c)
        columns.push_back(c);
    int x = rtl ? client.Right : 0;
    for (int c : columns) {
        const bool scrolled = c >= FGrid->FixedCols();
        Canvas->Pen->Color = clWhite;
        Canvas->MoveTo(x, client.Bottom);
        if (vertLines && lookLines)
            Canvas->LineTo(x, client.Top);
        Canvas->MoveTo(x, client.Top);
        x += rtl ? -FGrid->ColWidths(c) : FGrid->ColWidths(c);
        Canvas->Pen->Color = FGrid->GridLineColor();
        if (horzLines)
            Canvas->LineTo(x - 1, client.Top);
        Canvas->MoveTo(x - 1, client.Top);
        if (scrolled) {
            if (FGrid->Look != glVista)
                Canvas->Pen->Color = clGray;
            if (vertLines)
                Canvas->LineTo(x - 1, client.Bottom);
        }
    }

    // Cells, laid out from the left and mirrored for right-to-left.
    TRect cell = client;
    if (horzLines)
        cell.Top += 1;
    cell.Right = cell.Left - 1;
    for (int c : columns) {
        const bool scrolled = c >= FGrid->FixedCols();
        const int rc = scrolled ? FGrid->RealColIndex(c) : c;
        cell.Left = cell.Right + 1;
        if (!scrolled && FGrid->IsMergedCell(c, lastRow))
            cell.Right = FGrid->CellRect(c, lastRow).Right - 1;
        else
            cell.Right = cell.Left + FGrid->ColWidths(c) - 1;
        TRect r = cell;
        if (horzLines && lookLines)
            r.Left += 1;
        const TRect target = Mirrored(r);
        if (!scrolled) {
            if (FGrid->IsBaseCell(c, lastRow))
                FGrid->PaintFooterCell(Canvas, c, lastRow, target, gdFixed);
            continue;
        }
        if (FGrid->OnGetCellColor) {
            Canvas->Brush->Color = clNone;
            FGrid->OnGetCellColor(FGrid, lastRow, rc, gdFixed, Canvas->Brush, Canvas->Font);
            if (Canvas->Brush->Color != clNone)
                Canvas->FillRect(target);
        }
        const TColor color = FGrid->Colors(rc, lastRow);
        if (color != clNone) {
            Canvas->Brush->Color = color;
            Canvas->FillRect(target);
        }
        if (!FGrid->IsBaseCell(rc, lastRow))
            continue;
        if (FGrid->OnFooterPaint)
            FGrid->OnFooterPaint(this, c, Canvas, target);
        else
            FGrid->PaintFooterCell(Canvas, c, lastRow, target, gdFixed);
    }
    return rtl ? client.Right - x : x;
}

TRect TFooterPanel::PaintPreviewFrame(int Width)
{
    const TRect client = ClientRect();
    TRect area(client.Left, client.Top, std::min(client.Right, Width), client.Bottom);
    area = Mirrored(area);
    Canvas->Brush->Style = bsSolid;
    Canvas->Brush->Color = FGrid->Color();
    Canvas->FillRect(client);
    Canvas->Pen->Width = 1;
    Canvas->Brush->Color = FGrid->FloatingFooter()->Color();
    Canvas->FillRect(area);
    Canvas->Pen->Color = clGray;
    Canvas->MoveTo(area.Left, area.Bottom - 1);
    Canvas->LineTo(area.Right - 1, area.Bottom - 1);
    Canvas->LineTo(area.Right - 1, area.Top);
    Canvas->Pen->Color = clWhite;
    Canvas->MoveTo(area.Right - 1, area.Top);
    Canvas->LineTo(area.Left, area.Top);
    Canvas->LineTo(area.Left, area.Bottom - 1);
    return area;
}

int TFooterPanel::PaintColumnPreview()
{
    const int w = FooterWidth();
    TFloatingFooter* footer = FGrid->FloatingFooter();
    const TRect area = PaintPreviewFrame(w);
    TKeepField<TColor> textColor(FGrid->FSelectionTextColor, clBlack);
    if (FGrid->OnFooterPaint)
        FGrid->OnFooterPaint(this, footer->Column(), Canvas, area);
    else
        FGrid->PaintFooterCell(Canvas, footer->Column(), FGrid->Row(), area, TGridDrawState(0));
    return w;
}

int TFooterPanel::PaintCustomPreview()
{
    const int w = FooterWidth();
    const TRect area = PaintPreviewFrame(w);
    TKeepField<TColor> textColor(FGrid->FSelectionTextColor, clBlack);
    const QString templ = FGrid->FloatingFooter()->CustomTemplate();
    if (FGrid->IsDesignTime()) {
        Canvas->Brush->Style = bsClear;
        Canvas->TextRect(area, area.Left, area.Top, templ);
        return w;
    }
    TRect r = area;
    r.Top += TemplateTopGap;
    QString anchor, plain, focus, title, id, value, type;
    int linesWidth = 0, linesHeight = 0, anchors = 0, hitAnchor = -1;
    TRect hitRect, controlRect;
    RenderHTML(Canvas, ExpandFooterTemplate(FGrid, templ), r, FGrid->GridImages, 0, 0, -1, -1, 1, false,
               false, false, false, true, false, false, false, 1.0, FGrid->URLColor, clNone, clNone, clGray,
               anchor, plain, focus, title, linesWidth, linesHeight, anchors, hitAnchor, hitRect, controlRect,
               id, value, type, FGrid->ImageCache(), FGrid->PictureContainer, FGrid->Handle(), 0);
    return w;
}

int TFooterPanel::PaintCustomPaint()
{
    if (FGrid->OnFooterPaint)
        FGrid->OnFooterPaint(this, FGrid->FloatingFooter()->Column(), Canvas, Mirrored(ClientRect()));
    return ClientWidth();
}

// ---- Mouse and hints -----------------------------------------------------------------------------------

void TFooterPanel::HandleMouseMove(TShiftState Shift, int X, int Y)
{
    TPanel::HandleMouseMove(Shift, X, Y);
    if (!ShowHint() || FLastHintX < 0)
        return;
    const int column = ColumnAt(X);
    if (column != FLastHintX) {
        CancelHint();
        FLastHintX = column;
    }
}

void TFooterPanel::HandleMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TPanel::HandleMouseUp(Button, Shift, X, Y);
    if (Button != mbLeft)
        return;
    if (FGrid->OnClick)
        FGrid->OnClick(FGrid);
    if (FGrid->OnClickCell)
        FGrid->OnClickCell(FGrid, FGrid->RowCount() - 1, ColumnAt(X));
}

void TFooterPanel::HandleMouseLeave()
{
    TPanel::HandleMouseLeave();
    FLastHintX = -1;
}

void TFooterPanel::CMHintShow(TCMHintShow& Message)
{
    const int column = ColumnAt(Message.HintInfo->CursorPos.X);
    if (FGrid->OnGridHint && column >= 0) {
        QString hint = Message.HintInfo->HintStr;
        FGrid->OnGridHint(FGrid, FGrid->RowCount() - 1, column, hint);
        Message.HintInfo->HintStr = hint;
        FLastHintX = ShowHint() ? column : -1;
    }
}

bool TFooterPanel::WidgetEvent(QEvent* Event, TControlWidgetLink& Link)
{
    if (Event->type() != QEvent::ToolTip)
        return TPanel::WidgetEvent(Event, Link);
    auto* help = static_cast<QHelpEvent*>(Event);
    help->accept();
    const TPoint at = TPoint::FromQPoint(help->pos());
    if (HintAskedAt(this, at))
        return true;
    if (!ShowHint() || !Application->ShowHint) {
        CancelHint();
        return true;
    }
    THintInfo info;
    info.HintControl = this;
    info.HintWindowClass = HintWindowClass;
    info.CursorPos = at;
    info.CursorRect = ClientRect();
    info.HintPos = ClientToScreen(TPoint(at.X, at.Y + FooterHintCursorHeight));
    info.HintMaxWidth = Screen->Width();
    info.HintStr = GetShortHint(Hint());
    TCMHintShow message{&info, 0};
    GuardedDispatch([&] {
        CMHintShow(message);
        if (message.Result != 0 || info.HintStr.isEmpty())
            CancelHint();
        else
            ShowHintInfo(info);
    });
    return true;
}
