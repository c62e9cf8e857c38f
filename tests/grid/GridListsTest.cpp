// The grid's small lists and file helpers: change reports of the integer list, the sort-column list
// and its stored text, the control list, line-by-line string lists and the file-backed picture.
#include "grid/base/GridLists.h"

#include "common/TestSupport.h"
#include "platform/controls/StdCtrls.h"
#include "platform/graphics/Bitmaps.h"

#include <gtest/gtest.h>

namespace
{

struct ChangeLog {
    std::vector<std::pair<int, int>> Cells; // (Acol, Arow) of each OnChange
    TObject* Sender = nullptr;
    void Watch(TIntList& list)
    {
        list.OnChange = [this](TObject* s, int Acol, int Arow) {
            Sender = s;
            Cells.emplace_back(Acol, Arow);
        };
    }
};

std::vector<int32_t> Entries(const TIntList& list)
{
    std::vector<int32_t> v;
    for (int i = 0; i < list.Count(); ++i)
        v.push_back(list[i]);
    return v;
}

TEST(IntList, StrValueReadsAndWrites)
{
    TIntList list(3, 7);
    ChangeLog log;
    list.Add(1);
    list.Add(22);
    list.Add(333);
    EXPECT_EQ(list.StrValue(), "1,22,333");

    log.Watch(list);
    list.SetStrValue(QStringLiteral("4 5"));
    EXPECT_EQ(Entries(list), (std::vector<int32_t>{4, 5}));
    EXPECT_EQ(log.Cells, (std::vector<std::pair<int, int>>{{3, 7}, {3, 7}}));
    EXPECT_EQ(log.Sender, &list);

    list.SetStrValue(QString());
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.StrValue(), "");
}

TEST(IntList, StrValueStopsAtTheFirstNonInteger)
{
    TIntList list(0, 0);
    list.Add(9);
    try {
        list.SetStrValue(QStringLiteral("1,x,3"));
        FAIL() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, "'x' is not a valid integer value");
    }
    EXPECT_EQ(Entries(list), (std::vector<int32_t>{1}));
}

TEST(IntList, WhichOperationsReportChanges)
{
    TIntList list(1, 2);
    ChangeLog log;
    log.Watch(list);
    list.Add(10);
    list.Add(20);
    list.Add(30);
    EXPECT_EQ(log.Cells.size(), 3u);

    // Silent: the list's own reshuffles.
    list.Insert(0, 5);
    list.Insert(list.Count(), 40);
    list.Exchange(0, 1);
    list.Move(0, 4);
    list.Sort([](int32_t a, int32_t b) { return a < b ? -1 : a > b ? 1 : 0; });
    EXPECT_EQ(Entries(list), (std::vector<int32_t>{5, 10, 20, 30, 40}));
    EXPECT_EQ(log.Cells.size(), 3u);

    list.SetItems(0, 6);
    list.Delete(1);
    list.DeleteValue(30);
    list.DeleteValue(99); // absent: nothing
    EXPECT_EQ(Entries(list), (std::vector<int32_t>{6, 20, 40}));
    EXPECT_EQ(log.Cells.size(), 6u);
    EXPECT_TRUE(list.HasValue(40));
    EXPECT_FALSE(list.HasValue(30));
    EXPECT_EQ(list.IndexOf(20), 1);
}

TEST(IntList, BadIndexesRaiseListErrors)
{
    TSortIndexList list;
    list.AddIndex(1, true);
    list.AddIndex(2, true);
    const struct {
        const char* What;
        std::function<void()> Call;
        const char* Message;
    } cases[] = {
        {"Items[Count]", [&] { (void)list.Items(2); }, "List index out of bounds (2)"},
        {"Delete(-1)", [&] { list.Delete(-1); }, "List index out of bounds (-1)"},
        {"Insert(Count + 1)", [&] { list.Insert(3, 0); }, "List index out of bounds (3)"},
        {"SortColumns[5]", [&] { (void)list.SortColumns(5); }, "List index out of bounds (5)"},
        {"SetSortDirections[-2]", [&] { list.SetSortDirections(-2, true); }, "List index out of bounds (-2)"},
        {"Move(0, 2)", [&] { list.Move(0, 2); }, "List index out of bounds (2)"},
    };
    for (const auto& c : cases) {
        try {
            c.Call();
            ADD_FAILURE() << c.What << ": no error";
        } catch (const EListError& e) {
            EXPECT_EQ(e.Message, c.Message) << c.What;
        }
    }
    EXPECT_EQ(list.SaveToString(), "u1;u2");
}

TEST(SortIndexList, DirectionsAndStoredText)
{
    TSortIndexList list;
    list.AddIndex(2, true);
    list.AddIndex(5, false);
    list.AddIndex(70000, true);
    EXPECT_EQ(list.SaveToString(), "u2;d5;u4464"); // the stored text keeps 16 bits of a column
    EXPECT_EQ(list.FindIndex(70000), 2);
    EXPECT_EQ(list.FindIndex(4464), -1);
    EXPECT_EQ(list.SortColumns(1), 5);
    EXPECT_FALSE(list.SortDirections(1));
    list.ToggleIndex(5);
    EXPECT_TRUE(list.SortDirections(1));
    list.ToggleIndex(8); // not listed
    EXPECT_EQ(list.SaveToString(), "u2;u5;u4464");

    list.SetSortDirections(0, false);
    list.SetSortColumns(0, 9); // keeps the direction
    EXPECT_EQ(list.SortColumns(0), 9);
    EXPECT_FALSE(list.SortDirections(0));
    EXPECT_EQ(list.SaveToString(), "d9;u5;u4464");

    TSortIndexList empty;
    EXPECT_EQ(empty.SaveToString(), "");
}

TEST(SortIndexList, LoadSkipsPiecesWithoutAColumn)
{
    TSortIndexList list;
    list.AddIndex(1, true);
    list.LoadFromString(QStringLiteral("u3;;x7;u;u1z;d-4"));
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.SortColumns(0), 3);
    EXPECT_TRUE(list.SortDirections(0));
    EXPECT_EQ(list.SortColumns(1), 7);
    EXPECT_FALSE(list.SortDirections(1));
}

TEST(ControlList, OwnsItemsNotControls)
{
    TEdit edit(nullptr);
    TLabel label(nullptr);
    {
        TControlList list;
        list.AddControl(1, 2, &label);
        list.AddControl(3, 4, &edit);
        list.AddControl(3, 4, &label);
        EXPECT_EQ(list.ControlIndex(3, 4), 1);
        EXPECT_EQ(list.ControlIndex(4, 3), -1);
        EXPECT_EQ(list.Control(1)->Control, &edit);
        EXPECT_TRUE(list.HasHandle(edit.Handle()));
        EXPECT_FALSE(list.HasHandle(0)); // the label has no window

        list.RemoveControl(1);
        EXPECT_EQ(list.Count(), 2);
        EXPECT_EQ(list.ControlIndex(3, 4), 1);
        EXPECT_FALSE(list.HasHandle(edit.Handle()));
        EXPECT_THROW(list.RemoveControl(2), EListError);
    }
    // The controls outlive the list.
    edit.SetText(QStringLiteral("still here"));
    EXPECT_EQ(edit.Text(), "still here");
}

TEST(FileStringList, WritesAndReadsLineByLine)
{
    TFileStringList list;
    list.Write(QStringLiteral("a"));
    list.Write(QStringLiteral("b"));
    list.WriteLn(QStringLiteral("c"));
    list.WriteLn(QStringLiteral("d"));
    EXPECT_EQ(list.ToStringList(), (QStringList{"abc", "d"}));

    QString s;
    EXPECT_FALSE(list.Eof());
    list.ReadLn(s);
    EXPECT_EQ(s, "abc");
    list.ReadLn(s);
    EXPECT_EQ(s, "d");
    EXPECT_TRUE(list.Eof());
    try {
        list.ReadLn(s);
        FAIL() << "no error";
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message, "List index out of bounds (2)");
    }
    EXPECT_EQ(s, "d");

    list.Write(QStringLiteral("dropped"));
    list.Reset();
    EXPECT_FALSE(list.Eof());
    list.ReadLn(s);
    EXPECT_EQ(s, "abc");
    list.WriteLn(QStringLiteral("e"));
    EXPECT_EQ(list[2], "e");
}

void WriteBmp(const QString& path, TColor color)
{
    TBitmap bmp(10, 6);
    bmp.Canvas->Brush->Color = color;
    bmp.Canvas->FillRect(TRect(0, 0, 10, 6));
    bmp.SaveToFile(path);
}

TColor DrawnCenter(const TFilePicture& picture)
{
    QImage image(20, 12, QImage::Format_RGB32);
    image.fill(Qt::white);
    TCanvas canvas(&image);
    picture.DrawPicture(&canvas, TRect(0, 0, 20, 12));
    return QColorToColor(image.pixelColor(10, 6));
}

TEST(FilePicture, ReadsTheFileOnEveryDraw)
{
    testsupport::TempDir dir;
    const QString path = dir.file("pic.bmp");
    WriteBmp(path, clBlue);

    TFilePicture picture;
    picture.SetFilename(path);
    EXPECT_EQ(picture.Width(), 10);
    EXPECT_EQ(picture.Height(), 6);
    EXPECT_EQ(DrawnCenter(picture), clBlue);

    WriteBmp(path, clRed);
    EXPECT_EQ(DrawnCenter(picture), clRed);

    TFilePicture copy;
    copy.Assign(&picture);
    EXPECT_EQ(copy.Filename(), path);
    EXPECT_EQ(copy.Width(), 10);

    ASSERT_TRUE(QFile::remove(path));
    EXPECT_EQ(DrawnCenter(picture), clWhite); // gone: nothing drawn, nothing raised

    testsupport::writeBytes(path, "not a picture");
    EXPECT_EQ(DrawnCenter(picture), clWhite);
}

TEST(FilePicture, MissingFileRaisesAndKeepsTheSize)
{
    testsupport::TempDir dir;
    const QString path = dir.file("pic.bmp");
    WriteBmp(path, clBlue);
    TFilePicture picture;
    picture.SetFilename(path);

    const QString missing = dir.file("missing.bmp");
    try {
        picture.SetFilename(missing);
        FAIL() << "no error";
    } catch (const EInOutError& e) {
        EXPECT_TRUE(e.Message.contains(missing)) << e.Message.toStdString();
    }
    EXPECT_EQ(picture.Width(), 10);
    EXPECT_EQ(picture.Height(), 6);

    picture.SetFilename(QString());
    EXPECT_EQ(picture.Width(), 0);
    EXPECT_EQ(DrawnCenter(picture), clWhite);
}

} // namespace
