// CSV: the quoting rules on writing, delimiter detection, field splitting, insert mode and the
// multi-line cells that hold a quote.
#include "common/TestSupport.h"
#include "grid/ops/OpsTestSupport.h"

#include "platform/core/Classes.h"

namespace opstest
{

using testsupport::readBytes;
using testsupport::TempDir;
using testsupport::writeBytes;

class Csv : public OpsGridTest
{
  protected:
    void Fill(TOpsGrid* g, const std::vector<QStringList>& Rows)
    {
        g->SetRowCount(int(Rows.size()));
        g->SetColCount(int(Rows[0].size()));
        for (size_t r = 0; r < Rows.size(); ++r)
            for (int c = 0; c < Rows[r].size(); ++c)
                g->SetCells(c, int(r), Rows[r][c]);
    }
    std::vector<QStringList> Read(TOpsGrid* g, int Cols)
    {
        std::vector<QStringList> rows;
        for (int r = 0; r < g->RowCount(); ++r) {
            QStringList l;
            for (int c = 0; c < Cols; ++c)
                l << g->Cells(c, r);
            rows.push_back(l);
        }
        return rows;
    }
    // A fresh grid that read Bytes from a file.
    TOpsGrid* Load(const QByteArray& Bytes, int MaxRows = -1,
                   const std::function<void(TOpsGrid*)>& Setup = {})
    {
        writeBytes(dir.file("in.csv"), Bytes);
        TOpsGrid* g = New();
        if (Setup)
            Setup(g);
        g->LoadFromCSV(dir.file("in.csv"), MaxRows);
        return g;
    }
    TempDir dir;
};

const std::vector<QStringList> Fixture = {
    {"", "Name", "Qty"}, {"1", "Apple", "10"}, {"2", "a\r\nb", "say \"hi\", ok"}};

TEST_F(Csv, WritesTheQuotingRulesAndReadsThemBack)
{
    Fill(grid, Fixture);
    grid->SaveToCSV(dir.file("a.csv"));
    EXPECT_EQ(readBytes(dir.file("a.csv")), QByteArray("\"\",Name,Qty\r\n1,Apple,10\r\n2,\"a\x0b"
                                                       "b\",\"say \"\"hi\"\", ok\"\r\n"));
    TOpsGrid* g = New();
    g->LoadFromCSV(dir.file("a.csv"));
    EXPECT_EQ(g->RowCount(), 3);
    EXPECT_EQ(Read(g, 3), Fixture);
}

TEST_F(Csv, FieldSettingsWriteAndReadBack)
{
    struct Case {
        const char* Name;
        std::function<void(TOpsGrid*)> Set;
        QStringList Cells;
        QByteArray Line;
    };
    const std::vector<Case> cases = {
        {"AlwaysQuotes",
         [](TOpsGrid* g) { g->AlwaysQuotes = true; },
         {"x", "", "a\r\nb"},
         "\"x\",\"\",\"a\nb\"\r\n"},
        {"JavaCSV", [](TOpsGrid* g) { g->JavaCSV = true; }, {"", "x\r\ny", "p,q"}, "^,x~y,\"p,q\"\r\n"},
        {"OemConvert", [](TOpsGrid* g) { g->OemConvert = true; }, {"\u00e9", "a", "b"}, "\x82,a,b\r\n"},
        {"Delimiter", [](TOpsGrid* g) { g->Delimiter = ';'; }, {"a,b", "", "c"}, "a,b;\"\";c\r\n"},
    };
    for (const Case& c : cases) {
        TOpsGrid* w = New(c.Set);
        Fill(w, {c.Cells});
        w->SaveToCSV(dir.file("c.csv"));
        EXPECT_EQ(readBytes(dir.file("c.csv")), c.Line) << c.Name;
        TOpsGrid* r = Load(c.Line, -1, c.Set);
        EXPECT_EQ(Read(r, 3), std::vector<QStringList>{c.Cells}) << c.Name;
    }
}

TEST_F(Csv, UnicodeIsUtf8WithAMarkAndAppendAddsToTheFile)
{
    Fill(grid, {{"\u20ac", "x"}});
    grid->SaveToCSV(dir.file("u.csv"), true);
    EXPECT_EQ(readBytes(dir.file("u.csv")), QByteArray("\xEF\xBB\xBF\xE2\x82\xAC,x\r\n"));
    grid->AppendToCSV(dir.file("u.csv"), true);
    EXPECT_EQ(readBytes(dir.file("u.csv")), QByteArray("\xEF\xBB\xBF\xE2\x82\xAC,x\r\n\xE2\x82\xAC,x\r\n"));
    TOpsGrid* g = New();
    g->LoadFromCSV(dir.file("u.csv"));
    EXPECT_EQ(g->Cells(0, 1), "\u20ac");

    EXPECT_THROW(grid->AppendToCSV(dir.file("missing.csv")), EInOutError);
    EXPECT_FALSE(QFile::exists(dir.file("missing.csv")));
}

TEST_F(Csv, DetectsTheDelimiterForThisLoadOnly)
{
    TOpsGrid* g = Load("a;b;c\r\nd;e;f\r\n");
    EXPECT_EQ(Read(g, 3), (std::vector<QStringList>{{"a", "b", "c"}, {"d", "e", "f"}}));
    EXPECT_EQ(g->Delimiter, QChar(0));

    // Neither equal counts nor unpaired runs agree: the third pass takes the larger count.
    g = Load("x,y\r\np;q;r\r\n");
    EXPECT_EQ(Read(g, 3), (std::vector<QStringList>{{"x,y", "", ""}, {"p", "q", "r"}}));

    g = Load("one field\r\ntwo\r\n");
    EXPECT_EQ(Read(g, 1), (std::vector<QStringList>{{"one field"}, {"two"}}));
}

TEST_F(Csv, SplitsFieldsAsTheRulesSay)
{
    TOpsGrid* g = Load("a,  b ,  ,x, \r\n\"q\"\"uote\",\"open,z\r\n", -1, [](TOpsGrid* g) {
        g->SetColCount(6);
        g->SetRowCount(2);
        g->SetCells(4, 1, "kept");
    });
    // Leading blanks go while more than one character is left; a last field of one blank stays. A
    // quote that never closes gives an empty field and the line goes on at the next delimiter; a
    // shorter line leaves the rest of its row as it was.
    EXPECT_EQ(Read(g, 5),
              (std::vector<QStringList>{{"a", "b ", "", "x", " "}, {"q\"uote", "", "z", "", "kept"}}));
}

TEST_F(Csv, MaxRowsLoadFirstRowAndProgress)
{
    QByteArray ten;
    for (int i = 0; i < 10; ++i)
        ten += QByteArray::number(i) + ",x\r\n";
    TOpsGrid* g = Load(ten, 2);
    EXPECT_EQ(g->RowCount(), 2);
    EXPECT_EQ(g->Cells(0, 1), "1");

    std::vector<int> seen;
    g = Load(ten, -1, [&](TOpsGrid* g) {
        g->LoadFirstRow = false;
        g->OnFileProgress = [&](TObject*, int16_t p) { seen.push_back(p); };
    });
    EXPECT_EQ(g->RowCount(), 9);
    EXPECT_EQ(g->Cells(0, 0), "1");
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back(), 100);
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_EQ(std::adjacent_find(seen.begin(), seen.end()), seen.end()) << "fired only on changes";
}

TEST_F(Csv, InsertKeepsTheVisibleFooterRowLast)
{
    grid->SetColCount(2);
    grid->SetRowCount(3);
    grid->SetCells(0, 1, "data");
    grid->SetCells(0, 2, "sum");
    grid->FloatingFooter()->SetVisible(true);
    writeBytes(dir.file("i.csv"), "n1,v1\r\nn2,v2\r\n");
    grid->InsertFromCSV(dir.file("i.csv"));
    EXPECT_EQ(grid->RowCount(), 5);
    EXPECT_EQ(grid->Cells(0, 1), "data");
    EXPECT_EQ(grid->Cells(0, 2), "n1");
    EXPECT_EQ(grid->Cells(1, 3), "v2");
    EXPECT_EQ(grid->Cells(0, 4), "sum");
}

TEST_F(Csv, QuotedMultiLineCellWithAQuoteRoundTrips)
{
    Fill(grid, {{"he said \"x\"\r\ny", "2"}, {"next", "3"}});
    grid->SaveToCSV(dir.file("m.csv"));
    EXPECT_EQ(readBytes(dir.file("m.csv")), QByteArray("\"he said \"\"x\"\"\ny\",2\r\nnext,3\r\n"));
    TOpsGrid* g = New();
    g->LoadFromCSV(dir.file("m.csv"));
    EXPECT_EQ(g->RowCount(), 2);
    EXPECT_EQ(Read(g, 2), (std::vector<QStringList>{{"he said \"x\"\r\ny", "2"}, {"next", "3"}}));
}

TEST_F(Csv, EmptyInputAndHiddenColumns)
{
    writeBytes(dir.file("e.csv"), "");
    const int rows = grid->RowCount();
    grid->LoadFromCSV(dir.file("e.csv"));
    grid->InsertFromCSV(dir.file("e.csv"));
    EXPECT_EQ(grid->RowCount(), rows);
    TMemoryStream empty;
    try {
        grid->LoadFromCSVStream(&empty);
        ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "File is empty");
    }

    Fill(grid, {{"c0", "c1", "c2", "c3"}});
    grid->HideColumn(2);
    grid->SaveToCSV(dir.file("h.csv"));
    EXPECT_EQ(readBytes(dir.file("h.csv")), QByteArray("c0,c1,c3\r\n"));
    grid->SaveHiddenCells = true;
    grid->SaveToCSV(dir.file("h.csv"));
    EXPECT_EQ(readBytes(dir.file("h.csv")), QByteArray("c0,c1,c2,c3\r\n"));
}

} // namespace opstest
