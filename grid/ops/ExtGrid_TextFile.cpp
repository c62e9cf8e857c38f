// TExtStringGrid: the grid's own text file and text stream, the numeric cell read kept beside them,
// and the scaling of the grid's fonts.
#include "grid/core/ExtGrid.h"
#include "grid/ops/ScopeGuards.h"

#include "grid/base/CellText.h"
#include "grid/base/NumberText.h"
#include "platform/controls/Forms.h"
#include "platform/core/SysUtils.h"

#include <QElapsedTimer>
#include <cmath>

namespace
{

// The file loader lets the window repaint at most this often (a yield per line costs more than the
// load itself on large files).
constexpr int YieldIntervalMs = 20;

// Leading blanks, a sign, then the digits there are; anything else ends the number (empty is 0).
int LenientInt(const QString& S)
{
    int i = 0;
    const int n = int(S.size());
    while (i < n && S[i] == ' ')
        ++i;
    bool negative = false;
    if (i < n && (S[i] == '-' || S[i] == '+'))
        negative = S[i++] == '-';
    int64_t v = 0;
    while (i < n && S[i] >= '0' && S[i] <= '9' && v < int64_t(INT32_MAX) + 1)
        v = v * 10 + (S[i++].unicode() - '0');
    v = negative ? -v : v;
    return int(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

int Percent(int Part, int Whole)
{
    return int(std::lround(double(Part) * 100.0 / double(Whole)));
}

QByteArray Utf16LE(const QString& S)
{
    QByteArray out;
    out.reserve(S.size() * 2);
    for (QChar c : S) {
        out.append(char(c.unicode() & 0xFF));
        out.append(char(c.unicode() >> 8));
    }
    return out;
}

void WriteStreamLine(TStream* Stream, const QString& Line)
{
    const QByteArray bytes = Utf16LE(Line + QStringLiteral("\r\n"));
    Stream->WriteBuffer(bytes.constData(), bytes.size());
}

// 16-bit characters up to CR; the unit after the CR is taken as its LF. False at the stream's end.
bool ReadStreamLine(TStream* Stream, QString& Line)
{
    Line.clear();
    char16_t u = 0;
    bool any = false;
    while (Stream->Read(&u, 2) == 2) {
        any = true;
        if (u == '\r') {
            char16_t lf = 0;
            Stream->Read(&lf, 2);
            return true;
        }
        Line.append(QChar(u));
    }
    return any;
}

// Field := Line before the first ",", which is taken off Line with it. False, both untouched, without
// a ",".
bool SplitComma(QString& Line, QString& Field)
{
    const qsizetype p = Line.indexOf(',');
    if (p < 0)
        return false;
    Field = Line.left(p);
    Line.remove(0, p + 1);
    return true;
}

} // namespace

void TExtStringGrid::FileProgress(int Percent, int& Last)
{
    if (OnFileProgress && Percent != Last) {
        Last = Percent;
        OnFileProgress(this, int16_t(Percent));
    }
}

void TExtStringGrid::BulkCellsChanged()
{
    CalcFooter(-1);
}

// ---- Text file -----------------------------------------------------------------------------------

void TExtStringGrid::SaveToFile(const QString& FileName, bool Unicode)
{
    const int hidden = SaveHiddenCells ? NumHiddenColumns() : 0;
    const int c0 = SaveStartCol();
    const int c1 = SaveEndCol() + hidden;
    QString text;
    text += QString::number(SaveColCount() + hidden) + ',' + QString::number(SaveRowCount()) + "\r\n";
    for (int c = c0; c <= c1; ++c)
        text += "cw " + QString::number(c) + ',' +
                QString::number(c < ColCount() ? ColWidths(c) : DefaultColWidth()) + "\r\n";
    int last = -1;
    const int whole = std::max(1, SaveRowCount() - 1);
    ExportNotification(esExportStart, SaveStartRow());
    for (int r = SaveStartRow(); r <= SaveEndRow(); ++r) {
        ExportNotification(esExportNextRow, r);
        for (int c = c0; c <= c1; ++c) {
            const QString t = GetExportCellText(c, r);
            if (!t.isEmpty())
                text += QString::number(c) + ',' + QString::number(r) + ',' + EncodeLineChars(t) + "\r\n";
        }
        FileProgress(Percent(r, whole), last);
    }
    ExportNotification(esExportDone, -1);
    WriteFileAtomic(FileName, Unicode ? "\xFF\xFE" + Utf16LE(text) : EncodeWindows1252(text));
}

void TExtStringGrid::LoadFromFile(const QString& FileName)
{
    TFileStringList sl;
    sl.LoadFromFile(FileName);
    const int a = SaveFixedCells || SaveFixedCols ? 0 : FixedCols();
    const int b = SaveFixedCells || SaveFixedRows ? 0 : FixedRows();
    const QString corrupt = "File contains no data or corrupt file " + FileName;
    if (sl.Count() == 0)
        throw EExtGridError(corrupt);
    QString line;
    sl.ReadLn(line);
    if (!line.isEmpty()) {
        const int comma = int(line.indexOf(','));
        const int cols = a + LenientInt(comma < 0 ? line : line.left(comma));
        const int rows = b + LenientInt(comma < 0 ? QString() : line.mid(comma + 1));
        // Checked before the grid changes, so a corrupt file leaves it as it was.
        if (cols <= 0 || rows <= 0)
            throw EExtGridError(corrupt);
        SetColCount(cols);
        SetRowCount(rows);
    }
    if (ColCount() == 0 || RowCount() == 0)
        throw EExtGridError(corrupt);

    TUpdateLock lock(this);
    int last = -1;
    QElapsedTimer sinceYield;
    sinceYield.start();
    while (!sl.Eof()) {
        sl.ReadLn(line);
        if (line.startsWith(QStringLiteral("cw"))) {
            const QString rest = line.mid(3);
            const int comma = int(rest.indexOf(','));
            if (comma < 0)
                continue;
            const int index = LenientInt(rest.left(comma));
            if (index >= 0 && index < ColCount())
                SetColWidths(index, LenientInt(rest.mid(comma + 1)));
            continue;
        }
        QString colText, rowText;
        // A line without its two separators names no cell.
        if (!SplitComma(line, colText) || !SplitComma(line, rowText))
            continue;
        const int c = LenientInt(colText);
        const int r = LenientInt(rowText);
        if (c >= 0 && c < ColCount() && r >= 0 && r < RowCount())
            ImportCellText(c, r, DecodeLineChars(line, Multilinecells));
        if (OnFileProgress && RowCount() > 1)
            FileProgress(Percent(r, RowCount() - 1), last);
        if (sinceYield.elapsed() >= YieldIntervalMs) {
            ProcessMessagesExceptInput();
            sinceYield.restart();
        }
    }
    DoCellsChanged(TRect(0, 0, ColCount(), RowCount()));
    BulkCellsChanged();
}

// ---- Text stream ---------------------------------------------------------------------------------

void TExtStringGrid::SaveToStream(TStream* Stream)
{
    WriteStreamLine(Stream, QString::number(SaveColCount()) + ',' + QString::number(SaveRowCount()));
    for (int c = 0; c < ColCount(); ++c)
        WriteStreamLine(Stream, "cw " + QString::number(c) + ',' + QString::number(ColWidths(c)));
    for (int r = SaveStartRow(); r <= SaveEndRow(); ++r)
        for (int c = SaveStartCol(); c <= SaveEndCol(); ++c) {
            const QString t = GetExportCellText(c, r);
            if (!t.isEmpty())
                WriteStreamLine(Stream, QString::number(c - SaveStartCol()) + ',' +
                                            QString::number(r - SaveStartRow()) + ',' + EncodeLineChars(t));
        }
}

void TExtStringGrid::LoadFromStream(TStream* Stream)
{
    QString line;
    if (Stream->Position() < Stream->Size() && ReadStreamLine(Stream, line) && !line.isEmpty()) {
        QString cols;
        SplitComma(line, cols);
        const int c = StrToInt(cols);
        const int r = StrToInt(line);
        SetColCount(c + SaveStartCol());
        SetRowCount(r + SaveStartRow());
    }
    TUpdateLock lock(this);
    while (Stream->Position() < Stream->Size()) {
        const int64_t start = Stream->Position();
        ReadStreamLine(Stream, line);
        if (line.startsWith(QStringLiteral("cw"))) {
            QString rest = line.mid(3);
            QString index;
            SplitComma(rest, index);
            const int i = StrToInt(index);
            const int w = StrToInt(rest);
            // A stream from a grid with more columns names widths this grid does not have.
            if (i >= 0 && i < ColCount())
                SetColWidths(i, w);
            continue;
        }
        QString colText, rowText;
        if (!SplitComma(line, colText) || !SplitComma(line, rowText)) {
            Stream->SetPosition(start);
            break;
        }
        ImportCellText(StrToInt(colText) + SaveStartCol(), StrToInt(rowText) + SaveStartRow(),
                       DecodeLineChars(line, Multilinecells));
    }
    DoCellsChanged(TRect(0, 0, ColCount(), RowCount()));
    BulkCellsChanged();
}

// ---- Numbers and scaling -------------------------------------------------------------------------

double TExtStringGrid::CellToReal(int ACol, int ARow)
{
    const QString text = Cells(ACol, ARow);
    if (text.isEmpty())
        return 0;
    const QString reduced = NumberTextToFloatText(text);
    // The longest beginning that converts tells where the conversion stopped.
    bool ok = false;
    const double v = reduced.toDouble(&ok);
    if (ok && !reduced.isEmpty())
        return v;
    int taken = 0;
    for (int n = 1; n <= int(reduced.size()); ++n) {
        bool part = false;
        reduced.left(n).toDouble(&part);
        if (part)
            taken = n;
    }
    throw EExtGridError(
        QString("Error at position: %1 in Cell [%2, %3].").arg(taken + 1).arg(ACol).arg(ARow));
}

void TExtStringGrid::ChangeScale(int M, int D)
{
    TBaseGrid::ChangeScale(M, D);
    HandleChangeScale(M, D);
}
