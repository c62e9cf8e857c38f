// The cell checker at the end of an edit and over ranges, on a shown grid.
#include "grid/GridOnForm.h"
#include "grid/core/ExtGrid.h"
#include "grid/edit/EsgCheck.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace
{

// Upper-cases, and marks every "x" as an error.
class TUpperChecker : public TExtStringGridCheck
{
  public:
    using TExtStringGridCheck::TExtStringGridCheck;
    QString Correct(int, int, const QString& S) override { return S.toUpper(); }
    QString MarkError(int, int, const QString& S) override
    {
        QString r = S;
        return r.replace(QStringLiteral("x"), QStringLiteral("<E>x</E>"));
    }
    void StartCheck() override { log.push_back("Start"); }
    void StopCheck() override { log.push_back("Stop"); }
    std::vector<QString> log;
};

class CellChecker : public GridOnForm<TExtStringGrid>
{
  protected:
    void SetUp() override
    {
        ShowForm(500, 300);
        QApplication::setActiveWindow(form->Widget());
        grid->SetBounds(10, 10, 460, 250);
        grid->SetColCount(4);
        grid->SetRowCount(4);
        grid->SetOptions(grid->Options() | goEditing);
        checker = new TUpperChecker(form.get());
        grid->CellChecker = checker;
        grid->SetFocus();
        QApplication::processEvents();
    }
    void TearDown() override { form.reset(); }
    void TypeIntoCell(int ACol, int ARow, const char* Text)
    {
        grid->SetCol(ACol);
        grid->SetRow(ARow);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2);
        QWidget* editor = QApplication::focusWidget();
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(editor, Text);
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();
    }
    TUpperChecker* checker = nullptr;
};

TEST_F(CellChecker, AutoCorrectRunsBeforeValidationAndAutoMarkErrorAfter)
{
    std::vector<QString> validated;
    grid->OnCellValidate = [&](TObject*, int, int, QString& Value, bool&) { validated.push_back(Value); };
    checker->AutoCorrect = true;
    TypeIntoCell(1, 1, "ab");
    ASSERT_EQ(validated.size(), 1u);
    EXPECT_EQ(validated[0], "AB");
    EXPECT_EQ(grid->Cells(1, 1), "AB");

    checker->AutoCorrect = false;
    checker->AutoMarkError = true;
    TypeIntoCell(2, 1, "axb");
    ASSERT_EQ(validated.size(), 2u);
    EXPECT_EQ(validated[1], "axb");
    EXPECT_EQ(grid->Cells(2, 1), "a<E>x</E>b");
}

TEST_F(CellChecker, RangeCheckReplacesEachCellByTheMarksOfItsUnmarkedText)
{
    checker->UseMarkError = true;
    grid->SetCells(1, 1, "x1");
    grid->SetCells(2, 1, "<E>ok</E>");
    grid->SetCells(1, 2, "fine");
    grid->SetCells(2, 2, "<E>x</E>y");
    grid->SetCol(3);
    grid->SetRow(3);
    EXPECT_FALSE(grid->CheckCells(1, 1, 2, 2));
    EXPECT_EQ(grid->Cells(1, 1), "<E>x</E>1");
    EXPECT_EQ(grid->Cells(2, 1), "ok");
    EXPECT_EQ(grid->Cells(1, 2), "fine");
    EXPECT_EQ(grid->Cells(2, 2), "<E>x</E>y");
    EXPECT_EQ(checker->log, (std::vector<QString>{"Start", "Stop"}));
    // Without marks to add every cell passes.
    EXPECT_TRUE(grid->CheckCells(1, 2, 1, 2));
}

TEST_F(CellChecker, GotoCellVisitsEachCellAndReturns)
{
    checker->UseCorrect = true;
    checker->GotoCell = true;
    std::vector<QString> visited;
    grid->SetCells(1, 1, "a");
    grid->SetCells(2, 1, "b");
    grid->SetCol(3);
    grid->SetRow(2);
    grid->OnSelectCell = [&](TObject*, int ACol, int ARow, bool&) {
        visited.push_back(QStringLiteral("%1,%2").arg(ACol).arg(ARow));
    };
    EXPECT_FALSE(grid->CheckRow(false, 1));
    EXPECT_EQ(grid->Cells(1, 1), "A");
    EXPECT_EQ(grid->Cells(2, 1), "B");
    EXPECT_EQ(grid->Col(), 3);
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_NE(std::find(visited.begin(), visited.end(), "2,1"), visited.end());
}

TEST_F(CellChecker, WithoutACheckerEveryCheckPasses)
{
    grid->CellChecker = nullptr;
    grid->SetCells(1, 1, "x");
    EXPECT_TRUE(grid->CheckGrid(true));
    EXPECT_EQ(grid->Cells(1, 1), "x");
}

} // namespace
