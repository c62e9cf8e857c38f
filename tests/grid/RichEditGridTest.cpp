// Rich-text cells: the grid's rich edits, the conversions, painting, measuring, the selected text and
// the edRichEdit editor, on a shown form.
#include "grid/GridOnForm.h"
#include "grid/core/ExtGrid.h"
#include "grid/core/ExtGridSettings.h"
#include "grid/edit/ExtRichEdit.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace
{

const QString RedAb = QStringLiteral(R"({\rtf1\ansi{\colortbl ;\red255\green0\blue0;}\cf1\fs40 ab\par})");

class RichCells : public GridOnForm<TExtStringGrid>
{
  protected:
    void SetUp() override
    {
        ShowForm(600, 400);
        QApplication::setActiveWindow(form->Widget());
        grid->SetBounds(10, 10, 560, 350);
        grid->SetColCount(4);
        grid->SetRowCount(5);
        grid->SetFocus();
        QApplication::processEvents();
    }
    void TearDown() override { form.reset(); }
    TExtRichEdit* Hidden() { return grid->RichEdit(); }
};

TEST_F(RichCells, SubAndSuperscriptAreTheSelectionsOffset)
{
    TExtRichEdit* e = grid->InplaceRichEdit();
    e->SetText("x2");
    e->SetSelStart(1);
    e->SetSelLength(1);
    EXPECT_TRUE(e->IsSelNormal());
    e->SelSuperscript();
    EXPECT_TRUE(e->IsSelSuperscript());
    EXPECT_FALSE(e->IsSelNormal());
    EXPECT_FALSE(e->IsSelSubscript());
    EXPECT_EQ(e->SelAttributes->Offset(), 40);
    e->SelSubscript();
    EXPECT_TRUE(e->IsSelSubscript());
    EXPECT_EQ(e->SelAttributes->Offset(), -40);
    e->SelNormal();
    EXPECT_TRUE(e->IsSelNormal());
}

TEST_F(RichCells, FormattingSurvivesRichToStringAndCellToRich)
{
    TExtRichEdit* e = grid->InplaceRichEdit();
    e->SetText(QString::fromUtf8("E=mc2 \xCE\xA9"));
    e->SetSelStart(4);
    e->SetSelLength(1);
    e->SelSuperscript();
    e->SelAttributes->SetStyle(fsBold);
    e->SelAttributes->SetColor(TColor(0x00FF00));
    grid->RichToCell(1, 1, e);
    const QString cell = grid->Cells(1, 1);
    EXPECT_TRUE(cell.startsWith("{\\rtf1"));
    for (const QChar ch : cell)
        ASSERT_LT(ch.unicode(), 0x80);

    TExtRichEdit* h = Hidden();
    grid->CellToRich(1, 1, h);
    EXPECT_EQ(h->Text(), QString::fromUtf8("E=mc2 \xCE\xA9"));
    h->SetSelStart(4);
    h->SetSelLength(1);
    EXPECT_TRUE(h->IsSelSuperscript());
    EXPECT_EQ(h->SelAttributes->Style(), fsBold);
    EXPECT_EQ(h->SelAttributes->Color(), TColor(0x00FF00));
    h->SetSelStart(0);
    h->SetSelLength(1);
    EXPECT_TRUE(h->IsSelNormal());
    EXPECT_EQ(h->SelAttributes->Style(), TFontStyles(0));
}

TEST_F(RichCells, NonRtfEmptyAndMalformedCellsLoad)
{
    TExtRichEdit* h = Hidden();
    grid->SetCells(1, 1, "plain");
    grid->CellToRich(1, 1, h);
    EXPECT_EQ(h->Text(), "plain");
    grid->SetCells(1, 1, "");
    grid->CellToRich(1, 1, h);
    EXPECT_EQ(h->Text(), "");
    grid->SetCells(1, 1, QStringLiteral("{\\rtf1 ") + QString(100000, '{') + "deep\\'4");
    grid->CellToRich(1, 1, h);
    EXPECT_EQ(h->Text(), "deep");
    EXPECT_FALSE(h->Visible());
    EXPECT_EQ(h->Width(), 0);
    EXPECT_EQ(h->Height(), 0);
}

TEST_F(RichCells, RtfCellPaintsItsTextMeasuresAndCopiesAsPlainText)
{
    grid->SetColWidths(1, 200);
    grid->SetRowHeights(1, 50);
    grid->SetCells(1, 1, RedAb);
    grid->Repaint();
    QApplication::processEvents();
    const QImage img = grid->Viewport()->grab().toImage();
    const TRect r = grid->CellRect(1, 1);
    int red = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x) {
            const QColor c = img.pixelColor(x, y);
            if (c.red() > 180 && c.green() < 90 && c.blue() < 90)
                ++red;
        }
    EXPECT_GT(red, 20);
    // No red anywhere else: the text is drawn inside its cell only.
    int outside = 0;
    const TRect r2 = grid->CellRect(2, 1);
    for (int y = r2.Top; y < r2.Bottom; ++y)
        for (int x = r2.Left; x < r2.Right; ++x) {
            const QColor c = img.pixelColor(x, y);
            if (c.red() > 180 && c.green() < 90 && c.blue() < 90)
                ++outside;
        }
    EXPECT_EQ(outside, 0);

    grid->AutoSizeCol(1);
    QFont f = grid->Widget()->font();
    f.setPointSize(20);
    const int ab = QFontMetrics(f).horizontalAdvance("ab");
    EXPECT_GE(grid->ColWidths(1), ab);
    EXPECT_LT(grid->ColWidths(1), grid->Canvas->TextWidth(RedAb));

    grid->SetSelection(TGridRect{1, 1, 1, 1});
    EXPECT_EQ(grid->SelectedText(), "ab");
}

// ---- The edRichEdit editor ------------------------------------------------------------------------------

class RichEditor : public RichCells
{
  protected:
    void SetUp() override
    {
        RichCells::SetUp();
        grid->SetOptions(grid->Options() | goEditing);
        grid->SetColWidths(1, 150);
        grid->OnGetEditorType = [](TObject*, int ACol, int, TEditorType& E) {
            if (ACol == 1)
                E = edRichEdit;
        };
        grid->SetCells(1, 1, R"({\rtf1\b ab\b0 c\par})");
        grid->SetCol(1);
        grid->SetRow(1);
        QApplication::processEvents();
    }
    TExtRichEdit* Open()
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2);
        QApplication::processEvents();
        return grid->InplaceRichEdit();
    }
    QWidget* EditWidget() { return grid->InplaceRichEdit()->Editor(); }
};

TEST_F(RichEditor, OpensWithTheCellsFormattingAllSelectedAndEnterStores)
{
    TExtRichEdit* e = Open();
    ASSERT_TRUE(e->Visible());
    EXPECT_TRUE(e->Focused());
    EXPECT_EQ(e->Text(), "abc");
    EXPECT_EQ(e->SelStart(), 0);
    EXPECT_EQ(e->SelLength(), 3);
    e->SetSelLength(2);
    EXPECT_EQ(e->SelAttributes->Style(), fsBold);

    QTest::keyClick(EditWidget(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(EditWidget(), "d");
    QTest::keyClick(EditWidget(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_FALSE(e->Visible());
    EXPECT_EQ(grid->Cells(1, 1), grid->RichToString(e));
    TExtRichEdit* h = grid->RichEdit();
    grid->CellToRich(1, 1, h);
    EXPECT_EQ(h->Text(), "abcd");
    h->SetSelStart(0);
    h->SetSelLength(1);
    EXPECT_EQ(h->SelAttributes->Style(), fsBold);
}

TEST_F(RichEditor, EscapeKeepsTheCell)
{
    Open();
    QTest::keyClicks(EditWidget(), "zz");
    QTest::keyClick(EditWidget(), Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_FALSE(grid->InplaceRichEdit()->Visible());
    TExtRichEdit* h = grid->RichEdit();
    grid->CellToRich(1, 1, h);
    EXPECT_EQ(h->Text(), "abc");
}

TEST_F(RichEditor, TypingAThirdLineGrowsTheRowOncePerGrowth)
{
    grid->SizeWhileTyping()->Height = true;
    std::vector<int> grown;
    grid->OnEndRowSize = [&](TObject* Sender, int ARow) {
        EXPECT_EQ(Sender, grid);
        EXPECT_EQ(ARow, 1);
        grown.push_back(grid->RowHeights(1));
    };
    const int start = grid->RowHeights(1);
    TExtRichEdit* e = Open();
    // Loading the cell is no growth.
    EXPECT_TRUE(grown.empty());
    QTest::keyClick(EditWidget(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(EditWidget(), Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(EditWidget(), "second");
    QTest::keyClick(EditWidget(), Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(EditWidget(), "third");
    QApplication::processEvents();
    ASSERT_TRUE(e->Visible());
    EXPECT_EQ(e->Lines->Count(), 3);
    ASSERT_FALSE(grown.empty());
    for (size_t i = 1; i < grown.size(); ++i)
        EXPECT_GT(grown[i], grown[i - 1]) << "one event per growth";
    const int h = e->RequestedSize().cy;
    EXPECT_EQ(grid->RowHeights(1), h + 10);
    EXPECT_EQ(e->Height(), h + 9);
    EXPECT_GT(grid->RowHeights(1), start);
    EXPECT_EQ(grown.back(), grid->RowHeights(1));
}

} // namespace
