// TExtStringGrid: exchange with a spreadsheet program, a word processor and a database driver
// through automation (platform/system/ComObj.h). On Linux no server is registered, so these answer
// with their "server not found" errors; any provider offering the same members stands in.
#include "grid/core/ExtGrid.h"
#include "grid/ops/ScopeGuards.h"
#include "grid/ops/XlsAddress.h"

#include "platform/controls/Forms.h"
#include "platform/core/SysUtils.h"
#include "platform/system/ComObj.h"

namespace
{

const QString ExcelProgID = QStringLiteral("excel.application");
const QString WordProgID = QStringLiteral("word.application");
const QString ExcelNotFound = QStringLiteral("Excel OLE server not found");
const QString WordNotFound = QStringLiteral("Word OLE server not found");
// Columns of a whole-row range ("$1:$3").
constexpr int WholeRowColumns = 256;
// The word processor's Goto arguments.
constexpr int wdGoToBookmark = -1;
constexpr int wdGoToLine = 3;
constexpr int wdGoToLast = -1;
constexpr int wdAlignParagraphCenter = 1;
constexpr int wdAlignParagraphRight = 2;

// The hourglass for the life of the object; the cursor before it comes back on every path.
class THourGlass
{
  public:
    THourGlass() : FOld(Screen->Cursor()) { Screen->SetCursor(crHourGlass); }
    ~THourGlass() { Screen->SetCursor(FOld); }
    THourGlass(const THourGlass&) = delete;
    THourGlass& operator=(const THourGlass&) = delete;

  private:
    TCursor FOld;
};

// The running application, else a new one (Created tells which); Missing when neither exists.
TOleObject AttachOrCreate(const QString& ProgID, bool& Created, const QString& Missing)
{
    Created = false;
    try {
        return GetActiveOleObject(ProgID);
    } catch (const EOleError&) {
    }
    try {
        TOleObject app = CreateOleObject(ProgID);
        Created = true;
        return app;
    } catch (const EOleError&) {
        throw EExtGridError(Missing);
    }
}

TOleObject CreateApp(const QString& ProgID, const QString& Missing)
{
    try {
        return CreateOleObject(ProgID);
    } catch (const EOleError&) {
        throw EExtGridError(Missing);
    }
}

// Cleanup calls run from scope guards, where a second exception cannot leave: the server's own
// failure to quit or close is dropped there.
void CallQuietly(const TOleObject& Object, const QString& Name, const QVariantList& Args = {})
{
    try {
        if (!Object.IsNull())
            Object.Call(Name, Args);
    } catch (const EOleError&) {
    }
}

// The last sheet among Sheets(1 .. Count) named Name; null when none is.
TOleObject FindSheet(const TOleObject& Workbook, const QString& Name)
{
    TOleObject found;
    const int count = Workbook.Obj("Sheets").Get("Count").toInt();
    for (int i = 1; i <= count; ++i) {
        TOleObject sheet = Workbook.Obj("Sheets", {i});
        if (sheet.Get("Name").toString() == Name)
            found = sheet;
    }
    return found;
}

} // namespace

QString XLSColumnLetters(int n)
{
    QString s;
    while (n > 0) {
        const int m = (n - 1) % 26;
        s.prepend(QChar('A' + m));
        n = (n - 1) / 26;
    }
    return s;
}

int XLSColumnNumber(const QString& Letters)
{
    if (Letters.isEmpty())
        return -1;
    int n = 0;
    for (QChar ch : Letters) {
        const QChar u = ch.toUpper();
        if (u < 'A' || u > 'Z' || n > (INT32_MAX - 26) / 26)
            return -1;
        n = n * 26 + (u.unicode() - 'A' + 1);
    }
    return n;
}

void ParseXLSRange(const QString& Address, int& FirstCol, int& FirstRow, int& LastCol, int& LastRow)
{
    auto strip = [](QString s) { return s.startsWith('$') ? s.mid(1) : s; };
    auto number = [](const QString& s) {
        bool ok = false;
        const int v = s.toInt(&ok);
        return ok ? v : -1;
    };
    auto cell = [&](const QString& part, int& col, int& row) {
        const qsizetype d = part.indexOf('$');
        if (d < 0) {
            col = -1;
            row = -1;
            return;
        }
        col = XLSColumnNumber(part.left(d));
        row = number(part.mid(d + 1));
    };
    const qsizetype colon = Address.indexOf(':');
    if (colon < 0) {
        const QString part = strip(Address);
        if (!part.contains('$')) {
            FirstCol = LastCol = 1;
            FirstRow = LastRow = 1;
            return;
        }
        cell(part, FirstCol, FirstRow);
        LastCol = FirstCol;
        LastRow = FirstRow;
        return;
    }
    const QString first = strip(Address.left(colon));
    const QString last = strip(Address.mid(colon + 1));
    if (!first.contains('$')) {
        FirstRow = number(first);
        LastRow = number(last);
        FirstCol = 1;
        LastCol = WholeRowColumns;
        return;
    }
    cell(first, FirstCol, FirstRow);
    cell(last, LastCol, LastRow);
}

void TExtStringGrid::SaveToXLS(const QString& Filename, bool CreateNewSheet)
{
    ExportXLS(Filename, QString(), CreateNewSheet);
}

void TExtStringGrid::SaveToXLSSheet(const QString& Filename, const QString& SheetName)
{
    ExportXLS(Filename, SheetName, true);
}

void TExtStringGrid::LoadFromXLS(const QString& Filename)
{
    ImportXLS(Filename, QString());
}

void TExtStringGrid::LoadFromXLSSheet(const QString& Filename, const QString& SheetName)
{
    ImportXLS(Filename, SheetName);
}

void TExtStringGrid::ExportXLS(const QString& FileName, const QString& SheetName, bool CreateNewSheet)
{
    THourGlass hourglass;
    bool created = false;
    const TOleObject app = AttachOrCreate(ExcelProgID, created, ExcelNotFound);
    // An application started here is closed again whatever happens; an attached one stays.
    TFinally quit([&] {
        if (created)
            CallQuietly(app, "Quit");
    });

    TOleObject workbook, sheet;
    int startRow = 1;
    bool saveInPlace = false;
    if (!SheetName.isEmpty()) {
        if (FileExists(FileName)) {
            try {
                workbook = app.Obj("WorkBooks").CallObj("Open", {FileName});
                saveInPlace = true;
            } catch (const EOleError&) {
                // Not readable as a workbook: a new one takes its place below.
            }
        }
        if (workbook.IsNull()) {
            try {
                workbook = app.Obj("WorkBooks").CallObj("Add");
            } catch (const EOleError&) {
                return; // no workbook at all: nothing to write into
            }
        }
        sheet = FindSheet(workbook, SheetName);
        if (sheet.IsNull()) {
            sheet = workbook.Obj("WorkSheets").CallObj("Add");
            sheet.Set("Name", SheetName);
        }
    } else if (CreateNewSheet || app.Obj("WorkBooks").Get("Count").toInt() == 0) {
        workbook = app.Obj("WorkBooks").CallObj("Add");
        sheet = workbook.Obj("WorkSheets").CallObj("item", {1});
    } else {
        workbook = app.Obj("ActiveWorkBook");
        sheet = app.Obj("ActiveSheet");
        startRow = app.Obj("ActiveCell").Get("Row").toInt();
    }

    const int rows = RowCount() - SaveStartRow();
    const int cols = ColCount() - SaveStartCol();
    TVariantArray2D values(1, rows, 1, cols);
    ExportNotification(esExportStart, SaveStartRow());
    for (int r = SaveStartRow(); r < RowCount(); ++r) {
        ExportNotification(esExportNextRow, r);
        for (int c = SaveStartCol(); c < ColCount(); ++c) {
            QString t = GetExportCellText(RealColIndex(c), r);
            t.remove('\r');
            values.Put(r - SaveStartRow() + 1, c - SaveStartCol() + 1, t);
        }
    }
    ExportNotification(esExportDone, -1);
    // The range ends where the array does, also when it starts below row 1.
    const QString address =
        "A" + QString::number(startRow) + ":" + XLSColumnLetters(cols) + QString::number(startRow + rows - 1);
    sheet.Obj("Range", {address}).Set("Value", QVariant::fromValue(values));

    try {
        if (saveInPlace)
            workbook.Call("Save");
        else
            workbook.Call("SaveAs", {FileName});
    } catch (const EOleError&) {
        // The program keeps the book open for the user to save; the grid reports nothing here.
    }
}

void TExtStringGrid::ImportXLS(const QString& FileName, const QString& SheetName)
{
    THourGlass hourglass;
    const TOleObject app = CreateApp(ExcelProgID, ExcelNotFound);
    TOleObject workbook;
    TFinally done([&] {
        CallQuietly(workbook, "Close", {false});
        CallQuietly(app, "Quit");
        DoCellsChanged(TRect(0, 0, ColCount(), RowCount()));
        BulkCellsChanged();
    });
    workbook = app.Obj("WorkBooks").CallObj("Open", {FileName});
    TOleObject sheet;
    if (!SheetName.isEmpty()) {
        sheet = FindSheet(workbook, SheetName);
        if (sheet.IsNull())
            throw EExtGridError("Excel worksheet " + SheetName + " not found");
    } else {
        sheet = app.Obj("ActiveSheet");
    }

    int c1 = -1, r1 = -1, c2 = -1, r2 = -1;
    ParseXLSRange(sheet.Obj("UsedRange").Get("Address").toString(), c1, r1, c2, r2);
    if (c1 <= 0 || r1 <= 0 || c2 <= 0 || r2 <= 0 || c2 < c1 || r2 < r1)
        return;

    const int fixedCols = FixedCols(), fixedRows = FixedRows();
    const int colOffset = SaveFixedCells || SaveFixedCols ? 0 : fixedCols;
    const int rowOffset = SaveFixedCells || SaveFixedRows ? 0 : fixedRows;
    SetColCount(c2 - c1 + 1 + colOffset);
    SetRowCount(r2 - r1 + 1 + rowOffset);
    if (fixedCols < ColCount())
        SetFixedCols(fixedCols);
    if (fixedRows < RowCount())
        SetFixedRows(fixedRows);

    try {
        if (c1 == c2 && r1 == r2) {
            QVariant v = sheet.Obj("Rows").Get("Cells", {r1, c1});
            if (VarIsObject(v))
                v = TOleObject::FromVariant(v).Get("Value");
            if (!VarIsObject(v) && !VarIsError(v))
                ImportCellText(colOffset, rowOffset, v.isValid() ? v.toString() : QString());
            return;
        }
        const QString address =
            XLSColumnLetters(c1) + QString::number(r1) + ":" + XLSColumnLetters(c2) + QString::number(r2);
        const QVariant v = sheet.Obj("Range", {address}).Get("Value");
        if (v.metaType() != QMetaType::fromType<TVariantArray2D>())
            throw EOleError("Invalid variant type conversion");
        const auto values = v.value<TVariantArray2D>();
        for (int r = 1; r <= r2 - r1 + 1; ++r)
            for (int c = 1; c <= c2 - c1 + 1; ++c) {
                const QVariant& e = values.At(values.LowRow() + r - 1, values.LowCol() + c - 1);
                if (VarIsObject(e) || VarIsError(e))
                    continue;
                // An empty worksheet cell empties its grid cell.
                ImportCellText(colOffset + c - 1, rowOffset + r - 1, e.isValid() ? e.toString() : QString());
            }
    } catch (const Exception&) {
        throw Exception("Incorrect XLS file");
    }
}

std::unique_ptr<TStringList> TExtStringGrid::GetXLSSheets(const QString& FileName)
{
    THourGlass hourglass;
    const TOleObject app = CreateApp(ExcelProgID, ExcelNotFound);
    TFinally quit([&] { CallQuietly(app, "Quit"); });
    auto list = std::make_unique<TStringList>();
    const TOleObject workbook = app.Obj("WorkBooks").CallObj("Open", {FileName});
    const TOleObject sheets = workbook.Obj("WorkSheets");
    const int count = sheets.Get("Count").toInt();
    for (int i = 1; i <= count; ++i)
        list->Add(sheets.CallObj("item", {i}).Get("Name").toString());
    workbook.Set("Saved", true);
    return list;
}

void TExtStringGrid::SaveToDOC(const QString& Filename, bool CreateNewDocument)
{
    ExportDOC(Filename, QString(), false, CreateNewDocument);
}

void TExtStringGrid::AppendToDoc(const QString& Filename, const QString& Bookmark)
{
    ExportDOC(Filename, Bookmark, true, false);
}

void TExtStringGrid::ExportDOC(const QString& FileName, const QString& Bookmark, bool Append,
                               bool CreateNewDocument)
{
    THourGlass hourglass;
    bool created = false;
    const TOleObject app = AttachOrCreate(WordProgID, created, WordNotFound);
    TFinally quit([&] {
        if (created)
            CallQuietly(app, "Quit");
    });

    const TOleObject documents = app.Obj("Documents");
    TOleObject doc;
    if (Append)
        doc = documents.CallObj("Open", {FileName});
    else if (CreateNewDocument || documents.Get("Count").toInt() == 0)
        doc = documents.CallObj("Add");
    else
        doc = app.Obj("ActiveDocument");
    doc.Set("ShowSpellingErrors", false);

    const TOleObject selection = app.Obj("Selection");
    selection.Call("TypeText", {Text()});
    selection.Call("TypeParaGraph");

    TOleObject where;
    if (Append && !Bookmark.isEmpty() && doc.Obj("Bookmarks").Call("Exists", {Bookmark}).toBool()) {
        where = doc.CallObj("Goto", {wdGoToBookmark, Bookmark});
    } else if (Append) {
        doc.Obj("Paragraphs").Call("Add");
        selection.Call("Goto", {wdGoToLine, wdGoToLast});
        const QVariant end = selection.Get("End");
        where = doc.CallObj("Range", {end, end});
    } else {
        where = doc.CallObj("Range", {0, 0});
    }

    const TOleObject table =
        doc.Obj("Tables").CallObj("Add", {TOleObject::ToVariant(where), RowCount(), ColCount()});
    ExportNotification(esExportStart, 0);
    for (int r = 0; r < RowCount(); ++r) {
        ExportNotification(esExportNextRow, r);
        for (int c = 0; c < ColCount(); ++c) {
            const int rc = RealColIndex(c);
            const TOleObject range = table.CallObj("Cell", {r + 1, c + 1}).Obj("Range");
            range.Call("InsertAfter", {GetExportCellText(rc, r)});
            TAlignment ha = taLeftJustify;
            TVAlignment va = vtaTop;
            GetCellAlignment(rc, r, ha, va);
            if (ha == taRightJustify)
                range.Obj("ParagraphFormat").Set("Alignment", wdAlignParagraphRight);
            else if (ha == taCenter)
                range.Obj("ParagraphFormat").Set("Alignment", wdAlignParagraphCenter);
        }
    }
    ExportNotification(esExportDone, -1);
    doc.Call("SaveAs", {FileName});
}

void TExtStringGrid::LoadFromMDBTable(const QString& Filename, const QString& Table)
{
    LoadFromMDBSQL(Filename, "SELECT * FROM " + Table);
}

void TExtStringGrid::LoadFromMDBSQL(const QString& Filename, const QString& SQL)
{
    const TOleObject connection = CreateOleObject("ADODB.Connection");
    connection.Call("Open", {"Driver={Microsoft Access Driver (*.mdb)};DBQ=" + Filename});
    const TOleObject records = CreateOleObject("ADODB.RecordSet");
    records.Set("ActiveConnection", TOleObject::ToVariant(connection));
    records.Call("Open", {SQL});

    const TOleObject fields = records.Obj("Fields");
    const int count = fields.Get("Count").toInt();
    SetColCount(count + FixedCols());
    if (FixedRows() > 0)
        for (int i = 0; i < count; ++i)
            SetCells(FixedCols() + i, FixedRows() - 1, fields.CallObj("Item", {i}).Get("Name").toString());
    // A driver may not know the count (-1): rows are then added as records arrive.
    const int recordCount = records.Get("RecordCount").toInt();
    if (recordCount > 0)
        SetRowCount(FixedRows() + recordCount);
    int row = FixedRows();
    while (!records.Get("Eof").toBool()) {
        if (row >= RowCount())
            SetRowCount(row + 1);
        for (int i = 0; i < count; ++i) {
            const TOleObject field = fields.CallObj("Item", {i});
            ImportCellText(FixedCols() + i, row,
                           field.Get("ActualSize").toInt() > 0 ? field.Get("Value").toString() : QString());
        }
        records.Call("MoveNext");
        ++row;
    }
    records.Call("Close");
    connection.Call("Close");
}
