// Loading a rich-text cell: CellToRich of a 2 KB RTF text (20 paragraphs with bold, italic, colours and
// sizes) 1,000 times through the grid's hidden rich edit, against QTextDocument::setHtml of the same
// content written as HTML, 1,000 times, in the same run. The ratio of the two is the figure. Not run
// by CI.
#include "grid/core/ExtGrid.h"
#include "grid/edit/ExtRichEdit.h"

#include <QTextDocument>
#include <benchmark/benchmark.h>

namespace
{

constexpr int Loads = 1000;
constexpr int Paragraphs = 20;

QString RtfText()
{
    QString s = QStringLiteral(
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil Arial;}{\\f1\\fnil Courier New;}}"
        "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green128\\blue0;}");
    for (int i = 0; i < Paragraphs; ++i)
        s += QStringLiteral("\\pard{\\f0\\fs20 Line %1: }{\\f0\\fs20\\b bold words}{\\f0\\fs20  and }"
                            "{\\f1\\fs24\\i\\cf1 italic red}{\\f0\\fs28\\cf2  green text}\\par")
                 .arg(i, 2, 10, QChar('0'));
    return s + '}';
}

QString HtmlText()
{
    QString s = QStringLiteral("<html><body>");
    for (int i = 0; i < Paragraphs; ++i)
        s += QStringLiteral(
                 "<p><span style=\"font-family:Arial; font-size:10pt\">Line %1: </span>"
                 "<span style=\"font-family:Arial; font-size:10pt; font-weight:bold\">bold words</span>"
                 "<span style=\"font-family:Arial; font-size:10pt\"> and </span>"
                 "<span style=\"font-family:'Courier New'; font-size:12pt; font-style:italic; "
                 "color:#ff0000\">italic red</span>"
                 "<span style=\"font-family:Arial; font-size:14pt; color:#008000\"> green text</span></p>")
                 .arg(i, 2, 10, QChar('0'));
    return s + QStringLiteral("</body></html>");
}

TExtStringGrid& Grid()
{
    static TExtStringGrid* grid = [] {
        auto* g = new TExtStringGrid(nullptr);
        g->SetCells(1, 1, RtfText());
        return g;
    }();
    return *grid;
}

void CellToRich1000(benchmark::State& state)
{
    TExtStringGrid& g = Grid();
    TExtRichEdit* edit = g.RichEdit();
    state.counters["bytes"] = double(g.Cells(1, 1).size());
    for (auto _ : state)
        for (int i = 0; i < Loads; ++i)
            g.CellToRich(1, 1, edit);
    benchmark::DoNotOptimize(edit->Text());
}

void TextDocumentSetHtml1000(benchmark::State& state)
{
    const QString html = HtmlText();
    QTextDocument doc;
    state.counters["bytes"] = double(html.size());
    for (auto _ : state)
        for (int i = 0; i < Loads; ++i)
            doc.setHtml(html);
    benchmark::DoNotOptimize(doc.toPlainText());
}

} // namespace

BENCHMARK(CellToRich1000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(TextDocumentSetHtml1000)->Unit(benchmark::kMillisecond)->Iterations(3);
