// TExtStringGrid: column-position text. The fixed-width form exchanges records cut at known
// positions; the ASCII form is a table for people to read, each column as wide as its longest text.
#include "grid/core/ExtGrid.h"
#include "grid/ops/ScopeGuards.h"

#include "grid/base/CellText.h"
#include "platform/controls/Forms.h"
#include "platform/core/SysUtils.h"

#include <vector>

namespace
{

QString Blanks(qsizetype n)
{
    return n > 0 ? QString(n, QLatin1Char(' ')) : QString();
}

// Lines of one export text for the ASCII table: every line with Multilinecells, else the first.
QStringList TextLines(const QString& Text, bool MultiLine)
{
    QStringList lines = Text.split(QStringLiteral("\r\n"));
    if (!MultiLine)
        return {lines.first()};
    return lines;
}

QString AlignPiece(QString Piece, TAlignment HA, int W)
{
    if (HA == taRightJustify)
        return Blanks(W - Piece.size()) + Piece;
    if (HA == taCenter)
        while (Piece.size() < W)
            Piece = QLatin1Char(' ') + Piece + QLatin1Char(' ');
    return Piece;
}

void RemoveTrailingBlanks(QString& S)
{
    qsizetype n = S.size();
    while (n > 0 && S[n - 1] == ' ')
        --n;
    S.truncate(n);
}

} // namespace

// ---- Fixed width ---------------------------------------------------------------------------------

void TExtStringGrid::SaveToFixed(const QString& FileName, TIntList* Positions)
{
    // Hidden columns follow the shown ones in the store, so counting them in reaches them in place.
    const int hidden = SaveHiddenCells ? NumHiddenColumns() : 0;
    const int c0 = SaveStartCol();
    const int c1 = SaveEndCol() + hidden;
    auto real = [&](int c) { return SaveHiddenCells ? c : DisplToRealCol(c); };
    for (int c = c0 + Positions->Count(); c <= c1; ++c)
        Positions->Add(MaxCharsInCol(real(c)) + 1);

    QString text;
    ExportNotification(esExportStart, SaveStartRow());
    for (int r = SaveStartRow(); r <= SaveEndRow(); ++r) {
        ExportNotification(esExportNextRow, r);
        for (int c = c0; c <= c1; ++c) {
            const int w = Positions->Items(c - c0);
            const QString t = GetExportCellText(real(c), r);
            text += t.size() > w ? t.left(w) : t + Blanks(w - t.size());
        }
        text += QStringLiteral("\r\n");
    }
    ExportNotification(esExportDone, -1);
    try {
        WriteFileAtomic(FileName, EncodeWindows1252(text));
    } catch (const EInOutError&) {
        throw EExtGridError("Cannot Create file " + FileName);
    }
}

void TExtStringGrid::LoadFromFixed(const QString& FileName, TIntList* Positions, bool DoTrim, int MaxRows)
{
    TFileStringList sl;
    try {
        sl.LoadFromFile(FileName);
    } catch (const EInOutError&) {
        throw EExtGridError("File " + FileName + " not found");
    }
    Positions->Sort([](int32_t A, int32_t B) { return A < B ? -1 : A > B ? 1 : 0; });
    const int n = Positions->Count() - 1;
    if (n < 1)
        return;
    TUpdateLock lock(this);
    SetColCount(FixedCols() + n);
    int row = SaveStartRow();
    int read = 0;
    QString line;
    while (!sl.Eof()) {
        sl.ReadLn(line);
        if (row >= RowCount())
            SetRowCount(row + 1);
        for (int k = 0; k < n; ++k) {
            const int from = std::max(Positions->Items(k) - 1, 0);
            const int to = std::max(Positions->Items(k + 1) - 1, from);
            QString field = line.mid(from, to - from);
            if (DoTrim)
                field = field.trimmed();
            ImportCellText(SaveStartCol() + k, row, field);
        }
        ++read;
        if (MaxRows != -1 && read > MaxRows)
            break;
        if (row + 1 >= RowCount() && !sl.Eof())
            SetRowCount(row + 2);
        ++row;
    }
    DoCellsChanged(TRect(0, 0, ColCount(), RowCount()));
    BulkCellsChanged();
}

// ---- ASCII table ---------------------------------------------------------------------------------

void TExtStringGrid::SaveToASCII(const QString& FileName, bool Unicode)
{
    OutputToASCII(FileName, false, Unicode);
}

void TExtStringGrid::AppendToASCII(const QString& FileName, bool Unicode)
{
    OutputToASCII(FileName, true, Unicode);
}

void TExtStringGrid::OutputToASCII(const QString& FileName, bool Append, bool Unicode)
{
    const TCursor savedCursor = Screen->Cursor();
    Screen->SetCursor(crHourGlass);
    struct TRestoreCursor {
        TCursor Cursor;
        ~TRestoreCursor() { Screen->SetCursor(Cursor); }
    } restoreCursor{savedCursor};

    const int c0 = SaveFixedCells || SaveFixedCols ? 0 : FixedCols();
    const int r0 = SaveFixedCells || SaveFixedRows ? 0 : FixedRows();
    // Hidden columns follow the shown ones in the store, so counting them in reaches them in place.
    const int c1 = ColCount() - 1 + (SaveHiddenCells ? NumHiddenColumns() : 0);
    auto real = [&](int c) { return SaveHiddenCells ? c : DisplToRealCol(c); };

    TStringList lines;
    if (Append && FileExists(FileName))
        lines.LoadFromFile(FileName);
    const auto save = [&] {
        lines.SaveToFile(FileName, Unicode ? TTextEncoding::Unicode : TTextEncoding::Ansi);
    };

    ExportNotification(esExportStart, r0);
    try {
        // Any width: a long text or a column beyond the hidden-column tables gets its own width.
        std::vector<int> widths;
        for (int c = c0; c <= c1; ++c)
            widths.push_back(MaxCharsInCol(real(c)));
        for (int r = r0; r < RowCount(); ++r) {
            ExportNotification(esExportNextRow, r);
            QString main;
            std::vector<QString> more;
            int start = 0;
            for (int c = c0; c <= c1; ++c) {
                const int w = widths[size_t(c - c0)];
                const int rc = real(c);
                TAlignment ha = taLeftJustify;
                TVAlignment va = vtaTop;
                GetCellAlignment(rc, r, ha, va);
                const QStringList pieces = TextLines(GetExportCellText(rc, r), Multilinecells);
                QString first = AlignPiece(pieces.first(), ha, w);
                main += first + Blanks(w + 1 - first.size());
                for (qsizetype i = 1; i < pieces.size(); ++i) {
                    if (more.size() < size_t(i))
                        more.resize(size_t(i));
                    QString& line = more[size_t(i - 1)];
                    line += Blanks(start - line.size());
                    line += AlignPiece(pieces[i], ha, w);
                }
                start += w + 1;
            }
            lines.Add(main);
            for (QString& line : more) {
                RemoveTrailingBlanks(line);
                lines.Add(line);
            }
        }
    } catch (...) {
        ExportNotification(esExportDone, -1);
        save();
        throw;
    }
    ExportNotification(esExportDone, -1);
    save();
}
