// TExtStringGrid: pasting from the clipboard (the cell stream, RTF into one cell, tab-separated
// text) and the smart fill of a selection (one value everywhere, date, time, decimal and integer
// series, repeated patterns).
#include "grid/base/NumberText.h"
#include "grid/base/UndoRedo.h"
#include "grid/core/ExtGrid.h"
#include "grid/ops/BinStream.h"
#include "grid/ops/ScopeGuards.h"

#include "platform/controls/Clipboard.h"
#include "platform/core/ComponentStream.h"
#include "platform/core/DateText.h"
#include "platform/core/SysUtils.h"

#include <cmath>

namespace
{

const QString WidePrefix = QStringLiteral("|\\");

QByteArray BytesOfBlock(HGLOBAL Block)
{
    const size_t size = GlobalSize(Block);
    QByteArray bytes;
    if (const void* p = GlobalLock(Block))
        bytes = QByteArray(static_cast<const char*>(p), qsizetype(size));
    GlobalUnlock(Block);
    GlobalFree(Block);
    return bytes;
}

QString Utf16UpToZero(const QByteArray& Bytes)
{
    QString text;
    for (qsizetype i = 0; i + 1 < Bytes.size(); i += 2) {
        const char16_t c = char16_t(uint8_t(Bytes[i]) | uint8_t(Bytes[i + 1]) << 8);
        if (c == 0)
            break;
        text.append(QChar(c));
    }
    return text;
}

// The header record of a cell stream, read from its start; the position is put back.
void ReadStreamHeader(TMemoryStream& Stream, TGridPropIO& Header)
{
    Stream.SetPosition(0);
    TComponentReader reader(&Stream);
    reader.ReadComponent(Header);
    Stream.SetPosition(0);
}

// The lines from Text[From] to the end: every CR ends one, a rest without a CR is one more.
int LinesFrom(const QString& Text, qsizetype From)
{
    int lines = 0;
    qsizetype last = From;
    for (qsizetype i = From; i < Text.size(); ++i)
        if (Text[i] == QChar('\r')) {
            ++lines;
            last = i + 1;
            if (last < Text.size() && Text[last] == QChar('\n'))
                ++last;
        }
    return last < Text.size() ? lines + 1 : lines;
}

} // namespace

// ---- Hooks ----------------------------------------------------------------------------------------------

void TExtStringGrid::MarkPastedRowsModified(TPoint, const TGridRect& Rect, TClipOperation)
{
    if (!FShowModified->Enabled)
        return;
    for (int r = Rect.Top; r <= Rect.Bottom; ++r)
        SetRowModified(r, true);
}

void TExtStringGrid::PasteCellValue(int ACol, int ARow, const QString& Value)
{
    const int rc = RealColIndex(ACol);
    if (VIvoDediZudaZove* undo = UndoRedo())
        undo->RegisterChange(rc, ARow, Cells(rc, ARow), Value);
    if (HasCheckBox(rc, ARow)) {
        QString checkTrue;
        GetCheckTrue(rc, ARow, checkTrue);
        ChangeCheckBoxState(rc, ARow, Value == checkTrue);
    } else {
        SetCells(rc, ARow, Value);
    }
    if (rc != ACol)
        RepaintCell(ACol, ARow);
}

bool TExtStringGrid::PasteEditing()
{
    return Options().Contains(goEditing) || FNavigation->AllowClipboardAlways ||
           FMouseActions->RangeSelectAndEdit;
}

// ---- Paste ----------------------------------------------------------------------------------------------

int TExtStringGrid::PasteText(int ACol, int ARow, const QString& Text, int& Lines, int& Fields)
{
    Lines = 0;
    Fields = 0;
    if (ACol < 0 || ARow < 0 || !PasteEditing())
        return 0;
    VIvoDediZudaZove* undo = UndoRedo();
    if (undo)
        undo->StartSequence();
    const TFinally stop([undo] {
        if (undo)
            undo->StopSequence();
    });
    TUpdateLock lock(this);

    const bool always = FNavigation->AllowClipboardAlways;
    const bool insert = FNavigation->ClipboardPasteAction == paInsert;
    const bool footer =
        FFloatingFooter && FFloatingFooter->Visible() && FFloatingFooter->FooterStyle() == fsFixedLastRow;
    int result = 0;
    int c = ACol, r = ARow;
    bool any = false;
    TGridRect pasted{ACol, ARow, ACol, ARow};
    const qsizetype n = Text.size();
    qsizetype i = 0;
    bool lineStart = true;
    while (i < n) {
        if (lineStart) {
            lineStart = false;
            ++Lines;
            Fields = 0;
            ImportNotification(FPasteAll ? isImportNewRow : isImportSelRow, r);
            if (insert && Text[i] != QChar('\r'))
                InsertRows(r, 1);
        }
        qsizetype j = i;
        while (j < n && Text[j] != QChar('\t') && Text[j] != QChar('\r'))
            ++j;
        QString field = Text.mid(i, j - i);
        ++Fields;
        ++result;
        if (field.contains(QChar('\n'))) {
            // The quoted form of a cell with line breaks.
            if (field.startsWith(QChar('"')))
                field.remove(0, 1);
            if (field.endsWith(QChar('"')) && field.count(QChar('"')) == 1)
                field.chop(1);
            field.replace(QChar(11), QLatin1String("\r\n"));
            // A copy sends each line break as one LF; the cell gets its CR LF back.
            for (qsizetype k = 0; k < field.size(); ++k)
                if (field[k] == QChar('\n') && (k == 0 || field[k - 1] != QChar('\r')))
                    field.insert(k++, QChar('\r'));
        }
        const int rc = DisplToRealCol(c);
        if (c < ColCount() && r < RowCount() && (always || IsEditable(rc, r))) {
            bool allow = true;
            const bool wide = field.startsWith(WidePrefix);
            QString wideText;
            if (wide) {
                wideText = DecodeWideText(field);
                if (OnClipboardBeforePasteWideCell)
                    OnClipboardBeforePasteWideCell(this, c, r, wideText, allow);
                field = EncodeWideText(wideText);
            } else if (OnClipboardBeforePasteCell) {
                OnClipboardBeforePasteCell(this, c, r, field, allow);
            }
            if (allow) {
                PasteCellValue(c, r, field);
                if (!any)
                    pasted = TGridRect{c, r, c, r};
                any = true;
                pasted.Left = std::min(pasted.Left, c);
                pasted.Right = std::max(pasted.Right, c);
                pasted.Top = std::min(pasted.Top, r);
                pasted.Bottom = std::max(pasted.Bottom, r);
                if (wide) {
                    if (OnClipboardAfterPasteWideCell)
                        OnClipboardAfterPasteWideCell(this, c, r, wideText);
                } else if (OnClipboardAfterPasteCell) {
                    OnClipboardAfterPasteCell(this, c, r, field);
                }
            }
        }
        if (j >= n)
            break;
        if (Text[j] == QChar('\t')) {
            ++c;
            if (FNavigation->AllowClipboardColGrow && c >= ColCount())
                SetColCount(c + 1);
            i = j + 1;
            continue;
        }
        ++result; // the line end
        i = j + 1;
        if (i < n && Text[i] == QChar('\n'))
            ++i;
        c = ACol;
        if (i < n) {
            ++r;
            lineStart = true;
            const int rows = footer ? RowCount() - 1 : RowCount();
            if (r >= rows && FNavigation->AllowClipboardRowGrow) {
                // Every line still to come needs its row: one count change for all of them keeps a
                // long paste from growing the grid row by row.
                SetRowCount(RowCount() + (r - rows) + LinesFrom(Text, i));
            }
        }
    }
    if (any) {
        MarkPastedRowsModified(FClipTopLeft, pasted, FClipLastOp);
        DoCellsChanged(
            TRect(DisplToRealCol(pasted.Left), pasted.Top, DisplToRealCol(pasted.Right), pasted.Bottom));
    }
    return result;
}

int TExtStringGrid::PasteAtCell(int ACol, int ARow, int& Lines, int& Fields)
{
    Lines = 0;
    Fields = 0;
    TClipboard* clipboard = Clipboard();
    if (AllowFormattedClipboard() && clipboard->HasFormat(CF_GRIDCELLS)) {
        HGLOBAL block = clipboard->GetAsHandle(CF_GRIDCELLS);
        if (!block)
            return 0;
        TMemoryStream ms;
        const QByteArray bytes = BytesOfBlock(block);
        ms.WriteBuffer(bytes.constData(), bytes.size());
        RegisterGridStreamClasses();
        BeforePaste();
        TGridPropIO header(nullptr);
        const bool rowGrow = FNavigation->AllowClipboardRowGrow;
        const bool colGrow = FNavigation->AllowClipboardColGrow;
        const bool insert = FNavigation->ClipboardPasteAction == paInsert;
        if (rowGrow || colGrow || insert) {
            ReadStreamHeader(ms, header);
            if (colGrow && ACol + header.ColCount >= ColCount())
                SetColCount(ACol + header.ColCount);
            if (rowGrow && ARow + header.RowCount >= RowCount())
                SetRowCount(ARow + header.RowCount);
            Lines = RowCount();
            Fields = ColCount();
            if (insert)
                InsertRows(ARow, header.RowCount);
        }
        ms.SetPosition(0);
        LoadAtPointFromBinStream(TPoint(ACol, ARow), &ms);
        ReadStreamHeader(ms, header);
        const TGridRect rect{ACol, ARow, ACol + header.ColCount - 1, ARow + header.RowCount - 1};
        const bool own = header.ID == BinStreamID();
        MarkPastedRowsModified(own ? FClipTopLeft : TPoint(-1, -1), rect, FClipLastOp);
        AfterPaste();
        return header.ColCount * header.RowCount;
    }
    if (FNavigation->AllowRTFClipboard && clipboard->HasFormat(CF_RICHTEXTFORMAT())) {
        HGLOBAL block = clipboard->GetAsHandle(CF_RICHTEXTFORMAT());
        if (!block)
            return 0;
        const QString rtf = Utf16UpToZero(BytesOfBlock(block));
        if (IsEditable(RealColIndex(ACol), ARow))
            PasteCellValue(ACol, ARow, rtf);
        Lines = Fields = 1;
        return 0;
    }
    if (clipboard->HasFormat(CF_UNICODETEXT))
        return PasteText(ACol, ARow, clipboard->AsText(), Lines, Fields);
    return 0;
}

void TExtStringGrid::PasteFromClipboard()
{
    ImportNotification(isImportStart, -1);
    FPasteAll = true;
    const TFinally reset([this] { FPasteAll = false; });
    int lines = 0, fields = 0;
    PasteAtCell(SaveStartCol(), SaveStartRow(), lines, fields);
    ImportNotification(isImportDone, -1);
    BulkCellsChanged();
}

// ---- Paste into the selection and smart fill ------------------------------------------------------------

void TExtStringGrid::PasteSelectionFromClipboard()
{
    ImportNotification(isImportStart, -1);
    FPasteAll = false;
    ExtendSelectionToMerged();
    const TGridRect sel = Selection();
    const int col = Options().Contains(goRowSelect) ? FixedCols() : sel.Left;
    int lines = 0, fields = 0;
    const int n = PasteAtCell(col, sel.Top, lines, fields);
    if (!FNavigation->AllowSmartClipboard)
        return;
    const int cells = (sel.Right - sel.Left + 1) * (sel.Bottom - sel.Top + 1);
    if (n == cells + 1 || n <= 0)
        return;
    SmartFill(sel, n, lines, fields);
    ImportNotification(isImportDone, -1);
    DoCellsChanged(TRect(sel.Left, sel.Top, sel.Right, sel.Bottom));
    BulkCellsChanged();
}

void TExtStringGrid::SmartFill(const TGridRect& Sel, int Pasted, int Lines, int Fields)
{
    const bool always = FNavigation->AllowClipboardAlways;
    const bool oneCol = Sel.Left == Sel.Right;
    const bool oneRow = Sel.Top == Sel.Bottom;
    const bool several = !(oneCol && oneRow);
    const auto editable = [&](int c, int r) { return always || IsEditable(RealColIndex(c), r); };
    const auto text = [this](int c, int r) { return Cells(RealColIndex(c), r); };

    BeforePaste();
    const bool filled = Pasted == 1 && several;
    if (filled) {
        const int rc0 = RealColIndex(Sel.Left);
        QString value = text(Sel.Left, Sel.Top);
        if (HasCheckBox(rc0, Sel.Top)) {
            bool state = false;
            GetCheckBoxState(rc0, DisplToRealRow(Sel.Top), state);
            if (state)
                GetCheckTrue(rc0, Sel.Top, value);
            else
                GetCheckFalse(rc0, Sel.Top, value);
        }
        for (int r = Sel.Top; r <= Sel.Bottom; ++r)
            for (int c = Sel.Left; c <= Sel.Right; ++c) {
                if ((c == Sel.Left && r == Sel.Top) || !editable(c, r))
                    continue;
                QString v = value;
                bool allow = true;
                if (OnClipboardBeforePasteCell)
                    OnClipboardBeforePasteCell(this, c, r, v, allow);
                if (!allow)
                    continue;
                PasteCellValue(c, r, v);
                if (OnClipboardAfterPasteCell)
                    OnClipboardAfterPasteCell(this, c, r, v);
                MarkPastedRowsModified(FClipTopLeft, TGridRect{c, r, c, r}, FClipLastOp);
            }
    }
    AfterPaste();

    // A series needs a second cell in the selection to continue into.
    if (Pasted > 1 && several && (oneCol || oneRow)) {
        const QString A = text(Sel.Left, Sel.Top);
        const QString B = oneCol ? text(Sel.Left, Sel.Top + 1) : text(Sel.Left + 1, Sel.Top);
        const TFormatSettings& fs = FormatSettings();
        // Every selected cell in order; Write gets the editable ones, Step runs after every cell.
        const auto series = [&](const std::function<void(int, int)>& Write,
                                const std::function<void()>& Step) {
            for (int c = Sel.Left; c <= Sel.Right; ++c)
                for (int r = Sel.Top; r <= Sel.Bottom; ++r) {
                    if (editable(c, r))
                        Write(c, r);
                    Step();
                }
        };
        int32_t ia = 0, ib = 0;
        try {
            if (IsDateText(A) || IsDateText(B) || A.contains(fs.TimeSeparator) ||
                B.contains(fs.TimeSeparator)) {
                TDateTime v = 0, vb = 0;
                if (!TryStrToDateTime(A, v) || !TryStrToDateTime(B, vb))
                    throw EConvertError(QStringLiteral("not a date"));
                const double step = double(vb) - double(v);
                int ya = 0, ma = 0, da = 0, yb = 0, mb = 0, db = 0;
                DecodeDate(v, ya, ma, da);
                DecodeDate(vb, yb, mb, db);
                const bool asDate = A.contains(fs.DateSeparator);
                series([&](int c, int r) { PasteCellValue(c, r, asDate ? DateToStr(v) : TimeToStr(v)); },
                       [&] { v = AddDateStep(yb - ya, mb - ma, db - da, step, v); });
            } else if (A.contains(fs.DecimalSeparator) || B.contains(fs.DecimalSeparator)) {
                double v = 0, vb = 0;
                if (!TryStrToFloat(A, v) || !TryStrToFloat(B, vb))
                    throw EConvertError(QStringLiteral("not a number"));
                const double step = vb - v;
                series([&](int c, int r) { PasteCellValue(c, r, Format(FloatFormat, {v})); },
                       [&] { v += step; });
            } else if (TryStrToInt(A, ia) && TryStrToInt(B, ib)) {
                int64_t v = ia;
                const int64_t step = int64_t(ib) - ia;
                series([&](int c, int r) { PasteCellValue(c, r, QString::number(v)); }, [&] { v += step; });
            } else if (oneCol) {
                // The pasted lines repeat down the column.
                const int period = std::max(1, Lines);
                for (int r = Sel.Top + period; r <= Sel.Bottom; ++r)
                    if (editable(Sel.Left, r))
                        PasteCellValue(Sel.Left, r, text(Sel.Left, r - period));
                MarkPastedRowsModified(
                    FClipTopLeft, TGridRect{Sel.Left, Sel.Top + period, Sel.Left, Sel.Bottom}, FClipLastOp);
            } else {
                // The pasted fields repeat along the row.
                const int period = std::max(1, Fields);
                for (int c = Sel.Left + period; c <= Sel.Right; ++c)
                    if (editable(c, Sel.Top))
                        PasteCellValue(c, Sel.Top, text(c - period, Sel.Top));
                MarkPastedRowsModified(
                    FClipTopLeft, TGridRect{Sel.Left + period, Sel.Top, Sel.Right, Sel.Top}, FClipLastOp);
            }
        } catch (const EConvertError&) {
            // A value that does not convert ends the series; the cells filled so far stay.
        }
        return;
    }

    // A block pasted into a larger selection of several rows and columns repeats over it.
    if (filled || oneCol || oneRow)
        return;
    const int savedRow = Row();
    if (Lines == 1)
        for (int r = Sel.Top + 1; r <= Sel.Bottom; ++r) {
            SetRow(r);
            PasteAtCell(Sel.Left, r, Lines, Fields);
        }
    else if (Fields == 1)
        for (int c = Sel.Left + 1; c <= Sel.Right; ++c)
            PasteAtCell(c, Sel.Top, Lines, Fields);
    if (Row() != savedRow)
        SetRow(savedRow);
    SetSelection(Sel);
}
