// TExtStringGrid: XML. The writer composes a list/record/field document itself; the reader walks any
// document through the layer's node view and turns attributes and leaf elements into cells.
#include "grid/core/ExtGrid.h"
#include "grid/ops/ScopeGuards.h"

#include "platform/core/SysUtils.h"
#include "platform/core/Xml.h"

#include <cmath>

namespace
{

QString EscapeXmlText(QString t)
{
    t.replace(QLatin1Char('&'), QStringLiteral("&amp;"));
    t.replace(QLatin1Char('>'), QStringLiteral("&gt;"));
    t.replace(QLatin1Char('<'), QStringLiteral("&lt;"));
    t.replace(QLatin1Char('"'), QStringLiteral("&quot;"));
    return t;
}

// Applied once more to what the DOM decoded: a text written as "&amp;lt;" comes back as "<".
QString UnescapeXmlText(QString t)
{
    t.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    t.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    t.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    t.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    return t;
}

// Characters ISO-8859-1 cannot hold become numeric references, so the declared encoding is the truth.
QString Latin1References(const QString& t)
{
    QString out;
    out.reserve(t.size());
    for (qsizetype i = 0; i < t.size(); ++i) {
        char32_t c = t[i].unicode();
        if (c < 0x100) {
            out += t[i];
            continue;
        }
        if (QChar::isHighSurrogate(c) && i + 1 < t.size() && t[i + 1].isLowSurrogate())
            c = QChar::surrogateToUcs4(char16_t(c), t[++i].unicode());
        out += QStringLiteral("&#") + QString::number(uint32_t(c)) + QLatin1Char(';');
    }
    return out;
}

bool IsUtf8Name(const QString& Encoding)
{
    return Encoding.compare(QLatin1String("UTF-8"), Qt::CaseInsensitive) == 0 ||
           Encoding.compare(QLatin1String("UTF8"), Qt::CaseInsensitive) == 0;
}

} // namespace

// ---- Writing -------------------------------------------------------------------------------------

void TExtStringGrid::SaveToXML(const QString& FileName, const QString& ListDescr, const QString& RecordDescr,
                               TStrings* FieldDescr, bool ExportEmptyCells)
{
    const bool utf8 = IsUtf8Name(XMLEncoding);
    const QString eol = QStringLiteral("\r\n");
    QString text = "<?xml version=\"1.0\" encoding=\"" + XMLEncoding + "\" ?>" + eol;
    text += '<' + ListDescr + '>' + eol;
    const int hidden = SaveHiddenCells ? NumHiddenColumns() : 0;
    const int c0 = SaveStartCol();
    const int c1 = SaveEndCol() + hidden;
    const int whole = std::max(1, SaveEndRow() - SaveStartRow());
    int last = -1;
    ExportNotification(esExportStart, SaveStartRow());
    for (int r = SaveStartRow(); r <= SaveEndRow(); ++r) {
        ExportNotification(esExportNextRow, r);
        text += '<' + RecordDescr + '>' + eol;
        for (int b = c0; b <= c1; ++b) {
            const int rc = SaveHiddenCells ? b : DisplToRealCol(b);
            if (!IsBaseCell(rc, r))
                continue;
            QString t = GetExportCellText(rc, r);
            if (t.isEmpty() && !ExportEmptyCells)
                continue;
            if (t.isEmpty() && QuoteEmptyCells)
                t = QStringLiteral("\"\"");
            const int n = b - c0;
            const QString name =
                FieldDescr && n < FieldDescr->Count() ? FieldDescr->Strings(n) : "FIELD" + QString::number(n);
            t = EscapeXmlText(t);
            text += '<' + name + '>' + (utf8 ? t : Latin1References(t)) + "</" + name + '>' + eol;
        }
        text += "</" + RecordDescr + '>' + eol;
        FileProgress(int(std::lround(r * 100.0 / whole)), last);
    }
    text += "</" + ListDescr + '>' + eol;
    ExportNotification(esExportDone, -1);
    try {
        WriteFileAtomic(FileName, utf8 ? text.toUtf8() : text.toLatin1());
    } catch (const EInOutError&) {
        throw EExtGridError("Cannot Create file " + FileName);
    }
}

// ---- Reading -------------------------------------------------------------------------------------

struct TExtStringGrid::TXMLReadState {
    int StartCol = 0;
    int StartRow = 0;
    int ColOffset = 0;
    int RowOffset = 0;
    int Level = 1;
    int MaxCol = 0;
    int MaxRow = 0;
    bool LevelToRow = false;
    bool LoadFieldDescr = false;
};

void TExtStringGrid::LoadFromXML(const QString& FileName, bool LevelToRow, bool LoadFieldDescr)
{
    if (!FileExists(FileName))
        throw Exception("XML file not found");
    TXmlNodeDocument doc;
    if (!doc.LoadFromFile(FileName))
        throw Exception(
            QString("XMLDOM Parsing error %1 on line %2").arg(doc.ErrorCode()).arg(doc.ErrorLine()));
    TUpdateLock lock(this);
    TXMLReadState st;
    st.LevelToRow = LevelToRow;
    st.LoadFieldDescr = LoadFieldDescr;
    st.StartCol = SaveStartCol();
    st.StartRow = !(SaveFixedCells || SaveFixedRows) || LoadFieldDescr ? FixedRows() : 0;
    st.MaxCol = st.StartCol;
    st.MaxRow = st.StartRow;
    const std::vector<TXmlNode> children = doc.DocumentElement().ChildNodes();
    for (size_t i = 0; i < children.size(); ++i) {
        st.ColOffset = 0;
        st.Level = 1;
        if (LevelToRow && i == 0 && children[i].Attributes().empty())
            st.RowOffset = -1;
        ParseXMLNode(children[i], st);
        if (!LevelToRow)
            ++st.RowOffset;
    }
    SetColCount(st.MaxCol + 1);
    SetRowCount(st.MaxRow + 1);
    BulkCellsChanged();
}

void TExtStringGrid::ParseXMLNode(const TXmlNode& Node, TXMLReadState& St)
{
    const auto col = [&] { return St.StartCol + St.ColOffset; };
    const auto row = [&] { return St.StartRow + St.RowOffset; };
    const auto grow = [&] {
        if (col() >= ColCount())
            SetColCount(col() + 1);
        if (row() >= RowCount())
            SetRowCount(row() + 1);
    };
    // Only inside the grid: a first record read one row up (LevelToRow) may point above row 0.
    const auto store = [&](int c, int r, const QString& t) {
        if (c >= 0 && c < TotalColCount() && r >= 0 && r < RowCount())
            ImportCellText(c, r, t);
    };
    const auto noteHighest = [&] {
        St.MaxCol = std::max(St.MaxCol, col());
        St.MaxRow = std::max(St.MaxRow, row());
    };
    const bool headerRow = SaveFixedCells || SaveFixedRows;

    bool moved = false;
    if (!Node.IsText()) {
        const auto attributes = Node.Attributes();
        for (const auto& [name, value] : attributes) {
            grow();
            if (headerRow && col() >= 0 && col() < TotalColCount() && GetGridCell(col(), 0).isEmpty())
                store(col(), 0, name);
            store(col(), row(), UnescapeXmlText(value));
            noteHighest();
            ++St.ColOffset;
        }
        if (St.LevelToRow && !attributes.empty()) {
            ++St.RowOffset;
            St.ColOffset = St.Level;
            moved = true;
        }
    }
    const std::vector<TXmlNode> children = Node.ChildNodes();
    if (children.size() > 1) {
        if (St.LevelToRow && !moved) {
            ++St.RowOffset;
            St.ColOffset = 0;
        }
        ++St.Level;
        for (const TXmlNode& child : children)
            ParseXMLNode(child, St);
    } else if (children.empty()) {
        store(col(), row(), QString());
        ++St.ColOffset;
    } else {
        grow();
        if (headerRow && St.LoadFieldDescr && col() >= 0 && col() < TotalColCount() &&
            GetGridCell(col(), 0).isEmpty())
            store(col(), 0, Node.NodeName());
        QString t = UnescapeXmlText(Node.Text());
        if (QuoteEmptyCells && t == QStringLiteral("\"\""))
            t.clear();
        store(col(), row(), t);
        noteHighest();
        ++St.ColOffset;
    }
}
