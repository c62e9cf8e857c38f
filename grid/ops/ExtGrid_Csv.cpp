// TExtStringGrid: delimiter-separated text. One record is one grid row; a cell's own line breaks are
// coded inside its field (character 11, "~" for JavaCSV, or a bare LF inside quotes).
#include "grid/core/ExtGrid.h"
#include "grid/ops/ScopeGuards.h"

#include "grid/base/CellText.h"
#include "platform/core/SysUtils.h"

#include <QStringDecoder>
#include <array>
#include <cmath>
#include <utility>

namespace
{

// Tried in this order when no delimiter is set.
constexpr std::array<char16_t, 10> DelimiterCandidates = {',', ';', '#', '\t', '|', '@', '*', '-', '+', '&'};

QString Quoted(const QString& S)
{
    return QLatin1Char('"') + S + QLatin1Char('"');
}

// The field as it goes into the file, steps in this order: quotes doubled, OEM page, quoting, the
// empty field, then line breaks and delimiters.
QString CsvField(QString t, QChar d, bool AlwaysQuotes, bool JavaCSV, bool QuoteEmpty, bool Oem)
{
    // Most fields need none of the steps below: pass them through without copying.
    if (!AlwaysQuotes && !Oem && !t.isEmpty()) {
        bool plain = true;
        for (const QChar ch : std::as_const(t))
            if (ch == QLatin1Char('"') || ch == d || ch == QLatin1Char('\r')) {
                plain = false;
                break;
            }
        if (plain)
            return t;
    }
    t = DoubleQuoteChars(t);
    if (Oem)
        AnsiToOemText(t);
    bool quoted = false;
    if (AlwaysQuotes || (!t.contains(d) && t.contains(QLatin1Char('"')))) {
        t = Quoted(t);
        quoted = true;
    }
    if (t.isEmpty()) {
        if (JavaCSV)
            t = QStringLiteral("^");
        else if (QuoteEmpty)
            t = QStringLiteral("\"\"");
    }
    if (t.contains(d) || t.contains(QLatin1Char('\r'))) {
        if (JavaCSV) {
            LineBreaksToTilde(t);
            // Tildes code the breaks only; a delimiter still needs its quotes or the field splits.
            if (!quoted && t.contains(d))
                t = Quoted(t);
        } else if (quoted) {
            CRLFToLF(t);
        } else {
            QuoteMultiLine(t);
        }
    }
    return t;
}

// The physical lines of the text, cut at CR LF, CR or LF; only the first Limit are needed.
QStringList FirstLines(const QString& Text, int Limit)
{
    QStringList out;
    qsizetype start = 0;
    const qsizetype n = Text.size();
    for (qsizetype i = 0; i < n && out.size() < Limit; ++i) {
        const QChar ch = Text[i];
        if (ch == '\r' || ch == '\n') {
            out << Text.mid(start, i - start);
            if (ch == '\r' && i + 1 < n && Text[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
    }
    if (out.size() < Limit && start < n)
        out << Text.mid(start);
    return out;
}

QChar DetectDelimiter(const QString& L1, const QString& L2)
{
    QChar found(0);
    int best = 0;
    for (int pass = 1; pass <= 3 && found.isNull(); ++pass)
        for (char16_t c : DelimiterCandidates) {
            const QChar ch(c);
            const int n1 = pass == 1 ? CountUnpairedChars(ch, L1) : CountChar(ch, L1);
            const int n2 = pass == 1 ? CountUnpairedChars(ch, L2) : CountChar(ch, L2);
            const int n = pass == 3 ? std::max(n1, n2) : (n1 == n2 ? n1 : 0);
            if (n > best) {
                best = n;
                found = ch;
            }
        }
    return found;
}

// Cuts the text into records. A line break ends a record, except a bare LF (no CR before it) inside
// an open quoted field: that one belongs to the field, as the writer puts it there for the breaks of
// a quoted multi-line cell.
QStringList CutRecords(const QString& Text, QChar d)
{
    QStringList out;
    qsizetype start = 0;
    bool fieldStart = true;
    bool inQuotes = false;
    const qsizetype n = Text.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar ch = Text[i];
        if (inQuotes) {
            if (ch == '"') {
                qsizetype j = i;
                while (j < n && Text[j] == '"')
                    ++j;
                if ((j - i) % 2 == 1)
                    inQuotes = false;
                i = j;
                continue;
            }
            if (ch == '\n') {
                ++i;
                continue;
            }
        }
        if (ch == '\r' || ch == '\n') {
            out << Text.mid(start, i - start);
            fieldStart = true;
            inQuotes = false;
            i += ch == '\r' && i + 1 < n && Text[i + 1] == '\n' ? 2 : 1;
            start = i;
            continue;
        }
        if (!inQuotes) {
            if (!d.isNull() && ch == d) {
                fieldStart = true;
            } else if (fieldStart && ch == '"') {
                inQuotes = true;
                fieldStart = false;
            } else if (ch != ' ') {
                fieldStart = false;
            }
        }
        ++i;
    }
    if (start < n)
        out << Text.mid(start);
    return out;
}

// Position of the closing quote of a quoted field whose text starts at From: the last quote of the
// first odd run, or of a run reaching the end. -1 when there is none.
qsizetype ClosingQuote(const QString& Line, qsizetype From)
{
    const qsizetype n = Line.size();
    qsizetype i = From;
    while (i < n) {
        if (Line[i] != '"') {
            ++i;
            continue;
        }
        qsizetype j = i;
        while (j < n && Line[j] == '"')
            ++j;
        if ((j - i) % 2 == 1 || j == n)
            return j - 1;
        i = j;
    }
    return -1;
}

// The rest of the stream as text: the encoding from a byte-order mark, else the 8-bit code page.
QString DecodeStreamText(TStream* Stream)
{
    const int64_t n = std::max<int64_t>(Stream->Size() - Stream->Position(), 0);
    QByteArray bytes(qsizetype(n), Qt::Uninitialized);
    Stream->ReadBuffer(bytes.data(), n);
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    if (bytes.startsWith("\xFF\xFE"))
        return QStringDecoder(QStringDecoder::Utf16LE).decode(bytes.mid(2));
    if (bytes.startsWith("\xFE\xFF"))
        return QStringDecoder(QStringDecoder::Utf16BE).decode(bytes.mid(2));
    return DecodeWindows1252(bytes);
}

} // namespace

// ---- Writing -------------------------------------------------------------------------------------

void TExtStringGrid::SaveToCSV(const QString& FileName, bool Unicode)
{
    OutputToCSV(FileName, false, Unicode);
}

void TExtStringGrid::AppendToCSV(const QString& FileName, bool Unicode)
{
    OutputToCSV(FileName, true, Unicode);
}

void TExtStringGrid::OutputToCSV(const QString& FileName, bool Append, bool Unicode)
{
    QString text;
    if (Append) {
        TStringList existing;
        existing.LoadFromFile(FileName);
        text = existing.Text();
    }
    const QChar d = Delimiter.isNull() ? QChar(',') : Delimiter;
    const int hidden = SaveHiddenCells ? NumHiddenColumns() : 0;
    const int c1 = SaveEndCol() + hidden;
    const int whole = std::max(1, RowCount() - 1);
    int last = -1;
    ExportNotification(esExportStart, SaveStartRow());
    for (int r = SaveStartRow(); r <= SaveEndRow(); ++r) {
        ExportNotification(esExportNextRow, r);
        for (int c = SaveStartCol(); c <= c1; ++c) {
            if (c > SaveStartCol())
                text += d;
            const int rc = SaveHiddenCells ? c : DisplToRealCol(c);
            text += CsvField(GetExportCellText(rc, r), d, AlwaysQuotes, JavaCSV, QuoteEmptyCells, OemConvert);
        }
        text += QStringLiteral("\r\n");
        FileProgress(int(std::lround(r * 100.0 / whole)), last);
    }
    ExportNotification(esExportDone, -1);
    WriteFileAtomic(FileName, Unicode ? "\xEF\xBB\xBF" + text.toUtf8() : EncodeWindows1252(text));
}

// ---- Reading -------------------------------------------------------------------------------------

void TExtStringGrid::LoadFromCSV(const QString& FileName, int MaxRows)
{
    TFileStream fs(FileName, fmOpenRead | fmShareDenyNone);
    if (fs.Size() == 0)
        return;
    ReadCSVStream(&fs, false, MaxRows);
}

void TExtStringGrid::InsertFromCSV(const QString& FileName, int MaxRows)
{
    TFileStream fs(FileName, fmOpenRead | fmShareDenyNone);
    if (fs.Size() == 0)
        return;
    ReadCSVStream(&fs, true, MaxRows);
}

void TExtStringGrid::LoadFromCSVStream(TStream* AStream, int MaxRows)
{
    ReadCSVStream(AStream, false, MaxRows);
}

void TExtStringGrid::ReadCSVStream(TStream* Stream, bool Insert, int MaxRows)
{
    // Decoded whole: the records are cut below, where quotes decide what a line break is.
    const QString text = DecodeStreamText(Stream);
    if (text.isEmpty())
        throw Exception("File is empty");

    int startRow = SaveStartRow();
    const int startCol = SaveStartCol();
    QStringList footer;
    const bool keepFooter = Insert && FloatingFooter()->Visible();
    if (Insert) {
        startRow = RowCount();
        if (keepFooter) {
            for (int c = 0; c < TotalColCount(); ++c)
                footer << GetGridCell(c, RowCount() - 1);
            ClearRows(RowCount() - 1, 1);
            startRow = RowCount() - 1;
        }
    }

    QChar d = Delimiter;
    if (d.isNull()) {
        const QStringList first = FirstLines(text, 2);
        d = DetectDelimiter(first.value(0), first.value(1));
    }
    QStringList records = CutRecords(text, d);
    if (!LoadFirstRow && !records.isEmpty())
        records.removeFirst();
    int lines = int(records.size());
    if (MaxRows > 0)
        lines = std::min(lines, MaxRows);

    const int hidden = SaveHiddenCells ? NumHiddenColumns() : 0;
    TUpdateLock lock(this);

    if (OnFileProgress)
        SetRowCount(Insert ? RowCount() + lines : startRow + lines + FixedFooters);

    int row = startRow;
    int last = -1;
    // Stores a field at (col, row), growing the grid to hold it.
    auto store = [&](int col, QString field) {
        field.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
        if (JavaCSV)
            TildeToLineBreaks(field);
        else
            VTToCRLF(field);
        if (col >= ColCount() + hidden)
            SetColCount(col + 1 - hidden);
        ImportCellText(col, row, field);
    };
    const bool blanksAreDelimiters = d == QChar(' ');
    for (int k = 0; k < lines; ++k) {
        QString line = records[k];
        if (OemConvert)
            OemToAnsiText(line);
        if (row >= RowCount() - FixedFooters)
            SetRowCount(row + 1000);
        const qsizetype n = line.size();
        qsizetype pos = 0;
        int col = startCol;
        qsizetype p = d.isNull() ? -1 : line.indexOf(d, pos);
        while (p >= 0) {
            if (!blanksAreDelimiters)
                while (n - pos >= 2 && line[pos] == ' ')
                    ++pos;
            QString field;
            qsizetype next;
            if (pos < n && line[pos] == '"') {
                const qsizetype close = ClosingQuote(line, pos + 1);
                if (close >= 0) {
                    field = CollapseDoubledChar(QLatin1Char('"'), line.mid(pos + 1, close - pos - 1));
                    next = line.indexOf(d, close + 1);
                } else {
                    // No closing quote: an empty field, the line goes on at the next delimiter.
                    next = line.indexOf(d, pos + 1);
                }
            } else {
                p = line.indexOf(d, pos);
                field = line.mid(pos, p - pos);
                next = p;
            }
            store(col++, field);
            pos = next < 0 ? n : next + 1;
            p = next < 0 ? -1 : line.indexOf(d, pos);
        }
        if (pos < n) {
            QString rest = line.mid(pos);
            qsizetype b = 0;
            while (rest.size() - b >= 2 && rest[b] == ' ')
                ++b;
            rest.remove(0, b);
            if (rest.startsWith(QLatin1Char('"'))) {
                rest.remove(0, 1);
                if (rest.endsWith(QLatin1Char('"')))
                    rest.chop(1);
                rest = CollapseDoubledChar(QLatin1Char('"'), rest);
            }
            store(col, rest);
        }
        ++row;
        if (OnFileProgress && lines > 0)
            FileProgress(int(std::lround((k + 1) * 100.0 / lines)), last);
    }
    // The footer's texts need a row of their own after the data.
    SetRowCount(row + std::max(FixedFooters, keepFooter ? 1 : 0));
    FMaxRowCount = RowCount();
    if (keepFooter)
        for (int c = 0; c < int(footer.size()) && c < TotalColCount(); ++c)
            SetGridCell(c, RowCount() - 1, footer[c]);
    DoCellsChanged(TRect(0, 0, ColCount(), RowCount()));
    BulkCellsChanged();
}
