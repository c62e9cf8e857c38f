// The binary cell stream: whole cells between grids and files, partial rectangles placed anywhere,
// AssignCells, and bad streams.
#include "common/TestSupport.h"
#include "grid/ops/OpsTestSupport.h"

#include "grid/core/ExtCGrid.h"
#include "grid/ops/BinStream.h"
#include "platform/core/ComponentStream.h"
#include "platform/graphics/ImgList.h"

namespace opstest
{

using testsupport::TempDir;

int Signatures(const QByteArray& Bytes)
{
    return int(Bytes.count("TPF0"));
}

QImage Pattern()
{
    QImage img(3, 2, QImage::Format_ARGB32);
    img.fill(QColor(10, 20, 30));
    img.setPixelColor(1, 0, QColor(200, 100, 50));
    img.setPixelColor(2, 1, QColor(0, 255, 0));
    return img;
}

class BinStream : public OpsGridTest
{
  protected:
    // 4 x 5 with one fixed row and column, sizes, texts and one cell of every travelling kind.
    void FillSource(TOpsGrid* g)
    {
        g->SetColCount(4);
        g->SetRowCount(5);
        g->SetColWidths(1, 90);
        g->SetRowHeights(2, 33);
        for (int r = 0; r < 5; ++r)
            for (int c = 0; c < 4; ++c)
                g->SetCells(c, r, QString("%1:%2").arg(c).arg(r));
        g->SetColors(1, 1, clRed);
        g->MergeCells(1, 3, 2, 1);
        g->AddCheckBox(3, 1, true, false);
        g->CreateBitmap(2, 2, false, haLeft, vaTop)->Assign(Pattern());
        TStrings* items = g->CreateRadio(3, 2, 0, 1);
        items->Add("one");
        items->Add("two");
        g->GridImages = images;
        g->AddMultiImage(1, 4, 0, haLeft, vaTop);
        g->CellImages(1, 4)->Add(3);
        g->CellImages(1, 4)->Add(5);
        QImage(2, 2, QImage::Format_RGB32).save(dir.file("pic.png"));
        g->CreateFilePicture(2, 4, false, noStretch, 0, haLeft, vaTop)->SetFilename(dir.file("pic.png"));
    }
    void ExpectSameCells(TOpsGrid* t)
    {
        EXPECT_EQ(t->ColCount(), 4);
        EXPECT_EQ(t->RowCount(), 5);
        EXPECT_EQ(t->ColWidths(1), 90);
        EXPECT_EQ(t->RowHeights(2), 33);
        EXPECT_EQ(t->Cells(0, 0), "0:0");
        EXPECT_EQ(t->Cells(3, 4), "3:4");
        EXPECT_EQ(t->Colors(1, 1), clRed);
        EXPECT_EQ(t->CellSpan(1, 3).X, 1);
        EXPECT_TRUE(t->IsMergedNonBaseCell(2, 3));
        bool checked = false;
        EXPECT_TRUE(t->GetCheckBoxState(3, 1, checked));
        EXPECT_TRUE(checked);
        ASSERT_TRUE(t->GetBitmap(2, 2));
        const QImage want = Pattern().convertToFormat(QImage::Format_ARGB32);
        EXPECT_EQ(t->GetBitmap(2, 2)->Image().convertToFormat(QImage::Format_ARGB32), want);
        ASSERT_EQ(t->GetCellType(3, 2), ctRadio);
        ASSERT_TRUE(t->GetCellGraphic(3, 2)->CellStrings());
        EXPECT_EQ(t->GetCellGraphic(3, 2)->CellStrings()->ToStringList(), QStringList({"one", "two"}));
        ASSERT_TRUE(t->CellImages(1, 4));
        EXPECT_EQ(t->CellImages(1, 4)->StrValue(), "3,5");
        ASSERT_TRUE(t->GetFilePicture(2, 4));
        EXPECT_EQ(t->GetFilePicture(2, 4)->Filename(), dir.file("pic.png"));
    }
    TOpsGrid* TenByTen()
    {
        TOpsGrid* g = New();
        g->SetColCount(10);
        g->SetRowCount(10);
        return g;
    }
    TempDir dir;
    TImageList* images = new TImageList(nullptr);
    std::unique_ptr<TImageList> ownImages{images};
};

TEST_F(BinStream, WholeGridTravelsThroughAFileAndThroughAssignCells)
{
    FillSource(grid);
    TOpsGrid* viaFile = New();
    viaFile->SetColCount(2);
    viaFile->SetRowCount(2);
    viaFile->GridImages = images;
    grid->SaveToBinFile(dir.file("cells.bin"));
    viaFile->LoadFromBinFile(dir.file("cells.bin"));
    ExpectSameCells(viaFile);

    TOpsGrid* viaAssign = New();
    viaAssign->GridImages = images;
    viaAssign->AssignCells(grid);
    ExpectSameCells(viaAssign);
}

TEST_F(BinStream, ARectangleLandsAtThePointAndCellsBeyondTheGridAreSkipped)
{
    TOpsGrid* src = TenByTen();
    for (int r = 0; r < 10; ++r)
        for (int c = 0; c < 10; ++c)
            src->SetCells(c, r, QString("%1:%2").arg(c).arg(r));
    TMemoryStream ms;
    src->SaveRectToBinStream(TRect(1, 1, 2, 2), &ms);

    TOpsGrid* t = TenByTen();
    t->SetColWidths(5, 40);
    ms.SetPosition(0);
    t->LoadAtPointFromBinStream(TPoint(5, 2), &ms);
    EXPECT_EQ(t->Cells(5, 2), "1:1");
    EXPECT_EQ(t->Cells(6, 3), "2:2");
    EXPECT_EQ(t->ColCount(), 10);
    EXPECT_EQ(t->RowCount(), 10);
    EXPECT_EQ(t->ColWidths(5), 40);

    TOpsGrid* edge = TenByTen();
    ms.SetPosition(0);
    edge->LoadAtPointFromBinStream(TPoint(9, 9), &ms);
    EXPECT_EQ(edge->Cells(9, 9), "1:1");
    EXPECT_EQ(edge->ColCount(), 10);
    EXPECT_EQ(edge->RowCount(), 10);
    EXPECT_EQ(edge->Cells(0, 0), "");
}

TEST_F(BinStream, RecordCountsFollowPropertiesAndOwnGraphicsOnly)
{
    TOpsGrid* g = TenByTen();
    g->SetColors(1, 1, clRed);
    g->AddCheckBox(2, 1, true, false);
    auto rect = [&](int c) {
        TMemoryStream ms;
        g->SaveRectToBinStream(TRect(c, 1, c, 1), &ms);
        return Signatures(ms.Bytes());
    };
    EXPECT_EQ(rect(0), 2); // header and cell
    EXPECT_EQ(rect(1), 3); // + properties
    EXPECT_EQ(rect(2), 4); // + graphic, no data record for a check box

    // A bitmap the caller owns stays out.
    TBitmap own(2, 2);
    g->AddBitmap(3, 1, &own, false, haLeft, vaTop);
    EXPECT_EQ(rect(3), 3);
    g->RemoveBitmap(3, 1);
}

TEST_F(BinStream, SharedCheckBoxObjectsOfTheColumnGridAreNotWritten)
{
    form->BeginLoading();
    auto* cg = new TExtColumnGrid(form.get());
    cg->SetParent(form.get());
    form->EndLoading();
    cg->SetColCount(4);
    cg->SetRowCount(3);
    cg->Columns()->Items(3)->SetEditor(edDataCheckBox);
    cg->SetColors(3, 1, clRed);
    ASSERT_EQ(cg->GetCellGraphic(3, 1)->CellType(), ctVirtCheckBox);
    TMemoryStream ms;
    cg->SaveRectToBinStream(TRect(3, 1, 3, 1), &ms);
    EXPECT_EQ(Signatures(ms.Bytes()), 3);
    TOpsGrid* t = TenByTen();
    ms.SetPosition(0);
    t->LoadAtPointFromBinStream(TPoint(0, 0), &ms);
    EXPECT_EQ(t->Colors(0, 0), clRed);
    EXPECT_EQ(t->GetCellType(0, 0), ctEmpty);
}

TEST_F(BinStream, RowsBeyond65535KeepTheirPlace)
{
    TOpsGrid* src = New();
    src->SetColCount(2);
    src->SetRowCount(100000);
    src->SetCells(0, 70000, "far");
    TOpsGrid* t = New();
    t->AssignCells(src);
    EXPECT_EQ(t->RowCount(), 100000);
    EXPECT_EQ(t->Cells(0, 70000), "far");
    EXPECT_EQ(t->Cells(0, 70000 - 65536), "");
}

TEST_F(BinStream, AbsentPropertiesKeepTheTargetsAndAHeaderAloneAddsNothing)
{
    TOpsGrid* src = TenByTen();
    src->SetFontStyles(1, 1, fsBold);
    src->SetColors(1, 1, clNone); // no brush colour of its own
    TMemoryStream ms;
    src->SaveRectToBinStream(TRect(1, 1, 1, 1), &ms);

    TOpsGrid* t = TenByTen();
    t->SetColors(4, 4, clRed);
    ms.SetPosition(0);
    t->LoadAtPointFromBinStream(TPoint(4, 4), &ms);
    EXPECT_EQ(t->Colors(4, 4), clRed);
    EXPECT_EQ(t->FontStyles(4, 4), fsBold);

    const QByteArray bytes = ms.Bytes();
    TMemoryStream header;
    const qsizetype second = bytes.indexOf("TPF0", 4);
    header.WriteBuffer(bytes.constData(), second);
    header.SetPosition(0);
    TOpsGrid* empty = TenByTen();
    empty->LoadAtPointFromBinStream(TPoint(0, 0), &header);
    for (int r = 0; r < 10; ++r)
        for (int c = 0; c < 10; ++c)
            ASSERT_EQ(empty->Cells(c, r), "");
}

TEST_F(BinStream, BadStreamsRaiseAndKeepTheCellsReadBefore)
{
    TOpsGrid* src = TenByTen();
    src->SetCells(0, 0, "a");
    src->SetCells(1, 0, "b");
    TMemoryStream ms;
    src->SaveRectToBinStream(TRect(0, 0, 1, 0), &ms);
    QByteArray bytes = ms.Bytes();
    bytes[bytes.lastIndexOf("TPF0")] = 'X'; // the second cell's record

    TMemoryStream bad;
    bad.WriteBuffer(bytes.constData(), bytes.size());
    bad.SetPosition(0);
    TOpsGrid* t = TenByTen();
    try {
        t->LoadAtPointFromBinStream(TPoint(0, 0), &bad);
        ADD_FAILURE();
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message, "Invalid stream format");
    }
    EXPECT_EQ(t->Cells(0, 0), "a");
    EXPECT_EQ(t->Cells(1, 0), "");

    EXPECT_THROW(t->LoadFromBinFile(dir.file("missing.bin")), EInOutError);
}

TEST_F(BinStream, EachGridHasItsOwnNonZeroID)
{
    TOpsGrid* a = New();
    TOpsGrid* b = New();
    EXPECT_NE(a->BinStreamID(), 0);
    EXPECT_EQ(a->BinStreamID(), a->BinStreamID());
    EXPECT_NE(a->BinStreamID(), b->BinStreamID());
}

} // namespace opstest
