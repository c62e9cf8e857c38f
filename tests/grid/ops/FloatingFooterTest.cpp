// The floating footer: its settings' effect on the grid, the calculated footer cells, the painters,
// the template and the footer's clicks and hints.
#include "grid/ops/OpsTestSupport.h"
#include "platform/controls/Hints.h"

#include <QBuffer>
#include <QFile>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>

namespace opstest
{

namespace
{
TColor PixelAt(const QImage& Image, int X, int Y)
{
    const QRgb p = Image.pixel(X, Y);
    return TColor(qRed(p) | (qGreen(p) << 8) | (qBlue(p) << 16));
}

QByteArray BmpBytes(Qt::GlobalColor Color)
{
    QImage image(12, 12, QImage::Format_RGB32);
    image.fill(Color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

// How many pixels of row Y have the colour.
int CountOnRow(const QImage& Image, int Y, TColor Color)
{
    int n = 0;
    for (int x = 0; x < Image.width(); ++x)
        n += PixelAt(Image, x, Y) == Color;
    return n;
}
} // namespace

class FloatingFooter : public OpsGridTest
{
  protected:
    // Header row, the data rows, the footer row; a shown fsFixedLastRow footer.
    TOpsGrid* WithFooter(std::initializer_list<QString> Column1)
    {
        auto* g = New();
        FillColumn(g, 1, Column1, 1);
        g->FloatingFooter()->SetVisible(true);
        QApplication::processEvents();
        return g;
    }
    // The panel's picture; with Record the cells it paints are noted (the grid's own are not).
    QImage Grab(TOpsGrid* g, bool Record = false)
    {
        QApplication::processEvents();
        g->RecordPaint = Record;
        QImage image = g->FooterPanel()->Widget()->grab().toImage();
        g->RecordPaint = false;
        return image;
    }
};

TEST_F(FloatingFooter, VisibleTakesTheLastRow)
{
    TFloatingFooter* footer = grid->FloatingFooter();
    EXPECT_FALSE(footer->Visible());
    EXPECT_EQ(footer->FooterStyle(), fsFixedLastRow);
    EXPECT_EQ(footer->Color(), clBtnFace);
    EXPECT_EQ(footer->BorderColor(), clNone);
    EXPECT_TRUE(footer->CalculateHiddenRows);
    EXPECT_TRUE(footer->EnableCalculation);
    EXPECT_EQ(footer->Height(), grid->DefaultRowHeight());
    EXPECT_FALSE(grid->FooterPanel()->Visible());

    footer->SetVisible(true);
    EXPECT_EQ(grid->FixedFooters, 1);
    EXPECT_TRUE(grid->HideLastRow());
    EXPECT_TRUE(grid->FooterPanel()->Visible());
    EXPECT_EQ(grid->FooterPanel()->Height(), 21);

    // A later style change moves HideLastRow only.
    footer->SetFooterStyle(fsColumnPreview);
    EXPECT_FALSE(grid->HideLastRow());
    EXPECT_EQ(grid->FixedFooters, 1);

    footer->SetVisible(false);
    EXPECT_EQ(grid->FixedFooters, 0);
    EXPECT_FALSE(grid->HideLastRow());
    EXPECT_EQ(grid->FooterPanel()->Height(), 0);
    footer->SetVisible(true);
    EXPECT_EQ(grid->FixedFooters, 0) << "a preview footer is no fixed footer row";
}

TEST_F(FloatingFooter, HeightFollowsTheDefaultRowHeight)
{
    TFloatingFooter* footer = grid->FloatingFooter();
    grid->SetDefaultRowHeight(30);
    EXPECT_EQ(footer->Height(), 30);
    EXPECT_EQ(grid->FooterPanel()->Height(), 0) << "a hidden footer's panel stays flat";
    footer->SetVisible(true);
    EXPECT_EQ(grid->FooterPanel()->Height(), 29);
    grid->SetDefaultRowHeight(18);
    EXPECT_EQ(footer->Height(), 18);
    EXPECT_EQ(grid->FooterPanel()->Height(), 17);
}

TEST_F(FloatingFooter, PanelWindowCreationAnnouncesTheFooter)
{
    // The panel's window is made when it is first shown, or when it is asked for.
    std::vector<TObject*> created;
    auto* shown = New([&](TOpsGrid* g) {
        g->OnCreatedFloatingFooter = [&](TObject* Sender) { created.push_back(Sender); };
    });
    QApplication::processEvents();
    EXPECT_TRUE(created.empty()) << "a hidden footer has no window yet";
    shown->FloatingFooter()->SetVisible(true);
    QApplication::processEvents();
    EXPECT_EQ(created, (std::vector<TObject*>{shown}));
    EXPECT_EQ(shown->FooterPanel()->Height(), 21);
    shown->FloatingFooter()->SetVisible(false);
    shown->FloatingFooter()->SetVisible(true);
    QApplication::processEvents();
    EXPECT_EQ(created.size(), 1u) << "once";

    created.clear();
    auto* asked = New([&](TOpsGrid* g) {
        g->OnCreatedFloatingFooter = [&](TObject* Sender) { created.push_back(Sender); };
    });
    asked->FooterPanel()->HandleNeeded();
    EXPECT_EQ(created, (std::vector<TObject*>{asked}));
    EXPECT_EQ(asked->FooterPanel()->Height(), 0);
}

TEST_F(FloatingFooter, ColumnCalcLivesInTheLastRow)
{
    auto* g = WithFooter({"1", "2", "3"});
    TFloatingFooter* footer = g->FloatingFooter();
    EXPECT_EQ(footer->ColumnCalc(1), acNONE);
    EXPECT_FALSE(g->HasCellProperties(1, 4)) << "reading creates nothing";
    for (int c : {-1, g->AllColCount()}) {
        footer->SetColumnCalc(c, acSUM);
        EXPECT_EQ(footer->ColumnCalc(c), acNONE) << c;
    }

    struct Case {
        TColumnCalcType Kind;
        const char* Want;
    };
    for (const Case& k : {Case{acSUM, "6.00"}, Case{acAVG, "2.00"}, Case{acCOUNT, "3"}, Case{acMIN, "1.00"},
                          Case{acMAX, "3.00"}, Case{acDISTINCT, "3.00"}, Case{acSTDDEV, "0.82"}}) {
        footer->SetColumnCalc(1, k.Kind);
        EXPECT_EQ(footer->ColumnCalc(1), k.Kind);
        EXPECT_EQ(g->Cells(1, 4), k.Want) << k.Kind;
    }
    g->SetCells(1, 4, "kept");
    footer->SetColumnCalc(1, acSPREAD);
    EXPECT_EQ(g->Cells(1, 4), "kept");
    footer->SetColumnCalc(1, acNONE);
    EXPECT_EQ(g->Cells(1, 4), "kept");
}

TEST_F(FloatingFooter, GridOperationsRecalculate)
{
    auto* g = WithFooter({"1", "2", "3"});
    g->FloatingFooter()->SetColumnCalc(1, acSUM);
    g->ClearNormalRows(2, 1);
    EXPECT_EQ(g->Cells(1, 4), "4.00");
    g->ClearNormalCells();
    EXPECT_EQ(g->Cells(1, 4), "0.00") << "the footer row is no normal row";
}

TEST_F(FloatingFooter, HiddenRowsCountButNeverTheFooterRow)
{
    auto* g = WithFooter({"1", "2", "3", "4"});
    g->FloatingFooter()->SetColumnCalc(1, acSUM);
    g->FloatingFooter()->SetColumnCalc(2, acCOUNT);
    ASSERT_EQ(g->Cells(1, 5), "10.00");
    g->HideRow(4);
    ASSERT_EQ(g->RowCount(), 5);
    g->CalcFooter(-1);
    EXPECT_EQ(g->Cells(1, 4), "10.00");
    EXPECT_EQ(g->Cells(2, 4), "4");
    g->CalcFooter(1);
    EXPECT_EQ(g->Cells(1, 4), "10.00") << "the footer's own result is not added in";

    g->FloatingFooter()->CalculateHiddenRows = false;
    g->CalcFooter(-1);
    EXPECT_EQ(g->Cells(1, 4), "6.00");
    EXPECT_EQ(g->Cells(2, 4), "3");

    // Two hidden rows, and the minimum over them.
    g->FloatingFooter()->CalculateHiddenRows = true;
    g->HideRow(1);
    g->GetCellProperties(1, g->RowCount() - 1)->SetCalcType(acMIN);
    g->CalcFooter(-1);
    EXPECT_EQ(g->Cells(1, 3), "1.00");
    EXPECT_EQ(g->Cells(2, 3), "4");
}

TEST_F(FloatingFooter, CalculatesOnlyAShownLastRowFooter)
{
    struct Case {
        const char* Name;
        std::function<void(TFloatingFooter*)> Set;
    };
    const Case cases[] = {
        {"EnableCalculation off", [](TFloatingFooter* f) { f->EnableCalculation = false; }},
        {"column preview", [](TFloatingFooter* f) { f->SetFooterStyle(fsColumnPreview); }},
        {"hidden", [](TFloatingFooter* f) { f->SetVisible(false); }},
    };
    for (const Case& k : cases) {
        auto* g = WithFooter({"1", "2", "3"});
        k.Set(g->FloatingFooter());
        g->FloatingFooter()->SetColumnCalc(1, acSUM);
        g->CalcFooter(-1);
        EXPECT_EQ(g->Cells(1, 4), "") << k.Name;
    }
}

TEST_F(FloatingFooter, CustomCellsAskTheGridFirst)
{
    auto* g = WithFooter({"1", "2"});
    TFloatingFooter* footer = g->FloatingFooter();
    g->SetCells(2, 3, "old");
    footer->SetColumnCalc(2, acCUSTOM);
    EXPECT_EQ(g->Cells(2, 3), "") << "no handler: empty";

    std::vector<int> footerArgs;
    footer->OnCalcFooter = [&](TObject* Sender, int ACol, int ARow, QString& Value) {
        EXPECT_EQ(Sender, g);
        footerArgs = {ACol, ARow};
        Value = "footer";
    };
    g->CalcFooter(2);
    EXPECT_EQ(g->Cells(2, 3), "footer");
    EXPECT_EQ(footerArgs, (std::vector<int>{2, 3}));
    g->OnFooterCalc = [&](TObject*, int, int, QString& Value) { Value = "grid"; };
    g->CalcFooter(-1);
    EXPECT_EQ(g->Cells(2, 3), "grid");
}

TEST_F(FloatingFooter, MinimumErrorReachesTheCallerAndTheCellKeepsItsText)
{
    auto* g = WithFooter({"x", "2"});
    g->FloatingFooter()->SetColumnCalc(1, acSUM);
    EXPECT_EQ(g->Cells(1, 3), "2.00");
    g->GetCellProperties(1, 3)->SetCalcType(acMIN);
    EXPECT_THROW(g->CalcFooter(1), EExtGridError);
    EXPECT_EQ(g->Cells(1, 3), "2.00");
}

TEST_F(FloatingFooter, RowCountMovesTheFooterRow)
{
    auto* g = WithFooter({"1", "2", "3"});
    g->FloatingFooter()->SetColumnCalc(1, acSUM);
    g->SetCells(2, 4, "F");
    g->SetRowCount(7);
    g->SetCells(1, 5, "4");
    g->CalcFooter(-1);
    EXPECT_EQ(g->Cells(2, 6), "F");
    EXPECT_EQ(g->Cells(2, 4), "");
    EXPECT_EQ(g->FloatingFooter()->ColumnCalc(1), acSUM) << "the calculation moved with the row";
    EXPECT_EQ(g->Cells(1, 6), "10.00");
    EXPECT_EQ(g->Cells(1, 4), "");
    EXPECT_FALSE(g->HasCellProperties(1, 4));

    g->SetRowCount(4);
    EXPECT_EQ(g->Cells(2, 3), "F");
    EXPECT_EQ(g->Cells(1, 3), "3.00") << "rows 1 and 2 remain";
}

TEST_F(FloatingFooter, LastRowPainterFillsOnlyTheFooterWidth)
{
    auto* g = WithFooter({"1", "2"});
    g->SetColor(clWhite);
    TFloatingFooter* footer = g->FloatingFooter();
    footer->SetColor(0x00FF00);
    const int width = g->FooterPanel()->FooterWidth();
    ASSERT_EQ(width, 5 * g->DefaultColWidth());
    ASSERT_LT(width + 10, g->FooterPanel()->ClientWidth());

    QImage image = Grab(g);
    const int y = image.height() / 2;
    EXPECT_EQ(PixelAt(image, width - 5, 3), TColor(0x00FF00));
    EXPECT_EQ(PixelAt(image, width + 5, y), clWhite);
    EXPECT_NE(PixelAt(image, width / 2, 0), TColor(0x0000FF)) << "no border line with clNone";

    footer->SetBorderColor(0x0000FF);
    image = Grab(g);
    EXPECT_EQ(PixelAt(image, 10, 0), TColor(0x0000FF));
    EXPECT_EQ(PixelAt(image, width - 2, 0), TColor(0x0000FF));
    EXPECT_EQ(PixelAt(image, width + 5, 0), clWhite) << "the line stops at the painted width";
}

TEST_F(FloatingFooter, PaintersHandTheirCellsToDrawCellContent)
{
    auto* g = WithFooter({"1", "2"});
    g->SetCells(1, 2, "current");
    g->SetRow(2);
    Grab(g, true);
    std::vector<int> columns;
    for (const auto& p : g->Painted) {
        EXPECT_EQ(p.Row, 3);
        EXPECT_EQ(p.State, gdFixed);
        columns.push_back(p.Col);
    }
    EXPECT_EQ(columns, (std::vector<int>{0, 1, 2, 3, 4}));

    g->Painted.clear();
    g->FloatingFooter()->SetFooterStyle(fsColumnPreview);
    g->FloatingFooter()->SetColumn(1);
    Grab(g, true);
    ASSERT_EQ(g->Painted.size(), 1u);
    EXPECT_EQ(g->Painted[0].Col, 1);
    EXPECT_EQ(g->Painted[0].Row, 2);
    EXPECT_EQ(g->Painted[0].State, TGridDrawState(0));
    EXPECT_EQ(g->Painted[0].Rect.Left, 0);
    EXPECT_EQ(g->Painted[0].Rect.Right, g->FooterPanel()->FooterWidth());

    // The application's painting replaces the cell's.
    g->Painted.clear();
    int asked = -1;
    g->OnFooterPaint = [&](TObject* Sender, int AColumn, TCanvas*, const TRect&) {
        EXPECT_EQ(Sender, g->FooterPanel());
        asked = AColumn;
    };
    g->FloatingFooter()->SetFooterStyle(fsCustomPaint);
    Grab(g, true);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(g->Painted.empty());
}

TEST_F(FloatingFooter, PaintHandlerErrorsGoToTheErrorReport)
{
    auto* g = WithFooter({"1"});
    std::vector<QString> reported;
    Application->OnException = [&](TObject*, const std::exception& E) { reported.push_back(E.what()); };
    g->OnFooterPaint = [](TObject*, int, TCanvas*, const TRect&) { throw Exception("footer failed"); };
    for (TFooterStyle style : {fsFixedLastRow, fsColumnPreview, fsCustomPaint}) {
        g->FloatingFooter()->SetFooterStyle(style);
        const size_t before = reported.size();
        Grab(g);
        EXPECT_GT(reported.size(), before) << style;
    }
    Application->OnException = nullptr;
    for (const QString& r : reported)
        EXPECT_EQ(r, "footer failed");
}

TEST_F(FloatingFooter, PaintingStateComesBackWhenAHandlerRaises)
{
    auto* g = WithFooter({"1"});
    g->SetSelectionTextColor(clRed);
    struct Seen {
        TColor TextColor;
        bool NoRTL;
    };
    std::vector<Seen> seen;
    g->OnFooterPaint = [&](TObject*, int, TCanvas*, const TRect&) {
        seen.push_back({g->SelectionTextColor(), g->NoRTLOrientation});
        throw Exception("footer failed");
    };
    Application->OnException = [](TObject*, const std::exception&) {};
    struct Case {
        TFooterStyle Style;
        TColor TextColor;
    };
    for (const Case& k :
         {Case{fsFixedLastRow, clRed}, Case{fsColumnPreview, clBlack}, Case{fsCustomPaint, clRed}}) {
        g->FloatingFooter()->SetFooterStyle(k.Style);
        seen.clear();
        Grab(g);
        ASSERT_FALSE(seen.empty()) << k.Style;
        EXPECT_EQ(seen[0].TextColor, k.TextColor) << k.Style;
        EXPECT_TRUE(seen[0].NoRTL) << k.Style << ": the rectangles come mirrored already";
        EXPECT_EQ(g->SelectionTextColor(), clRed) << k.Style;
        EXPECT_FALSE(g->NoRTLOrientation) << k.Style;
    }
    Application->OnException = nullptr;
}

TEST_F(FloatingFooter, TemplateExpansion)
{
    grid->SetColCount(3);
    grid->SetCells(1, 2, "Bob");
    grid->SetCells(2, 2, "7");
    grid->SetRow(2);
    struct Case {
        const char* Template;
        const char* Want;
    };
    const Case cases[] = {
        {"N:<#1>/<#9>", "N:Bob/"},
        {"<#2><#1>", "7Bob"},
        {"a<#x>b<#-1>c", "abc"},
        {"A<#1", "A<#1"},
        {"<#1>, <#2", "Bob, <#2"},
        {"plain", "plain"},
        {"", ""},
    };
    for (const Case& k : cases)
        EXPECT_EQ(ExpandFooterTemplate(grid, k.Template), k.Want) << k.Template;

    // Painting an unclosed tag finishes.
    grid->FloatingFooter()->SetCustomTemplate("A<#1");
    grid->FloatingFooter()->SetFooterStyle(fsCustomPreview);
    grid->FloatingFooter()->SetVisible(true);
    EXPECT_FALSE(grid->FooterPanel()->Widget()->grab().isNull());
}

TEST_F(FloatingFooter, TemplatePicturesComeFromTheGridsSources)
{
    auto* g = WithFooter({"1"});
    TPictureContainer container(nullptr);
    TPictureItem* item = container.Items()->Add();
    item->Name = "RED";
    TMemoryStream stream;
    const QByteArray red = BmpBytes(Qt::red);
    stream.WriteBuffer(red.constData(), red.size());
    item->Picture()->LoadFromStream(&stream);
    g->PictureContainer = &container;

    QTemporaryDir dir;
    QFile file(dir.filePath("blue.bmp"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(BmpBytes(Qt::blue));
    file.close();

    g->FloatingFooter()->SetCustomTemplate(
        QString("<IMG src=\"red\"> <IMG src=\"file://%1\">").arg(file.fileName()));
    g->FloatingFooter()->SetFooterStyle(fsCustomPreview);
    const QImage image = Grab(g);
    EXPECT_EQ(CountOnRow(image, 8, clRed), 12) << "the container's picture";
    EXPECT_EQ(CountOnRow(image, 8, clBlue), 12) << "the picture loaded by URL";
    EXPECT_EQ(g->ImageCache()->Count(), 1) << "kept in the grid's cache";
    g->PictureContainer = nullptr;
}

TEST_F(FloatingFooter, ClicksAndHintsNameTheScrolledColumn)
{
    auto* g = WithFooter({"1"});
    g->SetColCount(20);
    g->SetLeftCol(5);
    ASSERT_EQ(g->LeftCol(), 5);
    QApplication::processEvents();
    QWidget* panel = g->FooterPanel()->Widget();
    const int x = g->ColWidths(0) + 2;
    const int y = panel->height() / 2;

    std::vector<QString> order;
    g->OnClick = [&](TObject* Sender) {
        EXPECT_EQ(Sender, g);
        order.push_back("click");
    };
    g->OnClickCell = [&](TObject*, int ARow, int ACol) {
        order.push_back(QString("cell %1 %2").arg(ARow).arg(ACol));
    };
    QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(x, y));
    EXPECT_EQ(order, (std::vector<QString>{"click", QString("cell %1 5").arg(g->RowCount() - 1)}));
    EXPECT_EQ(g->FooterPanel()->ColumnAt(1), 0) << "over the fixed column, not the one before LeftCol";
    EXPECT_EQ(g->FooterPanel()->ColumnAt(g->ColWidths(0)), 0);
    EXPECT_EQ(g->FooterPanel()->ColumnAt(g->ColWidths(0) + 1), 5);
    EXPECT_EQ(g->FooterPanel()->ColumnAt(10000), -1);

    std::vector<int> hinted;
    g->OnGridHint = [&](TObject*, int ARow, int ACol, QString& HintStr) {
        hinted = {ARow, ACol};
        HintStr = "col hint";
    };
    g->FloatingFooter()->SetShowHint(true);
    QHelpEvent help(QEvent::ToolTip, QPoint(x, y), panel->mapToGlobal(QPoint(x, y)));
    QApplication::sendEvent(panel, &help);
    EXPECT_EQ(hinted, (std::vector<int>{g->RowCount() - 1, 5}));
    EXPECT_EQ(g->FooterPanel()->LastHintColumn(), 5);
    ASSERT_NE(ActiveHintWindow(), nullptr);
    EXPECT_TRUE(ActiveHintWindow()->HintShowing());

    const QPoint next(x + g->ColWidths(5), y);
    QMouseEvent move(QEvent::MouseMove, next, panel->mapToGlobal(next), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(panel, &move);
    EXPECT_EQ(g->FooterPanel()->LastHintColumn(), 6);
    EXPECT_FALSE(ActiveHintWindow()->HintShowing()) << "moving to another column cancels the hint";
}

} // namespace opstest
