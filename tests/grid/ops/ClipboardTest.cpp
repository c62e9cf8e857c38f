// Copy, cut and paste through the test process's clipboard, and the smart fill of a selection, on
// grids shown offscreen.
#include "platform/controls/Clipboard.h"
#include "grid/GridOnForm.h"
#include "grid/base/UndoRedo.h"
#include "grid/core/ExtGrid.h"
#include "platform/core/SysUtils.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTest>
#include <gtest/gtest.h>

namespace
{

// Records what the paste hands to MarkPastedRowsModified.
class TClipGrid : public TExtStringGrid
{
  public:
    using TExtStringGrid::TExtStringGrid;
    struct TMark {
        TPoint TopLeft;
        TGridRect Rect;
        TClipOperation Op;
    };
    std::vector<TMark> Marks;
    void MarkPastedRowsModified(TPoint TopLeft, const TGridRect& Rect, TClipOperation LastOp) override
    {
        Marks.push_back({TopLeft, Rect, LastOp});
        TExtStringGrid::MarkPastedRowsModified(TopLeft, Rect, LastOp);
    }
};

// Dates as dd/MM/yyyy, "." decimals, whatever the desktop says.
class RegionalDMY
{
  public:
    RegionalDMY()
    {
        TFormatSettings fs;
        fs.DecimalSeparator = '.';
        fs.ThousandSeparator = ',';
        fs.DateSeparator = '/';
        fs.TimeSeparator = ':';
        fs.ShortDateFormat = "dd/MM/yyyy";
        SetFormatSettings(fs);
    }
    ~RegionalDMY() { ResetFormatSettings(); }
};

QString ClipText()
{
    return QGuiApplication::clipboard()->text();
}

QString NamedMime(const QString& name)
{
    return QStringLiteral("application/x-qt-windows-mime;value=\"") + name + '"';
}

class ClipboardGrid : public GridOnForm<TClipGrid>
{
  protected:
    void SetUp() override
    {
        QGuiApplication::clipboard()->clear();
        ShowForm(700, 500);
        Fill(grid);
    }
    // 4 x 4, one fixed row and column: "a", "b" / "c", "x" CR LF "y".
    void Fill(TClipGrid* g)
    {
        g->SetColCount(4);
        g->SetRowCount(4);
        g->SetFixedRows(1);
        g->SetFixedCols(1);
        g->SetCells(1, 1, "a");
        g->SetCells(2, 1, "b");
        g->SetCells(1, 2, "c");
        g->SetCells(2, 2, "x\r\ny");
    }
    TClipGrid* Second(const std::function<void(TClipGrid*)>& Setup = {})
    {
        TClipGrid* g = New([&](TClipGrid* n) {
            n->SetTop(250);
            n->SetColCount(4);
            n->SetRowCount(4);
            n->SetFixedRows(1);
            n->SetFixedCols(1);
            if (Setup)
                Setup(n);
        });
        return g;
    }
    void Editing(TClipGrid* g) { g->SetOptions(g->Options() | goEditing); }
};

// ---- Copy
// ---------------------------------------------------------------------------------------------------

TEST_F(ClipboardGrid, SelectionTextForms)
{
    struct Case {
        TGridRect Rect;
        QString Text;
    } cases[] = {
        {{1, 1, 2, 1}, "a\tb"},       // one row: no line end
        {{1, 1, 1, 2}, "a\r\nc\r\n"}, // several rows: CR LF after each
        {{2, 2, 2, 2}, "\"x\ny\""},   // one LF per line break, quoted
        {{1, 1, 2, 2}, "a\tb\r\nc\t\"x\ny\"\r\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(grid->SelectionToText(c.Rect, false), c.Text);
        EXPECT_EQ(grid->ClipTopLeft(), TPoint(c.Rect.Left, c.Rect.Top));
    }

    grid->SetSelection(TGridRect{1, 1, 2, 2});
    grid->CopySelectionToClipboard();
    EXPECT_EQ(ClipText(), "a\tb\r\nc\t\"x\ny\"\r\n");
    EXPECT_EQ(grid->ClipLastOp(), coCopy);
}

TEST_F(ClipboardGrid, DisjunctRowsHtmlStrippingAndWideTexts)
{
    grid->MouseActions()->SetDisjunctRowSelect(true);
    grid->SetRowSelect(1, true);
    grid->SetRowSelect(3, true);
    grid->SetCells(1, 3, "e");
    EXPECT_EQ(grid->SelectionToText(TGridRect{1, 1, 2, 3}, true), "a\tb\r\ne\t\r\n");
    EXPECT_EQ(grid->SelectionToText(TGridRect{1, 1, 1, 3}, false), "a\r\nc\r\ne\r\n");
    // Without the cell stream a disjunct copy takes the save range's rows.
    grid->CopySelectionToClipboard();
    EXPECT_EQ(ClipText(), "a\tb\t\r\ne\t\t\r\n");
    grid->MouseActions()->SetDisjunctRowSelect(false);

    grid->SetCells(1, 1, "<b>a</b>");
    EXPECT_EQ(grid->SelectionToText(TGridRect{1, 1, 1, 1}, false), "<b>a</b>");
    grid->Navigation()->CopyHTMLTagsToClipboard = false;
    EXPECT_EQ(grid->SelectionToText(TGridRect{1, 1, 1, 1}, false), "a");

    grid->SetCells(1, 1, EncodeWideText(QString::fromUtf8("ž€")));
    EXPECT_EQ(grid->SelectionToText(TGridRect{1, 1, 1, 1}, false), QString::fromUtf8("ž€"));
}

TEST_F(ClipboardGrid, CopiedLineBreakPastesBackAsTheSameText)
{
    Editing(grid);
    grid->SetSelection(TGridRect{2, 2, 2, 2});
    grid->CopySelectionToClipboard();
    grid->SetSelection(TGridRect{3, 3, 3, 3});
    grid->PasteSelectionFromClipboard();
    EXPECT_EQ(grid->Cells(3, 3), "x\r\ny");
    EXPECT_EQ(grid->Cells(3, 2), "");
}

// ---- Cut
// ----------------------------------------------------------------------------------------------------

TEST_F(ClipboardGrid, CutToClipboardEmptiesOnlyEditableCellsOfTheSaveRange)
{
    Editing(grid);
    grid->OnCanEditCell = [](TObject*, int, int ACol, bool& CanEdit) { CanEdit = ACol == 2; };
    grid->SetCells(2, 0, "head");
    grid->CutToClipboard();
    EXPECT_EQ(ClipText(), "\t\thead\t\r\n\ta\tb\t\r\n\tc\t\"x\ny\"\t\r\n\t\t\t\r\n");
    EXPECT_EQ(grid->Cells(1, 1), "a");
    EXPECT_EQ(grid->Cells(1, 2), "c");
    EXPECT_EQ(grid->Cells(2, 1), "");
    EXPECT_EQ(grid->Cells(2, 2), "");
    EXPECT_EQ(grid->Cells(2, 0), "head"); // fixed
    EXPECT_EQ(grid->ClipLastOp(), coCut);
}

TEST_F(ClipboardGrid, CutSelectionIsOneUndoStepAndReportsTheSelection)
{
    Editing(grid);
    auto* undo = new VIvoDediZudaZove(form.get());
    grid->SetUndoRedo(undo);
    std::vector<TRect> changed;
    grid->OnCellsChanged = [&](TObject*, const TRect& R) { changed.push_back(R); };
    grid->SetSelection(TGridRect{1, 1, 2, 2});
    grid->CutSelectionToClipboard();

    EXPECT_EQ(ClipText(), "a\tb\r\nc\t\"x\ny\"\r\n");
    for (int c = 1; c <= 2; ++c)
        for (int r = 1; r <= 2; ++r)
            EXPECT_EQ(grid->Cells(c, r), "") << c << "," << r;
    ASSERT_FALSE(changed.empty());
    EXPECT_EQ(changed.back(), TRect(1, 1, 2, 2));

    undo->Undo();
    EXPECT_EQ(grid->Cells(1, 1), "a");
    EXPECT_EQ(grid->Cells(2, 1), "b");
    EXPECT_EQ(grid->Cells(1, 2), "c");
    EXPECT_EQ(grid->Cells(2, 2), "x\r\ny");
    EXPECT_FALSE(undo->CanUndo());
}

// ---- HTML and RTF
// -------------------------------------------------------------------------------------------

TEST_F(ClipboardGrid, HtmlGoesAsEnvelopeWithCorrectOffsetsAndAsText)
{
    grid->CopyToClipBoardAsHTML();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    const QByteArray env = data->data(NamedMime("HTML Format"));
    ASSERT_TRUE(env.startsWith("Version:1.0\r\n"));
    const auto offset = [&](const char* key) {
        const qsizetype at = env.indexOf(key) + qsizetype(strlen(key));
        return env.mid(at, 8).toInt();
    };
    const QByteArray fragment = grid->SaveToHTMLString(QString()).toLatin1();
    EXPECT_EQ(env.mid(offset("StartFragment:"), offset("EndFragment:") - offset("StartFragment:")), fragment);
    EXPECT_EQ(offset("EndHTML:"), env.size());
    EXPECT_EQ(data->data("text/html"), env.mid(offset("StartHTML:")));
    EXPECT_TRUE(data->data("text/html").startsWith("<!DOCTYPE"));
    EXPECT_EQ(data->text(), QString::fromLatin1(env));
}

TEST_F(ClipboardGrid, RichTextCellTravelsToAnotherGrid)
{
    grid->Navigation()->AllowRTFClipboard = true;
    grid->SetCells(1, 1, "{\\rtf1 x}");
    grid->SetSelection(TGridRect{1, 1, 1, 1});
    grid->CopySelectionToClipboard();
    EXPECT_EQ(QGuiApplication::clipboard()->mimeData()->data("text/rtf"), QByteArray("{\\rtf1 x}"));
    EXPECT_EQ(ClipText(), "x"); // the plain text of the RTF

    TClipGrid* y = Second([](TClipGrid* g) { g->Navigation()->AllowRTFClipboard = true; });
    Editing(y);
    y->SetSelection(TGridRect{2, 2, 2, 2});
    y->PasteSelectionFromClipboard();
    EXPECT_EQ(y->Cells(2, 2), "{\\rtf1 x}");

    // Without the switch the text arrives instead.
    TClipGrid* z = Second();
    Editing(z);
    z->SetSelection(TGridRect{2, 2, 2, 2});
    z->PasteSelectionFromClipboard();
    EXPECT_EQ(z->Cells(2, 2), "x");
}

// ---- Cell stream
// --------------------------------------------------------------------------------------------

TEST_F(ClipboardGrid, CellStreamCarriesLooksAndKnowsWhereItCameFrom)
{
    grid->Navigation()->AllowFmtClipboard = true;
    grid->SetColors(1, 1, clRed);
    grid->SetSelection(TGridRect{1, 1, 2, 2});
    grid->CopySelectionToClipboard();

    TClipGrid* y = Second([](TClipGrid* g) { g->Navigation()->AllowFmtClipboard = true; });
    Editing(y);
    y->SetSelection(TGridRect{2, 1, 2, 1});
    y->PasteSelectionFromClipboard();
    EXPECT_EQ(y->Cells(2, 1), "a");
    EXPECT_EQ(y->Cells(3, 1), "b");
    EXPECT_EQ(y->Cells(2, 2), "c");
    EXPECT_EQ(y->Cells(3, 2), "x\r\ny");
    EXPECT_EQ(y->Colors(2, 1), clRed);
    EXPECT_EQ(y->Colors(3, 1), grid->Colors(2, 1));
    ASSERT_EQ(y->Marks.size(), 1u);
    EXPECT_EQ(y->Marks[0].TopLeft, TPoint(-1, -1));
    EXPECT_EQ(y->Marks[0].Rect, (TGridRect{2, 1, 3, 2}));

    Editing(grid);
    grid->SetSelection(TGridRect{1, 3, 1, 3});
    grid->PasteSelectionFromClipboard();
    ASSERT_EQ(grid->Marks.size(), 1u);
    EXPECT_EQ(grid->Marks[0].TopLeft, TPoint(1, 1));
    EXPECT_EQ(grid->Marks[0].Op, coCopy);
    EXPECT_EQ(grid->RowCount(), 5); // grown for the second row
    EXPECT_EQ(grid->Cells(1, 3), "a");
    EXPECT_EQ(grid->Cells(2, 4), "x\r\ny");
}

TEST_F(ClipboardGrid, DamagedCellStreamRaisesAndKeepsWhatWasRead)
{
    grid->Navigation()->AllowFmtClipboard = true;
    grid->SetSelection(TGridRect{1, 1, 2, 2});
    grid->CopySelectionToClipboard();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    const QByteArray whole = data->data(NamedMime("TExtStringGrid Cells"));
    auto* cut = new QMimeData;
    cut->setData(NamedMime("TExtStringGrid Cells"), whole.left(whole.size() - 3));
    QGuiApplication::clipboard()->setMimeData(cut);

    TClipGrid* y = Second([](TClipGrid* g) { g->Navigation()->AllowFmtClipboard = true; });
    Editing(y);
    int lines = 0, fields = 0;
    EXPECT_ANY_THROW(y->PasteAtCell(1, 1, lines, fields));
    EXPECT_EQ(y->Cells(1, 1), "a");
    EXPECT_EQ(y->Cells(2, 1), "b");
}

// ---- Text paste
// ---------------------------------------------------------------------------------------------

TEST_F(ClipboardGrid, PasteTextCountsFieldsAndLineEndsAndFiresItsEvents)
{
    Editing(grid);
    int before = 0, after = 0;
    grid->OnClipboardBeforePasteCell = [&](TObject*, int, int, QString&, bool&) { ++before; };
    grid->OnClipboardAfterPasteCell = [&](TObject*, int, int, const QString&) { ++after; };
    EXPECT_EQ(grid->PasteText(1, 1, "1\t2\r\n3\t4\r\n"), 6);
    EXPECT_EQ(before, 4);
    EXPECT_EQ(after, 4);
    EXPECT_EQ(grid->Cells(2, 2), "4");
    EXPECT_EQ(grid->RowCount(), 4); // the empty rest after the last line break needs no row

    EXPECT_EQ(grid->PasteText(1, 1, "a\tb\r\n"), 3);
    int lines = 0, fields = 0;
    EXPECT_EQ(grid->PasteText(1, 2, "p\r\nq\tr\ts", lines, fields), 5);
    EXPECT_EQ(lines, 2);
    EXPECT_EQ(fields, 3);
    EXPECT_EQ(grid->ColCount(), 4);
    EXPECT_EQ(grid->Cells(3, 3), "s");

    // A refused cell stays.
    grid->OnClipboardBeforePasteCell = [](TObject*, int ACol, int, QString& V, bool& Allow) {
        Allow = ACol != 1;
        V = V.toUpper();
    };
    grid->PasteText(1, 1, "m\tn");
    EXPECT_EQ(grid->Cells(1, 1), "a");
    EXPECT_EQ(grid->Cells(2, 1), "N");
}

TEST_F(ClipboardGrid, WideFieldsReachTheWideEventAlsoLastInTheirLine)
{
    Editing(grid);
    const QString wide = QString::fromUtf8("žš");
    std::vector<QString> wideSeen, plainSeen;
    grid->OnClipboardBeforePasteWideCell = [&](TObject*, int, int, QString& V, bool&) {
        wideSeen.push_back(V);
    };
    grid->OnClipboardBeforePasteCell = [&](TObject*, int, int, QString& V, bool&) { plainSeen.push_back(V); };
    grid->PasteText(1, 1, EncodeWideText(wide) + "\t" + EncodeWideText(wide) + "\r\nz");
    EXPECT_EQ(wideSeen, (std::vector<QString>{wide, wide}));
    EXPECT_EQ(plainSeen, (std::vector<QString>{"z"}));
    EXPECT_EQ(grid->WideCells(2, 1), wide);
}

TEST_F(ClipboardGrid, InsertModeEditingOffAndQuotedLineBreaks)
{
    Editing(grid);
    grid->Navigation()->ClipboardPasteAction = paInsert;
    grid->PasteText(1, 1, "p\r\nq\r\nr\r\n");
    EXPECT_EQ(grid->RowCount(), 7);
    EXPECT_EQ(grid->Cells(1, 1), "p");
    EXPECT_EQ(grid->Cells(1, 3), "r");
    EXPECT_EQ(grid->Cells(1, 4), "a"); // the old rows moved down
    EXPECT_EQ(grid->Cells(1, 5), "c");
    grid->Navigation()->ClipboardPasteAction = paReplace;

    grid->PasteText(1, 1, "\"x\ny\"\t\"u\nv\nw\"");
    EXPECT_EQ(grid->Cells(1, 1), "x\r\ny");
    EXPECT_EQ(grid->Cells(2, 1), "u\r\nv\r\nw");

    TClipGrid* ro = Second();
    ro->SetCells(1, 1, "keep");
    EXPECT_EQ(ro->PasteText(1, 1, "new\r\nmore\r\n"), 0);
    EXPECT_EQ(ro->PasteText(-1, 1, "new"), 0);
    EXPECT_EQ(ro->Cells(1, 1), "keep");
    EXPECT_EQ(ro->RowCount(), 4);
    ro->Navigation()->AllowClipboardAlways = true;
    EXPECT_EQ(ro->PasteText(1, 1, "new"), 1);
    EXPECT_EQ(ro->Cells(1, 1), "new");
}

TEST_F(ClipboardGrid, GrowthStopsAtTheSwitchesAndSetSelectionAsTextWritesRaw)
{
    Editing(grid);
    grid->Navigation()->AllowClipboardRowGrow = false;
    grid->Navigation()->AllowClipboardColGrow = false;
    EXPECT_EQ(grid->PasteText(3, 3, "1\t2\r\n3\t4"), 5);
    EXPECT_EQ(grid->RowCount(), 4);
    EXPECT_EQ(grid->ColCount(), 4);
    EXPECT_EQ(grid->Cells(3, 3), "1");

    grid->Navigation()->AllowClipboardRowGrow = true;
    grid->Navigation()->AllowClipboardColGrow = true;
    grid->PasteText(3, 3, "1\t2\r\n3\t4\r\n5");
    EXPECT_EQ(grid->RowCount(), 6);
    EXPECT_EQ(grid->ColCount(), 5);
    EXPECT_EQ(grid->Cells(3, 5), "5");

    grid->SetSelection(TGridRect{1, 1, 1, 1});
    grid->SetSelectionAsText("s\t\"t\nu\"\r\nv");
    EXPECT_EQ(grid->Cells(1, 1), "s");
    EXPECT_EQ(grid->Cells(2, 1), "t\r\nu");
    EXPECT_EQ(grid->Cells(1, 2), "v");
    grid->SetSelection(TGridRect{1, 1, 2, 2});
    grid->SetSelectionAsText(grid->GetSelectionAsText());
    EXPECT_EQ(grid->Cells(2, 1), "t\r\nu");
}

// ---- Smart fill
// ---------------------------------------------------------------------------------------------

TEST_F(ClipboardGrid, SmartFillContinuesSeriesDownAColumn)
{
    RegionalDMY regional;
    Editing(grid);
    grid->Navigation()->AllowSmartClipboard = true;
    grid->SetRowCount(7);
    struct Case {
        QString Pasted;
        std::vector<QString> Column;
    } cases[] = {
        {"1\r\n3\r\n", {"1", "3", "5", "7", "9"}},
        {"1.5\r\n2\r\n", {"1.50", "2.00", "2.50", "3.00", "3.50"}},
        {"15/01/2021\r\n15/02/2021\r\n",
         {"15/01/2021", "15/02/2021", "15/03/2021", "15/04/2021", "15/05/2021"}},
        {"10:00:00\r\n10:30:00\r\n", {"10:00:00", "10:30:00", "11:00:00", "11:30:00", "12:00:00"}},
        {"a\r\nb\r\n", {"a", "b", "a", "b", "a"}}, // the two lines repeat
    };
    for (const Case& c : cases) {
        QGuiApplication::clipboard()->setText(c.Pasted);
        grid->SetSelection(TGridRect{1, 1, 1, 5});
        grid->PasteSelectionFromClipboard();
        std::vector<QString> got;
        for (int r = 1; r <= 5; ++r)
            got.push_back(grid->Cells(1, r));
        EXPECT_EQ(got, c.Column) << c.Pasted.toStdString();
        EXPECT_EQ(grid->Cells(1, 6), "") << "beyond the selection";
    }
}

TEST_F(ClipboardGrid, SmartFillOneValueEverywhereAndExactBlocksStay)
{
    Editing(grid);
    grid->Navigation()->AllowSmartClipboard = true;
    grid->SetSelection(TGridRect{1, 1, 3, 3});
    QGuiApplication::clipboard()->setText("q");
    grid->PasteSelectionFromClipboard();
    for (int c = 1; c <= 3; ++c)
        for (int r = 1; r <= 3; ++r)
            EXPECT_EQ(grid->Cells(c, r), "q") << c << "," << r;

    // A one-row block with its line end matches a selection as long (n = S + 1): no series.
    grid->SetSelection(TGridRect{1, 1, 3, 1});
    QGuiApplication::clipboard()->setText("1\t5\t7\r\n");
    grid->PasteSelectionFromClipboard();
    EXPECT_EQ(grid->Cells(3, 1), "7");
    // Two values along a row continue.
    QGuiApplication::clipboard()->setText("1\t5");
    grid->PasteSelectionFromClipboard();
    EXPECT_EQ(grid->Cells(3, 1), "9");

    // Without the switch only the pasted cells change.
    grid->Navigation()->AllowSmartClipboard = false;
    grid->SetSelection(TGridRect{1, 2, 3, 3});
    QGuiApplication::clipboard()->setText("w");
    grid->PasteSelectionFromClipboard();
    EXPECT_EQ(grid->Cells(1, 2), "w");
    EXPECT_EQ(grid->Cells(2, 2), "q");
}

TEST_F(ClipboardGrid, SeriesStopsSilentlyAtAConversionError)
{
    RegionalDMY regional;
    Editing(grid);
    grid->Navigation()->AllowSmartClipboard = true;
    grid->SetRowCount(7);
    for (int r = 1; r <= 5; ++r)
        grid->SetCells(1, r, "old");
    // Every second month on the 31st: September has no 31st, so the fifth cell is never reached.
    QGuiApplication::clipboard()->setText("31/01/2021\r\n31/03/2021\r\n");
    grid->SetSelection(TGridRect{1, 1, 1, 5});
    EXPECT_NO_THROW(grid->PasteSelectionFromClipboard());
    EXPECT_EQ(grid->Cells(1, 3), "31/05/2021");
    EXPECT_EQ(grid->Cells(1, 4), "31/07/2021");
    EXPECT_EQ(grid->Cells(1, 5), "old");
}

TEST_F(ClipboardGrid, CtrlCCtrlXCtrlVCopyCutAndPaste)
{
    Editing(grid);
    grid->Navigation()->AllowClipboardShortCuts = true;
    QApplication::setActiveWindow(form->Widget());
    grid->SetFocus();
    QApplication::processEvents();
    const auto press = [this](Qt::Key k) {
        QTest::keyClick(grid->Widget(), k, Qt::ControlModifier);
        QApplication::processEvents();
    };
    grid->SetSelection(TGridRect{1, 1, 2, 1});
    press(Qt::Key_C);
    EXPECT_EQ(ClipText(), "a\tb");
    press(Qt::Key_X);
    EXPECT_EQ(grid->Cells(1, 1), "");
    EXPECT_EQ(grid->Cells(2, 1), "");
    grid->SetSelection(TGridRect{1, 3, 1, 3});
    press(Qt::Key_V);
    EXPECT_EQ(grid->Cells(1, 3), "a");
    EXPECT_EQ(grid->Cells(2, 3), "b");
}

} // namespace
