// The spreadsheet, word-processor and database exchange: "not found" without servers, and the
// calls and results against in-test providers (a workbook of named sheets over a map of cells, a
// document that records its tables, a record set over a vector).
#include "grid/ops/OpsTestSupport.h"

#include "grid/ops/XlsAddress.h"
#include "platform/controls/Forms.h"
#include "platform/system/ComObj.h"

#include <QRegularExpression>
#include <map>

namespace opstest
{

// A late-bound object whose members are lambdas (names without case).
class TFake : public IAutoObject
{
  public:
    using TGet = std::function<QVariant(const QVariantList&)>;
    using TSet = std::function<void(const QVariantList&, const QVariant&)>;
    std::map<QString, TGet> Props, Methods;
    std::map<QString, TSet> Setters;

    QVariant GetProperty(const QString& Name, const QVariantList& Args) override
    {
        return Find(Props, Name)(Args);
    }
    void SetProperty(const QString& Name, const QVariantList& Args, const QVariant& Value) override
    {
        Find(Setters, Name)(Args, Value);
    }
    QVariant Invoke(const QString& Name, const QVariantList& Args) override
    {
        return Find(Methods, Name)(Args);
    }

  private:
    template <class M> typename M::mapped_type& Find(M& Map, const QString& Name)
    {
        auto it = Map.find(Name.toLower());
        if (it == Map.end())
            throw EOleError("Unknown name: " + Name);
        return it->second;
    }
};

QVariant Var(const std::shared_ptr<TFake>& F)
{
    return QVariant::fromValue(TAutoObjectPtr(F));
}

std::shared_ptr<TFake> Collection(std::function<int()> Count, std::function<QVariant(int)> Item)
{
    auto c = std::make_shared<TFake>();
    c->Props["count"] = [Count](const QVariantList&) { return Count(); };
    c->Methods["item"] = [Item](const QVariantList& a) { return Item(a.value(0).toInt()); };
    return c;
}

// "B2:D5" in numbers.
void ParseA1(const QString& Address, int& C1, int& R1, int& C2, int& R2)
{
    static const QRegularExpression cell("^([A-Z]+)(\\d+)$");
    const QStringList parts = Address.split(':');
    const auto a = cell.match(parts.value(0)), b = cell.match(parts.value(1));
    C1 = XLSColumnNumber(a.captured(1));
    R1 = a.captured(2).toInt();
    C2 = XLSColumnNumber(b.captured(1));
    R2 = b.captured(2).toInt();
}

// -- The spreadsheet --
struct TSheet {
    QString Name;
    QString Used;
    std::map<std::pair<int, int>, QVariant> Cells; // (row, column), 1-based
    QStringList Written;                           // addresses written
    QStringList Read;                              // addresses read
    bool FailRead = false;
};

struct TExcel {
    std::vector<std::shared_ptr<TSheet>> Sheets;
    bool Running = false;
    int ActiveRow = 1;
    QStringList Calls;

    std::shared_ptr<TFake> SheetObject(const std::shared_ptr<TSheet>& S)
    {
        auto o = std::make_shared<TFake>();
        o->Props["name"] = [S](const QVariantList&) { return S->Name; };
        o->Setters["name"] = [S](const QVariantList&, const QVariant& v) { S->Name = v.toString(); };
        o->Props["usedrange"] = [S](const QVariantList&) {
            auto u = std::make_shared<TFake>();
            u->Props["address"] = [S](const QVariantList&) { return S->Used; };
            return Var(u);
        };
        o->Props["range"] = [S](const QVariantList& a) {
            const QString address = a.value(0).toString();
            auto r = std::make_shared<TFake>();
            r->Setters["value"] = [S, address](const QVariantList&, const QVariant& v) {
                S->Written << address;
                const auto arr = v.value<TVariantArray2D>();
                int c1, r1, c2, r2;
                ParseA1(address, c1, r1, c2, r2);
                for (int i = arr.LowRow(); i <= arr.HighRow(); ++i)
                    for (int j = arr.LowCol(); j <= arr.HighCol(); ++j)
                        S->Cells[{r1 + i - arr.LowRow(), c1 + j - arr.LowCol()}] = arr.At(i, j);
            };
            r->Props["value"] = [S, address](const QVariantList&) {
                S->Read << address;
                if (S->FailRead)
                    throw EOleError("Range read failed");
                int c1, r1, c2, r2;
                ParseA1(address, c1, r1, c2, r2);
                TVariantArray2D arr(1, r2 - r1 + 1, 1, c2 - c1 + 1);
                for (int i = r1; i <= r2; ++i)
                    for (int j = c1; j <= c2; ++j)
                        if (auto it = S->Cells.find({i, j}); it != S->Cells.end())
                            arr.Put(i - r1 + 1, j - c1 + 1, it->second);
                return QVariant::fromValue(arr);
            };
            return Var(r);
        };
        o->Props["rows"] = [S](const QVariantList&) {
            auto rows = std::make_shared<TFake>();
            rows->Props["cells"] = [S](const QVariantList& a) {
                return S->Cells[{a.value(0).toInt(), a.value(1).toInt()}];
            };
            return Var(rows);
        };
        return o;
    }

    std::shared_ptr<TFake> Workbook()
    {
        auto wb = std::make_shared<TFake>();
        auto count = [this] { return int(Sheets.size()); };
        auto item = [this](int i) { return Var(SheetObject(Sheets.at(size_t(i - 1)))); };
        wb->Props["sheets"] = [this, count, item](const QVariantList& a) {
            return a.isEmpty() ? Var(Collection(count, item)) : item(a[0].toInt());
        };
        wb->Props["worksheets"] = [this, count, item](const QVariantList&) {
            auto c = Collection(count, item);
            c->Methods["add"] = [this](const QVariantList&) {
                Sheets.push_back(std::make_shared<TSheet>());
                Calls << "Add sheet";
                return Var(SheetObject(Sheets.back()));
            };
            return Var(c);
        };
        for (const char* m : {"save", "saveas", "close"})
            wb->Methods[m] = [this, m](const QVariantList& a) {
                Calls << QString(m) + "(" + a.value(0).toString() + ")";
                return QVariant();
            };
        wb->Setters["saved"] = [this](const QVariantList&, const QVariant& v) {
            Calls << "Saved=" + v.toString();
        };
        return wb;
    }

    std::shared_ptr<TFake> App()
    {
        auto app = std::make_shared<TFake>();
        app->Props["workbooks"] = [this](const QVariantList&) {
            auto books = std::make_shared<TFake>();
            books->Props["count"] = [this](const QVariantList&) { return Running ? 1 : 0; };
            books->Methods["open"] = [this](const QVariantList& a) {
                Calls << "Open(" + a.value(0).toString() + ")";
                return Var(Workbook());
            };
            books->Methods["add"] = [this](const QVariantList&) {
                Calls << "Add book";
                Sheets = {std::make_shared<TSheet>()};
                Sheets[0]->Name = "Sheet1";
                return Var(Workbook());
            };
            return Var(books);
        };
        app->Props["activeworkbook"] = [this](const QVariantList&) { return Var(Workbook()); };
        app->Props["activesheet"] = [this](const QVariantList&) { return Var(SheetObject(Sheets.at(0))); };
        app->Props["activecell"] = [this](const QVariantList&) {
            auto cell = std::make_shared<TFake>();
            cell->Props["row"] = [this](const QVariantList&) { return ActiveRow; };
            return Var(cell);
        };
        app->Methods["quit"] = [this](const QVariantList&) {
            Calls << "Quit";
            return QVariant();
        };
        return app;
    }
};

class Automation : public OpsGridTest
{
  protected:
    void TearDown() override
    {
        for (const char* id :
             {"excel.application", "word.application", "ADODB.Connection", "ADODB.RecordSet"})
            UnregisterOleProvider(id);
    }
    void UseExcel()
    {
        RegisterOleProvider("excel.application",
                            {[this] { return TAutoObjectPtr(excel.App()); },
                             [this] { return excel.Running ? TAutoObjectPtr(excel.App()) : nullptr; }});
    }
    void Fill(int Cols, int Rows)
    {
        grid->SetFixedRows(0);
        grid->SetFixedCols(0);
        grid->SetColCount(Cols);
        grid->SetRowCount(Rows);
        for (int r = 0; r < Rows; ++r)
            for (int c = 0; c < Cols; ++c)
                grid->SetCells(c, r, QString("%1%2").arg(QChar('a' + c % 26)).arg(r));
    }
    TExcel excel;
};

TEST_F(Automation, WithoutServersTheOperationsAnswerNotFoundAndRestoreTheCursor)
{
    Screen->SetCursor(crCross);
    const struct {
        std::function<void()> Call;
        QString Message;
    } cases[] = {
        {[&] { grid->SaveToXLS("/tmp/x.xls"); }, "Excel OLE server not found"},
        {[&] { grid->LoadFromXLS("/tmp/x.xls"); }, "Excel OLE server not found"},
        {[&] { grid->GetXLSSheets("/tmp/x.xls"); }, "Excel OLE server not found"},
        {[&] { grid->SaveToDOC("/tmp/x.doc"); }, "Word OLE server not found"},
        {[&] { grid->AppendToDoc("/tmp/x.doc", "here"); }, "Word OLE server not found"},
    };
    for (const auto& c : cases) {
        try {
            c.Call();
            ADD_FAILURE() << c.Message.toStdString();
        } catch (const EExtGridError& e) {
            EXPECT_EQ(e.Message, c.Message);
        }
        EXPECT_EQ(Screen->Cursor(), crCross);
    }
    try {
        grid->LoadFromMDBTable("/tmp/x.mdb", "T");
        ADD_FAILURE();
    } catch (const EOleError& e) {
        EXPECT_EQ(e.Message, "Automation object not available: ADODB.Connection");
    }
    Screen->SetCursor(crDefault);
}

TEST_F(Automation, ColumnLettersGoOnPastZZ)
{
    const std::pair<int, const char*> cases[] = {{1, "A"},   {26, "Z"},   {27, "AA"},  {28, "AB"},
                                                 {52, "AZ"}, {256, "IV"}, {702, "ZZ"}, {703, "AAA"}};
    for (const auto& [n, letters] : cases) {
        EXPECT_EQ(XLSColumnLetters(n), letters);
        EXPECT_EQ(XLSColumnNumber(letters), n);
    }
}

TEST_F(Automation, ExportWritesTheWholeArrayAndQuitsOnlyAnApplicationItStarted)
{
    UseExcel();
    Fill(3, 2);
    grid->SaveToXLS("/tmp/out.xls");
    ASSERT_EQ(excel.Sheets.size(), 1u);
    EXPECT_EQ(excel.Sheets[0]->Written, QStringList({"A1:C2"}));
    EXPECT_EQ((excel.Sheets[0]->Cells[{2, 3}].toString()), "c1");
    EXPECT_EQ(excel.Calls, QStringList({"Add book", "saveas(/tmp/out.xls)", "Quit"}));

    Fill(28, 1);
    grid->SaveToXLS("/tmp/out.xls");
    EXPECT_EQ(excel.Sheets[0]->Written, QStringList({"A1:AB1"}));

    // Attached to a running one with a book open: the active sheet from the active cell's row on,
    // and the application stays.
    excel.Running = true;
    excel.ActiveRow = 3;
    excel.Calls.clear();
    Fill(3, 2);
    grid->SaveToXLS("/tmp/out.xls", false);
    EXPECT_EQ(excel.Sheets[0]->Written.last(), "A3:C4");
    EXPECT_FALSE(excel.Calls.contains("Quit"));
}

TEST_F(Automation, ExportToANamedSheetAddsItWhenMissing)
{
    UseExcel();
    Fill(1, 1);
    grid->SaveToXLSSheet("/tmp/none.xls", "Data");
    ASSERT_EQ(excel.Sheets.size(), 2u);
    EXPECT_EQ(excel.Sheets[1]->Name, "Data");
    EXPECT_EQ(excel.Sheets[1]->Written, QStringList({"A1:A1"}));
}

TEST_F(Automation, ImportReadsTheUsedRangeAtTheGridsOffsets)
{
    UseExcel();
    auto sheet = std::make_shared<TSheet>();
    sheet->Name = "S";
    sheet->Used = "$B$2:$D$5";
    sheet->Cells[{2, 2}] = "first";
    sheet->Cells[{5, 4}] = 42;
    sheet->Cells[{3, 3}] = QVariant::fromValue(TOleError{-1});
    excel.Sheets = {sheet};
    grid->SaveFixedCells = false;
    grid->SetFixedCols(1);
    grid->SetFixedRows(1);
    grid->SetCells(2, 2, "stays");
    grid->LoadFromXLSSheet("/tmp/in.xls", "S");
    EXPECT_EQ(sheet->Read, QStringList({"B2:D5"}));
    EXPECT_EQ(grid->ColCount(), 1 + 3);
    EXPECT_EQ(grid->RowCount(), 1 + 4);
    EXPECT_EQ(grid->FixedCols(), 1);
    EXPECT_EQ(grid->Cells(1, 1), "first");
    EXPECT_EQ(grid->Cells(3, 4), "42");
    EXPECT_EQ(grid->Cells(2, 2), "stays"); // an error value is not stored
    EXPECT_EQ(grid->Cells(2, 1), "");      // an empty worksheet cell empties the grid cell
    EXPECT_TRUE(excel.Calls.contains("close()") || excel.Calls.contains("close(false)"));
    EXPECT_TRUE(excel.Calls.contains("Quit"));

    sheet->Used = "$1:$3";
    sheet->Read.clear();
    grid->SaveFixedCells = true;
    grid->LoadFromXLS("/tmp/in.xls");
    EXPECT_EQ(sheet->Read, QStringList({"A1:IV3"}));
    EXPECT_EQ(grid->ColCount(), 256);
    EXPECT_EQ(grid->RowCount(), 3);
}

TEST_F(Automation, ImportErrorsNameTheSheetOrTheFile)
{
    UseExcel();
    auto sheet = std::make_shared<TSheet>();
    sheet->Name = "S";
    sheet->Used = "$A$1:$B$2";
    sheet->FailRead = true;
    excel.Sheets = {sheet};
    try {
        grid->LoadFromXLSSheet("/tmp/in.xls", "Other");
        ADD_FAILURE();
    } catch (const EExtGridError& e) {
        EXPECT_EQ(e.Message, "Excel worksheet Other not found");
    }
    try {
        grid->LoadFromXLS("/tmp/in.xls");
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "Incorrect XLS file");
    }
    EXPECT_EQ(excel.Calls.count("Quit"), 2);

    excel.Sheets.push_back(std::make_shared<TSheet>());
    excel.Sheets[1]->Name = "T";
    const auto names = grid->GetXLSSheets("/tmp/in.xls");
    EXPECT_EQ(names->ToStringList(), QStringList({"S", "T"}));
    EXPECT_TRUE(excel.Calls.contains("Saved=true"));
}

// -- The word processor --
struct TWord {
    struct TCell {
        QString Text;
        int Alignment = 0;
    };
    std::map<std::pair<int, int>, TCell> Table;
    int Rows = 0, Cols = 0;
    QStringList Calls;
    bool Running = false;

    std::shared_ptr<TFake> Doc()
    {
        auto d = std::make_shared<TFake>();
        d->Setters["showspellingerrors"] = [](const QVariantList&, const QVariant&) {};
        d->Methods["range"] = [this](const QVariantList& a) {
            Calls << QString("Range(%1,%2)").arg(a.value(0).toInt()).arg(a.value(1).toInt());
            return Var(std::make_shared<TFake>());
        };
        d->Methods["saveas"] = [this](const QVariantList& a) {
            Calls << "SaveAs(" + a.value(0).toString() + ")";
            return QVariant();
        };
        d->Props["tables"] = [this](const QVariantList&) {
            auto t = std::make_shared<TFake>();
            t->Methods["add"] = [this](const QVariantList& a) {
                Rows = a.value(1).toInt();
                Cols = a.value(2).toInt();
                auto table = std::make_shared<TFake>();
                table->Methods["cell"] = [this](const QVariantList& a) {
                    const std::pair<int, int> key{a.value(0).toInt(), a.value(1).toInt()};
                    auto cell = std::make_shared<TFake>();
                    cell->Props["range"] = [this, key](const QVariantList&) {
                        auto range = std::make_shared<TFake>();
                        range->Methods["insertafter"] = [this, key](const QVariantList& a) {
                            Table[key].Text += a.value(0).toString();
                            return QVariant();
                        };
                        range->Props["paragraphformat"] = [this, key](const QVariantList&) {
                            auto pf = std::make_shared<TFake>();
                            pf->Setters["alignment"] = [this, key](const QVariantList&, const QVariant& v) {
                                Table[key].Alignment = v.toInt();
                            };
                            return Var(pf);
                        };
                        return Var(range);
                    };
                    return Var(cell);
                };
                return Var(table);
            };
            return Var(t);
        };
        return d;
    }
    std::shared_ptr<TFake> App()
    {
        auto app = std::make_shared<TFake>();
        app->Props["documents"] = [this](const QVariantList&) {
            auto docs = std::make_shared<TFake>();
            docs->Props["count"] = [](const QVariantList&) { return 0; };
            docs->Methods["add"] = [this](const QVariantList&) { return Var(Doc()); };
            return Var(docs);
        };
        app->Props["selection"] = [](const QVariantList&) {
            auto sel = std::make_shared<TFake>();
            sel->Methods["typetext"] = [](const QVariantList&) { return QVariant(); };
            sel->Methods["typeparagraph"] = [](const QVariantList&) { return QVariant(); };
            return Var(sel);
        };
        app->Methods["quit"] = [this](const QVariantList&) {
            Calls << "Quit";
            return QVariant();
        };
        return app;
    }
};

TEST_F(Automation, DocumentTablesTakeEveryCellWithItsAlignment)
{
    TWord word;
    RegisterOleProvider("word.application",
                        {[&] { return TAutoObjectPtr(word.App()); },
                         [&] { return word.Running ? TAutoObjectPtr(word.App()) : nullptr; }});
    Fill(3, 2);
    grid->SetFixedRows(1);
    grid->SetAlignments(1, 1, taRightJustify);
    grid->SetAlignments(2, 1, taCenter);
    grid->SaveToDOC("/tmp/out.doc");
    EXPECT_EQ(word.Rows, 2);
    EXPECT_EQ(word.Cols, 3);
    EXPECT_EQ((word.Table[{1, 1}].Text), "a0");
    EXPECT_EQ((word.Table[{2, 3}].Text), "c1");
    EXPECT_EQ((word.Table[{2, 2}].Alignment), 2);
    EXPECT_EQ((word.Table[{2, 3}].Alignment), 1);
    EXPECT_EQ((word.Table[{2, 1}].Alignment), 0);
    EXPECT_EQ(word.Calls, QStringList({"Range(0,0)", "SaveAs(/tmp/out.doc)", "Quit"}));

    word.Running = true;
    word.Calls.clear();
    grid->SaveToDOC("/tmp/out.doc");
    EXPECT_FALSE(word.Calls.contains("Quit"));
}

// -- The database --
struct TRecords {
    QStringList Fields;
    std::vector<QStringList> Rows;
    int Reported = 0;
    size_t At = 0;
    QStringList Calls;

    void Register()
    {
        RegisterOleProvider("ADODB.Connection", {[this] {
                                                     auto c = std::make_shared<TFake>();
                                                     c->Methods["open"] = [this](const QVariantList& a) {
                                                         Calls << "Open " + a.value(0).toString();
                                                         return QVariant();
                                                     };
                                                     c->Methods["close"] = [this](const QVariantList&) {
                                                         Calls << "Close connection";
                                                         return QVariant();
                                                     };
                                                     return TAutoObjectPtr(c);
                                                 },
                                                 {}});
        RegisterOleProvider("ADODB.RecordSet", {[this] { return TAutoObjectPtr(RecordSet()); }, {}});
    }
    std::shared_ptr<TFake> RecordSet()
    {
        auto rs = std::make_shared<TFake>();
        rs->Setters["activeconnection"] = [](const QVariantList&, const QVariant& v) {
            EXPECT_TRUE(VarIsObject(v));
        };
        rs->Methods["open"] = [this](const QVariantList& a) {
            Calls << "SQL " + a.value(0).toString();
            return QVariant();
        };
        rs->Methods["close"] = [this](const QVariantList&) {
            Calls << "Close records";
            return QVariant();
        };
        rs->Methods["movenext"] = [this](const QVariantList&) {
            ++At;
            return QVariant();
        };
        rs->Props["recordcount"] = [this](const QVariantList&) { return Reported; };
        rs->Props["eof"] = [this](const QVariantList&) { return At >= Rows.size(); };
        rs->Props["fields"] = [this](const QVariantList&) {
            return Var(Collection([this] { return int(Fields.size()); },
                                  [this](int i) {
                                      auto f = std::make_shared<TFake>();
                                      f->Props["name"] = [this, i](const QVariantList&) { return Fields[i]; };
                                      f->Props["actualsize"] = [this, i](const QVariantList&) {
                                          return At < Rows.size() ? int(Rows[At][i].size()) : 0;
                                      };
                                      f->Props["value"] = [this, i](const QVariantList&) {
                                          return Rows[At][i];
                                      };
                                      return Var(f);
                                  }));
        };
        return rs;
    }
};

TEST_F(Automation, RecordsGrowTheRowsWhenTheCountIsUnknown)
{
    TRecords db;
    db.Fields = {"Id", "Name"};
    db.Rows = {{"1", "a"}, {"2", ""}, {"3", "c"}};
    db.Reported = -1;
    db.Register();
    grid->SetFixedRows(1);
    grid->SetFixedCols(1);
    grid->SetRowCount(2);
    grid->LoadFromMDBTable("/tmp/db.mdb", "Items");
    EXPECT_EQ(db.Calls.first(), "Open Driver={Microsoft Access Driver (*.mdb)};DBQ=/tmp/db.mdb");
    EXPECT_TRUE(db.Calls.contains("SQL SELECT * FROM Items"));
    EXPECT_EQ(grid->ColCount(), 3);
    EXPECT_EQ(grid->RowCount(), 4);
    EXPECT_EQ(grid->Cells(1, 0), "Id");
    EXPECT_EQ(grid->Cells(2, 0), "Name");
    EXPECT_EQ(grid->Cells(1, 3), "3");
    EXPECT_EQ(grid->Cells(2, 2), "");
    EXPECT_EQ(db.Calls.last(), "Close connection");

    TRecords none;
    none.Fields = {"Only"};
    none.Register();
    grid->SetRowCount(2);
    grid->SetCells(1, 1, "");
    grid->LoadFromMDBSQL("/tmp/db.mdb", "SELECT Only FROM T");
    EXPECT_EQ(grid->RowCount(), 2);
    EXPECT_EQ(grid->Cells(1, 0), "Only");
    EXPECT_EQ(grid->Cells(1, 1), "");
}

} // namespace opstest
