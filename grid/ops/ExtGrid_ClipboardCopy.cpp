// TExtStringGrid: the selection as text, copy and cut to the clipboard (text, the top-left cell's
// RTF, the binary cell stream), the grid as HTML on the clipboard, and writing a text block back.
#include "grid/base/UndoRedo.h"
#include "grid/core/ExtGrid.h"
#include "grid/ops/ScopeGuards.h"

#include "platform/controls/Clipboard.h"
#include "platform/core/SysUtils.h"

#include <cstring>

namespace
{

const QString WidePrefix = QStringLiteral("|\\");

// Open ... Close of the clipboard, also when an exception passes.
class TClipboardOpen
{
  public:
    TClipboardOpen() { Clipboard()->Open(); }
    ~TClipboardOpen() { Clipboard()->Close(); }
    TClipboardOpen(const TClipboardOpen&) = delete;
    TClipboardOpen& operator=(const TClipboardOpen&) = delete;
};

HGLOBAL BlockOfBytes(const char* Data, size_t Size)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_SHARE, Size);
    if (block && Size > 0)
        std::memcpy(GlobalLock(block), Data, Size);
    GlobalUnlock(block);
    return block;
}

} // namespace

// ---- Selection text -------------------------------------------------------------------------------------

QString TExtStringGrid::SelectionToText(const TGridRect& Rect, bool Disjunct)
{
    FClipTopLeft = TPoint(Rect.Left, Rect.Top);
    ExportNotification(esExportStart, -1);
    const bool rowsOnly =
        Disjunct && FMouseActions->DisjunctRowSelect() && !FMouseActions->DisjunctColSelect();
    const bool colsOnly = Disjunct && FMouseActions->DisjunctColSelect();
    const bool lineEnds = Rect.Bottom > Rect.Top;
    QString result;
    for (int r = Rect.Top; r <= Rect.Bottom; ++r) {
        ExportNotification(esExportNewRow, r);
        if (rowsOnly && !RowFlagSet(FMouseActions->RowSelectPersistent ? DisplToRealRow(r) : r))
            continue;
        for (int c = Rect.Left; c <= Rect.Right; ++c) {
            if (colsOnly && !ColSelect(c))
                continue;
            const int rc = DisplToRealCol(c);
            QString t = GetExportCellText(rc, r);
            if (t.startsWith(WidePrefix))
                t = DecodeWideText(t);
            if (t.contains(QChar('\r'))) {
                // One LF per line break: CR LF turned into two LFs would add an empty line.
                t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
                t.replace(QChar('\r'), QChar('\n'));
                t = QChar('"') + t + QChar('"');
            }
            if (!FNavigation->CopyHTMLTagsToClipboard && t.contains(QLatin1String("</")))
                t = GetStrippedCell(rc, r);
            else if (t.contains(QLatin1String("{\\")))
                t = RichCellPlainText(Cells(rc, r));
            if (ExcelClipboardFormat && CountTextLines(t, Multilinecells) > 1)
                QuoteMultiLine(t);
            result += t;
            if (c < Rect.Right)
                result += QChar('\t');
        }
        if (lineEnds)
            result += QLatin1String("\r\n");
    }
    ExportNotification(esExportDone, -1);
    return result;
}

void TExtStringGrid::SetSelectionAsText(const QString& Value)
{
    const TGridRect sel = Selection();
    const auto footerRow = [this] {
        return FFloatingFooter && FFloatingFooter->Visible() &&
               FFloatingFooter->FooterStyle() == fsFixedLastRow;
    };
    int c = sel.Left, r = sel.Top;
    int maxCol = c;
    const qsizetype n = Value.size();
    qsizetype i = 0;
    TUpdateLock lock(this);
    while (i < n) {
        qsizetype j = i;
        while (j < n && Value[j] != QChar('\t') && Value[j] != QChar('\r'))
            ++j;
        QString field = Value.mid(i, j - i);
        if (field.contains(QChar('\n'))) {
            if (field.startsWith(QChar('"')))
                field.remove(0, 1);
            if (field.endsWith(QChar('"')) && field.count(QChar('"')) == 1)
                field.chop(1);
            field.replace(QChar(11), QLatin1String("\r\n"));
            // The selection text sends each line break as one LF; the cell gets its CR LF back.
            for (qsizetype k = 0; k < field.size(); ++k)
                if (field[k] == QChar('\n') && (k == 0 || field[k - 1] != QChar('\r')))
                    field.insert(k++, QChar('\r'));
        }
        if (field.startsWith(WidePrefix))
            field = EncodeWideText(DecodeWideText(field));
        if (c >= ColCount())
            SetColCount(c + 1);
        if (r < RowCount())
            SetGridCell(DisplToRealCol(c), r, field);
        maxCol = std::max(maxCol, c);
        if (j >= n)
            break;
        if (Value[j] == QChar('\t')) {
            ++c;
            i = j + 1;
            continue;
        }
        // A line end: CR, and an LF right after it is part of it.
        i = j + 1;
        if (i < n && Value[i] == QChar('\n'))
            ++i;
        c = sel.Left;
        ++r;
        const int rows = footerRow() ? RowCount() - 1 : RowCount();
        if (r >= rows && i < n)
            SetRowCount(RowCount() + 1);
    }
    DoCellsChanged(TRect(DisplToRealCol(sel.Left), sel.Top, DisplToRealCol(maxCol), r));
}

void TExtStringGrid::ExtendSelectionToMerged()
{
    TGridRect sel = Selection();
    const auto area = [this](int c, int r) {
        const TGridRect a = FullCell(DisplToRealCol(c), r);
        return TGridRect{RealToDisplCol(a.Left), a.Top, RealToDisplCol(a.Right), a.Bottom};
    };
    if (sel.Left < 0 || sel.Top < 0)
        return;
    const TGridRect tl = area(sel.Left, sel.Top);
    const TGridRect br = area(sel.Right, sel.Bottom);
    const TGridRect wide{std::min(sel.Left, tl.Left), std::min(sel.Top, tl.Top),
                         std::max(sel.Right, br.Right), std::max(sel.Bottom, br.Bottom)};
    if (wide.Left != sel.Left || wide.Top != sel.Top || wide.Right != sel.Right || wide.Bottom != sel.Bottom)
        SetSelection(wide);
}

// ---- Copy -----------------------------------------------------------------------------------------------

void TExtStringGrid::CopyRectToClipboard(const TGridRect& Rect, bool Disjunct)
{
    const QString text = SelectionToText(Rect, Disjunct);
    TClipboardOpen open;
    Clipboard()->Clear();
    Clipboard()->SetAsText(text);
    if (FNavigation->AllowRTFClipboard) {
        const QString rtf = Cells(DisplToRealCol(Rect.Left), Rect.Top);
        if (rtf.contains(QLatin1String("{\\"))) {
            // Zero-terminated 16-bit characters; without memory the RTF is left out.
            QByteArray bytes;
            bytes.reserve((rtf.size() + 1) * 2);
            for (QChar ch : rtf) {
                bytes.append(char(ch.unicode() & 0xFF));
                bytes.append(char(ch.unicode() >> 8));
            }
            bytes.append(2, '\0');
            if (HGLOBAL block = BlockOfBytes(bytes.constData(), size_t(bytes.size())))
                Clipboard()->SetAsHandle(CF_RICHTEXTFORMAT(), block);
        }
    }
    if (FNavigation->AllowFmtClipboard) {
        TMemoryStream ms;
        SaveRectToBinStream(TRect(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom), &ms);
        if (HGLOBAL block = BlockOfBytes(ms.Memory(), size_t(ms.Size())))
            Clipboard()->SetAsHandle(CF_GRIDCELLS, block);
    }
}

void TExtStringGrid::CopySelectionToClipboard()
{
    ExtendSelectionToMerged();
    const bool rows = FMouseActions->DisjunctRowSelect();
    const bool cols = FMouseActions->DisjunctColSelect();
    const bool fmt = FNavigation->AllowFmtClipboard;
    if (rows && !fmt)
        CopyRectToClipboard(
            TGridRect{FixedCols(), SaveStartRow(), ColCount() - FixedRightCols - 1, SaveEndRow()}, true);
    else if (cols && !fmt)
        CopyRectToClipboard(TGridRect{SaveStartCol(), SaveStartRow(), SaveEndCol(), SaveEndRow()}, true);
    else
        CopyRectToClipboard(Selection(), false);
    FClipLastOp = coCopy;
}

void TExtStringGrid::CopyToClipBoard()
{
    CopyRectToClipboard(TGridRect{SaveStartCol(), SaveStartRow(), SaveEndCol(), SaveEndRow()}, false);
    FClipLastOp = coCopy;
}

void TExtStringGrid::CopyToClipBoardAsHTML()
{
    QString html = SaveToHTMLString(QString());
    MakeClipboardHTML(html);
    // The envelope's offsets count characters, which the 8-bit form keeps as bytes.
    const QByteArray bytes = EncodeWindows1252(html);
    TClipboardOpen open;
    Clipboard()->Clear();
    if (HGLOBAL block = BlockOfBytes(bytes.constData(), size_t(bytes.size())))
        Clipboard()->SetAsHandle(CF_HTMLFORMAT(), block);
    Clipboard()->SetAsText(html);
}

// ---- Cut ------------------------------------------------------------------------------------------------

void TExtStringGrid::CutToClipboard()
{
    const TGridRect R{SaveStartCol(), SaveStartRow(), SaveEndCol(), SaveEndRow()};
    // The copy comes first: when it fails, no cell changes.
    CopyRectToClipboard(R, false);
    const bool always = FNavigation->AllowClipboardAlways;
    for (int r = R.Top; r <= R.Bottom; ++r) {
        for (int c = R.Left; c <= R.Right; ++c) {
            const int rc = DisplToRealCol(c);
            if (always || IsEditable(rc, r))
                SetCells(rc, r, QString());
        }
        if (FShowModified->Enabled)
            SetRowModified(r, true);
    }
    FClipLastOp = coCut;
}

void TExtStringGrid::CutSelectionToClipboard()
{
    const TGridRect sel = Selection();
    CopySelectionToClipboard();
    // The copy may have widened the selection to merged areas.
    const TGridRect R = Selection();
    const bool always = FNavigation->AllowClipboardAlways;
    if (FMouseActions->DisjunctRowSelect()) {
        for (int r = FixedRows(); r < RowCount(); ++r) {
            if (!RowFlagSet(FMouseActions->RowSelectPersistent ? DisplToRealRow(r) : r))
                continue;
            ClearRows(r, 1);
            if (FShowModified->Enabled)
                SetRowModified(r, true);
        }
    } else if (FMouseActions->DisjunctColSelect()) {
        for (int c = FixedCols(); c < ColCount(); ++c)
            if (ColSelect(c))
                ClearCols(c, 1);
    } else {
        VIvoDediZudaZove* undo = UndoRedo();
        if (undo)
            undo->StartSequence();
        for (int r = R.Top; r <= R.Bottom; ++r) {
            for (int c = R.Left; c <= R.Right; ++c) {
                const int rc = RealColIndex(c);
                if (!always && !IsEditable(rc, r))
                    continue;
                if (undo)
                    undo->RegisterChange(rc, r, Cells(rc, r), QString());
                SetCells(rc, r, QString());
            }
            if (FShowModified->Enabled)
                SetRowModified(r, true);
        }
        if (undo)
            undo->StopSequence();
        if (FNavigation->AllowFmtClipboard)
            FreeCellPropsRect(RealColIndex(R.Left), R.Top, RealColIndex(R.Right), R.Bottom);
    }
    FClipLastOp = coCut;
    DoCellsChanged(TRect(sel.Left, sel.Top, sel.Right, sel.Bottom));
    if (NumHiddenColumns() > 0)
        Invalidate();
}
